// Font requests to Qt fonts.
//
// Faces: the program names Windows faces ("Arial", "宋体", ...). Each is asked for first under its
// own name, then under metric-compatible or look-alike faces found on Linux, and always last
// under a CJK face (WenQuanYi Micro Hei), so Chinese text drawn in a Latin face still shows.
//
// Height: a negative height is the character (em) height in pixels and becomes the pixel size.
// A positive height is the cell height, ascent plus descent, as on Windows; we take the largest
// whole pixel size whose line height (QFontMetrics::height) does not exceed it, so text laid out
// for that cell never overflows it. 0 means 12-pixel characters.
//
// Weight: 0 is normal; the value is clamped to 1..900, where 900 is the heaviest named weight
// (the program asks for 1200 and means "as heavy as it gets").
#include "GdiData.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const char* const kCjkFallback = "WenQuanYi Micro Hei";

QStringList FallbacksFor(const QString& face)
{
    const QString f = face.toLower();
    static const QStringList sans = {"Liberation Sans", "Arimo", "Helvetica", "DejaVu Sans"};
    if (f == "宋体" || f == "simsun" || f == "新宋体" || f == "nsimsun")
        return {"SimSun", "NSimSun", "Noto Serif CJK SC", "AR PL UMing CN"};
    if (f == "黑体" || f == "simhei" || f == "微软雅黑" || f == "microsoft yahei")
        return {"SimHei", "Microsoft YaHei", "Noto Sans CJK SC"};
    if (f == "times new roman")
        return {"Liberation Serif", "Tinos", "DejaVu Serif"};
    if (f == "courier new" || f == "courier")
        return {"Liberation Mono", "Cousine", "DejaVu Sans Mono"};
    return sans;  // Arial, Tahoma, MS Sans Serif, MS Shell Dlg, System and anything unknown
}

QFont::StyleHint StyleHintFor(BYTE pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return QFont::Serif;
    case FF_MODERN: return QFont::TypeWriter;
    case FF_SCRIPT: return QFont::Cursive;
    case FF_DECORATIVE: return QFont::Decorative;
    default: return QFont::SansSerif;
    }
}

}  // namespace

QFont QFontFromLogFont(const LOGFONT& lf)
{
    const QString face = QString::fromUtf8(lf.lfFaceName, int(strnlen(lf.lfFaceName, LF_FACESIZE)));
    QStringList families;
    if (!face.isEmpty())
        families << face;
    families << FallbacksFor(face) << kCjkFallback;

    QFont font;
    font.setFamilies(families);
    font.setStyleHint(StyleHintFor(lf.lfPitchAndFamily));
    const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min(lf.lfWeight, FW_HEAVY);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::NoAntialias);
    font.setKerning(false);  // GDI text is laid out glyph by glyph

    if (lf.lfHeight < 0) {
        font.setPixelSize(std::max(1, -lf.lfHeight));
    } else if (lf.lfHeight == 0) {
        font.setPixelSize(12);
    } else {
        const int cell = lf.lfHeight;
        font.setPixelSize(cell);
        const int full = QFontMetrics(font).height();
        int px = std::max(1, full > 0 ? int(std::lround(double(cell) * cell / full)) : cell);
        font.setPixelSize(px);
        while (px > 1 && QFontMetrics(font).height() > cell)
            font.setPixelSize(--px);
        while (true) {
            font.setPixelSize(px + 1);
            if (QFontMetrics(font).height() > cell)
                break;
            ++px;
        }
        font.setPixelSize(px);
    }

    if (lf.lfWidth > 0) {
        const int average = QFontMetrics(font).averageCharWidth();
        if (average > 0)
            font.setStretch(std::clamp(lf.lfWidth * 100 / average, 1, 4000));
    }
    return font;
}
