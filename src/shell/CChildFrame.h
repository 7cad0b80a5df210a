// The document's frame inside the main frame's client window: no title bar, border or system
// menu, 1254 x 775 at the client area's top-left corner. It makes and owns the main view, hands
// it the document's scene object and runs the view's initial update. User-interface thread.
#pragma once

#include "CFrameWnd.h"

#include <memory>

class CKRV330View;

constexpr UINT IDR_KRV330TYPE = 129;

class CChildFrame : public CMDIChildWnd {
public:
    static constexpr int FRAME_CX = 1254;
    static constexpr int FRAME_CY = 775;

    CChildFrame();
    // The view's window goes with the frame's; the view object with the frame.
    ~CChildFrame() override;

    // The main view; null before the frame's creation made it.
    CKRV330View* GetView() const { return m_pView.get(); }

    // The view's initial update, then the frame shows.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) override;

protected:
    // At (0, 0), 1254 x 775; no system menu, title prefix, border, sizing frame or client edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Drops the title bar and the sizing frame.
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    // The view fills the frame; it works on the document's scene object.
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

private:
    std::unique_ptr<CKRV330View> m_pView;
};
