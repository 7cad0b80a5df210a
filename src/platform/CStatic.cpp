#include "CStatic.h"

#include "CWindowDC.h"
#include "WinApi.h"

#include <QWidget>

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    const HBITMAP prev = m_hBitmap;
    m_hBitmap = hBitmap;
    Invalidate();
    return prev;
}

UINT CStatic::DrawTextFormatFromStyle(DWORD dwStyle)
{
    UINT fmt = 0;
    if (dwStyle & SS_RIGHT)
        fmt |= DT_RIGHT;
    if (dwStyle & SS_CENTER)
        fmt |= DT_CENTER;
    if (dwStyle & SS_CENTERIMAGE)
        fmt |= DT_VCENTER | DT_SINGLELINE;
    if (dwStyle & SS_NOPREFIX)
        fmt |= DT_NOPREFIX;
    if (dwStyle & SS_ELLIPSISMASK)
        fmt |= DT_WORD_ELLIPSIS;
    if (dwStyle & SS_ENDELLIPSIS)
        fmt |= DT_END_ELLIPSIS;
    if (dwStyle & SS_PATHELLIPSIS)
        fmt |= DT_PATH_ELLIPSIS;
    if (!(dwStyle & 0xC20C))
        fmt |= DT_WORDBREAK;
    return fmt;
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        // Without SS_NOTIFY the pointer passes through to the window beneath.
        if (QWidget* w = GetWidget())
            w->setAttribute(Qt::WA_TransparentForMouseEvents, !(GetStyle() & SS_NOTIFY));
        return 0;
    case WM_PAINT:
        PaintStatic();
        return 0;
    case WM_LBUTTONDOWN:
        if (GetStyle() & SS_NOTIFY)
            NotifyParent(STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (GetStyle() & SS_NOTIFY)
            NotifyParent(STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        Invalidate();
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        Invalidate();
        return r;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CStatic::PaintStatic()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const DWORD style = GetStyle();
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_OWNERDRAW) {
        DRAWITEMSTRUCT dis{ODT_STATIC, UINT(GetDlgCtrlID()), 0, ODA_DRAWENTIRE,
                           IsWindowEnabled() ? 0u : ODS_DISABLED, m_hWnd, dc.GetSafeHdc(), rc, 0};
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_DRAWITEM, WPARAM(GetDlgCtrlID()), LPARAM(&dis));
        else
            DrawItem(&dis);
        return;
    }
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    CWnd* parent = GetParent();
    const HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(parent->SendMessage(
                                      WM_CTLCOLORSTATIC, WPARAM(dc.GetSafeHdc()), LPARAM(m_hWnd)))
                                : nullptr;
    if (!m_hWnd)
        return;
    if (brush && brush != reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH))) {
        CBrush tmp;
        if (tmp.Attach(reinterpret_cast<HGDIOBJ>(brush))) {
            dc.FillRect(&rc, &tmp);
            tmp.Detach();
        }
    }
    if (type == SS_BITMAP) {
        CBitmap tmp;
        if (!m_hBitmap || !tmp.Attach(reinterpret_cast<HGDIOBJ>(m_hBitmap)))
            return;
        const CSize size = tmp.GetSize();
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* old = mem.SelectObject(&tmp);
        int x = 0, y = 0;
        if (style & SS_CENTERIMAGE) {
            x = (rc.Width() - size.cx) / 2;
            y = (rc.Height() - size.cy) / 2;
        }
        dc.BitBlt(x, y, size.cx, size.cy, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
        tmp.Detach();
        return;
    }
    CString text;
    GetWindowText(text);
    if (text.empty())
        return;
    if (!IsWindowEnabled())
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    dc.DrawText(text, &rc, DrawTextFormatFromStyle(style));
    if (oldFont)
        dc.SelectObject(oldFont);
}
