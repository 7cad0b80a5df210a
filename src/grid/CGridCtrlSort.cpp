// Sorting rows, sizing rows and columns to their content or to the window, and scrolling a
// cell into view.
#include "CGridCtrl.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {
// Byte order, case-sensitive, no collation: "B" sorts before "a"; a multi-byte character
// compares as one unit because its lead byte decides first.
int CompareText(const CString& a, const CString& b)
{
    return std::strcmp(a.c_str(), b.c_str());
}
}  // namespace

void CGridCtrl::SwapRows(int nRow1, int nRow2)
{
    for (int col = 0; col < m_nColumnCount; ++col) {
        CCellData* p1 = GetCell(nRow1, col);
        CCellData* p2 = GetCell(nRow2, col);
        SetCell(nRow1, col, p2);
        SetCell(nRow2, col, p1);
    }
    std::swap(m_aRowHeights[size_t(nRow1)], m_aRowHeights[size_t(nRow2)]);
}

namespace {
// The in-place quicksort of rows low..high by a key of each row: the middle row's key is the
// pivot; rows whose keys compare equal are not swapped. Not stable.
template <class Key, class KeyOf, class Compare, class Swap>
void QuickSortRows(int low, int high, BOOL bAscending, KeyOf keyOf, Compare compare, Swap swapRows)
{
    int lo = low, hi = high;
    const Key pivot = keyOf((lo + hi) / 2);
    const int dir = bAscending ? 1 : -1;
    while (lo <= hi) {
        while (lo < high && dir * compare(keyOf(lo), pivot) < 0)
            ++lo;
        while (hi > low && dir * compare(keyOf(hi), pivot) > 0)
            --hi;
        if (lo <= hi) {
            if (compare(keyOf(lo), keyOf(hi)) != 0)
                swapRows(lo, hi);
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        QuickSortRows<Key>(low, hi, bAscending, keyOf, compare, swapRows);
    if (lo < high)
        QuickSortRows<Key>(lo, high, bAscending, keyOf, compare, swapRows);
}
}  // namespace

BOOL CGridCtrl::SortByText(int nCol, BOOL bAscending)
{
    ClearSelection();
    return SortTextItems(nCol, bAscending, m_nFixedRowCount, -1);
}

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending, int low, int high)
{
    if (nCol < 0 || nCol >= m_nColumnCount)
        return FALSE;
    if (high == -1)
        high = m_nRowCount - 1;
    if (high <= low)
        return FALSE;
    QuickSortRows<CString>(
        low, high, bAscending, [&](int row) { return GetItemText(row, nCol); }, CompareText,
        [&](int a, int b) { SwapRows(a, b); });
    return TRUE;
}

BOOL CGridCtrl::SortByItemData(int (*pfnCompare)(LPARAM, LPARAM, LPARAM), int nCol, BOOL bAscending, LPARAM data)
{
    ClearSelection();
    return SortItems(pfnCompare, nCol, bAscending, data, m_nFixedRowCount, -1);
}

BOOL CGridCtrl::SortItems(int (*pfnCompare)(LPARAM, LPARAM, LPARAM), int nCol, BOOL bAscending, LPARAM data,
                          int low, int high)
{
    if (!pfnCompare || nCol < 0 || nCol >= m_nColumnCount)
        return FALSE;
    if (high == -1)
        high = m_nRowCount - 1;
    if (high <= low)
        return FALSE;
    QuickSortRows<LPARAM>(
        low, high, bAscending, [&](int row) { return GetItemData(row, nCol); },
        [&](LPARAM a, LPARAM b) { return pfnCompare(a, b, data); }, [&](int a, int b) { SwapRows(a, b); });
    return TRUE;
}

CSize CGridCtrl::GetCellExtent(int nRow, int nCol, CDC* pDC)
{
    LOGFONT lf = *GetItemFont(nRow, nCol);
    if (IsCellFixed(nRow, nCol))
        lf.lfWeight = 600;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOld = pDC->SelectObject(&font);
    CSize size = pDC->GetTextExtent(GetItemText(nRow, nCol));
    pDC->SelectObject(pOld);
    size.cx += 4 * m_nCellMargin;
    size.cy += 2 * m_nCellMargin;
    return size;  // no image list is ever given to this grid
}

BOOL CGridCtrl::AutoSizeColumn(int nCol)
{
    if (nCol < 0 || nCol >= m_nColumnCount)
        return FALSE;
    return AutoSizeLine(m_aColumnWidths[size_t(nCol)], m_nRowCount,
                        [&](int row, CDC* pDC) { return int(GetCellExtent(row, nCol, pDC).cx); });
}

BOOL CGridCtrl::AutoSizeRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRowCount)
        return FALSE;
    return AutoSizeLine(m_aRowHeights[size_t(nRow)], m_nColumnCount,
                        [&](int col, CDC* pDC) { return int(GetCellExtent(nRow, col, pDC).cy); });
}

BOOL CGridCtrl::AutoSizeLine(UINT& size, int nCells, const std::function<int(int, CDC*)>& measure)
{
    CDC* pDC = m_hWnd ? GetDC() : nullptr;
    if (!pDC)
        return FALSE;
    int largest = 0;
    for (int i = 0; i < nCells; ++i)
        largest = std::max(largest, measure(i, pDC));
    size = UINT(largest);
    ReleaseDC(pDC);
    UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns()
{
    for (int col = 0; col < m_nColumnCount; ++col)
        AutoSizeColumn(col);
}

void CGridCtrl::AutoSizeRows()
{
    for (int row = 0; row < m_nRowCount; ++row)
        AutoSizeRow(row);
}

void CGridCtrl::AutoSize()
{
    CDC* pDC = m_hWnd ? GetDC() : nullptr;
    if (!pDC)
        return;
    std::fill(m_aColumnWidths.begin(), m_aColumnWidths.end(), 0u);
    std::fill(m_aRowHeights.begin(), m_aRowHeights.end(), 0u);
    for (int row = 0; row < m_nRowCount; ++row)
        for (int col = 0; col < m_nColumnCount; ++col) {
            const CSize size = GetCellExtent(row, col, pDC);
            m_aColumnWidths[size_t(col)] = std::max(m_aColumnWidths[size_t(col)], UINT(size.cx));
            m_aRowHeights[size_t(row)] = std::max(m_aRowHeights[size_t(row)], UINT(size.cy));
        }
    ReleaseDC(pDC);
    if (m_bRedraw) {
        UpdateScrollBars();
        Invalidate();
    }
}

namespace {
// Spreads d pixels over the sizes: d / n each, and the remainder one pixel each over the first
// ones, so that the sizes grow or shrink by exactly d.
void Spread(std::vector<UINT>& sizes, int d)
{
    const int n = int(sizes.size());
    if (n == 0)
        return;
    const int each = d / n;
    for (UINT& s : sizes)
        s = UINT(std::max(0, int(s) + each));
    if (d <= 0)
        for (int i = 0; i < (-d) % n; ++i)
            sizes[size_t(i)] = UINT(std::max(0, int(sizes[size_t(i)]) - 1));
    else
        for (int i = 0; i < d % n; ++i)
            sizes[size_t(i)] += 1;
}
}  // namespace

void CGridCtrl::FitColumnsToWindow()
{
    if (m_nColumnCount <= 0)
        return;
    CRect rect;
    GetClientRect(&rect);
    Spread(m_aColumnWidths, rect.Width() - int(GetTotalWidth()));
    if (m_bRedraw && m_hWnd)
        Invalidate();
}

void CGridCtrl::FitRowsToWindow()
{
    if (m_nRowCount <= 0)
        return;
    CRect rect;
    GetClientRect(&rect);
    Spread(m_aRowHeights, rect.Height() - int(GetTotalHeight()));
    if (m_bRedraw && m_hWnd)
        Invalidate();
}

void CGridCtrl::FitToWindow()
{
    FitColumnsToWindow();
    FitRowsToWindow();
    FitColumnsToWindow();
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    const CCellBlock vis = GetVisibleRange();
    for (int i = nCol - vis.maxCol; i > 0; --i)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    for (int i = vis.minCol - nCol; i > 0; --i)
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    for (int i = nRow - vis.maxRow; i > 0; --i)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    for (int i = vis.minRow - nRow; i > 0; --i)
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);

    CRect rectCell, rectWindow;
    if (!GetCellBounds(nRow, nCol, &rectCell))
        return;
    GetClientRect(&rectWindow);
    // Inclusive cell edges against the exclusive client edges.
    if (rectCell.right >= rectWindow.right)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    if (rectCell.bottom >= rectWindow.bottom)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!m_hWnd)
        return FALSE;
    const CCellPos first = GetFirstScrolledCell();
    if ((nCol >= m_nFixedColumnCount && nCol < first.col) || (nRow >= m_nFixedRowCount && nRow < first.row))
        return FALSE;
    CRect rect;
    GetClientRect(&rect);

    int x = 0;
    int col = 0;
    if (nCol >= m_nFixedColumnCount) {
        x = GetFixedColumnWidth();
        col = first.col;
    }
    for (; col <= nCol; ++col) {
        if (x >= rect.right)
            return FALSE;
        x += GetColumnWidth(col);
    }
    int y = 0;
    int row = 0;
    if (nRow >= m_nFixedRowCount) {
        y = GetFixedRowHeight();
        row = first.row;
    }
    for (; row <= nRow; ++row) {
        if (y >= rect.bottom)
            return FALSE;
        y += GetRowHeight(row);
    }
    return TRUE;
}

BOOL CGridCtrl::RedrawCell(const CCellPos& cell)
{
    if (!m_hWnd || !m_bRedraw || !IsCellVisible(cell))
        return FALSE;
    CRect rect;
    if (!GetCellBounds(cell, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

BOOL CGridCtrl::RedrawRange(const CCellBlock& range)
{
    if (!m_hWnd || !m_bRedraw)
        return FALSE;
    const CCellBlock cells = range.Intersect(GetVisibleRange());
    CRect rect;
    if (!GetRangeBounds(cells, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}
