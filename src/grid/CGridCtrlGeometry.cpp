// Where the cells lie at the current scroll positions, and the scroll bars that move them.
#include "CGridCtrl.h"

#include "WinApi.h"

#include <algorithm>

namespace {
// One flag for all grids: a size message that arrives while a grid handles one is dropped.
bool s_bInOnSize = false;
}  // namespace

void CGridCtrl::GetClientRect(LPRECT lpRect) const
{
    CWnd::GetClientRect(lpRect);
    m_scrollBars.AdjustClientRect(lpRect);
}

BOOL CGridCtrl::IsValidCell(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRowCount && nCol >= 0 && nCol < m_nColumnCount;
}

BOOL CGridCtrl::IsValidRange(const CCellBlock& r) const
{
    return r.minRow >= 0 && r.minCol >= 0 && r.maxRow >= 0 && r.maxCol >= 0 && r.maxRow < m_nRowCount &&
           r.maxCol < m_nColumnCount && r.minRow <= r.maxRow && r.minCol <= r.maxCol;
}

CCellPos CGridCtrl::GetFirstScrolledCell()
{
    const int vpos = GetScrollPosition(SB_VERT);
    const int hpos = GetScrollPosition(SB_HORZ);
    CCellPos cell(m_nFixedRowCount, m_nFixedColumnCount);
    for (int x = 0; x < hpos && cell.col < m_nColumnCount - 1; ++cell.col)
        x += GetColumnWidth(cell.col);
    for (int y = 0; y < vpos && cell.row < m_nRowCount - 1; ++cell.row)
        y += GetRowHeight(cell.row);
    return cell;
}

namespace {
// The index of the line (row or column) under a coordinate along one axis: the fixed lines from
// 0, then the scrolled ones from `first`; -1 before 0, past the last line, or in the fixed part
// when it is not to be hit.
template <class SizeOf>
int LineAt(int coord, int fixedCount, int count, int first, BOOL hitFixed, SizeOf sizeOf)
{
    int fixedSize = 0;
    for (int i = 0; i < fixedCount; ++i)
        fixedSize += sizeOf(i);
    if (coord < 0 || (!hitFixed && coord < fixedSize))
        return -1;
    const bool inFixed = coord < fixedSize;
    int edge = inFixed ? 0 : fixedSize;
    const int end = inFixed ? fixedCount : count;
    for (int i = inFixed ? 0 : first; i < end; ++i) {
        edge += sizeOf(i);
        if (edge > coord)
            return i;
    }
    return -1;
}

// The last line shown from `first` on, with the far edge it reaches (clamped to the client's
// edge); `whole` drops a last line that the edge cuts (unless it is line 0).
template <class SizeOf>
int LastLineShown(int first, int count, int start, int clientEdge, bool whole, SizeOf sizeOf, int* pEdge)
{
    int edge = start;
    int i = first;
    for (; i < count; ++i) {
        edge += sizeOf(i);
        if (edge >= clientEdge)
            break;
    }
    int last = std::min(i, count - 1);
    if (whole && i < count && edge > clientEdge && last > 0)
        --last;
    if (pEdge)
        *pEdge = std::min(edge, clientEdge);
    return last;
}
}  // namespace

CCellPos CGridCtrl::CellFromPoint(CPoint point, BOOL bAllowFixedCellCheck)
{
    const CCellPos first = GetFirstScrolledCell();
    return CCellPos(LineAt(point.y, m_nFixedRowCount, m_nRowCount, first.row, bAllowFixedCellCheck,
                           [this](int i) { return GetRowHeight(i); }),
                    LineAt(point.x, m_nFixedColumnCount, m_nColumnCount, first.col, bAllowFixedCellCheck,
                           [this](int i) { return GetColumnWidth(i); }));
}

CCellBlock CGridCtrl::VisibleRange(bool bWhole, LPRECT pRect)
{
    CRect rect;
    GetClientRect(&rect);
    const CCellPos first = GetFirstScrolledCell();
    int right = 0, bottom = 0;
    const int maxRow = LastLineShown(first.row, m_nRowCount, GetFixedRowHeight(), rect.bottom, bWhole,
                                     [this](int i) { return GetRowHeight(i); }, &bottom);
    const int maxCol = LastLineShown(first.col, m_nColumnCount, GetFixedColumnWidth(), rect.right, bWhole,
                                     [this](int i) { return GetColumnWidth(i); }, &right);
    if (pRect)
        *pRect = CRect(0, 0, right, bottom);
    return CCellBlock(first.row, first.col, maxRow, maxCol);
}

CCellBlock CGridCtrl::GetVisibleRange(LPRECT pRect) { return VisibleRange(false, pRect); }

CCellBlock CGridCtrl::GetFullyVisibleRange() { return VisibleRange(true, nullptr); }

CCellBlock CGridCtrl::GetWholeRange() const { return CCellBlock(0, 0, m_nRowCount - 1, m_nColumnCount - 1); }

BOOL CGridCtrl::GetCellTopLeft(int nRow, int nCol, LPPOINT p)
{
    if (!IsValidCell(nRow, nCol) || !p)
        return FALSE;
    const CCellPos first = GetFirstScrolledCell();
    if ((nRow >= m_nFixedRowCount && nRow < first.row) || (nCol >= m_nFixedColumnCount && nCol < first.col))
        return FALSE;
    p->x = 0;
    if (nCol < m_nFixedColumnCount) {
        for (int c = 0; c < nCol; ++c)
            p->x += GetColumnWidth(c);
    } else {
        p->x = GetFixedColumnWidth();
        for (int c = first.col; c < nCol; ++c)
            p->x += GetColumnWidth(c);
    }
    p->y = 0;
    if (nRow < m_nFixedRowCount) {
        for (int r = 0; r < nRow; ++r)
            p->y += GetRowHeight(r);
    } else {
        p->y = GetFixedRowHeight();
        for (int r = first.row; r < nRow; ++r)
            p->y += GetRowHeight(r);
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellBounds(int nRow, int nCol, LPRECT pRect)
{
    CPoint p;
    if (!pRect || !GetCellTopLeft(nRow, nCol, &p))
        return FALSE;
    *pRect = CRect(p.x, p.y, p.x + GetColumnWidth(nCol) - 1, p.y + GetRowHeight(nRow) - 1);
    return TRUE;
}

BOOL CGridCtrl::GetCellTextRect(int nRow, int nCol, LPRECT pRect)
{
    // No image list is ever given to this grid, so the text takes the whole cell.
    if (!GetCell(nRow, nCol))
        return FALSE;
    return GetCellBounds(nRow, nCol, pRect);
}

BOOL CGridCtrl::GetRangeBounds(const CCellBlock& range, LPRECT lpRect)
{
    CPoint minP, maxP;
    if (!lpRect || !GetCellTopLeft(range.minRow, range.minCol, &minP) ||
        !GetCellTopLeft(range.maxRow, range.maxCol, &maxP))
        return FALSE;
    *lpRect = CRect(minP.x, minP.y, maxP.x + GetColumnWidth(range.maxCol) - 1,
                    maxP.y + GetRowHeight(range.maxRow) - 1);
    return TRUE;
}

BOOL CGridCtrl::IsOverRowEdge(CPoint point)
{
    if (point.x >= GetFixedColumnWidth())
        return FALSE;
    const CCellPos cell = CellFromPoint(point);
    CPoint start;
    if (!GetCellTopLeft(cell, &start))
        return FALSE;
    const int endy = start.y + GetRowHeight(cell.row);
    return (point.y - start.y <= m_nResizeZone && cell.row != 0) || endy - point.y <= m_nResizeZone;
}

BOOL CGridCtrl::IsOverColumnEdge(CPoint point)
{
    if (point.y >= GetFixedRowHeight())
        return FALSE;
    const CCellPos cell = CellFromPoint(point);
    CPoint start;
    if (!GetCellTopLeft(cell, &start))
        return FALSE;
    const int endx = start.x + GetColumnWidth(cell.col);
    return (point.x - start.x <= m_nResizeZone && cell.col != 0) || endx - point.x <= m_nResizeZone;
}

void CGridCtrl::UpdateScrollBars()
{
    if (!m_bRedraw || !m_hWnd)
        return;
    CRect rect;
    GetClientRect(&rect);
    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    const CRect virtualRect(GetFixedColumnWidth(), GetFixedRowHeight(), int(GetTotalWidth()), int(GetTotalHeight()));
    if (!IsValidRange(GetFullyVisibleRange()))
        return;

    SCROLLINFO si;
    si.fMask = SIF_PAGE;
    si.nPage = UINT(rect.Width());
    m_scrollBars.SetScrollInfo(SB_HORZ, &si, FALSE);
    si.nPage = UINT(rect.Height());
    m_scrollBars.SetScrollInfo(SB_VERT, &si, FALSE);

    m_nVScrollLimit = rect.Height() < virtualRect.Height() ? virtualRect.Height() - 1 : 0;
    m_nHScrollLimit = rect.Width() < virtualRect.Width() ? virtualRect.Width() - 1 : 0;
    m_scrollBars.SetScrollRange(SB_VERT, 0, m_nVScrollLimit, TRUE);
    m_scrollBars.SetScrollRange(SB_HORZ, 0, m_nHScrollLimit, TRUE);
}

int CGridCtrl::GetScrollPosition(int nBar, BOOL bGetTrackPos)
{
    SCROLLINFO si;
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!m_scrollBars.GetScrollInfo(nBar, &si))
        return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollPosition(int nBar, int nPos, BOOL bRedraw)
{
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    m_scrollBars.SetScrollInfo(nBar, &si, bRedraw);
    return TRUE;
}

void CGridCtrl::ScrollAxis(int nBar, UINT nSBCode)
{
    if (m_hWnd && CWnd::GetFocus() != this)
        SetFocus();
    m_wndTip.HideTip();

    // One axis at a time: rows and the vertical bar, or columns and the horizontal one.
    const bool vert = nBar == SB_VERT;
    const int limit = vert ? m_nVScrollLimit : m_nHScrollLimit;
    const int pos = GetScrollPosition(nBar);
    const CCellPos first = GetFirstScrolledCell();
    const int firstIndex = vert ? first.row : first.col;
    const int fixedCount = vert ? m_nFixedRowCount : m_nFixedColumnCount;
    auto size = [&](int i) { return vert ? GetRowHeight(i) : GetColumnWidth(i); };
    CRect rect;
    GetClientRect(&rect);
    const int fixed = vert ? GetFixedRowHeight() : GetFixedColumnWidth();
    const int page = (vert ? rect.Height() : rect.Width()) - fixed;
    // Everything but the headings of this axis.
    CRect moving = rect;
    (vert ? moving.top : moving.left) = fixed;

    switch (nSBCode) {
    case SB_LINEDOWN:
        if (pos < limit) {
            SetScrollPosition(nBar, pos + size(firstIndex));
            if (GetScrollPosition(nBar) != pos)
                InvalidateRect(&moving);
        }
        break;
    case SB_LINEUP:
        if (pos > 0 && firstIndex > fixedCount) {
            SetScrollPosition(nBar, std::max(0, pos - size(firstIndex - 1)));
            InvalidateRect(&moving);
        }
        break;
    case SB_PAGEDOWN:
        if (pos < limit) {
            SetScrollPosition(nBar, std::min(limit, pos + page));
            InvalidateRect(&moving);
        }
        break;
    case SB_PAGEUP:
        if (pos > 0) {
            SetScrollPosition(nBar, std::max(0, pos - page));
            InvalidateRect(&moving);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPosition(nBar, GetScrollPosition(nBar, TRUE));
        if (GetFirstScrolledCell() != first)
            InvalidateRect(&moving);
        break;
    case SB_TOP:
        if (pos > 0) {
            SetScrollPosition(nBar, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (pos < limit) {
            SetScrollPosition(nBar, limit);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT, CWnd*) { ScrollAxis(SB_VERT, nSBCode); }

void CGridCtrl::OnHScroll(UINT nSBCode, UINT, CWnd*) { ScrollAxis(SB_HORZ, nSBCode); }

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    if (s_bInOnSize || !m_hWnd)
        return;
    s_bInOnSize = true;
    SetFocus();  // ends an open in-cell edit
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBars();
    s_bInOnSize = false;
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != GRID_AUTOSCROLL_TIMER)
        return;
    CPoint origPt;
    if (!GetCursorPos(&origPt))
        return;
    ScreenToClient(&origPt);
    CRect rect;
    GetClientRect(&rect);
    const int fixedH = GetFixedRowHeight(), fixedW = GetFixedColumnWidth();

    CPoint pt = origPt;
    if (pt.y > rect.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        pt.x = std::clamp(pt.x, int(rect.left), int(rect.right));
        pt.y = rect.bottom;
        ExtendSelection(CellFromPoint(pt));
    } else if (pt.y < fixedH) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        pt.x = std::clamp(pt.x, int(rect.left), int(rect.right));
        pt.y = fixedH + 1;
        ExtendSelection(CellFromPoint(pt));
    }
    pt = origPt;
    if (pt.x > rect.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        pt.y = std::clamp(pt.y, int(rect.top), int(rect.bottom));
        pt.x = rect.right;
        ExtendSelection(CellFromPoint(pt));
    } else if (pt.x < fixedW) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        pt.y = std::clamp(pt.y, int(rect.top), int(rect.bottom));
        pt.x = fixedW + 1;
        ExtendSelection(CellFromPoint(pt));
    }
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this) {
        if (m_nTimerId != 0) {
            KillTimer(m_nTimerId);
            m_nTimerId = 0;
        }
        if (m_nMouseMode == MODE_DRAGGING)
            m_nMouseMode = MODE_IDLE;
    }
}
