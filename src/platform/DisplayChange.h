// Display changes reach the program's windows as WM_DISPLAYCHANGE, as the desktop reports them:
// a screen added or removed, another primary screen, a new resolution.
//
// WM_DISPLAYCHANGE is sent to every top-level window: wParam the primary screen's colour depth
// in bits per pixel, lParam MAKELPARAM(width, height) of the primary screen in pixels.
// User-interface thread.
#pragma once

// Sends WM_DISPLAYCHANGE to every top-level window now.
void BroadcastDisplayChange();
// Starts listening to the desktop's screen notices; once per application (PlatformInit).
void WatchDisplayChanges();
