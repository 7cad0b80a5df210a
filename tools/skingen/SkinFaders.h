// Painters of the fader and spin faces (styles of the skin table, see SkinPainter.h).
#pragma once

#include "SkinTable.h"

#include <QImage>

bool PaintTrack(const SkinEntry& e, QImage* img, QString* error);
bool PaintThumb(const SkinEntry& e, QImage* img, QString* error);
bool PaintSpinFace(const SkinEntry& e, QImage* img, QString* error);
