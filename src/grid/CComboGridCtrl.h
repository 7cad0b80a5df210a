// The grid whose non-fixed columns may carry option lists: a cell below the headings of such a
// column takes only a text equal to one of its options, and editing it opens a list of the
// options instead of a free-text field. Columns without options behave as in the plain grid.
#pragma once

#include "CGridCtrl.h"

#include <memory>
#include <vector>

struct GV_COLUMNOPTIONS {
    int nColumn;
    std::unique_ptr<std::vector<CString>> pOptions;  // owned copy of the caller's list
};

// Combo-box styles for the option editor.
constexpr DWORD CBS_DROPDOWN_STYLE = 0x0002;

class CComboGridCtrl : public CGridCtrl {
public:
    CComboGridCtrl();
    ~CComboGridCtrl() override;

    // FALSE for a fixed column; a second call for the same column adds a record never used.
    BOOL SetColumnOptions(int nColumn, const std::vector<CString>& options);
    int FindColumnOptions(int nColumn) const;
    // Refuses (FALSE, nothing changed) a text that is not exactly one of the column's options,
    // below the fixed rows of an option column.
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str) override;
    // SetItem with the same option rule for the text; a refused text changes nothing at all.
    virtual BOOL SetOptionItem(const GV_CELLINFO* pItem);
    BOOL SetItemOption(int nRow, int nCol, int nOption);
    void SetListStyle(DWORD dwStyle) { m_dwListStyle = dwStyle; }
    DWORD GetListStyle() const { return m_dwListStyle; }
    void CreateCellEditor(CRect rect, DWORD dwStyle, UINT nID, int nRow, int nCol, CString str,
                          UINT nChar) override;

private:
    // TRUE when the text may go into (nRow, nCol) under the option rule.
    bool TextAllowed(int nRow, int nCol, const CString& str) const;

    std::vector<GV_COLUMNOPTIONS> m_arColumnOptions;
    DWORD m_dwListStyle = CBS_DROPDOWN_STYLE;
};
