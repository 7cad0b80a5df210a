// The header control of a list: a row of column titles, each as wide as its item says.
//
// The owning list lays it out with HDM_LAYOUT (Layout): the header takes the top of the given
// rectangle, as tall as its font's line plus 6 pixels, and the rectangle's top moves below it.
// It draws plain raised cells with the titles; owners that want another look paint it
// themselves.
//
// User-interface thread.
#pragma once

#include "CWnd.h"

#include <vector>

constexpr UINT HDM_GETITEMCOUNT = 0x1200;
constexpr UINT HDM_LAYOUT = 0x1205;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;

constexpr int HDF_LEFT = 0;
constexpr int HDF_RIGHT = 1;
constexpr int HDF_CENTER = 2;

struct HDITEM {
    UINT mask;
    int cxy;        // width in pixels
    char* pszText;  // UTF-8; GetItem copies into it, at most cchTextMax bytes with the zero
    int cchTextMax;
    int fmt;
};

struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x, y, cx, cy;
    UINT flags;
};

struct HDLAYOUT {
    RECT* prc;          // in: the list's area; out: its top moved below the header
    WINDOWPOS* pwpos;   // out: the header's place
};

class CHeaderCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Returns the index of the new column, or -1.
    int InsertItem(int nPos, HDITEM* pItem);
    BOOL DeleteItem(int nPos);
    int GetItemCount() const { return int(m_items.size()); }
    BOOL GetItem(int nPos, HDITEM* pItem) const;
    BOOL SetItem(int nPos, HDITEM* pItem);
    // The column's cell in client coordinates: side by side from x = 0, the full client height.
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL Layout(HDLAYOUT* pLayout) { return BOOL(SendMessage(HDM_LAYOUT, 0, LPARAM(pLayout))); }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        CString text;
        int width;
        int fmt;
    };
    void Paint();

    std::vector<Item> m_items;
};
