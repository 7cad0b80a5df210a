#include "PrinterDC.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr int kPrintDpi = 96;

}  // namespace

CPrinterDC::CPrinterDC(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
    m_bPrinting = TRUE;
    if (m_printer)
        m_printer->setResolution(kPrintDpi);
    // Measuring before the first page happens on a page-sized scratch picture.
    AttachScratch(CSize(GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES)));
}

CPrinterDC::~CPrinterDC()
{
    if (m_bInDoc)
        AbortDoc();
}

CPrinterDC* CPrinterDC::FromHandle(HDC hDC) { return dynamic_cast<CPrinterDC*>(CDC::FromHandle(hDC)); }

int CPrinterDC::GetDeviceCaps(int nIndex) const
{
    if (!m_printer)
        return CDC::GetDeviceCaps(nIndex);
    const QRectF mm = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    switch (nIndex) {
    case HORZRES: return m_printer->pageLayout().paintRectPixels(kPrintDpi).width();
    case VERTRES: return m_printer->pageLayout().paintRectPixels(kPrintDpi).height();
    case HORZSIZE: return int(mm.width());
    case VERTSIZE: return int(mm.height());
    case LOGPIXELSX:
    case LOGPIXELSY: return kPrintDpi;
    default: return CDC::GetDeviceCaps(nIndex);
    }
}

int CPrinterDC::StartDoc(const DOCINFO* pDocInfo)
{
    if (!m_printer || m_bInDoc)
        return SP_ERROR;
    if (pDocInfo && pDocInfo->lpszDocName)
        m_printer->setDocName(QString::fromUtf8(pDocInfo->lpszDocName));
    if (pDocInfo && pDocInfo->lpszOutput && *pDocInfo->lpszOutput) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(QString::fromUtf8(pDocInfo->lpszOutput));
    }
    m_bInDoc = true;
    m_nPages = 0;
    return 1;
}

int CPrinterDC::StartPage()
{
    if (!m_bInDoc || m_bInPage)
        return SP_ERROR;
    // The document opens with its first page, so a job without pages leaves no file behind.
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_printer.get())) {
            m_painter.reset();
            return SP_ERROR;
        }
    } else if (!m_printer->newPage()) {
        return SP_ERROR;
    }
    m_bInPage = true;
    ++m_nPages;
    AttachPage();
    return 1;
}

void CPrinterDC::AttachPage()
{
    const QRect page(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
    AttachPainter(m_painter.get(), page);
    m_bPrinting = TRUE;
    ResetMapping();
}

int CPrinterDC::EndPage()
{
    if (!m_bInPage)
        return SP_ERROR;
    m_bInPage = false;
    return 1;
}

int CPrinterDC::EndDoc()
{
    if (!m_bInDoc)
        return SP_ERROR;
    m_bInDoc = false;
    m_bInPage = false;
    bool ok = true;
    if (m_painter) {
        ok = m_painter->end();
        m_painter.reset();
    }
    AttachScratch(CSize(GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES)));
    return ok ? 1 : SP_ERROR;
}

int CPrinterDC::AbortDoc()
{
    if (!m_bInDoc)
        return SP_ERROR;
    m_bInDoc = false;
    m_bInPage = false;
    if (m_painter) {
        const bool toFile = m_printer->outputFormat() == QPrinter::PdfFormat;
        if (!toFile)
            m_printer->abort();
        m_painter->end();
        m_painter.reset();
        // A cut-short file is no document: it goes.
        if (toFile && !m_printer->outputFileName().isEmpty())
            QFile::remove(m_printer->outputFileName());
    }
    AttachScratch(CSize(GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES)));
    return 1;
}

int CPrinterDC::SetAbortProc(ABORTPROC lpfn)
{
    m_pfnAbort = lpfn;
    return 1;
}

void CPrinterDC::SetWindowViewportExt(CSize sizeWindow, CSize sizeViewport)
{
    m_sizeWindow = sizeWindow;
    m_sizeViewport = sizeViewport;
    if (QPainter* p = m_bInPage ? m_painter.get() : nullptr) {
        if (sizeWindow.cx > 0 && sizeWindow.cy > 0 && sizeViewport.cx > 0 && sizeViewport.cy > 0) {
            p->setViewport(0, 0, sizeViewport.cx, sizeViewport.cy);
            p->setWindow(0, 0, sizeWindow.cx, sizeWindow.cy);
        }
    }
}

void CPrinterDC::ResetMapping()
{
    if (QPainter* p = m_painter.get(); p && m_bInPage) {
        const QRect page(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
        p->setViewport(page);
        p->setWindow(page);
    }
}

int StartDoc(HDC hDC, const DOCINFO* pDocInfo)
{
    CPrinterDC* dc = CPrinterDC::FromHandle(hDC);
    return dc ? dc->StartDoc(pDocInfo) : SP_ERROR;
}

int StartPage(HDC hDC)
{
    CPrinterDC* dc = CPrinterDC::FromHandle(hDC);
    return dc ? dc->StartPage() : SP_ERROR;
}

int EndPage(HDC hDC)
{
    CPrinterDC* dc = CPrinterDC::FromHandle(hDC);
    return dc ? dc->EndPage() : SP_ERROR;
}

int EndDoc(HDC hDC)
{
    CPrinterDC* dc = CPrinterDC::FromHandle(hDC);
    return dc ? dc->EndDoc() : SP_ERROR;
}

int AbortDoc(HDC hDC)
{
    CPrinterDC* dc = CPrinterDC::FromHandle(hDC);
    return dc ? dc->AbortDoc() : SP_ERROR;
}

int SetAbortProc(HDC hDC, ABORTPROC lpfn)
{
    CPrinterDC* dc = CPrinterDC::FromHandle(hDC);
    return dc ? dc->SetAbortProc(lpfn) : SP_ERROR;
}

int GetDeviceCaps(HDC hDC, int nIndex)
{
    if (CPrinterDC* printer = CPrinterDC::FromHandle(hDC))
        return printer->GetDeviceCaps(nIndex);
    CDC* dc = CDC::FromHandle(hDC);
    return dc ? dc->GetDeviceCaps(nIndex) : 0;
}

BOOL PrintAbortProc(HDC, int)
{
    if (QCoreApplication::closingDown() || !QCoreApplication::instance())
        return FALSE;
    QCoreApplication::processEvents();
    return QCoreApplication::closingDown() ? FALSE : TRUE;
}
