// Finding and opening the processor: the identification filter, the in-use list shared by
// running copies of the program, closing, and the hidapi door on a machine without devices.
#include "Globals.h"
#include "HidapiBackend.h"
#include "SettingsStore.h"
#include "UsbTestBench.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kSecondPath = "/dev/hidraw-orvane-emu1";

bool IsClaimed(const std::string& path) { return SettingsStore::HasValue(g_pszUsbKey, path); }

// Another running copy of the program: its own engine, chosen path and device list.
struct OtherCopy {
    CKTVCommand command;
    CString path;
    std::vector<std::string> devices;
    CUsbLink link{command, path, devices};
};

// A second emulated processor beside the bench's.
struct SecondProcessor {
    explicit SecondProcessor(CUsbTestBench& bench)
    {
        hid.SetPath(kSecondPath);
        bench.backend.AddDevice(hid);
    }
    CDeviceEmulator emu;
    CEmuHidDevice hid{emu};
};

HidDeviceInfo Foreign(const char* path, WORD vendor, WORD product, WORD version)
{
    HidDeviceInfo info;
    info.path = path;
    info.vendorId = vendor;
    info.productId = product;
    info.version = version;
    return info;
}

TEST(UsbDevices, EnumerationKeepsOnlyTheProcessor)
{
    CUsbTestBench bench;
    bench.backend.AddForeignDevice(Foreign("/dev/hidraw-vendor", 0x046D, 0x5750, 0x0200));
    bench.backend.AddForeignDevice(Foreign("/dev/hidraw-product", 0x0483, 0x5751, 0x0200));
    bench.backend.AddForeignDevice(Foreign("/dev/hidraw-version", 0x0483, 0x5750, 0x0201));

    EXPECT_TRUE(bench.link->EnumHidDevices());
    EXPECT_EQ(g_arrUsbDevices, std::vector<std::string>{bench.hid.GetPath()});
}

TEST(UsbDevices, OnlyAProcessorIsOpenedOnArrival)
{
    struct Case {
        const char* name;
        WORD vendor, product, version;
        BOOL opened;
    };
    const Case cases[] = {
        {"the processor", 0x0483, 0x5750, 0x0200, TRUE},
        {"another maker", 0x046D, 0x5750, 0x0200, FALSE},
        {"another product", 0x0483, 0x5751, 0x0200, FALSE},
        {"another version", 0x0483, 0x5750, 0x0100, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUsbTestBench bench;
        bench.hid.SetIds(c.vendor, c.product, c.version);

        EXPECT_EQ(bench.link->OpenUsbPath(bench.hid.GetPath()), c.opened);
        EXPECT_EQ(bench.link->IsDeviceOpen(), c.opened != FALSE);
        EXPECT_EQ(bench.backend.GetOpenCount(), c.opened ? 1 : 0);
        EXPECT_EQ(IsClaimed(bench.hid.GetPath()), c.opened != FALSE);
        EXPECT_EQ(g_strUsbPath, c.opened ? bench.hid.GetPath() : "");
    }
}

TEST(UsbDevices, NoProcessorPresentEmptiesTheInUseList)
{
    CUsbTestBench bench;
    SettingsStore::SetString(g_pszUsbKey, "/dev/hidraw-left-behind", "0");
    g_bUsbOpen = 1;
    bench.hid.Unplug();

    EXPECT_FALSE(bench.link->EnumHidDevices());
    EXPECT_TRUE(g_arrUsbDevices.empty());
    EXPECT_TRUE(SettingsStore::ValueNames(g_pszUsbKey).empty());
    EXPECT_EQ(g_bUsbOpen, 0);
    EXPECT_FALSE(bench.link->ConnectUsb());
    EXPECT_TRUE(g_strUsbPath.empty());
    EXPECT_EQ(g_nLinkType, 0);
}

TEST(UsbDevices, CloseReleasesDeviceAndClaim)
{
    CUsbTestBench bench;
    ASSERT_TRUE(bench.link->ConnectUsb());
    const std::string path = g_strUsbPath;
    EXPECT_TRUE(IsClaimed(path));
    g_byUsbOutReport[5] = 7;
    g_byUsbInReport[9] = 7;

    EXPECT_TRUE(bench.link->CloseUsb());

    EXPECT_FALSE(bench.link->IsDeviceOpen());
    EXPECT_EQ(bench.backend.GetOpenCount(), 0);
    EXPECT_FALSE(IsClaimed(path));
    EXPECT_EQ(g_bUsbOpen, 0);
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_EQ(g_byUsbOutReport[5], 0);
    EXPECT_EQ(g_byUsbInReport[9], 0);
}

TEST(UsbDevices, ReopenFindsTheSameDeviceAgain)
{
    CUsbTestBench bench;
    ASSERT_TRUE(bench.link->ConnectUsb());
    const std::string path = g_strUsbPath;

    EXPECT_TRUE(bench.link->ReopenUsb());
    EXPECT_EQ(g_strUsbPath, path);
    EXPECT_EQ(bench.backend.GetOpenCount(), 1);
    EXPECT_TRUE(IsClaimed(path));
}

TEST(UsbInUse, SecondCopyIsKeptOffTheProcessorTheFirstHolds)
{
    CUsbTestBench bench;
    OtherCopy second;
    ASSERT_TRUE(bench.link->ConnectUsb());
    const std::string path = g_strUsbPath;

    EXPECT_FALSE(second.link.IsUsbPathFree(path));
    EXPECT_FALSE(second.link.ConnectUsb());
    EXPECT_TRUE(second.path.empty());
    EXPECT_FALSE(second.link.OpenUsbPath(path));
    EXPECT_EQ(bench.backend.GetOpenCount(), 1);

    // A copy releasing a path it never held leaves the holder's claim alone.
    second.path = path;
    second.link.UnregisterUsbPath();
    EXPECT_TRUE(IsClaimed(path));
    second.path.clear();

    bench.link->CloseUsb();
    EXPECT_FALSE(IsClaimed(path));
    EXPECT_TRUE(second.link.ConnectUsb());
    EXPECT_EQ(second.path, path);
}

TEST(UsbInUse, TwoCopiesTakeOneProcessorEach)
{
    CUsbTestBench bench;
    SecondProcessor other(bench);
    OtherCopy second;

    ASSERT_TRUE(bench.link->ConnectUsb());
    ASSERT_TRUE(second.link.ConnectUsb());
    EXPECT_EQ(g_strUsbPath, bench.hid.GetPath());
    EXPECT_EQ(second.path, kSecondPath);
    EXPECT_EQ(bench.backend.GetOpenCount(), 2);
    EXPECT_EQ(SettingsStore::ValueNames(g_pszUsbKey).size(), 2u);
    second.link.CloseUsb();
    bench.link->CloseUsb();
}

TEST(UsbInUse, ClaimDoesNotOutliveItsHolder)
{
    struct Case {
        const char* name;
        void (*leave)(CUsbLink& link);
    };
    const Case cases[] = {
        {"copy ends without closing", [](CUsbLink&) {}},
        {"chosen path emptied before the release", [](CUsbLink& link) {
             g_strUsbPath.clear();
             link.UnregisterUsbPath();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUsbTestBench bench;
        OtherCopy second;
        ASSERT_TRUE(bench.link->ConnectUsb());
        const std::string path = g_strUsbPath;

        c.leave(*bench.link);
        bench.link.reset();

        EXPECT_FALSE(IsClaimed(path));
        EXPECT_TRUE(second.link.ConnectUsb());
    }
}

// Claims as other copies leave them in the list: one in force keeps the device out, one whose
// holder is gone does not.
TEST(UsbInUse, ClaimOfACopyThatIsGoneDoesNotHoldTheDevice)
{
    std::string token;  // "<pid> <start> <number> <boot id>" of a holder that is gone now
    {
        CUsbInUseList probe;
        probe.Claim("/dev/hidraw-probe");
        token = SettingsStore::GetString(g_pszUsbKey, "/dev/hidraw-probe");
    }
    std::istringstream fields(token);
    std::string pid, start, number, boot;
    ASSERT_TRUE(fields >> pid >> start >> number >> boot) << token;

    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string parent = std::to_string(getppid());

    struct Case {
        const char* name;
        std::string data;
        bool free;
    };
    const Case cases[] = {
        {"no holder named", "0", false},
        {"another running copy", parent + " 0 1 " + boot, false},
        {"a copy that has ended", std::to_string(child) + " 12345 1 " + boot, true},
        {"a copy before the machine restarted", parent + " 0 1 another-boot", true},
        {"a link of this copy that is gone", token, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUsbTestBench bench;
        const std::string path = bench.hid.GetPath();
        SettingsStore::SetString(g_pszUsbKey, path, c.data);

        EXPECT_EQ(bench.link->IsUsbPathFree(path), c.free ? TRUE : FALSE);
        EXPECT_EQ(bench.link->ConnectUsb(), c.free ? TRUE : FALSE);
        EXPECT_EQ(SettingsStore::GetString(g_pszUsbKey, path) == c.data, !c.free) << "a free path is claimed anew";
    }
}

TEST(UsbHidapi, MissingDeviceDoesNotOpen)
{
    CHidapiBackend backend;
    EXPECT_EQ(backend.Open("/dev/hidraw-orvane-missing"), nullptr);
    for (const HidDeviceInfo& info : backend.Enumerate())
        EXPECT_FALSE(info.path.empty());
}

}  // namespace
