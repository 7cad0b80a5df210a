// The comm worker's passes: which transaction each event runs for each link type, the lock
// around ordinary exchanges, the firmware case without it, and the cases that go idle.
#include "Clock.h"
#include "CommWorker.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkKitWait.h"
#include "LinkState.h"
#include "UsbLink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

// Counts the transactions; one of them can be held inside until the test lets it go.
class FakeTransactions : public ICommTransactions {
public:
    void UsbTransact() override { Run(usb); }
    void NetTransact() override { Run(net); }
    void UsbTransactHex() override { Run(usbHex); }
    void NetTransactHex() override { Run(netHex); }

    // The next transaction waits inside until Release.
    void HoldNext()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_bHold = true;
        m_bInside = false;
    }
    bool WaitInside()
    {
        std::unique_lock<std::mutex> lk(m_mutex);
        return m_cv.wait_for(lk, std::chrono::seconds(10), [this] { return m_bInside; });
    }
    void Release()
    {
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_bHold = false;
        }
        m_cv.notify_all();
    }

    std::atomic<int> usb{0}, net{0}, usbHex{0}, netHex{0};

private:
    void Run(std::atomic<int>& counter)
    {
        ++counter;
        std::unique_lock<std::mutex> lk(m_mutex);
        if (!m_bHold)
            return;
        m_bInside = true;
        m_cv.notify_all();
        m_cv.wait(lk, [this] { return !m_bHold; });
    }

    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bHold = false;
    bool m_bInside = false;
};

// The program clock for the life of the guard.
struct ClockGuard {
    explicit ClockGuard(IClock* clock) { Clock::Set(clock); }
    ~ClockGuard() { Clock::Set(nullptr); }
};

bool TryTakeLock()
{
    if (!g_csComm.TryLock())
        return false;
    g_csComm.Unlock();
    return true;
}

class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override { ResetState(); }
    void TearDown() override
    {
        tx.Release();
        worker.StopWorker(TRUE);
        ResetState();
    }
    static void ResetState()
    {
        g_nLinkType = 0;
        g_bUsbOpen = 0;
        g_bNetOpen = 0;
        g_bUpdateDone = 0;
        g_bNeedFirmware = 0;
        g_bAbortingUpdate = 0;
    }

    FakeTransactions tx;
    CCommWorker worker{tx};
};

TEST_F(WorkerTest, EachCaseRunsTheTransactionOfItsLink)
{
    struct Case {
        const char* name;
        BOOL firmware;
        int linkType;
        int usbOpen, netOpen;
        int usb, net, usbHex, netHex;  // 1: ran, 0: never ran
    };
    const Case cases[] = {
        {"send, USB", FALSE, 1, 1, 0, 1, 0, 0, 0},
        {"send, USB flag down: the USB loop looks itself", FALSE, 1, 0, 0, 1, 0, 0, 0},
        {"send, network up", FALSE, 2, 0, 1, 0, 1, 0, 0},
        {"send, network down", FALSE, 2, 1, 0, 0, 0, 0, 0},
        {"send, no link", FALSE, 0, 1, 1, 0, 0, 0, 0},
        {"send, serial", FALSE, 3, 1, 1, 0, 0, 0, 0},
        {"firmware, USB up", TRUE, 1, 1, 0, 0, 0, 1, 0},
        {"firmware, USB down", TRUE, 1, 0, 1, 0, 0, 0, 0},
        {"firmware, network up", TRUE, 2, 0, 1, 0, 0, 0, 1},
        {"firmware, network down", TRUE, 2, 1, 0, 0, 0, 0, 0},
        {"firmware, no link", TRUE, 0, 1, 1, 0, 0, 0, 0},
    };
    CFakeClock clock;  // every pass sleeps at least 5 ms on it: its time counts the passes
    ClockGuard installed(&clock);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTransactions fake;
        CCommWorker w(fake);
        g_nLinkType = c.linkType;
        g_bUsbOpen = c.usbOpen;
        g_bNetOpen = c.netOpen;
        const int64_t start = clock.NowUs();
        ASSERT_TRUE(w.StartWorker(c.firmware));

        // Twenty passes of the slowest kind (a 50 ms idle pause and the 5 ms pause).
        const bool ran = WaitUntil([&] {
            return fake.usb + fake.net + fake.usbHex + fake.netHex >= 20 || clock.NowUs() - start >= 20 * 55000;
        });
        ASSERT_TRUE(ran);
        ASSERT_TRUE(w.StopWorker(TRUE));

        EXPECT_EQ(fake.usb > 0, c.usb == 1);
        EXPECT_EQ(fake.net > 0, c.net == 1);
        EXPECT_EQ(fake.usbHex > 0, c.usbHex == 1);
        EXPECT_EQ(fake.netHex > 0, c.netHex == 1);
    }
}

TEST_F(WorkerTest, SendEventRepeatsExchangesTcpOnesUnderTheLock)
{
    // A TCP exchange runs under the worker's g_csComm; a USB one takes the lock itself around
    // all but its wait for the reply, so the worker does not hold it there.
    struct Case {
        int linkType;
        bool workerHoldsLock;
    };
    for (const Case& c : {Case{2, true}, Case{1, false}}) {
        SCOPED_TRACE(c.linkType);
        g_nLinkType = c.linkType;
        g_bNetOpen = c.linkType == 2 ? 1 : 0;
        std::atomic<int>& count = c.linkType == 2 ? tx.net : tx.usb;
        const int before = count;
        tx.HoldNext();
        ASSERT_TRUE(worker.StartWorker(FALSE));
        ASSERT_TRUE(tx.WaitInside());
        EXPECT_EQ(!TryTakeLock(), c.workerHoldsLock);

        tx.Release();
        EXPECT_TRUE(WaitUntil([&] { return count >= before + 5; }))
            << "the send event stays set: exchange follows exchange";
        EXPECT_TRUE(WaitUntil(TryTakeLock)) << "the lock is free between two exchanges";
        EXPECT_TRUE(g_hCommEvents[COMM_EVENT_SEND].IsSet());
        EXPECT_EQ(tx.usbHex, 0);
        EXPECT_TRUE(worker.StopWorker(TRUE));
    }
}

TEST_F(WorkerTest, FirmwareExchangesRunWithoutTheLockUntilTheUpdateIsDone)
{
    g_nLinkType = 1;
    g_bUsbOpen = 1;
    tx.HoldNext();
    ASSERT_TRUE(worker.StartWorker(TRUE));
    ASSERT_TRUE(tx.WaitInside());
    EXPECT_TRUE(TryTakeLock()) << "firmware exchanges take no lock";

    tx.Release();
    ASSERT_TRUE(WaitUntil([&] { return tx.usbHex >= 3; }));
    g_bUpdateDone = 1;
    EXPECT_TRUE(WaitUntil([] { return !g_hCommEvents[COMM_EVENT_FIRMWARE].IsSet(); }));
    const int done = tx.usbHex;
    EXPECT_EQ(worker.IsThreadRunning(), 1);
    EXPECT_TRUE(worker.StopWorker(TRUE));
    EXPECT_EQ(tx.usbHex, done) << "no firmware exchange after the end step";
    EXPECT_EQ(tx.usb, 0);
}

TEST_F(WorkerTest, BlockedSendCaseGoesIdle)
{
    struct Case {
        const char* name;
        std::atomic<int>* flag;
    };
    const Case cases[] = {{"device needs firmware", &g_bNeedFirmware}, {"update being abandoned", &g_bAbortingUpdate}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_nLinkType = 1;
        *c.flag = 1;
        ASSERT_TRUE(worker.StartWorker(FALSE));
        EXPECT_TRUE(WaitUntil([] { return !g_hCommEvents[COMM_EVENT_SEND].IsSet(); }));
        EXPECT_TRUE(worker.StopWorker(TRUE));
        EXPECT_EQ(tx.usb, 0);
        EXPECT_EQ(worker.GetExitCode(), COMM_EXIT_CODE);
        *c.flag = 0;
    }
}

TEST_F(WorkerTest, CreatedSuspendedWorkerRunsOnlyOnceResumed)
{
    g_nLinkType = 1;
    ASSERT_TRUE(worker.CreateCommThread());
    EXPECT_TRUE(worker.HasThread());
    EXPECT_EQ(worker.IsThreadRunning(), 1);
    EXPECT_EQ(worker.IsThreadAwake(), 0);
    g_hCommEvents[COMM_EVENT_SEND].SetEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(tx.usb, 0) << "a suspended worker runs nothing";

    worker.ResumeCommThread();
    EXPECT_TRUE(WaitUntil([&] { return tx.usb > 0; }));
    EXPECT_EQ(worker.IsThreadAwake(), 1);
    EXPECT_FALSE(worker.StartWorker(FALSE)) << "a running worker is kept as it is";
}

TEST_F(WorkerTest, SuspendEventHoldsTheWorkerUntilResumed)
{
    g_nLinkType = 1;
    ASSERT_TRUE(worker.StartWorker(FALSE));
    ASSERT_TRUE(WaitUntil([&] { return tx.usb > 0; }));

    g_hCommEvents[COMM_EVENT_SUSPEND].SetEvent();
    ASSERT_TRUE(WaitUntil([&] { return worker.IsThreadAwake() == 0; }));
    const int held = tx.usb;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(tx.usb, held);

    g_hCommEvents[COMM_EVENT_SUSPEND].ResetEvent();
    worker.ResumeCommThread();
    EXPECT_TRUE(WaitUntil([&] { return tx.usb > held; }));
    EXPECT_EQ(worker.IsThreadRunning(), 1);
}

}  // namespace
