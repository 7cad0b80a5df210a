// The program's progress bar: the filled part shows a colour gradient laid across the whole
// length of the bar (red at the start, blue at the end by default), in stripes, one per colour
// step; the rest is the background colour. Optionally the percentage is written over it.
//
// The bar keeps its own copy of range and position. SetPos only stores (at most the upper
// bound) and posts PBM_SETPOS to the bar, so that all painting happens on the user-interface
// thread. The link reaches a bar through CGradientProgressLink (below), never directly.
// User-interface thread.
#pragma once

#include "CProgressCtrl.h"
#include "LinkProgress.h"

#include <atomic>
#include <vector>

class CDC;

// A position handed over by CGradientProgressLink from another thread (wParam the position).
constexpr UINT GPM_LINKPOS = WM_USER + 600;

// One stripe of the gradient: [nFrom, nTo) along the bar, in colour clr.
struct GradientStripe {
    int nFrom;
    int nTo;
    COLORREF clr;
};

class CGradientProgressCtrl : public CProgressCtrl {
public:
    CGradientProgressCtrl();

    // Both bounds; the position goes to the lower bound.
    void SetRange(int nLower, int nUpper);
    int GetRangeUpper() const { return m_nUpper; }
    int GetRangeLower() const { return m_nLower; }
    // Position := min(nPos, upper); posts PBM_SETPOS with it to the bar.
    int SetPos(int nPos);
    int GetPos() const { return m_nPos; }
    void SetStep(int nStep);
    // Position += step, without limit or wrap.
    int StepIt();
    void ShowPercent(BOOL bShow) { m_bShowPercent = bShow; }

    COLORREF GetStartColor() const { return m_clrStart; }
    COLORREF GetEndColor() const { return m_clrEnd; }
    COLORREF GetBkColor() const { return m_clrBkGround; }
    // The colour of the part the bar has not reached; repaints.
    void SetBkColor(COLORREF clr);

    // The stripes that fill nFilled of a bar nLength long, and where the background begins
    // (nLength when the last stripe reaches the end).
    static std::vector<GradientStripe> Stripes(COLORREF clrStart, COLORREF clrEnd, int nLength, int nFilled,
                                               int* pBackgroundFrom);
    // The percentage text of a position ("%3.0f %%" at the upper bound, else "%3.2f %%").
    static CString PercentText(int nPos, int nLower, int nUpper);

    // Paints the bar into pDC over the client rectangle (what WM_PAINT shows).
    void Paint(CDC* pDC);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

protected:
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;

private:
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    int m_nPos = 0;
    COLORREF m_clrStart = 0x0000FF;
    COLORREF m_clrEnd = 0xFF0000;
    COLORREF m_clrBkGround;
    COLORREF m_clrText = 0x000000;
    BOOL m_bShowPercent = FALSE;
};

// The link's view of one bar (LinkProgress.h): the reply engine sets the position from the comm
// worker while it holds g_csComm, so this keeps its own copy of position and upper bound in
// atomics and hands each new position to the bar with a posted message; it never waits for the
// user-interface thread and never touches the bar object from another thread.
//
// Made and configured on the user-interface thread after the bar's window exists; the owner
// points g_pProgress / g_pUpdateProgress at it under g_csComm and clears the pointer before the
// bar goes.
class CGradientProgressLink : public ILinkProgress {
public:
    explicit CGradientProgressLink(CGradientProgressCtrl* pBar);

    // User-interface thread: the bar's range and the copy the link reads.
    void SetRange(int nLower, int nUpper);

    // Any thread.
    void SetPos(int nPos) override;
    int GetPos() const override { return m_nPos.load(); }
    int GetUpper() const override { return m_nUpper.load(); }

private:
    CGradientProgressCtrl* m_pBar;  // user-interface thread only
    const HWND m_hBar;
    std::atomic<int> m_nPos;
    std::atomic<int> m_nUpper;
};
