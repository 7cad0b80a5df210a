// CGridCtrl: printing. The grid's whole width plus a margin of four characters on each side is
// spread over the paper's width; rows run down the pages (a row is never split), each page with
// a header (program title, window caption), the fixed rows as column headings, and a footer
// ("Page n of m" and the date). Cells are painted by the grid's own painters, as is the
// picture of the focus cell that a drag carries.
#include "CGridCtrl.h"

#include "CImageList.h"
#include "CWinApp.h"
#include "PrintDialog.h"
#include "PrinterDC.h"

#include <ctime>

namespace {

// Output and clipping precision of the print font: outlines, clipped by character.
constexpr BYTE kOutStrokePrecis = 3;
constexpr BYTE kClipCharacterPrecis = 1;

CString AppTitle()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pszAppName : CString();
}

// a * b / c rounded to the nearest integer; -1 when c is 0.
int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = (long long)a * b;
    return int((p >= 0) == (c > 0) ? (p + c / 2) / c : (p - c / 2) / c);
}

// The print font made bold, for the header and footer.
bool MakeBold(CFont& print, CFont& bold)
{
    LOGFONT lf{};
    if (!print.GetLogFont(&lf))
        return false;
    lf.lfWeight = FW_BOLD;
    return bold.CreateFontIndirect(&lf) != FALSE;
}

// The grid lines of one printed cell (rect inclusive) in the pen selected: by the line mode
// (bit 0 horizontal, bit 1 vertical) along its bottom and right edges, also along its top in
// the grid's first row and its left edge in the first column. Vertical lines reach one unit up
// into the row above, except in the first row printed.
void PrintCellLines(CDC* pDC, int nLineMode, const CRect& rect, bool bGridTop, bool bFirstCol, bool bPrintTop)
{
    const int left = bFirstCol ? rect.left : rect.left - 1;
    const int top = bPrintTop ? rect.top : rect.top - 1;
    if (nLineMode & 1) {
        pDC->MoveTo(left, rect.bottom);
        pDC->LineTo(rect.right, rect.bottom);
        if (bGridTop) {
            pDC->MoveTo(left, rect.top);
            pDC->LineTo(rect.right, rect.top);
        }
    }
    if (nLineMode & 2) {
        pDC->MoveTo(rect.right, top);
        pDC->LineTo(rect.right, rect.bottom);
        if (bFirstCol) {
            pDC->MoveTo(rect.left, top);
            pDC->LineTo(rect.left, rect.bottom);
        }
    }
}

}  // namespace

void CGridCtrl::Print()
{
    CPrintDialog dlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE, nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    const HDC hDC = dlg.GetPrinterDC();
    CDC* pDC = CDC::FromHandle(hDC);
    if (!pDC)
        return;
    pDC->m_bPrinting = TRUE;

    const CString title = AppTitle();
    const CString output = dlg.GetFileName();
    DOCINFO di{int(sizeof(DOCINFO)), title.c_str(), output.empty() ? nullptr : output.c_str(), nullptr, 0};
    bool ok = StartDoc(hDC, &di) > 0;

    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, GetDeviceCaps(hDC, HORZRES), GetDeviceCaps(hDC, VERTRES));
    OnBeginPrinting(pDC, &info);
    // Without the print font nothing was laid out (no body rows): no page is printed, rather
    // than pages up to the information's open-ended last page.
    const UINT last = m_fontPrint.GetSafeHandle() ? info.GetMaxPage() : 0;
    for (UINT page = info.GetMinPage(); ok && page <= last; ++page) {
        if (StartPage(hDC) <= 0) {
            ok = false;
            break;
        }
        info.m_nCurPage = page;
        OnPrint(pDC, &info);
        ok = EndPage(hDC) > 0;
    }
    OnEndPrinting(pDC, &info);
    if (ok)
        EndDoc(hDC);
    else
        AbortDoc(hDC);
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || GetRowCount() <= GetFixedRowCount())
        return;
    CDC* pWindowDC = GetDC();
    if (!pWindowDC)
        return;

    m_fontPrint.DeleteObject();
    m_fontPrint.CreateFont(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, kOutStrokePrecis, kClipCharacterPrecis,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Times New Roman");
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);

    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
    const CSize letters = pDC->GetTextExtent(kLetters, 52);
    m_sizeChar = CSize(letters.cx / 52, letters.cy);

    const HDC hDC = pDC->GetSafeHdc();
    m_sizePaper = CSize(GetDeviceCaps(hDC, HORZRES), GetDeviceCaps(hDC, VERTRES));
    m_sizeLogicalPage.cx = int(GetTotalWidth()) + 8 * m_sizeChar.cx;
    m_sizeLogicalPage.cy = MulDivRound(m_sizeLogicalPage.cx, m_sizePaper.cy, m_sizePaper.cx);
    m_nPageHeight = m_sizeLogicalPage.cy - GetFixedRowHeight() - 6 * m_sizeChar.cy;

    int pages = 1;
    int height = 0;
    for (int row = GetFixedRowCount(); row < GetRowCount(); ++row) {
        height += GetRowHeight(row);
        if (height > m_nPageHeight && height != GetRowHeight(row)) {
            ++pages;
            height = GetRowHeight(row);
        }
    }
    pInfo->SetMaxPage(UINT(pages));
    pInfo->m_nCurPage = 1;

    ReleaseDC(pWindowDC);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !m_fontPrint.GetSafeHandle())
        return;
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    CPrinterDC* printer = CPrinterDC::FromHandle(pDC->GetSafeHdc());
    if (printer)
        printer->SetWindowViewportExt(m_sizeLogicalPage, m_sizePaper);
    const int cx = m_sizeChar.cx;
    const int cy = m_sizeChar.cy;
    auto finish = [&]() {
        pDC->SetWindowOrg(0, 0);
        if (printer)
            printer->ResetMapping();
        if (pOldFont)
            pDC->SelectObject(pOldFont);
    };

    pDC->SetWindowOrg(-4 * cx, 0);
    pInfo->m_rectDraw.SetRect(0, 0, m_sizeLogicalPage.cx - 8 * cx, 2 * cy);
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -3 * cy);
    pInfo->m_rectDraw.bottom = GetFixedRowHeight();
    PrintColumnHeadings(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    // The page's first row, by the rule that counted the pages.
    int start = GetFixedRowCount();
    UINT page = 1;
    int height = 0;
    for (int row = GetFixedRowCount(); row < GetRowCount() && page < pInfo->m_nCurPage; ++row) {
        height += GetRowHeight(row);
        if (height > m_nPageHeight && height != GetRowHeight(row)) {
            ++page;
            height = GetRowHeight(row);
            start = row;
        }
    }
    if (page < pInfo->m_nCurPage || start >= GetRowCount()) {
        finish();
        return;
    }

    CRect rect;
    rect.bottom = -1;
    for (int row = start; row < GetRowCount(); ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        // A row taller than the page still prints, alone.
        if (rect.bottom > m_nPageHeight && row != start)
            break;
        rect.right = -1;
        for (int col = 0; col < GetColumnCount(); ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            PaintCell(pDC, row, col, rect, FALSE);
            PrintCellLines(pDC, m_nLineMode, rect, row == 0, col == 0, row == start);
        }
    }

    pInfo->m_rectDraw.bottom = 2 * cy;
    pDC->SetWindowOrg(-4 * cx, 2 * cy - m_sizeLogicalPage.cy);
    PrintFooter(pDC, pInfo);
    finish();
}

void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo*)
{
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    CRect rect;
    rect.bottom = -1;
    for (int row = 0; row < GetFixedRowCount(); ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < GetColumnCount(); ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            PaintFixedCell(pDC, row, col, rect, FALSE);
            PrintCellLines(pDC, m_nLineMode, rect, row == 0, col == 0, row == 0);
        }
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc = pInfo->m_rectDraw;
    CFont bold;
    MakeBold(m_fontPrint, bold);
    CFont* pOldFont = bold.GetSafeHandle() ? pDC->SelectObject(&bold) : nullptr;
    const int nOldBk = pDC->SetBkMode(TRANSPARENT);
    const UINT fmt = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

    const CString title = AppTitle();
    pDC->DrawText(title, &rc, DT_RIGHT | fmt);
    CWnd* pParent = GetParent();
    if (!pParent) {
        pDC->DrawText(title, &rc, DT_CENTER | fmt);
    } else {
        for (CWnd* p = pParent; p; p = p->GetParent())
            if (!p->GetWindowText().empty()) {
                pDC->DrawText(p->GetWindowText(), &rc, DT_CENTER | fmt);
                break;
            }
    }

    pDC->SetBkMode(nOldBk);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(rc.left, rc.bottom);
    pDC->LineTo(rc.right, rc.bottom);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc = pInfo->m_rectDraw;
    pDC->MoveTo(rc.left, rc.top);
    pDC->LineTo(rc.right, rc.top);

    CFont bold;
    MakeBold(m_fontPrint, bold);
    CFont* pOldFont = bold.GetSafeHandle() ? pDC->SelectObject(&bold) : nullptr;
    const int nOldBk = pDC->SetBkMode(TRANSPARENT);
    const UINT fmt = DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
    rc.OffsetRect(0, m_sizeChar.cy / 2);

    char page[64];
    std::snprintf(page, sizeof page, "Page %d of %d", int(pInfo->m_nCurPage), int(pInfo->GetMaxPage()));
    pDC->DrawText(page, &rc, DT_LEFT | fmt);
    char date[128] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(date, sizeof date, "%c", &local);
    pDC->DrawText(date, &rc, DT_RIGHT | fmt);

    pDC->SetBkMode(nOldBk);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) { m_fontPrint.DeleteObject(); }

CImageList* CGridCtrl::CreateDragImage(CPoint* pHotSpot)
{
    CDC* pDC = GetDC();
    if (!pDC)
        return nullptr;
    CRect rect;
    if (!GetCellBounds(m_cellFocus.row, m_cellFocus.col, &rect)) {
        ReleaseDC(pDC);
        return nullptr;
    }
    rect.OffsetRect(-rect.left, -rect.top);
    if (pHotSpot)
        *pHotSpot = CPoint(rect.right, rect.bottom);

    auto* pList = new CImageList;
    if (!pList->Create(rect.Width(), rect.Height(), ILC_MASK, 1, 1)) {
        delete pList;
        ReleaseDC(pDC);
        return nullptr;
    }
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    memDC.SetWindowOrg(0, 0);
    PaintCell(&memDC, m_cellFocus.row, m_cellFocus.col, rect, TRUE);
    memDC.SelectObject(pOldBitmap);
    ReleaseDC(pDC);

    pList->Add(&bitmap, m_crCellBack);
    return pList;
}
