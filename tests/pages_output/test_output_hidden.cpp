// The output page's hidden controls of the current channel, driven by the messages that still
// reach them (hidden, they take no focus): the gain field, spin and fader store the gain and
// switch an output that was off on; the polarity button; one delay in three units, its linked step through the speaker group;
// the third-page request to the view; and the on/off helpers.
#include "../pages/PageHostRecorder.h"
#include "OutputPageRig.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "Convert.h"
#include "Globals.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

namespace {

class HiddenHost : public PageHostRecorder {
public:
    CWnd* view = nullptr;
    CWnd* GetHostWnd() override { return view; }
};

class OutputHiddenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_nDelayUnit = 1;
        std::copy(std::begin(g_bySpeakerType), std::end(g_bySpeakerType), savedTypes);
        ASSERT_TRUE(rig.Make(&host));
        page = rig.page.get();
    }
    void TearDown() override
    {
        rig.Release();
        std::copy(std::begin(savedTypes), std::end(savedTypes), g_bySpeakerType);
        ResetSpeakerGroups();
    }
    CKTV_OutData* Out(int ch) { return scene.GetOutData(ch); }
    void Select(int ch)
    {
        page->SelectChannel(WPARAM(ch));
        scene.ClearAllModified(0);
    }
    void Command(UINT id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Text typed into a hidden field, then the field's value notice.
    void Type(CNumEdit& edit, const char* text)
    {
        edit.SetWindowText(text);
        edit.SetModified(1);
        Command(UINT(edit.GetDlgCtrlID()));
    }
    static CString Text(CWnd& w)
    {
        CString s;
        w.GetWindowText(s);
        return s;
    }

    HiddenHost host;
    OutputPageRig rig;
    CKTV_Data& scene = rig.scene;
    COutputDlg* page = nullptr;
    BYTE savedTypes[SPEAKER_TABLE_SIZE] = {};
};

TEST_F(OutputHiddenTest, GainFieldStoresTheGainAndSwitchesAnOffOutputOn)
{
    struct Case {
        const char* text;
        short startGain;
        int startOn;
        short gain;     // stored afterwards
        int on;         // on state afterwards
        bool stamped;   // the level record is marked for sending
    };
    const Case cases[] = {
        {"-10.0", 600, 1, 500, 1, true},
        {"0.0", 300, 1, 600, 1, true},
        {"-45.5", 600, 0, 145, 1, true},   // an off output comes on with its new gain
        {"-10.0", 500, 0, 500, 0, false},  // same gain: nothing at all, not even the on state
    };
    Select(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Out(2)->SetGain(c.startGain);
        Out(2)->SetOn(c.startOn);
        scene.ClearAllModified(0);
        page->m_spinGain.SetPos(c.startGain);
        page->m_strip[2].SetOutputOn(c.startOn);
        page->m_bOn = 0;
        Type(page->m_editGain, c.text);
        EXPECT_EQ(Out(2)->GetGain(), c.gain);
        EXPECT_EQ(Out(2)->GetOn(), c.on);
        EXPECT_EQ(Out(2)->IsLevelModified() != 0, c.stamped);
        EXPECT_EQ(page->m_strip[2].m_btnOn.GetCheck() != 0, c.on != 0);
        EXPECT_EQ(page->m_bOn, c.startOn == 0 && c.on ? 1 : 0);
        if (c.stamped) {
            EXPECT_EQ(page->m_nOutGain, c.gain);
            EXPECT_EQ(page->m_sliderGain.GetValue(), c.gain);  // the fader follows the field
        }
        // Only the current output changed.
        EXPECT_EQ(Out(3)->IsLevelModified(), 0);
    }
}

TEST_F(OutputHiddenTest, GainFaderStoresTheGainAndTheSpinFollows)
{
    Out(4)->SetGain(600);
    Out(4)->SetOn(0);
    Select(4);
    page->m_sliderGain.SetValue(420);
    EXPECT_EQ(page->SendMessage(WM_SLIDER_MOVING, IDC_PAGE_GAIN_SLIDER, 0), 1);
    EXPECT_EQ(Out(4)->GetGain(), 420);
    EXPECT_EQ(Out(4)->GetOn(), 1);
    EXPECT_TRUE(page->m_strip[4].m_btnOn.GetCheck());
    EXPECT_EQ(page->m_spinGain.GetPosition(), 420);
    EXPECT_EQ(page->m_editGain.GetValue(), 420);

    page->m_sliderGain.SetValue(100);
    EXPECT_EQ(page->SendMessage(WM_SLIDER_MOVED, IDC_PAGE_GAIN_SLIDER, 0), 1);
    EXPECT_EQ(Out(4)->GetGain(), 100);
    EXPECT_EQ(page->m_spinGain.GetPosition(), 100);

    // A band fader's message still goes to its band only.
    scene.ClearAllModified(0);
    page->m_sliderBandGain[3].SetValue(150);
    page->SendMessage(WM_SLIDER_MOVED, IDC_BAND_SLIDER + 3, 0);
    EXPECT_EQ(Out(4)->GetGain(), 100);
    EXPECT_EQ(Out(4)->IsLevelModified(), 0);
}

TEST_F(OutputHiddenTest, PolarityButtonInvertsTheCurrentOutput)
{
    Select(1);
    ASSERT_EQ(Out(1)->GetPolarity(), 0);
    for (int expected : {1, 0, 1}) {
        Command(IDC_PAGE_POLARITY);
        EXPECT_EQ(Out(1)->GetPolarity(), expected);
        EXPECT_EQ(page->m_btnPolarity.GetCheck(), expected);
        EXPECT_EQ(page->m_nPolarity, expected);
    }
    EXPECT_NE(Out(1)->IsLevelModified(), 0);
    EXPECT_EQ(Out(0)->GetPolarity(), 0);
}

// A delay typed in one unit is the output's delay and shows in the other two fields.
TEST_F(OutputHiddenTest, DelayInOneUnitShowsInTheOthers)
{
    struct Case {
        int field;         // 0 ms, 1 cm, 2 inch
        const char* text;
        double steps;      // what the text means in 1/48 ms steps (25 degrees: 34.6 cm/ms)
    };
    const Case cases[] = {
        {0, "5", 240.0},
        {0, "20", 960.0},
        {1, "100", 100.0 / 34.6 * 48.0},
        {2, "40", 40.0 * 2.54 / 34.6 * 48.0},
        {0, "0", 0.0},
    };
    g_nLinkGroup[6] = g_nLinkGroup[5];
    Select(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + c.text);
        Out(5)->SetDelay(480);
        Out(6)->SetDelay(480);
        scene.ClearAllModified(0);
        for (CNumSpin& s : page->m_spinDelay)
            s.SetPos(480);
        Type(page->m_editDelay[c.field], c.text);
        const int d = Out(5)->GetDelay();
        EXPECT_NEAR(d, c.steps, 1.5);
        EXPECT_EQ(page->m_nDelay, d);
        EXPECT_EQ(Out(5)->IsLevelModified() != 0, d != 480);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(page->m_spinDelay[k].GetPosition(), d) << "field " << k;
            EXPECT_EQ(page->m_editDelay[k].GetValue(), d) << "field " << k;
        }
        // The delay is the output's own: its link partner keeps its delay.
        EXPECT_EQ(Out(6)->GetDelay(), 480);
        EXPECT_EQ(Out(6)->IsLevelModified(), 0);
    }
    // The fields show the delay in their own units.
    Type(page->m_editDelay[0], "10");
    EXPECT_NE(Text(page->m_editDelay[0]), Text(page->m_editDelay[1]));
    EXPECT_NE(Text(page->m_editDelay[1]), Text(page->m_editDelay[2]));
    EXPECT_EQ(std::atof(Text(page->m_editDelay[0]).c_str()), 10.0);
    EXPECT_NEAR(std::atof(Text(page->m_editDelay[1]).c_str()), 346.0, 2.0);
}

// A delay spin's step reaches the other outputs of the current output's speaker group while
// the group's delays are linked, in the spin's unit.
TEST_F(OutputHiddenTest, DelayStepMovesTheLinkedSpeakerGroup)
{
    // A start where a step of one millisecond code, one centimetre and one inch all differ.
    int kStart = 100;
    while (StepDelayByCm(kStart, 1) == kStart + 1 || StepDelayByInch(kStart, 1) == StepDelayByCm(kStart, 1))
        ++kStart;
    ASSERT_LT(kStart, 900);
    const int stepped[3] = {kStart + 1, StepDelayByCm(kStart, 1), StepDelayByInch(kStart, 1)};
    struct Case {
        const char* what;
        int field;
        int step;
        int link;             // the front-left group's link flag
        BYTE currentType;     // type of output 0
        int start;            // every output's delay before the step
        std::set<int> moved;  // other outputs whose delay changes
    };
    // Outputs 1 and 4 are front-left ways, output 2 is front right, output 3 has no type.
    const Case cases[] = {
        {"ms up, linked", 0, 1, 1, 1, kStart, {1, 4}},
        {"cm up, linked", 1, 1, 1, 1, kStart, {1, 4}},
        {"inch up, linked", 2, 1, 1, 1, kStart, {1, 4}},
        {"cm up, not linked", 1, 1, 0, 1, kStart, {}},
        {"current output full range", 1, 1, 1, 6, kStart, {}},
        {"ms down at zero", 0, -1, 1, 1, 0, {}},
        {"ms up at the top", 0, 1, 1, 1, 960, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BYTE types[10] = {c.currentType, 3, 7, 0, 2, 9, 0, 0, 0, 0};
        for (int ch = 0; ch < 10; ++ch) {
            SpeakerTypeOf(g_bySpeakerType, ch) = types[ch];
            Out(ch)->SetDelay(short(c.start));
        }
        BuildSpeakerGroups();
        g_SpeakerGroups.nFrontLeftLink = c.link;
        scene.ClearAllModified(0);
        for (CNumSpin& s : page->m_spinDelay)
            s.SetPos(c.start);
        page->m_spinDelay[c.field].Step(c.step);
        Pump();
        const int own = Out(0)->GetDelay();
        if (c.start == kStart) {
            EXPECT_EQ(own, stepped[c.field]);  // the spin's own step, in its unit
        }
        for (int ch = 1; ch < 10; ++ch) {
            const bool moved = c.moved.count(ch) != 0;
            EXPECT_EQ(Out(ch)->GetDelay(), moved ? own : c.start) << "output " << ch;
            EXPECT_EQ(Out(ch)->IsLevelModified() != 0, moved) << "output " << ch;
        }
    }
}

TEST_F(OutputHiddenTest, DelayStepOfAnotherSpinOrOnAnUntypedOutputMovesNothing)
{
    const BYTE types[10] = {1, 3, 2, 0, 0, 0, 0, 0, 0, 0};
    for (int ch = 0; ch < 10; ++ch) {
        SpeakerTypeOf(g_bySpeakerType, ch) = types[ch];
        Out(ch)->SetDelay(200);
    }
    BuildSpeakerGroups();
    g_SpeakerGroups.nFrontLeftLink = 1;
    Select(0);
    // The position-delay spins and the band spins are no delay-step source.
    page->SendMessage(WM_DELAY_SPIN_STEP, IDC_POSITION_DELAY_SPIN + 5, 1);
    page->SendMessage(WM_DELAY_SPIN_STEP, IDC_BAND_GAIN_SPIN, 1);
    // Output 3 has no type: it belongs to no group.
    Select(3);
    page->SendMessage(WM_DELAY_SPIN_STEP, IDC_PAGE_DELAY_SPIN, 1);
    for (int ch = 0; ch < 10; ++ch) {
        EXPECT_EQ(Out(ch)->GetDelay(), 200) << "output " << ch;
        EXPECT_EQ(Out(ch)->IsLevelModified(), 0) << "output " << ch;
    }
    // A unit the step does not know leaves the delay as it is.
    page->StepChannelDelay(1, 5, IDC_PAGE_DELAY_SPIN + 3);
    EXPECT_EQ(Out(1)->GetDelay(), 200);
    page->StepChannelDelay(1, 5, IDC_PAGE_DELAY_SPIN);
    EXPECT_EQ(Out(1)->GetDelay(), 205);
    page->StepChannelDelay(12, 5, IDC_PAGE_DELAY_SPIN);  // no such output: nothing
}

TEST_F(OutputHiddenTest, ThirdPageButtonAsksTheView)
{
    CStage view;
    ASSERT_TRUE(view.Make(0, 0, 20, 20));
    host.view = &view;
    Command(IDC_THIRD_PAGE);
    Pump();
    const auto asked = view.All(WM_SHOW_THIRD_PAGE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].wParam, 0u);
    EXPECT_EQ(asked[0].lParam, 0);
    host.view = nullptr;
    Command(IDC_THIRD_PAGE);  // no view: nothing to ask, no crash
    Pump();
    EXPECT_EQ(view.Count(WM_SHOW_THIRD_PAGE), 1);
}

TEST_F(OutputHiddenTest, OnStateHelpers)
{
    page->MarkAllLevelsChanged();
    for (int ch = 0; ch < 10; ++ch)
        EXPECT_EQ(Out(ch)->IsLevelModified(), 1) << "output " << ch;

    for (int expected : {0, 1}) {
        Out(7)->SetOn(!expected);
        page->ToggleChannelOn(7);
        EXPECT_EQ(Out(7)->GetOn(), expected);
        EXPECT_EQ(page->m_strip[7].m_btnOn.GetCheck() != 0, expected != 0);
    }
    page->ToggleChannelOn(10);  // no such output
    page->ToggleChannelOn(-1);

    // 2's partners take 2's own state, whatever the page last wrote.
    g_nLinkGroup[5] = g_nLinkGroup[8] = g_nLinkGroup[2];
    for (int on : {0, 1}) {
        Out(2)->SetOn(on);
        for (int ch : {5, 8, 9})
            Out(ch)->SetOn(!on);
        page->m_bOn = !on;
        page->CopyOnToGroup(2);
        EXPECT_EQ(Out(5)->GetOn(), on);
        EXPECT_EQ(Out(8)->GetOn(), on);
        EXPECT_EQ(page->m_strip[8].m_btnOn.GetCheck() != 0, on != 0);
        EXPECT_EQ(Out(9)->GetOn(), !on);  // not in the group
        EXPECT_EQ(Out(2)->GetOn(), on);
    }
}

}  // namespace
