// The delay panel: new field or spin values reach the outputs, the linked-delay move with its
// clamping, the position buttons' notice to the owner, the walk between fields, units and
// loading from the model.
#include "PromptTestKit.h"

#include "../controls/ControlTestKit.h"

#include "AppMessages.h"
#include "CDelayDlg.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "Convert.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace {

class DelayDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        scene = std::make_unique<CKTV_Data>();
        ASSERT_TRUE(stage.Make(40, 40, 520, 480));
        ASSERT_TRUE(Activate(stage));
        ASSERT_TRUE(dlg.CreatePanel(&stage));
        dlg.ShowWindow(SW_SHOW);
        Pump();
        stage.Forget();
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
        scene.reset();
        for (int i = 0; i < LINK_CHANNELS; ++i)
            g_nLinkGroup[i] = i;
    }
    // The user's new value in channel c's spin, announced by the spin or by the field.
    void NewValue(int c, int step, bool fromField)
    {
        dlg.m_spinDelay[c].SetPos(step);
        const UINT id = (fromField ? IDC_DELAY_EDIT : IDC_DELAY_SPIN) + UINT(c);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
    }
    CKTV_OutData& Out(int c) { return *g_pOutChannel[c]; }

    std::unique_ptr<CKTV_Data> scene;
    CStage stage;
    CDelayDlg dlg;
};

}  // namespace

TEST_F(DelayDlgTest, ControlsStartAtZeroWithTheirIds)
{
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(dlg.GetDlgItem(int(IDC_DELAY_BUTTON) + c), &dlg.m_btnPos[c]);
        EXPECT_EQ(dlg.GetDlgItem(int(IDC_DELAY_EDIT) + c), &dlg.m_editDelay[c]);
        EXPECT_EQ(dlg.GetDlgItem(int(IDC_DELAY_SPIN) + c), &dlg.m_spinDelay[c]);
        EXPECT_EQ(dlg.m_spinDelay[c].GetPosition(), 0);
        EXPECT_EQ(dlg.m_editDelay[c].GetMax(), DELAY_MAX_STEPS);
        EXPECT_EQ(dlg.m_editDelay[c].GetLimitText(), 5u);
        EXPECT_FALSE(dlg.m_spinDelay[c].IsWindowVisible());
    }
    EXPECT_EQ(dlg.m_bLinkDelay, 0);
}

TEST_F(DelayDlgTest, NewValueBecomesTheOutputsDelayOnly)
{
    struct Case {
        int channel;
        int step;
        bool fromField;
    };
    const Case cases[] = {{0, 48, false}, {3, 960, true}, {7, 1, false}, {5, 500, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        std::array<short, 10> before{};
        for (int i = 0; i < 10; ++i)
            before[i] = Out(i).GetDelay();
        NewValue(c.channel, c.step, c.fromField);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(Out(i).GetDelay(), i == c.channel ? c.step : before[i]) << "output " << i;
    }
}

TEST_F(DelayDlgTest, AnUnchangedValueStampsNothing)
{
    g_bOnline = 1;
    NewValue(2, 100, false);
    EXPECT_EQ(Out(2).IsLevelModified(), 1);
    Out(2).SetLevelModified(0);
    NewValue(2, 100, true);
    EXPECT_EQ(Out(2).IsLevelModified(), 0);
    g_bOnline = 0;
}

TEST_F(DelayDlgTest, LinkedDelayMovesTheGroupByTheSameDifferenceClamped)
{
    // Outputs 0, 1, 2 and 6 form one group; 3 is on its own.
    for (int i : {0, 1, 2, 6})
        g_nLinkGroup[i] = 0;
    struct Case {
        int start0, start1, start2, start6, start3;
        int new0;
        int want1, want2, want6;
    };
    const Case cases[] = {
        {100, 200, 900, 0, 50, 200, 300, 960, 100},  // +100: output 2 stops at the top
        {500, 20, 600, 960, 50, 400, 0, 500, 860},   // -100: output 1 stops at 0
    };
    dlg.m_bLinkDelay = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.new0);
        Out(0).SetDelay(short(c.start0));
        Out(1).SetDelay(short(c.start1));
        Out(2).SetDelay(short(c.start2));
        Out(6).SetDelay(short(c.start6));
        Out(3).SetDelay(short(c.start3));
        NewValue(0, c.new0, false);
        EXPECT_EQ(Out(0).GetDelay(), c.new0);
        EXPECT_EQ(Out(1).GetDelay(), c.want1);
        EXPECT_EQ(Out(2).GetDelay(), c.want2);
        EXPECT_EQ(Out(6).GetDelay(), c.want6);
        EXPECT_EQ(Out(3).GetDelay(), c.start3);
        EXPECT_EQ(dlg.m_spinDelay[1].GetPosition(), c.want1);
        EXPECT_EQ(dlg.m_spinDelay[2].GetPosition(), c.want2);
        EXPECT_EQ(dlg.m_spinDelay[6].GetPosition(), c.want6);
    }
}

TEST_F(DelayDlgTest, WithoutTheLinkedFlagTheGroupStays)
{
    g_nLinkGroup[1] = 0;
    Out(1).SetDelay(30);
    NewValue(0, 300, false);
    EXPECT_EQ(Out(0).GetDelay(), 300);
    EXPECT_EQ(Out(1).GetDelay(), 30);
}

TEST_F(DelayDlgTest, PositionButtonsTellTheOwnerTheirChannel)
{
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c) {
        SCOPED_TRACE(c);
        stage.Forget();
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_DELAY_BUTTON + c), BN_CLICKED),
                        LPARAM(dlg.m_btnPos[c].GetSafeHwnd()));
        Pump();
        const auto got = stage.All(WM_STRIP_SELECT);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].wParam, WPARAM(c));
        EXPECT_EQ(got[0].lParam, 0);
    }
}

TEST_F(DelayDlgTest, KeysWalkBetweenTheFields)
{
    struct Case {
        UINT message;
        int from;
        UINT key;
        int to;
    };
    const Case cases[] = {
        {WM_NUMEDIT_KEYDOWN, 0, VK_RETURN, 1}, {WM_NUMEDIT_KEYDOWN, 3, VK_TAB, 4},
        {WM_NUMEDIT_KEYDOWN, 5, VK_RIGHT, 6},  {WM_NUMEDIT_KEYDOWN, 7, VK_RIGHT, 0},
        {WM_NUMEDIT_KEYDOWN, 4, VK_LEFT, 3},   {WM_NUMEDIT_KEYDOWN, 0, VK_LEFT, 7},
        {WM_KEY_ENTER, 2, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
        dlg.m_editDelay[c.from].SetFocus();
        Pump();
        ASSERT_EQ(CWnd::GetFocus(), &dlg.m_editDelay[c.from]);
        dlg.SendMessage(c.message, WPARAM(IDC_DELAY_EDIT + c.from), LPARAM(c.key));
        Pump();
        EXPECT_EQ(CWnd::GetFocus(), &dlg.m_editDelay[c.to]);
    }
}

TEST_F(DelayDlgTest, OtherKeysAndEnterOrEscLeaveThePanelAsItIs)
{
    dlg.m_editDelay[2].SetFocus();
    Pump();
    dlg.SendMessage(WM_NUMEDIT_KEYDOWN, WPARAM(IDC_DELAY_EDIT + 2), LPARAM(VK_UP));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDOK), 0), 0);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDCANCEL), 0), 0);
    Pump();
    EXPECT_EQ(CWnd::GetFocus(), &dlg.m_editDelay[2]);
    EXPECT_TRUE(dlg.IsWindowVisible());
}

TEST_F(DelayDlgTest, LoadsTheOutputsDelays)
{
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c)
        Out(c).SetDelay(short(c * 100 + 7));
    dlg.LoadDelays();
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c)
        EXPECT_EQ(dlg.m_spinDelay[c].GetPosition(), c * 100 + 7) << c;
}

TEST_F(DelayDlgTest, UnitsChooseTheFieldsDisplayType)
{
    struct Case {
        int unit;
        int type;
    };
    const Case cases[] = {{DELAY_UNIT_CM, NUMTYPE_DELAY_CM},
                          {DELAY_UNIT_INCH, NUMTYPE_DELAY_INCH},
                          {0, NUMTYPE_DELAY_INCH},
                          {4, NUMTYPE_DELAY_INCH},
                          {DELAY_UNIT_MS, NUMTYPE_DELAY_MS}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        dlg.SetDelayUnit(c.unit);
        for (int k = 0; k < DELAY_DLG_CHANNELS; ++k)
            EXPECT_EQ(dlg.m_editDelay[k].GetType(), c.type);
    }
}

TEST_F(DelayDlgTest, SelectsOneButtonAndIgnoresOthers)
{
    dlg.SetButtonSelected(3, TRUE);
    dlg.SetButtonSelected(8, TRUE);
    dlg.SetButtonSelected(-1, TRUE);
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c)
        EXPECT_EQ(dlg.m_btnPos[c].GetCheck(), c == 3 ? TRUE : FALSE) << c;
    dlg.SetButtonSelected(3, FALSE);
    EXPECT_FALSE(dlg.m_btnPos[3].GetCheck());
}

TEST_F(DelayDlgTest, ButtonsAndFieldsLieInsideThePanelWithoutOverlapping)
{
    CRect client;
    dlg.GetClientRect(&client);
    std::vector<std::pair<CRect, int>> placed;
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c)
        for (CWnd* w : {static_cast<CWnd*>(&dlg.m_btnPos[c]), static_cast<CWnd*>(&dlg.m_editDelay[c])}) {
            CRect rc;
            w->GetWindowRect(&rc);
            dlg.ScreenToClient(&rc);
            EXPECT_TRUE(rc.left >= client.left && rc.top >= client.top && rc.right <= client.right &&
                        rc.bottom <= client.bottom)
                << "channel " << c;
            for (const auto& other : placed)
                EXPECT_FALSE(rc.left < other.first.right && other.first.left < rc.right &&
                             rc.top < other.first.bottom && other.first.top < rc.bottom)
                    << "channel " << c << " against channel " << other.second;
            placed.push_back({rc, c});
        }
}
