#include "CFStatic.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTVEQ.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CMusic_InData.h"
#include "Convert.h"
#include "CWindowDC.h"
#include "Globals.h"

#include <QWidget>

#include <cmath>

int g_bBigCurve = 0;

namespace {

constexpr int kOutputChannels = 10;
constexpr int kMusicInputs = 6;

}  // namespace

// ---- geometry ----

CRect EqGraphGeometry::PlotRectOf(const CRect& rcClient)
{
    return CRect(rcClient.left + GRAPH_PLOT_LEFT, rcClient.top + GRAPH_PLOT_TOP, rcClient.right - 10,
                 rcClient.bottom - 20);
}

int EqGraphGeometry::FreqToX(double dHz, int nPlotWidth) { return ::FreqToX(dHz, nPlotWidth) + GRAPH_PLOT_LEFT; }

int EqGraphGeometry::GridFreq(int k)
{
    if (k < 0 || k >= kGridLines)
        return 0;
    if (k < 9)
        return 20 + 10 * k;          // 20 .. 100
    if (k < 18)
        return 200 + 100 * (k - 9);  // 200 .. 1000
    return 2000 + 1000 * (k - 18);   // 2000 .. 10000
}

EqGraphGeometry::Label EqGraphGeometry::LevelLabel(int k, int nPlotHeight)
{
    static const char* const kText[kLevelLabels] = {"+12", "+9", "+6", "+3", "0dB", "-3", "-6", "-9", "-12"};
    if (k < 0 || k >= kLevelLabels)
        return Label{"", 0, 0};
    const int h = nPlotHeight / 8;
    int y = k * h + 3;
    if (k == 0)
        y = 5;
    else if (k == kLevelLabels - 1)
        y = nPlotHeight;
    return Label{kText[k], 6, y};
}

EqGraphGeometry::Label EqGraphGeometry::FreqLabel(int k, const CRect& rcPlot)
{
    // Each label sits left of its frequency's x by d pixels so that it looks centred.
    struct Row {
        int nHz;
        const char* pszText;
        int d;
    };
    static const Row kRows[kFreqLabels] = {
        {20, "20", 0},        {30, "30", 8},     {40, "40", 8},     {50, "50", 8},     {70, "70", 8},
        {100, "100", 10},     {200, "200", 10},  {300, "300", 10},  {500, "500", 10},  {700, "700", 10},
        {1000, "1K", 8},      {2000, "2K", 8},   {3000, "3K", 8},   {4000, "4K", 8},   {5000, "5K", 8},
        {7000, "7K", 8},      {10000, "10K", 10}, {20000, "20K", 15},
    };
    if (k < 0 || k >= kFreqLabels)
        return Label{"", 0, 0};
    const int x = k == 0 ? 30 : FreqToX(kRows[k].nHz, rcPlot.Width()) - kRows[k].d;
    return Label{kRows[k].pszText, x, rcPlot.bottom};
}

// ---- the control ----

CFStatic::CFStatic() { LoadCursors(); }

CFStatic::~CFStatic() { m_pNotifyWnd = nullptr; }

int CFStatic::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int r = CStatic::OnCreate(lpCreateStruct);
    // The graph takes the pointer whatever the static's notify style says.
    if (QWidget* w = GetWidget())
        w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    return r;
}

void CFStatic::LoadCursors()
{
    // The stock shapes are shared and never destroyed; a missing one falls back to the arrow
    // when the cursor is set.
    m_hCurMove = LoadCursor(nullptr, IDC_SIZEALL);
    m_hCurSizeWE = LoadCursor(nullptr, IDC_SIZEWE);
    m_hCurSizeNS = LoadCursor(nullptr, IDC_SIZENS);
    // Where a shape is missing, the hand serves for grabbing.
    if (!m_hCurMove)
        m_hCurMove = LoadCursor(nullptr, IDC_HAND);
    if (!m_hCurSizeWE)
        m_hCurSizeWE = LoadCursor(nullptr, IDC_HAND);
    if (!m_hCurSizeNS)
        m_hCurSizeNS = LoadCursor(nullptr, IDC_HAND);
}

void CFStatic::Attach(CKTV_Data* pScene, int nKind)
{
    m_pScene = pScene;
    m_pEffect = pScene ? pScene->GetEffectData() : nullptr;
    InitPlotArea();
    if (!pScene)
        return;
    if (nKind == 3)
        pScene->SetMusicCurveRect(m_rcPlot.left, m_rcPlot.top, m_rcPlot.right, m_rcPlot.bottom);
    else if (nKind == 4)
        pScene->SetOutCurveRect(m_rcPlot.left, m_rcPlot.top, m_rcPlot.right, m_rcPlot.bottom);
}

void CFStatic::InitPlotArea()
{
    if (GetSafeHwnd()) {
        GetWindowRect(&m_rcWindow);
        GetClientRect(&m_rcClient);
    }
    m_rcPlot = EqGraphGeometry::PlotRectOf(m_rcClient);
    const int w = m_rcPlot.Width();
    for (int k = 0; k < EqGraphGeometry::kGridLines; ++k)
        m_nGridX[k] = EqGraphGeometry::FreqToX(EqGraphGeometry::GridFreq(k), w);
    m_bLaidOut = true;
    if (GetSafeHwnd())
        SetTimer(kTimerId, kTimerPeriodMs);
}

void CFStatic::SelectOutputChannel(int i)
{
    if (!m_pScene || i < 0 || i >= kOutputChannels || !m_pScene->GetOutData(i))
        return;
    m_pCurOut = m_pScene->GetOutData(i);
    m_pEq = &m_pCurOut->GetEq();
    m_pHotFilter = nullptr;
    m_nSourceKind = 3;
    m_nDrawMode = kModeOutput;
    m_nChannelId = 768 + i;
    m_nCurOutput = i;
    DrawGraph(-1);
}

void CFStatic::SelectInputChannel(int i)
{
    if (!m_pScene || i < 0 || i >= kMusicInputs || !m_pScene->GetMusicData(i))
        return;
    m_pCurMusic = m_pScene->GetMusicData(i);
    m_pEq = &m_pCurMusic->GetEq();
    m_pHotFilter = nullptr;
    m_nSourceKind = 2;
    m_nDrawMode = kModeMusic;
    m_nChannelId = i;
    DrawGraph(-1);
}

void CFStatic::SetDrawMode(int nMode)
{
    m_nDrawMode = nMode;
    DrawGraph(-1);
}

void CFStatic::DrawGraph(int nElement)
{
    // A caller's index outside the bound list selects nothing rather than reading past it.
    if (nElement < 0 || !m_pEq || nElement >= m_pEq->GetSize())
        nElement = -1;
    m_nSelElement = nElement;
    RedrawPlotNow();
}

void CFStatic::EnableGraph(BOOL bEnable)
{
    m_pHotFilter = nullptr;
    EnableGraphWindow(bEnable);
    if (GetSafeHwnd())
        UpdateWindow();
}

void CFStatic::EnableGraphWindow(BOOL bEnable)
{
    if (!GetSafeHwnd())
        return;
    Invalidate(FALSE);
    EnableWindow(bEnable);
}

int CFStatic::IsOverlayOn(int i)
{
    if (i < 0 || i >= kOutputChannels)
        return 0;
    return g_bShowCurve[i];
}

BOOL CFStatic::OnEraseBkgnd(CDC* pDC) { return CStatic::OnEraseBkgnd(pDC); }

void CFStatic::OnPaint()
{
    CPaintDC dc(this);
    PaintAll(&dc);
}

void CFStatic::RedrawPlotNow()
{
    if (GetSafeHwnd())
        RedrawWindow(&m_rcPlot, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
