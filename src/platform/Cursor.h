// Mouse cursors by handle: the system's standard shapes and the program's own cursor resources.
//
// The pointer's shape is chosen the way the program's controls expect: before every mouse
// message the window under the pointer gets WM_SETCURSOR (wParam its handle, lParam
// MAKELPARAM(hit-test code, mouse message)); its handler calls SetCursor and answers TRUE, or
// leaves it to DefWindowProc, which asks the parent first and then shows the arrow.
//
// User-interface thread.
#pragma once

#include "WinDefs.h"

class QCursor;

// Standard cursors (LoadCursor with a null module).
constexpr UINT IDC_ARROW = 32512;
constexpr UINT IDC_IBEAM = 32513;
constexpr UINT IDC_WAIT = 32514;
constexpr UINT IDC_CROSS = 32515;
constexpr UINT IDC_SIZEWE = 32644;
constexpr UINT IDC_SIZENS = 32645;
constexpr UINT IDC_SIZEALL = 32646;
constexpr UINT IDC_HAND = 32649;

// The module that holds the program's resources (never null).
HINSTANCE AfxGetResourceHandle();
inline HINSTANCE AfxGetInstanceHandle() { return AfxGetResourceHandle(); }

// hInstance null: the standard cursor IDC_*; otherwise the program's cursor resource nIDCursor
// (res/cursor/<id>.png, its hot spot from the picture's "HotspotX" / "HotspotY" texts, else the
// top-left corner). Null when there is no such cursor. Both kinds are shared (the same handle
// for the same id): destroying one does nothing; CopyIcon gives a private one.
HCURSOR LoadCursor(HINSTANCE hInstance, UINT nIDCursor);
// The program's icon resource nIDIcon (res/icon/<id>.png); null when there is none. Destroy
// it with DestroyIcon.
HICON LoadIcon(HINSTANCE hInstance, UINT nIDIcon);
// A private copy that the caller destroys with DestroyCursor (or DestroyIcon); null for null.
HCURSOR CopyIcon(HCURSOR hCursor);
BOOL DestroyCursor(HCURSOR hCursor);
inline BOOL DestroyIcon(HICON hIcon) { return DestroyCursor(hIcon); }
// Shows the cursor over the window that is answering WM_SETCURSOR, else over the window under
// the pointer. Null hides the pointer there. Returns the cursor set before.
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();

// Internal: the Qt cursor of a live handle (the arrow for anything else), the hot spot of a
// cursor, and the window that is answering WM_SETCURSOR (set by the window layer).
QCursor QCursorOf(HCURSOR hCursor);
BOOL GetCursorHotSpot(HCURSOR hCursor, CPoint* pHotSpot);
void SetCursorTarget(HWND hWnd);
