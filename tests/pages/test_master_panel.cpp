// The master-level panel: the fader, the field and the spin report the level to the page, the
// toggle flips the output switch byte and asks for system command 5, the arrow keys leave the
// field for the page's neighbours, and Enter or Esc never close the panel.
#include "PromptTestKit.h"

#include "../controls/ControlTestKit.h"
#include "PageHostRecorder.h"

#include "AppMessages.h"
#include "CGainDlg.h"
#include "CNumEdit.h"
#include "CPageHost.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

namespace {

class MasterPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bySysParams[4] = 1;
        g_pPageHost = &host;
        ASSERT_TRUE(stage.Make(40, 40, 400, 700));
        ASSERT_TRUE(Activate(stage));
        panel.SetBackgroundBitmap(IDB_GAIN_BACK_CN);
        ASSERT_TRUE(panel.CreatePanel(&stage));
        panel.SetFaderChannelBitmaps(357, 0, FALSE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        panel.SetFaderThumbBitmaps(358, 0, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        panel.SetFaderRange(0, MASTER_LEVEL_MAX, FALSE);
        panel.MoveWindow(3, 440, 100, 216);
        panel.ShowWindow(SW_SHOWNORMAL);
        panel.SetLevel(60);
        Pump();
        stage.Forget();
    }
    void TearDown() override
    {
        g_pPageHost = nullptr;
        g_bySysParams[4] = 1;
    }
    std::vector<LPARAM> Levels() const
    {
        std::vector<LPARAM> out;
        for (const Received& m : stage.All(WM_MASTER_LEVEL_CHANGED)) {
            EXPECT_EQ(m.wParam, WPARAM(IDD_GAIN));
            out.push_back(m.lParam);
        }
        return out;
    }
    CPoint FaderPoint(int value) const
    {
        CRect rc;
        panel.m_sliderLevel.GetClientRect(&rc);
        return CPoint(rc.Width() / 2, panel.m_sliderLevel.PosToPixel(MASTER_LEVEL_MAX - value));
    }

    PageHostRecorder host;
    CStage stage;
    CGainDlg panel;
};

}  // namespace

TEST_F(MasterPanelTest, FaderDraggedToFiftyShowsMinusTenAndReportsIt)
{
    CBitmapSlider& fader = panel.m_sliderLevel;
    Press(fader, FaderPoint(60));
    ASSERT_TRUE(fader.IsDragging());
    // The user moves the thumb down until the fader stands at 50.
    CPoint at = FaderPoint(60);
    while (fader.GetValue() > 50 && at.y < FaderPoint(0).y) {
        ++at.y;
        DragTo(fader, at);
    }
    fader.SendMessage(WM_TIMER, SLIDER_MOVE_TIMER);
    Release(fader, at);
    Pump();

    EXPECT_EQ(panel.GetLevel(), 50);
    EXPECT_EQ(panel.m_editLevel.GetWindowText(), "-10.0dB");
    EXPECT_EQ(panel.m_spinLevel.GetPosition(), 50);
    const std::vector<LPARAM> levels = Levels();
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.back(), 50);  // the release reports the final level
    EXPECT_EQ(CWnd::GetFocus(), &panel.m_editLevel);
}

TEST_F(MasterPanelTest, FieldAndSpinMoveTheFaderAndReportTheLevel)
{
    struct Case {
        UINT from;
        int level;
        const char* text;
    };
    const Case cases[] = {
        {IDC_GAIN_LEVEL_EDIT, 66, "6.0dB"},
        {IDC_GAIN_LEVEL_SPIN, 30, "-30.0dB"},
        {IDC_GAIN_LEVEL_EDIT, 0, "OFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        stage.Forget();
        panel.m_editLevel.SetValue(c.level);
        panel.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(c.from), 0), 0);
        Pump();
        EXPECT_EQ(panel.GetLevel(), c.level);
        EXPECT_EQ(panel.m_nLevel, c.level);
        EXPECT_EQ(panel.m_editLevel.GetWindowText(), c.text);
        EXPECT_EQ(Levels(), std::vector<LPARAM>{c.level});
    }
}

TEST_F(MasterPanelTest, ToggleFlipsTheOutputSwitchAndAsksForCommandFive)
{
    const int expected[] = {0, 1, 0};
    int clicks = 0;
    for (int byte : expected) {
        Click(panel.m_btnOn, CentreOf(panel.m_btnOn));
        Pump();
        ++clicks;
        EXPECT_EQ(g_bySysParams[4], byte);
        EXPECT_EQ(panel.m_btnOn.GetCheck(), byte == 0);  // checked exactly while the output is off
        EXPECT_EQ(host.nSys5Pending, clicks);
    }
    EXPECT_TRUE(stage.All(WM_MASTER_LEVEL_CHANGED).empty());
}

TEST_F(MasterPanelTest, SetLevelShowsTheLevelAndTheSwitchState)
{
    g_bySysParams[4] = 0;
    panel.SetLevel(45);
    EXPECT_EQ(panel.GetLevel(), 45);
    EXPECT_EQ(panel.m_spinLevel.GetPosition(), 45);
    EXPECT_EQ(panel.m_editLevel.GetWindowText(), "-15.0dB");
    EXPECT_TRUE(panel.m_btnOn.GetCheck());
    g_bySysParams[4] = 1;
    panel.SetLevel(45);
    EXPECT_FALSE(panel.m_btnOn.GetCheck());
    EXPECT_TRUE(stage.All(WM_MASTER_LEVEL_CHANGED).empty());  // showing a level reports nothing
}

TEST_F(MasterPanelTest, ArrowKeysLeaveTheFieldForThePageNeighbours)
{
    // The page's band 31 gain field and a strip with its gain field.
    CNumEdit bandGain;
    ASSERT_TRUE(bandGain.Create(WS_CHILD | WS_VISIBLE, CRect(200, 10, 260, 30), &stage, IDC_GAIN_LEFT_TARGET));
    CStage strip;
    ASSERT_TRUE(strip.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(200, 100, 300, 300), &stage, 2400));
    CNumEdit stripGain;
    ASSERT_TRUE(stripGain.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 60, 25), &strip, IDC_GAIN_RIGHT_TARGET));

    struct Case {
        int key;
        CWnd* target;
    };
    const Case cases[] = {{VK_LEFT, &bandGain}, {VK_RIGHT, &stripGain}, {VK_TAB, &stripGain}, {VK_RETURN, &stripGain}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        panel.m_editLevel.SetFocus();
        Pump();
        QTest::keyClick(panel.m_editLevel.GetWidget(), c.key == VK_LEFT    ? Qt::Key_Left
                                                       : c.key == VK_RIGHT ? Qt::Key_Right
                                                       : c.key == VK_TAB   ? Qt::Key_Tab
                                                                           : Qt::Key_Return);
        Pump();
        EXPECT_EQ(CWnd::GetFocus(), c.target);
        EXPECT_TRUE(panel.IsWindowVisible());
    }
    panel.m_editLevel.SetFocus();
    QTest::keyClick(panel.m_editLevel.GetWidget(), Qt::Key_Escape);
    Pump();
    EXPECT_EQ(CWnd::GetFocus(), &panel);
    EXPECT_TRUE(panel.IsWindowVisible());
}
