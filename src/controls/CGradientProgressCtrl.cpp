#include "CGradientProgressCtrl.h"

#include "CMyMemDC.h"
#include "CWindowDC.h"
#include "Convert.h"
#include "NumText.h"
#include "WinApi.h"

#include <algorithm>
#include <cstdlib>

CGradientProgressCtrl::CGradientProgressCtrl() : m_clrBkGround(GetSysColor(COLOR_BTNFACE)) {}

void CGradientProgressCtrl::SetBkColor(COLORREF clr)
{
    m_clrBkGround = clr;
    if (GetSafeHwnd())
        Invalidate();
}

void CGradientProgressCtrl::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    m_nPos = nLower;
    if (m_hWnd)
        CProgressCtrl::SetRange32(nLower, nUpper);
}

int CGradientProgressCtrl::SetPos(int nPos)
{
    const int old = m_nPos;
    m_nPos = std::min(nPos, m_nUpper);
    if (m_hWnd)
        PostMessage(PBM_SETPOS, WPARAM(m_nPos));
    return old;
}

void CGradientProgressCtrl::SetStep(int nStep)
{
    m_nStep = nStep;
    if (m_hWnd)
        CProgressCtrl::SetStep(nStep);
}

int CGradientProgressCtrl::StepIt()
{
    const int old = m_nPos;
    m_nPos += m_nStep;
    if (m_hWnd)
        CProgressCtrl::StepIt();
    return old;
}

LRESULT CGradientProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == GPM_LINKPOS) {
        SetPos(int(intptr_t(wParam)));
        return 0;
    }
    return CProgressCtrl::WindowProc(message, wParam, lParam);
}

HBRUSH CGradientProgressCtrl::CtlColor(CDC*, UINT) { return nullptr; }

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CGradientProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

std::vector<GradientStripe> CGradientProgressCtrl::Stripes(COLORREF clrStart, COLORREF clrEnd, int nLength,
                                                           int nFilled, int* pBackgroundFrom)
{
    std::vector<GradientStripe> out;
    const int r0 = GetRValue(clrStart), g0 = GetGValue(clrStart), b0 = GetBValue(clrStart);
    const int dr = GetRValue(clrEnd) - r0, dg = GetGValue(clrEnd) - g0, db = GetBValue(clrEnd) - b0;
    // One stripe per colour step; equal colours make one stripe, not a division by zero.
    const int steps = std::max({std::abs(dr), std::abs(dg), std::abs(db), 1});
    const double len = double(nLength) / steps;
    const double ir = double(dr) / steps, ig = double(dg) / steps, ib = double(db) / steps;
    int background = nLength;
    for (int i = 0; i < steps; ++i) {
        const int from = TruncToInt(i * len);
        int to = TruncToInt((i + 1) * len);
        if (i == steps - 1 && to <= nFilled)
            to = nLength;  // a full bar ends on its last pixel
        const COLORREF clr = RGB(TruncToInt(r0 + i * ir) & 0xFF, TruncToInt(g0 + i * ig) & 0xFF,
                                 TruncToInt(b0 + i * ib) & 0xFF);
        out.push_back(GradientStripe{from, to, clr});
        if (to > nFilled) {
            background = to;
            break;
        }
    }
    if (pBackgroundFrom)
        *pBackgroundFrom = background;
    return out;
}

CString CGradientProgressCtrl::PercentText(int nPos, int nLower, int nUpper)
{
    const float value = float(nPos - nLower) * 100 / float(nUpper - nLower);
    CString number = NumText::FormatFixed(value, nPos == nUpper ? 0 : 2);
    if (number.size() < 3)
        number.insert(0, 3 - number.size(), ' ');
    return number + " %";
}

void CGradientProgressCtrl::Paint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    // Nothing filled (a position at or below the lower bound, above the upper one, or a range
    // that has no length) shows the background only.
    if (m_nPos <= m_nLower || m_nPos > m_nUpper || m_nUpper <= 0) {
        CRect all = rc;
        all.InflateRect(2, 2);
        CBrush brush(m_clrBkGround);
        pDC->FillRect(&all, &brush);
        return;
    }
    const bool vertical = (GetStyle() & PBS_VERTICAL) != 0;
    const int length = vertical ? rc.Height() : rc.Width();
    const int across = vertical ? rc.Width() : rc.Height();
    const int filled = TruncToInt(double(m_nPos) / m_nUpper * length);
    CMyMemDC mem(pDC);
    int background = length;
    for (const GradientStripe& s : Stripes(m_clrStart, m_clrEnd, length, filled, &background)) {
        const CRect stripe = vertical ? CRect(0, s.nFrom, across + 1, s.nTo) : CRect(s.nFrom, 0, s.nTo, across + 1);
        CBrush brush(s.clr);
        mem.FillRect(&stripe, &brush);
    }
    if (background < length) {
        const CRect rest = vertical ? CRect(0, background, rc.right, rc.bottom) : CRect(background, 0, rc.right, rc.bottom);
        CBrush brush(m_clrBkGround);
        mem.FillRect(&rest, &brush);
    }
    if (m_bShowPercent) {
        CFont* oldFont = GetFont() ? mem.SelectObject(GetFont()) : nullptr;
        mem.SetTextColor(m_clrText);
        mem.SetBkMode(TRANSPARENT);
        CRect text = rc;
        mem.DrawText(PercentText(m_nPos, m_nLower, m_nUpper), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (oldFont)
            mem.SelectObject(oldFont);
    }
}

CGradientProgressLink::CGradientProgressLink(CGradientProgressCtrl* pBar)
    : m_pBar(pBar), m_hBar(pBar ? pBar->GetSafeHwnd() : nullptr), m_nPos(pBar ? pBar->GetPos() : 0),
      m_nUpper(pBar ? pBar->GetRangeUpper() : 0)
{
}

void CGradientProgressLink::SetRange(int nLower, int nUpper)
{
    if (m_pBar)
        m_pBar->SetRange(nLower, nUpper);
    m_nUpper.store(nUpper);
    m_nPos.store(nLower);
}

void CGradientProgressLink::SetPos(int nPos)
{
    const int pos = std::min(nPos, m_nUpper.load());
    m_nPos.store(pos);
    ::PostMessage(m_hBar, GPM_LINKPOS, WPARAM(pos), 0);
}
