#include "CBitButton.h"

#include "AppMessages.h"
#include "Clock.h"
#include "Cursor.h"
#include "SkinHabits.h"
#include "WinApi.h"

namespace {

// Loads the picture of a state; false (and no bitmap) for 0 or an id that does not load.
bool LoadFace(UINT nID, CBitmap& bmp)
{
    return nID != 0 && bmp.LoadBitmap(nID);
}

}  // namespace

CBitButton::CBitButton() { m_hCursor = LoadHandCursor(m_hCursor); }

CBitButton::~CBitButton()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CBitButton::PreSubclassWindow()
{
    const DWORD style = GetStyle();
    switch (style & 0xF00) {
    case 0: m_nAlign = 1; break;
    case BS_LEFT: m_nAlign = 0; break;
    case BS_CENTER: m_nAlign = 1; break;
    case BS_RIGHT: m_nAlign = 2; break;
    default: break;
    }
    m_nMode = ButtonModeFromStyle(style);
    if (m_nMode == BTN_MODE_PUSH)
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CBitButton::SetBitmaps(UINT nNormal, UINT nHover, UINT nPressed, UINT nCheckedNormal, UINT nCheckedHover,
                            UINT nCheckedPressed)
{
    m_nBitmap[0] = nNormal;
    m_nBitmap[1] = nHover;
    m_nBitmap[2] = nPressed;
    m_nCheckedBitmap[0] = nCheckedNormal ? nCheckedNormal : nNormal;
    m_nCheckedBitmap[1] = nCheckedHover ? nCheckedHover : nHover;
    m_nCheckedBitmap[2] = nCheckedPressed ? nCheckedPressed : nPressed;
    Redraw(FALSE);
}

void CBitButton::SetCheckedBitmap(UINT nID)
{
    m_nCheckedBitmap[0] = m_nCheckedBitmap[1] = m_nCheckedBitmap[2] = nID;
    Redraw(FALSE);
}

void CBitButton::SetDisabledBitmaps(UINT nUnchecked, UINT nChecked)
{
    m_nDisabledBitmap[0] = nUnchecked;
    m_nDisabledBitmap[1] = nChecked;
    Redraw(FALSE);
}

void CBitButton::SetHighlightBitmaps(UINT nUnchecked, UINT nChecked)
{
    m_nHighlightBitmap = nUnchecked;
    m_nCheckedHighlightBitmap = nChecked;
}

void CBitButton::SetTextColors(COLORREF clrNormal, COLORREF clrHover, COLORREF clrPressed, COLORREF clrCheckedNormal,
                               COLORREF clrCheckedHover, COLORREF clrCheckedPressed)
{
    m_clrText[0] = clrNormal;
    m_clrText[1] = clrHover;
    m_clrText[2] = clrPressed;
    m_clrCheckedText[0] = clrCheckedNormal;
    m_clrCheckedText[1] = clrCheckedHover;
    m_clrCheckedText[2] = clrCheckedPressed;
}

void CBitButton::SetFonts(CFont* pNormal, CFont* pHover, CFont* pPressed, CFont* pCheckedNormal, CFont* pCheckedHover,
                          CFont* pCheckedPressed)
{
    m_pFont[0] = pNormal;
    m_pFont[1] = pHover;
    m_pFont[2] = pPressed;
    m_pCheckedFont[0] = pCheckedNormal ? pCheckedNormal : pNormal;
    m_pCheckedFont[1] = pCheckedHover ? pCheckedHover : pHover;
    m_pCheckedFont[2] = pCheckedPressed ? pCheckedPressed : pPressed;
}

void CBitButton::SetCheck(BOOL bCheck)
{
    m_bChecked = bCheck;
    if (!m_bChecked)
        PassHoverToLinked(bCheck);
    Redraw(FALSE);
}

void CBitButton::SetHover(BOOL bHover)
{
    m_bHover = bHover;
    Redraw(FALSE);
}

void CBitButton::SetHighlight(BOOL bHighlight)
{
    if (bHighlight == m_bHighlight)
        return;
    m_bHighlight = bHighlight;
    Redraw(TRUE);
}

void CBitButton::SetLinkedButtons(CBitButton* pFirst, CBitButton* pSecond)
{
    m_pLinked[0] = pFirst;
    m_pLinked[1] = pSecond;
}

void CBitButton::PassHoverToLinked(BOOL bHover)
{
    if (m_bChecked)
        return;
    for (CBitButton* b : m_pLinked)
        if (b)
            b->SetHover(bHover);
}

BOOL CBitButton::ShowWindow(int nCmdShow)
{
    if (nCmdShow == SW_HIDE)
        m_pLinked[0] = m_pLinked[1] = nullptr;
    return CButton::ShowWindow(nCmdShow);
}

CBitButton::Face CBitButton::ChooseFace(UINT itemState) const
{
    if (itemState & ODS_DISABLED)
        return Face{m_nDisabledBitmap[m_bChecked ? 1 : 0], m_clrDisabled, m_pDisabledFont, true};
    const UINT* bitmaps = m_bChecked ? m_nCheckedBitmap : m_nBitmap;
    const COLORREF* colours = m_bChecked ? m_clrCheckedText : m_clrText;
    CFont* const* fonts = m_bChecked ? m_pCheckedFont : m_pFont;
    // The pressed picture shows only while the pointer is also over the button.
    const int state = !m_bHover ? 0 : m_bPressed ? 2 : 1;
    UINT bitmap = bitmaps[state];
    if (state == 0 && m_bHighlight)
        bitmap = m_bChecked ? m_nCheckedHighlightBitmap : m_nHighlightBitmap;
    return Face{bitmap, colours[state], fonts[state], false};
}

void CBitButton::Redraw(BOOL bErase)
{
    if (!m_hWnd)
        return;
    const Face face = ChooseFace(IsWindowEnabled() ? 0 : ODS_DISABLED);
    CBitmap bmp;
    if (LoadFace(face.bitmap, bmp)) {
        const CSize size = bmp.GetSize();
        CRect rc;
        GetClientRect(&rc);
        if (rc.Size() != size)
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    Invalidate(bErase);
}

void CBitButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_nMode == BTN_MODE_PUSH)
        DrawButton(CDC::FromHandle(lpDrawItemStruct->hDC), lpDrawItemStruct->rcItem, lpDrawItemStruct->itemState);
    else if (m_nMode == BTN_MODE_CHECK)
        CButton::DrawItem(lpDrawItemStruct);
}

void CBitButton::DrawButton(CDC* pDC, const CRect& rc, UINT itemState)
{
    if (!pDC)
        return;
    CString caption;
    GetWindowText(caption);
    pDC->SetBkMode(TRANSPARENT);
    const Face face = ChooseFace(itemState);
    CBitmap bmp;
    if (LoadFace(face.bitmap, bmp)) {
        CBitmap scaled;
        scaled.Attach(reinterpret_cast<HGDIOBJ>(StretchBitmap(bmp, rc.Width(), rc.Height())));
        bmp.DeleteObject();
        CDC mem;
        mem.CreateCompatibleDC(pDC);
        CBitmap* old = mem.SelectObject(&scaled);
        pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    } else {
        pDC->FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    }
    CRect text = rc;
    if (face.disabled) {
        if (face.font)
            pDC->SelectObject(face.font);
        pDC->SetTextColor(face.text);
        text.left += m_nDisabledIndent;
        pDC->DrawText(caption, &text, m_nDisabledFormat | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    if (caption.empty())
        return;
    if (face.font)
        pDC->SelectObject(face.font);
    pDC->SetTextColor(face.text);
    if (m_bTextOffset) {
        text.top += m_nTextTop;
        pDC->DrawText(caption, &text, UINT(m_nAlign < 0 ? 0 : m_nAlign) | DT_CENTER | DT_VCENTER);
    } else {
        pDC->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void CBitButton::OnLButtonDown(UINT, CPoint)
{
    m_bPressed = TRUE;
    Redraw(TRUE);
    Default();
}

void CBitButton::OnLButtonUp(UINT, CPoint)
{
    m_bPressed = FALSE;
    Default();
}

void CBitButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHover) {
        m_bHover = TRUE;
        PassHoverToLinked(TRUE);
        Redraw(FALSE);
    }
    TrackMouse(this, TME_LEAVE | TME_HOVER, 1);
    if (m_bMoveNotify)
        SendMoveNotice(this, m_ptLast, point, nFlags);
    Default();
}

void CBitButton::OnMouseLeave()
{
    m_bHover = FALSE;
    Redraw(FALSE);
    PassHoverToLinked(FALSE);
}

void CBitButton::OnMouseHover(UINT, CPoint) {}

BOOL CBitButton::OnSetCursor(CWnd*, UINT, UINT) { return SetHandOrArrowCursor(m_hCursor, m_bUseHandCursor); }

BOOL CBitButton::PreTranslateMessage(MSG* pMsg)
{
    CWnd* target = CWnd::FromHandle(pMsg->hwnd);
    if (target && target->GetDlgCtrlID() == int(BITBUTTON_CLICK_CTRL_ID)) {
        CWnd* parent = GetParent();
        switch (pMsg->message) {
        case WM_RBUTTONDOWN:
            if (parent)
                parent->PostMessage(WM_BITBUTTON_CLICK, WM_RBUTTONDOWN, 0);
            break;
        case WM_LBUTTONDBLCLK:
            if (parent)
                parent->PostMessage(WM_BITBUTTON_CLICK, WM_LBUTTONDBLCLK, 0);
            KillTimer(BITBUTTON_CLICK_TIMER);
            break;
        case WM_LBUTTONDOWN:
            SetTimer(BITBUTTON_CLICK_TIMER, 200);
            m_hClickParent = parent ? parent->GetSafeHwnd() : nullptr;
            break;
        default:
            break;
        }
    }
    return CButton::PreTranslateMessage(pMsg);
}

void CBitButton::OnTimer(UINT_PTR)
{
    // A double click may still be on its way: give it a moment before the single click goes.
    Sleep(10);
    ::PostMessage(m_hClickParent, WM_BITBUTTON_CLICK, WM_LBUTTONDOWN, 0);
    KillTimer(BITBUTTON_CLICK_TIMER);
}

void CBitButton::OnEnable(BOOL)
{
    Redraw(FALSE);
}
