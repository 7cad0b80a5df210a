// The program's fader: a static control that draws a track picture and a thumb picture from the
// bitmap resources and moves the thumb with the mouse, the keys and the wheel.
//
// It keeps a raw position between a minimum and a maximum (SliderGeometry maps it to pixels; the
// minimum is at the top of a vertical fader and at the left of a horizontal one). Vertical pages
// read and write the shown value as maximum - position (SetValue / GetValue). It tells its
// parent with posted messages: WM_SLIDER_MOVING (wParam its id, lParam the position) when it
// gains the focus and at most every 50 ms while a drag moves it, WM_SLIDER_MOVED at the release,
// after a move key and after a wheel notice. While it has the focus its buddy field shows its
// highlight and the active pictures are drawn.
//
// Pictures may be drawn through a mask built from a key colour (a given colour, or 0xFF000000
// for the colour of the picture's pixel at x, y): the key pixels let the parent show through.
// The control owns its ten bitmaps and its hand cursor copy; the buddy belongs to the page.
// User-interface thread.
#pragma once

#include "CStatic.h"
#include "GdiObjects.h"
#include "ModelUi.h"
#include "SliderGeometry.h"

class CNumEdit;

// Timer of a drag: WM_SLIDER_MOVING at most this often.
constexpr UINT_PTR SLIDER_MOVE_TIMER = 5;
constexpr UINT SLIDER_MOVE_PERIOD_MS = 50;
// The key colour that means "the colour of the picture's pixel at x, y".
constexpr COLORREF SLIDER_KEY_FROM_PIXEL = 0xFF000000;
// Value kinds.
constexpr int SLIDER_KIND_GAIN = 10;   // values shifted by 80
constexpr int SLIDER_KIND_FREQ = 1;    // frequency over the grid
constexpr int SLIDER_KIND_FREQ_HI = 2; // frequency over the grid, offset by 192 points

class CBitmapSlider : public CStatic, public ILinkedSlider {
public:
    CBitmapSlider();
    ~CBitmapSlider() override;

    // Pictures (bitmap resource ids). Track id 0 forgets the track; the control takes the
    // track's size. FALSE when a picture does not load (the pair loaded so far is dropped).
    BOOL SetBitmapChannel(UINT nChannelID, UINT nActiveID = 0, BOOL bTransparent = FALSE,
                          COLORREF clrTransColor = SLIDER_KEY_FROM_PIXEL, int iTransPixelX = 0, int iTransPixelY = 0);
    // The thumb id already loaded changes nothing; id 0 forgets the thumb.
    BOOL SetBitmapThumb(UINT nThumbID, UINT nActiveID = 0, BOOL bTransparent = FALSE,
                        COLORREF clrTransColor = SLIDER_KEY_FROM_PIXEL, int iTransPixelX = 0, int iTransPixelY = 0);
    // The picture shown in the thumb's place while disabled; its mask (key: its top-left
    // pixel) replaces the thumb's.
    BOOL SetBitmapThumbDisabled(UINT nID);
    void SetMargin(int nLeft, int nTop, int nRight, int nBottom);
    void SetMarginLeft(int n) { m_geo.nMarginLeft = n; }
    void SetMarginTop(int n) { m_geo.nMarginTop = n; }
    void SetMarginRight(int n) { m_geo.nMarginRight = n; }
    void SetMarginBottom(int n) { m_geo.nMarginBottom = n; }
    void SetVertical(BOOL bVertical) { m_geo.bVertical = bVertical != FALSE; }

    // Values. The range does not clamp the position; SetPos does.
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE);
    int GetRangeMin() const { return m_geo.nMin; }
    int GetRangeMax() const { return m_geo.nMax; }
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }
    // Position := maximum - value (kind 10: maximum - value + 80), not clamped; paints at once.
    void SetValue(int nValue) override;
    int GetValue() const;
    // Kind 1: the grid point nearest nHz; kind 2: the same 192 points further; then clamped.
    void SetFreqValue(int nHz) override;
    // The grid frequency of the position in whole Hz (kind 2 offset by 192 points).
    int GetFreqValue() const;
    void SetInvertedPos(int nValue);
    int GetInvertedPos() const { return m_geo.nMax - m_nPos; }
    void SetKind(int nKind) { m_nKind = nKind; }
    int GetKind() const { return m_nKind; }
    // Returns the previous Page Up / Page Down step.
    int SetPageSize(int nSize);

    // Behaviour.
    void Enable(BOOL bEnable = TRUE);
    BOOL IsEnabled() const { return m_bEnable; }
    void SetActive(BOOL bActive);
    BOOL IsActive() const { return m_bActive; }
    void SetBuddy(CNumEdit* pBuddy) { m_pBuddy = pBuddy; }
    void SetMoveNotify(BOOL bOn) { m_bMoveNotify = bOn; }
    void SetFocusRect(BOOL bFocusRect, BOOL bRedraw = FALSE);

    const SliderGeometry& Geometry() const { return m_geo; }
    int PosToPixel(int nPos) const { return m_geo.PosToPixel(nPos); }
    int PixelToPos(int nPixel) const { return m_geo.PixelToPos(nPixel); }
    BOOL IsDragging() const { return m_bDragging; }

    // Paints the slider into pDC over its client rectangle (what WM_PAINT shows).
    void Paint(CDC* pDC);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnDestroy() override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;

private:
    void Post(UINT message);
    int Along(CPoint point) const { return m_geo.bVertical ? point.y : point.x; }
    void DeleteThumb();
    void DeleteChannel();

    CNumEdit* m_pBuddy = nullptr;
    int m_nKind = 0;
    HCURSOR m_hCursor = nullptr;  // owned copy
    BOOL m_bUseHandCursor = TRUE;
    BOOL m_bMoveNotify = FALSE;
    CPoint m_ptLast;
    SliderGeometry m_geo;
    int m_nPos = 0;
    int m_nPage = 13;
    CRect m_rect;  // client rectangle, taken when a picture is set
    CPoint m_ptSavedThumb{-1, -1};
    int m_nDragOffset = 0;
    BOOL m_bMoved = FALSE;
    BOOL m_bChannelActive = FALSE;
    BOOL m_bThumbActive = FALSE;
    BOOL m_bTransparentChannel = FALSE;
    BOOL m_bTransparentThumb = FALSE;
    BOOL m_bThumb = FALSE;
    BOOL m_bChannel = FALSE;
    BOOL m_bDragging = FALSE;
    BOOL m_bActive = FALSE;
    BOOL m_bFocus = FALSE;      // the focus rectangle is shown
    BOOL m_bFocusRect = TRUE;   // show a focus rectangle on sliders whose parent shows through
    BOOL m_bEnable = TRUE;
    CBitmap m_bmChannel, m_bmChannelMask, m_bmChannelActive, m_bmChannelActiveMask;
    CBitmap m_bmThumb, m_bmThumbMask, m_bmThumbActive, m_bmThumbActiveMask;
    CBitmap m_bmThumbBg, m_bmThumbDisabled;
    int m_nThumbID = -1;
};
