// The edited mark of an output (g_nLinkMark): each kind of edit on the page sets it for the output
// edited and for no other; choosing an output sets none.
#include "../pages/PageHostRecorder.h"
#include "OutputPageRig.h"

#include "AppMessages.h"
#include "CKTV_OutData.h"
#include "COutRoute_Dlg.h"
#include "COutputDlg.h"
#include "OutputPageGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

class OutputMarkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.Make(&host));
        page = rig.page.get();
        page->SelectChannel(WPARAM(kCurrent));
        std::fill(std::begin(g_nLinkMark), std::end(g_nLinkMark), 0);
    }
    void TearDown() override
    {
        rig.Release();
        std::fill(std::begin(g_nLinkMark), std::end(g_nLinkMark), 0);
    }
    void Command(UINT id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    static constexpr int kCurrent = 2;
    PageHostRecorder host;
    OutputPageRig rig;
    COutputDlg* page = nullptr;
};

TEST_F(OutputMarkTest, EveryKindOfEditMarksTheOutputEdited)
{
    struct Case {
        const char* what;
        std::function<void(COutputDlg&)> edit;
        int marked;  // -1: none
    };
    const Case cases[] = {
        {"band gain field", [this](COutputDlg& p) {
             p.m_spinBandGain[4].SetPos(300);
             Command(IDC_BAND_GAIN_EDIT + 4);
         }, kCurrent},
        {"band frequency field", [this](COutputDlg& p) {
             p.m_spinBandFreq[4].SetPos(250);
             Command(IDC_BAND_FREQ_EDIT + 4);
         }, kCurrent},
        {"band fader", [](COutputDlg& p) {
             p.m_sliderBandGain[6].SetValue(260);
             p.SendMessage(WM_SLIDER_MOVED, IDC_BAND_SLIDER + 6, 0);
         }, kCurrent},
        {"band bypass", [this](COutputDlg&) { Command(IDC_BAND_BYPASS + 6); }, kCurrent},
        {"high-pass frequency", [this](COutputDlg& p) {
             p.m_spinHpfFreq.SetPos(80);
             Command(IDC_HPF_FREQ_EDIT);
         }, kCurrent},
        {"point dragged on the graph", [](COutputDlg& p) { p.ReloadEqPoint(3); }, kCurrent},
        {"strip fader of output 8", [](COutputDlg& p) {
             p.m_strip[7].SendMessage(WM_SLIDER_MOVING, IDC_STRIP_FADER, 0);
         }, 7},
        {"another output chosen", [](COutputDlg& p) { p.SelectChannel(WPARAM(5)); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        page->SelectChannel(WPARAM(kCurrent));
        std::fill(std::begin(g_nLinkMark), std::end(g_nLinkMark), 0);
        c.edit(*page);
        Pump();
        for (int ch = 0; ch < 10; ++ch)
            EXPECT_EQ(g_nLinkMark[ch], ch == c.marked ? 1 : 0) << ch;
    }
}

}  // namespace
