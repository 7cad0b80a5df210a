#include "CSpinButtonCtrl.h"

#include "CWindowDC.h"
#include "WinApi.h"

#include <algorithm>
#include <string>

namespace {

constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;

// A small filled triangle pointing up (+1) or down (-1), or right / left when horizontal.
void DrawArrow(CDC& dc, const CRect& rc, int nDir, bool bHorz, COLORREF clr)
{
    const CPoint c = rc.CenterPoint();
    CPoint pts[3];
    if (bHorz) {
        const int dx = nDir > 0 ? 2 : -2;
        pts[0] = CPoint(c.x - dx, c.y - 3);
        pts[1] = CPoint(c.x - dx, c.y + 3);
        pts[2] = CPoint(c.x + dx, c.y);
    } else {
        const int dy = nDir > 0 ? -2 : 2;
        pts[0] = CPoint(c.x - 3, c.y - dy);
        pts[1] = CPoint(c.x + 3, c.y - dy);
        pts[2] = CPoint(c.x, c.y + dy);
    }
    CPen pen(PS_SOLID, 1, clr);
    CBrush brush(clr);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Polygon(pts, 3);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

}  // namespace

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("msctls_updown32", "", dwStyle, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    CWnd* old = m_pBuddy;
    m_pBuddy = pWndBuddy;
    return old;
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
}

void CSpinButtonCtrl::GetRange32(int& nLower, int& nUpper) const
{
    nLower = m_nLower;
    nUpper = m_nUpper;
}

int CSpinButtonCtrl::SetPos32(int nPos)
{
    const int old = m_nPos;
    const int lo = std::min(m_nLower, m_nUpper);
    const int hi = std::max(m_nLower, m_nUpper);
    m_nPos = nPos < lo ? lo : nPos > hi ? hi : nPos;
    return old;
}

int CSpinButtonCtrl::ArrowAt(CPoint point) const
{
    CRect rc;
    GetClientRect(&rc);
    if (!rc.PtInRect(point))
        return 0;
    if (GetStyle() & UDS_HORZ)
        return point.x >= rc.left + rc.Width() / 2 ? 1 : -1;
    return point.y < rc.top + rc.Height() / 2 ? 1 : -1;
}

bool CSpinButtonCtrl::Step(int nArrow)
{
    // The upper arrow moves towards the upper end, whichever way round the range is.
    NMUPDOWN nm{};
    nm.iPos = m_nPos;
    nm.iDelta = m_nLower <= m_nUpper ? nArrow : -nArrow;
    if (SendNotify(this, &nm.hdr, UDN_DELTAPOS) != 0 || !m_hWnd)
        return false;
    const int lo = std::min(m_nLower, m_nUpper);
    const int hi = std::max(m_nLower, m_nUpper);
    long long next = (long long)m_nPos + nm.iDelta;
    if (GetStyle() & UDS_WRAP)
        next = next > hi ? lo : next < lo ? hi : next;
    else
        next = next > hi ? hi : next < lo ? lo : next;
    m_nPos = int(next);
    if ((GetStyle() & UDS_SETBUDDYINT) && m_pBuddy && m_pBuddy->GetSafeHwnd())
        m_pBuddy->SetWindowText(std::to_string(m_nPos));
    Scroll(SB_THUMBPOSITION);
    return true;
}

void CSpinButtonCtrl::Scroll(UINT nCode)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage((GetStyle() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL,
                            MAKEWPARAM(WORD(nCode), WORD(short(m_nPos))), LPARAM(m_hWnd));
}

void CSpinButtonCtrl::EndPress()
{
    if (!m_nHeld)
        return;
    m_nHeld = 0;
    m_bRepeating = false;
    KillTimer(UD_REPEAT_TIMER);
    Invalidate(FALSE);
    Scroll(SB_ENDSCROLL);
}

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int arrow = ArrowAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (!arrow || !IsWindowEnabled())
            return 0;
        SetCapture();
        m_nHeld = arrow;
        m_bRepeating = false;
        Invalidate(FALSE);
        SetTimer(UD_REPEAT_TIMER, kFirstRepeatMs);
        Step(arrow);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == this)
            ReleaseCapture();
        EndPress();
        return 0;
    case WM_CAPTURECHANGED:
        EndPress();
        return 0;
    case WM_TIMER:
        if (wParam != UD_REPEAT_TIMER || !m_nHeld)
            return 0;
        if (!m_bRepeating) {
            m_bRepeating = true;
            SetTimer(UD_REPEAT_TIMER, kRepeatMs);
        }
        {
            // Steps only while the pointer stays on the arrow that was pressed.
            CPoint pt;
            GetCursorPos(&pt);
            ScreenToClient(&pt);
            if (ArrowAt(pt) == m_nHeld)
                Step(m_nHeld);
        }
        return 0;
    case WM_MOUSEWHEEL: {
        const short delta = short(HIWORD(wParam));
        if (!IsWindowEnabled() || delta == 0)
            return 0;
        for (int n = delta / 120; n != 0 && m_hWnd; n += n > 0 ? -1 : 1)
            Step(n > 0 ? 1 : -1);
        return TRUE;
    }
    case WM_ENABLE:
        Invalidate(FALSE);
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CSpinButtonCtrl::Paint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const bool horz = (GetStyle() & UDS_HORZ) != 0;
    CRect halves[2] = {rc, rc};  // [0] the upper (right) arrow, [1] the lower (left) one
    if (horz) {
        halves[0].left = rc.left + rc.Width() / 2;
        halves[1].right = halves[0].left;
    } else {
        halves[0].bottom = rc.top + rc.Height() / 2;
        halves[1].top = halves[0].bottom;
    }
    const COLORREF arrow = GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int i = 0; i < 2; ++i) {
        const int dir = i == 0 ? 1 : -1;
        const bool pushed = m_nHeld == dir;
        dc.FillSolidRect(halves[i], GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(halves[i], GetSysColor(pushed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT),
                      GetSysColor(pushed ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW));
        CRect inner = halves[i];
        if (pushed)
            inner.OffsetRect(1, 1);
        DrawArrow(dc, inner, dir, horz, arrow);
    }
}
