// CBitmapSlider painting: track (split into its active and normal pictures at the thumb),
// thumb, through one off-screen context.
#include "CBitmapSlider.h"

#include "CMemDC.h"
#include "CWindowDC.h"
#include "SliderMask.h"

void CBitmapSlider::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CBitmapSlider::Paint(CDC* pDC)
{
    if (m_rect.IsRectEmpty())
        GetClientRect(&m_rect);
    // Where the parent shows through (a masked track, or none at all) the picture starts from
    // what is on the screen.
    const BOOL seeThrough = m_bTransparentChannel || !m_bChannel;
    CMemDC memDC(pDC, &m_rect, seeThrough);
    const int p = m_geo.PosToPixel(m_nPos);
    const int w = m_geo.nWidth, h = m_geo.nHeight;
    const bool vertical = m_geo.bVertical;

    if (m_bChannel) {
        CBitmap* mask = m_bTransparentChannel ? &m_bmChannelMask : nullptr;
        if (!m_bChannelActive || !m_bEnable) {
            DrawTransparent(&memDC, 0, 0, w, h, &m_bmChannel, mask);
        } else {
            CBitmap* activeMask = m_bTransparentChannel ? &m_bmChannelActiveMask : nullptr;
            // The part beyond the thumb keeps the normal picture, the part before it the active one.
            if (vertical) {
                DrawTransparent(&memDC, 0, p, w, h - p, &m_bmChannel, activeMask, 0, p);
                DrawTransparent(&memDC, 0, 0, w, p, &m_bmChannelActive, mask, 0, 0);
            } else {
                DrawTransparent(&memDC, p, 0, w - p, h, &m_bmChannel, activeMask, p, 0);
                DrawTransparent(&memDC, 0, 0, p, h, &m_bmChannelActive, mask, 0, 0);
            }
        }
    }

    const int tw = m_geo.nThumbWidth, th = m_geo.nThumbHeight;
    if (m_ptSavedThumb.x != -1) {
        DrawPicture(&memDC, m_ptSavedThumb.x, m_ptSavedThumb.y, tw, th, &m_bmThumbBg);
        m_ptSavedThumb = CPoint(-1, -1);
    }
    const CPoint at = vertical ? CPoint(m_geo.nMarginLeft, p - th / 2) : CPoint(p - tw / 2, m_geo.nMarginTop);
    if (m_bThumb && m_bEnable) {
        const bool active = m_bThumbActive && (m_bDragging || m_bActive);
        CBitmap* pic = active ? &m_bmThumbActive : &m_bmThumb;
        CBitmap* mask = !m_bTransparentThumb ? nullptr : active ? &m_bmThumbActiveMask : &m_bmThumbMask;
        if (seeThrough) {
            // Keep what lies under the thumb, to put back before the thumb moves on.
            m_bmThumbBg.DeleteObject();
            m_bmThumbBg.CreateCompatibleBitmap(&memDC, tw, th);
            CDC save;
            save.CreateCompatibleDC(&memDC);
            CBitmap* old = save.SelectObject(&m_bmThumbBg);
            save.BitBlt(0, 0, tw, th, &memDC, at.x, at.y, SRCCOPY);
            save.SelectObject(old);
            m_ptSavedThumb = at;
        }
        DrawTransparent(&memDC, at.x, at.y, tw, th, pic, mask);
    } else if (m_bmThumbDisabled.GetSafeHandle()) {
        const CSize size = m_bmThumbDisabled.GetSize();
        DrawTransparent(&memDC, at.x, at.y, size.cx, size.cy, &m_bmThumbDisabled,
                        m_bTransparentThumb ? &m_bmThumbMask : nullptr);
    }

    // Keyboard focus on a slider whose parent shows through: a dotted frame, since the active
    // track that shows it elsewhere is missing.
    m_bFocus = m_bFocusRect && m_bActive && m_bEnable && seeThrough;
    if (m_bFocus) {
        CPen dots(PS_DOT, 1, RGB(255, 255, 255));
        CPen* oldPen = memDC.SelectObject(&dots);
        const CRect& r = m_rect;
        memDC.MoveTo(r.left, r.top);
        memDC.LineTo(r.right - 1, r.top);
        memDC.LineTo(r.right - 1, r.bottom - 1);
        memDC.LineTo(r.left, r.bottom - 1);
        memDC.LineTo(r.left, r.top);
        memDC.SelectObject(oldPen);
    }
}
