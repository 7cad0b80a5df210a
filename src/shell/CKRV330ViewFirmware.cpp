// The main view's part of a firmware update: loading the file, reopening the link in firmware
// mode, and the two ends of an update (success, network reconnect given up).
#include "CKRV330View.h"

#include "FirmwareState.h"
#include "FirmwareTexts.h"
#include "LinkGlobals.h"
#include "LinkTexts.h"
#include "ShowTimedMessage.h"

namespace {
constexpr LPARAM UPDATE_DONE_STEP = 57;  // lParam of WM_UPDATE_STEP_DONE when the update is over
}  // namespace

BOOL CKRV330View::LoadUpdateFile() { return m_pFirmware ? m_pFirmware->LoadUpdateFile() : FALSE; }

BOOL CKRV330View::OpenUsbForUpdate(const CString& path)
{
    return m_pFirmware ? m_pFirmware->OpenUsbForUpdate(path) : FALSE;
}

BOOL CKRV330View::OpenNetForUpdate() { return m_pFirmware ? m_pFirmware->OpenNetForUpdate() : FALSE; }

LRESULT CKRV330View::OnUpdateDone(WPARAM, LPARAM lParam)
{
    // Only the end step's notice counts; a stale one after the link closed is ignored.
    if (lParam != UPDATE_DONE_STEP || !m_bLinked)
        return 0;
    StopComm(TRUE);
    g_bUpdating = 0;
    CloseByLinkType();
    if (m_pFirmware)
        m_pFirmware->EndUpdate();
    ShowMessage(g_strHexDoneCn, g_strHexDoneEn, TIMED_PROMPT);
    return 0;
}

LRESULT CKRV330View::OnFirmwareFailed(WPARAM, LPARAM)
{
    ShowConnectFailure();
    ShowMessage(g_strUpdateFailedCn, g_strUpdateFailedEn, TIMED_WARNING);
    return 0;
}
