// Painting: the whole grid through a memory picture, and the two cell painters that printing
// and tests use with their own contexts.
#include "CGridCtrl.h"

#include "CMemDC.h"
#include "CWindowDC.h"
#include "WinApi.h"

#include <algorithm>

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bBuffered) {
        CRect clip;
        dc.GetClipBox(&clip);
        CMemDC memDC(&dc, &clip, FALSE);
        DrawGrid(&memDC);
    } else {
        DrawGrid(&dc);
    }
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;  // painting covers every pixel
}

void CGridCtrl::FillBackground(CDC* pDC)
{
    CRect clip;
    if (pDC->GetClipBox(&clip) == RGN_ERROR)
        return;
    CRect vis;
    GetVisibleRange(&vis);
    const int W = GetFixedColumnWidth();
    const int H = GetFixedRowHeight();

    if (clip.left < W && clip.top < vis.bottom)
        pDC->FillSolidRect(CRect(clip.left, clip.top, W, vis.bottom), m_crFixedBack);
    if (clip.top < H && clip.right > W && clip.left < vis.right)
        pDC->FillSolidRect(CRect(W - 1, clip.top, vis.right, H), m_crFixedBack);
    const CRect cells(std::max({vis.left, clip.left, W}), std::max({vis.top, clip.top, H}),
                      std::min(vis.right, clip.right), std::min(vis.bottom, clip.bottom));
    if (!cells.IsRectEmpty())
        pDC->FillSolidRect(cells, m_crCellBack);
    if (vis.right < clip.right)
        pDC->FillSolidRect(CRect(vis.right, clip.top, clip.right, clip.bottom), m_crGridBack);
    if (vis.bottom < clip.bottom && clip.left < vis.right)
        pDC->FillSolidRect(CRect(clip.left, vis.bottom, vis.right, clip.bottom), m_crGridBack);
}

template <class Paint>
void CGridCtrl::PaintBlock(const CRect& clip, int row0, int row1, int y0, int col0, int col1, int x0, Paint paint)
{
    CRect rect;
    rect.bottom = y0 - 1;
    for (int row = row0; row <= row1; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clip.bottom)
            break;
        if (rect.bottom < clip.top)
            continue;
        rect.right = x0 - 1;
        for (int col = col0; col <= col1; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clip.right)
                break;
            if (rect.right < clip.left)
                continue;
            paint(row, col, rect);
        }
    }
}

void CGridCtrl::DrawGrid(CDC* pDC)
{
    CRect clip;
    if (pDC->GetClipBox(&clip) == RGN_ERROR)
        return;
    FillBackground(pDC);

    const int H = GetFixedRowHeight();
    const int W = GetFixedColumnWidth();
    const CCellPos first = GetFirstScrolledCell();
    CRect vis;
    const CCellBlock range = GetVisibleRange(&vis);

    // Corner, row headings, column headings, cells.
    auto fixedCell = [&](int row, int col, const CRect& rc) { PaintFixedCell(pDC, row, col, rc); };
    PaintBlock(clip, 0, m_nFixedRowCount - 1, 0, 0, m_nFixedColumnCount - 1, 0, fixedCell);
    PaintBlock(clip, first.row, range.maxRow, H, 0, m_nFixedColumnCount - 1, 0, fixedCell);
    PaintBlock(clip, 0, m_nFixedRowCount - 1, 0, first.col, range.maxCol, W, fixedCell);
    PaintBlock(clip, first.row, range.maxRow, H, first.col, range.maxCol, W,
               [&](int row, int col, const CRect& rc) { PaintCell(pDC, row, col, rc); });

    // Grid lines, on each cell's last column and row of pixels.
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 0, m_crLines))
        return;
    CPen* pOldPen = pDC->SelectObject(&pen);
    if (m_nLineMode == 3 || m_nLineMode == 2) {
        int x = W;
        for (int col = first.col; col <= range.maxCol; ++col) {
            x += GetColumnWidth(col);
            pDC->MoveTo(x - 1, H);
            pDC->LineTo(x - 1, vis.bottom);
        }
    }
    if (m_nLineMode == 3 || m_nLineMode == 1) {
        int y = H;
        for (int row = first.row; row <= range.maxRow; ++row) {
            y += GetRowHeight(row);
            pDC->MoveTo(W, y - 1);
            pDC->LineTo(vis.right, y - 1);
        }
    }
    pDC->SelectStockObject(NULL_PEN);
    pDC->SelectObject(pOldPen);
}

BOOL CGridCtrl::PaintFixedCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL)
{
    if (!m_bRedraw)
        return FALSE;
    const CCellData* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;

    // Inclusive cell rectangles: the platform fills up to, not including, right and bottom.
    if (!pDC->IsPrinting())
        pDC->FillSolidRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1),
                           pCell->m_clrBack == CLR_DEFAULT ? m_crFixedBack : pCell->m_clrBack);
    pDC->SetTextColor(pCell->m_clrText == CLR_DEFAULT ? m_crFixedText : pCell->m_clrText);

    const int saved = pDC->SaveDC();
    CFont font;
    font.CreateFontIndirect(&pCell->m_logFont);
    pDC->SelectObject(&font);

    if (IsValidCell(m_cellFocus) && (m_cellFocus.row == nRow || m_cellFocus.col == nCol)) {
        // Sunken inner edge: the headings of the focus cell's row and column.
        rect.right++;
        rect.bottom++;
        pDC->Draw3dRect(rect, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
        rect.DeflateRect(1, 1);
    } else {
        CPen lightPen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen darkPen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
        CPen* pOld = pDC->SelectObject(&lightPen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(&darkPen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.right, rect.bottom);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(pOld);
        rect.DeflateRect(1, 1);
    }

    pDC->SetBkMode(TRANSPARENT);
    rect.DeflateRect(m_nCellMargin, 0);
    pDC->DrawText(pCell->m_strText, &rect, pCell->m_nFormat);

    pDC->RestoreDC(saved);
    return TRUE;
}

BOOL CGridCtrl::PaintCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL)
{
    if (!m_bRedraw)
        return FALSE;
    const CCellData* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    const COLORREF back = pCell->m_clrBack == CLR_DEFAULT ? m_crCellBack : pCell->m_clrBack;
    const COLORREF text = pCell->m_clrText == CLR_DEFAULT ? m_crCellText : pCell->m_clrText;

    const int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    // The enlarged rectangle covers the cell's own grid-line pixels too; lines come after.
    const CRect filled(rect.left, rect.top, rect.right + 1, rect.bottom + 1);

    if ((pCell->m_nState & GVS_FOCUSED) && !pDC->IsPrinting()) {
        pDC->FillSolidRect(filled, back);
        pDC->SelectStockObject(BLACK_PEN);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
        pDC->SetTextColor(text);
        rect.DeflateRect(1, 1);
    } else if ((pCell->m_nState & GVS_SELECTED) && !pDC->IsPrinting()) {
        pDC->FillSolidRect(filled,
                           GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        pDC->FillSolidRect(filled, back);
        pDC->SetTextColor(text);
    }

    if ((pCell->m_nState & GVS_DROPHILITED) && !pDC->IsPrinting()) {
        pDC->SelectStockObject(BLACK_PEN);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    }

    CFont font;
    font.CreateFontIndirect(&pCell->m_logFont);
    pDC->SelectObject(&font);
    rect.DeflateRect(m_nCellMargin, 0);
    pDC->DrawText(pCell->m_strText, &rect, pCell->m_nFormat);

    pDC->RestoreDC(saved);
    return TRUE;
}

BOOL CGridCtrl::RepaintCell(int nRow, int nCol, CDC* pDC)
{
    if (!m_bRedraw || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellBounds(nRow, nCol, &rect))
        return FALSE;
    if (!pDC) {
        // A window context outside a paint reaches no screen here: let the next paint draw it.
        CRect inv(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        InvalidateRect(&inv, TRUE);
        return TRUE;
    }
    if (IsCellFixed(nRow, nCol))
        return PaintFixedCell(pDC, nRow, nCol, rect, TRUE);
    const BOOL result = PaintCell(pDC, nRow, nCol, rect, TRUE);
    CPen pen;
    if (pen.CreatePen(PS_SOLID, 0, m_crLines)) {
        CPen* pOld = pDC->SelectObject(&pen);
        if (m_nLineMode == 3 || m_nLineMode == 1) {
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nLineMode == 3 || m_nLineMode == 2) {
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom + 1);
        }
        pDC->SelectObject(pOld);
    }
    return result;
}

BOOL CGridCtrl::RepaintRow(int nRow)
{
    BOOL ok = TRUE;
    for (int col = 0; col < m_nColumnCount; ++col)
        if (!RepaintCell(nRow, col))
            ok = FALSE;
    return ok;
}

BOOL CGridCtrl::RepaintColumn(int nColumn)
{
    BOOL ok = TRUE;
    for (int row = 0; row < m_nRowCount; ++row)
        if (!RepaintCell(row, nColumn))
            ok = FALSE;
    return ok;
}
