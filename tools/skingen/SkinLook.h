// The look every skin image shares: a dark slate panel, raised faces with a cyan accent for
// "on" and for the pointer, amber for a highlight, and light labels. Change a colour here and
// every image follows.
#pragma once

#include <QColor>

namespace SkinLook {

inline const QColor kPanel(0x1F, 0x24, 0x2B);          // background behind the controls

inline const QColor kFaceTop(0x3D, 0x46, 0x52);        // a resting face, top to bottom
inline const QColor kFaceBottom(0x2A, 0x30, 0x38);
inline const QColor kFaceHoverTop(0x4A, 0x55, 0x63);
inline const QColor kFaceHoverBottom(0x33, 0x3A, 0x44);
inline const QColor kFaceDisabled(0x2A, 0x2F, 0x36);

inline const QColor kBorder(0x59, 0x63, 0x70);
inline const QColor kBorderDisabled(0x3A, 0x41, 0x4A);

inline const QColor kAccent(0x35, 0xC9, 0xDB);         // cyan: on, pointer over
inline const QColor kAccentDeep(0x15, 0x93, 0xA6);
inline const QColor kAccentLight(0x8B, 0xEA, 0xF3);
inline const QColor kHighlight(0xF5, 0xA5, 0x24);      // amber: a face the page points out

inline const QColor kText(0xE8, 0xEC, 0xF1);
inline const QColor kTextOnAccent(0x08, 0x1A, 0x1E);
inline const QColor kTextDisabled(0x6B, 0x73, 0x7D);

inline const QColor kLedRed(0xE5, 0x48, 0x4D);
inline const QColor kLedGreen(0x3D, 0xD6, 0x8C);
inline const QColor kLedAmber(0xF5, 0xA5, 0x24);

// Faces for labels: a Latin face first, the CJK face for Chinese characters.
inline const char* const kLatinFace = "DejaVu Sans";
inline const char* const kCjkFace = "WenQuanYi Micro Hei";

}  // namespace SkinLook
