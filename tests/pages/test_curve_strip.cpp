// The curve-overlay strip: each toggle flips its output's overlay flag and its own check, the
// strip takes its template layout, and Enter or Esc never close it.
#include "PromptTestKit.h"

#include "../controls/ControlTestKit.h"

#include "CChangnal_Line.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CurveStripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        std::fill(std::begin(g_bShowCurve), std::end(g_bShowCurve), 0);
        g_nCurOutput = 0;
        ASSERT_TRUE(stage.Make(40, 40, 300, 300));
        ASSERT_TRUE(Activate(stage));
        ASSERT_TRUE(strip.CreatePanel(&stage));
        strip.MoveWindow(10, 6, 38, 210);
        strip.ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override { std::fill(std::begin(g_bShowCurve), std::end(g_bShowCurve), 0); }

    CStage stage;
    CChangnal_Line strip;
};

}  // namespace

TEST_F(CurveStripTest, ToggleFlipsOnlyItsOwnChannelsFlag)
{
    struct Case {
        int channel;
        int clicks;
    };
    const Case cases[] = {{0, 1}, {3, 1}, {9, 2}, {5, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        int before[SHOW_CURVE_COUNT];
        std::copy(std::begin(g_bShowCurve), std::end(g_bShowCurve), before);
        for (int k = 0; k < c.clicks; ++k)
            Click(strip.m_btnChannel[c.channel], CentreOf(strip.m_btnChannel[c.channel]));
        Pump();
        const int expected = c.clicks % 2;
        EXPECT_EQ(g_bShowCurve[c.channel], expected);
        EXPECT_EQ(strip.m_btnChannel[c.channel].GetCheck(), expected);
        for (int i = 0; i < SHOW_CURVE_COUNT; ++i) {
            if (i != c.channel) {
                EXPECT_EQ(g_bShowCurve[i], before[i]) << i;
            }
        }
    }
}

TEST_F(CurveStripTest, ButtonsSitInTheirColumnWithTheirIds)
{
    // Template places in units of the 8 x 16 system font: channel i at y 3 + 9i, the big-curve
    // button at y 92, all at the left edge.
    auto TopLeftOf = [this](CWnd& w) {
        CRect rc;
        w.GetWindowRect(&rc);
        strip.ScreenToClient(&rc);
        return rc.TopLeft();
    };
    for (int i = 0; i < CURVE_LINE_CHANNELS; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(strip.GetDlgItem(int(IDC_CURVE_CHANNEL) + i), &strip.m_btnChannel[i]);
        EXPECT_EQ(TopLeftOf(strip.m_btnChannel[i]), CPoint(0, 6 + 18 * i));
    }
    EXPECT_EQ(strip.GetDlgItem(int(IDC_BIG_CURVE)), &strip.m_btnBigCurve);
    EXPECT_EQ(TopLeftOf(strip.m_btnBigCurve), CPoint(0, 184));
}

TEST_F(CurveStripTest, EnterAndEscapeLeaveItOpen)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        strip.m_btnChannel[2].SetFocus();
        QTest::keyClick(strip.m_btnChannel[2].GetWidget(), key);
        Pump();
        EXPECT_TRUE(strip.IsWindowVisible()) << key;
    }
    EXPECT_EQ(g_bShowCurve[2], 0);
}
