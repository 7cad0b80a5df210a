// The comm worker: the one thread that talks to the device.
//
// Four manual-reset events steer it (g_hCommEvents): quit, suspend, firmware transfer, send.
// Each pass waits for any of them (at most 5000 ms; the lowest index wins, so quit goes first)
// and runs one exchange through the transactions the main view implements: with the send
// event an ordinary exchange under g_csComm, then the waits it left (FinishTransact) and a
// 5 ms pause without the lock, with the firmware event a
// firmware exchange without the lock. The events stay set, so the chosen case repeats until
// the worker is stopped. The link state it reads: g_nLinkType, g_bUsbOpen, g_bNetOpen,
// g_bUpdateDone (the firmware case goes idle), g_bAbortingUpdate and g_bNeedFirmware (the send
// case goes idle).
//
// "Suspended" is a wait on a condition, not a real thread suspension: the thread starts
// suspended, suspends itself on the suspend event, and ResumeCommThread lets it go on.
// The thread is owned here, always joined, never detached.
#pragma once

#include "Sync.h"
#include "WinTypes.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

enum CommEvent { COMM_EVENT_QUIT, COMM_EVENT_SUSPEND, COMM_EVENT_FIRMWARE, COMM_EVENT_SEND, COMM_EVENT_COUNT };

// The worker's events, manual reset. Set and reset from any thread; the USB firmware read loop
// sets the suspend event when a step fails. One worker at a time uses them.
extern CEvent g_hCommEvents[COMM_EVENT_COUNT];

// True while a stop of the worker is under way: transactions end at their next check instead
// of waiting out their time-outs (any thread).
bool IsCommQuitRequested();

constexpr UINT COMM_EXIT_CODE = 100;   // the worker's exit code after the quit event
constexpr DWORD COMM_WAIT_MS = 5000;   // longest wait for an event
constexpr int COMM_PAUSE_MS = 5;       // pause after every ordinary exchange
constexpr int COMM_IDLE_MS = 50;       // pause while the chosen link is not up

// What the worker runs; the main view implements it. All members are called on the worker.
class ICommTransactions {
public:
    virtual ~ICommTransactions() = default;
    // One ordinary exchange over USB HID, called without g_csComm: it takes the lock around
    // the queue and the reports, not around the wait for the reply.
    virtual void UsbTransact() = 0;
    // One ordinary exchange over TCP; called with g_csComm held.
    virtual void NetTransact() = 0;
    // One exchange of the firmware update over USB HID / TCP; called without the lock.
    virtual void UsbTransactHex() = 0;
    virtual void NetTransactHex() = 0;
    // The waits an ordinary exchange left behind (a reconnect's pause, the Wi-Fi module's
    // restart), run right after it without g_csComm, so a send from the window never waits
    // for them.
    virtual void FinishTransact() {}
};

class CCommWorker {
public:
    explicit CCommWorker(ICommTransactions& transactions);
    // Ends and joins a worker that is still there (a full stop).
    ~CCommWorker();
    CCommWorker(const CCommWorker&) = delete;
    CCommWorker& operator=(const CCommWorker&) = delete;

    // User-interface thread, all of them.

    // Resets the four events and starts the thread suspended: running 1, awake 0. FALSE (and
    // nothing done) when a worker exists already.
    BOOL CreateCommThread();
    // Lets a suspended worker go on; nothing when it is awake.
    void ResumeCommThread();
    // StartComm's part: when no worker exists, creates it, sets the firmware event (bFirmware)
    // or the send event and resumes it. An existing worker keeps running as it is.
    // TRUE when a worker was created.
    BOOL StartWorker(BOOL bFirmware);
    // StopComm's part: sets the quit event again and again, resuming the worker whenever it is
    // suspended, until it has ended, and joins it. With bFull the thread is forgotten, the flags
    // return to their idle values and the four events are reset; returns TRUE. Without bFull
    // (shut-down) returns FALSE. Nothing but the result when no worker exists.
    BOOL StopWorker(BOOL bFull);

    bool HasThread() const { return m_thread.joinable(); }  // m_pCommThread is set
    int IsThreadRunning() const { return m_bThreadRunning; }  // m_bThreadRunning
    int IsThreadAwake() const { return m_bThreadAwake; }      // m_bThreadAwake
    // Exit code of the last worker that ended (100 after the quit event), 0 before.
    UINT GetExitCode() const { return m_nExitCode; }

private:
    UINT CommWorkerThread();
    // Blocks the worker until ResumeCommThread (suspended state).
    void WaitWhileSuspended();
    void RunFirmwarePass();
    void RunSendPass();

    ICommTransactions& m_tx;
    std::thread m_thread;
    std::atomic<int> m_bThreadRunning{0};  // 1 from creation until the quit event was seen
    std::atomic<int> m_bThreadAwake{1};    // 0 while suspended
    std::atomic<UINT> m_nExitCode{0};

    std::mutex m_mutex;              // guards m_bSuspended; with m_cv, wakes resume and stop
    std::condition_variable m_cv;
    bool m_bSuspended = false;
};
