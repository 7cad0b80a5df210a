#include "CxSkinButton.h"

#include "AppMessages.h"
#include "Cursor.h"
#include "SkinHabits.h"
#include "WinApi.h"

#include <QImage>

#include <algorithm>

CxSkinButton::CxSkinButton()
{
    m_font.CreateFont(18, 0, 0, 0, FW_MEDIUM, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    m_hCursor = LoadHandCursor(m_hCursor);
}

CxSkinButton::~CxSkinButton()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CxSkinButton::PreSubclassWindow()
{
    m_nMode = ButtonModeFromStyle(GetStyle());
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

HRGN CxSkinButton::CreateRgnFromBitmap(CBitmap* pMask, COLORREF clrTransparent)
{
    const QImage* img = pMask ? pMask->GetImage() : nullptr;
    if (!img)
        return nullptr;
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    const QRgb clear = qRgb(GetRValue(clrTransparent), GetGValue(clrTransparent), GetBValue(clrTransparent));
    for (int y = 0; y < img->height(); ++y) {
        int x = 0;
        while (x < img->width()) {
            while (x < img->width() && (img->pixel(x, y) & 0xFFFFFF) == (clear & 0xFFFFFF))
                ++x;
            const int start = x;
            while (x < img->width() && (img->pixel(x, y) & 0xFFFFFF) != (clear & 0xFFFFFF))
                ++x;
            if (x > start) {
                CRgn run;
                run.CreateRectRgn(start, y, x, y + 1);
                rgn.CombineRgn(&rgn, &run, RGN_OR);
            }
        }
    }
    return reinterpret_cast<HRGN>(rgn.Detach());
}

void CxSkinButton::SetSkin(UINT normal, UINT down, UINT over, UINT disabled, UINT focus, UINT mask, short drawmode,
                           short border, short margin)
{
    for (CBitmap* b : {&m_bmpNormal, &m_bmpDown, &m_bmpOver, &m_bmpDisabled, &m_bmpFocus, &m_bmpMask})
        b->DeleteObject();
    if (normal)
        m_bmpNormal.LoadBitmap(normal);
    if (down)
        m_bmpDown.LoadBitmap(down);
    if (over)
        m_bmpOver.LoadBitmap(over);
    if (disabled)
        m_bmpDisabled.LoadBitmap(disabled);
    else if (normal)
        m_bmpDisabled.LoadBitmap(normal);
    if (focus)
        m_bmpFocus.LoadBitmap(focus);
    m_nDrawMode = short(drawmode > 1 ? int(DRAW_TILED) : std::max(0, int(drawmode)));
    m_nBorder = border;
    m_nFocusMargin = short(std::max<int>(0, margin));
    if (mask && m_bmpMask.LoadBitmap(mask)) {
        const HRGN region = CreateRgnFromBitmap(&m_bmpMask, RGB(255, 255, 255));
        if (region)
            SetWindowRgn(region, TRUE);
        if (m_nDrawMode == DRAW_NORMAL) {
            const CSize size = m_bmpMask.GetSize();
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        }
    }
    if (CWnd* parent = GetParent())
        parent->Invalidate(TRUE);
}

COLORREF CxSkinButton::SetTextColor(COLORREF clrNormal)
{
    const COLORREF prev = m_clrText;
    m_clrText = clrNormal;
    return prev;
}

void CxSkinButton::SetToolTipText(LPCTSTR lpszText)
{
    m_strTip = lpszText ? lpszText : "";
    if (!m_tooltip.IsCreated() && m_hWnd) {
        m_tooltip.Create(this);
        m_tooltip.AddTool(this, m_strTip.c_str());
    } else {
        m_tooltip.UpdateTipText(m_strTip.c_str(), this);
    }
}

void CxSkinButton::SetToolTipColor(COLORREF clrText, COLORREF clrBack)
{
    m_tooltip.SetTipTextColor(clrText);
    m_tooltip.SetTipBkColor(clrBack);
}

void CxSkinButton::SetChecked(BOOL bCheck)
{
    // A push button has no check.
    const BOOL next = m_nMode == BTN_MODE_PUSH ? FALSE : bCheck;
    if (next == m_bChecked)
        return;
    m_bChecked = next;
    Invalidate(FALSE);
    if (m_bChecked && m_nMode == BTN_MODE_RADIO)
        if (CWnd* parent = GetParent())
            for (CWnd* w = parent->GetNextDlgGroupItem(this); w && w != this; w = parent->GetNextDlgGroupItem(w))
                w->PostMessage(WM_SKINBTN_UNCHECK);
}

void CxSkinButton::RelayMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{m_hWnd, message, wParam, lParam, CPoint()};
    m_tooltip.RelayEvent(&msg);
}

LRESULT CxSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_SETCHECK:
        SetChecked(wParam == BST_CHECKED);
        return 0;
    case BM_GETCHECK:
        return m_bChecked ? BST_CHECKED : BST_UNCHECKED;
    case WM_SKINBTN_UNCHECK:
        if (m_bChecked) {
            m_bChecked = FALSE;
            Invalidate(FALSE);
        }
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        RelayMouse(message, wParam, lParam);
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CxSkinButton::OnEraseBkgnd(CDC*) { return TRUE; }

void CxSkinButton::OnLButtonDown(UINT, CPoint)
{
    m_bButtonDown = TRUE;
    m_bPushedLook = TRUE;
    // A press cancels the hover tracking.
    TrackMouse(this, TME_CANCEL | TME_LEAVE, 0);
    m_bHover = FALSE;
    SetFocus();
    SetCapture();
    if (m_bPressRepeat)
        SetTimer(SKINBTN_REPEAT_TIMER, 200);
    Invalidate(FALSE);
}

void CxSkinButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click is a second press.
    OnLButtonDown(nFlags, point);
}

void CxSkinButton::OnLButtonUp(UINT, CPoint point)
{
    const BOOL wasDown = m_bButtonDown;
    m_bButtonDown = FALSE;
    m_bPushedLook = FALSE;
    KillTimer(SKINBTN_REPEAT_TIMER);
    if (GetCapture() == this)
        ReleaseCapture();
    CRect rc;
    GetClientRect(&rc);
    Invalidate(FALSE);
    if (!wasDown || !rc.PtInRect(point))
        return;
    if (m_nMode == BTN_MODE_RADIO)
        SetChecked(TRUE);
    NotifyParent(BN_CLICKED);
}

void CxSkinButton::OnMouseMove(UINT, CPoint point)
{
    if (m_bButtonDown && GetCapture() == this) {
        CRect rc;
        GetClientRect(&rc);
        const BOOL over = rc.PtInRect(point);
        if (over != m_bPushedLook) {
            m_bPushedLook = over;
            Invalidate(FALSE);
        }
        return;
    }
    if (!m_bButtonDown && !m_bHover && TrackMouse(this, TME_LEAVE, 0)) {
        m_bHover = TRUE;
        Invalidate(FALSE);
    }
}

void CxSkinButton::OnMouseLeave()
{
    m_bHover = FALSE;
    Invalidate(FALSE);
}

void CxSkinButton::OnKillFocus(CWnd*)
{
    if (m_bButtonDown) {
        m_bButtonDown = FALSE;
        m_bPushedLook = FALSE;
        KillTimer(SKINBTN_REPEAT_TIMER);
        if (GetCapture() == this)
            ReleaseCapture();
    }
    Invalidate(FALSE);
}

void CxSkinButton::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_SPACE)
        return;
    if (m_nMode == BTN_MODE_CHECK)
        SetChecked(!m_bChecked);
    else if (m_nMode == BTN_MODE_RADIO)
        SetChecked(TRUE);
    NotifyParent(BN_CLICKED);
}

BOOL CxSkinButton::OnSetCursor(CWnd*, UINT, UINT)
{
    SetCursor(m_hCursor);
    return TRUE;
}

void CxSkinButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SKINBTN_REPEAT_TIMER && m_bButtonDown)
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_SKINBTN_REPEAT, WPARAM(GetDlgCtrlID()), LPARAM(m_nRepeatValue));
}

void CxSkinButton::DrawBitmap(CDC* pDC, CBitmap* pBitmap, const CRect& rc)
{
    if (!pBitmap || !pBitmap->GetSafeHandle())
        return;
    const CSize size = pBitmap->GetSize();
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap* old = mem.SelectObject(pBitmap);
    const bool masked = m_bmpMask.GetSafeHandle() != nullptr;
    auto blit = [&](int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
        if (m_nDrawMode == DRAW_STRETCH)
            pDC->StretchBlt(x, y, w, h, src, sx, sy, size.cx, size.cy, rop);
        else
            pDC->BitBlt(x, y, w, h, src, sx, sy, rop);
    };
    auto paintOnce = [&](CDC* src, DWORD rop) {
        if (m_nDrawMode == DRAW_TILED) {
            for (int y = rc.top; y < rc.bottom; y += size.cy)
                for (int x = rc.left; x < rc.right; x += size.cx)
                    pDC->BitBlt(x, y, std::min(size.cx, rc.right - x), std::min(size.cy, rc.bottom - y), src, 0, 0,
                                rop);
        } else {
            blit(rc.left, rc.top, m_nDrawMode == DRAW_STRETCH ? rc.Width() : size.cx,
                 m_nDrawMode == DRAW_STRETCH ? rc.Height() : size.cy, src, 0, 0, rop);
        }
    };
    if (!masked) {
        paintOnce(&mem, SRCCOPY);
    } else {
        // The picture over the background where the mask is black: invert, and, invert.
        CDC maskDC;
        maskDC.CreateCompatibleDC(pDC);
        CBitmap* oldMask = maskDC.SelectObject(&m_bmpMask);
        paintOnce(&mem, SRCINVERT);
        paintOnce(&maskDC, SRCAND);
        paintOnce(&mem, SRCINVERT);
        maskDC.SelectObject(oldMask);
    }
    mem.SelectObject(old);
}

void CxSkinButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    const CRect rc = lpDrawItemStruct->rcItem;
    CRect text = rc;
    text.left += m_nFocusMargin + 2;
    text.right -= m_nFocusMargin + 2;
    CString caption;
    GetWindowText(caption);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SelectObject(&m_font);
    const bool focused = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
    if (lpDrawItemStruct->itemState & ODS_DISABLED) {
        if (m_bmpDisabled.GetSafeHandle())
            DrawBitmap(pDC, &m_bmpDisabled, rc);
        else
            pDC->FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
        if (m_nBorder)
            pDC->Draw3dRect(rc, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        pDC->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->DrawText(caption, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        text.OffsetRect(-1, -1);
        pDC->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        pDC->DrawText(caption, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        return;
    }
    const bool pushed = m_bPushedLook || m_bChecked;
    if (pushed) {
        DrawBitmap(pDC, m_bmpDown.GetSafeHandle() ? &m_bmpDown : &m_bmpNormal, rc);
        text.OffsetRect(1, 1);
        if (m_nBorder)
            pDC->Draw3dRect(rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    } else {
        CBitmap* face = &m_bmpNormal;
        if (m_bHover && m_bmpOver.GetSafeHandle())
            face = &m_bmpOver;
        else if (focused && m_bmpFocus.GetSafeHandle())
            face = &m_bmpFocus;
        DrawBitmap(pDC, face, rc);
        if (m_nBorder)
            pDC->Draw3dRect(rc, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    if (focused && m_nFocusMargin > 0) {
        CRect focus = rc;
        focus.DeflateRect(m_nFocusMargin, m_nFocusMargin);
        CBrush dots(GetSysColor(COLOR_BTNSHADOW));
        pDC->FrameRect(&focus, &dots);
    }
    pDC->SetTextColor(m_bHover || m_bButtonDown ? m_clrHover : m_clrText);
    pDC->DrawText(caption, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
