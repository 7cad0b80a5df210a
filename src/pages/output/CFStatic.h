// The equaliser response graph: the summed magnitude response of one channel over a
// logarithmic frequency axis (20 Hz .. 20 kHz) and a linear level axis (+12 .. -12 dB), with
// the channel's bands and crossover filters as numbered handles the user drags.
//
// The output page binds it in output mode (4), the input page in music-input mode (3). Calling
// order: SetNotifyWnd, Attach (scene, 4 or 3), SelectOutputChannel(0) or SelectInputChannel(0),
// SetDrawMode; afterwards a select call on every channel change and DrawGraph after edits.
//
// Drags go straight into the filters (which stamp themselves for the comm worker) and redraw
// the plot at once; the notify window learns of them through WM_EQ_POINT_CHANGED, posted by a
// 200 ms timer at most once per tick.
//
// User-interface thread only; takes no lock.
#pragma once

#include "CStatic.h"
#include "Cursor.h"

class CKTV_Data;
class CEffect_Data;
class CMIC_InData;
class CMusic_InData;
class CKTV_OutData;
class CKTVEQ;
class CFilter;

// The enlarged graph is shown (the watermark moves with it).
extern int g_bBigCurve;

// Control id of the graph on the output page.
constexpr UINT IDC_EQ_GRAPH = 4000;

// Plot geometry of a graph, free of any window.
struct EqGraphGeometry {
    static constexpr int kGridLines = 27;
    // The client rectangle less 40 left, 10 top, 10 right, 20 bottom.
    static CRect PlotRectOf(const CRect& rcClient);
    // Client x of frequency nHz on a plot nPlotWidth wide: 40 + trunc(log10(f / 20) x (W div 3)).
    static int FreqToX(double dHz, int nPlotWidth);
    // The 27 grid frequencies (20..100 step 10, 200..1000 step 100, 2000..10000 step 1000).
    static int GridFreq(int k);

    // Where an axis label is drawn (its top-left corner, client pixels).
    struct Label {
        const char* pszText;
        int x;
        int y;
    };
    static constexpr int kLevelLabels = 9;
    static constexpr int kFreqLabels = 18;
    // "+12" .. "-12" down the left side, for a plot nPlotHeight high.
    static Label LevelLabel(int k, int nPlotHeight);
    // "20" .. "20K" along the bottom of rcPlot.
    static Label FreqLabel(int k, const CRect& rcPlot);
};

class CFStatic : public CStatic {
public:
    static constexpr UINT kTimerId = 3;
    static constexpr UINT kTimerPeriodMs = 200;

    enum DrawMode { kModeEmpty = 0, kModeEffect = 1, kModeMic = 2, kModeMusic = 3, kModeOutput = 4 };

    CFStatic();
    ~CFStatic() override;

    // Receiver of WM_EQ_POINT_CHANGED and WM_EQ_GRAPH_KILLFOCUS; null = none.
    void SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; }
    CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }

    // Binds the scene and lays out the plot from the window's size; nKind 3 hands the plot to
    // the six music inputs, 4 to the ten outputs, anything else only lays out. (Re)starts the
    // 200 ms notification timer.
    void Attach(CKTV_Data* pScene, int nKind);
    // Shows output i (0..9) in output mode; nothing happens without a scene or outside 0..9.
    void SelectOutputChannel(int i);
    // Shows music input i (0..5) in music-input mode; the same checks.
    void SelectInputChannel(int i);
    void SetDrawMode(int nMode);
    int GetDrawMode() const { return m_nDrawMode; }
    // nElement -1: none highlighted; else an index of the bound band list, which becomes hot.
    // An index outside the list is treated as -1. Draws at once.
    void DrawGraph(int nElement);
    // Drops the hot filter, enables or disables the window and repaints.
    void EnableGraph(BOOL bEnable);
    virtual void EnableGraphWindow(BOOL bEnable);

    // Paints the whole client area (background, axes, plot of the mode) into pDC.
    void PaintAll(CDC* pDC);

    // Overlay flag of output i (g_bShowCurve[i]); 0 outside 0..9.
    static int IsOverlayOn(int i);

    // ---- state the pages and tests read ----
    CFilter* GetHotFilter() const { return m_pHotFilter; }
    void ClearHotFilter() { m_pHotFilter = nullptr; }
    int GetHotElement() const { return m_nHotElement; }
    int GetSelElement() const { return m_nSelElement; }
    int GetChannelId() const { return m_nChannelId; }
    int GetCurOutput() const { return m_nCurOutput; }
    int GetSourceKind() const { return m_nSourceKind; }
    CKTVEQ* GetEq() const { return m_pEq; }
    const CRect& GetPlotRect() const { return m_rcPlot; }
    const CRect& GetClientRectAtLayout() const { return m_rcClient; }
    const CRect& GetWindowRectAtLayout() const { return m_rcWindow; }
    const int* GetGridX() const { return m_nGridX; }
    BOOL IsHot() const { return m_bHot; }
    BOOL IsPendingNotify() const { return m_bPendingNotify; }
    // The left button came up since the last press; the notify window clears it.
    BOOL IsMouseReleased() const { return m_bMouseReleased; }
    void ClearMouseReleased() { m_bMouseReleased = FALSE; }

    // Read and cleared directly by the pages (key steps read the layout rectangles).
    CFilter* m_pHotFilter = nullptr;
    CRect m_rcClient;
    CRect m_rcWindow;
    BOOL m_bMouseReleased = FALSE;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;

private:
    void InitPlotArea();
    void LoadCursors();
    // Drawing (CFStaticPaint.cpp).
    void DrawGrid(CDC* pDC);
    void DrawPlot(CDC* pDC);
    void DrawOutputGraph(CDC* pDC);
    void DrawOutputCurves(CDC* pDC);
    void DrawMusicGraph(CDC* pDC);
    void DrawMusicCurve(CDC* pDC);
    void DrawEmptyGraph(CDC* pDC);
    void DrawBandLabels(CDC* pDC, int nFirst, bool bOwnFont);
    void DrawHotExtras(CDC* pDC, COLORREF clrFill);
    void FillHotPolygon(CDC* pDC, COLORREF clr);
    void DrawGridLines(CDC* pDC, double dRowDivisor, int nRows);
    void RedrawPlotNow();
    // Pointer tracking (CFStaticMouse.cpp).
    void TrackPointer(CPoint pt);
    void TrackCrossover(CPoint pt);
    bool ScanHandles(CPoint pt, BOOL& bHot);
    void ApplyDragStep(BOOL bChanged);
    BOOL DragHotHandle(CPoint pt);
    void BeginHandleDrag(CPoint pt);
    void EndHandleDrag();
    bool IsTrackingMode() const { return m_nDrawMode >= 1 && m_nDrawMode <= 4; }

    CWnd* m_pNotifyWnd = nullptr;
    CKTV_Data* m_pScene = nullptr;
    CEffect_Data* m_pEffect = nullptr;
    CMIC_InData* m_pCurMic = nullptr;
    CMusic_InData* m_pCurMusic = nullptr;
    CKTV_OutData* m_pCurOut = nullptr;
    CKTVEQ* m_pEq = nullptr;
    HCURSOR m_hCurMove = nullptr;
    HCURSOR m_hCurSizeWE = nullptr;
    HCURSOR m_hCurSizeNS = nullptr;
    int m_nGridX[EqGraphGeometry::kGridLines] = {};
    CRect m_rcPlot;
    BOOL m_bHot = FALSE;
    BOOL m_bChanged = FALSE;
    BOOL m_bPendingNotify = FALSE;
    int m_nHotElement = 0;
    int m_nSelElement = -1;
    int m_nDrawMode = kModeEmpty;
    int m_nSourceKind = 0;
    int m_nChannelId = 0;
    int m_nCurOutput = 0;
    bool m_bLaidOut = false;
    // Grab of the current handle drag: pointer less the handle's centre, the gain index and
    // the pixel row of the handle when it was grabbed.
    CPoint m_ptGrab;
    int m_nGrabGainIndex = 200;
    int m_nGrabRow = -1;
};
