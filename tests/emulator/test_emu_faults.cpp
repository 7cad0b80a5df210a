// Faults on demand: lost, late, damaged, replaced and unasked answers, another version, a
// dropped connection, and the loader seam.
#include "EmuTestUtil.h"

#include "Clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const char* const kPoll = "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA";
const char* const kPollReply = "91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 00*30 46 AA";
const char* const kVersion = "91 91 91 EE A2 01 00 09 04 00 00 00 08 00 00*8 A6 AA";
const char* const kMasterWrite = "91 91 91 EE A1 01 00 09 05 00 00 00 08 00 50 00 01 00 00 00 00 00 F5 AA";

TEST(EmuFaults, DroppedAnswersAreMissingButTheRequestsAreCarriedOut)
{
    CDeviceEmulator emu;
    emu.DropReplies(2);
    EXPECT_TRUE(Exchange(emu, Hex(kMasterWrite)).empty());
    EXPECT_TRUE(Exchange(emu, Hex(kPoll)).empty());
    EXPECT_EQ(ToHex(Exchange(emu, Hex(kPoll))), ToHex(Hex(kPollReply)));
    EXPECT_EQ(emu.GetRequestCount(), 3u);
    EXPECT_EQ(emu.GetSystemBlock()[84], 0x50);
}

TEST(EmuFaults, LateAnswerComesOnlyWhenTheDeviceClockHasMoved)
{
    CFakeClock clock;
    CDeviceEmulator emu(&clock);
    emu.SetReplyDelayMs(500);
    EXPECT_TRUE(Exchange(emu, Hex(kPoll)).empty());
    EXPECT_EQ(emu.UsUntilReplyDue(), 500000);
    clock.Advance(499000);
    EXPECT_TRUE(TakeAll(emu).empty());
    BYTE buf[64];
    EXPECT_EQ(emu.WaitReply(buf, sizeof buf, 0), 0);
    clock.Advance(1000);
    EXPECT_EQ(ToHex(TakeAll(emu)), ToHex(Hex(kPollReply)));
    EXPECT_EQ(emu.UsUntilReplyDue(), -1);

    emu.SetReplyDelayMs(0);
    EXPECT_EQ(ToHex(Exchange(emu, Hex(kPoll))), ToHex(Hex(kPollReply)));
}

TEST(EmuFaults, WaitReplyReturnsALateAnswerOnceItIsDue)
{
    CFakeClock clock;
    CDeviceEmulator emu(&clock);
    emu.SetReplyDelayMs(3000);
    const std::vector<BYTE> req = Hex(kPoll);
    emu.Feed(req.data(), req.size());
    std::thread later([&] { clock.Advance(3000000); });
    BYTE buf[128];
    const int n = emu.WaitReply(buf, sizeof buf, -1);
    later.join();
    ASSERT_GT(n, 0);
    EXPECT_EQ(ToHex({buf, buf + n}), ToHex(Hex(kPollReply)));
}

TEST(EmuFaults, CorruptedCheckByteHitsOnlyTheNextAnswer)
{
    CDeviceEmulator emu;
    emu.CorruptNextReplies();
    EXPECT_EQ(ToHex(Exchange(emu, Hex(kPoll))),
              ToHex(Hex("91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 00*30 B9 AA")));
    EXPECT_EQ(ToHex(Exchange(emu, Hex(kPoll))), ToHex(Hex(kPollReply)));
}

TEST(EmuFaults, HandMadeAnswersReplaceTheDevicesOwnInTurn)
{
    // Bad answers the program must survive: wrong end byte, length 0xFFFF, channel 10,
    // scene 7, a payload shorter than its field.
    const std::vector<std::vector<BYTE>> bad = {
        Hex("91 91 91 EE 51 01 00 04 00 1F 00 00 00 00 4B AB"),
        Hex("91 91 91 EE 53 01 00 09 03 00 00 00 FF FF 00*4"),
        Hex("91 91 91 EE 53 01 00 04 0A 77 00 00 08 00 00*8 23 AA"),
        Hex("91 91 91 EE 53 01 07 04 00 77 00 00 08 00 00*8 2E AA"),
        Hex("91 91 91 EE 53 01 00 09 04 00 00 00 02 00 4D 50 40 AA"),
    };
    CDeviceEmulator emu;
    for (const auto& b : bad)
        emu.ReplaceNextReply(b);
    for (const auto& b : bad)
        EXPECT_EQ(ToHex(Exchange(emu, Hex(kPoll))), ToHex(b));
    EXPECT_EQ(ToHex(Exchange(emu, Hex(kPoll))), ToHex(Hex(kPollReply)));
}

TEST(EmuFaults, InjectedBytesGoOutAtOnceWithoutARequest)
{
    CFakeClock clock;
    CDeviceEmulator emu(&clock);
    emu.SetReplyDelayMs(1000);  // the delay holds answers, not injected bytes
    emu.InjectRaw(Hex("91 91 91 EE 52"));
    EXPECT_EQ(ToHex(TakeAll(emu)), ToHex(Hex("91 91 91 EE 52")));
    EXPECT_EQ(emu.GetRequestCount(), 0u);
}

TEST(EmuFaults, AnotherVersionIsReportedCutOrFilledToElevenCharacters)
{
    CDeviceEmulator emu;
    EXPECT_EQ(emu.GetVersion(), "MPEK-QK1.00");
    emu.SetVersion("MPEK-QK2.05");
    EXPECT_EQ(ToHex(Exchange(emu, Hex(kVersion))),
              ToHex(Hex("91 91 91 EE 53 01 00 09 04 00 00 00 0B 00 4D 50 45 4B 2D 51 4B 32 2E 30 35 69 AA")));
    emu.SetVersion("XY");
    EXPECT_EQ(emu.GetVersion(), "XY         ");
    emu.SetVersion("MPEK-QK1.00-extra");
    EXPECT_EQ(emu.GetVersion(), "MPEK-QK1.00");
}

TEST(EmuFaults, DropConnectionIsTakenOnceAndBreaksAWait)
{
    CDeviceEmulator emu;
    EXPECT_FALSE(emu.TakeDropRequest());
    std::thread dropper([&] {
        if (WaitForWaitingReader(emu))
            emu.DropConnection();
    });
    BYTE buf[64];
    EXPECT_EQ(emu.WaitReply(buf, sizeof buf, 30000), -1);
    dropper.join();
    EXPECT_TRUE(emu.TakeDropRequest());
    EXPECT_FALSE(emu.TakeDropRequest());
}

TEST(EmuFaults, WaitReplyTimesOutWhenNothingComes)
{
    CDeviceEmulator emu;
    BYTE buf[64];
    EXPECT_EQ(emu.WaitReply(buf, sizeof buf, 20), 0);
    bool cancel = true;
    EXPECT_EQ(emu.WaitReply(buf, sizeof buf, 1000, [&] { return cancel; }), -1);
}

// A loader plugged into the seam: answers firmware steps and sees the raw bytes.
class CEchoLoader : public IEmuFirmwareSide {
public:
    void OnRawBytes(const BYTE* data, size_t n) override { raw.insert(raw.end(), data, data + n); }
    CEmuOutcome OnFirmwareStep(const CEmuFrame& request) override
    {
        steps.push_back(request.Channel());
        CEmuOutcome out;
        out.reply = MakeEmuAck(request);
        out.bDropLink = request.Channel() == 0x36;  // restarts into the loader
        return out;
    }
    std::vector<BYTE> raw;
    std::vector<BYTE> steps;
};

TEST(EmuFaults, PluggedLoaderAnswersFirmwareStepsAndMayLeaveTheLink)
{
    CDeviceEmulator emu;
    CEchoLoader loader;
    emu.SetFirmwareSide(&loader);
    const std::vector<BYTE> entry = Hex("43 11 43 11");
    emu.Feed(entry.data(), entry.size());
    EXPECT_TRUE(TakeAll(emu).empty());
    EXPECT_EQ(ToHex(Exchange(emu, Hex("91 91 91 EE A1 01 00 09 36 00 00 00 10 00 00*16 8F AA"))),
              ToHex(Hex("91 91 91 EE 51 01 00 09 36 00 00 00 00 00 6F AA")));
    EXPECT_EQ(ToHex(loader.steps), ToHex(Hex("36")));
    EXPECT_EQ(loader.raw.size(), 4u + 32u);
    EXPECT_TRUE(emu.TakeDropRequest());
    emu.SetFirmwareSide(nullptr);
}

}  // namespace
