#include "CComBoxBtn.h"

#include "AppMessages.h"
#include "CDropWnd.h"
#include "ControlGlobals.h"
#include "Cursor.h"
#include "Globals.h"
#include "SkinHabits.h"
#include "WinApi.h"

#include <algorithm>

namespace {

void MakeCaptionFont(CFont& font)
{
    font.CreateFont(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 2, 0x10, 1, 0x22, "Arial");
}

}  // namespace

CComBoxBtn::CComBoxBtn()
{
    MakeCaptionFont(m_fontNormal);
    MakeCaptionFont(m_fontHover);
    m_pFontNormal = &m_fontNormal;
    m_pFontHover = &m_fontHover;
    m_hCursor = LoadHandCursor(m_hCursor);
}

CComBoxBtn::~CComBoxBtn()
{
    m_pDrop.reset();
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CComBoxBtn::PreSubclassWindow()
{
    m_nKind = ButtonModeFromStyle(GetStyle());
    if (m_nKind == BTN_MODE_PUSH)
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CComBoxBtn::SetBitmaps(UINT nNormal, UINT nHover)
{
    m_nNormalBitmap = nNormal;
    m_nHoverBitmap = nHover;
    CBitmap bmp;
    if (nNormal && bmp.LoadBitmap(nNormal) && m_hWnd) {
        const CSize size = bmp.GetSize();
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
}

BOOL CComBoxBtn::CreateDropList(CWnd* pOwner, UINT nNotifyId)
{
    GetClientRect(&m_rcClient);
    m_nDropWidth = m_rcClient.Width();
    auto drop = std::make_unique<CDropWnd>();
    if (!drop->Create(this, nNotifyId))
        return FALSE;
    m_pDrop = std::move(drop);
    m_pDrop->GetListBox().SetFont(m_pFontNormal);
    m_pOwner = pOwner;
    m_nNotifyId = nNotifyId;
    return TRUE;
}

int CComBoxBtn::AddString(LPCTSTR lpszItem) { return m_pDrop ? m_pDrop->GetListBox().AddString(lpszItem) : -1; }

int CComBoxBtn::InsertString(int nIndex, LPCTSTR lpszItem)
{
    return m_pDrop ? m_pDrop->GetListBox().InsertString(nIndex, lpszItem) : -1;
}

void CComBoxBtn::ResetContent()
{
    if (m_pDrop)
        m_pDrop->GetListBox().ResetContent();
}

int CComBoxBtn::GetCount() const { return m_pDrop ? m_pDrop->GetListBox().GetCount() : 0; }

int CComBoxBtn::GetCurSel() const { return m_pDrop ? m_pDrop->GetListBox().GetCurSel() : -1; }

CString CComBoxBtn::EntryText(int nIndex) const
{
    CString text;
    if (m_pDrop)
        m_pDrop->GetListBox().GetText(nIndex, text);
    return text;
}

void CComBoxBtn::SetCurSel(int nIndex)
{
    if (!m_pDrop)
        return;
    if (nIndex < 0 || nIndex >= GetCount()) {
        m_pDrop->GetListBox().SetCurSel(-1);
        return;
    }
    m_pDrop->GetListBox().SetCurSel(nIndex);
    SetWindowText(EntryText(nIndex));
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CComBoxBtn::EnableWindow(BOOL bEnable)
{
    if (m_nNullTextMode == 1 && bEnable && GetCurSel() >= 0)
        SetWindowText(EntryText(GetCurSel()));
    const BOOL result = CButton::EnableWindow(bEnable);
    FitToPicture();
    return result;
}

void CComBoxBtn::SetEmphasis(BOOL bEmphasis)
{
    if (bEmphasis == m_bEmphasis)
        return;
    m_bEmphasis = bEmphasis;
    Invalidate(FALSE);
}

void CComBoxBtn::SetTextColors(COLORREF clrNormal, COLORREF clrHover)
{
    m_clrNormal = clrNormal;
    m_clrHover = clrHover;
}

void CComBoxBtn::SetFonts(CFont* pNormal, CFont* pHover)
{
    m_fontNormal.DeleteObject();
    m_fontHover.DeleteObject();
    m_pFontNormal = pNormal;
    m_pFontHover = pHover;
}

CRect CComBoxBtn::CalcDropRect(const CRect& rcButton, int nDropWidth, int nCount, int nItemHeight, int nHeightLimit,
                               const CRect& rcWork)
{
    int h = nHeightLimit;
    if (nCount > 0 && nCount * nItemHeight < nHeightLimit)
        h = nCount * nItemHeight;
    CRect rc(rcButton.left, rcButton.bottom - 1, rcButton.left + nDropWidth, rcButton.bottom + h);
    if (rc.bottom > rcWork.bottom) {
        rc.bottom = rcButton.top;
        rc.top = rc.bottom - h;
    }
    return rc;
}

bool CComBoxBtn::WheelStep(int& nAcc, short zDelta, int nCount, int nCurSel, int* pIndex)
{
    nAcc = std::clamp(nAcc + int(zDelta), -120, 120);
    if (nAcc != -120 && nAcc != 120)
        return false;
    const int dir = nAcc == -120 ? 1 : -1;
    nAcc = 0;
    if (nCount <= 0)
        return false;
    int index = nCurSel + dir;
    if (index >= nCount)
        index = nCount - 1;
    if (index < 0)
        index = 0;
    *pIndex = index;
    return true;
}

void CComBoxBtn::ShowDropList()
{
    if (!m_pDrop)
        return;
    CRect rcButton;
    GetClientRect(&rcButton);
    ClientToScreen(&rcButton);
    CRect work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    CDropListBox& list = m_pDrop->GetListBox();
    m_rcDrop = CalcDropRect(rcButton, m_nDropWidth, list.GetCount(), list.GetItemHeight(0), m_nDropHeightLimit, work);
    m_pDrop->MoveWindow(&m_rcDrop, FALSE);
    CRect rcList;
    list.GetWindowRect(&rcList);
    if (rcList.bottom != m_rcDrop.bottom) {
        rcList.bottom = m_rcDrop.bottom;
        m_rcDrop.InflateRect(1, 1);
        m_pDrop->MoveWindow(&m_rcDrop, TRUE);
    }
    m_pDrop->ShowWindow(SW_SHOW);
}

CComBoxBtn::Look CComBoxBtn::ChooseLook(UINT itemState) const
{
    if (itemState & ODS_DISABLED)
        return Look{m_nDisabledBitmap, nullptr, m_clrDisabled, m_nNullTextMode == 1};
    if (m_bHover)
        return Look{m_nHoverBitmap, m_pFontHover, m_clrHover, false};
    const bool emphasis = m_bEmphasis || (GetDlgCtrlID() == int(SOURCE_SELECTOR_ID) && g_bSourceMatch);
    return Look{m_nNormalBitmap, m_pFontNormal, emphasis ? m_clrEmphasis : m_clrNormal, false};
}

void CComBoxBtn::FitToPicture()
{
    if (!m_hWnd)
        return;
    CBitmap bmp;
    const UINT id = ChooseLook(IsWindowEnabled() ? 0 : ODS_DISABLED).bitmap;
    if (id && bmp.LoadBitmap(id)) {
        const CSize size = bmp.GetSize();
        CRect rc;
        GetClientRect(&rc);
        if (rc.Size() != size)
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
}

void CComBoxBtn::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_nKind == BTN_MODE_PUSH)
        DrawButton(CDC::FromHandle(lpDrawItemStruct->hDC), lpDrawItemStruct->rcItem, lpDrawItemStruct->itemState);
}

void CComBoxBtn::DrawButton(CDC* pDC, const CRect& rc, UINT itemState)
{
    if (!pDC)
        return;
    CString text;
    GetWindowText(text);
    pDC->SetBkMode(TRANSPARENT);
    const Look look = ChooseLook(itemState);
    CBitmap bmp;
    if (look.bitmap && bmp.LoadBitmap(look.bitmap)) {
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
    if (text.empty())
        return;
    if (look.nullText)
        text = g_bChinese ? "     空" : "     NULL";
    CFont* oldFont = look.font ? pDC->SelectObject(look.font) : nullptr;
    pDC->SetTextColor(look.text);
    CRect r = rc;
    r.left += 5;
    r.right -= 15;
    pDC->DrawText(text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont)
        pDC->SelectObject(oldFont);
}

LRESULT CComBoxBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPLIST_SELCHANGE)
        return OnDropListSelChange(wParam, lParam);
    return CButton::WindowProc(message, wParam, lParam);
}

LRESULT CComBoxBtn::OnDropListSelChange(WPARAM wParam, LPARAM)
{
    const int index = int(wParam);
    SetWindowText(EntryText(index));
    m_bHover = TRUE;
    FitToPicture();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_DROPLIST_SELCHANGE, WPARAM(m_nNotifyId), LPARAM(index));
    if (m_pDrop)
        m_pDrop->GetListBox().SetSelIndex(index);
    return 1;
}

void CComBoxBtn::OnLButtonDown(UINT, CPoint point)
{
    m_bHover = FALSE;
    if (m_pDrop) {
        if (m_pDrop->IsShown()) {
            ClientToScreen(&point);
            if (!m_rcDrop.PtInRect(point))
                m_pDrop->ShowWindow(SW_HIDE);
        } else {
            ShowDropList();
        }
    }
    FitToPicture();
    Invalidate(TRUE);
    Default();
}

void CComBoxBtn::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHover) {
        m_bHover = TRUE;
        FitToPicture();
        Invalidate(FALSE);
    }
    TrackMouse(this, TME_LEAVE | TME_HOVER, 1);
    if (m_bMoveNotify && point != m_ptLast) {
        m_ptLast = point;
        CWnd* parent = GetParent();
        CWnd* focus = GetFocus();
        if (m_pDrop && m_pDrop->IsShown()) {
            if (focus != m_pDrop.get()) {
                if (parent)
                    parent->SendMessage(WM_CTRL_MOUSEMOVE, WPARAM(-1), LPARAM(GetDlgCtrlID()));
                if (m_pDrop)
                    m_pDrop->GetListBox().SetFocus();
            }
        } else if (focus != this && parent) {
            parent->SendMessage(WM_CTRL_MOUSEMOVE, nFlags, LPARAM(GetDlgCtrlID()));
        }
    }
    Default();
}

void CComBoxBtn::OnMouseLeave()
{
    m_bHover = FALSE;
    FitToPicture();
    Invalidate(FALSE);
}

void CComBoxBtn::OnMouseHover(UINT, CPoint) {}

BOOL CComBoxBtn::OnSetCursor(CWnd*, UINT, UINT) { return SetHandOrArrowCursor(m_hCursor, m_bUseHandCursor); }

void CComBoxBtn::OnKillFocus(CWnd*)
{
    m_bHover = FALSE;
    Default();
}

void CComBoxBtn::OnSize(UINT, int, int)
{
    Default();
    GetClientRect(&m_rcClient);
}

BOOL CComBoxBtn::OnMouseWheel(UINT, short zDelta, CPoint)
{
    int index = 0;
    if (WheelStep(m_nWheelAcc, zDelta, GetCount(), GetCurSel(), &index)) {
        SetCurSel(index);
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_DROPLIST_SELCHANGE, WPARAM(m_nNotifyId), LPARAM(index));
    }
    return BOOL(Default());
}
