// Notices of the common controls (up-down, tab, header): WM_NOTIFY with wParam the control id and
// lParam an NMHDR (or a larger record that starts with one). The parent's WindowProc offers the
// notice to the control first (reflection, CWnd::OnChildNotify), then calls its own OnNotify.
#pragma once

#include "WinDefs.h"

class CWnd;

struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
typedef NMHDR* LPNMHDR;

// Dialog codes (WM_GETDLGCODE): which keys a control keeps for itself.
constexpr UINT DLGC_WANTARROWS = 0x0001;
constexpr UINT DLGC_WANTTAB = 0x0002;
constexpr UINT DLGC_WANTALLKEYS = 0x0004;
constexpr UINT DLGC_WANTCHARS = 0x0080;

// Scroll codes of WM_HSCROLL / WM_VSCROLL.
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_ENDSCROLL = 8;

// Sends WM_NOTIFY with the record (its header filled in from the control) to the control's
// parent and returns the answer; 0 without a parent.
LRESULT SendNotify(CWnd* pCtl, NMHDR* pHdr, UINT nCode);
