#include "SerialLink.h"

#include "CKTVCommand.h"
#include "CSendData.h"
#include "CSerialPort.h"
#include "Clock.h"
#include "CommWorker.h"
#include "FirmwareState.h"
#include "Globals.h"
#include "LinkGlobals.h"

CSerialLink::CSerialLink(CKTVCommand& command, CSerialPort& port) : m_command(command), m_port(port) {}

CSerialLink::~CSerialLink() { StopWorker(); }

BOOL CSerialLink::OpenSerialLink()
{
    if (m_port.InitPort(nullptr, g_strComPort, SERIAL_BAUD, 'N', 8, 1, SERIAL_EVENT_MASK, SERIAL_WRITE_BUFFER) &&
        m_port.StartMonitoring())
        return TRUE;
    m_port.ClosePort();
    return FALSE;
}

BOOL CSerialLink::CloseSerialLink()
{
    StopWorker();
    m_port.ClosePort();
    return TRUE;
}

BOOL CSerialLink::ComTransact()
{
    if (!m_port.IsOpen())
        return FALSE;
    CSingleLock lock(g_csComm);
    if (m_command.GetSendDataCount() == 0) {
        // A firmware update carries only what its own code queued.
        if (!g_bUpdating && m_nextSendData)
            m_command.AddSendData(m_nextSendData());
        return FALSE;
    }
    ClearCommStatus();
    g_pSerialItem = m_command.GetCurSendData();
    return TRUE;
}

void CSerialLink::SerialTransact()
{
    if (!ComTransact())
        return;
    g_hReplyEvent.ResetEvent();
    m_port.SetSerialEvent(SERIAL_EVENT_WRITE);
    m_port.SetSerialEvent(SERIAL_EVENT_PASS);
    CEvent* events[3] = {&g_hReplyEvent, &m_quitEvent, &g_hCommEvents[COMM_EVENT_QUIT]};
    WaitForMultipleObjects(3, events, FALSE, INFINITE);
}

BOOL CSerialLink::StartWorker()
{
    if (m_thread.joinable())
        return FALSE;
    m_quitEvent.ResetEvent();
    m_sendEvent.SetEvent();
    m_thread = std::thread([this] { WorkerThread(); });
    return TRUE;
}

BOOL CSerialLink::StopWorker()
{
    if (!m_thread.joinable())
        return FALSE;
    m_quitEvent.SetEvent();
    m_thread.join();
    m_sendEvent.ResetEvent();
    m_quitEvent.ResetEvent();
    // The request stays queued; the monitoring thread must not carry it on.
    CSingleLock lock(g_csComm);
    g_pSerialItem = nullptr;
    return TRUE;
}

void CSerialLink::WorkerThread()
{
    CEvent* events[2] = {&m_quitEvent, &m_sendEvent};
    for (;;) {
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0)
            return;
        if (g_nLinkType == 3)
            SerialTransact();
        else
            Sleep(COMM_IDLE_MS);
        Sleep(COMM_PAUSE_MS);
    }
}
