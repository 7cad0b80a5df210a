// The output page's band and crossover editing in windows, without the device: each field,
// fader and bypass button stores into the current channel and copies to its linked channels
// and stereo partners; equal values and offline edits leave no stamp; the crossover order holds.
#include "../controls/ControlTestKit.h"
#include "../pages/PageHostRecorder.h"
#include "OutputPageRig.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "ModelUi.h"
#include "SpeakerTypeMenus.h"

#include <QDir>
#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

class EqHost : public PageHostRecorder {
public:
    int pair[10] = {};
    int nAllBypassCheck = -1;
    BOOL IsStereoPair(int n) const override { return n >= 0 && n < 10 && pair[n]; }
    void SetAllBypassCheck(BOOL b) override { nAllBypassCheck = b ? 1 : 0; }
};

class OutputEqTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Make(&host)); }
    void TearDown() override { rig.Release(); }
    CFilter* Band(int ch, int n) { return scene.GetOutData(ch)->GetFilter(n); }
    void Select(int ch)
    {
        page->SelectChannel(WPARAM(ch));
        scene.ClearAllModified(0);
    }
    void Command(UINT id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    EqHost host;
    OutputPageRig rig;
    CKTV_Data& scene = rig.scene;
    std::unique_ptr<COutputDlg>& page = rig.page;
};

// Which channels a band-7 edit reaches, for each way of editing the band.
TEST_F(OutputEqTest, BandEditsFollowTheLinkCopyRule)
{
    struct Links {
        const char* what;
        int current;
        std::vector<std::pair<int, int>> sameGroup;  // (a, b): b joins a's group
        std::vector<int> pairs;                      // pair flags set
        std::set<int> reached;
    };
    const Links links[] = {
        {"2 linked with 5, 2 paired with 3", 2, {{2, 5}}, {2}, {2, 3, 5}},
        {"3 current, alone, 2 paired with 3", 3, {{2, 5}}, {2}, {3}},
        {"0 linked with 4, 4 paired with 5", 0, {{0, 4}}, {4}, {0, 4, 5}},
        // A pair flag on an odd or on the last output names no partner.
        {"1 current with a stray odd pair flag", 1, {}, {1}, {1}},
        {"9 linked with 3, stray flags on 3 and 9", 9, {{9, 3}}, {3, 9}, {9, 3}},
    };
    struct Edit {
        const char* what;
        std::function<void(COutputDlg&)> apply;
        std::function<bool(CFilter&)> changed;
    };
    const Edit edits[] = {
        {"frequency field", [](COutputDlg& p) { p.m_spinBandFreq[7].SetPos(3150); p.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BAND_FREQ_EDIT + 7, 0), 0); },
         [](CFilter& f) { return f.GetFreq() == 3150; }},
        {"Q spin", [](COutputDlg& p) { p.m_spinBandQ[7].SetPos(120); p.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BAND_Q_SPIN + 7, 0), 0); },
         [](CFilter& f) { return f.GetBandwidthIndex() == 120; }},
        {"gain field", [](COutputDlg& p) { p.m_spinBandGain[7].SetPos(230); p.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BAND_GAIN_EDIT + 7, 0), 0); },
         [](CFilter& f) { return f.GetGainIndex() == 230; }},
        {"fader", [](COutputDlg& p) { p.m_sliderBandGain[7].SetValue(150); p.SendMessage(WM_SLIDER_MOVED, IDC_BAND_SLIDER + 7, 0); },
         [](CFilter& f) { return f.GetGainIndex() == 150; }},
    };
    for (const Links& l : links) {
        for (const Edit& e : edits) {
            SCOPED_TRACE(std::string(l.what) + " / " + e.what);
            for (int i = 0; i < 10; ++i) {
                g_nLinkGroup[i] = i;
                host.pair[i] = 0;
                Band(i, 7)->SetFreq(1000, FALSE);
                Band(i, 7)->SetBandwidthIndex(50);
                Band(i, 7)->SetGainIndex(210);
            }
            for (auto [a, b] : l.sameGroup)
                g_nLinkGroup[b] = g_nLinkGroup[a];
            for (int p : l.pairs)
                host.pair[p] = 1;
            Select(l.current);
            e.apply(*page);
            for (int ch = 0; ch < 10; ++ch) {
                const bool want = l.reached.count(ch) != 0;
                EXPECT_EQ(e.changed(*Band(ch, 7)), want) << "channel " << ch;
                EXPECT_EQ(Band(ch, 7)->GetModified() != 0, want) << "channel " << ch;
                EXPECT_EQ(Band(ch, 6)->GetModified(), 0) << "channel " << ch;
            }
        }
    }
}

TEST_F(OutputEqTest, EqualValueIsNeitherStoredNorStampedButHighlighted)
{
    g_nLinkGroup[5] = g_nLinkGroup[0];
    Select(0);
    page->m_spinBandFreq[4].SetPos(Band(0, 4)->GetFreq());
    Command(IDC_BAND_FREQ_EDIT + 4);
    EXPECT_EQ(Band(0, 4)->GetModified(), 0);
    EXPECT_EQ(Band(5, 4)->GetModified(), 0);
    EXPECT_EQ(page->m_pHiLabel, &page->m_stcBandNo[4]);
    EXPECT_EQ(page->m_pFocusEdit, &page->m_editBandFreq[4]);
}

TEST_F(OutputEqTest, OfflineEditChangesTheModelAndTheLinkedChannelsWithoutStamps)
{
    g_nLinkGroup[5] = g_nLinkGroup[0];
    Select(0);
    g_bOnline = 0;
    page->m_spinBandGain[3].SetPos(260);
    Command(IDC_BAND_GAIN_SPIN + 3);
    page->m_spinHpfFreq.SetPos(90);
    Command(IDC_HPF_FREQ_EDIT);
    for (int ch : {0, 5}) {
        EXPECT_EQ(Band(ch, 3)->GetGainIndex(), 260) << ch;
        EXPECT_EQ(Band(ch, 3)->GetModified(), 0) << ch;
        EXPECT_EQ(scene.GetOutData(ch)->GetHighPass()->GetFreq(), 90) << ch;
        EXPECT_EQ(scene.GetOutData(ch)->GetHighPass()->GetModified(), 0) << ch;
    }
}

TEST_F(OutputEqTest, BypassFollowsTheGainAndTheButton)
{
    Select(0);
    CFilter* f = Band(0, 2);
    // 0 dB shows as bypassed and the button then changes nothing.
    page->m_spinBandGain[2].SetPos(200);
    f->SetGainIndex(230);
    Command(IDC_BAND_GAIN_EDIT + 2);
    EXPECT_TRUE(f->IsBypassed());
    EXPECT_TRUE(page->m_btnBypass[2].GetCheck());
    Command(IDC_BAND_BYPASS + 2);
    EXPECT_TRUE(f->IsBypassed());
    EXPECT_TRUE(page->m_btnBypass[2].GetCheck());
    // Another gain makes the band active again.
    page->m_spinBandGain[2].SetPos(230);
    Command(IDC_BAND_GAIN_EDIT + 2);
    EXPECT_FALSE(f->IsBypassed());
    EXPECT_FALSE(page->m_btnBypass[2].GetCheck());
    // Bypass at +3.0 dB, then +2.0 dB: active with +2.0 dB.
    Command(IDC_BAND_BYPASS + 2);
    EXPECT_TRUE(f->IsBypassed());
    EXPECT_EQ(page->m_spinBandGain[2].GetPos(), 200);
    page->m_spinBandGain[2].SetPos(220);
    Command(IDC_BAND_GAIN_EDIT + 2);
    EXPECT_FALSE(f->IsBypassed());
    EXPECT_EQ(f->GetGainIndex(), 220);
    EXPECT_EQ(host.nAllBypassCheck, 0);
}

TEST_F(OutputEqTest, CrossoverFrequenciesKeepTheirOrderOnTheChannelEdited)
{
    struct Case {
        const char* what;
        bool high;
        int typed;
        int hpfAfter, lpfAfter;
    };
    const Case cases[] = {
        {"high-pass above the low-pass", true, 9000, 5000, 5000},
        {"low-pass below the high-pass", false, 100, 500, 500},
        {"equal frequencies", true, 5000, 5000, 5000},
        {"a low-pass well above", false, 12000, 500, 12000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKTV_OutData* out = scene.GetOutData(0);
        out->GetHighPass()->SetFreq(500, FALSE);
        out->GetLowPass()->SetFreq(5000, FALSE);
        g_nLinkGroup[6] = g_nLinkGroup[0];
        Select(0);
        (c.high ? page->m_spinHpfFreq : page->m_spinLpfFreq).SetPos(c.typed);
        Command(c.high ? IDC_HPF_FREQ_SPIN : IDC_LPF_FREQ_SPIN);
        EXPECT_EQ(out->GetHighPass()->GetFreq(), c.hpfAfter);
        EXPECT_EQ(out->GetLowPass()->GetFreq(), c.lpfAfter);
        EXPECT_EQ(page->m_spinHpfFreq.GetPos(), c.hpfAfter);
        EXPECT_EQ(page->m_spinLpfFreq.GetPos(), c.lpfAfter);
        // The linked channel takes the stored value.
        CFilter* linked = c.high ? scene.GetOutData(6)->GetHighPass() : scene.GetOutData(6)->GetLowPass();
        EXPECT_EQ(linked->GetFreq(), c.high ? c.hpfAfter : c.lpfAfter);
    }
}

TEST_F(OutputEqTest, SlopeListsEnableTheClassListExceptAtSixDb)
{
    struct Case {
        UINT notify;
        int slope;
        bool classEnabled;
    };
    const Case cases[] = {{1015, 0, false}, {1015, 3, true}, {1015, 8, true},
                          {1017, 0, false}, {1017, 8, true}, {1017, 1, true}};
    g_nLinkGroup[3] = g_nLinkGroup[0];
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.notify << " slope " << c.slope);
        Select(0);
        const bool high = c.notify == 1015;
        CComBoxBtn& slope = high ? page->m_btnHpfSlope : page->m_btnLpfSlope;
        CFilter* f = high ? scene.GetOutData(0)->GetHighPass() : scene.GetOutData(0)->GetLowPass();
        CFilter* linked = high ? scene.GetOutData(3)->GetHighPass() : scene.GetOutData(3)->GetLowPass();
        f->SetSlope(c.slope == 3 ? 2 : 3, FALSE);
        slope.SetCurSel(c.slope);
        page->SendMessage(WM_DROPLIST_SELCHANGE, c.notify, 0);
        EXPECT_EQ(f->GetSlope(), c.slope);
        EXPECT_EQ(linked->GetSlope(), c.slope);
        EXPECT_NE(f->GetModified(), 0);
        EXPECT_EQ((high ? page->m_btnHpfClass : page->m_btnLpfClass).IsWindowEnabled() != 0, c.classEnabled);
    }
}

TEST_F(OutputEqTest, DraggedBandReachesTheLinkedChannelsAsZeroDbWhenBypassed)
{
    g_nLinkGroup[8] = g_nLinkGroup[0];
    Select(0);
    Band(8, 9)->SetGainIndex(250);
    CFilter* f = Band(0, 9);
    f->SetFreq(700, FALSE);
    f->SetGainIndex(240);
    f->SetBypass(TRUE);
    page->SendMessage(WM_EQ_POINT_CHANGED, 9, 768);
    EXPECT_EQ(Band(8, 9)->GetFreq(), 700);
    EXPECT_EQ(Band(8, 9)->GetGainIndex(), 200);
    EXPECT_NE(Band(8, 9)->GetModified(), 0);
    EXPECT_TRUE(page->m_btnBypass[9].GetCheck());
}

}  // namespace

namespace {

TEST_F(OutputEqTest, KeyWalkMovesTheFocusAcrossThePageStripsAndPanel)
{
    struct Case {
        UINT message;
        UINT from;
        CWnd* focus;
    };
    const Case cases[] = {
        {WM_NUMEDIT_KEYDOWN, 5199, &page->m_editBandFreq[0]},
        {WM_KEY_ENTER, 5207, &page->m_editBandQ[7]},
        {WM_NUMEDIT_KEYDOWN, 1004, page->m_strip[7].GetDlgItem(2827)},
        {WM_NUMEDIT_KEYDOWN, 5030, page->m_dlgGain.GetDlgItem(2812)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        ASSERT_NE(c.focus, nullptr);
        page->SendMessage(c.message, c.from, c.message == WM_KEY_ENTER ? 0 : VK_RIGHT - (c.from == 1004 ? 2 : 0));
        Pump();
        EXPECT_EQ(CWnd::GetFocus(), c.focus);
    }
}

}  // namespace

namespace {

TEST_F(OutputEqTest, BigCurveHidesTheBandControlsAndTheSecondToggleBringsThemBack)
{
    std::vector<CWnd*> controls;
    for (int n = 0; n < OUTPUT_BANDS; ++n)
        for (CWnd* w : {(CWnd*)&page->m_stcBandNo[n], (CWnd*)&page->m_editBandFreq[n], (CWnd*)&page->m_editBandQ[n],
                        (CWnd*)&page->m_editBandGain[n], (CWnd*)&page->m_sliderBandGain[n], (CWnd*)&page->m_btnBypass[n]})
            controls.push_back(w);
    for (CWnd* w : {(CWnd*)&page->m_btnHpfClass, (CWnd*)&page->m_btnLpfClass, (CWnd*)&page->m_editHpfFreq,
                    (CWnd*)&page->m_editLpfFreq, (CWnd*)&page->m_btnHpfSlope, (CWnd*)&page->m_btnLpfSlope,
                    (CWnd*)&page->m_btnDelayUnit, (CWnd*)&page->m_btnLinkLR})
        controls.push_back(w);
    std::vector<bool> before;
    for (CWnd* w : controls)
        before.push_back(w->IsWindowVisible() != 0);
    const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens");
    QDir().mkpath(dir);

    page->ToggleBigCurve();
    Pump();
    EXPECT_TRUE(g_bBigCurve);
    CRect rc;
    page->m_graph.GetWindowRect(&rc);
    page->ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(10, 4, 1160, 404));
    for (CWnd* w : controls)
        EXPECT_FALSE(w->IsWindowVisible());
    EXPECT_TRUE(GrabOf(*page).save(dir + "/output_big_curve.png"));

    page->ToggleBigCurve();
    Pump();
    EXPECT_FALSE(g_bBigCurve);
    page->m_graph.GetWindowRect(&rc);
    page->ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(212, 4, 1159, 219));
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->IsWindowVisible() != 0, before[i]) << i;
    EXPECT_TRUE(GrabOf(*page).save(dir + "/output_normal_curve.png"));
}

}  // namespace
