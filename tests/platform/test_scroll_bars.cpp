// Window scroll bars: range, page and position rules, visibility, and the messages a user's
// action on a bar sends to its window.
#include "TestWindows.h"

#include "ScrollBars.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {
class CBarWnd : public CRecordingWnd {
public:
    CWndScrollBars bars;
    int OnCreate(LPCREATESTRUCT cs) override
    {
        const int r = CWnd::OnCreate(cs);
        bars.Attach(this);
        return r;
    }
};

QScrollBar* BarOf(CWnd& w, Qt::Orientation o)
{
    for (QScrollBar* b : w.GetWidget()->findChildren<QScrollBar*>())
        if (b->orientation() == o)
            return b;
    return nullptr;
}
}  // namespace

TEST(ScrollBars, PositionStaysInsideRangeLessPage)
{
    CWndScrollBars bars;  // no window: the numbers still hold
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = 379;
    si.nPage = 164;
    bars.SetScrollInfo(SB_VERT, &si);
    struct Case {
        int set, want;
    } cases[] = {{0, 0}, {100, 100}, {216, 216}, {217, 216}, {379, 216}, {-5, 0}};
    for (const auto& c : cases) {
        bars.SetScrollPos(SB_VERT, c.set);
        EXPECT_EQ(bars.GetScrollPos(SB_VERT), c.want) << c.set;
    }
    EXPECT_TRUE(bars.IsVisible(SB_VERT));
    bars.SetScrollRange(SB_VERT, 0, 0);
    EXPECT_FALSE(bars.IsVisible(SB_VERT));
    EXPECT_EQ(bars.GetScrollPos(SB_VERT), 0);
    EXPECT_FALSE(bars.IsVisible(SB_HORZ));
    SCROLLINFO bad;
    EXPECT_FALSE(bars.GetScrollInfo(7, &bad));
}

TEST(ScrollBars, ShownBarsShrinkTheClientAreaAndSendActions)
{
    CBarWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "bars", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = 499;
    si.nPage = 100;
    w.bars.SetScrollInfo(SB_VERT, &si);
    CRect rc;
    w.GetClientRect(&rc);
    w.bars.AdjustClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 200 - CWndScrollBars::BarSize(), 100));

    QScrollBar* v = BarOf(w, Qt::Vertical);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisibleTo(w.GetWidget()));
    w.m_log.clear();
    v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(w.Count(WM_VSCROLL), 1);
    EXPECT_EQ(LOWORD(w.Last(WM_VSCROLL)->wParam), SB_LINEDOWN);
    // The window decides: the bar's own position has not moved.
    EXPECT_EQ(w.bars.GetScrollPos(SB_VERT), 0);
    EXPECT_EQ(v->value(), 0);
    v->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(LOWORD(w.Last(WM_VSCROLL)->wParam), SB_PAGEUP);
    v->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(LOWORD(w.Last(WM_VSCROLL)->wParam), SB_BOTTOM);
    EXPECT_EQ(w.Count(WM_HSCROLL), 0);
}
