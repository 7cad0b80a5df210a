#include "CAll_Link_Dlg.h"

#include "Globals.h"
#include "MessageBox.h"
#include "PromptLayout.h"
#include "Texts.h"

namespace {

CFont& PromptFont()
{
    static CFont font;  // user-interface thread; shared by every run of the prompt
    return font;
}

}  // namespace

CAll_Link_Dlg::CAll_Link_Dlg(CWnd* pParent) : CDialog(IDD_ALL_LINK, pParent)
{
    RegisterPromptTemplate(IDD_ALL_LINK, "L/R Link", 183, 78);
}

void CAll_Link_Dlg::DoDataExchange(BOOL bSave)
{
    if (bSave) {
        if (m_radioLeftToRight.GetCheck() == BST_CHECKED)
            m_nDirection = 0;
        else if (m_radioRightToLeft.GetCheck() == BST_CHECKED)
            m_nDirection = 1;
        return;
    }
    m_radioLeftToRight.SetCheck(m_nDirection == 0 ? BST_CHECKED : BST_UNCHECKED);
    m_radioRightToLeft.SetCheck(m_nDirection == 1 ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CAll_Link_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CFont& font = PromptFont();
    SetPromptFont(this, font);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    m_stPrompt.Create("", child | SS_CENTER | SS_NOPREFIX, PromptRect(8, 5, 170, 16), this, IDC_ALL_LINK_PROMPT);
    m_radioLeftToRight.Create("", child | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, PromptRect(58, 25, 91, 10),
                              this, IDC_ALL_LINK_LEFT_TO_RIGHT);
    m_radioRightToLeft.Create("", child | BS_AUTORADIOBUTTON, PromptRect(58, 39, 91, 10), this,
                              IDC_ALL_LINK_RIGHT_TO_LEFT);
    m_btnOK.Create("", child | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, PromptRect(37, 56, 50, 14), this, IDOK);
    m_btnCancel.Create("", child | WS_TABSTOP | BS_PUSHBUTTON, PromptRect(101, 56, 50, 14), this, IDCANCEL);
    for (CWnd* w : {static_cast<CWnd*>(&m_stPrompt), static_cast<CWnd*>(&m_radioLeftToRight),
                    static_cast<CWnd*>(&m_radioRightToLeft), static_cast<CWnd*>(&m_btnOK),
                    static_cast<CWnd*>(&m_btnCancel)})
        w->SetFont(&font, FALSE);

    const bool cn = g_bChinese != 0;
    SetWindowText(cn ? g_strPromptCn : g_strPromptEn);
    m_stPrompt.SetText(cn ? "联调前需要同步左右通道的数据,\n请选择同步方式"
                          : "Need to synchronize the data transfer, \nplease select sync mode");
    m_radioLeftToRight.SetWindowText(cn ? "从左复制到右" : "Copy from left to right");
    m_radioRightToLeft.SetWindowText(cn ? "从右复制到左" : "Copy from right to left ");
    m_btnOK.SetWindowText(cn ? "确定" : "OK");
    m_btnCancel.SetWindowText(cn ? "取消" : "Cancel");
    DoDataExchange(FALSE);
    return TRUE;
}

BOOL CAll_Link_Dlg::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_ALL_LINK_LEFT_TO_RIGHT || id == IDC_ALL_LINK_RIGHT_TO_LEFT)) {
        DoDataExchange(TRUE);
        return TRUE;
    }
    return FALSE;
}

void CAll_Link_Dlg::OnOK()
{
    DoDataExchange(TRUE);
    EndDialog(IDOK);
}

void ShowNoLeftRightPairMessage()
{
    if (g_bChinese)
        AfxMessageBox("没有左右通道可以联调!", MB_OK, -2);
    else
        AfxMessageBox("No link L&R output !", MB_OK, -3);
}
