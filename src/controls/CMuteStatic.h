// A two-state "On" / "OFF" field with its own background and text colour per state, and the
// hand cursor. No window of the program creates one.
// User-interface thread.
#pragma once

#include "CDC.h"
#include "CStatic.h"

class CMuteStatic : public CStatic {
public:
    CMuteStatic();
    ~CMuteStatic() override;

    void SetTextColors(COLORREF clrOn, COLORREF clrOff);
    void SetBackColors(COLORREF clrOn, COLORREF clrOff);
    void SetTexts(LPCTSTR lpszOn, LPCTSTR lpszOff);
    // Nonzero: on.
    void SetState(int nState);
    int GetState() const { return m_nState; }
    void SetFontMetrics(int nHeight, int nWeight);
    // Back to "On" and "OFF", without a redraw; the argument is not used.
    void ResetTexts(int nUnused);
    // Paints the field over rc (client coordinates).
    void Paint(CDC* pDC, const CRect& rc);

protected:
    void PreSubclassWindow() override;
    void OnPaint() override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;

private:
    void RedrawNow();

    COLORREF m_clrBackOn = RGB(100, 105, 109);
    COLORREF m_clrBackOff = RGB(200, 201, 205);
    COLORREF m_clrTextOn = RGB(255, 255, 255);
    COLORREF m_clrTextOff = RGB(255, 0, 0);
    CString m_strOn = "On";
    CString m_strOff = "OFF";
    int m_nState = 1;
    int m_nFontHeight = 16;
    int m_nFontWeight = 900;
    HCURSOR m_hCursor = nullptr;  // owned copy
};
