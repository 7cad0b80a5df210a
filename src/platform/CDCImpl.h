// The inside of a device context, shared by the CDC*.cpp files.
#pragma once

#include "CDC.h"
#include "GdiData.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <vector>

struct DCState {
    GdiRef<PenData> pen;
    GdiRef<BrushData> brush;
    GdiRef<FontData> font;
    GdiRef<BitmapData> bitmap;
    // What SelectObject hands back: the wrappers last selected (stock wrappers at first).
    CPen* penObj = nullptr;
    CBrush* brushObj = nullptr;
    CFont* fontObj = nullptr;
    CBitmap* bitmapObj = nullptr;
    COLORREF text = RGB(0, 0, 0);
    COLORREF bk = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT align = TA_LEFT | TA_TOP;
    int stretch = BLACKONWHITE;
    int mapMode = MM_TEXT;
    CPoint pos;
    CPoint winOrg;
    CPoint vpOrg;
    bool hasClip = false;
    QRegion clip;  // device pixels
};

struct CDC::Impl {
    enum Kind { None, Memory, Attached, Scratch };

    explicit Impl(CDC* owner) : self(owner) {}

    CDC* self;
    Kind kind = None;
    QPainter* painter = nullptr;  // borrowed (Attached) or own.get()
    std::unique_ptr<QPainter> own;
    QImage scratch;
    QRect bounds;          // device area that can be drawn
    QPoint surfaceOrigin;  // where device (0, 0) lies in the surface picture (Attached)
    DCState s;
    std::vector<DCState> saved;

    // Makes the context usable with the default objects.
    void Begin(Kind k);
    void End();
    // Puts the bitmap into a memory context (null: none).
    void SwitchBitmap(const GdiRef<BitmapData>& bmp, CBitmap* wrapper);
    // The painter with this context's state applied, or null.
    QPainter* Prepare();
    QPoint Offset() const { return QPoint(s.vpOrg.x - s.winOrg.x, s.vpOrg.y - s.winOrg.y); }
    QFont Font() const;
    QPen Pen() const;
    QBrush Brush() const;
    // The picture the context draws into, and the device rectangle of it that belongs to the
    // context; null when the pixels cannot be read.
    const QImage* Surface(QRect* deviceArea) const;
    // A copy of the device rectangle (outside the surface: black).
    QImage Grab(const QRect& deviceRect) const;
};

// Placeholder that stands for "no bitmap" in a memory context, so selecting back what the
// first SelectObject returned empties the context again.
CBitmap* DefaultBitmapWrapper();

QString QStringOf(const CString& s);
QRect QRectOf(int x1, int y1, int x2, int y2);  // normalised, right and bottom exclusive
