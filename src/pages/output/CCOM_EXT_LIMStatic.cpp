#include "CCOM_EXT_LIMStatic.h"

#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CMemDC.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "CWindowDC.h"
#include "Cursor.h"
#include "RecordFields.h"

#include <QPainter>
#include <QPen>
#include <QWidget>

#include <cmath>

namespace {

constexpr UINT kSizeNeSwCursor = 32643;  // the system's diagonal sizing cursor

QColor QColorOfArgb(ARGB c) { return QColor(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF), int(c >> 24)); }

QPointF QPointOf(const LimPointF& p) { return QPointF(p.X, p.Y); }

}  // namespace

// ---- geometry ----

CRect LimCurveGeometry::PlotRectOf(const CRect& rcClient)
{
    return CRect(rcClient.left + 20, rcClient.top + 5, rcClient.right - 10, rcClient.bottom - 15);
}

LimPointF LimCurveGeometry::KneeOf(const CRect& rcPlot, double sx, double sy, int t)
{
    return LimPointF{float(rcPlot.left + t * sx), float(rcPlot.bottom - t * sy)};
}

CRect LimCurveGeometry::HandleOf(const LimPointF& knee)
{
    const int x = int(knee.X - 3.0f);
    const int y = int(knee.Y - 3.0f);
    return CRect(x, y, x + 6, y + 6);
}

int LimCurveGeometry::ThresholdFromY(const CRect& rcPlot, double sy, int y)
{
    // Clamp before converting: a plot without height divides by zero.
    const double v = (rcPlot.bottom - y) / sy;
    if (std::isnan(v) || v < 0.0)
        return 0;
    if (v > kUnits)
        return kUnits;
    return int(v);
}

// ---- the control ----

CCOM_EXT_LIMStatic::CCOM_EXT_LIMStatic()
{
    m_font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");
    LoadDragCursor();
}

CCOM_EXT_LIMStatic::~CCOM_EXT_LIMStatic() { m_font.DeleteObject(); }

int CCOM_EXT_LIMStatic::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int r = CStatic::OnCreate(lpCreateStruct);
    // A plain static lets the pointer through; the graph needs it for the knee.
    if (QWidget* w = GetWidget())
        w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    return r;
}

void CCOM_EXT_LIMStatic::InitPlotArea()
{
    GetClientRect(&m_rcClient);
    m_rcPlot = LimCurveGeometry::PlotRectOf(m_rcClient);
    m_ptAxisOrigin = LimPointF{float(m_rcPlot.left), float(m_rcPlot.bottom - 2)};
}

void CCOM_EXT_LIMStatic::SetMode(int nMode)
{
    m_nMode = nMode;
    if (nMode == kModeLimiter) {
        m_dScaleY = LimCurveGeometry::ScaleYOf(m_rcPlot);
        m_dScaleX = LimCurveGeometry::ScaleXOf(m_rcPlot);
    }
}

void CCOM_EXT_LIMStatic::SetBuddyPair1(CNumSpin* pSpin, CNumEdit* pEdit)
{
    m_pSpin1 = pSpin;
    m_pEdit1 = pEdit;
}

void CCOM_EXT_LIMStatic::SetBuddyPair2(CNumSpin* pSpin, CNumEdit* pEdit)
{
    m_pSpin2 = pSpin;
    m_pEdit2 = pEdit;
}

void CCOM_EXT_LIMStatic::AttachScene(CKTV_Data* pScene) { m_pScene = pScene; }

void CCOM_EXT_LIMStatic::SelectChannel(int ch)
{
    if (!m_pScene || ch < 0 || ch > 9)
        return;
    CKTV_OutData* pOut = m_pScene->GetOutData(ch);
    if (!pOut)
        return;
    m_nChannel = ch;
    m_pOutData = pOut;
    m_ptOrigin = LimPointF{float(m_rcPlot.left), float(m_rcPlot.bottom - 2)};
    static const ARGB kColours[8] = {g_clrOut1, g_clrOut2, g_clrOut3, g_clrOut4,
                                     g_clrOut5, g_clrOut6, g_clrOut7, g_clrOut8};
    if (ch < 8)
        m_clrCurve = kColours[ch];
    if (!m_bLimitLoaded) {
        // Without a copy yet the knee would sit at -30 dB whatever the channel holds.
        UpdateCurve();
        return;
    }
    DrawCurve();
}

void CCOM_EXT_LIMStatic::UpdateCurve()
{
    if (!m_pOutData)
        return;
    BYTE rec[8] = {};
    m_pOutData->GetLimitRecord(rec);
    m_Limit.nThreshold = GetRecordWord(rec);
    m_Limit.nAttack = GetRecordWord(rec + 2);
    m_Limit.nRelease = GetRecordWord(rec + 4);
    m_Limit.byLinkGroup = rec[6];
    m_bLimitLoaded = true;
    DrawCurve();
}

void CCOM_EXT_LIMStatic::UpdateKnee()
{
    if (!m_pOutData)
        return;
    const int t = m_Limit.nThreshold;
    m_ptKnee = LimCurveGeometry::KneeOf(m_rcPlot, m_dScaleX, m_dScaleY, t);
    m_ptEnd = LimPointF{float(m_rcPlot.right), m_ptKnee.Y};
    m_rcHandle = LimCurveGeometry::HandleOf(m_ptKnee);
}

void CCOM_EXT_LIMStatic::DrawCurve()
{
    UpdateKnee();
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CCOM_EXT_LIMStatic::OnPaint()
{
    CPaintDC dc(this);
    if (m_nMode == kModeLimiter)
        PaintGraph(&dc);
}

void CCOM_EXT_LIMStatic::PaintGraph(CDC* pDC)
{
    CMemDC mem(pDC, &m_rcClient);
    CPen penBlack(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brushBlack(RGB(0, 0, 0));
    CPen* pOldPen = mem.SelectObject(&penBlack);
    CBrush* pOldBrush = mem.SelectObject(&brushBlack);
    CFont* pOldFont = mem.SelectObject(&m_font);
    mem.Rectangle(&m_rcClient);

    DrawLabels(&mem);

    CPen penFrame(PS_SOLID, 1, RGB(0, 180, 0));
    mem.SelectObject(&penFrame);
    mem.Rectangle(&m_rcPlot);
    DrawGrid(&mem);

    if (m_pOutData) {
        UpdateKnee();
        DrawTransfer(&mem);
    }

    mem.SelectObject(pOldPen);
    mem.SelectObject(pOldBrush);
    mem.SelectObject(pOldFont);
    mem.CopyBack();
}

void CCOM_EXT_LIMStatic::DrawLabels(CDC* pDC)
{
    pDC->SetBkMode(OPAQUE);
    pDC->SetBkColor(RGB(0, 0, 0));
    pDC->SetTextColor(RGB(200, 200, 200));
    const double sx = m_dScaleX, sy = m_dScaleY;
    const int top = m_rcPlot.top, left = m_rcPlot.left;
    // Output level down the left side; the leading blanks line the numbers up on the right.
    pDC->TextOut(2, top - 5, CString(" 12"));
    pDC->TextOut(2, top + int(sy * 120 - 7), CString("  0"));
    pDC->TextOut(2, top + int(sy * 220 - 7), CString("-10"));
    pDC->TextOut(2, top + int(sy * 320 - 7), CString("-20"));
    pDC->TextOut(2, top + int(sy * 420 - 7), CString("-30"));
    // Input level along the bottom.
    const int y = top + int(sy * 420);
    pDC->TextOut(left + int(sx * 100) - 8, y, CString("-20"));
    pDC->TextOut(left + int(sx * 200) - 8, y, CString("-10"));
    pDC->TextOut(left + int(sx * 300) - 3, y, CString("0"));
    pDC->TextOut(left + int(sx * 420) - 7, y, CString("12"));
}

void CCOM_EXT_LIMStatic::DrawGrid(CDC* pDC)
{
    CPen penGrid(PS_SOLID, 1, RGB(21, 100, 21));
    CPen* pOld = pDC->SelectObject(&penGrid);
    // The 0, -10 and -20 dB levels, counted from the plot's top inset (5) and left inset (20).
    for (int u : {120, 220, 320}) {
        const int y = 5 + int(m_dScaleY * u);
        pDC->MoveTo(m_rcPlot.left, y);
        pDC->LineTo(m_rcPlot.right - 1, y);
    }
    for (int u : {100, 200, 300}) {
        const int x = 20 + int(m_dScaleX * u);
        pDC->MoveTo(x, m_rcPlot.bottom - 1);
        pDC->LineTo(x, m_rcPlot.top);
    }
    pDC->SelectObject(pOld);
}

void CCOM_EXT_LIMStatic::DrawTransfer(CDC* pDC)
{
    QPainter* p = pDC->GetPainter();
    if (!p)
        return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setClipRect(QRect(m_rcClient.left, m_rcClient.top, m_rcClient.Width(), m_rcClient.Height()));
    p->setBrush(Qt::NoBrush);

    QPen ref(QColor(195, 195, 195), 2.0, Qt::DashLine);
    p->setPen(ref);
    p->drawLine(QPointOf(m_ptAxisOrigin), QPointOf(m_ptKnee));

    QPen curve(QColorOfArgb(m_clrCurve), 2.0, Qt::SolidLine);
    p->setPen(curve);
    p->drawLine(QPointOf(m_ptOrigin), QPointOf(m_ptKnee));
    p->drawLine(QPointOf(m_ptKnee), QPointOf(m_ptEnd));

    const QColor yellow(255, 255, 0);
    p->setPen(QPen(yellow, 2.0));
    p->setBrush(yellow);
    p->drawRect(QRectF(m_rcHandle.left, m_rcHandle.top, 6, 6));
    p->restore();
}

BOOL CCOM_EXT_LIMStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_bHot && m_hDragCursor)
        ::SetCursor(m_hDragCursor);
    else
        ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

void CCOM_EXT_LIMStatic::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    SetCapture();
    if (m_nMode == kModeLimiter && m_bHot)
        m_bDragging = TRUE;
    CStatic::OnLButtonDown(nFlags, point);
}

void CCOM_EXT_LIMStatic::OnLButtonUp(UINT nFlags, CPoint point)
{
    ReleaseCapture();
    if (m_nMode == kModeLimiter && m_bHot)
        m_bDragging = FALSE;
    CStatic::OnLButtonUp(nFlags, point);
}

void CCOM_EXT_LIMStatic::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nMode == kModeLimiter) {
        if (!m_bDragging)
            m_bHot = m_rcHandle.PtInRect(point);
        else if (m_bHot)
            DragThreshold(point.x, point.y);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CCOM_EXT_LIMStatic::DragThreshold(int, int y)
{
    const int t = LimCurveGeometry::ThresholdFromY(m_rcPlot, m_dScaleY, y);
    if (t == m_Limit.nThreshold)
        return;
    m_Limit.nThreshold = short(t);
    if (!m_pSpin1)
        return;
    // Each buddy is checked on its own: an owner that set only the first pair must not crash.
    m_pSpin1->SetPos(t);
    if (m_pSpin2)
        m_pSpin2->SetPos(t);
    if (m_pEdit1)
        m_pEdit1->SetHighlight(TRUE);
    if (m_pEdit2)
        m_pEdit2->SetHighlight(TRUE);
    if (m_pOutData)
        m_pOutData->SetLimitThreshold(short(t));
    DrawCurve();
}

void CCOM_EXT_LIMStatic::LoadDragCursor()
{
    if (m_hDragCursor)
        return;
    m_hDragCursor = LoadCursor(nullptr, kSizeNeSwCursor);
    // Where the diagonal sizing shape is missing, the hand serves as well.
    if (!m_hDragCursor)
        m_hDragCursor = LoadCursor(nullptr, IDC_HAND);
}
