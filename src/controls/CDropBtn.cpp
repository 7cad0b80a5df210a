#include "CDropBtn.h"

#include "AppMessages.h"
#include "CComBoxBtn.h"
#include "CDropWnd.h"

#include <climits>

namespace {
constexpr int kDropHeightLimit = 100;
}

CDropBtn::CDropBtn() = default;

CDropBtn::~CDropBtn() { m_pDrop.reset(); }

void CDropBtn::PreSubclassWindow() { ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW); }

BOOL CDropBtn::Init(COLORREF clrBack, COLORREF clrHoverBack, COLORREF clrHighlight, COLORREF clrHighlightText,
                    CFont* pFont, UINT nNotifyId)
{
    m_clrBack = clrBack == CLR_NONE ? 0xCDD9FF : clrBack;
    m_clrHoverBack = clrHoverBack == CLR_NONE ? 0xFFE5E9 : clrHoverBack;
    m_clrHighlight = clrHighlight == CLR_NONE ? 0x00FF00 : clrHighlight;
    m_clrHighlightText = clrHighlightText == CLR_NONE ? 0 : clrHighlightText;
    if (pFont) {
        m_pFont = pFont;
    } else {
        m_fontOwn.CreateFont(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
        m_pFont = &m_fontOwn;
    }
    m_nNotifyId = nNotifyId;
    auto drop = std::make_unique<CDropWnd>();
    if (!drop->Create(this, nNotifyId))
        return FALSE;
    m_pDrop = std::move(drop);
    m_pDrop->GetListBox().SetFont(m_pFont);
    m_pDrop->GetListBox().SetHighlightColor(m_clrHighlight);
    return TRUE;
}

int CDropBtn::AddString(LPCTSTR lpszItem) { return m_pDrop ? m_pDrop->GetListBox().AddString(lpszItem) : -1; }

void CDropBtn::ResetContent()
{
    if (m_pDrop)
        m_pDrop->GetListBox().ResetContent();
}

void CDropBtn::SetCurSel(int nIndex)
{
    if (!m_pDrop)
        return;
    CString text;
    if (m_pDrop->GetListBox().SetCurSel(nIndex) != LB_ERR && m_pDrop->GetListBox().GetText(nIndex, text) != LB_ERR)
        SetWindowText(text);
}

int CDropBtn::GetCurSel() const { return m_pDrop ? m_pDrop->GetListBox().GetCurSel() : -1; }

void CDropBtn::Paint(CDC* pDC, const CRect& rc)
{
    pDC->FillSolidRect(rc, m_bHover ? m_clrHoverBack : m_clrBack);
    CString text;
    GetWindowText(text);
    CFont* old = m_pFont ? pDC->SelectObject(m_pFont) : nullptr;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    const int arrow = pDC->GetTextExtent("M").cx;
    CRect r(rc.left + 5, rc.top, rc.right - arrow - 4, rc.bottom);
    pDC->DrawText(text, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    CBrush ink(RGB(0, 0, 0));
    CPen none(PS_NULL, 0, 0);
    CBrush* oldBrush = pDC->SelectObject(&ink);
    CPen* oldPen = pDC->SelectObject(&none);
    const int x = rc.right - arrow - 2;
    const int y = rc.top + (rc.Height() - arrow / 2) / 2;
    const CPoint tri[3] = {CPoint(x, y), CPoint(x + arrow, y), CPoint(x + arrow / 2, y + arrow / 2 + 1)};
    pDC->Polygon(tri, 3);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
    if (old)
        pDC->SelectObject(old);
}

void CDropBtn::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC))
        Paint(pDC, lpDrawItemStruct->rcItem);
}

void CDropBtn::ShowDropList()
{
    CRect rcButton;
    GetClientRect(&rcButton);
    ClientToScreen(&rcButton);
    // Always below: a work area that never ends.
    const CRect endless(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2);
    CDropListBox& list = m_pDrop->GetListBox();
    m_rcDrop = CComBoxBtn::CalcDropRect(rcButton, rcButton.Width(), list.GetCount(), list.GetItemHeight(0),
                                        kDropHeightLimit, endless);
    m_pDrop->MoveWindow(&m_rcDrop, FALSE);
    m_pDrop->ShowWindow(SW_SHOW);
}

void CDropBtn::OnLButtonDown(UINT, CPoint)
{
    if (!m_pDrop)
        return;
    if (m_pDrop->IsShown())
        m_pDrop->ShowWindow(SW_HIDE);
    else
        ShowDropList();
}

void CDropBtn::Leave(bool closePopup)
{
    m_bHover = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    if (closePopup && m_pDrop)
        m_pDrop->ShowWindow(SW_HIDE);
    Invalidate(FALSE);
}

void CDropBtn::OnMouseMove(UINT, CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(point)) {
        if (!m_bHover) {
            m_bHover = TRUE;
            SetCapture();
            Invalidate(FALSE);
        }
        return;
    }
    if (!m_bHover)
        return;
    // Out of the button: over the open popup the list takes the pointer; anywhere else the
    // popup closes.
    ClientToScreen(&point);
    const bool overPopup = m_pDrop && m_pDrop->IsShown() && m_rcDrop.PtInRect(point);
    Leave(!overPopup);
}

LRESULT CDropBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DROPLIST_SELCHANGE)
        return CButton::WindowProc(message, wParam, lParam);
    const int index = int(wParam);
    if (m_bAutoCaption && m_pDrop) {
        CString text;
        if (m_pDrop->GetListBox().GetText(index, text) != LB_ERR)
            SetWindowText(text);
    }
    if (m_pDrop)
        m_pDrop->GetListBox().SetSelIndex(index);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_DROPLIST_SELCHANGE, WPARAM(m_nNotifyId), LPARAM(index));
    return 1;
}
