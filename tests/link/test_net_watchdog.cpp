// The network watchdog: one step of the reachability check on a fake clock, and the watchdog
// thread with a fake reachability: the change to reachable is reported once, stopping keeps or
// ends the thread.
#include "test_net_kit.h"

#include "Clock.h"
#include "LinkGlobals.h"

#include <memory>

using namespace netkit;

namespace {

class NetWatchdogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseLoopbackDevice(9);  // nothing listens there; the watchdog never connects
        Clock::Set(&m_clock);
        g_bUpdateDone = 0;
        m_net = std::make_unique<CNet_Socket>(&m_reach);
        m_net->SetNotifyWnd(kView);
    }
    void TearDown() override
    {
        m_net.reset();
        Clock::Set(nullptr);
        g_bUpdateDone = 0;
    }

    int64_t ElapsedMs(int64_t sinceUs) { return (m_clock.NowUs() - sinceUs) / 1000; }

    CFakeClock m_clock;
    CRecordingSink m_sink;
    FakeReachability m_reach;
    std::unique_ptr<CNet_Socket> m_net;
};

struct StepCase {
    const char* name;
    int onSubnet;
    int answers;
    int reachableBefore;
    int updateDone;
    int pings;          // pings the step makes
    int posts;          // WM_NET_REACHABLE posted
    int reachableAfter;
    int64_t stepMs;     // program-clock time the step takes
};

const StepCase kStepCases[] = {
    {"device appears", 1, 1, 0, 0, 1, 1, 1, 1000},
    {"device silent", 1, 0, 0, 0, 1, 0, 0, 1000},
    {"stays reachable, no ping", 1, 1, 1, 0, 0, 0, 1, 1000},
    {"subnet gone", 0, 1, 1, 0, 0, 0, 0, 1000},
    {"off subnet", 0, 1, 0, 0, 0, 0, 0, 1000},
    {"after a firmware update the device settles first", 1, 1, 0, 1, 1, 1, 1, 6000},
};

}  // namespace

TEST_F(NetWatchdogTest, OneStep)
{
    for (const StepCase& c : kStepCases) {
        SCOPED_TRACE(c.name);
        m_reach.onSubnet = c.onSubnet;
        m_reach.answers = c.answers;
        m_net->m_bReachable = c.reachableBefore;
        g_bUpdateDone = c.updateDone;
        const int pings = m_reach.PingCalls();
        const int posts = m_sink.CountPosted(WM_NET_REACHABLE);
        const int64_t start = m_clock.NowUs();

        const std::atomic<int> enabled{1};
        EXPECT_EQ(m_net->CheckLink(&enabled), c.reachableAfter);

        EXPECT_EQ(m_reach.PingCalls() - pings, c.pings);
        EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE) - posts, c.posts);
        EXPECT_EQ(m_net->m_bReachable.load(), c.reachableAfter);
        EXPECT_EQ(ElapsedMs(start), c.stepMs);
        if (c.posts) {
            EXPECT_EQ(g_bUpdateDone.load(), 0);
        }
    }
    for (const Posted& p : PostedToView(m_sink))
        EXPECT_EQ(p, (Posted{WM_NET_REACHABLE, 0, 0}));
}

// A step of a stopped watchdog neither pings, stores nor pauses.
TEST_F(NetWatchdogTest, StepOfAStoppedWatchdogDoesNothing)
{
    const std::atomic<int> disabled{0};
    const int64_t start = m_clock.NowUs();
    EXPECT_EQ(m_net->CheckLink(&disabled), 0);
    EXPECT_EQ(m_reach.PingCalls(), 0);
    EXPECT_EQ(m_net->m_bReachable.load(), 0);
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 0);
    EXPECT_EQ(ElapsedMs(start), 0);

    m_reach.onSubnet = 0;
    m_net->m_bReachable = 1;
    m_net->CheckLink(&disabled);
    EXPECT_EQ(m_net->m_bReachable.load(), 1);
}

// The view connects on WM_NET_REACHABLE; the flag its connect checks is set by then.
TEST_F(NetWatchdogTest, ReachableIsStoredBeforeTheNoticeGoesOut)
{
    class CheckingSink : public CRecordingSink {
    public:
        explicit CheckingSink(CNet_Socket& net) : m_net(net) {}
        bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override
        {
            if (msg == WM_NET_REACHABLE)
                reachableWhenPosted = m_net.m_bReachable.load();
            return CRecordingSink::Post(hWnd, msg, wParam, lParam);
        }
        int reachableWhenPosted = -1;

    private:
        CNet_Socket& m_net;
    } sink(*m_net);
    const std::atomic<int> enabled{1};
    m_net->CheckLink(&enabled);
    EXPECT_EQ(sink.reachableWhenPosted, 1);
}

TEST_F(NetWatchdogTest, ReportsTheChangeToReachableOnce)
{
    m_net->StartPingThread();
    ASSERT_TRUE(m_sink.WaitForPosted(WM_NET_REACHABLE, 1, kWaitMs));
    EXPECT_EQ(m_net->m_bReachable.load(), 1);

    // Three more steps while the device stays reachable: no ping, no notice.
    const int steps = m_reach.SubnetCalls();
    ASSERT_TRUE(m_reach.WaitForSubnetCalls(steps + 3));
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 1);
    EXPECT_EQ(m_reach.PingCalls(), 1);

    // The machine leaves the subnet: not reachable (seen once the next step has begun).
    m_reach.onSubnet = 0;
    ASSERT_TRUE(m_reach.WaitForSubnetCalls(m_reach.SubnetCalls() + 2));
    EXPECT_EQ(m_net->m_bReachable.load(), 0);
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 1);

    // Back on the subnet: one ping, one more notice.
    m_reach.onSubnet = 1;
    ASSERT_TRUE(m_sink.WaitForPosted(WM_NET_REACHABLE, 2, kWaitMs));
    ASSERT_TRUE(m_reach.WaitForSubnetCalls(m_reach.SubnetCalls() + 2));
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 2);
    EXPECT_EQ(m_reach.PingCalls(), 2);
    m_net->StopPingThread(TRUE);
}

TEST_F(NetWatchdogTest, SilentDeviceIsPingedEveryStep)
{
    m_reach.answers = 0;
    m_net->StartPingThread();
    ASSERT_TRUE(m_reach.WaitForSubnetCalls(4));
    m_net->StopPingThread(TRUE);
    EXPECT_GE(m_reach.PingCalls(), 3);
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 0);
    EXPECT_EQ(m_net->m_bReachable.load(), 0);
}

TEST_F(NetWatchdogTest, StopKeepsTheThreadAndShutDownEndsIt)
{
    m_reach.answers = 0;
    EXPECT_TRUE(m_net->IsPingThreadAlive());
    EXPECT_FALSE(m_net->IsPingTimerRunning());
    m_net->StartPingThread();
    EXPECT_TRUE(m_net->IsPingTimerRunning());
    ASSERT_TRUE(m_reach.WaitForSubnetCalls(1));

    // Stop returns once a running step has finished: no step starts after it.
    m_net->StopPingThread(TRUE);
    EXPECT_FALSE(m_net->IsPingTimerRunning());
    EXPECT_TRUE(m_net->IsPingThreadAlive());
    const int stopped = m_reach.SubnetCalls();
    EXPECT_FALSE(m_reach.WaitForSubnetCalls(stopped + 1, 1500));

    // The same thread takes up the tick again.
    m_net->StartPingThread();
    ASSERT_TRUE(m_reach.WaitForSubnetCalls(stopped + 1));

    // Shut-down ends the thread; a later start finds none.
    m_net->StopPingThread(FALSE);
    EXPECT_FALSE(m_net->IsPingThreadAlive());
    EXPECT_FALSE(m_net->IsPingTimerRunning());
    const int ended = m_reach.SubnetCalls();
    m_net->StartPingThread();
    EXPECT_FALSE(m_net->IsPingTimerRunning());
    EXPECT_FALSE(m_reach.WaitForSubnetCalls(ended + 1, 1500));
}

// A stop during the settling pause after an update ends the step at once: no notice, and the
// update mark stays for the next start, which settles again.
TEST_F(NetWatchdogTest, StopEndsTheSettlingPauseAfterAnUpdate)
{
    class StoppingClock : public IClock {
    public:
        explicit StoppingClock(std::atomic<int>& enabled) : m_enabled(enabled) {}
        int64_t NowUs() override { return m_nowUs.load(); }
        void SleepMs(int ms) override
        {
            m_nowUs += int64_t(ms) * 1000;
            if (++m_nSleeps == 2)
                m_enabled = 0;  // the view stops the watchdog meanwhile
        }

    private:
        std::atomic<int>& m_enabled;
        std::atomic<int64_t> m_nowUs{1000000};
        int m_nSleeps = 0;
    };
    std::atomic<int> enabled{1};
    StoppingClock clock(enabled);
    Clock::Set(&clock);
    m_reach.onSubnet = 1;
    m_reach.answers = 1;
    g_bUpdateDone = 1;
    const int64_t start = clock.NowUs();

    EXPECT_EQ(m_net->CheckLink(&enabled), 0);
    EXPECT_EQ((clock.NowUs() - start) / 1000, 2 * CNet_Socket::PAUSE_SLICE_MS);
    EXPECT_EQ(m_sink.CountPosted(WM_NET_REACHABLE), 0);
    EXPECT_EQ(m_net->m_bReachable.load(), 0);
    EXPECT_EQ(g_bUpdateDone.load(), 1);
    Clock::Set(&m_clock);
}
