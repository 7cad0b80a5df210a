#include "HidapiBackend.h"

#include <hidapi.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

class CHidapiDevice : public IHidDevice {
public:
    // Takes the hidapi device and the locked descriptor of its node.
    CHidapiDevice(hid_device* dev, int lockFd) : m_pDev(dev), m_nLockFd(lockFd) {}
    ~CHidapiDevice() override
    {
        hid_close(m_pDev);
        ::close(m_nLockFd);  // releases the lock
    }
    CHidapiDevice(const CHidapiDevice&) = delete;
    CHidapiDevice& operator=(const CHidapiDevice&) = delete;

    int Write(const BYTE* report65) override
    {
        const int n = hid_write(m_pDev, report65, 65);
        return n < 0 ? -1 : n;
    }

    int Read(BYTE* data64, int timeoutMs) override
    {
        // Unnumbered reports: hidraw hands over the data bytes without the report id.
        const int n = hid_read_timeout(m_pDev, data64, 64, timeoutMs);
        return n < 0 ? -1 : n;
    }

private:
    hid_device* const m_pDev;
    const int m_nLockFd;
};

}  // namespace

CHidapiBackend::CHidapiBackend() : m_bReady(hid_init() == 0) {}

CHidapiBackend::~CHidapiBackend()
{
    if (m_bReady)
        hid_exit();
}

std::vector<HidDeviceInfo> CHidapiBackend::Enumerate()
{
    std::vector<HidDeviceInfo> out;
    if (!m_bReady)
        return out;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d; d = d->next) {
        if (!d->path)
            continue;
        HidDeviceInfo info;
        info.path = d->path;
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.version = d->release_number;
        out.push_back(info);
    }
    hid_free_enumeration(list);
    return out;
}

std::unique_ptr<IHidDevice> CHidapiBackend::Open(const std::string& path)
{
    if (!m_bReady)
        return nullptr;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    hid_device* dev = hid_open_path(path.c_str());
    if (!dev) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<CHidapiDevice>(dev, fd);
}
