// Where a fader's thumb stands: raw position to pixel and back, and the pixels the thumb's
// centre may travel over. No window code: CBitmapSlider holds one and tests check it alone.
//
// Along the slider (y on a vertical one, growing downwards; x on a horizontal one) the thumb's
// centre travels from margin + thumb/2 to length - other margin - thumb/2, the minimum position
// at the start. Halves are integer halves; a pixel is the start plus the travel times the
// position's fraction of the range, truncated; a position is the minimum plus the pixel's
// fraction of the travel times the range, the sum truncated toward zero.
//
// A range without width (maximum = minimum) or a track no longer than the thumb and margins has
// no travel: every position draws at the start and every pixel reads as the minimum, instead of
// a division by zero.
#pragma once

struct SliderGeometry {
    bool bVertical = true;
    int nMin = 0;
    int nMax = 100;
    int nWidth = 0;  // the track, or the client area without one
    int nHeight = 0;
    int nThumbWidth = 0;
    int nThumbHeight = 0;
    int nMarginLeft = 0;
    int nMarginTop = 0;
    int nMarginRight = 0;
    int nMarginBottom = 0;

    // The thumb's length along the slider.
    int ThumbLength() const { return bVertical ? nThumbHeight : nThumbWidth; }
    // The first and last pixel of the thumb centre's travel (first > last when there is none).
    int TravelFirst() const;
    int TravelLast() const;
    int PosToPixel(int nPos) const;
    int PixelToPos(int nPixel) const;
    // The pixel held within the travel; without travel the limit applied last wins (the top one
    // on vertical sliders, the right one on horizontal ones).
    int ClampToTravel(int nPixel) const;
};
