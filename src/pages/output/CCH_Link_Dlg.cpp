#include "CCH_Link_Dlg.h"

#include "PromptLayout.h"

#include <iterator>

namespace {

struct PairTexts {
    const char* first;
    const char* second;
    const char* title;
};

const PairTexts kPairs[] = {
    {"CH1 be applied?", "CH2 be applied? ", "Linking of CH1 and CH2 channel"},
    {"CH3 be applied? ", "CH4 be applied? ", "Linking of CH3 and CH4 channel"},
    {"CH5 be applied? ", "CH6 be applied? ", "Linking of CH5 and CH6 channel"},
};

CFont& PromptFont()
{
    static CFont font;  // user-interface thread
    return font;
}

}  // namespace

CCH_Link_Dlg::CCH_Link_Dlg(CWnd* pParent) : CDialog(IDD_CH_LINK, pParent)
{
    RegisterPromptTemplate(IDD_CH_LINK, "Link", 166, 96);
}

void CCH_Link_Dlg::DoDataExchange(BOOL bSave)
{
    if (bSave) {
        if (m_radioFirst.GetCheck() == BST_CHECKED)
            m_nApply = 0;
        else if (m_radioSecond.GetCheck() == BST_CHECKED)
            m_nApply = 1;
        return;
    }
    m_radioFirst.SetCheck(m_nApply == 0 ? BST_CHECKED : BST_UNCHECKED);
    m_radioSecond.SetCheck(m_nApply == 1 ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CCH_Link_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CFont& font = PromptFont();
    SetPromptFont(this, font);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    m_stPrompt.Create("Which channel data should be applied? ", child | SS_LEFT | SS_NOPREFIX,
                      PromptRect(6, 11, 154, 12), this, IDC_CH_LINK_PROMPT);
    m_radioFirst.Create("", child | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, PromptRect(6, 33, 150, 10), this,
                        IDC_CH_LINK_FIRST);
    m_radioSecond.Create("", child | BS_AUTORADIOBUTTON, PromptRect(6, 49, 150, 10), this, IDC_CH_LINK_SECOND);
    m_btnOK.Create("OK", child | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, PromptRect(24, 72, 50, 14), this, IDOK);
    m_btnCancel.Create("Cancel", child | WS_TABSTOP | BS_PUSHBUTTON, PromptRect(92, 72, 50, 14), this, IDCANCEL);
    for (CWnd* w : {static_cast<CWnd*>(&m_stPrompt), static_cast<CWnd*>(&m_radioFirst),
                    static_cast<CWnd*>(&m_radioSecond), static_cast<CWnd*>(&m_btnOK),
                    static_cast<CWnd*>(&m_btnCancel)})
        w->SetFont(&font, FALSE);

    if (m_nPair >= 0 && m_nPair < int(std::size(kPairs))) {
        const PairTexts& t = kPairs[m_nPair];
        m_radioFirst.SetWindowText(t.first);
        m_radioSecond.SetWindowText(t.second);
        SetWindowText(t.title);
    }
    DoDataExchange(FALSE);
    return TRUE;
}

BOOL CCH_Link_Dlg::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_CH_LINK_FIRST || id == IDC_CH_LINK_SECOND)) {
        DoDataExchange(TRUE);
        return TRUE;
    }
    return FALSE;
}

void CCH_Link_Dlg::OnOK()
{
    DoDataExchange(TRUE);
    EndDialog(IDOK);
}
