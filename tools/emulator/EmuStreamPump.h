// Serves the emulated device over one byte-stream descriptor: a TCP client socket, or the
// master side of a pseudo-terminal for the serial link (same loop, socket = false).
//
// The pump runs on its door's thread: it feeds what the host writes into the device, writes
// answers out when they are due and returns when the connection is over. The door's wake pipe
// breaks its wait (a listener on the device signals it; so does the door's stop).
#pragma once

#include "DeviceEmulator.h"

#include <functional>

// A non-blocking pipe whose read end a poll() can wait on. Signal may be called from any thread.
class CEmuWakePipe {
public:
    CEmuWakePipe();
    ~CEmuWakePipe();
    CEmuWakePipe(const CEmuWakePipe&) = delete;
    CEmuWakePipe& operator=(const CEmuWakePipe&) = delete;

    bool IsValid() const { return m_fd[0] >= 0; }
    int ReadFd() const { return m_fd[0]; }
    void Signal();
    // Empties the pipe after a wake.
    void Drain();

private:
    int m_fd[2] = {-1, -1};
};

class CEmuStreamPump {
public:
    enum class EEnd {
        PeerClosed,     // the host closed its side
        Stopped,        // the door asked to end (stop or close on demand)
        Dropped,        // the device dropped the connection (fault or restart)
        WifiRestart,    // the answer to a Wi-Fi reset went out: the module restarts
        IoError,        // reading or writing failed
    };

    // socket: the descriptor is a socket (writes use send without SIGPIPE), else a tty.
    CEmuStreamPump(CDeviceEmulator& emu, CEmuWakePipe& wake, bool socket);

    // Serves fd until the connection is over; shouldEnd is asked after every wake.
    // The caller owns and closes fd.
    EEnd Serve(int fd, const std::function<bool()>& shouldEnd);

private:
    bool WriteAll(int fd, const BYTE* p, size_t n);

    CDeviceEmulator& m_emu;
    CEmuWakePipe& m_wake;
    const bool m_bSocket;
};
