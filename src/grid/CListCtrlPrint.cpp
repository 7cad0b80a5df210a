#include "CListCtrlPrint.h"

#include "CListCtrl.h"
#include "PrinterDC.h"

#include <algorithm>

namespace {

// A size in hundredths of a millimetre, in device units.
int HiMetricToDevice(int nHiMetric, int nDpi) { return int((long long)nHiMetric * nDpi / 2540); }

// Line ends as the drawing wants them: CR LF and a lone CR become LF.
CString PlainLines(const CString& text)
{
    CString out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

UINT AlignFlags(int nFormat)
{
    if (nFormat & HDF_CENTER)
        return DT_CENTER;
    if (nFormat & HDF_RIGHT)
        return DT_RIGHT;
    return DT_LEFT;
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

}  // namespace

CListCtrlPrint::CListCtrlPrint()
    : m_rcMargin(10, 10, 10, 10),
      m_nRowHeight(0),
      m_nRowsPerPage(1),
      m_nCols(0),
      m_nItems(0),
      m_pList(nullptr),
      m_strHeaderFace("Arial"),
      m_strFooterFace("Times New Roman"),
      m_strListFace("Arial"),
      m_nHeaderPoints(12),
      m_nFooterPoints(6),
      m_nListPoints(8),
      m_nFooterHeight(0)
{
}

CListCtrlPrint::~CListCtrlPrint() = default;

void CListCtrlPrint::OnEndPrinting(CDC*, CPrintInfo*) {}

bool CListCtrlPrint::OnPreparePrinting(CPrintInfo* pInfo, bool bPrintPreview)
{
    pInfo->SetMinPage(1);
    if (!m_pList || m_pList->GetItemCount() <= 0)
        return false;
    m_nItems = m_pList->GetItemCount();
    auto* header = dynamic_cast<CHeaderCtrl*>(m_pList->GetDlgItem(0));
    if (!header)
        return false;
    m_nCols = header->GetItemCount();
    if (m_nCols <= 0)
        return false;

    m_pColLeft.assign(size_t(m_nCols) + 1, 0);
    m_pColFormat.assign(size_t(m_nCols), 0);
    m_pColText.assign(size_t(m_nCols), CString());
    int total = 0;
    for (int i = 0; i < m_nCols; ++i) {
        char text[128] = {};
        HDITEM item{HDI_WIDTH | HDI_FORMAT | HDI_TEXT, 0, text, int(sizeof text), 0};
        if (!header->GetItem(i, &item))
            continue;
        m_pColLeft[size_t(i) + 1] = item.cxy;
        m_pColFormat[size_t(i)] = item.fmt;
        m_pColText[size_t(i)] = text;
        total += item.cxy;
    }
    // A table without width has nothing to spread over the page.
    if (total <= 0)
        return false;
    return CPrinterJob::OnPreparePrinting(pInfo, bPrintPreview);
}

void CListCtrlPrint::ApplyMargins(CDC* pDC, CRect& rc) const
{
    const HDC hDC = pDC->GetSafeHdc();
    const int dpiX = GetDeviceCaps(hDC, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(hDC, LOGPIXELSY);
    rc.left += HiMetricToDevice(m_rcMargin.left * 100, dpiX);
    rc.top += HiMetricToDevice(m_rcMargin.top * 100, dpiY);
    rc.right -= HiMetricToDevice(m_rcMargin.right * 100, dpiX);
    rc.bottom -= HiMetricToDevice(m_rcMargin.bottom * 100, dpiY);
}

void CListCtrlPrint::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fontList.DeleteObject();
    m_fontHeader.DeleteObject();
    m_fontFooter.DeleteObject();
    m_fontList.CreatePointFont(m_nListPoints * 10, m_strListFace.c_str(), pDC);
    m_fontHeader.CreatePointFont(m_nHeaderPoints * 10, m_strHeaderFace.c_str(), pDC);
    m_fontFooter.CreatePointFont(m_nFooterPoints * 10, m_strFooterFace.c_str(), pDC);

    CFont* old = pDC->SelectObject(&m_fontList);
    m_nRowHeight = pDC->GetTextExtent(CString("X")).cy + 4;
    if (old)
        pDC->SelectObject(old);

    // Widths become edges, then the edges are stretched to the width between the margins.
    for (int i = 1; i <= m_nCols; ++i)
        m_pColLeft[size_t(i)] += m_pColLeft[size_t(i) - 1];
    CRect page = pInfo->m_rectDraw;
    ApplyMargins(pDC, page);
    const int total = m_pColLeft[size_t(m_nCols)];
    const double scale = total > 0 ? double(page.Width()) / double(total) : 0.0;
    for (int& edge : m_pColLeft)
        edge = int(edge * scale);

    CRect rest = page;
    PrintColumnHeadings(pDC, rest, TRUE);
    PrintPageHeader(pDC, rest, 0, 0, TRUE);
    m_nFooterHeight = PrintPageFooter(pDC, rest, TRUE).cy + 2;

    // At least one row per page, however small the paper.
    m_nRowsPerPage = std::max(1, rest.Height() / (m_nRowHeight + 1) - 1);
    const int pages = m_nItems / m_nRowsPerPage + (m_nItems % m_nRowsPerPage ? 1 : 0);
    pInfo->SetMaxPage(UINT(std::max(1, pages)));
}

void CListCtrlPrint::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc = pInfo->m_rectDraw;
    ApplyMargins(pDC, rc);
    pDC->SetBkMode(TRANSPARENT);
    const CRect page = rc;

    PrintPageHeader(pDC, rc, int(pInfo->m_nCurPage), int(pInfo->GetMaxPage()), FALSE);
    PrintColumnHeadings(pDC, rc, FALSE);

    CFont* old = pDC->SelectObject(&m_fontList);
    const int first = (int(pInfo->m_nCurPage) - 1) * m_nRowsPerPage;
    const int last = int(pInfo->m_nCurPage) * m_nRowsPerPage;
    int y = rc.top;
    for (int row = first; row < last; ++row) {
        for (int c = 0; c < m_nCols; ++c) {
            const CRect cell(rc.left + m_pColLeft[size_t(c)], y, rc.left + m_pColLeft[size_t(c) + 1], y + m_nRowHeight);
            if (row < m_nItems) {
                CRect text = cell;
                text.DeflateRect(2, 0);
                pDC->DrawText(m_pList->GetItemText(row, c), &text,
                              AlignFlags(m_pColFormat[size_t(c)]) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
            Line(pDC, cell.left, cell.top, cell.left, cell.bottom);
            Line(pDC, cell.left, cell.top, cell.right, cell.top);
            if (c == m_nCols - 1)
                Line(pDC, cell.right, cell.top, cell.right, cell.bottom);
        }
        y += m_nRowHeight + 1;
    }
    Line(pDC, rc.left, y, rc.right, y);
    if (old)
        pDC->SelectObject(old);

    CRect footer(page.left, page.bottom - m_nFooterHeight, page.right, page.bottom);
    PrintPageFooter(pDC, footer, FALSE);
}

CString CListCtrlPrint::PageText(int nPage, int nPageCount) const
{
    // The format is the owner's text, so it is never handed to printf: only %d and %% count.
    CString out;
    int used = 0;
    for (size_t i = 0; i < m_strPageFormat.size(); ++i) {
        const char ch = m_strPageFormat[i];
        if (ch == '%' && i + 1 < m_strPageFormat.size()) {
            const char next = m_strPageFormat[i + 1];
            if (next == 'd' && used < 2) {
                out += std::to_string(used++ == 0 ? nPage : nPageCount);
                ++i;
                continue;
            }
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += ch;
    }
    return out;
}

CSize CListCtrlPrint::PrintPageHeader(CDC* pDC, CRect& rc, int nPage, int nPageCount, BOOL bCalc)
{
    CFont* old = pDC->SelectObject(&m_fontHeader);
    int numberWidth = 0;
    int height = 0;
    if (!m_strPageFormat.empty()) {
        const CString text = PlainLines(PageText(nPage, nPageCount));
        CRect r = rc;
        pDC->DrawText(text, &r, DT_CALCRECT | DT_WORDBREAK | DT_RIGHT | DT_NOPREFIX);
        numberWidth = r.Width();
        height = r.Height();
        if (!bCalc) {
            CRect at(rc.right - numberWidth, rc.top, rc.right, rc.top + height);
            pDC->DrawText(text, &at, DT_WORDBREAK | DT_RIGHT | DT_NOPREFIX);
        }
    }
    if (!m_strHeader.empty()) {
        const CString text = PlainLines(m_strHeader);
        CRect r(rc.left, rc.top, rc.right - numberWidth, rc.bottom);
        pDC->DrawText(text, &r, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
        height = std::max(height, r.Height());
        if (!bCalc) {
            CRect at(rc.left, rc.top, rc.right - numberWidth, rc.top + r.Height());
            pDC->DrawText(text, &at, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
        }
    }
    if (old)
        pDC->SelectObject(old);
    rc.top += height;
    return CSize(rc.Width(), height);
}

CSize CListCtrlPrint::PrintColumnHeadings(CDC* pDC, CRect& rc, BOOL bCalc)
{
    if (!bCalc) {
        CFont* old = pDC->SelectObject(&m_fontList);
        pDC->Rectangle(rc.left, rc.top, rc.right, rc.top + m_nRowHeight);
        for (int c = 0; c < m_nCols; ++c) {
            const CRect cell(rc.left + m_pColLeft[size_t(c)], rc.top, rc.left + m_pColLeft[size_t(c) + 1],
                             rc.top + m_nRowHeight);
            pDC->Rectangle(&cell);
            CRect text = cell;
            text.DeflateRect(2, 0);
            pDC->DrawText(m_pColText[size_t(c)], &text,
                          AlignFlags(m_pColFormat[size_t(c)]) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            Line(pDC, cell.left, cell.top, cell.left, cell.bottom);
            Line(pDC, cell.left, cell.top, cell.right, cell.top);
        }
        if (old)
            pDC->SelectObject(old);
    }
    rc.top += m_nRowHeight;
    return CSize(rc.Width(), m_nRowHeight);
}

CSize CListCtrlPrint::PrintPageFooter(CDC* pDC, CRect& rc, BOOL bCalc)
{
    if (m_strFooter.empty())
        return CSize(rc.Width(), 0);
    CFont* old = pDC->SelectObject(&m_fontFooter);
    const CString text = PlainLines(m_strFooter);
    CRect r = rc;
    pDC->DrawText(text, &r, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
    if (!bCalc) {
        CRect at(rc.left, rc.top, rc.right, rc.top + r.Height());
        pDC->DrawText(text, &at, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
    }
    if (old)
        pDC->SelectObject(old);
    rc.bottom -= r.Height();
    return CSize(rc.Width(), r.Height());
}
