#include "SkinDraw.h"

#include "SkinLook.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>

using namespace SkinLook;

namespace SkinDraw {

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

}  // namespace SkinDraw
