// The arrow button a read-only delay field shows over itself: one of four bitmaps (0 inactive,
// 1 pointer over the left arrow, 2 active, 3 pointer over the right arrow) with the field's text
// as its caption. While the field is focused (active) and the left button is held, resting the
// pointer over the left or right arrow area steps the target CNumSpin by -1 or +1 every 100 ms;
// a plain click does not step, a double click steps once. The wheel does not step.
//
// Areas: with d = width / 5.5, the left area runs from the left edge to left + d, the right one
// from right - d to the right edge, the middle one between them.
//
// The button belongs to its CNumEdit; the target belongs to the page. User-interface thread.
#pragma once

#include "CButton.h"

class CNumSpin;

constexpr UINT_PTR SPINBTN_STEP_TIMER = 2;
constexpr UINT SPINBTN_STEP_PERIOD_MS = 100;
constexpr COLORREF SPINBTN_CAPTION = 0xFFFFFF;
constexpr COLORREF SPINBTN_CAPTION_DISABLED = 0x9B9B9B;

// Arrow states.
constexpr int SPINBTN_INACTIVE = 0;
constexpr int SPINBTN_OVER_LEFT = 1;
constexpr int SPINBTN_ACTIVE = 2;
constexpr int SPINBTN_OVER_RIGHT = 3;

class CSpinBtn : public CButton {
public:
    CSpinBtn();
    ~CSpinBtn() override;

    // Bitmap ids of the states 0..3 (0: none, the button face colour); the button takes the
    // first one's size and the arrow areas follow from it.
    void SetBitmaps(UINT nInactive, UINT nLeft, UINT nActive, UINT nRight);
    void SetDisabledBitmap(UINT nID) { m_nDisabledBitmap = nID; }
    void SetTarget(int nNumber, CNumSpin* pTarget);
    void SetActive(BOOL bActive);
    BOOL IsActive() const { return m_bActive; }
    int GetArrowState() const { return m_nState; }
    const CRect& LeftArea() const { return m_rcLeft; }
    const CRect& MiddleArea() const { return m_rcMiddle; }
    const CRect& RightArea() const { return m_rcRight; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseHover(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

private:
    void StepOnce();

    int m_nKind = 0;  // 0 owner-drawn push button; 2, 4: check box, radio button (system-drawn)
    UINT m_nBitmap[4] = {0, 0, 0, 0};
    UINT m_nDisabledBitmap = 0;
    COLORREF m_clrCaption = SPINBTN_CAPTION;
    COLORREF m_clrDisabled = SPINBTN_CAPTION_DISABLED;
    BOOL m_bFocus = FALSE;
    BOOL m_bActive = FALSE;
    BOOL m_bPressed = FALSE;
    int m_nAlign = 1;
    HCURSOR m_hCursor = nullptr;  // owned copy
    BOOL m_bHandCursor = FALSE;
    int m_nState = SPINBTN_INACTIVE;
    CRect m_rcLeft, m_rcMiddle, m_rcRight;
    int m_nNumber = 0;
    CNumSpin* m_pTarget = nullptr;
    BOOL m_bHasTarget = FALSE;
};
