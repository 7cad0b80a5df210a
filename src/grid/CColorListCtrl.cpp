#include "CColorListCtrl.h"

#include "WinApi.h"

#include <algorithm>

CELLCOLOR::CELLCOLOR()
    : nRow(-1), nCol(-1), crText(GetSysColor(COLOR_WINDOWTEXT)), crBk(GetSysColor(COLOR_WINDOW))
{
}

void CColorListCtrl::SetCellColors(int nRow, int nCol, COLORREF crText, COLORREF crBk)
{
    CELLCOLOR cc;
    cc.nRow = nRow;
    cc.nCol = nCol;
    cc.crText = crText;
    cc.crBk = crBk;
    m_arCellColors.push_back(cc);
    Invalidate(TRUE);
    UpdateWindow();
}

void CColorListCtrl::SetRowColors(int nRow, COLORREF crText, COLORREF crBk)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header || !header->GetSafeHwnd())
        return;
    for (int c = 0; c < header->GetItemCount(); ++c)
        SetCellColors(nRow, c, crText, crBk);
}

void CColorListCtrl::ClearCellColors()
{
    m_arCellColors.clear();
    Invalidate(TRUE);
    UpdateWindow();
}

BOOL CColorListCtrl::DeleteAllItems()
{
    const BOOL result = CListCtrl::DeleteAllItems();
    ClearCellColors();
    return result;
}

BOOL CColorListCtrl::DeleteItem(int nItem)
{
    if (!CListCtrl::DeleteItem(nItem))
        return FALSE;
    m_arCellColors.erase(std::remove_if(m_arCellColors.begin(), m_arCellColors.end(),
                                        [nItem](const CELLCOLOR& cc) { return cc.nRow == nItem; }),
                         m_arCellColors.end());
    return TRUE;
}

BOOL CColorListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (message == WM_NOTIFY && hdr && hdr->code == NM_CUSTOMDRAW && hdr->hwndFrom == m_hWnd) {
        *pResult = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return TRUE;
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CColorListCtrl::OnCustomDraw(NMLVCUSTOMDRAW* pDraw)
{
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
        COLORREF back = GetSysColor(COLOR_WINDOW);
        for (const CELLCOLOR& cc : m_arCellColors)
            if (cc.nRow == int(pDraw->nmcd.dwItemSpec) && cc.nCol == pDraw->iSubItem) {
                text = cc.crText;
                back = cc.crBk;
            }
        pDraw->clrText = text;
        pDraw->clrTextBk = back;
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

BOOL CColorListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The header may not start resizing a column.
    if (IsHeaderBeginTrack(lParam)) {
        *pResult = 1;
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}
