#include "UsbLink.h"

#include "AppMessages.h"
#include "CKTVCommand.h"
#include "CSendData.h"
#include "Clock.h"
#include "CommWorker.h"
#include "Globals.h"

#include <algorithm>
#include <cstring>

std::atomic<int> g_bUsbOpen{0};

namespace {
// Input reports drained at most by one purge, so a device that never stops sending cannot
// hold the caller.
constexpr int PURGE_MAX_REPORTS = 64;
constexpr int GIVE_UP_PAUSE_MS = 10;

int64_t NowTicks()
{
    int64_t t = 0;
    QueryPerformanceCounter(&t);
    return t;
}

int64_t TicksPerSecond()
{
    int64_t freq = 0;
    QueryPerformanceFrequency(&freq);
    return std::max<int64_t>(1, freq);
}

int64_t MsToTicks(int64_t ms) { return ms * TicksPerSecond() / 1000; }

// Rounded up, so that a wait never ends before its time.
int64_t TicksToMs(int64_t ticks) { return (ticks * 1000 + TicksPerSecond() - 1) / TicksPerSecond(); }
}  // namespace

CUsbLink::CUsbLink(CKTVCommand& command) : CUsbLink(command, g_strUsbPath, g_arrUsbDevices) {}

CUsbLink::CUsbLink(CKTVCommand& command, CString& strUsbPath, std::vector<std::string>& arrUsbDevices)
    : m_command(command), m_backend(HidBackend::Get()), m_strUsbPath(strUsbPath), m_arrUsbDevices(arrUsbDevices)
{
}

CUsbLink::~CUsbLink()
{
    m_pDevice.reset();
    m_inUse.Release();
}

BOOL CUsbLink::EnumHidDevices()
{
    m_arrUsbDevices.clear();
    for (const HidDeviceInfo& info : m_backend.Enumerate())
        if (IsProcessorDevice(info))
            m_arrUsbDevices.push_back(info.path);
    if (!m_arrUsbDevices.empty())
        return TRUE;
    // No processor anywhere: nobody can hold one, so stale claims go.
    m_inUse.Clear();
    g_bUsbOpen = 0;
    return FALSE;
}

BOOL CUsbLink::SelectUsbPath()
{
    if (!m_strUsbPath.empty() && m_inUse.IsFree(m_strUsbPath))
        return TRUE;
    if (!EnumHidDevices())
        return FALSE;
    for (const std::string& path : m_arrUsbDevices)
        if (m_inUse.IsFree(path)) {
            m_strUsbPath = path;
            return TRUE;
        }
    m_strUsbPath.clear();
    return FALSE;
}

BOOL CUsbLink::OpenUsbDevice()
{
    if (m_strUsbPath.empty())
        return FALSE;
    if (m_pDevice) {
        // One device at a time: the one open before goes with its claim.
        CloseUsbHandle();
        m_inUse.Release();
    }
    m_pDevice = m_backend.Open(m_strUsbPath);
    if (!m_pDevice)
        return FALSE;
    PurgeInput();
    g_bUsbOpen = 1;
    RegisterUsbPath();
    return TRUE;
}

BOOL CUsbLink::ConnectUsb()
{
    if (SelectUsbPath() && OpenUsbDevice()) {
        g_nLinkType = 1;
        return TRUE;
    }
    // Copy: the list may be rebuilt while we walk it.
    const std::vector<std::string> paths = m_arrUsbDevices;
    for (const std::string& path : paths) {
        if (!m_inUse.IsFree(path))
            continue;
        m_strUsbPath = path;
        if (OpenUsbDevice()) {
            g_nLinkType = 1;
            return TRUE;
        }
    }
    m_strUsbPath.clear();
    return FALSE;
}

BOOL CUsbLink::OpenUsbPath(const CString& path)
{
    if (path.empty() || !m_inUse.IsFree(path) || !IsProcessorPresent(path))
        return FALSE;
    m_strUsbPath = path;
    return OpenUsbDevice();
}

BOOL CUsbLink::ReopenUsb()
{
    CloseUsbHandle();
    // Our own claim would keep us from our own device.
    m_inUse.Release();
    // The device restarted: it may come back under another path, so the old one is forgotten
    // and the processors present now are listed again (by vendor, product and version).
    m_strUsbPath.clear();
    return ConnectUsb();
}

BOOL CUsbLink::CloseUsb()
{
    CloseUsbHandle();
    m_inUse.Release();
    g_bUsbOpen = 0;
    g_nLinkType = 0;
    return TRUE;
}

void CUsbLink::CloseUsbHandle()
{
    if (!m_pDevice)
        return;
    m_pDevice.reset();
    std::memset(g_byUsbOutReport, 0, sizeof(g_byUsbOutReport));
    std::memset(g_byUsbInReport, 0, sizeof(g_byUsbInReport));
}

bool CUsbLink::IsProcessorPresent(const std::string& path)
{
    for (const HidDeviceInfo& info : m_backend.Enumerate())
        if (info.path == path)
            return IsProcessorDevice(info);
    return false;
}

void CUsbLink::MarkTransactStart() { m_liTransactStart = NowTicks(); }

bool CUsbLink::IsStopping() { return !g_bUsbOpen || IsCommQuitRequested(); }

void CUsbLink::PostLinkLost() { PostMessage(m_hNotifyWnd, WM_LINK_LOST, 0, 0); }

void CUsbLink::UsbTransact()
{
    // The queue and the reports are touched under g_csComm; the wait for the reply is not, so
    // that the window can queue its sends meanwhile (a Wi-Fi default's reply takes up to 50 s).
    // The receive path takes the lock itself.
    bool notify = false;
    {
        CSingleLock lock(g_csComm);
        MarkTransactStart();
        if (UsbWriteLoop() != 1)
            return;
        const CSendData* head = m_command.GetCurSendData();
        notify = head && head->GetNotify();
    }
    UsbReadLoop(notify);
}

int CUsbLink::UsbWriteLoop()
{
    if (!m_pDevice) {
        // Closed under the link: open it again and send the head from its first byte.
        if (OpenUsbDevice())
            m_command.RewindCurSendData();
        else
            PostLinkLost();
        return 0;
    }
    if (IsStopping())
        return 0;
    if (m_command.GetSendDataCount() == 0) {
        if (m_nextSendData)
            m_command.AddSendData(m_nextSendData());
        return 0;
    }
    CSendData* head = m_command.GetCurSendData();
    while (head->NextReport()) {
        if (WriteReport() < 0) {
            m_command.RewindCurSendData();
            if (g_bUsbOpen)
                PostLinkLost();
            return 0;
        }
        if (IsStopping()) {
            m_command.RewindCurSendData();
            return 0;
        }
    }
    return 1;
}

int CUsbLink::UsbReadLoop(bool notify)
{
    const int waitMs = notify ? USB_NOTIFY_WAIT_MS : USB_REPLY_WAIT_MS;
    const int64_t giveUpTicks = MsToTicks(notify ? USB_NOTIFY_GIVE_UP_MS : USB_GIVE_UP_MS);
    for (;;) {
        const int n = ReadReport(waitMs);
        if (n == READ_STOPPED) {
            m_command.RewindCurSendData();
            return 0;
        }
        if (n == READ_FAILED) {
            // The device failed or went away; the head goes out again on a new link.
            m_command.RewindCurSendData();
            if (g_bUsbOpen)
                PostLinkLost();
            return 0;
        }
        if (n == 0) {
            PurgeInput();
            if (g_bUsbOpen)
                PostLinkLost();
            return 1;
        }
        if (OnUsbReport(n))
            return 1;
        if (NowTicks() - m_liTransactStart > giveUpTicks) {
            Sleep(GIVE_UP_PAUSE_MS);
            if (g_bUsbOpen)
                PostLinkLost();
            return 0;
        }
    }
}

BOOL CUsbLink::OnUsbReport(int n) { return m_command.OnUsbReceive(n) ? TRUE : FALSE; }

int CUsbLink::WriteReport()
{
    if (!m_pDevice)
        return -1;
    return m_pDevice->Write(g_byUsbOutReport) < 0 ? -1 : USB_REPORT_SIZE;
}

int CUsbLink::ReadReport(int timeoutMs)
{
    if (!m_pDevice)
        return READ_FAILED;
    const int64_t deadline = NowTicks() + MsToTicks(timeoutMs);
    BYTE data[USB_REPORT_DATA];
    for (;;) {
        if (IsStopping())
            return READ_STOPPED;
        const int64_t leftTicks = deadline - NowTicks();
        if (leftTicks <= 0)
            return 0;
        const int sliceMs = int(std::min<int64_t>(TicksToMs(leftTicks), USB_READ_SLICE_MS));
        const int n = m_pDevice->Read(data, sliceMs);
        if (n < 0)
            return IsStopping() ? READ_STOPPED : READ_FAILED;
        if (n == 0)
            continue;
        // Linux hands over the data without the report id; the engine expects it in byte 0.
        const int count = std::min(n, USB_REPORT_DATA);
        g_byUsbInReport[0] = 0;
        std::memcpy(g_byUsbInReport + 1, data, size_t(count));
        std::memset(g_byUsbInReport + 1 + count, 0, size_t(USB_REPORT_DATA - count));
        return count + 1;
    }
}

void CUsbLink::PurgeInput()
{
    if (!m_pDevice)
        return;
    BYTE data[USB_REPORT_DATA];
    for (int i = 0; i < PURGE_MAX_REPORTS && m_pDevice->Read(data, 0) > 0; ++i) {
    }
}
