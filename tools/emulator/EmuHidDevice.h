// The emulated processor on USB: an in-process stand-in for the HID device that the program's
// HID transport talks to through its device interface.
//
// Output reports (host to device) are 65 bytes: the report id, then 64 frame bytes; a frame
// longer than 64 bytes comes as several reports, the last one zero-padded. Input reports
// (device to host) are read the Linux way: 64 data bytes without the report id; an answer
// longer than 64 bytes goes out as several reports, each report holds bytes of one answer only,
// and the last one is zero-padded. Unplugging fails every Read and Write with -1 (a Read that
// is waiting returns at once) until Plug. A device that restarts (a firmware loader's apply
// step) unplugs once its answer has been read and plugs in again by itself when its restart
// time of device clock has passed, as the next look at IsPlugged finds (under its restart path
// when one is set). Every member may be
// called from any thread; the device must outlive this object.
#pragma once

#include "DeviceEmulator.h"

#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CEmuHidDevice {
public:
    using OutReport = std::array<BYTE, 1 + EMU_HID_REPORT_SIZE>;

    // Starts plugged in, with the processor's ids.
    explicit CEmuHidDevice(CDeviceEmulator& emu);
    ~CEmuHidDevice();
    CEmuHidDevice(const CEmuHidDevice&) = delete;
    CEmuHidDevice& operator=(const CEmuHidDevice&) = delete;

    // One output report of 65 bytes. Returns 65, or -1 when unplugged.
    int Write(const BYTE* report65);
    // One input report into out64. Waits up to timeoutMs real milliseconds (negative: until an
    // answer comes or the device goes). Returns 64, 0 on time-out, -1 when unplugged.
    int Read(BYTE* out64, int timeoutMs);

    // Plugging in starts a fresh link: a partial request and undelivered answers are gone.
    void Plug();
    // Also cancels a plug-in that a restart has due.
    void Unplug();
    // Unplugs first when the device has asked to leave, and plugs in when a restart is over.
    bool IsPlugged();

    // USB identity the host checks before opening (the processor: 0x0483, 0x5750, 0x0200).
    void SetIds(WORD vendorId, WORD productId, WORD version);
    WORD GetVendorId() const;
    WORD GetProductId() const;
    WORD GetVersionNumber() const;
    // Device path the host lists and opens.
    void SetPath(const std::string& path);
    std::string GetPath() const;
    // The path the device comes back under after a restart (a loader the system numbers anew);
    // empty: the same path.
    void SetRestartPath(const std::string& path);

    // Every output report written while plugged, in order.
    std::vector<OutReport> GetWrittenReports() const;
    void ClearWrittenReports();

private:
    // Unplugs when the device asked to leave the link; true when still plugged.
    bool CheckDropRequest();

    CDeviceEmulator& m_emu;
    std::atomic<bool> m_bPlugged{true};
    std::atomic<int64_t> m_nReplugAtUs{-1};  // device clock of the plug-in after a restart
    mutable std::mutex m_mutex;  // guards the ids, the path and the report log
    WORD m_wVendorId = EMU_USB_VENDOR_ID;
    WORD m_wProductId = EMU_USB_PRODUCT_ID;
    WORD m_wVersion = EMU_USB_VERSION;
    std::string m_strPath = "/dev/hidraw-orvane-emu0";
    std::string m_strRestartPath;
    std::vector<OutReport> m_written;
};
