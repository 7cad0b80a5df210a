// The connect sequence's counted batch over TCP, with replies slowed down so that the transfer
// popup can be watched: the popup shows while the batch runs and hides when the live scene has
// arrived, its bar spans the batch, and the model, the stored names and the system block hold
// what the device sent. The serial link's start and stop run the serial worker. An input
// change made at the device is followed without being sent back; speaker types that the device
// holds twice are cleared and sent back.
#include "E2eRig.h"

#include "CDisplayDlg.h"
#include "CKTV_OutData.h"
#include "EmuPtyDoor.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkProgress.h"
#include "SceneImage.h"
#include "SerialLink.h"
#include "SpeakerTable.h"
#include "ShellGlobals.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace e2e;

namespace {

// Output 4 keeps the rig's level (on, 0 dB), which ExpectConnectSequence looks at.
int ExpectedOn(int ch) { return ch == 4 ? 1 : ch % 2; }
int ExpectedGain(int ch) { return ch == 4 ? 600 : 300 + 25 * ch; }

// Distinct level records on the outputs and distinct stored-scene names in the emulator.
void PrepareDistinctDevice(CDeviceEmulator& emu)
{
    std::vector<BYTE> live = emu.GetScene(0);
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
        if (ch == 4)
            continue;
        BYTE* level = live.data() + BlockOffset(BLOCK_OUTPUT, ch) + OUT_REC_LEVEL * RECORD_SIZE;
        const int gain = 300 + 25 * ch;
        level[0] = BYTE(ch % 2);  // on/off
        level[2] = BYTE(gain & 0xFF);
        level[3] = BYTE(gain >> 8);
    }
    emu.SetScene(0, live);
    for (int s = 1; s <= STORED_SCENES; ++s) {
        std::vector<BYTE> stored = emu.GetScene(s);
        std::memset(stored.data(), 0, SCENE_NAME_SIZE);
        const std::string name = "Stored " + std::to_string(s);
        std::memcpy(stored.data(), name.data(), name.size());
        emu.SetScene(s, stored);
    }
}

}  // namespace

TEST(ConnectBatch, PopupShowsDuringTheBatchAndTheModelHoldsTheDevicesScene)
{
    LinkRig rig(LinkRig::Door::Tcp);
    ASSERT_NE(g_nDevicePort, 0);
    PrepareDistinctDevice(rig.emu);
    rig.emu.SetReplyDelayMs(15);
    rig.Start();
    ASSERT_NE(g_pDisplayDlg, nullptr);
    ASSERT_NE(g_pProgress, nullptr);
    EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());

    bool popupSeen = false;
    bool viewDisabledSeen = false;
    ASSERT_TRUE(PumpUntil([&] {
        if (g_pDisplayDlg->IsWindowVisible()) {
            popupSeen = true;
            viewDisabledSeen = viewDisabledSeen || !rig.view->IsWindowEnabled();
        }
        return g_bOnline && !g_bTransferBusy && rig.view->IsLinked() && g_pProgress->GetPos() > 0;
    }));
    EXPECT_TRUE(popupSeen);
    // The live scene's read is shown in mode 0: the view itself waits for it.
    EXPECT_TRUE(viewDisabledSeen);
    ASSERT_TRUE(PumpUntil([&] { return !g_pDisplayDlg->IsWindowVisible(); }));
    EXPECT_TRUE(rig.view->IsWindowEnabled());

    rig.emu.SetReplyDelayMs(0);
    ASSERT_TRUE(rig.WaitConnected());
    ExpectConnectSequence(rig);

    // Six names, six system reads and sub-command 8 (indices 0..12), ten blocks (13..22): the
    // last block keeps the count, so the bar spans 0..22 and ends full.
    EXPECT_EQ(rig.view->GetBatchCount(), 22);
    EXPECT_EQ(g_pProgress->GetUpper(), 22);
    EXPECT_EQ(g_pProgress->GetPos(), 22);

    // The model and the images hold what the device sent.
    const std::vector<BYTE> live = rig.emu.GetScene(0);
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
        SCOPED_TRACE(ch);
        const CKTV_OutData* out = rig.scene->GetOutData(ch);
        EXPECT_EQ(out->GetOn(), ExpectedOn(ch));
        EXPECT_EQ(out->GetGain(), ExpectedGain(ch));
        EXPECT_EQ(std::memcmp(g_Scene + BlockOffset(BLOCK_OUTPUT, ch), live.data() + BlockOffset(BLOCK_OUTPUT, ch),
                              OUTPUT_BLOCK_SIZE),
                  0);
    }
    for (int s = 1; s <= STORED_SCENES; ++s) {
        const std::string name = "Stored " + std::to_string(s);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_StoredScenes[s - 1]), name.size()), name);
    }
    // The system windows read at connect: input source, master level and parameters, the
    // speaker types and state record (83..107), the scene in use (108), sub-command 8 (116..123).
    const std::vector<BYTE> sys = rig.emu.GetSystemBlock();
    ASSERT_EQ(sys.size(), size_t(SYSTEM_BLOCK_SIZE));
    EXPECT_EQ(ToHex(Frame(sys.begin() + 83, sys.begin() + 109)),
              ToHex(Frame(SystemBlockBytes() + 83, SystemBlockBytes() + 109)));
    EXPECT_EQ(ToHex(Frame(sys.begin() + 116, sys.end())),
              ToHex(Frame(SystemBlockBytes() + 116, SystemBlockBytes() + SYSTEM_BLOCK_SIZE)));

    // The scene-name button shows the live scene's name, lit.
    EXPECT_EQ(rig.view->GetSceneNameButton().GetWindowText(), "Live One");
    EXPECT_TRUE(rig.view->GetSceneNameButton().GetCheck());
    EXPECT_EQ(rig.view->GetSceneNameEdit().GetWindowText(), "Live One");
    EXPECT_TRUE(rig.messages.Shown().empty());
}

TEST(ConnectBatch, RefusedDeviceNeverShowsThePopup)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.emu.SetVersion("MPEK-QK2.00");
    rig.Start();
    bool popupSeen = false;
    ASSERT_TRUE(PumpUntil([&] {
        popupSeen = popupSeen || g_pDisplayDlg->IsWindowVisible();
        CSingleLock lock(g_csComm);
        return std::strcmp(g_szDeviceVersion, "           ") == 0;
    }));
    PumpFor(300);
    EXPECT_FALSE(popupSeen);
    EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());
    EXPECT_EQ(g_bTransferBusy, 0);
    EXPECT_FALSE(rig.view->IsLinked());
}

TEST(ConnectBatch, SerialLinkStartsAndStopsTheSerialWorker)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.hid->Unplug();
    CEmuPtyDoor door(rig.emu);
    ASSERT_TRUE(door.Start());
    rig.Start();
    PumpFor(100);
    ASSERT_FALSE(rig.view->IsLinked());

    g_strComPort = door.GetSlavePath();
    g_nLinkType = 3;
    ASSERT_TRUE(rig.view->OpenSerialLink());
    rig.emu.ClearRequestLog();
    rig.view->StartComm(TRUE);
    EXPECT_TRUE(rig.view->IsLinked());
    EXPECT_TRUE(rig.view->GetSerialLink()->IsWorkerRunning());
    // The comm worker, which serves USB and the network only, is not started.
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    // The serial worker carries the scanner's idle polls to the device.
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<Frame> log = rig.emu.GetRequestLog();
        return !log.empty() && log.back() == PollFrame();
    }));

    rig.view->StopComm(TRUE);
    EXPECT_FALSE(rig.view->GetSerialLink()->IsWorkerRunning());
    EXPECT_FALSE(rig.view->IsLinked());
    rig.view->CloseSerialLink();
    g_nLinkType = 0;
    door.Stop();
}

TEST(ConnectBatch, LinkLostDuringTheBatchGivesTheViewBack)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.emu.SetReplyDelayMs(20);
    rig.Start();
    // The batch runs (the popup is up and the view waits) when the device goes silent.
    ASSERT_TRUE(PumpUntil([&] { return g_pDisplayDlg->IsWindowVisible() && !rig.view->IsWindowEnabled(); }));
    rig.emu.DropReplies(1000);
    ASSERT_TRUE(PumpUntil([&] { return !rig.view->IsLinked(); }));
    PumpFor(100);
    EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());
    EXPECT_TRUE(rig.view->IsWindowEnabled());
    EXPECT_EQ(g_bTransferBusy, 0);
    EXPECT_EQ(g_bOnline, 0);
    const std::vector<ShownMessage> shown = {{"Connection failure!", 2000}};
    EXPECT_EQ(rig.messages.Shown(), shown);
}

TEST(ConnectBatch, ViewFollowsAnInputChangeMadeAtTheDeviceWithoutSendingIt)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    struct InputCase {
        BYTE device;  // byte 0 of the state-poll answer
        int entry;    // selected entry of the input-type selector
    };
    const InputCase cases[] = {{2, 1}, {0, 2}, {1, 0}, {1, 0}};
    rig.emu.ClearRequestLog();
    for (const InputCase& c : cases) {
        SCOPED_TRACE(int(c.device));
        std::vector<BYTE> info = rig.emu.GetStateInfo();
        info[0] = c.device;
        ASSERT_TRUE(rig.emu.SetStateInfo(info));
        ASSERT_TRUE(PumpUntil([&] { return g_byInputSource == c.device; }));
        // A poll answered after the change: its notice has been handled too.
        rig.emu.ClearRequestLog();
        ASSERT_TRUE(PumpUntil([&] { return !rig.emu.GetRequestLog().empty(); }));
        PumpFor(20);
        EXPECT_EQ(rig.view->GetInputTypeSelector().GetCurSel(), c.entry);
        EXPECT_EQ(g_byInputSource, c.device);
    }
    // Nothing went back to the device: only polls.
    EXPECT_TRUE(rig.RequestsWithoutPolls().empty());
    EXPECT_TRUE(rig.messages.Shown().empty());
}

TEST(ConnectBatch, DuplicateSpeakerTypesOfTheDeviceAreClearedAndSentBack)
{
    LinkRig rig(LinkRig::Door::Usb);
    int offset = 0, size = 0;
    ASSERT_TRUE(FindSystemWindow(SYS_SPEAKER_TYPES, offset, size));
    ASSERT_EQ(size, 8);
    std::vector<BYTE> block = rig.emu.GetSystemBlock();
    // Front left on outputs 1 and 3, a subwoofer on 2 and 6: the later of each pair goes.
    const BYTE types[8] = {3, 0, 24, 3, 0, 0, 24, 0};
    std::memcpy(block.data() + offset, types, sizeof types);
    ASSERT_TRUE(rig.emu.SetSystemBlock(block));
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    ASSERT_TRUE(PumpUntil([&] { return rig.RequestsWithoutPolls().size() >= ExpectedConnectRequests().size() + 2; }));

    const std::vector<Frame> sent = rig.RequestsWithoutPolls();
    std::vector<Frame> expected = ExpectedConnectRequests();
    const Frame nameWrite = expected.back();
    expected.pop_back();
    ASSERT_EQ(sent.size(), expected.size() + 3);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ToHex(sent[i]), ToHex(expected[i])) << "request " << i;
    // The cleaned types go back (sub-commands 6 and 7), then the live scene's name.
    EXPECT_EQ(ToHex(sent[expected.size()]), ToHex(DeviceFrame("A1 01 00 09 06 00 00 00 08 00 03 00 18 00 00 00 00 00")));
    EXPECT_EQ(ToHex(sent[expected.size() + 1]).substr(0, 42), "91 91 91 EE A1 01 00 09 07 00 00 00 08 00 ");
    EXPECT_EQ(ToHex(sent[expected.size() + 2]), ToHex(nameWrite));
    const std::vector<BYTE> after = rig.emu.GetSystemBlock();
    EXPECT_EQ(ToHex(Frame(after.begin() + offset, after.begin() + offset + 8)), "03 00 18 00 00 00 00 00 ");
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(SpeakerTypeOf(g_bySpeakerType, i), after[size_t(offset + i)]) << i;
}
