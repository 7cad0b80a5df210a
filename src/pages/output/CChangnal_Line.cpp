#include "CChangnal_Line.h"

#include "COutputDlg.h"
#include "CWindowDC.h"
#include "DialogUnits.h"
#include "Globals.h"
#include "PromptLayout.h"

namespace {

// Template 982 is laid out in units of the 8 x 16 pixel system font.
const CSize kSystemFontBase(8, 16);

CRect StripRect(int x, int y, int cx, int cy) { return DialogRect(x, y, cx, cy, kSystemFontBase); }

}  // namespace

CChangnal_Line::CChangnal_Line() : CDialog(IDD_CURVE_LINE, nullptr) {}

BOOL CChangnal_Line::CreatePanel(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, StripRect(0, 0, 34, 123), pParent, IDD_CURVE_LINE))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

BOOL CChangnal_Line::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bmpBack.DeleteObject();
    m_bmpBack.LoadBitmap(IDB_CURVE_LINE_BACK);
    for (int i = CURVE_LINE_CHANNELS - 1; i >= 0; --i) {
        m_btnChannel[i].Create("", WS_CHILD | WS_VISIBLE, StripRect(0, 3 + 9 * i, 16, 7), this,
                               IDC_CURVE_CHANNEL + UINT(i));
        const UINT first = IDB_CURVE_CHANNEL + 3 * UINT(i);
        m_btnChannel[i].SetBitmaps(first, first + 1, first + 2, first + 2, first + 2, first + 2);
        m_btnChannel[i].SetCheck(g_bShowCurve[i] != 0);
    }
    m_btnBigCurve.Create("", WS_CHILD | WS_VISIBLE, StripRect(0, 92, 21, 14), this, IDC_BIG_CURVE);
    m_btnBigCurve.SetBitmaps(IDB_BIG_CURVE, IDB_BIG_CURVE, IDB_BIG_CURVE, IDB_BIG_CURVE + 1, IDB_BIG_CURVE + 1,
                             IDB_BIG_CURVE + 1);
    return TRUE;
}

void CChangnal_Line::OnChannel(int i)
{
    g_bShowCurve[i] = !m_btnChannel[i].GetCheck();
    m_btnChannel[i].SetCheck(g_bShowCurve[i]);
    // The current channel's own curve is always drawn: its flag changes without a reload.
    if (i != g_nCurOutput && m_pOutputDlg)
        ReloadPage();
}

void CChangnal_Line::OnBigCurve()
{
    if (m_pOutputDlg)
        m_pOutputDlg->ToggleBigCurve();
}

BOOL CChangnal_Line::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    const UINT id = LOWORD(wParam);
    if (id >= IDC_CURVE_CHANNEL && id < IDC_CURVE_CHANNEL + CURVE_LINE_CHANNELS) {
        OnChannel(int(id - IDC_CURVE_CHANNEL));
        return TRUE;
    }
    if (id == IDC_BIG_CURVE) {
        OnBigCurve();
        return TRUE;
    }
    return FALSE;
}

void CChangnal_Line::ReloadPage() { m_pOutputDlg->UpdateChannelView(); }

void CChangnal_Line::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, m_bmpBack);
}
