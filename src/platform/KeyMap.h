// Qt keys to the virtual key codes of WM_KEYDOWN / WM_KEYUP.
#pragma once

#include "WinDefs.h"

#include <Qt>

// 0 for a key that has no virtual key code here.
UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// MK_* flags of the mouse messages.
WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
