#include "EmuStreamPump.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

CEmuWakePipe::CEmuWakePipe()
{
    if (pipe2(m_fd, O_NONBLOCK | O_CLOEXEC) != 0)
        m_fd[0] = m_fd[1] = -1;
}

CEmuWakePipe::~CEmuWakePipe()
{
    for (int fd : m_fd)
        if (fd >= 0)
            close(fd);
}

void CEmuWakePipe::Signal()
{
    if (m_fd[1] < 0)
        return;
    const BYTE one = 1;
    // A full pipe already holds a wake: nothing is lost when this write fails.
    const ssize_t r = write(m_fd[1], &one, 1);
    (void)r;
}

void CEmuWakePipe::Drain()
{
    BYTE buf[64];
    while (m_fd[0] >= 0 && read(m_fd[0], buf, sizeof buf) > 0) {
    }
}

CEmuStreamPump::CEmuStreamPump(CDeviceEmulator& emu, CEmuWakePipe& wake, bool socket)
    : m_emu(emu), m_wake(wake), m_bSocket(socket)
{
}

bool CEmuStreamPump::WriteAll(int fd, const BYTE* p, size_t n)
{
    while (n) {
        const ssize_t w = m_bSocket ? send(fd, p, n, MSG_NOSIGNAL) : write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        n -= size_t(w);
    }
    return true;
}

CEmuStreamPump::EEnd CEmuStreamPump::Serve(int fd, const std::function<bool()>& shouldEnd)
{
    BYTE buf[512];
    for (;;) {
        if (shouldEnd && shouldEnd())
            return EEnd::Stopped;
        if (m_emu.TakeDropRequest())
            return EEnd::Dropped;
        for (size_t n; (n = m_emu.TakeReply(buf, sizeof buf)) > 0;)
            if (!WriteAll(fd, buf, n))
                return EEnd::IoError;
        if (m_emu.TakeWifiRestart())
            return EEnd::WifiRestart;

        // Wait for the host, a wake, or the next late answer (looked at every 10 ms at most,
        // since the device clock may be a fake one).
        const int64_t dueUs = m_emu.UsUntilReplyDue();
        const int timeoutMs = dueUs < 0 ? -1 : int(std::min<int64_t>((dueUs + 999) / 1000, 10));
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_wake.ReadFd(), POLLIN, 0}};
        const int r = poll(fds, 2, timeoutMs);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return EEnd::IoError;
        }
        if (fds[1].revents)
            m_wake.Drain();
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t got = read(fd, buf, sizeof buf);
            if (got == 0)
                return EEnd::PeerClosed;
            if (got < 0) {
                if (errno == EINTR || errno == EAGAIN)
                    continue;
                // A pty master reads EIO once the slave side is closed: the host went away.
                return errno == EIO ? EEnd::PeerClosed : EEnd::IoError;
            }
            m_emu.Feed(buf, size_t(got));
        }
    }
}
