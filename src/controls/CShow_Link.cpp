#include "CShow_Link.h"

void CShow_Link::PreSubclassWindow()
{
    const DWORD s = GetStyle();
    if ((s & 3) == 3) {
        m_nKind = 2;
    } else if ((s & 9) == 9) {
        m_nKind = 4;
    } else {
        m_nKind = 0;
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    }
}

void CShow_Link::StartBlink()
{
    m_bBlink = TRUE;
    m_bPhase = FALSE;
    SetTimer(SHOWLINK_BLINK_TIMER, SHOWLINK_BLINK_MS);
}

void CShow_Link::StopBlink()
{
    m_bBlink = FALSE;
    m_bPhase = FALSE;
    KillTimer(SHOWLINK_BLINK_TIMER);
    PaintNow();
}

COLORREF CShow_Link::CurrentTextColor() const
{
    if (!m_bBlink)
        return m_clrSteady;
    return m_bPhase ? m_clrBlinkOn : m_clrBlinkOff;
}

void CShow_Link::PaintNow()
{
    Invalidate(FALSE);
    UpdateWindow();
}

void CShow_Link::Paint(CDC* pDC, const CRect& rc)
{
    CString text;
    GetWindowText(text);
    pDC->FillSolidRect(rc, m_clrBack);  // also the text background
    pDC->SetTextColor(CurrentTextColor());
    if (m_pFont)
        pDC->SelectObject(m_pFont);
    pDC->SetBkMode(OPAQUE);
    CRect r = rc;
    r.right -= 19;
    pDC->DrawText(text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CShow_Link::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_nKind == 0) {
        if (CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC))
            Paint(pDC, lpDrawItemStruct->rcItem);
    } else if (m_nKind == 2) {
        CButton::DrawItem(lpDrawItemStruct);
    }
}

void CShow_Link::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SHOWLINK_BLINK_TIMER) {
        m_bPhase = !m_bPhase;
        PaintNow();
    }
    Default();
}
