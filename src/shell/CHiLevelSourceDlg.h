// A dialog object (template 1030, no controls) that the main view holds for its whole life and
// never gives a window. Its eight bitmaps are never loaded. Should a window ever be made, it
// paints nothing and Enter and Esc do not end it.
// User-interface thread.
#pragma once

#include "CDialog.h"
#include "GdiObjects.h"

constexpr UINT IDD_HILEVEL_SOURCE = 1030;

class CHiLevelSourceDlg : public CDialog {
public:
    explicit CHiLevelSourceDlg(CWnd* pParent = nullptr);
    ~CHiLevelSourceDlg() override;

    CBitmap m_bmpSource[8];  // never loaded

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnPaint() override;
};
