// The grid's table: cells, rows, columns, their sizes and the per-cell accessors.
#include "CGridCtrl.h"

#include <algorithm>

CCellData* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRowCount || nCol < 0 || nCol >= m_nColumnCount)
        return nullptr;
    if (size_t(nRow) >= m_aRows.size() || size_t(nCol) >= m_aRows[size_t(nRow)].size())
        return nullptr;
    return m_aRows[size_t(nRow)][size_t(nCol)];
}

CCellData* CGridCtrl::CreateCell(int nRow, int nCol)
{
    auto* pCell = new CCellData;
    if (nRow > 0 && nCol >= 0 && nCol < m_nColumnCount)
        pCell->m_nFormat = GetItemFormat(nRow - 1, nCol);
    pCell->m_logFont = m_lfGrid;
    return pCell;
}

void CGridCtrl::DestroyCell(CCellData* pCell, int nRow, int nCol)
{
    SetItemState(nRow, nCol, 0);
    if (pCell)
        pCell->m_strText.clear();
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)  // a caller's error: refused
        return FALSE;
    if (nRows == m_nRowCount)
        return TRUE;
    if (nRows < m_nFixedRowCount)
        m_nFixedRowCount = nRows;
    if (m_cellFocus.row >= nRows)
        SetFocusCell(-1, -1);

    const int addedFrom = m_nRowCount;
    for (int row = nRows; row < m_nRowCount; ++row) {
        if (size_t(row) >= m_aRows.size())
            break;
        auto& cells = m_aRows[size_t(row)];
        for (int col = 0; col < int(cells.size()); ++col) {
            if (CCellData* pCell = cells[size_t(col)]) {
                DestroyCell(pCell, row, col);
                delete pCell;
            }
        }
        cells.clear();
    }
    m_nRowCount = nRows;
    m_aRows.resize(size_t(nRows));
    m_aRowHeights.resize(size_t(nRows));
    for (int row = addedFrom; row < nRows; ++row) {
        m_aRowHeights[size_t(row)] = UINT(m_nDefaultRowHeight);
        m_aRows[size_t(row)].assign(size_t(m_nColumnCount), nullptr);
        for (int col = 0; col < m_nColumnCount; ++col)
            m_aRows[size_t(row)][size_t(col)] = CreateCell(row, col);
    }
    if (m_hWnd && m_bRedraw) {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_nColumnCount)
        return TRUE;
    if (nCols < m_nFixedColumnCount)
        m_nFixedColumnCount = nCols;
    if (m_cellFocus.col >= nCols)
        SetFocusCell(-1, -1);

    const int addedFrom = m_nColumnCount;
    for (int row = 0; row < m_nRowCount && size_t(row) < m_aRows.size(); ++row) {
        auto& cells = m_aRows[size_t(row)];
        for (int col = nCols; col < int(cells.size()); ++col) {
            if (CCellData* pCell = cells[size_t(col)]) {
                DestroyCell(pCell, row, col);
                delete pCell;
            }
        }
    }
    m_nColumnCount = nCols;
    m_aColumnWidths.resize(size_t(nCols));
    for (int col = addedFrom; col < nCols; ++col)
        m_aColumnWidths[size_t(col)] = UINT(m_nDefaultColumnWidth);
    for (int row = 0; row < m_nRowCount && size_t(row) < m_aRows.size(); ++row) {
        auto& cells = m_aRows[size_t(row)];
        cells.resize(size_t(nCols), nullptr);
        for (int col = addedFrom; col < nCols; ++col)
            cells[size_t(col)] = CreateCell(row, col);
    }
    if (m_hWnd && m_bRedraw) {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows > m_nRowCount && !SetRowCount(nFixedRows))
        return FALSE;
    if (m_cellFocus.row < nFixedRows)
        SetFocusCell(-1, -1);
    m_nFixedRowCount = nFixedRows;
    if (m_hWnd && m_bRedraw)
        Invalidate();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (nFixedCols > m_nColumnCount && !SetColumnCount(nFixedCols))
        return FALSE;
    if (m_cellFocus.col < nFixedCols)
        SetFocusCell(-1, -1);
    m_nFixedColumnCount = nFixedCols;
    if (m_hWnd && m_bRedraw)
        Invalidate();
    return TRUE;
}

int CGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn)
{
    if (nColumn >= 0 && nColumn >= m_nColumnCount)
        return -1;
    ClearSelection();
    if (m_nRowCount < 1)
        SetRowCount(1);
    if (nColumn < 0)
        nColumn = m_nColumnCount;
    m_aColumnWidths.insert(m_aColumnWidths.begin() + nColumn, 0u);
    for (int row = 0; row < m_nRowCount; ++row) {
        if (size_t(row) >= m_aRows.size())
            return -1;
        auto& cells = m_aRows[size_t(row)];
        cells.insert(cells.begin() + nColumn, nullptr);
    }
    ++m_nColumnCount;
    // Cells are made once the count includes the new column, so CreateCell can read the
    // format of the cell above.
    for (int row = 0; row < m_nRowCount; ++row)
        m_aRows[size_t(row)][size_t(nColumn)] = CreateCell(row, nColumn);

    SetItemText(0, nColumn, strHeading);
    for (int row = 0; row < m_nRowCount; ++row)
        SetItemFormat(row, nColumn, nFormat);
    m_aColumnWidths[size_t(nColumn)] = UINT(GetTextExtent(strHeading, TRUE).cx);
    UpdateScrollBars();
    return nColumn;
}

int CGridCtrl::InsertRow(LPCTSTR strHeading, int nRow)
{
    if (nRow >= 0 && nRow >= m_nRowCount)
        return -1;
    ClearSelection();
    if (m_nColumnCount < 1)
        SetColumnCount(1);
    if (nRow < 0)
        nRow = m_nRowCount;
    m_aRowHeights.insert(m_aRowHeights.begin() + nRow, 0u);
    m_aRows.insert(m_aRows.begin() + nRow, std::vector<CCellData*>(size_t(m_nColumnCount), nullptr));
    ++m_nRowCount;
    for (int col = 0; col < m_nColumnCount; ++col)
        m_aRows[size_t(nRow)][size_t(col)] = CreateCell(nRow, col);
    SetItemText(nRow, 0, strHeading);
    m_aRowHeights[size_t(nRow)] = UINT(GetTextExtent(strHeading, TRUE).cy);
    UpdateScrollBars();
    return nRow;
}

BOOL CGridCtrl::DeleteColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= m_nColumnCount)
        return FALSE;
    ClearSelection();
    for (int row = 0; row < m_nRowCount; ++row) {
        if (size_t(row) >= m_aRows.size())
            return FALSE;
        auto& cells = m_aRows[size_t(row)];
        if (size_t(nColumn) < cells.size()) {
            if (CCellData* pCell = cells[size_t(nColumn)]) {
                DestroyCell(pCell, row, nColumn);
                delete pCell;
            }
            cells.erase(cells.begin() + nColumn);
        }
    }
    m_aColumnWidths.erase(m_aColumnWidths.begin() + nColumn);
    --m_nColumnCount;
    if (nColumn < m_nFixedColumnCount)
        --m_nFixedColumnCount;
    UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRowCount || size_t(nRow) >= m_aRows.size())
        return FALSE;
    ClearSelection();
    auto& cells = m_aRows[size_t(nRow)];
    for (int col = 0; col < int(cells.size()); ++col) {
        if (CCellData* pCell = cells[size_t(col)]) {
            DestroyCell(pCell, nRow, col);
            delete pCell;
        }
    }
    m_aRows.erase(m_aRows.begin() + nRow);
    m_aRowHeights.erase(m_aRowHeights.begin() + nRow);
    --m_nRowCount;
    if (nRow < m_nFixedRowCount)
        --m_nFixedRowCount;
    UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows()
{
    for (int row = m_nRowCount - 1; row >= m_nFixedRowCount; --row)
        DeleteRow(row);
    return TRUE;
}

BOOL CGridCtrl::DeleteAllCells()
{
    ClearSelection();
    m_aColumnWidths.clear();
    m_aRowHeights.clear();
    for (int row = 0; row < int(m_aRows.size()); ++row) {
        auto& cells = m_aRows[size_t(row)];
        for (int col = 0; col < int(cells.size()); ++col) {
            if (CCellData* pCell = cells[size_t(col)]) {
                DestroyCell(pCell, row, col);
                delete pCell;
            }
        }
    }
    m_aRows.clear();
    m_nRowCount = m_nFixedRowCount = m_nColumnCount = m_nFixedColumnCount = 0;
    m_mapSelected.clear();
    UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CCellData* pCell)
{
    if (!GetCell(nRow, nCol) && (nRow < 0 || nRow >= m_nRowCount || nCol < 0 || nCol >= m_nColumnCount))
        return FALSE;
    m_aRows[size_t(nRow)][size_t(nCol)] = pCell;
    return TRUE;
}

BOOL CGridCtrl::SetItem(const GV_CELLINFO* pItem)
{
    CCellData* pCell = pItem ? GetCell(pItem->row, pItem->col) : nullptr;
    if (!pCell)
        return FALSE;
    if (pItem->mask & GVM_TEXT)
        pCell->m_strText = pItem->strText;
    if (pItem->mask & GVM_PARAM)
        pCell->m_lParam = pItem->lParam;
    if (pItem->mask & GVM_IMAGE)
        pCell->m_nImage = pItem->nImage;
    if (pItem->mask & GVM_STATE)
        pCell->m_nState = pItem->nState;
    if (pItem->mask & GVM_FORMAT)
        pCell->m_nFormat = pItem->nFormat;
    if (pItem->mask & GVM_BKCLR)
        pCell->m_clrBack = pItem->clrBack;
    if (pItem->mask & GVM_FGCLR)
        pCell->m_clrText = pItem->clrText;
    if (pItem->mask & GVM_FONT)
        pCell->m_logFont = pItem->lfFont;
    return TRUE;
}

BOOL CGridCtrl::GetItem(GV_CELLINFO* pItem)
{
    CCellData* pCell = pItem ? GetCell(pItem->row, pItem->col) : nullptr;
    if (!pCell)
        return FALSE;
    if (pItem->mask & GVM_TEXT)
        pItem->strText = GetItemText(pItem->row, pItem->col);
    if (pItem->mask & GVM_PARAM)
        pItem->lParam = pCell->m_lParam;
    if (pItem->mask & GVM_IMAGE)
        pItem->nImage = pCell->m_nImage;
    if (pItem->mask & GVM_STATE)
        pItem->nState = pCell->m_nState;
    if (pItem->mask & GVM_FORMAT)
        pItem->nFormat = pCell->m_nFormat;
    if (pItem->mask & GVM_BKCLR)
        pItem->clrBack = pCell->m_clrBack;
    if (pItem->mask & GVM_FGCLR)
        pItem->clrText = pCell->m_clrText;
    if (pItem->mask & GVM_FONT)
        pItem->lfFont = pCell->m_logFont;
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    CCellData* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->m_strText = str ? str : "";
    pCell->m_strText2 = pCell->m_strText;
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

CString CGridCtrl::GetItemText(int nRow, int nCol)
{
    const CCellData* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->m_strText : CString();
}

BOOL CGridCtrl::SetItemText2(int nRow, int nCol, LPCTSTR str)
{
    CCellData* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->m_strText2 = str ? str : "";
    return TRUE;
}

CString CGridCtrl::GetItemText2(int nRow, int nCol) const
{
    const CCellData* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->m_strText2 : CString();
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    CCellData* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    const DWORD key = SelectionKey(nRow, nCol);
    if ((pCell->m_nState & GVS_SELECTED) && !(state & GVS_SELECTED))
        m_mapSelected.erase(key);
    else if (!(pCell->m_nState & GVS_SELECTED) && (state & GVS_SELECTED))
        m_mapSelected[key] = CCellPos(nRow, nCol);
    pCell->m_nState = state;
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    const CCellData* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->m_nState : 0;
}

#define GRID_CELL_ACCESSORS(Name, Type, field, missing)              \
    BOOL CGridCtrl::Set##Name(int nRow, int nCol, Type value)        \
    {                                                                \
        CCellData* pCell = GetCell(nRow, nCol);                      \
        if (!pCell)                                                  \
            return FALSE;                                            \
        pCell->field = value;                                        \
        return TRUE;                                                 \
    }                                                                \
    Type CGridCtrl::Get##Name(int nRow, int nCol) const              \
    {                                                                \
        const CCellData* pCell = GetCell(nRow, nCol);                \
        return pCell ? pCell->field : Type(missing);                 \
    }

GRID_CELL_ACCESSORS(ItemFormat, UINT, m_nFormat, 0)
GRID_CELL_ACCESSORS(ItemImage, int, m_nImage, -1)
GRID_CELL_ACCESSORS(ItemBkColor, COLORREF, m_clrBack, 0)
GRID_CELL_ACCESSORS(ItemTextColor, COLORREF, m_clrText, 0)
GRID_CELL_ACCESSORS(ItemData, LPARAM, m_lParam, 0)
#undef GRID_CELL_ACCESSORS

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* lf)
{
    CCellData* pCell = GetCell(nRow, nCol);
    if (!pCell || !lf)
        return FALSE;
    pCell->m_logFont = *lf;
    return TRUE;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol) const
{
    const CCellData* pCell = GetCell(nRow, nCol);
    return pCell ? &pCell->m_logFont : &m_lfGrid;
}

int CGridCtrl::GetRowHeight(int nRow) const
{
    return (nRow < 0 || nRow >= m_nRowCount) ? -1 : int(m_aRowHeights[size_t(nRow)]);
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    return (nCol < 0 || nCol >= m_nColumnCount) ? -1 : int(m_aColumnWidths[size_t(nCol)]);
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRowCount || height < 0)
        return FALSE;
    m_aRowHeights[size_t(nRow)] = UINT(height);
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nColumnCount || width < 0)
        return FALSE;
    m_aColumnWidths[size_t(nCol)] = UINT(width);
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int h = 0;
    for (int i = 0; i < m_nFixedRowCount; ++i)
        h += GetRowHeight(i);
    return h;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int w = 0;
    for (int i = 0; i < m_nFixedColumnCount; ++i)
        w += GetColumnWidth(i);
    return w;
}

long CGridCtrl::GetTotalWidth() const
{
    long w = 0;
    for (int i = 0; i < m_nColumnCount; ++i)
        w += GetColumnWidth(i);
    return w;
}

long CGridCtrl::GetTotalHeight() const
{
    long h = 0;
    for (int i = 0; i < m_nRowCount; ++i)
        h += GetRowHeight(i);
    return h;
}

CSize CGridCtrl::GetTextExtent(LPCTSTR str, BOOL bEmphasised)
{
    CDC* pDC = m_hWnd ? GetDC() : nullptr;
    if (!pDC)
        return CSize(0, 0);
    CFont font;
    CFont* pOld = nullptr;
    if (bEmphasised) {
        LOGFONT lf = m_lfGrid;
        lf.lfWeight = 600;
        font.CreateFontIndirect(&lf);
        pOld = pDC->SelectObject(&font);
    } else {
        if (!m_fontGrid.GetSafeHandle())
            m_fontGrid.CreateFontIndirect(&m_lfGrid);
        pOld = pDC->SelectObject(&m_fontGrid);
    }
    CSize size = pDC->GetTextExtent(str ? str : "");
    if (pOld)
        pDC->SelectObject(pOld);
    ReleaseDC(pDC);
    size.cx += 2 * m_nCellMargin;
    size.cy += 2 * m_nCellMargin;
    return size;
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol) const
{
    return nRow < m_nFixedRowCount || nCol < m_nFixedColumnCount;
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return m_bEditEnabled && !(GetItemState(nRow, nCol) & GVS_READONLY);
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    if (nRow <= 0 || nCol <= 0) {
        m_bModified = bModified;
    } else if (CCellData* pCell = GetCell(nRow, nCol)) {
        if (bModified) {
            pCell->m_nState |= GVS_MODIFIED;
            m_bModified = TRUE;
        } else {
            pCell->m_nState &= ~GVS_MODIFIED;
        }
    }
    if (!m_bModified)
        for (auto& cells : m_aRows)
            for (CCellData* pCell : cells)
                if (pCell)
                    pCell->m_nState &= ~GVS_MODIFIED;
}

BOOL CGridCtrl::GetModified(int nRow, int nCol) const
{
    if (nRow <= 0 || nCol <= 0)
        return m_bModified;
    return (GetItemState(nRow, nCol) & GVS_MODIFIED) ? TRUE : FALSE;
}

CCellPos CGridCtrl::FindNextCell(CCellPos cell, UINT nFlags) const
{
    const UINT wanted = nFlags & (GVS_FOCUSED | GVS_SELECTED | GVS_DROPHILITED | GVS_READONLY | GVS_MODIFIED);
    auto matches = [&](int row, int col) { return (GetItemState(row, col) & wanted) != 0; };
    if (nFlags & (GVF_BELOW | GVF_TOLEFT | GVF_TORIGHT)) {
        int row = cell.row <= 0 ? m_nFixedRowCount : cell.row;
        int col = cell.col + 1 <= 0 ? m_nFixedColumnCount : cell.col + 1;
        for (; row < m_nRowCount; ++row, col = m_nFixedColumnCount)
            for (; col < m_nColumnCount; ++col)
                if (matches(row, col))
                    return CCellPos(row, col);
    } else if (nFlags & GVF_ABOVE) {
        for (int row = cell.row - 1; row >= m_nFixedRowCount; --row)
            if (matches(row, cell.col))
                return CCellPos(row, cell.col);
    }
    return CCellPos(-1, -1);
}
