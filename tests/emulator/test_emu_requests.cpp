// Requests and the device's exact answers. Every frame here is written out by hand from the
// frame layout, its check byte worked out by hand, so the tests do not lean on the emulator's
// own frame code.
#include "EmuTestUtil.h"

#include <gtest/gtest.h>

namespace {

struct ExchangeCase {
    const char* name;
    const char* request;
    const char* reply;
};

// Answers of a device in its factory state.
const ExchangeCase kFactoryExchanges[] = {
    {"handshake", "91 91 91 EE A2 01 00 09 CC 00 00 00 08 00 00*8 6E AA",
     "91 91 91 EE 53 01 00 09 CC 00 00 00 01 00 00 96 AA"},
    {"version", "91 91 91 EE A2 01 00 09 04 00 00 00 08 00 00*8 A6 AA",
     "91 91 91 EE 53 01 00 09 04 00 00 00 0B 00 4D 50 45 4B 2D 51 4B 31 2E 30 30 6F AA"},
    {"state poll", "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA",
     "91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 00*30 46 AA"},
    {"name of stored scene 3 (blank)", "91 91 91 EE A2 01 03 09 00 00 00 00 08 00 00*8 A1 AA",
     "91 91 91 EE 53 01 03 09 00 00 00 00 10 00 20*15 00 68 AA"},
    {"name of the live scene (empty)", "91 91 91 EE A2 01 00 09 00 00 00 00 08 00 00*8 A2 AA",
     "91 91 91 EE 53 01 00 09 00 00 00 00 10 00 00*16 4B AA"},
    {"system 2: input source window", "91 91 91 EE A2 01 00 09 02 00 00 00 08 00 00*8 A0 AA",
     "91 91 91 EE 53 01 00 09 02 00 00 00 08 00 00 3C 00 00 00 00 00 01 6C AA"},
    {"system 5: master level window", "91 91 91 EE A2 01 00 09 05 00 00 00 08 00 00*8 A7 AA",
     "91 91 91 EE 53 01 00 09 05 00 00 00 08 00 3C 00 00 00 00 00 01 00 6B AA"},
    {"system 6: speaker types", "91 91 91 EE A2 01 00 09 06 00 00 00 08 00 00*8 A4 AA",
     "91 91 91 EE 53 01 00 09 06 00 00 00 08 00 01 07 02 08 03 09 0F 12 4E AA"},
    {"system 7: state record", "91 91 91 EE A2 01 00 09 07 00 00 00 08 00 00*8 A5 AA",
     "91 91 91 EE 53 01 00 09 07 00 00 00 08 00 00*8 54 AA"},
    {"system 8: check byte equal to the end byte", "91 91 91 EE A2 01 00 09 08 00 00 00 08 00 00*8 AA AA",
     "91 91 91 EE 53 01 00 09 08 00 00 00 08 00 00 00 03 00 FF 37 6C 03 FF AA"},
    {"system 52: scene in use", "91 91 91 EE A2 01 00 09 34 00 00 00 08 00 00*8 96 AA",
     "91 91 91 EE 53 01 00 09 34 00 00 00 01 00 00 6E AA"},
    {"system 64: mode table", "91 91 91 EE A2 01 00 09 40 00 00 00 08 00 00*8 E2 AA",
     "91 91 91 EE 53 01 00 09 40 00 00 00 52 00 00*82 49 AA"},
    {"live output 1, whole block",
     "91 91 91 EE A2 01 00 04 01 77 00 00 08 00 00*8 D9 AA",
     "91 91 91 EE 53 01 00 04 01 77 00 00 28 01"
     " E8 03 58 02 00 00 00 00 E8 03 58 02 00 00 00 00 E8 03 58 02 00 00 00 00"
     " E8 03 58 02 00 00 00 00 E8 03 58 02 00 00 00 00 E8 03 58 02 00 00 00 00"
     " E8 03 58 02 00 00 00 00 E8 03 58 02 00 00 00 00 E8 03 58 02 00 00 00 00"
     " 00*192 00 64 00 00 00 00 00 00 00 00 00 00 00 64 00 64 00*16 DC AA"},
    {"level record write", "91 91 91 EE A1 01 00 04 00 1F 00 00 08 00 01 00 58 02 00 00 00 01 E9 AA",
     "91 91 91 EE 51 01 00 04 00 1F 00 00 00 00 4B AA"},
    {"mix record write with link flag", "91 91 91 EE A1 01 00 04 01 21 01 00 08 00 0A 14 1E 28 32 3C 46 50 BD AA",
     "91 91 91 EE 51 01 00 04 01 21 01 00 00 00 75 AA"},
    {"music record write", "91 91 91 EE A1 01 00 03 05 22 00 00 08 00 01 02 03 04 05 06 07 08 84 AA",
     "91 91 91 EE 51 01 00 03 05 22 00 00 00 00 74 AA"},
    {"Wi-Fi reset", "91 91 91 EE A1 01 00 09 41 00 00 00 08 00 00*8 E0 AA",
     "91 91 91 EE 51 01 00 09 41 00 00 00 00 00 18 AA"},
    // Rejections.
    {"bad check byte", "91 91 91 EE A1 01 00 04 00 1F 00 00 08 00 01 00 58 02 00 00 00 01 E8 AA",
     "91 91 91 EE 52 01 00 04 00 1F 00 00 00 00 48 AA"},
    {"bad end byte", "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AB",
     "91 91 91 EE 52 01 00 09 03 00 00 00 00 00 59 AA"},
    {"unknown sub-command", "91 91 91 EE A2 01 00 09 10 00 00 00 08 00 00*8 B2 AA",
     "91 91 91 EE 52 01 00 09 10 00 00 00 00 00 4A AA"},
    {"output channel 10", "91 91 91 EE A1 01 00 04 0A 1F 00 00 08 00 00*8 B9 AA",
     "91 91 91 EE 52 01 00 04 0A 1F 00 00 00 00 42 AA"},
    {"scene 7", "91 91 91 EE A2 01 07 04 00 77 00 00 08 00 00*8 DF AA",
     "91 91 91 EE 52 01 07 04 00 77 00 00 00 00 27 AA"},
    {"write to the read-only state poll", "91 91 91 EE A1 01 00 09 03 00 00 00 08 00 00*8 A2 AA",
     "91 91 91 EE 52 01 00 09 03 00 00 00 00 00 59 AA"},
    {"output record 37", "91 91 91 EE A1 01 00 04 00 25 00 00 08 00 00*8 89 AA",
     "91 91 91 EE 52 01 00 04 00 25 00 00 00 00 72 AA"},
    {"block type 5", "91 91 91 EE A2 01 00 05 00 77 00 00 08 00 00*8 D9 AA",
     "91 91 91 EE 52 01 00 05 00 77 00 00 00 00 21 AA"},
    {"read of a single record", "91 91 91 EE A2 01 00 04 00 05 00 00 08 00 00*8 AA AA",
     "91 91 91 EE 52 01 00 04 00 05 00 00 00 00 52 AA"},
    {"scene select 7", "91 91 91 EE A1 01 00 09 34 00 00 00 01 00 07 9B AA",
     "91 91 91 EE 52 01 00 09 34 00 00 00 00 00 6E AA"},
    {"firmware step without a loader", "91 91 91 EE A1 01 00 09 36 00 00 00 10 00 00*16 8F AA",
     "91 91 91 EE 52 01 00 09 36 00 00 00 00 00 6C AA"},
};

TEST(EmuRequests, FactoryDeviceAnswersEachRequestExactly)
{
    for (const ExchangeCase& c : kFactoryExchanges) {
        SCOPED_TRACE(c.name);
        CDeviceEmulator emu;
        const std::vector<BYTE> reply = Exchange(emu, Hex(c.request));
        EXPECT_EQ(ToHex(reply), ToHex(Hex(c.reply)));
    }
}

// One device taking a run of requests: each write shows in the answers that follow.
TEST(EmuRequests, WritesShowInLaterReads)
{
    const ExchangeCase steps[] = {
        {"write system 5", "91 91 91 EE A1 01 00 09 05 00 00 00 08 00 50 00 01 00 00 00 00 00 F5 AA",
         "91 91 91 EE 51 01 00 09 05 00 00 00 00 00 5C AA"},
        {"read system 5", "91 91 91 EE A2 01 00 09 05 00 00 00 08 00 00*8 A7 AA",
         "91 91 91 EE 53 01 00 09 05 00 00 00 08 00 50 00 01 00 00 00 00 00 07 AA"},
        {"name stored scene 2", "91 91 91 EE A1 01 02 09 00 00 00 00 10 00 41 42 43 00*13 FB AA",
         "91 91 91 EE 51 01 02 09 00 00 00 00 00 00 5B AA"},
        {"read name of scene 2", "91 91 91 EE A2 01 02 09 00 00 00 00 08 00 00*8 A0 AA",
         "91 91 91 EE 53 01 02 09 00 00 00 00 10 00 41 42 43 00*13 09 AA"},
        {"select scene 3", "91 91 91 EE A1 01 00 09 34 00 00 00 01 00 03 9F AA",
         "91 91 91 EE 51 01 00 09 34 00 00 00 00 00 6D AA"},
        {"read scene in use", "91 91 91 EE A2 01 00 09 34 00 00 00 08 00 00*8 96 AA",
         "91 91 91 EE 53 01 00 09 34 00 00 00 01 00 03 6D AA"},
    };
    CDeviceEmulator emu;
    for (const ExchangeCase& c : steps) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToHex(Exchange(emu, Hex(c.request))), ToHex(Hex(c.reply)));
    }
    const std::vector<BYTE> stored2 = emu.GetScene(2);
    EXPECT_EQ(ToHex({stored2.begin(), stored2.begin() + 16}), ToHex(Hex("41 42 43 00*13")));
}

TEST(EmuRequests, OverlappingSystemWindowsKeepTheLaterWrite)
{
    CDeviceEmulator emu;
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A1 01 00 09 02 00 00 00 08 00 01 11 22 33 44 55 66 77 A2 AA"))),
              ToHex(Hex("91 91 91 EE 51 01 00 09 02 00 00 00 00 00 5B AA")));
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A1 01 00 09 05 00 00 00 08 00 AA BB CC DD EE FF 12 34 93 AA"))),
              ToHex(Hex("91 91 91 EE 51 01 00 09 05 00 00 00 00 00 5C AA")));
    const std::vector<BYTE> sys = emu.GetSystemBlock();
    EXPECT_EQ(ToHex({sys.begin() + 83, sys.begin() + 92}), ToHex(Hex("01 AA BB CC DD EE FF 12 34")));
    // The state poll follows the input source the host chose.
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA"))),
              ToHex(Hex("91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 01 00*29 47 AA")));
}

TEST(EmuRequests, WholeBlockGoesToTheStoredSceneAndRecallMakesItLive)
{
    CDeviceEmulator emu;
    const std::vector<BYTE> liveBefore = emu.GetScene(0);
    const char* block = "11 00*294 22";
    EXPECT_EQ(ToHex(Exchange(emu, Hex(std::string("91 91 91 EE A1 01 03 04 02 00 01 00 28 01 ") + block + " BE AA"))),
              ToHex(Hex("91 91 91 EE 51 01 03 04 02 00 01 00 00 00 54 AA")));
    const int at = 2024 + 2 * 296;
    std::vector<BYTE> stored3 = emu.GetScene(3);
    EXPECT_EQ(ToHex({stored3.begin() + at, stored3.begin() + at + 296}), ToHex(Hex(block)));
    EXPECT_EQ(emu.GetScene(0), liveBefore);

    // Record 0 with a stored scene is a recall: the answer carries the stored block.
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A2 01 03 04 02 00 00 00 08 00 00*8 AE AA"))),
              ToHex(Hex(std::string("91 91 91 EE 53 01 03 04 02 00 00 00 28 01 ") + block + " 4D AA")));
    const std::vector<BYTE> live = emu.GetScene(0);
    EXPECT_EQ(ToHex({live.begin() + at, live.begin() + at + 296}), ToHex(Hex(block)));
    EXPECT_EQ(ToHex({live.begin(), live.begin() + 16}), ToHex(Hex("20*15 00")));
    EXPECT_EQ(emu.GetSystemBlock()[108], 3);
    // Only the recalled block changed in the live scene.
    for (int i = 16; i < 4984; ++i) {
        if (i < at || i >= at + 296) {
            ASSERT_EQ(live[i], liveBefore[i]) << "live byte " << i;
        }
    }
}

TEST(EmuRequests, StoredBlockReadKeepsSceneAndRecord)
{
    CDeviceEmulator emu;
    std::vector<BYTE> img(4984, 0);
    img[2024 + 9 * 296] = 0x5A;
    ASSERT_TRUE(emu.SetScene(2, img));
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A2 01 02 04 09 77 00 00 08 00 00*8 D3 AA"))),
              ToHex(Hex("91 91 91 EE 53 01 02 04 09 77 00 00 28 01 5A 00*295 59 AA")));
    EXPECT_EQ(emu.GetSystemBlock()[108], 0);  // reading a stored scene is no recall
}

TEST(EmuRequests, FactoryResetRestoresStartValuesAndWifiResetIsCounted)
{
    CDeviceEmulator emu;
    const std::vector<BYTE> factoryLive = emu.GetScene(0);
    const std::vector<BYTE> factorySys = emu.GetSystemBlock();
    Exchange(emu, Hex("91 91 91 EE A1 01 00 09 05 00 00 00 08 00 50 00 01 00 00 00 00 00 F5 AA"));
    Exchange(emu, Hex("91 91 91 EE A1 01 00 04 00 1F 00 00 08 00 01 00 58 02 00 00 00 01 E9 AA"));
    ASSERT_NE(emu.GetSystemBlock(), factorySys);
    ASSERT_NE(emu.GetScene(0), factoryLive);

    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A1 01 00 09 60 00 00 00 08 00 00 00 3C 00 00 00 00 00 FD AA"))),
              ToHex(Hex("91 91 91 EE 51 01 00 09 60 00 00 00 00 00 39 AA")));
    EXPECT_EQ(emu.GetSystemBlock(), factorySys);
    EXPECT_EQ(emu.GetScene(0), factoryLive);

    EXPECT_EQ(emu.GetWifiResetCount(), 0);
    Exchange(emu, Hex("91 91 91 EE A1 01 00 09 41 00 00 00 08 00 00*8 E0 AA"));
    EXPECT_EQ(emu.GetWifiResetCount(), 1);
    EXPECT_TRUE(emu.TakeWifiRestart());
    EXPECT_FALSE(emu.TakeWifiRestart());
}

TEST(EmuRequests, FactoryStateHoldsTheStartValues)
{
    CDeviceEmulator emu;
    const std::vector<BYTE> sys = emu.GetSystemBlock();
    EXPECT_EQ(ToHex({sys.begin() + 82, sys.begin() + 124}),
              ToHex(Hex("00 00 3C 00 00 00 00 00 01 00 01 07 02 08 03 09 0F 12 00*8 00 00*7 00 00 03 00 FF 37 6C 03")));
    EXPECT_EQ(ToHex({sys.begin(), sys.begin() + 82}), ToHex(Hex("00*82")));

    const std::vector<BYTE> live = emu.GetScene(0);
    auto rec = [&](const std::vector<BYTE>& img, int block, int r) {
        return ToHex({img.begin() + block + r * 8, img.begin() + block + r * 8 + 8});
    };
    const std::string band = ToHex(Hex("E8 03 58 02 00 00 00 00"));
    const std::string zero = ToHex(Hex("00*8"));
    for (int c = 0; c < 6; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(rec(live, 296 + 288 * c, 30), band);
        EXPECT_EQ(rec(live, 296 + 288 * c, 31), ToHex(Hex("00 00 01 00 00 00 00 00")));
    }
    EXPECT_EQ(rec(live, 184, 8), band);
    EXPECT_EQ(rec(live, 184, 9), zero);
    EXPECT_EQ(rec(live, 32, 7), band);
    EXPECT_EQ(rec(live, 32, 8), zero);
    EXPECT_EQ(rec(live, 2024 + 296 * 9, 8), band);
    EXPECT_EQ(rec(live, 2024 + 296 * 9, 9), zero);
    EXPECT_EQ(rec(live, 2024 + 296 * 7, 33), ToHex(Hex("00 00 00 00 00 00 00 64")));
    EXPECT_EQ(rec(live, 2024 + 296 * 8, 33), zero);
    EXPECT_EQ(rec(live, 2024 + 296 * 8, 34), ToHex(Hex("00 00 00 00 64 00 64 00")));
    EXPECT_EQ(ToHex({live.begin(), live.begin() + 16}), ToHex(Hex("00*16")));
    for (int n = 1; n <= 6; ++n) {
        const std::vector<BYTE> stored = emu.GetScene(n);
        EXPECT_EQ(ToHex({stored.begin(), stored.begin() + 16}), ToHex(Hex("20*15 00"))) << "scene " << n;
        EXPECT_TRUE(std::equal(stored.begin() + 16, stored.end(), live.begin() + 16)) << "scene " << n;
    }
    EXPECT_TRUE(emu.GetScene(7).empty());
    EXPECT_FALSE(emu.SetScene(0, std::vector<BYTE>(100)));
}

}  // namespace
