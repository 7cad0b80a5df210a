#include "CWarnDlg.h"

#include "DialogUnits.h"
#include "Globals.h"

namespace {

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(80, "Arial");
    return units;
}

}  // namespace

CWarnDlg::CWarnDlg(CWnd* pParent) : CDialog(IDD_WARN, pParent)
{
    Units().RegisterTemplate(IDD_WARN, "KRV330 Software", 163, 63);
}

CWarnDlg::~CWarnDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CWarnDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Units().ApplyFont(this, m_font);
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    m_btnOK.Create("", shown | WS_TABSTOP | BS_DEFPUSHBUTTON, Units().Rect(57, 41, 50, 14), this, IDOK);
    m_stText.Create("", shown | SS_CENTER | SS_CENTERIMAGE, Units().Rect(4, 1, 156, 37), this, IDC_WARN_TEXT);
    m_btnOK.SetFont(&m_font, FALSE);
    m_stText.SetFont(&m_font, FALSE);
    m_stText.SetText(m_strWarnText.c_str());
    m_btnOK.SetWindowText(g_bChinese ? "退出" : "Quit");
    return TRUE;
}
