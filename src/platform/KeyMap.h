// Qt keys to the virtual key codes of WM_KEYDOWN / WM_KEYUP.
#pragma once

#include "WinDefs.h"

#include <Qt>

// 0 for a key that has no virtual key code here.
UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// MK_* flags of the mouse messages.
WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// Internal: the window layer notes every key event it delivers, so that GetKeyState knows the
// keys held (a modifier counts as down during its own WM_KEYDOWN, as on Windows).
void NoteKeyEvent(UINT vk, bool down, Qt::KeyboardModifiers modifiers);
// True while the key is held according to the key events seen.
bool KeyNotedDown(UINT vk);
