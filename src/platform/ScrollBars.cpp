// The bars are QScrollBar children of the window's widget. Qt moves a bar's slider itself when
// the user acts on it; here the slider is put back at once and the window is told the action,
// so that the window alone decides the new position (as it does with keyboard scrolling).
#include "ScrollBars.h"

#include "CWnd.h"
#include "WinApi.h"

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>

namespace {
constexpr int kBar = 16;

struct BarState {
    SCROLLINFO info;
    QPointer<QScrollBar> bar;
    bool visible = false;
};

int MaxPos(const SCROLLINFO& si)
{
    const int page = int(si.nPage);
    const int top = page > 0 ? si.nMax - page + 1 : si.nMax;
    return std::max(si.nMin, top);
}
}  // namespace

struct CWndScrollBars::Impl : QObject {
    CWnd* wnd = nullptr;
    BarState bars[2];
    QPointer<QWidget> corner;  // the square between two shown bars

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (wnd && o == wnd->GetWidget() && e->type() == QEvent::Resize)
            Layout();
        return false;
    }

    void Layout()
    {
        QWidget* w = wnd ? wnd->GetWidget() : nullptr;
        if (!w)
            return;
        const int cw = w->width(), ch = w->height();
        const bool h = bars[SB_HORZ].visible, v = bars[SB_VERT].visible;
        if (QScrollBar* b = bars[SB_HORZ].bar) {
            b->setGeometry(0, ch - kBar, cw - (v ? kBar : 0), kBar);
            b->setVisible(h);
        }
        if (QScrollBar* b = bars[SB_VERT].bar) {
            b->setGeometry(cw - kBar, 0, kBar, ch - (h ? kBar : 0));
            b->setVisible(v);
        }
        if (QWidget* c = corner) {
            c->setGeometry(cw - kBar, ch - kBar, kBar, kBar);
            c->setVisible(h && v);
        }
    }

    void Sync(int n)
    {
        BarState& s = bars[n];
        const SCROLLINFO& si = s.info;
        s.visible = MaxPos(si) > si.nMin;
        if (QScrollBar* b = s.bar) {
            const QSignalBlocker block(b);
            b->setRange(si.nMin, MaxPos(si));
            b->setPageStep(std::max(1, int(si.nPage)));
            b->setSingleStep(1);
            b->setValue(si.nPos);
        }
        Layout();
    }

    void Action(int n, int action)
    {
        BarState& s = bars[n];
        QScrollBar* b = s.bar;
        if (!b || !wnd)
            return;
        UINT code;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        default: return;
        }
        s.info.nTrackPos = b->sliderPosition();
        if (code != SB_THUMBTRACK)
            b->setSliderPosition(s.info.nPos);
        const UINT msg = n == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
        wnd->SendMessage(msg, MAKEWPARAM(WORD(code), WORD(s.info.nTrackPos)), 0);
    }

    void Released(int n)
    {
        if (!wnd)
            return;
        const UINT msg = n == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
        const int track = bars[n].info.nTrackPos;
        wnd->SendMessage(msg, MAKEWPARAM(WORD(SB_THUMBPOSITION), WORD(track)), 0);
        if (wnd)
            wnd->SendMessage(msg, MAKEWPARAM(WORD(SB_ENDSCROLL), 0), 0);
    }
};

CWndScrollBars::CWndScrollBars() : d(new Impl) {}

CWndScrollBars::~CWndScrollBars() { Detach(); }

void CWndScrollBars::Attach(CWnd* pWnd)
{
    Detach();
    d->wnd = pWnd;
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w)
        return;
    w->installEventFilter(d.get());
    auto* corner = new QWidget(w);
    corner->setAutoFillBackground(true);
    QPalette pal = corner->palette();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    pal.setColor(QPalette::Window, QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
    corner->setPalette(pal);
    corner->hide();
    d->corner = corner;
    for (int n = 0; n < 2; ++n) {
        auto* b = new QScrollBar(n == SB_HORZ ? Qt::Horizontal : Qt::Vertical, w);
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
        d->bars[n].bar = b;
        QObject::connect(b, &QAbstractSlider::actionTriggered, d.get(), [this, n](int a) { d->Action(n, a); });
        QObject::connect(b, &QAbstractSlider::sliderReleased, d.get(), [this, n] { d->Released(n); });
        d->Sync(n);
    }
}

void CWndScrollBars::Detach()
{
    QWidget* w = d->wnd ? d->wnd->GetWidget() : nullptr;
    if (w)
        w->removeEventFilter(d.get());
    for (BarState& s : d->bars) {
        delete s.bar.data();  // null once Qt deleted it with the window
        s.bar = nullptr;
    }
    delete d->corner.data();
    d->corner = nullptr;
    d->wnd = nullptr;
}

int CWndScrollBars::SetScrollInfo(int nBar, const SCROLLINFO* pInfo, BOOL)
{
    if ((nBar != SB_HORZ && nBar != SB_VERT) || !pInfo)
        return 0;
    SCROLLINFO& si = d->bars[nBar].info;
    if (pInfo->fMask & SIF_RANGE) {
        si.nMin = pInfo->nMin;
        si.nMax = std::max(pInfo->nMin, pInfo->nMax);
    }
    if (pInfo->fMask & SIF_PAGE)
        si.nPage = pInfo->nPage;
    if (pInfo->fMask & SIF_POS)
        si.nPos = pInfo->nPos;
    si.nPos = std::clamp(si.nPos, si.nMin, MaxPos(si));
    d->Sync(nBar);
    return si.nPos;
}

BOOL CWndScrollBars::GetScrollInfo(int nBar, SCROLLINFO* pInfo) const
{
    if ((nBar != SB_HORZ && nBar != SB_VERT) || !pInfo)
        return FALSE;
    const UINT mask = pInfo->fMask;
    *pInfo = d->bars[nBar].info;
    pInfo->fMask = mask;
    return TRUE;
}

int CWndScrollBars::GetScrollPos(int nBar) const
{
    return (nBar == SB_HORZ || nBar == SB_VERT) ? d->bars[nBar].info.nPos : 0;
}

int CWndScrollBars::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    const int old = GetScrollPos(nBar);
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    SetScrollInfo(nBar, &si, bRedraw);
    return old;
}

void CWndScrollBars::SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw)
{
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = nMin;
    si.nMax = nMax;
    SetScrollInfo(nBar, &si, bRedraw);
}

BOOL CWndScrollBars::IsVisible(int nBar) const
{
    return (nBar == SB_HORZ || nBar == SB_VERT) && d->bars[nBar].visible;
}

int CWndScrollBars::BarSize() { return kBar; }

void CWndScrollBars::AdjustClientRect(LPRECT pRect) const
{
    if (d->bars[SB_VERT].visible)
        pRect->right = std::max(pRect->left, pRect->right - kBar);
    if (d->bars[SB_HORZ].visible)
        pRect->bottom = std::max(pRect->top, pRect->bottom - kBar);
}
