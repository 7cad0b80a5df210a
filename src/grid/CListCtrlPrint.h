// Prints the rows of a report list as a ruled table: on every page a header (a page-number text
// at the right, a free text at the left), a row of column headings, the page's share of the
// rows and a footer. The table spans the width between the margins; the columns keep the
// proportions they have on screen.
//
// The owner sets m_pList, m_strHeader, m_strFooter and m_strPageFormat (with two %d: page and
// page count), calls OnFilePrint once and destroys the object.
#pragma once

#include "CPrinterJob.h"
#include "GdiObjects.h"

#include <vector>

class CListCtrl;

class CListCtrlPrint : public CPrinterJob {
public:
    CListCtrlPrint();
    ~CListCtrlPrint() override;

    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    bool OnPreparePrinting(CPrintInfo* pInfo, bool bPrintPreview = false) override;

    // Moves the rectangle's edges inwards by the margins.
    void ApplyMargins(CDC* pDC, CRect& rc) const;
    // Each draws its band at the rectangle's top (the footer: at its top, moving the bottom up)
    // and moves that edge past it; with bCalc it only measures. Returns the band's size.
    CSize PrintPageHeader(CDC* pDC, CRect& rc, int nPage, int nPageCount, BOOL bCalc);
    CSize PrintColumnHeadings(CDC* pDC, CRect& rc, BOOL bCalc);
    CSize PrintPageFooter(CDC* pDC, CRect& rc, BOOL bCalc);
    // The page-number text: the first two %d of the format become page and page count.
    CString PageText(int nPage, int nPageCount) const;

    CRect m_rcMargin;  // left, top, right, bottom, in millimetres
    CFont m_fontList;
    CFont m_fontHeader;
    CFont m_fontFooter;
    int m_nRowHeight;
    std::vector<int> m_pColLeft;     // column count + 1 edges from the table's left edge
    std::vector<int> m_pColFormat;   // header format of every column (HDF_*)
    std::vector<CString> m_pColText; // heading of every column
    int m_nRowsPerPage;
    int m_nCols;
    int m_nItems;
    CListCtrl* m_pList;  // not owned
    CString m_strHeader;
    CString m_strFooter;
    CString m_strPageFormat;
    CString m_strHeaderFace;
    CString m_strFooterFace;
    CString m_strListFace;
    int m_nHeaderPoints;
    int m_nFooterPoints;
    int m_nListPoints;
    int m_nFooterHeight;
};
