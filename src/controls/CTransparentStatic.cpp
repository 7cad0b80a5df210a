#include "CTransparentStatic.h"

#include "CWindowDC.h"
#include "SkinHabits.h"

void CTransparentStatic::SetTextColor(COLORREF clr)
{
    m_clrText = clr;
    Invalidate(TRUE);
}

void CTransparentStatic::SetText(LPCTSTR lpszText)
{
    const CString text = lpszText ? lpszText : "";
    if (text == m_strText)
        return;
    m_strText = text;
    SetWindowText(text);
}

HBRUSH CTransparentStatic::CtlColor(CDC* pDC, UINT)
{
    if (pDC)
        pDC->SetBkMode(TRANSPARENT);
    return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT CTransparentStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CStatic::WindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT && m_hWnd) {
        RepaintParentArea(this);
        if (CWnd* parent = GetParent())
            parent->UpdateWindow();
    }
    return result;
}

void CTransparentStatic::Paint(CDC* pDC, const CRect& rc)
{
    CString text;
    GetWindowText(text);
    CFont* old = GetFont() ? pDC->SelectObject(GetFont()) : nullptr;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_clrText);
    CRect r = rc;
    pDC->DrawText(text, &r, DrawTextFormatFromStyle(GetStyle()));
    if (old)
        pDC->SelectObject(old);
}

void CTransparentStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Paint(&dc, rc);
}
