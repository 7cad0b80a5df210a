// The program's one clock. Every give-up time, retry pause and sleep of the link reads it,
// so tests can swap in a fake clock that advances only when told to (or when a sleep asks).
// Event waits (Sync.h) use real time: they only bound how long a thread idles.
#pragma once

#include <atomic>
#include <cstdint>

class IClock {
public:
    virtual ~IClock() = default;
    // Monotonic time in microseconds since an arbitrary start.
    virtual int64_t NowUs() = 0;
    // Blocks the calling thread for ms milliseconds of this clock's time.
    virtual void SleepMs(int ms) = 0;
};

// The real steady clock.
IClock& SystemClock();

namespace Clock {
IClock& Get();
// Installs a clock (null restores the system clock). Not thread-safe: call before threads run.
void Set(IClock* clock);
}  // namespace Clock

// Windows-style helpers over the program clock.
uint32_t GetTickCount();             // ms, wraps
void Sleep(int ms);
bool QueryPerformanceCounter(int64_t* ticks);    // microsecond ticks
bool QueryPerformanceFrequency(int64_t* freq);   // 1 000 000

// A fake clock for tests: time stands still until Advance or a SleepMs moves it.
class CFakeClock : public IClock {
public:
    int64_t NowUs() override;
    void SleepMs(int ms) override;
    void Advance(int64_t us);

private:
    std::atomic<int64_t> m_nowUs{1000000};
};
