#include "HidBackend.h"

#include "HidapiBackend.h"

#include <atomic>

namespace {
std::atomic<IHidBackend*> g_pBackend{nullptr};
}  // namespace

bool IsProcessorDevice(const HidDeviceInfo& info)
{
    return info.vendorId == g_nUsbVendorId && info.productId == g_nUsbProductId && info.version == g_nUsbVersion;
}

IHidBackend& HidBackend::Get()
{
    if (IHidBackend* backend = g_pBackend.load())
        return *backend;
    // Made on first use, so programs that never touch USB never start hidapi.
    static CHidapiBackend hidapi;
    return hidapi;
}

void HidBackend::Set(IHidBackend* backend) { g_pBackend.store(backend); }
