#include "GdiData.h"

#include "Resources.h"
#include "WinApi.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

QPen MakeQPen(int style, int width, COLORREF c)
{
    if (style == PS_NULL)
        return QPen(Qt::NoPen);
    QPen p(QColorOf(c));
    if (width > 1) {
        p.setWidth(width);
        p.setCapStyle(Qt::RoundCap);
        p.setJoinStyle(Qt::RoundJoin);
        return p;
    }
    p.setWidth(0);                // one pixel whatever the transform
    p.setCapStyle(Qt::FlatCap);   // leaves out the last point of a line, as LineTo does
    p.setJoinStyle(Qt::MiterJoin);
    switch (style) {
    case PS_DASH: p.setDashPattern({18, 6}); break;
    case PS_DOT: p.setDashPattern({3, 3}); break;
    case PS_DASHDOT: p.setDashPattern({9, 6, 3, 6}); break;
    case PS_DASHDOTDOT: p.setDashPattern({9, 3, 3, 3, 3, 3}); break;
    default: break;
    }
    return p;
}

int RegionType(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRect RectOf(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).normalized(); }

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    const HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return GdiTable::Delete(h);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!GdiTable::Find(hObject))
        return FALSE;
    if (hObject == m_hObject)
        return TRUE;
    DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    GdiData* d = StockData(nIndex);
    if (!d)
        return FALSE;
    DeleteObject();
    m_hObject = d->Handle();
    return TRUE;
}

int CGdiObject::GetObjectType() const
{
    GdiData* d = GdiTable::Find(m_hObject);
    return d ? d->m_type : 0;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    LOGPEN lp{UINT(nPenStyle), CPoint(nWidth, 0), crColor};
    return CreatePenIndirect(&lp);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    if (!lpLogPen || lpLogPen->lopnStyle > UINT(PS_INSIDEFRAME))
        return FALSE;
    DeleteObject();
    auto* d = new PenData;
    d->log = *lpLogPen;
    d->pen = MakeQPen(int(lpLogPen->lopnStyle), lpLogPen->lopnWidth.x, lpLogPen->lopnColor);
    m_hObject = GdiTable::Add(d);
    return TRUE;
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    PenData* d = PenOf(m_hObject);
    if (!d || !pLogPen)
        return 0;
    *pLogPen = d->log;
    return int(sizeof(LOGPEN));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    DeleteObject();
    auto* d = new BrushData;
    d->log = LOGBRUSH{BS_SOLID, crColor, 0};
    d->brush = QBrush(QColorOf(crColor));
    m_hObject = GdiTable::Add(d);
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int nIndex) { return CreateSolidBrush(GetSysColor(nIndex)); }

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    const QImage* img = pBitmap ? pBitmap->GetImage() : nullptr;
    if (!img || img->isNull())
        return FALSE;
    DeleteObject();
    auto* d = new BrushData;
    d->log = LOGBRUSH{BS_PATTERN, 0, 0};
    d->brush = QBrush(img->copy());
    m_hObject = GdiTable::Add(d);
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    BrushData* d = BrushOf(m_hObject);
    if (!d || !pLogBrush)
        return 0;
    *pLogBrush = d->log;
    return int(sizeof(LOGBRUSH));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    LOGFONT lf{nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut, nCharSet,
               nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, {}};
    if (lpszFacename)
        snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", lpszFacename);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (!lpLogFont)
        return FALSE;
    DeleteObject();
    auto* d = new FontData;
    d->log = *lpLogFont;
    d->log.lfFaceName[LF_FACESIZE - 1] = '\0';
    d->font = QFontFromLogFont(d->log);
    m_hObject = GdiTable::Add(d);
    return TRUE;
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC*)
{
    LOGFONT lf{};
    lf.lfHeight = -((nPointSize * 96 + 360) / 720);  // tenths of a point at 96 DPI, rounded
    if (lpszFaceName)
        snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", lpszFaceName);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    FontData* d = FontOf(m_hObject);
    if (!d || !pLogFont)
        return 0;
    *pLogFont = d->log;
    return int(sizeof(LOGFONT));
}

namespace {
BOOL AdoptImage(CBitmap& bmp, QImage img)
{
    if (img.isNull())
        return FALSE;
    bmp.DeleteObject();
    auto* d = new BitmapData;
    d->image = std::move(img);
    bmp.m_hObject = GdiTable::Add(d);
    return TRUE;
}
}  // namespace

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    QImage img(nWidth, nHeight, QImage::Format_RGB32);
    img.fill(Qt::black);
    return AdoptImage(*this, std::move(img));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT, UINT nBitcount, const void* lpBits)
{
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    QImage img(nWidth, nHeight, QImage::Format_RGB32);
    img.fill(Qt::black);
    if (lpBits && nBitcount == 32) {
        const auto* src = static_cast<const BYTE*>(lpBits);
        for (int y = 0; y < nHeight; ++y)
            std::memcpy(img.scanLine(y), src + size_t(y) * size_t(nWidth) * 4, size_t(nWidth) * 4);
    }
    return AdoptImage(*this, std::move(img));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    QByteArray bytes;
    if (!LoadResourceData(nIDResource, RT_BITMAP, bytes))
        return FALSE;
    QImage img;
    if (!img.loadFromData(bytes))
        return FALSE;
    return AdoptImage(*this, img.convertToFormat(QImage::Format_RGB32));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    BitmapData* d = BitmapOf(m_hObject);
    if (!d || !pBitMap)
        return 0;
    *pBitMap = BITMAP{0, d->image.width(), d->image.height(), int(d->image.bytesPerLine()), 1, 32, nullptr};
    return int(sizeof(BITMAP));
}

CSize CBitmap::GetSize() const
{
    BitmapData* d = BitmapOf(m_hObject);
    return d ? CSize(d->image.width(), d->image.height()) : CSize();
}

QImage* CBitmap::GetImage() const
{
    BitmapData* d = BitmapOf(m_hObject);
    return d ? &d->image : nullptr;
}

namespace {
BOOL AdoptRegion(CRgn& rgn, QRegion r)
{
    rgn.DeleteObject();
    auto* d = new RgnData;
    d->region = std::move(r);
    rgn.m_hObject = GdiTable::Add(d);
    return TRUE;
}
}  // namespace

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AdoptRegion(*this, x2 > x1 && y2 > y1 ? QRegion(RectOf(x1, y1, x2, y2)) : QRegion());
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? CreateRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AdoptRegion(*this, x2 > x1 && y2 > y1 ? QRegion(RectOf(x1, y1, x2, y2), QRegion::Ellipse) : QRegion());
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    RgnData* a = pRgn1 ? RgnOf(pRgn1->m_hObject) : nullptr;
    RgnData* b = pRgn2 ? RgnOf(pRgn2->m_hObject) : nullptr;
    if (!a || (nCombineMode != RGN_COPY && !b))
        return RGN_ERROR;
    QRegion r;
    switch (nCombineMode) {
    case RGN_AND: r = a->region.intersected(b->region); break;
    case RGN_OR: r = a->region.united(b->region); break;
    case RGN_XOR: r = a->region.xored(b->region); break;
    case RGN_DIFF: r = a->region.subtracted(b->region); break;
    case RGN_COPY: r = a->region; break;
    default: return RGN_ERROR;
    }
    if (RgnData* self = RgnOf(m_hObject))
        self->region = r;
    else
        AdoptRegion(*this, r);
    return RegionType(r);
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (RgnData* d = RgnOf(m_hObject))
        d->region = x2 > x1 && y2 > y1 ? QRegion(RectOf(x1, y1, x2, y2)) : QRegion();
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    RgnData* d = RgnOf(m_hObject);
    return d && d->region.contains(QPoint(x, y));
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    RgnData* d = RgnOf(m_hObject);
    if (!d || !lpRect)
        return RGN_ERROR;
    const QRect b = d->region.boundingRect();
    *lpRect = d->region.isEmpty() ? CRect() : CRect(b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    return RegionType(d->region);
}

int CRgn::OffsetRgn(int x, int y)
{
    RgnData* d = RgnOf(m_hObject);
    if (!d)
        return RGN_ERROR;
    d->region.translate(x, y);
    return RegionType(d->region);
}
