// The drawn response curve of a channel in both forms the graphs use: integer points for
// plain polylines and float points for anti-aliased drawing, on the 241-point frequency grid,
// in graph coordinates (plot offset 40 in x, 10 in y).
//
// Thread: user-interface thread (the response graphs).
#pragma once

#include "CKTVEQ.h"
#include "Geometry.h"

class CChannelCurve {
public:
    // Graph size from the rectangle; x of both forms on the grid, integer y on the middle row.
    void SetRect(const CRect& rc);
    // x of the float points only.
    void SetFloatX();
    // Copies the y values of the band list's curves (integer, float or both).
    void CopyY(const CKTVEQ& eq, bool bInt, bool bFloat);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    const CPoint* GetPoints() const { return m_pt; }
    const CurvePointF* GetFloatPoints() const { return m_ptf; }

private:
    CPoint m_pt[FREQ_GRID_POINTS];
    CurvePointF m_ptf[FREQ_GRID_POINTS];
    int m_nWidth = 0;
    int m_nHeight = 0;
};
