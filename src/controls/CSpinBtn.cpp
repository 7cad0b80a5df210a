#include "CSpinBtn.h"

#include "CDC.h"
#include "CNumSpin.h"
#include "Cursor.h"
#include "SkinHabits.h"
#include "WinApi.h"

CSpinBtn::CSpinBtn() { m_hCursor = LoadHandCursor(m_hCursor); }

CSpinBtn::~CSpinBtn()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CSpinBtn::PreSubclassWindow()
{
    const DWORD style = GetStyle();
    switch (style & (BS_LEFT | BS_RIGHT)) {
    case BS_LEFT: m_nAlign = 0; break;
    case BS_RIGHT: m_nAlign = 2; break;
    default: m_nAlign = 1; break;
    }
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX) {
        m_nKind = 2;
    } else if (type == BS_AUTORADIOBUTTON) {
        m_nKind = 4;
    } else {
        m_nKind = 0;
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    }
}

void CSpinBtn::SetBitmaps(UINT nInactive, UINT nLeft, UINT nActive, UINT nRight)
{
    m_nBitmap[0] = nInactive;
    m_nBitmap[1] = nLeft;
    m_nBitmap[2] = nActive;
    m_nBitmap[3] = nRight;
    if (!m_hWnd)
        return;
    CBitmap bmp;
    if (nInactive && bmp.LoadBitmap(nInactive)) {
        const CSize size = bmp.GetSize();
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    CRect rc;
    GetClientRect(&rc);
    const double d = rc.Width() / 5.5;
    const int leftEnd = int(rc.left + d);
    const int rightStart = int(rc.right - d);
    m_rcLeft = CRect(rc.left, rc.top, leftEnd, rc.bottom);
    m_rcMiddle = CRect(leftEnd, rc.top, rightStart, rc.bottom);
    m_rcRight = CRect(rightStart, rc.top, rc.right, rc.bottom);
    Invalidate(FALSE);
}

void CSpinBtn::SetTarget(int nNumber, CNumSpin* pTarget)
{
    m_nNumber = nNumber;
    m_pTarget = pTarget;
    m_bHasTarget = TRUE;
}

void CSpinBtn::SetActive(BOOL bActive)
{
    m_bActive = bActive ? TRUE : FALSE;
    m_nState = m_bActive ? SPINBTN_ACTIVE : SPINBTN_INACTIVE;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CSpinBtn::StepOnce()
{
    if (!m_bActive || !m_pTarget)
        return;
    if (m_nState == SPINBTN_OVER_LEFT)
        m_pTarget->Step(-1);
    else if (m_nState == SPINBTN_OVER_RIGHT)
        m_pTarget->Step(1);
}

void CSpinBtn::OnLButtonDown(UINT, CPoint)
{
    // Taking the focus deactivates the button (the field loses it); the field takes it back when
    // it gets the press posted below, which activates the button again.
    SetFocus();
    if (!m_hWnd)
        return;
    m_bFocus = TRUE;
    m_bPressed = TRUE;
    if (m_bActive)
        TrackMouse(this, TME_HOVER | TME_LEAVE, 1000);
    Default();
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_LBUTTONDOWN, 0, 0);
}

void CSpinBtn::OnLButtonUp(UINT, CPoint)
{
    m_bPressed = FALSE;
    KillTimer(SPINBTN_STEP_TIMER);
    Default();
}

void CSpinBtn::OnLButtonDblClk(UINT, CPoint) { StepOnce(); }

void CSpinBtn::OnKillFocus(CWnd*)
{
    m_bFocus = FALSE;
    m_nState = SPINBTN_INACTIVE;
    Default();
}

void CSpinBtn::OnMouseMove(UINT, CPoint point)
{
    if (m_bActive) {
        int state = m_nState;
        if (m_rcMiddle.PtInRect(point))
            state = SPINBTN_ACTIVE;
        else if (m_rcLeft.PtInRect(point))
            state = SPINBTN_OVER_LEFT;
        else if (m_rcRight.PtInRect(point))
            state = SPINBTN_OVER_RIGHT;
        if (state != m_nState) {
            m_nState = state;
            Invalidate(FALSE);
        }
        TrackMouse(this, TME_HOVER | TME_LEAVE, 1);
    } else {
        m_nState = SPINBTN_INACTIVE;
        Invalidate(FALSE);
    }
    Default();
}

void CSpinBtn::OnMouseHover(UINT, CPoint)
{
    if (m_bPressed)
        SetTimer(SPINBTN_STEP_TIMER, SPINBTN_STEP_PERIOD_MS);
}

void CSpinBtn::OnMouseLeave()
{
    m_bPressed = FALSE;
    m_nState = m_bActive ? SPINBTN_ACTIVE : SPINBTN_INACTIVE;
    Invalidate(FALSE);
}

BOOL CSpinBtn::OnSetCursor(CWnd*, UINT, UINT) { return SetHandOrArrowCursor(m_hCursor, m_bHandCursor); }

void CSpinBtn::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SPINBTN_STEP_TIMER)
        StepOnce();
    Default();
}

void CSpinBtn::OnKeyDown(UINT nChar, UINT, UINT)
{
    // Up and Right give the focus back to the field.
    if (nChar == VK_UP || nChar == VK_RIGHT)
        if (CWnd* parent = GetParent())
            parent->SetFocus();
    Default();
}

void CSpinBtn::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_nKind == 2) {
        CButton::DrawItem(lpDrawItemStruct);
        return;
    }
    if (m_nKind != 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    const CRect rc = lpDrawItemStruct->rcItem;
    pDC->SetBkMode(TRANSPARENT);
    CFont* oldFont = GetFont() ? pDC->SelectObject(GetFont()) : nullptr;
    const CString caption = GetWindowText();
    auto drawStretched = [&](UINT nID) {
        CBitmap bmp;
        if (!nID || !bmp.LoadBitmap(nID))
            return false;
        const CSize size = bmp.GetSize();
        CDC src, dst;
        src.CreateCompatibleDC(pDC);
        dst.CreateCompatibleDC(pDC);
        CBitmap scaled;
        scaled.CreateCompatibleBitmap(pDC, rc.Width(), rc.Height());
        CBitmap* oldSrc = src.SelectObject(&bmp);
        CBitmap* oldDst = dst.SelectObject(&scaled);
        dst.SetStretchBltMode(HALFTONE);
        dst.StretchBlt(0, 0, rc.Width(), rc.Height(), &src, 0, 0, size.cx, size.cy, SRCCOPY);
        pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &dst, 0, 0, SRCCOPY);
        src.SelectObject(oldSrc);
        dst.SelectObject(oldDst);
        return true;
    };
    if (lpDrawItemStruct->itemState & ODS_DISABLED) {
        if (!drawStretched(m_nDisabledBitmap))
            pDC->FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
        pDC->SetTextColor(m_clrDisabled);
        CRect text = rc;
        pDC->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        const UINT id = m_nBitmap[m_nState];
        CBitmap probe;
        if (id && probe.LoadBitmap(id)) {
            const CSize size = probe.GetSize();
            CRect now;
            GetClientRect(&now);
            if (now.Size() != size)
                SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        }
        if (!drawStretched(id))
            pDC->FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
        if (!caption.empty()) {
            pDC->SetTextColor(m_clrCaption);
            CRect text = rc;
            text.bottom -= 5;
            pDC->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
}
