// What the skinned controls share: the button mode a style asks for, the hand cursor, hover
// tracking, the pointer-move notice, repainting the parent under a control, and the scaled copy
// of a bitmap the bitmap buttons draw from.
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "GdiObjects.h"

// The program's hand cursor resource.
constexpr UINT IDC_HAND_CURSOR = 213;

// How a button made from a template button behaves, by its type bits (BS_*).
constexpr int BTN_MODE_PUSH = 0;
constexpr int BTN_MODE_CHECK = 2;  // bits 0 and 1 both set: auto check box, group box, owner-draw
constexpr int BTN_MODE_RADIO = 4;  // otherwise bits 0 and 3 both set: auto radio button
int ButtonModeFromStyle(DWORD dwStyle);

// A private copy of the hand cursor for a control that holds none yet (hCurrent is returned
// when it already holds one); null when the program has no cursor 213, and the control then
// shows the arrow.
HCURSOR LoadHandCursor(HCURSOR hCurrent);
// WM_SETCURSOR of such a control: the hand when it is wanted and held, else the arrow.
BOOL SetHandOrArrowCursor(HCURSOR hHand, BOOL bUseHand);

// Asks for WM_MOUSELEAVE (TME_LEAVE) and WM_MOUSEHOVER (TME_HOVER) notices of the window, with
// the hover time in ms.
BOOL TrackMouse(CWnd* pWnd, DWORD dwFlags, DWORD dwHoverTime);

// WM_CTRL_MOUSEMOVE to the control's parent (sent: wParam the key flags, lParam the control id)
// when pt differs from the last point reported, which it then becomes. True when sent.
bool SendMoveNotice(CWnd* pCtl, CPoint& ptLast, CPoint pt, WPARAM wKeyFlags);

// Invalidates, with erasing, the parent's area under the window, so that a control without a
// background of its own shows the parent's new picture.
void RepaintParentArea(CWnd* pWnd);

// A new bitmap, owned by the caller, holding the whole source scaled to nWidth x nHeight
// (colour-on-colour: lines are dropped or repeated, not blended). Null when the source is not a
// bitmap or the size is empty.
HBITMAP StretchBitmap(HBITMAP hSrc, int nWidth, int nHeight);
