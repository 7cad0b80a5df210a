// CWnd: message dispatch, default handling, timers and messages to the window.
#include "CWnd.h"

#include "CDC.h"
#include "CommCtrl.h"
#include "Clock.h"
#include "Cursor.h"
#include "OwnerDraw.h"
#include "CWndWidget.h"
#include "WindowRegistry.h"

#include <algorithm>
#include <cstring>

namespace {

CPoint PointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

UINT CtlColorKind(UINT message) { return message - WM_CTLCOLORMSGBOX; }

}  // namespace

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::NotifyParent(WORD wNotifyCode)
{
    CWnd* parent = GetParent();
    if (!parent)
        return 0;
    return parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(m_nID), wNotifyCode), LPARAM(m_hWnd));
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    if (!m_pWidget)
        return 0;
    KillTimer(nIDEvent);
    const int ms = int(std::min<UINT>(std::max<UINT>(nElapse, 10), 0x7FFFFFFF));
    m_timers[nIDEvent] = Timer{m_pWidget->startTimer(ms, Qt::PreciseTimer), lpfnTimer};
    return nIDEvent ? nIDEvent : 1;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end())
        return FALSE;
    if (m_pWidget)
        m_pWidget->killTimer(it->second.qtId);
    m_timers.erase(it);
    return TRUE;
}

void CWnd::DeliverTimer(int qtTimerId)
{
    for (const auto& t : m_timers) {
        if (t.second.qtId != qtTimerId)
            continue;
        const UINT_PTR id = t.first;
        if (t.second.proc)
            t.second.proc(m_hWnd, WM_TIMER, id, GetTickCount());
        else
            SendMessage(WM_TIMER, id, 0);
        return;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = m_hWnd;
    const CurrentMsg saved = m_curMsg;
    m_curMsg = CurrentMsg{message, wParam, lParam};
    LRESULT result = 0;
    switch (message) {
    case WM_CREATE:
        result = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_ERASEBKGND:
        result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_SIZE:
        OnSize(UINT(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(BOOL(wParam), UINT(lParam));
        break;
    case WM_ENABLE:
        OnEnable(BOOL(wParam));
        break;
    case WM_TIMER:
        OnTimer(wParam);
        break;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_KEYUP:
        OnKeyUp(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CHAR:
        OnChar(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(UINT(wParam), PointOf(lParam));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(UINT(wParam), PointOf(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(UINT(wParam), PointOf(lParam));
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(UINT(wParam), PointOf(lParam));
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(UINT(wParam), PointOf(lParam));
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(UINT(wParam), PointOf(lParam));
        break;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(UINT(wParam), PointOf(lParam));
        break;
    case WM_MBUTTONDOWN:
        OnMButtonDown(UINT(wParam), PointOf(lParam));
        break;
    case WM_MBUTTONUP:
        OnMButtonUp(UINT(wParam), PointOf(lParam));
        break;
    case WM_MOUSEWHEEL:
        result = OnMouseWheel(LOWORD(wParam), short(HIWORD(wParam)), PointOf(lParam));
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_MOUSEHOVER:
        OnMouseHover(UINT(wParam), PointOf(lParam));
        break;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), PointOf(lParam));
        break;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case WM_COMMAND: {
        // A control's notice goes to the control first (reflection).
        CWnd* ctl = lParam ? FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr;
        LRESULT reflected = 0;
        if (ctl && ctl != this && ctl->OnChildNotify(message, wParam, lParam, &reflected))
            result = reflected;
        else
            result = OnCommand(wParam, lParam) ? 0 : DefWindowProc(message, wParam, lParam);
        break;
    }
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        CWnd* ctl = hdr ? FromHandle(hdr->hwndFrom) : nullptr;
        LRESULT handled = 0;
        if (ctl && ctl != this && ctl->OnChildNotify(message, wParam, lParam, &handled))
            result = handled;
        else if (!OnNotify(wParam, lParam, &handled))
            result = DefWindowProc(message, wParam, lParam);
        else
            result = handled;
        break;
    }
    case WM_DRAWITEM:
        OnDrawItem(int(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        break;
    case WM_SETCURSOR:
        result = OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        result = LRESULT(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                    FromHandle(reinterpret_cast<HWND>(lParam)), CtlColorKind(message)));
        break;
    default:
        result = DefWindowProc(message, wParam, lParam);
        break;
    }
    // A window destroyed during the message may have deleted its own object (the in-place
    // editors do): then nothing of it may be touched any more.
    if (hWnd && WindowRegistry::Lookup(hWnd) != this)
        return result;
    m_curMsg = saved;
    return result;
}

LRESULT CWnd::Default() { return DefWindowProc(m_curMsg.message, m_curMsg.wParam, m_curMsg.lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SYSCOMMAND:
        // The commands of a title bar, for windows that draw their own.
        if (GetStyle() & WS_CHILD)
            return 0;
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(WM_CLOSE); break;
        case SC_MINIMIZE: ShowWindow(SW_MINIMIZE); break;
        case SC_RESTORE: ShowWindow(SW_RESTORE); break;
        default: break;
        }
        return 0;
    case WM_ERASEBKGND: {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!pDC || m_clrBackground == CLR_NONE)
            return FALSE;
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(rc, m_clrBackground);
        return TRUE;
    }
    case WM_SETTEXT:
        m_strText = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (m_pWidget && m_pWidget->isWindow())
            m_pWidget->setWindowTitle(QString::fromStdString(m_strText));
        return TRUE;
    case WM_GETTEXT: {
        // wParam: buffer size in bytes including the terminating zero; returns bytes copied.
        char* buf = reinterpret_cast<char*>(lParam);
        if (!buf || wParam == 0)
            return 0;
        const size_t n = std::min<size_t>(m_strText.size(), wParam - 1);
        std::memcpy(buf, m_strText.data(), n);
        buf[n] = '\0';
        return LRESULT(n);
    }
    case WM_RBUTTONUP: {
        CPoint pt = PointOf(lParam);
        ClientToScreen(&pt);
        SendMessage(WM_CONTEXTMENU, WPARAM(m_hWnd), MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_SETCURSOR:
        // A child's parent may choose the cursor; otherwise the arrow.
        if (CWnd* parent = (GetStyle() & WS_CHILD) ? GetParent() : nullptr)
            if (parent->SendMessage(message, wParam, lParam))
                return TRUE;
        if (LOWORD(lParam) == HTCLIENT)
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return FALSE;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        // Unhandled by a child: its parent gets the chance.
        if (CWnd* parent = (GetStyle() & WS_CHILD) ? GetParent() : nullptr)
            return parent->SendMessage(message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

int CWnd::OnCreate(LPCREATESTRUCT) { return int(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return BOOL(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CWnd*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CWnd*) { Default(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT reflected = 0;
    if (pWnd && pWnd != this && pWnd->OnChildNotify(m_curMsg.message, m_curMsg.wParam, m_curMsg.lParam, &reflected))
        return reinterpret_cast<HBRUSH>(reflected);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, DRAWITEMSTRUCT* lpDrawItemStruct)
{
    CWnd* ctl = lpDrawItemStruct ? FromHandle(lpDrawItemStruct->hwndItem) : nullptr;
    LRESULT reflected = 0;
    if (ctl && ctl != this && ctl->OnChildNotify(WM_DRAWITEM, m_curMsg.wParam, m_curMsg.lParam, &reflected))
        return;
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult)
{
    if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC)
        return FALSE;
    HBRUSH brush = CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CtlColorKind(message));
    if (!brush)
        return FALSE;
    *pResult = LRESULT(brush);
    return TRUE;
}

HBRUSH CWnd::CtlColor(CDC*, UINT) { return nullptr; }
