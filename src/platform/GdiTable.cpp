// The table of live drawing-object handles and the stock objects.
#include "GdiData.h"

#include <cstdio>
#include <mutex>
#include <unordered_set>

namespace {

struct Table {
    std::mutex mutex;  // guards handles
    std::unordered_set<GdiData*> handles;
};

// Never destroyed: drawing objects held by the program's globals are deleted at exit, after
// a table with static lifetime could already have gone.
Table& TheTable()
{
    static auto* t = new Table;
    return *t;
}

}  // namespace

GdiData::GdiData(int objectType) : m_type(objectType) {}

GdiData::~GdiData() = default;

HGDIOBJ GdiTable::Add(GdiData* pData)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.handles.insert(pData);
    return pData->Handle();
}

GdiData* GdiTable::Find(HGDIOBJ h)
{
    if (!h)
        return nullptr;
    auto* d = reinterpret_cast<GdiData*>(h);
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.handles.count(d) ? d : nullptr;
}

BOOL GdiTable::Delete(HGDIOBJ h)
{
    auto* d = reinterpret_cast<GdiData*>(h);
    {
        Table& t = TheTable();
        std::lock_guard<std::mutex> lock(t.mutex);
        if (!h || !t.handles.count(d))
            return FALSE;
        if (d->m_bStock)
            return TRUE;
        t.handles.erase(d);
    }
    d->Release();
    return TRUE;
}

int GdiTable::Count()
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    int n = 0;
    for (GdiData* d : t.handles)
        n += d->m_bStock ? 0 : 1;
    return n;
}

namespace {

QPen StockPen(COLORREF c)
{
    QPen p(QColorOf(c), 0);
    p.setCapStyle(Qt::FlatCap);
    return p;
}

GdiData* MakeStock(int nIndex)
{
    auto brush = [](COLORREF c, bool null) {
        auto* d = new BrushData;
        d->log = LOGBRUSH{null ? BS_NULL : BS_SOLID, c, 0};
        d->brush = null ? QBrush(Qt::NoBrush) : QBrush(QColorOf(c));
        return d;
    };
    auto pen = [](int style, COLORREF c) {
        auto* d = new PenData;
        d->log = LOGPEN{UINT(style), CPoint(1, 0), c};
        d->pen = style == PS_NULL ? QPen(Qt::NoPen) : StockPen(c);
        return d;
    };
    auto font = [](int height, int weight, const char* face) {
        auto* d = new FontData;
        d->log.lfHeight = height;
        d->log.lfWeight = weight;
        d->log.lfPitchAndFamily = FF_SWISS;
        snprintf(d->log.lfFaceName, sizeof d->log.lfFaceName, "%s", face);
        d->font = QFontFromLogFont(d->log);
        return d;
    };
    switch (nIndex) {
    case WHITE_BRUSH: return brush(RGB(255, 255, 255), false);
    case LTGRAY_BRUSH: return brush(RGB(192, 192, 192), false);
    case GRAY_BRUSH: return brush(RGB(128, 128, 128), false);
    case DKGRAY_BRUSH: return brush(RGB(64, 64, 64), false);
    case BLACK_BRUSH: return brush(RGB(0, 0, 0), false);
    case NULL_BRUSH: return brush(0, true);
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return pen(PS_NULL, 0);
    case SYSTEM_FONT: return font(16, FW_BOLD, "System");
    case ANSI_VAR_FONT: return font(-11, FW_NORMAL, "MS Sans Serif");
    case DEFAULT_GUI_FONT: return font(-11, FW_NORMAL, "MS Shell Dlg");
    default: return nullptr;
    }
}

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

}  // namespace

GdiData* StockData(int nIndex)
{
    // Built once and never freed: device contexts may hand them out until the very end.
    static GdiData* stock[kStockCount] = {};
    if (nIndex < 0 || nIndex >= kStockCount)
        return nullptr;
    if (!stock[nIndex]) {
        stock[nIndex] = MakeStock(nIndex);
        if (stock[nIndex]) {
            stock[nIndex]->m_bStock = true;
            GdiTable::Add(stock[nIndex]);
        }
    }
    return stock[nIndex];
}

CGdiObject* StockWrapper(int nIndex)
{
    static CGdiObject* wrappers[kStockCount] = {};
    GdiData* d = StockData(nIndex);
    if (!d)
        return nullptr;
    if (!wrappers[nIndex]) {
        CGdiObject* w = nullptr;
        switch (d->m_type) {
        case OBJ_PEN: w = new CPen; break;
        case OBJ_BRUSH: w = new CBrush; break;
        default: w = new CFont; break;
        }
        w->m_hObject = d->Handle();
        wrappers[nIndex] = w;
    }
    return wrappers[nIndex];
}

HGDIOBJ GetStockObject(int nIndex)
{
    GdiData* d = StockData(nIndex);
    return d ? d->Handle() : nullptr;
}

BOOL DeleteObject(HGDIOBJ hObject) { return GdiTable::Delete(hObject); }
