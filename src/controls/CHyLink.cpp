#include "CHyLink.h"

#include "CWindowDC.h"
#include "Cursor.h"
#include "GdiGlobals.h"
#include "SkinHabits.h"
#include "WinApi.h"

CHyLink::CHyLink() { m_hCursor = LoadHandCursor(m_hCursor); }

CHyLink::~CHyLink()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CHyLink::RedrawNow() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE); }

BOOL CHyLink::OnSetCursor(CWnd*, UINT, UINT)
{
    m_hCursor = LoadHandCursor(m_hCursor);
    SetCursor(m_hCursor ? m_hCursor : LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

void CHyLink::OnMouseMove(UINT, CPoint point)
{
    Default();
    SetCapture();
    CRect rc;
    GetClientRect(&rc);
    if (!m_bHover) {
        m_bHover = TRUE;
        RedrawNow();
        SetCapture();
    } else if (!rc.PtInRect(point)) {
        m_bHover = FALSE;
        ReleaseCapture();
        RedrawNow();
    } else {
        RedrawNow();
    }
}

HBRUSH CHyLink::CtlColor(CDC* pDC, UINT)
{
    if (pDC) {
        pDC->SetTextColor(CurrentTextColor());
        pDC->SetBkMode(TRANSPARENT);
    }
    return g_brushDlgBack;
}

BOOL CHyLink::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        ReleaseCapture();
        RedrawNow();
        CString address;
        GetWindowText(address);
        // The desktop's answer is not checked: a link that does not open changes nothing here.
        ShellExecute(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWMINIMIZED);
        *pResult = 0;
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

void CHyLink::Paint(CDC* pDC, const CRect& rc)
{
    CString text;
    GetWindowText(text);
    pDC->SetTextColor(CurrentTextColor());
    pDC->FillSolidRect(rc, m_clrBack);
    CFont* old = GetFont() ? pDC->SelectObject(GetFont()) : nullptr;
    CRect r = rc;
    pDC->DrawText(text, &r, DrawTextFormatFromStyle(GetStyle()));
    if (old)
        pDC->SelectObject(old);
}

void CHyLink::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Paint(&dc, rc);
}
