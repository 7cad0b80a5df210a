// The progress bar: a position within a range, shown as a filled part from the left (from the
// bottom with PBS_VERTICAL).
//
// The messages keep their classic meaning, so a position can be posted from another thread
// (PBM_SETPOS) and lands on the user-interface thread: PBM_SETPOS holds the position within the
// range and repaints; PBM_STEPIT adds the step and wraps round to the lower end past the upper.
//
// User-interface thread (PostMessage of PBM_SETPOS from any).
#pragma once

#include "CWnd.h"

constexpr DWORD PBS_SMOOTH = 0x01;
constexpr DWORD PBS_VERTICAL = 0x04;

constexpr UINT PBM_SETRANGE = WM_USER + 1;    // lParam MAKELPARAM(lower, upper); returns the old
constexpr UINT PBM_SETPOS = WM_USER + 2;      // wParam position; returns the old one
constexpr UINT PBM_DELTAPOS = WM_USER + 3;    // wParam change
constexpr UINT PBM_SETSTEP = WM_USER + 4;     // wParam step; returns the old one
constexpr UINT PBM_STEPIT = WM_USER + 5;
constexpr UINT PBM_SETRANGE32 = WM_USER + 6;  // wParam lower, lParam upper
constexpr UINT PBM_GETRANGE = WM_USER + 7;    // wParam TRUE: the lower end, FALSE: the upper
constexpr UINT PBM_GETPOS = WM_USER + 8;

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) { SetRange32(nLower, nUpper); }
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, WPARAM(nLower), LPARAM(nUpper)); }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return m_nPos; }
    int SetPos(int nPos) { return int(SendMessage(PBM_SETPOS, WPARAM(nPos))); }
    int OffsetPos(int nPos) { return int(SendMessage(PBM_DELTAPOS, WPARAM(nPos))); }
    int SetStep(int nStep) { return int(SendMessage(PBM_SETSTEP, WPARAM(nStep))); }
    int StepIt() { return int(SendMessage(PBM_STEPIT)); }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int Hold(long long v) const;
    void Paint();

    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
    int m_nStep = 10;
};
