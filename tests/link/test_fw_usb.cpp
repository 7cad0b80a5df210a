// The firmware update over USB against the emulated processor and its loader, behind the fake
// HID backend on the fake clock: every step of the three kinds of file with the progress and
// texts the dialog shows, the restart into the loader, and the ways an update fails.
#include "test_fw_kit.h"
#include "test_net_kit.h"

#include "AppMessages.h"
#include "CNet_Socket.h"
#include "CommWorker.h"
#include "EmuLoader.h"
#include "FirmwarePackets.h"
#include "FirmwareState.h"
#include "FirmwareUpdate.h"
#include "LinkGlobals.h"
#include "LinkKitWait.h"
#include "ModelUi.h"
#include "UsbTestBench.h"

using namespace fwkit;

namespace {

const CString kUsbText = "Connected Usb";
const CString kEraseText = "Erasing......";

class FirmwareUsbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bChinese = 0;
        g_bUpdateDone = 0;
        g_bAbortingUpdate = 0;
        bench.emu.SetFirmwareSide(&loader);
        update.SetNotifyWnd(CUsbTestBench::ViewWnd());
    }
    void TearDown() override
    {
        {
            CSingleLock lock(g_csComm);
            g_pUpdateProgress = nullptr;
            g_pCurHexUpTip = nullptr;
        }
        update.EndUpdate();
        bench.command.RemoveAllSendData();
        bench.emu.SetFirmwareSide(nullptr);
        g_bUpdateDone = 0;
        g_strFirmwarePath.clear();
    }

    // Loads the file and opens the processor in firmware mode, with the dialog's bar and line.
    void Start(const Bytes& file)
    {
        g_strFirmwarePath = WriteFile("usb.bin", file);
        ASSERT_TRUE(update.LoadUpdateFile());
        bar = std::make_unique<RecordingProgress>(g_nUpdateProgressTotal);
        {
            CSingleLock lock(g_csComm);
            g_pUpdateProgress = bar.get();
            g_pCurHexUpTip = &tip;
        }
        ASSERT_TRUE(update.OpenUsbForUpdate(bench.hid.GetPath()));
        ASSERT_EQ(g_bUpdating, 1);
        ASSERT_EQ(g_nLinkType, 1);
    }

    // The comm worker's firmware case, pass after pass, until the update is done or failed.
    int Run(int limit = 20000)
    {
        int passes = 0;
        while (passes < limit && g_bUsbOpen && !g_bUpdateDone && !g_hCommEvents[COMM_EVENT_SUSPEND].IsSet()) {
            update.UsbTransactHex();
            ++passes;
        }
        return passes;
    }

    int LoaderReportsWritten() const
    {
        BYTE report[USB_REPORT_SIZE];
        FillLoaderEntryReport(report);
        int n = 0;
        for (const auto& r : bench.hid.GetWrittenReports())
            n += std::equal(r.begin(), r.end(), report);
        return n;
    }

    bool TipShowed(const CString& text) const
    {
        const std::vector<CString> texts = tip.Texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    void ExpectFailedOnce()
    {
        EXPECT_EQ(bench.sink.CountPosted(WM_LINK_LOST), 1);
        for (const PostedMessage& m : bench.sink.Posted()) {
            if (m.msg == WM_LINK_LOST) {
                EXPECT_EQ(m.lParam, 0);
            }
        }
        EXPECT_EQ(bench.sink.CountPosted(WM_UPDATE_STEP_DONE), 0);
        EXPECT_EQ(g_bUpdateDone, 0);
        EXPECT_FALSE(TipShowed(g_strHexDoneEn));
        EXPECT_EQ(loader.GetUpdateCount(), 0);
        ExpectBarNeverFull(*bar);
    }

    CModelUiRecorder ui;
    CUsbTestBench bench;
    CEmuLoader loader;
    netkit::FakeReachability reach;
    CNet_Socket net{&reach};
    CFirmwareUpdate update{bench.command, *bench.link, net};
    RecordingTip tip;
    std::unique_ptr<RecordingProgress> bar;
};

struct GoodCase {
    const char* name;
    int dsp;   // 1: the file has a DSP part
    int body;  // controller body bytes, 0: none
};

}  // namespace

class FirmwareUsbGoodTest : public FirmwareUsbTest, public ::testing::WithParamInterface<GoodCase> {};

TEST_P(FirmwareUsbGoodTest, EveryStepIsAnsweredAndTheUpdateSucceeds)
{
    const GoodCase& c = GetParam();
    Start(c.dsp ? FullFile(c.body) : ControllerFile(c.body));
    Run();

    // The loader got the images whole.
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    if (c.dsp) {
        EXPECT_EQ(loader.GetDspImage(), DspImage());
    }
    if (c.body) {
        const Bytes image = McuImage(c.body);
        EXPECT_EQ(loader.GetMcuStartRecord(), Bytes(image.begin(), image.begin() + 4));
        Bytes body = loader.GetMcuBody();
        ASSERT_EQ(body.size(), size_t((c.body + 47) / 48 * 48));
        EXPECT_EQ(Bytes(body.begin(), body.begin() + c.body), Pattern(size_t(c.body), 5));
    }
    EXPECT_EQ(loader.GetStepCount(0x36), 1);

    // The loader entry went out for one second of the program clock, every 5 ms.
    EXPECT_EQ(LoaderReportsWritten(), 201);
    // The processor restarted into its loader and was opened again after 5 s.
    EXPECT_GE(bench.ElapsedUs(), int64_t(USB_APPLY_RESTART_MS) * 1000);
    EXPECT_TRUE(bench.hid.IsPlugged());
    EXPECT_EQ(bench.backend.GetOpenCount(), 1);

    // Success: once, and only the done message; the bar full at the very end.
    EXPECT_EQ(g_bUpdateDone, 1);
    EXPECT_EQ(bench.sink.CountPosted(WM_LINK_LOST), 0);
    ASSERT_EQ(bench.sink.CountPosted(WM_UPDATE_STEP_DONE), 1);
    for (const PostedMessage& m : bench.sink.Posted()) {
        if (m.msg == WM_UPDATE_STEP_DONE) {
            EXPECT_EQ(m.lParam, 57);
        }
    }
    const int dspSteps = c.dsp ? 1 + 5958 : 0;
    const int mcuSteps = c.body ? 1 + (c.body + 47) / 48 : 0;
    ExpectBarOfASuccess(*bar, size_t(1 + dspSteps + mcuSteps + 1));

    std::vector<CString> texts = {kUsbText, g_strHexApplyEn};
    if (c.dsp)
        texts.push_back(kEraseText);
    texts.push_back(g_strHexDataEn);
    texts.push_back(g_strHexDoneEn);
    EXPECT_EQ(tip.Texts(), texts);
    EXPECT_EQ(g_nFirmwareStep, 0x39);
    EXPECT_EQ(bench.command.GetSendDataCount(), 0);

    // The view ends the update: the step goes back to idle.
    update.EndUpdate();
    EXPECT_EQ(g_nFirmwareStep, FIRMWARE_STEP_IDLE);
}

INSTANTIATE_TEST_SUITE_P(Files, FirmwareUsbGoodTest,
                         ::testing::Values(GoodCase{"ControllerOnly", 0, 1000}, GoodCase{"Full", 1, 300},
                                           GoodCase{"DspOnly", 1, 0}),
                         [](const ::testing::TestParamInfo<GoodCase>& info) { return info.param.name; });

namespace {

struct FailCase {
    const char* name;
    std::vector<std::pair<BYTE, int>> rejects;  // step, nth
    BYTE silentStep;
    BYTE dropStep;
    int restartMs;
};

}  // namespace

class FirmwareUsbFailTest : public FirmwareUsbTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(FirmwareUsbFailTest, EndsInOneLinkLostAndNeverInSuccess)
{
    const FailCase& c = GetParam();
    for (const auto& [step, nth] : c.rejects)
        loader.AddFault(step, nth, CEmuLoader::EFault::Reject);
    if (c.silentStep)
        loader.AddFault(c.silentStep, 2, CEmuLoader::EFault::Silent);
    if (c.dropStep)
        loader.AddFault(c.dropStep, 3, CEmuLoader::EFault::DropLink);
    loader.SetApplyRestartMs(c.restartMs);
    Start(FullFile(200));
    Run();
    ExpectFailedOnce();
    EXPECT_TRUE(g_hCommEvents[COMM_EVENT_SUSPEND].IsSet()) << "the worker stops passing";
    if (c.silentStep) {
        EXPECT_EQ(g_bUsbOpen, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FirmwareUsbFailTest,
    ::testing::Values(FailCase{"RejectedEndStep", {{0x39, 1}}, 0, 0, 1000},
                      FailCase{"RejectedDataBlock", {{0x38, 2}}, 0, 0, 1000},
                      FailCase{"RejectedDspBlock", {{0x3B, 40}}, 0, 0, 1000},
                      FailCase{"DspRequestRejectedFourTimes", {{0x3A, 1}, {0x3A, 2}, {0x3A, 3}, {0x3A, 4}}, 0, 0, 1000},
                      FailCase{"UnansweredDataBlock", {}, 0x38, 0, 1000},
                      FailCase{"DeviceGoneMidTransfer", {}, 0, 0x3B, 1000},
                      FailCase{"RestartLongerThanTheWait", {}, 0, 0, 8000}),
    [](const ::testing::TestParamInfo<FailCase>& info) { return info.param.name; });

// The loader the processor restarts into may come back as another device node; the reopen
// lists the devices again and takes the processor by its ids, not the old path.
TEST_F(FirmwareUsbTest, LoaderBackUnderAnotherPathIsFoundAndTheUpdateCompletes)
{
    const std::string oldPath = bench.hid.GetPath();
    const std::string newPath = "/dev/hidraw-orvane-emu7";
    // Same vendor and product but another version: not the processor, never opened.
    HidDeviceInfo other;
    other.path = "/dev/hidraw-other-gadget";
    other.vendorId = WORD(g_nUsbVendorId);
    other.productId = WORD(g_nUsbProductId);
    other.version = 0x0100;
    bench.backend.AddForeignDevice(other);
    bench.hid.SetRestartPath(newPath);

    Start(ControllerFile(100));
    Run();
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_EQ(bench.sink.CountPosted(WM_LINK_LOST), 0);
    EXPECT_EQ(bench.sink.CountPosted(WM_UPDATE_STEP_DONE), 1);
    EXPECT_EQ(g_bUpdateDone, 1);
    EXPECT_EQ(bench.link->GetUsbPath(), newPath);
    EXPECT_NE(bench.link->GetUsbPath(), oldPath);
    EXPECT_EQ(bench.backend.GetOpenCount(), 1);
}

// The apply step gets one wait: an answer that never comes does not end the update there; the
// processor is reopened 5 s later and the update goes on with the next step (which this
// processor, never restarted into its loader, refuses).
TEST_F(FirmwareUsbTest, UnansweredApplyStepIsFollowedByTheRestartAfterOneWait)
{
    loader.AddFault(0x36, 1, CEmuLoader::EFault::Silent);
    Start(ControllerFile(100));
    Run();
    EXPECT_EQ(loader.GetStepCount(0x36), 1);
    EXPECT_EQ(loader.GetStepCount(0x37), 1) << "the update went on after the restart pause";
    EXPECT_GE(bench.ElapsedUs(), int64_t(USB_HEX_WAIT_MS + USB_APPLY_RESTART_MS) * 1000);
    ExpectFailedOnce();
}

TEST_F(FirmwareUsbTest, DspRequestRejectedTwiceIsWrittenAgain)
{
    loader.AddFault(0x3A, 1, CEmuLoader::EFault::Reject);
    loader.AddFault(0x3A, 2, CEmuLoader::EFault::Reject);
    Start(FullFile(0));
    Run();
    EXPECT_EQ(loader.GetStepCount(0x3A), 3);
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_EQ(bench.sink.CountPosted(WM_LINK_LOST), 0);
    EXPECT_EQ(bench.sink.CountPosted(WM_UPDATE_STEP_DONE), 1);
}

namespace {

// The main view's side of the worker, as far as the update goes.
class HexTransactions : public ICommTransactions {
public:
    explicit HexTransactions(CFirmwareUpdate& update) : m_update(update) {}
    void UsbTransact() override { ADD_FAILURE() << "ordinary transaction in firmware mode"; }
    void NetTransact() override { ADD_FAILURE() << "ordinary transaction in firmware mode"; }
    void UsbTransactHex() override { m_update.UsbTransactHex(); }
    void NetTransactHex() override { m_update.NetTransactHex(); }

private:
    CFirmwareUpdate& m_update;
};

}  // namespace

TEST_F(FirmwareUsbTest, CommWorkerRunsTheUpdateAndGoesIdleWhenItIsDone)
{
    HexTransactions transactions(update);
    CCommWorker worker(transactions);
    update.SetStartComm([&worker] { worker.StartWorker(TRUE); });
    Start(ControllerFile(2000));
    ASSERT_TRUE(bench.sink.WaitForPosted(WM_UPDATE_STEP_DONE, 1, 20000));
    // The firmware event is reset once the end step was answered.
    EXPECT_TRUE(WaitUntil([] { return !g_hCommEvents[COMM_EVENT_FIRMWARE].IsSet(); }));
    worker.StopWorker(TRUE);
    EXPECT_EQ(loader.GetUpdateCount(), 1);
    EXPECT_EQ(bench.sink.CountPosted(WM_LINK_LOST), 0);
    EXPECT_EQ(bar->GetPos(), bar->GetUpper());
}
