// The serial transport: one COM port at 57600 baud, 8 data bits, no parity, 1 stop bit, and
// its monitoring thread, which writes the request the link's worker hands it (g_pSerialItem),
// feeds the reply byte by byte to the frame receiver (CKTVCommand::OnSerialReceive through
// g_pCommand), retries a request whose reply is missing or damaged, and reports a dead port or
// a request that stays unanswered with WM_LINK_LOST (0, 3) to the main view.
//
// A transaction, driven by the worker (CSerialLink): it sets g_pSerialItem and clears the
// status record, resets g_hReplyEvent, raises the write and the pass events and waits for
// g_hReplyEvent, which the receive step sets once the reply has been taken in. Retries: a pass
// that waits in vain polls the line after its first time-out, writes the request again after
// the second, polls after the third and drops the link after the fourth; a damaged reply, or
// 50 polls that find the line empty, write it again, at most three times.
//
// The device is reached through ISerialDevice (platform_base), so this file has no Qt header.
// The comm event of the port is the arrival of input: the thread looks for it together with
// its shutdown and write events in slices of SERIAL_POLL_SLICE_MS.
//
// Threads: InitPort, StartMonitoring, ClosePort and the destructor run on the user-interface
// thread; the passes, the write and the receive steps on the monitoring thread, which is owned
// here and always joined. The request is reached only under g_csComm and only while
// g_pSerialItem names it: the send queue clears that pointer whenever it deletes its head.
#pragma once

#include "SerialDevice.h"
#include "Sync.h"
#include "WinTypes.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Comm events of the event mask.
constexpr DWORD EV_RXCHAR = 0x0001;
constexpr DWORD EV_CTS = 0x0008;
constexpr DWORD EV_DSR = 0x0010;

enum SerialEvent {
    SERIAL_EVENT_SHUTDOWN,
    SERIAL_EVENT_WRITE,
    SERIAL_EVENT_COMM,
    SERIAL_EVENT_PASS,
    SERIAL_EVENT_COUNT
};

// The events of the open port in the order above (manual reset); all null while no port has
// been set up. Other code raises [1] write and [3] pass through them.
extern CEvent* g_hSerialEvents[SERIAL_EVENT_COUNT];
// Set by the receive step when a serial transaction is finished; manual reset, not signalled
// at start. Exists for the whole program.
extern CEvent g_hReplyEvent;

constexpr int SERIAL_BAUD = 57600;
constexpr DWORD SERIAL_EVENT_MASK = EV_RXCHAR | EV_CTS;  // 9
constexpr int SERIAL_WRITE_BUFFER = 512;
constexpr int SERIAL_IO_TIMEOUT_MS = 1000;     // every read and write of the port
constexpr int SERIAL_WAIT_MS = 500;            // a reply to an ordinary request
constexpr int SERIAL_BATCH_END_WAIT_MS = 2000; // ... to the last request of a batch
constexpr int SERIAL_UPDATE_WAIT_MS = 5000;    // ... in firmware-update mode
constexpr int SERIAL_POLL_SLICE_MS = 10;       // the thread looks at its events this often
constexpr int SERIAL_MAX_RETRY = 3;            // the fourth failure drops the link
constexpr int SERIAL_EMPTY_POLLS = 50;         // empty receive polls before a rewrite
constexpr int SERIAL_APPLY_PAUSE_MS = 4000;    // after the firmware apply step (device restarts)
constexpr int SERIAL_WRITE_PAUSE_MS = 10;      // after any other write
constexpr UINT SERIAL_EXIT_CODE = 100;

// The port's line settings as InitPort set them.
struct SerialLineSettings {
    UINT nBaud = 0;
    char cParity = 'N';
    UINT nDataBits = 8;
    UINT nStopBits = 1;
    BOOL bRtsEnable = FALSE;
};

class CSerialPort {
public:
    CSerialPort();
    // Ends the thread, closes the port and releases the write buffer.
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens and sets up the port (a tty name or path, copied), while no worker raises its
    // events. A running thread is ended first; the four events, the write buffer and the
    // device are made anew. FALSE when the port cannot be opened. A setting the port refuses
    // is reported through ShowError and the open goes on; the RTS line, which a
    // pseudo-terminal lacks, is not reported.
    BOOL InitPort(HWND hOwner, const CString& strPortName, UINT nBaud = SERIAL_BAUD, char cParity = 'N',
                  UINT nDataBits = 8, UINT nStopBits = 1, DWORD dwCommEvents = SERIAL_EVENT_MASK,
                  UINT nWriteBufferSize = SERIAL_WRITE_BUFFER);
    // Starts the monitoring thread; FALSE without an open port or with a thread running.
    BOOL StartMonitoring();
    // The thread waits before its next pass until resumed. TRUE.
    BOOL SuspendMonitoring();
    BOOL ResumeMonitoring();
    // Ends the thread (raising shutdown and pass until it has gone) and closes the events and
    // the port. TRUE. At once when the thread has already ended.
    BOOL ClosePort();
    // Any thread: the port is dead. The thread ends at its next check (after a shutdown), and
    // WM_LINK_LOST (0, 3) goes to the main view (g_hMainViewWnd), which then calls ClosePort.
    void ClosePortAsync();
    // Copies a zero-terminated text into the write buffer (cut to its size) and raises the
    // write event. The thread writes the current request, not this buffer.
    void WriteToPort(const char* text);
    // Raises g_hSerialEvents[index], index 0..3.
    void SetSerialEvent(int index);

    SerialLineSettings GetDCB() const { return m_dcb; }
    DWORD GetCommEvents() const { return m_dwCommEvents; }
    int GetWriteBufferSize() const { return m_nWriteBufferSize; }
    const CString& GetPortName() const { return m_strPortName; }
    // The port is open (a device exists).
    BOOL IsOpen() const;
    BOOL IsThreadAlive() const { return m_bThreadAlive.load(); }
    UINT GetExitCode() const { return m_nExitCode.load(); }

    // Shows "WARNING:  <call> Failed with the following error: \n<system text>\nPort: <name>\n"
    // through the error handler (caption "Application Error", error icon); the text is kept
    // for GetLastErrorText. May run on the monitoring thread.
    void ShowError(const CString& strFailedCall);
    // Receives the texts of ShowError; none: they are only kept. It may be called on the
    // monitoring thread, so a handler that shows a box must post to the interface.
    void SetErrorHandler(std::function<void(const CString& text, const CString& caption)> handler);
    CString GetLastErrorText() const;

private:
    // The monitoring thread and its steps (CSerialPortThread.cpp).
    UINT CommThread();
    UINT EndThread();
    // Waits for shutdown, write or input, at most timeoutMs real milliseconds: the index of the
    // event (SERIAL_EVENT_...), WAIT_TIMEOUT, or WAIT_FAILED when the port failed.
    DWORD WaitPortEvents(int timeoutMs);
    void OnWaitTimeout();
    void WriteChar();
    void ReceiveChar();
    void ApplyRetryRule();
    void WaitWhileSuspended();
    void PurgeLocked();

    std::atomic<BOOL> m_bExitRequest{FALSE};
    std::thread m_thread;
    mutable CCriticalSection m_csPort;  // guards m_pDevice during every open, close, read, write and query
    std::atomic<BOOL> m_bThreadAlive{FALSE};
    std::unique_ptr<CEvent> m_pShutdownEvent;
    std::unique_ptr<ISerialDevice> m_pDevice;  // m_hComm; null while closed
    std::unique_ptr<CEvent> m_pWriteEvent;
    std::unique_ptr<CEvent> m_pPassEvent;
    std::unique_ptr<CEvent> m_pCommEvent;
    SerialLineSettings m_dcb;
    HWND m_hOwner = nullptr;  // stored only
    CString m_strPortName;
    std::vector<char> m_szWriteBuffer;
    DWORD m_dwCommEvents = 0;
    int m_nWriteBufferSize = 0;

    std::atomic<UINT> m_nExitCode{0};
    std::mutex m_suspendMutex;  // guards m_bSuspended
    std::condition_variable m_suspendCv;
    bool m_bSuspended = false;
    mutable std::mutex m_errorMutex;  // guards the error text and handler
    CString m_strLastError;
    std::function<void(const CString&, const CString&)> m_errorHandler;
};
