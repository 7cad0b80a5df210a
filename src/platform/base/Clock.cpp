#include "Clock.h"

#include <chrono>
#include <thread>

namespace {
class CSystemClock : public IClock {
public:
    int64_t NowUs() override
    {
        using namespace std::chrono;
        return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void SleepMs(int ms) override
    {
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        else
            std::this_thread::yield();
    }
};

std::atomic<IClock*> g_clock{nullptr};
}  // namespace

IClock& SystemClock()
{
    static CSystemClock clock;
    return clock;
}

IClock& Clock::Get()
{
    IClock* c = g_clock.load();
    return c ? *c : SystemClock();
}

void Clock::Set(IClock* clock) { g_clock.store(clock); }

uint32_t GetTickCount() { return uint32_t(Clock::Get().NowUs() / 1000); }

void Sleep(int ms) { Clock::Get().SleepMs(ms); }

bool QueryPerformanceCounter(int64_t* ticks)
{
    if (!ticks)
        return false;
    *ticks = Clock::Get().NowUs();
    return true;
}

bool QueryPerformanceFrequency(int64_t* freq)
{
    if (!freq)
        return false;
    *freq = 1000000;
    return true;
}

int64_t CFakeClock::NowUs() { return m_nowUs.load(); }

void CFakeClock::SleepMs(int ms)
{
    if (ms > 0)
        m_nowUs += int64_t(ms) * 1000;
    // Let the other threads of a test run, as a real sleep would.
    std::this_thread::yield();
}

void CFakeClock::Advance(int64_t us) { m_nowUs += us; }
