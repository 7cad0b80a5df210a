// A plain drop-down button of the same family as CComBoxBtn, drawn without pictures: a field in
// its background colour (another while the pointer is over it), the caption 5 pixels in from the
// left and a filled down arrow at the right. It holds the pointer while hovered and closes its
// popup when the pointer leaves both; the popup always opens below it (at most 100 pixels
// tall). A pick becomes its caption and is posted to the parent as WM_DROPLIST_SELCHANGE
// (wParam the notify id, lParam the index). Nothing in the program creates one.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDC.h"

#include <memory>

class CDropWnd;

class CDropBtn : public CButton {
public:
    CDropBtn();
    ~CDropBtn() override;

    // Colours (CLR_NONE, that is -1, for the defaults 0xCDD9FF, 0xFFE5E9, highlight 0x00FF00,
    // highlight text 0), the font (null: Arial 15, owned) and the notify id; makes the popup.
    BOOL Init(COLORREF clrBack = CLR_NONE, COLORREF clrHoverBack = CLR_NONE, COLORREF clrHighlight = CLR_NONE,
              COLORREF clrHighlightText = CLR_NONE, CFont* pFont = nullptr, UINT nNotifyId = 0);
    int AddString(LPCTSTR lpszItem);
    void ResetContent();
    void SetCurSel(int nIndex);
    int GetCurSel() const;
    // A pick becomes the caption (on from construction).
    void SetAutoCaption(BOOL bOn) { m_bAutoCaption = bOn; }
    CDropWnd* GetDropWnd() const { return m_pDrop.get(); }
    BOOL GetHover() const { return m_bHover; }

    void Paint(CDC* pDC, const CRect& rc);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

private:
    void ShowDropList();
    void Leave(bool closePopup);

    COLORREF m_clrBack = 0xCDD9FF;
    COLORREF m_clrHoverBack = 0xFFE5E9;
    COLORREF m_clrHighlight = 0x00FF00;
    COLORREF m_clrHighlightText = 0;
    CFont m_fontOwn;
    CFont* m_pFont = nullptr;
    UINT m_nNotifyId = 0;
    std::unique_ptr<CDropWnd> m_pDrop;
    CRect m_rcDrop;
    BOOL m_bHover = FALSE;
    BOOL m_bAutoCaption = TRUE;
};
