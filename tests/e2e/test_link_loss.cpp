// A link that goes away under the view: the emulator closes its socket (and leaves the network),
// or the USB device is pulled while nothing polls for removals. Either way the view hears
// WM_LINK_LOST, shows the link type's connection-failure text once, and ends unlinked with an
// empty queue; over the network the watchdog connects again once the device is back.
#include "E2eRig.h"

#include "AppMessages.h"
#include "CDisplayDlg.h"
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

// Every way a link closes leaves the form as after start-up: no transfer popup (the view usable
// again), the hidden bar at 0, the scene name gone from field 1002 and button 2770.
TEST(LinkLoss, EveryCloseResetsTheFormAndHidesTheTransferPopup)
{
    enum class Close { Removal, Button, NetLoss };
    const struct {
        const char* name;
        LinkRig::Door door;
        Close how;
    } cases[] = {
        {"removal of the open device", LinkRig::Door::Usb, Close::Removal},
        {"connect button", LinkRig::Door::Usb, Close::Button},
        {"network link lost", LinkRig::Door::Tcp, Close::NetLoss},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig(c.door);
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
        ASSERT_TRUE(g_pDisplayDlg);
        CKRV330View& view = *rig.view;
        view.GetViewProgress().SetRange(0, 10);
        view.GetViewProgress().SetPos(7);
        view.GetSceneNameEdit().SetWindowText("Hall");
        view.GetSceneNameButton().SetWindowText("Hall");
        view.GetSceneNameButton().SetCheck(TRUE);
        view.ShowTransferPopup(0);
        ASSERT_TRUE(g_pDisplayDlg->IsWindowVisible());
        ASSERT_FALSE(view.IsWindowEnabled());

        switch (c.how) {
        case Close::Removal:
            rig.hid->Unplug();
            ASSERT_TRUE(PumpUntil([&] { return !view.IsLinked(); }));
            break;
        case Close::Button:
            view.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONNECT, BN_CLICKED), 0);
            break;
        case Close::NetLoss:
            rig.reach.onSubnet = 0;
            rig.reach.answers = 0;
            rig.server->CloseClient();
            ASSERT_TRUE(PumpUntil([&] { return !view.IsLinked(); }));
            break;
        }
        EXPECT_FALSE(view.IsLinked());
        EXPECT_FALSE(g_pDisplayDlg->IsWindowVisible());
        EXPECT_TRUE(view.IsWindowEnabled());
        EXPECT_EQ(view.GetViewProgress().GetPos(), 0);
        EXPECT_EQ(view.GetSceneNameEdit().GetWindowText(), CString());
        EXPECT_EQ(view.GetSceneNameButton().GetWindowText(), CString());
        EXPECT_FALSE(view.GetSceneNameButton().GetCheck());
        EXPECT_EQ(g_nLinkType, 0);
    }
}
