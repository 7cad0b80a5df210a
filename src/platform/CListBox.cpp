#include "CListBox.h"

#include "CWindowDC.h"
#include "WinApi.h"

#include <algorithm>

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", "", dwStyle, rect, pParentWnd, nID);
}

int CListBox::AddString(LPCTSTR lpszItem)
{
    Item item{lpszItem ? lpszItem : "", 0};
    size_t at = m_items.size();
    if (GetStyle() & LBS_SORT)
        at = size_t(std::upper_bound(m_items.begin(), m_items.end(), item,
                                     [](const Item& a, const Item& b) { return a.text < b.text; }) -
                    m_items.begin());
    return InsertString(int(at), item.text.c_str());
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    if (nIndex < -1 || nIndex > GetCount())
        return LB_ERR;
    const int at = nIndex == -1 ? GetCount() : nIndex;
    m_items.insert(m_items.begin() + at, Item{lpszItem ? lpszItem : "", 0});
    if (m_nSel >= at)
        ++m_nSel;
    Invalidate();
    return at;
}

int CListBox::DeleteString(UINT nIndex)
{
    if (nIndex >= m_items.size())
        return LB_ERR;
    m_items.erase(m_items.begin() + nIndex);
    if (m_nSel == int(nIndex))
        m_nSel = LB_ERR;
    else if (m_nSel > int(nIndex))
        --m_nSel;
    m_nTop = std::min(m_nTop, MaxTop());
    Invalidate();
    return GetCount();
}

void CListBox::ResetContent()
{
    m_items.clear();
    m_nSel = LB_ERR;
    m_nTop = 0;
    Invalidate();
}

int CListBox::SetCurSel(int nSelect)
{
    if (nSelect < 0 || nSelect >= GetCount()) {
        if (m_nSel != LB_ERR) {
            m_nSel = LB_ERR;
            Invalidate();
        }
        return LB_ERR;
    }
    m_nSel = nSelect;
    EnsureVisible(nSelect);
    Invalidate();
    return nSelect;
}

int CListBox::GetText(int nIndex, CString& rString) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return LB_ERR;
    rString = m_items[size_t(nIndex)].text;
    return int(rString.size());
}

int CListBox::GetTextLen(int nIndex) const
{
    return nIndex < 0 || nIndex >= GetCount() ? LB_ERR : int(m_items[size_t(nIndex)].text.size());
}

uintptr_t CListBox::GetItemData(int nIndex) const
{
    return nIndex < 0 || nIndex >= GetCount() ? uintptr_t(LB_ERR) : m_items[size_t(nIndex)].data;
}

int CListBox::SetItemData(int nIndex, uintptr_t dwItemData)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return LB_ERR;
    m_items[size_t(nIndex)].data = dwItemData;
    return 0;
}

int CListBox::GetItemHeight(int) const { return m_nItemHeight; }

int CListBox::SetItemHeight(int, UINT cyItemHeight)
{
    if (cyItemHeight == 0 || cyItemHeight > 255)
        return LB_ERR;
    m_nItemHeight = int(cyItemHeight);
    m_nTop = std::min(m_nTop, MaxTop());
    Invalidate();
    return 0;
}

BOOL CListBox::HasScrollBar() const
{
    CRect rc;
    GetClientRect(&rc);
    return (GetStyle() & WS_VSCROLL) && GetCount() * m_nItemHeight > rc.Height();
}

int CListBox::VisibleRows() const
{
    CRect rc;
    GetClientRect(&rc);
    return std::max(1, rc.Height() / m_nItemHeight);
}

int CListBox::MaxTop() const { return std::max(0, GetCount() - VisibleRows()); }

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (nIndex < 0 || nIndex >= GetCount() || !lpRect)
        return LB_ERR;
    CRect rc;
    GetClientRect(&rc);
    const int width = rc.Width() - (HasScrollBar() ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    const int top = (nIndex - m_nTop) * m_nItemHeight;
    *lpRect = CRect(0, top, width, top + m_nItemHeight);
    return 0;
}

int CListBox::SetTopIndex(int nIndex)
{
    if (nIndex < 0 || nIndex >= std::max(1, GetCount()))
        return LB_ERR;
    const int top = std::min(nIndex, MaxTop());
    if (top != m_nTop) {
        m_nTop = top;
        Invalidate();
    }
    return 0;
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    CRect rc;
    GetClientRect(&rc);
    const int row = pt.y < 0 ? -1 : pt.y / m_nItemHeight;
    int index = m_nTop + row;
    bOutside = pt.y < 0 || pt.y >= rc.Height() || pt.x < 0 || pt.x >= rc.Width() || index >= GetCount();
    index = std::clamp(index, 0, std::max(0, GetCount() - 1));
    return UINT(index);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CListBox::EnsureVisible(int nIndex)
{
    if (nIndex < m_nTop)
        m_nTop = nIndex;
    else if (nIndex >= m_nTop + VisibleRows())
        m_nTop = nIndex - VisibleRows() + 1;
    m_nTop = std::clamp(m_nTop, 0, MaxTop());
}

void CListBox::SelectByUser(int nIndex, bool notify)
{
    if (GetCount() == 0)
        return;
    nIndex = std::clamp(nIndex, 0, GetCount() - 1);
    const bool changed = nIndex != m_nSel;
    SetCurSel(nIndex);
    if (notify && changed && (GetStyle() & LBS_NOTIFY))
        NotifyParent(LBN_SELCHANGE);
}

CRect CListBox::ScrollBarRect() const
{
    CRect rc;
    GetClientRect(&rc);
    return CRect(rc.right - GetSystemMetrics(SM_CXVSCROLL), rc.top, rc.right, rc.bottom);
}

CRect CListBox::ThumbRect() const
{
    const CRect bar = ScrollBarRect();
    const int arrow = bar.Width();
    const int track = std::max(0, bar.Height() - 2 * arrow);
    const int total = std::max(1, GetCount());
    const int thumb = std::max(8, track * VisibleRows() / total);
    const int range = std::max(1, MaxTop());
    const int top = bar.top + arrow + (track - thumb) * m_nTop / range;
    return CRect(bar.left, top, bar.right, top + thumb);
}

bool CListBox::ScrollBarPress(CPoint pt)
{
    if (!HasScrollBar() || !ScrollBarRect().PtInRect(pt))
        return false;
    const CRect bar = ScrollBarRect();
    const CRect thumb = ThumbRect();
    if (pt.y < bar.top + bar.Width())
        SetTopIndex(std::max(0, m_nTop - 1));
    else if (pt.y >= bar.bottom - bar.Width())
        SetTopIndex(std::min(MaxTop(), m_nTop + 1));
    else if (pt.y < thumb.top)
        SetTopIndex(std::max(0, m_nTop - VisibleRows()));
    else if (pt.y >= thumb.bottom)
        SetTopIndex(std::min(MaxTop(), m_nTop + VisibleRows()));
    else {
        m_nThumbGrab = pt.y - thumb.top;
        SetCapture();
    }
    return true;
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus();
        if (!m_hWnd || ScrollBarPress(pt))
            return 0;
        BOOL outside = FALSE;
        const UINT item = ItemFromPoint(pt, outside);
        if (GetCount() == 0 || (outside && pt.y >= GetCount() * m_nItemHeight))
            return 0;
        SetCurSel(int(item));
        SetCapture();
        m_bTracking = true;
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        if ((GetStyle() & LBS_NOTIFY) && GetCount())
            NotifyParent(LBN_DBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        if (m_nThumbGrab >= 0) {
            const CRect bar = ScrollBarRect();
            const CRect thumb = ThumbRect();
            const int track = std::max(1, bar.Height() - 2 * bar.Width() - thumb.Height());
            const int y = pt.y - m_nThumbGrab - (bar.top + bar.Width());
            SetTopIndex(std::clamp((y * MaxTop() + track / 2) / track, 0, MaxTop()));
        } else if (m_bTracking) {
            BOOL outside = FALSE;
            SetCurSel(int(ItemFromPoint(pt, outside)));
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_nThumbGrab >= 0) {
            m_nThumbGrab = -1;
            if (GetCapture() == this)
                ReleaseCapture();
        } else if (m_bTracking) {
            m_bTracking = false;
            if (GetCapture() == this)
                ReleaseCapture();
            if ((GetStyle() & LBS_NOTIFY) && GetCount())
                NotifyParent(LBN_SELCHANGE);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bTracking = false;
            m_nThumbGrab = -1;
        }
        return 0;
    case WM_KEYDOWN: {
        const int page = VisibleRows();
        const int sel = m_nSel;
        switch (UINT(wParam)) {
        case VK_UP: SelectByUser(sel < 0 ? 0 : sel - 1, true); break;
        case VK_DOWN: SelectByUser(sel + 1, true); break;
        case VK_HOME: SelectByUser(0, true); break;
        case VK_END: SelectByUser(GetCount() - 1, true); break;
        case VK_PRIOR: SelectByUser(std::max(0, sel - page + 1), true); break;
        case VK_NEXT: SelectByUser(sel + page - 1, true); break;
        default: break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int notches = short(HIWORD(wParam)) / 120;
        SetTopIndex(std::clamp(m_nTop - 3 * notches, 0, MaxTop()));
        return TRUE;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate(FALSE);
        if (GetStyle() & LBS_NOTIFY)
            NotifyParent(message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    case WM_SIZE:
        m_nTop = std::min(m_nTop, MaxTop());
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CListBox::Paint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    HBRUSH brush = nullptr;
    if (CWnd* parent = GetParent())
        brush = reinterpret_cast<HBRUSH>(
            parent->SendMessage(WM_CTLCOLORLISTBOX, WPARAM(dc.GetSafeHdc()), LPARAM(m_hWnd)));
    if (!m_hWnd)
        return;
    CBrush tmp;
    if (brush && tmp.Attach(reinterpret_cast<HGDIOBJ>(brush))) {
        dc.FillRect(&rc, &tmp);
        tmp.Detach();
    } else {
        dc.FillSolidRect(rc, GetSysColor(COLOR_WINDOW));
    }
    const bool ownerDraw = (GetStyle() & LBS_OWNERDRAWFIXED) != 0;
    const bool focused = GetFocus() == this;
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    const HWND self = m_hWnd;
    for (int i = m_nTop; i < GetCount(); ++i) {
        CRect item;
        GetItemRect(i, &item);
        if (item.top >= rc.bottom)
            break;
        UINT state = i == m_nSel ? ODS_SELECTED : 0;
        if (focused && i == m_nSel)
            state |= ODS_FOCUS;
        if (!IsWindowEnabled())
            state |= ODS_DISABLED;
        if (ownerDraw) {
            DRAWITEMSTRUCT dis{ODT_LISTBOX, UINT(GetDlgCtrlID()), UINT(i), ODA_DRAWENTIRE, state, self,
                               dc.GetSafeHdc(), item, m_items[size_t(i)].data};
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_DRAWITEM, WPARAM(GetDlgCtrlID()), LPARAM(&dis));
            else
                DrawItem(&dis);
            if (!IsWindow(self))
                return;
            continue;
        }
        const bool sel = state & ODS_SELECTED;
        if (sel)
            dc.FillSolidRect(item, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(sel ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        CRect text = item;
        text.left += 2;
        dc.DrawText(m_items[size_t(i)].text, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (oldFont)
        dc.SelectObject(oldFont);
    if (HasScrollBar())
        PaintScrollBar(dc);
}

void CListBox::PaintScrollBar(CDC& dc)
{
    const CRect bar = ScrollBarRect();
    dc.FillSolidRect(bar, GetSysColor(COLOR_SCROLLBAR));
    const int a = bar.Width();
    const CRect up(bar.left, bar.top, bar.right, bar.top + a);
    const CRect down(bar.left, bar.bottom - a, bar.right, bar.bottom);
    for (const CRect& r : {up, down, ThumbRect()}) {
        dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    CBrush ink(GetSysColor(COLOR_BTNTEXT));
    CPen none(PS_NULL, 0, 0);
    CBrush* oldBrush = dc.SelectObject(&ink);
    CPen* oldPen = dc.SelectObject(&none);
    const int cx = bar.left + a / 2;
    const CPoint upArrow[3] = {CPoint(cx, up.top + 5), CPoint(cx - 4, up.top + 10), CPoint(cx + 4, up.top + 10)};
    const CPoint downArrow[3] = {CPoint(cx, down.bottom - 6), CPoint(cx - 4, down.bottom - 11),
                                 CPoint(cx + 4, down.bottom - 11)};
    dc.Polygon(upArrow, 3);
    dc.Polygon(downArrow, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}
