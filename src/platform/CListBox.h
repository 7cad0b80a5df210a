// The list box: a single-selection list of text entries, optionally owner-drawn with one fixed
// item height (LBS_OWNERDRAWFIXED: each visible entry is drawn through WM_DRAWITEM to the parent,
// reflected to DrawItem). With WS_VSCROLL a scroll bar appears at the right edge while the entries
// do not fit.
//
// The user changes the selection with the mouse (press and drag select, the release reports) or
// the arrow, Home, End, Page Up and Page Down keys (each move reports); with LBS_NOTIFY the parent
// then gets WM_COMMAND LBN_SELCHANGE (sent), and LBN_DBLCLK for a double click. Selecting from the
// program (SetCurSel) reports nothing. The wheel scrolls. The parent colours the background
// through WM_CTLCOLORLISTBOX.
//
// The entries live in the object, so they can be filled before the window exists.
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "OwnerDraw.h"

#include <vector>

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;

constexpr int LB_ERR = -1;

constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD LBN_SETFOCUS = 4;
constexpr WORD LBN_KILLFOCUS = 5;

class CListBox : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The index of the new entry (in sorted place with LBS_SORT).
    int AddString(LPCTSTR lpszItem);
    // nIndex -1 appends; LB_ERR beyond the end.
    int InsertString(int nIndex, LPCTSTR lpszItem);
    // The number of entries left, or LB_ERR for a bad index.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const { return int(m_items.size()); }
    // The selected entry, LB_ERR (-1) for none.
    int GetCurSel() const { return m_nSel; }
    // Selects the entry and scrolls it into view; -1 (or a bad index, which returns LB_ERR)
    // clears the selection.
    int SetCurSel(int nSelect);
    // LB_ERR for a bad index.
    int GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    uintptr_t GetItemData(int nIndex) const;
    int SetItemData(int nIndex, uintptr_t dwItemData);
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    // Client rectangle of the entry where it is drawn now (above or below the view when it is
    // scrolled out); LB_ERR for a bad index.
    int GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetTopIndex() const { return m_nTop; }
    int SetTopIndex(int nIndex);
    // The entry at the client point (the nearest one when bOutside comes back TRUE).
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    // TRUE while the scroll bar is shown.
    BOOL HasScrollBar() const;

    // Owner-drawn entries: draws one; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        CString text;
        uintptr_t data = 0;
    };
    int VisibleRows() const;  // whole rows that fit
    int MaxTop() const;
    CRect ScrollBarRect() const;
    CRect ThumbRect() const;
    void EnsureVisible(int nIndex);
    void SelectByUser(int nIndex, bool notify);
    void Paint();
    void PaintScrollBar(CDC& dc);
    bool ScrollBarPress(CPoint pt);

    std::vector<Item> m_items;
    int m_nSel = LB_ERR;
    int m_nTop = 0;
    int m_nItemHeight = 16;
    bool m_bTracking = false;     // a press on the entries, until release
    int m_nThumbGrab = -1;        // pointer offset in the thumb while dragging it, else -1
};
