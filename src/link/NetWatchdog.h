// The network watchdog thread: while its timer runs it takes one reachability step of its
// owner (CNet_Socket::CheckLink) per tick of 500 ms.
//
// The thread waits on its own timed condition instead of a user-interface timer posting
// WM_TIMER to it: the ticks come at the same rate, need no window, and a step that lasts longer
// than a tick (a step sleeps 1000 ms, plus up to 3000 ms of ping) is followed at once by the
// next one, as queued ticks would be. A tick that is due when Stop is called never runs.
//
// Thread: Start, Stop and Quit are called on the user-interface thread; the steps run on the
// watchdog thread, which lives from construction until Quit or destruction.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class CNet_Socket;

class CPing_Net_Thread {
public:
    // Starts the thread with its timer stopped.
    CPing_Net_Thread();
    // Stops the timer, ends the thread and joins it.
    ~CPing_Net_Thread();
    CPing_Net_Thread(const CPing_Net_Thread&) = delete;
    CPing_Net_Thread& operator=(const CPing_Net_Thread&) = delete;

    // The object whose CheckLink runs at every tick; not owned; must outlive the timer.
    void SetOwner(CNet_Socket* owner);
    // Starts the timer with a tick every ms milliseconds (real time); the first step runs one
    // tick after the call. Already running: only the period changes. Nothing after Quit.
    void Start(int ms);
    // Stops the timer and waits until a step that is running has finished, so the owner may
    // go once Stop returns. The thread stays for a later Start.
    void Stop();
    // Stops the timer and ends the thread (program shut-down). Safe to call twice.
    void Quit();

    // The timer runs.
    bool IsEnabled() const { return m_bEnabled.load() != 0; }
    // The thread exists (not yet ended by Quit).
    bool IsThreadRunning() const;

private:
    void Run();

    std::thread m_thread;
    // Read by the step at its start and again before it stores its result: a step that was
    // running when Stop came does not store a stale result.
    std::atomic<int> m_bEnabled{0};
    mutable std::mutex m_mutex;  // guards the members below
    std::condition_variable m_cv;  // timer started or stopped, quit, step finished
    CNet_Socket* m_pOwner = nullptr;
    int m_nPeriodMs = 500;
    bool m_bBusy = false;  // a step runs
    bool m_bQuit = false;
    unsigned m_nTimerId = 0;  // changes at every Start and Stop, so a tick of an old timer is dropped
};
