// Drawing a picture through a mask, the way the fader draws pictures with a key colour: the mask
// is white where the picture has the key colour and black elsewhere, and the picture's key
// pixels are made black, so that ANDing the mask and then ORing the picture leaves the target
// showing through the key pixels.
// User-interface thread.
#pragma once

#include "CDC.h"

// Builds pMask from pBitmap (same size) and blackens the key pixels of pBitmap. clrKey
// 0xFF000000 takes the colour of the picture's pixel at x, y (its top-left pixel when that
// lies outside). FALSE without a picture.
BOOL PrepareMask(CBitmap* pBitmap, CBitmap* pMask, COLORREF clrKey, int x, int y);
// Draws nWidth x nHeight of the picture from (xSrc, ySrc) at (x, y) through the mask.
void DrawTransparent(CDC* pDC, int x, int y, int nWidth, int nHeight, CBitmap* pBitmap, CBitmap* pMask, int xSrc = 0,
                     int ySrc = 0);
// Draws the picture plainly (a copy).
void DrawPicture(CDC* pDC, int x, int y, int nWidth, int nHeight, CBitmap* pBitmap, int xSrc = 0, int ySrc = 0);
