// CDC: text output and measuring.
#include "CDCImpl.h"


#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

int QtTextFlags(UINT fmt)
{
    int f = 0;
    if (fmt & DT_CENTER)
        f |= Qt::AlignHCenter;
    else if (fmt & DT_RIGHT)
        f |= Qt::AlignRight;
    else
        f |= Qt::AlignLeft;
    // Vertical placement applies to a single line only, as DrawText does it.
    if ((fmt & DT_SINGLELINE) && (fmt & DT_VCENTER))
        f |= Qt::AlignVCenter;
    else if ((fmt & DT_SINGLELINE) && (fmt & DT_BOTTOM))
        f |= Qt::AlignBottom;
    else
        f |= Qt::AlignTop;
    if (fmt & DT_SINGLELINE)
        f |= Qt::TextSingleLine;
    else if (fmt & DT_WORDBREAK)
        f |= Qt::TextWordWrap;
    if (fmt & DT_EXPANDTABS)
        f |= Qt::TextExpandTabs;
    if (fmt & DT_NOCLIP)
        f |= Qt::TextDontClip;
    if (fmt & DT_HIDEPREFIX)
        f |= Qt::TextHideMnemonic;
    else if (!(fmt & DT_NOPREFIX))
        f |= Qt::TextShowMnemonic;  // "&x" underlines x, "&&" is one "&"
    return f;
}

// The text as shown: "&x" shows x, "&&" shows "&" unless prefixes are off.
QString ShownText(const QString& text, UINT fmt)
{
    if (fmt & DT_NOPREFIX)
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        else if (text[i] == QLatin1Char('&'))
            continue;
        out += text[i];
    }
    return out;
}

// Size of the laid-out text in GDI terms: every line is one cell (QFontMetrics::height) tall and
// as wide as its advance, so DrawText agrees with GetTextExtent.
QSize MeasureBlock(const QFont& font, const QString& text, UINT fmt, int wrapWidth)
{
    const QFontMetrics fm(font);
    const QString shown = ShownText(text, fmt);
    QStringList paragraphs;
    if (fmt & DT_SINGLELINE) {
        QString one = shown;
        one.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        paragraphs << one;
    } else {
        QString all = shown;
        all.remove(QLatin1Char('\r'));
        paragraphs = all.split(QLatin1Char('\n'));
    }
    const bool wrap = (fmt & DT_WORDBREAK) && !(fmt & DT_SINGLELINE);
    int lines = 0;
    int width = 0;
    for (const QString& para : paragraphs) {
        if (!wrap || para.isEmpty()) {
            ++lines;
            width = std::max(width, fm.horizontalAdvance(para));
            continue;
        }
        QTextLayout layout(para, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);  // a word longer than the line sticks out
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1, wrapWidth));
            ++lines;
            width = std::max(width, int(std::ceil(line.naturalTextWidth())));
        }
        layout.endLayout();
    }
    return QSize(width, lines * fm.height());
}

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (!lpszString || nCount < 0)
        return FALSE;
    return TextOut(x, y, CString(lpszString, size_t(nCount)));
}

BOOL CDC::TextOut(int x, int y, const CString& str) { return ExtTextOut(x, y, 0, nullptr, str); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str)
{
    QPainter* p = d->Prepare();
    if (!p)
        return FALSE;
    const QRect box = lpRect ? QRectOf(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : QRect();
    if (lpRect && (nOptions & ETO_OPAQUE))
        p->fillRect(box, QColorOf(d->s.bk));
    if (lpRect && (nOptions & ETO_CLIPPED))
        p->setClipRect(box, Qt::IntersectClip);
    if (str.empty())
        return TRUE;
    const QString text = QStringOf(str);
    const QFont font = d->Font();
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text);
    const int h = fm.height();
    const UINT a = d->s.align;
    int left = x;
    if ((a & TA_CENTER) == TA_CENTER)
        left = x - w / 2;
    else if (a & TA_RIGHT)
        left = x - w;
    int top = y;
    if ((a & TA_BASELINE) == TA_BASELINE)
        top = y - fm.ascent();
    else if (a & TA_BOTTOM)
        top = y - h;
    if (d->s.bkMode == OPAQUE)
        p->fillRect(QRect(left, top, w, h), QColorOf(d->s.bk));
    p->setFont(font);
    p->setPen(QColorOf(d->s.text));
    p->drawText(QPoint(left, top + fm.ascent()), text);
    return TRUE;
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (!lpszString)
        return 0;
    return DrawText(nCount < 0 ? CString(lpszString) : CString(lpszString, size_t(nCount)), lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    if (!lpRect || d->kind == Impl::None)
        return 0;
    const QFont font = d->Font();
    const QFontMetrics fm(font);
    QString text = QStringOf(str);
    const int flags = QtTextFlags(nFormat);
    const QRect r(lpRect->left, lpRect->top, std::max(0, lpRect->Width()), std::max(0, lpRect->Height()));

    const QSize block = MeasureBlock(font, text, nFormat, r.width());
    if (nFormat & DT_CALCRECT) {
        lpRect->right = lpRect->left + block.width();
        lpRect->bottom = lpRect->top + block.height();
        return block.height();
    }

    if ((nFormat & DT_PATH_ELLIPSIS) && (nFormat & DT_SINGLELINE))
        text = fm.elidedText(text, Qt::ElideMiddle, r.width(), flags);
    else if ((nFormat & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && (nFormat & DT_SINGLELINE))
        text = fm.elidedText(text, Qt::ElideRight, r.width(), flags);
    QPainter* p = d->Prepare();
    if (!p)
        return 0;
    if (!(nFormat & DT_NOCLIP))
        p->setClipRect(r, Qt::IntersectClip);
    int top = r.top();
    if ((nFormat & DT_SINGLELINE) && (nFormat & DT_VCENTER))
        top = r.top() + (r.height() - block.height()) / 2;
    else if ((nFormat & DT_SINGLELINE) && (nFormat & DT_BOTTOM))
        top = r.top() + r.height() - block.height();
    if (d->s.bkMode == OPAQUE && !text.isEmpty()) {
        const int w = std::min(block.width(), r.width());
        int left = r.left();
        if (nFormat & DT_CENTER)
            left = r.left() + (r.width() - w) / 2;
        else if (nFormat & DT_RIGHT)
            left = r.left() + r.width() - w;
        p->fillRect(QRect(left, top, w, block.height()), QColorOf(d->s.bk));
    }
    p->setFont(font);
    p->setPen(QColorOf(d->s.text));
    p->drawText(r, flags, text);
    return top + block.height() - r.top();
}

CSize CDC::GetTextExtent(const CString& str) const
{
    if (d->kind == Impl::None)
        return CSize();
    const QFontMetrics fm(d->Font());
    return CSize(fm.horizontalAdvance(QStringOf(str)), fm.height());
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    if (!lpszString || nCount < 0)
        return CSize();
    return GetTextExtent(CString(lpszString, size_t(nCount)));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* lpMetrics) const
{
    if (!lpMetrics || d->kind == Impl::None)
        return FALSE;
    const QFont font = d->Font();
    const QFontMetrics fm(font);
    const int em = font.pixelSize() > 0 ? font.pixelSize() : fm.height();
    *lpMetrics = TEXTMETRIC{fm.height(),
                            fm.ascent(),
                            fm.descent(),
                            std::max(0, fm.height() - em),
                            fm.leading(),
                            fm.averageCharWidth(),
                            fm.maxWidth(),
                            d->s.font ? d->s.font->log.lfWeight : FW_NORMAL};
    return TRUE;
}
