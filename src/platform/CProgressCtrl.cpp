#include "CProgressCtrl.h"

#include "CWindowDC.h"
#include "WinApi.h"

#include <algorithm>

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("msctls_progress32", "", dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_nLower;
    nUpper = m_nUpper;
}

int CProgressCtrl::Hold(long long v) const
{
    return int(v < m_nLower ? m_nLower : v > m_nUpper ? m_nUpper : v);
}

LRESULT CProgressCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int old = m_nPos;
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        const LRESULT prev = MAKELPARAM(m_nLower, m_nUpper);
        if (message == PBM_SETRANGE) {
            m_nLower = short(LOWORD(uintptr_t(lParam)));
            m_nUpper = short(HIWORD(uintptr_t(lParam)));
        } else {
            m_nLower = int(intptr_t(wParam));
            m_nUpper = int(lParam);
        }
        m_nPos = Hold(m_nPos);
        Invalidate();
        return prev;
    }
    case PBM_SETPOS:
        m_nPos = Hold(int(intptr_t(wParam)));
        Invalidate();
        return old;
    case PBM_DELTAPOS:
        m_nPos = Hold((long long)m_nPos + int(intptr_t(wParam)));
        Invalidate();
        return old;
    case PBM_SETSTEP: {
        const int prev = m_nStep;
        m_nStep = int(intptr_t(wParam));
        return prev;
    }
    case PBM_STEPIT: {
        const long long next = (long long)m_nPos + m_nStep;
        m_nPos = next > m_nUpper ? m_nLower + int(next - m_nUpper) % std::max(1, m_nUpper - m_nLower) : Hold(next);
        Invalidate();
        return old;
    }
    case PBM_GETRANGE:
        return wParam ? m_nLower : m_nUpper;
    case PBM_GETPOS:
        return m_nPos;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CProgressCtrl::Paint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    const int span = m_nUpper - m_nLower;
    if (span <= 0)
        return;
    CRect bar = rc;
    bar.DeflateRect(1, 1);
    const double part = double(m_nPos - m_nLower) / span;
    if (GetStyle() & PBS_VERTICAL)
        bar.top = bar.bottom - int(bar.Height() * part);
    else
        bar.right = bar.left + int(bar.Width() * part);
    if (!bar.IsRectEmpty())
        dc.FillSolidRect(bar, GetSysColor(COLOR_HIGHLIGHT));
}
