#include "CTitleTip.h"

#include "CDC.h"
#include "WinApi.h"

CTitleTip::CTitleTip() = default;

CTitleTip::~CTitleTip() = default;

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    m_pOwnerWnd = pParentWnd;
    const CRect rc(0, 0, 0, 0);
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ZTitleTip", "", WS_POPUP | WS_BORDER, rc, pParentWnd, 0);
}

BOOL CTitleTip::NeedsTip(const CRect& rectCell, int nTextWidth, int xoffset)
{
    const int left = rectCell.left + xoffset;
    const int right = left + nTextWidth + xoffset;
    return right > rectCell.right - xoffset;
}

void CTitleTip::ShowTip(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset, LPRECT lpHoverRect,
                        const LOGFONT* lpLogFont)
{
    if (!m_hWnd || rectTitle.IsRectEmpty() || !m_pOwnerWnd)
        return;
    // The hover area in our own client coordinates, through the screen.
    m_rcHover = lpHoverRect ? CRect(*lpHoverRect) : rectTitle;
    m_pOwnerWnd->ClientToScreen(&m_rcHover);
    ScreenToClient(&m_rcHover);
    if (IsWindowVisible() || !CWnd::GetFocus())
        return;

    m_pOwnerWnd->ClientToScreen(&rectTitle);
    const CString text = CString(" ") + (lpszTitleText ? lpszTitleText : "") + " ";
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    CFont font;
    CFont* pOld = nullptr;
    if (lpLogFont && font.CreateFontIndirect(lpLogFont))
        pOld = pDC->SelectObject(&font);
    else if (m_pOwnerWnd->GetFont())
        pOld = pDC->SelectObject(m_pOwnerWnd->GetFont());
    const CSize size = pDC->GetTextExtent(text);  // scalable fonts have no overhang

    if (NeedsTip(rectTitle, size.cx, xoffset)) {
        CRect rectDisplay = rectTitle;
        rectDisplay.left += xoffset;
        rectDisplay.right = rectDisplay.left + size.cx + xoffset;
        SetWindowPos(&wndTop, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectDisplay.Height(),
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->FillSolidRect(0, 0, rectDisplay.Width(), rectDisplay.Height(), GetSysColor(COLOR_INFOBK));
        pDC->TextOut(0, 0, text);
        SetCapture();
    }
    if (pOld)
        pDC->SelectObject(pOld);
    ReleaseDC(pDC);
}

void CTitleTip::HideTip()
{
    if (!m_hWnd)
        return;
    if (CWnd::GetCapture() == this)
        ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rcHover.PtInRect(point))
        return;
    HideTip();
    if (!m_pOwnerWnd || !m_pOwnerWnd->m_hWnd)
        return;
    // The tip lies over its owner's cell: the owner is the window underneath.
    ClientToScreen(&point);
    m_pOwnerWnd->ScreenToClient(&point);
    m_pOwnerWnd->PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd != m_hWnd)
        return CWnd::PreTranslateMessage(pMsg);
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        CWnd* pOwner = m_pOwnerWnd;
        HideTip();
        if (pOwner && pOwner->m_hWnd) {
            CPoint pt = pMsg->pt;
            pOwner->ScreenToClient(&pt);
            pOwner->PostMessage(pMsg->message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
        }
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        HideTip();
        if (m_pOwnerWnd && m_pOwnerWnd->m_hWnd)
            m_pOwnerWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        break;
    }
    if (!CWnd::GetFocus()) {
        HideTip();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
