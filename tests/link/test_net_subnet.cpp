// The reachability check: the same-subnet rule over a table of adapters, and the machine's own
// adapters and ping, tried against 127.0.0.1 only.
#include "Reachability.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

struct SubnetCase {
    const char* adapter;
    const char* mask;
    const char* device;
    BOOL onSubnet;
};

const SubnetCase kSubnetCases[] = {
    {"10.10.100.15", "255.255.255.0", "10.10.100.254", TRUE},
    {"10.10.5.3", "255.255.0.0", "10.10.100.254", TRUE},
    {"192.168.1.4", "255.255.255.0", "10.10.100.254", FALSE},
    {"10.10.101.15", "255.255.255.0", "10.10.100.254", FALSE},
    // Octets of a partial mask byte are not compared: 255.255.254.0 checks two octets.
    {"10.10.101.15", "255.255.254.0", "10.10.100.254", TRUE},
    {"10.11.100.15", "255.255.254.0", "10.10.100.254", FALSE},
    // A mask without any 255 octet matches nothing.
    {"10.10.100.15", "0.0.0.0", "10.10.100.254", FALSE},
    {"10.10.100.15", "255.255.255.255", "10.10.100.254", FALSE},
    {"10.10.100.254", "255.255.255.255", "10.10.100.254", TRUE},
    // Only the octets under 255 count, wherever they are.
    {"1.2.3.4", "0.255.0.0", "9.2.8.8", TRUE},
    {"127.0.0.1", "255.0.0.0", "127.0.0.1", TRUE},
    {"127.0.0.1", "255.0.0.0", "10.10.100.254", FALSE},
    // Texts that are not dotted addresses never match.
    {"10.10.100.15", "255.255.255.0", "", FALSE},
    {"10.10.100.15", "255.255.255.0", "10.10.100", FALSE},
    {"10.10.100.15", "255.255.255.0", "10.10.100.254x", FALSE},
    {"", "255.255.255.0", "10.10.100.254", FALSE},
    {"10.10.100.15", "", "10.10.100.254", FALSE},
    {"10.10.100.15", "255.255.255.0.0", "10.10.100.254", FALSE},
};

}  // namespace

TEST(NetSubnet, SameSubnetRule)
{
    for (const SubnetCase& c : kSubnetCases) {
        SCOPED_TRACE(std::string(c.adapter) + " / " + c.mask + " vs " + c.device);
        EXPECT_EQ(IsSameSubnet(c.adapter, c.mask, c.device), c.onSubnet);
    }
}

TEST(NetSubnet, AnyAdapterOnTheSubnetDecides)
{
    const std::vector<AdapterAddress> adapters = {
        {"127.0.0.1", "255.0.0.0"},
        {"192.168.1.4", "255.255.255.0"},
        {"10.10.100.15", "255.255.255.0"},
    };
    EXPECT_TRUE(FindDeviceAdapter(adapters, "10.10.100.254"));
    EXPECT_TRUE(FindDeviceAdapter(adapters, "192.168.1.200"));
    EXPECT_FALSE(FindDeviceAdapter(adapters, "172.16.0.1"));
    EXPECT_FALSE(FindDeviceAdapter({}, "10.10.100.254"));
}

// The machine's own check, asked about the loopback address only.
TEST(NetSystemReachability, LoopbackAdapterCounts)
{
    const std::vector<AdapterAddress> adapters = CSystemReachability::ListAdapters();
    const auto lo = std::find_if(adapters.begin(), adapters.end(), [](const AdapterAddress& a) { return a.ip == "127.0.0.1"; });
    if (lo == adapters.end())
        GTEST_SKIP() << "no loopback adapter is up";
    EXPECT_EQ(lo->mask, "255.0.0.0");
    CSystemReachability reach;
    EXPECT_TRUE(reach.IsDeviceOnSubnet("127.0.0.1"));
}

TEST(NetSystemReachability, PingsTheLoopbackAddress)
{
    bool found = false;
    for (const char* dir : {"/usr/bin/ping", "/bin/ping", "/usr/sbin/ping", "/sbin/ping"})
        found = found || access(dir, X_OK) == 0;
    if (!found)
        GTEST_SKIP() << "ping (iputils-ping) is not installed";
    CSystemReachability reach;
    EXPECT_TRUE(reach.PingDevice("127.0.0.1"));
}

// Anything but a dotted address is refused before a command runs, so an option or a host name
// can never reach the ping's command line.
TEST(NetSystemReachability, RefusesTextsThatAreNotAddresses)
{
    CSystemReachability reach;
    for (const char* text : {"", "localhost", "-f", "127.0.0.1 -c 100", "127.0.0.1;true", "10.10.100"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(reach.PingDevice(text));
    }
}
