// The output page's strip messages, stereo pairs and link groups in windows, without the device:
// the strips' flag toggles set the flag byte of the live output block and stamp the limiter
// record, a pair's second output follows the first, a group is muted around the copy of one
// output's settings with its level records queued in order, and a pair leaves the groups its
// outputs were in without joining anyone else's. Also where the pointer goes after a key step.
#include "../controls/ControlTestKit.h"
#include "../pages/PageHostRecorder.h"
#include "OutputPageRig.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "OutputPageGlobals.h"
#include "SceneImage.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"
#include "SpeakerTypeMenus.h"
#include "WinApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records what the page asks of the view, in one log so that the order shows.
class GroupHost : public PageHostRecorder {
public:
    std::vector<std::string> log;
    int mixMemory = 100;
    BOOL geq = FALSE;

    void CopyOutputSettings(int s, int d) override { log.push_back("copy " + std::to_string(s) + ">" + std::to_string(d)); }
    void CopyOutputForSpeakerType(int s, int d) override
    {
        log.push_back("type copy " + std::to_string(s) + ">" + std::to_string(d));
    }
    void AddSendData(std::unique_ptr<CSendData> p) override
    {
        // Level record frame: output at byte 8, record at 9, payload from 14 (on state first).
        const BYTE* f = p->GetData();
        log.push_back("level " + std::to_string(f[8]) + " rec " + std::to_string(f[9]) + " on " + std::to_string(f[14]));
    }
    void RemoveFromLinkGroup(int nCh, int nGroup) override
    {
        log.push_back("leave " + std::to_string(nCh) + " from " + std::to_string(nGroup));
    }
    int GetMixMemory(int, int) const override { return mixMemory; }
    BOOL GetEqModeCheck() const override { return geq; }
};

BYTE& FlagByte(int ch) { return g_Scene[BlockOffset(BLOCK_OUTPUT, ch) + OUT_REC_LIMIT * RECORD_SIZE + 7]; }
BYTE& GroupByte(int ch) { return g_Scene[BlockOffset(BLOCK_OUTPUT, ch) + OUT_REC_LIMIT * RECORD_SIZE + 6]; }

class StripGroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bLRLink = 0;
        Reset();
        ASSERT_TRUE(rig.Make(&host, Reset));
    }
    void TearDown() override
    {
        rig.Release();
        Reset();
        g_bLRLink = 0;
    }
    static void Reset()
    {
        for (int i = 0; i < 10; ++i) {
            g_nLinkGroup[i] = i;
            g_bStereoPair[i] = 0;
            g_nLinkMark[i] = 0;
            FlagByte(i) = 0;
            GroupByte(i) = 0;
            for (int& b : g_bOutputSourceBit[i])
                b = 0;
        }
    }
    CKTV_OutData* Out(int ch) { return scene.GetOutData(ch); }
    void Post(UINT message, WPARAM w, LPARAM l)
    {
        page->PostMessage(message, w, l);
        Pump();
    }

    GroupHost host;
    OutputPageRig rig;
    CKTV_Data& scene = rig.scene;
    std::unique_ptr<COutputDlg>& page = rig.page;
};

// Each flag toggle of a strip, clicked twice: the bit goes on and off in the live flag byte and
// the limiter record is stamped each time, nothing else of the byte or of another output moves.
TEST_F(StripGroupTest, StripFlagTogglesSetAndClearTheirBitOfTheFlagByte)
{
    struct Case {
        UINT toggle;
        int bit;
    };
    const Case cases[] = {{2819, 1}, {2820, 2}, {2821, 0}, {2822, 4}};
    const int ch = 3;
    FlagByte(ch) = 0x40;  // a bit the toggles do not own stays as the device left it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toggle);
        for (int state : {1, 0}) {
            scene.ClearAllModified(0);
            page->m_strip[ch].SendMessage(WM_COMMAND, MAKEWPARAM(c.toggle, BN_CLICKED), 0);
            Pump();
            EXPECT_EQ(FlagByte(ch), BYTE(0x40 | (state << c.bit)));
            EXPECT_EQ(g_bOutputSourceBit[ch][c.bit], state);
            EXPECT_EQ(Out(ch)->IsLimitModified(), 1);
            EXPECT_EQ(Out(ch)->IsLevelModified(), 0);
            EXPECT_EQ(Out(ch - 1)->IsLimitModified(), 0);
            EXPECT_EQ(FlagByte(ch + 1), 0);
        }
    }
    // The same state twice: stored and stamped once.
    scene.ClearAllModified(0);
    Post(WM_STRIP_FLAG_BIT0, ch, 1);
    ASSERT_EQ(Out(ch)->IsLimitModified(), 1);
    scene.ClearAllModified(0);
    Post(WM_STRIP_FLAG_BIT0, ch, 1);
    EXPECT_EQ(Out(ch)->IsLimitModified(), 0);
    EXPECT_EQ(FlagByte(ch), 0x41);
    // A channel from a message outside 0..9 is dropped.
    Post(WM_STRIP_FLAG_BIT2, 10, 1);
    Post(WM_STRIP_DELAY, WPARAM(-1), 5);
}

// On/off, polarity and delay of the first output of a stereo pair reach the second and its
// pair panel; an odd output, or an unpaired one, reaches no partner.
TEST_F(StripGroupTest, PairHeadCarriesOnPolarityAndDelayToItsPartner)
{
    struct Case {
        const char* what;
        UINT message;
        int value;
        std::function<int(CKTV_OutData&)> get;
    };
    const Case cases[] = {
        {"off", WM_STRIP_OUTPUT_ON, 0, [](CKTV_OutData& o) { return int(o.GetOn()); }},
        {"inverted", WM_STRIP_POLARITY, 1, [](CKTV_OutData& o) { return int(o.GetPolarity()); }},
        {"delay", WM_STRIP_DELAY, 480, [](CKTV_OutData& o) { return int(o.GetDelay()); }},
    };
    for (const Case& c : cases) {
        for (int paired : {0, 1}) {
            for (int ch : {4, 5}) {
                SCOPED_TRACE(std::string(c.what) + (paired ? " paired " : " alone ") + std::to_string(ch));
                for (int i = 0; i < 10; ++i) {
                    Out(i)->SetOn(1);
                    Out(i)->SetPolarity(0);
                    Out(i)->SetDelay(0);
                }
                g_bStereoPair[4] = g_bStereoPair[5] = paired;
                Post(c.message, WPARAM(ch), c.value);
                EXPECT_EQ(c.get(*Out(ch)), c.value);
                const bool follows = paired && ch == 4;
                EXPECT_EQ(c.get(*Out(5)), follows || ch == 5 ? c.value : c.get(*Out(3)));
                EXPECT_NE(c.get(*Out(6)), c.value);
            }
        }
    }
    // The panel of outputs 4/5 shows what its first output got.
    g_bStereoPair[4] = 1;
    Post(WM_STRIP_OUTPUT_ON, 4, 0);
    EXPECT_EQ(page->m_dlgPair[2].m_btnOn.ChooseFace(0).bitmap, 979u);
    Post(WM_STRIP_POLARITY, 4, 1);
    EXPECT_EQ(page->m_dlgPair[2].m_btnPolarity.ChooseFace(0).bitmap, 974u);  // English, inverted
    page->m_strip[4].m_spinDelay.SetPos(360);
    Post(WM_STRIP_DELAY, 4, 360);
    EXPECT_FALSE(page->m_strip[4].m_editDelay.GetWindowText().empty());
    EXPECT_EQ(page->m_dlgPair[2].m_stcDelay.GetWindowText(), page->m_strip[4].m_editDelay.GetWindowText());
}

TEST_F(StripGroupTest, EqualDelayOrPolarityLeavesNoStampAndAnOutOfRangeDelayIsClamped)
{
    Out(2)->SetDelay(100);
    Out(2)->SetPolarity(1);
    scene.ClearAllModified(0);
    Post(WM_STRIP_DELAY, 2, 100);
    Post(WM_STRIP_POLARITY, 2, 1);
    EXPECT_EQ(Out(2)->IsLevelModified(), 0);
    Post(WM_STRIP_DELAY, 2, 5000);
    EXPECT_EQ(Out(2)->GetDelay(), 960);
    EXPECT_EQ(Out(2)->IsLevelModified(), 1);
}

// Members of strip a's mask go off with their level records queued at once, and come back to
// the state each had; outputs outside the mask, and everything while offline, stay untouched.
TEST_F(StripGroupTest, HoldGroupOutputsQueuesEachMembersLevelRecord)
{
    page->m_strip[3].m_nLinkMask = (1 << 3) | (1 << 5) | (1 << 8);
    Out(3)->SetOn(1);
    Out(5)->SetOn(0);
    Out(8)->SetOn(1);
    scene.ClearAllModified(0);
    page->HoldGroupOutputs(3, TRUE);
    EXPECT_EQ(host.log, (std::vector<std::string>{"level 3 rec 31 on 0", "level 5 rec 31 on 0", "level 8 rec 31 on 0"}));
    EXPECT_EQ(Out(3)->IsLevelModified(), 0);  // sent already, not once more by the scanner
    EXPECT_EQ(Out(4)->GetOn(), 1);
    host.log.clear();
    page->HoldGroupOutputs(3, FALSE);
    EXPECT_EQ(host.log, (std::vector<std::string>{"level 3 rec 31 on 1", "level 5 rec 31 on 0", "level 8 rec 31 on 1"}));
    EXPECT_EQ(Out(8)->GetOn(), 1);

    host.log.clear();
    g_bOnline = 0;
    page->HoldGroupOutputs(3, TRUE);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(Out(3)->GetOn(), 1);
}

// The link dialog's masks become the groups: the group is muted, takes output a's settings
// (a pair head's partner too) and is unmuted, in that order; then the select buttons follow.
TEST_F(StripGroupTest, LinkGroupsChangedMutesCopiesAndLightsTheGroup)
{
    const int mask = (1 << 2) | (1 << 6) | (1 << 7);
    for (int i : {2, 6, 7})
        page->m_strip[i].m_nLinkMask = mask;
    g_bStereoPair[6] = 1;
    for (int i = 0; i < 10; ++i)
        page->m_strip[i].SetSelected(i == 7);
    Post(WM_LINK_GROUPS_CHANGED, 2, -1);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(g_nLinkGroup[i], page->m_strip[i].m_nLinkMask) << i;
    EXPECT_EQ(host.log, (std::vector<std::string>{"level 2 rec 31 on 0", "level 6 rec 31 on 0", "level 7 rec 31 on 0",
                                                  "copy 2>6", "copy 6>7", "copy 2>7", "level 2 rec 31 on 1",
                                                  "level 6 rec 31 on 1", "level 7 rec 31 on 1"}));
    EXPECT_EQ(g_bLRLink, 1);
    // Output 7's lit select button lights its whole group.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(page->m_strip[i].IsSelected(), i == 2 || i == 6 || i == 7) << i;

    // Joined by output 9: the others of the mask show output 2's gain, 9's mask lights.
    Out(2)->SetGain(350);
    page->m_strip[9].m_nLinkMask = (1 << 9) | (1 << 1);
    Post(WM_LINK_GROUPS_CHANGED, 2, 9);
    EXPECT_EQ(page->m_strip[6].GetGain(), 350);
    EXPECT_EQ(page->m_strip[7].GetGain(), 350);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(page->m_strip[i].IsSelected(), i == 1 || i == 9) << i;
    // A joining output outside 0..9 is dropped.
    host.log.clear();
    Post(WM_LINK_GROUPS_CHANGED, 2, 12);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(StripGroupTest, GroupLampsAllLitWhenAnyIsElseAllDark)
{
    struct Case {
        std::vector<int> lit;
        bool groupLit;
    };
    const Case cases[] = {{{}, false}, {{8}, true}, {{1, 5}, true}, {{0, 9}, false}};
    for (const Case& c : cases) {
        for (int i = 0; i < 10; ++i) {
            g_nLinkGroup[i] = i == 1 || i == 5 || i == 8 ? 11 : i;
            page->m_strip[i].SetSelected(FALSE);
        }
        for (int i : c.lit)
            page->m_strip[i].SetSelected(TRUE);
        page->UpdateGroupLamps(1, 11);
        for (int i = 0; i < 10; ++i) {
            const bool member = i == 1 || i == 5 || i == 8;
            const bool lit = member ? c.groupLit : std::count(c.lit.begin(), c.lit.end(), i) > 0;
            EXPECT_EQ(page->m_strip[i].IsSelected(), lit) << i;
        }
    }
}

// Pairing outputs 2 and 3: each leaves a group it shared or a group apart from the other, gets
// a group value no other output holds, has its group byte cleared and its limiter record
// stamped; b takes a's settings inside a's mute.
TEST_F(StripGroupTest, PairingLeavesTheGroupsWithoutJoiningAnother)
{
    struct Case {
        const char* what;
        int groupA, groupB;
        std::vector<std::string> leaves;
    };
    const Case cases[] = {
        {"own groups", 2, 3, {"leave 2 from 2", "leave 3 from 3"}},
        {"one group with output 6", 6, 6, {"leave 2 from 6", "leave 3 from 6"}},
        {"both in output 1's group", 0, 0, {}},
        {"a in output 1's group", 0, 7, {"leave 3 from 7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        g_nLinkGroup[2] = c.groupA;
        g_nLinkGroup[3] = c.groupB;
        GroupByte(2) = GroupByte(3) = 9;
        scene.ClearAllModified(0);
        host.log.clear();
        page->PairChannels(2, 3);
        EXPECT_EQ(g_bStereoPair[2], 1);
        EXPECT_EQ(g_bStereoPair[3], 1);
        std::vector<std::string> want = c.leaves;
        for (const char* s : {"level 2 rec 31 on 0", "type copy 2>3", "level 2 rec 31 on 1"})
            want.push_back(s);
        EXPECT_EQ(host.log, want);
        for (int ch : {2, 3}) {
            const bool left = c.groupA != c.groupB || c.groupA != 0;
            if (!left || g_nLinkGroup[ch] == 0)
                continue;
            // Its group value is its own: no other output edits along with it.
            for (int i = 0; i < 10; ++i) {
                if (i != ch) {
                    EXPECT_NE(g_nLinkGroup[i], g_nLinkGroup[ch]) << ch << " shares with " << i;
                }
            }
            EXPECT_EQ(GroupByte(ch), 0);
            EXPECT_EQ(Out(ch)->IsLimitModified(), 1);
        }
        if (c.groupA == 0 && c.groupB == 0) {
            EXPECT_EQ(GroupByte(2), 9);
        }
        // Output 1 stays alone unless a pair output already shared its group.
        if (c.groupA != 0 && c.groupB != 0) {
            for (int i = 1; i < 10; ++i)
                EXPECT_NE(g_nLinkGroup[i], g_nLinkGroup[0]) << i;
        }
    }
}

TEST_F(StripGroupTest, PairToggleShowsThePanelAndUnpairingPutsTheStripBack)
{
    page->SelectChannel(5);
    Out(4)->SetMixA(3, 0);
    Out(4)->SetMixA(7, 60);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(4701, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(g_bStereoPair[4], 1);
    EXPECT_EQ(g_nCurOutput, 4);  // the second output was current
    EXPECT_TRUE(page->m_btnPair[1].GetCheck());
    EXPECT_TRUE(page->m_dlgPair[2].IsWindowVisible());
    EXPECT_FALSE(page->m_strip[5].IsWindowVisible());
    EXPECT_EQ(page->m_dlgPair[2].m_btnSource[2].ChooseFace(0).bitmap, 969u);
    EXPECT_EQ(page->m_dlgPair[2].m_btnSource[6].ChooseFace(0).bitmap, 970u);

    Out(5)->SetPolarity(1);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(4701, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(g_bStereoPair[4], 0);
    EXPECT_FALSE(page->m_btnPair[1].GetCheck());
    EXPECT_FALSE(page->m_dlgPair[2].IsWindowVisible());
    EXPECT_TRUE(page->m_strip[5].IsWindowVisible());
    EXPECT_EQ(Out(5)->GetPolarity(), 0);  // the returning strip resets its polarity
}

TEST_F(StripGroupTest, MixToggleTakesTheMixersLevelAndThePartnerFollows)
{
    struct Case {
        int memory;
        BOOL on;
        int level;
    };
    const Case cases[] = {{40, TRUE, 40}, {0, TRUE, 100}, {-1, TRUE, 100}, {40, FALSE, 0}};
    g_bStereoPair[6] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.memory);
        host.mixMemory = c.memory;
        page->OnMixToggle(11, 6, c.on);
        EXPECT_EQ(Out(6)->GetMixA(11), c.level);
        EXPECT_EQ(Out(7)->GetMixA(11), c.on ? 100 : 0);
        EXPECT_EQ(page->m_dlgPair[3].m_btnSource[10].ChooseFace(0).bitmap, c.on ? 970u : 969u);
    }
}

TEST_F(StripGroupTest, PasteCopiesForTheSpeakerTypeAndRangesAreChecked)
{
    Post(WM_STRIP_PASTE, 1, 8);
    Post(WM_STRIP_PASTE, 1, 10);
    Post(WM_STRIP_PASTE, 11, 1);
    EXPECT_EQ(host.log, std::vector<std::string>{"type copy 1>8"});
    EXPECT_FALSE(page->HasOtherMembers(4));
    page->m_strip[4].m_nLinkMask |= 1 << 9;
    EXPECT_TRUE(page->HasOtherMembers(4));
    EXPECT_FALSE(page->HasOtherMembers(10));
}

// The master panel's unit list: every strip's delay field shows milliseconds, centimetres or
// inches; a unit outside 1..3 changes nothing.
TEST_F(StripGroupTest, DelayUnitReachesEveryStrip)
{
    for (int unit : {2, 3, 0, 4, 1}) {
        Post(WM_DELAY_UNIT_CHANGED, 2815, unit);
        const int type = unit == 0 || unit == 4 ? 2 : unit - 1;  // the last valid unit stays
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(page->m_strip[i].m_editDelay.GetType(), type) << unit << " strip " << i;
    }
}

// Each used left/right pair shows its source output's on state on the destination strip, left
// to right or back; unused records and other strips stay. The group marks show and hide.
TEST_F(StripGroupTest, LeftRightOnStatesFollowTheDirection)
{
    const SpeakerPair saved[SPEAKER_PAIRS] = {g_arLeftRightPair[0], g_arLeftRightPair[1], g_arLeftRightPair[2],
                                              g_arLeftRightPair[3], g_arLeftRightPair[4], g_arLeftRightPair[5]};
    for (SpeakerPair& p : g_arLeftRightPair)
        p = {0, 0, 0};
    g_arLeftRightPair[0] = {1, 6, 1};
    g_arLeftRightPair[1] = {2, 7, 0};
    for (int direction : {0, 1}) {
        SCOPED_TRACE(direction);
        for (int i = 0; i < 10; ++i) {
            Out(i)->SetOn(i == 1 || i == 2 ? 0 : 1);
            page->m_strip[i].SetOutputOn(1);
        }
        Out(6)->SetOn(direction == 1 ? 0 : 1);
        page->CopyLeftRightOnStates(direction);
        for (int i = 0; i < 10; ++i) {
            const bool off = (direction == 0 && i == 6) || (direction == 1 && i == 1);
            EXPECT_EQ(page->m_strip[i].GetOn(), off ? 0 : 1) << i;
            EXPECT_EQ(page->m_strip[i].m_btnOn.GetCheck(), !off) << i;
        }
    }
    for (int k = 0; k < SPEAKER_PAIRS; ++k)
        g_arLeftRightPair[k] = saved[k];

    page->ShowGroupMarks(TRUE);
    for (UINT id : {5080u, 5081u, 5082u}) {
        CWnd* mark = page->GetDlgItem(id);
        ASSERT_NE(mark, nullptr) << id;
        EXPECT_TRUE(mark->IsWindowVisible()) << id;
    }
    page->ShowGroupMarks(FALSE);
    EXPECT_FALSE(page->GetDlgItem(5081)->IsWindowVisible());
}

// Tab from the view: from a button the focus goes to band 1's first field of the mode (gain in
// GEQ, frequency in PEQ) and band 1 is highlighted; from a field it stays.
TEST_F(StripGroupTest, FirstBandFocusFollowsTheModeAndLeavesAnEditAlone)
{
    struct Case {
        BOOL geq;
        bool fromEdit;
        CWnd* focus;
    };
    const Case cases[] = {
        {FALSE, false, &page->m_editBandFreq[0]},
        {TRUE, false, &page->m_editBandGain[0]},
        {FALSE, true, &page->m_editBandQ[9]},
        {TRUE, true, &page->m_editBandQ[9]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.geq << c.fromEdit);
        host.geq = c.geq;
        page->HighlightBandLabel(0, FALSE);
        if (c.fromEdit)
            page->m_editBandQ[9].SetFocus();
        else
            page->m_btnLinkLR.SetFocus();
        Pump();
        page->FocusFirstBand();
        Pump();
        EXPECT_EQ(CWnd::GetFocus(), c.focus);
        EXPECT_EQ(page->m_pHiLabel, c.fromEdit ? nullptr : &page->m_stcBandNo[0]);
        EXPECT_EQ(page->m_pFocusEdit, nullptr);
    }
}

// The big-curve view hides every speaker position; leaving it shows those of typed outputs only.
TEST_F(StripGroupTest, BigCurveHidesThePositionsAndBringsBackTheTypedOnes)
{
    ResetSpeakerTypes();
    const int types[10] = {1, 0, 7, 0, 0, 24, 0, 0, 0, 0};
    for (int ch = 0; ch < 10; ++ch)
        SpeakerTypeOf(g_bySpeakerType, ch) = BYTE(types[ch]);
    ApplyChannelSpeakerTypes();
    page->RefreshPositions();
    std::vector<int> typed;
    for (int t : types)
        if (t)
            typed.push_back(COutputDlg::SpeakerTypeToPosition(t));
    for (int round = 0; round < 2; ++round) {
        page->ToggleBigCurve();
        Pump();
        for (int p = 0; p < SPEAKER_POSITIONS; ++p)
            EXPECT_FALSE(page->m_btnPosition[p].IsWindowVisible()) << p;
        page->ToggleBigCurve();
        Pump();
        for (int p = 0; p < SPEAKER_POSITIONS; ++p) {
            const bool shown = std::count(typed.begin(), typed.end(), p) > 0;
            EXPECT_EQ(page->m_btnPosition[p].IsWindowVisible() != 0, shown) << p;
            EXPECT_EQ(page->m_editPosDelay[p].IsWindowVisible() != 0, shown) << p;
        }
    }
    ResetSpeakerTypes();
}

TEST(OutputGroupRules, RelationAndSoloValue)
{
    EXPECT_EQ(COutputDlg::GroupRelation(3, 4), 2);
    EXPECT_EQ(COutputDlg::GroupRelation(5, 5), 1);
    EXPECT_EQ(COutputDlg::GroupRelation(0, 0), 0);
    struct Case {
        std::vector<int> groups;
        int ch;
        int value;
    };
    const Case cases[] = {
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 4, 4},
        {{0, 1, 2, 3, 3, 5, 6, 7, 8, 9}, 4, 4},  // its own number is free
        {{0, 1, 2, 3, 3, 4, 6, 7, 8, 9}, 4, 5},  // 4 held by channel 5: the lowest free value
        {{4, 4, 4, 4, 4, 4, 4, 4, 4, 4}, 0, 0},
        {{1, 0, 3, 2, 5, 4, 7, 6, 9, 8}, 9, 8},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 10; ++i)
            g_nLinkGroup[i] = c.groups[i];
        EXPECT_EQ(COutputDlg::SoloGroupValue(c.ch), c.value) << c.ch;
    }
    for (int i = 0; i < 10; ++i)
        g_nLinkGroup[i] = i;
}

// After a key step the pointer leaves the graph for the row below its lower left corner; a
// pointer elsewhere stays.
TEST(OutputKeyPointer, PointerOverTheGraphGoesBelowIt)
{
    const CRect graph(212, 4, 1159, 219);
    struct Case {
        CPoint at;
        bool moves;
    };
    const Case cases[] = {{{212, 4}, true}, {{1158, 218}, true}, {{600, 100}, true},
                          {{1159, 100}, false}, {{600, 219}, false}, {{211, 100}, false}};
    for (const Case& c : cases) {
        CPoint target(-1, -1);
        EXPECT_EQ(COutputDlg::PointerOutsideGraph(graph, c.at, &target) != 0, c.moves) << c.at.x << "," << c.at.y;
        if (c.moves) {
            EXPECT_EQ(target, CPoint(212, 219));
            EXPECT_FALSE(graph.PtInRect(target));
        }
    }
}

TEST_F(StripGroupTest, KeyStepMovesThePointerOffTheGraph)
{
    CRect rc;
    page->m_graph.GetWindowRect(&rc);
    ASSERT_TRUE(SetCursorPos(rc.left + 100, rc.top + 50));
    CPoint pt;
    ASSERT_TRUE(GetCursorPos(&pt));
    if (pt != CPoint(rc.left + 100, rc.top + 50))
        GTEST_SKIP() << "this platform does not move the pointer";
    page->SendMessage(WM_NUMEDIT_KEYDOWN, IDC_BAND_GAIN_EDIT + 3, VK_RIGHT);
    ASSERT_TRUE(GetCursorPos(&pt));
    EXPECT_EQ(pt, CPoint(rc.left, rc.bottom));
    // Already off the graph: left where it is.
    page->SendMessage(WM_NUMEDIT_KEYDOWN, IDC_BAND_GAIN_EDIT + 3, VK_LEFT);
    ASSERT_TRUE(GetCursorPos(&pt));
    EXPECT_EQ(pt, CPoint(rc.left, rc.bottom));
}

}  // namespace
