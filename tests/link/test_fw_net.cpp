// The firmware update over TCP against the emulated processor on 127.0.0.1: every step of a
// controller file and of a full file (whose processor drops the connection when it restarts
// into its loader), a connection lost mid-transfer and carried on after a reconnect, and the
// ways an update fails. Only the loopback address is ever used; reachability is faked.
#include "test_fw_kit.h"
#include "test_net_kit.h"

#include "AppMessages.h"
#include "CKTVCommand.h"
#include "CommWorker.h"
#include "DeviceEmulator.h"
#include "EmuLoader.h"
#include "EmuTcpServer.h"
#include "FirmwareState.h"
#include "FirmwareUpdate.h"
#include "LinkGlobals.h"
#include "LinkState.h"
#include "ModelUi.h"
#include "UsbLink.h"

using namespace fwkit;
using namespace netkit;

namespace {

const CString kNetText = "Connected NetWork";
const CString kEraseText = "Erasing......";

// The program clock of these tests: every look at it is one millisecond later, and a sleep
// moves it on at once, so the loader entry's four seconds of sending and the pauses before a
// reconnect pass without real waiting.
class CSteppingClock : public IClock {
public:
    int64_t NowUs() override { return m_nowUs += 1000; }
    void SleepMs(int ms) override { m_nowUs += int64_t(ms) * 1000; }

private:
    std::atomic<int64_t> m_nowUs{1000000};
};

class FirmwareNetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::Set(&clock);
        g_bChinese = 0;
        g_bUpdateDone = 0;
        g_bAbortingUpdate = 0;
        emu.SetFirmwareSide(&loader);
        emu.EnableRequestLog(false);
        ASSERT_TRUE(server.Start(0));
        UseLoopbackDevice(server.GetPort());
        command.SetNotifyWnd(kView);
        update.SetNotifyWnd(kView);
        net.m_bReachable = 1;
    }
    void TearDown() override
    {
        {
            CSingleLock lock(g_csComm);
            g_pUpdateProgress = nullptr;
            g_pCurHexUpTip = nullptr;
        }
        update.EndUpdate();
        net.Close();
        server.Stop();
        emu.SetFirmwareSide(nullptr);
        command.RemoveAllSendData();
        g_bNetOpen = 0;
        g_nLinkType = 0;
        g_bUpdateDone = 0;
        g_strFirmwarePath.clear();
        for (CEvent& ev : g_hCommEvents)
            ev.ResetEvent();
        Clock::Set(nullptr);
    }

    void Start(const Bytes& file)
    {
        g_strFirmwarePath = WriteFile("net.bin", file);
        ASSERT_TRUE(update.LoadUpdateFile());
        bar = std::make_unique<RecordingProgress>(g_nUpdateProgressTotal);
        {
            CSingleLock lock(g_csComm);
            g_pUpdateProgress = bar.get();
            g_pCurHexUpTip = &tip;
        }
        ASSERT_TRUE(update.OpenNetForUpdate());
        ASSERT_EQ(g_bNetOpen, 1);
        ASSERT_EQ(g_nLinkType, 2);
    }

    // The comm worker's firmware case until the update is done or failed.
    void Run(int limit = 20000)
    {
        for (int passes = 0; passes < limit && g_bNetOpen && !g_bUpdateDone &&
                             !g_hCommEvents[COMM_EVENT_SUSPEND].IsSet();
             ++passes)
            update.NetTransactHex();
    }

    bool TipShowed(const CString& text) const
    {
        const std::vector<CString> texts = tip.Texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    void ExpectSucceeded()
    {
        EXPECT_EQ(g_bUpdateDone, 1);
        EXPECT_EQ(sink.CountPosted(WM_LINK_LOST), 0);
        EXPECT_EQ(sink.CountPosted(WM_UPDATE_STEP_DONE), 1);
        EXPECT_EQ(tip.Texts().back(), g_strHexDoneEn);
        EXPECT_EQ(bar->GetPos(), bar->GetUpper());
    }

    void ExpectFailedOnce()
    {
        EXPECT_EQ(sink.CountPosted(WM_LINK_LOST), 1);
        EXPECT_EQ(sink.CountPosted(WM_UPDATE_STEP_DONE), 0);
        EXPECT_EQ(g_bUpdateDone, 0);
        EXPECT_FALSE(TipShowed(g_strHexDoneEn));
        EXPECT_EQ(loader.GetUpdateCount(), 0);
        EXPECT_TRUE(g_hCommEvents[COMM_EVENT_SUSPEND].IsSet());
        ExpectBarNeverFull(*bar);
    }

    CSteppingClock clock;
    CRecordingSink sink;
    CModelUiRecorder ui;
    CDeviceEmulator emu;
    CEmuLoader loader;
    CEmuTcpServer server{emu};
    CKTVCommand command;
    FakeReachability reach;
    CNet_Socket net{&reach};
    CUsbLink usb{command};
    CFirmwareUpdate update{command, usb, net};
    RecordingTip tip;
    std::unique_ptr<RecordingProgress> bar;
};

}  // namespace

TEST_F(FirmwareNetTest, ControllerFileGoesThroughEveryStep)
{
    loader.SetApplyRestartMs(-1);  // the Wi-Fi side stays up while the controller restarts
    Start(ControllerFile(1500));
    Run();
    ExpectSucceeded();
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    const Bytes body = loader.GetMcuBody();
    ASSERT_GE(body.size(), 1500u);
    EXPECT_EQ(Bytes(body.begin(), body.begin() + 1500), Pattern(1500, 5));
    EXPECT_EQ(server.GetAcceptCount(), 1);
    ExpectBarOfASuccess(*bar, size_t(1 + 1 + (1500 + 47) / 48 + 1));
    EXPECT_EQ(tip.Texts(), (std::vector<CString>{kNetText, g_strHexApplyEn, g_strHexDataEn, g_strHexDoneEn}));
}

TEST_F(FirmwareNetTest, FullFileGoesOnOverANewConnectionAfterTheRestart)
{
    loader.SetApplyRestartMs(0);  // the device drops the connection after answering apply
    Start(FullFile(200));
    Run();
    ExpectSucceeded();
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_EQ(loader.GetDspImage(), DspImage());
    EXPECT_EQ(server.GetAcceptCount(), 2);
    EXPECT_EQ(loader.GetStepCount(0x3B), 5958);
    ExpectBarOfASuccess(*bar, size_t(1 + 1 + 5958 + 1 + (200 + 47) / 48 + 1));
    EXPECT_EQ(tip.Texts(),
              (std::vector<CString>{kNetText, g_strHexApplyEn, kEraseText, g_strHexDataEn, g_strHexDoneEn}));
}

TEST_F(FirmwareNetTest, ConnectionLostMidTransferIsRetriedOnce)
{
    loader.SetApplyRestartMs(-1);
    loader.AddFault(0x38, 5, CEmuLoader::EFault::DropLink);
    Start(ControllerFile(960));
    Run();
    ExpectSucceeded();
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_EQ(loader.GetStepCount(0x38), 20 + 1) << "the lost block went out once more";
    EXPECT_EQ(server.GetAcceptCount(), 2);
}

namespace {

struct NetFailCase {
    const char* name;
    BYTE step;
    std::vector<int> nths;
    CEmuLoader::EFault fault;
};

}  // namespace

class FirmwareNetFailTest : public FirmwareNetTest, public ::testing::WithParamInterface<NetFailCase> {};

TEST_P(FirmwareNetFailTest, EndsInOneLinkLostAndNeverInSuccess)
{
    const NetFailCase& c = GetParam();
    loader.SetApplyRestartMs(-1);
    for (int nth : c.nths)
        loader.AddFault(c.step, nth, c.fault);
    Start(ControllerFile(500));
    Run();
    ExpectFailedOnce();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FirmwareNetFailTest,
    ::testing::Values(NetFailCase{"RejectedEndStep", 0x39, {1}, CEmuLoader::EFault::Reject},
                      // Silence at the end step is no acknowledgement: the loader may not have
                      // taken the image, so the update must not report success.
                      NetFailCase{"EndStepUnanswered", 0x39, {1}, CEmuLoader::EFault::Silent},
                      NetFailCase{"EndStepClosedWithoutAnswer", 0x39, {1}, CEmuLoader::EFault::DropLink},
                      NetFailCase{"RejectedDataBlock", 0x38, {3}, CEmuLoader::EFault::Reject},
                      NetFailCase{"ConnectionLostTwice", 0x38, {2, 3}, CEmuLoader::EFault::DropLink}),
    [](const ::testing::TestParamInfo<NetFailCase>& info) { return info.param.name; });
