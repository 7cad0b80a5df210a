// One emulated processor on the USB link, ready for a test: the emulator and its HID device
// behind the fake HID backend, a command engine, a recording message sink and the link itself,
// with the link's program-wide state cleared before and after.
//
// With the fake clock (the default) the program clock is that clock while the bench exists,
// so read time-outs and give-up times pass in an instant; a bench on the real clock suits
// tests where another thread must act while a transaction waits.
#pragma once

#include "CKTVCommand.h"
#include "Clock.h"
#include "DeviceEmulator.h"
#include "EmuHidDevice.h"
#include "FakeHidBackend.h"
#include "RecordingSink.h"
#include "UsbLink.h"

#include <memory>
#include <vector>

class CUsbTestBench {
public:
    // The main view's window as the link and the engine post to it.
    static HWND ViewWnd() { return reinterpret_cast<HWND>(0x5150); }

    explicit CUsbTestBench(bool useFakeClock = true);
    ~CUsbTestBench();
    CUsbTestBench(const CUsbTestBench&) = delete;
    CUsbTestBench& operator=(const CUsbTestBench&) = delete;

    // Queues a request and returns its frame bytes.
    std::vector<BYTE> Queue(std::unique_ptr<CSendData> request);
    // Frame bytes of the reports written to the device so far: bytes 1..64 of each, in order.
    std::vector<BYTE> WrittenFrameBytes() const;
    // Microseconds the program clock moved since the bench was made (fake clock only).
    int64_t ElapsedUs() { return clock.NowUs() - m_startUs; }

    CFakeClock clock;
    CDeviceEmulator emu;
    CEmuHidDevice hid;
    CFakeHidBackend backend;
    CRecordingSink sink;
    CKTVCommand command;
    std::unique_ptr<CUsbLink> link;  // the program's link (g_strUsbPath, g_arrUsbDevices)

private:
    const bool m_bFakeClock;
    const int64_t m_startUs;
};
