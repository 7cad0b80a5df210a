// CSerialPort: opening, setting up and closing the port, and its events.
#include "CSerialPort.h"

#include "AppMessages.h"
#include "CKTV_Data.h"

#include <algorithm>
#include <cstring>

CEvent* g_hSerialEvents[SERIAL_EVENT_COUNT] = {};
CEvent g_hReplyEvent(TRUE, FALSE);

namespace {
// The program's error box for a failed port call.
const CString kErrorCaption = "Application Error";

bool IsParityChar(char c) { return std::strchr("NEOMSneoms", c) != nullptr && c != 0; }
}  // namespace

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort()
{
    ClosePort();
}

BOOL CSerialPort::IsOpen() const
{
    CSingleLock lock(m_csPort);
    return m_pDevice != nullptr;
}

BOOL CSerialPort::InitPort(HWND hOwner, const CString& strPortName, UINT nBaud, char cParity, UINT nDataBits,
                           UINT nStopBits, DWORD dwCommEvents, UINT nWriteBufferSize)
{
    // 1. A thread of an earlier port ends first.
    if (m_thread.joinable()) {
        // The events stay set, so the thread sees them wherever it waits.
        ResumeMonitoring();
        SetSerialEvent(SERIAL_EVENT_PASS);
        SetSerialEvent(SERIAL_EVENT_SHUTDOWN);
        m_thread.join();
    }

    // 2. Fresh events, manual reset and not signalled.
    m_pCommEvent = std::make_unique<CEvent>(TRUE, FALSE);
    m_pWriteEvent = std::make_unique<CEvent>(TRUE, FALSE);
    m_pShutdownEvent = std::make_unique<CEvent>(TRUE, FALSE);
    m_pPassEvent = std::make_unique<CEvent>(TRUE, FALSE);
    g_hSerialEvents[SERIAL_EVENT_SHUTDOWN] = m_pShutdownEvent.get();
    g_hSerialEvents[SERIAL_EVENT_WRITE] = m_pWriteEvent.get();
    g_hSerialEvents[SERIAL_EVENT_COMM] = m_pCommEvent.get();
    g_hSerialEvents[SERIAL_EVENT_PASS] = m_pPassEvent.get();

    // 3. Owner, buffer, name (a copy: the caller's text may go), sizes.
    m_hOwner = hOwner;
    m_szWriteBuffer.assign(nWriteBufferSize, 0);
    m_strPortName = strPortName;
    m_nWriteBufferSize = int(nWriteBufferSize);
    m_dwCommEvents = dwCommEvents;

    // 4.-5. Open, exclusively.
    CSingleLock lock(m_csPort);
    if (m_pDevice) {
        m_pDevice->Close();
        m_pDevice.reset();
    }
    std::unique_ptr<ISerialDevice> device = SerialDevice::Create();
    if (strPortName.empty() || !device->Open(strPortName))
        return FALSE;
    m_pDevice = std::move(device);

    // 6. The line. Time-outs and the event mask need no call here: every read and write is
    // bounded by its own time-out and the comm event is the arrival of input. The first
    // setting that fails is reported and ends the chain; the port stays open.
    m_dcb = SerialLineSettings{};
    m_dcb.bRtsEnable = TRUE;
    // No modem lines on a pseudo-terminal: the RTS line is wished for, not required.
    m_pDevice->SetRequestToSend(true);
    if (nBaud == 0 || !IsParityChar(cParity) || nDataBits < 5 || nDataBits > 8 || (nStopBits != 1 && nStopBits != 2)) {
        ShowError("BuildCommDCB()");
    } else {
        m_dcb.nBaud = nBaud;
        m_dcb.cParity = cParity;
        m_dcb.nDataBits = nDataBits;
        m_dcb.nStopBits = nStopBits;
        if (!m_pDevice->SetBaudRate(int(nBaud)) || !m_pDevice->SetParity(cParity) ||
            !m_pDevice->SetDataBits(int(nDataBits)) || !m_pDevice->SetStopBits(int(nStopBits)))
            ShowError("SetCommState()");
    }

    // 8. Nothing stale in either direction.
    PurgeLocked();
    return TRUE;
}

BOOL CSerialPort::StartMonitoring()
{
    if (m_thread.joinable() || !IsOpen() || !m_pPassEvent)
        return FALSE;
    m_bExitRequest = FALSE;
    {
        std::lock_guard<std::mutex> lk(m_suspendMutex);
        m_bSuspended = false;
    }
    // Alive from here, so that a close right after the start waits for the thread.
    m_bThreadAlive = TRUE;
    m_thread = std::thread([this] { m_nExitCode = CommThread(); });
    return TRUE;
}

BOOL CSerialPort::SuspendMonitoring()
{
    std::lock_guard<std::mutex> lk(m_suspendMutex);
    m_bSuspended = true;
    return TRUE;
}

BOOL CSerialPort::ResumeMonitoring()
{
    {
        std::lock_guard<std::mutex> lk(m_suspendMutex);
        m_bSuspended = false;
    }
    m_suspendCv.notify_all();
    return TRUE;
}

void CSerialPort::WaitWhileSuspended()
{
    std::unique_lock<std::mutex> lk(m_suspendMutex);
    m_suspendCv.wait(lk, [this] { return !m_bSuspended; });
}

BOOL CSerialPort::ClosePort()
{
    if (m_thread.joinable()) {
        // The events stay set, so the thread sees them wherever it waits.
        ResumeMonitoring();
        SetSerialEvent(SERIAL_EVENT_SHUTDOWN);
        SetSerialEvent(SERIAL_EVENT_PASS);
        m_thread.join();
    }
    for (CEvent*& ev : g_hSerialEvents)
        ev = nullptr;
    m_pCommEvent.reset();
    m_pWriteEvent.reset();
    m_pShutdownEvent.reset();
    m_pPassEvent.reset();
    CSingleLock lock(m_csPort);
    if (m_pDevice) {
        m_pDevice->Close();
        m_pDevice.reset();
    }
    return TRUE;
}

void CSerialPort::ClosePortAsync()
{
    m_bExitRequest = TRUE;
    PostMessage(g_hMainViewWnd, WM_LINK_LOST, 0, 3);
}

void CSerialPort::WriteToPort(const char* text)
{
    if (!IsOpen() || !text || m_szWriteBuffer.empty())
        return;
    // Cut to the buffer, terminator included.
    const size_t n = std::min(std::strlen(text), m_szWriteBuffer.size() - 1);
    std::memcpy(m_szWriteBuffer.data(), text, n);
    m_szWriteBuffer[n] = 0;
    SetSerialEvent(SERIAL_EVENT_WRITE);
}

void CSerialPort::SetSerialEvent(int index)
{
    if (index >= 0 && index < SERIAL_EVENT_COUNT && g_hSerialEvents[index])
        g_hSerialEvents[index]->SetEvent();
}

void CSerialPort::PurgeLocked()
{
    if (m_pDevice)
        m_pDevice->Purge();
}

void CSerialPort::ShowError(const CString& strFailedCall)
{
    CString system;
    {
        CSingleLock lock(m_csPort);
        system = m_pDevice ? m_pDevice->GetErrorText() : CString();
    }
    const CString text = "WARNING:  " + strFailedCall + " Failed with the following error: \n" + system +
                         "\nPort: " + m_strPortName + "\n";
    std::function<void(const CString&, const CString&)> handler;
    {
        std::lock_guard<std::mutex> lk(m_errorMutex);
        m_strLastError = text;
        handler = m_errorHandler;
    }
    if (handler)
        handler(text, kErrorCaption);
}

void CSerialPort::SetErrorHandler(std::function<void(const CString&, const CString&)> handler)
{
    std::lock_guard<std::mutex> lk(m_errorMutex);
    m_errorHandler = std::move(handler);
}

CString CSerialPort::GetLastErrorText() const
{
    std::lock_guard<std::mutex> lk(m_errorMutex);
    return m_strLastError;
}
