// The reconnect polling of a firmware update that waits for its device: every tick (500 ms)
// one reconnect attempt of the main view, at most 20 silent ones and a last one that reports
// the failure; the result goes to the owner window as WM_UPDATE_THREAD_DONE (wParam 0, lParam
// the attempt's result, nonzero = reconnected).
//
// The attempts open transports, start the comm worker, write the dialog's status line and may
// show message boxes, so they must run on the user-interface thread. The polling thread owned
// here only keeps the time: one tick period after the timer starts (and after each tick has
// been handled) it posts WM_UPDATE_THREAD_TICK with the timer id to the owner, whose handler
// passes it on to DispatchTimer on the user-interface thread. The next period starts once the
// tick is handled, so ticks never pile up behind a slow attempt or a message box. The period
// runs on the program clock (Clock.h), so a test with a fake clock sees its 21 ticks at once.
//
// Timer ids are program-wide: a map from timer id to the polling object routes every tick, and
// a tick whose timer was stopped meanwhile finds no entry and is dropped.
//
// Threads: every member but the polling thread's own loop runs on the user-interface thread.
#pragma once

#include "WinDefs.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The polling thread to the owner: a tick of the reconnect timer is due (wParam the timer id).
constexpr UINT WM_UPDATE_THREAD_TICK = WM_USER + 271;  // 0x50F

constexpr int UPDATE_POLL_MS = 500;         // tick period of the reconnect polling
constexpr int UPDATE_SILENT_ATTEMPTS = 20;  // attempts before the last one, which reports

class CUpData_Thread {
public:
    // One reconnect attempt; bMore FALSE marks the last. TRUE when the update can run.
    using Attempt = std::function<BOOL(BOOL bMore)>;

    // Starts the polling thread with its timer stopped. hOwner receives the ticks and the
    // result. Without an attempt function the main view's ReconnectForUpdate is asked.
    explicit CUpData_Thread(HWND hOwner, Attempt attempt = {});
    // Stops the timer and ends the thread.
    ~CUpData_Thread();
    CUpData_Thread(const CUpData_Thread&) = delete;
    CUpData_Thread& operator=(const CUpData_Thread&) = delete;

    // Enables polling with a fresh attempt count and a new timer id (ms per tick). A running
    // timer is replaced.
    void Start(int ms);
    // Disables polling and forgets the timer id; a tick already posted is dropped.
    void Stop();
    // Ends the polling thread (the dialog closes). Safe to call twice.
    void Quit();

    // One tick of the timer nIDEvent: an attempt, counted when it fails; the last attempt and
    // any success stop the timer and post the result to the owner. Other ids are ignored.
    void OnTimer(UINT_PTR nIDEvent);
    // Routes a tick to the polling object that owns the timer id; FALSE when none does.
    static BOOL DispatchTimer(UINT_PTR nIDEvent);

    BOOL IsEnabled() const { return m_bEnabled; }
    // Failed attempts since Start (0..20).
    int GetAttemptCount() const { return m_nCount; }
    // The running timer's id, 0 while stopped.
    UINT_PTR GetTimerId() const { return m_nTimerId; }
    BOOL IsThreadRunning() const { return m_thread.joinable() ? TRUE : FALSE; }

private:
    void Run();
    // Sleeps one period on the program clock in short steps; false when the timer changed or
    // the thread is ending meanwhile.
    bool SleepPeriod(int ms, UINT_PTR id);
    void TickHandled();
    BOOL MakeAttempt(BOOL bMore);

    const HWND m_hOwner;
    const Attempt m_attempt;
    BOOL m_bEnabled = FALSE;  // user-interface thread
    int m_nCount = 0;         // user-interface thread

    std::mutex m_mutex;            // guards the four members below
    std::condition_variable m_cv;  // timer started, stopped or ticked; quit
    UINT_PTR m_nTimerId = 0;       // 0 while stopped (written under the lock, read on the UI thread)
    int m_nPeriodMs = UPDATE_POLL_MS;
    bool m_bTickPending = false;   // a tick is posted and not yet handled
    bool m_bQuit = false;
    std::atomic<UINT_PTR> m_nLiveTimerId{0};  // the sleeping thread's view of m_nTimerId
    std::atomic<bool> m_bQuitting{false};
    std::thread m_thread;  // last: it starts once the members above exist
};
