// The objects behind drawing-object handles, with their Qt values. Internal to the window layer
// and to Qt-specific code above it.
//
// A handle is the address of its GdiData. The handle itself holds one reference, dropped by
// DeleteObject; every device context that selects the object holds another. The table of live
// handles lets a stale or foreign handle be refused instead of followed.
#pragma once

#include "GdiObjects.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRegion>

#include <atomic>
#include <utility>

struct GdiData {
    explicit GdiData(int objectType);
    virtual ~GdiData();
    GdiData(const GdiData&) = delete;
    GdiData& operator=(const GdiData&) = delete;

    void AddRef() { m_refs.fetch_add(1); }
    void Release()
    {
        if (m_refs.fetch_sub(1) == 1)
            delete this;
    }
    HGDIOBJ Handle() { return reinterpret_cast<HGDIOBJ>(this); }

    const int m_type;  // OBJ_*
    bool m_bStock = false;

private:
    std::atomic<int> m_refs{1};
};

struct PenData : GdiData {
    PenData() : GdiData(OBJ_PEN) {}
    LOGPEN log{};
    QPen pen;  // the outline as Qt draws it (Qt::NoPen for PS_NULL)
};

struct BrushData : GdiData {
    BrushData() : GdiData(OBJ_BRUSH) {}
    LOGBRUSH log{};
    QBrush brush;  // Qt::NoBrush for BS_NULL
};

struct FontData : GdiData {
    FontData() : GdiData(OBJ_FONT) {}
    LOGFONT log{};
    QFont font;
};

struct BitmapData : GdiData {
    BitmapData() : GdiData(OBJ_BITMAP) {}
    QImage image;
    CDC* selectedIn = nullptr;  // the memory context drawing into it, if any
};

struct RgnData : GdiData {
    RgnData() : GdiData(OBJ_REGION) {}
    QRegion region;
};

// A counted reference to a GdiData of one kind.
template <class T>
class GdiRef {
public:
    GdiRef() = default;
    explicit GdiRef(T* p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    GdiRef(const GdiRef& o) : GdiRef(o.m_p) {}
    GdiRef(GdiRef&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    GdiRef& operator=(GdiRef o)
    {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~GdiRef()
    {
        if (m_p)
            m_p->Release();
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

namespace GdiTable {
// Registers a new object (with its handle reference) and returns its handle.
HGDIOBJ Add(GdiData* pData);
// The live object of the handle, or null.
GdiData* Find(HGDIOBJ h);
// Unregisters the handle and drops its reference; stock objects stay. FALSE when not live.
BOOL Delete(HGDIOBJ h);
// Number of live handles, stock objects not counted (leak checks in tests).
int Count();
}  // namespace GdiTable

template <class T>
T* GdiFind(HGDIOBJ h, int type)
{
    GdiData* d = GdiTable::Find(h);
    return d && d->m_type == type ? static_cast<T*>(d) : nullptr;
}

inline PenData* PenOf(HGDIOBJ h) { return GdiFind<PenData>(h, OBJ_PEN); }
inline BrushData* BrushOf(HGDIOBJ h) { return GdiFind<BrushData>(h, OBJ_BRUSH); }
inline FontData* FontOf(HGDIOBJ h) { return GdiFind<FontData>(h, OBJ_FONT); }
inline BitmapData* BitmapOf(HGDIOBJ h) { return GdiFind<BitmapData>(h, OBJ_BITMAP); }
inline RgnData* RgnOf(HGDIOBJ h) { return GdiFind<RgnData>(h, OBJ_REGION); }

// The stock object (built on first use; needs the QApplication for fonts).
GdiData* StockData(int nIndex);
// The wrapper that stands for a stock object when a device context hands back its default.
CGdiObject* StockWrapper(int nIndex);

// Qt colour of a COLORREF.
inline QColor QColorOf(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF ColorRefOf(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

// The Qt font for a font request (face fallbacks and height rules in FontMapping.cpp).
QFont QFontFromLogFont(const LOGFONT& lf);
