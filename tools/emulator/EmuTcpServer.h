// The emulated processor's Wi-Fi side: a TCP server on 127.0.0.1 only.
//
// One client at a time: while a client is served, later ones wait in the listen backlog. A
// client loses its connection when it closes, when CloseClient or the device asks for it
// (DropConnection), or right after the answer to a Wi-Fi reset (the module restarts); the
// server then accepts the next client. The server owns one thread, started by Start and
// joined by Stop (or the destructor). The device must outlive the server.
#pragma once

#include "DeviceEmulator.h"
#include "EmuStreamPump.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class CEmuTcpServer {
public:
    explicit CEmuTcpServer(CDeviceEmulator& emu);
    ~CEmuTcpServer();
    CEmuTcpServer(const CEmuTcpServer&) = delete;
    CEmuTcpServer& operator=(const CEmuTcpServer&) = delete;

    // Listens on 127.0.0.1:port (0: a free port chosen by the system) and starts the thread.
    // False when the port cannot be bound or the server already runs.
    bool Start(int port = 0);
    // Closes the client and the listening socket and joins the thread. Safe to call twice.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }
    // The port listened on; 0 when not running.
    int GetPort() const { return m_nPort; }

    // Closes the client being served from the server side; the server then accepts again.
    // Asked while nobody is served, it is forgotten.
    void CloseClient();
    bool IsClientConnected() const { return m_bClient; }
    // Clients accepted since Start.
    int GetAcceptCount() const;
    // Waits up to timeoutMs real milliseconds until count clients have been accepted.
    bool WaitForAcceptCount(int count, int timeoutMs) const;
    // Clients whose connection is over (closed by either side) since Start.
    int GetClosedCount() const;
    bool WaitForClosedCount(int count, int timeoutMs) const;

private:
    void Run();

    CDeviceEmulator& m_emu;
    CEmuWakePipe m_wake;
    std::thread m_thread;
    int m_listenFd = -1;
    int m_nPort = 0;
    int m_nListener = 0;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bCloseClient{false};
    std::atomic<bool> m_bClient{false};
    mutable std::mutex m_mutex;  // guards the two counters
    mutable std::condition_variable m_cv;
    int m_nAccepted = 0;
    int m_nClosed = 0;
};
