// The advanced setting dialog: its pointer lives exactly as long as its window, the port and
// address rules, the limiter fields in both units, the release reading, the row marks of the
// left/right link, and the system bytes with the commands that carry them.
#include "RecordingHost.h"

#include "../controls/ControlTestKit.h"

#include "AppMessages.h"
#include "CAdv_Seting.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <QDir>

#include <memory>
#include <vector>

namespace {

class AdvSetingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bChinese = 0;
        g_bLRLink = 0;
        savedIp = g_strDeviceIp;
        savedPort = g_nDevicePort;
        g_strDeviceIp = "127.0.0.1";
        g_nDevicePort = 8899;
        scene = std::make_unique<CKTV_Data>();
        ASSERT_TRUE(stage.Make(0, 0, 900, 400));
        dlg = std::make_unique<CAdv_Seting>(&stage);
        dlg->m_pScene = scene.get();
        dlg->m_pView = &host;
        ASSERT_TRUE(dlg->Create(IDD_ADV_SETING, &stage));
        Pump();
    }
    void TearDown() override
    {
        dlg.reset();
        scene.reset();
        for (int i = 0; i < LINK_CHANNELS; ++i)
            g_nLinkGroup[i] = i;
        g_bLRLink = 0;
        g_strDeviceIp = savedIp;
        g_nDevicePort = savedPort;
    }
    void Command(UINT id, WORD code = 0) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), code), 0); }
    void TypePort(const char* text)
    {
        dlg->m_editPort.SetWindowText(text);
        dlg->m_editPort.SetModify(TRUE);
        Command(IDC_ADV_PORT, EN_CHANGE);
    }
    void ClickRow(int row)
    {
        NMITEMACTIVATE nm{{dlg->m_list.GetSafeHwnd(), IDC_ADV_LIST, NM_CLICK}, row, 0};
        dlg->SendMessage(WM_NOTIFY, IDC_ADV_LIST, LPARAM(&nm));
    }

    CString savedIp;
    int savedPort = 0;
    std::unique_ptr<CKTV_Data> scene;
    RecordingHost host;
    CStage stage;
    std::unique_ptr<CAdv_Seting> dlg;
};

}  // namespace

TEST_F(AdvSetingTest, PointerLivesExactlyAsLongAsTheWindow)
{
    EXPECT_EQ(g_pAdvSetingDlg, dlg.get());
    dlg->DestroyWindow();
    EXPECT_EQ(g_pAdvSetingDlg, nullptr);
    // What the view does when a scene arrives afterwards: nothing reaches the gone window.
    if (g_pAdvSetingDlg)
        g_pAdvSetingDlg->RefreshFromDevice();
    dlg->RefreshFromDevice();  // a late call on the object itself is harmless too
    SUCCEED();
}

TEST_F(AdvSetingTest, PortIsClampedAndApplyFollowsADifference)
{
    EXPECT_FALSE(dlg->m_btnApply.IsWindowEnabled());
    TypePort("70000");
    EXPECT_EQ(dlg->m_editPort.GetWindowText(), CString("65535"));
    EXPECT_EQ(dlg->GetPort(), 65535);
    EXPECT_TRUE(dlg->m_btnApply.IsWindowEnabled());

    TypePort("");
    Command(IDC_ADV_PORT, EN_KILLFOCUS);
    EXPECT_EQ(dlg->m_editPort.GetWindowText(), CString("1"));
    EXPECT_EQ(dlg->GetPort(), 1);
}

TEST_F(AdvSetingTest, ApplyStoresAValidAddressAndRefusesAnythingElse)
{
    struct Case {
        const char* typed;
        bool accepted;
        const char* stored;
    };
    const Case cases[] = {
        {"127.0.0.2", true, "127.0.0.2"},
        {"127.000.0.9", true, "127.0.0.9"},
        {"127.0.0", false, nullptr},
        {"127.0.0.256", false, nullptr},
        {"a.b.c.d", false, nullptr},
        {"", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        g_strDeviceIp = "127.0.0.1";
        g_nDevicePort = 8899;
        int boxes = 0;
        MessageBoxHandler previous = SetMessageBoxHandler([&](const CString&, UINT, int) {
            ++boxes;
            return IDOK;
        });
        dlg->m_ipAddress.SetAddress(c.typed);
        TypePort("18931");
        Command(IDC_ADV_APPLY);
        if (c.accepted) {
            EXPECT_EQ(g_strDeviceIp, CString(c.stored));
            EXPECT_EQ(g_nDevicePort, 18931);
            EXPECT_EQ(boxes, 0);
        } else {
            EXPECT_EQ(g_strDeviceIp, CString("127.0.0.1"));
            EXPECT_EQ(g_nDevicePort, 8899);
            EXPECT_EQ(boxes, 1);
        }
        SetMessageBoxHandler(previous);
    }
}

TEST_F(AdvSetingTest, ThresholdShowsInBothUnitsAndStoresFromEither)
{
    struct Case {
        int code;
        const char* dbu;
        const char* vpp;
    };
    for (const Case& c : {Case{0, "-30.0dBu", "0.070Vpp"}, Case{420, "OFF", "OFF"}}) {
        SCOPED_TRACE(c.code);
        g_pOutChannel[0]->SetLimitThreshold(short(c.code));
        dlg->SelectRow(1);
        dlg->SelectRow(0);
        EXPECT_EQ(dlg->m_editThreshold.GetWindowText(), CString(c.dbu));
        EXPECT_EQ(dlg->m_editVpp.GetWindowText(), CString(c.vpp));
    }
    dlg->m_spinVpp.SetPos(300);
    Command(IDC_ADV_VPP_SPIN);
    EXPECT_EQ(g_pOutChannel[0]->GetLimitThreshold(), 300);
    EXPECT_EQ(dlg->m_spinThreshold.GetPos(), 300);
}

TEST_F(AdvSetingTest, ReleaseIsShownAsCodePlusFiftyMilliseconds)
{
    g_pOutChannel[2]->SetLimitRelease(100);
    ClickRow(2);
    EXPECT_EQ(dlg->GetCurRow(), 2);
    EXPECT_EQ(dlg->m_editRelease.GetWindowText(), CString("150ms"));
    dlg->m_spinRelease.SetPos(100);
    Command(IDC_ADV_RELEASE_EDIT);
    EXPECT_EQ(g_pOutChannel[2]->GetLimitRelease(), 50);
}

TEST_F(AdvSetingTest, LinkMarksShowOnlyWhileTheLeftRightLinkIsOn)
{
    g_nLinkGroup[3] = 2;  // outputs 3 and 4 linked
    ClickRow(2);
    EXPECT_EQ(dlg->m_list.GetItemText(2, 2), CString("Edit"));
    EXPECT_EQ(dlg->m_list.GetItemText(3, 3), CString(""));
    g_bLRLink = 1;
    ClickRow(0);
    ClickRow(2);
    EXPECT_EQ(dlg->m_list.GetItemText(3, 2), CString("Edit"));
    EXPECT_EQ(dlg->m_list.GetItemText(3, 3), CString("Link"));
    ClickRow(5);
    EXPECT_EQ(dlg->m_list.GetItemText(3, 3), CString(""));
    EXPECT_EQ(dlg->m_list.GetItemText(2, 2), CString(""));
}

TEST_F(AdvSetingTest, SystemBytesAreStoredAndTheirCommandsAskedFor)
{
    host.commands.clear();
    dlg->m_spinG8_6.SetPos(90);
    Command(IDC_ADV_G8_6_EDIT);
    EXPECT_EQ(g_bySysGroup8[6], 90);
    EXPECT_EQ(host.commands, (std::vector<int>{8}));

    dlg->m_spinSys1.SetPos(70);
    Command(IDC_ADV_SYS1_SPIN);
    EXPECT_EQ(g_bySysParams[1], 70);
    EXPECT_EQ(g_bySysParams[5], 70);
    EXPECT_EQ(host.nSys5Pending, 1);
    Command(IDC_ADV_SYS1_SPIN);  // unchanged: nothing more
    EXPECT_EQ(host.nSys5Pending, 1);

    Command(IDC_ADV_WIFI_DEFAULT);
    EXPECT_EQ(host.commands.back(), 65);
}

TEST_F(AdvSetingTest, ScreensInBothLanguages)
{
    QDir().mkpath(ORVANE_BINARY_DIR "/screens");
    g_pOutChannel[0]->SetLimitThreshold(300);
    dlg->SelectRow(0);
    Pump();
    GrabOf(*dlg).save(ORVANE_BINARY_DIR "/screens/adv_seting_en.png");
    dlg.reset();
    g_bChinese = 1;
    dlg = std::make_unique<CAdv_Seting>(&stage);
    dlg->m_pScene = scene.get();
    dlg->m_pView = &host;
    ASSERT_TRUE(dlg->Create(IDD_ADV_SETING, &stage));
    Pump();
    const QImage img = GrabOf(*dlg);
    EXPECT_GT(img.width(), 800);
    img.save(ORVANE_BINARY_DIR "/screens/adv_seting_cn.png");
    g_bChinese = 0;
}
