// The main view's openers of the mixer page, the system dialog and the advanced settings dialog.
// Each runs its page modally; nothing follows the close.
#include "CKRV330View.h"

#include "CCurSYSDlg.h"
#include "CKRV330App.h"
#include "CInputNoise.h"

void CKRV330View::OnOpenMixer()
{
    m_MixPage.m_pView = this;
    m_MixPage.m_pScene = m_pScene;
    m_MixPage.DoModal();
}

void CKRV330View::OnSystemButton()
{
    CCurSYSDlg dlg(this);
    dlg.m_pScene = m_pScene;
    dlg.DoModal();
}

void CKRV330View::OnAdvanced()
{
    CInputNoise dlg(this);
    dlg.m_pView = this;
    dlg.DoModal();
}

BOOL CKRV330View::IsStereoPair(int nOutput) const
{
    return nOutput >= 0 && nOutput < 10 && g_bStereoPair[nOutput] == 1;
}
