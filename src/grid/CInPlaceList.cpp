#include "CInPlaceList.h"

#include "CDC.h"
#include "CInPlaceEdit.h"
#include "CellTypes.h"
#include "WinApi.h"

namespace {
int s_nLive = 0;
}

int CInPlaceList::LiveCount() { return s_nLive; }

CInPlaceList::CInPlaceList(CWnd* pParent, CRect& rect, DWORD, UINT nID, int nRow, int nColumn,
                           const std::vector<CString>& items, CString sInitText, UINT)
    : m_strInitText(std::move(sInitText)), m_nCellRow(nRow), m_nCellCol(nColumn)
{
    ++s_nLive;
    const int h = rect.Height();
    rect.bottom += m_nDropLines * h + GetSystemMetrics(SM_CYHSCROLL);
    for (const CString& item : items)
        AddString(item.c_str());
    if (!pParent || !CComboBox::Create(CBS_DROPDOWNLIST | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, rect,
                                        pParent, nID))
        return;

    // As wide as the widest option, a scroll bar and two spaces.
    if (CDC* pDC = pParent->GetDC()) {
        CFont* pOld = pParent->GetFont() ? pDC->SelectObject(pParent->GetFont()) : nullptr;
        int width = 0;
        for (const CString& item : items)
            width = std::max(width, int(pDC->GetTextExtent(item).cx));
        width += GetSystemMetrics(SM_CXVSCROLL) + 2 * pDC->GetTextExtent(" ").cx;
        if (pOld)
            pDC->SelectObject(pOld);
        pParent->ReleaseDC(pDC);
        if (width > rect.Width())
            rect.right = rect.left + width;
    }
    MoveWindow(&rect);
    SetFont(pParent->GetFont());
    if (SelectString(-1, m_strInitText.c_str()) == CB_ERR)
        SetWindowText(m_strInitText.c_str());
    SetFocus();
}

CInPlaceList::~CInPlaceList() { --s_nLive; }

void CInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CInPlaceEdit::KeyEndsEdit(nChar, m_bArrowsEnd, GetKeyState(VK_CONTROL) < 0)) {
        m_nEndKey = nChar;
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return;
    }
    CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceList::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE)
        SelectString(-1, m_strInitText.c_str());
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE) {
        m_nEndKey = nChar;
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return;
    }
    CComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CInPlaceList::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    // The dropped list is part of the editor: focus going there is no end.
    if (pNewWnd && (pNewWnd == this || pNewWnd == GetDropList()))
        return;
    FinishEdit();
}

void CInPlaceList::FinishEdit()
{
    if (m_bFinished)
        return;
    m_bFinished = true;
    SendEditEnd(this, m_nCellRow, m_nCellCol, m_nEndKey);
}

void CInPlaceList::PostNcDestroy()
{
    CComboBox::PostNcDestroy();
    delete this;
}
