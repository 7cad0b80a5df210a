#include "CWnd.h"

#include "CDC.h"
#include "CWindowDC.h"
#include "Cursor.h"
#include "CWndWidget.h"
#include "GdiData.h"
#include "WindowRegistry.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace {
HWND g_hCapture = nullptr;  // user-interface thread

// The headless platforms cannot grab the pointer (and say so on every try); there the capture
// is only bookkept, which is all their synthetic input needs.
bool PlatformCanGrab()
{
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

CWnd* OwnerOf(QWidget* w)
{
    auto* ww = dynamic_cast<CWndWidget*>(w);
    return ww ? ww->Owner() : nullptr;
}
}  // namespace

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_pWidget)
        DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd) { return WindowRegistry::Lookup(hWnd); }

BOOL IsWindow(HWND hWnd) { return WindowRegistry::Exists(hWnd) ? TRUE : FALSE; }

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID)
{
    if (m_pWidget)
        return FALSE;
    QWidget* parent = pParentWnd ? pParentWnd->m_pWidget : nullptr;
    const bool child = dwStyle & WS_CHILD;
    if (child && !parent)
        return FALSE;
    Qt::WindowFlags flags;
    if (!child) {
        flags = (dwExStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
        if ((dwStyle & WS_POPUP) && !(dwStyle & WS_CAPTION))
            flags |= Qt::FramelessWindowHint;
        // A title bar without the system menu has no close box (nor minimise or maximise).
        if ((dwStyle & WS_CAPTION) && !(dwStyle & WS_SYSMENU))
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (dwExStyle & WS_EX_TOPMOST)
            flags |= Qt::WindowStaysOnTopHint;
    }
    auto* widget = new CWndWidget(this, parent, flags);
    const HWND h = WindowRegistry::Register(this);
    if (!h) {
        widget->Detach();
        delete widget;
        return FALSE;
    }
    m_pWidget = widget;
    m_hWnd = h;
    m_dwStyle = dwStyle & ~(WS_VISIBLE | WS_DISABLED);
    m_dwExStyle = dwExStyle;
    m_nID = nID;
    m_strText = lpszWindowName ? lpszWindowName : "";
    if (!child)
        widget->setWindowTitle(QString::fromStdString(m_strText));
    widget->setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    // A child made without WS_VISIBLE stays hidden when its parent is shown later.
    if (child && !(dwStyle & WS_VISIBLE))
        widget->hide();
    if (dwStyle & WS_DISABLED)
        widget->setEnabled(false);

    PreSubclassWindow();
    if (!m_pWidget)
        return FALSE;
    CREATESTRUCT cs{pParentWnd ? pParentWnd->m_hWnd : nullptr, nID, rect.left, rect.top, rect.Width(),
                    rect.Height(), GetStyle() | (dwStyle & WS_VISIBLE), dwExStyle, lpszWindowName};
    if (SendMessage(WM_CREATE, 0, LPARAM(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (!m_pWidget)
        return FALSE;
    m_pWidget->ReportGeometry();
    if (m_pWidget && (dwStyle & WS_VISIBLE))
        ShowWindow(SW_SHOW);
    return m_pWidget ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_pWidget || m_bDestroying)
        return FALSE;
    m_bDestroying = true;
    const HWND h = m_hWnd;
    SendMessage(WM_DESTROY);
    if (WindowRegistry::Lookup(h) == this && m_pWidget) {
        std::vector<HWND> children;
        for (QObject* o : m_pWidget->children())
            if (CWnd* c = OwnerOf(qobject_cast<QWidget*>(o)))
                children.push_back(c->m_hWnd);
        for (HWND k : children)
            if (CWnd* c = WindowRegistry::Lookup(k))
                c->DestroyWindow();
        TearDown(true);
    }
    m_bDestroying = false;
    PostNcDestroy();
    return TRUE;
}

void CWnd::WidgetGone()
{
    TearDown(false);
}

void CWnd::TearDown(bool deleteWidget)
{
    if (g_hCapture && g_hCapture == m_hWnd)
        g_hCapture = nullptr;
    CWndWidget* w = m_pWidget;
    WindowRegistry::Unregister(m_hWnd);
    m_hWnd = nullptr;
    m_pWidget = nullptr;
    m_dcs.clear();
    if (m_hRgn) {
        ::DeleteObject(reinterpret_cast<HGDIOBJ>(m_hRgn));
        m_hRgn = nullptr;
    }
    if (!w)
        return;
    w->Detach();
    if (!deleteWidget) {
        m_timers.clear();
        return;
    }
    for (const auto& t : m_timers)
        w->killTimer(t.second.qtId);
    m_timers.clear();
    if (QWidget::mouseGrabber() == w)
        w->releaseMouse();
    if (CWndWidget::EventDepth() > 0) {
        // A Qt handler further up the stack may still touch the widget.
        w->hide();
        w->deleteLater();
    } else {
        delete w;
    }
}

QWidget* CWnd::GetWidget() const { return m_pWidget; }

int CWnd::SetDlgCtrlID(int nID)
{
    const int old = int(m_nID);
    m_nID = UINT(nID);
    return old;
}

CWnd* CWnd::GetParent() const
{
    return m_pWidget ? OwnerOf(m_pWidget->parentWidget()) : nullptr;
}

CWnd* CWnd::GetTopLevelParent() const
{
    return m_pWidget ? OwnerOf(m_pWidget->window()) : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (!m_pWidget)
        return nullptr;
    for (QObject* o : m_pWidget->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        CWnd* c = OwnerOf(w);
        if (c && !w->isWindow() && c->GetDlgCtrlID() == nID)
            return c;
    }
    return nullptr;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return m_pWidget && pWnd && pWnd->m_pWidget && pWnd->m_pWidget != m_pWidget &&
           m_pWidget->isAncestorOf(pWnd->m_pWidget);
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    if (!m_pWidget)
        return nullptr;
    if (nCmd == GW_CHILD) {
        for (QObject* o : m_pWidget->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (CWnd* c = OwnerOf(w); c && !w->isWindow())
                return c;
        }
        return nullptr;
    }
    if (nCmd == GW_OWNER)
        return m_pWidget->isWindow() ? GetParent() : nullptr;
    if (m_pWidget->isWindow() || !m_pWidget->parentWidget())
        return nullptr;
    std::vector<CWnd*> siblings;
    for (QObject* o : m_pWidget->parentWidget()->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (CWnd* c = OwnerOf(w); c && !w->isWindow())
            siblings.push_back(c);
    }
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    switch (nCmd) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return self + 1 < siblings.end() ? *(self + 1) : nullptr;
    case GW_HWNDPREV: return self > siblings.begin() ? *(self - 1) : nullptr;
    default: return nullptr;
    }
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    if (!pWndCtl || pWndCtl->GetParent() != this)
        return nullptr;
    std::vector<CWnd*> group;
    CWnd* start = pWndCtl;
    while (!(start->GetStyle() & WS_GROUP)) {
        CWnd* prev = start->GetWindow(GW_HWNDPREV);
        if (!prev)
            break;
        start = prev;
    }
    for (CWnd* c = start; c; c = c->GetWindow(GW_HWNDNEXT)) {
        if (c != start && (c->GetStyle() & WS_GROUP))
            break;
        group.push_back(c);
    }
    const auto self = std::find(group.begin(), group.end(), pWndCtl);
    const size_t n = group.size();
    const size_t at = size_t(self - group.begin());
    for (size_t step = 1; step < n; ++step) {
        CWnd* c = group[bPrevious ? (at + n - step) % n : (at + step) % n];
        if (c->IsWindowVisible() && c->IsWindowEnabled())
            return c;
    }
    return pWndCtl;
}

DWORD CWnd::GetStyle() const
{
    DWORD s = m_dwStyle;
    if (m_pWidget && !m_pWidget->isHidden())
        s |= WS_VISIBLE;
    if (m_pWidget && m_pWidget->testAttribute(Qt::WA_ForceDisabled))
        s |= WS_DISABLED;
    return s;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    const DWORD before = GetStyle();
    const DWORD after = (before & ~dwRemove) | dwAdd;
    m_dwStyle = after & ~(WS_VISIBLE | WS_DISABLED);
    if (m_pWidget && m_pWidget->isWindow() && ((before ^ after) & WS_CAPTION))
        ApplyFrameFlags();
    if ((before ^ after) & WS_DISABLED)
        EnableWindow(!(after & WS_DISABLED));
    if ((before ^ after) & WS_VISIBLE)
        ShowWindow((after & WS_VISIBLE) ? SW_SHOW : SW_HIDE);
    return before != after;
}

void CWnd::ApplyFrameFlags()
{
    // Changing the flags takes the window off the screen: put it back where it was.
    const bool shown = !m_pWidget->isHidden();
    const QRect g = m_pWidget->geometry();
    m_pWidget->setWindowFlag(Qt::FramelessWindowHint, !(m_dwStyle & WS_CAPTION));
    m_pWidget->setGeometry(g);
    if (shown)
        m_pWidget->show();
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    HICON& slot = bBigIcon ? m_hIconBig : m_hIconSmall;
    const HICON old = std::exchange(slot, hIcon);
    if (m_pWidget && m_pWidget->isWindow()) {
        const HICON shown = m_hIconSmall ? m_hIconSmall : m_hIconBig;
        m_pWidget->setWindowIcon(shown ? QIcon(QCursorOf(shown).pixmap()) : QIcon());
    }
    return old;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (!m_pWidget)
        return FALSE;
    const BOOL wasVisible = !m_pWidget->isHidden();
    const bool show = nCmdShow != SW_HIDE;
    if (bool(wasVisible) != show) {
        SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!m_pWidget)
            return wasVisible;
    }
    const bool topLevel = m_pWidget->isWindow();
    switch (nCmdShow) {
    case SW_HIDE:
        m_pWidget->hide();
        break;
    case SW_SHOWMAXIMIZED:
        topLevel ? m_pWidget->showMaximized() : m_pWidget->show();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        topLevel ? m_pWidget->showMinimized() : m_pWidget->show();
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        topLevel ? m_pWidget->showNormal() : m_pWidget->show();
        break;
    default:
        m_pWidget->show();
        break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const { return m_pWidget && m_pWidget->isVisible(); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (!m_pWidget)
        return;
    m_pWidget->setGeometry(x, y, std::max(0, nWidth), std::max(0, nHeight));
    m_pWidget->ReportGeometry();
    if (bRepaint && m_pWidget)
        Invalidate();
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->Width(), lpRect->Height(), bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    if (!m_pWidget)
        return FALSE;
    const QRect g = m_pWidget->geometry();
    if (nFlags & SWP_NOMOVE) {
        x = g.x();
        y = g.y();
    }
    if (nFlags & SWP_NOSIZE) {
        cx = g.width();
        cy = g.height();
    }
    if ((nFlags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        m_pWidget->setGeometry(x, y, std::max(0, cx), std::max(0, cy));
        m_pWidget->ReportGeometry();
        if (!m_pWidget)
            return FALSE;
    }
    if (!(nFlags & SWP_NOZORDER) && pWndInsertAfter) {
        if (pWndInsertAfter == &wndTop)
            m_pWidget->raise();
        else if (pWndInsertAfter == &wndBottom)
            m_pWidget->lower();
        else if (pWndInsertAfter->m_pWidget)
            m_pWidget->stackUnder(pWndInsertAfter->m_pWidget);
    }
    if (nFlags & SWP_SHOWWINDOW)
        ShowWindow(SW_SHOW);
    else if (nFlags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::BringWindowToTop()
{
    if (m_pWidget)
        m_pWidget->raise();
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    if (!m_pWidget)
        return;
    QRect area;
    CWnd* owner = pAlternateOwner ? pAlternateOwner : GetParent();
    if (m_pWidget->isWindow()) {
        if (owner && owner->m_pWidget)
            area = QRect(owner->m_pWidget->mapToGlobal(QPoint(0, 0)), owner->m_pWidget->size());
        else if (QScreen* s = m_pWidget->screen())
            area = s->availableGeometry();
    } else if (owner && owner->m_pWidget) {
        area = owner->m_pWidget->rect();
    }
    if (area.isEmpty())
        return;
    const QSize s = m_pWidget->size();
    MoveWindow(area.x() + (area.width() - s.width()) / 2, area.y() + (area.height() - s.height()) / 2,
               s.width(), s.height());
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    *lpRect = m_pWidget ? CRect(0, 0, m_pWidget->width(), m_pWidget->height()) : CRect();
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!m_pWidget) {
        *lpRect = CRect();
        return;
    }
    const QPoint g = m_pWidget->mapToGlobal(QPoint(0, 0));
    *lpRect = CRect(g.x(), g.y(), g.x() + m_pWidget->width(), g.y() + m_pWidget->height());
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (!m_pWidget)
        return;
    const QPoint p = m_pWidget->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    *lpPoint = CPoint(p.x(), p.y());
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    CPoint tl = lpRect->TopLeft();
    ScreenToClient(&tl);
    lpRect->OffsetRect(tl.x - lpRect->left, tl.y - lpRect->top);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (!m_pWidget)
        return;
    const QPoint p = m_pWidget->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    *lpPoint = CPoint(p.x(), p.y());
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    CPoint tl = lpRect->TopLeft();
    ClientToScreen(&tl);
    lpRect->OffsetRect(tl.x - lpRect->left, tl.y - lpRect->top);
}

void CWnd::Invalidate(BOOL bErase) { InvalidateRect(nullptr, bErase); }

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (!m_pWidget)
        return;
    const QRect area = lpRect ? QRect(lpRect->left, lpRect->top, lpRect->Width(), lpRect->Height())
                              : m_pWidget->rect();
    if (area.isEmpty())
        return;
    m_pWidget->NoteInvalidate(bErase != FALSE, area);
    m_pWidget->update(area);
}

void CWnd::UpdateWindow()
{
    if (!m_pWidget || m_pWidget->PendingUpdate().isEmpty())
        return;
    if (CPaintBatch::Active() && !m_pWidget->isWindow())
        return;  // painted when the batch ends
    m_pWidget->repaint(m_pWidget->PendingUpdate());
}

namespace {
int g_nPaintBatchDepth = 0;  // window thread only
}  // namespace

CPaintBatch::CPaintBatch() { ++g_nPaintBatchDepth; }

CPaintBatch::~CPaintBatch()
{
    if (--g_nPaintBatchDepth == 0)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

bool CPaintBatch::Active() { return g_nPaintBatchDepth > 0; }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    if (!m_pWidget)
        return FALSE;
    if (flags & RDW_INVALIDATE) {
        CRect rc;
        if (lpRectUpdate)
            rc = *lpRectUpdate;
        else if (prgnUpdate)
            prgnUpdate->GetRgnBox(&rc);
        else
            GetClientRect(&rc);
        InvalidateRect(&rc, (flags & RDW_ERASE) ? TRUE : FALSE);
    }
    if (flags & RDW_UPDATENOW)
        UpdateWindow();
    return TRUE;
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    if (!m_pWidget)
        return 0;
    RgnData* rd = hRgn ? RgnOf(reinterpret_cast<HGDIOBJ>(hRgn)) : nullptr;
    if (hRgn && !rd)
        return 0;
    if (m_hRgn && m_hRgn != hRgn)
        ::DeleteObject(reinterpret_cast<HGDIOBJ>(m_hRgn));
    m_hRgn = hRgn;
    if (rd)
        m_pWidget->setMask(rd->region);
    else
        m_pWidget->clearMask();
    if (bRedraw)
        Invalidate();
    return 1;
}

int CWnd::GetWindowRgn(HRGN hRgn) const
{
    RgnData* mine = m_hRgn ? RgnOf(reinterpret_cast<HGDIOBJ>(m_hRgn)) : nullptr;
    RgnData* out = hRgn ? RgnOf(reinterpret_cast<HGDIOBJ>(hRgn)) : nullptr;
    if (!mine || !out)
        return RGN_ERROR;
    out->region = mine->region;
    if (out->region.isEmpty())
        return NULLREGION;
    return out->region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

CDC* CWnd::GetDC()
{
    if (!m_pWidget)
        return nullptr;
    m_dcs.push_back(std::make_unique<CClientDC>(this));
    return m_dcs.back().get();
}

int CWnd::ReleaseDC(CDC* pDC)
{
    auto it = std::find_if(m_dcs.begin(), m_dcs.end(), [pDC](const auto& p) { return p.get() == pDC; });
    if (it == m_dcs.end())
        return 0;
    m_dcs.erase(it);
    return 1;
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    if (m_pWidget)
        SendMessage(WM_SETTEXT, 0, LPARAM(lpszString));
    else
        m_strText = lpszString ? lpszString : "";
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    m_pFont = pFont;
    if (bRedraw)
        Invalidate();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_pWidget)
        return FALSE;
    const BOOL wasDisabled = m_pWidget->testAttribute(Qt::WA_ForceDisabled);
    if (bool(wasDisabled) == !bEnable)
        return wasDisabled;
    if (!bEnable && GetCapture() == this)
        ReleaseCapture();
    m_pWidget->setEnabled(bEnable != FALSE);
    SendMessage(WM_ENABLE, bEnable ? TRUE : FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_pWidget && !m_pWidget->testAttribute(Qt::WA_ForceDisabled); }

CWnd* CWnd::SetFocus()
{
    CWnd* prev = GetFocus();
    if (!m_pWidget)
        return prev;
    QWidget* top = m_pWidget->window();
    if (top->isVisible() && !top->isActiveWindow()) {
        // The focus moves now, as the program expects: the window that had it hears
        // WM_KILLFOCUS before this call returns, not when the desktop gets round to it.
        top->activateWindow();
        QApplication::setActiveWindow(top);
    }
    m_pWidget->setFocus(Qt::OtherFocusReason);
    return prev;
}

CWnd* CWnd::GetFocus() { return OwnerOf(QApplication::focusWidget()); }

CWnd* CWnd::SetCapture()
{
    CWnd* prev = GetCapture();
    if (!m_pWidget || prev == this)
        return prev;
    if (m_pWidget->isVisible() && PlatformCanGrab())
        m_pWidget->grabMouse();
    g_hCapture = m_hWnd;
    if (prev)
        prev->SendMessage(WM_CAPTURECHANGED, 0, LPARAM(m_hWnd));
    return prev;
}

CWnd* CWnd::GetCapture() { return g_hCapture ? WindowRegistry::Lookup(g_hCapture) : nullptr; }

BOOL ReleaseCapture()
{
    CWnd* c = CWnd::GetCapture();
    g_hCapture = nullptr;
    if (!c)
        return TRUE;
    QWidget* w = c->GetWidget();
    if (w && QWidget::mouseGrabber() == w)
        w->releaseMouse();
    c->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* pTrack)
{
    CWnd* pWnd = pTrack ? CWnd::FromHandle(pTrack->hwndTrack) : nullptr;
    if (!pWnd || !pWnd->m_pWidget)
        return FALSE;
    CWndWidget* w = pWnd->m_pWidget;
    if (pTrack->dwFlags & TME_CANCEL) {
        if (pTrack->dwFlags & TME_LEAVE)
            w->TrackLeave(false);
        if (pTrack->dwFlags & TME_HOVER)
            w->TrackHover(false, 0);
        return TRUE;
    }
    if (pTrack->dwFlags & TME_LEAVE) {
        if (w->PointerInside())
            w->TrackLeave(true);
        else
            pWnd->PostMessage(WM_MOUSELEAVE);  // already outside: answered at once
    }
    if (pTrack->dwFlags & TME_HOVER)
        w->TrackHover(true, pTrack->dwHoverTime == HOVER_DEFAULT ? 400 : int(pTrack->dwHoverTime));
    return TRUE;
}
