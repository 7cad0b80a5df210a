// Window shapes, sibling order and groups, reading back what a window shows, the work area,
// popups that stay on top, the desktop opener and turning pictures.
#include "TestWindows.h"

#include "CImage.h"
#include "GdiData.h"
#include "WinApi.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

// During its paint, copies what its parent shows under it from a context of the parent.
class CReaderWnd : public CRecordingWnd {
public:
    COLORREF m_clrSeen = CLR_INVALID;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CClientDC parentDC(GetParent());
        CRect rc;
        GetWindowRect(&rc);
        GetParent()->ScreenToClient(&rc);
        m_clrSeen = parentDC.GetPixel(rc.left + 2, rc.top + 2);
        dc.FillSolidRect(0, 0, rc.Width(), rc.Height(), RGB(255, 255, 0));
    }
};

}  // namespace

TEST(WindowRegion, ShapesWhatShowsAndWhatTakesThePointer)
{
    CSolidWnd top(RGB(0, 0, 255));
    CSolidWnd child(RGB(255, 0, 0));
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 60, 40), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(10, 10, 30, 20), &top, 1));
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 10, 10);
    const int before = GdiTable::Count();
    ASSERT_TRUE(child.SetWindowRgn(rgn, TRUE));
    rgn.Detach();  // the window owns it now
    QImage img = Grab(top);
    EXPECT_EQ(PixelOf(img, 12, 12), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(img, 30, 25), RGB(0, 0, 255));  // outside the region: the parent
    EXPECT_EQ(top.GetWidget()->childAt(30, 25), nullptr);
    EXPECT_EQ(top.GetWidget()->childAt(12, 12), child.GetWidget());
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(child.GetWindowRgn(copy), SIMPLEREGION);
    EXPECT_TRUE(copy.PtInRegion(9, 9));
    EXPECT_FALSE(copy.PtInRegion(10, 9));
    // A new region replaces and frees the old one; null removes the shape.
    CRgn second;
    second.CreateRectRgn(0, 0, 5, 5);
    child.SetWindowRgn(second, FALSE);
    second.Detach();
    EXPECT_EQ(GdiTable::Count(), before + 1);  // copy + second - first
    child.SetWindowRgn(nullptr, TRUE);
    EXPECT_EQ(child.GetWindowRgn(copy), RGN_ERROR);
    img = Grab(top);
    EXPECT_EQ(PixelOf(img, 30, 25), RGB(255, 0, 0));
}

TEST(WindowTree, SiblingOrderAndDialogGroups)
{
    CRecordingWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 100, 40), nullptr, 0));
    CRecordingWnd a, b, c, d, e;
    ASSERT_TRUE(a.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_GROUP, Box(0, 0, 5, 5), &top, 1));
    ASSERT_TRUE(b.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(0, 0, 5, 5), &top, 2));
    ASSERT_TRUE(c.Create(nullptr, "", WS_CHILD, Box(0, 0, 5, 5), &top, 3));  // hidden
    ASSERT_TRUE(d.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(0, 0, 5, 5), &top, 4));
    ASSERT_TRUE(e.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_GROUP, Box(0, 0, 5, 5), &top, 5));
    EXPECT_EQ(top.GetWindow(GW_CHILD), &a);
    EXPECT_EQ(a.GetWindow(GW_HWNDNEXT), &b);
    EXPECT_EQ(b.GetWindow(GW_HWNDPREV), &a);
    EXPECT_EQ(a.GetWindow(GW_HWNDPREV), nullptr);
    EXPECT_EQ(c.GetWindow(GW_HWNDLAST), &e);
    EXPECT_EQ(top.GetNextDlgGroupItem(&a), &b);
    EXPECT_EQ(top.GetNextDlgGroupItem(&b), &d);  // the hidden one is skipped
    EXPECT_EQ(top.GetNextDlgGroupItem(&d), &a);  // round, not into the next group
    EXPECT_EQ(top.GetNextDlgGroupItem(&a, TRUE), &d);
    EXPECT_EQ(top.GetNextDlgGroupItem(&e), &e);  // alone in its group
    EXPECT_EQ(top.GetNextDlgGroupItem(&top), nullptr);
}

TEST(WindowTree, ChildWithoutVisibleStyleStaysHiddenWhenItsParentShowsLater)
{
    CRecordingWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP, Box(0, 0, 100, 40), nullptr, 0));
    CRecordingWnd shown, hidden;
    ASSERT_TRUE(shown.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(0, 0, 5, 5), &top, 1));
    ASSERT_TRUE(hidden.Create(nullptr, "", WS_CHILD, Box(0, 0, 5, 5), &top, 2));
    top.ShowWindow(SW_SHOW);
    EXPECT_TRUE(shown.IsWindowVisible());
    EXPECT_FALSE(hidden.IsWindowVisible());
    hidden.ShowWindow(SW_SHOW);
    EXPECT_TRUE(hidden.IsWindowVisible());
}

TEST(WindowContext, AParentsContextDuringAChildsPaintHoldsTheParentsPixels)
{
    CSolidWnd top(RGB(0, 128, 255));
    CReaderWnd child;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 60, 40), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(20, 10, 20, 20), &top, 1));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top.GetWidget()));
    ASSERT_TRUE(WaitUntil([&] { return child.m_clrSeen != CLR_INVALID; }));
    EXPECT_EQ(child.m_clrSeen, RGB(0, 128, 255));
    child.m_clrSeen = CLR_INVALID;
    Grab(top);  // the same while painting into a grab
    EXPECT_EQ(child.m_clrSeen, RGB(0, 128, 255));
    // Outside any paint the window's context reads what it shows, the child's yellow included.
    CClientDC dc(&top);
    EXPECT_EQ(dc.GetPixel(25, 15), RGB(255, 255, 0));
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(0, 128, 255));
}

TEST(Desktop, WorkAreaIsThePrimaryScreensFreeArea)
{
    CRect rc;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &rc, 0));
    const QRect a = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(rc, CRect(a.left(), a.top(), a.left() + a.width(), a.top() + a.height()));
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &rc, 0));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
}

TEST(Desktop, ShellExecuteGoesThroughTheOpenerAndOpensNothingHeadless)
{
    // Headless there is no desktop: nothing opens and the result says so.
    EXPECT_LE(uintptr_t(ShellExecute(nullptr, "open", "http://127.0.0.1:9/", nullptr, nullptr, SW_SHOW)), 32u);
    std::vector<CString> seen;
    const ShellOpener previous = SetShellOpener([&](const CString& verb, const CString& file) {
        seen.push_back(verb + "|" + file);
        return true;
    });
    EXPECT_GT(uintptr_t(ShellExecute(nullptr, "open", "a.txt", nullptr, nullptr, SW_SHOWMINIMIZED)), 32u);
    EXPECT_EQ(seen, std::vector<CString>{"open|a.txt"});
    SetShellOpener(previous);
}

TEST(Popup, OwnedToolWindowStaysOnTopAtItsScreenPlace)
{
    CRecordingWnd owner, popup;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "o", WS_POPUP | WS_VISIBLE, Box(50, 50, 100, 40), nullptr, 0));
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, nullptr, "", WS_POPUP, Box(0, 0, 0, 0), &owner, 0));
    const Qt::WindowFlags f = popup.GetWidget()->windowFlags();
    EXPECT_TRUE(f & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(popup.GetWindow(GW_OWNER), &owner);
    popup.MoveWindow(60, 90, 80, 30, FALSE);
    popup.ShowWindow(SW_SHOW);
    CRect rc;
    popup.GetWindowRect(&rc);
    EXPECT_EQ(rc, Box(60, 90, 80, 30));
}

TEST(Popup, TheTitleBarHasACloseBoxOnlyWithTheSystemMenu)
{
    struct Case {
        DWORD style;
        bool frameless;
        bool closeBox;
    };
    const Case cases[] = {
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, false, true},
        {WS_POPUP | WS_CAPTION, false, false},  // the transfer popup: a caption and nothing to close
        {WS_OVERLAPPEDWINDOW, false, true},
        {WS_POPUP, true, false},
    };
    for (const Case& c : cases) {
        CRecordingWnd w;
        ASSERT_TRUE(w.CreateEx(0, nullptr, "w", c.style, Box(10, 10, 100, 40), nullptr, 0));
        const Qt::WindowFlags f = w.GetWidget()->windowFlags();
        EXPECT_EQ(bool(f & Qt::FramelessWindowHint), c.frameless) << std::hex << c.style;
        // Without CustomizeWindowHint the window system adds its usual buttons, close box included.
        const bool closeBox = !c.frameless && (!(f & Qt::CustomizeWindowHint) || (f & Qt::WindowCloseButtonHint));
        EXPECT_EQ(closeBox, c.closeBox) << std::hex << c.style;
        if (!c.frameless) {
            EXPECT_TRUE(!(f & Qt::CustomizeWindowHint) || (f & Qt::WindowTitleHint)) << std::hex << c.style;
        }
    }
}

TEST(ImageTurn, RotateAndFlipCodes)
{
    // A 2 x 1 picture: red left, green right.
    QImage src(2, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgb(255, 0, 0));
    src.setPixel(1, 0, qRgb(0, 255, 0));
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    src.save(&buf, "PNG");
    struct Case {
        int code;
        QSize size;
        QPoint red;
    };
    const Case cases[] = {{0, {2, 1}, {0, 0}}, {1, {1, 2}, {0, 0}}, {2, {2, 1}, {1, 0}}, {3, {1, 2}, {0, 1}},
                          {4, {2, 1}, {1, 0}}, {6, {2, 1}, {0, 0}}, {9, {2, 1}, {0, 0}}};
    for (const Case& c : cases) {
        CImage img;
        ASSERT_TRUE(img.LoadFromMemory(png.constData(), size_t(png.size())));
        img.RotateFlip(c.code);
        EXPECT_EQ(QSize(img.GetWidth(), img.GetHeight()), c.size) << c.code;
        EXPECT_EQ(img.GetPixelARGB(c.red.x(), c.red.y()), 0xFFFF0000u) << c.code;
    }
}
