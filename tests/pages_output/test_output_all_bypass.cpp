// The output page's bypass-all command without the device: a restore gives every filter back
// the state it had before the bypass, bands bypassed one by one included; a channel whose
// filters are all bypassed by themselves has nothing to restore and asks nothing.
#include "../pages/PageHostRecorder.h"
#include "OutputPageRig.h"

#include "CFilter.h"
#include "CKTV_OutData.h"
#include "Globals.h"
#include "MessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class BypassHost : public PageHostRecorder {
public:
    BOOL bAllBypass = FALSE;
    void SetAllBypassCheck(BOOL b) override { bAllBypass = b; }
    BOOL GetAllBypassCheck() const override { return bAllBypass; }
};

class OutputAllBypassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldBox = SetMessageBoxHandler([this](const CString& text, UINT, int) {
            asked.push_back(text);
            return answer;
        });
        ASSERT_TRUE(rig.Make(&host));
        page = rig.page.get();
    }
    void TearDown() override
    {
        rig.Release();
        SetMessageBoxHandler(m_oldBox);
    }
    CKTV_OutData* Out(int ch) { return rig.scene.GetOutData(ch); }

    BypassHost host;
    OutputPageRig rig;
    COutputDlg* page = nullptr;
    std::vector<CString> asked;
    int answer = IDYES;

private:
    MessageBoxHandler m_oldBox;
};

TEST_F(OutputAllBypassTest, RestoreGivesEveryFilterItsOwnStateBack)
{
    CKTV_OutData* out = Out(3);
    out->GetFilter(3)->SetGainIndex(230);
    out->GetFilter(3)->SetBypass(TRUE);  // bypassed one by one
    out->GetFilter(8)->SetGainIndex(170);
    out->GetFilter(12)->SetGainIndex(260);
    page->SelectChannel(3);
    ASSERT_FALSE(host.bAllBypass);

    page->ToggleAllBypass();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], CString("Whether ByPass All EQ?"));
    EXPECT_TRUE(out->IsAllBypass());
    EXPECT_TRUE(host.bAllBypass);
    for (int n : {3, 8, 12})
        EXPECT_TRUE(page->m_btnBypass[n].GetCheck()) << "band " << n;
    EXPECT_EQ(page->m_spinBandGain[8].GetPosition(), 200);  // shown flat

    page->ToggleAllBypass();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], CString("Whether Restore All EQ?"));
    EXPECT_FALSE(out->IsAllBypass());
    EXPECT_FALSE(host.bAllBypass);
    EXPECT_TRUE(out->GetFilter(3)->IsBypassed());
    EXPECT_TRUE(page->m_btnBypass[3].GetCheck());
    const struct {
        int band, gain;
    } back[] = {{8, 170}, {12, 260}};
    for (const auto& b : back) {
        EXPECT_FALSE(out->GetFilter(b.band)->IsBypassed()) << "band " << b.band;
        EXPECT_EQ(out->GetFilter(b.band)->GetGainIndex(), b.gain) << "band " << b.band;
        EXPECT_FALSE(page->m_btnBypass[b.band].GetCheck()) << "band " << b.band;
        EXPECT_EQ(page->m_spinBandGain[b.band].GetPosition(), b.gain) << "band " << b.band;
        EXPECT_EQ(page->m_sliderBandGain[b.band].GetValue(), b.gain) << "band " << b.band;
    }
}

TEST_F(OutputAllBypassTest, NothingToRestoreAsksNothingAndStaysBypassed)
{
    CKTV_OutData* out = Out(1);
    for (int n = 0; n < OUTPUT_BANDS; ++n)
        out->GetFilter(n)->SetBypass(TRUE);
    out->GetHighPass()->SetBypass(TRUE);
    out->GetLowPass()->SetBypass(TRUE);
    page->SelectChannel(1);
    ASSERT_TRUE(out->IsAllBypass());
    ASSERT_TRUE(host.bAllBypass);
    for (int answerGiven : {IDYES, IDNO}) {
        answer = answerGiven;
        page->ToggleAllBypass();
        EXPECT_TRUE(asked.empty());
        EXPECT_TRUE(host.bAllBypass);
        EXPECT_TRUE(out->IsAllBypass());
    }
}

}  // namespace
