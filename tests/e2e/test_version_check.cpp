// The version answer decides whether the program talks to the device: the same product prefix
// and major digit go on to the full read whatever the minor digits; another major digit closes
// the link with the message of which versions fit; another product is dropped without a word.
#include "E2eRig.h"

#include "Globals.h"
#include "LinkGlobals.h"
#include "SettingsStore.h"
#include "UsbInUseList.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace e2e;

namespace {

struct VersionCase {
    const char* name;
    const char* version;
    int chinese;
    bool accepted;
    const char* text;  // null: no message
    int selector;
};

const VersionCase kCases[] = {
    {"same major, other minor", "MPEK-QK1.37", 0, true, nullptr, 0},
    {"newer device, English", "MPEK-QK2.05", 0, false,
     " If software version is lower than the device version, only the software at version, PPE4_JX2.01 to "
     "PPE4_JX2.99, can be connected with this device.",
     -5},
    {"older device, Chinese", "MPEK-QK0.99", 1, false,
     "设备版本比PC软件版本号低，只有版本号为“MPE4-JX1.01到MPE4-JX1.99”之间的设备才能和该版本的PC软件连接。", -4},
    {"newer device, Chinese", "MPEK-QK3.00", 1, false,
     "PC软件版本比设备版本号低，只有版本号为“PPE4-JX3.01到PPE4-JX3.99”之间的PC软件才能和该版本的设备连接。", -4},
    {"letter for the major digit counts as 0", "MPEK-QKx.00", 0, false,
     " If device version is lower than the software version, only the device at version, MPE4_JX1.01 to "
     "MPE4_JX1.99, can be connected with this software.",
     -5},
    {"another product", "ORVN-QK1.00", 0, false, nullptr, 0},
};

}  // namespace

TEST(VersionCheck, DecidesWhetherTheLinkStays)
{
    const std::vector<Frame> identify = {ExpectedConnectRequests()[0], ExpectedConnectRequests()[1]};
    for (const VersionCase& c : kCases) {
        SCOPED_TRACE(c.name);
        LinkRig rig(LinkRig::Door::Usb);
        rig.emu.SetVersion(c.version);
        g_bChinese = c.chinese;
        rig.Start();
        if (c.accepted) {
            ASSERT_TRUE(rig.WaitConnected());
            ExpectConnectSequence(rig);
            EXPECT_TRUE(rig.messages.Shown().empty());
            continue;
        }
        ASSERT_TRUE(PumpUntil([] {
            CSingleLock lock(g_csComm);
            return std::strcmp(g_szDeviceVersion, "           ") == 0;
        }));
        PumpFor(200);
        EXPECT_FALSE(rig.view->IsLinked());
        EXPECT_EQ(g_nLinkType, 0);
        EXPECT_EQ(g_bOnline, 0);
        EXPECT_EQ(rig.QueuedCount(), 0);
        EXPECT_FALSE(rig.view->GetCommWorker().HasThread());
        EXPECT_FALSE(SettingsStore::HasValue(g_pszUsbKey, rig.hid->GetPath()));
        // Only the identify pair (and idle polls) ever went out: no full read.
        EXPECT_EQ(rig.RequestsWithoutPolls(), identify);
        std::vector<ShownMessage> expected;
        if (c.text)
            expected.push_back({c.text, c.selector});
        EXPECT_EQ(rig.messages.Shown(), expected);
    }
}
