// A device context on a printer, or on a PDF file: the document and page calls of printing.
//
// The page is laid out at 96 device units per inch, the same as the screen, so fonts made in
// points (CFont::CreatePointFont) and pixel sizes keep their size on paper; the output stays
// vector (text and lines), not a picture. Before the first page the context measures (text
// extents, metrics) on a scratch page of the printable size; drawing reaches the document only
// between StartPage and EndPage. A document in which no page was started writes nothing.
//
// The calls also exist as free functions on the context's handle, as the printing code of the
// program is written against them; on a handle that is no printer they fail (SP_ERROR).
// User-interface thread.
#pragma once

#include "CDC.h"

#include <memory>

class QPainter;
class QPrinter;

// GetDeviceCaps indexes of a printer (in addition to those of CDC).
constexpr int HORZSIZE = 4;   // printable width in millimetres
constexpr int VERTSIZE = 6;   // printable height in millimetres
constexpr int HORZRES = 8;    // printable width in device units
constexpr int VERTRES = 10;   // printable height in device units

constexpr int SP_ERROR = -1;

struct DOCINFO {
    int cbSize;
    LPCTSTR lpszDocName;  // the spooler's name of the job
    LPCTSTR lpszOutput;   // a file to print to (PDF), or null for the printer
    LPCTSTR lpszDatatype;
    DWORD fwType;
};

// Called after every page (and between pages by the spooler): FALSE stops the job.
typedef BOOL (*ABORTPROC)(HDC hDC, int nCode);

class CPrinterDC : public CDC {
public:
    // Takes over a printer set up by the print dialog (or by a test).
    explicit CPrinterDC(std::unique_ptr<QPrinter> printer);
    ~CPrinterDC() override;

    // HORZRES, VERTRES, HORZSIZE, VERTSIZE of the printer; LOGPIXELSX/Y 96; else as CDC.
    int GetDeviceCaps(int nIndex) const;

    // > 0 on success, SP_ERROR on failure.
    int StartDoc(const DOCINFO* pDocInfo);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    int SetAbortProc(ABORTPROC lpfn);
    ABORTPROC GetAbortProc() const { return m_pfnAbort; }

    // Pages started in the current or last document.
    int GetPageCount() const { return m_nPages; }
    QPrinter* GetPrinter() const { return m_printer.get(); }

    // Logical units to paper: the window extent (logical size) is shown as the viewport extent
    // (device units) from the page's top-left corner; ResetMapping shows logical units 1:1.
    void SetWindowViewportExt(CSize sizeWindow, CSize sizeViewport);
    void ResetMapping();

    static CPrinterDC* FromHandle(HDC hDC);

private:
    void AttachPage();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    ABORTPROC m_pfnAbort = nullptr;
    bool m_bInDoc = false;
    bool m_bInPage = false;
    int m_nPages = 0;
    CSize m_sizeWindow;
    CSize m_sizeViewport;
};

int StartDoc(HDC hDC, const DOCINFO* pDocInfo);
int StartPage(HDC hDC);
int EndPage(HDC hDC);
int EndDoc(HDC hDC);
int AbortDoc(HDC hDC);
int SetAbortProc(HDC hDC, ABORTPROC lpfn);
// A printer context's capabilities, or the plain context's.
int GetDeviceCaps(HDC hDC, int nIndex);

// The abort procedure of print jobs: dispatches the messages that wait, so the program stays
// live while pages spool; FALSE once the program's loop has ended.
BOOL PrintAbortProc(HDC hDC, int nCode);
