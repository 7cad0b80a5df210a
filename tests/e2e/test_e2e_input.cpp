// The input page against the device emulator: an input choice goes out as system command 2
// with the input code, a band edit as the music input's band record, a reset as the whole block
// after which the page shows the reset values.
#include "E2eRig.h"

#include "CFilter.h"
#include "CInPutDlg.h"
#include "CMusic_InData.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// The page made modeless on the rig's view and scene, as the view's opener binds it.
struct PageOnRig {
    explicit PageOnRig(LinkRig& rig)
    {
        page.m_pView = rig.view.get();
        page.AttachScene(rig.scene.get());
        created = page.Create(IDD_INPUT_PAGE) != FALSE;
    }
    ~PageOnRig()
    {
        if (page.GetSafeHwnd())
            page.DestroyWindow();
    }
    CInPutDlg page;
    bool created = false;
};

// The requests (polls aside) that reached the device since the log was cleared.
bool WaitForFrame(LinkRig& rig, const std::function<bool(const Frame&)>& match)
{
    return PumpUntil([&] {
        for (const Frame& f : rig.RequestsWithoutPolls())
            if (match(f))
                return true;
        return false;
    });
}

bool StartsWith(const Frame& f, const std::string& hex)
{
    const std::string text = ToHex(f);
    return text.compare(0, hex.size(), hex) == 0;
}

}  // namespace

TEST(E2eInputPage, ChoosingAnInputSendsCommandTwoWithTheCode)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    PageOnRig on(rig);
    ASSERT_TRUE(on.created);
    rig.emu.ClearRequestLog();

    on.page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_SELECTOR + 3, BN_CLICKED), 0);
    ASSERT_TRUE(WaitForFrame(rig, [](const Frame& f) { return StartsWith(f, "91 91 91 EE A1 01 00 09 02"); }));
    int offset = 0, size = 0;
    ASSERT_TRUE(FindSystemWindow(2, offset, size));
    ASSERT_TRUE(PumpUntil([&] { return rig.emu.GetSystemBlock()[size_t(offset)] == 3; }));
    for (const Frame& f : rig.RequestsWithoutPolls()) {
        if (StartsWith(f, "91 91 91 EE A1 01 00 09 02")) {
            EXPECT_EQ(f[14], 3) << ToHex(f);
        }
    }
    EXPECT_EQ(g_nShownInput, 3);
    EXPECT_TRUE(rig.messages.Shown().empty());
}

TEST(E2eInputPage, BandEditSendsTheInputsBandRecord)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    PageOnRig on(rig);
    ASSERT_TRUE(on.created);
    on.page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_SELECTOR + 2, BN_CLICKED), 0);
    ASSERT_EQ(g_nShownInput, 2);
    rig.emu.ClearRequestLog();

    on.page.GetGainSpin(4).SetPos(260);
    on.page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_GAIN_SPIN + 4, 0), 0);
    // Record 4 of music input 2 (type 3), 24 bytes.
    ASSERT_TRUE(WaitForFrame(rig, [](const Frame& f) { return StartsWith(f, "91 91 91 EE A1 01 00 03 02 04"); }));
    const int at = BlockOffset(3, 2) + 4 * RECORD_SIZE;
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<BYTE> live = rig.emu.GetScene(0);
        return std::equal(live.begin() + at, live.begin() + at + RECORD_SIZE, g_Scene + at);
    }));
    for (const Frame& f : rig.RequestsWithoutPolls()) {
        if (!StartsWith(f, "91 91 91 EE A1 01 00 03 02 04"))
            continue;
        EXPECT_EQ(f.size(), 24u);
        EXPECT_TRUE(std::equal(f.begin() + 14, f.begin() + 22, g_Scene + at)) << ToHex(f);
    }
    EXPECT_EQ(rig.scene->GetMusicData(2)->GetFilter(4)->GetGainIndex(), 260);
}

TEST(E2eInputPage, ResetSendsTheBlockAndThePageShowsTheResetValues)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    PageOnRig on(rig);
    ASSERT_TRUE(on.created);
    CMusic_InData* music = rig.scene->GetMusicData(g_nShownInput);
    ASSERT_NE(music, nullptr);
    on.page.GetFreqSpin(6).SetPos(5000);
    on.page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_FREQ_SPIN + 6, 0), 0);
    ASSERT_EQ(music->GetFilter(6)->GetFreq(), 5000);
    rig.emu.ClearRequestLog();

    const MessageBoxHandler old = SetMessageBoxHandler([](const CString&, UINT, int) { return IDYES; });
    on.page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_RESET, BN_CLICKED), 0);
    SetMessageBoxHandler(old);

    char block[32];
    std::snprintf(block, sizeof block, "91 91 91 EE A1 01 00 03 %02X 00", g_nShownInput);
    ASSERT_TRUE(WaitForFrame(rig, [&](const Frame& f) { return StartsWith(f, block) && f.size() > 300; }));
    const int at = BlockOffset(3, g_nShownInput) + 6 * RECORD_SIZE;
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<BYTE> live = rig.emu.GetScene(0);
        return std::equal(live.begin() + at, live.begin() + at + RECORD_SIZE, g_Scene + at);
    }));
    EXPECT_EQ(music->GetFilter(6)->GetFreq(), 386);
    EXPECT_EQ(on.page.GetFreqSpin(6).GetPos(), 386);
    EXPECT_EQ(on.page.GetGainSpin(6).GetPos(), 200);
}

TEST(E2eInputPage, AuxAndHighLevelModesReachTheDeviceWithCommandEight)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    PageOnRig on(rig);
    ASSERT_TRUE(on.created);
    rig.emu.ClearRequestLog();

    on.page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_KIND + 2, BN_CLICKED), 0);
    on.page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IN_TWO_WAY, BN_CLICKED), 0);
    int offset = 0, size = 0;
    ASSERT_TRUE(FindSystemWindow(8, offset, size));
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<BYTE> block = rig.emu.GetSystemBlock();
        return block[size_t(offset) + 1] == 2 && block[size_t(offset) + 3] == 1;
    }));
    // Command 2 still goes first each time.
    std::vector<int> commands;
    for (const Frame& f : rig.RequestsWithoutPolls())
        if (StartsWith(f, "91 91 91 EE A1 01 00 09"))
            commands.push_back(f[8]);
    EXPECT_EQ(commands, (std::vector<int>{2, 8, 2, 8}));
}
