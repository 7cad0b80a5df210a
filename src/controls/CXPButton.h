// The picture push button of the main view's commands and the pages' picture buttons: six
// bitmaps (checked and unchecked; normal, pointer over it, pressed) are its whole face; its
// caption is never drawn. A new button is checked. Optional pictures: a disabled pair (the
// button's own disabled look), and a selected pair shown whatever the pointer does. A state
// whose bitmap id is 0 (or does not load) draws nothing, so the parent shows. The button takes
// the size of its picture.
//
// Move notification sends WM_CTRL_MOUSEMOVE once per entry of the pointer. Press-repeat posts
// WM_SHOW_THIRD_PAGE (wParam the control id, lParam the count) every 80 ms while held.
// Ids are bitmap resources. User-interface thread.
#pragma once

#include "CButton.h"
#include "CDC.h"
#include "GdiObjects.h"

constexpr UINT XPBUTTON_REPEAT_TIMER = 7;

class CXPButton : public CButton {
public:
    CXPButton();
    ~CXPButton() override;

    // Checked normal, hover, pressed, then unchecked normal, hover, pressed (the reverse of
    // CBitButton::SetBitmaps). Draws at once.
    void SetBitmaps(UINT nCheckedNormal, UINT nCheckedHover, UINT nCheckedPressed, UINT nNormal, UINT nHover,
                    UINT nPressed);
    void SetCheck(BOOL bCheck);
    BOOL GetCheck() const { return m_bChecked; }
    void SetMoveNotify(BOOL bOn) { m_bMoveNotify = bOn; }
    void SetDisabledBitmaps(UINT nChecked, UINT nUnchecked);
    void SetSelectedBitmaps(UINT nChecked, UINT nUnchecked);
    void SetSelected(BOOL bSelected);
    BOOL GetSelected() const { return m_bSelected; }
    // The button's own disabled look; also enables or disables the window.
    void SetDisabled(BOOL bDisabled);
    void SetPressRepeat(BOOL bOn) { m_bPressRepeat = bOn; }
    int GetRepeatCount() const { return m_nRepeat; }
    // Hover sound: with an empty name the system's alert sound; a named sound plays only when
    // the program holds it (it holds none).
    void SetSound(BOOL bOn, LPCTSTR lpszName);
    void SetHoverSound(BOOL bOn) { m_bHoverSound = bOn; }
    // A label that repaints the parent's area under itself after each draw.
    void SetPartner(CWnd* pPartner) { m_pPartner = pPartner; }
    void SetTextColors(COLORREF clrNormal, COLORREF clrHover);
    COLORREF GetTextColor() const { return m_clrText; }
    COLORREF GetHoverTextColor() const { return m_clrHoverText; }
    void SetCaption(LPCTSTR lpszCaption);
    BOOL GetHover() const { return m_bHover; }
    void SetUseHandCursor(BOOL bUse) { m_bUseHandCursor = bUse; }
    BOOL GetUseHandCursor() const { return m_bUseHandCursor; }

    // The bitmap the state shows; 0 draws nothing.
    UINT ChooseBitmap() const;
    // Paints the current state over rc (client coordinates).
    void DrawButton(CDC* pDC, const CRect& rc);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnMouseHover(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    // Takes the size of the picture, then paints at once.
    void DrawNow();
    void PlayHoverSound();

    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrHoverText = RGB(255, 0, 0);
    UINT m_nChecked[3] = {0, 0, 0};
    UINT m_nUnchecked[3] = {0, 0, 0};
    UINT m_nDisabledChecked = 0;
    UINT m_nDisabledUnchecked = 0;
    UINT m_nSelectedChecked = 0;
    UINT m_nSelectedUnchecked = 0;
    BOOL m_bHoverSound = FALSE;
    BOOL m_bChecked = TRUE;
    BOOL m_bSelected = FALSE;
    CFont m_fontCaption;
    HCURSOR m_hCursor = nullptr;  // owned copy
    BOOL m_bUseHandCursor = TRUE;
    CString m_strCaption;
    BOOL m_bUseCaption = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    CString m_strSound;
    BOOL m_bSound = FALSE;
    BOOL m_bDisabled = FALSE;
    BOOL m_bPressRepeat = FALSE;
    int m_nRepeat = 0;
    CWnd* m_pPartner = nullptr;
    BOOL m_bMoveNotify = FALSE;
    CPoint m_ptLast;
};
