#include "CNet_Socket.h"

#include "AppMessages.h"
#include "CKTVCommand.h"
#include "Clock.h"
#include "CommWorker.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkState.h"
#include "Messages.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

static_assert(CNet_Socket::NET_RECV_BYTES <= NET_RECV_BUFFER_SIZE, "a read must fit the receive buffer");

namespace {

// The device's address and port. The user-interface thread changes them only under g_csComm.
void DeviceAddress(CString& ip, int& port)
{
    CSingleLock lock(g_csComm);
    ip = g_strDeviceIp;
    port = g_nDevicePort;
}

CString DeviceIp()
{
    CString ip;
    int port = 0;
    DeviceAddress(ip, port);
    return ip;
}

bool SetTimeoutOption(int fd, int option, int ms)
{
    timeval tv{};
    tv.tv_sec = ms / 1000;
    tv.tv_usec = (ms % 1000) * 1000;
    return setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv) == 0;
}

// Whole seconds since the transaction began, on the program clock.
LONGLONG SecondsSince(LONGLONG start)
{
    LONGLONG now = 0, freq = 1;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return freq > 0 ? (now - start) / freq : 0;
}

}  // namespace

CNet_Socket::CNet_Socket(IReachability* reach) : m_pReach(reach ? reach : &m_systemReach) {}

CNet_Socket::~CNet_Socket()
{
    m_pingThread.Quit();
    Close();
}

// ---------------------------------------------------------------------------------------------
// The socket

BOOL CNet_Socket::Connect()
{
    // A socket left from an earlier attempt would otherwise leak.
    Close();
    if (!m_bReachable.load() || !PingDevice())
        return FALSE;

    CString ip;
    int port = 0;
    DeviceAddress(ip, port);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    if (!MayContactAddress(ip) || inet_pton(AF_INET, ip.c_str(), &addr.sin_addr) != 1 || port <= 0 || port > 65535)
        return FALSE;
    addr.sin_port = htons(uint16_t(port));

    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return FALSE;
    m_socket = fd;
    // A frame goes out whole at once; the reply is awaited before the next one.
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    // The send time-out also bounds connect().
    SetTimeoutOption(fd, SO_SNDTIMEO, m_nSendTimeoutMs);
    if (!SetRecvTimeout(m_nRecvTimeoutMs))
        return FALSE;
    int r;
    do {
        r = connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        Close();
        return FALSE;
    }
    return TRUE;
}

BOOL CNet_Socket::Close()
{
    const int fd = m_socket.exchange(-1);
    if (fd >= 0)
        close(fd);
    return TRUE;
}

BOOL CNet_Socket::Send(const BYTE* data, int length, int flags)
{
    const int fd = m_socket.load();
    if (fd < 0 || !data || length <= 0)
        return FALSE;
    // A frame cut short on the wire would desynchronise the device: all of it or failure.
    int sent = 0;
    while (sent < length) {
        const ssize_t n = send(fd, data + sent, size_t(length - sent), flags | MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return FALSE;
        sent += int(n);
    }
    return TRUE;
}

int CNet_Socket::ReceiveInto(int max, int* pCount)
{
    *pCount = -1;
    const int fd = m_socket.load();
    if (fd < 0)
        return 0;
    ssize_t n;
    do {
        n = recv(fd, g_byNetRecvBuf, size_t(max), 0);
    } while (n < 0 && errno == EINTR);
    if (n >= 0) {
        *pCount = int(n);
        return int(n);
    }
    switch (errno) {
    case EAGAIN:  // the receive time-out (SO_RCVTIMEO); EWOULDBLOCK is the same value here
        return NET_ERR_TIMEDOUT;
    case ECONNRESET:
        return NET_ERR_CONNRESET;
    case ECONNABORTED:
        return NET_ERR_CONNABORTED;
    default:
        return 0;
    }
}

int CNet_Socket::Recv(int* pCount) { return ReceiveInto(NET_RECV_BYTES, pCount); }

int CNet_Socket::RecvReport(int* pCount) { return ReceiveInto(NET_REPORT_BYTES, pCount); }

BOOL CNet_Socket::SetRecvTimeout(int ms)
{
    const int fd = m_socket.load();
    if (fd >= 0 && SetTimeoutOption(fd, SO_RCVTIMEO, ms))
        return TRUE;
    Close();
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Reachability and the watchdog

BOOL CNet_Socket::PingDevice() { return Reach().PingDevice(DeviceIp()); }

BOOL CNet_Socket::IsDeviceOnSubnet() { return Reach().IsDeviceOnSubnet(DeviceIp()); }

// After a firmware update the device first gets 5000 ms to settle before the view connects.
// Both pauses end early once the watchdog is stopped, so Stop need not wait them out.
BOOL CNet_Socket::CheckLink(const std::atomic<int>* pEnabled)
{
    auto enabled = [pEnabled] { return !pEnabled || pEnabled->load() != 0; };
    // Pauses end early once the watchdog is stopped; false then.
    auto pause = [&enabled](int ms) {
        for (int left = ms; left > 0 && enabled(); left -= PAUSE_SLICE_MS)
            Sleep(std::min(left, PAUSE_SLICE_MS));
        return enabled();
    };
    if (IsDeviceOnSubnet()) {
        int result = m_bReachable.load();
        if (enabled() && !result) {
            result = PingDevice();
            if (result) {
                // A stop during the settling pause ends the step: the notice waits for the
                // next start, which sees g_bUpdateDone still set and settles again.
                if (g_bUpdateDone.load() && !pause(UPDATE_SETTLE_MS))
                    return m_bReachable.load();
                g_bUpdateDone = 0;
                // Stored before the notice: the view's connect refuses while it reads 0.
                if (enabled())
                    m_bReachable = 1;
                PostMessage(m_hNotifyWnd, WM_NET_REACHABLE, 0, 0);
            }
        }
        if (enabled()) {
            m_bReachable = result;
            pause(STEP_PAUSE_MS);
        }
        return m_bReachable.load();
    }
    if (enabled()) {
        m_bReachable = 0;
        pause(STEP_PAUSE_MS);
    }
    return m_bReachable.load();
}

void CNet_Socket::StartPingThread()
{
    m_pingThread.SetOwner(this);
    m_pingThread.Start(PING_PERIOD_MS);
}

void CNet_Socket::StopPingThread(BOOL keep)
{
    if (keep)
        m_pingThread.Stop();
    else
        m_pingThread.Quit();
}

// ---------------------------------------------------------------------------------------------
// The network transaction

bool CNet_Socket::IsStopping() { return !g_bNetOpen.load() || IsCommQuitRequested(); }

BOOL CNet_Socket::Pause(int ms)
{
    for (int left = ms; left > 0; left -= PAUSE_SLICE_MS) {
        if (IsStopping())
            return FALSE;
        Sleep(std::min(left, PAUSE_SLICE_MS));
    }
    return !IsStopping();
}

void CNet_Socket::NetTransact()
{
    if (!m_pCommand || IsStopping())
        return;
    QueryPerformanceCounter(&m_liTransactStart);
    if (NetWrite() == 1)
        NetRead();
}

int CNet_Socket::NetWrite()
{
    CKTVCommand& command = *m_pCommand;
    if (command.GetSendDataCount() == 0) {
        if (m_nextSendData)
            command.AddSendData(m_nextSendData());
        return 0;
    }
    CSendData* item = command.GetCurSendData();
    if (item->GetCommand() != 0)  // a firmware item: the firmware sender's
        return 0;

    g_nSendRetry = item->GetRetry() + 1;
    item->SetRetry(g_nSendRetry);
    if (g_nSendRetry == MAX_ATTEMPTS) {
        ReportLinkLost(0);
        return 0;
    }
    if (g_nSendRetry > MAX_ATTEMPTS)
        return 0;

    item->SetPos(0);
    if (!Send(item->GetData(), item->GetLength(), 0)) {
        Reconnect();
        return 0;
    }
    if (item->GetNotify()) {
        // The Wi-Fi factory default: the module restarts and cannot answer. Its result is
        // reported after the restart (FinishTransact), and the request leaves the queue so it
        // is not sent again.
        command.RemoveCurSendData();
        m_eTail = ETail::WifiRestart;
        return 0;
    }
    return 1;
}

void CNet_Socket::FinishTransact()
{
    const ETail tail = m_eTail;
    m_eTail = ETail::None;
    switch (tail) {
    case ETail::Reconnect:
        if (Pause(RECONNECT_PAUSE_MS))
            Connect();
        break;
    case ETail::WifiRestart:
        // A stop meanwhile ends the wait; closing the link says enough then.
        if (!Pause(WIFI_RESET_WAIT_MS))
            break;
        if (m_clearTransferBusy)
            m_clearTransferBusy();
        if (Pause(WIFI_RESULT_WAIT_MS))
            PostMessage(m_hNotifyWnd, WM_WIFI_OP_RESULT, 0, 0);
        break;
    case ETail::None:
        break;
    }
}

int CNet_Socket::NetRead()
{
    const LONGLONG start = m_liTransactStart;
    for (;;) {
        int count = 0;
        const int result = Recv(&count);
        if (count > 0 && m_pCommand->OnNetReceive(count))
            return 1;
        if (IsStopping())
            return 0;
        if (result == NET_ERR_TIMEDOUT) {
            if (IsDeviceOnSubnet()) {
                Reconnect();
                return 0;
            }
            ReportLinkLost(0);
            return 1;
        }
        // A closed or failed connection returns at once; pause instead of spinning on it.
        if (count <= 0 && !Pause(IDLE_READ_PAUSE_MS))
            return 0;
        if (SecondsSince(start) >= READ_GIVE_UP_S)
            break;
    }
    if (!m_isLinked || !m_isLinked())
        return 0;
    if (IsDeviceOnSubnet())
        Reconnect();
    else
        ReportLinkLost(2);
    return 0;
}

void CNet_Socket::Reconnect()
{
    Close();
    // A new connection is a new byte stream: a reply cut off on the old one must not be
    // completed with the bytes of the next.
    if (m_pCommand)
        m_pCommand->ResetRecv();
    m_eTail = ETail::Reconnect;
}

void CNet_Socket::ReportLinkLost(LPARAM lParam)
{
    g_bNetOpen = 0;
    // The device must answer a ping again before the watchdog lets the view reconnect.
    m_bReachable = 0;
    PostMessage(m_hNotifyWnd, WM_LINK_LOST, 0, lParam);
}
