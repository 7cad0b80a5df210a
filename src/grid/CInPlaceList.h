// The option editor laid over a grid cell of an option column for one edit: a combo box of the
// column's options that takes the focus, ends when it loses it (Enter, Tab and Esc on their
// release, Ctrl with PgUp, PgDn or an arrow on the press), reports the text and the ending key
// to the grid in one GVN_ENDEDIT notice, then closes and deletes itself.
//
// In the drop-down style the combo box's edit field is taken over by a CInPlaceListEdit, so that
// the text can be typed and the field's keys and focus loss reach the list; the first key is
// applied to it. In the drop-down-list style the list only takes the focus.
#pragma once

#include "CComboBox.h"
#include "CEdit.h"

#include <vector>

// The list's edit field: passes Ctrl + PgUp, PgDn or an arrow and the release of Tab, Enter and
// Esc on to the list, edits every other key, and ends the list's edit when the focus leaves the
// list. Lives only as a member of a CInPlaceList.
class CInPlaceListEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
};

class CInPlaceList : public CComboBox {
public:
    CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                 const std::vector<CString>& items, CString sInitText, UINT nFirstChar);
    ~CInPlaceList() override;

    void FinishEdit();
    // TRUE when the focus moving to pNewWnd stays within the editor (its field, its dropped list).
    BOOL KeepsFocus(const CWnd* pNewWnd) const;
    static int LiveCount();
    static constexpr int m_nDropLines = 4;

protected:
    void PostNcDestroy() override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;

    CInPlaceListEdit m_wndEdit;
    CString m_strInitText;
    int m_nCellRow;
    int m_nCellCol;
    UINT m_nEndKey = 0;
    BOOL m_bArrowsEnd = FALSE;
    bool m_bFinished = false;
    bool m_bDropList = true;  // no edit field
};
