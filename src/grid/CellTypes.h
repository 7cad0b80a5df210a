// Cell ids and cell ranges of the grid, and the records through which callers and the grid's owner
// exchange cell contents and notices.
#pragma once

#include "CommCtrl.h"
#include "GdiObjects.h"
#include "WinDefs.h"

#include <string>

// A cell id: (-1, -1) names no cell.
struct CCellPos {
    int row = -1;
    int col = -1;
    CCellPos() = default;
    CCellPos(int nRow, int nCol) : row(nRow), col(nCol) {}
    bool operator==(const CCellPos& o) const { return row == o.row && col == o.col; }
    bool operator!=(const CCellPos& o) const { return !(*this == o); }
};

// A block of cells, all bounds inclusive.
struct CCellBlock {
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;
    CCellBlock() = default;
    CCellBlock(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
        : minRow(nMinRow), minCol(nMinCol), maxRow(nMaxRow), maxCol(nMaxCol) {}
    int GetMinRow() const { return minRow; }
    int GetMinCol() const { return minCol; }
    int GetMaxRow() const { return maxRow; }
    int GetMaxCol() const { return maxCol; }
    int Count() const { return (maxRow - minRow + 1) * (maxCol - minCol + 1); }
    CCellPos GetTopLeft() const { return CCellPos(minRow, minCol); }
    bool InRange(int row, int col) const { return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol; }
    CCellBlock Intersect(const CCellBlock& o) const;
    bool operator==(const CCellBlock& o) const
    {
        return minRow == o.minRow && minCol == o.minCol && maxRow == o.maxRow && maxCol == o.maxCol;
    }
};

inline CCellBlock CCellBlock::Intersect(const CCellBlock& o) const
{
    return CCellBlock(minRow > o.minRow ? minRow : o.minRow, minCol > o.minCol ? minCol : o.minCol,
                      maxRow < o.maxRow ? maxRow : o.maxRow, maxCol < o.maxCol ? maxCol : o.maxCol);
}

// Cell state bits.
constexpr UINT GVS_FOCUSED = 0x01;
constexpr UINT GVS_SELECTED = 0x02;
constexpr UINT GVS_DROPHILITED = 0x04;
constexpr UINT GVS_READONLY = 0x08;
constexpr UINT GVS_MODIFIED = 0x20;

// FindNextCell directions.
constexpr UINT GVF_ABOVE = 0x100;
constexpr UINT GVF_BELOW = 0x200;
constexpr UINT GVF_TOLEFT = 0x400;
constexpr UINT GVF_TORIGHT = 0x800;

// Which members of a GV_CELLINFO are valid.
constexpr UINT GVM_TEXT = 0x01;
constexpr UINT GVM_IMAGE = 0x02;
constexpr UINT GVM_PARAM = 0x04;
constexpr UINT GVM_STATE = 0x08;
constexpr UINT GVM_BKCLR = 0x10;
constexpr UINT GVM_FGCLR = 0x20;
constexpr UINT GVM_FORMAT = 0x40;
constexpr UINT GVM_FONT = 0x80;

// A cell colour that means "the grid's colour".
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

// The item record: only the members named by mask are read or written.
struct GV_CELLINFO {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT nState = 0;
    UINT nFormat = 0;
    CString strText;
    int nImage = -1;
    COLORREF clrBack = CLR_DEFAULT;
    COLORREF clrText = CLR_DEFAULT;
    LPARAM lParam = 0;
    LOGFONT lfFont{};
};

// Notice to the grid's owner (WM_NOTIFY): which cell it is about.
struct GV_CELLNOTIFY {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

constexpr UINT GVN_FOCUSLEAVE = UINT(-100);
constexpr UINT GVN_FOCUSENTER = UINT(-101);
constexpr UINT GVN_CLEARCELL = UINT(-103);
constexpr UINT GVN_BEGINEDIT = UINT(-105);
constexpr UINT GVN_ENDEDIT = UINT(-106);
constexpr UINT GVN_DRAGSTART = UINT(-109);
constexpr UINT NM_DBLCLK = UINT(-3);

// End of an in-cell edit, sent by the editor to the grid: the cell, its new text and, in
// lParam, the key that ended the edit.
struct GV_EDITNOTIFY {
    NMHDR hdr;
    GV_CELLINFO item;
};

// The control id of every in-cell editor.
constexpr UINT IDC_INCELL_EDIT = 8;
