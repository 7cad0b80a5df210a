#include "SkinHabits.h"

#include "AppMessages.h"
#include "CButton.h"
#include "CDC.h"
#include "Cursor.h"

int ButtonModeFromStyle(DWORD dwStyle)
{
    if ((dwStyle & 0x3) == 0x3)
        return BTN_MODE_CHECK;
    if ((dwStyle & 0x9) == 0x9)
        return BTN_MODE_RADIO;
    return BTN_MODE_PUSH;
}

HCURSOR LoadHandCursor(HCURSOR hCurrent)
{
    if (hCurrent)
        return hCurrent;
    const HCURSOR shared = LoadCursor(AfxGetResourceHandle(), IDC_HAND_CURSOR);
    if (!shared)
        return nullptr;
    const HCURSOR copy = CopyIcon(shared);
    DestroyCursor(shared);
    return copy;
}

BOOL SetHandOrArrowCursor(HCURSOR hHand, BOOL bUseHand)
{
    SetCursor(bUseHand && hHand ? hHand : LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL TrackMouse(CWnd* pWnd, DWORD dwFlags, DWORD dwHoverTime)
{
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), dwFlags, pWnd->GetSafeHwnd(), dwHoverTime};
    return TrackMouseEvent(&tme);
}

bool SendMoveNotice(CWnd* pCtl, CPoint& ptLast, CPoint pt, WPARAM wKeyFlags)
{
    if (pt == ptLast)
        return false;
    ptLast = pt;
    if (CWnd* parent = pCtl->GetParent())
        parent->SendMessage(WM_CTRL_MOUSEMOVE, wKeyFlags, LPARAM(pCtl->GetDlgCtrlID()));
    return true;
}

void RepaintParentArea(CWnd* pWnd)
{
    CWnd* parent = pWnd ? pWnd->GetParent() : nullptr;
    if (!parent)
        return;
    CRect rc;
    pWnd->GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    parent->InvalidateRect(&rc, TRUE);
}

HBITMAP StretchBitmap(HBITMAP hSrc, int nWidth, int nHeight)
{
    CBitmap src;
    if (nWidth <= 0 || nHeight <= 0 || !src.Attach(reinterpret_cast<HGDIOBJ>(hSrc)))
        return nullptr;
    BITMAP bm{};
    src.GetBitmap(&bm);
    CDC from, to;
    from.CreateCompatibleDC(nullptr);
    to.CreateCompatibleDC(nullptr);
    CBitmap* oldFrom = from.SelectObject(&src);
    CBitmap out;
    out.CreateCompatibleBitmap(&from, nWidth, nHeight);
    CBitmap* oldTo = to.SelectObject(&out);
    to.SetStretchBltMode(COLORONCOLOR);
    to.StretchBlt(0, 0, nWidth, nHeight, &from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    to.SelectObject(oldTo);
    from.SelectObject(oldFrom);
    src.Detach();
    return reinterpret_cast<HBITMAP>(out.Detach());
}
