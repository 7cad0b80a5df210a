// The map from window handles to window objects.
//
// A handle is a small token: the low 16 bits index a slot, the high bits (never 0) count how
// often the slot was reused, so a message posted to a window that has since gone never reaches a newer window in
// the same slot. A bare 16-bit value (a control handle carried in a 16-bit field) resolves to the
// window living in that slot. Slots are reused oldest-first.
//
// Register, Unregister and Lookup run on the user-interface thread; Exists may be called from any
// thread (the posting side asks it). One mutex guards the table.
#pragma once

#include "WinTypes.h"

class CWnd;

namespace WindowRegistry {
// Gives the window a new handle; null when all 65535 slots are in use.
HWND Register(CWnd* pWnd);
void Unregister(HWND hWnd);
// The window of the handle, or null when it is gone. User-interface thread.
CWnd* Lookup(HWND hWnd);
// Any thread.
bool Exists(HWND hWnd);
// Number of live windows (leak checks in tests).
int Count();
}  // namespace WindowRegistry
