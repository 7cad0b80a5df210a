// The level and delay page: values as the fields show them, the master and input sections,
// the input-strip layout, the output strips, the speaker positions with locked delay groups,
// the delay unit and the keyboard walk.
#include "RecordingHost.h"

#include "../controls/ControlTestKit.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CInPutDlg.h"
#include "CLevel_Delay_Dlg.h"
#include "CMusic_InData.h"
#include "Convert.h"
#include "Globals.h"
#include "SceneImage.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"

#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

class LevelPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bChinese = 0;
        g_nDelayUnit = 1;
        g_bySysGroup8[2] = 3;
        g_nInputKind = 0;
        g_nShownInput = 0;
        g_bySysParams[2] = 0;
        scene = std::make_unique<CKTV_Data>();
        std::copy(std::begin(kDefaultSpeakerTypes), std::end(kDefaultSpeakerTypes),
                  g_bySpeakerType + SPEAKER_CHANNEL_BASE);
        BuildSpeakerGroups();
        ASSERT_TRUE(stage.Make(0, 0, 1300, 700));
        ASSERT_TRUE(Activate(stage));
        page.m_pScene = scene.get();
        page.m_pView = &host;
        ASSERT_TRUE(page.CreatePage(&stage));
        page.ShowWindow(SW_SHOW);
        page.RefreshFromModel();
        Pump();
    }
    void TearDown() override
    {
        if (page.GetSafeHwnd())
            page.DestroyWindow();
        scene.reset();
        for (int i = 0; i < LINK_CHANNELS; ++i)
            g_nLinkGroup[i] = i;
        g_nDelayUnit = 1;
    }
    static CString TextOf(CWnd& w) { return w.GetWindowText(); }
    void Command(UINT id) { page.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0); }
    void SetTypes(const std::array<int, 10>& types)
    {
        for (int c = 0; c < 10; ++c)
            SpeakerTypeOf(g_bySpeakerType, c) = BYTE(types[c]);
        BuildSpeakerGroups();
        page.RefreshFromModel();
    }

    std::unique_ptr<CKTV_Data> scene;
    RecordingHost host;
    CStage stage;
    CLevel_Delay_Dlg page;
};

}  // namespace

TEST_F(LevelPageTest, FieldsShowLevelsInTheirUnits)
{
    struct Case {
        int raw;
        const char* master;  // master level 0..66
    };
    for (const Case& c : {Case{0, "OFF"}, Case{1, "-59dB"}, Case{66, "6dB"}}) {
        SCOPED_TRACE(c.raw);
        g_wMasterLevel = WORD(c.raw);
        page.RefreshFromModel();
        EXPECT_EQ(TextOf(page.m_editMaster), CString(c.master));
    }
    struct InCase {
        int raw;
        const char* text;  // input volume 0..600
    };
    for (const InCase& c : {InCase{0, "OFF"}, InCase{1, "-59.9dB"}, InCase{600, "0.0dB"}}) {
        SCOPED_TRACE(c.raw);
        scene->GetMusicData(3)->SetVolume(c.raw);
        page.RefreshFromModel();
        EXPECT_EQ(TextOf(page.m_editInput[3]), CString(c.text));
    }
    g_bChinese = 1;
    g_wMasterLevel = 0;
    page.RefreshFromModel();
    page.UpdateLanguage();
    EXPECT_EQ(TextOf(page.m_editMaster), CString("关闭"));
    g_bChinese = 0;
}

TEST_F(LevelPageTest, MasterLevelSwitchesAnOffMasterOnAndAsksForCommand5)
{
    g_wMasterLevel = 10;
    g_bySysParams[4] = 0;
    page.RefreshFromModel();
    EXPECT_FALSE(page.m_btnMasterOn.GetCheck());
    page.m_spinMaster.SetPos(40);
    Command(IDC_LD_MASTER_SPIN);
    EXPECT_EQ(g_wMasterLevel, 40);
    EXPECT_EQ(g_bySysParams[4], 1);
    EXPECT_TRUE(page.m_btnMasterOn.GetCheck());
    EXPECT_EQ(page.m_sliderMaster.GetValue(), 40);
    EXPECT_EQ(host.nSys5Pending, 1);
    // The same value again is no change: nothing more is asked for.
    Command(IDC_LD_MASTER_EDIT);
    EXPECT_EQ(host.nSys5Pending, 1);

    Command(IDC_LD_MASTER_ON);
    EXPECT_EQ(g_bySysParams[4], 0);
    EXPECT_FALSE(page.m_btnMasterOn.GetCheck());
    EXPECT_EQ(host.nSys5Pending, 2);
}

TEST_F(LevelPageTest, InputFaderStoresTheVolumeAndMovesTheField)
{
    scene->GetMusicData(1)->SetVolume(100);
    page.RefreshFromModel();
    page.m_sliderInput[1].SetValue(450);
    page.SendMessage(WM_SLIDER_MOVED, IDC_LD_INPUT_SLIDER + 1, 0);
    EXPECT_EQ(scene->GetMusicData(1)->GetVolume(), 450);
    EXPECT_EQ(TextOf(page.m_editInput[1]), CString("-15.0dB"));
}

TEST_F(LevelPageTest, InputStripsFollowTheChannelModeAndTheAuxKind)
{
    // Expected visibility of strips 1..6 and the slot each visible strip sits in (-1 hidden).
    struct Case {
        int mode;
        int kind;
        std::array<int, 6> slot;
    };
    const Case cases[] = {
        {0, 0, {-1, 0, -1, 1, 2, 3}},
        {1, 0, {-1, 0, 1, 2, 3, 4}},
        {2, 0, {0, 1, -1, 2, 3, 4}},
        {3, 0, {0, 1, 2, 3, 4, 5}},
        {2, 1, {0, 1, -1, 2, 3, -1}},
        {3, 2, {0, 1, 2, 3, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " kind " << c.kind);
        g_bySysGroup8[2] = BYTE(c.mode);
        g_nInputKind = c.kind;
        page.RefreshFromModel();
        page.ApplyChannelMode();
        for (int i = 0; i < LD_INPUTS; ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(bool(page.m_sliderInput[i].IsWindowVisible()), c.slot[i] >= 0);
            EXPECT_EQ(bool(page.m_editInput[i].IsWindowVisible()), c.slot[i] >= 0);
            if (c.slot[i] < 0)
                continue;
            CRect rc;
            page.m_sliderInput[i].GetWindowRect(&rc);
            page.ScreenToClient(&rc);
            EXPECT_EQ(rc.left, page.GetInputSlot(c.slot[i]).left);
        }
    }
}

TEST_F(LevelPageTest, SourceButtonOfAnotherInputMakesItCurrentAndSendsCommand2)
{
    g_nShownInput = 1;
    g_bySysParams[2] = 1;  // input-state flag
    page.RefreshFromModel();
    page.ApplyChannelMode();
    Command(IDC_LD_INPUT_BUTTON + 3);
    EXPECT_EQ(g_nShownInput, 3);
    EXPECT_EQ(g_byInputSource, 3);
    EXPECT_EQ(g_bySysParams[2], 0);
    EXPECT_EQ(host.commands, (std::vector<int>{5, 2}));
    for (int i = 0; i < LD_INPUTS; ++i)
        EXPECT_EQ(bool(page.m_btnInput[i].GetCheck()), i == 3) << i;

    // The active input's own button only clears the flag: no new source, no command 2.
    host.commands.clear();
    g_byInputSource = 7;  // a value the click must leave alone
    Command(IDC_LD_INPUT_BUTTON + 3);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(g_byInputSource, 7);
}

TEST_F(LevelPageTest, OutputWithoutTypeShowsOnlyItsCoverAndNoPosition)
{
    SetTypes({1, 7, 0, 8, 3, 9, 15, 18, 22, 23});
    EXPECT_TRUE(page.m_btnCover[2].IsWindowVisible());
    EXPECT_FALSE(page.m_editGain[2].IsWindowVisible());
    EXPECT_FALSE(page.m_sliderGain[2].IsWindowVisible());
    EXPECT_FALSE(page.m_btnOn[2].IsWindowVisible());
    EXPECT_FALSE(page.m_btnPolarity[2].IsWindowVisible());
    EXPECT_FALSE(page.m_lamp[2].IsWindowVisible());
    EXPECT_EQ(page.GetPosition(2).nField, -1);
    EXPECT_FALSE(page.m_btnCover[1].IsWindowVisible());
    EXPECT_TRUE(page.m_lamp[1].IsWindowVisible());
}

TEST_F(LevelPageTest, TypesPlaceOutputsOnTheCarAndASharedPositionEditsTheLaterOutput)
{
    // Outputs 9 and 10 have no strip but sit on the car; types 2 and 6 share field 6001.
    SetTypes({1, 7, 2, 8, 6, 9, 15, 18, 22, 23});
    const int expected[10] = {0, 3, 1, 4, 1, 5, 9, 11, 12, 13};
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(page.GetPosition(c).nField, expected[c]) << c;
    EXPECT_EQ(page.m_spinPos[1].GetTag(), 4);
    EXPECT_TRUE(page.m_btnIcon[2 - 1].IsWindowVisible());
    EXPECT_TRUE(page.m_btnIcon[6 - 1].IsWindowVisible());
    EXPECT_TRUE(page.m_editPos[12].IsWindowVisible());
    EXPECT_FALSE(page.m_editPos[6].IsWindowVisible());  // no centre speaker

    page.m_spinPos[1].SetPos(240);
    Command(IDC_LD_POS_EDIT + 1);
    EXPECT_EQ(g_pOutChannel[4]->GetDelay(), 240);
    EXPECT_EQ(g_pOutChannel[2]->GetDelay(), 0);
    EXPECT_EQ(page.GetSelectedChannel(), 4);
    EXPECT_TRUE(page.m_btnIcon[6 - 1].GetCheck());
}

TEST_F(LevelPageTest, LockedGroupStepsEveryMemberOneShownCentimetre)
{
    // Front left with tweeter, midrange and woofer: three members, pairing kind 4.
    SetTypes({1, 7, 2, 8, 3, 9, 15, 18, 22, 23});
    ASSERT_EQ(g_SpeakerGroups.nFrontLeftLink, 0);
    ASSERT_EQ(g_SpeakerGroups.nFrontLeftMode, 4);
    EXPECT_TRUE(page.m_btnLinkBar[0].IsWindowVisible());   // 6800, the three-way bar
    EXPECT_FALSE(page.m_btnLinkBar[1].IsWindowVisible());
    EXPECT_FALSE(page.m_editPos[0].GetStyle() & ES_READONLY);

    g_pOutChannel[2]->SetDelay(100);
    g_pOutChannel[4]->SetDelay(960);
    page.RefreshFromModel();
    Command(IDC_LD_LINK_BAR + 0);
    EXPECT_EQ(g_SpeakerGroups.nFrontLeftLink, 1);
    EXPECT_TRUE(page.m_btnLinkBar[0].GetCheck());
    for (int k : {0, 1, 2})
        EXPECT_TRUE(page.m_editPos[k].GetStyle() & ES_READONLY) << k;

    page.SendMessage(WM_COMMAND, IDC_LD_UNIT_CM, 0);
    ASSERT_EQ(g_nDelayUnit, 2);
    // The tweeter's own spin has stepped already; the page steps the others.
    page.SendMessage(WM_DELAY_SPIN_STEP, IDC_LD_POS_SPIN + 0, 1);
    EXPECT_EQ(g_pOutChannel[2]->GetDelay(), StepDelayByCm(100, 1));
    EXPECT_GT(g_pOutChannel[2]->GetDelay(), 100);
    EXPECT_EQ(g_pOutChannel[4]->GetDelay(), 960);  // at the end: stays

    // Unlocked again: the fields are writable and a step moves only the stepped output.
    Command(IDC_LD_LINK_BAR + 0);
    EXPECT_FALSE(page.m_editPos[1].GetStyle() & ES_READONLY);
    const int before = g_pOutChannel[2]->GetDelay();
    page.SendMessage(WM_DELAY_SPIN_STEP, IDC_LD_POS_SPIN + 0, 1);
    EXPECT_EQ(g_pOutChannel[2]->GetDelay(), before);
}

TEST_F(LevelPageTest, UnitChangeReformatsTheFieldsAndLeavesTheDelays)
{
    g_pOutChannel[0]->SetDelay(480);
    page.RefreshFromModel();
    EXPECT_EQ(TextOf(page.m_editPos[0]), CString("10.000"));
    Command(IDC_LD_UNIT_INCH);
    EXPECT_EQ(g_nDelayUnit, 3);
    EXPECT_TRUE(page.m_btnUnit[2].GetCheck());
    EXPECT_FALSE(page.m_btnUnit[0].GetCheck());
    EXPECT_EQ(g_pOutChannel[0]->GetDelay(), 480);
    EXPECT_NE(TextOf(page.m_editPos[0]), CString("10.000"));
    Command(IDC_LD_UNIT_MS);
    EXPECT_EQ(TextOf(page.m_editPos[0]), CString("10.000"));
}

TEST_F(LevelPageTest, GainEditOfAnOffOutputSwitchesItOnAndRedrawsItsPartners)
{
    g_nLinkGroup[3] = 1;  // outputs 2 and 4 linked
    g_pOutChannel[1]->SetOn(0);
    page.RefreshFromModel();
    page.m_spinGain[1].SetPos(300);
    Command(IDC_LD_GAIN_SPIN + 1);
    EXPECT_EQ(g_pOutChannel[1]->GetGain(), 300);
    EXPECT_EQ(g_pOutChannel[1]->GetOn(), 1);
    EXPECT_TRUE(page.m_btnOn[1].GetCheck());
    EXPECT_EQ(g_pOutChannel[3]->GetGain(), 300);          // the model's own copy
    EXPECT_EQ(page.m_sliderGain[3].GetValue(), 300);      // and the page shows it
    EXPECT_EQ(page.GetSelectedChannel(), 1);

    page.m_spinGain[1].SetPos(0);
    Command(IDC_LD_GAIN_EDIT + 1);
    EXPECT_EQ(TextOf(page.m_editGain[1]), CString("OFF"));
}

TEST_F(LevelPageTest, OnCopyToGroupGivesPartnersTheOutputsOwnState)
{
    g_nLinkGroup[5] = 4;
    page.RefreshFromModel();
    Command(IDC_LD_ON + 4);  // output 5 off
    ASSERT_EQ(g_pOutChannel[4]->GetOn(), 0);
    ASSERT_EQ(g_pOutChannel[5]->GetOn(), 1);
    page.CopyOnToGroup(4, TRUE);
    EXPECT_EQ(g_pOutChannel[5]->GetOn(), 0);
    EXPECT_FALSE(page.m_btnOn[5].GetCheck());
    EXPECT_EQ(g_pOutChannel[6]->GetOn(), 1);

    // The last click was on another output: output 5's own state still decides.
    Command(IDC_LD_ON + 4);  // output 5 on again
    Command(IDC_LD_ON + 7);  // output 8 off: the page's last value is now "off"
    page.CopyOnToGroup(4, TRUE);
    EXPECT_EQ(g_pOutChannel[5]->GetOn(), 1);
    EXPECT_TRUE(page.m_btnOn[5].GetCheck());
}

TEST_F(LevelPageTest, ArrowKeysWalkTheVisibleFieldsAndWrapAtTheMaster)
{
    // Outputs 7 and 8 without type: their gain fields are hidden, 6 is the last visible one.
    SetTypes({1, 7, 2, 8, 3, 9, 0, 0, 22, 23});
    page.SendMessage(WM_NUMEDIT_KEYDOWN, IDC_LD_GAIN_EDIT + 5, VK_RIGHT);
    EXPECT_EQ(CWnd::GetFocus(), &page.m_editMaster);
    page.SendMessage(WM_NUMEDIT_KEYDOWN, IDC_LD_MASTER_EDIT, VK_LEFT);
    EXPECT_EQ(CWnd::GetFocus(), &page.m_editGain[5]);
    EXPECT_EQ(page.GetSelectedChannel(), 5);
    page.SendMessage(WM_NUMEDIT_KEYDOWN, IDC_LD_GAIN_EDIT + 5, VK_LEFT);
    EXPECT_EQ(CWnd::GetFocus(), &page.m_editGain[4]);
    EXPECT_EQ(CLevel_Delay_Dlg::FocusIndexOf(9999), 0);
}

TEST_F(LevelPageTest, PageRegistersItselfAndForgetsItsPointerWhenItGoes)
{
    EXPECT_EQ(g_pLevelPage, static_cast<CWnd*>(&page));
    page.DestroyWindow();
    EXPECT_EQ(g_pLevelPage, nullptr);
}

TEST_F(LevelPageTest, ScreensInBothLanguages)
{
    g_nLinkGroup[1] = 0;
    SetTypes({1, 7, 2, 8, 3, 9, 15, 0, 22, 23});
    Command(IDC_LD_LINK_BAR + 0);  // front left locked
    g_pOutChannel[0]->SetDelay(96);
    g_nMeterLevel[0] = 5;
    g_nMeterLevel[1] = 9 | 0x40;
    page.RefreshFromModel();
    page.UpdateMeters();
    QDir().mkpath(ORVANE_BINARY_DIR "/screens");
    for (int cn : {0, 1}) {
        g_bChinese = cn;
        page.UpdateLanguage();
        Pump();
        const QImage img = GrabOf(page);
        EXPECT_GT(img.width(), 1000);
        img.save(cn ? ORVANE_BINARY_DIR "/screens/level_page_cn.png" : ORVANE_BINARY_DIR "/screens/level_page_en.png");
    }
    g_bChinese = 0;
    g_nMeterLevel[0] = g_nMeterLevel[1] = 0;
}
