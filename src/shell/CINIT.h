// The factory-reset warning (template 881): a red title, one line of warning, OK and Cancel.
// Constructed on the stack and run with DoModal; it ends with IDOK (OK button or Enter) or
// IDCANCEL (Cancel, Esc or the close box). The caller sends the reset on IDOK.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_INIT = 881;
constexpr UINT IDC_INIT_MESSAGE = 2836;
constexpr UINT IDC_INIT_TITLE = 2837;

constexpr COLORREF INIT_TITLE_COLOR = RGB(255, 0, 0);

class CINIT : public CDialog {
public:
    explicit CINIT(CWnd* pParent = nullptr);
    ~CINIT() override;

    CStatic m_stMessage;  // 2836
    CStatic m_stTitle;    // 2837, heavy red text
    CButton m_btnCancel;  // IDCANCEL
    CButton m_btnOK;      // IDOK

protected:
    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    CFont m_font;  // the template's Arial 9
};
