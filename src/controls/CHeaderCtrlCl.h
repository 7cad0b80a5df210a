// The header of the owner-drawn list control: each column (and the strip right of the last one)
// is a vertical gradient that darkens by a step per pixel row from a start colour, with the
// column's title in the list font of the current language. The list control fills the public
// members; the header needs a title and an alignment character per column. A height factor
// makes the header taller (or shorter) than the system lays it out.
// User-interface thread.
#pragma once

#include "CHeaderCtrl.h"

#include <vector>

class CDC;

class CHeaderCtrlCl : public CHeaderCtrl {
public:
    std::vector<CString> m_HChar;  // column titles
    CString m_Format;              // per column: '0' left, '1' centred, '2' right
    int m_R = 180;                 // gradient start, red, green, blue
    int m_G = 179;
    int m_B = 179;
    int m_Gradient = 3;            // darkening per pixel row, each channel kept at 0 or above
    float m_Height = 1.0f;         // factor on the header height the system lays out
    COLORREF m_color = 0x000000;   // title colour

    // The colour of pixel row nRow (0 = the top row).
    COLORREF RowColour(int nRow) const;
    // Paints the header into pDC (what WM_PAINT shows).
    void Paint(CDC* pDC);

protected:
    void OnPaint() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillGradient(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom) const;
};
