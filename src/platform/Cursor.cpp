#include "Cursor.h"

#include "CWnd.h"
#include "Resources.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <map>
#include <memory>

namespace {

struct CursorData {
    QCursor cursor;
    CPoint hotSpot;
    bool stock = false;
};

// Live cursors by handle; never destroyed, so a control that outlives it at exit can still
// give its cursor back. User-interface thread.
std::map<HCURSOR, std::unique_ptr<CursorData>>& Cursors()
{
    static auto* table = new std::map<HCURSOR, std::unique_ptr<CursorData>>;
    return *table;
}

HCURSOR Add(std::unique_ptr<CursorData> d)
{
    const auto h = reinterpret_cast<HCURSOR>(d.get());
    Cursors()[h] = std::move(d);
    return h;
}

CursorData* Find(HCURSOR h)
{
    auto it = Cursors().find(h);
    return it == Cursors().end() ? nullptr : it->second.get();
}

Qt::CursorShape ShapeOf(UINT idc, bool* known)
{
    *known = true;
    switch (idc) {
    case IDC_ARROW: return Qt::ArrowCursor;
    case IDC_IBEAM: return Qt::IBeamCursor;
    case IDC_WAIT: return Qt::WaitCursor;
    case IDC_CROSS: return Qt::CrossCursor;
    case IDC_SIZEWE: return Qt::SizeHorCursor;
    case IDC_SIZENS: return Qt::SizeVerCursor;
    case IDC_SIZEALL: return Qt::SizeAllCursor;
    case IDC_HAND: return Qt::PointingHandCursor;
    default: *known = false; return Qt::ArrowCursor;
    }
}

HCURSOR StockCursor(UINT idc)
{
    static std::map<UINT, HCURSOR> stock;  // user-interface thread
    auto it = stock.find(idc);
    if (it != stock.end())
        return it->second;
    bool known = false;
    const Qt::CursorShape shape = ShapeOf(idc, &known);
    if (!known)
        return nullptr;
    auto d = std::make_unique<CursorData>();
    d->cursor = QCursor(shape);
    d->stock = true;
    const HCURSOR h = Add(std::move(d));
    stock[idc] = h;
    return h;
}

HCURSOR g_hCurrent = nullptr;  // user-interface thread
HWND g_hTarget = nullptr;

int TextNumber(const QImage& img, const char* key)
{
    bool ok = false;
    const int v = img.text(QLatin1String(key)).toInt(&ok);
    return ok ? v : 0;
}

}  // namespace

HINSTANCE AfxGetResourceHandle()
{
    static int module;  // only its address matters
    return reinterpret_cast<HINSTANCE>(&module);
}

HCURSOR LoadCursor(HINSTANCE hInstance, UINT nIDCursor)
{
    if (!hInstance)
        return StockCursor(nIDCursor);
    // Shared per resource: every skinned control asks for the hand cursor, and decoding its
    // picture each time was a sixth of the program's start-up.
    static std::map<UINT, HCURSOR> loaded;  // user-interface thread
    auto it = loaded.find(nIDCursor);
    if (it != loaded.end())
        return it->second;
    QByteArray bytes;
    if (!LoadResourceData(nIDCursor, RT_CURSOR, bytes))
        return nullptr;
    QImage img;
    if (!img.loadFromData(bytes))
        return nullptr;
    auto d = std::make_unique<CursorData>();
    d->hotSpot = CPoint(TextNumber(img, "HotspotX"), TextNumber(img, "HotspotY"));
    d->cursor = QCursor(QPixmap::fromImage(img), d->hotSpot.x, d->hotSpot.y);
    d->stock = true;
    const HCURSOR h = Add(std::move(d));
    loaded[nIDCursor] = h;
    return h;
}

HICON LoadIcon(HINSTANCE, UINT nIDIcon)
{
    QByteArray bytes;
    QImage img;
    if (!LoadResourceData(nIDIcon, RT_ICON, bytes) || !img.loadFromData(bytes))
        return nullptr;
    auto d = std::make_unique<CursorData>();
    d->cursor = QCursor(QPixmap::fromImage(img), 0, 0);
    return Add(std::move(d));
}

HCURSOR CopyIcon(HCURSOR hCursor)
{
    const CursorData* src = Find(hCursor);
    if (!src)
        return nullptr;
    auto d = std::make_unique<CursorData>(*src);
    d->stock = false;
    return Add(std::move(d));
}

BOOL DestroyCursor(HCURSOR hCursor)
{
    CursorData* d = Find(hCursor);
    if (!d)
        return FALSE;
    if (d->stock)
        return TRUE;
    if (g_hCurrent == hCursor)
        g_hCurrent = nullptr;
    Cursors().erase(hCursor);
    return TRUE;
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    const HCURSOR prev = g_hCurrent;
    g_hCurrent = Find(hCursor) ? hCursor : nullptr;
    QWidget* w = nullptr;
    if (CWnd* target = CWnd::FromHandle(g_hTarget))
        w = target->GetWidget();
    if (!w)
        w = QApplication::widgetAt(QCursor::pos());
    if (w)
        w->setCursor(g_hCurrent ? QCursorOf(g_hCurrent) : QCursor(Qt::BlankCursor));
    return prev;
}

HCURSOR GetCursor() { return g_hCurrent; }

QCursor QCursorOf(HCURSOR hCursor)
{
    const CursorData* d = Find(hCursor);
    return d ? d->cursor : QCursor(Qt::ArrowCursor);
}

BOOL GetCursorHotSpot(HCURSOR hCursor, CPoint* pHotSpot)
{
    const CursorData* d = Find(hCursor);
    if (!d || !pHotSpot)
        return FALSE;
    *pHotSpot = d->cursor.shape() == Qt::BitmapCursor ? d->hotSpot : CPoint();
    return TRUE;
}

void SetCursorTarget(HWND hWnd) { g_hTarget = hWnd; }
