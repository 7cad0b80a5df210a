#include "CFrameWnd.h"

#include "CWinApp.h"
#include "WinApi.h"

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDResource = nIDResource;
    CWnd* parent = FrameParent(pParentWnd);
    CREATESTRUCT cs{parent ? parent->m_hWnd : nullptr,
                    0,
                    DEFAULT_X,
                    DEFAULT_Y,
                    DEFAULT_CX,
                    DEFAULT_CY,
                    dwDefaultStyle,
                    0,
                    m_strTitle.c_str()};
    if (!PreCreateWindow(cs))
        return FALSE;
    m_dwCreateStyle = cs.style;
    m_pCreateContext = pContext;
    // The frame bits are no window styles.
    const DWORD style = cs.style & ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    const BOOL ok = CreateEx(cs.dwExStyle, nullptr, m_strTitle.c_str(), style,
                             CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy), parent, cs.nID);
    m_pCreateContext = nullptr;
    return ok;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) { return TRUE; }

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return OnCreateClient(lpCreateStruct, m_pCreateContext) ? 0 : -1;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    if (bMakeVisible)
        ShowWindow(SW_SHOW);
}

void CFrameWnd::OnDestroy()
{
    CWnd::OnDestroy();
    if (AfxGetMainWnd() == this)
        PostQuitMessage(0);
}

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    CRect rc;
    GetClientRect(&rc);
    // The client window first: the frame's client windows go into it.
    if (!m_wndMDIClient.Create(nullptr, "", WS_CHILD | WS_VISIBLE, rc, this, ID_MDICLIENT))
        return -1;
    return CFrameWnd::OnCreate(lpCreateStruct);
}

void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (m_wndMDIClient.GetSafeHwnd() && nType != SIZE_MINIMIZED)
        m_wndMDIClient.MoveWindow(0, 0, cx, cy);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

CWnd* CMDIChildWnd::FrameParent(CWnd* pParentWnd)
{
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
    CWnd* pClient = pFrame ? pFrame->GetMDIClient() : nullptr;
    return pClient ? pClient : pParentWnd;
}
