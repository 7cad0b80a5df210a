#include "CComboGridCtrl.h"

#include "CInPlaceList.h"

#include <algorithm>

CComboGridCtrl::CComboGridCtrl() : CGridCtrl(0, 0, 0, 0) {}

CComboGridCtrl::~CComboGridCtrl() { m_arColumnOptions.clear(); }

BOOL CComboGridCtrl::SetColumnOptions(int nColumn, const std::vector<CString>& options)
{
    if (nColumn < GetFixedColumnCount())
        return FALSE;
    m_arColumnOptions.push_back({nColumn, std::make_unique<std::vector<CString>>(options)});
    return TRUE;
}

int CComboGridCtrl::FindColumnOptions(int nColumn) const
{
    for (size_t i = 0; i < m_arColumnOptions.size(); ++i)
        if (m_arColumnOptions[i].nColumn == nColumn)
            return int(i);
    return -1;
}

bool CComboGridCtrl::TextAllowed(int nRow, int nCol, const CString& str) const
{
    const int index = FindColumnOptions(nCol);
    if (index < 0 || nRow < GetFixedRowCount())
        return true;
    const auto& options = *m_arColumnOptions[size_t(index)].pOptions;
    return std::find(options.begin(), options.end(), str) != options.end();  // exact, case-sensitive
}

BOOL CComboGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    if (!TextAllowed(nRow, nCol, str ? str : ""))
        return FALSE;
    return CGridCtrl::SetItemText(nRow, nCol, str);
}

BOOL CComboGridCtrl::SetOptionItem(const GV_CELLINFO* pItem)
{
    if (!pItem || !GetCell(pItem->row, pItem->col))
        return FALSE;
    if ((pItem->mask & GVM_TEXT) && !TextAllowed(pItem->row, pItem->col, pItem->strText))
        return FALSE;
    return SetItem(pItem);
}

BOOL CComboGridCtrl::SetItemOption(int nRow, int nCol, int nOption)
{
    const int index = FindColumnOptions(nCol);
    if (index < 0)
        return FALSE;
    const auto& options = *m_arColumnOptions[size_t(index)].pOptions;
    if (nOption < 0 || nOption >= int(options.size()))
        return FALSE;
    return CGridCtrl::SetItemText(nRow, nCol, options[size_t(nOption)].c_str());
}

void CComboGridCtrl::CreateCellEditor(CRect rect, DWORD dwStyle, UINT nID, int nRow, int nCol, CString str,
                                      UINT nChar)
{
    const int index = FindColumnOptions(nCol);
    if (index < 0) {
        CGridCtrl::CreateCellEditor(rect, dwStyle, nID, nRow, nCol, str, nChar);
        return;
    }
    auto* pList = new CInPlaceList(this, rect, m_dwListStyle, nID, nRow, nCol,
                                   *m_arColumnOptions[size_t(index)].pOptions, str, nChar);
    if (!pList->m_hWnd)  // never made: it cannot delete itself
        delete pList;
}
