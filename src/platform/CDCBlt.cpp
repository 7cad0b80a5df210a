// CDC: pixels, copies between contexts and images.
#include "CDCImpl.h"

#include "CImage.h"

#include <algorithm>

namespace {

bool CompositionFor(DWORD rop, QPainter::CompositionMode* mode)
{
    switch (rop) {
    case SRCCOPY: *mode = QPainter::CompositionMode_Source; return true;
    case SRCAND: *mode = QPainter::RasterOp_SourceAndDestination; return true;
    case SRCPAINT: *mode = QPainter::RasterOp_SourceOrDestination; return true;
    case SRCINVERT: *mode = QPainter::RasterOp_SourceXorDestination; return true;
    case NOTSRCCOPY: *mode = QPainter::RasterOp_NotSource; return true;
    default: return false;
    }
}

// The raster operations that need no source; false for the others.
bool FillWithoutSource(QPainter* p, const QRect& r, DWORD rop, const QBrush& brush)
{
    switch (rop) {
    case BLACKNESS: p->fillRect(r, Qt::black); return true;
    case WHITENESS: p->fillRect(r, Qt::white); return true;
    case PATCOPY: p->fillRect(r, brush); return true;
    case DSTINVERT:
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        p->fillRect(r, Qt::black);
        return true;
    default: return false;
    }
}

// The pixels a blit covers: a negative extent runs leftwards (upwards) from and including its
// start pixel, so (w - 1, 0, -w, h) is the mirror of (0, 0, w, h).
QRect SpanRect(int x, int y, int w, int h)
{
    return QRect(w >= 0 ? x : x + w + 1, h >= 0 ? y : y + h + 1, std::abs(w), std::abs(h));
}

}  // namespace

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    QPainter* p = d->Prepare();
    if (!p)
        return CLR_INVALID;
    p->fillRect(QRect(x, y, 1, 1), QColorOf(crColor));
    return crColor;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    QRect area;
    const QImage* surface = d->Surface(&area);
    const QPoint dev = QPoint(x, y) + d->Offset();
    if (!surface || !area.contains(dev))
        return CLR_INVALID;
    const QPoint at = dev + (d->kind == Impl::Attached ? d->surfaceOrigin : QPoint());
    if (!surface->valid(at))
        return CLR_INVALID;
    return ColorRefOf(surface->pixel(at));
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    QPainter* p = d->Prepare();
    if (!p)
        return FALSE;
    const QRect dest = QRectOf(x, y, x + nWidth, y + nHeight);
    if (FillWithoutSource(p, dest, dwRop, d->Brush()))
        return TRUE;
    QPainter::CompositionMode mode;
    if (!pSrcDC || !CompositionFor(dwRop, &mode))
        return FALSE;
    // Always a copy: the source may be this very context.
    const QImage src = pSrcDC->d->Grab(QRect(QPoint(xSrc, ySrc) + pSrcDC->d->Offset(), dest.size()));
    p = d->Prepare();
    p->setCompositionMode(mode);
    p->drawImage(dest.topLeft(), src);
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    QPainter* p = d->Prepare();
    if (!p)
        return FALSE;
    const QRect dest = SpanRect(x, y, nWidth, nHeight);
    if (FillWithoutSource(p, dest, dwRop, d->Brush()))
        return TRUE;
    QPainter::CompositionMode mode;
    if (!pSrcDC || !CompositionFor(dwRop, &mode) || dest.isEmpty() || nSrcWidth == 0 || nSrcHeight == 0)
        return FALSE;
    const QRect srcRect = SpanRect(xSrc, ySrc, nSrcWidth, nSrcHeight);
    QImage src = pSrcDC->d->Grab(srcRect.translated(pSrcDC->d->Offset()));
    const bool flipX = (nWidth < 0) != (nSrcWidth < 0);
    const bool flipY = (nHeight < 0) != (nSrcHeight < 0);
    if (flipX || flipY)
        src = src.mirrored(flipX, flipY);
    const Qt::TransformationMode how =
        d->s.stretch == HALFTONE ? Qt::SmoothTransformation : Qt::FastTransformation;
    src = src.scaled(dest.size(), Qt::IgnoreAspectRatio, how);
    p = d->Prepare();
    p->setCompositionMode(mode);
    p->drawImage(dest.topLeft(), src);
    return TRUE;
}

BOOL CDC::DrawImage(const CImage* pImage, int x, int y)
{
    if (!pImage || pImage->IsNull())
        return FALSE;
    return DrawImage(pImage, x, y, pImage->GetWidth(), pImage->GetHeight());
}

BOOL CDC::DrawImage(const CImage* pImage, int x, int y, int nWidth, int nHeight)
{
    if (!pImage || pImage->IsNull())
        return FALSE;
    return DrawImage(pImage, CRect(x, y, x + nWidth, y + nHeight),
                     CRect(0, 0, pImage->GetWidth(), pImage->GetHeight()));
}

BOOL CDC::DrawImage(const CImage* pImage, const CRect& dest, const CRect& src)
{
    QPainter* p = d->Prepare();
    if (!p || !pImage || pImage->IsNull() || dest.IsRectEmpty() || src.IsRectEmpty())
        return FALSE;
    const QRect to(dest.left, dest.top, dest.Width(), dest.Height());
    const QRect from(src.left, src.top, src.Width(), src.Height());
    p->setRenderHint(QPainter::SmoothPixmapTransform, to.size() != from.size());
    p->drawImage(to, pImage->GetQImage(), from);
    return TRUE;
}
