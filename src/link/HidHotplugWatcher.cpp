#include "HidHotplugWatcher.h"

#include <algorithm>

namespace {
// The same device: a path that shows other ids now holds another device (one that restarted
// as something else), which counts as a removal and an arrival.
bool Contains(const std::vector<HidDeviceInfo>& list, const HidDeviceInfo& dev)
{
    return std::any_of(list.begin(), list.end(), [&](const HidDeviceInfo& d) {
        return d.path == dev.path && d.vendorId == dev.vendorId && d.productId == dev.productId &&
               d.version == dev.version;
    });
}
}  // namespace

CHidHotplugWatcher::CHidHotplugWatcher() : CHidHotplugWatcher(HidBackend::Get()) {}

CHidHotplugWatcher::CHidHotplugWatcher(IHidBackend& backend) : m_backend(backend) {}

HidHotplugChanges CHidHotplugWatcher::Poll()
{
    std::vector<HidDeviceInfo> now = m_backend.Enumerate();
    HidHotplugChanges changes;
    if (m_bPrimed) {
        for (const HidDeviceInfo& d : m_known)
            if (!Contains(now, d))
                changes.removed.push_back(d.path);
        for (const HidDeviceInfo& d : now)
            if (!Contains(m_known, d))
                changes.arrived.push_back(d);
    }
    m_known = std::move(now);
    m_bPrimed = true;
    return changes;
}
