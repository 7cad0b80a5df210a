// The TCP side of the link: a blocking client socket with send and receive time-outs, the
// network transaction the comm worker runs once per pass while the link type is 2, and the
// watchdog that keeps asking whether the processor can be reached while no network link is open.
//
// Frames travel as over USB: a whole frame in one send, the reply in whatever pieces recv
// returns, each piece handed to the reply engine (CKTVCommand::OnNetReceive), which removes the
// head request once its answer is complete. The transaction gives up on a request at its third
// attempt and reports WM_LINK_LOST to the notify window (lParam 0; lParam 2 when no adapter of
// this machine is on the device's subnet any more, i.e. the device left the network).
//
// Threads: Connect and Close run on the user-interface thread while no transaction runs, or on
// the comm worker inside a transaction; the transaction runs on the comm worker with g_csComm
// held, its waits (FinishTransact) on the worker without it; CheckLink runs on the watchdog
// thread. m_bReachable is shared by all three.
//
// Every give-up time and pause reads the program clock (Clock.h); the socket time-outs and
// the ping limit are real time.
#pragma once

#include "LinkTransport.h"
#include "NetWatchdog.h"
#include "Reachability.h"
#include "WinTypes.h"

#include <atomic>
#include <functional>
#include <memory>

class CKTVCommand;
class CSendData;

// Error codes Recv reports, with the numbers the firmware sender tests.
constexpr int NET_ERR_CONNABORTED = 10053;
constexpr int NET_ERR_CONNRESET = 10054;
constexpr int NET_ERR_TIMEDOUT = 10060;  // the receive time-out (EAGAIN on this system)

class CNet_Socket : public ILinkTransport {
public:
    // reach: the reachability check to use, not owned; null: this machine's own. Starts the
    // watchdog thread with its timer stopped; time-outs 1000 ms; not reachable.
    explicit CNet_Socket(IReachability* reach = nullptr);
    // Ends the watchdog thread and closes the socket.
    ~CNet_Socket() override;
    CNet_Socket(const CNet_Socket&) = delete;
    CNet_Socket& operator=(const CNet_Socket&) = delete;

    // ---- set-up, user-interface thread, before a link or the watchdog runs ----
    // The engine whose queue the transaction serves and which takes the replies; not owned.
    void SetCommand(CKTVCommand* command) { m_pCommand = command; }
    void SetNextSendData(NextSendData scanner) override { m_nextSendData = std::move(scanner); }
    // The main view's linked flag; a reply overdue after the view has unlinked is not acted on.
    void SetLinkedQuery(std::function<BOOL()> isLinked) { m_isLinked = std::move(isLinked); }
    // Clears g_bTransferBusy (the view's), once the Wi-Fi factory default has had its time.
    void SetTransferBusyClear(std::function<void()> clear) { m_clearTransferBusy = std::move(clear); }
    // Receives WM_LINK_LOST, WM_NET_REACHABLE and WM_WIFI_OP_RESULT.
    void SetNotifyWnd(HWND hWnd) { m_hNotifyWnd = hWnd; }
    HWND GetNotifyWnd() const { return m_hNotifyWnd; }

    // ---- the socket; also what the network firmware sender works with ----
    // Connects to g_strDeviceIp : g_nDevicePort. Refused unless the device is reachable and
    // answers a fresh ping. Any earlier socket is closed first; a failed connect leaves none.
    BOOL Connect();
    // Closes the socket (nothing when none is open). TRUE.
    BOOL Close() override;
    BOOL IsOpen() const { return m_socket.load() >= 0; }
    // Writes the whole buffer; TRUE when every byte went out within the send time-out.
    // flags: extra send() flags.
    BOOL Send(const BYTE* data, int length, int flags);
    // Receives up to NET_RECV_BYTES into g_byNetRecvBuf. *pCount: the byte count, 0 when the
    // peer closed, -1 on error. Result: the count, or on error NET_ERR_TIMEDOUT /
    // NET_ERR_CONNRESET / NET_ERR_CONNABORTED, any other error 0 (no socket included).
    int Recv(int* pCount);
    // As Recv, up to NET_REPORT_BYTES (the firmware loader's answers).
    int RecvReport(int* pCount);
    // Sets the receive time-out of the open socket; on failure closes it and returns FALSE.
    BOOL SetRecvTimeout(int ms);

    // ---- reachability ----
    // The device answered a ping / an adapter lies on its subnet (through the IReachability).
    BOOL PingDevice();
    BOOL IsDeviceOnSubnet();
    // One watchdog step (watchdog thread). On the device's subnet and not yet reachable: ping,
    // and on an answer set m_bReachable and post WM_NET_REACHABLE (0, 0), so the notice goes
    // out only on the change to reachable. Off the subnet: m_bReachable = 0. Ends with a
    // 1000 ms pause. pEnabled: the watchdog's enabled flag, read at the start and before the
    // result is stored; clear, the step stores nothing. Returns m_bReachable.
    BOOL CheckLink(const std::atomic<int>* pEnabled);
    // Makes this object the watchdog's owner and starts its 500 ms tick.
    void StartPingThread();
    // Stops the tick (waiting for a running step); keep FALSE also ends the watchdog thread
    // (program shut-down).
    void StopPingThread(BOOL keep);
    // The watchdog's tick runs / its thread is alive.
    bool IsPingTimerRunning() const { return m_pingThread.IsEnabled(); }
    bool IsPingThreadAlive() const { return m_pingThread.IsThreadRunning(); }

    // ---- the network transaction (comm worker, g_csComm held, only while g_bNetOpen) ----
    // One pass: write the head request (or queue the scanner's next one), then await its reply.
    // A stop of the worker (IsCommQuitRequested) or g_bNetOpen going to 0 ends it at the next
    // read or within 100 ms of a pause, without reporting anything.
    void NetTransact();
    // 1 when a request went out and its reply is to be read, else 0.
    int NetWrite();
    // Reads until the reply is complete, the socket times out or 4 s have passed.
    int NetRead();
    // The waits the last transaction left for after g_csComm is released (comm worker): a
    // reconnect's pause and connect, the Wi-Fi module's restart and its result. A stop of the
    // worker ends them early.
    void FinishTransact() override;

    // ---- the transport door (link type 2) ----
    int GetLinkType() const override { return 2; }
    BOOL Open() override { return Connect(); }
    void Transact() override { NetTransact(); }

    // The PC is on the device's subnet and the device answered a ping. Set by the watchdog,
    // cleared by it when the subnet is gone, by the transaction when it gives the link up, and
    // by the main view after the Wi-Fi factory default.
    std::atomic<int> m_bReachable{0};

    static constexpr int NET_RECV_BYTES = 400;
    static constexpr int NET_REPORT_BYTES = 16;
    static constexpr int PING_PERIOD_MS = 500;     // watchdog tick
    static constexpr int STEP_PAUSE_MS = 1000;     // every watchdog step ends with this pause
    static constexpr int UPDATE_SETTLE_MS = 5000;  // after a firmware update, before connecting
    static constexpr int RECONNECT_PAUSE_MS = 2000;
    static constexpr int READ_GIVE_UP_S = 4;       // whole seconds a reply may take
    static constexpr int IDLE_READ_PAUSE_MS = 50;  // between reads of a closed connection
    static constexpr int MAX_ATTEMPTS = 3;         // the third attempt reports the link lost
    static constexpr int WIFI_RESET_WAIT_MS = 30000;  // the Wi-Fi module restarts
    static constexpr int WIFI_RESULT_WAIT_MS = 4000;
    static constexpr int PAUSE_SLICE_MS = 100;     // pauses look for a stop this often

private:
    IReachability& Reach() { return *m_pReach; }
    int ReceiveInto(int max, int* pCount);
    // The transaction must end now: the link was cleared or the worker is stopping.
    static bool IsStopping();
    // Sleeps ms of the program clock in slices; FALSE as soon as IsStopping.
    static BOOL Pause(int ms);
    // Close and forget a partly received reply now; the 2000 ms pause and the new connect
    // follow in FinishTransact.
    void Reconnect();
    // The link is given up: g_bNetOpen and m_bReachable cleared, WM_LINK_LOST (0, lParam).
    void ReportLinkLost(LPARAM lParam);

    CSystemReachability m_systemReach;
    IReachability* const m_pReach;
    std::atomic<int> m_socket{-1};
    int m_nSendTimeoutMs = 1000;
    int m_nRecvTimeoutMs = 1000;
    CKTVCommand* m_pCommand = nullptr;
    NextSendData m_nextSendData;
    std::function<BOOL()> m_isLinked;
    std::function<void()> m_clearTransferBusy;
    HWND m_hNotifyWnd = nullptr;
    LONGLONG m_liTransactStart = 0;   // performance counter at the start of the transaction
    // What FinishTransact has to do; set and cleared on the comm worker only.
    enum class ETail { None, Reconnect, WifiRestart };
    ETail m_eTail = ETail::None;
    // Declared last: its thread calls CheckLink, so it is joined before the members it uses go.
    CPing_Net_Thread m_pingThread;
};
