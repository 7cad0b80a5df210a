#include "CBTLMixRoute.h"

#include "CRouteMixCom.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "PromptLayout.h"

namespace {

// Row labels and faders: ids of template 1026; they stand where the column's rows stand, so the
// panel lines up with the column beside it.
struct PanelRow {
    UINT nLabelID;
    UINT nSliderID;
};
const PanelRow kRows[MIX_PANEL_ROWS] = {
    {2853, 2852}, {2854, 2849}, {2855, 2850}, {2856, 2851}, {2857, 2860}, {2858, 2861},
    {2859, 2862}, {2866, 2863}, {2867, 2864}, {2868, 2865}, {2871, 2869}, {2872, 2870},
};

bool ValidRow(int nRow) { return nRow >= 1 && nRow <= MIX_PANEL_ROWS; }

bool IsRowLabel(UINT nID)
{
    for (const PanelRow& r : kRows)
        if (r.nLabelID == nID)
            return true;
    return false;
}

}  // namespace

CBTLMixRoute::CBTLMixRoute() : CDialog(IDD_MIX_PAIR_PANEL, nullptr) { m_bmpBack.LoadBitmap(IDB_MIX_PANEL_BACK); }

BOOL CBTLMixRoute::CreatePanel(CWnd* pPage)
{
    if (GetSafeHwnd() || !pPage || !pPage->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pPage;
    const CRect rc(0, 0, MIX_PANEL_WIDTH, MIX_PANEL_HEIGHT);
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD | WS_BORDER, rc, pPage, IDD_MIX_PAIR_PANEL))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

BOOL CBTLMixRoute::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int r = 0; r < MIX_PANEL_ROWS; ++r) {
        const PanelRow& p = kRows[r];
        m_labelRow[r].Create("", WS_CHILD | WS_VISIBLE | SS_CENTER, MixRowFieldRect(r + 1), this, p.nLabelID);
        m_labelRow[r].SetFont(&g_fontArial14);
        const CPoint at = MixRowSliderPos(r + 1);
        CBitmapSlider& slider = m_sliderRow[r];
        slider.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, CRect(at, CSize(56, 20)), this,
                      p.nSliderID);
        slider.SetBitmapChannel(IDB_MIX_TRACK, IDB_MIX_TRACK, FALSE);
        slider.SetBitmapThumb(IDB_MIX_THUMB, IDB_MIX_PANEL_THUMB_ACTIVE, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        slider.SetRange(0, MIX_LEVEL_MAX, FALSE);
        slider.SetMargin(6, 4, 1, 2);
        slider.SetVertical(FALSE);
    }
    return TRUE;
}

void CBTLMixRoute::SetRow(int nRow, const CString& strText, int nPos)
{
    if (!ValidRow(nRow) || !GetSafeHwnd())
        return;
    CStatic& label = m_labelRow[nRow - 1];
    // Hidden while the text changes, so the transparent label repaints cleanly over the panel.
    label.ShowWindow(SW_HIDE);
    label.SetWindowText(strText);
    label.ShowWindow(SW_SHOW);
    m_sliderRow[nRow - 1].SetPos(nPos);
}

CString CBTLMixRoute::GetRowText(int nRow) const
{
    CString text;
    if (ValidRow(nRow) && m_labelRow[nRow - 1].GetSafeHwnd())
        m_labelRow[nRow - 1].GetWindowText(text);
    return text;
}

int CBTLMixRoute::GetRowPos(int nRow) const { return ValidRow(nRow) ? m_sliderRow[nRow - 1].GetPos() : -1; }

void CBTLMixRoute::FreeSliderBitmaps()
{
    for (CBitmapSlider& slider : m_sliderRow) {
        slider.SetBitmapChannel(0, 0);
        slider.SetBitmapThumb(0, 0);
    }
}

HBRUSH CBTLMixRoute::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd && IsRowLabel(UINT(pWnd->GetDlgCtrlID()))) {
        pDC->SetTextColor(MIX_PANEL_TEXT);
        pDC->SetBkMode(TRANSPARENT);
        return HBRUSH(GetStockObject(HOLLOW_BRUSH));
    }
    return hbr;
}

void CBTLMixRoute::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, m_bmpBack);
}

BOOL CBTLMixRoute::OnEraseBkgnd(CDC*) { return TRUE; }

void CBTLMixRoute::OnDestroy()
{
    FreeSliderBitmaps();
    CDialog::OnDestroy();
}
