#include "CButton.h"

#include "CWindowDC.h"
#include "WinApi.h"

namespace {

DWORD TypeOf(DWORD style) { return style & BS_TYPEMASK; }

bool IsCheckType(DWORD t)
{
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

bool IsRadioType(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

UINT CaptionFormat(DWORD style, UINT defaultAlign)
{
    UINT fmt = DT_SINGLELINE | DT_VCENTER;
    switch (style & BS_CENTER) {
    case BS_LEFT: return fmt | DT_LEFT;
    case BS_RIGHT: return fmt | DT_RIGHT;
    case BS_CENTER: return fmt | DT_CENTER;
    default: return fmt | defaultAlign;
    }
}

}  // namespace

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const { return m_nCheck; }

void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, WPARAM(nCheck)); }

UINT CButton::GetState() const
{
    UINT s = UINT(m_nCheck);
    if (m_bPushed)
        s |= BST_PUSHED;
    if (GetFocus() == this)
        s |= BST_FOCUS;
    return s;
}

void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CButton::SetPushed(bool pushed)
{
    if (m_bPushed == pushed)
        return;
    m_bPushed = pushed;
    Invalidate(FALSE);
}

void CButton::Press()
{
    SetFocus();
    if (!m_hWnd)
        return;
    SetCapture();
    m_bTracking = true;
    SetPushed(true);
}

void CButton::Release(bool click)
{
    const bool wasPushed = m_bPushed;
    m_bTracking = false;
    if (GetCapture() == this)
        ReleaseCapture();
    SetPushed(false);
    if (click && wasPushed)
        Click();
}

void CButton::Click()
{
    const DWORD type = TypeOf(GetStyle());
    if (type == BS_AUTOCHECKBOX)
        SetCheck(m_nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    else if (type == BS_AUTO3STATE)
        SetCheck((m_nCheck + 1) % 3);
    else if (type == BS_AUTORADIOBUTTON) {
        SetCheck(BST_CHECKED);
        if (CWnd* parent = GetParent())
            for (CWnd* w = parent->GetNextDlgGroupItem(this); w && w != this; w = parent->GetNextDlgGroupItem(w))
                if (auto* b = dynamic_cast<CButton*>(w); b && TypeOf(b->GetStyle()) == BS_AUTORADIOBUTTON)
                    b->SetCheck(BST_UNCHECKED);
    }
    NotifyParent(BN_CLICKED);
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintButton();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press();
        return 0;
    case WM_MOUSEMOVE:
        if (m_bTracking) {
            CRect rc;
            GetClientRect(&rc);
            SetPushed(rc.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))));
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_bTracking) {
            CRect rc;
            GetClientRect(&rc);
            m_bPushed = rc.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            Release(true);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !m_bTracking) {
            m_bTracking = true;
            SetPushed(true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_bTracking)
            Release(true);
        return 0;
    case WM_CAPTURECHANGED:
        if (m_bTracking && reinterpret_cast<HWND>(lParam) != m_hWnd)
            Release(false);
        return 0;
    case WM_KILLFOCUS:
        if (m_bTracking)
            Release(false);
        Invalidate(FALSE);
        return 0;
    case WM_SETFOCUS:
    case WM_ENABLE:
        Invalidate(FALSE);
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        Invalidate(FALSE);
        return r;
    }
    case BM_GETCHECK:
        return m_nCheck;
    case BM_SETCHECK: {
        const DWORD type = TypeOf(GetStyle());
        const int check = int(wParam) & 3;
        // Only buttons with a check state keep one.
        const int next = IsCheckType(type) || IsRadioType(type) || type == BS_OWNERDRAW ? check : BST_UNCHECKED;
        if (next != m_nCheck) {
            m_nCheck = next;
            Invalidate(FALSE);
        }
        return 0;
    }
    case BM_GETSTATE:
        return LRESULT(GetState());
    case BM_SETSTATE:
        SetPushed(wParam != 0);
        return 0;
    case BM_SETSTYLE:
        ModifyStyle(BS_TYPEMASK, DWORD(wParam) & BS_TYPEMASK);
        if (lParam)
            Invalidate();
        return 0;
    case BM_CLICK:
        Click();
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CButton::PaintButton()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CWnd* parent = GetParent();
    if (TypeOf(GetStyle()) != BS_OWNERDRAW) {
        DrawSystemButton(dc, rc);
        return;
    }
    const UINT id = UINT(GetDlgCtrlID());
    UINT state = 0;
    if (!IsWindowEnabled())
        state |= ODS_DISABLED;
    if (GetFocus() == this)
        state |= ODS_FOCUS;
    if (m_bPushed)
        state |= ODS_SELECTED;
    // The item context starts with the button's font, as the system's does.
    if (GetFont())
        dc.SelectObject(GetFont());
    DRAWITEMSTRUCT dis{ODT_BUTTON, id, 0, ODA_DRAWENTIRE, state, m_hWnd, dc.GetSafeHdc(), rc, 0};
    const HWND self = m_hWnd;
    if (parent) {
        parent->SendMessage(WM_CTLCOLORBTN, WPARAM(dc.GetSafeHdc()), LPARAM(self));
        if (IsWindow(self))
            parent->SendMessage(WM_DRAWITEM, id, LPARAM(&dis));
    } else {
        CtlColor(&dc, CTLCOLOR_BTN);
        DrawItem(&dis);
    }
}

void CButton::DrawSystemButton(CDC& dc, const CRect& rc)
{
    const DWORD style = GetStyle();
    const DWORD type = TypeOf(style);
    const bool enabled = IsWindowEnabled();
    CString caption;
    GetWindowText(caption);
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    CWnd* parent = GetParent();

    if (!IsCheckType(type) && !IsRadioType(type) && type != BS_GROUPBOX) {
        // Push button: raised face, sunken while pushed.
        if (parent)
            parent->SendMessage(WM_CTLCOLORBTN, WPARAM(dc.GetSafeHdc()), LPARAM(m_hWnd));
        dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
        if (m_bPushed)
            dc.Draw3dRect(rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            dc.Draw3dRect(rc, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        CRect text = rc;
        text.DeflateRect(4, 2);
        if (m_bPushed)
            text.OffsetRect(1, 1);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        dc.DrawText(caption, &text, CaptionFormat(style, DT_CENTER));
        if (oldFont)
            dc.SelectObject(oldFont);
        return;
    }

    // Check box, radio button, group box: the parent chooses the background and text colour.
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(parent->SendMessage(
                                WM_CTLCOLORSTATIC, WPARAM(dc.GetSafeHdc()), LPARAM(m_hWnd)))
                          : nullptr;
    if (!brush) {
        dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
        dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    } else if (brush != reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH))) {
        CBrush tmp;
        if (tmp.Attach(reinterpret_cast<HGDIOBJ>(brush))) {
            dc.FillRect(&rc, &tmp);
            tmp.Detach();
        }
    }
    if (!enabled)
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    if (type == BS_GROUPBOX) {
        CRect frame = rc;
        frame.top += 7;
        dc.Draw3dRect(frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect text(rc.left + 8, rc.top, rc.right - 8, rc.top + 16);
        dc.DrawText(caption, &text, DT_SINGLELINE | DT_LEFT | DT_TOP);
    } else {
        const int box = 13;
        const int top = rc.top + (rc.Height() - box) / 2;
        CRect mark(rc.left, top, rc.left + box, top + box);
        const COLORREF ink = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
        CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        CBrush face(GetSysColor(m_bPushed ? COLOR_BTNFACE : COLOR_WINDOW));
        CPen* oldPen = dc.SelectObject(&pen);
        CBrush* oldBrush = dc.SelectObject(&face);
        if (IsRadioType(type)) {
            dc.Ellipse(&mark);
            if (m_nCheck) {
                CBrush dot(ink);
                CPen none(PS_NULL, 0, 0);
                dc.SelectObject(&dot);
                dc.SelectObject(&none);
                dc.Ellipse(mark.left + 4, mark.top + 4, mark.right - 3, mark.bottom - 3);
            }
        } else {
            dc.Rectangle(&mark);
            if (m_nCheck) {
                CPen tick(PS_SOLID, 2, ink);
                dc.SelectObject(&tick);
                dc.MoveTo(mark.left + 3, mark.top + 6);
                dc.LineTo(mark.left + 5, mark.top + 9);
                dc.LineTo(mark.left + 10, mark.top + 3);
            }
        }
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
        CRect text(rc.left + box + 4, rc.top, rc.right, rc.bottom);
        dc.DrawText(caption, &text, CaptionFormat(style, DT_LEFT));
    }
    if (oldFont)
        dc.SelectObject(oldFont);
}
