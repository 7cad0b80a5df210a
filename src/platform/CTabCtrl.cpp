#include "CTabCtrl.h"

#include "CWindowDC.h"
#include "WinApi.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kRowLeft = 2;
constexpr int kRowTop = 2;
constexpr int kPadX = 6;
constexpr int kPadY = 6;
constexpr int kBodyMargin = 4;  // between the body frame and the display area

}  // namespace

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SysTabControl32", "", dwStyle, rect, pParentWnd, nID);
}

int CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    if (nItem < 0)
        return -1;
    nItem = std::min(nItem, GetItemCount());
    m_items.insert(m_items.begin() + nItem, Item{lpszItem ? lpszItem : "", nImage});
    if (m_nCurSel < 0)
        m_nCurSel = 0;
    else if (nItem <= m_nCurSel && GetItemCount() > 1)
        ++m_nCurSel;
    Invalidate();
    return nItem;
}

BOOL CTabCtrl::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + nItem);
    if (m_items.empty())
        m_nCurSel = -1;
    else if (nItem < m_nCurSel || m_nCurSel >= GetItemCount())
        --m_nCurSel;
    Invalidate();
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems()
{
    m_items.clear();
    m_nCurSel = -1;
    Invalidate();
    return TRUE;
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pItem) const
{
    if (!pItem || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    const Item& it = m_items[size_t(nItem)];
    if ((pItem->mask & TCIF_TEXT) && pItem->pszText && pItem->cchTextMax > 0) {
        const size_t n = std::min(it.text.size(), size_t(pItem->cchTextMax - 1));
        std::memcpy(pItem->pszText, it.text.data(), n);
        pItem->pszText[n] = '\0';
    }
    if (pItem->mask & TCIF_IMAGE)
        pItem->iImage = it.image;
    return TRUE;
}

int CTabCtrl::SetCurSel(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return -1;
    const int old = m_nCurSel;
    m_nCurSel = nItem;
    Invalidate();
    return old;
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    const CSize old = m_itemSize;
    m_itemSize = size;
    Invalidate();
    return old;
}

int CTabCtrl::RowHeight() const
{
    if (m_itemSize.cy > 0)
        return m_itemSize.cy;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    if (GetFont())
        dc.SelectObject(GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    return tm.tmHeight + kPadY;
}

int CTabCtrl::TabWidth(const Item& item) const
{
    if ((GetStyle() & TCS_FIXEDWIDTH) && m_itemSize.cx > 0)
        return m_itemSize.cx;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    if (GetFont())
        dc.SelectObject(GetFont());
    return dc.GetTextExtent(item.text).cx + 2 * kPadX;
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    if (!lpRect || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    int x = kRowLeft;
    for (int i = 0; i < nItem; ++i)
        x += TabWidth(m_items[size_t(i)]);
    *lpRect = CRect(x, kRowTop, x + TabWidth(m_items[size_t(nItem)]), kRowTop + RowHeight());
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) const
{
    if (!lpRect)
        return;
    const int top = kRowTop + RowHeight() + kBodyMargin;
    if (bLarger) {
        lpRect->left -= kBodyMargin;
        lpRect->right += kBodyMargin;
        lpRect->top -= top;
        lpRect->bottom += kBodyMargin;
    } else {
        lpRect->left += kBodyMargin;
        lpRect->right -= kBodyMargin;
        lpRect->top += top;
        lpRect->bottom -= kBodyMargin;
    }
}

int CTabCtrl::HitTest(TCHITTESTINFO* pInfo) const
{
    if (!pInfo)
        return -1;
    pInfo->flags = TCHT_NOWHERE;
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rc;
        GetItemRect(i, &rc);
        if (rc.PtInRect(pInfo->pt)) {
            pInfo->flags = TCHT_ONITEM;
            return i;
        }
    }
    return -1;
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CTabCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN: {
        TCHITTESTINFO hit{CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), 0};
        const int tab = HitTest(&hit);
        if (tab < 0 || tab == m_nCurSel || !IsWindowEnabled())
            return 0;
        NMHDR hdr{};
        if (SendNotify(this, &hdr, TCN_SELCHANGING) != 0 || !m_hWnd)
            return 0;
        SetCurSel(tab);
        SendNotify(this, &hdr, TCN_SELCHANGE);
        return 0;
    }
    case WM_ENABLE:
        Invalidate();
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CTabCtrl::Paint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect body = client;
    body.top = kRowTop + RowHeight();
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    dc.Draw3dRect(body, light, dark);
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const bool ownerDraw = (GetStyle() & TCS_OWNERDRAWFIXED) != 0;
    // The selected tab last, 2 pixels larger, over its neighbours and the body's top edge.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < GetItemCount(); ++i) {
            const bool selected = i == m_nCurSel;
            if (selected != (pass == 1))
                continue;
            CRect rc;
            GetItemRect(i, &rc);
            if (selected)
                rc.InflateRect(2, 2);
            dc.FillSolidRect(CRect(rc.left, rc.top, rc.right, rc.bottom + (selected ? 1 : 0)),
                             GetSysColor(COLOR_BTNFACE));
            dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), light);
            dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, light);
            dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), dark);
            if (ownerDraw) {
                DRAWITEMSTRUCT dis{ODT_TAB, UINT(GetDlgCtrlID()), UINT(i), ODA_DRAWENTIRE,
                                   selected ? ODS_SELECTED : 0u, m_hWnd, dc.GetSafeHdc(), rc, 0};
                if (CWnd* parent = GetParent())
                    parent->SendMessage(WM_DRAWITEM, WPARAM(GetDlgCtrlID()), LPARAM(&dis));
                if (!m_hWnd)
                    return;
            } else {
                CRect text = rc;
                dc.DrawText(m_items[size_t(i)].text, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
        }
    }
    if (oldFont)
        dc.SelectObject(oldFont);
}
