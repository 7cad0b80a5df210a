// The option editor laid over a grid cell of an option column for one edit: a list of the
// column's options that takes the focus, ends when it loses it (Enter, Tab and Esc on their
// release, Ctrl with PgUp, PgDn or an arrow on the press), reports the chosen text and the ending
// key to the grid in one GVN_ENDEDIT notice, then closes and deletes itself.
//
// The window layer's combo box has no edit field, so every list is of the drop-down-list kind,
// whatever combo style the grid asks for: the first key is not typed into it.
#pragma once

#include "CComboBox.h"

#include <vector>

class CInPlaceList : public CComboBox {
public:
    CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                 const std::vector<CString>& items, CString sInitText, UINT nFirstChar);
    ~CInPlaceList() override;

    void FinishEdit();
    static int LiveCount();
    static constexpr int m_nDropLines = 4;

protected:
    void PostNcDestroy() override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;

    CString m_strInitText;
    int m_nCellRow;
    int m_nCellCol;
    UINT m_nEndKey = 0;
    BOOL m_bArrowsEnd = FALSE;
    bool m_bFinished = false;
};
