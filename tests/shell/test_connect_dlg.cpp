// The link choice dialog: the port list it offers (none, a failing listing, the USB default, a
// port chosen before, a name that is the prefix of another), the radios against the link type,
// and what OK makes of the choice.
#include "CConnectDlg.h"

#include "Globals.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

ComPortInfo Port(const char* name, bool usb)
{
    ComPortInfo p;
    p.strDevPath = std::string("/dev/") + name;
    p.strPortName = name;
    p.strFriendlyName = name;
    p.bUsbDevice = usb ? TRUE : FALSE;
    return p;
}

class ConnectDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = SetComPortLister([this](std::vector<ComPortInfo>& list) {
            if (failListing)
                throw std::runtime_error("Could not get OS version. (err=5)");
            list = ports;
        });
        g_nLinkType = 0;
        g_bSameLink = 0;
        g_bChinese = 0;
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
        SetComPortLister(previous);
        g_nLinkType = 0;
        g_bChinese = 0;
    }
    void Open()
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
        ASSERT_TRUE(dlg.Create(IDD_CONNECT));
    }
    std::vector<CString> Entries()
    {
        std::vector<CString> out;
        CString text;
        for (int i = 0; i < dlg.GetPortList().GetCount(); ++i) {
            dlg.GetPortList().GetLBText(i, text);
            out.push_back(text);
        }
        return out;
    }
    CString Selected()
    {
        CString text;
        dlg.GetPortList().GetLBText(dlg.GetPortList().GetCurSel(), text);
        return text;
    }
    void UserPicks(int index)
    {
        dlg.GetPortList().SetCurSel(index);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_CONNECT_PORTS), CBN_SELCHANGE),
                        LPARAM(dlg.GetPortList().GetSafeHwnd()));
    }

    ComPortLister previous;
    std::vector<ComPortInfo> ports;
    bool failListing = false;
    CConnectDlg dlg;
};

}  // namespace

TEST_F(ConnectDlgTest, WithoutPortsOrWhenTheListingFailsTheListHoldsNull)
{
    for (bool fail : {false, true}) {
        failListing = fail;
        ports = fail ? std::vector<ComPortInfo>{Port("ttyS0", false)} : std::vector<ComPortInfo>{};
        Open();
        EXPECT_EQ(Entries(), std::vector<CString>{"NULL"}) << fail;
        EXPECT_EQ(dlg.GetPortList().GetCurSel(), 0) << fail;
        EXPECT_EQ(dlg.GetPortName(), "NULL") << fail;
    }
}

TEST_F(ConnectDlgTest, TheFirstUsbAdapterIsOfferedElseTheFirstPort)
{
    ports = {Port("ttyS0", false), Port("ttyS1", false), Port("ttyUSB0", true), Port("ttyUSB1", true)};
    Open();
    EXPECT_EQ(Entries(), (std::vector<CString>{"ttyS0", "ttyS1", "ttyUSB0", "ttyUSB1"}));
    EXPECT_EQ(Selected(), "ttyUSB0");
    EXPECT_EQ(dlg.GetPortName(), "ttyUSB0");

    CConnectDlg fresh;
    ports = {Port("ttyS3", false), Port("ttyS4", false)};
    ASSERT_TRUE(fresh.Create(IDD_CONNECT));
    CString text;
    fresh.GetPortList().GetLBText(fresh.GetPortList().GetCurSel(), text);
    EXPECT_EQ(text, "ttyS3");
    EXPECT_EQ(fresh.GetPortName(), "ttyS3");
}

TEST_F(ConnectDlgTest, APortChosenBeforeIsKeptWhileItIsThere)
{
    ports = {Port("ttyS0", false), Port("ttyS1", false), Port("ttyUSB0", true)};
    Open();
    UserPicks(1);
    EXPECT_EQ(dlg.GetPortName(), "ttyS1");
    Open();  // the same dialog object opens again
    EXPECT_EQ(Selected(), "ttyS1");
    EXPECT_EQ(dlg.GetPortName(), "ttyS1");

    // The port went away: the USB adapter is offered again.
    ports = {Port("ttyS0", false), Port("ttyUSB0", true)};
    Open();
    EXPECT_EQ(Selected(), "ttyUSB0");
    EXPECT_EQ(dlg.GetPortName(), "ttyUSB0");
}

TEST_F(ConnectDlgTest, AChosenNameThatBeginsAnotherSelectsItself)
{
    ports = {Port("ttyS1", false), Port("ttyS10", false), Port("ttyS11", false)};
    Open();
    UserPicks(0);
    Open();
    EXPECT_EQ(Selected(), "ttyS1");
    EXPECT_EQ(dlg.GetPortName(), "ttyS1");
}

TEST_F(ConnectDlgTest, TheRadiosShowTheLinkTypeAndOnlyComEnablesThePortList)
{
    ports = {Port("ttyS0", false)};
    struct Case {
        int linkType;
        int radio;
        BOOL listEnabled;
    };
    for (const Case& c : {Case{0, -1, FALSE}, Case{1, 0, FALSE}, Case{2, 1, FALSE}, Case{3, 2, TRUE}}) {
        g_nLinkType = c.linkType;
        Open();
        EXPECT_EQ(dlg.GetRadioChoice(), c.radio) << c.linkType;
        EXPECT_EQ(dlg.GetPortList().IsWindowEnabled(), c.listEnabled) << c.linkType;
    }
    const std::pair<UINT, BOOL> clicks[] = {
        {IDC_CONNECT_RADIO_USB, FALSE}, {IDC_CONNECT_RADIO_COM, TRUE}, {IDC_CONNECT_RADIO_WIFI, FALSE}};
    for (const auto& click : clicks) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(click.first), BN_CLICKED), 0);
        EXPECT_EQ(dlg.GetPortList().IsWindowEnabled(), click.second) << click.first;
    }
}

TEST_F(ConnectDlgTest, OkMakesTheChosenLinkTypeCurrentAndSaysWhetherItChanged)
{
    ports = {Port("ttyS0", false)};
    struct Case {
        int current;
        int radio;  // index of the radio the user checks
        int linkType;
        int same;
    };
    const Case cases[] = {{1, 0, 1, 1}, {1, 1, 2, 0}, {2, 2, 3, 0}, {3, 2, 3, 1}, {0, 0, 1, 0}};
    for (const Case& c : cases) {
        g_nLinkType = c.current;
        g_bSameLink = -1;
        Open();
        for (int r = 0; r < 3; ++r)
            dlg.GetRadio(r).SetCheck(r == c.radio ? BST_CHECKED : BST_UNCHECKED);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDOK), BN_CLICKED), 0);
        EXPECT_EQ(g_nLinkType, c.linkType) << c.current << "->" << c.radio;
        EXPECT_EQ(g_bSameLink, c.same) << c.current << "->" << c.radio;
    }
}

TEST_F(ConnectDlgTest, TextsFollowTheLanguage)
{
    ports = {};
    struct Case {
        int chinese;
        const char* caption;
        const char* radios[3];
    };
    const Case cases[] = {
        {0, "Link", {"Use the USB connect to the device", "Use the WIFI connect to the device",
                     "Use the COM connect to the device"}},
        {1, "联机", {"使用USB连接到设备", "使用WIFI无线连接到设备", "使用COM连接到设备"}},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        Open();
        EXPECT_EQ(dlg.GetWindowText(), c.caption);
        EXPECT_EQ(dlg.GetDlgItem(IDOK)->GetWindowText(), c.caption);
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(dlg.GetRadio(r).GetWindowText(), c.radios[r]);
    }
}
