#include "CINIT.h"

#include "CDC.h"
#include "DialogUnits.h"
#include "GdiGlobals.h"
#include "Globals.h"

#include <initializer_list>

namespace {

// Template 881, in dialog units of Arial 9 pt.
constexpr int kWidthDlu = 163;
constexpr int kHeightDlu = 74;

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(90, "Arial");
    return units;
}

}  // namespace

CINIT::CINIT(CWnd* pParent) : CDialog(IDD_INIT, pParent)
{
    Units().RegisterTemplate(IDD_INIT, "Warning!", kWidthDlu, kHeightDlu);
}

CINIT::~CINIT()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CINIT::OnInitDialog()
{
    CDialog::OnInitDialog();
    Units().ApplyFont(this, m_font);
    const CSize base = Units().Base();
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    // A little larger than the template's 8 units: the heavy 16-pixel title loses its lowest row.
    m_stTitle.Create("", shown | SS_CENTER, DialogRect(54, 14, 63, 11, base), this, IDC_INIT_TITLE);
    m_stMessage.Create("", shown | SS_LEFT, DialogRect(7, 30, 156, 8, base), this, IDC_INIT_MESSAGE);
    m_btnOK.Create("", shown | WS_TABSTOP | BS_DEFPUSHBUTTON, DialogRect(26, 50, 37, 12, base), this, IDOK);
    m_btnCancel.Create("", shown | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(107, 50, 37, 12, base), this, IDCANCEL);
    for (CWnd* w : std::initializer_list<CWnd*>{&m_stMessage, &m_btnOK, &m_btnCancel})
        w->SetFont(&m_font, FALSE);
    m_stTitle.SetFont(&g_fontArialHeavy16, FALSE);

    if (g_bChinese) {
        m_stTitle.SetWindowText("警告!");
        m_stMessage.SetWindowText("   该操作将引起设备重启并恢复到出厂时的状态");
        m_btnOK.SetWindowText("确定");
        m_btnCancel.SetWindowText("取消");
        SetWindowText("恢复出厂设置");
    } else {
        m_stTitle.SetWindowText("Warning! ");
        m_stMessage.SetWindowText("   This operation will restore factory Settings");
        SetWindowText("Warning!");
        m_btnOK.SetWindowText("OK");
        m_btnCancel.SetWindowText("Quit");
    }
    return TRUE;
}

HBRUSH CINIT::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd == &m_stTitle) {
        pDC->SetTextColor(INIT_TITLE_COLOR);
        pDC->SetBkMode(TRANSPARENT);
        return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
