// A one-message warning with a Quit button (template 676). The opener sets m_strWarnText
// before DoModal; the dialog ends with IDOK. Nothing in the program opens one.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CTransparentStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_WARN = 676;
constexpr UINT IDC_WARN_TEXT = 2753;

class CWarnDlg : public CDialog {
public:
    explicit CWarnDlg(CWnd* pParent = nullptr);
    ~CWarnDlg() override;

    CButton m_btnOK;               // IDOK: "退出" / "Quit"
    CTransparentStatic m_stText;   // 2753
    CString m_strWarnText;

protected:
    BOOL OnInitDialog() override;

private:
    CFont m_font;  // the template's Arial 8
};
