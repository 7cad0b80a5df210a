// The program's message box (dialog 115): every message of the program and of the platform is
// shown in it, never in a system box. A plain dialog: the text centred above one row of standard
// buttons, whose set and texts follow the type (MB_OK, MB_OKCANCEL, MB_YESNO, 6 for Quit) and
// g_bChinese; the caption and an automatic close follow the selector (ShowTimedMessage.h).
//
// The answer is m_nResult, read after DoModal:
//   type          Enter / OK   Esc / Cancel / close box   time-out
//   MB_OK         IDOK         IDOK                       IDOK
//   MB_OKCANCEL   IDOK         IDCANCEL                   IDCANCEL
//   MB_YESNO      IDYES        IDNO                       IDNO
//   6 (Quit)      IDCANCEL     IDCANCEL                   IDCANCEL
// Any other type, or a type with an icon bit (the platform's own prompts), keeps the template's
// "OK" and "Cancel" and answers the button that ended it (IDOK for the time-out). A box that
// could not be shown answers like its Cancel button, so a question never reads as Yes.
//
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"
#include "ShowTimedMessage.h"

constexpr UINT IDD_MESSAGEBOX = 115;
constexpr UINT IDC_MESSAGEBOX_TEXT = 1001;
constexpr UINT_PTR MESSAGEBOX_CLOSE_TIMER = 300;

class CMessageBox : public CDialog {
public:
    // The box as the application's message-box hook builds it: no parent (RunMessageBox sets the
    // owner); the caption is used for selectors that choose none.
    CMessageBox(const CString& text, UINT nType, const CString& caption, int nSelector);
    // The box as a page builds it to run it itself: Init, then DoModal, then read m_nResult.
    explicit CMessageBox(CWnd* pParent);
    // The caption argument is not used: the box takes the product name.
    void Init(const CString& text, UINT nType, const CString& caption, int nSelector);

    // Runs the box modally; with a test hook installed, asks the hook instead. Returns m_nResult.
    INT_PTR DoModal() override;

    // The selector rules: the caption under that language (the caption argument for selectors
    // that choose none) and the automatic close time in ms (0: none).
    static CString SelectorCaption(int nSelector, BOOL bChinese, const CString& caption);
    static int SelectorCloseMs(int nSelector);

    CButton m_btnCancel;  // control 2
    CButton m_btnOK;      // control 1
    CStatic m_stText;     // control 1001
    LPCTSTR m_pszText;    // points into the box's own copy of the text
    UINT m_nType;         // MB_ flags
    int m_nTime;          // the selector
    LPCTSTR m_pszCaption; // points into the box's own copy of the caption
    int m_nResult;        // IDOK, IDCANCEL, IDYES or IDNO
    CRect m_rcWindow;     // work rectangles of the button centring
    CRect m_rcButton;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    // The type the button rules apply to: the low four bits, or -1 when an icon bit is set.
    int ButtonType() const;
    void CreateControls();
    void CentreButton(CButton& button);

    CString m_strText;
    CString m_strCaption;
    CFont m_font;  // the template's Arial 9 pt
};

// Shows the box modally over pOwner (may be null) with the product name as the caption for
// selectors that choose none, and returns its answer (IDOK, IDCANCEL, IDYES, IDNO).
int RunMessageBox(CWnd* pOwner, const CString& text, UINT nType, int nSelector);
