// The main view's opener of the input page.
#include "CKRV330View.h"

void CKRV330View::OnOpenInputDialog()
{
    // A page of its own, run modally over the live scene; it registers and unregisters itself.
    CInPutDlg dlg(this);
    dlg.m_pView = this;
    dlg.AttachScene(m_pScene);
    dlg.DoModal();
}
