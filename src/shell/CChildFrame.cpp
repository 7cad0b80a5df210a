#include "CChildFrame.h"

#include "CKRV330Doc.h"
#include "CKRV330View.h"

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame()
{
    if (GetSafeHwnd())
        DestroyWindow();
    m_pView.reset();
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~(WS_SYSMENU | FWS_PREFIXTITLE | WS_BORDER | WS_THICKFRAME);
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.x = 0;
    cs.y = 0;
    cs.cx = FRAME_CX;
    cs.cy = FRAME_CY;
    return TRUE;
}

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    return 0;
}

BOOL CChildFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    auto* pDoc = pContext ? dynamic_cast<CKRV330Doc*>(pContext->m_pCurrentDoc) : nullptr;
    if (!pDoc)
        return FALSE;
    m_pView = std::make_unique<CKRV330View>();
    pDoc->AttachView(*m_pView);
    CRect rc;
    GetClientRect(&rc);
    return m_pView->CreateView(this, rc);
}

void CChildFrame::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (m_pView)
        m_pView->OnInitialUpdate();
    CMDIChildWnd::InitialUpdateFrame(pDoc, bMakeVisible);
}
