#include "CMuteStatic.h"

#include "CWindowDC.h"
#include "Cursor.h"
#include "Globals.h"
#include "ModelUi.h"
#include "SkinHabits.h"

CMuteStatic::CMuteStatic() { m_hCursor = LoadHandCursor(m_hCursor); }

CMuteStatic::~CMuteStatic()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CMuteStatic::PreSubclassWindow() { ModifyStyle(0, SS_NOTIFY); }

void CMuteStatic::RedrawNow() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE); }

void CMuteStatic::SetTextColors(COLORREF clrOn, COLORREF clrOff)
{
    m_clrTextOn = clrOn;
    m_clrTextOff = clrOff;
    RedrawNow();
}

void CMuteStatic::SetBackColors(COLORREF clrOn, COLORREF clrOff)
{
    m_clrBackOn = clrOn;
    m_clrBackOff = clrOff;
    RedrawNow();
}

void CMuteStatic::SetTexts(LPCTSTR lpszOn, LPCTSTR lpszOff)
{
    m_strOn = lpszOn ? lpszOn : "";
    m_strOff = lpszOff ? lpszOff : "";
    RedrawNow();
}

void CMuteStatic::SetState(int nState)
{
    m_nState = nState;
    RedrawNow();
}

void CMuteStatic::SetFontMetrics(int nHeight, int nWeight)
{
    m_nFontHeight = nHeight;
    m_nFontWeight = nWeight;
    RedrawNow();
}

void CMuteStatic::ResetTexts(int)
{
    m_strOn = "On";
    m_strOff = "OFF";
}

void CMuteStatic::Paint(CDC* pDC, const CRect& rc)
{
    const bool on = m_nState != 0;
    pDC->SetTextColor(on ? m_clrTextOn : m_clrTextOff);
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(rc, on ? m_clrBackOn : m_clrBackOff);
    CFont font;
    if (!font.CreateFont(m_nFontHeight, 0, 0, 0, m_nFontWeight, FALSE, FALSE, FALSE, 0, 0, 0, 0, FF_SWISS, "Arial")) {
        ModelUi::Get().MessageBoxOk(g_bChinese ? "字体不能创建!" : "Font could not be created!", g_bChinese ? -2 : -3);
        return;
    }
    CFont* old = pDC->SelectObject(&font);
    CRect r = rc;
    pDC->DrawText(on ? m_strOn : m_strOff, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    pDC->SelectObject(old);
}

void CMuteStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Paint(&dc, rc);
}

BOOL CMuteStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    SetCursor(m_hCursor);
    return TRUE;
}
