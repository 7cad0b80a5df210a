// The input page (template 382). The main view embeds one as a member, but nothing in the
// program selects the input page, so its window is never made; the view calls the two refresh
// routines when it would be the page shown. The page's controls live in the input-page folder.
//
// User-interface thread.
#pragma once

#include "CDialog.h"

constexpr UINT IDD_INPUT_PAGE = 382;

class CInPutDlg : public CDialog {
public:
    CInPutDlg() : CDialog(IDD_INPUT_PAGE) {}

    // Reloads the current input channel into the controls (nothing while there is no window).
    void UpdateChannelView()
    {
        if (GetSafeHwnd())
            Invalidate(FALSE);
    }
    // Redraws the source button from the current source and language.
    void UpdateSourceButton()
    {
        if (GetSafeHwnd())
            Invalidate(FALSE);
    }
};
