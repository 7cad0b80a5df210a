#include "EmuPtyDoor.h"

#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

CEmuPtyDoor::CEmuPtyDoor(CDeviceEmulator& emu) : m_emu(emu) {}

CEmuPtyDoor::~CEmuPtyDoor() { Stop(); }

bool CEmuPtyDoor::Start()
{
    if (m_thread.joinable() || !m_wake.IsValid())
        return false;
    char name[PATH_MAX] = {};
    if (openpty(&m_masterFd, &m_slaveFd, name, nullptr, nullptr) != 0)
        return false;
    fcntl(m_masterFd, F_SETFD, FD_CLOEXEC);
    fcntl(m_slaveFd, F_SETFD, FD_CLOEXEC);
    // Raw both ways: no echo of the answers back into the device, no line editing.
    termios tio{};
    if (tcgetattr(m_slaveFd, &tio) != 0) {
        CloseFds();
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B57600);
    cfsetospeed(&tio, B57600);
    if (tcsetattr(m_slaveFd, TCSANOW, &tio) != 0) {
        CloseFds();
        return false;
    }
    m_strSlavePath = name;
    m_bStop = false;
    m_emu.ResetStream();
    m_nListener = m_emu.AddListener([this] { m_wake.Signal(); });
    m_thread = std::thread(&CEmuPtyDoor::Run, this);
    return true;
}

void CEmuPtyDoor::Stop()
{
    if (!m_thread.joinable())
        return;
    m_bStop = true;
    m_wake.Signal();
    m_thread.join();
    m_emu.RemoveListener(m_nListener);
    m_emu.ResetStream();
    CloseFds();
    m_strSlavePath.clear();
}

void CEmuPtyDoor::CloseFds()
{
    for (int* fd : {&m_masterFd, &m_slaveFd}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

void CEmuPtyDoor::Run()
{
    CEmuStreamPump pump(m_emu, m_wake, false);
    while (!m_bStop) {
        const CEmuStreamPump::EEnd end = pump.Serve(m_masterFd, [this] { return m_bStop.load(); });
        if (end != CEmuStreamPump::EEnd::Dropped && end != CEmuStreamPump::EEnd::WifiRestart)
            break;
        // The line stays; only what was in flight is gone.
        if (end == CEmuStreamPump::EEnd::Dropped)
            m_emu.ResetStream();
    }
}
