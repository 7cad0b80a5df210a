// The speaker-map reset prompt (template 711): empty the output map, set it back to its
// default, or leave it. It changes nothing itself: the caller reads m_nResult after the modal
// run (the run's own return value carries no choice).
// User-interface thread; lives on the caller's stack for one modal run.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_REMAP = 711;
constexpr UINT IDC_REMAP_PROMPT = 2769;
constexpr UINT IDC_REMAP_DEFAULT = 2768;

constexpr int REMAP_NOTHING = 0;
constexpr int REMAP_EMPTY = 1;
constexpr int REMAP_DEFAULT = 2;

class CReMap_Dlg : public CDialog {
public:
    explicit CReMap_Dlg(CWnd* pParent = nullptr);

    // REMAP_EMPTY, REMAP_DEFAULT or REMAP_NOTHING. Nothing until the dialog has opened, so a
    // run that could not start changes nothing.
    int m_nResult = REMAP_NOTHING;

    CStatic m_stPrompt;
    CButton m_btnOK;
    CButton m_btnDefault;
    CButton m_btnCancel;

    // Button 2768: restore the default map.
    void OnDefault();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
