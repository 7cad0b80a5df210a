#include "CWindowDC.h"

#include "CWnd.h"
#include "CWndWidget.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

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

// What the window shows now: its part of the top-level window's surface, which holds the
// parent's pixels under a child (during the child's paint, freshly painted ones). Null when the
// window has not been shown.
QImage ShownPicture(CWnd* pWnd)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w || !w->isVisible())
        return QImage();
    // A window below this one is painting (into the window's surface or into a grab): its
    // surface holds what this window shows around it right now.
    CWndWidget* painting = CWndWidget::PaintingWidget();
    if (painting && painting->PaintPainter() && (painting == w || w->isAncestorOf(painting))) {
        QPainter* painter = painting->PaintPainter();
        QPaintEngine* engine = painter->paintEngine();
        QPaintDevice* dev = engine ? engine->paintDevice() : nullptr;
        if (dev && dev->devType() == QInternal::Image) {
            const QTransform world = painter->worldTransform();
            painter->setWorldTransform(QTransform());
            const QPoint at = painter->deviceTransform().map(QPoint(0, 0)) - painting->mapTo(w, QPoint(0, 0));
            painter->setWorldTransform(world);
            return static_cast<const QImage*>(dev)->copy(QRect(at, w->size())).convertToFormat(QImage::Format_RGB32);
        }
    }
    QWidget* top = w->window();
    QBackingStore* store = top->backingStore();
    QPaintDevice* dev = store ? store->paintDevice() : nullptr;
    if (!dev || dev->devType() != QInternal::Image)
        return QImage();
    const auto* surface = static_cast<const QImage*>(dev);
    const QRect area(w->mapTo(top, QPoint(0, 0)), w->size());
    return surface->copy(area).convertToFormat(QImage::Format_RGB32);
}

void AttachScratchFor(CDC& dc, CWnd* pWnd)
{
    CRect rc;
    if (pWnd)
        pWnd->GetClientRect(&rc);
    const QImage shown = ShownPicture(pWnd);
    dc.AttachScratch(rc.Size(), &shown);
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
