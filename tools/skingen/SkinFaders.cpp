#include "SkinFaders.h"

#include "SkinDraw.h"
#include "SkinLook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

using namespace SkinLook;
using namespace SkinDraw;

namespace {

// orient=v|h, else along the longer side.
bool Vertical(const SkinEntry& e, QString* error, bool* vertical)
{
    const QString o = e.Option(QStringLiteral("orient"));
    if (o.isEmpty()) {
        *vertical = e.size.height() >= e.size.width();
        return true;
    }
    if (o != QLatin1String("v") && o != QLatin1String("h"))
        return *error = QStringLiteral("orient must be v or h"), false;
    *vertical = o == QLatin1String("v");
    return true;
}

// Draws along the slider as if it were vertical: the painter is turned for horizontal images.
void TurnForLength(QPainter& p, const QSize& size, bool vertical, qreal* length, qreal* across)
{
    if (vertical) {
        *length = size.height();
        *across = size.width();
        return;
    }
    p.translate(0, size.height());
    p.rotate(-90);
    *length = size.width();
    *across = size.height();
}

}  // namespace

// track: a fader's groove with scale marks on the panel. state=normal|active (the lit groove of
// the part the page shows as active), orient=v|h.
bool PaintTrack(const SkinEntry& e, QImage* img, QString* error)
{
    const QString state = e.Option(QStringLiteral("state"), QStringLiteral("normal"));
    if (state != QLatin1String("normal") && state != QLatin1String("active"))
        return *error = QStringLiteral("a track is normal or active"), false;
    bool vertical = true;
    if (!Vertical(e, error, &vertical))
        return false;
    *img = Blank(e);
    QPainter p(img);
    p.setRenderHint(QPainter::Antialiasing);
    qreal length = 0, across = 0;
    TurnForLength(p, e.size, vertical, &length, &across);
    const qreal cx = across / 2.0;
    const qreal inset = std::min<qreal>(4, length / 10);
    // Scale marks on both sides, every tenth of the travel, longer at the ends and the middle.
    QColor mark = kBorder;
    mark.setAlpha(170);
    p.setPen(QPen(mark, 1));
    for (int i = 0; i <= 10; ++i) {
        const qreal y = inset + (length - 2 * inset) * i / 10.0;
        const qreal len = (i % 5 == 0) ? across * 0.22 : across * 0.12;
        p.drawLine(QPointF(1, y + 0.5), QPointF(1 + len, y + 0.5));
        p.drawLine(QPointF(across - 1 - len, y + 0.5), QPointF(across - 1, y + 0.5));
    }
    const qreal gw = std::max<qreal>(3, across / 7);
    const QRectF groove(cx - gw / 2, inset, gw, length - 2 * inset);
    p.setPen(QPen(QColor(0x0C, 0x0F, 0x13), 1));
    if (state == QLatin1String("active")) {
        QLinearGradient lit(groove.topLeft(), groove.topRight());
        lit.setColorAt(0, kAccentDeep);
        lit.setColorAt(0.5, kAccentLight);
        lit.setColorAt(1, kAccentDeep);
        p.setBrush(lit);
    } else {
        p.setBrush(QColor(0x12, 0x16, 0x1B));
    }
    p.drawRoundedRect(groove, gw / 2, gw / 2);
    return true;
}

// thumb: a fader cap on a key colour (key=RRGGBB, default FF00FF) that the slider leaves out
// through its mask; state=normal|active|disabled, orient=v|h.
bool PaintThumb(const SkinEntry& e, QImage* img, QString* error)
{
    const QString state = e.Option(QStringLiteral("state"), QStringLiteral("normal"));
    if (state != QLatin1String("normal") && state != QLatin1String("active") && state != QLatin1String("disabled"))
        return *error = QStringLiteral("a thumb is normal, active or disabled"), false;
    bool vertical = true;
    if (!Vertical(e, error, &vertical))
        return false;
    bool ok = false;
    const uint keyRgb = e.Option(QStringLiteral("key"), QStringLiteral("FF00FF")).toUInt(&ok, 16);
    if (!ok)
        return *error = QStringLiteral("key must be RRGGBB"), false;
    const QColor key(QRgb(0xFF000000u | keyRgb));
    QImage shape(e.size, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        qreal length = 0, across = 0;
        TurnForLength(p, e.size, vertical, &length, &across);
        const QRectF body(0.5, 0.5, across - 1, length - 1);
        QColor top = kFaceHoverTop, bottom = kFaceBottom, border = kBorder, line = kText;
        if (state == QLatin1String("active")) {
            border = kAccent;
            line = kAccent;
        } else if (state == QLatin1String("disabled")) {
            top = bottom = kFaceDisabled;
            border = kBorderDisabled;
            line = kTextDisabled;
        }
        QLinearGradient fill(body.topLeft(), body.bottomLeft());
        fill.setColorAt(0, top);
        fill.setColorAt(0.5, bottom);
        fill.setColorAt(1, top.darker(120));
        p.setPen(QPen(border, 1));
        p.setBrush(fill);
        const qreal r = std::min<qreal>(3, across / 4);
        p.drawRoundedRect(body, r, r);
        // Grip lines, and the index line across the middle that marks the value.
        QColor grip(255, 255, 255, 40);
        p.setPen(QPen(grip, 1));
        for (qreal dy : {-length / 4, length / 4})
            p.drawLine(QPointF(3, length / 2 + dy), QPointF(across - 3, length / 2 + dy));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(line, 2));
        p.drawLine(QPointF(2, length / 2), QPointF(across - 2, length / 2));
    }
    // Solid where the cap is, the key colour elsewhere: a mask of two colours, no fringe.
    QImage out(e.size, QImage::Format_RGB32);
    for (int y = 0; y < e.size.height(); ++y) {
        for (int x = 0; x < e.size.width(); ++x) {
            const QRgb s = shape.pixel(x, y);
            if (qAlpha(s) < 128) {
                out.setPixel(x, y, key.rgb());
                continue;
            }
            const int a = qAlpha(s);
            auto over = [a](int c, int bg) { return std::min(255, c + bg * (255 - a) / 255); };
            out.setPixel(x, y, qRgb(over(qRed(s), kPanel.red()), over(qGreen(s), kPanel.green()),
                                    over(qBlue(s), kPanel.blue())));
        }
    }
    // The key must never appear inside the cap.
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (out.pixel(x, y) == key.rgb() && qAlpha(shape.pixel(x, y)) >= 128)
                out.setPixel(x, y, qRgb(qRed(key.rgb()) ^ 1, qGreen(key.rgb()), qBlue(key.rgb())));
    *img = out;
    return true;
}

// spin: the face of a read-only delay field: a left and a right arrow in the outer
// width / 5.5 of each side and room for the field's text between them.
// state=inactive|left|active|right (the pointer over the left or right arrow area).
bool PaintSpinFace(const SkinEntry& e, QImage* img, QString* error)
{
    const QString state = e.Option(QStringLiteral("state"), QStringLiteral("inactive"));
    const bool inactive = state == QLatin1String("inactive");
    const bool left = state == QLatin1String("left");
    const bool right = state == QLatin1String("right");
    if (!inactive && !left && !right && state != QLatin1String("active"))
        return *error = QStringLiteral("a spin face is inactive, left, active or right"), false;
    *img = Blank(e);
    QPainter p(img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = e.size.width(), h = e.size.height();
    const qreal d = w / 5.5;
    Face face{kFaceTop, kFaceBottom, inactive ? kBorder : kAccent, kText};
    DrawFace(p, e.size, face, false, RadiusOf(e));
    // The lit arrow area under the pointer.
    auto area = [&](qreal x0, qreal x1, bool lit) {
        if (!lit)
            return;
        QColor glow = kAccent;
        glow.setAlpha(70);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRoundedRect(QRectF(x0 + 1.5, 1.5, x1 - x0 - 3, h - 3), 2, 2);
    };
    area(0, d, left);
    area(w - d, w, right);
    QColor rule = inactive ? kBorder : kAccentDeep;
    p.setPen(QPen(rule, 1));
    p.drawLine(QPointF(int(d) + 0.5, 3), QPointF(int(d) + 0.5, h - 3));
    p.drawLine(QPointF(int(w - d) + 0.5, 3), QPointF(int(w - d) + 0.5, h - 3));
    auto arrow = [&](qreal cx, int dir, bool lit) {
        const qreal s = std::min<qreal>(4, h / 4);
        QPainterPath tri;
        tri.moveTo(cx + dir * s, h / 2);
        tri.lineTo(cx - dir * s * 0.7, h / 2 - s);
        tri.lineTo(cx - dir * s * 0.7, h / 2 + s);
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(lit ? kAccentLight : inactive ? kTextDisabled : kText);
        p.drawPath(tri);
    };
    arrow(d / 2, -1, left);
    arrow(w - d / 2, 1, right);
    return true;
}
