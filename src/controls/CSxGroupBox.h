// A group box that draws its own frame (etched, double raised or flat) with the caption set into
// the top line, in its own bold "Arial" font. A disabled box draws its frame in the default
// colours and shows no caption. It sends nothing to its parent.
// Owns its caption font. User-interface thread.
#pragma once

#include "CButton.h"
#include "GdiObjects.h"

constexpr int SXGB_ETCHED = 11;
constexpr int SXGB_RAISED = 12;
constexpr int SXGB_FLAT = 0x8000;
constexpr int SXGB_LEFT = 0x100;
constexpr int SXGB_RIGHT = 0x200;
constexpr int SXGB_CENTER = 0x300;

class CSxGroupBox : public CButton {
public:
    CSxGroupBox();
    ~CSxGroupBox() override;

    void SetText(const CString& strText, BOOL bRedraw = TRUE);
    // 0 restores the default colour.
    void SetColors(COLORREF clrDark, COLORREF clrLight, BOOL bRedraw = TRUE);
    void GetColors(COLORREF& clrDark, COLORREF& clrLight) const;
    void SetTextColor(COLORREF clr, BOOL bRedraw = TRUE);
    // The caption font from a description; null: "MS Sans Serif" 8 point.
    void SetFont(const LOGFONT* pLogFont);
    using CWnd::SetFont;
    // SXGB_LEFT, SXGB_RIGHT or SXGB_CENTER; anything else gives SXGB_LEFT.
    void SetAlignment(int nAlign);
    int GetAlignment() const { return m_nAlign; }
    void SetMargins(int nMargin, int nRise);
    // SXGB_ETCHED, SXGB_RAISED or SXGB_FLAT; anything else gives SXGB_ETCHED.
    void SetFrameStyle(int nStyle);
    int GetFrameStyle() const { return m_nFrameStyle; }
    void SetLineWidth(int nWidth) { m_nLineWidth = nWidth; }
    void Refresh();
    const CRect& GetFrameRect() const { return m_rcFrame; }
    // Where the caption cuts the top line: [x1, x2), at row y.
    void CaptionGap(CDC* pDC, int& x1, int& x2, int& y);

    // Paints the box into pDC (what WM_PAINT shows).
    void Paint(CDC* pDC);

protected:
    void PreSubclassWindow() override;
    void OnPaint() override;

private:
    void TakeOverWindow();

    COLORREF m_clrDark;
    COLORREF m_clrLight;
    COLORREF m_clrDefaultDark;
    COLORREF m_clrDefaultLight;
    BOOL m_bNoCaption = FALSE;
    int m_nLineWidth = 1;
    COLORREF m_clrText = 0x000000;
    CFont m_fontCaption;
    CString m_strCaption;
    int m_nAlign = SXGB_LEFT;
    int m_nMargin = 8;
    int m_nRise = 0;
    int m_nFrameStyle = SXGB_ETCHED;
    CRect m_rcFrame;
};
