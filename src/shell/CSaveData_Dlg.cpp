#include "CSaveData_Dlg.h"

#include "DialogUnits.h"
#include "Globals.h"
#include "Texts.h"

#include <initializer_list>

namespace {

// Template 719, in dialog units of Arial 9 pt.
constexpr int kWidthDlu = 183;
constexpr int kHeightDlu = 78;

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(90, "Arial");
    return units;
}

}  // namespace

CSaveData_Dlg::CSaveData_Dlg(CWnd* pParent) : CDialog(IDD_SAVEDATA, pParent)
{
    Units().RegisterTemplate(IDD_SAVEDATA, "Prompting", kWidthDlu, kHeightDlu);
}

CSaveData_Dlg::~CSaveData_Dlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CSaveData_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Units().ApplyFont(this, m_font);
    const CSize base = Units().Base();
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    m_btnYes.Create("", shown | WS_TABSTOP | BS_DEFPUSHBUTTON, DialogRect(9, 56, 50, 14, base), this, IDOK);
    m_btnNo.Create("", shown | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(67, 56, 50, 14, base), this, IDC_SAVEDATA_NO);
    m_btnCancel.Create("", shown | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(125, 56, 50, 14, base), this, IDCANCEL);
    m_stQuestion.Create("", shown | SS_CENTER, DialogRect(1, 30, 180, 16, base), this, IDC_SAVEDATA_QUESTION);
    for (CWnd* w : std::initializer_list<CWnd*>{&m_btnYes, &m_btnNo, &m_btnCancel, &m_stQuestion})
        w->SetFont(&m_font, FALSE);

    const bool cn = g_bChinese != 0;
    m_btnYes.SetWindowText(cn ? "是" : "YES");
    m_btnCancel.SetWindowText(cn ? "取消" : "Cancel");
    m_btnNo.SetWindowText(cn ? "否" : "NO");
    m_stQuestion.SetWindowText(cn ? "是否保存当前场景文件?" : "Whether to save the current Presets file?");
    SetWindowText(cn ? g_strPromptCn : g_strPromptEn);
    m_nResult = 1;
    m_btnYes.SetFocus();
    return FALSE;
}

BOOL CSaveData_Dlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_SAVEDATA_NO) {
        OnNo();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSaveData_Dlg::OnOK()
{
    m_nResult = IDYES;
    CDialog::OnOK();
}

void CSaveData_Dlg::OnNo()
{
    m_nResult = IDNO;
    EndDialog(IDCANCEL);
}

void CSaveData_Dlg::OnCancel()
{
    m_nResult = IDCANCEL;
    CDialog::OnCancel();
}
