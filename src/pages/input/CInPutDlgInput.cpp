// The input page's input choices: the selectors, the AUX and high-level modes, the input-state
// lock and the messages from the level page.
#include "CInPutDlg.h"

#include "AppMessages.h"
#include "CPageHost.h"
#include "Globals.h"
#include "SceneImage.h"
#include "Sync.h"

void CInPutDlg::NotifyInputState()
{
    // Only a live level page hears of it.
    if (g_pLevelPage && g_pLevelPage->GetSafeHwnd())
        g_pLevelPage->PostMessage(WM_INPUT_STATE_CHANGED, WPARAM(g_bySysParams[2]), LPARAM(g_nShownInput));
    if (g_bySysParams[2]) {
        g_bySysParams[2] = 0;
        m_btnSource.SetCheck(FALSE);
        SendSys(5);
        ApplyEqEnable();
    }
}

LRESULT CInPutDlg::OnInputStateChanged(WPARAM wParam, LPARAM lParam)
{
    if (wParam) {
        m_btnSource.SetCheck(FALSE);
        ApplyEqEnable();
    }
    const int code = int(lParam);
    if (code != g_nShownInput) {
        if (code < 0 || code >= INPUT_CODES)
            return 0;
        CheckSelector(code, FALSE);
        UpdateInputButtons();
    }
    return 0;
}

void CInPutDlg::SelectInputChannel(int nCode)
{
    if (nCode == g_nShownInput || nCode < 0 || nCode >= INPUT_CODES)
        return;
    if (g_nShownInput < 0 || g_nShownInput >= INPUT_CODES)
        return;
    CheckSelector(g_nShownInput, FALSE);
    g_nShownInput = nCode;
    g_byInputSource = BYTE(nCode);
    UpdateInputButtons();
}

void CInPutDlg::OnInputButton(int k)
{
    if (k < 0 || k >= INPUT_MUSIC_CODES)
        return;
    NotifyInputState();
    if (k == g_nShownInput)
        return;
    CheckSelector(g_nShownInput, FALSE);
    g_nShownInput = k;
    g_byInputSource = BYTE(k);
    UpdateSourceState();
    if (g_bySysParams[2]) {
        g_bySysParams[2] = 0;
        m_btnSource.SetCheck(FALSE);
        SendSys(5);
    }
    SendSys(2);
    UpdateInputButtons();
    PumpViewMessages();
}

void CInPutDlg::SetInputKind(int nKind)
{
    if (nKind < 0 || nKind > 2)
        return;
    NotifyInputState();
    if (nKind == g_nInputKind)
        return;
    if (g_nInputKind == 1) {
        m_btnSelector[5].ShowWindow(SW_SHOW);
    } else if (g_nInputKind == 2) {
        m_btnSelector[4].ShowWindow(SW_SHOW);
        m_btnSelector[5].ShowWindow(SW_SHOW);
    }
    UncheckKindButtons();
    int shown = g_nShownInput;
    if (nKind == 1 && (shown == 5 || shown == 6))
        shown = 3;
    else if (nKind == 2 && (shown == 4 || shown == 5 || shown == 6))
        shown = 3;
    CheckSelector(g_nShownInput, FALSE);
    g_nInputKind = nKind;
    g_nShownInput = shown;
    g_bySysGroup8[1] = BYTE(nKind);
    g_byInputSource = BYTE(shown);
    UpdateSourceState();
    SendSys(2);
    // The AUX mode itself lives in the command-8 group.
    SendSys(8);
    UpdateInputButtons();
    PumpViewMessages();
}

void CInPutDlg::OnOneWayButton()
{
    if (g_bySysGroup8[3] == 0)
        return;
    m_btnOneWay.SetCheck(TRUE);
    m_btnTwoWay.SetCheck(FALSE);
    g_bySysGroup8[3] = 0;
    SendSys(2);
    SendSys(8);
}

void CInPutDlg::OnTwoWayButton()
{
    if (g_bySysGroup8[3] == 1)
        return;
    m_btnOneWay.SetCheck(FALSE);
    m_btnTwoWay.SetCheck(TRUE);
    g_bySysGroup8[3] = 1;
    SendSys(2);
    SendSys(8);
}

void CInPutDlg::PumpViewMessages()
{
    // An input-type report of the device still queued for the view predates the user's choice:
    // make it agree with the choice so that it cannot undo it. Later reports act as usual.
    CSingleLock lock(g_csComm);
    g_nDeviceInfo[0] = g_byInputSource;
}
