// A start page (template 227) with two buttons that would open the main frame's work view in
// work mode 1 or 2. Nothing creates one: the document template names the main view.
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "CxSkinButton.h"
#include "GdiObjects.h"

constexpr UINT IDD_CAPTION_VIEW = 227;
constexpr UINT IDC_CAPTION_MODE2 = 1837;  // sends command 8001
constexpr UINT IDC_CAPTION_MODE1 = 1781;  // sends command 8000
constexpr UINT ID_WORK_MODE1 = 8000;
constexpr UINT ID_WORK_MODE2 = 8001;

class CCaptionView : public CWnd {
public:
    CCaptionView() = default;
    // The page as a child of pParent (471 x 237 dialog units of Arial 10), with its buttons.
    BOOL CreatePage(CWnd* pParent);

    CxSkinButton m_btnMode2;  // 1837
    CxSkinButton m_btnMode1;  // 1781
    CBitmap m_bitmap;         // the page's picture; nothing loads one

protected:
    void OnPaint() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
