// Program-wide state of the device link.
#pragma once

class CSendData;

// Send attempts of the network link for the head request; cleared when the head is removed.
extern int g_nSendRetry;
// The queued request the serial link is carrying, or null while idle. Points into the send
// queue, which clears it whenever it removes its head. Guarded by g_csComm.
extern CSendData* g_pSerialItem;
