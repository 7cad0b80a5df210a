#include "CInPlaceEdit.h"

#include "CDC.h"
#include "CellTypes.h"
#include "CommCtrl.h"
#include "WinApi.h"

namespace {
int s_nLive = 0;
constexpr UINT kMaxChars = 8;
}  // namespace

int CInPlaceEdit::LiveCount() { return s_nLive; }

BOOL CInPlaceEdit::FirstKeySelectsAll(UINT nFirstChar, BOOL* pSend)
{
    BOOL send = FALSE, selectAll = TRUE;
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN: selectAll = FALSE; break;
    case VK_BACK: selectAll = FALSE; send = TRUE; break;
    case VK_TAB:
    case VK_SPACE: break;
    default:
        if (nFirstChar >= VK_PRIOR && nFirstChar <= VK_DOWN)
            break;
        send = TRUE;
        break;
    }
    if (pSend)
        *pSend = send;
    return selectAll;
}

BOOL CInPlaceEdit::KeyEndsEdit(UINT nChar, BOOL bArrowsEnd, BOOL bCtrl)
{
    const bool moving = nChar == VK_PRIOR || nChar == VK_NEXT || (nChar >= VK_LEFT && nChar <= VK_DOWN);
    return moving && (bArrowsEnd || bCtrl);
}

CInPlaceEdit::CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           CString sInitText, UINT nFirstChar)
    : m_nCellRow(nRow), m_nCellCol(nColumn), m_strInitText(std::move(sInitText)),
      m_bArrowsEnd(nFirstChar != VK_LBUTTON), m_rcEdit(rect)
{
    ++s_nLive;
    const DWORD style = dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    if (!pParent || !CEdit::Create(style, rect, pParent, nID))
        return;
    SetFont(pParent->GetFont());
    SendMessage(EM_LIMITTEXT, kMaxChars);
    SetWindowText(m_strInitText.c_str());
    SetFocus();

    BOOL send = FALSE;
    if (FirstKeySelectsAll(nFirstChar, &send))
        SetSel(0, -1);
    else
        SetSel(0x7FFFFFFF, 0x7FFFFFFF);  // caret after the last character
    if (send)
        SendMessage(WM_CHAR, nFirstChar);
}

CInPlaceEdit::~CInPlaceEdit() { --s_nLive; }

LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return DLGC_WANTALLKEYS;
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    // Alt+character would reach the dialog's mnemonics.
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->hwnd == m_hWnd && pMsg->wParam >= '0' && pMsg->wParam <= 'Z')
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (KeyEndsEdit(nChar, m_bArrowsEnd, GetKeyState(VK_CONTROL) < 0)) {
        m_nEndKey = nChar;
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Characters arrive whole (code points): there are no lead bytes to drop.
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        m_nEndKey = nChar;
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_strInitText.c_str());
        m_nEndKey = nChar;
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);

    // Widen to fit the text (never narrower), up to the parent's right edge.
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    CFont* pOld = GetFont() ? pDC->SelectObject(GetFont()) : nullptr;
    const CSize size = pDC->GetTextExtent(GetWindowText() + "  ");
    if (pOld)
        pDC->SelectObject(pOld);
    ReleaseDC(pDC);
    if (size.cx > m_rcEdit.Width()) {
        CRect parentRect;
        if (CWnd* pParent = GetParent())
            pParent->GetClientRect(&parentRect);
        const int right = m_rcEdit.left + size.cx;
        m_rcEdit.right = right < parentRect.right ? right : parentRect.right;
        MoveWindow(&m_rcEdit);
    }
}

void CInPlaceEdit::OnContextMenu(CWnd*, CPoint) {}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    FinishEdit();
}

void CInPlaceEdit::FinishEdit()
{
    if (m_bFinished)  // one report per edit, even if the focus comes back and goes again
        return;
    m_bFinished = true;
    GV_EDITNOTIFY notify;
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    notify.hdr.code = GVN_ENDEDIT;
    notify.item.mask = GVM_TEXT | GVM_PARAM;
    notify.item.row = m_nCellRow;
    notify.item.col = m_nCellCol;
    notify.item.strText = GetWindowText();
    notify.item.lParam = LPARAM(m_nEndKey);
    if (CWnd* pOwner = GetParent())
        pOwner->SendMessage(WM_NOTIFY, WPARAM(GetDlgCtrlID()), LPARAM(&notify));
    PostMessage(WM_CLOSE);
}

void CInPlaceEdit::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    delete this;
}
