#include "CUpData_Thread.h"

#include "AppMessages.h"
#include "CKRV330View.h"
#include "Clock.h"
#include "ShellGlobals.h"

#include <algorithm>
#include <map>

namespace {

constexpr int SLEEP_STEP_MS = 10;  // how soon a sleeping polling thread hears Stop or Quit

// Timer id -> polling object, for every running reconnect timer. User-interface thread.
std::map<UINT_PTR, CUpData_Thread*>& TimerMap()
{
    static std::map<UINT_PTR, CUpData_Thread*> map;
    return map;
}

UINT_PTR NextTimerId()
{
    static UINT_PTR next = 0x5100;  // apart from the small ids windows use for their own timers
    return ++next;
}

}  // namespace

CUpData_Thread::CUpData_Thread(HWND hOwner, Attempt attempt)
    : m_hOwner(hOwner), m_attempt(std::move(attempt)), m_thread(&CUpData_Thread::Run, this)
{
}

CUpData_Thread::~CUpData_Thread() { Quit(); }

void CUpData_Thread::Start(int ms)
{
    Stop();
    m_bEnabled = TRUE;
    m_nCount = 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bQuit)
        return;  // ended: no timer, and no map entry that would outlive the object
    const UINT_PTR id = NextTimerId();
    TimerMap()[id] = this;
    m_nPeriodMs = ms > 0 ? ms : 1;
    m_nTimerId = id;
    m_nLiveTimerId = id;
    m_bTickPending = false;
    m_cv.notify_all();
}

void CUpData_Thread::Stop()
{
    m_bEnabled = FALSE;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_nTimerId)
        TimerMap().erase(m_nTimerId);
    m_nTimerId = 0;
    m_nLiveTimerId = 0;
    m_bTickPending = false;
    m_cv.notify_all();
}

void CUpData_Thread::Quit()
{
    Stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuit = true;
        m_bQuitting = true;
        m_cv.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

BOOL CUpData_Thread::DispatchTimer(UINT_PTR nIDEvent)
{
    const auto it = TimerMap().find(nIDEvent);
    if (it == TimerMap().end())
        return FALSE;
    it->second->OnTimer(nIDEvent);
    return TRUE;
}

BOOL CUpData_Thread::MakeAttempt(BOOL bMore)
{
    if (m_attempt)
        return m_attempt(bMore);
    return g_pMainView ? g_pMainView->ReconnectForUpdate(bMore) : FALSE;
}

void CUpData_Thread::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_bEnabled || nIDEvent == 0 || nIDEvent != m_nTimerId)
        return;
    if (m_nCount < UPDATE_SILENT_ATTEMPTS) {
        const BOOL result = MakeAttempt(TRUE);
        if (!result) {
            ++m_nCount;
            TickHandled();
            return;
        }
        Stop();
        ::PostMessage(m_hOwner, WM_UPDATE_THREAD_DONE, 0, LPARAM(result));
        return;
    }
    // The last attempt reports its own failure; no tick may come while it shows it.
    Stop();
    const BOOL result = MakeAttempt(FALSE);
    ::PostMessage(m_hOwner, WM_UPDATE_THREAD_DONE, 0, LPARAM(result));
}

void CUpData_Thread::TickHandled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bTickPending = false;
    m_cv.notify_all();
}

bool CUpData_Thread::SleepPeriod(int ms, UINT_PTR id)
{
    IClock& clock = Clock::Get();
    const int64_t due = clock.NowUs() + int64_t(ms) * 1000;
    for (;;) {
        if (m_bQuitting.load() || m_nLiveTimerId.load() != id)
            return false;
        const int64_t left = due - clock.NowUs();
        if (left <= 0)
            return true;
        clock.SleepMs(int(std::min<int64_t>(SLEEP_STEP_MS, (left + 999) / 1000)));
    }
}

void CUpData_Thread::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_bQuit) {
        if (!m_nTimerId) {
            m_cv.wait(lock, [this] { return m_bQuit || m_nTimerId != 0; });
            continue;
        }
        const UINT_PTR id = m_nTimerId;
        const int period = m_nPeriodMs;
        lock.unlock();
        const bool due = SleepPeriod(period, id);
        lock.lock();
        if (!due || m_bQuit || m_nTimerId != id)
            continue;
        m_bTickPending = true;
        if (!::PostMessage(m_hOwner, WM_UPDATE_THREAD_TICK, WPARAM(id), 0)) {
            // The owner is gone: nothing will handle a tick again until a new Start.
            m_cv.wait(lock, [this, id] { return m_bQuit || m_nTimerId != id; });
            continue;
        }
        m_cv.wait(lock, [this, id] { return m_bQuit || m_nTimerId != id || !m_bTickPending; });
    }
}
