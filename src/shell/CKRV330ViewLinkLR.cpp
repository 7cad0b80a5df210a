// The view's left/right link (button 2888): on, it copies the settings of every left/right pair
// once in the direction the user picks, puts each destination into its source's link group and
// locks the speaker types; off, it lifts the lock and rebuilds the link tables.
#include "CKRV330View.h"

#include "CAll_Link_Dlg.h"
#include "Globals.h"
#include "SpeakerGroups.h"

void CKRV330View::OnLinkLR()
{
    COutputDlg& page = m_OutputPage;
    if (g_bLRLink) {
        m_btnLinkLR.SetCheck(FALSE);
        g_bLRLink = 0;
        g_bAssignFlag = 0;
        page.ApplyLinkMode();
        RebuildLinkGroups();
        page.ClearOtherStripSelections();
        return;
    }
    if (!FindStereoPairs()) {
        ShowNoLeftRightPairMessage();
        return;
    }
    CAll_Link_Dlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!g_bAssignFlag) {
        g_bAssignFlag = 1;
        page.ApplyLinkMode();
    }
    if (BuildLeftRightPairs()) {
        CopyPairedChannels(dlg.m_nDirection);
        page.UpdateChannelView();
    }
    g_bLRLink = 1;
    m_btnLinkLR.SetCheck(TRUE);
    page.SetGroupHighlight(g_nCurOutput);
    page.CheckOutputGroupPositions(g_nCurOutput, TRUE);
}
