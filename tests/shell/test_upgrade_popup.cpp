// The device popup of the firmware dialog's update button (shared with the connect button): its
// entries and their command ids for each number of processors with and without the network,
// where it opens (left edge of the button, 2 pixels below it), and the command a chosen entry
// sends to the dialog. Also the dialog's own menu 114 that the one-processor case shows.
#include "CKRV330View.h"
#include "CUpgradeDlg.h"
#include "DevicePopup.h"

#include "GdiGlobals.h"
#include "Globals.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<UINT, CString>>;

Entries EntriesOf(const CMenu& menu)
{
    Entries out;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString text;
        menu.GetMenuString(UINT(i), text, MF_BYPOSITION);
        out.emplace_back(menu.GetMenuItemID(i), text);
    }
    return out;
}

// A window that records the commands it receives.
class CCommandSink : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> m_commands;
};

void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class DevicePopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedIp = g_strDeviceIp;
        g_strDeviceIp = "127.0.0.1";
    }
    void TearDown() override { g_strDeviceIp = m_savedIp; }
    CString m_savedIp;
};

}  // namespace

TEST_F(DevicePopupTest, EntriesAreUsbOneToNThenTheDeviceAddress)
{
    struct Case {
        int devices;
        BOOL net;
        Entries expected;
    };
    const Case cases[] = {
        {0, TRUE, {{ID_CONNECT_NET, "127.0.0.1"}}},
        {0, FALSE, {}},
        {1, FALSE, {{6600, "USB1"}}},
        {2, FALSE, {{6600, "USB1"}, {6601, "USB2"}}},
        {2, TRUE, {{6600, "USB1"}, {6601, "USB2"}, {ID_CONNECT_NET, "127.0.0.1"}}},
        {3, TRUE, {{6600, "USB1"}, {6601, "USB2"}, {6602, "USB3"}, {ID_CONNECT_NET, "127.0.0.1"}}},
    };
    for (const Case& c : cases) {
        CMenu popup;
        ASSERT_TRUE(popup.CreatePopupMenu());
        BuildDevicePopup(popup, c.devices, c.net);
        EXPECT_EQ(EntriesOf(popup), c.expected) << c.devices << " devices, net " << c.net;
    }
    EXPECT_EQ(ID_USB_DEVICE_FIRST, 6600u);
    EXPECT_EQ(ID_CONNECT_NET, 733u);
}

TEST_F(DevicePopupTest, MoreProcessorsThanIdsAreCutAtTheEndOfTheIdRange)
{
    const int room = int(ID_USB_DEVICE_LAST - ID_USB_DEVICE_FIRST) + 1;
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    BuildDevicePopup(popup, room + 5, TRUE);
    const Entries entries = EntriesOf(popup);
    ASSERT_EQ(int(entries.size()), room + 1);
    EXPECT_EQ(entries[size_t(room) - 1], (std::pair<UINT, CString>{ID_USB_DEVICE_LAST, "USB" + std::to_string(room)}));
    EXPECT_EQ(entries.back().first, ID_CONNECT_NET);
}

TEST_F(DevicePopupTest, OpensBelowTheButtonsLeftEdgeAndSendsTheChosenIdToTheOwner)
{
    CCommandSink owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(200, 150, 700, 450), nullptr, 0));
    CWnd button;
    ASSERT_TRUE(button.Create(nullptr, "button", WS_CHILD | WS_VISIBLE, CRect(40, 60, 130, 88), &owner, 1881));
    CRect rcButton;
    button.GetWindowRect(&rcButton);

    struct Case {
        int pick;  // entry to choose, -1: close the popup without a choice
        std::vector<UINT> commands;
    };
    const Case cases[] = {{0, {6600}}, {1, {6601}}, {2, {ID_CONNECT_NET}}, {-1, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pick);
        CMenu popup;
        ASSERT_TRUE(popup.CreatePopupMenu());
        BuildDevicePopup(popup, 2, TRUE);
        QPoint at(-1, -1);
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            at = menu->pos();
            if (c.pick < 0) {
                menu->close();
                return;
            }
            for (int i = 0; i <= c.pick; ++i) {
                QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                QCoreApplication::sendEvent(menu, &down);
            }
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(menu, &enter);
        });
        owner.m_commands.clear();
        TrackPopupBelow(&popup, &button, &owner);
        Pump();
        EXPECT_EQ(at, QPoint(rcButton.left, rcButton.bottom + 2));
        EXPECT_EQ(owner.m_commands, c.commands);
    }
}

TEST_F(DevicePopupTest, TheDialogsMenuOffersUsbAndTheNetworkEntry)
{
    if (!g_fontArial16.GetSafeHandle())
        CreateSharedGdiObjects();
    CUpgradeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_UPGRADE));
    CMenu* popup = dlg.GetDeviceMenu().GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    const Entries entries = EntriesOf(*popup);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], (std::pair<UINT, CString>{732u, "USB"}));
    EXPECT_EQ(entries[1].first, 733u);
    EXPECT_EQ(ID_CONNECT_USB, 732u);
}
