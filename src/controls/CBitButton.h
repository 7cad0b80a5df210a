// The bitmap button: an owner-drawn push button that shows one bitmap per state (unchecked or
// checked; normal, pointer over it, pressed; disabled; and a highlight picture in place of the
// normal one) with its caption drawn over it in a colour and font per state.
//
// The checked state is the button's own flag, set by the page (a click does not toggle it).
// Two linked buttons may mirror its hover look while it is unchecked. The button takes the size
// of the bitmap it shows. Button 2844 also reports single, double and right clicks with
// WM_BITBUTTON_CLICK (posted to the parent: 513 single, 200 ms after the press unless a double
// click (515) replaces it; 516 right press). With move notification on, every new pointer
// position is sent to the parent as WM_CTRL_MOUSEMOVE.
//
// Bitmap ids are bitmap resources; 0, or an id with no loadable bitmap, paints the state in the
// button-face colour and leaves the size alone. Colours are COLORREF; fonts are not owned.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDC.h"

constexpr UINT BITBUTTON_CLICK_CTRL_ID = 2844;
constexpr UINT BITBUTTON_CLICK_TIMER = 501;

class CBitButton : public CButton {
public:
    CBitButton();
    ~CBitButton() override;

    // Unchecked normal, hover, pressed, then checked normal, hover, pressed; a checked id of 0
    // takes the unchecked id of the same state.
    void SetBitmaps(UINT nNormal, UINT nHover, UINT nPressed, UINT nCheckedNormal, UINT nCheckedHover,
                    UINT nCheckedPressed);
    void SetCheckedBitmap(UINT nID);
    void SetDisabledBitmaps(UINT nUnchecked, UINT nChecked);
    void SetHighlightBitmaps(UINT nUnchecked, UINT nChecked);
    // Caption colours and fonts in the same order as SetBitmaps; a null checked font takes the
    // unchecked font of the same state; a null font keeps the context's font.
    void SetTextColors(COLORREF clrNormal, COLORREF clrHover, COLORREF clrPressed, COLORREF clrCheckedNormal,
                       COLORREF clrCheckedHover, COLORREF clrCheckedPressed);
    void SetFonts(CFont* pNormal, CFont* pHover, CFont* pPressed, CFont* pCheckedNormal, CFont* pCheckedHover,
                  CFont* pCheckedPressed);
    void SetDisabledTextColor(COLORREF clr) { m_clrDisabled = clr; }
    void SetDisabledFont(CFont* pFont) { m_pDisabledFont = pFont; }
    // DrawText flags of the disabled caption (DT_VCENTER | DT_SINGLELINE are always added).
    void SetDisabledTextFormat(UINT nFormat) { m_nDisabledFormat = nFormat; }
    void SetDisabledTextIndent(int nPixels) { m_nDisabledIndent = nPixels; }
    void SetTextOffset(BOOL bOffset, int nTop) { m_bTextOffset = bOffset; m_nTextTop = nTop; }

    void SetCheck(BOOL bCheck);
    BOOL GetCheck() const { return m_bChecked; }
    void SetHover(BOOL bHover);
    BOOL GetHover() const { return m_bHover; }
    void SetHighlight(BOOL bHighlight);
    void SetLinkedButtons(CBitButton* pFirst, CBitButton* pSecond);
    void SetTag(int nTag) { m_nTag = nTag; }
    int GetTag() const { return m_nTag; }
    void SetMoveNotify(BOOL bOn) { m_bMoveNotify = bOn; }
    // Hiding (SW_HIDE) forgets the linked buttons for good.
    virtual BOOL ShowWindow(int nCmdShow);

    // What a state shows: the picture, caption colour and font.
    struct Face {
        UINT bitmap;
        COLORREF text;
        CFont* font;
        bool disabled;
    };
    // The face for the draw state (ODS_DISABLED) and the button's flags.
    Face ChooseFace(UINT itemState) const;
    // Paints the face of that state over rc (client coordinates of the button).
    void DrawButton(CDC* pDC, const CRect& rc, UINT itemState);
    int GetMode() const { return m_nMode; }
    // 0 left, 1 centre, 2 right, -1 when the style's alignment bits are another combination.
    int GetCaptionAlign() const { return m_nAlign; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnMouseHover(UINT nFlags, CPoint point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnEnable(BOOL bEnable) override;

private:
    // Takes the size of the bitmap the current state shows, then repaints.
    void Redraw(BOOL bErase);
    void PassHoverToLinked(BOOL bHover);

    int m_nMode = 0;
    UINT m_nBitmap[3] = {0, 0, 0};         // unchecked normal, hover, pressed
    UINT m_nCheckedBitmap[3] = {0, 0, 0};
    UINT m_nHighlightBitmap = 0;
    UINT m_nCheckedHighlightBitmap = 0;
    UINT m_nDisabledBitmap[2] = {0, 0};    // unchecked, checked
    COLORREF m_clrText[3] = {0, 0, 0};
    COLORREF m_clrCheckedText[3] = {0, 0, 0};
    CFont* m_pFont[3] = {nullptr, nullptr, nullptr};
    CFont* m_pCheckedFont[3] = {nullptr, nullptr, nullptr};
    CFont* m_pDisabledFont = nullptr;
    COLORREF m_clrDisabled = 0;
    UINT m_nDisabledFormat = DT_CENTER;
    int m_nDisabledIndent = 0;
    BOOL m_bChecked = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bHighlight = FALSE;
    BOOL m_bPressed = FALSE;
    int m_nAlign = -1;
    BOOL m_bTextOffset = FALSE;
    int m_nTextTop = 4;
    HCURSOR m_hCursor = nullptr;  // owned copy
    BOOL m_bUseHandCursor = TRUE;
    int m_nTag = -1;
    BOOL m_bMoveNotify = FALSE;
    CPoint m_ptLast;
    CBitButton* m_pLinked[2] = {nullptr, nullptr};
    HWND m_hClickParent = nullptr;
};
