// The firmware update dialog driven like a user would, against the main view and the emulated
// processor: an update from the button to its success text, a start whose device cannot be
// opened and waits for it (the polling finds it, or gives up after its attempts with the
// failure messages, over USB and over the network), quitting while waiting or while updating,
// and the button's refusals.
//
// Message boxes are answered by the test (the abandon question with its Yes or No) and recorded.
// The long waits of the polling run on a fake program clock, installed only while no comm
// worker runs.
#include "E2eRig.h"

#include "../link/test_fw_kit.h"

#include "AppMessages.h"
#include "CUpgradeDlg.h"
#include "Clock.h"
#include "EmuLoader.h"
#include "FirmwareState.h"
#include "FirmwareTexts.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkTexts.h"
#include "ModelUi.h"
#include "ShellTexts.h"
#include "ShowTimedMessage.h"
#include "Texts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

using namespace e2e;
using namespace fwkit;

namespace {

const CString kQuestionEn = "Update is not completed, will be forced to exit the damaged equipment, whether to exit?";

// Picks entry k of the popup that the next step shows, and records the popup's entries.
void ChooseFromNextPopup(int k, std::vector<CString>* entries)
{
    QTimer::singleShot(0, [k, entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            entries->push_back(a->text().toStdString());
        for (int i = 0; i <= k; ++i) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QCoreApplication::sendEvent(menu, &down);
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
    });
}

class UpgradeDlgTest : public ::testing::Test {
protected:
    explicit UpgradeDlgTest(LinkRig::Door door = LinkRig::Door::Usb) : rig(door) {}

    void SetUp() override
    {
        g_bChinese = 0;
        loader.SetApplyRestartMs(-1);
        rig.emu.SetFirmwareSide(&loader);
        // Replaces the rig's recorder: the abandon question needs an answer.
        SetTimedMessageHook([this](const CString& text, int selector) {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_shown.push_back({text, selector});
            return text == kQuestionEn ? m_answer : IDOK;
        });
    }
    void TearDown() override
    {
        if (dlg && dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        dlg.reset();
        if (rig.view) {
            rig.view->CloseLink();
            if (rig.view->GetFirmwareUpdate())
                rig.view->GetFirmwareUpdate()->EndUpdate();
        }
        held.reset();
        Clock::Set(nullptr);
        SetTimedMessageHook({});
        rig.emu.SetFirmwareSide(nullptr);
        g_strFirmwarePath.clear();
    }

    // Connects the view as the program does, then closes the link, as a user would find it
    // before the update.
    void StartConnected()
    {
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
    }
    void OpenDialog(const Bytes& file)
    {
        g_strFirmwarePath = WriteFile("dlg-update.bin", file);
        dlg = std::make_unique<CUpgradeDlg>(nullptr, rig.view.get());
        ASSERT_TRUE(dlg->Create(IDD_UPGRADE));
        Clear();
    }
    void Click(UINT id) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), 0); }
    // Another program holds the processor: it cannot be opened until Release.
    void HoldDevice()
    {
        rig.view->CloseLink();
        held = rig.backend.Open(rig.hid->GetPath());
        ASSERT_TRUE(held);
    }
    std::vector<ShownMessage> Shown()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_shown;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_shown.clear();
    }
    bool Showed(const CString& text)
    {
        for (const ShownMessage& m : Shown())
            if (m.text == text)
                return true;
        return false;
    }
    bool TipIs(const CString& text)
    {
        return PumpUntil([&] { return dlg->GetStatusText() == text; });
    }

    CModelUiRecorder ui;
    CEmuLoader loader;
    std::unique_ptr<CEmuHidDevice> hid2;  // a second processor when a test plugs one; outlives the rig
    LinkRig rig;
    std::unique_ptr<CUpgradeDlg> dlg;
    std::unique_ptr<IHidDevice> held;
    CFakeClock fakeClock;
    int m_answer = IDNO;

private:
    std::mutex m_mutex;  // guards m_shown
    std::vector<ShownMessage> m_shown;
};

class UpgradeDlgNetTest : public UpgradeDlgTest {
protected:
    UpgradeDlgNetTest() : UpgradeDlgTest(LinkRig::Door::Tcp) {}
};

}  // namespace

TEST_F(UpgradeDlgTest, TheUpdateButtonRunsTheUpdateToItsSuccess)
{
    StartConnected();
    OpenDialog(ControllerFile(100));
    EXPECT_EQ(dlg->GetPathText(), g_strFirmwarePath);
    EXPECT_EQ(g_pUpdateProgress != nullptr, true);
    EXPECT_EQ(g_pCurHexUpTip != nullptr, true);

    // One processor and no network: the update starts at once, without a popup.
    Click(IDC_UPGRADE_UPDATE);
    EXPECT_EQ(g_bUpdateWaiting, 0);
    ASSERT_TRUE(PumpUntil([&] { return Showed(g_strHexDoneEn); }));
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{{g_strHexDoneEn, TIMED_PROMPT}}));
    EXPECT_TRUE(TipIs(g_strHexDoneEn));
    // 108 bytes: 108 / 48 = 2, plus 6.
    EXPECT_EQ(g_nUpdateProgressTotal, 8);
    EXPECT_EQ(dlg->GetProgress().GetRangeLower(), 0);
    EXPECT_EQ(dlg->GetProgress().GetRangeUpper(), g_nUpdateProgressTotal);
    EXPECT_TRUE(PumpUntil([&] { return dlg->GetProgress().GetPos() == g_nUpdateProgressTotal; }));
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_FALSE(dlg->GetPollThread()->IsEnabled());
    EXPECT_TRUE(ui.m_messages.empty());

    // Closing the dialog takes its bar and line away from the link.
    Click(IDC_UPGRADE_QUIT);
    EXPECT_TRUE(Shown().size() == 1u);
    dlg->DestroyWindow();
    EXPECT_EQ(g_pUpdateProgress, nullptr);
    EXPECT_EQ(g_pCurHexUpTip, nullptr);
}

TEST_F(UpgradeDlgTest, WithTheNetworkReachableThePopupOffersUsbAndTheDeviceAddress)
{
    rig.reach.onSubnet = 1;
    rig.reach.answers = 1;
    StartConnected();
    ASSERT_TRUE(PumpUntil([&] { return rig.view->GetNetSocket()->m_bReachable.load(); }));

    // The address entry: the network start, which cannot connect here (port 0), so it waits.
    OpenDialog(ControllerFile(100));
    std::vector<CString> entries;
    ChooseFromNextPopup(1, &entries);
    Click(IDC_UPGRADE_UPDATE);
    EXPECT_EQ(entries, (std::vector<CString>{"USB", "127.0.0.1"}));
    ASSERT_TRUE(PumpUntil([&] { return g_bUpdateWaiting == 1; }));
    EXPECT_EQ(g_nLinkType, 2);
    ASSERT_TRUE(TipIs(g_strHexNetEn));
    Click(IDC_UPGRADE_QUIT);
    EXPECT_EQ(g_bUpdateWaiting, 0);
    dlg->DestroyWindow();

    // The USB entry: the update over USB.
    OpenDialog(ControllerFile(100));
    entries.clear();
    ChooseFromNextPopup(0, &entries);
    Click(IDC_UPGRADE_UPDATE);
    EXPECT_EQ(entries, (std::vector<CString>{"USB", "127.0.0.1"}));
    ASSERT_TRUE(PumpUntil([&] { return Showed(g_strHexDoneEn); }));
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_TRUE(Shown() == (std::vector<ShownMessage>{{g_strHexDoneEn, TIMED_PROMPT}}));
}

TEST_F(UpgradeDlgTest, TwoProcessorsAreOfferedAsUsb1AndUsb2AndTheChosenOneIsUpdated)
{
    hid2 = std::make_unique<CEmuHidDevice>(rig.emu);
    hid2->SetPath(rig.hid->GetPath() + "-second");
    rig.backend.AddDevice(*hid2);
    StartConnected();
    OpenDialog(ControllerFile(100));
    std::vector<CString> entries;
    ChooseFromNextPopup(1, &entries);
    Click(IDC_UPGRADE_UPDATE);
    EXPECT_EQ(entries, (std::vector<CString>{"USB1", "USB2"}));
    ASSERT_TRUE(PumpUntil([&] { return g_bUpdating == 1 || g_bUpdateWaiting == 1; }));
    EXPECT_EQ(g_strUsbPath, hid2->GetPath());
    ASSERT_TRUE(PumpUntil([&] { return Showed(g_strHexDoneEn); }));
    EXPECT_EQ(loader.GetUpdateCount(), 1);
}

TEST_F(UpgradeDlgTest, TwoProcessorsAndTheNetworkAreOfferedTogetherAndTheAddressStartsOverTheNetwork)
{
    hid2 = std::make_unique<CEmuHidDevice>(rig.emu);
    hid2->SetPath(rig.hid->GetPath() + "-second");
    rig.backend.AddDevice(*hid2);
    rig.reach.onSubnet = 1;
    rig.reach.answers = 1;
    StartConnected();
    ASSERT_TRUE(PumpUntil([&] { return rig.view->GetNetSocket()->m_bReachable.load(); }));
    OpenDialog(ControllerFile(100));
    std::vector<CString> entries;
    ChooseFromNextPopup(2, &entries);
    Click(IDC_UPGRADE_UPDATE);
    EXPECT_EQ(entries, (std::vector<CString>{"USB1", "USB2", "127.0.0.1"}));
    // Nothing listens at the device address here: the network start waits for its device.
    ASSERT_TRUE(PumpUntil([&] { return g_bUpdateWaiting == 1; }));
    EXPECT_EQ(g_nLinkType, 2);
    EXPECT_FALSE(rig.view->IsLinked());
    Click(IDC_UPGRADE_QUIT);
    EXPECT_EQ(g_bUpdateWaiting, 0);
    EXPECT_EQ(loader.GetUpdateCount(), 0);
}

TEST_F(UpgradeDlgTest, AStartThatCannotOpenWaitsAndTheFirstGoodAttemptRunsTheUpdate)
{
    StartConnected();
    HoldDevice();
    OpenDialog(ControllerFile(100));
    Click(IDC_UPGRADE_UPDATE);
    EXPECT_EQ(g_bUpdateWaiting, 1);
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_TRUE(dlg->GetPollThread()->IsEnabled());
    // A failed attempt says so in the status line.
    ASSERT_TRUE(TipIs(g_strHexUsbEn));
    EXPECT_GE(dlg->GetPollThread()->GetAttemptCount(), 1);

    held.reset();
    ASSERT_TRUE(PumpUntil([&] { return Showed(g_strHexDoneEn); }));
    EXPECT_EQ(g_bUpdateWaiting, 0);
    EXPECT_FALSE(dlg->GetPollThread()->IsEnabled());
    EXPECT_EQ(dlg->GetProgress().GetRangeUpper(), g_nUpdateProgressTotal);
    EXPECT_TRUE(PumpUntil([&] { return dlg->GetProgress().GetPos() == g_nUpdateProgressTotal; }));
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{{g_strHexDoneEn, TIMED_PROMPT}}));
}

TEST_F(UpgradeDlgTest, TwentyOneFailedAttemptsOverUsbEndInTheFailureMessages)
{
    StartConnected();
    HoldDevice();
    OpenDialog(ControllerFile(100));
    Clock::Set(&fakeClock);  // no worker runs while the update waits
    Click(IDC_UPGRADE_UPDATE);
    ASSERT_EQ(g_bUpdateWaiting, 1);
    ASSERT_TRUE(PumpUntil([&] { return g_bUpdateWaiting == 0; }));
    const std::vector<ShownMessage> expected = {{g_strUsbFailEn, TIMED_PROMPT},
                                                {g_strUpdateFailedBangEn, TIMED_WARNING}};
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(g_strUpdateFailedBangEn, CString("The firmware update failed!"));
    EXPECT_TRUE(TipIs(g_strUpdateFailedEn));
    EXPECT_EQ(dlg->GetPollThread()->GetAttemptCount(), UPDATE_SILENT_ATTEMPTS);
    EXPECT_FALSE(dlg->GetPollThread()->IsEnabled());
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_FALSE(rig.view->IsLinked());
    // Nothing is open, so nothing may keep the next connect out.
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_EQ(loader.GetUpdateCount(), 0);
    Clock::Set(nullptr);

    // The dialog can start again once the device is free.
    held.reset();
    Clear();
    Click(IDC_UPGRADE_UPDATE);
    ASSERT_TRUE(PumpUntil([&] { return Showed(g_strHexDoneEn); }));
    EXPECT_EQ(loader.GetUpdateCount(), 1);
}

TEST_F(UpgradeDlgNetTest, TwentyOneFailedAttemptsOverTheNetworkEndInTheFailureMessages)
{
    StartConnected();
    ASSERT_EQ(g_nLinkType, 2);
    rig.view->CloseLink();
    rig.server->Stop();  // the processor is reachable but takes no connection
    ASSERT_TRUE(rig.view->GetNetSocket()->m_bReachable.load());
    OpenDialog(ControllerFile(100));
    Clock::Set(&fakeClock);
    Click(IDC_UPGRADE_UPDATE);
    ASSERT_EQ(g_bUpdateWaiting, 1);
    ASSERT_TRUE(TipIs(g_strHexNetEn));
    ASSERT_TRUE(PumpUntil([&] { return g_bUpdateWaiting == 0 && Shown().size() >= 2; }));
    const std::vector<ShownMessage> expected = {{g_strWifiFailEn, TIMED_PROMPT},
                                                {g_strUpdateFailedEn, TIMED_WARNING}};
    EXPECT_EQ(Shown(), expected);
    EXPECT_TRUE(TipIs(g_strUpdateFailedEn));
    EXPECT_EQ(dlg->GetPollThread()->GetAttemptCount(), UPDATE_SILENT_ATTEMPTS);
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_FALSE(rig.view->IsLinked());
}

TEST_F(UpgradeDlgTest, QuittingWhileWaitingStopsThePollingWithoutAQuestion)
{
    StartConnected();
    HoldDevice();
    OpenDialog(ControllerFile(100));
    Click(IDC_UPGRADE_UPDATE);
    ASSERT_EQ(g_bUpdateWaiting, 1);
    ASSERT_TRUE(TipIs(g_strHexUsbEn));
    Click(IDC_UPGRADE_QUIT);
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(dlg->GetPollThread()->IsEnabled());
    EXPECT_FALSE(dlg->GetPollThread()->IsThreadRunning());
    EXPECT_EQ(g_bUpdateWaiting, 0);
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_FALSE(dlg->IsWindowVisible());
    // The device comes free: nothing opens it for the abandoned update.
    held.reset();
    PumpFor(1500);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_EQ(loader.GetUpdateCount(), 0);
}

TEST_F(UpgradeDlgTest, QuittingDuringAnUpdateAsksAndNoKeepsItYesAbandonsIt)
{
    StartConnected();
    OpenDialog(ControllerFile(100));
    // The loader entry (1 s), the apply step and the processor's restart (5 s) come before any
    // image block: the update surely runs while the test quits.
    Click(IDC_UPGRADE_UPDATE);
    ASSERT_EQ(g_bUpdating, 1);

    m_answer = IDNO;
    Click(IDC_UPGRADE_QUIT);
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{{kQuestionEn, CAPTION_WARNING_EN}}));
    EXPECT_EQ(g_bUpdating, 1);
    EXPECT_TRUE(rig.view->IsLinked());
    EXPECT_TRUE(dlg->IsWindowVisible());
    // Still running: the apply step reaches the loader.
    ASSERT_TRUE(PumpUntil([&] { return loader.GetStepCount(0x36) >= 1; }));
    EXPECT_EQ(g_bUpdating, 1);

    Clear();
    m_answer = IDYES;
    Click(IDC_UPGRADE_QUIT);
    const std::vector<ShownMessage> expected = {{kQuestionEn, CAPTION_WARNING_EN},
                                                {g_strUpdateFailedBangEn, TIMED_WARNING}};
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_EQ(g_bAbortingUpdate, 0);
    EXPECT_FALSE(rig.view->IsLinked());
    EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_EQ(loader.GetStepCount(0x38), 0);
    EXPECT_EQ(loader.GetUpdateCount(), 0);
}

TEST_F(UpgradeDlgTest, TheUpdateButtonDoesNothingWhileAnUpdateRunsOrWaits)
{
    StartConnected();
    OpenDialog(ControllerFile(100));
    struct Case {
        int updating;
        int waiting;
    };
    for (const Case& c : {Case{1, 0}, Case{0, 1}, Case{1, 1}}) {
        g_bUpdating = c.updating;
        g_bUpdateWaiting = c.waiting;
        {
            CSingleLock lock(g_csComm);
            g_bHandshake = 1;
        }
        Click(IDC_UPGRADE_UPDATE);
        {
            // A handshake still awaited is given up first, whatever the button does next.
            CSingleLock lock(g_csComm);
            EXPECT_EQ(g_bHandshake, 0) << c.updating << c.waiting;
        }
        PumpFor(100);
        EXPECT_TRUE(rig.view->IsLinked()) << c.updating << c.waiting;  // the link was not even closed
        EXPECT_TRUE(Shown().empty());
        EXPECT_FALSE(dlg->GetPollThread()->IsEnabled());
    }
    g_bUpdating = 0;
    g_bUpdateWaiting = 0;
    EXPECT_EQ(loader.GetUpdateCount(), 0);
}

TEST_F(UpgradeDlgTest, AFileThatIsNoUpdateIsRefusedAndNothingWaits)
{
    StartConnected();
    OpenDialog(Concat({Tag("WMCX"), McuImage(100)}));
    Click(IDC_UPGRADE_UPDATE);
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages[0].first, g_strUpdateFileErrorEn);
    EXPECT_EQ(g_bUpdateWaiting, 0);
    EXPECT_EQ(g_bUpdating, 0);
    EXPECT_FALSE(dlg->GetPollThread()->IsEnabled());
}

TEST_F(UpgradeDlgNetTest, NoDeviceAndNoNetworkSaysThereIsNothingToOpen)
{
    rig.reach.answers = 0;
    rig.reach.onSubnet = 0;
    rig.Start();
    PumpFor(200);
    ASSERT_FALSE(rig.view->IsLinked());
    OpenDialog(ControllerFile(100));
    Click(IDC_UPGRADE_UPDATE);
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{{g_strNoLinkEn, TIMED_PROMPT}}));
    EXPECT_EQ(g_strNoLinkEn, CString("No connection can be opened"));
    EXPECT_EQ(g_bUpdateWaiting, 0);
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_EQ(rig.reach.foreignAddresses, 0);
}
