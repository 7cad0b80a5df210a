// The wheel arithmetic and the title tip's fit rule.
#include "GridTestKit.h"

#include "CTitleTip.h"

#include <gtest/gtest.h>

using namespace GridKit;

TEST(GridWheel, StepsPerMovement)
{
    struct Case {
        short delta;
        int lines;
        UINT code;
        int count;
    } cases[] = {
        {-120, 3, SB_LINEDOWN, 3}, {120, 3, SB_LINEUP, 3},  {40, 3, SB_LINEUP, 1},   {-40, 3, SB_LINEDOWN, 1},
        {20, 3, SB_LINEDOWN, 0},   {-120, -1, SB_PAGEDOWN, 1}, {240, -1, SB_PAGEUP, 2}, {60, -1, SB_PAGEDOWN, 0},
        {-360, 5, SB_LINEDOWN, 15},
    };
    for (const auto& c : cases) {
        const CGridCtrl::WheelSteps s = CGridCtrl::WheelScroll(c.delta, c.lines);
        EXPECT_EQ(s.nCount, c.count) << c.delta << " " << c.lines;
        if (c.count) {
            EXPECT_EQ(s.nCode, c.code) << c.delta << " " << c.lines;
        }
    }
}

TEST(GridWheel, OneNotchMovesThreeRows)
{
    SettingsStore::DeleteKey("Control Panel\\Desktop");
    Fixture f(320, 200);
    FillPlain(*f.grid, 40, 3, 20, 50);
    QWidget* w = f.grid->GetWidget();
    QWheelEvent e(QPointF(60, 60), w->mapToGlobal(QPointF(60, 60)), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
    Pump();
    EXPECT_EQ(f.grid->GetFirstScrolledCell().row, 4);
}

TEST(TitleTip, FitRule)
{
    const CRect cell(10, 0, 110, 20);  // 100 wide
    struct Case {
        int textWidth;
        int offset;
        BOOL shows;
    } cases[] = {
        {100, 0, FALSE}, {101, 0, TRUE},  {40, 0, FALSE},
        {85, 5, FALSE},  {86, 5, TRUE},   // the limit is the width minus 3 x offset
        {70, 10, FALSE}, {71, 10, TRUE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTitleTip::NeedsTip(cell, c.textWidth, c.offset), c.shows) << c.textWidth << " " << c.offset;
}

TEST(TitleTip, GridMakesItHiddenAndShowsItOnlyForLongText)
{
    Fixture f(300, 120);
    FillPlain(*f.grid, 3, 3);
    CTitleTip& tip = f.grid->GetTitleTip();
    ASSERT_TRUE(tip.m_hWnd);
    EXPECT_FALSE(tip.IsWindowVisible());
    QWidget* top = f.host.GetWidget();
    top->activateWindow();
    QApplication::setActiveWindow(top);
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    f.grid->SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), f.grid.get());
    tip.ShowTip(CRect(50, 20, 100, 40), "ab");
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    tip.ShowTip(CRect(50, 20, 100, 40), "a text far wider than the fifty pixel cell");
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_EQ(CWnd::GetCapture(), &tip);
    f.grid->SendMessage(WM_VSCROLL, SB_LINEDOWN);  // scrolling hides it
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_NE(CWnd::GetCapture(), &tip);
}
