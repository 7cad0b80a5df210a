// The door to the PC's HID devices: list them, open one, write output reports, read input
// reports. The program uses hidapi (CHidapiBackend); tests install a fake in front of the
// device emulator. The USB link and the hot-plug watcher see only this interface.
//
// Reports on this door are the Linux form: a write takes the 65-byte output report with the
// report id byte first; a read yields the data bytes only (64 for the processor), without the
// report id. CUsbLink turns a read into the 65-byte form the reply engine expects.
#pragma once

#include "WinTypes.h"

#include <memory>
#include <string>
#include <vector>

// USB identification of the processor: a HID device is the processor only when all three match.
constexpr int g_nUsbVendorId = 0x0483;
constexpr int g_nUsbProductId = 0x5750;
constexpr int g_nUsbVersion = 0x0200;

// One HID interface present on the PC.
struct HidDeviceInfo {
    std::string path;   // device path, the key of the in-use list
    WORD vendorId = 0;
    WORD productId = 0;
    WORD version = 0;   // release number
};

// TRUE when the interface carries the processor's vendor id, product id and version.
bool IsProcessorDevice(const HidDeviceInfo& info);

// One open device; closed when destroyed. Used by one thread at a time.
class IHidDevice {
public:
    virtual ~IHidDevice() = default;
    // Writes one output report of 65 bytes (report id first). Returns 65, or -1 on failure.
    virtual int Write(const BYTE* report65) = 0;
    // Reads one input report's data bytes (no report id) into data64, waiting up to timeoutMs
    // milliseconds (0: only what is there). Returns the byte count (at most 64), 0 on
    // time-out, -1 when the device failed or is gone.
    virtual int Read(BYTE* data64, int timeoutMs) = 0;
};

class IHidBackend {
public:
    virtual ~IHidBackend() = default;
    // Every HID interface present now, in the system's order.
    virtual std::vector<HidDeviceInfo> Enumerate() = 0;
    // Opens the device for this program alone; null when it is gone or held elsewhere.
    virtual std::unique_ptr<IHidDevice> Open(const std::string& path) = 0;
};

namespace HidBackend {
// The installed backend, or the program's hidapi backend when none is installed.
IHidBackend& Get();
// Installs a backend (null restores hidapi). Call before a link or watcher is made.
void Set(IHidBackend* backend);
}  // namespace HidBackend
