// The focus cell, the selection and the keyboard.
#include "CGridCtrl.h"

#include "WinApi.h"

#include <algorithm>

namespace {
bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }
}  // namespace

CCellPos CGridCtrl::SetFocusCell(CCellPos cell)
{
    auto markFocus = [this](const CCellPos& c) {
        if (m_bEditEnabled)
            SetItemState(c.row, c.col, GetItemState(c.row, c.col) | GVS_FOCUSED);
        else
            SetItemState(c.row, c.col, GVS_SELECTED);
    };
    auto repaintHeadings = [this](int row, int col) {
        if (col >= 0)
            for (int r = 0; r < m_nFixedRowCount; ++r)
                RepaintCell(r, col);
        if (row >= 0)
            for (int c = 0; c < m_nFixedColumnCount; ++c)
                RepaintCell(row, c);
    };

    if (cell == m_cellFocus) {
        if (IsValidCell(m_cellFocus)) {
            markFocus(m_cellFocus);
            RepaintCell(m_cellFocus);
            repaintHeadings(m_cellFocus.row, m_cellFocus.col);
        }
        return m_cellFocus;
    }

    const CCellPos old = m_cellFocus;
    m_cellFocus = cell;

    if (IsValidCell(old)) {
        NotifyParent(old.row, old.col, GVN_FOCUSLEAVE);
        SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~GVS_FOCUSED);
        RepaintCell(old);
        if (old.col != cell.col)
            repaintHeadings(-1, old.col);
        if (old.row != cell.row)
            repaintHeadings(old.row, -1);
    }
    if (IsValidCell(m_cellFocus)) {
        markFocus(m_cellFocus);
        RepaintCell(m_cellFocus);
        if (old.col != m_cellFocus.col)
            repaintHeadings(-1, m_cellFocus.col);
        if (old.row != m_cellFocus.row)
            repaintHeadings(m_cellFocus.row, -1);
        NotifyParent(m_cellFocus.row, m_cellFocus.col, GVN_FOCUSENTER);
    }
    return old;
}

void CGridCtrl::ShowSelectionChange(int nRow, int nCol, BOOL bPaintNow, CDC* pDC)
{
    if (bPaintNow && pDC)
        RepaintCell(nRow, nCol, pDC);
    else
        RedrawCell(nRow, nCol);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint)
{
    if (!m_bSelectEnabled)
        return;
    CDC* pDC = (bForceRepaint && m_hWnd) ? GetDC() : nullptr;

    // A copy: clearing the bit takes the cell out of the map.
    const auto selected = m_mapSelected;
    for (const auto& entry : selected) {
        const CCellPos& c = entry.second;
        if (!IsValidCell(c))
            continue;
        SetItemState(c.row, c.col, GetItemState(c.row, c.col) & ~GVS_SELECTED);
        if (c.row < nMinRow || c.row > nMaxRow || c.col < nMinCol || c.col > nMaxCol)
            ShowSelectionChange(c.row, c.col, bForceRepaint, pDC);
    }
    if (!m_bSingleRowSelect) {
        for (const auto& entry : m_mapPrevSelected) {
            const CCellPos& c = entry.second;
            if (!IsValidCell(c))
                continue;
            SetItemState(c.row, c.col, GetItemState(c.row, c.col) | GVS_SELECTED);
            ShowSelectionChange(c.row, c.col, bForceRepaint, pDC);
        }
    }
    if (IsValidRange(CCellBlock(nMinRow, nMinCol, nMaxRow, nMaxCol))) {
        for (int row = nMinRow; row <= nMaxRow; ++row)
            for (int col = nMinCol; col <= nMaxCol; ++col) {
                const UINT state = GetItemState(row, col);
                if (state & GVS_SELECTED)
                    continue;
                SetItemState(row, col, state | GVS_SELECTED);
                ShowSelectionChange(row, col, bForceRepaint, pDC);
            }
    }
    if (pDC)
        ReleaseDC(pDC);
}

void CGridCtrl::SetSelectedRange(const CCellBlock& range, BOOL bForceRepaint)
{
    SetSelectedRange(range.minRow, range.minCol, range.maxRow, range.maxCol, bForceRepaint);
}

void CGridCtrl::SelectAll()
{
    if (m_bSelectEnabled)
        SetSelectedRange(m_nFixedRowCount, m_nFixedColumnCount, m_nRowCount - 1, m_nColumnCount - 1);
}

void CGridCtrl::SelectRowSpan(CCellPos currentCell)
{
    if (!m_bSelectEnabled || currentCell.row < m_nFixedRowCount || !IsValidCell(currentCell))
        return;
    if (m_bRowMode && m_bSingleRowSelect)
        SetSelectedRange(currentCell.row, m_nFixedColumnCount, currentCell.row, m_nColumnCount - 1);
    else
        SetSelectedRange(std::min(m_cellSelStart.row, currentCell.row), m_nFixedColumnCount,
                         std::max(m_cellSelStart.row, currentCell.row), m_nColumnCount - 1);
}

void CGridCtrl::SelectColumnSpan(CCellPos currentCell)
{
    if (!m_bSelectEnabled || currentCell.col < m_nFixedColumnCount || !IsValidCell(currentCell))
        return;
    SetSelectedRange(m_nFixedRowCount, std::min(m_cellSelStart.col, currentCell.col), m_nRowCount - 1,
                     std::max(m_cellSelStart.col, currentCell.col));
}

void CGridCtrl::SelectCellSpan(CCellPos currentCell)
{
    if (!m_bSelectEnabled || IsCellFixed(currentCell.row, currentCell.col) || !IsValidCell(currentCell))
        return;
    SetSelectedRange(std::min(m_cellSelStart.row, currentCell.row), std::min(m_cellSelStart.col, currentCell.col),
                     std::max(m_cellSelStart.row, currentCell.row), std::max(m_cellSelStart.col, currentCell.col));
}

void CGridCtrl::ExtendSelection(CCellPos currentCell)
{
    if (!m_bSelectEnabled)
        return;
    switch (m_nMouseMode) {
    case MODE_SELECT_ALL: SelectAll(); break;
    case MODE_SELECT_COLUMNS: SelectColumnSpan(currentCell); break;
    case MODE_SELECT_ROWS: SelectRowSpan(currentCell); break;
    case MODE_SELECT_CELLS: SelectCellSpan(currentCell); break;
    default: break;
    }
}

void CGridCtrl::ClearSelection()
{
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

CCellBlock CGridCtrl::GetSelectionBounds() const
{
    CCellBlock r(m_nRowCount, m_nColumnCount, -1, -1);
    for (const auto& entry : m_mapSelected) {
        const CCellPos& c = entry.second;
        r.minRow = std::min(r.minRow, c.row);
        r.minCol = std::min(r.minCol, c.col);
        r.maxRow = std::max(r.maxRow, c.row);
        r.maxCol = std::max(r.maxCol, c.col);
    }
    return r;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValidCell(m_cellFocus)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    CCellPos next = m_cellFocus;
    bool wrapped = false;
    const int F = m_nFixedRowCount, G = m_nFixedColumnCount, R = m_nRowCount, C = m_nColumnCount;

    if (CtrlDown()) {
        switch (nChar) {
        case 'A': OnEditSelectAll(); break;
        case 'C': OnEditCopy(); break;
        case 'V': OnEditPaste(); break;
        case 'X': OnEditCut(); break;
        default: break;
        }
    }

    switch (nChar) {
    case VK_DOWN:
        // At the last row the focus wraps to row index 1, which is the first non-fixed row only
        // with one fixed row (the preset list's case). The sound wrap would be to row F.
        if (next.row < R - 1)
            next.row++;
        else
            next.row = 1;
        break;
    case VK_UP:
        if (next.row > F)
            next.row--;
        else
            next.row = R - 1;
        break;
    case VK_RIGHT:
        if (next.col < C - 1)
            next.col++;
        break;
    case VK_LEFT:
        if (next.col > G)
            next.col--;
        break;
    case VK_NEXT: {
        const CCellPos oldTop = GetFirstScrolledCell();
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        const int d = GetFirstScrolledCell().row - oldTop.row;
        next.row = d != 0 ? std::min(R - 1, next.row + d) : R - 1;
        break;
    }
    case VK_PRIOR: {
        const CCellPos oldTop = GetFirstScrolledCell();
        SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
        const int d = GetFirstScrolledCell().row - oldTop.row;
        next.row = d != 0 ? std::max(F, next.row + d) : F;
        break;
    }
    case VK_HOME:
        SendMessage(WM_VSCROLL, SB_TOP, 0);
        next.row = F;
        break;
    case VK_END:
        SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        next.row = R - 1;
        break;
    case VK_TAB:
        if (!ShiftDown()) {
            if (next.col < C - 1) {
                next.col++;
            } else {
                next.col = G;
                next.row = next.row < R - 1 ? next.row + 1 : 1;
                wrapped = true;
            }
        } else {
            if (next.col > G) {
                next.col--;
            } else if (next.row > F) {
                next.row--;
                next.col = C - 1;
                wrapped = true;
            } else {
                CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
            }
        }
        break;
    case VK_DELETE:
        // Clears even with editing switched off: the preset list's owner takes the notice as
        // "delete this preset". A general-purpose grid would also test IsCellEditable here.
        if (!(GetItemState(m_cellFocus.row, m_cellFocus.col) & GVS_READONLY)) {
            SetItemText(m_cellFocus.row, m_cellFocus.col, "");
            SetModified(TRUE, m_cellFocus.row, m_cellFocus.col);
            NotifyParent(m_cellFocus.row, m_cellFocus.col, GVN_CLEARCELL);
            RepaintCell(m_cellFocus);
        }
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    }

    if (next == m_cellFocus)
        return;

    if (m_nMouseMode == MODE_IDLE) {
        m_mapPrevSelected.clear();
        m_nMouseMode = m_bRowMode ? MODE_SELECT_ROWS : MODE_SELECT_CELLS;
        m_cellSelStart = next;
        SetFocusCell(-1, -1);
        m_cellFocus = next;
        ExtendSelection(next);
        m_nMouseMode = MODE_IDLE;
    }

    if (IsCellVisible(next))
        return;
    EnsureVisible(next);
    switch (nChar) {
    case VK_LEFT: SendMessage(WM_HSCROLL, SB_LINELEFT, 0); break;
    case VK_RIGHT: SendMessage(WM_HSCROLL, SB_LINERIGHT, 0); break;
    case VK_UP: SendMessage(WM_VSCROLL, SB_LINEUP, 0); break;
    case VK_DOWN: SendMessage(WM_VSCROLL, SB_LINEDOWN, 0); break;
    case VK_TAB:
        if (!ShiftDown()) {
            if (wrapped) {
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                SetScrollPosition(SB_HORZ, 0);
            } else {
                SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            }
        } else {
            if (wrapped) {
                SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                SetScrollPosition(SB_HORZ, m_nHScrollLimit);
            } else {
                SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            }
        }
        break;
    default: break;
    }
    Invalidate();
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!CtrlDown() && m_nMouseMode == MODE_IDLE && !(nChar == VK_TAB && m_bWantTab))
        BeginCellEdit(m_cellFocus.row, m_cellFocus.col, nChar);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CGridCtrl::OnEditEndNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    if (!m_hWnd || !pNMHDR)
        return;
    const auto* pNotify = reinterpret_cast<const GV_EDITNOTIFY*>(pNMHDR);
    const GV_CELLINFO& item = pNotify->item;
    const int row = item.row, col = item.col;
    const UINT key = UINT(item.lParam);
    EndCellEdit(row, col, item.strText);
    RedrawCell(row, col);
    NotifyParent(row, col, GVN_ENDEDIT);
    if (key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN)) {
        OnKeyDown(key, 0, 0);
        BeginCellEdit(m_cellFocus.row, m_cellFocus.col, key);
    }
}
