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

// Pure data for the rule: every address lies in the loopback range, so nothing here could
// reach another host even if it were used to connect.
const char* const kDevice = "127.10.100.254";

const SubnetCase kSubnetCases[] = {
    {"127.10.100.15", "255.255.255.0", kDevice, TRUE},
    {"127.10.5.3", "255.255.0.0", kDevice, TRUE},
    {"127.168.1.4", "255.255.255.0", kDevice, FALSE},
    {"127.10.101.15", "255.255.255.0", kDevice, FALSE},
    // Octets of a partial mask byte are not compared: 255.255.254.0 checks two octets.
    {"127.10.101.15", "255.255.254.0", kDevice, TRUE},
    {"127.11.100.15", "255.255.254.0", kDevice, FALSE},
    // A mask without any 255 octet matches nothing.
    {"127.10.100.15", "0.0.0.0", kDevice, FALSE},
    {"127.10.100.15", "255.255.255.255", kDevice, FALSE},
    {kDevice, "255.255.255.255", kDevice, TRUE},
    // Only the octets under 255 count, wherever they are.
    {"127.1.2.3", "0.0.255.0", "127.9.2.8", TRUE},
    {"127.0.0.1", "255.0.0.0", "127.0.0.1", TRUE},
    {"127.0.0.1", "255.255.0.0", kDevice, FALSE},
    // Texts that are not dotted addresses never match.
    {"127.10.100.15", "255.255.255.0", "", FALSE},
    {"127.10.100.15", "255.255.255.0", "127.10.100", FALSE},
    {"127.10.100.15", "255.255.255.0", "127.10.100.254x", FALSE},
    {"", "255.255.255.0", kDevice, FALSE},
    {"127.10.100.15", "", kDevice, FALSE},
    {"127.10.100.15", "255.255.255.0.0", kDevice, FALSE},
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
        {"127.0.0.1", "255.255.0.0"},
        {"127.168.1.4", "255.255.255.0"},
        {"127.10.100.15", "255.255.255.0"},
    };
    EXPECT_TRUE(FindDeviceAdapter(adapters, kDevice));
    EXPECT_TRUE(FindDeviceAdapter(adapters, "127.168.1.200"));
    EXPECT_FALSE(FindDeviceAdapter(adapters, "127.16.0.1"));
    EXPECT_FALSE(FindDeviceAdapter({}, kDevice));
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
    for (const char* text : {"", "localhost", "-f", "127.0.0.1 -c 100", "127.0.0.1;true", "127.0.0"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(reach.PingDevice(text));
    }
}

// Every test program runs with ORVANE_LOOPBACK_ONLY set (TestEnv): the socket and the ping then
// refuse any address outside 127.0.0.0/8. Checked on the pure rule only, never by trying.
TEST(NetSafety, TestsMayContactTheLoopbackRangeOnly)
{
    ASSERT_TRUE(IsLoopbackOnlyMode());
    EXPECT_TRUE(MayContactAddress("127.0.0.1"));
    EXPECT_TRUE(MayContactAddress("127.10.100.254"));
    EXPECT_FALSE(MayContactAddress("192.0.2.1"));  // a documentation address
    EXPECT_FALSE(MayContactAddress("0.0.0.0"));
    EXPECT_FALSE(MayContactAddress("not an address"));
    EXPECT_TRUE(IsLoopbackIpv4("127.255.255.255"));
    EXPECT_FALSE(IsLoopbackIpv4("128.0.0.1"));
}
