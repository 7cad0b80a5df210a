// CFirmwareUpdate: the firmware transaction over TCP. Every item goes out as whole 65-byte
// reports (report id 0 and the 64 report bytes), the same bytes as over USB; the answers are
// read 16 bytes at a time.
#include "FirmwareUpdate.h"

#include "CKTVCommand.h"
#include "CNet_Socket.h"
#include "CSendData.h"
#include "Clock.h"
#include "CommWorker.h"
#include "FirmwarePackets.h"
#include "FirmwareTexts.h"
#include "Globals.h"
#include "LinkState.h"

namespace {

constexpr int NET_UNREACHABLE_PAUSE_MS = 100;
constexpr int NET_SEND_RETRY_PAUSE_MS = 1000;
constexpr int PAUSE_SLICE_MS = 100;

bool IsStopping() { return IsCommQuitRequested() || !g_bNetOpen.load(); }

// Sleeps ms of the program clock in slices; FALSE as soon as the transaction must end.
BOOL Pause(int ms)
{
    for (int left = ms; left > 0; left -= PAUSE_SLICE_MS) {
        if (IsStopping())
            return FALSE;
        Sleep(left < PAUSE_SLICE_MS ? left : PAUSE_SLICE_MS);
    }
    return !IsStopping();
}

}  // namespace

void CFirmwareUpdate::Reconnect()
{
    m_net.Close();
    // A new connection is a new byte stream: half an answer of the old one is gone.
    m_command.ResetRecv();
    m_net.Connect();
}

void CFirmwareUpdate::NetTransactHex()
{
    if (!m_net.m_bReachable.load()) {
        Sleep(NET_UNREACHABLE_PAUSE_MS);
        return;
    }
    QueryPerformanceCounter(&m_liTransactStart);
    if (NetWriteHex() == 1)
        NetReadHex();
}

int CFirmwareUpdate::NetWriteHex()
{
    if (!m_net.m_bReachable.load())
        return 0;
    CSendData* head = nullptr;
    {
        CSingleLock lock(g_csComm);
        head = TakeHeadForWrite(HEX_MAX_ATTEMPTS);
        if (!head && m_command.GetSendDataCount() != 0)
            return 0;  // the attempts are used up: reported
        if (head)
            head->SetPos(0);
    }
    if (!head) {
        Sleep(COMM_IDLE_MS);
        return 0;
    }

    if (head->GetCommand() == FW_STEP_LOADER) {
        BYTE report[USB_REPORT_SIZE];
        FillLoaderEntryReport(report);
        while (!IsStopping()) {
            if (!m_net.Send(report, USB_REPORT_SIZE, 0)) {
                m_net.Close();
                if (!Pause(CNet_Socket::RECONNECT_PAUSE_MS))
                    return 0;
                m_net.Connect();
            }
            ShowTip(g_strHexNetCn, g_strHexNetEn);
            if (SecondsSince(m_liTransactStart) > NET_LOADER_ENTRY_S) {
                m_command.RemoveCurSendData();
                return 0;
            }
        }
        return 0;
    }

    // The item goes out whole; after a failed send and a new connection it starts over once.
    for (int round = 0; round < 2; ++round) {
        bool sent = true;
        while (head->NextReport()) {
            if (!m_net.Send(g_byUsbOutReport, USB_REPORT_SIZE, 0)) {
                sent = false;
                break;
            }
        }
        if (sent)
            return 1;
        m_net.Close();
        if (!Pause(NET_SEND_RETRY_PAUSE_MS))
            return 0;
        if (!m_net.m_bReachable.load()) {
            Fail();
            return 0;
        }
        m_command.ResetRecv();
        if (!m_net.Connect())
            return 0;  // the next pass tries again and counts an attempt
        head->SetPos(0);
    }
    return 0;
}

int CFirmwareUpdate::NetReadHex()
{
    const int step = m_nCurHexCmd;
    if (step == FW_STEP_END)
        return NetReadEnd();
    if (const int timeoutMs = HexStepRecvTimeoutMs(step))
        m_net.SetRecvTimeout(timeoutMs);
    if (step == FW_STEP_DSP_REQUEST)
        ShowTip(g_strHexEraseCn, g_strHexEraseEn);

    for (;;) {
        if (!m_net.m_bReachable.load() || IsStopping())
            return 0;
        int count = 0;
        const int result = m_net.RecvReport(&count);
        if (result == NET_ERR_CONNRESET) {
            if (!Pause(CNet_Socket::RECONNECT_PAUSE_MS))
                return 0;
            if (m_net.m_bReachable.load())
                Reconnect();
            else
                Fail();
            return 1;
        }
        bool reconnected = false;
        if (result == NET_ERR_TIMEDOUT) {
            if (!m_net.m_bReachable.load()) {
                Fail();
                return 1;
            }
            Reconnect();
            reconnected = true;
        } else if (count <= 0) {
            // The device closed the connection (it restarts) or there is none: nothing more
            // can arrive on it. A new one carries the step again on the next pass.
            Reconnect();
            return 0;
        }
        if (count > 0) {
            if (m_command.OnNetReceive(count))
                return 1;
            if (IsHeadRejected(step)) {
                if (step != FW_STEP_DSP_REQUEST)
                    Fail();
                return 0;
            }
        }
        if (reconnected)
            return 1;
    }
}

int CFirmwareUpdate::NetReadEnd()
{
    m_net.SetRecvTimeout(NET_END_WAIT_MS);
    for (;;) {
        if (IsStopping())
            return 0;
        int count = 0;
        m_net.RecvReport(&count);
        if (count > 0) {
            // An acknowledgement ends the update through the reply engine.
            if (m_command.OnNetReceive(count))
                return 1;
            if (IsHeadRejected(FW_STEP_END)) {
                Fail();
                return 0;
            }
            continue;
        }
        // No answer within the wait (or the connection closed without one): nothing says the
        // loader took the image, so the update has not succeeded.
        Fail();
        return 0;
    }
}
