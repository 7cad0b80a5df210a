#include "PrintDialog.h"

#include "PrinterDC.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

CPrintDialog::Hook& TheHook()
{
    static CPrintDialog::Hook hook;
    return hook;
}

}  // namespace

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_pd{dwFlags, 0, 0, 1, 0xFFFF, 1, nullptr}, m_bPrintSetupOnly(bPrintSetupOnly), m_pParentWnd(pParentWnd)
{
}

CPrintDialog::~CPrintDialog() = default;

CPrintDialog::Hook CPrintDialog::SetHook(Hook hook)
{
    Hook old = std::move(TheHook());
    TheHook() = std::move(hook);
    return old;
}

HDC CPrintDialog::GetPrinterDC() const { return m_pDC ? m_pDC->GetSafeHdc() : nullptr; }

void CPrintDialog::SelectPdfFile(const CString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromUtf8(path.c_str()));
    m_strFileName = path;
    m_pd.Flags |= PD_PRINTTOFILE;
    m_pDC = std::make_unique<CPrinterDC>(std::move(printer));
    m_pd.hDC = m_pDC->GetSafeHdc();
}

INT_PTR CPrintDialog::DoModal()
{
    m_pDC.reset();
    m_pd.hDC = nullptr;
    m_pd.Flags &= ~PD_PRINTTOFILE;
    m_strFileName.clear();
    if (TheHook()) {
        const INT_PTR result = TheHook()(*this);
        return result == IDOK && m_pDC ? IDOK : IDCANCEL;
    }

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dlg(printer.get(), m_pParentWnd ? m_pParentWnd->GetWidget() : nullptr);
    // Printing to a PDF file is always on offer: a machine without a printer can still print.
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
    if (!(m_pd.Flags & PD_NOPAGENUMS) && !m_bPrintSetupOnly)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (!(m_pd.Flags & PD_NOSELECTION))
        options |= QAbstractPrintDialog::PrintSelection;
    dlg.setOptions(options);
    if (m_pd.nMinPage <= m_pd.nMaxPage)
        dlg.setMinMax(m_pd.nMinPage, m_pd.nMaxPage);
    if (dlg.exec() != QDialog::Accepted)
        return IDCANCEL;

    if (dlg.printRange() == QAbstractPrintDialog::PageRange && printer->fromPage() > 0) {
        m_pd.Flags = (m_pd.Flags & ~PD_SELECTION) | PD_PAGENUMS;
        m_pd.nFromPage = WORD(printer->fromPage());
        m_pd.nToPage = WORD(printer->toPage());
    } else {
        m_pd.Flags &= ~(PD_PAGENUMS | PD_SELECTION);
    }
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        m_pd.Flags |= PD_PRINTTOFILE;
        m_strFileName = printer->outputFileName().toStdString();
    }
    m_pDC = std::make_unique<CPrinterDC>(std::move(printer));
    m_pd.hDC = m_pDC->GetSafeHdc();
    return IDOK;
}

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION))
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo() { delete m_pPD; }
