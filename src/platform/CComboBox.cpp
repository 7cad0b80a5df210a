#include "CComboBox.h"

#include "CEdit.h"
#include "CListBox.h"
#include "CWindowDC.h"
#include "GdiObjects.h"
#include "WinApi.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr UINT DROP_LIST_ID = 1000;
constexpr int MIN_DROP_ROWS = 4;
constexpr int ROW_HEIGHT = 16;  // the list box's row height
constexpr UINT KEY_F4 = VK_F1 + 3;

bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool StartsWithNoCase(const CString& text, const CString& prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), SameLetter);
}

bool EqualNoCase(const CString& a, const CString& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameLetter);
}

}  // namespace

// The dropped list: a borderless window above the others, owned by the combo box, holding a
// list box. A pick with the mouse (the release inside the list) or Enter ends it with the
// choice; Escape, or the focus going elsewhere, ends it without.
class CComboDropList : public CWnd {
public:
    explicit CComboDropList(CComboBox& combo) : m_combo(combo) {}

    BOOL Make()
    {
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "ComboLBox", "", WS_POPUP | WS_BORDER, CRect(0, 0, 0, 0),
                      &m_combo, 0))
            return FALSE;
        return m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             CRect(0, 0, 0, 0), this, DROP_LIST_ID);
    }
    CListBox& List() { return m_list; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
            m_combo.CloseList(pMsg->wParam == VK_RETURN);
            return TRUE;
        }
        return CWnd::PreTranslateMessage(pMsg);
    }

protected:
    void OnSize(UINT, int, int) override
    {
        Default();
        if (m_list.GetSafeHwnd()) {
            CRect rc;
            GetClientRect(&rc);
            m_list.MoveWindow(&rc, TRUE);
        }
    }

    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        if (LOWORD(wParam) != DROP_LIST_ID)
            return FALSE;
        if (HIWORD(wParam) == LBN_SELCHANGE) {
            // The keyboard moves the highlight only; a release of the mouse inside picks.
            CRect rc;
            GetWindowRect(&rc);
            CPoint cursor;
            GetCursorPos(&cursor);
            if (rc.PtInRect(cursor) && !(GetKeyState(VK_DOWN) < 0 || GetKeyState(VK_UP) < 0))
                m_combo.CloseList(true);
            return TRUE;
        }
        if (HIWORD(wParam) == LBN_KILLFOCUS) {
            m_combo.CloseList(false);
            return TRUE;
        }
        return FALSE;
    }

private:
    CComboBox& m_combo;
    CListBox m_list;
};

CComboBox::CComboBox() = default;

CComboBox::~CComboBox()
{
    // The list window belongs to this combo box; it goes first.
    if (m_pDrop && m_pDrop->GetSafeHwnd())
        m_pDrop->DestroyWindow();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    const CRect rc(rect);
    const int field = std::min(rc.Height(), COMBO_FIELD_HEIGHT);
    m_nDropHeight = std::max(rc.Height() - field, MIN_DROP_ROWS * ROW_HEIGHT + 2);
    if (!CWnd::Create("COMBOBOX", "", dwStyle, CRect(rc.left, rc.top, rc.right, rc.top + field), pParentWnd, nID))
        return FALSE;
    if ((dwStyle & CBS_DROPDOWNLIST) == CBS_DROPDOWN) {
        auto edit = std::make_unique<CEdit>();
        const DWORD editStyle = WS_CHILD | WS_VISIBLE | ((dwStyle & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0);
        if (!edit->Create(editStyle, EditRect(), this, COMBO_EDIT_ID)) {
            DestroyWindow();
            return FALSE;
        }
        m_pOwnEdit = std::move(edit);
        m_pEdit = m_pOwnEdit.get();
    }
    ShowSelectionText();
    return TRUE;
}

BOOL CComboBox::SubclassEdit(CEdit& edit)
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd() || &edit == m_pEdit)
        return FALSE;
    const CString text = GetWindowText();
    const DWORD style = m_pEdit->GetStyle();
    if (!edit.Create(style, EditRect(), this, COMBO_EDIT_ID))
        return FALSE;
    m_pEdit->DestroyWindow();
    m_pOwnEdit.reset();
    m_pEdit = &edit;
    edit.SetFont(GetFont());
    m_bSyncingText = true;
    edit.SetWindowText(text);
    m_bSyncingText = false;
    return TRUE;
}

CRect CComboBox::EditRect() const
{
    CRect rc;
    GetClientRect(&rc);
    // Inside the border, left of the button.
    rc.DeflateRect(2, 2);
    rc.right -= GetSystemMetrics(SM_CXVSCROLL) + 1;
    if (rc.right < rc.left)
        rc.right = rc.left;
    return rc;
}

BOOL CComboBox::IsPartOf(const CWnd* pWnd) const
{
    if (!pWnd)
        return FALSE;
    if (pWnd == this || (m_pEdit && pWnd == m_pEdit))
        return TRUE;
    return m_pDrop && (pWnd == m_pDrop.get() || pWnd == &m_pDrop->List()) ? TRUE : FALSE;
}

BOOL CComboBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_pEdit && LOWORD(wParam) == COMBO_EDIT_ID) {
        // The edit field's text is the combo box's text.
        if (HIWORD(wParam) == EN_CHANGE && !m_bSyncingText) {
            const CString text = m_pEdit->GetWindowText();
            CWnd::DefWindowProc(WM_SETTEXT, 0, LPARAM(text.c_str()));
        }
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

int CComboBox::AddString(LPCTSTR lpszString)
{
    const CString text = lpszString ? lpszString : "";
    size_t at = m_items.size();
    if (GetStyle() & CBS_SORT)
        at = size_t(std::upper_bound(m_items.begin(), m_items.end(), text,
                                     [](const CString& t, const Item& b) { return t < b.text; }) -
                    m_items.begin());
    return InsertString(int(at), text.c_str());
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    if (nIndex < -1 || nIndex > GetCount())
        return CB_ERR;
    const int at = nIndex == -1 ? GetCount() : nIndex;
    m_items.insert(m_items.begin() + at, Item{lpszString ? lpszString : "", 0});
    if (m_nSel >= at)
        ++m_nSel;
    return at;
}

int CComboBox::DeleteString(UINT nIndex)
{
    if (nIndex >= m_items.size())
        return CB_ERR;
    m_items.erase(m_items.begin() + nIndex);
    if (m_nSel == int(nIndex))
        m_nSel = CB_ERR;
    else if (m_nSel > int(nIndex))
        --m_nSel;
    ShowSelectionText();
    return GetCount();
}

void CComboBox::ResetContent()
{
    m_items.clear();
    m_nSel = CB_ERR;
    ShowSelectionText();
}

int CComboBox::SetCurSel(int nSelect)
{
    if (nSelect < 0 || nSelect >= GetCount()) {
        m_nSel = CB_ERR;
        ShowSelectionText();
        return CB_ERR;
    }
    m_nSel = nSelect;
    ShowSelectionText();
    return nSelect;
}

int CComboBox::GetLBText(int nIndex, CString& rString) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CB_ERR;
    rString = m_items[size_t(nIndex)].text;
    return int(rString.size());
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return nIndex < 0 || nIndex >= GetCount() ? CB_ERR : int(m_items[size_t(nIndex)].text.size());
}

uintptr_t CComboBox::GetItemData(int nIndex) const
{
    return nIndex < 0 || nIndex >= GetCount() ? uintptr_t(CB_ERR) : m_items[size_t(nIndex)].data;
}

int CComboBox::SetItemData(int nIndex, uintptr_t dwItemData)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CB_ERR;
    m_items[size_t(nIndex)].data = dwItemData;
    return 0;
}

int CComboBox::FindFrom(int nStartAfter, LPCTSTR lpszString, bool exact) const
{
    const int n = GetCount();
    if (n == 0)
        return CB_ERR;
    const CString wanted = lpszString ? lpszString : "";
    if (wanted.empty())
        return CB_ERR;
    // A start outside the entries searches them all from the first.
    const int first = nStartAfter >= 0 && nStartAfter < n ? nStartAfter + 1 : 0;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const CString& text = m_items[size_t(i)].text;
        if (exact ? EqualNoCase(text, wanted) : StartsWithNoCase(text, wanted))
            return i;
    }
    return CB_ERR;
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return FindFrom(nStartAfter, lpszString, false);
}

int CComboBox::FindStringExact(int nStartAfter, LPCTSTR lpszString) const
{
    return FindFrom(nStartAfter, lpszString, true);
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    const int found = FindString(nStartAfter, lpszString);
    if (found != CB_ERR)
        SetCurSel(found);
    return found;
}

void CComboBox::ShowSelectionText()
{
    const CString text = m_nSel >= 0 && m_nSel < GetCount() ? m_items[size_t(m_nSel)].text : CString();
    SetWindowText(text);
    if (GetSafeHwnd())
        Invalidate();
}

void CComboBox::SelectByUser(int nIndex)
{
    if (GetCount() == 0)
        return;
    nIndex = std::clamp(nIndex, 0, GetCount() - 1);
    if (nIndex == m_nSel)
        return;
    SetCurSel(nIndex);
    NotifyParent(CBN_SELCHANGE);
}

BOOL CComboBox::GetDroppedState() const { return m_bDropped ? TRUE : FALSE; }

CWnd* CComboBox::GetDropList() const { return m_pDrop.get(); }

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    if (bShowIt)
        OpenList();
    else
        CloseList(false);
}

void CComboBox::OpenList()
{
    if (!GetSafeHwnd() || m_bDropped || !IsWindowEnabled())
        return;
    if (!m_pDrop) {
        m_pDrop = std::make_unique<CComboDropList>(*this);
        if (!m_pDrop->Make()) {
            m_pDrop.reset();
            return;
        }
    }
    NotifyParent(CBN_DROPDOWN);
    CListBox& list = m_pDrop->List();
    list.ResetContent();
    for (const Item& item : m_items)
        list.AddString(item.text.c_str());
    CRect rc;
    GetWindowRect(&rc);
    const int rows = std::max(1, std::min(GetCount(), m_nDropHeight / ROW_HEIGHT));
    m_pDrop->MoveWindow(rc.left, rc.bottom, rc.Width(), rows * ROW_HEIGHT + 2, FALSE);
    list.SetCurSel(m_nSel);
    m_bDropped = true;
    m_pDrop->ShowWindow(SW_SHOW);
    list.SetFocus();
}

void CComboBox::CloseList(bool bPick)
{
    // Hiding the list moves the focus, which asks to close again: only the first call counts.
    if (!m_pDrop || !m_bDropped)
        return;
    m_bDropped = false;
    const int picked = m_pDrop->List().GetCurSel();
    m_pDrop->ShowWindow(SW_HIDE);
    if (GetSafeHwnd())
        SetFocus();
    NotifyParent(CBN_CLOSEUP);
    if (bPick && picked >= 0) {
        SelectByUser(picked);
        if (m_pEdit && m_pEdit->GetSafeHwnd()) {
            // The edit field may hold typed text while the same entry stays selected.
            ShowSelectionText();
            m_pEdit->SetSel(0, -1);
        }
    }
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus();
        if (GetDroppedState())
            CloseList(false);
        else
            OpenList();
        return 0;
    case WM_KEYDOWN:
        switch (UINT(wParam)) {
        case VK_UP: SelectByUser(m_nSel < 0 ? 0 : m_nSel - 1); break;
        case VK_DOWN:
            if (GetKeyState(VK_MENU) < 0)
                OpenList();
            else
                SelectByUser(m_nSel + 1);
            break;
        case VK_HOME: SelectByUser(0); break;
        case VK_END: SelectByUser(GetCount() - 1); break;
        case KEY_F4: OpenList(); break;
        default: break;
        }
        return 0;
    case WM_SIZE:
        if (m_pEdit && m_pEdit->GetSafeHwnd()) {
            const CRect rc = EditRect();
            m_pEdit->MoveWindow(&rc);
        }
        return CWnd::DefWindowProc(message, wParam, lParam);
    case WM_SETTEXT:
        if (m_pEdit && m_pEdit->GetSafeHwnd() && !m_bSyncingText) {
            const CString text = lParam ? reinterpret_cast<LPCTSTR>(lParam) : "";
            m_bSyncingText = true;
            m_pEdit->SetWindowText(text);
            m_bSyncingText = false;
            return CWnd::DefWindowProc(WM_SETTEXT, 0, LPARAM(text.c_str()));
        }
        return CWnd::DefWindowProc(message, wParam, lParam);
    case WM_CHAR:
        if (m_pEdit && m_pEdit->GetSafeHwnd())
            return m_pEdit->SendMessage(message, wParam, lParam);
        return CWnd::DefWindowProc(message, wParam, lParam);
    case WM_SETFOCUS:
        if (m_pEdit && m_pEdit->GetSafeHwnd()) {
            m_pEdit->SetFocus();
            return 0;
        }
        Invalidate(FALSE);
        return 0;
    case WM_KILLFOCUS:
    case WM_ENABLE:
        Invalidate(FALSE);
        return 0;
    case WM_DESTROY:
        if (m_pDrop && m_pDrop->GetSafeHwnd())
            m_pDrop->DestroyWindow();
        m_pDrop.reset();
        m_bDropped = false;
        m_pEdit = nullptr;
        return CWnd::DefWindowProc(message, wParam, lParam);
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CComboBox::Paint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const bool enabled = IsWindowEnabled() != FALSE;
    dc.FillSolidRect(rc, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.Draw3dRect(rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    const int button = GetSystemMetrics(SM_CXVSCROLL);
    CRect arrow(rc.right - 1 - button, rc.top + 1, rc.right - 1, rc.bottom - 1);
    dc.FillSolidRect(arrow, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(arrow, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    CBrush ink(GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    CPen none(PS_NULL, 0, 0);
    CBrush* oldBrush = dc.SelectObject(&ink);
    CPen* oldPen = dc.SelectObject(&none);
    const int cx = arrow.left + arrow.Width() / 2;
    const int cy = arrow.top + arrow.Height() / 2;
    const CPoint tri[3] = {CPoint(cx - 4, cy - 2), CPoint(cx + 5, cy - 2), CPoint(cx, cy + 3)};
    dc.Polygon(tri, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);

    if (m_pEdit)
        return;  // the edit field shows the text
    CRect text(rc.left + 3, rc.top + 2, arrow.left - 2, rc.bottom - 2);
    const bool focused = GetFocus() == this;
    if (focused && m_nSel >= 0)
        dc.FillSolidRect(text, GetSysColor(COLOR_HIGHLIGHT));
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(!enabled ? COLOR_GRAYTEXT : focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect inner = text;
    inner.left += 2;
    dc.DrawText(GetWindowText(), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (oldFont)
        dc.SelectObject(oldFont);
}
