#include "SliderGeometry.h"

#include "Convert.h"

namespace {

int Length(const SliderGeometry& g) { return g.bVertical ? g.nHeight : g.nWidth; }
int MarginStart(const SliderGeometry& g) { return g.bVertical ? g.nMarginTop : g.nMarginLeft; }
int MarginEnd(const SliderGeometry& g) { return g.bVertical ? g.nMarginBottom : g.nMarginRight; }
// Pixels of the thumb centre's travel beyond its first pixel.
int Travel(const SliderGeometry& g) { return Length(g) - MarginStart(g) - MarginEnd(g) - g.ThumbLength(); }

}  // namespace

int SliderGeometry::TravelFirst() const { return ThumbLength() / 2 + MarginStart(*this); }

int SliderGeometry::TravelLast() const { return Length(*this) - MarginEnd(*this) - ThumbLength() / 2; }

int SliderGeometry::PosToPixel(int nPos) const
{
    const int travel = Travel(*this);
    if (nMax == nMin || travel <= 0)
        return TravelFirst();
    const double fraction = double(nPos - nMin) / double(nMax - nMin);
    return TravelFirst() + TruncToInt(travel * fraction);
}

int SliderGeometry::PixelToPos(int nPixel) const
{
    const int travel = Travel(*this);
    if (travel <= 0)
        return nMin;
    return TruncToInt(nMin + double(nPixel - MarginStart(*this) - ThumbLength() / 2) / travel * (nMax - nMin));
}

int SliderGeometry::ClampToTravel(int nPixel) const
{
    const int first = TravelFirst();
    const int last = TravelLast();
    if (bVertical) {
        if (nPixel > last)
            nPixel = last;
        if (nPixel < first)
            nPixel = first;
    } else {
        if (nPixel < first)
            nPixel = first;
        if (nPixel > last)
            nPixel = last;
    }
    return nPixel;
}
