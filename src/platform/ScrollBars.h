// Window scroll bars: the horizontal and vertical bar a window keeps at its bottom and right
// edges, as child widgets over its client area. The bars hold the range, page and position;
// the window moves its content itself when told through WM_HSCROLL / WM_VSCROLL (scroll code in
// the low word, the thumb position in the high word of wParam).
//
// A range whose scrollable part is empty (nMax - nPage + 1 <= nMin, or nMin == nMax) hides the
// bar. User-interface thread; the bars live as long as the object (or the window).
#pragma once

#include "CommCtrl.h"
#include "WinDefs.h"

#include <memory>

class CWnd;

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;

constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINELEFT = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_LINERIGHT = 1;
constexpr UINT SB_PAGEUP = 2;
constexpr UINT SB_PAGELEFT = 2;
constexpr UINT SB_PAGEDOWN = 3;
constexpr UINT SB_PAGERIGHT = 3;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_TOP = 6;
constexpr UINT SB_LEFT = 6;
constexpr UINT SB_BOTTOM = 7;
constexpr UINT SB_RIGHT = 7;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

class CWndScrollBars {
public:
    CWndScrollBars();
    ~CWndScrollBars();
    CWndScrollBars(const CWndScrollBars&) = delete;
    CWndScrollBars& operator=(const CWndScrollBars&) = delete;

    // Puts the bars on the window (call once it has a window; again after a new window).
    void Attach(CWnd* pWnd);
    void Detach();

    // Sets the members named by fMask; the position is kept inside nMin .. nMax - nPage + 1.
    // Returns the position after the change.
    int SetScrollInfo(int nBar, const SCROLLINFO* pInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, SCROLLINFO* pInfo) const;
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw = TRUE);
    BOOL IsVisible(int nBar) const;
    // Thickness of a bar in pixels.
    static int BarSize();
    // The window's client rectangle less the shown bars.
    void AdjustClientRect(LPRECT pRect) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
