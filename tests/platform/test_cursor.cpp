// Cursors: standard and resource cursors, copies, and the WM_SETCURSOR that precedes every mouse
// message, answered by the window under the pointer, its parent, or the arrow.
#include "TestWindows.h"

#include "Cursor.h"

#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

void MoveOver(CWnd& wnd, QPoint p)
{
    QWidget* w = wnd.GetWidget();
    QMouseEvent e(QEvent::MouseMove, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Shows a cross for itself or for its children, as told.
class CCursorWnd : public CRecordingWnd {
public:
    bool m_bMine = false;
    bool m_bForChildren = false;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override
    {
        if ((pWnd == this && m_bMine) || (pWnd != this && m_bForChildren)) {
            EXPECT_EQ(nHitTest, HTCLIENT);
            EXPECT_EQ(message, WM_MOUSEMOVE);
            SetCursor(LoadCursor(nullptr, IDC_CROSS));
            return TRUE;
        }
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    }
};

}  // namespace

TEST(Cursors, StandardAndResourceCursors)
{
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);  // shared
    EXPECT_TRUE(DestroyCursor(arrow));                 // and never destroyed
    EXPECT_EQ(QCursorOf(arrow).shape(), Qt::ArrowCursor);
    EXPECT_EQ(QCursorOf(LoadCursor(nullptr, IDC_HAND)).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(QCursorOf(LoadCursor(nullptr, IDC_SIZEALL)).shape(), Qt::SizeAllCursor);
    EXPECT_EQ(LoadCursor(nullptr, 12345), nullptr);

    const HCURSOR hand = LoadCursor(AfxGetResourceHandle(), 213);
    ASSERT_NE(hand, nullptr);
    CPoint hot;
    EXPECT_TRUE(GetCursorHotSpot(hand, &hot));
    EXPECT_EQ(hot, CPoint(5, 0));
    EXPECT_EQ(QCursorOf(hand).hotSpot(), QPoint(5, 0));
    EXPECT_EQ(LoadCursor(AfxGetResourceHandle(), 214), nullptr);
    EXPECT_EQ(LoadCursor(AfxGetResourceHandle(), 213), hand);  // shared, like the standard ones

    const HCURSOR copy = CopyIcon(hand);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, hand);
    EXPECT_TRUE(DestroyCursor(hand));
    EXPECT_EQ(QCursorOf(hand).hotSpot(), QPoint(5, 0));  // destroying a shared one does nothing
    EXPECT_EQ(LoadCursor(AfxGetResourceHandle(), 213), hand);
    EXPECT_EQ(QCursorOf(copy).hotSpot(), QPoint(5, 0));
    EXPECT_TRUE(DestroyCursor(copy));
    EXPECT_FALSE(DestroyCursor(copy));
    EXPECT_EQ(CopyIcon(nullptr), nullptr);
}

TEST(Cursors, TheWindowUnderThePointerItsParentOrTheArrow)
{
    CCursorWnd top, child;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 100, 60), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(10, 10, 40, 40), &top, 1));

    MoveOver(child, QPoint(5, 5));
    const RecordedMessage* m = child.Last(WM_SETCURSOR);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(CWnd::FromHandle(reinterpret_cast<HWND>(m->wParam)), &child);
    EXPECT_EQ(m->lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(top.Last(WM_SETCURSOR), nullptr);  // asked by the child's default handling
    EXPECT_EQ(child.GetWidget()->cursor().shape(), Qt::ArrowCursor);
    // WM_SETCURSOR comes before the move itself.
    size_t setCursorAt = 0, moveAt = 0;
    for (size_t i = 0; i < child.m_log.size(); ++i) {
        if (child.m_log[i].message == WM_SETCURSOR)
            setCursorAt = i;
        if (child.m_log[i].message == WM_MOUSEMOVE)
            moveAt = i;
    }
    EXPECT_LT(setCursorAt, moveAt);

    top.m_bForChildren = true;
    MoveOver(child, QPoint(6, 5));
    EXPECT_EQ(child.GetWidget()->cursor().shape(), Qt::CrossCursor);  // the parent chose
    top.m_bForChildren = false;
    child.m_bMine = true;
    MoveOver(child, QPoint(7, 5));
    EXPECT_EQ(child.GetWidget()->cursor().shape(), Qt::CrossCursor);
    child.m_bMine = false;
    MoveOver(child, QPoint(8, 5));
    EXPECT_EQ(child.GetWidget()->cursor().shape(), Qt::ArrowCursor);

    // While a window holds the capture nobody is asked.
    child.SetCapture();
    child.m_log.clear();
    MoveOver(child, QPoint(9, 5));
    EXPECT_EQ(child.Count(WM_SETCURSOR), 0);
    EXPECT_EQ(child.Count(WM_MOUSEMOVE), 1);
    ReleaseCapture();
}
