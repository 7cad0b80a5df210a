// The input page's source choices: the source bar's connectors, the second-source button 3967
// with menu 173, and the redraw of that button.
#include "CInPutDlg.h"

#include "Globals.h"
#include "MenuTemplate.h"
#include "SceneImage.h"

namespace {

// Texts of items 174, 175, 176 and 180 (positions 0, 1, 2, 6); AUX1..AUX3 keep theirs.
struct MenuText {
    int pos;
    UINT id;
    const char* cn;
    const char* en;
};
const MenuText kMenuTexts[] = {
    {0, 174, "数字", "S/PDIF"},
    {1, 175, "高电平", "Hi.Level"},
    {2, 176, "蓝牙", "Phone"},
    {6, 180, "关闭", "OFF"},
};

}  // namespace

void CInPutDlg::OnInputSourceSelected(int nCode)
{
    // Only codes of the six music inputs come from the bar; anything else is not an input.
    if (nCode < 0 || nCode >= INPUT_MUSIC_CODES)
        return;
    NotifyInputState();
    if (nCode != g_nShownInput)
        CheckSelector(g_nShownInput, FALSE);
    g_nShownInput = nCode;
    g_byInputSource = BYTE(nCode);
    UpdateSourceState();
    SendSys(2);
    UpdateInputButtons();
    PumpViewMessages();
}

CMenu* PrepareSourceMenu(CMenu& menu)
{
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return nullptr;
    for (const MenuText& t : kMenuTexts) {
        popup->DeleteMenu(UINT(t.pos), MF_BYPOSITION);
        popup->InsertMenu(UINT(t.pos), MF_BYPOSITION | MF_STRING, t.id, g_bChinese ? t.cn : t.en);
    }
    for (int i = 0; i < SOURCE_ENTRIES; ++i)
        popup->EnableMenuItem(UINT(i), MF_BYPOSITION | (g_SourceRules.nCurMask[i] ? MF_ENABLED : MF_DISABLED));
    return popup;
}

CMenu* CInPutDlg::PrepareSourceMenu() { return ::PrepareSourceMenu(m_menuSource); }

void CInPutDlg::OnSourceButton()
{
    CMenu* popup = PrepareSourceMenu();
    if (!popup)
        return;
    CRect rc;
    m_btnSource.GetWindowRect(&rc);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + 2, this);
}

void CInPutDlg::OnSourceMenuItem(UINT nID)
{
    if (nID >= ID_SOURCE_FIRST && nID <= ID_SOURCE_LAST)
        SelectSource(int(nID - ID_SOURCE_FIRST));
}

void CInPutDlg::SelectSource(int k)
{
    if (k == g_nSourceSelect || k < 0 || k >= SOURCE_ENTRIES)
        return;
    g_nSourceSelect = k;
    UpdateSourceButton();
    SendSys(2);
}

void CInPutDlg::SetSourceButtonImages(int s)
{
    if (s < 0 || s >= SOURCE_ENTRIES)
        return;
    if (g_bChinese)
        m_btnSource.SetBitmaps(3100 + s, 3110 + s, 3110 + s, 0, 0, 0);
    else
        m_btnSource.SetBitmaps(3120 + s, 3130 + s, 3130 + s, 0, 0, 0);
    if (m_btnSource.GetSafeHwnd())
        m_btnSource.Invalidate();
}

void CInPutDlg::UpdateSourceButton()
{
    SetSourceButtonImages(g_nSourceSelect);
    if (g_bySysGroup8[3] == 0) {
        m_btnOneWay.SetCheck(TRUE);
        m_btnTwoWay.SetCheck(FALSE);
    } else if (g_bySysGroup8[3] == 1) {
        m_btnOneWay.SetCheck(FALSE);
        m_btnTwoWay.SetCheck(TRUE);
    }
}

void CInPutDlg::UpdateSourceState()
{
    if (g_SourceRules.SelectSourceRow(g_nShownInput, g_nInputKind))
        return;
    SetSourceButtonImages(g_nSourceSelect);
}
