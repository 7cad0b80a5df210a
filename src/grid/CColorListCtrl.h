// A report list that colours single cells, text and background, through custom drawing. Its
// columns cannot be resized by dragging the header.
// User-interface thread.
#pragma once

#include "CListCtrl.h"

#include <vector>

struct CELLCOLOR {
    CELLCOLOR();
    int nRow;
    int nCol;
    COLORREF crText;
    COLORREF crBk;
};

class CColorListCtrl : public CListCtrl {
public:
    // In the order added; of several records for one cell the last one wins.
    std::vector<CELLCOLOR> m_arCellColors;

    void SetCellColors(int nRow, int nCol, COLORREF crText, COLORREF crBk);
    // Every column the header has; nothing without a header.
    void SetRowColors(int nRow, COLORREF crText, COLORREF crBk);
    void ClearCellColors();
    BOOL DeleteAllItems();
    // Drops the row's records; records of later rows keep their row numbers.
    BOOL DeleteItem(int nItem);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* pDraw);
};
