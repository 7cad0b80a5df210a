#include "CHeaderCtrlCl.h"

#include "CDC.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"

#include <algorithm>

COLORREF CHeaderCtrlCl::RowColour(int nRow) const
{
    auto ch = [this, nRow](int start) { return std::max(0, start - nRow * m_Gradient); };
    return RGB(ch(m_R), ch(m_G), ch(m_B));
}

void CHeaderCtrlCl::FillGradient(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom) const
{
    // One-pixel rows from the top to the bottom row inclusive.
    for (int y = nTop; y <= nBottom; ++y)
        pDC->FillSolidRect(CRect(nLeft, y, nRight, y + 1), RowColour(y - nTop));
}

void CHeaderCtrlCl::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CHeaderCtrlCl::Paint(CDC* pDC)
{
    const int count = GetItemCount();
    CFont* font = g_bChinese ? &g_fontListSimSun16 : &g_fontListArial16;
    CFont* oldFont = font->GetSafeHandle() ? pDC->SelectObject(font) : nullptr;
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_color);
    CRect last;
    for (int i = 0; i < count; ++i) {
        CRect rc;
        GetItemRect(i, &rc);
        last = rc;
        FillGradient(pDC, rc.left + 1, rc.top, rc.right, rc.bottom);
        // A column without a title or alignment character shows no title, centred.
        const char align = size_t(i) < m_Format.size() ? m_Format[size_t(i)] : '1';
        UINT fmt = DT_CENTER;
        if (align == '0') {
            fmt = DT_LEFT;
            rc.left += 3;
        } else if (align == '2') {
            fmt = DT_RIGHT;
            rc.right -= 3;
        }
        rc.OffsetRect(0, (rc.Height() - tm.tmHeight) / 2);
        if (size_t(i) < m_HChar.size())
            pDC->DrawText(m_HChar[size_t(i)], &rc, fmt);
    }
    CRect client;
    GetClientRect(&client);
    if (count > 0 && last.right + 1 < client.right)
        FillGradient(pDC, last.right + 1, last.top, client.right, last.bottom);
    if (oldFont)
        pDC->SelectObject(oldFont);
}

LRESULT CHeaderCtrlCl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CHeaderCtrl::DefWindowProc(message, wParam, lParam);
    if (message == HDM_LAYOUT && result) {
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        layout->pwpos->cy = int(layout->pwpos->cy * m_Height);
        layout->prc->top = layout->pwpos->y + layout->pwpos->cy;
    }
    return result;
}
