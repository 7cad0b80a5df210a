#include "NetWatchdog.h"

#include "CNet_Socket.h"

#include <algorithm>
#include <chrono>

CPing_Net_Thread::CPing_Net_Thread()
{
    m_thread = std::thread(&CPing_Net_Thread::Run, this);
}

CPing_Net_Thread::~CPing_Net_Thread() { Quit(); }

void CPing_Net_Thread::SetOwner(CNet_Socket* owner)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pOwner = owner;
}

void CPing_Net_Thread::Start(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bQuit)
        return;
    m_nPeriodMs = ms > 0 ? ms : 1;
    if (!m_bEnabled.load()) {
        ++m_nTimerId;
        m_bEnabled = 1;
    }
    m_cv.notify_all();
}

void CPing_Net_Thread::Stop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_bEnabled.load()) {
        m_bEnabled = 0;
        ++m_nTimerId;
        m_cv.notify_all();
    }
    // A step calling Stop on its own thread must not wait for itself.
    if (std::this_thread::get_id() != m_thread.get_id())
        m_cv.wait(lock, [this] { return !m_bBusy; });
}

void CPing_Net_Thread::Quit()
{
    Stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuit = true;
        m_cv.notify_all();
    }
    if (m_thread.joinable() && std::this_thread::get_id() != m_thread.get_id())
        m_thread.join();
}

bool CPing_Net_Thread::IsThreadRunning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_bQuit && m_thread.joinable();
}

void CPing_Net_Thread::Run()
{
    using Clock = std::chrono::steady_clock;
    std::unique_lock<std::mutex> lock(m_mutex);
    unsigned timerId = 0;
    Clock::time_point due;
    while (!m_bQuit) {
        if (!m_bEnabled.load()) {
            m_cv.wait(lock, [this] { return m_bQuit || m_bEnabled.load(); });
            continue;
        }
        if (timerId != m_nTimerId) {  // a new timer: its first tick is one period away
            timerId = m_nTimerId;
            due = Clock::now() + std::chrono::milliseconds(m_nPeriodMs);
        }
        if (Clock::now() < due) {
            m_cv.wait_until(lock, due, [this, timerId] { return m_bQuit || m_nTimerId != timerId; });
            continue;
        }
        // Ticks missed while a step ran collapse into one: the next step follows at once.
        due = std::max(due + std::chrono::milliseconds(m_nPeriodMs), Clock::now());
        CNet_Socket* owner = m_pOwner;
        if (!owner)
            continue;
        m_bBusy = true;
        lock.unlock();
        owner->CheckLink(&m_bEnabled);
        lock.lock();
        m_bBusy = false;
        m_cv.notify_all();
    }
}
