// The free-text editor laid over a grid cell for one edit. It takes the focus, ends when it
// loses it (Enter, Tab, Esc and, when opened by a key, the arrows move the focus away), reports
// the text and the ending key to the grid in one GVN_ENDEDIT notice, then closes and deletes
// itself. The creator keeps no pointer; an object whose window could not be made has no window
// (m_hWnd null) and must be deleted by its creator.
#pragma once

#include "CEdit.h"

class CInPlaceEdit : public CEdit {
public:
    // rect: the cell, in pParent's client coordinates. nFirstChar: the key that opened the
    // editor (VK_LBUTTON, 1, for the mouse).
    CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, CString sInitText,
                 UINT nFirstChar);
    ~CInPlaceEdit() override;

    void FinishEdit();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT GetEndKey() const { return m_nEndKey; }
    const CRect& GetEditRect() const { return m_rcEdit; }
    // How many editors exist now (leak checks).
    static int LiveCount();

    // The first-key rule: TRUE when the key selects the whole text (else the caret goes to the
    // end), and TRUE in *pSend when the key is then typed into the editor.
    static BOOL FirstKeySelectsAll(UINT nFirstChar, BOOL* pSend);
    // The ending rule for a key press: TRUE when it ends the edit.
    static BOOL KeyEndsEdit(UINT nChar, BOOL bArrowsEnd, BOOL bCtrl);

protected:
    void PostNcDestroy() override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnContextMenu(CWnd* pWnd, CPoint pos) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_nCellRow;
    int m_nCellCol;
    CString m_strInitText;
    UINT m_nEndKey = 0;
    BOOL m_bArrowsEnd;
    CRect m_rcEdit;
    bool m_bFinished = false;
};
