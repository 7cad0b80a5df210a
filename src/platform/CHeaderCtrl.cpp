#include "CHeaderCtrl.h"

#include "CWindowDC.h"
#include "WinApi.h"

#include <algorithm>
#include <cstring>

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SysHeader32", "", dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::InsertItem(int nPos, HDITEM* pItem)
{
    if (!pItem || nPos < 0)
        return -1;
    nPos = std::min(nPos, GetItemCount());
    Item it{CString(), 0, HDF_LEFT};
    if ((pItem->mask & HDI_TEXT) && pItem->pszText)
        it.text = pItem->pszText;
    if (pItem->mask & HDI_WIDTH)
        it.width = std::max(0, pItem->cxy);
    if (pItem->mask & HDI_FORMAT)
        it.fmt = pItem->fmt;
    m_items.insert(m_items.begin() + nPos, it);
    Invalidate();
    return nPos;
}

BOOL CHeaderCtrl::DeleteItem(int nPos)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + nPos);
    Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pItem) const
{
    if (!pItem || nPos < 0 || nPos >= GetItemCount())
        return FALSE;
    const Item& it = m_items[size_t(nPos)];
    if ((pItem->mask & HDI_TEXT) && pItem->pszText && pItem->cchTextMax > 0) {
        const size_t n = std::min(it.text.size(), size_t(pItem->cchTextMax - 1));
        std::memcpy(pItem->pszText, it.text.data(), n);
        pItem->pszText[n] = '\0';
    }
    if (pItem->mask & HDI_WIDTH)
        pItem->cxy = it.width;
    if (pItem->mask & HDI_FORMAT)
        pItem->fmt = it.fmt;
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pItem)
{
    if (!pItem || nPos < 0 || nPos >= GetItemCount())
        return FALSE;
    Item& it = m_items[size_t(nPos)];
    if ((pItem->mask & HDI_TEXT) && pItem->pszText)
        it.text = pItem->pszText;
    if (pItem->mask & HDI_WIDTH)
        it.width = std::max(0, pItem->cxy);
    if (pItem->mask & HDI_FORMAT)
        it.fmt = pItem->fmt;
    Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!lpRect || nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CRect client;
    GetClientRect(&client);
    int x = 0;
    for (int i = 0; i < nIndex; ++i)
        x += m_items[size_t(i)].width;
    *lpRect = CRect(x, 0, x + m_items[size_t(nIndex)].width, client.Height());
    return TRUE;
}

LRESULT CHeaderCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case HDM_GETITEMCOUNT:
        return GetItemCount();
    case HDM_LAYOUT: {
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (!layout || !layout->prc || !layout->pwpos)
            return FALSE;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        if (GetFont())
            dc.SelectObject(GetFont());
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        const int height = tm.tmHeight + 6;
        RECT& rc = *layout->prc;
        *layout->pwpos = WINDOWPOS{m_hWnd, nullptr, rc.left, rc.top, rc.Width(), height, 0};
        rc.top += height;
        return TRUE;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CHeaderCtrl::Paint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rc;
        GetItemRect(i, &rc);
        dc.Draw3dRect(rc, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        const int fmt = m_items[size_t(i)].fmt & 3;
        CRect text = rc;
        text.DeflateRect(4, 0);
        dc.DrawText(m_items[size_t(i)].text, &text,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                        (fmt == HDF_RIGHT ? DT_RIGHT : fmt == HDF_CENTER ? DT_CENTER : DT_LEFT));
    }
    if (oldFont)
        dc.SelectObject(oldFont);
}
