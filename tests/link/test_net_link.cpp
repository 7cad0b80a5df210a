// The TCP transport against the emulated processor on 127.0.0.1: connecting, one request and
// its reply per transaction, the reply handed to the engine in pieces, retries and the reported
// link loss, a connection closed by the device, the Wi-Fi factory default, and reconnection
// through the watchdog once the device is back.
#include "test_net_kit.h"

#include "CKTVCommand.h"
#include "Clock.h"
#include "CommWorker.h"
#include "DeviceEmulator.h"
#include "EmuTcpServer.h"
#include "LinkGlobals.h"
#include "LinkState.h"
#include "SceneImage.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

using namespace netkit;

namespace {

using Bytes = std::vector<BYTE>;

// The emulator's answer to the state poll with an all-zero state record (check byte worked
// out by hand).
const Bytes kPollReplyZero = [] {
    Bytes b = {0x91, 0x91, 0x91, 0xEE, 0x53, 0x01, 0x00, 0x09, 0x03, 0x00, 0x00, 0x00, 0x1E, 0x00};
    b.insert(b.end(), 30, 0x00);
    b.push_back(0x46);
    b.push_back(0xAA);
    return b;
}();

// The program clock of these tests: stands still until a sleep moves it, and can ask the comm
// worker to stop once a given time has been slept (a user who disconnects meanwhile).
class CTestClock : public IClock {
public:
    int64_t NowUs() override { return m_nowUs.load(); }
    void SleepMs(int ms) override
    {
        const int64_t now = m_nowUs += int64_t(ms) * 1000;
        if (m_stopAtUs.load() && now >= m_stopAtUs.load())
            g_hCommEvents[COMM_EVENT_QUIT].SetEvent();
    }
    void StopWorkerAfter(int ms) { m_stopAtUs = m_nowUs.load() + int64_t(ms) * 1000; }

private:
    std::atomic<int64_t> m_nowUs{1000000};
    std::atomic<int64_t> m_stopAtUs{0};
};

Bytes FrameOf(const CSendData& request)
{
    return Bytes(request.GetData(), request.GetData() + request.GetLength());
}

class NetLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::Set(&m_clock);
        m_emu = std::make_unique<CDeviceEmulator>();
        m_server = std::make_unique<CEmuTcpServer>(*m_emu);
        ASSERT_TRUE(m_server->Start(0));
        m_nPort = m_server->GetPort();
        UseLoopbackDevice(m_nPort);
        m_command.SetNotifyWnd(kView);
        m_net = std::make_unique<CNet_Socket>(&m_reach);
        m_net->SetCommand(&m_command);
        m_view.Attach(*m_net);
        m_net->SetNotifyWnd(kView);
        g_bHandshake = 0;
        g_nSendRetry = 0;
        g_bNetOpen = 1;
    }
    void TearDown() override
    {
        m_net.reset();
        m_server->Stop();
        m_server.reset();
        m_emu.reset();
        m_command.RemoveAllSendData();
        g_hCommEvents[COMM_EVENT_QUIT].ResetEvent();
        g_bNetOpen = 0;
        Clock::Set(nullptr);
    }

    // The view's ConnectNet once the watchdog found the device.
    bool Open()
    {
        m_net->m_bReachable = 1;
        const int accepted = m_server->GetAcceptCount();
        return m_net->Connect() && m_server->WaitForAcceptCount(accepted + 1, kWaitMs);
    }
    // One pass of the comm worker's send case: the exchange under the lock, its waits after.
    void Transact()
    {
        {
            CSingleLock lock(g_csComm);
            m_net->NetTransact();
        }
        m_net->FinishTransact();
    }
    // Passes while the link is up, at most limit; returns the number run.
    int TransactUntilLost(int limit)
    {
        int passes = 0;
        while (g_bNetOpen.load() && passes < limit) {
            Transact();
            ++passes;
        }
        return passes;
    }
    Bytes QueuePoll()
    {
        std::unique_ptr<CSendData> poll = BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
        Bytes frame = FrameOf(*poll);
        m_command.AddSendData(std::move(poll));
        return frame;
    }
    int64_t ElapsedMs(int64_t sinceUs) { return (m_clock.NowUs() - sinceUs) / 1000; }

    CTestClock m_clock;
    CRecordingSink m_sink;
    FakeReachability m_reach;
    FakeView m_view;
    CKTVCommand m_command;
    std::unique_ptr<CDeviceEmulator> m_emu;
    std::unique_ptr<CEmuTcpServer> m_server;
    std::unique_ptr<CNet_Socket> m_net;
    int m_nPort = 0;
};

}  // namespace

TEST_F(NetLinkTest, RequestGoesOutWholeAndItsReplyReachesTheEngine)
{
    Bytes state(DEVICE_INFO_COUNT);
    for (int i = 0; i < DEVICE_INFO_COUNT; ++i)
        state[size_t(i)] = BYTE(3 * i + 1);
    ASSERT_TRUE(m_emu->SetStateInfo(state));
    ASSERT_TRUE(Open());

    const Bytes frame = QueuePoll();
    Transact();

    EXPECT_EQ(m_emu->GetRequestLog(), std::vector<Bytes>{frame});
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(PostedToView(m_sink), (std::vector<Posted>{{WM_INPUT_TYPE_RECEIVED, 0, DEVICE_INFO_COUNT}}));
    for (int i = 0; i < DEVICE_INFO_COUNT; ++i)
        EXPECT_EQ(g_nDeviceInfo[i], state[size_t(i)]) << "entry " << i;
    EXPECT_EQ(m_view.scans, 0);
}

// With the queue empty a pass only queues the scanner's next request; the next pass sends it.
TEST_F(NetLinkTest, IdlePassQueuesTheScannersRequest)
{
    ASSERT_TRUE(Open());
    Transact();
    EXPECT_EQ(m_view.scans, 1);
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
    EXPECT_EQ(m_emu->GetRequestCount(), 0u);

    Transact();
    EXPECT_EQ(m_emu->GetRequestCount(), 1u);
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_view.scans, 1);
}

// Firmware items belong to the firmware sender: the ordinary pass leaves them alone.
TEST_F(NetLinkTest, FirmwareItemIsNotSent)
{
    ASSERT_TRUE(Open());
    std::unique_ptr<CSendData> step = BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
    step->SetCommand(0x38);
    m_command.AddSendData(std::move(step));
    Transact();
    EXPECT_EQ(m_emu->GetRequestCount(), 0u);
    EXPECT_EQ(m_command.GetCurSendData()->GetRetry(), 0);
    EXPECT_TRUE(PostedToView(m_sink).empty());
}

TEST_F(NetLinkTest, ReplyInTwoPiecesIsAssembled)
{
    ASSERT_TRUE(Open());
    m_emu->ReplaceNextReply({});  // the device keeps quiet; the test answers by hand
    QueuePoll();
    std::thread worker([this] { Transact(); });
    ASSERT_TRUE(m_emu->WaitForRequests(1, kWaitMs));
    m_emu->InjectRaw(Bytes(kPollReplyZero.begin(), kPollReplyZero.begin() + 7));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let the first piece be read alone
    m_emu->InjectRaw(Bytes(kPollReplyZero.begin() + 7, kPollReplyZero.end()));
    worker.join();

    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(PostedToView(m_sink), (std::vector<Posted>{{WM_INPUT_TYPE_RECEIVED, 0, DEVICE_INFO_COUNT}}));
    EXPECT_EQ(m_server->GetAcceptCount(), 1);
}

TEST_F(NetLinkTest, ConnectNeedsAReachableDeviceThatAnswersAPing)
{
    struct Case {
        const char* name;
        int reachable;
        int answers;
        int pings;
        BOOL connects;
    } const cases[] = {
        {"watchdog has not found the device", 0, 1, 0, FALSE},
        {"device stopped answering pings", 1, 0, 1, FALSE},
        {"reachable and answering", 1, 1, 1, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_net->m_bReachable = c.reachable;
        m_reach.answers = c.answers;
        const int pings = m_reach.PingCalls();
        EXPECT_EQ(m_net->Connect(), c.connects);
        EXPECT_EQ(m_net->IsOpen(), bool(c.connects));
        EXPECT_EQ(m_reach.PingCalls() - pings, c.pings);
    }
    EXPECT_TRUE(m_server->WaitForAcceptCount(1, kWaitMs));

    // Nobody listens any more: refused, and no socket is left behind.
    m_server->Stop();
    EXPECT_FALSE(m_net->Connect());
    EXPECT_FALSE(m_net->IsOpen());
}

TEST_F(NetLinkTest, RecvReportsTimeOutCloseAndNoSocket)
{
    ASSERT_TRUE(Open());
    ASSERT_TRUE(m_net->SetRecvTimeout(100));
    int count = 0;
    EXPECT_EQ(m_net->Recv(&count), NET_ERR_TIMEDOUT);
    EXPECT_EQ(count, -1);

    m_server->CloseClient();
    ASSERT_TRUE(m_server->WaitForClosedCount(1, kWaitMs));
    EXPECT_EQ(m_net->Recv(&count), 0);
    EXPECT_EQ(count, 0);

    m_net->Close();
    EXPECT_EQ(m_net->Recv(&count), 0);
    EXPECT_EQ(count, -1);
    EXPECT_FALSE(m_net->Send(kPollReplyZero.data(), int(kPollReplyZero.size()), 0));
}

// The request is sent on two attempts, each followed by a receive time-out and a reconnect;
// the third attempt gives the link up.
TEST_F(NetLinkTest, UnansweredRequestIsRetriedThenTheLinkIsLost)
{
    ASSERT_TRUE(Open());
    m_emu->DropReplies(100);
    const Bytes frame = QueuePoll();

    EXPECT_EQ(TransactUntilLost(10), 3);

    EXPECT_EQ(m_emu->GetRequestLog(), (std::vector<Bytes>{frame, frame}));
    EXPECT_TRUE(m_server->WaitForAcceptCount(3, kWaitMs));
    EXPECT_EQ(PostedToView(m_sink), (std::vector<Posted>{{WM_LINK_LOST, 0, 0}}));
    EXPECT_EQ(g_bNetOpen.load(), 0);
    EXPECT_EQ(m_net->m_bReachable.load(), 0);
    ASSERT_EQ(m_command.GetSendDataCount(), 1);
    EXPECT_EQ(m_command.GetCurSendData()->GetRetry(), 3);
}

// A reply cut off before its end: the time-out reconnects, and the whole reply to the second
// attempt is taken without the stale piece of the first.
TEST_F(NetLinkTest, ReplyCutOffIsForgottenOnReconnect)
{
    ASSERT_TRUE(Open());
    m_emu->ReplaceNextReply(Bytes(kPollReplyZero.begin(), kPollReplyZero.begin() + 20));
    const Bytes frame = QueuePoll();
    Transact();
    ASSERT_TRUE(m_server->WaitForAcceptCount(2, kWaitMs));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);

    Transact();
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_emu->GetRequestLog(), (std::vector<Bytes>{frame, frame}));
    EXPECT_EQ(PostedToView(m_sink), (std::vector<Posted>{{WM_INPUT_TYPE_RECEIVED, 0, DEVICE_INFO_COUNT}}));
}

// The device closes the connection while a request waits: after 4 s without a reply the link
// reconnects when this machine is still on the device's subnet, reports the device gone
// (lParam 2) when it is not, and leaves everything to the view when the view has unlinked.
TEST_F(NetLinkTest, ConnectionClosedByTheDevice)
{
    struct Case {
        const char* name;
        int onSubnet;
        BOOL linked;
        std::vector<Posted> posted;
        bool reconnects;
    } const cases[] = {
        {"still on the subnet", 1, TRUE, {}, true},
        {"device left the network", 0, TRUE, {{WM_LINK_LOST, 0, 2}}, false},
        {"view already unlinked", 1, FALSE, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bNetOpen = 1;
        m_command.RemoveAllSendData();
        m_emu->ClearRequestLog();
        const int accepted = m_server->GetAcceptCount();
        const int closed = m_server->GetClosedCount();
        ASSERT_TRUE(Open());
        m_server->CloseClient();
        ASSERT_TRUE(m_server->WaitForClosedCount(closed + 1, kWaitMs));
        m_reach.onSubnet = c.onSubnet;
        m_view.linked = c.linked;
        const size_t posts = PostedToView(m_sink).size();

        QueuePoll();
        const int64_t start = m_clock.NowUs();
        Transact();

        const std::vector<Posted> all = PostedToView(m_sink);
        EXPECT_EQ(std::vector<Posted>(all.begin() + long(posts), all.end()), c.posted);
        EXPECT_GE(ElapsedMs(start), 4000);
        EXPECT_EQ(g_bNetOpen.load(), c.posted.empty() ? 1 : 0);
        if (c.reconnects) {
            ASSERT_TRUE(m_server->WaitForAcceptCount(accepted + 2, kWaitMs));
            Transact();  // the same request again, on the new connection
            EXPECT_EQ(m_command.GetSendDataCount(), 0);
            EXPECT_EQ(m_emu->GetRequestCount(), 1u);
        } else {
            EXPECT_EQ(m_server->GetAcceptCount(), accepted + 1);
            EXPECT_EQ(m_command.GetSendDataCount(), 1);
        }
    }
}

// The device is gone altogether: reconnects are refused and the third attempt reports it.
TEST_F(NetLinkTest, DeviceGoneIsReportedAtTheThirdAttempt)
{
    ASSERT_TRUE(Open());
    m_server->Stop();
    QueuePoll();
    EXPECT_EQ(TransactUntilLost(10), 3);
    EXPECT_EQ(PostedToView(m_sink), (std::vector<Posted>{{WM_LINK_LOST, 0, 0}}));
    EXPECT_FALSE(m_net->IsOpen());
}

// The Wi-Fi factory default cannot be answered: the result is reported after the module's
// restart time, and the request is not sent a second time.
TEST_F(NetLinkTest, WifiFactoryDefaultIsReportedWithoutAReply)
{
    ASSERT_TRUE(Open());
    std::unique_ptr<CSendData> reset = BuildCommand(SYS_WIFI_DEFAULT, 0);
    ASSERT_TRUE(reset);
    reset->SetNotify(TRUE);
    const Bytes frame = FrameOf(*reset);
    m_command.AddSendData(std::move(reset));

    const int64_t start = m_clock.NowUs();
    Transact();
    EXPECT_GE(ElapsedMs(start), 34000);
    EXPECT_EQ(PostedToView(m_sink), (std::vector<Posted>{{WM_WIFI_OP_RESULT, 0, 0}}));
    EXPECT_EQ(m_view.busyCleared, 1);
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    ASSERT_TRUE(m_emu->WaitForRequests(1, kWaitMs));
    EXPECT_EQ(m_emu->GetRequestLog(), std::vector<Bytes>{frame});

    Transact();
    EXPECT_EQ(m_view.scans, 1);
    EXPECT_EQ(m_emu->GetRequestCount(), 1u);
}

// A stop of the worker during that wait ends it soon; the closing link says the rest.
TEST_F(NetLinkTest, StopEndsTheWifiWait)
{
    ASSERT_TRUE(Open());
    std::unique_ptr<CSendData> reset = BuildCommand(SYS_WIFI_DEFAULT, 0);
    ASSERT_TRUE(reset);
    reset->SetNotify(TRUE);
    m_command.AddSendData(std::move(reset));

    const int64_t start = m_clock.NowUs();
    m_clock.StopWorkerAfter(5000);
    Transact();
    EXPECT_LT(ElapsedMs(start), 5000 + CNet_Socket::PAUSE_SLICE_MS + 1);
    EXPECT_TRUE(PostedToView(m_sink).empty());
    EXPECT_EQ(m_view.busyCleared, 0);
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
}

namespace {

// A program clock whose pauses in slices of PAUSE_SLICE_MS (the transaction's own waits) block
// until Release, so a test can act while the comm worker sits inside such a wait.
class CHeldClock : public IClock {
public:
    int64_t NowUs() override { return m_nowUs.load(); }
    void SleepMs(int ms) override
    {
        m_nowUs += int64_t(ms) * 1000;
        if (ms != CNet_Socket::PAUSE_SLICE_MS)
            return;
        std::unique_lock<std::mutex> lk(m_mutex);
        m_bHeld = true;
        m_cv.notify_all();
        m_cv.wait(lk, [this] { return m_bReleased; });
        m_bHeld = false;
    }
    bool WaitUntilHeld()
    {
        std::unique_lock<std::mutex> lk(m_mutex);
        return m_cv.wait_for(lk, std::chrono::milliseconds(kWaitMs), [this] { return m_bHeld; });
    }
    bool IsHeld()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_bHeld;
    }
    void Release()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_bReleased = true;
        m_cv.notify_all();
    }

private:
    std::atomic<int64_t> m_nowUs{1000000};
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bHeld = false;
    bool m_bReleased = false;
};

// The comm worker's view of the network transport alone.
class NetOnlyTransactions : public ICommTransactions {
public:
    explicit NetOnlyTransactions(CNet_Socket& net) : m_net(net) {}
    void UsbTransact() override {}
    void NetTransact() override { m_net.NetTransact(); }
    void UsbTransactHex() override {}
    void NetTransactHex() override {}
    void FinishTransact() override { m_net.FinishTransact(); }

private:
    CNet_Socket& m_net;
};

}  // namespace

// While the real comm worker waits out the Wi-Fi module's restart, the window can take the
// lock and queue a request: the wait does not hold g_csComm.
TEST_F(NetLinkTest, SendFromTheWindowDoesNotWaitForTheWifiRestart)
{
    ASSERT_TRUE(Open());
    CHeldClock held;
    Clock::Set(&held);
    std::unique_ptr<CSendData> reset = BuildCommand(SYS_WIFI_DEFAULT, 0);
    ASSERT_TRUE(reset);
    reset->SetNotify(TRUE);
    m_command.AddSendData(std::move(reset));

    NetOnlyTransactions tx(*m_net);
    CCommWorker worker(tx);
    g_nLinkType = 2;
    worker.StartWorker(FALSE);
    ASSERT_TRUE(held.WaitUntilHeld());

    // The worker is inside the wait now, and stays there until released.
    const bool locked = g_csComm.TryLock();
    EXPECT_TRUE(locked) << "the worker holds g_csComm through its wait";
    if (locked) {
        QueuePoll();
        g_csComm.Unlock();
    }
    EXPECT_TRUE(held.IsHeld());
    EXPECT_EQ(m_command.GetSendDataCount(), locked ? 1 : 0);

    g_hCommEvents[COMM_EVENT_QUIT].SetEvent();
    held.Release();
    worker.StopWorker(TRUE);
    g_nLinkType = 0;
    Clock::Set(&m_clock);
    EXPECT_TRUE(PostedToView(m_sink).empty()) << "the stop ended the wait before its result";
}

// After a loss the watchdog (started again by the view) pings until the device is back, asks
// the view to connect once, and the link carries requests again.
TEST_F(NetLinkTest, WatchdogBringsTheLinkBackAfterALoss)
{
    ASSERT_TRUE(Open());
    m_server->Stop();
    m_reach.answers = 0;
    QueuePoll();
    ASSERT_EQ(TransactUntilLost(10), 3);
    ASSERT_EQ(m_sink.CountPosted(WM_LINK_LOST), 1);

    // The view's OnLinkLost: worker stopped (the watchdog starts), link closed, queue emptied.
    m_net->StartPingThread();
    m_net->Close();
    m_command.RemoveAllSendData();
    const int pings = m_reach.PingCalls();
    ASSERT_TRUE(m_reach.WaitForPingCalls(pings + 2));
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 0);

    // The device returns on the same port.
    ASSERT_TRUE(m_server->Start(m_nPort));
    m_reach.answers = 1;
    ASSERT_TRUE(m_sink.WaitForPosted(WM_NET_REACHABLE, 1, kWaitMs));

    // The view's OnNetReachable: connect, stop the watchdog's tick, run the link.
    ASSERT_TRUE(m_net->Connect());
    m_net->StopPingThread(TRUE);
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 1);
    g_bNetOpen = 1;
    const Bytes frame = QueuePoll();
    Transact();
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_emu->GetRequestLog().back(), frame);
}
