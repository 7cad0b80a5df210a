// CSerialPort: the monitoring thread, its write step and its receive step.
#include "CSerialPort.h"

#include "CKTVCommand.h"
#include "CSendData.h"
#include "Clock.h"
#include "FirmwarePackets.h"
#include "FirmwareState.h"
#include "Globals.h"
#include "LinkGlobals.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr int STATUS_WRITTEN = 0;
constexpr int STATUS_COMPLETE = 1;
constexpr int STATUS_BAD = 5;
constexpr int STATUS_EMPTY_POLLS = 12;  // 16 bits, little endian
constexpr int RECEIVE_PAUSE_MS = 5;
constexpr int POLL_PAUSE_MS = 10;

// The empty-poll count of the status record; g_csComm held.
int EmptyPolls() { return g_byCommStatus[STATUS_EMPTY_POLLS] | (g_byCommStatus[STATUS_EMPTY_POLLS + 1] << 8); }
void SetEmptyPolls(int n)
{
    g_byCommStatus[STATUS_EMPTY_POLLS] = BYTE(n);
    g_byCommStatus[STATUS_EMPTY_POLLS + 1] = BYTE(n >> 8);
}

}  // namespace

UINT CSerialPort::EndThread()
{
    m_bThreadAlive = FALSE;
    return SERIAL_EXIT_CODE;
}

UINT CSerialPort::CommThread()
{
    {
        CSingleLock lock(m_csPort);
        PurgeLocked();
    }
    for (;;) {
        // A dead port: end once the main view closes it.
        if (m_bExitRequest) {
            m_pShutdownEvent->Wait(INFINITE);
            return EndThread();
        }
        WaitWhileSuspended();

        bool carrying = false;
        int timeoutMs = SERIAL_WAIT_MS;
        {
            CSingleLock lock(g_csComm);
            if (const CSendData* item = g_pSerialItem) {
                carrying = true;
                if (g_bUpdating)
                    timeoutMs = SERIAL_UPDATE_WAIT_MS;
                else if (item->IsLastReadDone() || item->IsLastWriteDone())
                    timeoutMs = SERIAL_BATCH_END_WAIT_MS;
            } else {
                // Nothing to carry: sleep until the worker hands over the next request. Done
                // under the lock the worker sets the request with, so its pass is never lost.
                m_pPassEvent->ResetEvent();
            }
        }

        if (carrying) {
            switch (WaitPortEvents(timeoutMs)) {
            case SERIAL_EVENT_SHUTDOWN:
                return EndThread();
            case SERIAL_EVENT_WRITE:
                WriteChar();
                break;
            case SERIAL_EVENT_COMM: {
                bool written;
                {
                    CSingleLock lock(g_csComm);
                    written = g_byCommStatus[STATUS_WRITTEN] != 0;
                }
                if (written) {
                    ReceiveChar();
                    Sleep(RECEIVE_PAUSE_MS);
                } else {
                    // Nothing is awaited: stray input would only come back at every pass.
                    CSingleLock lock(m_csPort);
                    PurgeLocked();
                }
                break;
            }
            case WAIT_FAILED:
                ClosePortAsync();
                break;
            default:
                OnWaitTimeout();
                break;
            }
        } else if (m_pShutdownEvent->IsSet()) {
            return EndThread();
        }
        // The reply path resets the pass too, possibly after a close has set it: the shut-down
        // event must end this wait on its own.
        CEvent* next[2] = {m_pShutdownEvent.get(), m_pPassEvent.get()};
        if (WaitForMultipleObjects(2, next, FALSE, INFINITE) == WAIT_OBJECT_0)
            return EndThread();
    }
}

DWORD CSerialPort::WaitPortEvents(int timeoutMs)
{
    using namespace std::chrono;
    const steady_clock::time_point deadline = steady_clock::now() + milliseconds(timeoutMs);
    CEvent* events[2] = {m_pShutdownEvent.get(), m_pWriteEvent.get()};
    for (;;) {
        const DWORD r = WaitForMultipleObjects(2, events, FALSE, 0);
        if (r == WAIT_OBJECT_0)
            return SERIAL_EVENT_SHUTDOWN;
        if (r == WAIT_OBJECT_0 + 1)
            return SERIAL_EVENT_WRITE;
        const long long left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        int n;
        {
            CSingleLock lock(m_csPort);
            n = m_pDevice ? m_pDevice->WaitForInput(int(std::clamp<long long>(left, 0, SERIAL_POLL_SLICE_MS))) : -1;
        }
        if (n > 0) {
            m_pCommEvent->SetEvent();
            return SERIAL_EVENT_COMM;
        }
        if (n < 0)
            return WAIT_FAILED;
        if (left <= 0)
            return WAIT_TIMEOUT;
    }
}

void CSerialPort::OnWaitTimeout()
{
    enum class EAction { None, Drop, Rewrite, Poll, FirstWrite } action = EAction::None;
    {
        CSingleLock lock(g_csComm);
        CSendData* item = g_pSerialItem;
        if (!item)
            return;  // answered meanwhile
        if (g_byCommStatus[STATUS_WRITTEN]) {
            const int n = item->GetRetry() + 1;
            if (n > SERIAL_MAX_RETRY) {
                action = EAction::Drop;
            } else {
                item->SetRetry(n);
                action = n == 2 ? EAction::Rewrite : EAction::Poll;
            }
        } else if (item->GetRetry() == 0) {
            // The write event was missed: the request has not gone out at all yet.
            item->SetRetry(1);
            action = EAction::FirstWrite;
        }
    }
    switch (action) {
    case EAction::Drop:
        ClosePortAsync();
        break;
    case EAction::Rewrite:
        if (g_pCommand)
            g_pCommand->ResetRecv();
        WriteChar();
        break;
    case EAction::Poll:
        Sleep(POLL_PAUSE_MS);
        ReceiveChar();
        break;
    case EAction::FirstWrite:
        WriteChar();
        break;
    case EAction::None:
        break;
    }
}

void CSerialPort::WriteChar()
{
    m_pWriteEvent->ResetEvent();
    // A copy taken under the lock: the queue may delete the request once it is answered.
    std::vector<BYTE> frame;
    int command = 0;
    {
        CSingleLock lock(g_csComm);
        const CSendData* item = g_pSerialItem;
        if (!item || !item->GetData())
            return;
        frame.assign(item->GetData(), item->GetData() + item->GetLength());
        command = item->GetCommand();
    }
    bool ok;
    {
        CSingleLock lock(m_csPort);
        if (!m_pDevice)
            return;
        m_pDevice->Purge();
        ok = m_pDevice->Write(frame.data(), int(frame.size()), SERIAL_IO_TIMEOUT_MS) == int(frame.size());
    }
    if (!ok) {
        ClosePortAsync();
        return;
    }
    {
        CSingleLock lock(g_csComm);
        g_byCommStatus[STATUS_WRITTEN] = 1;
    }
    Sleep(command == FW_STEP_APPLY ? SERIAL_APPLY_PAUSE_MS : SERIAL_WRITE_PAUSE_MS);
}

void CSerialPort::ReceiveChar()
{
    for (;;) {
        int waiting;
        {
            CSingleLock lock(m_csPort);
            waiting = m_pDevice ? m_pDevice->BytesAvailable() : -1;
        }
        if (waiting < 0) {
            ClosePortAsync();
            return;
        }
        bool retry = false;
        {
            CSingleLock lock(g_csComm);
            if (g_pSerialItem) {
                if (waiting == 0) {
                    const int polls = EmptyPolls() + 1;
                    retry = polls >= SERIAL_EMPTY_POLLS;
                    SetEmptyPolls(retry ? 0 : polls);
                } else {
                    SetEmptyPolls(0);
                }
            }
        }
        if (waiting == 0) {
            if (retry)
                ApplyRetryRule();
            return;
        }

        BOOL result = FALSE;
        {
            CSingleLock lock(m_csPort);
            BYTE byte = 0;
            const int n = m_pDevice ? m_pDevice->Read(&byte, 1) : -1;
            if (n < 0) {
                ClosePortAsync();
                return;
            }
            if (n == 0)
                return;
            if (g_pCommand)
                result = g_pCommand->OnSerialReceive(byte);
        }

        bool complete, bad;
        {
            CSingleLock lock(g_csComm);
            complete = g_byCommStatus[STATUS_COMPLETE] != 0;
            bad = g_byCommStatus[STATUS_BAD] != 0;
            if (!result && complete && bad) {
                g_byCommStatus[STATUS_COMPLETE] = 0;
                // Forgotten with the frame, so that the next reply is judged on its own.
                g_byCommStatus[STATUS_BAD] = 0;
            }
        }
        if (!result && !complete)
            continue;
        if (!result && bad) {
            if (g_pCommand)
                g_pCommand->ResetRecv();
            ApplyRetryRule();
            return;
        }
        // The transaction is over: pass first, so that the next one cannot be missed.
        m_pPassEvent->ResetEvent();
        g_hReplyEvent.SetEvent();
        return;
    }
}

void CSerialPort::ApplyRetryRule()
{
    {
        CSingleLock lock(g_csComm);
        CSendData* item = g_pSerialItem;
        if (!item)
            return;  // answered meanwhile: nothing to retry
        const int n = item->GetRetry() + 1;
        if (n <= SERIAL_MAX_RETRY) {
            item->SetRetry(n);
            m_pWriteEvent->SetEvent();
            return;
        }
    }
    ClosePortAsync();
}
