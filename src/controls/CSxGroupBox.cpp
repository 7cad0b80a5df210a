#include "CSxGroupBox.h"

#include "CDC.h"
#include "CWindowDC.h"
#include "WinApi.h"

#include <QWidget>

#include <cstring>

namespace {

// A point font for the screen: tenths of a point at 96 DPI.
void MakePointFont(CFont& font, int nTenths, int nWeight, const char* face)
{
    LOGFONT lf{};
    lf.lfHeight = -(nTenths * 96 + 360) / 720;
    lf.lfWeight = nWeight;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 2;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

}  // namespace

CSxGroupBox::CSxGroupBox()
    : m_clrDark(GetSysColor(COLOR_BTNSHADOW)), m_clrLight(GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_clrDefaultDark(GetSysColor(COLOR_BTNSHADOW)), m_clrDefaultLight(GetSysColor(COLOR_BTNHIGHLIGHT))
{
    MakePointFont(m_fontCaption, 100, FW_BOLD, "Arial");
}

CSxGroupBox::~CSxGroupBox() = default;

void CSxGroupBox::PreSubclassWindow() { TakeOverWindow(); }

void CSxGroupBox::TakeOverWindow()
{
    // A group box lets the pointer through to the controls it frames.
    if (QWidget* w = GetWidget())
        w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    m_strCaption = GetWindowText();
    switch (GetStyle() & BS_CENTER) {
    case BS_RIGHT: m_nAlign = SXGB_RIGHT; break;
    case BS_CENTER: m_nAlign = SXGB_CENTER; break;
    default: m_nAlign = SXGB_LEFT; break;
    }
    GetWindowRect(&m_rcFrame);
    ScreenToClient(&m_rcFrame);
    const DWORD ex = GetExStyle();
    const int cxEdge = GetSystemMetrics(SM_CXEDGE), cyEdge = GetSystemMetrics(SM_CYEDGE);
    if (ex & WS_EX_DLGMODALFRAME) {
        m_rcFrame.DeflateRect(2 * cxEdge, 2 * cyEdge);
        m_rcFrame.left -= 1;
    }
    if (ex & WS_EX_CLIENTEDGE) {
        m_rcFrame.DeflateRect(cxEdge + 1, cyEdge + 1);
        m_rcFrame.left -= 1;
        if (ex & WS_EX_DLGMODALFRAME)
            m_rcFrame.right += 1;
    }
    if (ex & WS_EX_STATICEDGE) {
        m_rcFrame.DeflateRect(2 * GetSystemMetrics(SM_CXBORDER), 2 * GetSystemMetrics(SM_CYBORDER));
        m_rcFrame.left -= 1;
    }
    m_nFrameStyle = SXGB_ETCHED;
    m_bNoCaption = (ex & 0xC0) != 0;
}

void CSxGroupBox::SetText(const CString& strText, BOOL bRedraw)
{
    m_strCaption = strText;
    SetWindowText(strText);
    if (bRedraw && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSxGroupBox::SetColors(COLORREF clrDark, COLORREF clrLight, BOOL bRedraw)
{
    m_clrDark = clrDark ? clrDark : m_clrDefaultDark;
    m_clrLight = clrLight ? clrLight : m_clrDefaultLight;
    if (bRedraw && m_hWnd)
        Invalidate(FALSE);
}

void CSxGroupBox::GetColors(COLORREF& clrDark, COLORREF& clrLight) const
{
    clrDark = m_clrDark;
    clrLight = m_clrLight;
}

void CSxGroupBox::SetTextColor(COLORREF clr, BOOL bRedraw)
{
    m_clrText = clr;
    if (bRedraw && m_hWnd)
        Invalidate(TRUE);
}

void CSxGroupBox::SetFont(const LOGFONT* pLogFont)
{
    if (!pLogFont) {
        MakePointFont(m_fontCaption, 80, FW_NORMAL, "MS Sans Serif");
        return;
    }
    m_fontCaption.DeleteObject();
    m_fontCaption.CreateFontIndirect(pLogFont);
}

void CSxGroupBox::SetAlignment(int nAlign)
{
    m_nAlign = (nAlign == SXGB_RIGHT || nAlign == SXGB_CENTER) ? nAlign : SXGB_LEFT;
}

void CSxGroupBox::SetMargins(int nMargin, int nRise)
{
    m_nMargin = nMargin;
    m_nRise = nRise;
}

void CSxGroupBox::SetFrameStyle(int nStyle)
{
    m_nFrameStyle = (nStyle == SXGB_RAISED || nStyle == SXGB_FLAT) ? nStyle : SXGB_ETCHED;
}

void CSxGroupBox::Refresh()
{
    if (!m_hWnd)
        return;
    TakeOverWindow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSxGroupBox::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CSxGroupBox::CaptionGap(CDC* pDC, int& x1, int& x2, int& y)
{
    const int h0 = pDC->GetTextExtent(m_strCaption).cy;
    CFont* old = pDC->SelectObject(&m_fontCaption);
    const int w = m_strCaption.empty() ? 0 : pDC->GetTextExtent(m_strCaption).cx;
    if (old)
        pDC->SelectObject(old);
    y = m_rcFrame.top + h0 / 2 - 1;
    switch (m_nAlign) {
    case SXGB_RIGHT:
        x2 = m_rcFrame.right - m_nMargin;
        x1 = x2 - w;
        break;
    case SXGB_CENTER:
        x1 = (m_rcFrame.Width() - w) / 2;
        x2 = x1 + w;
        break;
    default:
        x1 = m_rcFrame.left + m_nMargin;
        x2 = x1 + w;
        break;
    }
}

void CSxGroupBox::Paint(CDC* pDC)
{
    const int saved = pDC->SaveDC();
    int x1 = 0, x2 = 0, y = 0;
    CaptionGap(pDC, x1, x2, y);
    const bool enabled = IsWindowEnabled() != FALSE;
    CPen dark(PS_SOLID, m_nLineWidth, enabled ? m_clrDark : m_clrDefaultDark);
    CPen light(PS_SOLID, m_nLineWidth, enabled ? m_clrLight : m_clrDefaultLight);
    const int l = m_rcFrame.left, t = y, r = m_rcFrame.right, b = m_rcFrame.bottom, d = m_nLineWidth;
    auto path = [pDC](CPen& pen, std::initializer_list<CPoint> pts) {
        pDC->SelectObject(&pen);
        auto it = pts.begin();
        pDC->MoveTo(*it);
        for (++it; it != pts.end(); ++it)
            pDC->LineTo(*it);
    };
    if (m_nFrameStyle == SXGB_RAISED || m_nFrameStyle == SXGB_FLAT) {
        path(dark, {CPoint(x1, t), CPoint(l, t), CPoint(l, b), CPoint(r, b), CPoint(r, t), CPoint(x2, t)});
        if (m_nFrameStyle == SXGB_RAISED)
            path(light, {CPoint(x1, t - d), CPoint(l - d, t - d), CPoint(l - d, b + d), CPoint(r + d, b + d),
                         CPoint(r + d, t - d), CPoint(x2, t - d)});
    } else {
        path(dark, {CPoint(x1, t), CPoint(l, t), CPoint(l, b - d), CPoint(r - d, b - d), CPoint(r - d, t),
                    CPoint(x2, t)});
        path(light, {CPoint(x1, t + d), CPoint(l + d, t + d), CPoint(l + d, b - 2 * d)});
        path(light, {CPoint(l + d, b), CPoint(r, b), CPoint(r, t + d)});
        path(light, {CPoint(r - 2 * d, t + d), CPoint(x2, t + d)});
    }
    if (!m_strCaption.empty() && !m_bNoCaption && enabled) {
        pDC->SelectObject(&m_fontCaption);
        pDC->SetTextColor(m_clrText);
        pDC->SetBkMode(TRANSPARENT);
        CRect text(x1, y - m_nRise, x2, y);
        pDC->DrawText(m_strCaption, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    pDC->RestoreDC(saved);
}
