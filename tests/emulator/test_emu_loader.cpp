// The emulated firmware loader: the entry report, apply and the restart into the loader, the DSP
// blocks and their addresses, the controller body and the end check, the faults, and the HID
// door leaving the bus while the device restarts.
#include "EmuHidDevice.h"
#include "EmuLoader.h"
#include "EmuTestUtil.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<BYTE>;

// A firmware step as the program sends it: write, address 1, scene 0, block type 9.
Bytes Step(BYTE step, const Bytes& payload)
{
    const BYTE fields[8] = {0xA1, 0x01, 0x00, 0x09, step, 0x00, 0x00, 0x00};
    return MakeEmuFrame(fields, payload.data(), payload.size());
}

// The loader-entry report as the host sends it: report id 0, then pairs 'C', 0x11.
Bytes EntryReport(int pairs)
{
    Bytes b{0x00};
    for (int i = 0; i < pairs; ++i) {
        b.push_back('C');
        b.push_back(0x11);
    }
    return b;
}

Bytes Le32(DWORD v) { return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)}; }

// The reply code of the device's answer, 0 when it stayed silent.
BYTE Code(const Bytes& reply) { return reply.size() > 4 ? reply[4] : 0; }

Bytes DspBlock(DWORD address, BYTE seed)
{
    Bytes p = Le32(address);
    for (int i = 0; i < 44; ++i)
        p.push_back(BYTE(seed + i));
    return p;
}

class EmuLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { emu.SetFirmwareSide(&loader); }
    void TearDown() override { emu.SetFirmwareSide(nullptr); }

    BYTE Send(BYTE step, const Bytes& payload = Bytes(16, 0)) { return Code(Exchange(emu, Step(step, payload))); }
    // Entry report and apply: the loader runs; the restart's drop is taken.
    void EnterLoader()
    {
        Exchange(emu, EntryReport(32));
        ASSERT_EQ(Send(0x36), 0x51);
        ASSERT_EQ(loader.GetMode(), CEmuLoader::EMode::Loader);
        emu.TakeDropRequest();
        emu.TakeRestartDueUs();
    }

    CFakeClock clock;
    CDeviceEmulator emu{&clock};
    CEmuLoader loader;
};

TEST_F(EmuLoaderTest, ApplyNeedsTheEntryReportAndRestartsOnce)
{
    // Without the entry, or with too short a run of pairs, apply is refused.
    EXPECT_EQ(Send(0x36), 0x52);
    Exchange(emu, EntryReport(7));
    EXPECT_EQ(Send(0x36), 0x52);
    EXPECT_FALSE(emu.TakeDropRequest());

    // The report may come cut anywhere.
    const Bytes entry = EntryReport(32);
    emu.Feed(entry.data(), 5);
    emu.Feed(entry.data() + 5, entry.size() - 5);
    EXPECT_EQ(loader.GetMode(), CEmuLoader::EMode::EntryAsked);
    const Bytes ack = Exchange(emu, Step(0x36, Bytes(16, 0)));
    EXPECT_EQ(ToHex(ack), ToHex(Hex("91 91 91 EE 51 01 00 09 36 00 00 00 00 00 6F AA")));
    // The answer went out first, then the device restarts for 1000 ms.
    EXPECT_TRUE(emu.TakeDropRequest());
    EXPECT_EQ(emu.TakeRestartDueUs(), clock.NowUs() + 1000 * 1000);

    // Inside the loader apply is answered again without a second restart.
    EXPECT_EQ(Send(0x36), 0x51);
    EXPECT_FALSE(emu.TakeDropRequest());
}

TEST_F(EmuLoaderTest, StepsOutsideTheLoaderAreRejected)
{
    Exchange(emu, EntryReport(32));
    for (BYTE step : {0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C}) {
        SCOPED_TRACE(int(step));
        EXPECT_EQ(Send(step, Bytes(step == 0x37 ? 4 : step == 0x39 ? 1 : 48, 0)), 0x52);
    }
}

TEST_F(EmuLoaderTest, DspImageComesInAddressedBlocksAndEndsWithItsCheck)
{
    EnterLoader();
    ASSERT_EQ(Send(0x3A), 0x51);
    // A block out of order is refused and changes nothing.
    EXPECT_EQ(Send(0x3B, DspBlock(44, 1)), 0x52);
    BYTE check = 0x12;
    DWORD address = 0;
    for (int block = 0; block < 5958; ++block, address += 44) {
        const Bytes payload = DspBlock(address, BYTE(block));
        ASSERT_EQ(Send(0x3B, payload), 0x51) << block;
        const int take = block < 5957 ? 44 : 35;  // the last block holds the image's last 35 bytes
        for (int i = 0; i < take; ++i)
            check ^= payload[size_t(4 + i)];
    }
    EXPECT_EQ(Send(0x3B, DspBlock(address, 0)), 0x52) << "nothing after the image";
    const Bytes image = loader.GetDspImage();
    ASSERT_EQ(image.size(), size_t(0x3FFFF));
    EXPECT_EQ(image[0], 0);
    EXPECT_EQ(image[44], 1);
    EXPECT_EQ(image[0x3FFFE], BYTE(5957 + 34));

    EXPECT_EQ(Send(0x39, {BYTE(check ^ 1)}), 0x52);
    EXPECT_EQ(loader.GetUpdateCount(), 0);
    EXPECT_EQ(Send(0x39, {check}), 0x51);
    EXPECT_EQ(loader.GetMode(), CEmuLoader::EMode::Updated);
    EXPECT_EQ(loader.GetUpdateCount(), 1);
}

TEST_F(EmuLoaderTest, ControllerCheckCoversTheBodyLengthOfTheStartRecordOnly)
{
    struct Case {
        const char* name;
        int length;     // the start record
        int blocks;     // 48-byte data steps sent
        bool goodCheck;
        BYTE expected;
    };
    const Case cases[] = {
        {"whole body, fill not counted", 50, 2, true, 0x51},
        {"wrong check byte", 50, 2, false, 0x52},
        {"body shorter than its record", 97, 2, true, 0x52},
        {"empty body", 0, 0, true, 0x52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnterLoader();
        ASSERT_EQ(Send(0x37, Le32(DWORD(c.length))), 0x51);
        BYTE check = 0x12;
        for (int b = 0; b < c.blocks; ++b) {
            Bytes data(48, 0xFF);
            for (int i = 0; i < 48 && b * 48 + i < c.length; ++i) {
                data[size_t(i)] = BYTE(b * 48 + i + 3);
                check ^= data[size_t(i)];
            }
            ASSERT_EQ(Send(0x38, data), 0x51);
        }
        EXPECT_EQ(Send(0x39, {BYTE(c.goodCheck ? check : check ^ 0x80)}), c.expected);
        EXPECT_EQ(loader.GetMcuBody().size(), size_t(c.blocks * 48));
    }
}

TEST_F(EmuLoaderTest, FaultsFireAtTheirStepOnce)
{
    EnterLoader();
    loader.AddFault(0x3A, 1, CEmuLoader::EFault::Reject);
    loader.AddFault(0x3A, 2, CEmuLoader::EFault::Silent);
    loader.AddFault(0x3A, 3, CEmuLoader::EFault::DropLink);
    EXPECT_EQ(Send(0x3A), 0x52);
    EXPECT_EQ(Send(0x3A), 0);
    EXPECT_EQ(Send(0x3A), 0);
    EXPECT_TRUE(emu.TakeDropRequest());
    EXPECT_EQ(emu.TakeRestartDueUs(), -1) << "a dropped link is no restart";
    EXPECT_EQ(Send(0x3A), 0x51);
    EXPECT_EQ(loader.GetStepCount(0x3A), 4);
}

TEST_F(EmuLoaderTest, HidDeviceLeavesAfterTheApplyAnswerAndReturnsWhenRestarted)
{
    CEmuHidDevice hid(emu);
    const Bytes entry = EntryReport(32);
    ASSERT_EQ(hid.Write(entry.data()), 65);
    Bytes report(65, 0);
    const Bytes apply = Step(0x36, Bytes(16, 0));
    std::copy(apply.begin(), apply.end(), report.begin() + 1);
    ASSERT_EQ(hid.Write(report.data()), 65);

    BYTE in[64];
    ASSERT_EQ(hid.Read(in, 0), 64);
    EXPECT_EQ(in[4], 0x51);
    EXPECT_EQ(in[8], 0x36);
    // Gone as soon as the answer was read.
    EXPECT_FALSE(hid.IsPlugged());
    EXPECT_EQ(hid.Write(report.data()), -1);
    clock.Advance(999 * 1000);
    EXPECT_FALSE(hid.IsPlugged());
    clock.Advance(1000);
    EXPECT_TRUE(hid.IsPlugged());
    EXPECT_EQ(loader.GetMode(), CEmuLoader::EMode::Loader) << "the loader runs after the restart";
}

TEST_F(EmuLoaderTest, HidDeviceUnpluggedByHandDuringARestartStaysOut)
{
    CEmuHidDevice hid(emu);
    Exchange(emu, EntryReport(32));
    Bytes report(65, 0);
    const Bytes apply = Step(0x36, Bytes(16, 0));
    std::copy(apply.begin(), apply.end(), report.begin() + 1);
    ASSERT_EQ(hid.Write(report.data()), 65);
    BYTE in[64];
    ASSERT_EQ(hid.Read(in, 0), 64);
    hid.Unplug();
    clock.Advance(2000 * 1000);
    EXPECT_FALSE(hid.IsPlugged());
    hid.Plug();
    EXPECT_TRUE(hid.IsPlugged());
}

}  // namespace
