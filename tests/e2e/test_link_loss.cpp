// A link that goes away under the view: the emulator closes its socket (and leaves the network),
// or the USB device is pulled while nothing polls for removals. Either way the view hears
// WM_LINK_LOST, shows the link type's connection-failure text once, and ends unlinked with an
// empty queue; over the network the watchdog connects again once the device is back.
#include "E2eRig.h"

#include "AppMessages.h"
#include "Globals.h"
#include "LinkState.h"
#include "SettingsStore.h"
#include "Texts.h"
#include "UsbInUseList.h"
#include "UsbLink.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(LinkLoss, ClosedSocketIsReportedAndTheWatchdogReconnects)
{
    LinkRig rig(LinkRig::Door::Tcp);
    g_bChinese = 1;
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());

    // The device leaves the network and drops the connection.
    rig.reach.onSubnet = 0;
    rig.reach.answers = 0;
    rig.server->CloseClient();
    ASSERT_TRUE(PumpUntil([&] { return !rig.messages.Shown().empty(); }));
    const std::vector<ShownMessage> lost = {{g_strWifiFailCn, 2000}};
    EXPECT_EQ(rig.messages.Shown(), lost);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_EQ(g_bNetOpen, 0);
    EXPECT_EQ(g_bOnline, 0);
    EXPECT_EQ(rig.QueuedCount(), 0);
    EXPECT_FALSE(rig.view->GetNetSocket()->IsOpen());
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    EXPECT_TRUE(rig.view->GetNetSocket()->IsPingTimerRunning());
    EXPECT_EQ(rig.view->GetLinkIndicator().GetWindowText(), g_strNotConnectedCn);

    // Back on the network: the watchdog's next step finds it and the view connects again.
    rig.emu.ClearRequestLog();
    rig.reach.onSubnet = 1;
    rig.reach.answers = 1;
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_EQ(rig.server->GetAcceptCount(), 2);
    EXPECT_EQ(g_nLinkType, 2);
    ExpectConnectSequence(rig);
    EXPECT_EQ(rig.messages.Shown(), lost);
    EXPECT_EQ(rig.reach.foreignAddresses, 0);
}

TEST(LinkLoss, PulledUsbDeviceIsReportedAsALostLink)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    // No removal notice: the worker's failed read alone must end the link.
    rig.view->StopHotplugPolling();
    const std::string path = rig.hid->GetPath();

    rig.hid->Unplug();
    ASSERT_TRUE(PumpUntil([&] { return !rig.messages.Shown().empty(); }));
    const std::vector<ShownMessage> lost = {{"Connection failure!", 2000}};
    EXPECT_EQ(rig.messages.Shown(), lost);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_EQ(g_bUsbOpen, 0);
    EXPECT_EQ(rig.QueuedCount(), 0);
    EXPECT_EQ(rig.backend.GetOpenCount(), 0);
    EXPECT_FALSE(SettingsStore::HasValue(g_pszUsbKey, path));
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    EXPECT_TRUE(rig.view->GetLinkIndicator().IsBlinking());
}

TEST(LinkLoss, LostLinkNoticeAfterADisconnectIsIgnored)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    rig.view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONNECT, BN_CLICKED), 0);
    ASSERT_FALSE(rig.view->IsLinked());
    rig.view->SendMessage(WM_LINK_LOST, 0, 0);
    EXPECT_TRUE(rig.messages.Shown().empty());
    EXPECT_EQ(g_nLinkType, 0);
}
