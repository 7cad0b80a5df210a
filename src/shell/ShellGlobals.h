// Program-wide state that the shell owns: the main view pointers, the transfer-busy flag, the
// working folder and the line option. The firmware update's flags (g_bUpdating,
// g_bUpdateWaiting, g_nFirmwareStep) are the link's (FirmwareState.h); the outputs' flag bits
// and stereo pairs are the output page's (OutputPageGlobals.h).
#pragma once

#include "OutputPageGlobals.h"
#include "WinTypes.h"

#include <atomic>

class CKRV330View;
class CWnd;

// The one main view, through which pages and dialogs reach the send entry points. Set by the
// view's initial update, cleared when the view goes. User-interface thread.
extern CKRV330View* g_pMainView;
// The same view as a plain window (set and cleared with g_pMainView).
extern CWnd* g_pViewWnd;

// A counted batch or the Wi-Fi factory default is running (the transfer popup shows). Set and
// cleared on the user-interface thread; the network transaction clears it on the comm worker
// after the Wi-Fi factory default.
extern std::atomic<int> g_bTransferBusy;

// The current folder when the view started.
extern CString g_szWorkDir;

// The line option of the advanced input settings ("Line_Set" in the registry); 1 at start.

// The output page's position link is on (right outputs in their left partner's output group).
// 0 at start; the view's link-table rebuild turns it off. User-interface thread.
extern int g_bLRLinkCmd;
