#include "CListCtrlCl.h"

#include "CDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "WinApi.h"

namespace {

bool FindColumn(const std::list<CListColor>& entries, int nCol, COLORREF& color)
{
    for (const CListColor& e : entries)
        if (e.nCol == nCol) {
            color = e.rgb;
            return true;
        }
    return false;
}

bool FindCell(const std::list<CListColor>& entries, int nCol, int nRow, COLORREF& color)
{
    for (const CListColor& e : entries)
        if (e.nCol == nCol && e.nRow == nRow) {
            color = e.rgb;
            return true;
        }
    return false;
}

// The header's alignment code of a column format.
char AlignCode(int nFormat)
{
    switch (nFormat) {
    case LVCFMT_LEFT: return '0';
    case LVCFMT_RIGHT: return '2';
    default: return '1';
    }
}

}  // namespace

CListCtrlCl::CListCtrlCl() : m_nRowHeight(0), m_crText(0) {}

void CListCtrlCl::PreSubclassWindow()
{
    ModifyStyle(0, LVS_OWNERDRAWFIXED);
    CListCtrl::PreSubclassWindow();
    if (CHeaderCtrl* header = GetHeaderCtrl())
        header->ModifyStyle(0, HDS_HOTTRACK, SWP_NOSIZE);
    SubclassHeader(&m_wndHeader);
}

int CListCtrlCl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    m_wndHeader.m_HChar.push_back(lpszColumnHeading ? lpszColumnHeading : "");
    m_wndHeader.m_Format += AlignCode(nFormat);
    return CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
}

void CListCtrlCl::Remeasure()
{
    if (!m_hWnd)
        return;
    CRect rc;
    GetWindowRect(&rc);
    WINDOWPOS pos{m_hWnd, nullptr, 0, 0, rc.Width(), rc.Height(),
                  SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER};
    SendMessage(WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
}

void CListCtrlCl::SetRowHeight(int nHeight)
{
    m_nRowHeight = nHeight;
    Remeasure();
}

BOOL CListCtrlCl::SetTextColor(COLORREF cr)
{
    m_crText = cr;
    return TRUE;
}

void CListCtrlCl::AddColumnBkColor(int nCol, COLORREF color) { m_lstColumnBk.push_back({0, nCol, color}); }

void CListCtrlCl::SetItemColor(int nCol, int nRow, COLORREF color)
{
    m_lstCellBk.clear();
    m_lstCellBk.push_back({nRow, nCol, color});
}

void CListCtrlCl::SetRowBkColor(int nRow, COLORREF color)
{
    for (int c = 0; c < m_wndHeader.GetItemCount(); ++c)
        m_lstCellBk.push_back({nRow, c, color});
}

void CListCtrlCl::AddColumnTextColor(int nCol, COLORREF color) { m_lstColumnText.push_back({0, nCol, color}); }

void CListCtrlCl::SetCellTextColor(int nCol, int nRow, COLORREF color)
{
    m_lstCellText.clear();
    m_lstCellText.push_back({nRow, nCol, color});
}

void CListCtrlCl::SetRowTextColors(int nRow, COLORREF color)
{
    for (int c = 0; c < m_wndHeader.GetItemCount(); ++c)
        m_lstCellText.push_back({nRow, c, color});
}

bool CListCtrlCl::GetColumnBkColor(int nCol, COLORREF& color) const { return FindColumn(m_lstColumnBk, nCol, color); }

bool CListCtrlCl::GetCellBkColor(int nCol, int nRow, COLORREF& color) const
{
    return FindCell(m_lstCellBk, nCol, nRow, color);
}

bool CListCtrlCl::GetColumnTextColor(int nCol, COLORREF& color) const
{
    return FindColumn(m_lstColumnText, nCol, color);
}

bool CListCtrlCl::GetCellTextColor(int nCol, int nRow, COLORREF& color) const
{
    return FindCell(m_lstCellText, nCol, nRow, color);
}

BOOL CListCtrlCl::ClearHeaderTexts()
{
    m_wndHeader.m_HChar.clear();
    return TRUE;
}

void CListCtrlCl::SetHeaderGradient(int r, int g, int b, int nStep)
{
    m_wndHeader.m_R = r;
    m_wndHeader.m_G = g;
    m_wndHeader.m_B = b;
    m_wndHeader.m_Gradient = nStep;
}

void CListCtrlCl::SetHeaderHeightFactor(float fFactor)
{
    m_wndHeader.m_Height = fFactor;
    Remeasure();
}

void CListCtrlCl::SetHeaderForeColor(COLORREF color) { m_wndHeader.m_color = color; }

void CListCtrlCl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_nRowHeight > 0 && lpMeasureItemStruct)
        lpMeasureItemStruct->itemHeight = UINT(m_nRowHeight);
}

void CListCtrlCl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = lpDrawItemStruct ? CDC::FromHandle(lpDrawItemStruct->hDC) : nullptr;
    if (!pDC)
        return;
    const int nItem = int(lpDrawItemStruct->itemID);
    LVCOLUMN column{LVCF_FMT, 0, 0, nullptr, 0, 0};
    for (int c = 0; GetColumn(c, &column); ++c) {
        CRect rcItem;
        if (!GetSubItemRect(nItem, c, LVIR_LABEL, rcItem))
            continue;
        char text[256];
        GetItemText(nItem, c, text, int(sizeof text));

        CRect rcFill = rcItem;
        if (c == 0)
            rcFill.left -= 2;
        COLORREF color = 0;
        if (lpDrawItemStruct->itemState & ODS_SELECTED) {
            pDC->FillSolidRect(rcFill, GetSysColor(COLOR_HIGHLIGHT));
        } else {
            // Cell over column over the list's own background.
            pDC->FillSolidRect(rcFill, GetBkColor());
            if (GetColumnBkColor(c, color))
                pDC->FillSolidRect(rcFill, color);
            if (GetCellBkColor(c, nItem, color))
                pDC->FillSolidRect(rcFill, color);
        }

        UINT nFormat = DT_CENTER;
        const char code = size_t(c) < m_wndHeader.m_Format.size() ? m_wndHeader.m_Format[size_t(c)] : '1';
        if (code == '0')
            nFormat = DT_LEFT;
        else if (code == '2')
            nFormat = DT_RIGHT;

        pDC->SelectStockObject(DEFAULT_GUI_FONT);
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        rcItem.OffsetRect(0, (rcItem.Height() - tm.tmHeight) / 2);

        COLORREF textColor = m_crText;
        if (GetColumnTextColor(c, color))
            textColor = color;
        if (GetCellTextColor(c, nItem, color))
            textColor = color;
        pDC->SetTextColor(textColor);

        pDC->SelectObject(g_bChinese ? &g_fontListSimSun16 : &g_fontListArial16);
        pDC->DrawText(text, &rcItem, nFormat);
        pDC->SelectStockObject(SYSTEM_FONT);
    }
}

void CListCtrlCl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_TAB:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return;
    default:
        CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

BOOL CListCtrlCl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The header may not start resizing a column.
    if (IsHeaderBeginTrack(lParam)) {
        *pResult = 1;
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}
