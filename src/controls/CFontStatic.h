// A transparent text label that draws its window text in "Arial" at its own size and colour,
// left, right or centred on one line, and can blink (red and near-white, one second each).
// It erases nothing itself: every setter that changes what it shows has the parent repaint the
// area under it. It sends nothing to its parent. User-interface thread.
#pragma once

#include "CStatic.h"

constexpr UINT_PTR FONTSTATIC_BLINK_TIMER = 1001;
constexpr UINT FONTSTATIC_BLINK_PERIOD_MS = 1000;
constexpr COLORREF FONTSTATIC_BLINK_LIGHT = 0xFAFAFA;  // phase 1
constexpr COLORREF FONTSTATIC_BLINK_RED = 0x0000FF;    // phase 0

// Style flags of SetFontStatic.
constexpr DWORD FS_NORMAL = 0x01;
constexpr DWORD FS_BOLD = 0x02;
constexpr DWORD FS_ITALIC = 0x04;
constexpr DWORD FS_UNDERLINED = 0x08;
constexpr DWORD FS_STRIKETHROUGH = 0x10;
constexpr DWORD FS_CENTER = 0x20;
constexpr DWORD FS_LEFT = 0x40;
constexpr DWORD FS_RIGHT = 0x80;

class CFontStatic : public CStatic {
public:
    // The face is not used: the label always paints in "Arial". A colour equal to the current
    // one changes only the size.
    void SetFontStatic(const CString& strFont, int nSize, COLORREF clrText, DWORD dwStyle);
    void SetTextColor(COLORREF clr);
    COLORREF GetTextColor() const { return m_clrText; }
    void SetText(const CString& strText);
    void SetBackColor(COLORREF clr);
    void SetAlignLeft(BOOL bLeft) { m_bLeft = bLeft != FALSE; }
    void SetAlignRight(BOOL bRight) { m_bRight = bRight != FALSE; }
    void SetFontSize(int nSize);
    int GetFontSize() const { return m_nFontSize; }
    // ShowNumber writes n - offset followed by the suffix.
    void SetNumberFormat(int nFirst, int nSecond, int nOffset, const CString& strSuffix);
    void ShowNumber(int n);
    void StartBlink();
    void StopBlink();
    BOOL IsBlinking() const { return m_bBlink; }
    int GetBlinkPhase() const { return m_nBlinkPhase; }
    void RepaintParentArea();

    // The colour the text is drawn in now (blink phase or text colour).
    COLORREF CurrentTextColor() const;
    // Paints the label into pDC over rc (client coordinates).
    void Paint(CDC* pDC, const CRect& rc);

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

protected:
    void PreSubclassWindow() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    void PaintNow();

    bool m_bNormal = true;
    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderlined = false;
    bool m_bStrikethrough = false;
    bool m_bFillBackground = false;
    bool m_bCenter = true;
    bool m_bLeft = false;
    bool m_bRight = false;
    COLORREF m_clrText = 0x000000;
    COLORREF m_clrBack = 0x000000;
    int m_nFontSize = 14;
    int m_nNumFirst = 0;
    int m_nNumSecond = 0;
    int m_nNumOffset = 0;
    CString m_strNumSuffix;
    BOOL m_bBlink = FALSE;
    int m_nBlinkPhase = 0;
};
