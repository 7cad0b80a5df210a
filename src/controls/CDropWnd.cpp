#include "CDropWnd.h"

#include "AppMessages.h"
#include "WinApi.h"

BOOL CDropWnd::Create(CWnd* pOwner, UINT nNotifyId)
{
    if (!pOwner || !CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "DropWnd", "", WS_POPUP, CRect(0, 0, 0, 0), pOwner, 0))
        return FALSE;
    m_pOwner = pOwner;
    m_nNotifyId = nNotifyId;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                        LBS_NOINTEGRALHEIGHT;
    return m_list.Create(style, CRect(0, 0, 0, 0), this, DROPLIST_ID);
}

void CDropWnd::OnSize(UINT, int, int)
{
    Default();
    if (m_list.GetSafeHwnd()) {
        CRect rc;
        GetClientRect(&rc);
        m_list.MoveWindow(&rc, TRUE);
    }
}

void CDropWnd::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    m_bShown = bShow;
}

BOOL CDropWnd::OnCommand(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == DROPLIST_ID && HIWORD(wParam) == LBN_SELCHANGE) {
        OnListSelChange();
        return TRUE;
    }
    return FALSE;
}

void CDropWnd::OnListSelChange()
{
    const int sel = m_list.GetCurSel();
    const DropEntry* entry = m_list.GetEntry(sel);
    if (entry && entry->bHeader)
        return;
    ShowWindow(SW_HIDE);
    CRect rc;
    GetWindowRect(&rc);
    CPoint cursor;
    GetCursorPos(&cursor);
    if (rc.PtInRect(cursor) && m_pOwner)
        m_pOwner->SendMessage(WM_DROPLIST_SELCHANGE, WPARAM(sel), 0);
    else
        m_list.SetCurSel(m_list.GetSelIndex());
}
