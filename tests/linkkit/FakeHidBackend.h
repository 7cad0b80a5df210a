// A HID backend whose devices are emulated processors (CEmuHidDevice) or other HID devices
// that only show up in the list. It behaves like hidraw: an enumeration lists the plugged
// devices, a device opens once at a time (a second open fails until the first is closed), and
// an open device that failed once (unplugged) stays failed even when plugged in again.
//
// With a fake clock, a read that finds no report waits no real time and moves the clock on by
// its whole time-out instead, and a read that finds one moves it on by the report latency:
// time-outs and give-up times then run in an instant and exactly.
//
// Thread: the device list is set up by the test before a link uses it; opening, reading and
// writing may happen on any thread. Every device opened here is closed before the backend goes.
#pragma once

#include "Clock.h"
#include "EmuHidDevice.h"
#include "HidBackend.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CFakeHidBackend : public IHidBackend {
public:
    explicit CFakeHidBackend(CFakeClock* clock = nullptr);
    ~CFakeHidBackend() override;
    CFakeHidBackend(const CFakeHidBackend&) = delete;
    CFakeHidBackend& operator=(const CFakeHidBackend&) = delete;

    // An emulated device (not owned; it outlives the backend and every open of it).
    void AddDevice(CEmuHidDevice& device);
    // A HID device that is listed but cannot talk (a keyboard, another maker's gadget).
    void AddForeignDevice(const HidDeviceInfo& info);
    void RemoveForeignDevice(const std::string& path);
    // Fake-clock milliseconds every read that returns a report takes.
    void SetReportLatencyMs(int ms) { m_nLatencyMs = ms; }

    // Devices open now through this backend.
    int GetOpenCount() const;
    // Reads that returned a report, over all devices.
    int GetReportsRead() const { return m_nReportsRead; }

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<IHidDevice> Open(const std::string& path) override;

private:
    class Connection;

    CFakeClock* const m_pClock;
    std::atomic<int> m_nLatencyMs{0};
    std::atomic<int> m_nReportsRead{0};
    mutable std::mutex m_mutex;  // guards the three lists
    std::vector<CEmuHidDevice*> m_devices;
    std::vector<HidDeviceInfo> m_foreign;
    std::vector<std::string> m_open;  // paths open now
};
