#include "ChannelCurve.h"

#include "Convert.h"

void CChannelCurve::SetRect(const CRect& rc)
{
    m_nWidth = rc.Width() > 0 ? rc.Width() : 0;
    m_nHeight = rc.Height() > 0 ? rc.Height() : 0;
    for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
        m_pt[i].x = FreqToX(g_dFreqGrid[i], m_nWidth) + GRAPH_PLOT_LEFT;
        m_pt[i].y = m_nHeight / 2;
    }
    SetFloatX();
}

void CChannelCurve::SetFloatX()
{
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        m_ptf[i].x = float(FreqToXExact(g_dFreqGrid[i], m_nWidth) + GRAPH_PLOT_LEFT);
}

void CChannelCurve::CopyY(const CKTVEQ& eq, bool bInt, bool bFloat)
{
    const CPoint* pt = eq.GetCurve();
    const CurvePointF* ptf = eq.GetFloatCurve();
    for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
        if (bInt)
            m_pt[i].y = pt[i].y;
        if (bFloat)
            m_ptf[i].y = ptf[i].y;
    }
}
