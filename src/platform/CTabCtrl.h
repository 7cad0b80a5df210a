// The tab control: one row of tabs along the top of a body area.
//
// Layout: the tabs stand side by side from x = 2, y = 2, each as wide as its caption plus 6
// pixels on either side (or the fixed size of SetItemSize with TCS_FIXEDWIDTH) and as tall as
// the font's line plus 6 pixels; the body starts below them. GetItemRect gives a tab's place,
// AdjustRect turns a window rectangle into the body (display) rectangle and back.
//
// A left press on a tab other than the selected one asks the parent with WM_NOTIFY
// TCN_SELCHANGING (a nonzero answer keeps the selection), selects it and tells the parent
// TCN_SELCHANGE. SetCurSel selects without notices.
//
// Painting: the control draws raised tabs and the body frame itself; with TCS_OWNERDRAWFIXED it
// draws the frame and asks for each tab with WM_DRAWITEM (ODT_TAB, state ODS_SELECTED for the
// selected tab), which the parent reflects to DrawItem.
//
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "CommCtrl.h"
#include "OwnerDraw.h"

#include <vector>

constexpr DWORD TCS_FIXEDWIDTH = 0x0400;
constexpr DWORD TCS_OWNERDRAWFIXED = 0x2000;

constexpr UINT ODT_TAB = 101;

constexpr UINT TCN_SELCHANGE = UINT(-551);
constexpr UINT TCN_SELCHANGING = UINT(-552);

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;

struct TCITEM {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    char* pszText;    // UTF-8; GetItem copies into it, at most cchTextMax bytes with the zero
    int cchTextMax;
    int iImage;       // -1: none
    LPARAM lParam;
};

constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEM = 0x0006;

struct TCHITTESTINFO {
    CPoint pt;
    UINT flags;
};

class CTabCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Returns the new tab's index, or -1.
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const { return int(m_items.size()); }
    BOOL GetItem(int nItem, TCITEM* pItem) const;
    // -1 when no tab is selected.
    int GetCurSel() const { return m_nCurSel; }
    // Returns the previous selection, -1 for an index out of range (the selection stays).
    int SetCurSel(int nItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // bLarger FALSE: a window rectangle becomes its body rectangle; TRUE: the reverse.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) const;
    // Width and height of every tab (TCS_FIXEDWIDTH for the width); returns the previous size.
    CSize SetItemSize(CSize size);
    // The tab under pInfo->pt, or -1.
    int HitTest(TCHITTESTINFO* pInfo) const;

    // TCS_OWNERDRAWFIXED: draws one tab; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        CString text;
        int image;
    };
    int RowHeight() const;
    int TabWidth(const Item& item) const;
    void Paint();

    std::vector<Item> m_items;
    int m_nCurSel = -1;
    CSize m_itemSize;  // 0: from the captions and the font
};
