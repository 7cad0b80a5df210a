// The output page's equaliser editing on the running view against the emulator: a crossover
// frequency typed on a channel linked with another reaches the device as each channel's own
// crossover record, and an equal value sends nothing; bypass-all, the PEQ/GEQ switch and the
// reset of all bands send their blocks in order, and nothing while no device is linked.
#include "E2eRig.h"
#include "OutputPageE2e.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "CKRV330App.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SceneImage.h"
#include "Sync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace e2e;

namespace {

std::string Hex(std::initializer_list<int> bytes)
{
    std::string s;
    char buf[4];
    for (int b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b & 0xFF);
        s += (s.empty() ? "" : " ") + std::string(buf);
    }
    return s;
}

// Output nCh's crossover record: high-pass frequency, class, slope, then the low-pass.
Frame CrossoverFrame(int nCh, int hpf, int hpfClass, int hpfSlope, int lpf, int lpfClass, int lpfSlope)
{
    return DeviceFrame("A1 01 00 04 " + Hex({nCh, 32}) + " 01 00 08 00 " +
                       Hex({hpf & 0xFF, hpf >> 8, hpfClass, hpfSlope, lpf & 0xFF, lpf >> 8, lpfClass, lpfSlope}));
}

// The output-block writes other than level records (record 31), which the view also sends on
// its own while a channel is shown.
std::vector<Frame> EqFrames(const std::vector<Frame>& log)
{
    std::vector<Frame> out;
    for (const Frame& f : log)
        if (f.size() > 9 && f[4] == 0xA1 && f[7] == 0x04 && f[9] != 31)
            out.push_back(f);
    return out;
}

class OutputEqE2e : public OutputPageE2e {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartConnected(2)); }
    void TearDown() override
    {
        for (int i = 0; i < 10; ++i) {
            g_nLinkGroup[i] = i;
            g_bStereoPair[i] = 0;
        }
    }
    void SetCrossovers(int ch)
    {
        // Unstamped: only the edit below may send.
        Out(ch)->GetHighPass()->SetFreq(80, FALSE);
        Out(ch)->GetHighPass()->SetFilterClass(1, FALSE);
        Out(ch)->GetHighPass()->SetSlope(3, FALSE);
        Out(ch)->GetLowPass()->SetFreq(8000, FALSE);
        Out(ch)->GetLowPass()->SetFilterClass(0, FALSE);
        Out(ch)->GetLowPass()->SetSlope(8, FALSE);
        Out(ch)->GetHighPass()->SetModified(0);
        Out(ch)->GetLowPass()->SetModified(0);
    }
};

TEST_F(OutputEqE2e, TypedHighPassReachesTheDeviceForTheChannelAndItsLinkedChannel)
{
    for (int i = 0; i < 10; ++i)
        g_nLinkGroup[i] = i;
    g_nLinkGroup[5] = g_nLinkGroup[2];
    SetCrossovers(2);
    SetCrossovers(5);
    page->SendMessage(WM_STRIP_SELECT, 2, 0);
    ASSERT_TRUE(rig.WaitSettled());
    rig.emu.ClearRequestLog();

    // The same value first: nothing to send.
    page->m_spinHpfFreq.SetPos(80);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HPF_FREQ_SPIN, 0), 0);
    page->m_spinHpfFreq.SetPos(125);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HPF_FREQ_SPIN, 0), 0);

    const std::vector<Frame> want = {CrossoverFrame(2, 125, 1, 3, 8000, 0, 8), CrossoverFrame(5, 125, 1, 3, 8000, 0, 8)};
    ASSERT_TRUE(PumpUntil([&] { return EqFrames(rig.RequestsWithoutPolls()).size() >= want.size(); }));
    PumpFor(100);
    EXPECT_EQ(EqFrames(rig.RequestsWithoutPolls()), want);
}

}  // namespace

namespace {

// Answers every question with a fixed button and keeps the texts asked.
class Answering {
public:
    explicit Answering(int nAnswer)
    {
        m_prev = SetMessageBoxHandler([this, nAnswer](const CString& text, UINT, int) {
            asked.push_back(text);
            return nAnswer;
        });
    }
    ~Answering() { SetMessageBoxHandler(m_prev); }
    std::vector<CString> asked;

private:
    MessageBoxHandler m_prev;
};

Frame WholeBlock(int nCh)
{
    CSingleLock lock(g_csComm);
    std::unique_ptr<CSendData> item = BuildWholeBlockPacket(0, BLOCK_OUTPUT, nCh, TRUE);
    return Frame(item->GetData(), item->GetData() + item->GetLength());
}

// A whole output block of nCh: its header, and its band and crossover records as the model
// packs them now (the level record inside is the muted one of the wrap).
bool IsWholeBlock(const Frame& f, int nCh, const Frame& packed)
{
    if (f.size() != packed.size() || f.size() < 12 + 33 * 8 || f[7] != 0x04 || f[8] != nCh || f[9] != 0)
        return false;
    return std::equal(f.begin(), f.begin() + 12 + 31 * 8, packed.begin());
}

bool IsLevelRecord(const Frame& f, int nCh)
{
    return f.size() > 9 && f[4] == 0xA1 && f[7] == 0x04 && f[8] == nCh && f[9] == 31;
}

}  // namespace

TEST_F(OutputEqE2e, AllBypassAnsweredYesSendsTheWholeBlocksInOrderEachInsideItsMuteWrap)
{
    // Output 4 current, paired with 5 and linked with 0.
    for (int i = 0; i < 10; ++i)
        g_nLinkGroup[i] = i;
    g_nLinkGroup[0] = g_nLinkGroup[4];
    g_bStereoPair[4] = 1;
    page->SendMessage(WM_STRIP_SELECT, 4, 0);
    ASSERT_TRUE(rig.WaitSettled());
    rig.emu.ClearRequestLog();
    {
        Answering yes(IDYES);
        page->ToggleAllBypass();
        ASSERT_EQ(yes.asked.size(), 1u);
        EXPECT_EQ(yes.asked[0], CString("Whether ByPass All EQ?"));
    }
    for (int ch : {0, 4, 5})
        EXPECT_TRUE(Out(ch)->IsAllBypass()) << ch;
    EXPECT_FALSE(Out(2)->IsAllBypass());
    // Level (off), then per block: level off, block, level real.
    std::vector<std::pair<char, int>> want = {{'L', 4}};
    for (int ch : {4, 0, 4, 5})
        for (char k : {'L', 'B', 'L'})
            want.emplace_back(k, ch);
    const Frame blocks[10] = {WholeBlock(0), {}, {}, {}, WholeBlock(4), WholeBlock(5)};
    auto classify = [&](const std::vector<Frame>& log) {
        std::vector<std::pair<char, int>> got;
        for (const Frame& f : log) {
            for (int ch : {0, 4, 5}) {
                if (IsLevelRecord(f, ch))
                    got.emplace_back('L', ch);
                else if (IsWholeBlock(f, ch, blocks[ch]))
                    got.emplace_back('B', ch);
            }
        }
        return got;
    };
    ASSERT_TRUE(PumpUntil([&] { return classify(rig.RequestsWithoutPolls()).size() >= want.size(); }));
    PumpFor(100);
    EXPECT_EQ(classify(rig.RequestsWithoutPolls()), want);
}

TEST_F(OutputEqE2e, AllBypassAnsweredNoPutsEveryFilterBackAndSendsNothing)
{
    for (int i = 0; i < 10; ++i)
        g_nLinkGroup[i] = i;
    g_nLinkGroup[0] = g_nLinkGroup[4];
    page->SendMessage(WM_STRIP_SELECT, 4, 0);
    PumpFor(100);
    // Two bands bypassed one by one stay so.
    Out(4)->GetFilter(3)->SetGainIndex(230);
    Out(4)->GetFilter(3)->SetBypass(TRUE);
    Out(4)->GetFilter(8)->SetGainIndex(170);
    ASSERT_TRUE(rig.WaitSettled());
    rig.emu.ClearRequestLog();
    {
        Answering no(IDNO);
        page->ToggleAllBypass();
        EXPECT_EQ(no.asked.size(), 1u);
    }
    EXPECT_FALSE(Out(4)->IsAllBypass());
    EXPECT_FALSE(Out(0)->IsAllBypass());
    EXPECT_TRUE(Out(4)->GetFilter(3)->IsBypassed());
    EXPECT_FALSE(Out(4)->GetFilter(8)->IsBypassed());
    EXPECT_FALSE(rig.view->GetAllBypassCheck());
    PumpFor(150);
    EXPECT_EQ(EqFrames(rig.RequestsWithoutPolls()), std::vector<Frame>{});
}

namespace {

// Output frames as (kind, channel): 'L' level record, 'B' whole block, 'R' another record;
// any other frame as ('S', its block type).
std::vector<std::pair<char, int>> Kinds(const std::vector<Frame>& log)
{
    std::vector<std::pair<char, int>> out;
    for (const Frame& f : log) {
        if (f.size() < 10 || f[4] != 0xA1)
            continue;
        if (f[7] == 0x04)
            out.emplace_back(f[9] == 31 ? 'L' : (f.size() > 100 && f[9] == 0 ? 'B' : 'R'), f[8]);
        else
            out.emplace_back('S', f[7]);
    }
    return out;
}

}  // namespace

TEST_F(OutputEqE2e, EqModeSwitchAndResetSendTheChannelAndItsLinkedChannelInsideTheMasterHold)
{
    struct Case {
        const char* what;
        std::function<void(COutputDlg&)> run;
        CString question;
    };
    const Case cases[] = {
        {"PEQ to GEQ", [](COutputDlg& p) { p.ToggleEqMode(); }, "Whether the PEQ Mode convert to GEQ Mode?"},
        {"GEQ to PEQ", [](COutputDlg& p) { p.ToggleEqMode(); }, "Whether the GEQ Mode convert to PEQ Mode?"},
        {"reset", [](COutputDlg& p) { p.ResetAllEq(); }, "Whether the reset All EQ?"},
    };
    for (int i = 0; i < 10; ++i)
        g_nLinkGroup[i] = i;
    g_nLinkGroup[5] = g_nLinkGroup[2];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Out(2)->GetFilter(6)->SetGainIndex(260);
        Out(5)->GetFilter(6)->SetGainIndex(150);
        page->SendMessage(WM_STRIP_SELECT, 2, 0);
        ASSERT_TRUE(rig.WaitSettled());
        rig.emu.ClearRequestLog();
        {
            Answering yes(IDYES);
            c.run(*page);
            ASSERT_EQ(yes.asked.size(), 1u);
            EXPECT_EQ(yes.asked[0], c.question);
        }
        for (int ch : {2, 5})
            EXPECT_EQ(Out(ch)->GetFilter(6)->GetGainIndex(), 200) << ch;
        // The master-level hold around both blocks; the mode change itself travels in the level
        // records, which the change scanner sends whenever the queue runs empty.
        const std::vector<std::pair<char, int>> want = {{'S', 9}, {'B', 2}, {'B', 5}, {'S', 9}};
        auto withoutLevels = [](const std::vector<std::pair<char, int>>& all) {
            std::vector<std::pair<char, int>> v;
            for (auto e : all)
                if (e.first != 'L')
                    v.push_back(e);
            return v;
        };
        ASSERT_TRUE(PumpUntil([&] { return withoutLevels(Kinds(rig.RequestsWithoutPolls())).size() >= want.size(); }));
        PumpFor(150);
        const std::vector<std::pair<char, int>> got = Kinds(rig.RequestsWithoutPolls());
        EXPECT_EQ(withoutLevels(got), want);
        const bool modeSwitch = c.question != CString("Whether the reset All EQ?");
        for (int ch : {2, 5})
            EXPECT_EQ(std::count(got.begin(), got.end(), std::make_pair('L', ch)) > 0, modeSwitch) << ch;
    }
    EXPECT_EQ(Out(2)->GetEqMode(), 0);
    EXPECT_EQ(Out(5)->GetEqMode(), 0);
}

TEST(OutputEqOffline, EqModeSwitchAndResetWhileNotLinkedQueueNothing)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.hid->Unplug();
    rig.Start();
    PumpFor(100);
    COutputDlg& page = rig.view->GetOutputPage();
    CKTV_OutData* out = page.GetScene()->GetOutData(g_nCurOutput);
    Answering yes(IDYES);
    const int before = rig.QueuedCount();
    for (int k = 0; k < 2; ++k) {
        out->GetFilter(4)->SetGainIndex(240);
        k == 0 ? page.ToggleEqMode() : page.ResetAllEq();
        EXPECT_EQ(out->GetFilter(4)->GetGainIndex(), 200);
        EXPECT_EQ(rig.QueuedCount(), before);
    }
    EXPECT_EQ(yes.asked.size(), 2u);
}
