#include "CXPButton.h"

#include "AppMessages.h"
#include "Cursor.h"
#include "SkinHabits.h"
#include "WinApi.h"


CXPButton::CXPButton()
{
    m_fontCaption.CreateFont(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    m_hCursor = LoadHandCursor(m_hCursor);
}

CXPButton::~CXPButton()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CXPButton::SetBitmaps(UINT nCheckedNormal, UINT nCheckedHover, UINT nCheckedPressed, UINT nNormal, UINT nHover,
                           UINT nPressed)
{
    m_nChecked[0] = nCheckedNormal;
    m_nChecked[1] = nCheckedHover;
    m_nChecked[2] = nCheckedPressed;
    m_nUnchecked[0] = nNormal;
    m_nUnchecked[1] = nHover;
    m_nUnchecked[2] = nPressed;
    DrawNow();
}

void CXPButton::SetCheck(BOOL bCheck)
{
    m_bChecked = bCheck;
    DrawNow();
}

void CXPButton::SetDisabledBitmaps(UINT nChecked, UINT nUnchecked)
{
    m_nDisabledChecked = nChecked;
    m_nDisabledUnchecked = nUnchecked;
}

void CXPButton::SetSelectedBitmaps(UINT nChecked, UINT nUnchecked)
{
    m_nSelectedChecked = nChecked;
    m_nSelectedUnchecked = nUnchecked;
    DrawNow();
}

void CXPButton::SetSelected(BOOL bSelected)
{
    if (bSelected == m_bSelected)
        return;
    m_bSelected = bSelected;
    DrawNow();
}

void CXPButton::SetDisabled(BOOL bDisabled)
{
    m_bDisabled = bDisabled;
    DrawNow();
    EnableWindow(!bDisabled);
}

void CXPButton::SetSound(BOOL bOn, LPCTSTR lpszName)
{
    m_bSound = bOn;
    m_strSound = lpszName ? lpszName : "";
}

void CXPButton::SetTextColors(COLORREF clrNormal, COLORREF clrHover)
{
    m_clrText = clrNormal;
    m_clrHoverText = clrHover;
    DrawNow();
}

void CXPButton::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption ? lpszCaption : "";
    m_bUseCaption = lpszCaption != nullptr;
}

UINT CXPButton::ChooseBitmap() const
{
    if (m_bDisabled)
        return m_bChecked ? m_nDisabledChecked : m_nDisabledUnchecked;
    if (m_bSelected)
        return m_bChecked ? m_nSelectedChecked : m_nSelectedUnchecked;
    const UINT* set = m_bChecked ? m_nChecked : m_nUnchecked;
    if (m_bHover)
        return m_bPressed ? set[2] : set[1];
    return set[0];
}

void CXPButton::DrawNow()
{
    if (!m_hWnd)
        return;
    CBitmap bmp;
    const UINT id = ChooseBitmap();
    if (id && bmp.LoadBitmap(id)) {
        const CSize size = bmp.GetSize();
        CRect rc;
        GetClientRect(&rc);
        if (rc.Size() != size)
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    Invalidate(FALSE);
    UpdateWindow();
}

void CXPButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawButton(CDC::FromHandle(lpDrawItemStruct->hDC), lpDrawItemStruct->rcItem);
}

void CXPButton::DrawButton(CDC* pDC, const CRect& rc)
{
    if (!pDC)
        return;
    CBitmap bmp;
    const UINT id = ChooseBitmap();
    if (id && bmp.LoadBitmap(id)) {
        CBitmap scaled;
        scaled.Attach(reinterpret_cast<HGDIOBJ>(StretchBitmap(bmp, rc.Width(), rc.Height())));
        bmp.DeleteObject();
        CDC mem;
        mem.CreateCompatibleDC(pDC);
        CBitmap* old = mem.SelectObject(&scaled);
        pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    }
    // The pictures carry the whole face: the caption is not drawn.
    if (m_pPartner)
        RepaintParentArea(m_pPartner);
}

void CXPButton::PlayHoverSound()
{
    if (!m_bSound)
        return;
    if (m_strSound.empty()) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    // Named sounds would be wave resources; the program holds none, so nothing plays.
}

BOOL CXPButton::OnSetCursor(CWnd*, UINT, UINT) { return SetHandOrArrowCursor(m_hCursor, m_bUseHandCursor); }

void CXPButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHover) {
        m_bHover = TRUE;
        Invalidate(FALSE);
        TrackMouse(this, TME_LEAVE, 1);
        if (m_bHoverSound)
            PlayHoverSound();
        if (m_bMoveNotify)
            SendMoveNotice(this, m_ptLast, point, nFlags);
    }
    Default();
}

void CXPButton::OnMouseLeave()
{
    m_bHover = FALSE;
    Invalidate(FALSE);
}

void CXPButton::OnMouseHover(UINT, CPoint) {}

void CXPButton::OnLButtonDown(UINT, CPoint)
{
    m_bPressed = TRUE;
    if (m_bPressRepeat) {
        m_nRepeat = 0;
        SetTimer(XPBUTTON_REPEAT_TIMER, 80);
    }
    Default();
}

void CXPButton::OnLButtonUp(UINT, CPoint)
{
    m_bPressed = FALSE;
    if (m_bPressRepeat) {
        KillTimer(XPBUTTON_REPEAT_TIMER);
        m_nRepeat = 0;
    }
    Default();
}

void CXPButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == XPBUTTON_REPEAT_TIMER) {
        ++m_nRepeat;
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_SHOW_THIRD_PAGE, WPARAM(GetDlgCtrlID()), LPARAM(m_nRepeat));
    }
    Default();
}
