// The COM-port list: records made from the machine's ports, busy ports left out on request,
// and the machine's own list, which never holds a pseudo-terminal.
#include "ComPortEnum.h"
#include "DeviceEmulator.h"
#include "EmuPtyDoor.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* path;
    const char* name;
    const char* display;
    BOOL usb;
    const char* description;
};

void ExpectRecords(const std::vector<ComPortInfo>& list, const std::vector<Expected>& expected)
{
    ASSERT_EQ(list.size(), expected.size());
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(expected[i].path);
        EXPECT_EQ(list[i].strDevPath, expected[i].path);
        EXPECT_EQ(list[i].strPortName, expected[i].name);
        EXPECT_EQ(list[i].strFriendlyName, expected[i].display);
        EXPECT_EQ(list[i].bUsbDevice, expected[i].usb);
        EXPECT_EQ(list[i].strPortDesc, expected[i].description);
    }
}

const std::vector<SerialPortEntry> kPorts = {
    {"ttyS0", "/dev/ttyS0", "", "", false},
    {"ttyUSB0", "/dev/ttyUSB0", "CP2102 bridge", "Silicon Labs", true},
    {"ttyACM0", "/dev/ttyACM0", "USB modem", "", false},
    {"odd (x)", "/dev/odd", "", "", false},
};

}  // namespace

TEST(ComPortList, RecordsTakeNameDescriptionAndUsbFlag)
{
    std::vector<ComPortInfo> list(3);  // emptied first
    EnumComPortsFrom(kPorts, list, FALSE, [](const CString&) {
        ADD_FAILURE() << "ports are opened only to leave busy ones out";
        return true;
    });
    ExpectRecords(list, {{"/dev/ttyS0", "ttyS0", "ttyS0", FALSE, "ttyS0"},
                         {"/dev/ttyUSB0", "ttyUSB0", "ttyUSB0", TRUE, "CP2102 bridge"},
                         {"/dev/ttyACM0", "ttyACM0", "ttyACM0", TRUE, "USB modem"},
                         // A display name ending in " (...)" gives the description without it.
                         {"/dev/odd", "odd (x)", "odd (x)", FALSE, "odd"}});
}

TEST(ComPortList, BusyPortsAreLeftOutOnlyWhenAsked)
{
    const auto canOpen = [](const CString& path) { return path != "/dev/ttyUSB0"; };
    std::vector<ComPortInfo> list;
    EnumComPortsFrom(kPorts, list, TRUE, canOpen);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].strDevPath, "/dev/ttyACM0");
    EnumComPortsFrom(kPorts, list, FALSE, canOpen);
    EXPECT_EQ(list.size(), 4u);
    EnumComPortsFrom({}, list, TRUE, canOpen);
    EXPECT_TRUE(list.empty());
}

TEST(ComPortList, MachineListNeverHoldsAPseudoTerminal)
{
    CDeviceEmulator emu;
    CEmuPtyDoor door(emu);
    ASSERT_TRUE(door.Start());
    std::vector<ComPortInfo> list;
    EnumComPorts(list, FALSE);
    for (const ComPortInfo& port : list) {
        EXPECT_EQ(port.strDevPath.rfind("/dev/", 0), 0u) << port.strDevPath;
        EXPECT_NE(port.strDevPath, door.GetSlavePath());
        EXPECT_FALSE(port.strFriendlyName.empty());
    }
}
