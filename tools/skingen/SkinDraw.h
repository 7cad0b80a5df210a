// Drawing pieces the skin painters share: blank images, faces per state, labels, lights.
#pragma once

#include "SkinTable.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace SkinDraw {

// The colours of a face: gradient top and bottom, border, label.
struct Face {
    QColor top, bottom, border, text;
};

// A png keeps what it does not paint transparent; a bitmap shows the panel there.
bool IsPng(const SkinEntry& e);
QImage Blank(const SkinEntry& e);
bool HasCjk(const QString& s);
QFont LabelFont(const QString& text, int pixelSize);
// The label centred in r, shrunk until it fits.
void DrawLabel(QPainter& p, const QRect& r, const QString& text, const QColor& colour, int pixelSize);
void DrawLed(QPainter& p, const QPointF& c, const QColor& colour, qreal radius);
// The face of state normal|hover|pressed|disabled|highlight, checked (on) or not.
bool FaceFor(const QString& state, bool on, Face* face, QString* error);
// The corner radius: radius=<pixels>, else a small rounding that suits the size.
qreal RadiusOf(const SkinEntry& e);
// The rounded face with its border and a faint top light.
void DrawFace(QPainter& p, const QSize& size, const Face& face, bool flat, qreal radius);
// size=<pixels>, else half the height within 9..16.
int LabelSize(const SkinEntry& e);

}  // namespace SkinDraw
