// The emulated processor on a serial line: a pseudo-terminal whose slave side the program
// opens by its path (GetSlavePath) as it would open a COM port.
//
// The door keeps a slave descriptor of its own open for its whole life, in raw mode, so that
// the line settings stay raw and the master never sees a hang-up when the program closes and
// opens the port again. A serial line cannot be dropped: a drop or restart asked by the device
// only forgets what was in flight. Stop closes both sides; a port the program still holds then
// fails, as a device pulled from its socket does. One thread, started by Start and joined by
// Stop (or the destructor); the device must outlive the door.
#pragma once

#include "DeviceEmulator.h"
#include "EmuStreamPump.h"

#include <atomic>
#include <string>
#include <thread>

class CEmuPtyDoor {
public:
    explicit CEmuPtyDoor(CDeviceEmulator& emu);
    ~CEmuPtyDoor();
    CEmuPtyDoor(const CEmuPtyDoor&) = delete;
    CEmuPtyDoor& operator=(const CEmuPtyDoor&) = delete;

    // Makes the pseudo-terminal and starts serving it. False when it cannot be made or the door
    // already runs.
    bool Start();
    // Ends serving and closes both sides. Safe to call twice.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }
    // "/dev/pts/N" while running, else empty.
    const std::string& GetSlavePath() const { return m_strSlavePath; }

private:
    void Run();
    void CloseFds();

    CDeviceEmulator& m_emu;
    CEmuWakePipe m_wake;
    std::thread m_thread;
    int m_masterFd = -1;
    int m_slaveFd = -1;
    std::string m_strSlavePath;
    int m_nListener = 0;
    std::atomic<bool> m_bStop{false};
};
