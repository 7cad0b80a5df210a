// The in-process HID door: 65-byte output reports in, 64-byte input reports out, frames longer
// than one report both ways, unplugging and plugging in again.
#include "EmuHidDevice.h"
#include "EmuTestUtil.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

namespace {

const char* const kPoll = "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA";
const char* const kPollReply = "91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 00*30 46 AA";
constexpr int kWaitMs = 10000;

// Cuts a frame into output reports as the program's transport does: report id 0, then up to
// 64 frame bytes, the last report zero-padded.
std::vector<std::array<BYTE, 65>> ToReports(const std::vector<BYTE>& frame)
{
    std::vector<std::array<BYTE, 65>> out;
    for (size_t pos = 0; pos < frame.size(); pos += 64) {
        std::array<BYTE, 65> r{};
        const size_t n = std::min<size_t>(64, frame.size() - pos);
        std::copy(frame.begin() + pos, frame.begin() + pos + n, r.begin() + 1);
        out.push_back(r);
    }
    return out;
}

TEST(EmuHid, ShortRequestAndAnswerTakeOneReportEach)
{
    CDeviceEmulator emu;
    CEmuHidDevice hid(emu);
    for (const auto& r : ToReports(Hex(kPoll)))
        ASSERT_EQ(hid.Write(r.data()), 65);
    BYTE in[64];
    ASSERT_EQ(hid.Read(in, kWaitMs), 64);
    std::vector<BYTE> expected = Hex(kPollReply);
    expected.resize(64, 0);
    EXPECT_EQ(ToHex({in, in + 64}), ToHex(expected));
    EXPECT_EQ(hid.Read(in, 0), 0);  // nothing more
}

TEST(EmuHid, LongFramesCrossSeveralReportsBothWays)
{
    CDeviceEmulator emu;
    CEmuHidDevice hid(emu);
    // A whole output block to stored scene 3: 312 bytes = five output reports.
    const std::vector<BYTE> write = Hex("91 91 91 EE A1 01 03 04 02 00 01 00 28 01 11 00*294 22 BE AA");
    const auto reports = ToReports(write);
    ASSERT_EQ(reports.size(), 5u);
    for (const auto& r : reports)
        ASSERT_EQ(hid.Write(r.data()), 65);
    BYTE in[64];
    ASSERT_EQ(hid.Read(in, kWaitMs), 64);
    EXPECT_EQ(ToHex({in, in + 16}), ToHex(Hex("91 91 91 EE 51 01 03 04 02 00 01 00 00 00 54 AA")));
    ASSERT_EQ(emu.GetRequestCount(), 1u);
    EXPECT_EQ(ToHex(emu.GetRequestLog()[0]), ToHex(write));
    ASSERT_EQ(hid.GetWrittenReports().size(), 5u);
    EXPECT_EQ(hid.GetWrittenReports()[4][56], 0xAA);  // last frame byte, then padding
    EXPECT_EQ(hid.GetWrittenReports()[4][57], 0x00);

    // Reading it back: a 312-byte answer comes as five input reports.
    const std::vector<BYTE> read = Hex("91 91 91 EE A2 01 03 04 02 77 00 00 08 00 00*8 D9 AA");
    std::vector<BYTE> expected = Hex("91 91 91 EE 53 01 03 04 02 77 00 00 28 01 11 00*294 22 3A AA");
    for (const auto& r : ToReports(read))
        ASSERT_EQ(hid.Write(r.data()), 65);
    std::vector<BYTE> got;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(hid.Read(in, kWaitMs), 64) << "report " << i;
        got.insert(got.end(), in, in + 64);
    }
    EXPECT_EQ(hid.Read(in, 0), 0);
    expected.resize(5 * 64, 0);
    EXPECT_EQ(ToHex(got), ToHex(expected));
}

TEST(EmuHid, EachReportCarriesOneAnswerOnly)
{
    CDeviceEmulator emu;
    CEmuHidDevice hid(emu);
    std::vector<BYTE> two = Hex(kPoll);
    const std::vector<BYTE> poll = Hex(kPoll);
    two.insert(two.end(), poll.begin(), poll.end());  // 48 bytes: both in one report
    for (const auto& r : ToReports(two))
        ASSERT_EQ(hid.Write(r.data()), 65);
    std::vector<BYTE> expected = Hex(kPollReply);
    expected.resize(64, 0);
    BYTE in[64];
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(hid.Read(in, kWaitMs), 64);
        EXPECT_EQ(ToHex({in, in + 64}), ToHex(expected)) << "answer " << i;
    }
}

TEST(EmuHid, UnplugFailsReadsAndWritesUntilPluggedAgain)
{
    CDeviceEmulator emu;
    CEmuHidDevice hid(emu);
    const auto reports = ToReports(Hex(kPoll));
    // An answer waiting in the device is lost with it.
    ASSERT_EQ(hid.Write(reports[0].data()), 65);
    hid.Unplug();
    EXPECT_FALSE(hid.IsPlugged());
    BYTE in[64];
    EXPECT_EQ(hid.Read(in, 0), -1);
    EXPECT_EQ(hid.Write(reports[0].data()), -1);

    hid.Plug();
    EXPECT_EQ(hid.Read(in, 0), 0);
    ASSERT_EQ(hid.Write(reports[0].data()), 65);
    ASSERT_EQ(hid.Read(in, kWaitMs), 64);
    EXPECT_EQ(ToHex({in, in + 46}), ToHex(Hex(kPollReply)));
}

TEST(EmuHid, UnplugEndsAWaitingRead)
{
    CDeviceEmulator emu;
    CEmuHidDevice hid(emu);
    int result = 1;
    std::thread reader([&] {
        BYTE in[64];
        result = hid.Read(in, 30000);  // a lost wake fails instead of hanging
    });
    EXPECT_TRUE(WaitForWaitingReader(emu));
    hid.Unplug();
    reader.join();
    EXPECT_EQ(result, -1);
}

TEST(EmuHid, DeviceDropUnplugs)
{
    CDeviceEmulator emu;
    CEmuHidDevice hid(emu);
    emu.DropConnection();
    BYTE in[64];
    EXPECT_EQ(hid.Read(in, kWaitMs), -1);
    EXPECT_FALSE(hid.IsPlugged());
}

TEST(EmuHid, IdentityIsTheProcessorsAndCanBeChanged)
{
    CDeviceEmulator emu;
    CEmuHidDevice hid(emu);
    EXPECT_EQ(hid.GetVendorId(), 0x0483);
    EXPECT_EQ(hid.GetProductId(), 0x5750);
    EXPECT_EQ(hid.GetVersionNumber(), 0x0200);
    EXPECT_FALSE(hid.GetPath().empty());
    hid.SetIds(0x0483, 0x5750, 0x0201);
    hid.SetPath("/dev/hidraw7");
    EXPECT_EQ(hid.GetVersionNumber(), 0x0201);
    EXPECT_EQ(hid.GetPath(), "/dev/hidraw7");
}

}  // namespace
