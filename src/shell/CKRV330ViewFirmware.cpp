// The main view's part of a firmware update: loading the file, reopening the link in firmware
// mode, the reconnect attempts of an update that waits for its device, the abandon, and the two
// ends of an update (success, network reconnect given up).
#include "CKRV330View.h"

#include "CUpgradeDlg.h"
#include "DevicePopup.h"

#include "AppMessages.h"
#include "FirmwareState.h"
#include "FirmwareTexts.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkProgress.h"
#include "LinkTexts.h"
#include "ShowTimedMessage.h"

namespace {
constexpr LPARAM UPDATE_DONE_STEP = 57;  // lParam of WM_UPDATE_STEP_DONE when the update is over

// The update dialog's status line, while the dialog is open.
void ShowUpdateTip(const CString& cn, const CString& en)
{
    CSingleLock lock(g_csComm);
    if (g_pCurHexUpTip)
        g_pCurHexUpTip->SetText(FirmwareText(cn, en));
}
}  // namespace

BOOL CKRV330View::LoadUpdateFile() { return m_Link.GetFirmwareUpdate() ? m_Link.GetFirmwareUpdate()->LoadUpdateFile() : FALSE; }

BOOL CKRV330View::OpenUsbForUpdate(const CString& path)
{
    return m_Link.GetFirmwareUpdate() ? m_Link.GetFirmwareUpdate()->OpenUsbForUpdate(path) : FALSE;
}

BOOL CKRV330View::OpenNetForUpdate() { return m_Link.GetFirmwareUpdate() ? m_Link.GetFirmwareUpdate()->OpenNetForUpdate() : FALSE; }

LRESULT CKRV330View::OnUpdateDone(WPARAM, LPARAM lParam)
{
    // Only the end step's notice counts; a stale one after the link closed is ignored.
    if (lParam != UPDATE_DONE_STEP || !m_bLinked)
        return 0;
    StopComm(TRUE);
    g_bUpdating = 0;
    CloseByLinkType();
    if (m_Link.GetFirmwareUpdate())
        m_Link.GetFirmwareUpdate()->EndUpdate();
    ShowMessage(g_strHexDoneCn, g_strHexDoneEn, TIMED_PROMPT);
    return 0;
}

LRESULT CKRV330View::OnFirmwareFailed(WPARAM, LPARAM)
{
    ShowConnectFailure();
    // The link type named the failed link for the text above; with nothing open it would
    // only keep the next connect (button, watchdog, device arrival) from running.
    if (!m_bLinked)
        g_nLinkType = 0;
    ShowMessage(g_strUpdateFailedCn, g_strUpdateFailedEn, TIMED_WARNING);
    return 0;
}

BOOL CKRV330View::ReconnectForUpdate(BOOL bMore)
{
    switch (g_nLinkType.load()) {
    case 1:
        if (ConnectUsb()) {
            m_SendQueue.RemoveAllSendData();
            g_bUpdating = 1;
            StartComm(TRUE);
            return TRUE;
        }
        if (bMore) {
            ShowUpdateTip(g_strHexUsbCn, g_strHexUsbEn);
            UnregisterUsbPath();
            return FALSE;
        }
        g_bUpdating = 0;
        ShowConnectFailure();
        m_SendQueue.RemoveAllSendData();
        if (m_Link.GetFirmwareUpdate())
            m_Link.GetFirmwareUpdate()->EndUpdate();
        // Nothing is open: the next connect must not find a link type left behind.
        g_nLinkType = 0;
        {
            CSingleLock lock(g_csComm);
            if (!g_pCurHexUpTip)
                return FALSE;  // the dialog has gone
        }
        ShowMessage(g_strUpdateFailedBangCn, g_strUpdateFailedBangEn, TIMED_WARNING);
        return FALSE;
    case 2:
        if (m_Link.GetFirmwareUpdate() && m_Link.GetFirmwareUpdate()->OpenNetForUpdate())
            return TRUE;
        if (bMore) {
            ShowUpdateTip(g_strHexNetCn, g_strHexNetEn);
            return FALSE;
        }
        g_bUpdating = 0;
        m_SendQueue.RemoveAllSendData();
        if (m_Link.GetFirmwareUpdate())
            m_Link.GetFirmwareUpdate()->EndUpdate();
        ShowUpdateTip(g_strUpdateFailedCn, g_strUpdateFailedEn);
        PostMessage(WM_UPDATE_FAILED);
        return FALSE;
    case 3:
        // The serial port is tried once, when the device has had all the time to come back.
        if (bMore)
            return FALSE;
        if (OpenSerialLink()) {
            m_SendQueue.RemoveAllSendData();
            g_bUpdating = 1;
            StartComm(TRUE);
            return TRUE;
        }
        ShowConnectFailure();
        g_nLinkType = 0;
        return FALSE;
    default:
        return FALSE;
    }
}

void CKRV330View::AbortFirmwareUpdate()
{
    if (m_bLinked) {
        StopComm(TRUE);
        CloseByLinkType();
    }
    g_bUpdating = 0;
    if (m_Link.GetFirmwareUpdate())
        m_Link.GetFirmwareUpdate()->EndUpdate();
    ShowMessage(g_strUpdateFailedBangCn, g_strUpdateFailedBangEn, TIMED_WARNING);
}

void CKRV330View::OnSettingsMenuButton()
{
    if (CMenu* popup = m_menuSettings.GetSubMenu(0))
        TrackPopupBelow(popup, &m_btnSettingsMenu, this);
}

void CKRV330View::OnFirmwareUpdate()
{
    g_bUpdateWaiting = 0;
    {
        CUpgradeDlg dlg(this, this);
        dlg.DoModal();
    }
    g_bUpdateWaiting = 0;
    {
        CSingleLock lock(g_csComm);
        g_pUpdateProgress = nullptr;
        g_pCurHexUpTip = nullptr;
    }
    g_bUpdating = 0;
}
