// Program-wide state of a firmware update (the flags shared with LinkGlobals.h: g_bUpdateDone,
// g_bAbortingUpdate, g_bMcuImageLoaded).
//
// Written on the user-interface thread while no worker runs (load, start, end of an update)
// and by the comm worker while it runs the firmware transactions; the atomic ones are also
// read by other threads (the removal handler, the serial monitoring thread).
#pragma once

#include "WinTypes.h"

#include <atomic>

// A firmware update runs: StartComm raises the firmware event instead of the send event, and
// the serial link carries only the queued head.
extern std::atomic<int> g_bUpdating;
// The update waits for its device (the reconnect polling runs): no second start, no automatic
// connect on device arrival.
extern std::atomic<int> g_bUpdateWaiting;
// Step code of the firmware request being written (0x36..0x3C, 0xFF), read by the removal
// handler. FIRMWARE_STEP_IDLE while no update step is in progress.
constexpr int FIRMWARE_STEP_IDLE = 0;
extern std::atomic<int> g_nFirmwareStep;
// Upper bound of the update dialog's progress bar: the progress count of the file plus 6.
extern int g_nUpdateProgressTotal;

// Puts the firmware step back to idle: at the end of an update (done, failed or abandoned) and
// whenever a link opens for normal work, so that a later removal is not judged by an old step.
void ResetFirmwareStep();
