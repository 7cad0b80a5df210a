#include "CSLamp.h"

#include "CWindowDC.h"

namespace {
constexpr COLORREF kLevelLit = RGB(0, 200, 51);
constexpr COLORREF kAmberLit = RGB(255, 204, 74);
constexpr COLORREF kOrangeLit = RGB(255, 127, 39);
constexpr COLORREF kRedLit = RGB(237, 0, 0);
constexpr COLORREF kUnlit = RGB(102, 102, 102);
constexpr COLORREF kBack = RGB(127, 127, 127);
}  // namespace

CSLamp::CSLamp()
{
    for (int i = 0; i < kSegments; ++i)
        m_bLit[i] = m_bPainted[i] = TRUE;
}

void CSLamp::CalcLayout()
{
    GetClientRect(&m_rcClient);
    m_nSegWidth = m_rcClient.Width() / 13;
    m_nSegHeight = m_rcClient.bottom;
    m_rcSeg = CRect(m_rcClient.left, m_rcClient.top, m_rcClient.left + m_nSegWidth, m_rcClient.top + m_nSegHeight);
}

void CSLamp::LevelToLit(BYTE status, BOOL lit[kSegments])
{
    lit[11] = (status & 0x10) != 0;
    lit[10] = (status & 0x20) != 0;
    lit[9] = (status & 0x40) != 0;
    const int n = status & 0x0F;
    if (n <= 9)
        for (int i = 0; i < 9; ++i)
            lit[i] = i < n;
}

void CSLamp::SetLevel(BYTE status)
{
    LevelToLit(status, m_bLit);
    for (int i = 0; i < kSegments; ++i) {
        if (m_bLit[i] != m_bPainted[i]) {
            m_bPending = TRUE;
            m_bPainted[i] = m_bLit[i];
        }
    }
    if (!m_bPending)
        return;
    Invalidate(FALSE);
    UpdateWindow();
    m_bPending = FALSE;
}

void CSLamp::Clear()
{
    for (int i = 0; i < kSegments; ++i)
        m_bLit[i] = m_bPainted[i] = FALSE;
    m_bPending = TRUE;
    Invalidate(FALSE);
    UpdateWindow();
}

COLORREF CSLamp::SegmentColor(int nSegment) const
{
    if (!m_bLit[nSegment])
        return kUnlit;
    switch (nSegment) {
    case 9: return kAmberLit;
    case 10: return kOrangeLit;
    case 11: return kRedLit;
    default: return kLevelLit;
    }
}

void CSLamp::Paint(CDC* pDC, const CRect& rc)
{
    pDC->FillSolidRect(rc, kBack);
    CRect seg = m_rcSeg;
    for (int i = 0; i < kSegments; ++i) {
        CRect r = seg;
        r.top += 1;
        pDC->FillSolidRect(r, SegmentColor(i));
        seg.OffsetRect(m_nSegWidth + 1, 0);
    }
}

void CSLamp::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Paint(&dc, rc);
}
