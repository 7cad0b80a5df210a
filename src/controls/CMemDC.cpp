#include "CMemDC.h"

#include <QRect>

CMemDC::CMemDC(CDC* pDC, const CRect* pRect, BOOL bCopyBackground) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
{
    if (pRect)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);
    if (m_bMemDC) {
        CreateCompatibleDC(pDC);
        CRect device = m_rect;
        pDC->LPtoDP(&device);
        m_bitmap.CreateCompatibleBitmap(pDC, device.Width(), device.Height());
        m_pOldBitmap = SelectObject(&m_bitmap);
        SetMapMode(pDC->GetMapMode());
        // Drawing at the target's logical coordinates lands in the bitmap.
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        // A printer context is drawn on directly.
        m_bPrinting = pDC->m_bPrinting;
        CRect clip;
        pDC->GetClipBox(&clip);
        if (QPainter* painter = pDC->GetPainter())
            AttachPainter(painter, QRect(clip.left, clip.top, clip.Width(), clip.Height()));
        SetWindowOrg(pDC->GetWindowOrg());
        SetViewportOrg(pDC->GetViewportOrg());
    }
    if (bCopyBackground)
        BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pDC, m_rect.left, m_rect.top, SRCCOPY);
    else
        FillSolidRect(m_rect, pDC->GetBkColor());
}

void CMemDC::CopyBack()
{
    if (m_bCopied)
        return;
    m_bCopied = true;
    if (!m_bMemDC)
        return;
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_pOldBitmap);
}

CMemDC::~CMemDC()
{
    CopyBack();
}
