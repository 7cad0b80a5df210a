// The pair routing panel: created hidden with its pair's backgrounds, labels in both
// languages, and inert controls: clicks, fader drags, Enter and Esc change nothing.
#include "PromptTestKit.h"

#include "../controls/ControlTestKit.h"

#include "CBTLRouteDlg.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PairPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        scene = std::make_unique<CKTV_Data>();
        ASSERT_TRUE(stage.Make(40, 40, 300, 320));
        ASSERT_TRUE(Activate(stage));
    }
    void TearDown() override
    {
        g_bChinese = 0;
        scene.reset();
    }

    std::unique_ptr<CKTV_Data> scene;
    CStage stage;
};

}  // namespace

TEST_F(PairPanelTest, EachPairLoadsItsBackgroundsAndStartsHidden)
{
    struct Case {
        int pair;
        UINT cn, en;
    };
    const Case cases[] = {{0, 963, 968}, {1, 960, 965}, {2, 961, 966}, {3, 959, 964}, {4, 962, 967}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pair);
        UINT cn = 0, en = 0;
        ASSERT_TRUE(CBTLRouteDlg::PairBackgrounds(c.pair, &cn, &en));
        EXPECT_EQ(cn, c.cn);
        EXPECT_EQ(en, c.en);
        CBTLRouteDlg panel;
        ASSERT_TRUE(panel.CreatePanel(&stage, c.pair));
        EXPECT_FALSE(panel.IsWindowVisible());
        EXPECT_FALSE(panel.CreatePanel(&stage, c.pair));  // once only
    }
    CBTLRouteDlg outside;
    EXPECT_FALSE(outside.CreatePanel(&stage, 5));
    EXPECT_FALSE(outside.CreatePanel(&stage, -1));
    EXPECT_FALSE(outside.GetSafeHwnd());
}

TEST_F(PairPanelTest, LabelsFollowTheLanguage)
{
    CBTLRouteDlg panel;
    ASSERT_TRUE(panel.CreatePanel(&stage, 0));
    struct Case {
        int row;
        UINT button;
        const char* cn;
        const char* en;
    };
    const Case cases[] = {{0, 1, "高1", "Hi.1"},    {6, 7, "低1", "AUX1"},     {8, 9, "光左", "SP-L"},
                          {9, 10, "光右", "SP-R"}, {10, 13, "蓝左", "BLE-L"}, {11, 14, "蓝右", "BLE-R"}};
    for (BOOL chinese : {FALSE, TRUE}) {
        g_bChinese = chinese;
        panel.SetLanguageTexts();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.row);
            EXPECT_EQ(CBTLRouteDlg::SourceButtonId(c.row), c.button);
            EXPECT_EQ(panel.GetDlgItem(int(c.button)), &panel.m_btnSource[c.row]);
            EXPECT_EQ(panel.m_stcSource[c.row].GetWindowText(), chinese ? c.cn : c.en);
        }
    }
}

TEST_F(PairPanelTest, ClicksDragsAndKeysChangeNothing)
{
    CBTLRouteDlg panel;
    ASSERT_TRUE(panel.CreatePanel(&stage, 1));
    panel.MoveWindow(0, 0, 110, 250);
    panel.ShowWindow(SW_SHOW);
    panel.m_sliderGain.SetValue(600);
    Pump();
    stage.Forget();
    const int gain = g_pOutChannel[2]->GetGain();
    const int mix = g_pOutChannel[2]->GetMixA(1);

    for (int r = 0; r < BTL_SOURCES; ++r)
        Click(panel.m_btnSource[r], CentreOf(panel.m_btnSource[r]));
    Click(panel.m_btnPolarity, CentreOf(panel.m_btnPolarity));
    Click(panel.m_btnOn, CentreOf(panel.m_btnOn));
    CRect rc;
    panel.m_sliderGain.GetClientRect(&rc);
    Press(panel.m_sliderGain, rc.CenterPoint());
    DragTo(panel.m_sliderGain, CPoint(rc.CenterPoint().x, rc.bottom - 1));
    Release(panel.m_sliderGain, CPoint(rc.CenterPoint().x, rc.bottom - 1));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        panel.m_btnOn.SetFocus();
        QTest::keyClick(panel.m_btnOn.GetWidget(), key);
    }
    Pump();

    EXPECT_TRUE(panel.IsWindowVisible());
    EXPECT_EQ(g_pOutChannel[2]->GetGain(), gain);
    EXPECT_EQ(g_pOutChannel[2]->GetMixA(1), mix);
    for (int r = 0; r < BTL_SOURCES; ++r)
        EXPECT_FALSE(panel.m_btnSource[r].GetCheck()) << r;
    EXPECT_EQ(stage.Count(WM_COMMAND), 0);  // the page hears nothing
}
