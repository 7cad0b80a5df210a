// Drawing of the response graph: axes and labels over the whole client area, then the plot of
// the current mode, all into one off-screen picture so that a drag never flickers.
#include "CFStatic.h"

#include "CFilter.h"
#include "CKTVEQ.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CMusic_InData.h"
#include "CDC.h"
#include "Colours.h"
#include "Convert.h"
#include "GdiObjects.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cstdio>

namespace {

constexpr COLORREF kBack = RGB(56, 55, 55);
constexpr COLORREF kGrid = RGB(90, 89, 89);
constexpr COLORREF kLevelText = RGB(100, 100, 100);
constexpr COLORREF kFreqText = RGB(224, 224, 224);
constexpr COLORREF kHotFillOutput = RGB(39, 36, 36);
constexpr COLORREF kHotFillMusic = RGB(68, 86, 98);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr UINT kWatermarkBitmap = 1047;
constexpr int kMusicLabels = 15;  // music inputs show bands 1..15 only

QColor QColorOfArgb(ARGB c) { return QColor(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF), int(c >> 24)); }

// Anti-aliased drawing clipped to the plot, on the context's own painter.
class PlotPainter {
public:
    PlotPainter(CDC* pDC, const CRect& rcPlot) : m_p(pDC->GetPainter())
    {
        if (!m_p)
            return;
        m_p->save();
        m_p->setRenderHint(QPainter::Antialiasing, true);
        m_p->setClipRect(QRect(rcPlot.left, rcPlot.top, rcPlot.Width(), rcPlot.Height()), Qt::IntersectClip);
        m_p->setBrush(Qt::NoBrush);
    }
    ~PlotPainter()
    {
        if (m_p)
            m_p->restore();
    }
    PlotPainter(const PlotPainter&) = delete;
    PlotPainter& operator=(const PlotPainter&) = delete;

    void Polyline(const CurvePointF* pts, int n, ARGB clr, double dWidth)
    {
        if (!m_p || n < 2)
            return;
        QPolygonF poly;
        poly.reserve(n);
        for (int i = 0; i < n; ++i)
            poly << QPointF(pts[i].x, pts[i].y);
        m_p->setPen(QPen(QColorOfArgb(clr), dWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p->drawPolyline(poly);
    }

    // Cubic segments through the points taken as start, two controls, end (1 + 3k points).
    void Beziers(const CurvePointF* pts, int n, ARGB clr, double dWidth)
    {
        if (!m_p || n < 4)
            return;
        QPainterPath path(QPointF(pts[0].x, pts[0].y));
        for (int i = 1; i + 2 < n; i += 3)
            path.cubicTo(QPointF(pts[i].x, pts[i].y), QPointF(pts[i + 1].x, pts[i + 1].y),
                         QPointF(pts[i + 2].x, pts[i + 2].y));
        m_p->setPen(QPen(QColorOfArgb(clr), dWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p->drawPath(path);
    }

private:
    QPainter* m_p;
};

CString BandLabelOf(const CFilter& f, int nIndex)
{
    switch (f.GetType()) {
    case FILTER_HIGH_PASS: return CString("H");
    case FILTER_LOW_PASS: return CString("L");
    default: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d", nIndex + 1);
        return CString(buf);
    }
    }
}

}  // namespace

void CFStatic::PaintAll(CDC* pDC)
{
    if (!m_bLaidOut)
        InitPlotArea();
    // Straight onto the target: a window's paint already goes to the window system's back
    // buffer, which reaches the screen in one piece, so nothing flickers; a copy through a memory
    // context of our own would only double the cost of every drag step.
    const int saved = pDC->SaveDC();
    DrawGrid(pDC);
    DrawPlot(pDC);
    pDC->RestoreDC(saved);
}

void CFStatic::DrawGrid(CDC* pDC)
{
    CPen pen(PS_SOLID, 1, kBack);
    CBrush brush(kBack);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(&m_rcClient);

    CFont font;
    font.CreatePointFont(85, "Arial");
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkColor(kBack);
    pDC->SetBkMode(OPAQUE);

    pDC->SetTextColor(kLevelText);
    for (int k = 0; k < EqGraphGeometry::kLevelLabels; ++k) {
        const EqGraphGeometry::Label l = EqGraphGeometry::LevelLabel(k, m_rcPlot.Height());
        pDC->TextOut(l.x, m_rcClient.top + l.y, CString(l.pszText));
    }
    pDC->SetTextColor(kFreqText);
    for (int k = 0; k < EqGraphGeometry::kFreqLabels; ++k) {
        const EqGraphGeometry::Label l = EqGraphGeometry::FreqLabel(k, m_rcPlot);
        pDC->TextOut(l.x, l.y, CString(l.pszText));
    }

    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CFStatic::DrawPlot(CDC* pDC)
{
    switch (m_nDrawMode) {
    case kModeEmpty: DrawEmptyGraph(pDC); break;
    case kModeMusic: DrawMusicGraph(pDC); break;
    case kModeOutput: DrawOutputGraph(pDC); break;
    default: break;  // the effect and microphone views are not offered by any page
    }
}

void CFStatic::DrawGridLines(CDC* pDC, double dRowDivisor, int nRows)
{
    CPen pen(PS_SOLID, 1, kGrid);
    CPen* pOld = pDC->SelectObject(&pen);
    for (int k = 1; k < EqGraphGeometry::kGridLines; ++k) {
        pDC->MoveTo(m_nGridX[k], m_rcPlot.top);
        pDC->LineTo(m_nGridX[k], m_rcPlot.bottom);
    }
    const int H = m_rcPlot.Height();
    for (int k = 1; k <= nRows; ++k) {
        const int y = m_rcPlot.top + int(H / dRowDivisor * k);
        pDC->MoveTo(m_rcPlot.left, y);
        pDC->LineTo(m_rcPlot.right, y);
    }
    pDC->SelectObject(pOld);
}

void CFStatic::FillHotPolygon(CDC* pDC, COLORREF clr)
{
    if (!m_pHotFilter)
        return;
    CPen pen(PS_SOLID, 1, clr);
    CBrush brush(clr);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Polygon(m_pHotFilter->GetCurvePolygon(), CURVE_POLYGON_POINTS);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CFStatic::DrawEmptyGraph(CDC* pDC)
{
    CPen pen(PS_SOLID, 1, kWhite);
    CBrush brush(kBlack);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(&m_rcPlot);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
    DrawGridLines(pDC, 12.0, 8);
}

void CFStatic::DrawOutputGraph(CDC* pDC)
{
    if (!m_pEq || !m_pCurOut)
        return;
    CPen pen(PS_SOLID, 1, kGrid);
    CBrush brush(kBack);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(&m_rcPlot);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (m_nSelElement >= 0) {
        m_pHotFilter = m_pEq->GetAt(m_nSelElement);
        m_nHotElement = m_nSelElement;
    } else {
        m_nSelElement = -1;
    }

    CBitmap watermark;
    if (watermark.LoadBitmap(kWatermarkBitmap)) {
        CDC mem;
        mem.CreateCompatibleDC(pDC);
        CBitmap* pOld = mem.SelectObject(&watermark);
        BITMAP bm = {};
        watermark.GetBitmap(&bm);
        const CPoint at = g_bBigCurve ? CPoint(467, 150) : CPoint(310, 51);
        pDC->BitBlt(at.x, at.y, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }

    FillHotPolygon(pDC, kHotFillOutput);
    DrawGridLines(pDC, 8.0, 8);

    m_pCurOut->RecalcCurve();
    DrawOutputCurves(pDC);

    CFont font;
    font.CreatePointFont(90, "Arial");
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    DrawBandLabels(pDC, m_pEq->GetSize() - 1, true);
    DrawHotExtras(pDC, kHotFillOutput);
    pDC->SelectObject(pOldFont);
}

void CFStatic::DrawOutputCurves(CDC* pDC)
{
    PlotPainter p(pDC, m_rcPlot);
    if (m_pScene) {
        for (int i = 0; i < 10; ++i) {
            if (i == m_nCurOutput || !IsOverlayOn(i))
                continue;
            CKTV_OutData* pOut = m_pScene->GetOutData(i);
            if (!pOut)
                continue;
            pOut->RecalcCurve();
            p.Polyline(pOut->GetCurve().GetFloatPoints(), FREQ_GRID_POINTS, g_clrGraphGrey, 3.0);
        }
    }
    p.Polyline(m_pCurOut->GetCurve().GetFloatPoints(), FREQ_GRID_POINTS, g_clrGraphCurve, 2.0);
}

void CFStatic::DrawMusicGraph(CDC* pDC)
{
    if (!m_pEq || !m_pCurMusic)
        return;
    CPen pen(PS_SOLID, 1, kGrid);
    CBrush brush(kBlack);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(&m_rcPlot);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (m_nSelElement >= 0) {
        m_pHotFilter = m_pEq->GetAt(m_nSelElement);
        m_nHotElement = m_nSelElement;
    } else {
        m_nSelElement = -1;
    }
    FillHotPolygon(pDC, kHotFillMusic);
    DrawGridLines(pDC, 8.0, 8);

    m_pCurMusic->RecalcCurve();
    DrawMusicCurve(pDC);

    pDC->SetBkMode(TRANSPARENT);
    DrawBandLabels(pDC, std::min(kMusicLabels, m_pEq->GetSize()) - 1, false);
    CFont font;
    font.CreatePointFont(90, "Arial");
    CFont* pOldFont = pDC->SelectObject(&font);
    DrawHotExtras(pDC, kHotFillMusic);
    pDC->SelectObject(pOldFont);
}

void CFStatic::DrawMusicCurve(CDC* pDC)
{
    PlotPainter p(pDC, m_rcPlot);
    p.Beziers(m_pCurMusic->GetCurve().GetFloatPoints(), FREQ_GRID_POINTS, g_clrGraphCurve, 2.0);
}

void CFStatic::DrawBandLabels(CDC* pDC, int nFirst, bool)
{
    for (int i = nFirst; i >= 0; --i) {
        CFilter* f = m_pEq->GetAt(i);
        if (!f)
            continue;
        pDC->SetTextColor(f == m_pHotFilter ? kRed : kWhite);
        CRect rc = f->m_rcHandle;
        UINT fmt = DT_TOP | DT_SINGLELINE | DT_NOCLIP;
        if (rc.right == m_rcPlot.right)
            fmt |= DT_LEFT;
        else if (f->GetFreq() <= 20)
            fmt |= DT_RIGHT;
        else if (f->GetFreq() >= 20000)
            fmt |= DT_LEFT;
        else
            fmt |= DT_CENTER;
        pDC->DrawText(BandLabelOf(*f, i), &rc, fmt);
    }
}

void CFStatic::DrawHotExtras(CDC* pDC, COLORREF clrFill)
{
    if (!m_pHotFilter)
        return;
    CFilter& f = *m_pHotFilter;
    if (f.GetType() == FILTER_PEQ && !f.GetFreqLock()) {
        CPen pen(PS_SOLID, 1, kRed);
        CBrush brush(clrFill);
        CPen* pOldPen = pDC->SelectObject(&pen);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->Rectangle(&f.m_rcBwLeft);
        pDC->Rectangle(&f.m_rcBwRight);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    pDC->SetTextColor(kRed);
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = f.m_rcLabel;
    pDC->DrawText(f.UpdateLabelText(), &rc, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}
