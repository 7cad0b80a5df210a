// Device arrival and removal found by comparing enumerations.
#include "FakeHidBackend.h"
#include "HidHotplugWatcher.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Paths(const std::vector<HidDeviceInfo>& list)
{
    std::vector<std::string> out;
    for (const HidDeviceInfo& d : list)
        out.push_back(d.path);
    return out;
}

HidDeviceInfo Keyboard()
{
    HidDeviceInfo info;
    info.path = "/dev/hidraw-keyboard";
    info.vendorId = 0x046D;
    info.productId = 0xC31C;
    info.version = 0x6400;
    return info;
}

TEST(UsbHotplug, ReportsWhatCameAndWentSinceTheLastLook)
{
    CDeviceEmulator emu;
    CEmuHidDevice processor(emu);
    CFakeHidBackend backend;
    backend.AddDevice(processor);
    CHidHotplugWatcher watcher(backend);

    EXPECT_TRUE(watcher.Poll().Empty()) << "devices present at the start are no arrivals";
    EXPECT_TRUE(watcher.Poll().Empty());

    processor.Unplug();
    HidHotplugChanges changes = watcher.Poll();
    EXPECT_TRUE(changes.arrived.empty());
    EXPECT_EQ(changes.removed, std::vector<std::string>{processor.GetPath()});

    processor.Plug();
    backend.AddForeignDevice(Keyboard());
    changes = watcher.Poll();
    EXPECT_TRUE(changes.removed.empty());
    ASSERT_EQ(Paths(changes.arrived), (std::vector<std::string>{processor.GetPath(), Keyboard().path}));
    EXPECT_TRUE(IsProcessorDevice(changes.arrived[0]));
    EXPECT_FALSE(IsProcessorDevice(changes.arrived[1])) << "an arrival reports any HID device";

    // The same path with other ids is another device: it left and one came.
    processor.SetIds(0x0483, 0x5750, 0x0100);
    changes = watcher.Poll();
    EXPECT_EQ(changes.removed, std::vector<std::string>{processor.GetPath()});
    ASSERT_EQ(changes.arrived.size(), 1u);
    EXPECT_FALSE(IsProcessorDevice(changes.arrived[0]));

    backend.RemoveForeignDevice(Keyboard().path);
    changes = watcher.Poll();
    EXPECT_EQ(changes.removed, std::vector<std::string>{Keyboard().path});
    EXPECT_TRUE(changes.arrived.empty());

    watcher.Reset();
    EXPECT_TRUE(watcher.Poll().Empty()) << "after a reset the watcher takes stock again";
}

}  // namespace
