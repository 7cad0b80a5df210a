// The report list that draws its rows itself: a fixed row height, background and text colours
// per column and per cell, per-column alignment, the list font of the current language, and the
// gradient header. Its columns cannot be resized by dragging the header, and the navigation keys
// (all but Page Up) do nothing in it.
// User-interface thread.
#pragma once

#include "CHeaderCtrlCl.h"
#include "CListCtrl.h"

#include <list>

// A colour of one cell (row and column) or of a whole column (row unused).
struct CListColor {
    int nRow;
    int nCol;
    COLORREF rgb;
};

class CListCtrlCl : public CListCtrl {
public:
    CListCtrlCl();

    CHeaderCtrlCl m_wndHeader;
    int m_nRowHeight;  // pixels; 0 leaves the list's own measure
    std::list<CListColor> m_lstColumnBk;
    std::list<CListColor> m_lstCellBk;
    std::list<CListColor> m_lstColumnText;
    std::list<CListColor> m_lstCellText;
    COLORREF m_crText;  // text colour of every cell no entry overrides

    // Records the heading and its alignment code for the header, then inserts the column.
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    // Every row, existing ones included, gets this height (0: the list's own).
    void SetRowHeight(int nHeight);
    BOOL SetTextColor(COLORREF cr);

    void AddColumnBkColor(int nCol, COLORREF color);
    // Only the last cell set this way keeps its colour (row colours included).
    void SetItemColor(int nCol, int nRow, COLORREF color);
    void SetRowBkColor(int nRow, COLORREF color);
    void AddColumnTextColor(int nCol, COLORREF color);
    void SetCellTextColor(int nCol, int nRow, COLORREF color);
    void SetRowTextColors(int nRow, COLORREF color);

    // The first matching entry's colour.
    bool GetColumnBkColor(int nCol, COLORREF& color) const;
    bool GetCellBkColor(int nCol, int nRow, COLORREF& color) const;
    bool GetColumnTextColor(int nCol, COLORREF& color) const;
    bool GetCellTextColor(int nCol, int nRow, COLORREF& color) const;

    BOOL ClearHeaderTexts();
    void SetHeaderGradient(int r, int g, int b, int nStep);
    void SetHeaderHeightFactor(float fFactor);
    void SetHeaderForeColor(COLORREF color);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

private:
    // Asks the list to lay out its header and measure its rows again.
    void Remeasure();
};
