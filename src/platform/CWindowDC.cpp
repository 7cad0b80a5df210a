#include "CWindowDC.h"

#include "CWnd.h"
#include "CWndWidget.h"

namespace {

// Attaches the context to the window's paint in progress; false when there is none.
bool AttachToPaint(CDC& dc, CWnd* pWnd, QRect* paintRect)
{
    auto* w = pWnd ? dynamic_cast<CWndWidget*>(pWnd->GetWidget()) : nullptr;
    if (!w || !w->PaintPainter())
        return false;
    dc.AttachPainter(w->PaintPainter(), w->PaintRect());
    *paintRect = w->PaintRect();
    return true;
}

void AttachScratchFor(CDC& dc, CWnd* pWnd)
{
    CRect rc;
    if (pWnd)
        pWnd->GetClientRect(&rc);
    dc.AttachScratch(rc.Size());
}

}  // namespace

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    QRect r;
    if (AttachToPaint(*this, pWnd, &r)) {
        m_ps.rcPaint = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    } else {
        AttachScratchFor(*this, pWnd);
        if (pWnd)
            pWnd->GetClientRect(&m_ps.rcPaint);
    }
    m_ps.hdc = m_hDC;
}

CClientDC::CClientDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    QRect r;
    if (!AttachToPaint(*this, pWnd, &r))
        AttachScratchFor(*this, pWnd);
}
