// The common controls of the window layer: WM_NOTIFY and its reflection, the up-down control,
// the tab control, the progress bar and the header; the edit's modified flag, key state during
// a modifier's own key-down, and the device capabilities.
#include "TestWindows.h"

#include "CEdit.h"
#include "CHeaderCtrl.h"
#include "CProgressCtrl.h"
#include "CSpinButtonCtrl.h"
#include "CTabCtrl.h"
#include "WinApi.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <thread>

namespace {

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

struct Heard {
    UINT code;
    int pos;
    int delta;
};

// Records the notices and scroll messages; refuses up-down steps and tab changes when told to.
class CNoticeWnd : public CRecordingWnd {
public:
    std::vector<Heard> m_notices;
    std::vector<std::pair<UINT, int>> m_scrolls;  // code, position
    LRESULT m_nAnswer = 0;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        Heard h{hdr->code, 0, 0};
        if (hdr->code == UDN_DELTAPOS) {
            const auto* nm = reinterpret_cast<const NMUPDOWN*>(lParam);
            h.pos = nm->iPos;
            h.delta = nm->iDelta;
        }
        m_notices.push_back(h);
        *pResult = m_nAnswer;
        return TRUE;
    }
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd*) override { m_scrolls.emplace_back(nSBCode, short(nPos)); }
};

// A control that answers its own notices (reflection).
class CSelfSpin : public CSpinButtonCtrl {
public:
    int m_nSeen = 0;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY) {
            ++m_nSeen;
            reinterpret_cast<NMUPDOWN*>(lParam)->iDelta *= 10;  // a handler may change the step
            *pResult = 0;
            return TRUE;
        }
        return CSpinButtonCtrl::OnChildNotify(message, wParam, lParam, pResult);
    }
};

void Mouse(CWnd& w, QEvent::Type type, CPoint pt, Qt::MouseButtons held)
{
    QWidget* widget = w.GetWidget();
    QMouseEvent e(type, QPointF(pt.x, pt.y), widget->mapToGlobal(QPointF(pt.x, pt.y)), Qt::LeftButton, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &e);
}
void ClickAt(CWnd& w, CPoint pt)
{
    Mouse(w, QEvent::MouseButtonPress, pt, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, pt, Qt::NoButton);
}

class CommonControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP | WS_VISIBLE, Box(0, 0, 400, 200), nullptr, 0));
        QWidget* w = top.GetWidget();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    CNoticeWnd top;
};

}  // namespace

TEST_F(CommonControlsTest, UpDownAsksTheParentThenStepsWithinItsRange)
{
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, Box(10, 10, 16, 24), &top, 7));
    spin.SetRange32(0, 3);
    spin.SetPos32(2);
    ClickAt(spin, CPoint(8, 4));  // the upper arrow
    EXPECT_EQ(spin.GetPos32(), 3);
    ClickAt(spin, CPoint(8, 4));  // held at the top
    EXPECT_EQ(spin.GetPos32(), 3);
    ClickAt(spin, CPoint(8, 20));
    EXPECT_EQ(spin.GetPos32(), 2);
    ASSERT_EQ(top.m_notices.size(), 3u);
    EXPECT_EQ(top.m_notices[0].code, UDN_DELTAPOS);
    EXPECT_EQ(top.m_notices[0].pos, 2);
    EXPECT_EQ(top.m_notices[0].delta, 1);
    EXPECT_EQ(top.m_notices[2].delta, -1);
    // Each accepted step scrolls to the position; each release ends the scroll.
    EXPECT_EQ(top.m_scrolls.front(), (std::pair<UINT, int>{SB_THUMBPOSITION, 3}));
    EXPECT_EQ(top.m_scrolls.back(), (std::pair<UINT, int>{SB_ENDSCROLL, 2}));
    // A nonzero answer refuses the step.
    top.m_nAnswer = 1;
    ClickAt(spin, CPoint(8, 20));
    EXPECT_EQ(spin.GetPos32(), 2);
}

TEST_F(CommonControlsTest, UpDownWrapsShowsItsBuddyAndFollowsTheWheel)
{
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE, Box(40, 10, 60, 20), &top, 8));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_WRAP | UDS_SETBUDDYINT, Box(10, 10, 16, 24), &top, 7));
    spin.SetBuddy(&buddy);
    EXPECT_EQ(spin.GetBuddy(), &buddy);
    spin.SetRange32(0, 3);
    spin.SetPos32(3);
    ClickAt(spin, CPoint(8, 4));
    EXPECT_EQ(spin.GetPos32(), 0);
    EXPECT_EQ(buddy.GetWindowText(), "0");
    QWheelEvent wheel(QPointF(4, 4), spin.GetWidget()->mapToGlobal(QPointF(4, 4)), QPoint(), QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(spin.GetWidget(), &wheel);
    EXPECT_EQ(spin.GetPos32(), 2);  // two notches down from 0, wrapping round
    // An inverted range: the upper arrow still moves towards the upper end.
    spin.SetRange32(10, 0);
    spin.SetPos32(5);
    ClickAt(spin, CPoint(8, 4));
    EXPECT_EQ(spin.GetPos32(), 4);
    EXPECT_EQ(top.m_notices.back().delta, -1);
}

TEST_F(CommonControlsTest, NoticesGoToTheControlFirst)
{
    CSelfSpin spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, Box(10, 10, 16, 24), &top, 7));
    spin.SetRange32(0, 100);
    ClickAt(spin, CPoint(8, 4));
    EXPECT_EQ(spin.m_nSeen, 1);
    EXPECT_TRUE(top.m_notices.empty());
    EXPECT_EQ(spin.GetPos32(), 10);
}

TEST_F(CommonControlsTest, HeldArrowRepeats)
{
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, Box(10, 10, 16, 24), &top, 7));
    spin.SetRange32(0, 1000);
    QCursor::setPos(spin.GetWidget()->mapToGlobal(QPoint(8, 4)));
    Mouse(spin, QEvent::MouseButtonPress, CPoint(8, 4), Qt::LeftButton);
    EXPECT_EQ(spin.GetPos32(), 1);
    ASSERT_TRUE(WaitUntil([&] { return spin.GetPos32() >= 3; }));
    Mouse(spin, QEvent::MouseButtonRelease, CPoint(8, 4), Qt::NoButton);
    const int released = spin.GetPos32();
    spin.SendMessage(WM_TIMER, UD_REPEAT_TIMER);  // a late tick after the release steps nothing
    EXPECT_EQ(spin.GetPos32(), released);
}

TEST_F(CommonControlsTest, TabsLieSideBySideAndAClickSelectsWithNotices)
{
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, Box(0, 0, 400, 150), &top, 9));
    EXPECT_EQ(tabs.GetCurSel(), -1);
    tabs.InsertItem(0, "One");
    tabs.InsertItem(1, "Two");
    tabs.InsertItem(2, "Three");
    EXPECT_EQ(tabs.GetCurSel(), 0);
    CRect r0, r1, r2;
    ASSERT_TRUE(tabs.GetItemRect(0, &r0));
    ASSERT_TRUE(tabs.GetItemRect(1, &r1));
    ASSERT_TRUE(tabs.GetItemRect(2, &r2));
    EXPECT_EQ(r0.left, 2);
    EXPECT_EQ(r1.left, r0.right);
    EXPECT_EQ(r2.left, r1.right);
    EXPECT_GT(r2.Width(), r1.Width());  // "Three" is wider
    EXPECT_FALSE(tabs.GetItemRect(3, &r0));
    TCHITTESTINFO hit{r1.CenterPoint(), 0};
    EXPECT_EQ(tabs.HitTest(&hit), 1);
    EXPECT_EQ(hit.flags, TCHT_ONITEM);
    hit.pt = CPoint(390, 5);
    EXPECT_EQ(tabs.HitTest(&hit), -1);

    ClickAt(tabs, r2.CenterPoint());
    EXPECT_EQ(tabs.GetCurSel(), 2);
    ASSERT_EQ(top.m_notices.size(), 2u);
    EXPECT_EQ(top.m_notices[0].code, TCN_SELCHANGING);
    EXPECT_EQ(top.m_notices[1].code, TCN_SELCHANGE);
    top.m_nAnswer = 1;  // a refused change keeps the selection
    ClickAt(tabs, r0.CenterPoint());
    EXPECT_EQ(tabs.GetCurSel(), 2);

    // The selection follows insertions and deletions before it.
    tabs.InsertItem(0, "Zero");
    EXPECT_EQ(tabs.GetCurSel(), 3);
    tabs.DeleteItem(0);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    tabs.DeleteItem(2);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    char buf[8] = {};
    TCITEM item{TCIF_TEXT, 0, 0, buf, int(sizeof buf), 0, 0};
    ASSERT_TRUE(tabs.GetItem(1, &item));
    EXPECT_STREQ(buf, "Two");
    EXPECT_EQ(tabs.SetCurSel(7), -1);

    CRect body(0, 0, 400, 150);
    tabs.AdjustRect(FALSE, &body);
    EXPECT_GT(body.top, r0.bottom);
    tabs.AdjustRect(TRUE, &body);
    EXPECT_EQ(body, CRect(0, 0, 400, 150));
}

namespace {

class COwnerTabs : public CTabCtrl {
public:
    std::vector<std::pair<UINT, UINT>> m_drawn;  // tab, state
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        EXPECT_EQ(dis->CtlType, ODT_TAB);
        m_drawn.emplace_back(dis->itemID, dis->itemState);
    }
};

}  // namespace

TEST_F(CommonControlsTest, OwnerDrawnTabsAreDrawnByTheirClassThroughTheParent)
{
    COwnerTabs tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED, Box(0, 0, 300, 100), &top, 9));
    tabs.InsertItem(0, "A");
    tabs.InsertItem(1, "B");
    tabs.SetCurSel(1);
    tabs.m_drawn.clear();
    Grab(tabs);
    EXPECT_EQ(tabs.m_drawn, (std::vector<std::pair<UINT, UINT>>{{0, 0}, {1, ODS_SELECTED}}));
}

TEST_F(CommonControlsTest, ProgressHoldsItsPositionAndTakesPostsFromAnyThread)
{
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, Box(10, 10, 200, 20), &top, 10));
    bar.SetRange32(0, 50);
    EXPECT_EQ(bar.SetPos(70), 0);
    EXPECT_EQ(bar.GetPos(), 50);
    bar.SetPos(-5);
    EXPECT_EQ(bar.GetPos(), 0);
    bar.SetStep(20);
    bar.SetPos(40);
    bar.StepIt();  // 60 wraps round to 10
    EXPECT_EQ(bar.GetPos(), 10);
    int lo = -1, hi = -1;
    bar.GetRange(lo, hi);
    EXPECT_EQ(hi, 50);
    const HWND h = bar.GetSafeHwnd();
    std::thread worker([h] { PostMessage(h, PBM_SETPOS, 25, 0); });
    worker.join();
    ASSERT_TRUE(WaitUntil([&] { return bar.GetPos() == 25; }));
    // The filled part is drawn in the highlight colour.
    EXPECT_EQ(PixelOf(Grab(bar), 40, 10), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelOf(Grab(bar), 150, 10), GetSysColor(COLOR_BTNFACE));
}

TEST_F(CommonControlsTest, HeaderColumnsAndLayout)
{
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, Box(0, 0, 300, 20), &top, 11));
    char first[] = "Name";
    HDITEM a{HDI_WIDTH | HDI_TEXT, 120, first, 0, 0};
    HDITEM b{HDI_WIDTH, 80, nullptr, 0, 0};
    EXPECT_EQ(header.InsertItem(0, &a), 0);
    EXPECT_EQ(header.InsertItem(5, &b), 1);
    EXPECT_EQ(header.SendMessage(HDM_GETITEMCOUNT), 2);
    CRect rc;
    ASSERT_TRUE(header.GetItemRect(1, &rc));
    EXPECT_EQ(rc, CRect(120, 0, 200, 20));
    char buf[16] = {};
    HDITEM get{HDI_TEXT | HDI_WIDTH, 0, buf, int(sizeof buf), 0};
    ASSERT_TRUE(header.GetItem(0, &get));
    EXPECT_STREQ(buf, "Name");
    EXPECT_EQ(get.cxy, 120);
    CRect area(0, 30, 300, 200);
    WINDOWPOS pos{};
    HDLAYOUT layout{&area, &pos};
    ASSERT_TRUE(header.Layout(&layout));
    EXPECT_EQ(pos.y, 30);
    EXPECT_EQ(pos.cx, 300);
    EXPECT_GT(pos.cy, 10);
    EXPECT_EQ(area.top, 30 + pos.cy);
}

TEST_F(CommonControlsTest, EditKnowsWhetherTheUserChangedIt)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, Box(10, 10, 100, 20), &top, 12));
    edit.SetFocus();
    EXPECT_FALSE(edit.GetModify());
    QTest::keyClicks(edit.GetWidget(), "12");
    EXPECT_TRUE(edit.GetModify());
    edit.SetWindowText("7");
    EXPECT_FALSE(edit.GetModify());
    edit.ReplaceSel("3");
    EXPECT_TRUE(edit.GetModify());
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
}

namespace {

class CKeyStateWnd : public CRecordingWnd {
public:
    std::vector<std::pair<UINT, bool>> m_keys;  // key, Shift down at its WM_KEYDOWN

protected:
    void OnKeyDown(UINT nChar, UINT, UINT) override
    {
        m_keys.emplace_back(nChar, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    }
};

}  // namespace

TEST_F(CommonControlsTest, ModifierIsDownDuringItsOwnKeyDownAndUpAfterItsRelease)
{
    CKeyStateWnd w;
    ASSERT_TRUE(w.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(10, 10, 50, 50), &top, 13));
    w.SetFocus();
    QTest::keyClick(w.GetWidget(), Qt::Key_A, Qt::ShiftModifier);
    QTest::keyClick(w.GetWidget(), Qt::Key_B);
    ASSERT_EQ(w.m_keys.size(), 3u);
    EXPECT_EQ(w.m_keys[0], (std::pair<UINT, bool>{VK_SHIFT, true}));
    EXPECT_EQ(w.m_keys[1], (std::pair<UINT, bool>{'A', true}));
    EXPECT_EQ(w.m_keys[2], (std::pair<UINT, bool>{'B', false}));
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST(DeviceCaps, ScreenColourDepthAndFixedDpi)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_GE(dc.GetDeviceCaps(BITSPIXEL), 16);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(dc.GetDeviceCaps(999), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
}
