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
