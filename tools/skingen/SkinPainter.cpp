#include "SkinPainter.h"

#include "SkinDraw.h"
#include "SkinFaders.h"
#include "SkinLook.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <functional>
#include <map>

using namespace SkinLook;
using namespace SkinDraw;

namespace {

bool PaintButton(const SkinEntry& e, QImage* img, QString* error)
{
    const QString state = e.Option(QStringLiteral("state"), QStringLiteral("normal"));
    const bool on = e.Option(QStringLiteral("on")) == QLatin1String("1");
    Face face;
    if (!FaceFor(state, on, &face, error))
        return false;
    *img = Blank(e);
    QPainter p(img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawFace(p, e.size, face, state == QLatin1String("disabled"), RadiusOf(e));
    const int shift = state == QLatin1String("pressed") ? 1 : 0;
    QRect label(0, shift, e.size.width(), e.size.height());
    const QString led = e.Option(QStringLiteral("led"));
    if (!led.isEmpty()) {
        QColor colour;
        if (led == QLatin1String("red"))
            colour = kLedRed;
        else if (led == QLatin1String("green"))
            colour = kLedGreen;
        else if (led == QLatin1String("amber"))
            colour = kLedAmber;
        else
            return *error = QStringLiteral("unknown led \"%1\"").arg(led), false;
        if (state == QLatin1String("disabled"))
            colour = colour.darker(220);
        const qreal r = std::max(2.5, e.size.height() / 8.0);
        const qreal cx = 6 + r;
        DrawLed(p, QPointF(cx, e.size.height() / 2.0 + shift), colour, r);
        label.setLeft(int(cx + r + 2));
    }
    label.adjust(5, 0, -5, 0);
    DrawLabel(p, label, e.Option(QStringLiteral("text")), face.text, LabelSize(e));
    return true;
}

bool PaintDropdown(const SkinEntry& e, QImage* img, QString* error)
{
    const QString state = e.Option(QStringLiteral("state"), QStringLiteral("normal"));
    if (state == QLatin1String("pressed"))
        return *error = QStringLiteral("a selector has no pressed face"), false;
    Face face;
    if (!FaceFor(state, false, &face, error))
        return false;
    *img = Blank(e);
    QPainter p(img);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFace(p, e.size, face, state == QLatin1String("disabled"), RadiusOf(e));
    // The caption area ends 15 pixels before the right edge; the arrow lives there.
    const qreal zone = 15;
    const qreal x0 = e.size.width() - zone;
    const qreal h = e.size.height();
    QColor rule = face.border;
    rule.setAlpha(160);
    p.setPen(QPen(rule, 1));
    p.drawLine(QPointF(x0 + 0.5, 4), QPointF(x0 + 0.5, h - 4));
    const QColor arrow = state == QLatin1String("hover") ? kAccent
                       : state == QLatin1String("disabled") ? kTextDisabled : kText;
    const qreal cx = x0 + zone / 2 + 0.5;
    const qreal cy = h / 2 + 1;
    QPainterPath tri;
    tri.moveTo(cx - 4, cy - 2);
    tri.lineTo(cx + 4, cy - 2);
    tri.lineTo(cx, cy + 3);
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    p.drawPath(tri);
    return true;
}

bool PaintMask(const SkinEntry& e, QImage* img, QString*)
{
    bool ok = false;
    int radius = e.Option(QStringLiteral("radius")).toInt(&ok);
    if (!ok)
        radius = std::min(e.size.width(), e.size.height()) / 2;
    QImage out(e.size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // No smoothing: a mask is two colours.
    p.drawRoundedRect(QRect(QPoint(0, 0), e.size), radius, radius);
    p.end();
    *img = out;
    return true;
}

bool PaintHand(const SkinEntry& e, QImage* img, QString* error)
{
    const QStringList hot = e.Option(QStringLiteral("hotspot"), QStringLiteral("0,0")).split(QLatin1Char(','));
    bool okX = false, okY = false;
    const int hx = hot.value(0).toInt(&okX);
    const int hy = hot.value(1).toInt(&okY);
    if (hot.size() != 2 || !okX || !okY)
        return *error = QStringLiteral("hotspot must be x,y"), false;
    QImage out(e.size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32 x 32 grid with the fingertip's top centre at (5.5, 0.5), then placed so
    // that it lands on the hot spot.
    const qreal sx = e.size.width() / 32.0;
    const qreal sy = e.size.height() / 32.0;
    p.scale(sx, sy);
    p.translate(hx / sx - 5.0, hy / sy);
    auto piece = [](const QRectF& r, qreal radius) {
        QPainterPath part;
        part.addRoundedRect(r, radius, radius);
        return part;
    };
    QPainterPath hand = piece(QRectF(3, 0.5, 5, 18), 2.5);                // index finger
    hand = hand.united(piece(QRectF(7.5, 8.5, 4.5, 10), 2.2));            // middle
    hand = hand.united(piece(QRectF(11.5, 9.5, 4.5, 10), 2.2));           // ring
    hand = hand.united(piece(QRectF(15.5, 11, 4, 9), 2));                 // little
    hand = hand.united(piece(QRectF(3, 14, 16.5, 13.5), 4));              // palm
    hand = hand.united(piece(QRectF(0.5, 15.5, 6, 4.5), 2.2));              // thumb
    p.setPen(QPen(Qt::black, 1.1));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    for (qreal x : {7.5, 11.5, 15.5})
        p.drawLine(QPointF(x, x < 8 ? 12.5 : 13), QPointF(x, 16));
    p.end();
    out.setText(QStringLiteral("HotspotX"), QString::number(hx));
    out.setText(QStringLiteral("HotspotY"), QString::number(hy));
    *img = out;
    return true;
}

bool ColourOption(const SkinEntry& e, const char* name, const char* fallback, QColor* colour, QString* error)
{
    bool ok = false;
    const uint rgb = e.Option(QLatin1String(name), QLatin1String(fallback)).toUInt(&ok, 16);
    if (!ok || rgb > 0xFFFFFFu)
        return *error = QStringLiteral("%1 must be RRGGBB").arg(QLatin1String(name)), false;
    *colour = QColor(QRgb(0xFF000000u | rgb));
    return true;
}

bool PaintWord(const SkinEntry& e, QImage* img, QString* error)
{
    QColor back, ink;
    if (!ColourOption(e, "back", "000000", &back, error) || !ColourOption(e, "ink", "FFFFFF", &ink, error))
        return false;
    *img = Blank(e);
    img->fill(back);
    QPainter p(img);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawLabel(p, QRect(QPoint(0, 0), e.size), e.Option(QStringLiteral("text")), ink, LabelSize(e));
    return true;
}

}  // namespace

bool PaintSkin(const SkinEntry& entry, QImage* image, QString* error)
{
    using Painter = std::function<bool(const SkinEntry&, QImage*, QString*)>;
    static const std::map<QString, Painter> painters = {
        {QStringLiteral("button"), PaintButton},
        {QStringLiteral("dropdown"), PaintDropdown},
        {QStringLiteral("mask"), PaintMask},
        {QStringLiteral("hand"), PaintHand},
        {QStringLiteral("track"), PaintTrack},
        {QStringLiteral("thumb"), PaintThumb},
        {QStringLiteral("spin"), PaintSpinFace},
        {QStringLiteral("word"), PaintWord},
    };
    const auto it = painters.find(entry.style);
    if (it == painters.end()) {
        *error = QStringLiteral("unknown style \"%1\"").arg(entry.style);
        return false;
    }
    if (!it->second(entry, image, error))
        return false;
    if (entry.type == QLatin1String("bitmap"))
        *image = image->convertToFormat(QImage::Format_RGB32);
    else
        *image = image->convertToFormat(QImage::Format_ARGB32);
    return true;
}
