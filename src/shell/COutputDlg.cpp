#include "COutputDlg.h"

#include "CWindowDC.h"

namespace {
const COLORREF kPageBack = RGB(0x26, 0x2C, 0x34);  // until the page paints its own background
}  // namespace

COutputDlg::COutputDlg() : CDialog(IDD_OUTPUT_PAGE) {}

BOOL COutputDlg::CreatePage(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    // A child page, not a top-level dialog: made directly as a child window.
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, OUTPUT_PAGE_WIDTH, OUTPUT_PAGE_HEIGHT), pParent,
                        IDD_OUTPUT_PAGE))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

void COutputDlg::ShowPage(int nCmdShow)
{
    if (GetSafeHwnd())
        ShowWindow(nCmdShow ? nCmdShow : SW_HIDE);
}

void COutputDlg::UpdateChannelView()
{
    ++m_nUpdates;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void COutputDlg::LoadRoutingFromImage() { ++m_nRoutingLoads; }

void COutputDlg::SetLanguageTexts()
{
    ++m_nLanguageLoads;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void COutputDlg::FocusFirstBand()
{
    if (GetSafeHwnd())
        SetFocus();
}

void COutputDlg::UpdateBands()
{
    ++m_nBandUpdates;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void COutputDlg::ClearGroupHighlight(int) { ++m_nHighlightClears; }

void COutputDlg::ShowLinkGroups()
{
    ++m_nLinkGroupLoads;
    DrawGraph(-1);
}

void COutputDlg::ApplyLinkMode() { ++m_nLinkModeApplies; }

void COutputDlg::DrawGraph(int)
{
    ++m_nGraphDraws;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

BOOL COutputDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void COutputDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kPageBack);
}
