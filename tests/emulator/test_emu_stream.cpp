// Requests arriving cut anywhere, joined, behind garbage, or with a length the device cannot
// hold; and the request log that end-to-end tests compare against.
#include "EmuTestUtil.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const char* const kPoll = "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA";
const char* const kPollReply = "91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 00*30 46 AA";
const char* const kHandshake = "91 91 91 EE A2 01 00 09 CC 00 00 00 08 00 00*8 6E AA";
const char* const kHandshakeReply = "91 91 91 EE 53 01 00 09 CC 00 00 00 01 00 00 96 AA";

TEST(EmuStream, RequestFedOneByteAtATimeIsAnsweredOnceWhenComplete)
{
    CDeviceEmulator emu;
    const std::vector<BYTE> req = Hex(kPoll);
    for (size_t i = 0; i + 1 < req.size(); ++i) {
        emu.Feed(&req[i], 1);
        ASSERT_TRUE(TakeAll(emu).empty()) << "answered after byte " << i;
    }
    emu.Feed(&req.back(), 1);
    EXPECT_EQ(ToHex(TakeAll(emu)), ToHex(Hex(kPollReply)));
}

TEST(EmuStream, TwoRequestsInOneWriteAreBothAnsweredInOrder)
{
    CDeviceEmulator emu;
    std::vector<BYTE> both = Hex(kHandshake);
    const std::vector<BYTE> poll = Hex(kPoll);
    both.insert(both.end(), poll.begin(), poll.end());
    emu.Feed(both.data(), both.size());
    BYTE buf[256];
    // Each take returns one answer only.
    const size_t n1 = emu.TakeReply(buf, sizeof buf);
    EXPECT_EQ(ToHex({buf, buf + n1}), ToHex(Hex(kHandshakeReply)));
    const size_t n2 = emu.TakeReply(buf, sizeof buf);
    EXPECT_EQ(ToHex({buf, buf + n2}), ToHex(Hex(kPollReply)));
    EXPECT_EQ(emu.TakeReply(buf, sizeof buf), 0u);
}

TEST(EmuStream, GarbageAndPaddingAroundRequestsAreSkipped)
{
    struct Case {
        const char* name;
        const char* before;
    };
    const Case cases[] = {
        {"noise", "00 FF 13 AA"},
        {"broken preamble", "91 91 EE 91 EE 91 12"},
        {"four 0x91 before the sync", "91"},
        {"zero padding of a previous report", "00*40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDeviceEmulator emu;
        std::vector<BYTE> bytes = Hex(c.before);
        const std::vector<BYTE> req = Hex(kPoll);
        bytes.insert(bytes.end(), req.begin(), req.end());
        bytes.insert(bytes.end(), 40, 0);
        emu.Feed(bytes.data(), bytes.size());
        EXPECT_EQ(ToHex(TakeAll(emu)), ToHex(Hex(kPollReply)));
        ASSERT_EQ(emu.GetRequestCount(), 1u);
        EXPECT_EQ(ToHex(emu.GetRequestLog()[0]), ToHex(req));
    }
}

TEST(EmuStream, PreambleInsideAPayloadDoesNotRestartTheFrame)
{
    CDeviceEmulator emu;
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A1 01 00 09 05 00 00 00 08 00 91 91 91 EE 00 00 00 00 DB AA"))),
              ToHex(Hex("91 91 91 EE 51 01 00 09 05 00 00 00 00 00 5C AA")));
    const std::vector<BYTE> sys = emu.GetSystemBlock();
    EXPECT_EQ(ToHex({sys.begin() + 84, sys.begin() + 92}), ToHex(Hex("91 91 91 EE 00 00 00 00")));
}

TEST(EmuStream, OverlongLengthIsRejectedAtOnceAndTheNextRequestIsServed)
{
    CDeviceEmulator emu;
    // Declared length 0xFFFF: the device answers 'R' after the header instead of waiting.
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A2 01 00 09 03 00 00 00 FF FF"))),
              ToHex(Hex("91 91 91 EE 52 01 00 09 03 00 00 00 00 00 59 AA")));
    EXPECT_EQ(ToHex(Exchange(emu, Hex(std::string("00*8 ") + kPoll))), ToHex(Hex(kPollReply)));
    // Only complete requests are logged.
    ASSERT_EQ(emu.GetRequestCount(), 1u);
}

TEST(EmuStream, RejectedRequestsAreLoggedByteForByte)
{
    CDeviceEmulator emu;
    const std::vector<BYTE> bad = Hex("91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A0 AA");
    const std::vector<BYTE> good = Hex(kHandshake);
    emu.Feed(bad.data(), bad.size());
    emu.Feed(good.data(), 5);
    emu.Feed(good.data() + 5, good.size() - 5);
    const auto log = emu.GetRequestLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(ToHex(log[0]), ToHex(bad));
    EXPECT_EQ(ToHex(log[1]), ToHex(good));
    emu.ClearRequestLog();
    EXPECT_EQ(emu.GetRequestCount(), 0u);
    emu.EnableRequestLog(false);
    EXPECT_FALSE(Exchange(emu, good).empty());
    EXPECT_EQ(emu.GetRequestCount(), 0u);
}

TEST(EmuStream, ResetStreamForgetsAPartialRequestAndUndeliveredAnswers)
{
    CDeviceEmulator emu;
    const std::vector<BYTE> req = Hex(kPoll);
    emu.Feed(req.data(), req.size());          // answered, not taken
    emu.Feed(req.data(), 10);                  // half of the next one
    emu.ResetStream();
    EXPECT_TRUE(TakeAll(emu).empty());
    emu.Feed(req.data() + 10, req.size() - 10);  // the rest alone is garbage now
    EXPECT_TRUE(TakeAll(emu).empty());
    EXPECT_EQ(ToHex(Exchange(emu, req)), ToHex(Hex(kPollReply)));
}

TEST(EmuStream, WaitForRequestsSeesRequestsFedByAnotherThread)
{
    CDeviceEmulator emu;
    EXPECT_FALSE(emu.WaitForRequests(1, 0));
    const std::vector<BYTE> req = Hex(kPoll);
    std::thread host([&] {
        emu.Feed(req.data(), req.size());
        emu.Feed(req.data(), req.size());
    });
    EXPECT_TRUE(emu.WaitForRequests(2, 10000));
    host.join();
    EXPECT_EQ(emu.GetRequestCount(), 2u);
}

}  // namespace
