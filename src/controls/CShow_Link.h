// The link status field of the main view: the words for linked or not linked on a dark field.
// While blinking (no device linked) the text turns red and near-white in turn every 1001 ms;
// steady, it is near-white. The text is the window text; the owner sets it and the blink.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDC.h"

constexpr UINT SHOWLINK_BLINK_TIMER = 1000;
constexpr UINT SHOWLINK_BLINK_MS = 1001;

class CShow_Link : public CButton {
public:
    // Blinking on, phase reset; (re)starts the blink timer.
    void StartBlink();
    // Blinking off, phase reset, timer gone; paints at once in the steady colour.
    void StopBlink();
    // The font of the text (not owned); null for the context's own.
    void SetTextFont(CFont* pFont) { m_pFont = pFont; }
    void SetText(LPCTSTR lpszText) { SetWindowText(lpszText); }

    BOOL IsBlinking() const { return m_bBlink; }
    BOOL GetPhase() const { return m_bPhase; }
    int GetKind() const { return m_nKind; }
    // The text colour now: red in the bright phase of the blink, else near-white.
    COLORREF CurrentTextColor() const;
    COLORREF GetBackColor() const { return m_clrBack; }
    // Paints the field over rc (client coordinates).
    void Paint(CDC* pDC, const CRect& rc);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    void PaintNow();

    int m_nKind = 0;  // 0 owner-painted, 2 check box, 4 radio button
    COLORREF m_clrSteady = RGB(250, 250, 250);
    COLORREF m_clrBlinkOff = RGB(250, 250, 250);
    COLORREF m_clrBlinkOn = RGB(255, 0, 0);
    COLORREF m_clrBack = RGB(76, 76, 76);
    CFont* m_pFont = nullptr;
    BOOL m_bBlink = FALSE;
    BOOL m_bPhase = FALSE;
};
