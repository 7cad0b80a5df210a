// A key press made by the program itself: a key-down and key-up of our own, delivered to the
// program's window that has the keyboard focus (the active modal dialog when one is up), as if
// the user had pressed the key there. Nothing leaves the program: no input is synthesised for
// the desktop. User-interface thread.
#pragma once

#include "WinDefs.h"

// Queues the press and release of the key (VK_RETURN, VK_ESCAPE, VK_SPACE or VK_TAB) for the
// window that has the focus, or the active modal dialog, or the active window; they arrive once
// the event loop runs. FALSE for another key or when the program has no such window.
BOOL PressKeyInFocusWindow(UINT nVirtKey);
