// The combo box in its drop-down list form (CBS_DROPDOWNLIST): a field that shows the selected
// entry and a button that drops a list of the entries below it. There is no edit part.
//
// In the drop-down form (CBS_DROPDOWN) the field is an edit field instead (a CEdit child with the
// id COMBO_EDIT_ID that the combo box owns): the window text is the edit field's text, SetWindowText
// sets it, an entry chosen in the list fills it (all selected), characters sent to the combo box
// and the focus go on to it. A derived class may put its own edit object in its place
// (SubclassEdit). Typing leaves the selected entry as it was.
//
// The rectangle given to Create is the field and the dropped list together; the field takes
// COMBO_FIELD_HEIGHT pixels of it (less when the rectangle is lower) and the list the rest (at
// least four rows). The window text is the selected entry's text.
//
// The user drops the list with a click on the field or F4 (Alt+Down), picks an entry with the
// mouse or moves with the arrow keys and confirms with Enter; Escape or a click elsewhere
// closes it unchanged. With the list closed, the arrow, Home and End keys change the selection
// directly. A change by the user sends the parent WM_COMMAND CBN_SELCHANGE; dropping and closing
// send CBN_DROPDOWN and CBN_CLOSEUP. Selecting from the program (SetCurSel, SelectString)
// reports nothing.
//
// The entries live in the object, so they can be filled before the window exists.
// User-interface thread.
#pragma once

#include "CWnd.h"

#include <memory>
#include <vector>

constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;

constexpr int CB_ERR = -1;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;

constexpr int COMBO_FIELD_HEIGHT = 22;  // pixels
constexpr UINT COMBO_EDIT_ID = 1001;

class CEdit;

class CComboDropList;

class CComboBox : public CWnd {
public:
    CComboBox();
    ~CComboBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The index of the new entry (in sorted place with CBS_SORT).
    int AddString(LPCTSTR lpszString);
    // nIndex -1 appends; CB_ERR beyond the end.
    int InsertString(int nIndex, LPCTSTR lpszString);
    // The number of entries left, or CB_ERR for a bad index.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const { return int(m_items.size()); }
    // The selected entry, CB_ERR (-1) for none.
    int GetCurSel() const { return m_nSel; }
    // Selects the entry; -1 (or a bad index, which returns CB_ERR) clears the selection.
    int SetCurSel(int nSelect);
    // CB_ERR for a bad index.
    int GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    uintptr_t GetItemData(int nIndex) const;
    int SetItemData(int nIndex, uintptr_t dwItemData);

    // The first entry after nStartAfter (-1: from the start) whose text begins with lpszString,
    // ignoring the case of ASCII letters; the search wraps round to the entries before it.
    // CB_ERR when none does, and for an empty text.
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    // The same for the whole text.
    int FindStringExact(int nStartAfter, LPCTSTR lpszString) const;
    // Selects what FindString finds; its index, or CB_ERR with the selection unchanged.
    int SelectString(int nStartAfter, LPCTSTR lpszString);

    // Drops or closes the list (no notice of a pick).
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    // The dropped list's window (null while none was made), for tests.
    CWnd* GetDropList() const;
    // The edit field (CBS_DROPDOWN); null in the drop-down list form.
    CEdit* GetEditCtrl() const { return m_pEdit; }
    // TRUE for the combo box itself and the windows it is made of (edit field, dropped list), so
    // that focus moving among them can be told from focus leaving.
    BOOL IsPartOf(const CWnd* pWnd) const;

protected:
    // Replaces the edit field by edit (same place, style, id, text and font); the combo box does
    // not own it. FALSE in the drop-down list form or when its window cannot be made.
    BOOL SubclassEdit(CEdit& edit);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    friend class CComboDropList;
    struct Item {
        CString text;
        uintptr_t data = 0;
    };

    int FindFrom(int nStartAfter, LPCTSTR lpszString, bool exact) const;
    // Selection by the user: CBN_SELCHANGE when it changed.
    void SelectByUser(int nIndex);
    void ShowSelectionText();
    void OpenList();
    // The list closes; bPick takes its selection as the user's choice.
    void CloseList(bool bPick);
    void Paint();
    CRect EditRect() const;

    std::vector<Item> m_items;
    int m_nSel = CB_ERR;
    int m_nDropHeight = 0;  // pixels of the dropped list
    bool m_bDropped = false;
    std::unique_ptr<CComboDropList> m_pDrop;
    std::unique_ptr<CEdit> m_pOwnEdit;
    CEdit* m_pEdit = nullptr;  // m_pOwnEdit, or the one a derived class put in
    bool m_bSyncingText = false;
};
