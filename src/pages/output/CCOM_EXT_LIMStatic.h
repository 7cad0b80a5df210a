// The limiter curve graph of one output channel: input level across, output level up, both
// -30..+12 dB in 0.1 dB units (unit 0 = -30 dB, 420 = +12 dB), so a threshold code t of the
// model is the knee's position on both axes. The 1:1 line rises to the knee, the curve stays flat
// from there to the right edge. A yellow square marks the knee; dragging it up or down sets the
// threshold, which reaches the channel only when buddy controls are set (the advanced settings
// use them; the system dialog shows the graphs without).
//
// The owner creates the control as a static child (SS_NOTIFY not needed: the graph always takes
// the mouse), then InitPlotArea, SetMode(3), AttachScene and SelectChannel. Only mode 3 draws and
// follows the pointer. The graph posts nothing to its parent; the threshold goes into the model
// through its setter, which stamps the limiter record for the comm worker.
//
// User-interface thread only; takes no lock.
#pragma once

#include "CStatic.h"
#include "Colours.h"
#include "GdiObjects.h"

class CKTV_Data;
class CKTV_OutData;
class CNumEdit;
class CNumSpin;

// A point in client pixels with fractions (the curve is drawn anti-aliased).
struct LimPointF {
    float X = 0.0f;
    float Y = 0.0f;
};

// Value <-> pixel mapping of the graph, free of any window.
struct LimCurveGeometry {
    static constexpr int kUnits = 420;  // 42 dB in 0.1 dB steps on both axes

    // The plot: the client rectangle less 20 left, 5 top, 10 right, 15 bottom.
    static CRect PlotRectOf(const CRect& rcClient);
    // Pixels per unit across and up.
    static double ScaleXOf(const CRect& rcPlot) { return rcPlot.Width() / double(kUnits); }
    static double ScaleYOf(const CRect& rcPlot) { return rcPlot.Height() / double(kUnits); }
    // The knee of threshold t (units): (plot left + t sx, plot bottom - t sy).
    static LimPointF KneeOf(const CRect& rcPlot, double sx, double sy, int t);
    // The knee's hit area: 6 x 6 pixels from the truncated knee less 3 (left and top edges
    // inside, right and bottom outside).
    static CRect HandleOf(const LimPointF& knee);
    // The threshold a pointer height stands for: whole units above the plot bottom, 0..420.
    // A plot without height gives 0.
    static int ThresholdFromY(const CRect& rcPlot, double sy, int y);
};

class CCOM_EXT_LIMStatic : public CStatic {
public:
    // The graph's copy of the channel's limiter record (record 35): threshold, attack and
    // release codes, the channel's link group byte, one spare byte.
    struct LimitRecord {
        short nThreshold = 0;  // 0..420, dBu = t x 0.1 - 30
        short nAttack = 0;
        short nRelease = 0;
        BYTE byLinkGroup = 0;
        BYTE bySpare = 0;
    };

    static constexpr int kModeLimiter = 3;

    CCOM_EXT_LIMStatic();
    ~CCOM_EXT_LIMStatic() override;

    // Takes the client rectangle and derives the plot. After the window exists, before SetMode(3).
    void InitPlotArea();
    // Stores the mode; mode 3 also sets the pixels per unit from the plot. No redraw.
    void SetMode(int nMode);
    // The spin and edit pairs that follow a drag (not owned; they must outlive the graph).
    // A drag commits to the channel only while the first spin is set.
    void SetBuddyPair1(CNumSpin* pSpin, CNumEdit* pEdit);
    void SetBuddyPair2(CNumSpin* pSpin, CNumEdit* pEdit);
    // The scene whose outputs the graph reads (not owned).
    void AttachScene(CKTV_Data* pScene);
    // Binds output ch (0..9; others, or no scene, are ignored), picks the curve colour of
    // outputs 1..8 (8 and 9 keep the colour held) and redraws. The limiter copy is taken from
    // the channel at the first binding only; later ones need UpdateCurve for a fresh copy.
    void SelectChannel(int ch);
    // Copies the bound channel's limiter record and redraws.
    void UpdateCurve();
    // Renews the knee and its hit area from the copy and repaints the control now.
    void DrawCurve();

    // Paints the whole control (background, labels, frame, grid, curve when bound) into pDC,
    // whose area is the client rectangle.
    void PaintGraph(CDC* pDC);

    int GetMode() const { return m_nMode; }
    int GetChannel() const { return m_nChannel; }
    CKTV_OutData* GetOutData() const { return m_pOutData; }
    const LimitRecord& GetLimitCopy() const { return m_Limit; }
    const CRect& GetPlotRect() const { return m_rcPlot; }
    const CRect& GetHandleRect() const { return m_rcHandle; }
    LimPointF GetKnee() const { return m_ptKnee; }
    LimPointF GetEnd() const { return m_ptEnd; }
    ARGB GetCurveColour() const { return m_clrCurve; }
    HCURSOR GetDragCursor() const { return m_hDragCursor; }
    BOOL IsHot() const { return m_bHot; }
    BOOL IsDragging() const { return m_bDragging; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnPaint() override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

private:
    void DragThreshold(int x, int y);
    void LoadDragCursor();
    void UpdateKnee();
    void DrawLabels(CDC* pDC);
    void DrawGrid(CDC* pDC);
    void DrawTransfer(CDC* pDC);

    CKTV_Data* m_pScene = nullptr;
    CKTV_OutData* m_pOutData = nullptr;
    LimitRecord m_Limit;
    LimPointF m_ptOrigin;
    LimPointF m_ptKnee;
    LimPointF m_ptEnd;
    LimPointF m_ptAxisOrigin;
    double m_dScaleY = 0.0;
    double m_dScaleX = 0.0;
    CRect m_rcClient;
    CRect m_rcPlot;
    CRect m_rcHandle;  // empty until the first curve with a bound channel
    int m_nMode = 0;
    int m_nChannel = 0;
    CFont m_font;  // Arial 14 px, weight 400
    HCURSOR m_hDragCursor = nullptr;  // stock cursor: shared, never destroyed
    BOOL m_bDragging = FALSE;
    BOOL m_bHot = FALSE;
    CNumSpin* m_pSpin1 = nullptr;
    CNumEdit* m_pEdit1 = nullptr;
    CNumSpin* m_pSpin2 = nullptr;
    CNumEdit* m_pEdit2 = nullptr;
    ARGB m_clrCurve = 0;
    bool m_bLimitLoaded = false;  // the copy has been taken from a channel once
};
