// One cell of the grid: its texts, look and state. The grid owns every cell.
#pragma once

#include "CellTypes.h"

class CCellData {
public:
    CCellData() = default;
    virtual ~CCellData() = default;

    UINT m_nState = 0;   // GVS_* bits
    UINT m_nFormat = 0;  // DrawText flags
    CString m_strText;   // the text drawn, edited, sorted, copied and saved
    CString m_strText2;  // a second text, read only by GetItemText2
    int m_nImage = -1;   // index into the grid's image list; -1 for none
    COLORREF m_clrBack = CLR_DEFAULT;
    COLORREF m_clrText = CLR_DEFAULT;
    LOGFONT m_logFont{};
    LPARAM m_lParam = 0;  // the caller's item data
};
