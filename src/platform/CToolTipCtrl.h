// Tooltips: a text shown when the pointer rests over a tool window. The desktop shows the tip
// itself, so relaying mouse messages is not needed; RelayEvent is kept for the program's callers.
// The colours are stored for the program to read back; the desktop's tip colours are used.
// User-interface thread.
#pragma once

#include "CWnd.h"

struct MSG;

class CToolTipCtrl {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd);
    void Activate(BOOL bActivate);
    void RelayEvent(MSG*) {}
    void SetTipTextColor(COLORREF clr) { m_clrText = clr; }
    void SetTipBkColor(COLORREF clr) { m_clrBack = clr; }
    COLORREF GetTipTextColor() const { return m_clrText; }
    COLORREF GetTipBkColor() const { return m_clrBack; }
    BOOL IsCreated() const { return m_bCreated; }

private:
    void Apply(CWnd* pWnd, const CString& text);

    bool m_bCreated = false;
    bool m_bActive = true;
    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrBack = RGB(255, 255, 225);
    HWND m_hTool = nullptr;
    CString m_strText;
};
