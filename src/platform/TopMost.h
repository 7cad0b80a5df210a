// Keeping a top-level window above the program's other windows (what inserting it after the
// topmost band does on the desktop). User-interface thread.
#pragma once

#include "WinDefs.h"

class CWnd;

// Puts the top-level window into (or out of) the topmost band and on top of its band, without
// moving, sizing or showing it. FALSE for a child window or a window that does not exist.
BOOL SetWindowTopMost(CWnd* pWnd, BOOL bTopMost = TRUE);
// TRUE while the window is in the topmost band (made so here or created with WS_EX_TOPMOST).
BOOL IsWindowTopMost(const CWnd* pWnd);
