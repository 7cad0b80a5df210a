// The exit question (template 719): save the current scene to a file before leaving? The
// caller reads m_nResult after DoModal: IDYES save and exit, IDNO exit, IDCANCEL stay.
// Yes (Enter) ends with IDOK, No with IDCANCEL; Cancel, Esc and the close box give IDCANCEL.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_SAVEDATA = 719;
constexpr UINT IDC_SAVEDATA_NO = 2790;
constexpr UINT IDC_SAVEDATA_QUESTION = 2774;

class CSaveData_Dlg : public CDialog {
public:
    explicit CSaveData_Dlg(CWnd* pParent = nullptr);
    ~CSaveData_Dlg() override;

    CButton m_btnYes;      // IDOK, default
    CButton m_btnCancel;   // IDCANCEL
    CButton m_btnNo;       // 2790
    CStatic m_stQuestion;  // 2774
    // The answer: IDYES, IDNO or IDCANCEL. IDCANCEL until the dialog has run, so a run that
    // never happened keeps the program going.
    int m_nResult = IDCANCEL;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnNo();

    CFont m_font;  // the template's Arial 9
};
