// The channel pair link prompt (template 370): which channel of a pair gives its data when the
// pair is linked. Nothing in the program opens it yet. The opener sets m_nPair (0, 1, 2 for
// CH1/CH2, CH3/CH4, CH5/CH6) before the modal run and, after IDOK, reads m_nApply.
// English texts only. User-interface thread.
#pragma once

#include "CButton.h"
#include "CButtonRadio.h"
#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_CH_LINK = 370;
constexpr UINT IDC_CH_LINK_PROMPT = 2260;
constexpr UINT IDC_CH_LINK_FIRST = 2259;  // first of the radio group
constexpr UINT IDC_CH_LINK_SECOND = 2258;

class CCH_Link_Dlg : public CDialog {
public:
    explicit CCH_Link_Dlg(CWnd* pParent = nullptr);

    // 0 the pair's first channel is applied, 1 the second.
    int m_nApply = 0;
    // The pair the texts name; -1 (no pair) until the opener sets it: the template's caption
    // and empty radio texts stay.
    int m_nPair = -1;

    CStatic m_stPrompt;
    CButtonRadio m_radioFirst;
    CButtonRadio m_radioSecond;
    CButton m_btnOK;
    CButton m_btnCancel;

protected:
    // bSave: radios into m_nApply; else m_nApply onto the radios.
    virtual void DoDataExchange(BOOL bSave);
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
