#include "CPrinterJob.h"

#include "CFileDialog.h"
#include "PrinterDC.h"

#include <algorithm>

CPrinterJob::CPrinterJob() : m_strTitle("senza nome") {}

CPrinterJob::~CPrinterJob() = default;

void CPrinterJob::OnPrint(CDC*, CPrintInfo*) {}
void CPrinterJob::OnEndPrinting(CDC*, CPrintInfo*) {}
void CPrinterJob::OnBeginPrinting(CDC*, CPrintInfo*) {}

bool CPrinterJob::OnPreparePrinting(CPrintInfo* pInfo, bool bPrintPreview)
{
    return bPrintPreview ? true : DoPreparePrinting(pInfo);
}

bool CPrinterJob::DoPreparePrinting(CPrintInfo* pInfo)
{
    PRINTDLG& pd = pInfo->m_pPD->m_pd;
    if (pd.nMinPage > pd.nMaxPage)
        pd.nMaxPage = pd.nMinPage;
    pd.nFromPage = WORD(pInfo->GetMinPage());
    pd.nToPage = WORD(pInfo->GetMaxPage());
    if (pInfo->m_pPD->DoModal() != IDOK)
        return false;
    return pInfo->m_pPD->GetPrinterDC() != nullptr;
}

void CPrinterJob::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    if (pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
    else
        pInfo->m_bContinuePrinting = TRUE;
}

void CPrinterJob::OnFilePrint()
{
    CPrintInfo info;
    if (!info.m_pPD)
        return;
    if (!OnPreparePrinting(&info))
        return;

    // The print dialog may leave printing to a file without a name: ask for one.
    CString output = info.m_pPD->GetFileName();
    if (info.m_pPD->PrintToFile() && output.empty()) {
        CFileDialog dlg(FALSE, "pdf", "Output.pdf", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                        "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||", nullptr);
        if (dlg.DoModal() != IDOK)
            return;
        output = dlg.GetPathName();
    }
    DOCINFO docInfo{int(sizeof(DOCINFO)), m_strTitle.c_str(), output.empty() ? nullptr : output.c_str(), nullptr, 0};

    const HDC hDC = info.m_pPD->GetPrinterDC();
    CDC* pDC = CDC::FromHandle(hDC);
    if (!pDC)
        return;
    pDC->m_bPrinting = TRUE;
    info.m_rectDraw.SetRect(0, 0, GetDeviceCaps(hDC, HORZRES), GetDeviceCaps(hDC, VERTRES));
    pDC->DPtoLP(&info.m_rectDraw);

    OnBeginPrinting(pDC, &info);
    SetAbortProc(hDC, PrintAbortProc);
    if (StartDoc(hDC, &docInfo) == SP_ERROR) {
        OnEndPrinting(pDC, &info);
        return;
    }

    const UINT minPage = info.GetMinPage();
    const UINT maxPage = std::max(minPage, info.GetMaxPage());
    const UINT lastPage = std::clamp(info.GetToPage(), minPage, maxPage);
    const UINT firstPage = std::clamp(info.GetFromPage(), minPage, maxPage);
    const int step = lastPage >= firstPage ? 1 : -1;
    const UINT endMark = lastPage == 0xFFFF ? 0xFFFF : UINT(int(lastPage) + step);

    bool error = false;
    for (info.m_nCurPage = firstPage; info.m_nCurPage != endMark; info.m_nCurPage = UINT(int(info.m_nCurPage) + step)) {
        OnPrepareDC(pDC, &info);
        if (!info.m_bContinuePrinting)
            break;
        info.m_rectDraw.SetRect(0, 0, GetDeviceCaps(hDC, HORZRES), GetDeviceCaps(hDC, VERTRES));
        pDC->DPtoLP(&info.m_rectDraw);
        if (StartPage(hDC) < 0) {
            error = true;
            break;
        }
        OnPrepareDC(pDC, &info);
        const int saved = pDC->SaveDC();
        OnPrint(pDC, &info);
        if (EndPage(hDC) < 0 || !PrintAbortProc(hDC, 0)) {
            error = true;
            break;
        }
        pDC->RestoreDC(saved);
    }

    if (error)
        AbortDoc(hDC);
    else
        EndDoc(hDC);
    OnEndPrinting(pDC, &info);
}
