// A hidden helper window of the main view that can close a message box after one second by
// pressing Enter in it (a key press of the program's own, delivered to the box that has the
// keyboard focus; nothing is synthesised for the desktop). The view creates it once during its
// initial update and it lives as long as the view. User-interface thread.
#pragma once

#include "CWnd.h"

constexpr UINT CMSGBOX_ID = 1000;
constexpr UINT_PTR CMSGBOX_TIMER = 100;
constexpr UINT CMSGBOX_DELAY_MS = 1000;

class CMsgBox : public CWnd {
public:
    // Creates the hidden window as a child of pParent once; later calls do nothing. TRUE while
    // the window exists.
    BOOL CreateHidden(CWnd* pParent);
    // Shows text in a message box (MB_OK, selector 0: the product name as caption) that Enter
    // closes after one second; returns the box's answer. The timer goes with the box, so a box
    // answered sooner leaves no key press behind for another window.
    int ShowAutoClose(const CString& text);
    // Presses Enter in the window that has the keyboard focus now.
    void PressEnter();

    int m_bCreated = 0;

protected:
    void OnTimer(UINT_PTR nIDEvent) override;
};
