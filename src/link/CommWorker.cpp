#include "CommWorker.h"

#include "Clock.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkState.h"
#include "UsbLink.h"

#include <chrono>

CEvent g_hCommEvents[COMM_EVENT_COUNT];

bool IsCommQuitRequested() { return g_hCommEvents[COMM_EVENT_QUIT].IsSet(); }

namespace {
// How long StopWorker waits for the worker between two quit requests.
constexpr auto STOP_POLL = std::chrono::milliseconds(10);
}  // namespace

CCommWorker::CCommWorker(ICommTransactions& transactions) : m_tx(transactions) {}

// A full stop, so that no event stays set for the next worker.
CCommWorker::~CCommWorker() { StopWorker(TRUE); }

BOOL CCommWorker::CreateCommThread()
{
    if (m_thread.joinable())
        return FALSE;
    for (CEvent& ev : g_hCommEvents)
        ev.ResetEvent();
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_bSuspended = true;
    }
    m_bThreadRunning = 1;
    m_bThreadAwake = 0;
    m_thread = std::thread([this] { m_nExitCode = CommWorkerThread(); });
    return TRUE;
}

void CCommWorker::ResumeCommThread()
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (!m_bSuspended)
            return;
        m_bSuspended = false;
    }
    m_cv.notify_all();
}

BOOL CCommWorker::StartWorker(BOOL bFirmware)
{
    if (m_thread.joinable())
        return FALSE;
    CreateCommThread();
    g_hCommEvents[bFirmware ? COMM_EVENT_FIRMWARE : COMM_EVENT_SEND].SetEvent();
    ResumeCommThread();
    return TRUE;
}

BOOL CCommWorker::StopWorker(BOOL bFull)
{
    if (m_thread.joinable()) {
        // Quit before resume: a worker woken from its suspension must find the quit event,
        // which outranks the suspend event that put it to sleep. Both are repeated, because a
        // worker can suspend itself again between our two steps.
        std::unique_lock<std::mutex> lk(m_mutex);
        while (m_bThreadRunning) {
            g_hCommEvents[COMM_EVENT_QUIT].SetEvent();
            if (m_bSuspended) {
                m_bSuspended = false;
                m_cv.notify_all();
            }
            m_cv.wait_for(lk, STOP_POLL, [this] { return m_bThreadRunning == 0; });
        }
        lk.unlock();
        m_thread.join();
    }
    if (!bFull)
        return FALSE;
    m_bThreadRunning = 0;
    m_bThreadAwake = 1;
    for (CEvent& ev : g_hCommEvents) {
        do
            ev.ResetEvent();
        while (ev.IsSet());
    }
    return TRUE;
}

void CCommWorker::WaitWhileSuspended()
{
    std::unique_lock<std::mutex> lk(m_mutex);
    m_cv.wait(lk, [this] { return !m_bSuspended; });
}

UINT CCommWorker::CommWorkerThread()
{
    WaitWhileSuspended();  // created suspended
    CEvent* events[COMM_EVENT_COUNT] = {&g_hCommEvents[0], &g_hCommEvents[1], &g_hCommEvents[2],
                                        &g_hCommEvents[3]};
    for (;;) {
        m_bThreadRunning = 1;
        m_bThreadAwake = 1;
        switch (WaitForMultipleObjects(COMM_EVENT_COUNT, events, FALSE, COMM_WAIT_MS)) {
        case WAIT_OBJECT_0 + COMM_EVENT_QUIT: {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_bThreadRunning = 0;
            m_cv.notify_all();
            return COMM_EXIT_CODE;
        }
        case WAIT_OBJECT_0 + COMM_EVENT_SUSPEND: {
            // The suspend event stays set; only a stop, which sets the quit event first, ends
            // this state for good.
            std::unique_lock<std::mutex> lk(m_mutex);
            m_bThreadAwake = 0;
            m_bSuspended = true;
            m_cv.notify_all();
            m_cv.wait(lk, [this] { return !m_bSuspended; });
            break;
        }
        case WAIT_OBJECT_0 + COMM_EVENT_FIRMWARE:
            RunFirmwarePass();
            break;
        case WAIT_OBJECT_0 + COMM_EVENT_SEND:
            RunSendPass();
            break;
        default:  // time-out: the next pass begins
            break;
        }
    }
}

void CCommWorker::RunFirmwarePass()
{
    if (g_bUpdateDone) {
        g_hCommEvents[COMM_EVENT_FIRMWARE].ResetEvent();
        return;
    }
    if (g_nLinkType == 1 && g_bUsbOpen)
        m_tx.UsbTransactHex();
    else if (g_nLinkType == 2 && g_bNetOpen)
        m_tx.NetTransactHex();
    else
        // The link is not up (or there is none): wait for it rather than spin.
        Sleep(COMM_IDLE_MS);
}

void CCommWorker::RunSendPass()
{
    if (g_bAbortingUpdate || g_bNeedFirmware) {
        // Nothing more is sent; the worker waits, 5000 ms at a time, until it is stopped.
        g_hCommEvents[COMM_EVENT_SEND].ResetEvent();
        return;
    }
    bool idle = false;
    if (g_nLinkType == 1) {
        // Takes g_csComm itself around everything but its wait for the reply.
        m_tx.UsbTransact();
    } else if (g_nLinkType == 2) {
        CSingleLock lock(g_csComm);
        if (g_bNetOpen)
            m_tx.NetTransact();
        else
            idle = true;
    }
    // No wait of the worker holds the lock: the window's sends never queue behind one.
    if (idle)
        Sleep(COMM_IDLE_MS);
    // Outside the lock, so that the user-interface thread can append between two exchanges
    // and while the exchange's waits run.
    m_tx.FinishTransact();
    Sleep(COMM_PAUSE_MS);
}
