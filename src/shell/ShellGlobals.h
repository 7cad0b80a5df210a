// Program-wide state that the shell owns: the main view pointer and the transfer-busy flag.
// The firmware update's flags (g_bUpdating, g_bUpdateWaiting, g_nFirmwareStep) are the link's
// (FirmwareState.h).
#pragma once

#include "WinTypes.h"

#include <atomic>

class CKRV330View;

// The one main view, through which pages and dialogs reach the send entry points. Set by the
// view's initial update, cleared when the view goes. User-interface thread.
extern CKRV330View* g_pMainView;

// A counted batch or the Wi-Fi factory default is running (the transfer popup shows). Set and
// cleared on the user-interface thread; the network transaction clears it on the comm worker
// after the Wi-Fi factory default.
extern std::atomic<int> g_bTransferBusy;
