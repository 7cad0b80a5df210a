// The connect button 1413 with one choice or none, and a device that asks for new firmware.
#include "E2eRig.h"

#include "Globals.h"
#include "LinkGlobals.h"
#include "SettingsStore.h"
#include "UsbInUseList.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {
void PressConnect(LinkRig& rig) { rig.view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONNECT, BN_CLICKED), 0); }
const ShownMessage kNoLink{"No connection can be opened", 2000};
}  // namespace

TEST(ConnectButton, ConnectsTheOneFreeDeviceAndDisconnects)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.hid->Unplug();
    rig.Start();
    PumpFor(200);
    // Start without a device: no message, nothing linked.
    EXPECT_TRUE(rig.messages.Shown().empty());
    EXPECT_FALSE(rig.view->IsLinked());
    rig.view->StopHotplugPolling();

    PressConnect(rig);
    EXPECT_EQ(rig.messages.Shown(), std::vector<ShownMessage>{kNoLink});

    // One free device and no network: connected at once, no popup.
    rig.hid->Plug();
    PressConnect(rig);
    EXPECT_TRUE(rig.view->IsLinked());
    ASSERT_TRUE(rig.WaitConnected());
    ExpectConnectSequence(rig);

    // Pressed while linked: disconnects.
    PressConnect(rig);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    EXPECT_EQ(rig.backend.GetOpenCount(), 0);
    EXPECT_FALSE(SettingsStore::HasValue(g_pszUsbKey, rig.hid->GetPath()));
    EXPECT_EQ(rig.messages.Shown(), std::vector<ShownMessage>{kNoLink});
}

TEST(ConnectButton, DeviceHeldByAnotherCopyIsNotOffered)
{
    LinkRig rig(LinkRig::Door::Usb);
    CUsbInUseList otherCopy;
    otherCopy.Claim(rig.hid->GetPath());
    rig.Start();
    PumpFor(200);
    EXPECT_FALSE(rig.view->IsLinked());
    PressConnect(rig);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(rig.backend.GetOpenCount(), 0);
    EXPECT_EQ(rig.messages.Shown(), std::vector<ShownMessage>{kNoLink});
}

TEST(ConnectButton, EmptyDataReplyClosesTheLinkAndAsksForFirmware)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    // The answer to the next request (an idle poll) comes back as a data reply with nothing in it.
    rig.emu.ReplaceNextReply(DeviceFrame("53 01 00 09 03 00 00 00 00 00"));
    ASSERT_TRUE(PumpUntil([&] { return !rig.messages.Shown().empty(); }));
    const std::vector<ShownMessage> shown = {{"Please Update the Firmware!", 2001}};
    EXPECT_EQ(rig.messages.Shown(), shown);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    EXPECT_EQ(rig.backend.GetOpenCount(), 0);
}
