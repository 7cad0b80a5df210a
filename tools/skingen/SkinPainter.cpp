#include "SkinPainter.h"

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

namespace {

struct Face {
    QColor top, bottom, border, text;
};

bool IsPng(const SkinEntry& e) { return e.type != QLatin1String("bitmap"); }

QImage Blank(const SkinEntry& e)
{
    QImage img(e.size, QImage::Format_ARGB32_Premultiplied);
    img.fill(IsPng(e) ? QColor(Qt::transparent) : kPanel);
    return img;
}

bool HasCjk(const QString& s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

QFont LabelFont(const QString& text, int pixelSize)
{
    QFont f;
    f.setFamilies(HasCjk(text) ? QStringList{kCjkFace, kLatinFace} : QStringList{kLatinFace, kCjkFace});
    f.setPixelSize(pixelSize);
    f.setWeight(HasCjk(text) ? QFont::Normal : QFont::DemiBold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// The label centred in r, shrunk until it fits.
void DrawLabel(QPainter& p, const QRect& r, const QString& text, const QColor& colour, int pixelSize)
{
    if (text.isEmpty())
        return;
    int px = pixelSize;
    QFont f = LabelFont(text, px);
    while (px > 8 && QFontMetrics(f).horizontalAdvance(text) > r.width()) {
        f.setPixelSize(--px);
    }
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void DrawLed(QPainter& p, const QPointF& c, const QColor& colour, qreal radius)
{
    QRadialGradient glow(c, radius * 2.2);
    QColor halo = colour;
    halo.setAlpha(90);
    glow.setColorAt(0, halo);
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, radius * 2.2, radius * 2.2);
    QRadialGradient body(c - QPointF(radius / 3, radius / 3), radius * 1.3);
    body.setColorAt(0, colour.lighter(160));
    body.setColorAt(1, colour);
    p.setBrush(body);
    p.setPen(QPen(colour.darker(170), 1));
    p.drawEllipse(c, radius, radius);
}

bool FaceFor(const QString& state, bool on, Face* face, QString* error)
{
    if (state == QLatin1String("disabled")) {
        *face = {kFaceDisabled, kFaceDisabled, kBorderDisabled, kTextDisabled};
        if (on)
            face->border = kAccentDeep.darker(150);
        return true;
    }
    if (on) {
        if (state == QLatin1String("normal") || state == QLatin1String("highlight"))
            *face = {kAccent, kAccentDeep, kAccentLight, kTextOnAccent};
        else if (state == QLatin1String("hover"))
            *face = {kAccentLight, kAccent, QColor(Qt::white), kTextOnAccent};
        else if (state == QLatin1String("pressed"))
            *face = {kAccentDeep, kAccent, kAccentLight, kTextOnAccent};
        else
            return *error = QStringLiteral("unknown state \"%1\"").arg(state), false;
        if (state == QLatin1String("highlight"))
            face->border = kHighlight;
        return true;
    }
    if (state == QLatin1String("normal"))
        *face = {kFaceTop, kFaceBottom, kBorder, kText};
    else if (state == QLatin1String("highlight"))
        *face = {kFaceTop, kFaceBottom, kHighlight, kText};
    else if (state == QLatin1String("hover"))
        *face = {kFaceHoverTop, kFaceHoverBottom, kAccent, kText};
    else if (state == QLatin1String("pressed"))
        *face = {kFaceBottom.darker(115), kFaceTop.darker(110), kAccentDeep, kText};
    else
        return *error = QStringLiteral("unknown state \"%1\"").arg(state), false;
    return true;
}

// The corner radius: radius=<pixels>, else a small rounding that suits the size.
qreal RadiusOf(const SkinEntry& e)
{
    bool ok = false;
    const qreal r = e.Option(QStringLiteral("radius")).toDouble(&ok);
    if (ok && r >= 0)
        return std::min<qreal>(r, std::min(e.size.width(), e.size.height()) / 2.0);
    return std::min<qreal>(4.0, std::min(e.size.width(), e.size.height()) / 4.0);
}

// The rounded face with its border and a faint top light.
void DrawFace(QPainter& p, const QSize& size, const Face& face, bool flat, qreal radius)
{
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, face.top);
    fill.setColorAt(1, face.bottom);
    p.setPen(QPen(face.border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    if (!flat && size.height() >= 8) {
        QColor light(255, 255, 255, 34);
        p.setPen(QPen(light, 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
    }
}

int LabelSize(const SkinEntry& e)
{
    bool ok = false;
    const int fixed = e.Option(QStringLiteral("size")).toInt(&ok);
    if (ok && fixed > 0)
        return fixed;
    return std::clamp(int(e.size.height() * 0.5), 9, 16);
}

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

}  // namespace

bool PaintSkin(const SkinEntry& entry, QImage* image, QString* error)
{
    using Painter = std::function<bool(const SkinEntry&, QImage*, QString*)>;
    static const std::map<QString, Painter> painters = {
        {QStringLiteral("button"), PaintButton},
        {QStringLiteral("dropdown"), PaintDropdown},
        {QStringLiteral("mask"), PaintMask},
        {QStringLiteral("hand"), PaintHand},
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
