#include "CHiLevelSourceDlg.h"

#include "CWindowDC.h"
#include "DialogUnits.h"

namespace {

// Template 1030, in dialog units of Arial 9 pt.
constexpr int kWidthDlu = 187;
constexpr int kHeightDlu = 96;

}  // namespace

CHiLevelSourceDlg::CHiLevelSourceDlg(CWnd* pParent) : CDialog(IDD_HILEVEL_SOURCE, pParent)
{
    static const CDialogFontUnits units(90, "Arial");
    units.RegisterTemplate(IDD_HILEVEL_SOURCE, "", kWidthDlu, kHeightDlu, WS_CHILD);
}

CHiLevelSourceDlg::~CHiLevelSourceDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CHiLevelSourceDlg::OnPaint()
{
    CPaintDC dc(this);  // validates the area; nothing is drawn
}

BOOL CHiLevelSourceDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        // Enter and Esc would end a dialog: they only bring the focus here.
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
            SetFocus();
        return FALSE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
