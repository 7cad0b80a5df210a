// The owner-drawn list that fills a drop-down selector's popup. Each entry has a record: a
// group-header flag and its text colours (plain and highlighted); entries are drawn on a dark
// field, the highlighted one on the highlight colour, a group header in bold followed by a
// rule. The highlight follows the pointer; losing the keyboard focus hides the popup.
//
// The list remembers the entry of the last confirmed pick (SetSelIndex), so that a selection
// change that is not a pick can be undone.
// User-interface thread.
#pragma once

#include "CDC.h"
#include "CListBox.h"

#include <memory>
#include <vector>

constexpr UINT DROPLIST_ID = 1825;

struct DropEntry {
    BYTE bHeader = 0;          // 1: a group header
    COLORREF clrText = RGB(255, 255, 255);
    COLORREF clrHighlight = RGB(255, 255, 255);
};

class CDropListBox : public CListBox {
public:
    CDropListBox();
    ~CDropListBox() override;

    // A plain entry (white on both looks), appended. Adding to an empty list opens group 1;
    // adding a second entry selects the remembered entry.
    int AddString(LPCTSTR lpszItem);
    // nGroup = the group count + 1 opens a new group and makes the entry its header; a lower
    // number adds a plain entry; a higher one adds nothing and returns -1. Always appended.
    int AddGroupString(LPCTSTR lpszItem, int nGroup, COLORREF clrText, COLORREF clrHighlight);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    // A plain entry: removes it and returns the count left. A group header: removes it and the
    // entries up to the next header (which stays) and returns 1. -1 for a bad index.
    int DeleteString(UINT nIndex);
    void ResetContent();
    // Only the first call counts: the entries' font (not owned), a bold copy for headers, and
    // the item height of the font.
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    // One colour for the border and the field.
    void SetColors(COLORREF clr);
    void SetHighlightColor(COLORREF clr);
    void SetSelIndex(int nIndex) { m_nSelIndex = nIndex; }
    int GetSelIndex() const { return m_nSelIndex; }
    int GetGroupCount() const { return m_nGroups; }
    // The record of an entry, or null.
    const DropEntry* GetEntry(int nIndex) const;

    // Draws one entry over rcItem (the item rectangle).
    void DrawEntry(CDC* pDC, int nIndex, const CRect& rcItem, bool bHighlighted);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnSize(UINT nType, int cx, int cy) override;

private:
    int m_nGroups = 0;
    int m_nSelIndex = 0;
    std::vector<std::unique_ptr<DropEntry>> m_entries;  // in the list's order
    CRect m_rcClient;
    CFont* m_pFont = nullptr;
    CFont m_fontHeader;
    CString m_strText;  // the entry being drawn
    CPen m_pen;
    CBrush m_brushBack;
    CBrush m_brushHighlight;
    const DropEntry* m_pCurrent = nullptr;
};
