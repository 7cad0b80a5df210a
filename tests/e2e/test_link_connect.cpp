// A whole connect against the emulator, over TCP and over USB: the identify pair, the version
// check, the counted full read, the model loaded, the idle polls; then one edit made through a
// data-class setter goes out as its exact frame and its acknowledgement takes it off the queue.
#include "E2eRig.h"

#include "CKTV_OutData.h"
#include "Globals.h"
#include "LinkState.h"
#include "SceneImage.h"
#include "SettingsStore.h"
#include "UsbInUseList.h"
#include "UsbLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace e2e;

namespace {

// Gain of output 4 to -10 dB while online: exactly its level record, acknowledged; the edit
// makes the live scene a custom one, whose name follows.
void EditGainAndExpectFrame(LinkRig& rig)
{
    ASSERT_EQ(g_bOnline, 1);
    const Frame gain = Hex("91 91 91 EE A1 01 00 04 04 1F 00 00 08 00 01 00 F4 01 00 00 00 00 43 AA");
    const Frame custom = DeviceFrame("A1 01 00 09 00 00 00 00 10 00 43 75 73 74 6F 6D 00*10");
    rig.emu.ClearRequestLog();
    {
        CSingleLock lock(g_csComm);
        rig.scene->GetOutData(4)->SetGain(500);
    }
    // One request is in flight at a time: a poll logged after the edit's frames means both
    // have been answered and left the queue.
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<Frame> log = rig.emu.GetRequestLog();
        const auto it = std::find(log.begin(), log.end(), custom);
        return it != log.end() && std::find(it, log.end(), PollFrame()) != log.end();
    }));
    const std::vector<Frame> sent = rig.RequestsWithoutPolls();
    // The gain exactly once (acknowledged, not repeated), then only the custom name (the
    // scanner names the scene before and after it records the name in its work string).
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(ToHex(sent[0]), ToHex(gain));
    for (size_t i = 1; i < sent.size(); ++i)
        EXPECT_EQ(ToHex(sent[i]), ToHex(custom)) << "request " << i;
    const std::vector<BYTE> device = rig.emu.GetScene(0);
    const BYTE* record = device.data() + BlockOffset(BLOCK_OUTPUT, 4) + OUT_REC_LEVEL * RECORD_SIZE;
    EXPECT_EQ(ToHex(Frame(record, record + RECORD_SIZE)), "01 00 F4 01 00 00 00 00 ");
    EXPECT_NE(rig.QueueHead(), gain);
}

}  // namespace

TEST(LinkConnect, TcpConnectReadsTheDeviceAndSendsAnEdit)
{
    LinkRig rig(LinkRig::Door::Tcp);
    ASSERT_NE(g_nDevicePort, 0);
    rig.Start();
    // No USB processor: the watchdog finds the device reachable and the view connects.
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_EQ(g_nLinkType, 2);
    EXPECT_EQ(g_bNetOpen, 1);
    EXPECT_FALSE(rig.view->GetNetSocket()->IsPingTimerRunning());
    ExpectConnectSequence(rig);
    EditGainAndExpectFrame(rig);
    EXPECT_TRUE(rig.messages.Shown().empty());
    EXPECT_EQ(rig.reach.foreignAddresses, 0);
}

TEST(LinkConnect, UsbConnectReadsTheDeviceAndSendsAnEdit)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_EQ(g_nLinkType, 1);
    EXPECT_EQ(g_strUsbPath, rig.hid->GetPath());
    EXPECT_TRUE(SettingsStore::HasValue(g_pszUsbKey, rig.hid->GetPath()));
    ExpectConnectSequence(rig);
    EditGainAndExpectFrame(rig);
    EXPECT_TRUE(rig.messages.Shown().empty());
    EXPECT_EQ(rig.reach.foreignAddresses, 0);
}

TEST(LinkConnect, UsbRemovalDropsTheLinkAndArrivalConnectsAgain)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    rig.view->StopHotplugPolling();
    const std::string path = rig.hid->GetPath();

    // The removal is seen before the worker's failed read is handled: the removal handling
    // runs, and the worker's late WM_LINK_LOST finds the link closed and is ignored.
    rig.hid->Unplug();
    rig.view->PollDeviceChanges();
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_EQ(g_bUsbOpen, 0);
    EXPECT_TRUE(g_strUsbPath.empty());
    EXPECT_FALSE(SettingsStore::HasValue(g_pszUsbKey, path));
    EXPECT_EQ(rig.backend.GetOpenCount(), 0);
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    EXPECT_EQ(rig.view->GetLinkIndicator().GetWindowText(), "Not connected devices");
    EXPECT_TRUE(rig.view->GetLinkIndicator().IsBlinking());
    PumpFor(300);
    const std::vector<ShownMessage> once = {{"Connection failure!", 2000}};
    EXPECT_EQ(rig.messages.Shown(), once);

    // Plugged in again while nothing is linked: connects and identifies.
    rig.emu.ClearRequestLog();
    rig.hid->Plug();
    rig.view->PollDeviceChanges();
    EXPECT_TRUE(rig.view->IsLinked());
    ASSERT_TRUE(rig.WaitConnected());
    ExpectConnectSequence(rig);
    EXPECT_EQ(rig.messages.Shown(), once);
}

TEST(LinkConnect, RemovalOfAnotherHidDeviceOnlyRefreshesTheList)
{
    LinkRig rig(LinkRig::Door::Usb);
    HidDeviceInfo keyboard;
    keyboard.path = "/dev/hidraw-keyboard";
    keyboard.vendorId = 0x046D;
    rig.backend.AddForeignDevice(keyboard);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    rig.view->StopHotplugPolling();
    rig.backend.RemoveForeignDevice(keyboard.path);
    rig.view->PollDeviceChanges();
    EXPECT_TRUE(rig.view->IsLinked());
    EXPECT_EQ(g_nLinkType, 1);
    EXPECT_TRUE(rig.messages.Shown().empty());
}
