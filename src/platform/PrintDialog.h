// The print dialog and the print information of a job.
//
// CPrintDialog::DoModal shows the system's print dialog (Qt's): a printer of the system, or
// "print to file", which always writes a PDF file, whatever the flags say about hiding it. On
// OK the dialog holds a printer device context (CPrinterDC) for the choice; the dialog owns it.
//
// Tests install a hook: DoModal then shows nothing and returns what the hook returns; the hook
// chooses a PDF file with SelectPdfFile (or a page range through m_pd). No test ever blocks in
// the dialog.
// User-interface thread.
#pragma once

#include "CWnd.h"

#include <functional>
#include <memory>

class CPrinterDC;

typedef intptr_t INT_PTR;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

struct PRINTDLG {
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HDC hDC;  // the chosen printer's context after OK
};

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    virtual ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    PRINTDLG m_pd;

    // IDOK with a printer (or file) chosen and its context made, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    HDC GetPrinterDC() const;
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    BOOL PrintAll() const { return !(m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
    // The PDF file chosen for printing to a file (empty when none was named).
    CString GetFileName() const { return m_strFileName; }

    // For a hook: print to this PDF file (an empty path: to a file not yet named), with a
    // printer context made for it.
    void SelectPdfFile(const CString& path);

    using Hook = std::function<INT_PTR(CPrintDialog& dlg)>;
    // Installs the hook (an empty function shows the dialog again); returns the previous one.
    static Hook SetHook(Hook hook);

private:
    BOOL m_bPrintSetupOnly;
    CWnd* m_pParentWnd;
    CString m_strFileName;
    std::unique_ptr<CPrinterDC> m_pDC;
};

// The state of one print job: its dialog, the page range and the page being printed, and where
// on the page to draw.
class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;  // owned
    BOOL m_bDirect = FALSE;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;
    void* m_lpUserData = nullptr;
    CRect m_rectDraw;
    CString m_strPageDesc;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = WORD(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = WORD(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The range the user chose, else the whole document.
    UINT GetFromPage() const { return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage(); }
    UINT GetToPage() const { return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage(); }
};
