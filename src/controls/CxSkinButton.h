// The skin button: a button drawn from normal, down, over, disabled and focus bitmaps, cut to
// the shape of a mask bitmap (its window region), with a tooltip and its own check and radio
// behaviour. Only the start page, which the program never shows, would create one.
//
// Check and radio: BM_SETCHECK stores the check (a push-mode button stays unchecked); checking a
// radio-mode button posts WM_SKINBTN_UNCHECK to the other controls of its group, which clear
// their check. A click released over a radio-mode button checks it; space toggles a check-mode
// button and checks a radio-mode one. Press-repeat posts WM_USER + 300 (wParam the control id,
// lParam the value given) every 200 ms while the button is held.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDC.h"
#include "CToolTipCtrl.h"
#include "GdiObjects.h"

constexpr UINT WM_SKINBTN_REPEAT = WM_USER + 300;
constexpr UINT SKINBTN_REPEAT_TIMER = 6;

class CxSkinButton : public CButton {
public:
    // Draw modes of the pictures.
    enum { DRAW_NORMAL = 0, DRAW_STRETCH = 1, DRAW_TILED = 2 };

    CxSkinButton();
    ~CxSkinButton() override;

    // Bitmap ids (0 = none; the disabled picture falls back to the normal id). A mask id cuts
    // the window to the mask's non-white pixels (and in DRAW_NORMAL sizes the button to it).
    void SetSkin(UINT normal, UINT down, UINT over = 0, UINT disabled = 0, UINT focus = 0, UINT mask = 0,
                 short drawmode = DRAW_STRETCH, short border = 1, short margin = 4);
    // Returns the previous normal colour.
    COLORREF SetTextColor(COLORREF clrNormal);
    void SetToolTipText(LPCTSTR lpszText);
    void SetToolTipColor(COLORREF clrText, COLORREF clrBack);
    void SetPressRepeat(int nValue) { m_nRepeatValue = nValue; m_bPressRepeat = TRUE; }
    int GetMode() const { return m_nMode; }
    BOOL IsChecked() const { return m_bChecked; }
    short GetDrawMode() const { return m_nDrawMode; }
    short GetFocusMargin() const { return m_nFocusMargin; }

    // The region of a mask: every horizontal run of pixels that are not clrTransparent becomes a
    // one-pixel-high rectangle of it. Null when the mask is not a bitmap.
    static HRGN CreateRgnFromBitmap(CBitmap* pMask, COLORREF clrTransparent);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    void DrawBitmap(CDC* pDC, CBitmap* pBitmap, const CRect& rc);
    void SetChecked(BOOL bCheck);
    void RelayMouse(UINT message, WPARAM wParam, LPARAM lParam);

    CBitmap m_bmpNormal, m_bmpDown, m_bmpOver, m_bmpDisabled, m_bmpFocus, m_bmpMask;
    int m_nMode = 0;
    BOOL m_bChecked = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bButtonDown = FALSE;
    BOOL m_bPushedLook = FALSE;  // while held with the capture: the pointer is over the button
    short m_nFocusMargin = 0;
    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrHover = RGB(255, 0, 0);
    short m_nBorder = 0;
    short m_nDrawMode = DRAW_STRETCH;
    CFont m_font;
    CToolTipCtrl m_tooltip;
    CString m_strTip;
    HCURSOR m_hCursor = nullptr;  // owned copy
    BOOL m_bPressRepeat = FALSE;
    int m_nRepeatValue = 0;
};
