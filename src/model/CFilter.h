// One filter of a channel's equaliser: a parametric band, a shelf, or one of the channel's two
// crossover filters.
//
// The filter holds the user's values, converts them to and from the device's step codes,
// carries its own change stamp, and after every change keeps its response (241 dB values on
// g_dFreqGrid) and its drag handle on the response graph up to date.
//
// The device is told a reference frequency, not the frequency itself: after a large move the
// reference travels one octave per frame towards the frequency (SetModified), so the sound
// never jumps across the spectrum in one step.
//
// Values read from the device are stored as they came, so a record packs back byte for byte;
// every table lookup and every drawing clamps or draws flat instead.
//
// Thread: the pages and the graph change a filter on the user-interface thread; the change
// scanner steps and packs it on the comm worker while holding g_csComm. No lock of its own.
#pragma once

#include "FilterResponse.h"
#include "Geometry.h"
#include "ModelUi.h"
#include "WinTypes.h"

constexpr int CURVE_POLYGON_POINTS = FREQ_GRID_POINTS + 2;
// The plot of a response graph lies this far inside the graph (pixels).
constexpr int GRAPH_PLOT_LEFT = 40;
constexpr int GRAPH_PLOT_TOP = 10;

class CFilter {
public:
    CFilter();
    CFilter(const CFilter&) = delete;
    CFilter& operator=(const CFilter&) = delete;

    // ---- values and encodings (CFilter.cpp) ----

    // Frequency in Hz. bFromUser 0 (device block, builder): frequency and reference both take
    // it, no stamp. Nonzero (an edit): the reference follows within an octave (see the file
    // comment), the change is stamped with g_bOnline; a crossover moves its linked slider.
    void SetFreq(int nHz, BOOL bFromUser);
    void SetRefFreq(int nHz) { m_nRefFreq = nHz; }
    // Gain index 0..400: gain = n * 0.1 - 20 dB. 0.0 dB bypasses, any other gain un-bypasses
    // and un-mutes.
    void SetGainIndex(int n);
    // Bandwidth index 0..295: 0.05 + 0.01 n octaves.
    void SetBandwidthIndex(int n);
    void SetBandwidthIndexDrag(int n);
    // Slope index (0 = 6 dB/oct, 1..7 = 12..48 dB/oct, 8 = off); stamped when bStamp != 0.
    void SetSlope(int nSlope, BOOL bStamp);
    // Crossover class 0 Linkwitz-Riley, 1 Butterworth, 2 Bessel; stamped when bStamp != 0.
    void SetFilterClass(int nClass, BOOL bStamp);
    // Kind 0..4; a low-pass also moves the reference to 20000 Hz.
    void SetType(int nType);
    // 0 PEQ, 1/2 low shelf 6/12 dB/oct, 3/4 high shelf 6/12 dB/oct. Shelves keep to their
    // side of 2000 Hz.
    void SetShelfType(int nSelector);
    void SetLowShelf(int nSlope);
    void SetHighShelf(int nSlope);
    // Bypass switch of a band. A band at exactly 0.0 dB stays bypassed whatever is switched.
    void SetBypass(BOOL bOn);
    // Channel-wide mute: nonzero saves the mute flag and sets it, 0 restores the saved flag.
    void SetMute(BOOL bOn);
    // Back to a flat, bypassed band at nHz (no stamp).
    void ResetBand(int nHz);
    // Graphic-EQ mode: drags change the gain only.
    void SetFreqLock(BOOL bLock);
    // Called by the change scanner before it packs the record: steps the reference one octave
    // towards the frequency and keeps the stamp set until they meet.
    void SetModified(int nValue);
    void SetCurveMode(int nMode) { m_nCurveMode = nMode; }
    void SetInputCrossoverMode(int nMode) { m_nInputXoverMode = nMode; }
    void SetBandIndex(int n) { m_nBandIndex = n; }
    void SetSlotIndex(int n) { m_nSlotIndex = n; }
    // The slider that mirrors this filter (a band's gain, a crossover's frequency); not owned.
    void SetLinkedCtrl(ILinkedSlider* pSlider) { m_pLinkedCtrl = pSlider; }
    void SetSpare(int n) { m_nSpare = n; }
    // Raw forms without the bypass rule (octaves, dB).
    void SetBandwidth(double dOct);
    void SetGain(double dDb);
    // Copies the sound values of another filter; the reference becomes the copied frequency.
    // Sets no stamp: the caller stamps.
    void CopyFrom(const CFilter& other);

    int GetType() const { return m_nType; }
    int GetFreq() const { return m_nFreq; }
    int GetFreqHz() const { return m_nFreq; }
    int GetRefFreq() const { return m_nRefFreq; }
    double GetGain() const { return m_dGain; }
    double GetBandwidth() const { return m_dBandwidth; }
    int GetFilterClass() const { return m_nClass; }
    int GetSlope() const { return m_nSlope; }
    int GetBandIndex() const { return m_nBandIndex; }
    int GetSlotIndex() const { return m_nSlotIndex; }
    int GetCurveMode() const { return m_nCurveMode; }
    int GetInputCrossoverMode() const { return m_nInputXoverMode; }
    int GetModified() const { return m_nModified; }
    BOOL GetFreqLock() const { return m_bFreqLock; }
    int GetSpare() const { return m_nSpare; }
    ILinkedSlider* GetLinkedCtrl() const { return m_pLinkedCtrl; }
    // The mute flag when set, else the bypass flag.
    BOOL IsBypassed() const { return m_bMute ? m_bMute : m_bBypass; }
    BOOL GetBypassFlag() const { return m_bBypass; }
    BOOL GetMuteFlag() const { return m_bMute; }
    // 200 (0.0 dB) while bypassed or muted, else round((gain + 20) * 10).
    int GetGainIndex() const;
    // round((bandwidth - 0.05) / 0.01) with the device's 0.05 bias.
    int GetBandwidthIndex() const;
    BYTE GetSlopeByte() const { return BYTE(m_nSlope); }
    BYTE GetClassByte() const { return BYTE(m_nClass); }
    BYTE GetTypeByte() const { return BYTE(m_nType); }
    BYTE GetBandIndexByte() const { return BYTE(m_nBandIndex); }
    // 0 PEQ, 1 + slope low shelf, 3 + slope high shelf.
    int GetEqKindCode() const;

    // Texts (g_bChinese picks the Chinese form where one exists). Out-of-range codes give "".
    CString GetFreqText() const;
    CString GetGainText() const;
    CString GetBandwidthText() const;
    CString GetQText() const;
    CString GetClassText() const;
    CString GetShelfSlopeText() const;
    CString GetCrossoverSlopeText() const;
    CString GetTypeText() const;

    // ---- response (FilterResponse.cpp) ----

    // Recomputes the 241 response values and the y of the curve polygon.
    void CalcResponse();
    const double* GetResponse() const { return m_dResponse; }

    // ---- handles and dragging on the response graph (FilterHandle.cpp) ----

    // Graph rectangle: stores its size, places the handles, sets the polygon, computes.
    void SetCurveRect(const CRect& rc);
    void CalcHandleRect();
    void CalcHandleAndLabelRects();
    void CalcBandwidthHandles();
    void CalcBandwidthHandlesAlt() { CalcBandwidthHandles(); }
    // Rebuilds and returns the label drawn beside the hot handle.
    CString UpdateLabelText();
    // Button down over the handle: remembers the grab offset from its centre.
    void BeginDrag(CPoint pt);
    // Button down over a bandwidth handle: remembers the grab offset of the dragged edge.
    void GetDragOffset(CPoint pt);
    // Mouse move while a band or shelf handle is dragged; TRUE when frequency or gain changed.
    BOOL DragHandle(CPoint pt);
    // Mouse move while a bandwidth handle is dragged; always TRUE.
    BOOL DragBandwidth(CPoint pt);
    // Mouse move while a crossover handle is dragged; nPartnerHz is the frequency of the
    // channel's other crossover filter. TRUE when the frequency changed.
    BOOL OnMouseDrag(CPoint pt, int nPartnerHz);
    BOOL DragCrossoverKind9(CPoint pt, int nPartnerHz);
    BOOL DragCrossoverKind10(CPoint pt, int nPartnerHz);
    BOOL DragCrossoverKind11(CPoint pt, int nPartnerHz);

    int GetGraphWidth() const { return m_nGraphWidth; }
    int GetGraphHeight() const { return m_nGraphHeight; }
    const CPoint* GetCurvePolygon() const { return m_ptCurve; }
    const CString& GetLabelText() const { return m_strLabel; }

    // Geometry and interaction state that the response graph reads and sets directly, all in
    // graph coordinates (plot + 40 in x, + 10 in y).
    CRect m_rcHandle;         // 16 x 16 drag handle
    CRect m_rcBwLeft;         // 8 x 8 lower bandwidth handle of a band
    CRect m_rcBwRight;        // 8 x 8 upper bandwidth handle
    CRect m_rcLabel;          // where the label is drawn
    BOOL m_bHandleHover = 0;  // pointer over the handle
    BOOL m_bLowerHover = 0;   // pointer over the lower bandwidth handle
    BOOL m_bUpperHover = 0;   // pointer over the upper bandwidth handle
    BOOL m_bHandleDrag = 0;   // the handle is being dragged
    BOOL m_bLeftEdgeDrag = 0;   // the lower bandwidth handle is being dragged
    BOOL m_bRightEdgeDrag = 0;  // the upper bandwidth handle is being dragged

private:
    void PlaceHandles();           // by curve mode
    void SetFlatResponse();        // all 0 dB, polygon on the 0 dB row
    void ApplyShelfLimit();        // low shelf <= 2000 Hz, high shelf >= 2000 Hz
    void CalcPeakResponse();
    void CalcShelfResponse();
    void CalcHighPassResponse();
    void CalcLowPassResponse();
    void CalcCrossoverResponse();
    void UpdatePolygonY();
    BOOL DragCrossover(CPoint pt, int nPartnerHz, bool bOffAtLeftEdge, bool bTweeterRule);

    double m_dResponse[FREQ_GRID_POINTS];  // dB at grid point i
    CPoint m_ptDragAnchor;                 // grab point minus handle centre during a drag
    int m_nLeftEdgeOffset = 0;
    int m_nRightEdgeOffset = 0;
    ILinkedSlider* m_pLinkedCtrl = nullptr;

    int m_nType = FILTER_PEQ;
    int m_nFreq = 1000;       // Hz, as the user set it
    int m_nRefFreq = 20;      // Hz, as the device is told it
    int m_nSlotIndex = 0;     // crossover drag rule: 8..12, 0 for input crossovers
    double m_dGain = 0.0;     // dB
    BOOL m_bBypass = 1;
    BOOL m_bMute = 0;
    BOOL m_bSavedMute = 0;
    double m_dBandwidth = 0.57;  // octaves
    int m_nClass = FILTER_CLASS_BESSEL;
    int m_nSlope = 1;
    int m_nBandIndex = 0;     // record number of the filter's frame
    int m_nGraphWidth = 0;    // plot size in pixels, 0 until SetCurveRect
    int m_nGraphHeight = 0;
    int m_nCurveMode = 1;     // 1 band handle with label and bandwidth handles, 0 crossover
    int m_nModified = 0;      // nonzero while the device lacks the current state
    int m_nSpare = -1;
    int m_nInputXoverMode = 0;  // 1: microphone, music-input and effect crossovers
    BOOL m_bFreqLock = 0;
    CPoint m_ptCurve[CURVE_POLYGON_POINTS];  // baseline, 241 curve points, baseline
    CString m_strLabel;
};
