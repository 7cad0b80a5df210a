#include "FakeHidBackend.h"

#include <algorithm>

class CFakeHidBackend::Connection : public IHidDevice {
public:
    Connection(CFakeHidBackend& owner, CEmuHidDevice& device, std::string path)
        : m_owner(owner), m_device(device), m_strPath(std::move(path))
    {
    }

    ~Connection() override
    {
        std::lock_guard<std::mutex> lk(m_owner.m_mutex);
        auto& open = m_owner.m_open;
        const auto it = std::find(open.begin(), open.end(), m_strPath);
        if (it != open.end())
            open.erase(it);
    }

    int Write(const BYTE* report65) override
    {
        if (m_bFailed)
            return -1;
        const int n = m_device.Write(report65);
        m_bFailed = n < 0;
        return n;
    }

    int Read(BYTE* data64, int timeoutMs) override
    {
        if (m_bFailed)
            return -1;
        CFakeClock* clock = m_owner.m_pClock;
        const int n = m_device.Read(data64, clock ? 0 : timeoutMs);
        if (n < 0) {
            m_bFailed = true;
            return -1;
        }
        if (clock)
            clock->Advance(int64_t(n > 0 ? m_owner.m_nLatencyMs.load() : timeoutMs) * 1000);
        if (n > 0)
            ++m_owner.m_nReportsRead;
        return n;
    }

private:
    CFakeHidBackend& m_owner;
    CEmuHidDevice& m_device;
    const std::string m_strPath;
    bool m_bFailed = false;  // the device went away under this open
};

CFakeHidBackend::CFakeHidBackend(CFakeClock* clock) : m_pClock(clock) {}

CFakeHidBackend::~CFakeHidBackend() = default;

void CFakeHidBackend::AddDevice(CEmuHidDevice& device)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_devices.push_back(&device);
}

void CFakeHidBackend::AddForeignDevice(const HidDeviceInfo& info)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_foreign.push_back(info);
}

void CFakeHidBackend::RemoveForeignDevice(const std::string& path)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_foreign.erase(std::remove_if(m_foreign.begin(), m_foreign.end(),
                                   [&](const HidDeviceInfo& d) { return d.path == path; }),
                    m_foreign.end());
}

int CFakeHidBackend::GetOpenCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return int(m_open.size());
}

std::vector<HidDeviceInfo> CFakeHidBackend::Enumerate()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    std::vector<HidDeviceInfo> out;
    for (CEmuHidDevice* d : m_devices) {
        if (!d->IsPlugged())
            continue;
        HidDeviceInfo info;
        info.path = d->GetPath();
        info.vendorId = d->GetVendorId();
        info.productId = d->GetProductId();
        info.version = d->GetVersionNumber();
        out.push_back(info);
    }
    out.insert(out.end(), m_foreign.begin(), m_foreign.end());
    return out;
}

std::unique_ptr<IHidDevice> CFakeHidBackend::Open(const std::string& path)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    for (CEmuHidDevice* d : m_devices) {
        if (!d->IsPlugged() || d->GetPath() != path)
            continue;
        if (std::find(m_open.begin(), m_open.end(), path) != m_open.end())
            return nullptr;  // held: the node's lock refuses a second open
        m_open.push_back(path);
        return std::make_unique<Connection>(*this, *d, path);
    }
    return nullptr;
}
