// The input page: channel-mode layout, input and AUX-mode choices, the input-state lock, the
// guard on input codes and the page's registration.
#include "InputPageRig.h"

#include "AppMessages.h"

#include <gtest/gtest.h>

using namespace input_test;

namespace {

struct ModeRow {
    int mode;
    bool shown[INPUT_MUSIC_CODES];  // selectors 3960..3965
    int slot[INPUT_MUSIC_CODES];    // slot each shown selector stands in
    bool phone, spdif;              // source bar connectors 2715, 2705
};

}  // namespace

TEST_F(InputPageTest, ChannelModeDecidesWhichSelectorsStandWhere)
{
    const ModeRow rows[] = {
        {0, {false, true, false, true, true, true}, {-1, 0, -1, 1, 2, 3}, false, false},
        {1, {false, true, true, true, true, true}, {-1, 0, 1, 2, 3, 4}, true, false},
        {2, {true, true, false, true, true, true}, {0, 1, -1, 2, 3, 4}, false, true},
        {3, {true, true, true, true, true, true}, {0, 1, 2, 3, 4, 5}, true, true},
    };
    for (const ModeRow& r : rows) {
        SCOPED_TRACE(r.mode);
        g_bySysGroup8[2] = BYTE(r.mode);
        MakePage();
        for (int k = 0; k < INPUT_MUSIC_CODES; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(Visible(page->GetSelector(k)), r.shown[k]);
            if (!r.shown[k])
                continue;
            CRect rc;
            page->GetSelector(k).GetWindowRect(&rc);
            page->ScreenToClient(&rc);
            EXPECT_EQ(rc, page->GetSelectorRect(r.slot[k]));
        }
        EXPECT_EQ(Visible(*page->GetSourceBar().GetButton(IDC_SRC_PHONE)), r.phone);
        EXPECT_EQ(Visible(*page->GetSourceBar().GetButton(IDC_SRC_SPDIF)), r.spdif);
    }
    // Another value leaves everything where the template put it.
    EXPECT_FALSE(CInPutDlg::GetChannelModeLayout(4).valid);
    EXPECT_FALSE(CInPutDlg::GetChannelModeLayout(-1).valid);
}

TEST_F(InputPageTest, AuxModeTwoWithAux3ShownMovesToAux1)
{
    g_nShownInput = 5;
    g_byInputSource = 5;
    MakePage();
    ASSERT_TRUE(page->GetSelector(5).GetCheck());

    Click(IDC_IN_KIND + 2);
    EXPECT_EQ(g_nInputKind, 2);
    EXPECT_EQ(g_nShownInput, 3);
    EXPECT_EQ(g_byInputSource, 3);
    EXPECT_EQ(g_bySysGroup8[1], 2);
    EXPECT_FALSE(Visible(page->GetSelector(4)));
    EXPECT_FALSE(Visible(page->GetSelector(5)));
    EXPECT_TRUE(page->GetSelector(3).GetCheck());
    EXPECT_FALSE(page->GetSelector(5).GetCheck());
    EXPECT_TRUE(page->GetKindButton(2).GetCheck());
    EXPECT_FALSE(page->GetKindButton(0).GetCheck());
    // The source choice goes out as command 2, the AUX mode itself as command 8.
    EXPECT_EQ(host->commands, (std::vector<int>{2, 8}));
    CInMode_Dlg& bar = page->GetSourceBar();
    EXPECT_TRUE(Visible(*bar.GetButton(IDC_SRC_SIX)));
    EXPECT_FALSE(Visible(*bar.GetButton(IDC_SRC_PAIR1)));
    EXPECT_TRUE(bar.GetButton(IDC_SRC_SIX)->GetCheck());
    EXPECT_EQ(page->GetMusic(), scene->GetMusicData(3));

    host->commands.clear();
    Click(IDC_IN_KIND + 0);
    EXPECT_EQ(g_nShownInput, 3);
    EXPECT_TRUE(Visible(page->GetSelector(4)));
    EXPECT_TRUE(Visible(page->GetSelector(5)));
    EXPECT_TRUE(bar.GetButton(IDC_SRC_PAIR1)->GetCheck());
    EXPECT_EQ(host->commands, (std::vector<int>{2, 8}));

    // The mode already set sends nothing.
    host->commands.clear();
    Click(IDC_IN_KIND + 0);
    EXPECT_TRUE(host->commands.empty());
}

TEST_F(InputPageTest, ChoosingAnInputSendsCommandTwoOnceAndLoadsIt)
{
    Music(4).GetFilter(2)->SetFreq(777, TRUE);
    Click(IDC_IN_SELECTOR + 4);
    EXPECT_EQ(g_nShownInput, 4);
    EXPECT_EQ(g_byInputSource, 4);
    EXPECT_EQ(host->commands, (std::vector<int>{2}));
    EXPECT_TRUE(page->GetSelector(4).GetCheck());
    EXPECT_FALSE(page->GetSelector(0).GetCheck());
    EXPECT_EQ(page->GetFreqSpin(2).GetPos(), 777);
    // A queued device report of the old input cannot undo the choice.
    EXPECT_EQ(g_nDeviceInfo[0], 4);

    host->commands.clear();
    Click(IDC_IN_SELECTOR + 4);
    EXPECT_TRUE(host->commands.empty());
}

TEST_F(InputPageTest, SourceBarClickSendsEvenForTheShownInput)
{
    CInMode_Dlg& bar = page->GetSourceBar();
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SRC_HILEVEL, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(g_nShownInput, 1);
    EXPECT_TRUE(bar.GetButton(IDC_SRC_HILEVEL)->GetCheck());
    EXPECT_FALSE(bar.GetButton(IDC_SRC_SPDIF)->GetCheck());
    EXPECT_TRUE(page->GetSelector(1).GetCheck());
    EXPECT_EQ(host->commands, (std::vector<int>{2}));

    host->commands.clear();
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SRC_HILEVEL, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(host->commands, (std::vector<int>{2}));
}

TEST_F(InputPageTest, InputCodesAboveSixAreIgnored)
{
    Music(0).GetFilter(0)->SetFreq(555, TRUE);
    page->UpdateChannelView();
    for (UINT message : {WM_SELECT_INPUT_CHANNEL, WM_INPUT_SOURCE_SELECTED, WM_INPUT_STATE_CHANGED}) {
        SCOPED_TRACE(message);
        for (LPARAM code : {LPARAM(7), LPARAM(200), LPARAM(-1)}) {
            page->SendMessage(message, 0, code);
            EXPECT_EQ(g_nShownInput, 0);
            EXPECT_EQ(g_byInputSource, 0);
        }
    }
    EXPECT_TRUE(host->commands.empty());
    EXPECT_EQ(page->GetMusic(), scene->GetMusicData(0));
    EXPECT_EQ(page->GetFreqSpin(0).GetPos(), 555);
}

TEST_F(InputPageTest, CodeSixShowsItsDisplayAndLocksTheEqualiser)
{
    page->SendMessage(WM_SELECT_INPUT_CHANNEL, 0, 6);
    EXPECT_EQ(g_nShownInput, 6);
    EXPECT_EQ(page->GetMusic(), nullptr);
    for (int n : {0, 7, 14}) {
        EXPECT_FALSE(page->GetFreqEdit(n).IsWindowEnabled());
        EXPECT_FALSE(page->GetGainEdit(n).IsWindowEnabled());
        EXPECT_FALSE(page->GetFader(n).IsEnabled());
        EXPECT_FALSE(page->GetLamp(n).IsWindowEnabled());
    }
    EXPECT_FALSE(page->GetGraph().IsWindowEnabled());
    EXPECT_FALSE(page->GetAllBypassButton().IsWindowEnabled());
    // Nothing edits a band that does not exist, and nothing is sent.
    for (int n = 0; n < INPUT_LIVE_BANDS; ++n) {
        page->OnBandFreq(n);
        page->OnBandGain(n);
        page->OnBandBypass(n);
    }
    page->OnAllBypass();
    page->OnResetEq();
    page->OnEqModeButton();
    page->SendMessage(WM_EQ_POINT_CHANGED, 3, 6);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(host->resets.empty());
    EXPECT_TRUE(host->mutedSends.empty());

    // Back to a real input: editable again.
    Click(IDC_IN_SELECTOR + 2);
    EXPECT_EQ(page->GetMusic(), scene->GetMusicData(2));
    EXPECT_TRUE(page->GetFreqEdit(0).IsWindowEnabled());
    EXPECT_TRUE(page->GetGraph().IsWindowEnabled());
}

TEST_F(InputPageTest, InputStateFlagLocksUntilTheNextChoice)
{
    g_bySysParams[2] = 1;
    page->ApplyEqEnable();
    EXPECT_FALSE(page->GetFreqEdit(3).IsWindowEnabled());
    EXPECT_FALSE(page->GetFader(3).IsEnabled());
    EXPECT_FALSE(page->GetEqModeButton().IsWindowEnabled());
    EXPECT_FALSE(page->GetResetButton().IsWindowEnabled());
    EXPECT_FALSE(page->GetGraph().IsWindowEnabled());

    // The selector already shown sends no command 2, but the flag is still cleared.
    Click(IDC_IN_SELECTOR + 0);
    EXPECT_EQ(g_bySysParams[2], 0);
    EXPECT_EQ(host->commands, (std::vector<int>{5}));
    EXPECT_TRUE(page->GetFreqEdit(3).IsWindowEnabled());
    EXPECT_TRUE(page->GetFader(3).IsEnabled());
    EXPECT_TRUE(page->GetGraph().IsWindowEnabled());
}

TEST_F(InputPageTest, HighLevelModeGoesOutWithCommandEight)
{
    Click(IDC_IN_ONE_WAY);
    EXPECT_TRUE(host->commands.empty());
    Click(IDC_IN_TWO_WAY);
    EXPECT_EQ(g_bySysGroup8[3], 1);
    EXPECT_TRUE(page->GetTwoWayButton().GetCheck());
    EXPECT_FALSE(page->GetOneWayButton().GetCheck());
    EXPECT_EQ(host->commands, (std::vector<int>{2, 8}));
    host->commands.clear();
    Click(IDC_IN_ONE_WAY);
    EXPECT_EQ(g_bySysGroup8[3], 0);
    EXPECT_EQ(host->commands, (std::vector<int>{2, 8}));
}

TEST_F(InputPageTest, RegistersOnlyItselfAndOnlyWhileItsWindowLives)
{
    EXPECT_EQ(g_pInputPage, page.get());
    CWnd level;
    ASSERT_TRUE(level.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    g_pLevelPage = &level;
    MakePage();
    EXPECT_EQ(g_pLevelPage, &level);
    page->DestroyWindow();
    EXPECT_EQ(g_pInputPage, nullptr);
    EXPECT_EQ(g_pLevelPage, &level);
    g_pLevelPage = nullptr;
}

TEST_F(InputPageTest, StateNoticeReachesOnlyALiveLevelPage)
{
    struct LevelPage : CWnd {
        std::vector<std::pair<WPARAM, LPARAM>> got;
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
        {
            if (m == WM_INPUT_STATE_CHANGED)
                got.emplace_back(w, l);
            return CWnd::WindowProc(m, w, l);
        }
    } level;
    // A pointer to a window that is gone (or never made) is left alone.
    g_pLevelPage = &level;
    page->NotifyInputState();
    Pump();
    EXPECT_TRUE(level.got.empty());

    ASSERT_TRUE(level.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    g_bySysParams[2] = 1;
    g_nShownInput = 0;
    page->NotifyInputState();
    Pump();
    ASSERT_EQ(level.got.size(), 1u);
    EXPECT_EQ(level.got[0], (std::pair<WPARAM, LPARAM>(1, 0)));
    EXPECT_EQ(host->commands, (std::vector<int>{5}));
    g_pLevelPage = nullptr;
}

TEST_F(InputPageTest, PageWithoutAWindowIgnoresTheViewsRefreshes)
{
    // The view holds a page object that never gets a window and still calls these.
    CInPutDlg windowless;
    windowless.m_pView = host.get();
    windowless.AttachScene(scene.get());
    g_nSourceSelect = 3;
    windowless.UpdateChannelView();
    windowless.UpdateSourceButton();
    windowless.UpdateInputButtons();
    EXPECT_EQ(windowless.GetMusic(), nullptr);
    EXPECT_EQ(g_pInputPage, page.get());
    EXPECT_EQ(g_nShownInput, 0);
    EXPECT_EQ(g_nSourceSelect, 3);
    EXPECT_TRUE(host->commands.empty());
}
