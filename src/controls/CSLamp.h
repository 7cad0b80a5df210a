// A row of twelve lamp segments set from one status byte: nine green segments lit from the left
// by a count (low four bits, 0..9; 10..15 leave them as they are), then one amber (bit 0x40),
// one orange (bit 0x20) and one red (bit 0x10). Segments are a thirteenth of the width wide,
// one pixel apart, under a one-pixel strip of background. It repaints only when a segment
// changed (or after Clear). A new lamp shows all twelve lit until its first SetLevel.
// User-interface thread.
#pragma once

#include "CDC.h"
#include "CStatic.h"

class CSLamp : public CStatic {
public:
    static constexpr int kSegments = 12;

    CSLamp();

    // Takes the client rectangle: segment width = width / 13, height = the client's bottom.
    void CalcLayout();
    void SetLevel(BYTE status);
    // Everything off; the next SetLevel repaints whatever it sets.
    void Clear();

    BOOL IsLit(int nSegment) const { return m_bLit[nSegment]; }
    BOOL IsRepaintPending() const { return m_bPending; }
    int GetSegmentWidth() const { return m_nSegWidth; }
    // The colour of a segment as it shows.
    COLORREF SegmentColor(int nSegment) const;
    // Paints background and segments over rc (client coordinates).
    void Paint(CDC* pDC, const CRect& rc);

    // Which segments a status byte lights, given those lit before (a count of 10..15 keeps
    // segments 0..8).
    static void LevelToLit(BYTE status, BOOL lit[kSegments]);

protected:
    void OnPaint() override;

private:
    CRect m_rcSeg;
    CRect m_rcClient;
    int m_nSegWidth = 0;
    int m_nSegHeight = 0;
    BOOL m_bLit[kSegments];
    BOOL m_bPainted[kSegments];
    BOOL m_bPending = TRUE;
};
