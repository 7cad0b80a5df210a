// Owner drawing: what an owner-drawn control tells its parent (WM_DRAWITEM, wParam the control
// id, lParam a DRAWITEMSTRUCT*) when it must be drawn. The parent's default handler reflects the
// message to the control's own DrawItem.
#pragma once

#include "WinDefs.h"

// Control types.
constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_STATIC = 5;

// What to draw.
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;

// State of the item.
constexpr UINT ODS_SELECTED = 0x0001;  // a button: pushed; a list entry: selected
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;      // list entry index, (UINT)-1 for none
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;          // the control's paint context for the duration of the message
    CRect rcItem;     // client coordinates of the control
    uintptr_t itemData;
};
typedef DRAWITEMSTRUCT* LPDRAWITEMSTRUCT;
