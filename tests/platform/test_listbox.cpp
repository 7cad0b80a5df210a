// The list box: entries, selection by the user and by the program, notices, owner drawing and
// the scroll bar.
#include "TestWindows.h"

#include "CListBox.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

void Mouse(CWnd& wnd, QEvent::Type type, QPoint p, Qt::MouseButtons held)
{
    QWidget* w = wnd.GetWidget();
    const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), b, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

class COwnerList : public CListBox {
public:
    std::vector<DRAWITEMSTRUCT> m_draws;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        m_draws.push_back(*lpDIS);
        CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem,
                                                   (lpDIS->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : RGB(0, 0, 255));
    }
};

class ListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 200, 100), nullptr, 0));
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
        ASSERT_TRUE(list.Create(style, Box(0, 0, 100, 50), &top, 31));
        list.SetItemHeight(0, 10);
        for (const char* s : {"a", "b", "c", "d", "e", "f", "g", "h"})
            list.AddString(s);
        top.m_log.clear();
    }
    int SelChanges() const
    {
        int n = 0;
        for (const auto& m : top.m_log)
            n += m.message == WM_COMMAND && m.wParam == MAKEWPARAM(31, LBN_SELCHANGE) ? 1 : 0;
        return n;
    }
    CRecordingWnd top;
    COwnerList list;
};

}  // namespace

TEST_F(ListTest, EntriesAndProgramSelection)
{
    EXPECT_EQ(list.GetCount(), 8);
    EXPECT_EQ(list.InsertString(1, "ab"), 1);
    EXPECT_EQ(list.InsertString(20, "x"), LB_ERR);
    CString t;
    EXPECT_EQ(list.GetText(1, t), 2);
    EXPECT_EQ(t, "ab");
    EXPECT_EQ(list.GetText(9, t), LB_ERR);
    EXPECT_EQ(list.SetCurSel(7), 7);
    EXPECT_EQ(list.GetTopIndex(), 3);  // scrolled into view: rows 3..7 of five
    EXPECT_EQ(list.SetCurSel(30), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    list.SetCurSel(2);
    EXPECT_EQ(list.DeleteString(1), 8);
    EXPECT_EQ(list.GetCurSel(), 1);  // follows its entry
    EXPECT_EQ(list.DeleteString(1), 7);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(SelChanges(), 0);  // the program's changes are not reported
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(ListTest, MouseSelectsWhilePressedAndReportsOnRelease)
{
    Mouse(list, QEvent::MouseButtonPress, QPoint(10, 15), Qt::LeftButton);
    EXPECT_EQ(list.GetCurSel(), 1);
    Mouse(list, QEvent::MouseMove, QPoint(10, 35), Qt::LeftButton);
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_EQ(SelChanges(), 0);
    Mouse(list, QEvent::MouseButtonRelease, QPoint(10, 35), Qt::NoButton);
    EXPECT_EQ(SelChanges(), 1);
    EXPECT_EQ(CWnd::GetFocus(), &list);
    // A move without the button does nothing in a plain list.
    Mouse(list, QEvent::MouseMove, QPoint(10, 5), Qt::NoButton);
    EXPECT_EQ(list.GetCurSel(), 3);
}

TEST_F(ListTest, KeysMoveAndReportEachMove)
{
    list.SetCurSel(0);
    list.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    list.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.SendMessage(WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(list.GetCurSel(), 7);
    list.SendMessage(WM_KEYDOWN, VK_DOWN, 1);  // already last: no change, no notice
    list.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(SelChanges(), 4);
}

TEST_F(ListTest, OwnerDrawnVisibleEntriesAndTheScrollBar)
{
    list.SetCurSel(1);
    const QImage img = Grab(top);
    EXPECT_EQ(PixelOf(img, 5, 15), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(img, 5, 5), RGB(0, 0, 255));
    ASSERT_TRUE(list.HasScrollBar());
    CRect item;
    list.GetItemRect(0, &item);
    EXPECT_EQ(item, CRect(0, 0, 100 - 17, 10));
    for (const auto& d : list.m_draws) {
        EXPECT_EQ(d.CtlType, ODT_LISTBOX);
        EXPECT_LT(d.itemID, 5u);  // only the rows that show
    }
    // The scroll bar's down arrow scrolls one row.
    Mouse(list, QEvent::MouseButtonPress, QPoint(95, 45), Qt::LeftButton);
    Mouse(list, QEvent::MouseButtonRelease, QPoint(95, 45), Qt::NoButton);
    EXPECT_EQ(list.GetTopIndex(), 1);
    EXPECT_EQ(SelChanges(), 0);
    // The wheel scrolls and stops at the end.
    QWidget* w = list.GetWidget();
    QWheelEvent wheel(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &wheel);
    EXPECT_EQ(list.GetTopIndex(), 3);
    EXPECT_EQ(top.Count(WM_MOUSEWHEEL), 0);  // the list used it
    BOOL outside = FALSE;
    EXPECT_EQ(list.ItemFromPoint(CPoint(5, 5), outside), 3u);
    EXPECT_FALSE(outside);
}
