#include "CInPlaceList.h"

#include "CDC.h"
#include "CInPlaceEdit.h"
#include "CellTypes.h"
#include "WinApi.h"

namespace {
int s_nLive = 0;

// Characters (not bytes) of a UTF-8 text.
int CharCount(const CString& text)
{
    int n = 0;
    for (unsigned char c : text)
        n += (c & 0xC0) != 0x80;
    return n;
}
}  // namespace

int CInPlaceList::LiveCount() { return s_nLive; }

CInPlaceList::CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           const std::vector<CString>& items, CString sInitText, UINT nFirstChar)
    : m_strInitText(std::move(sInitText)), m_nCellRow(nRow), m_nCellCol(nColumn),
      m_bDropList((dwStyle & CBS_DROPDOWNLIST) != CBS_DROPDOWN)
{
    ++s_nLive;
    const int h = rect.Height();
    rect.bottom += m_nDropLines * h + GetSystemMetrics(SM_CYHSCROLL);
    for (const CString& item : items)
        AddString(item.c_str());
    // Only the drop-down style has an edit field here; any other combo style is a drop-down list.
    const DWORD comboStyle = m_bDropList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    const DWORD style = (dwStyle & ~CBS_DROPDOWNLIST) | comboStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
                        CBS_AUTOHSCROLL;
    if (!pParent || !CComboBox::Create(style, rect, pParent, nID))
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
    // The window is the selection field, one cell high; the rest of the rectangle is the dropped
    // list's, which Create has already taken its height from.
    MoveWindow(rect.left, rect.top, rect.Width(), h);
    SetFont(pParent->GetFont());
    if (SelectString(-1, m_strInitText.c_str()) == CB_ERR)
        SetWindowText(m_strInitText.c_str());
    if (m_bDropList || !SubclassEdit(m_wndEdit)) {
        SetFocus();
        return;
    }
    m_wndEdit.SetFocus();
    BOOL send = FALSE;
    if (CInPlaceEdit::FirstKeySelectsAll(nFirstChar, &send)) {
        m_wndEdit.SetSel(0, -1);
        // Tab and Space go to the list as well; the moving keys do not.
        send = nFirstChar == VK_TAB || nFirstChar == VK_SPACE || send;
    } else {
        const int caret = CharCount(m_strInitText);
        m_wndEdit.SetSel(caret, caret);
    }
    if (send)
        SendMessage(WM_CHAR, nFirstChar);
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
    if (nChar == VK_ESCAPE) {
        SelectString(-1, m_strInitText.c_str());
        if (!m_bDropList)
            SetWindowText(m_strInitText.c_str());
    }
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
    // With an edit field, that field's focus loss ends the edit. The dropped list is part of the
    // editor: focus going there is no end.
    if (!m_bDropList || KeepsFocus(pNewWnd))
        return;
    FinishEdit();
}

BOOL CInPlaceList::KeepsFocus(const CWnd* pNewWnd) const
{
    // While the list is dropped the focus may pass through windows that are not yet known.
    return IsPartOf(pNewWnd) || GetDroppedState();
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

BOOL CInPlaceListEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd != m_hWnd)
        return CEdit::PreTranslateMessage(pMsg);
    // Alt+character would reach the dialog's mnemonics.
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam >= '0' && pMsg->wParam <= 'Z')
        return TRUE;
    if (pMsg->message == WM_KEYUP) {
        SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN) {
        // Handled here, so no host dialog sees the key; the character it makes still follows,
        // which swallowing the message would stop.
        SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        pMsg->message = WM_NULL;
        return FALSE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceListEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    auto* pList = dynamic_cast<CInPlaceList*>(GetParent());
    // Dropping the list or clicking its button keeps the edit going.
    if (pList && !pList->KeepsFocus(pNewWnd))
        pList->FinishEdit();
}

void CInPlaceListEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Ctrl with a moving key ends the list's edit; without Ctrl the key moves the caret.
    if (CInPlaceEdit::KeyEndsEdit(nChar, FALSE, GetKeyState(VK_CONTROL) < 0)) {
        if (CWnd* pList = GetParent())
            pList->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceListEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE) {
        if (CWnd* pList = GetParent())
            pList->SendMessage(WM_KEYUP, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}
