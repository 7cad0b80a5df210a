// Program-wide state of the device link.
//
// The flags are ints (0 clear, 1 set). Unless a line says otherwise they are written and read
// under g_csComm: by the user-interface thread and by the thread that runs the reply engine
// (the comm worker, or the serial thread). The atomic ones are also tested by the comm worker
// without the lock, between transactions.
#pragma once

#include "WinTypes.h"

#include <atomic>

class CKTVCommand;
class CSendData;
class ILinkProgress;
class ILinkStatusText;

// Send attempts of the network link for the head request; cleared when the head is removed.
extern int g_nSendRetry;
// The queued request the serial link is carrying, or null while idle. Points into the send
// queue, which clears it whenever it removes its head. Guarded by g_csComm.
extern CSendData* g_pSerialItem;

// The main view's command engine; set once by the view when it initialises, null before.
extern CKTVCommand* g_pCommand;

// Set by the main view when it queues the handshake; while set the reply engine accepts only
// the handshake answer, which clears it.
extern int g_bHandshake;
// The device answered a request with an empty data reply: it needs new firmware. The worker
// runs no send transaction while set; StartComm clears it.
extern std::atomic<int> g_bNeedFirmware;
// The firmware end step was answered: the update is done (the worker stops its firmware case).
extern std::atomic<int> g_bUpdateDone;
// The user is abandoning a firmware update: the engine leaves the dialog's bar and text alone.
extern std::atomic<int> g_bAbortingUpdate;
// The firmware file held a controller image, which follows the DSP image.
extern int g_bMcuImageLoaded;

// The device's version text from the version reply: 11 characters and a terminating 0.
constexpr int DEVICE_VERSION_LENGTH = 11;
extern char g_szDeviceVersion[DEVICE_VERSION_LENGTH + 1];

// Bytes of one network read, filled by the TCP transport and handed to
// CKTVCommand::OnNetReceive, which takes them out (and zeroes them). Comm worker thread only.
constexpr int NET_RECV_BUFFER_SIZE = 1024;
extern BYTE g_byNetRecvBuf[NET_RECV_BUFFER_SIZE];

// The transfer popup's progress bar, the firmware dialog's progress bar and the firmware
// dialog's status line, as the reply engine reaches them (LinkProgress.h). Null: no such
// control is open. Set and cleared by their owners under g_csComm.
extern ILinkProgress* g_pProgress;
extern ILinkProgress* g_pUpdateProgress;
extern ILinkStatusText* g_pCurHexUpTip;
