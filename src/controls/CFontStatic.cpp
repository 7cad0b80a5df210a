#include "CFontStatic.h"

#include "CDC.h"
#include "CWindowDC.h"
#include "Globals.h"
#include "ModelUi.h"
#include "SkinHabits.h"

void CFontStatic::PreSubclassWindow() { ModifyStyle(0, SS_NOTIFY); }

void CFontStatic::RepaintParentArea() { ::RepaintParentArea(this); }

void CFontStatic::SetFontStatic(const CString&, int nSize, COLORREF clrText, DWORD dwStyle)
{
    m_nFontSize = nSize;
    if (clrText == m_clrText)
        return;
    m_clrText = clrText;
    if (dwStyle & FS_NORMAL)
        m_bNormal = false;
    if (dwStyle & FS_BOLD)
        m_bBold = true;
    if (dwStyle & FS_ITALIC)
        m_bItalic = true;
    if (dwStyle & FS_UNDERLINED)
        m_bUnderlined = true;
    if (dwStyle & FS_STRIKETHROUGH)
        m_bStrikethrough = true;
    m_bCenter = m_bLeft = m_bRight = false;
    if (dwStyle & FS_CENTER)
        m_bCenter = true;
    else if (dwStyle & FS_RIGHT)
        m_bRight = true;
    else if (dwStyle & FS_LEFT)
        m_bLeft = true;
    else
        m_bCenter = true;
    RepaintParentArea();
}

void CFontStatic::SetTextColor(COLORREF clr)
{
    m_clrText = clr;
    PaintNow();
    RepaintParentArea();
}

void CFontStatic::SetText(const CString& strText)
{
    SetWindowText(strText);
    RepaintParentArea();
}

void CFontStatic::SetBackColor(COLORREF clr)
{
    m_clrBack = clr;
    m_bFillBackground = true;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CFontStatic::SetFontSize(int nSize)
{
    m_nFontSize = nSize;
    RepaintParentArea();
}

void CFontStatic::SetNumberFormat(int nFirst, int nSecond, int nOffset, const CString& strSuffix)
{
    m_nNumFirst = nFirst;
    m_nNumSecond = nSecond;
    m_nNumOffset = nOffset;
    m_strNumSuffix = strSuffix;
}

void CFontStatic::ShowNumber(int n) { SetText(std::to_string(n - m_nNumOffset) + m_strNumSuffix); }

void CFontStatic::StartBlink()
{
    m_bBlink = TRUE;
    m_nBlinkPhase = 0;
    SetTimer(FONTSTATIC_BLINK_TIMER, FONTSTATIC_BLINK_PERIOD_MS);
}

void CFontStatic::StopBlink()
{
    m_bBlink = FALSE;
    m_nBlinkPhase = 0;
    KillTimer(FONTSTATIC_BLINK_TIMER);
    PaintNow();
}

void CFontStatic::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != FONTSTATIC_BLINK_TIMER) {
        Default();
        return;
    }
    m_nBlinkPhase = m_nBlinkPhase ? 0 : 1;
    PaintNow();
}

void CFontStatic::PaintNow()
{
    // The label has no background of its own: the parent repaints under it, then it paints.
    if (!m_hWnd)
        return;
    RepaintParentArea();
    if (CWnd* parent = GetParent())
        parent->UpdateWindow();
}

COLORREF CFontStatic::CurrentTextColor() const
{
    if (m_bBlink)
        return m_nBlinkPhase ? FONTSTATIC_BLINK_LIGHT : FONTSTATIC_BLINK_RED;
    return m_clrText;
}

HBRUSH CFontStatic::CtlColor(CDC* pDC, UINT)
{
    if (pDC)
        pDC->SetBkMode(TRANSPARENT);
    return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CFontStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Paint(&dc, rc);
}

void CFontStatic::Paint(CDC* pDC, const CRect& rc)
{
    const CString text = GetWindowText();
    pDC->SetTextColor(CurrentTextColor());
    pDC->SetBkMode(TRANSPARENT);
    if (m_bFillBackground)
        pDC->FillSolidRect(rc, m_clrBack);
    CFont font;
    if (!font.CreateFont(m_nFontSize, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial")) {
        ModelUi::Get().MessageBoxOk(g_bChinese ? "字体不能创建!" : "Font could not be created!", g_bChinese ? -2 : -3);
        return;
    }
    CFont* old = pDC->SelectObject(&font);
    const UINT align = m_bLeft ? DT_LEFT : m_bRight ? DT_RIGHT : DT_CENTER;
    CRect r = rc;
    pDC->DrawText(text, &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    pDC->SelectObject(old);
}
