// The serial link as the main view runs it (link type 3): opening and closing the port, the
// COM transaction step, and the worker that repeats it while the link is up.
//
// A transaction: with an empty send queue the change scanner's next request is queued (never
// during a firmware update) and nothing travels this time; otherwise the head becomes
// g_pSerialItem, the status record is cleared, the port's write and pass events are raised,
// and the worker waits until the monitoring thread has taken the reply in (g_hReplyEvent) or
// the worker is asked to stop. The worker holds no lock while it waits: the reply engine runs
// on the monitoring thread and takes g_csComm itself.
//
// Threads: Open, Close, StartWorker and StopWorker run on the user-interface thread; the
// transaction runs on the worker, which is owned here and always joined.
#pragma once

#include "LinkTransport.h"
#include "Sync.h"
#include "WinTypes.h"

#include <functional>
#include <memory>
#include <thread>

class CKTVCommand;
class CSendData;
class CSerialPort;

class CSerialLink : public ILinkTransport {
public:
    // The engine whose queue the link carries and the port; neither owned.
    CSerialLink(CKTVCommand& command, CSerialPort& port);
    // Stops the worker.
    ~CSerialLink() override;
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    // The change scanner: the next pending request, or the state poll when nothing changed.
    void SetNextSendData(NextSendData scanner) override { m_nextSendData = std::move(scanner); }

    // ---- the transport door (link type 3; carried by this link's own worker) ----
    int GetLinkType() const override { return 3; }
    BOOL Open() override { return OpenSerialLink(); }
    BOOL Close() override { return CloseSerialLink(); }
    void Transact() override { SerialTransact(); }

    // Opens g_strComPort at 57600 8N1 (event mask 9, write buffer 512) and starts the port's
    // monitoring. TRUE on success; on failure the port is closed again and nothing changed.
    BOOL OpenSerialLink();
    // Stops the worker, forgets the carried request and closes the port. TRUE.
    BOOL CloseSerialLink();

    // Worker: the COM transaction step. TRUE when the head request now travels.
    BOOL ComTransact();
    // Worker: ComTransact, and when a request travels, hand it to the monitoring thread and
    // wait for its reply (or a stop of either worker).
    void SerialTransact();

    // The worker (the view's second worker procedure for link type 3). Start: FALSE when one
    // runs already. Stop: waits for a transaction that runs; TRUE when a worker was stopped.
    BOOL StartWorker();
    BOOL StopWorker();
    bool IsWorkerRunning() const { return m_thread.joinable(); }

private:
    void WorkerThread();

    CKTVCommand& m_command;
    CSerialPort& m_port;
    NextSendData m_nextSendData;
    std::thread m_thread;
    CEvent m_quitEvent{TRUE, FALSE};  // asks the worker to end
    CEvent m_sendEvent{TRUE, FALSE};  // the worker runs transactions while set
};
