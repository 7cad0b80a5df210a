#include "CWndWidget.h"

#include "CDC.h"
#include "CWnd.h"
#include "Cursor.h"
#include "KeyMap.h"
#include "WindowRegistry.h"

#include <QApplication>
#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <utility>

namespace {

int g_nEventDepth = 0;  // user-interface thread
CWndWidget* g_pPainting = nullptr;

struct EventDepthScope {
    EventDepthScope() { ++g_nEventDepth; }
    ~EventDepthScope() { --g_nEventDepth; }
};

HWND HandleOf(QWidget* w)
{
    auto* ww = dynamic_cast<CWndWidget*>(w);
    return ww && ww->Owner() ? ww->Owner()->m_hWnd : nullptr;
}

}  // namespace

CWndWidget::CWndWidget(CWnd* pOwner, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_pOwner(pOwner)
{
    setMouseTracking(true);  // WM_MOUSEMOVE comes with no button held, too
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::NoFocus);  // focus moves only by SetFocus, as for a plain window
}

CWndWidget::~CWndWidget()
{
    if (m_pOwner)
        m_pOwner->WidgetGone();
}

int CWndWidget::EventDepth() { return g_nEventDepth; }

CWndWidget* CWndWidget::PaintingWidget() { return g_pPainting; }

void CWndWidget::NoteInvalidate(bool bErase, const QRect& area)
{
    m_pending += area;
    if (bErase)
        m_bEraseAsked = true;
    else
        m_bNoEraseAsked = true;
}

void CWndWidget::TrackLeave(bool on) { m_bTrackLeave = on; }

void CWndWidget::TrackHover(bool on, int hoverMs)
{
    m_bTrackHover = on;
    m_nHoverMs = hoverMs;
    if (on)
        m_hoverTimer.start(hoverMs, this);
    else
        m_hoverTimer.stop();
}

void CWndWidget::ReportGeometry()
{
    if (!m_pOwner)
        return;
    const QSize s = size();
    if (s != m_lastSize) {
        m_lastSize = s;
        m_pOwner->SendMessage(WM_SIZE, isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED,
                              MAKELPARAM(s.width(), s.height()));
        if (!m_pOwner)
            return;
    }
    const QPoint p = pos();
    if (p != m_lastPos) {
        m_lastPos = p;
        m_pOwner->SendMessage(WM_MOVE, 0, MAKELPARAM(p.x(), p.y()));
    }
}

void CWndWidget::ReportWindowState(Qt::WindowStates old)
{
    const Qt::WindowStates now = windowState();
    const Qt::WindowStates kinds = Qt::WindowMinimized | Qt::WindowMaximized;
    if ((now & kinds) == (old & kinds))
        return;
    const UINT type = (now & Qt::WindowMinimized) ? SIZE_MINIMIZED
                    : (now & Qt::WindowMaximized) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    m_lastSize = size();
    m_pOwner->SendMessage(WM_SIZE, type, MAKELPARAM(width(), height()));
}

bool CWndWidget::event(QEvent* e)
{
    EventDepthScope depth;
    if (!m_pOwner)
        return QWidget::event(e);
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        HandleMouse(e);
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        HandleKey(e);  // Tab included: focus moves only when the program moves it
        return true;
    case QEvent::InputMethod:
        HandleInputMethod(e);
        return true;
    case QEvent::ContextMenu:
        return true;  // WM_CONTEXTMENU comes from WM_RBUTTONUP
    case QEvent::Enter:
        m_bPointerInside = true;
        break;
    case QEvent::Leave:
        m_bPointerInside = false;
        m_bTrackHover = false;
        m_hoverTimer.stop();
        if (m_bTrackLeave) {
            m_bTrackLeave = false;
            m_pOwner->SendMessage(WM_MOUSELEAVE);
        }
        break;
    case QEvent::FocusIn:
        m_pOwner->SendMessage(WM_SETFOCUS);
        break;
    case QEvent::FocusOut:
        m_pOwner->SendMessage(WM_KILLFOCUS, WPARAM(HandleOf(QApplication::focusWidget())));
        break;
    case QEvent::Resize:
    case QEvent::Move:
        ReportGeometry();
        break;
    case QEvent::WindowStateChange:
        if (isWindow())
            ReportWindowState(static_cast<QWindowStateChangeEvent*>(e)->oldState());
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void CWndWidget::paintEvent(QPaintEvent* e)
{
    if (!m_pOwner)
        return;
    CWnd* owner = m_pOwner;
    QPainter painter(this);
    m_pPaintPainter = &painter;
    CWndWidget* const outer = std::exchange(g_pPainting, this);
    m_rcPaint = e->rect();
    m_pending = QRegion();
    // Erase unless the only request was an Invalidate that asked not to.
    const bool erase = m_bEraseAsked || !m_bNoEraseAsked;
    m_bEraseAsked = m_bNoEraseAsked = false;
    if (erase) {
        CDC dc;
        dc.AttachPainter(&painter, m_rcPaint);
        owner->SendMessage(WM_ERASEBKGND, WPARAM(dc.GetSafeHdc()));
    }
    if (m_pOwner)
        owner->SendMessage(WM_PAINT);
    m_pPaintPainter = nullptr;
    g_pPainting = outer;
}

void CWndWidget::timerEvent(QTimerEvent* e)
{
    if (!m_pOwner)
        return;
    if (e->timerId() != m_hoverTimer.timerId()) {
        m_pOwner->DeliverTimer(e->timerId());
        return;
    }
    m_hoverTimer.stop();
    if (!m_bTrackHover || !m_bPointerInside)
        return;
    m_bTrackHover = false;
    const QPoint p = mapFromGlobal(QCursor::pos());
    m_pOwner->SendMessage(WM_MOUSEHOVER,
                          MouseKeyFlags(QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers()),
                          MAKELPARAM(p.x(), p.y()));
}

void CWndWidget::closeEvent(QCloseEvent* e)
{
    // The window decides: WM_CLOSE destroys it unless its handler says otherwise.
    e->ignore();
    if (m_pOwner)
        m_pOwner->SendMessage(WM_CLOSE);
}

void CWndWidget::HandleMouse(QEvent* e)
{
    if (e->type() == QEvent::Wheel) {
        auto* we = static_cast<QWheelEvent*>(e);
        const int delta = we->angleDelta().y();
        if (delta == 0)
            return;
        const QPoint g = we->globalPosition().toPoint();
        DeliverInput(WM_MOUSEWHEEL, MAKEWPARAM(WORD(MouseKeyFlags(we->buttons(), we->modifiers())), WORD(short(delta))),
                     MAKELPARAM(g.x(), g.y()));
        return;
    }
    auto* me = static_cast<QMouseEvent*>(e);
    const QPoint p = me->position().toPoint();
    const WPARAM flags = MouseKeyFlags(me->buttons(), me->modifiers());
    UINT message = WM_NULL;
    const Qt::MouseButton b = me->button();
    switch (e->type()) {
    case QEvent::MouseMove:
        message = WM_MOUSEMOVE;
        m_bPointerInside = rect().contains(p);
        if (m_bTrackHover)
            m_hoverTimer.start(m_nHoverMs, this);
        break;
    case QEvent::MouseButtonPress:
        message = b == Qt::LeftButton ? WM_LBUTTONDOWN : b == Qt::RightButton ? WM_RBUTTONDOWN
                : b == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_NULL;
        break;
    case QEvent::MouseButtonRelease:
        message = b == Qt::LeftButton ? WM_LBUTTONUP : b == Qt::RightButton ? WM_RBUTTONUP
                : b == Qt::MiddleButton ? WM_MBUTTONUP : WM_NULL;
        break;
    case QEvent::MouseButtonDblClick:
        message = b == Qt::LeftButton ? WM_LBUTTONDBLCLK : b == Qt::RightButton ? WM_RBUTTONDBLCLK
                : b == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_NULL;
        break;
    default:
        break;
    }
    if (message == WM_NULL)
        return;
    // The window under the pointer chooses the cursor first, unless a window holds the capture.
    if (!CWnd::GetCapture()) {
        const HWND h = m_pOwner->m_hWnd;
        SetCursorTarget(h);
        m_pOwner->SendMessage(WM_SETCURSOR, WPARAM(h), MAKELPARAM(HTCLIENT, message));
        SetCursorTarget(nullptr);
        if (!WindowRegistry::Lookup(h) || !m_pOwner)
            return;
    }
    DeliverInput(message, flags, MAKELPARAM(p.x(), p.y()));
}

void CWndWidget::HandleKey(QEvent* e)
{
    auto* ke = static_cast<QKeyEvent*>(e);
    const bool down = e->type() == QEvent::KeyPress;
    const bool alt = ke->modifiers() & Qt::AltModifier;
    // High word of lParam: bit 14 the key was down before, bit 15 it is being released.
    const WORD state = WORD(down ? (ke->isAutoRepeat() ? 0x4000 : 0) : 0xC000);
    const UINT vk = VirtualKeyFromQt(ke->key(), ke->modifiers());
    NoteKeyEvent(vk, down, ke->modifiers());
    if (vk) {
        const UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        if (!DeliverInput(message, vk, MAKELPARAM(1, state)))
            return;
    }
    if (!down || alt)
        return;
    const QString text = ke->text();
    for (uint cp : text.toUcs4()) {
        if (cp == 0 || cp == 0x7F)  // Delete has no character
            continue;
        if (!DeliverInput(WM_CHAR, cp, MAKELPARAM(1, state)))
            return;
    }
}

void CWndWidget::HandleInputMethod(QEvent* e)
{
    auto* ie = static_cast<QInputMethodEvent*>(e);
    for (uint cp : ie->commitString().toUcs4())
        if (!DeliverInput(WM_CHAR, cp, MAKELPARAM(1, 0)))
            return;
}

bool CWndWidget::DeliverInput(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* target = m_pOwner;
    const HWND hTarget = target->m_hWnd;
    MSG msg{hTarget, message, wParam, lParam, CPoint(QCursor::pos().x(), QCursor::pos().y())};
    for (CWnd* w = target; w;) {
        const HWND h = w->m_hWnd;
        const bool topLevel = !(w->GetStyle() & WS_CHILD);
        if (w->PreTranslateMessage(&msg))
            return false;
        if (WindowRegistry::Lookup(hTarget) != target || WindowRegistry::Lookup(h) != w)
            return false;
        if (topLevel)
            break;
        w = w->GetParent();
    }
    target->SendMessage(msg.message, msg.wParam, msg.lParam);
    return WindowRegistry::Lookup(hTarget) == target;
}
