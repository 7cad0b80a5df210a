// A print job without a document view: print dialog, optional printing to a file, document
// start, page loop, end or abort. A derived class fills in the steps (prepare, begin, print a
// page, end). One object serves one job, on the user-interface thread.
#pragma once

#include "CDC.h"
#include "PrintDialog.h"

class CPrinterJob {
public:
    CPrinterJob();
    virtual ~CPrinterJob();

    // Runs the whole job.
    virtual void OnFilePrint();
    // Prints the page pInfo->m_nCurPage.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // false ends the job before anything is printed.
    virtual bool OnPreparePrinting(CPrintInfo* pInfo, bool bPrintPreview = false);

    // Runs the print dialog over the information's page bounds; false without a printer.
    bool DoPreparePrinting(CPrintInfo* pInfo);
    // Without a page count only the first page is printed.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo);

    CString m_strTitle;  // the spooler's name of the document
};
