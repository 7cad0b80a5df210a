// The up-down control: two arrow buttons that step a 32-bit position, usually beside a buddy
// edit whose value it stands for.
//
// Each step first asks the parent with WM_NOTIFY UDN_DELTAPOS (an NMUPDOWN with the position and
// the proposed change; the control itself sees it first by reflection). A nonzero answer refuses
// the step; otherwise the position moves by the (possibly changed) delta, held within the range
// (wrapping round with UDS_WRAP), the buddy shows it with UDS_SETBUDDYINT, and the parent gets
// WM_VSCROLL (WM_HSCROLL with UDS_HORZ) SB_THUMBPOSITION with the position.
//
// Mouse: a left press on an arrow captures the mouse and steps once; while it is held over that
// arrow the control steps again after 400 ms and then every 100 ms; the release ends with
// SB_ENDSCROLL. The upper (right) arrow steps towards the upper end of the range. One notch of
// the wheel is one step in its direction.
//
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "CommCtrl.h"

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

constexpr UINT UDN_DELTAPOS = UINT(-722);

struct NMUPDOWN {
    NMHDR hdr;
    int iPos;    // the position before the step
    int iDelta;  // the proposed change; a handler may alter it
};
typedef NMUPDOWN* LPNMUPDOWN;

// Timer of the held arrow (the control's own; derived classes use other ids).
constexpr UINT_PTR UD_REPEAT_TIMER = 0xF0F0;

class CSpinButtonCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Returns the previous buddy; not owned.
    virtual CWnd* SetBuddy(CWnd* pWndBuddy);
    virtual CWnd* GetBuddy() const { return m_pBuddy; }
    void SetRange32(int nLower, int nUpper);
    virtual void GetRange32(int& nLower, int& nUpper) const;
    // Returns the previous position; the new one is held within the range.
    int SetPos32(int nPos);
    int GetPos32() const { return m_nPos; }

    // The arrow under a client point: +1 the upper (right) one, -1 the lower (left) one, 0 none.
    int ArrowAt(CPoint point) const;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // One step of nArrow (+1 / -1) through UDN_DELTAPOS; false when refused.
    bool Step(int nArrow);
    void Scroll(UINT nCode);
    void EndPress();
    void Paint();

    CWnd* m_pBuddy = nullptr;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
    int m_nHeld = 0;       // the arrow held down, 0 when none
    bool m_bRepeating = false;
};
