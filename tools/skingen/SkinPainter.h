// The painters of the skin images, one per table style:
//
//   hand      the hand cursor: a white glove pointing up, its fingertip at hotspot=x,y (the
//             hot spot is stored in the picture for the cursor loader).
//   button    a raised face. state=normal|hover|pressed|disabled|highlight, on=1 for the
//             checked look (cyan), text="label", led=red|green|amber for a status light at the
//             left, size=<pixels> to fix the label's size, radius=<pixels> for the corners.
//   dropdown  a selector face with a drop arrow in its right 15 pixels and room for the
//             caption the control draws; state=normal|hover|disabled; radius as for button.
//   mask      a region mask: black shape (a rounded rectangle, radius=<pixels>) on white.
//   track     a fader's groove with scale marks; state=normal|active (lit groove), orient=v|h
//             (default: along the longer side).
//   thumb     a fader cap on a key colour that the slider masks out (key=RRGGBB, default
//             FF00FF; the key never occurs inside the cap); state=normal|active|disabled,
//             orient=v|h.
//   word      a word on a flat ground: text="word", back=RRGGBB (ground), ink=RRGGBB (letters),
//             size=<pixels> for the letters.
//   spin      the arrow face of a read-only delay field: arrows in the outer width/5.5 of each
//             side, room for the text between; state=inactive|left|active|right.
//
// A bitmap is opaque (the panel colour where the face is round); a png keeps those corners
// transparent.
#pragma once

#include "SkinTable.h"

#include <QImage>

// Draws the entry's image; false with a message for an unknown style or option value.
bool PaintSkin(const SkinEntry& entry, QImage* image, QString* error);
