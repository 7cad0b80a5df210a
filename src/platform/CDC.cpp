// CDC: life, objects, modes, origins, shapes, clipping and saved states.
#include "CDCImpl.h"

#include <QGuiApplication>
#include <QPaintEngine>
#include <QScreen>

#include <algorithm>
#include <mutex>
#include <unordered_set>

namespace {

std::unordered_set<const CDC*>& LiveContexts()
{
    // Never destroyed, like the tables of the drawing objects. User-interface thread.
    static auto* live = new std::unordered_set<const CDC*>;
    return *live;
}

int RegionType(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

QString QStringOf(const CString& s) { return QString::fromUtf8(s.data(), int(s.size())); }

QRect QRectOf(int x1, int y1, int x2, int y2)
{
    return QRect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

CBitmap* DefaultBitmapWrapper()
{
    static CBitmap* none = new CBitmap;  // never holds a handle
    return none;
}

void CDC::Impl::Begin(Kind k)
{
    kind = k;
    s = DCState();
    s.pen = GdiRef<PenData>(static_cast<PenData*>(StockData(BLACK_PEN)));
    s.brush = GdiRef<BrushData>(static_cast<BrushData*>(StockData(WHITE_BRUSH)));
    s.font = GdiRef<FontData>(static_cast<FontData*>(StockData(SYSTEM_FONT)));
    s.penObj = static_cast<CPen*>(StockWrapper(BLACK_PEN));
    s.brushObj = static_cast<CBrush*>(StockWrapper(WHITE_BRUSH));
    s.fontObj = static_cast<CFont*>(StockWrapper(SYSTEM_FONT));
    s.bitmapObj = DefaultBitmapWrapper();
    self->m_hDC = self->m_hAttribDC = reinterpret_cast<HDC>(self);
    LiveContexts().insert(self);
}

void CDC::Impl::End()
{
    SwitchBitmap(GdiRef<BitmapData>(), nullptr);
    own.reset();
    painter = nullptr;
    scratch = QImage();
    saved.clear();
    s = DCState();
    kind = None;
    self->m_hDC = self->m_hAttribDC = nullptr;
    LiveContexts().erase(self);
}

void CDC::Impl::SwitchBitmap(const GdiRef<BitmapData>& bmp, CBitmap* wrapper)
{
    if (kind != Memory)
        return;
    if (bmp.get() != s.bitmap.get()) {
        own.reset();
        painter = nullptr;
        if (s.bitmap && s.bitmap->selectedIn == self)
            s.bitmap->selectedIn = nullptr;
        s.bitmap = bmp;
        bounds = QRect();
        if (s.bitmap) {
            s.bitmap->selectedIn = self;
            if (!s.bitmap->image.isNull()) {
                own = std::make_unique<QPainter>(&s.bitmap->image);
                painter = own.get();
                bounds = s.bitmap->image.rect();
            }
        }
    }
    s.bitmapObj = wrapper ? wrapper : DefaultBitmapWrapper();
}

QPainter* CDC::Impl::Prepare()
{
    if (!painter)
        return nullptr;
    painter->setWorldTransform(QTransform());
    if (s.hasClip)
        painter->setClipRegion(s.clip);
    else
        painter->setClipping(false);
    const QPoint off = Offset();
    painter->setWorldTransform(QTransform::fromTranslate(off.x(), off.y()));
    painter->setBrushOrigin(-off);  // pattern brushes line up with device pixel (0, 0)
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setOpacity(1.0);
    return painter;
}

QFont CDC::Impl::Font() const { return s.font ? s.font->font : QFont(); }
QPen CDC::Impl::Pen() const { return s.pen ? s.pen->pen : QPen(Qt::NoPen); }
QBrush CDC::Impl::Brush() const { return s.brush ? s.brush->brush : QBrush(Qt::NoBrush); }

const QImage* CDC::Impl::Surface(QRect* deviceArea) const
{
    switch (kind) {
    case Memory:
        if (!s.bitmap || s.bitmap->image.isNull())
            return nullptr;
        *deviceArea = s.bitmap->image.rect();
        return &s.bitmap->image;
    case Scratch:
        *deviceArea = scratch.rect();
        return &scratch;
    case Attached: {
        QPaintEngine* engine = painter ? painter->paintEngine() : nullptr;
        QPaintDevice* dev = engine ? engine->paintDevice() : nullptr;
        if (!dev || dev->devType() != QInternal::Image)
            return nullptr;
        *deviceArea = QRect(0, 0, painter->device()->width(), painter->device()->height());
        return static_cast<QImage*>(dev);
    }
    default:
        return nullptr;
    }
}

QImage CDC::Impl::Grab(const QRect& deviceRect) const
{
    QImage out(deviceRect.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QRect area;
    const QImage* surface = Surface(&area);
    if (!surface)
        return out;
    const QRect part = deviceRect.intersected(area);
    if (part.isEmpty())
        return out;
    const QPoint origin = kind == Attached ? surfaceOrigin : QPoint();
    const QImage piece = surface->copy(part.translated(origin)).convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(part.topLeft() - deviceRect.topLeft(), piece);
    return out;
}

CDC::CDC() : d(std::make_unique<Impl>(this)) {}

CDC::~CDC() { d->End(); }

CDC* CDC::FromHandle(HDC hDC)
{
    auto* p = reinterpret_cast<CDC*>(hDC);
    return hDC && LiveContexts().count(p) ? p : nullptr;
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    if (d->kind != Impl::None)
        return FALSE;
    d->Begin(Impl::Memory);
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (d->kind == Impl::None)
        return FALSE;
    d->End();
    return TRUE;
}

void CDC::AttachPainter(QPainter* pPainter, const QRect& bounds)
{
    d->End();
    d->Begin(Impl::Attached);
    d->painter = pPainter;
    d->bounds = bounds;
    pPainter->setWorldTransform(QTransform());
    d->surfaceOrigin = pPainter->deviceTransform().map(QPoint(0, 0));
}

void CDC::AttachScratch(CSize size, const QImage* pInitial)
{
    d->End();
    d->Begin(Impl::Scratch);
    d->scratch = QImage(std::max(1, size.cx), std::max(1, size.cy), QImage::Format_RGB32);
    d->scratch.fill(Qt::white);
    if (pInitial && !pInitial->isNull()) {
        QPainter p(&d->scratch);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, *pInitial);
    }
    d->own = std::make_unique<QPainter>(&d->scratch);
    d->painter = d->own.get();
    d->bounds = d->scratch.rect();
}

CPen* CDC::SelectObject(CPen* pPen)
{
    PenData* pd = pPen ? PenOf(pPen->m_hObject) : nullptr;
    if (!pd || d->kind == Impl::None)
        return nullptr;
    CPen* prev = d->s.penObj;
    d->s.pen = GdiRef<PenData>(pd);
    d->s.penObj = pPen;
    return prev;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    BrushData* bd = pBrush ? BrushOf(pBrush->m_hObject) : nullptr;
    if (!bd || d->kind == Impl::None)
        return nullptr;
    CBrush* prev = d->s.brushObj;
    d->s.brush = GdiRef<BrushData>(bd);
    d->s.brushObj = pBrush;
    return prev;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    FontData* fd = pFont ? FontOf(pFont->m_hObject) : nullptr;
    if (!fd || d->kind == Impl::None)
        return nullptr;
    CFont* prev = d->s.fontObj;
    d->s.font = GdiRef<FontData>(fd);
    d->s.fontObj = pFont;
    return prev;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (d->kind != Impl::Memory)
        return nullptr;
    CBitmap* prev = d->s.bitmapObj;
    if (!pBitmap || pBitmap == DefaultBitmapWrapper()) {
        d->SwitchBitmap(GdiRef<BitmapData>(), nullptr);
        return prev;
    }
    BitmapData* bd = BitmapOf(pBitmap->m_hObject);
    if (!bd || (bd->selectedIn && bd->selectedIn != this))
        return nullptr;
    d->SwitchBitmap(GdiRef<BitmapData>(bd), pBitmap);
    return prev;
}

int CDC::SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    GdiData* data = StockData(nIndex);
    CGdiObject* wrapper = StockWrapper(nIndex);
    if (!data || !wrapper || d->kind == Impl::None)
        return nullptr;
    switch (data->m_type) {
    case OBJ_PEN: return SelectObject(static_cast<CPen*>(wrapper));
    case OBJ_BRUSH: return SelectObject(static_cast<CBrush*>(wrapper));
    case OBJ_FONT: return SelectObject(static_cast<CFont*>(wrapper));
    default: return nullptr;
    }
}

CFont* CDC::GetCurrentFont() const { return d->s.fontObj; }
CBitmap* CDC::GetCurrentBitmap() const { return d->s.bitmapObj; }

COLORREF CDC::SetTextColor(COLORREF c) { return std::exchange(d->s.text, c); }
COLORREF CDC::GetTextColor() const { return d->s.text; }
COLORREF CDC::SetBkColor(COLORREF c) { return std::exchange(d->s.bk, c); }
COLORREF CDC::GetBkColor() const { return d->s.bk; }
int CDC::SetBkMode(int nBkMode)
{
    if (nBkMode != TRANSPARENT && nBkMode != OPAQUE)
        return 0;
    return std::exchange(d->s.bkMode, nBkMode);
}
int CDC::GetBkMode() const { return d->s.bkMode; }
UINT CDC::SetTextAlign(UINT nFlags) { return std::exchange(d->s.align, nFlags); }
UINT CDC::GetTextAlign() const { return d->s.align; }
int CDC::SetStretchBltMode(int nStretchMode) { return std::exchange(d->s.stretch, nStretchMode); }
int CDC::GetStretchBltMode() const { return d->s.stretch; }
int CDC::SetMapMode(int nMapMode)
{
    // Only pixels: other modes are refused and drawing stays in MM_TEXT.
    return nMapMode == MM_TEXT ? std::exchange(d->s.mapMode, nMapMode) : 0;
}
int CDC::GetMapMode() const { return d->s.mapMode; }

CPoint CDC::SetWindowOrg(int x, int y) { return std::exchange(d->s.winOrg, CPoint(x, y)); }
CPoint CDC::GetWindowOrg() const { return d->s.winOrg; }
CPoint CDC::SetViewportOrg(int x, int y) { return std::exchange(d->s.vpOrg, CPoint(x, y)); }
CPoint CDC::GetViewportOrg() const { return d->s.vpOrg; }
CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    const CPoint old = d->s.vpOrg;
    d->s.vpOrg = CPoint(old.x + dx, old.y + dy);
    return old;
}
CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    const CPoint old = d->s.winOrg;
    d->s.winOrg = CPoint(old.x + dx, old.y + dy);
    return old;
}

void CDC::LPtoDP(LPPOINT lpPoint, int nCount) const
{
    const QPoint off = d->Offset();
    for (int i = 0; i < nCount; ++i)
        lpPoint[i] = CPoint(lpPoint[i].x + off.x(), lpPoint[i].y + off.y());
}

void CDC::LPtoDP(LPRECT lpRect) const { lpRect->OffsetRect(d->Offset().x(), d->Offset().y()); }

void CDC::DPtoLP(LPPOINT lpPoint, int nCount) const
{
    const QPoint off = d->Offset();
    for (int i = 0; i < nCount; ++i)
        lpPoint[i] = CPoint(lpPoint[i].x - off.x(), lpPoint[i].y - off.y());
}

void CDC::DPtoLP(LPRECT lpRect) const { lpRect->OffsetRect(-d->Offset().x(), -d->Offset().y()); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    FillSolidRect(lpRect->left, lpRect->top, lpRect->Width(), lpRect->Height(), crColor);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    d->s.bk = crColor;
    if (QPainter* p = d->Prepare())
        p->fillRect(QRectOf(x, y, x + cx, y + cy), QColorOf(crColor));
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    BrushData* bd = pBrush ? BrushOf(pBrush->m_hObject) : nullptr;
    QPainter* p = d->Prepare();
    if (bd && p && lpRect)
        p->fillRect(QRectOf(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom), bd->brush);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    BrushData* bd = pBrush ? BrushOf(pBrush->m_hObject) : nullptr;
    QPainter* p = d->Prepare();
    if (!bd || !p || !lpRect)
        return;
    const QRect r = QRectOf(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    if (r.isEmpty())
        return;
    p->fillRect(QRect(r.left(), r.top(), r.width(), 1), bd->brush);
    p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bd->brush);
    p->fillRect(QRect(r.left(), r.top(), 1, r.height()), bd->brush);
    p->fillRect(QRect(r.right(), r.top(), 1, r.height()), bd->brush);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->Width(), lpRect->Height(), clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    QPainter* p = d->Prepare();
    const QRect r = QRectOf(x1, y1, x2, y2);
    if (!p)
        return FALSE;
    if (r.width() < 2 || r.height() < 2)
        return TRUE;
    p->setPen(d->Pen());
    p->setBrush(d->Brush());
    p->drawRect(r.adjusted(0, 0, -1, -1));
    return TRUE;
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    QPainter* p = d->Prepare();
    const QRect r = QRectOf(x1, y1, x2, y2);
    if (!p)
        return FALSE;
    if (r.width() < 2 || r.height() < 2)
        return TRUE;
    p->setPen(d->Pen());
    p->setBrush(d->Brush());
    p->drawRoundedRect(r.adjusted(0, 0, -1, -1), x3 / 2.0, y3 / 2.0);
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    QPainter* p = d->Prepare();
    const QRect r = QRectOf(x1, y1, x2, y2);
    if (!p)
        return FALSE;
    if (r.width() < 2 || r.height() < 2)
        return TRUE;
    p->setPen(d->Pen());
    p->setBrush(d->Brush());
    p->drawEllipse(r.adjusted(0, 0, -1, -1));
    return TRUE;
}

CPoint CDC::MoveTo(int x, int y) { return std::exchange(d->s.pos, CPoint(x, y)); }

CPoint CDC::GetCurrentPosition() const { return d->s.pos; }

BOOL CDC::LineTo(int x, int y)
{
    const CPoint from = std::exchange(d->s.pos, CPoint(x, y));
    QPainter* p = d->Prepare();
    if (!p)
        return FALSE;
    if (from == CPoint(x, y))
        return TRUE;  // a line of no length draws nothing
    const QPen pen = d->Pen();
    if (pen.style() == Qt::CustomDashLine && d->s.bkMode == OPAQUE) {
        QPen gaps = pen;
        gaps.setStyle(Qt::SolidLine);
        gaps.setColor(QColorOf(d->s.bk));
        p->setPen(gaps);
        p->drawLine(from.x, from.y, x, y);
    }
    p->setPen(pen);
    p->drawLine(from.x, from.y, x, y);
    return TRUE;
}

BOOL CDC::Polyline(const CPoint* lpPoints, int nCount)
{
    QPainter* p = d->Prepare();
    if (!p || !lpPoints || nCount < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < nCount; ++i)
        poly << QPoint(lpPoints[i].x, lpPoints[i].y);
    p->setPen(d->Pen());
    p->setBrush(Qt::NoBrush);
    p->drawPolyline(poly);
    return TRUE;
}

BOOL CDC::Polygon(const CPoint* lpPoints, int nCount)
{
    QPainter* p = d->Prepare();
    if (!p || !lpPoints || nCount < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < nCount; ++i)
        poly << QPoint(lpPoints[i].x, lpPoints[i].y);
    p->setPen(d->Pen());
    p->setBrush(d->Brush());
    p->drawPolygon(poly, Qt::OddEvenFill);
    return TRUE;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    const QRect r = QRectOf(x1, y1, x2, y2).translated(d->Offset());
    d->s.clip = d->s.hasClip ? d->s.clip.intersected(r) : QRegion(r);
    d->s.hasClip = true;
    return RegionType(d->s.clip);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    const QRect r = QRectOf(x1, y1, x2, y2).translated(d->Offset());
    const QRegion base = d->s.hasClip ? d->s.clip : QRegion(-0x100000, -0x100000, 0x200000, 0x200000);
    d->s.clip = base.subtracted(r);
    d->s.hasClip = true;
    return RegionType(d->s.clip);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (!pRgn) {
        d->s.hasClip = false;
        d->s.clip = QRegion();
        return SIMPLEREGION;
    }
    RgnData* rd = RgnOf(pRgn->m_hObject);
    if (!rd)
        return RGN_ERROR;
    d->s.clip = rd->region;
    d->s.hasClip = true;
    return RegionType(d->s.clip);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    switch (nIndex) {
    case BITSPIXEL: {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->depth() : 32;
    }
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
    }
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    QRegion area(d->bounds);
    if (d->s.hasClip)
        area = area.intersected(d->s.clip);
    if (area.isEmpty()) {
        *lpRect = CRect();
        return NULLREGION;
    }
    const QRect b = area.boundingRect().translated(-d->Offset());
    *lpRect = CRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
    return RegionType(area);
}

int CDC::SaveDC()
{
    if (d->kind == Impl::None)
        return 0;
    d->saved.push_back(d->s);
    return int(d->saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    const int depth = int(d->saved.size());
    const int level = nSavedDC > 0 ? nSavedDC : depth + nSavedDC + 1;
    if (level < 1 || level > depth)
        return FALSE;
    DCState state = d->saved[size_t(level - 1)];
    d->saved.resize(size_t(level - 1));
    CBitmap* wrapper = state.bitmapObj;
    const GdiRef<BitmapData> bmp = state.bitmap;
    state.bitmap = d->s.bitmap;  // SwitchBitmap below does the change of surface
    d->s = std::move(state);
    d->SwitchBitmap(bmp, wrapper == DefaultBitmapWrapper() ? nullptr : wrapper);
    return TRUE;
}

QPainter* CDC::GetPainter() { return d->Prepare(); }
