// CFilter on the response graph: curve polygon, drag handles, label, and the drag rules.
//
// Plot coordinates come from FreqToX / DbToY (20 Hz at x 0, +12 dB at y 0); every stored
// rectangle and point is in graph coordinates, the plot shifted by GRAPH_PLOT_LEFT and
// GRAPH_PLOT_TOP. Handles are 16 x 16 pixels, bandwidth handles 8 x 8.
#include "CFilter.h"

#include "Convert.h"
#include "Globals.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kHandle = 16;
constexpr int kHalfHandle = 8;
constexpr int kHalfBwHandle = 4;
constexpr double kCrossoverRowDb = -7.0;  // crossover handles sit on the -7 dB row
constexpr double kMaxDragGain = 12.0;
constexpr double kMinBandwidth = 0.05;
constexpr double kMaxBandwidth = 3.0;

CString FormatGainPart(const CFilter& f)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", f.IsBypassed() ? 0.0 : f.GetGain());
    return CString(buf) + "dB";
}

CString FormatHz(int nHz)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%dHz ", nHz);
    return buf;
}

CRect SquareAround(int cx, int cy, int nHalf)
{
    return CRect(cx - nHalf, cy - nHalf, cx + nHalf, cy + nHalf);
}

}  // namespace

void CFilter::PlaceHandles()
{
    if (m_nCurveMode == 1)
        CalcHandleAndLabelRects();
    else if (m_nCurveMode == 0)
        CalcHandleRect();
}

void CFilter::SetCurveRect(const CRect& rc)
{
    m_nGraphWidth = rc.Width() > 0 ? rc.Width() : 0;
    m_nGraphHeight = rc.Height() > 0 ? rc.Height() : 0;
    PlaceHandles();
    const int yZero = DbToY(0, m_nGraphHeight) + GRAPH_PLOT_TOP;
    m_ptCurve[0] = CPoint(GRAPH_PLOT_LEFT, yZero);
    m_ptCurve[CURVE_POLYGON_POINTS - 1] = CPoint(m_nGraphWidth + GRAPH_PLOT_LEFT, yZero);
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        m_ptCurve[i + 1].x = FreqToX(g_dFreqGrid[i], m_nGraphWidth) + GRAPH_PLOT_LEFT;
    CalcResponse();
}

void CFilter::CalcHandleRect()
{
    const int w = m_nGraphWidth;
    int left = FreqToX(m_nFreq, w) - kHalfHandle;
    const int top = DbToY(kCrossoverRowDb, m_nGraphHeight);
    if (left < -kHalfHandle)
        left = -kHalfHandle;
    int right = left + kHandle;
    if (right > w + kHalfHandle) {
        right = w + kHalfHandle;
        left = right - kHandle;
    }
    m_rcHandle = CRect(left + GRAPH_PLOT_LEFT, top + GRAPH_PLOT_TOP, right + GRAPH_PLOT_LEFT,
                       top + kHandle + GRAPH_PLOT_TOP);
    if (m_nType != FILTER_HIGH_PASS && m_nType != FILTER_LOW_PASS)
        return;
    const CRect& hr = m_rcHandle;
    m_rcLabel.top = hr.top - 15;
    if (hr.right + 50 > w + GRAPH_PLOT_LEFT) {
        m_rcLabel.right = w + GRAPH_PLOT_LEFT;
        m_rcLabel.left = m_rcLabel.right - 66;
    } else {
        m_rcLabel.left = hr.left;
        m_rcLabel.right = hr.right + 50;
    }
    m_rcLabel.bottom = hr.bottom + (m_nType == FILTER_HIGH_PASS ? 25 : 20);
}

void CFilter::CalcHandleAndLabelRects()
{
    const int w = m_nGraphWidth;
    const int h = m_nGraphHeight;
    const double g = IsBypassed() ? 0.0 : m_dGain;
    int left = FreqToX(m_nFreq, w) - kHalfHandle;
    int top = DbToY(g, h) - kHalfHandle;
    if (left < -kHalfHandle)
        left = -kHalfHandle;
    if (top <= 0)
        top = 0;
    // Bands from the tenth on never hang over the plot's left edge.
    if (left <= 0 && m_nBandIndex >= 9)
        left = 0;
    int right = left + kHandle;
    int bottom = top + kHandle;
    if (right > w) {
        right = w;
        left = w - kHandle;
    }
    if (bottom > h) {
        bottom = h;
        top = h - kHandle;
    }
    m_rcHandle = CRect(left + GRAPH_PLOT_LEFT, top + GRAPH_PLOT_TOP, right + GRAPH_PLOT_LEFT,
                       bottom + GRAPH_PLOT_TOP);

    const CRect& hr = m_rcHandle;
    const int wg = w + GRAPH_PLOT_LEFT;
    CRect& lr = m_rcLabel;
    switch (m_nType) {
    case FILTER_PEQ:
        if (m_bFreqLock) {
            if (hr.right + 20 > wg) {
                lr.right = wg;
                lr.left = wg - 50;
            } else if (hr.left - 20 < GRAPH_PLOT_LEFT) {
                lr.left = GRAPH_PLOT_LEFT;
                lr.right = 86;
            } else {
                lr.left = hr.left - 25;
                lr.right = hr.right + 25;
            }
        } else if (hr.right + 80 > wg) {
            lr.right = wg;
            lr.left = wg - 160;
        } else if (hr.left - 60 < GRAPH_PLOT_LEFT) {
            lr.left = GRAPH_PLOT_LEFT;
            lr.right = 176;
        } else {
            lr.left = hr.left - 80;
            lr.right = hr.right + 80;
        }
        break;
    case FILTER_LOW_SHELF:
    case FILTER_HIGH_SHELF:
        if (hr.right + 110 > wg) {
            lr.right = wg;
            lr.left = wg - 116;
        } else {
            lr.left = hr.left;
            lr.right = hr.right + 90;
        }
        break;
    default:
        lr = CRect();
        CalcBandwidthHandles();
        return;
    }
    if (hr.bottom >= h - 15) {
        // Near the plot bottom the label goes above the handle.
        lr.top = hr.top - 25;
        lr.bottom = hr.bottom - 25;
    } else {
        lr.top = hr.top + 25;
        lr.bottom = hr.bottom + 25;
    }
    CalcBandwidthHandles();
}

void CFilter::CalcBandwidthHandles()
{
    const CPoint centre = m_rcHandle.CenterPoint();
    const int cy = centre.y + (m_dGain >= 0 ? 10 : -10);
    // Drawn within the bandwidth range the device knows, whatever was stored.
    double bw = m_dBandwidth;
    if (!(bw >= kMinBandwidth))
        bw = kMinBandwidth;
    if (bw > kMaxBandwidth)
        bw = kMaxBandwidth;
    const double edge = std::pow(2.0, bw / 2);
    const int upperHz = TruncToInt(m_nFreq * edge);
    m_rcBwRight = SquareAround(FreqToX(upperHz, m_nGraphWidth) + 50, cy, kHalfBwHandle);
    m_rcBwLeft = SquareAround(FreqToX(m_nFreq / edge, m_nGraphWidth) + 30, cy, kHalfBwHandle);
}

CString CFilter::UpdateLabelText()
{
    switch (m_nType) {
    case FILTER_PEQ:
        if (m_bFreqLock) {
            m_strLabel = FormatGainPart(*this);
        } else {
            const double q = BandwidthIndexToQ(GetBandwidthIndex());
            char buf[32];
            std::snprintf(buf, sizeof buf, q > 10 ? "%.2f" : "%.3f", q);
            m_strLabel = FormatHz(m_nFreq) + buf + "Q " + FormatGainPart(*this);
        }
        break;
    case FILTER_LOW_SHELF:
        m_strLabel = "Lo " + FormatHz(m_nFreq) + GetShelfSlopeText() + " " + FormatGainPart(*this);
        break;
    case FILTER_HIGH_SHELF:
        m_strLabel = "Hi " + FormatHz(m_nFreq) + GetShelfSlopeText() + " " + FormatGainPart(*this);
        break;
    default:
        if (m_nSlope == FILTER_SLOPE_OFF)
            m_strLabel = g_bChinese ? "关闭" : "OFF";
        else
            m_strLabel = FormatHz(m_nFreq);
        break;
    }
    return m_strLabel;
}

void CFilter::BeginDrag(CPoint pt)
{
    const CPoint centre = m_rcHandle.CenterPoint();
    m_ptDragAnchor = CPoint(pt.x - centre.x, pt.y - centre.y);
}

void CFilter::GetDragOffset(CPoint pt)
{
    if (m_bLeftEdgeDrag)
        m_nLeftEdgeOffset = pt.x - m_rcBwLeft.right;
    if (m_bRightEdgeDrag)
        m_nRightEdgeOffset = pt.x - m_rcBwRight.left;
}

BOOL CFilter::DragHandle(CPoint pt)
{
    if (m_nType == FILTER_HIGH_PASS || m_nType == FILTER_LOW_PASS)
        return 0;
    const int w = m_nGraphWidth;
    const int h = m_nGraphHeight;
    int x = pt.x - m_ptDragAnchor.x - GRAPH_PLOT_LEFT;
    int y = pt.y - m_ptDragAnchor.y - GRAPH_PLOT_TOP;
    x = x < 0 ? 0 : (x > w ? w : x);
    y = y < 0 ? 0 : (y > h ? h : y);

    const int nOldFreq = m_nFreq;
    const int nOldGainIndex = GetGainIndex();
    if (!m_bFreqLock)
        m_nFreq = XToFreq(x, w);  // the reference follows in SetFreq below
    double gain = YToDb(y, h);
    if (gain > kMaxDragGain)
        gain = kMaxDragGain;
    if (gain < -kMaxDragGain)
        gain = -kMaxDragGain;
    m_dGain = gain;
    if (gain == 0.0) {
        m_bBypass = 1;
    } else {
        m_bBypass = 0;
        m_bMute = 0;
    }
    BOOL bChanged = m_nFreq != nOldFreq || GetGainIndex() != nOldGainIndex;
    // At the top edge every move counts as a change.
    if (y == 0)
        bChanged = 1;
    if (bChanged)
        SetFreq(m_nFreq, 1);
    if ((m_nType == FILTER_LOW_SHELF && m_nFreq > 2000) || (m_nType == FILTER_HIGH_SHELF && m_nFreq < 2000))
        SetFreq(2000, 1);
    const int nGainIndex = GetGainIndex();
    m_dGain = nGainIndex * 0.1 - 20;  // snap to the 0.1 dB grid
    if (m_pLinkedCtrl)
        m_pLinkedCtrl->SetValue(nGainIndex);
    CalcHandleAndLabelRects();
    CalcBandwidthHandles();
    CalcResponse();
    return bChanged;
}

BOOL CFilter::DragBandwidth(CPoint pt)
{
    const int x = pt.x - GRAPH_PLOT_LEFT;
    double bw;
    if (m_bLeftEdgeDrag)
        bw = 2 * std::log2(double(m_nFreq) / XToFreq(x, m_nGraphWidth));
    else if (m_bRightEdgeDrag)
        bw = 2 * std::log2(double(XToFreq(x, m_nGraphWidth)) / m_nFreq);
    else
        return 1;
    // A frequency that is not positive gives no ratio: hold it at the narrow end.
    if (!(bw >= kMinBandwidth))
        bw = kMinBandwidth;
    if (bw > kMaxBandwidth)
        bw = kMaxBandwidth;
    m_dBandwidth = bw;
    SetBandwidthIndexDrag(GetBandwidthIndex());
    return 1;
}

BOOL CFilter::DragCrossover(CPoint pt, int nPartnerHz, bool bOffAtLeftEdge, bool bTweeterRule)
{
    int x = pt.x - m_ptDragAnchor.x - GRAPH_PLOT_LEFT;
    if (x <= 0 && bOffAtLeftEdge) {
        x = 0;
        if (m_nType == FILTER_HIGH_PASS) {
            // Dragged off the left edge: the high-pass is switched off.
            SetFreq(20, 1);
            SetFlatResponse();
            CalcHandleRect();
            return 1;
        }
    }
    if (x >= m_nGraphWidth)
        x = m_nGraphWidth;
    const int f = XToFreq(x, m_nGraphWidth);
    if (f == m_nFreq)
        return 0;
    if (m_nType == FILTER_HIGH_PASS) {
        int nHz = f < nPartnerHz ? f : nPartnerHz;  // never above the low-pass
        if (bTweeterRule && f > nPartnerHz)
            nHz = f > 19999 ? 20000 : nPartnerHz;
        SetFreq(nHz, 1);
        return 1;
    }
    if (m_nType == FILTER_LOW_PASS) {
        const int nHz = f < nPartnerHz ? nPartnerHz : f;  // never below the high-pass
        SetFreq(nHz, 1);
        CalcHandleRect();
        if (nHz == 20000)
            SetFlatResponse();  // dragged to the right edge: the low-pass is off
        else
            CalcResponse();
        return 1;
    }
    return 0;
}

BOOL CFilter::OnMouseDrag(CPoint pt, int nPartnerHz)
{
    switch (m_nSlotIndex) {
    case 9: return DragCrossoverKind9(pt, nPartnerHz);
    case 10: return DragCrossoverKind10(pt, nPartnerHz);
    case 11: return DragCrossoverKind11(pt, nPartnerHz);
    default: return DragCrossover(pt, nPartnerHz, true, false);
    }
}

BOOL CFilter::DragCrossoverKind9(CPoint pt, int nPartnerHz)
{
    // XToFreq already holds the frequency within 20..20000 Hz.
    return DragCrossover(pt, nPartnerHz, true, false);
}

BOOL CFilter::DragCrossoverKind10(CPoint pt, int nPartnerHz)
{
    return DragCrossover(pt, nPartnerHz, false, false);
}

BOOL CFilter::DragCrossoverKind11(CPoint pt, int nPartnerHz)
{
    return DragCrossover(pt, nPartnerHz, false, true);
}
