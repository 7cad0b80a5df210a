#include "CListCtrl.h"

#include "CWindowDC.h"
#include "WinApi.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kDividerGrip = 4;  // pixels either side of a divider that start a column drag
constexpr int kLabelInset = 6;   // text inset of a cell from its left and right edges

}  // namespace

// A scroll bar drawn by the list: the track rectangle, the range of positions (0..max) and the
// page, in rows (vertical) or pixels (horizontal).
struct CListCtrl::Bar {
    bool vertical;
    CRect rc;
    int pos;
    int max;
    int page;

    int Arrow() const { return vertical ? rc.Width() : rc.Height(); }
    int Track() const { return std::max(0, (vertical ? rc.Height() : rc.Width()) - 2 * Arrow()); }
    int Thumb() const
    {
        const int total = std::max(1, max + page);
        return std::min(Track(), std::max(8, Track() * page / total));
    }
    CRect ThumbRect() const
    {
        const int start = Arrow() + (Track() - Thumb()) * pos / std::max(1, max);
        return vertical ? CRect(rc.left, rc.top + start, rc.right, rc.top + start + Thumb())
                        : CRect(rc.left + start, rc.top, rc.left + start + Thumb(), rc.bottom);
    }
    // The position for a thumb whose leading edge is at offset (from the bar's start).
    int PosAt(int offset) const
    {
        const int room = std::max(1, Track() - Thumb());
        return std::clamp(((offset - Arrow()) * max + room / 2) / room, 0, max);
    }
};

CListCtrl::CListCtrl()
    : m_pHeader(&m_wndOwnHeader),
      m_crBk(GetSysColor(COLOR_WINDOW)),
      m_crTextBk(GetSysColor(COLOR_WINDOW)),
      m_crText(GetSysColor(COLOR_WINDOWTEXT))
{
}

CListCtrl::~CListCtrl() { DestroyWindow(); }

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SysListView32", "", dwStyle, rect, pParentWnd, nID);
}

void CListCtrl::PreSubclassWindow() { CreateHeaderWindow(); }

void CListCtrl::CreateHeaderWindow()
{
    if (!m_hWnd || m_pHeader->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_pHeader->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, client.Width(), 20), this, 0);
    if (GetFont())
        m_pHeader->SetFont(GetFont(), FALSE);
    LayoutHeader();
    MeasureRows();
}

void CListCtrl::SubclassHeader(CHeaderCtrl* pHeader)
{
    if (!pHeader || pHeader == m_pHeader)
        return;
    CHeaderCtrl* old = m_pHeader;
    m_pHeader = pHeader;
    if (!old->GetSafeHwnd())
        return;
    // The new header takes over the columns and the style of the window it replaces.
    const DWORD style = old->GetStyle();
    pHeader->Create(style | WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, 0);
    char text[260];
    for (int i = 0; i < old->GetItemCount(); ++i) {
        HDITEM item{HDI_TEXT | HDI_WIDTH | HDI_FORMAT, 0, text, int(sizeof text), 0};
        if (old->GetItem(i, &item))
            pHeader->InsertItem(i, &item);
    }
    old->DestroyWindow();
    if (GetFont())
        pHeader->SetFont(GetFont(), FALSE);
    LayoutHeader();
}

int CListCtrl::HeaderHeight() const
{
    if (!m_pHeader->GetSafeHwnd())
        return 0;
    CRect rc;
    m_pHeader->GetClientRect(&rc);
    return rc.Height();
}

void CListCtrl::LayoutHeader()
{
    if (!m_hWnd || !m_pHeader->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    WINDOWPOS pos{};
    CRect area = client;
    HDLAYOUT layout{&area, &pos};
    if (!m_pHeader->Layout(&layout))
        return;
    // Scrolled sideways, the header moves with the rows.
    const int width = std::max(client.Width() + m_nScrollX, TotalWidth());
    m_pHeader->MoveWindow(pos.x - m_nScrollX, pos.y, width, pos.cy);
}

void CListCtrl::MeasureRows()
{
    CClientDC dc(this);
    CFont* old = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    if (old)
        dc.SelectObject(old);
    int height = tm.tmHeight + 4;
    if (GetStyle() & LVS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT mis{ODT_LISTVIEW, UINT(GetDlgCtrlID()), 0, 0, UINT(height), 0};
        MeasureItem(&mis);
        if (int(mis.itemHeight) > 0)
            height = int(mis.itemHeight);
    }
    if (height != m_nRowHeight) {
        m_nRowHeight = height;
        m_nTop = std::min(m_nTop, MaxTop());
        Invalidate();
    }
}

void CListCtrl::MeasureItem(LPMEASUREITEMSTRUCT) {}
void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int)
{
    if (!m_pHeader->GetSafeHwnd() || nCol < 0)
        return -1;
    CString text = lpszColumnHeading ? lpszColumnHeading : "";
    if (nWidth < 0) {
        CClientDC dc(this);
        nWidth = dc.GetTextExtent(text).cx + 2 * kLabelInset;
    }
    HDITEM item{HDI_TEXT | HDI_WIDTH | HDI_FORMAT, nWidth, text.data(), 0, nFormat & 3};
    const int at = m_pHeader->InsertItem(nCol, &item);
    if (at < 0)
        return -1;
    for (Row& row : m_rows)
        if (size_t(at) <= row.texts.size())
            row.texts.insert(row.texts.begin() + at, CString());
    LayoutHeader();
    Invalidate();
    return at;
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    if (!m_pHeader->DeleteItem(nCol))
        return FALSE;
    for (Row& row : m_rows)
        if (size_t(nCol) < row.texts.size())
            row.texts.erase(row.texts.begin() + nCol);
    SetScrollX(m_nScrollX);
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    if (!pColumn)
        return FALSE;
    HDITEM item{0, 0, pColumn->pszText, pColumn->cchTextMax, 0};
    if (pColumn->mask & LVCF_TEXT)
        item.mask |= HDI_TEXT;
    if (pColumn->mask & LVCF_WIDTH)
        item.mask |= HDI_WIDTH;
    if (pColumn->mask & LVCF_FMT)
        item.mask |= HDI_FORMAT;
    if (!m_pHeader->GetItem(nCol, &item))
        return FALSE;
    if (pColumn->mask & LVCF_WIDTH)
        pColumn->cx = item.cxy;
    if (pColumn->mask & LVCF_FMT)
        pColumn->fmt = item.fmt;
    if (pColumn->mask & LVCF_SUBITEM)
        pColumn->iSubItem = nCol;
    return TRUE;
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    HDITEM item{HDI_WIDTH, 0, nullptr, 0, 0};
    return m_pHeader->GetItem(nCol, &item) ? item.cxy : 0;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    HDITEM item{HDI_WIDTH, std::max(0, cx), nullptr, 0, 0};
    if (!m_pHeader->SetItem(nCol, &item))
        return FALSE;
    SetScrollX(m_nScrollX);
    LayoutHeader();
    Invalidate();
    return TRUE;
}

int CListCtrl::TotalWidth() const
{
    int total = 0;
    for (int i = 0; i < m_pHeader->GetItemCount(); ++i)
        total += GetColumnWidth(i);
    return total;
}

int CListCtrl::ColumnLeft(int nCol) const
{
    int x = -m_nScrollX;
    for (int i = 0; i < nCol; ++i)
        x += GetColumnWidth(i);
    return x;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    if (nItem < 0)
        return -1;
    const int at = std::min(nItem, GetItemCount());
    Row row;
    row.texts.resize(size_t(std::max(1, m_pHeader->GetItemCount())));
    row.texts[0] = lpszItem ? lpszItem : "";
    m_rows.insert(m_rows.begin() + at, std::move(row));
    if (m_nSel >= at)
        ++m_nSel;
    Invalidate();
    return at;
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    m_rows.erase(m_rows.begin() + nItem);
    if (m_nSel == nItem)
        m_nSel = -1;
    else if (m_nSel > nItem)
        --m_nSel;
    m_nTop = std::min(m_nTop, MaxTop());
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    m_rows.clear();
    m_nSel = -1;
    m_nTop = 0;
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    if (nItem < 0 || nItem >= GetItemCount() || nSubItem < 0 ||
        nSubItem >= std::max(1, m_pHeader->GetItemCount()))
        return FALSE;
    Row& row = m_rows[size_t(nItem)];
    if (size_t(nSubItem) >= row.texts.size())
        row.texts.resize(size_t(nSubItem) + 1);
    row.texts[size_t(nSubItem)] = lpszText ? lpszText : "";
    Invalidate(FALSE);
    return TRUE;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    if (nItem < 0 || nItem >= GetItemCount() || nSubItem < 0)
        return CString();
    const Row& row = m_rows[size_t(nItem)];
    return size_t(nSubItem) < row.texts.size() ? row.texts[size_t(nSubItem)] : CString();
}

int CListCtrl::GetItemText(int nItem, int nSubItem, char* lpszText, int nLen) const
{
    if (!lpszText || nLen <= 0)
        return 0;
    const CString text = GetItemText(nItem, nSubItem);
    const size_t n = std::min(text.size(), size_t(nLen - 1));
    std::memcpy(lpszText, text.data(), n);
    lpszText[n] = '\0';
    return int(n);
}

uintptr_t CListCtrl::GetItemData(int nItem) const
{
    return nItem < 0 || nItem >= GetItemCount() ? 0 : m_rows[size_t(nItem)].data;
}

BOOL CListCtrl::SetItemData(int nItem, uintptr_t dwData)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    m_rows[size_t(nItem)].data = dwData;
    return TRUE;
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return 0;
    return nItem == m_nSel ? (LVIS_SELECTED | LVIS_FOCUSED) & nMask : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    if (nMask & LVIS_SELECTED) {
        if (nState & LVIS_SELECTED)
            m_nSel = nItem;
        else if (m_nSel == nItem)
            m_nSel = -1;
        Invalidate(FALSE);
    }
    return TRUE;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    if (nFlags & LVNI_SELECTED)
        return m_nSel > nItem ? m_nSel : -1;
    return nItem + 1 < GetItemCount() ? nItem + 1 : -1;
}

CRect CListCtrl::RowArea() const
{
    CRect rc;
    GetClientRect(&rc);
    rc.top += HeaderHeight();
    if (ShowsVBar())
        rc.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (ShowsHBar())
        rc.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    return rc;
}

bool CListCtrl::ShowsVBar() const
{
    CRect rc;
    GetClientRect(&rc);
    const int height = rc.Height() - HeaderHeight();
    return GetItemCount() * m_nRowHeight > height;
}

bool CListCtrl::ShowsHBar() const
{
    CRect rc;
    GetClientRect(&rc);
    const int width = rc.Width() - (ShowsVBar() ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    return TotalWidth() > width;
}

int CListCtrl::GetCountPerPage() const { return std::max(1, RowArea().Height() / std::max(1, m_nRowHeight)); }

int CListCtrl::MaxTop() const { return std::max(0, GetItemCount() - GetCountPerPage()); }

int CListCtrl::MaxScrollX() const { return std::max(0, TotalWidth() - RowArea().Width()); }

CListCtrl::Bar CListCtrl::VBar() const
{
    CRect rc;
    GetClientRect(&rc);
    const CRect area = RowArea();
    return Bar{true, CRect(area.right, area.top, rc.right, area.bottom), m_nTop, MaxTop(), GetCountPerPage()};
}

CListCtrl::Bar CListCtrl::HBar() const
{
    CRect rc;
    GetClientRect(&rc);
    const CRect area = RowArea();
    return Bar{false, CRect(rc.left, area.bottom, area.right, rc.bottom), m_nScrollX, MaxScrollX(), area.Width()};
}

void CListCtrl::SetTop(int nTop)
{
    nTop = std::clamp(nTop, 0, MaxTop());
    if (nTop != m_nTop) {
        m_nTop = nTop;
        Invalidate();
    }
}

void CListCtrl::SetScrollX(int x)
{
    x = std::clamp(x, 0, MaxScrollX());
    if (x != m_nScrollX) {
        m_nScrollX = x;
        Invalidate();
    }
    LayoutHeader();
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    const int page = GetCountPerPage();
    if (nItem < m_nTop)
        SetTop(nItem);
    else if (nItem >= m_nTop + page && !(bPartialOK && nItem == m_nTop + page))
        SetTop(nItem - page + 1);
    return TRUE;
}

BOOL CListCtrl::Scroll(CSize size)
{
    SetScrollX(m_nScrollX + size.cx);
    SetTop(m_nTop + size.cy / std::max(1, m_nRowHeight));
    return TRUE;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    CRect rc;
    if (!lpRect || !GetSubItemRect(nItem, 0, int(nCode), rc))
        return FALSE;
    *lpRect = rc;
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const
{
    if (nItem < 0 || nItem >= GetItemCount() || nSubItem < 0)
        return FALSE;
    const int columns = m_pHeader->GetItemCount();
    if (nSubItem >= std::max(1, columns))
        return FALSE;
    const int top = RowArea().top + (nItem - m_nTop) * m_nRowHeight;
    if (nSubItem == 0 && nArea == LVIR_BOUNDS) {
        rect = CRect(-m_nScrollX, top, -m_nScrollX + TotalWidth(), top + m_nRowHeight);
        return TRUE;
    }
    const int left = ColumnLeft(nSubItem);
    const int width = columns ? GetColumnWidth(nSubItem) : 0;
    if (nArea == LVIR_ICON)  // no icons: an empty area at the cell's left edge
        rect = CRect(left, top, left, top + m_nRowHeight);
    else
        rect = CRect(left, top, left + width, top + m_nRowHeight);
    return TRUE;
}

void CListCtrl::SetFont(CFont* pFont, BOOL bRedraw)
{
    CWnd::SetFont(pFont, bRedraw);
    if (m_pHeader->GetSafeHwnd())
        m_pHeader->SetFont(pFont, bRedraw);
    LayoutHeader();
    if (m_hWnd)
        MeasureRows();
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    const DWORD old = m_dwExStyleLv;
    m_dwExStyleLv = dwNewStyle;
    Invalidate();
    return old;
}

BOOL CListCtrl::SetBkColor(COLORREF cr)
{
    m_crBk = cr;
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    m_crTextBk = cr;
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    m_crText = cr;
    Invalidate();
    return TRUE;
}

void CListCtrl::SelectByUser(int nItem)
{
    if (GetItemCount() == 0)
        return;
    nItem = std::clamp(nItem, 0, GetItemCount() - 1);
    m_nSel = nItem;
    EnsureVisible(nItem, FALSE);
    Invalidate(FALSE);
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CListCtrl::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    CWnd* parent = GetParent();
    if (!hdr || !parent || hdr->hwndFrom != m_pHeader->GetSafeHwnd())
        return FALSE;
    // The list's parent hears its header's notices as if the header were its own child.
    *pResult = parent->SendMessage(WM_NOTIFY, WPARAM(GetDlgCtrlID()), lParam);
    return TRUE;
}

BOOL CListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg && m_pHeader->GetSafeHwnd() && pMsg->hwnd == m_pHeader->GetSafeHwnd() && HeaderMouse(pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

bool CListCtrl::HeaderMouse(MSG* pMsg)
{
    const CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));  // header client
    switch (pMsg->message) {
    case WM_LBUTTONDOWN: {
        int edge = 0;
        for (int i = 0; i < m_pHeader->GetItemCount(); ++i) {
            edge += GetColumnWidth(i);
            if (std::abs(pt.x - edge) > kDividerGrip)
                continue;
            NMHEADER nm{{}, i, 0, nullptr};
            if (SendNotify(m_pHeader, &nm.hdr, HDN_BEGINTRACKW) != 0)
                return true;  // refused: no drag
            m_nTrackCol = i;
            m_nTrackStartX = pt.x;
            m_nTrackStartWidth = GetColumnWidth(i);
            m_pHeader->SetCapture();
            return true;
        }
        return false;
    }
    case WM_MOUSEMOVE:
        if (m_nTrackCol < 0)
            return false;
        SetColumnWidth(m_nTrackCol, m_nTrackStartWidth + pt.x - m_nTrackStartX);
        return true;
    case WM_LBUTTONUP:
        if (m_nTrackCol < 0)
            return false;
        {
            NMHEADER nm{{}, m_nTrackCol, 0, nullptr};
            m_nTrackCol = -1;
            if (GetCapture() == m_pHeader)
                ReleaseCapture();
            SendNotify(m_pHeader, &nm.hdr, HDN_ENDTRACKW);
        }
        return true;
    default:
        return false;
    }
}

bool CListCtrl::BarPress(CPoint pt)
{
    for (const Bar& bar : {VBar(), HBar()}) {
        if ((bar.vertical ? !ShowsVBar() : !ShowsHBar()) || !bar.rc.PtInRect(pt))
            continue;
        const int at = bar.vertical ? pt.y - bar.rc.top : pt.x - bar.rc.left;
        const int length = bar.vertical ? bar.rc.Height() : bar.rc.Width();
        const CRect thumb = bar.ThumbRect();
        const int thumbStart = bar.vertical ? thumb.top - bar.rc.top : thumb.left - bar.rc.left;
        const int line = bar.vertical ? 1 : 16;
        int pos = bar.pos;
        if (at < bar.Arrow())
            pos -= line;
        else if (at >= length - bar.Arrow())
            pos += line;
        else if (at < thumbStart)
            pos -= bar.page;
        else if (at >= thumbStart + bar.Thumb())
            pos += bar.page;
        else {
            m_nThumbDrag = bar.vertical ? 1 : 2;
            m_nThumbGrab = at - thumbStart;
            SetCapture();
            return true;
        }
        if (bar.vertical)
            SetTop(pos);
        else
            SetScrollX(pos);
        return true;
    }
    return false;
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(&dc);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        LayoutHeader();
        MeasureRows();
        m_nTop = std::min(m_nTop, MaxTop());
        m_nScrollX = std::min(m_nScrollX, MaxScrollX());
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus();
        if (!m_hWnd || BarPress(pt))
            return 0;
        if (!RowArea().PtInRect(pt))
            return 0;
        const int item = m_nTop + (pt.y - RowArea().top) / std::max(1, m_nRowHeight);
        if (item < GetItemCount() && pt.x < TotalWidth() - m_nScrollX) {
            SelectByUser(item);
            NMITEMACTIVATE nm{{}, item, 0};
            SendNotify(this, &nm.hdr, NM_CLICK);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_nThumbDrag) {
            const Bar bar = m_nThumbDrag == 1 ? VBar() : HBar();
            const int at = bar.vertical ? pt.y - bar.rc.top : pt.x - bar.rc.left;
            if (bar.vertical)
                SetTop(bar.PosAt(at - m_nThumbGrab));
            else
                SetScrollX(bar.PosAt(at - m_nThumbGrab));
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_nThumbDrag) {
            m_nThumbDrag = 0;
            if (GetCapture() == this)
                ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_nThumbDrag = 0;
        return 0;
    case WM_MOUSEWHEEL:
        SetTop(m_nTop - 3 * (short(HIWORD(wParam)) / 120));
        return TRUE;
    case WM_KEYDOWN: {
        const int page = GetCountPerPage();
        switch (UINT(wParam)) {
        case VK_UP: SelectByUser(m_nSel < 0 ? 0 : m_nSel - 1); break;
        case VK_DOWN: SelectByUser(m_nSel + 1); break;
        case VK_HOME: SelectByUser(0); break;
        case VK_END: SelectByUser(GetItemCount() - 1); break;
        case VK_PRIOR: SelectByUser(m_nSel < 0 ? 0 : m_nSel - page + 1); break;
        case VK_NEXT: SelectByUser(std::max(0, m_nSel) + page - 1); break;
        case VK_LEFT: SetScrollX(m_nScrollX - 16); break;
        case VK_RIGHT: SetScrollX(m_nScrollX + 16); break;
        default: break;
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate(FALSE);
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CListCtrl::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    const CRect area = RowArea();
    pDC->FillSolidRect(client, m_crBk);
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&area);
    CFont* oldFont = GetFont() ? pDC->SelectObject(GetFont()) : nullptr;
    const bool ownerDraw = (GetStyle() & LVS_OWNERDRAWFIXED) != 0;
    const bool showSel = GetFocus() == this || (GetStyle() & LVS_SHOWSELALWAYS);
    const HWND self = m_hWnd;
    const int width = TotalWidth();

    LRESULT flags = CDRF_DODEFAULT;
    NMLVCUSTOMDRAW cd{};
    if (!ownerDraw) {
        cd.nmcd.dwDrawStage = CDDS_PREPAINT;
        cd.nmcd.hdc = pDC->GetSafeHdc();
        cd.nmcd.rc = client;
        flags = SendNotify(this, &cd.nmcd.hdr, NM_CUSTOMDRAW);
        if (!IsWindow(self))
            return;
    }
    for (int i = m_nTop; i < GetItemCount(); ++i) {
        const int top = area.top + (i - m_nTop) * m_nRowHeight;
        if (top >= area.bottom)
            break;
        const CRect row(-m_nScrollX, top, -m_nScrollX + width, top + m_nRowHeight);
        const bool sel = i == m_nSel && showSel;
        if (ownerDraw) {
            UINT state = sel ? ODS_SELECTED : 0;
            if (i == m_nSel && GetFocus() == this)
                state |= ODS_FOCUS;
            DRAWITEMSTRUCT dis{ODT_LISTVIEW, UINT(GetDlgCtrlID()), UINT(i), ODA_DRAWENTIRE, state, self,
                               pDC->GetSafeHdc(), row, m_rows[size_t(i)].data};
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_DRAWITEM, WPARAM(GetDlgCtrlID()), LPARAM(&dis));
            else
                DrawItem(&dis);
            if (!IsWindow(self))
                return;
            continue;
        }
        PaintRowDefault(pDC, i, row, sel, flags);
        if (!IsWindow(self))
            return;
    }
    if (m_dwExStyleLv & LVS_EX_GRIDLINES) {
        CPen pen(PS_SOLID, 1, GetSysColor(COLOR_3DLIGHT));
        CPen* oldPen = pDC->SelectObject(&pen);
        const int rows = std::min(GetItemCount() - m_nTop, GetCountPerPage() + 1);
        for (int r = 1; r <= std::max(0, rows); ++r) {
            const int y = area.top + r * m_nRowHeight - 1;
            pDC->MoveTo(area.left, y);
            pDC->LineTo(area.right, y);
        }
        for (int c = 1; c <= m_pHeader->GetItemCount(); ++c) {
            const int x = ColumnLeft(c) - 1;
            pDC->MoveTo(x, area.top);
            pDC->LineTo(x, area.bottom);
        }
        pDC->SelectObject(oldPen);
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
    pDC->RestoreDC(saved);

    for (const Bar& bar : {VBar(), HBar()}) {
        if (bar.vertical ? !ShowsVBar() : !ShowsHBar())
            continue;
        pDC->FillSolidRect(bar.rc, GetSysColor(COLOR_SCROLLBAR));
        const int a = bar.Arrow();
        const CRect first = bar.vertical ? CRect(bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.top + a)
                                         : CRect(bar.rc.left, bar.rc.top, bar.rc.left + a, bar.rc.bottom);
        const CRect last = bar.vertical ? CRect(bar.rc.left, bar.rc.bottom - a, bar.rc.right, bar.rc.bottom)
                                        : CRect(bar.rc.right - a, bar.rc.top, bar.rc.right, bar.rc.bottom);
        for (const CRect& r : {first, last, bar.ThumbRect()}) {
            pDC->FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
            pDC->Draw3dRect(r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        }
    }
    if (ShowsVBar() && ShowsHBar()) {
        const CRect v = VBar().rc;
        pDC->FillSolidRect(CRect(v.left, v.bottom, v.right, client.bottom), GetSysColor(COLOR_BTNFACE));
    }
}

void CListCtrl::PaintRowDefault(CDC* pDC, int nItem, const CRect& rcRow, bool bSelected, LRESULT drawFlags)
{
    const HWND self = m_hWnd;
    LRESULT itemFlags = CDRF_DODEFAULT;
    NMLVCUSTOMDRAW cd{};
    cd.nmcd.hdc = pDC->GetSafeHdc();
    cd.nmcd.dwItemSpec = uintptr_t(nItem);
    cd.nmcd.uItemState = bSelected ? ODS_SELECTED : 0;
    if (drawFlags & CDRF_NOTIFYITEMDRAW) {
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.rc = rcRow;
        cd.clrText = m_crText;
        cd.clrTextBk = m_crTextBk;
        itemFlags = SendNotify(this, &cd.nmcd.hdr, NM_CUSTOMDRAW);
        if (!IsWindow(self))
            return;
    }
    const COLORREF rowText = (drawFlags & CDRF_NOTIFYITEMDRAW) ? cd.clrText : m_crText;
    const COLORREF rowBk = (drawFlags & CDRF_NOTIFYITEMDRAW) ? cd.clrTextBk : m_crTextBk;
    const bool fullRow = (m_dwExStyleLv & LVS_EX_FULLROWSELECT) != 0;
    pDC->SetBkMode(TRANSPARENT);
    const int columns = std::max(1, m_pHeader->GetItemCount());
    for (int c = 0; c < columns; ++c) {
        CRect cell;
        if (!GetSubItemRect(nItem, c, LVIR_LABEL, cell))
            continue;
        COLORREF text = rowText;
        COLORREF back = rowBk;
        if (itemFlags & CDRF_NOTIFYSUBITEMDRAW) {
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            cd.nmcd.rc = cell;
            cd.iSubItem = c;
            cd.clrText = m_crText;
            cd.clrTextBk = m_crTextBk;
            SendNotify(this, &cd.nmcd.hdr, NM_CUSTOMDRAW);
            if (!IsWindow(self))
                return;
            text = cd.clrText;
            back = cd.clrTextBk;
        }
        if (bSelected && (fullRow || c == 0)) {
            back = GetSysColor(COLOR_HIGHLIGHT);
            text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        if (back != CLR_NONE)
            pDC->FillSolidRect(cell, back);
        pDC->SetTextColor(text);
        int fmt = LVCFMT_LEFT;
        if (m_pHeader->GetItemCount()) {
            HDITEM item{HDI_FORMAT, 0, nullptr, 0, 0};
            m_pHeader->GetItem(c, &item);
            fmt = item.fmt & 3;
        }
        CRect label = cell;
        label.DeflateRect(kLabelInset, 0);
        pDC->DrawText(m_rows[size_t(nItem)].texts.size() > size_t(c) ? m_rows[size_t(nItem)].texts[size_t(c)] : CString(),
                      &label,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                          (fmt == LVCFMT_RIGHT ? DT_RIGHT : fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT));
    }
}
