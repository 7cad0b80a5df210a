// CFirmwareUpdate: the firmware transaction over USB.
#include "FirmwareUpdate.h"

#include "CKTVCommand.h"
#include "CSendData.h"
#include "Clock.h"
#include "CommWorker.h"
#include "FirmwarePackets.h"
#include "FirmwareTexts.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "UsbLink.h"

namespace {

constexpr int GIVE_UP_PAUSE_MS = 10;
constexpr int PAUSE_SLICE_MS = 100;

// Sleeps ms of the program clock in slices; FALSE as soon as the worker is asked to stop.
BOOL PauseUnlessQuitting(int ms)
{
    for (int left = ms; left > 0; left -= PAUSE_SLICE_MS) {
        if (IsCommQuitRequested())
            return FALSE;
        Sleep(left < PAUSE_SLICE_MS ? left : PAUSE_SLICE_MS);
    }
    return !IsCommQuitRequested();
}

}  // namespace

double CFirmwareUpdate::SecondsSince(LONGLONG start)
{
    LONGLONG now = 0, freq = 1;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return freq > 0 ? double(now - start) / double(freq) : 0.0;
}

void CFirmwareUpdate::UsbTransactHex()
{
    m_usb.MarkTransactStart();
    if (UsbWriteHexLoop() == 1)
        UsbReadHexLoop();
}

int CFirmwareUpdate::UsbWriteHexLoop()
{
    if (!m_usb.IsDeviceOpen() || !g_bUsbOpen)
        return 0;
    int step = 0;
    {
        CSingleLock lock(g_csComm);
        CSendData* head = TakeHeadForWrite(HEX_DSP_REQUEST_USB_ATTEMPTS);
        if (head) {
            step = head->GetCommand();
            if (step != FW_STEP_LOADER) {
                // Every update frame fits one report; nothing left means it went out already.
                if (!head->NextReport())
                    return 1;
            }
        } else if (m_command.GetSendDataCount() != 0) {
            return 0;  // the attempts are used up: reported
        }
    }
    if (step == 0) {
        Sleep(COMM_IDLE_MS);
        return 0;
    }

    if (step == FW_STEP_LOADER) {
        // No answer comes: the report is repeated for a while, then the item is done.
        FillLoaderEntryReport(g_byUsbOutReport);
        do {
            m_usb.WriteReport();
            Sleep(USB_LOADER_PAUSE_MS);
            ShowTip(g_strHexUsbCn, g_strHexUsbEn);
            if (SecondsSince(m_usb.GetTransactStart()) > USB_LOADER_ENTRY_S) {
                m_command.RemoveCurSendData();
                break;
            }
        } while (g_bUsbOpen && !IsCommQuitRequested());
        return 0;
    }

    // A write that fails is not reported here: the read that follows finds the device gone.
    m_usb.WriteReport();
    return g_bUsbOpen ? 1 : 0;
}

int CFirmwareUpdate::UsbReadHexLoop()
{
    const int step = m_nCurHexCmd;
    if (step == FW_STEP_APPLY)
        return UsbReadApply();
    const int waitCount = HexStepWaitCount(step);
    if (step == FW_STEP_DSP_REQUEST)
        ShowTip(g_strHexEraseCn, g_strHexEraseEn);

    while (g_bUsbOpen) {
        int n = 0;
        for (int wait = 0; wait < waitCount && n == 0; ++wait)
            n = m_usb.ReadReport(USB_HEX_WAIT_MS);

        if (n == CUsbLink::READ_STOPPED || n == CUsbLink::READ_FAILED) {
            if (IsCommQuitRequested())
                return 0;
            if (n == CUsbLink::READ_STOPPED)
                return 1;  // the link was cleared: whoever cleared it reports
            Fail();
            return 0;
        }
        if (n == 0) {
            // Not answered within the step's time.
            if (!g_bUsbOpen)
                return 0;
            g_bUsbOpen = 0;
            Fail();
            return 0;
        }

        if (g_bAbortingUpdate)
            return 1;
        // Byte 9 of the report is frame byte 8: the step the answer is for.
        const BOOL done = g_byUsbInReport[9] == step ? m_usb.OnUsbReport(n) : FALSE;
        if (done)
            return 1;
        if (IsHeadRejected(step)) {
            // The DSP request is written again on the next pass (the erase may need it).
            if (step != FW_STEP_DSP_REQUEST)
                Fail();
            return 0;
        }
        if (SecondsSince(m_usb.GetTransactStart()) > waitCount) {
            Sleep(GIVE_UP_PAUSE_MS);
            if (g_bUsbOpen)
                Fail();
            return 0;
        }
    }
    return 0;
}

int CFirmwareUpdate::UsbReadApply()
{
    // One wait only: the processor restarts into its loader whether or not its answer made it
    // out first (it may leave USB at once), so the restart follows every outcome but a refusal.
    const int n = m_usb.ReadReport(USB_HEX_WAIT_MS);
    if (IsCommQuitRequested())
        return 0;
    if (g_bAbortingUpdate)
        return 1;
    if (n > 0 && g_byUsbInReport[9] == FW_STEP_APPLY && !m_usb.OnUsbReport(n) && IsHeadRejected(FW_STEP_APPLY)) {
        Fail();
        return 0;
    }
    return RestartAfterApply();
}

int CFirmwareUpdate::RestartAfterApply()
{
    if (!PauseUnlessQuitting(USB_APPLY_RESTART_MS))
        return 0;
    if (!m_usb.ReopenUsb()) {
        Fail();
        return 0;
    }
    // An apply step whose answer never came has had its restart all the same: the update goes
    // on with the next step, which a processor that did not restart refuses.
    CSingleLock lock(g_csComm);
    const CSendData* head = m_command.GetCurSendData();
    if (head && head->GetCommand() == FW_STEP_APPLY)
        m_command.RemoveCurSendData();
    return 1;
}
