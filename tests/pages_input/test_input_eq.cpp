// The input page's equaliser: band edits and their highlight, bypass, the EQ-mode switch, reset
// and all-bypass with their questions, the graph's messages and the keyboard rings.
#include "InputPageRig.h"

#include "AppMessages.h"
#include "Texts.h"

#include <gtest/gtest.h>

using namespace input_test;

TEST_F(InputPageTest, TypingAFrequencyEditsTheBandAndHighlightsIt)
{
    CNumEdit& field = page->GetFreqEdit(3);
    field.SetWindowText("1000");
    field.SetModified(1);
    // The field reports a finished entry the way it does when it loses the focus.
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_FREQ + 3, 0), 0);
    CFilter* f = Music(0).GetFilter(3);
    EXPECT_EQ(f->GetFreq(), 1000);
    EXPECT_NE(f->GetModified(), 0);
    EXPECT_EQ(page->GetGraph().GetSelElement(), 3);
    EXPECT_EQ(page->GetCurLabel(), &page->GetLabel(3));
    EXPECT_EQ(page->GetLabel(3).GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(page->GetCurEdit(), &field);
    EXPECT_TRUE(field.GetHighlight());

    // The next band's gain takes the highlight over; the old label turns black again.
    page->GetGainSpin(5).SetPos(230);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_GAIN_SPIN + 5, 0), 0);
    EXPECT_EQ(Music(0).GetFilter(5)->GetGainIndex(), 230);
    EXPECT_EQ(page->GetFader(5).GetValue(), 230);
    EXPECT_EQ(page->GetLabel(3).GetTextColor(), RGB(0, 0, 0));
    EXPECT_FALSE(field.GetHighlight());
    EXPECT_EQ(page->GetCurEdit(), &page->GetGainEdit(5));
}

TEST_F(InputPageTest, FlatGainBypassesTheBandAndMayBypassAll)
{
    // Fresh bands are flat: all are bypassed from the start.
    EXPECT_TRUE(page->GetAllBypassButton().GetCheck());
    page->GetGainSpin(2).SetPos(260);
    page->OnBandGain(2);
    EXPECT_FALSE(page->GetLamp(2).GetCheck());
    EXPECT_FALSE(page->GetAllBypassButton().GetCheck());
    page->GetGainSpin(2).SetPos(200);
    page->OnBandGain(2);
    EXPECT_TRUE(page->GetLamp(2).GetCheck());
    EXPECT_TRUE(page->GetAllBypassButton().GetCheck());
}

TEST_F(InputPageTest, BypassLampShowsFlatAndKeepsTheGain)
{
    CFilter* f = Music(0).GetFilter(6);
    f->SetGainIndex(250);
    page->UpdateChannelView();
    ASSERT_FALSE(page->GetLamp(6).GetCheck());
    page->OnBandBypass(6);
    EXPECT_TRUE(page->GetLamp(6).GetCheck());
    EXPECT_EQ(page->GetGainSpin(6).GetPos(), 200);
    EXPECT_EQ(page->GetFader(6).GetValue(), 200);
    EXPECT_EQ(f->GetGainIndex(), 200);  // shown flat while bypassed
    page->OnBandBypass(6);
    EXPECT_FALSE(page->GetLamp(6).GetCheck());
    EXPECT_EQ(page->GetGainSpin(6).GetPos(), 250);
    EXPECT_EQ(page->GetFader(6).GetValue(), 250);
}

TEST_F(InputPageTest, EqModeSwitchAsksThenReloadsTheResetBands)
{
    Music(0).GetFilter(4)->SetFreq(999, TRUE);
    page->UpdateChannelView();
    ASSERT_EQ(page->GetFreqSpin(4).GetPos(), 999);

    answer = IDNO;
    page->OnEqModeButton();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], g_strPeqToGeqEn);
    EXPECT_EQ(selectors[0], -3);
    EXPECT_EQ(Music(0).GetEqMode(), 0);
    EXPECT_TRUE(host->resets.empty());
    EXPECT_EQ(page->GetFreqSpin(4).GetPos(), 999);

    answer = IDYES;
    page->OnEqModeButton();
    EXPECT_EQ(boxes.back(), g_strPeqToGeqEn);
    EXPECT_EQ(Music(0).GetEqMode(), 1);
    EXPECT_TRUE(page->GetEqModeButton().GetCheck());
    EXPECT_EQ(host->resets, (std::vector<int>{0}));
    EXPECT_FALSE(Visible(page->GetFreqEdit(4)));
    // The fields show what the reset left, so that the next edit cannot write an old value back.
    for (int n = 0; n < INPUT_LIVE_BANDS; ++n)
        EXPECT_EQ(page->GetFreqSpin(n).GetPos(), kResetHz[n]) << n;

    page->OnEqModeButton();
    EXPECT_EQ(boxes.back(), g_strGeqToPeqEn);
    EXPECT_EQ(Music(0).GetEqMode(), 0);
    EXPECT_TRUE(Visible(page->GetFreqEdit(4)));
}

TEST_F(InputPageTest, ResetAsksThenShowsTheResetValues)
{
    Music(0).GetFilter(9)->SetFreq(3333, TRUE);
    Music(0).GetFilter(9)->SetGainIndex(280);
    page->UpdateChannelView();

    answer = IDNO;
    page->OnResetEq();
    EXPECT_TRUE(host->resets.empty());
    EXPECT_EQ(page->GetFreqSpin(9).GetPos(), 3333);

    answer = IDYES;
    page->OnResetEq();
    EXPECT_EQ(boxes.back(), g_strResetEqEn);
    EXPECT_EQ(host->resets, (std::vector<int>{0}));
    EXPECT_EQ(page->GetFreqSpin(9).GetPos(), kResetHz[9]);
    EXPECT_EQ(page->GetGainSpin(9).GetPos(), 200);
    EXPECT_EQ(page->GetFader(9).GetValue(), 200);
    EXPECT_TRUE(page->GetLamp(9).GetCheck());
}

TEST_F(InputPageTest, AllBypassAsksAndSendsTheMutedBlock)
{
    Music(0).GetFilter(1)->SetGainIndex(240);
    page->UpdateChannelView();
    ASSERT_FALSE(page->GetAllBypassButton().GetCheck());

    answer = IDNO;
    page->OnAllBypass();
    EXPECT_EQ(boxes.back(), g_strBypassEqEn);
    EXPECT_FALSE(Music(0).GetFilter(1)->IsBypassed());
    EXPECT_FALSE(page->GetAllBypassButton().GetCheck());
    EXPECT_TRUE(host->mutedSends.empty());

    answer = IDYES;
    page->OnAllBypass();
    EXPECT_TRUE(Music(0).GetFilter(1)->IsBypassed());
    EXPECT_TRUE(page->GetLamp(1).GetCheck());
    EXPECT_TRUE(page->GetAllBypassButton().GetCheck());
    EXPECT_EQ(host->mutedSends, (std::vector<int>{0}));

    page->OnAllBypass();
    EXPECT_EQ(boxes.back(), g_strRestoreEqEn);
    EXPECT_FALSE(Music(0).GetFilter(1)->IsBypassed());
    EXPECT_EQ(page->GetGainSpin(1).GetPos(), 240);
    EXPECT_FALSE(page->GetAllBypassButton().GetCheck());
}

TEST_F(InputPageTest, AllBypassOfFlatBandsStaysWithoutAsking)
{
    ASSERT_TRUE(page->GetAllBypassButton().GetCheck());
    page->OnAllBypass();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(page->GetAllBypassButton().GetCheck());
    EXPECT_TRUE(host->mutedSends.empty());
}

TEST_F(InputPageTest, GraphPointMessagesOfOtherInputsOrCrossoversChangeNothing)
{
    Music(0).GetFilter(2)->SetFreq(400, TRUE);
    page->SendMessage(WM_EQ_POINT_CHANGED, 2, 1);
    EXPECT_NE(page->GetFreqSpin(2).GetPos(), 400);
    for (WPARAM element : {WPARAM(31), WPARAM(32)})
        page->SendMessage(WM_EQ_POINT_CHANGED, element, 0);
    EXPECT_EQ(page->GetCurLabel(), nullptr);
    page->SendMessage(WM_EQ_POINT_CHANGED, 2, 0);
    EXPECT_EQ(page->GetFreqSpin(2).GetPos(), 400);
    EXPECT_EQ(page->GetCurLabel(), &page->GetLabel(2));
    EXPECT_EQ(page->GetCurEdit(), &page->GetGainEdit(2));
}

namespace {

struct StepRow {
    UINT from;
    int mode;  // 0 PEQ, 1 GEQ
    UINT right, left, enter;
};

}  // namespace

TEST(InputPageKeys, FieldRings)
{
    const UINT F = IDC_IN_FREQ, Q = IDC_IN_Q, G = IDC_IN_GAIN;
    const StepRow rows[] = {
        // PEQ: frequency row, then Q row, then gain row, back to frequency.
        {F + 0, 0, F + 1, G + 14, Q + 0},
        {F + 7, 0, F + 8, F + 6, Q + 7},
        {F + 14, 0, Q + 0, F + 13, Q + 14},
        {Q + 0, 0, Q + 1, F + 14, G + 0},
        {Q + 14, 0, G + 0, Q + 13, G + 14},
        {G + 0, 0, G + 1, Q + 14, F + 1},
        {G + 13, 0, G + 14, G + 12, F + 14},
        {G + 14, 0, F + 0, G + 13, F + 0},
        // GEQ: the gain row alone.
        {G + 0, 1, G + 1, G + 14, F + 1},
        {G + 14, 1, G + 0, G + 13, F + 0},
        {G + 6, 1, G + 7, G + 5, F + 7},
        // Outside the live fields.
        {F + 15, 0, 0, 0, 0},
        {G + 20, 1, 0, 0, 0},
        {IDC_IN_RESET, 0, 0, 0, 0},
    };
    for (const StepRow& r : rows) {
        SCOPED_TRACE(testing::Message() << r.from << " mode " << r.mode);
        EXPECT_EQ(CInPutDlg::StepRightId(r.from, r.mode), r.right);
        EXPECT_EQ(CInPutDlg::StepLeftId(r.from, r.mode), r.left);
        EXPECT_EQ(CInPutDlg::EnterTargetId(r.from), r.enter);
    }
}

TEST_F(InputPageTest, ArrowsMoveTheFocusAndTheRedLabel)
{
    page->ShowWindow(SW_SHOW);
    page->GetGainEdit(14).SetFocus();
    page->SendMessage(WM_NUMEDIT_KEYDOWN, IDC_IN_GAIN + 14, VK_RIGHT);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetFreqEdit(0));
    EXPECT_EQ(page->GetCurLabel(), &page->GetLabel(0));
    page->SendMessage(WM_NUMEDIT_KEYDOWN, IDC_IN_FREQ + 0, VK_LEFT);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetGainEdit(14));
    EXPECT_EQ(page->GetCurLabel(), &page->GetLabel(14));
    page->SendMessage(WM_KEY_ENTER, IDC_IN_FREQ + 6, 0);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetQEdit(6));
}
