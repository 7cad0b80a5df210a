// Whether the network processor can be reached: is this machine on the processor's subnet, and
// does the processor answer a ping. The TCP transport and its watchdog ask through
// IReachability, so tests put a fake in place of the machine's adapters and the system's ping.
//
// The subnet rule: every octet whose mask octet is 255 must match between the adapter's and the
// device's address, and at least one mask octet must be 255. Octets of a partial mask byte
// (254, 252, ...) are not compared, so 255.255.254.0 compares only the first two octets.
#pragma once

#include "WinTypes.h"

#include <vector>

class IReachability {
public:
    virtual ~IReachability() = default;
    // TRUE when an adapter of this machine lies on the subnet of deviceIp (dotted text).
    // Any thread; each call keeps its working data to itself.
    virtual BOOL IsDeviceOnSubnet(const CString& deviceIp) = 0;
    // TRUE when the device answered one ping within 3000 ms. Blocks up to that long.
    virtual BOOL PingDevice(const CString& deviceIp) = 0;
};

// One IPv4 address of an adapter with its mask, both as dotted text.
struct AdapterAddress {
    CString ip;
    CString mask;
};

// The same-subnet test of one adapter. FALSE when any of the three texts is not a dotted IPv4
// address.
BOOL IsSameSubnet(const CString& adapterIp, const CString& mask, const CString& deviceIp);

// TRUE when one of the adapters lies on the device's subnet (the first match decides).
BOOL FindDeviceAdapter(const std::vector<AdapterAddress>& adapters, const CString& deviceIp);

// TRUE for a dotted IPv4 address such as "10.10.100.254" (what inet_pton accepts).
BOOL IsDottedIpv4(const CString& text);

// TRUE for a dotted address in the loopback range 127.0.0.0/8.
BOOL IsLoopbackIpv4(const CString& text);
// TRUE when the environment variable ORVANE_LOOPBACK_ONLY is set (tests and CI set it): the
// socket and the ping then refuse every address outside the loopback range, so no test can
// reach the processor's default address or any other host even when it forgets to set one.
BOOL IsLoopbackOnlyMode();
// FALSE when the loopback-only mode forbids contacting this address.
BOOL MayContactAddress(const CString& deviceIp);

// The machine itself: its adapters from getifaddrs and the system's ping ("ping -c 1 -W 3
// <address>", iputils-ping) run as a child process. Never used by tests except against
// 127.0.0.1. Stateless: any thread may call it, also two at once.
class CSystemReachability : public IReachability {
public:
    BOOL IsDeviceOnSubnet(const CString& deviceIp) override;
    BOOL PingDevice(const CString& deviceIp) override;

    // Every IPv4 address of an adapter that is up, loopback included (so the program can run
    // against a device emulator on 127.0.0.1).
    static std::vector<AdapterAddress> ListAdapters();
    // The child's time limit, real milliseconds.
    static constexpr int PING_LIMIT_MS = 3000;
};
