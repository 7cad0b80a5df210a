#include "Reachability.h"

#include <arpa/inet.h>

#include <cstdlib>
#include <string>

namespace {

// The four octets of a dotted address, first octet first; FALSE when the text is not one.
BOOL ParseOctets(const CString& text, BYTE octets[4])
{
    in_addr addr{};
    if (inet_pton(AF_INET, text.c_str(), &addr) != 1)
        return FALSE;
    const uint32_t host = ntohl(addr.s_addr);
    for (int i = 0; i < 4; ++i)
        octets[i] = BYTE(host >> (24 - 8 * i));
    return TRUE;
}

}  // namespace

BOOL IsDottedIpv4(const CString& text)
{
    BYTE octets[4];
    return ParseOctets(text, octets);
}

BOOL IsSameSubnet(const CString& adapterIp, const CString& mask, const CString& deviceIp)
{
    BYTE adapter[4], netmask[4], device[4];
    if (!ParseOctets(adapterIp, adapter) || !ParseOctets(mask, netmask) || !ParseOctets(deviceIp, device))
        return FALSE;
    BOOL anyCompared = FALSE;
    for (int i = 0; i < 4; ++i) {
        if (netmask[i] != 255)
            continue;
        if (adapter[i] != device[i])
            return FALSE;
        anyCompared = TRUE;
    }
    return anyCompared;
}

BOOL FindDeviceAdapter(const std::vector<AdapterAddress>& adapters, const CString& deviceIp)
{
    for (const AdapterAddress& adapter : adapters) {
        if (IsSameSubnet(adapter.ip, adapter.mask, deviceIp))
            return TRUE;
    }
    return FALSE;
}

BOOL IsLoopbackIpv4(const CString& text)
{
    BYTE octets[4];
    return (ParseOctets(text, octets) && octets[0] == 127) ? TRUE : FALSE;
}

BOOL IsLoopbackOnlyMode()
{
    const char* v = std::getenv("ORVANE_LOOPBACK_ONLY");
    return (v && *v && std::string(v) != "0") ? TRUE : FALSE;
}

BOOL MayContactAddress(const CString& deviceIp)
{
    return (!IsLoopbackOnlyMode() || IsLoopbackIpv4(deviceIp)) ? TRUE : FALSE;
}
