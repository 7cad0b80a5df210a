#include "EmuTcpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

CEmuTcpServer::CEmuTcpServer(CDeviceEmulator& emu) : m_emu(emu)
{
}

CEmuTcpServer::~CEmuTcpServer()
{
    Stop();
}

bool CEmuTcpServer::Start(int port)
{
    if (m_thread.joinable() || !m_wake.IsValid() || port < 0 || port > 65535)
        return false;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never reachable from another machine
    addr.sin_port = htons(uint16_t(port));
    socklen_t len = sizeof addr;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(fd);
        return false;
    }
    m_listenFd = fd;
    m_nPort = ntohs(addr.sin_port);
    m_bStop = false;
    m_bCloseClient = false;
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_nAccepted = m_nClosed = 0;
    }
    m_nListener = m_emu.AddListener([this] { m_wake.Signal(); });
    m_thread = std::thread(&CEmuTcpServer::Run, this);
    return true;
}

void CEmuTcpServer::Stop()
{
    if (!m_thread.joinable())
        return;
    m_bStop = true;
    m_wake.Signal();
    m_thread.join();
    m_emu.RemoveListener(m_nListener);
    close(m_listenFd);
    m_listenFd = -1;
    m_nPort = 0;
}

void CEmuTcpServer::CloseClient()
{
    m_bCloseClient = true;
    m_wake.Signal();
}

int CEmuTcpServer::GetAcceptCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_nAccepted;
}

bool CEmuTcpServer::WaitForAcceptCount(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lk(m_mutex);
    return m_cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return m_nAccepted >= count; });
}

int CEmuTcpServer::GetClosedCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_nClosed;
}

bool CEmuTcpServer::WaitForClosedCount(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lk(m_mutex);
    return m_cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return m_nClosed >= count; });
}

void CEmuTcpServer::Run()
{
    CEmuStreamPump pump(m_emu, m_wake, true);
    while (!m_bStop) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wake.ReadFd(), POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        if (fds[1].revents)
            m_wake.Drain();
        if (m_bStop)
            break;
        // A close asked for while nobody was connected has nothing to act on.
        m_bCloseClient = false;
        if (!(fds[0].revents & POLLIN))
            continue;
        const int client = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        // A client that stops reading must not hold the thread past Stop for long.
        timeval tv{1, 0};
        setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
        m_emu.ResetStream();
        m_bClient = true;
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            ++m_nAccepted;
        }
        m_cv.notify_all();
        pump.Serve(client, [this] { return m_bStop || m_bCloseClient.exchange(false); });
        close(client);
        m_bClient = false;
        m_emu.ResetStream();
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            ++m_nClosed;
        }
        m_cv.notify_all();
    }
}
