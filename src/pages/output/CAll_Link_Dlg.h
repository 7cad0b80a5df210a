// The left/right link prompt (template 369): before left/right pairs are linked, asks in which
// direction each pair's data is made equal. It changes nothing itself: after IDOK the caller
// reads m_nDirection; IDCANCEL (Cancel, Esc, close box) means no linking.
// User-interface thread; lives on the caller's stack for one modal run.
#pragma once

#include "CButton.h"
#include "CButtonRadio.h"
#include "CDialog.h"
#include "CTransparentStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_ALL_LINK = 369;
constexpr UINT IDC_ALL_LINK_PROMPT = 2754;
constexpr UINT IDC_ALL_LINK_LEFT_TO_RIGHT = 2251;  // first of the radio group
constexpr UINT IDC_ALL_LINK_RIGHT_TO_LEFT = 2252;

class CAll_Link_Dlg : public CDialog {
public:
    explicit CAll_Link_Dlg(CWnd* pParent = nullptr);

    // 0 copy from left to right, 1 copy from right to left.
    int m_nDirection = 0;

    CTransparentStatic m_stPrompt;
    CButtonRadio m_radioLeftToRight;
    CButtonRadio m_radioRightToLeft;
    CButton m_btnOK;
    CButton m_btnCancel;

protected:
    // bSave: radios into m_nDirection; else m_nDirection onto the radios.
    virtual void DoDataExchange(BOOL bSave);
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// The prompt of both left/right link buttons when no output has a left/right partner.
void ShowNoLeftRightPairMessage();
