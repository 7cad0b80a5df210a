// The advanced setting dialog's address and port are the ones the link uses: after an apply,
// the next network connect reaches the emulator on the new port (127.0.0.1 only).
#include "E2eRig.h"

#include "AppMessages.h"
#include "CAdv_Seting.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace e2e;

TEST(E2eAdvSetting, AppliedAddressAndPortAreWhatTheNextTcpConnectUses)
{
    LinkRig rig(LinkRig::Door::Tcp);
    const int emulatorPort = g_nDevicePort;
    ASSERT_GT(emulatorPort, 0);
    g_nDevicePort = 0;  // nothing accepts a connect on port 0
    rig.Start();
    PumpFor(500);
    ASSERT_FALSE(rig.view->IsLinked());

    CAdv_Seting dlg(rig.view.get());
    dlg.m_pScene = rig.scene.get();
    ASSERT_TRUE(dlg.Create(IDD_ADV_SETING, rig.view.get()));
    dlg.m_ipAddress.SetAddress("127.0.0.1");
    dlg.m_editPort.SetWindowText(std::to_string(emulatorPort));
    dlg.m_editPort.SetModify(TRUE);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_ADV_PORT), EN_CHANGE), 0);
    EXPECT_TRUE(dlg.m_btnApply.IsWindowEnabled());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_ADV_APPLY), 0), 0);
    EXPECT_EQ(g_strDeviceIp, CString("127.0.0.1"));
    EXPECT_EQ(g_nDevicePort, emulatorPort);

    // The connect button's network road, unless the watchdog got there first.
    if (!rig.view->IsLinked())
        rig.view->ConnectNet();
    EXPECT_TRUE(rig.WaitConnected());
    EXPECT_EQ(g_nLinkType.load(), 2);
    EXPECT_EQ(rig.reach.foreignAddresses.load(), 0);
    dlg.DestroyWindow();
}

TEST(E2eAdvSetting, ASceneReachesTheOpenDialogAndNeverAClosedOne)
{
    LinkRig rig(LinkRig::Door::Tcp);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());

    auto dlg = std::make_unique<CAdv_Seting>(rig.view.get());
    dlg->m_pScene = rig.scene.get();
    ASSERT_TRUE(dlg->Create(IDD_ADV_SETING, rig.view.get()));
    EXPECT_TRUE(dlg->m_btnWifiDefault.IsWindowEnabled());  // opened while online
    dlg->m_ipAddress.SetAddress("127.0.0.9");
    rig.view->SendMessage(WM_SCENE_RECEIVED, 0, 0);
    EXPECT_EQ(dlg->m_ipAddress.GetAddress(), g_strDeviceIp);  // refreshed from the device's values

    dlg->DestroyWindow();
    dlg.reset();
    EXPECT_EQ(g_pAdvSetingDlg, nullptr);
    // A scene after the dialog is gone is handled without it (the sanitizer run would see a
    // stale pointer).
    rig.view->SendMessage(WM_SCENE_RECEIVED, 0, 0);
    EXPECT_TRUE(rig.view->IsLinked());
}
