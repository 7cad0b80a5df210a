// The program's one top-level window: no title bar, border or sizing frame, a fixed size, and a
// window region that cuts 2 pixels off every edge (1204 x 699 shows 1200 x 695). Its client
// window holds the one child frame with the main view. The user moves it by dragging the view
// and minimises or closes it with the view's own buttons.
//
// Sizes change only on a display change: the frame then sits at the screen's top-left corner,
// 1254 x 706 (the new screen size is not looked at). User-interface thread.
#pragma once

#include "CFrameWnd.h"

constexpr UINT IDR_MAINFRAME = 128;

class CMainFrame : public CMDIFrameWnd {
public:
    static constexpr int FRAME_CX = 1204;  // at creation
    static constexpr int FRAME_CY = 699;
    static constexpr int DISPLAY_CHANGE_CX = 1254;  // after a display change
    static constexpr int DISPLAY_CHANGE_CY = 706;
    static constexpr int REGION_CUT = 2;  // pixels the region takes off each edge

    // Title from the product name.
    CMainFrame();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // At (0, 0), 1204 x 699; no sizing frame, no title prefix, no client edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Drops the title bar, border and sizing frame, then centres the frame on the screen.
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    // Restored or maximised: the title is the product name again. Every size: the region.
    void OnSize(UINT nType, int cx, int cy) override;
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
};
