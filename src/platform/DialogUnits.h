// Dialog units: the program's dialog layouts are given in units of the dialog font, a quarter
// of its average character width across and an eighth of its line height down, so the layout
// follows the font. These turn them into pixels. User-interface thread (fonts need the GUI).
#pragma once

#include "WinDefs.h"

class CFont;

// The font's base units in pixels: cx the average width of the 52 letters A..Z a..z, rounded,
// cy the line height. (0, 0) for a font that does not exist.
CSize GetDialogBaseUnits(CFont* pFont);
// One coordinate across (x) or down (y) in pixels, rounded to the nearest pixel.
int DialogUnitsToPixelsX(int nUnits, CSize base);
int DialogUnitsToPixelsY(int nUnits, CSize base);
// A rectangle given as x, y, width, height in dialog units, in pixels (edges converted one by
// one, as the dialog's controls are placed).
CRect DialogRect(int x, int y, int cx, int cy, CSize base);

class CWnd;

// The layout font of a family of dialogs (face and size in tenths of a point): its base units,
// measured once, the rectangles of its controls, each dialog's window template registered once,
// and the font given to a dialog. User-interface thread.
class CDialogFontUnits {
public:
    CDialogFontUnits(int nTenthsOfPoint, const char* pszFace);

    CSize Base() const;
    CRect Rect(int x, int y, int cx, int cy) const { return DialogRect(x, y, cx, cy, Base()); }
    // Registers template nID with a client area of cxDlu x cyDlu units; later calls for the
    // same id do nothing. style 0: a captioned pop-up with a system menu.
    void RegisterTemplate(UINT nID, const char* pszCaption, int cxDlu, int cyDlu, DWORD style = 0) const;
    // Makes font this layout font and gives it to pWnd (without redrawing).
    void ApplyFont(CWnd* pWnd, CFont& font) const;

private:
    int m_nTenthsOfPoint;
    const char* m_pszFace;  // a literal: lives for the program
    mutable CSize m_base{0, 0};
    mutable bool m_bMeasured = false;
};
