#include "CMyMemDC.h"

#include <QRect>

CMyMemDC::CMyMemDC(CDC* pDC) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
{
    pDC->GetClipBox(&m_rect);
    if (m_bMemDC) {
        CreateCompatibleDC(pDC);
        m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
        m_pOldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        m_bPrinting = pDC->m_bPrinting;
        if (QPainter* painter = pDC->GetPainter())
            AttachPainter(painter, QRect(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height()));
        SetWindowOrg(pDC->GetWindowOrg());
        SetViewportOrg(pDC->GetViewportOrg());
    }
}

CMyMemDC::~CMyMemDC()
{
    if (!m_bMemDC)
        return;
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_pOldBitmap);
}
