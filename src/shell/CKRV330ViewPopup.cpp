// The transfer popup the view owns: made hidden with the form, driven by the counted batches,
// gone with the view's window. The link moves its bar through g_pProgress.
#include "CKRV330View.h"

#include "CDisplayDlg.h"
#include "Globals.h"
#include "LinkGlobals.h"

void CKRV330View::CreateTransferPopup()
{
    if (m_pDisplayDlg)
        return;
    m_pDisplayDlg = std::make_unique<CDisplayDlg>(this);
    if (!m_pDisplayDlg->CreatePopup()) {
        m_pDisplayDlg.reset();
        return;
    }
    m_pPopupProgress = std::make_unique<CGradientProgressLink>(&m_pDisplayDlg->m_progress);
    {
        CSingleLock lock(g_csComm);
        g_pDisplayDlg = m_pDisplayDlg.get();
        g_pProgress = m_pPopupProgress.get();
    }
    m_pDisplayDlg->HideProgress();
}

void CKRV330View::DestroyTransferPopup()
{
    {
        // The link must not reach the bar once it starts to go.
        CSingleLock lock(g_csComm);
        if (g_pProgress == m_pPopupProgress.get())
            g_pProgress = nullptr;
        if (g_pDisplayDlg == m_pDisplayDlg.get())
            g_pDisplayDlg = nullptr;
    }
    m_pPopupProgress.reset();
    if (m_pDisplayDlg && m_pDisplayDlg->GetSafeHwnd())
        m_pDisplayDlg->DestroyWindow();
    m_pDisplayDlg.reset();
}

void CKRV330View::ResetTransferProgress(int)
{
    if (m_pPopupProgress)
        m_pPopupProgress->SetRange(0, m_nBatchCount);
}

void CKRV330View::ShowTransferPopup(int nMode)
{
    if (m_pDisplayDlg)
        m_pDisplayDlg->ShowProgress(nMode);
}
