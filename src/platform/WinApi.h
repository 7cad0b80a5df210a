// Small services of the window system: system colours, key and pointer state, ending the loop.
// User-interface thread.
#pragma once

#include "WinDefs.h"

// The classic Windows colour of a COLOR_* index; black for an unknown index.
COLORREF GetSysColor(int nIndex);
// Bit 15 set (negative) while the key is down: VK_SHIFT, VK_CONTROL, VK_MENU and the mouse
// buttons; 0 for other keys.
short GetKeyState(int nVirtKey);
BOOL GetCursorPos(LPPOINT lpPoint);
// Ends the user-interface loop with the exit code, once the current message is handled.
void PostQuitMessage(int nExitCode);
