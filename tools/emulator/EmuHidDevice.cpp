#include "EmuHidDevice.h"

#include <algorithm>
#include <cstring>

CEmuHidDevice::CEmuHidDevice(CDeviceEmulator& emu) : m_emu(emu)
{
    m_emu.ResetStream();
}

CEmuHidDevice::~CEmuHidDevice()
{
    Unplug();
}

bool CEmuHidDevice::CheckDropRequest()
{
    if (m_bPlugged && m_emu.TakeDropRequest()) {
        const int64_t restartDueUs = m_emu.TakeRestartDueUs();
        Unplug();
        m_nReplugAtUs = restartDueUs;
    }
    return m_bPlugged;
}

bool CEmuHidDevice::IsPlugged()
{
    CheckDropRequest();
    const int64_t replugAt = m_nReplugAtUs.load();
    if (!m_bPlugged && replugAt >= 0 && m_emu.NowUs() >= replugAt && m_nReplugAtUs.exchange(-1) == replugAt) {
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            if (!m_strRestartPath.empty())
                m_strPath = m_strRestartPath;
        }
        Plug();
    }
    return m_bPlugged;
}

int CEmuHidDevice::Write(const BYTE* report65)
{
    if (!report65 || !CheckDropRequest())
        return -1;
    OutReport r;
    std::copy(report65, report65 + r.size(), r.begin());
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_written.push_back(r);
    }
    // The report id is the transport's; the device sees the 64 bytes behind it.
    m_emu.Feed(report65 + 1, EMU_HID_REPORT_SIZE);
    return int(r.size());
}

int CEmuHidDevice::Read(BYTE* out64, int timeoutMs)
{
    if (!out64 || !CheckDropRequest())
        return -1;
    const int n = m_emu.WaitReply(out64, EMU_HID_REPORT_SIZE, timeoutMs, [this] { return !m_bPlugged; });
    if (n < 0) {
        CheckDropRequest();
        return -1;
    }
    if (n == 0)
        return 0;
    std::memset(out64 + n, 0, size_t(EMU_HID_REPORT_SIZE - n));
    // A device that restarts after this answer leaves the bus as soon as it has been read.
    CheckDropRequest();
    return EMU_HID_REPORT_SIZE;
}

void CEmuHidDevice::Plug()
{
    m_nReplugAtUs = -1;
    if (!m_bPlugged.exchange(true))
        m_emu.ResetStream();
}

void CEmuHidDevice::Unplug()
{
    m_nReplugAtUs = -1;
    if (m_bPlugged.exchange(false)) {
        m_emu.ResetStream();
        m_emu.WakeWaiters();
    }
}

void CEmuHidDevice::SetIds(WORD vendorId, WORD productId, WORD version)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_wVendorId = vendorId;
    m_wProductId = productId;
    m_wVersion = version;
}

WORD CEmuHidDevice::GetVendorId() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_wVendorId;
}

WORD CEmuHidDevice::GetProductId() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_wProductId;
}

WORD CEmuHidDevice::GetVersionNumber() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_wVersion;
}

void CEmuHidDevice::SetPath(const std::string& path)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_strPath = path;
}

void CEmuHidDevice::SetRestartPath(const std::string& path)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_strRestartPath = path;
}

std::string CEmuHidDevice::GetPath() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_strPath;
}

std::vector<CEmuHidDevice::OutReport> CEmuHidDevice::GetWrittenReports() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_written;
}

void CEmuHidDevice::ClearWrittenReports()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_written.clear();
}
