#include "CMainFrame.h"

#include "GdiObjects.h"
#include "Texts.h"

CMainFrame::CMainFrame() { SetTitle(g_strProductName.c_str()); }

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.x = 0;
    cs.y = 0;
    cs.cx = FRAME_CX;
    cs.cy = FRAME_CY;
    cs.style &= ~(FWS_PREFIXTITLE | WS_THICKFRAME);
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(WS_CAPTION | WS_BORDER | WS_THICKFRAME, 0);
    CenterWindow();
    return 0;
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CMDIFrameWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_RESTORED || nType == SIZE_MAXIMIZED)
        SetWindowText(g_strProductName);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    rc.DeflateRect(REGION_CUT, REGION_CUT);
    CRgn rgn;
    rgn.CreateRectRgnIndirect(&rc);
    // The window owns the region from here on.
    SetWindowRgn(reinterpret_cast<HRGN>(rgn.Detach()), TRUE);
}

LRESULT CMainFrame::OnDisplayChange(WPARAM, LPARAM)
{
    SetWindowPos(nullptr, 0, 0, DISPLAY_CHANGE_CX, DISPLAY_CHANGE_CY, SWP_NOZORDER | SWP_SHOWWINDOW);
    return 1;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DISPLAYCHANGE)
        return OnDisplayChange(wParam, lParam);
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}
