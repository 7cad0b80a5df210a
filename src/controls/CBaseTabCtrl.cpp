#include "CBaseTabCtrl.h"

#include "CDC.h"
#include "CWindowDC.h"
#include "Cursor.h"
#include "SkinHabits.h"
#include "WinApi.h"

CBaseTabCtrl::CBaseTabCtrl(int nDrawType) : m_nDrawType(nDrawType) { m_hCursor = LoadHandCursor(m_hCursor); }

CBaseTabCtrl::~CBaseTabCtrl()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

COLORREF CBaseTabCtrl::BackColour() const
{
    return m_crBack == TAB_BACK_SYSTEM ? GetSysColor(COLOR_BTNFACE) : m_crBack;
}

void CBaseTabCtrl::SetTabBkColor(COLORREF clr)
{
    m_crBack = clr;
    if (m_hWnd)
        Invalidate(TRUE);
}

BOOL CBaseTabCtrl::SetDrawType(int nType)
{
    if (nType < TAB_DRAW_SYSTEM || nType > TAB_DRAW_SELF)
        return FALSE;
    m_nDrawType = nType;
    if (m_hWnd) {
        if (nType == TAB_DRAW_SYSTEM)
            ModifyStyle(TCS_OWNERDRAWFIXED, 0);
        else
            ModifyStyle(0, TCS_OWNERDRAWFIXED);
        Invalidate(TRUE);
    }
    return TRUE;
}

void CBaseTabCtrl::PreSubclassWindow()
{
    if (m_nDrawType != TAB_DRAW_SYSTEM)
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

void CBaseTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
void CBaseTabCtrl::DrawStripFrame(LPDRAWITEMSTRUCT) {}
void CBaseTabCtrl::DrawItemFrame(LPDRAWITEMSTRUCT) {}
COLORREF CBaseTabCtrl::TabColor(BOOL) { return 0x0000FF; }
COLORREF CBaseTabCtrl::TabTextColor(BOOL) { return GetSysColor(COLOR_WINDOWTEXT); }

void CBaseTabCtrl::EraseAroundTabs(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect tabs;
    bool any = false;
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rc;
        GetItemRect(i, &rc);
        if (!any) {
            tabs = rc;
            any = true;
        } else {
            tabs.left = std::min(tabs.left, rc.left);
            tabs.top = std::min(tabs.top, rc.top);
            tabs.right = std::max(tabs.right, rc.right);
            tabs.bottom = std::max(tabs.bottom, rc.bottom);
        }
    }
    const int tabHeight = tabs.Height();
    tabs.InflateRect(2, 3);
    const COLORREF clr = BackColour();
    // Above the tabs, left of the first and right of the last.
    pDC->FillSolidRect(CRect(client.left, client.top, client.right, tabs.top + 3), clr);
    pDC->FillSolidRect(CRect(client.left, client.top, 2, client.top + tabHeight + 2), clr);
    pDC->FillSolidRect(CRect(client.left + tabs.Width() - 2, client.top, client.right, client.top + tabHeight + 2),
                       clr);
}

BOOL CBaseTabCtrl::OnEraseBkgnd(CDC* pDC)
{
    Default();
    if (pDC)
        EraseAroundTabs(pDC);
    return TRUE;
}

void CBaseTabCtrl::OnPaint()
{
    if (m_nDrawType != TAB_DRAW_SELF) {
        Default();
        return;
    }
    CPaintDC dc(this);
    PaintStrip(&dc);
}

void CBaseTabCtrl::PaintStrip(CDC* pDC)
{
    CFont* oldFont = GetFont() ? pDC->SelectObject(GetFont()) : nullptr;
    CRect client;
    GetClientRect(&client);
    CRect body = client;
    AdjustRect(FALSE, &body);
    DRAWITEMSTRUCT dis{ODT_TAB, UINT(GetDlgCtrlID()), 0, ODA_DRAWENTIRE, 0, m_hWnd, pDC->GetSafeHdc(),
                       CRect(client.left, body.top - 2, client.right, client.bottom), 0};
    DrawStripFrame(&dis);
    const int sel = GetCurSel();
    // A strip with tabs but none selected draws its tabs all as unselected.
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        if (i == sel)
            continue;
        CRect rc;
        GetItemRect(i, &rc);
        rc.bottom -= 2;
        dis.itemID = UINT(i);
        dis.itemState = 0;
        dis.rcItem = rc;
        DrawItem(&dis);
        DrawItemFrame(&dis);
    }
    if (sel >= 0 && sel < GetItemCount()) {
        CRect rc;
        GetItemRect(sel, &rc);
        rc.top -= 2;
        rc.bottom += 2;
        dis.itemID = UINT(sel);
        dis.itemState = ODS_SELECTED;
        dis.rcItem = rc;
        DrawItem(&dis);
        DrawItemFrame(&dis);
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
}

void CBaseTabCtrl::OnMouseMove(UINT, CPoint point)
{
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        CRect rc;
        GetItemRect(i, &rc);
        if (rc.PtInRect(point)) {
            m_bHot = i != TAB_INERT_INDEX && i != GetCurSel();
            return;
        }
    }
    m_bHot = FALSE;
    Default();
}

BOOL CBaseTabCtrl::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_bHot) {
        m_bHot = FALSE;
        return SetHandOrArrowCursor(m_hCursor, TRUE);
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}
