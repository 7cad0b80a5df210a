// Seam for the processor's firmware loader (CEmuLoader is the emulator's own).
//
// Without a loader the device rejects ('R') every firmware step. A loader gets each request of
// block type 9 whose sub-command is a firmware step (0x36 .. 0x3C, 0xFF), and every raw byte
// the host writes (the loader-entry report is 32 pairs 'C', 0x11 with no frame around them).
// Both calls run on a door's thread with the emulator locked: they must not call back into it.
#pragma once

#include "EmuProtocol.h"

#include <vector>

// What the device does after one request.
struct CEmuOutcome {
    std::vector<BYTE> reply;   // the whole reply frame; empty: the device stays silent
    bool bWifiRestart = false; // the Wi-Fi module restarts: a network door closes its client
    bool bDropLink = false;    // the device leaves the link (restart): close / unplug
    // The device restarts once its reply has gone out (at once without one): the door drops
    // the link, and a HID door plugs in again nRestartMs of device time later. -1: no restart.
    int nRestartMs = -1;
};

class IEmuFirmwareSide {
public:
    virtual ~IEmuFirmwareSide() = default;
    virtual void OnRawBytes(const BYTE* data, size_t n) = 0;
    virtual CEmuOutcome OnFirmwareStep(const CEmuFrame& request) = 0;
};
