// Cell text to and from the clipboard (tab-separated, one line per row) and drag-and-drop of the
// same text.
#include "CGridCtrl.h"

#include "OleData.h"

#include <cstring>

namespace {
// Fields of a pasted line: runs of tab, comma and line feed separate them (empty fields between
// two separators vanish, as "a,,b" gives two fields). A strict reader would keep empty fields;
// the run rule is kept because text copied from other programs often pads with extra tabs.
std::vector<CString> SplitFields(const CString& line)
{
    std::vector<CString> fields;
    const char* const seps = "\t,\n";
    size_t pos = line.find_first_not_of(seps);
    while (pos != CString::npos) {
        const size_t end = line.find_first_of(seps, pos);
        fields.push_back(line.substr(pos, end == CString::npos ? CString::npos : end - pos));
        pos = end == CString::npos ? end : line.find_first_not_of(seps, end);
    }
    return fields;
}

CString Trim(const CString& s)
{
    const char* const ws = " \t\r\n\v\f";
    const size_t b = s.find_first_not_of(ws);
    if (b == CString::npos)
        return CString();
    return s.substr(b, s.find_last_not_of(ws) - b + 1);
}
}  // namespace

COleDataSource* CGridCtrl::CopyCellsText()
{
    const CCellBlock sel = GetSelectionBounds();
    if (!IsValidRange(sel))
        return nullptr;
    std::string block;
    for (int row = sel.minRow; row <= sel.maxRow; ++row) {
        std::string line;
        for (int col = sel.minCol; col <= sel.maxCol; ++col) {
            const CCellData* pCell = GetCell(row, col);
            if (pCell && (pCell->m_nState & GVS_SELECTED))
                line += pCell->m_strText.empty() ? CString(" ") : pCell->m_strText;
            if (col != sel.maxCol)
                line += '\t';
        }
        if (row != sel.maxRow)
            line += '\n';
        block += line;
    }
    block.push_back('\0');
    auto* pSource = new COleDataSource;
    pSource->CacheText(block);
    return pSource;
}

BOOL CGridCtrl::PasteCellsText(CCellPos cell, COleDataObject* pDataObject)
{
    if (!IsValidCell(cell) || !IsCellEditable(cell) || !pDataObject || !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    // The block's own length bounds the text: a block without a terminator is read no further.
    const std::string block = pDataObject->GetTextBlock();
    const size_t nul = block.find('\0');
    std::string text = nul == std::string::npos ? block : block.substr(0, nul);

    int n = 0;
    bool more = true;
    while (more) {
        const size_t lf = text.find('\n');
        CString line = text.substr(0, lf);
        more = lf != std::string::npos;
        text = more ? text.substr(lf + 1) : std::string();
        if (line.empty() && more)
            line = " ";
        const std::vector<CString> fields = SplitFields(line);
        for (size_t k = 0; k < fields.size(); ++k) {
            const int row = cell.row + n, col = cell.col + int(k);
            // Targets outside the grid, or cells the user may not change, are passed over
            // but still count, so the other fields keep their places.
            if (!IsValidCell(row, col) || (GetItemState(row, col) & GVS_READONLY))
                continue;
            const CString field = Trim(fields[k]);
            NotifyParent(row, col, GVN_BEGINEDIT);
            SetItemText(row, col, field.c_str());
            SetModified(TRUE, row, col);
            NotifyParent(row, col, GVN_ENDEDIT);
            SetItemState(row, col, GetItemState(row, col) & ~GVS_SELECTED);
        }
        ++n;
    }
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

void CGridCtrl::CutSelection()
{
    if (!IsEditEnabled())
        return;
    const auto selected = m_mapSelected;
    for (const auto& entry : selected) {
        const CCellPos& c = entry.second;
        CCellData* pCell = GetCell(c.row, c.col);
        if (!pCell || !IsCellEditable(c))
            continue;
        NotifyParent(c.row, c.col, GVN_BEGINEDIT);
        DestroyCell(pCell, c.row, c.col);
        SetModified(TRUE, c.row, c.col);
        NotifyParent(c.row, c.col, GVN_ENDEDIT);
    }
    if (m_hWnd)
        Invalidate();
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditEnabled())
        return;
    COleDataSource* pSource = CopyCellsText();
    if (!pSource)
        return;
    pSource->SetClipboard();
    CutSelection();
}

void CGridCtrl::OnEditCopy()
{
    if (COleDataSource* pSource = CopyCellsText())
        pSource->SetClipboard();
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditEnabled())
        return;
    CCellPos cell = GetFocusCell();
    if (!IsValidCell(cell))
        cell = GetFirstScrolledCell();
    if (!IsValidCell(cell))
        return;
    COleDataObject obj;
    if (obj.AttachClipboard())
        PasteCellsText(cell, &obj);
}

void CGridCtrl::OnEditSelectAll() { SelectAll(); }

BOOL CGridCtrl::CanEditCopy()
{
    const CCellBlock sel = GetSelectionBounds();
    return sel.Count() > 0 && IsValidRange(sel);
}

BOOL CGridCtrl::CanEditCut() { return IsEditEnabled() && CanEditCopy(); }

BOOL CGridCtrl::CanEditPaste()
{
    if (!IsValidCell(m_cellFocus) || !IsCellEditable(m_cellFocus))
        return FALSE;
    COleDataObject obj;
    return obj.AttachClipboard() && obj.IsDataAvailable(CF_TEXT);
}

void CGridCtrl::StartDrag()
{
    if (!m_bDragDropEnabled)
        return;
    COleDataSource* pSource = CopyCellsText();
    if (!pSource)
        return;
    NotifyParent(GetSelectionBounds().minRow, GetSelectionBounds().minCol, GVN_DRAGSTART);
    m_nMouseMode = MODE_DRAGGING;
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, this);
    if (effect & DROPEFFECT_MOVE)
        CutSelection();
    delete pSource;
}

DWORD CGridCtrl::DragEnterCell(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bDragDropEnabled || !pDataObject || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    m_cellDragOver = CellFromPoint(point, FALSE);
    if (!IsValidCell(m_cellDragOver) || !IsCellEditable(m_cellDragOver))
        return DROPEFFECT_NONE;
    SetItemState(m_cellDragOver.row, m_cellDragOver.col,
                 GetItemState(m_cellDragOver.row, m_cellDragOver.col) | GVS_DROPHILITED);
    RepaintCell(m_cellDragOver);
    return (dwKeyState & MK_CONTROL_DRAG) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DWORD CGridCtrl::DragOverCell(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bDragDropEnabled || !IsEditEnabled() || !pDataObject || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    const CCellPos cell = CellFromPoint(point, FALSE);
    if (!IsValidCell(cell)) {
        DragLeaveCell();
        m_cellDragOver = CCellPos(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;
    if (cell != m_cellDragOver) {
        if (IsValidCell(m_cellDragOver)) {
            SetItemState(m_cellDragOver.row, m_cellDragOver.col,
                         GetItemState(m_cellDragOver.row, m_cellDragOver.col) & ~GVS_DROPHILITED);
            RepaintCell(m_cellDragOver);
        }
        m_cellDragOver = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVS_DROPHILITED);
        RepaintCell(cell);
    }
    return (dwKeyState & MK_CONTROL_DRAG) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::DragLeaveCell()
{
    if (!IsValidCell(m_cellDragOver))
        return;
    SetItemState(m_cellDragOver.row, m_cellDragOver.col,
                 GetItemState(m_cellDragOver.row, m_cellDragOver.col) & ~GVS_DROPHILITED);
    RepaintCell(m_cellDragOver);
}

BOOL CGridCtrl::DropOnCell(COleDataObject* pDataObject, DWORD, CPoint)
{
    if (!m_bDragDropEnabled || !IsCellEditable(m_cellDragOver))
        return FALSE;
    m_nMouseMode = MODE_IDLE;
    DragLeaveCell();
    return PasteCellsText(m_cellDragOver, pDataObject);
}
