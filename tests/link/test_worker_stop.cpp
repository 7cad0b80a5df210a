// Ending the comm worker: the quit event, a stop of a suspended worker, and a stop while a USB
// transaction waits for a reply that will not come.
#include "AppMessages.h"
#include "CommWorker.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkKitWait.h"
#include "UsbTestBench.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class IdleTransactions : public ICommTransactions {
public:
    void UsbTransact() override { ++calls; }
    void NetTransact() override { ++calls; }
    void UsbTransactHex() override { ++calls; }
    void NetTransactHex() override { ++calls; }
    std::atomic<int> calls{0};
};

// The view's side for a test: USB exchanges go to the bench's link.
class UsbTransactions : public IdleTransactions {
public:
    explicit UsbTransactions(CUsbLink& link) : m_link(link) {}
    void UsbTransact() override { m_link.UsbTransact(); }

private:
    CUsbLink& m_link;
};

bool NoEventSet()
{
    for (CEvent& ev : g_hCommEvents)
        if (ev.IsSet())
            return false;
    return true;
}

void ExpectStoppedForGood(const CCommWorker& worker)
{
    EXPECT_FALSE(worker.HasThread());
    EXPECT_EQ(worker.GetExitCode(), COMM_EXIT_CODE);
    EXPECT_EQ(worker.IsThreadRunning(), 0);
    EXPECT_EQ(worker.IsThreadAwake(), 1);
    EXPECT_TRUE(NoEventSet());
}

class WorkerStopTest : public ::testing::Test {
protected:
    void SetUp() override { g_nLinkType = 1; }
    void TearDown() override { g_nLinkType = 0; }

    IdleTransactions tx;
    CCommWorker worker{tx};
};

TEST_F(WorkerStopTest, QuitEndsTheWorkerWithItsExitCode)
{
    ASSERT_TRUE(worker.StartWorker(FALSE));
    ASSERT_TRUE(WaitUntil([&] { return tx.calls > 0; }));

    EXPECT_TRUE(worker.StopWorker(TRUE));
    ExpectStoppedForGood(worker);

    // A new start makes a new worker.
    ASSERT_TRUE(worker.StartWorker(FALSE));
    EXPECT_TRUE(WaitUntil([&] { return tx.calls > 1; }));
    EXPECT_FALSE(worker.StopWorker(FALSE)) << "the shut-down stop reports 0";
    EXPECT_FALSE(worker.HasThread()) << "and still joins the thread";
    EXPECT_TRUE(worker.StopWorker(TRUE)) << "a stop without a worker only cleans up";
    EXPECT_TRUE(NoEventSet());
}

TEST_F(WorkerStopTest, StopWithoutResumeEndsACreatedWorker)
{
    ASSERT_TRUE(worker.CreateCommThread());
    EXPECT_TRUE(worker.StopWorker(TRUE));
    ExpectStoppedForGood(worker);
    EXPECT_EQ(tx.calls, 0);
}

TEST_F(WorkerStopTest, StopEndsAWorkerThatSuspendedItself)
{
    // The suspend event stays set while the worker sleeps; the stop must win over it however
    // the two threads interleave, so it is tried many times.
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(worker.StartWorker(FALSE));
        g_hCommEvents[COMM_EVENT_SUSPEND].SetEvent();
        if (round % 2 == 0) {
            ASSERT_TRUE(WaitUntil([&] { return worker.IsThreadAwake() == 0; }));
        }
        EXPECT_TRUE(worker.StopWorker(TRUE));
        ExpectStoppedForGood(worker);
    }
}

TEST(WorkerStopUsb, StopEndsAWaitingTransactionWithoutReportingALostLink)
{
    CUsbTestBench bench(false);  // real clock: the request waits for real
    ASSERT_TRUE(bench.link->ConnectUsb());
    bench.emu.DropReplies(1);
    std::unique_ptr<CSendData> request = BuildBlockPacket(4, 0, 31);
    request->SetNotify(TRUE);  // its reply may take 50 s
    bench.Queue(std::move(request));
    UsbTransactions tx(*bench.link);
    CCommWorker worker(tx);

    ASSERT_TRUE(worker.StartWorker(FALSE));
    ASSERT_TRUE(bench.emu.WaitForRequests(1, 10000));
    EXPECT_TRUE(worker.StopWorker(TRUE));

    ExpectStoppedForGood(worker);
    EXPECT_EQ(bench.sink.CountPosted(WM_LINK_LOST), 0) << "the wait was cut short, not timed out";
    ASSERT_EQ(bench.command.GetSendDataCount(), 1);
    EXPECT_EQ(bench.command.GetCurSendData()->GetPos(), 0) << "sent again in full on the next link";
    EXPECT_EQ(bench.emu.GetRequestCount(), 1u);
}

TEST(WorkerStopUsb, WindowQueuesWhileTheWorkerWaitsForALongReply)
{
    CUsbTestBench bench(false);  // real clock: the request waits for real
    ASSERT_TRUE(bench.link->ConnectUsb());
    bench.emu.DropReplies(1);
    std::unique_ptr<CSendData> request = BuildBlockPacket(4, 0, 31);
    request->SetNotify(TRUE);  // a Wi-Fi default over USB: its reply may take 50 s
    bench.Queue(std::move(request));
    UsbTransactions tx(*bench.link);
    CCommWorker worker(tx);

    ASSERT_TRUE(worker.StartWorker(FALSE));
    ASSERT_TRUE(bench.emu.WaitForRequests(1, 10000));
    ASSERT_TRUE(WaitUntil([&] { return bench.emu.GetWaitingReaders() > 0; }));
    // The worker is inside its wait for the reply: the window's lock and append go through.
    const bool locked = g_csComm.TryLock();
    EXPECT_TRUE(locked) << "the worker holds g_csComm through its wait for the reply";
    if (locked) {
        bench.command.AddSendData(BuildBlockPacket(4, 1, 31));
        g_csComm.Unlock();
    }
    EXPECT_EQ(bench.emu.GetRequestCount(), 1u) << "still waiting for the first reply";
    EXPECT_TRUE(worker.StopWorker(TRUE));
    ExpectStoppedForGood(worker);
    EXPECT_EQ(bench.command.GetSendDataCount(), locked ? 2 : 1);
}

}  // namespace
