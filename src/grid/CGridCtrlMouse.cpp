// The mouse, the start and end of in-cell editing, and the preset menu.
#include "CGridCtrl.h"

#include "CInPlaceEdit.h"
#include "Cursor.h"
#include "Globals.h"
#include "WinApi.h"

namespace {
constexpr int kWheelDelta = 120;
const char* const kDeleteZh = "删除 机器预置场景(&D)";
const char* const kDeleteEn = "Delete Machine Preset(&D)";
constexpr UINT kMkShift = 0x0004;
constexpr UINT kMkControl = 0x0008;
}  // namespace

CGridCtrl::WheelSteps CGridCtrl::WheelScroll(short zDelta, int nWheelLines)
{
    WheelSteps steps;
    if (nWheelLines == -1) {
        const int n = zDelta / kWheelDelta;
        steps.nCode = n > 0 ? SB_PAGEUP : SB_PAGEDOWN;
        steps.nCount = n > 0 ? n : -n;
    } else {
        const int n = int(zDelta) * nWheelLines / kWheelDelta;  // truncates toward zero
        steps.nCode = n > 0 ? SB_LINEUP : SB_LINEDOWN;
        steps.nCount = n > 0 ? n : -n;
    }
    return steps;
}

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    const WheelSteps steps = WheelScroll(zDelta, m_nWheelLines);
    for (int i = 0; i < steps.nCount; ++i)
        PostMessage(WM_VSCROLL, steps.nCode, 0);
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CGridCtrl::OnMouseMove(UINT, CPoint)
{
    // Hovering does nothing in this grid: no drag selection, no title tip, no resizing.
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nMouseMode = MODE_SELECT_ROWS;
    m_ptLeftDown = point;
    m_cellLeftDown = CellFromPoint(point);
    if (m_cellLeftDown.row == 0)
        return;
    if (m_cellLeftDown.col == 0)
        m_cellLeftDown.col = 1;
    if (!IsValidCell(m_cellLeftDown))
        return;
    m_cellSelStart = (nFlags & kMkShift) ? m_cellFocus : m_cellLeftDown;
    SetFocus();
    SetFocusCell(-1, -1);
    SetFocusCell(m_cellLeftDown);
    SetItemState(m_cellLeftDown.row, m_cellLeftDown.col, GVS_SELECTED);
    Invalidate();
    SetCapture();

    m_mapPrevSelected.clear();
    if (nFlags & kMkControl)
        m_mapPrevSelected = m_mapSelected;

    if (m_cellLeftDown.row < m_nFixedRowCount) {
        OnFixedRowClick(m_cellLeftDown);
        return;
    }
    if (m_cellLeftDown.col < m_nFixedColumnCount)
        return;
    m_nMouseMode = m_bRowMode ? MODE_SELECT_ROWS : MODE_SELECT_CELLS;
    ExtendSelection(m_cellLeftDown);
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    if (CWnd::GetCapture() == this)
        ReleaseCapture();
    if (m_nMouseMode == MODE_EDIT_PENDING)
        BeginCellEdit(m_cellFocus.row, m_cellFocus.col, VK_LBUTTON);
    m_nMouseMode = MODE_IDLE;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    CWnd* pOwner = GetParent();
    if (IsValidCell(m_cellLeftDown) && pOwner && pOwner->m_hWnd)
        pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), BN_CLICKED), LPARAM(m_hWnd));
}

void CGridCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    const CCellPos cell = CellFromPoint(point);
    if (!IsValidCell(cell) || m_nMouseMode != MODE_IDLE)
        return;
    if (m_bEditEnabled) {
        if (IsValidCell(m_cellLeftDown) && m_cellLeftDown.row >= m_nFixedRowCount &&
            m_cellLeftDown.col >= m_nFixedColumnCount) {
            SetFocus();
            SetCapture();
            SetFocusCell(std::max(cell.row, m_nFixedRowCount), std::max(cell.col, m_nFixedColumnCount));
            m_nMouseMode = MODE_EDIT_PENDING;
        }
        return;
    }
    if (cell.row >= m_nFixedRowCount && cell.col <= m_nFixedColumnCount) {
        BeginCellEdit(cell.row, cell.col, VK_LBUTTON);
        m_cellFocus = m_cellLeftDown;
        NotifyParent(cell.row, cell.col, NM_DBLCLK);
    }
}

void CGridCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_nMouseMode = MODE_SELECT_ROWS;
    m_ptLeftDown = point;
    m_cellLeftDown = CellFromPoint(point);
    if (m_cellLeftDown.row == 0 || !IsValidCell(m_cellLeftDown))
        return;
    m_cellSelStart = (nFlags & kMkShift) ? m_cellFocus : m_cellLeftDown;
    SetFocus();
    if (m_cellLeftDown == m_cellFocus) {
        m_nMouseMode = MODE_EDIT_PENDING;
    } else {
        SetFocusCell(-1, -1);
        ExtendSelection(m_cellLeftDown);
    }
    CPoint screen;
    GetCursorPos(&screen);
    m_cellRClick = m_cellLeftDown;
    // Delete is the last item: put it back with the text of the language now in force.
    m_menuPreset.DeleteMenu(ID_PRESET_DELETE, MF_BYCOMMAND);
    m_menuPreset.AppendMenu(MF_STRING, ID_PRESET_DELETE, g_bChinese ? kDeleteZh : kDeleteEn);
    m_menuPreset.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, GetParent());
    // The release of the right button never comes here; without this the keyboard would stay
    // in the press's mode and the arrow keys would do nothing until the next left click.
    m_nMouseMode = MODE_IDLE;
}

void CGridCtrl::OnFixedRowClick(CCellPos& cell)
{
    if (!IsValidCell(cell))
        return;
    if (m_bRowMode) {
        if (!m_bSortOnHeaderClick)
            return;
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        if (cell.col == m_nSortColumn) {
            m_bSortAscending = !m_bSortAscending;
        } else {
            m_bSortAscending = TRUE;
            m_nSortColumn = cell.col;
        }
        SortByText(m_nSortColumn, m_bSortAscending);
        Invalidate();
        return;
    }
    m_nMouseMode = cell.col < m_nFixedColumnCount ? MODE_SELECT_ALL : MODE_SELECT_COLUMNS;
    ExtendSelection(cell);
}

void CGridCtrl::OnFixedColumnClick(CCellPos& cell)
{
    if (!IsValidCell(cell))
        return;
    m_nMouseMode = cell.row < m_nFixedRowCount ? MODE_SELECT_ALL : MODE_SELECT_ROWS;
    ExtendSelection(cell);
}

BOOL CGridCtrl::BeginCellEdit(int nRow, int nCol, UINT nChar)
{
    EnsureVisible(nRow, nCol);
    if (!IsValidCell(nRow, nCol) || !IsCellEditable(nRow, nCol) || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellBounds(nRow, nCol, &rect))
        return FALSE;
    NotifyParent(nRow, nCol, GVN_BEGINEDIT);
    GV_CELLINFO item;
    item.row = nRow;
    item.col = nCol;
    item.mask = GVM_TEXT | GVM_FORMAT;
    if (!GetItem(&item))
        return FALSE;
    DWORD style = 0;
    if (item.nFormat & DT_RIGHT)
        style = ES_RIGHT;
    else if (item.nFormat & DT_CENTER)
        style = ES_CENTER;
    CreateCellEditor(rect, style, IDC_INCELL_EDIT, nRow, nCol, item.strText, nChar);
    return TRUE;
}

void CGridCtrl::CreateCellEditor(CRect rect, DWORD dwStyle, UINT nID, int nRow, int nCol, CString str, UINT nChar)
{
    // The editor deletes itself once its edit ends; one whose window could not be made never
    // will, so it goes here.
    auto* pEdit = new CInPlaceEdit(this, rect, dwStyle, nID, nRow, nCol, str, nChar);
    if (!pEdit->m_hWnd)
        delete pEdit;
}

void CGridCtrl::EndCellEdit(int nRow, int nCol, CString str)
{
    if (GetItemText(nRow, nCol) == str)
        return;
    SetModified(TRUE, nRow, nCol);
    SetItemText(nRow, nCol, str.c_str());
}
