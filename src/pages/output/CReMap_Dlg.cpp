#include "CReMap_Dlg.h"

#include "Globals.h"
#include "PromptLayout.h"
#include "Texts.h"

namespace {

CFont& PromptFont()
{
    static CFont font;  // user-interface thread; shared by every run of the prompt
    return font;
}

}  // namespace

CReMap_Dlg::CReMap_Dlg(CWnd* pParent) : CDialog(IDD_REMAP, pParent)
{
    RegisterPromptTemplate(IDD_REMAP, "ReSet", 183, 78);
}

BOOL CReMap_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CFont& font = PromptFont();
    SetPromptFont(this, font);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    m_stPrompt.Create("", child | SS_CENTER | SS_NOPREFIX, PromptRect(1, 30, 180, 16), this, IDC_REMAP_PROMPT);
    m_btnOK.Create("", child | WS_TABSTOP | BS_DEFPUSHBUTTON, PromptRect(9, 56, 50, 14), this, IDOK);
    m_btnDefault.Create("", child | WS_TABSTOP | BS_PUSHBUTTON, PromptRect(67, 56, 50, 14), this, IDC_REMAP_DEFAULT);
    m_btnCancel.Create("", child | WS_TABSTOP | BS_PUSHBUTTON, PromptRect(125, 56, 50, 14), this, IDCANCEL);
    for (CWnd* w : {static_cast<CWnd*>(&m_stPrompt), static_cast<CWnd*>(&m_btnOK),
                    static_cast<CWnd*>(&m_btnDefault), static_cast<CWnd*>(&m_btnCancel)})
        w->SetFont(&font, FALSE);

    const bool cn = g_bChinese != 0;
    SetWindowText(cn ? g_strPromptCn : g_strPromptEn);
    m_stPrompt.SetWindowText(cn ? "输出配置清空或恢复默认" : "The output map emptied or restore default");
    m_btnOK.SetWindowText(cn ? "清空" : "Emptied");
    m_btnDefault.SetWindowText(cn ? "默认" : "Default");
    m_btnCancel.SetWindowText(cn ? "取消" : "Cancel");
    m_nResult = REMAP_EMPTY;
    return TRUE;
}

BOOL CReMap_Dlg::OnCommand(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == IDC_REMAP_DEFAULT && HIWORD(wParam) == BN_CLICKED) {
        OnDefault();
        return TRUE;
    }
    return FALSE;
}

void CReMap_Dlg::OnOK()
{
    m_nResult = REMAP_EMPTY;
    EndDialog(IDOK);
}

void CReMap_Dlg::OnDefault()
{
    m_nResult = REMAP_DEFAULT;
    EndDialog(IDOK);
}

void CReMap_Dlg::OnCancel()
{
    m_nResult = REMAP_NOTHING;
    EndDialog(IDCANCEL);
}
