// The reconnect polling of a waiting firmware update: how many attempts, which of them is the
// last, on which thread they run, what the owner hears, and that a stopped timer stays quiet.
// The ticks run on a fake program clock, so 21 ticks take no real time and the clock shows the
// 500 ms period exactly.
#include "AppMessages.h"
#include "CUpData_Thread.h"
#include "CWnd.h"
#include "Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

namespace {

// The dialog's part: ticks go to the polling object, results are recorded.
class CTickOwner : public CWnd {
public:
    std::vector<LPARAM> results;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UPDATE_THREAD_TICK) {
            CUpData_Thread::DispatchTimer(UINT_PTR(wParam));
            return 0;
        }
        if (message == WM_UPDATE_THREAD_DONE) {
            results.push_back(lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

bool Pump(const std::function<bool()>& done, int limitMs = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void PumpFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct Attempt {
    BOOL bMore;
    bool onUiThread;
};

class UpdatePollTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::Set(&clock);
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    }
    void TearDown() override
    {
        poll.reset();
        Clock::Set(nullptr);
    }
    // A polling object whose attempt number succeedAt (1-based; 0: none) succeeds.
    void MakePoll(int succeedAt)
    {
        poll = std::make_unique<CUpData_Thread>(owner.GetSafeHwnd(), [this, succeedAt](BOOL bMore) {
            attempts.push_back({bMore, std::this_thread::get_id() == uiThread});
            return int(attempts.size()) == succeedAt ? TRUE : FALSE;
        });
    }

    CFakeClock clock;
    CTickOwner owner;
    const std::thread::id uiThread = std::this_thread::get_id();
    std::vector<Attempt> attempts;
    std::unique_ptr<CUpData_Thread> poll;
};

}  // namespace

TEST_F(UpdatePollTest, AttemptsStopAtTheFirstSuccessOrAfterTwentyOneWithTheLastOneMarked)
{
    struct Case {
        int succeedAt;
        int expectedAttempts;
        LPARAM result;
    };
    const Case cases[] = {{1, 1, 1}, {3, 3, 1}, {20, 20, 1}, {21, 21, 1}, {0, 21, 0}};
    for (const Case& c : cases) {
        attempts.clear();
        owner.results.clear();
        MakePoll(c.succeedAt);
        const int64_t start = clock.NowUs();
        poll->Start(UPDATE_POLL_MS);
        ASSERT_TRUE(Pump([&] { return !owner.results.empty(); })) << c.succeedAt;
        // Nothing more comes once the result is out.
        PumpFor(100);
        ASSERT_EQ(int(attempts.size()), c.expectedAttempts) << c.succeedAt;
        EXPECT_EQ(owner.results, std::vector<LPARAM>{c.result}) << c.succeedAt;
        for (size_t i = 0; i < attempts.size(); ++i) {
            EXPECT_EQ(attempts[i].bMore, i < 20 ? TRUE : FALSE) << c.succeedAt << " attempt " << i + 1;
            EXPECT_TRUE(attempts[i].onUiThread) << c.succeedAt << " attempt " << i + 1;
        }
        // One tick of 500 ms before each attempt, on the program clock.
        EXPECT_EQ(clock.NowUs() - start, int64_t(c.expectedAttempts) * UPDATE_POLL_MS * 1000) << c.succeedAt;
        EXPECT_FALSE(poll->IsEnabled());
        EXPECT_EQ(poll->GetTimerId(), 0u);
        poll.reset();
    }
}

TEST_F(UpdatePollTest, StopSilencesTheTimerAndAStaleTickIsDropped)
{
    MakePoll(0);
    poll->Start(UPDATE_POLL_MS);
    ASSERT_TRUE(Pump([&] { return attempts.size() >= 3; }));
    const UINT_PTR oldId = poll->GetTimerId();
    ASSERT_NE(oldId, 0u);
    poll->Stop();
    const size_t made = attempts.size();
    const int64_t stoppedAt = clock.NowUs();
    PumpFor(200);
    EXPECT_EQ(attempts.size(), made);
    EXPECT_EQ(clock.NowUs(), stoppedAt);  // the thread no longer keeps time
    EXPECT_TRUE(owner.results.empty());
    // A tick of the stopped timer reaches nobody, and the object ignores a foreign id.
    EXPECT_FALSE(CUpData_Thread::DispatchTimer(oldId));
    poll->OnTimer(oldId);
    EXPECT_EQ(attempts.size(), made);
    EXPECT_TRUE(poll->IsThreadRunning());
}

TEST_F(UpdatePollTest, ARestartCountsAgainFromZero)
{
    MakePoll(0);
    poll->Start(UPDATE_POLL_MS);
    ASSERT_TRUE(Pump([&] { return attempts.size() >= 5; }));
    poll->Start(UPDATE_POLL_MS);
    attempts.clear();
    ASSERT_TRUE(Pump([&] { return !owner.results.empty(); }));
    PumpFor(50);
    EXPECT_EQ(attempts.size(), 21u);
    EXPECT_EQ(owner.results, std::vector<LPARAM>{0});
}

TEST_F(UpdatePollTest, QuitEndsTheThreadAndNoLaterStartPolls)
{
    MakePoll(0);
    poll->Start(UPDATE_POLL_MS);
    ASSERT_TRUE(Pump([&] { return !attempts.empty(); }));
    poll->Quit();
    EXPECT_FALSE(poll->IsThreadRunning());
    const size_t made = attempts.size();
    poll->Start(UPDATE_POLL_MS);
    PumpFor(100);
    EXPECT_EQ(attempts.size(), made);
    poll->Quit();  // twice is harmless
}
