// The download hint (template 1065): a two-line hint where to find the model's files and the
// maker's web address as a blue link. Over the link the pointer is the program's hand; a click
// opens the address in the desktop's browser. Constructed on the stack and run with DoModal.
// User-interface thread.
#pragma once

#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_HELP = 1065;
constexpr UINT IDC_HELP_HINT = 2883;
constexpr UINT IDC_HELP_LINK = 2884;
constexpr UINT IDC_CURSOR_HAND = 213;  // the program's hand cursor resource

constexpr COLORREF HELP_LINK_COLOR = RGB(0, 0, 255);
// The maker's site: the address a click on the link opens, and the link's text.
extern const char* const HELP_SITE_URL;
extern const char* const HELP_SITE_TEXT;

class CHelpDlg : public CDialog {
public:
    explicit CHelpDlg(CWnd* pParent = nullptr);
    ~CHelpDlg() override;

    CStatic m_stLink;  // 2884, notify style
    CStatic m_stHint;  // 2883
    int m_bHover = 0;  // 1 while the pointer is over the link
    CFont m_fontLink;  // Arial, cell 30 px, underlined
    CFont m_fontHint;  // Arial, cell 15 px (Chinese) or 14 px (English)

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

private:
    CFont m_font;               // the template's Arial 7
    HCURSOR m_hHand = nullptr;  // owned; null when the cursor resource is missing
};
