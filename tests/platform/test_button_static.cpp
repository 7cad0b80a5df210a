// Buttons and statics of the window layer: clicks and their notices, check boxes and radio
// groups, owner drawing reflected to the control, the colour message, and static text.
#include "TestWindows.h"

#include "CButton.h"
#include "CStatic.h"
#include "WinApi.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

void Mouse(CWnd& wnd, QEvent::Type type, QPoint p, Qt::MouseButtons held = Qt::NoButton)
{
    QWidget* w = wnd.GetWidget();
    const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), b, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void ClickAt(CWnd& wnd, QPoint p)
{
    Mouse(wnd, QEvent::MouseButtonPress, p, Qt::LeftButton);
    Mouse(wnd, QEvent::MouseButtonRelease, p);
}

std::vector<WPARAM> Commands(const CRecordingWnd& parent)
{
    std::vector<WPARAM> out;
    for (const auto& m : parent.m_log)
        if (m.message == WM_COMMAND)
            out.push_back(m.wParam);
    return out;
}

// Draws itself red through the reflected WM_DRAWITEM and answers the colour message.
class COwnerButton : public CButton {
public:
    std::vector<DRAWITEMSTRUCT> m_draws;
    int m_nColourAsks = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        m_draws.push_back(*lpDIS);
        CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, RGB(255, 0, 0));
    }
    HBRUSH CtlColor(CDC*, UINT nCtlColor) override
    {
        EXPECT_EQ(nCtlColor, CTLCOLOR_BTN);
        ++m_nColourAsks;
        return nullptr;  // leave it to the parent
    }
};

class CBrushParent : public CSolidWnd {
public:
    CBrushParent() : CSolidWnd(RGB(0, 0, 255)) { m_brush.CreateSolidBrush(RGB(0, 128, 0)); }
    CBrush m_brush;
    bool m_bGiveBrush = true;

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override
    {
        HBRUSH b = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
        if (nCtlColor == CTLCOLOR_STATIC && m_bGiveBrush) {
            pDC->SetTextColor(RGB(255, 255, 0));
            pDC->SetBkMode(TRANSPARENT);
            return m_brush;
        }
        return b;
    }
};

bool HasColour(const QImage& img, COLORREF clr)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (PixelOf(img, x, y) == clr)
                return true;
    return false;
}

}  // namespace

TEST(Button, ClickNoticeOnlyWhenReleasedOverTheButton)
{
    CRecordingWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 200, 60), nullptr, 0));
    CButton b;
    ASSERT_TRUE(b.Create("OK", WS_CHILD | WS_VISIBLE, Box(10, 10, 60, 24), &top, 7));
    Mouse(b, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    EXPECT_EQ(b.GetState() & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(CWnd::GetCapture(), &b);
    Mouse(b, QEvent::MouseMove, QPoint(100, 5), Qt::LeftButton);
    EXPECT_EQ(b.GetState() & BST_PUSHED, 0u);  // pointer off the button: not pushed
    Mouse(b, QEvent::MouseButtonRelease, QPoint(100, 5));
    EXPECT_TRUE(Commands(top).empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    ClickAt(b, QPoint(5, 5));
    EXPECT_EQ(Commands(top), std::vector<WPARAM>{MAKEWPARAM(7, BN_CLICKED)});
    EXPECT_EQ(CWnd::GetFocus(), &b);
    b.SendMessage(BM_CLICK);
    EXPECT_EQ(Commands(top).size(), 2u);
}

TEST(Button, AutoCheckBoxTogglesAndRadioButtonsShareTheirGroup)
{
    CRecordingWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 300, 60), nullptr, 0));
    CButton check, r1, r2, r3, other;
    ASSERT_TRUE(check.Create("c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, Box(0, 0, 50, 20), &top, 1));
    ASSERT_TRUE(r1.Create("1", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, Box(60, 0, 50, 20), &top, 2));
    ASSERT_TRUE(r2.Create("2", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, Box(120, 0, 50, 20), &top, 3));
    ASSERT_TRUE(r3.Create("3", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, Box(180, 0, 50, 20), &top, 4));
    ASSERT_TRUE(other.Create("o", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, Box(240, 0, 50, 20), &top, 5));
    ClickAt(check, QPoint(3, 3));
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    ClickAt(check, QPoint(3, 3));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    other.SetCheck(BST_CHECKED);
    ClickAt(r1, QPoint(3, 3));
    ClickAt(r3, QPoint(3, 3));
    EXPECT_EQ(r1.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(r3.GetCheck(), BST_CHECKED);
    EXPECT_EQ(other.GetCheck(), BST_CHECKED);  // another group
    // A plain push button keeps no check.
    CButton push;
    ASSERT_TRUE(push.Create("p", WS_CHILD, Box(0, 30, 50, 20), &top, 6));
    push.SetCheck(BST_CHECKED);
    EXPECT_EQ(push.GetCheck(), BST_UNCHECKED);
}

TEST(Button, OwnerDrawnButtonIsDrawnThroughItsParentAndAsksForItsColours)
{
    CRecordingWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 100, 60), nullptr, 0));
    COwnerButton b;
    ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Box(10, 10, 40, 20), &top, 9));
    const QImage img = Grab(top);
    EXPECT_EQ(PixelOf(img, 20, 20), RGB(255, 0, 0));
    ASSERT_FALSE(b.m_draws.empty());
    EXPECT_GT(b.m_nColourAsks, 0);
    const DRAWITEMSTRUCT& d = b.m_draws.back();
    EXPECT_EQ(d.CtlType, ODT_BUTTON);
    EXPECT_EQ(d.CtlID, 9u);
    EXPECT_EQ(d.hwndItem, b.GetSafeHwnd());
    EXPECT_EQ(d.rcItem, CRect(0, 0, 40, 20));
    EXPECT_NE(top.Last(WM_DRAWITEM), nullptr);
    EXPECT_NE(top.Last(WM_CTLCOLORBTN), nullptr);
    b.EnableWindow(FALSE);
    Grab(top);
    EXPECT_TRUE(b.m_draws.back().itemState & ODS_DISABLED);
}

TEST(Static, TextInTheParentsColoursAndClickNoticesWithNotify)
{
    CBrushParent top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 200, 60), nullptr, 0));
    CStatic label, notify;
    ASSERT_TRUE(label.Create("WWWW", WS_CHILD | WS_VISIBLE, Box(0, 0, 100, 20), &top, 1));
    ASSERT_TRUE(notify.Create("x", WS_CHILD | WS_VISIBLE | SS_NOTIFY, Box(0, 30, 100, 20), &top, 2));
    QImage img = Grab(top).copy(0, 0, 100, 20);
    EXPECT_EQ(PixelOf(img, 99, 19), RGB(0, 128, 0));  // the parent's brush
    EXPECT_TRUE(HasColour(img, RGB(255, 255, 0)));     // and its text colour
    top.m_bGiveBrush = false;
    label.Invalidate();
    img = Grab(top).copy(0, 0, 100, 20);
    EXPECT_EQ(PixelOf(img, 99, 19), RGB(0, 0, 255));  // no brush: the parent shows

    ClickAt(notify, QPoint(3, 3));
    Mouse(notify, QEvent::MouseButtonDblClick, QPoint(3, 3), Qt::LeftButton);
    const auto cmds = Commands(top);
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0], MAKEWPARAM(2, STN_CLICKED));
    EXPECT_EQ(cmds[1], MAKEWPARAM(2, STN_DBLCLK));
    // Without SS_NOTIFY the pointer passes through to the parent.
    EXPECT_TRUE(label.GetWidget()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(notify.GetWidget()->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(Static, BitmapStyleShowsItsBitmap)
{
    CSolidWnd top(RGB(0, 0, 255));
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 60, 40), nullptr, 0));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 10, 10);
    CBitmap* old = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 10, 10, RGB(0, 255, 0));
    dc.SelectObject(old);
    CStatic pic;
    ASSERT_TRUE(pic.Create("", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, Box(0, 0, 30, 30), &top, 1));
    pic.SetBitmap(bmp);
    const QImage img = Grab(top);
    EXPECT_EQ(PixelOf(img, 15, 15), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(img, 2, 2), RGB(0, 0, 255));
}

TEST(DrawTextEllipsis, PathAndWordEllipsisShortenALongLine)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 300, 20);
    dc.SelectObject(&bmp);
    // Without clipping, only the shortened text stays inside its 60 pixels.
    auto inkRight = [&](UINT flags) {
        dc.FillSolidRect(0, 0, 300, 20, RGB(255, 255, 255));
        CRect r(0, 0, 60, 20);
        dc.DrawText("abcdefghijklmnopqrstuvwxyz0123456789", &r, DT_SINGLELINE | DT_NOCLIP | flags);
        int right = 0;
        for (int x = 0; x < 300; ++x)
            for (int y = 0; y < 20; ++y)
                if (dc.GetPixel(x, y) != RGB(255, 255, 255))
                    right = x;
        return right;
    };
    EXPECT_GT(inkRight(0), 60);
    EXPECT_LT(inkRight(DT_WORD_ELLIPSIS), 60);
    EXPECT_LT(inkRight(DT_PATH_ELLIPSIS), 60);
}
