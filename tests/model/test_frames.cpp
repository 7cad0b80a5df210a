// Frames built from the scene images and the system block, byte for byte, and the requests
// that carry them cut into HID reports.
#include "CSendData.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Hex bytes separated by blanks; "00*8" repeats a byte, "[E8 03]*9" repeats a group.
std::vector<BYTE> Hex(const std::string& text)
{
    std::vector<BYTE> out;
    static const std::regex token(R"(\[([^\]]*)\]\*(\d+)|([0-9A-Fa-f]{2})(?:\*(\d+))?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), token); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            const std::vector<BYTE> group = Hex(m[1].str());
            for (int i = 0; i < std::stoi(m[2].str()); ++i)
                out.insert(out.end(), group.begin(), group.end());
        } else {
            const int count = m[4].matched ? std::stoi(m[4].str()) : 1;
            out.insert(out.end(), size_t(count), BYTE(std::stoi(m[3].str(), nullptr, 16)));
        }
    }
    return out;
}

std::string ToHex(const BYTE* p, int n)
{
    std::ostringstream s;
    for (int i = 0; i < n; ++i) {
        static const char digits[] = "0123456789ABCDEF";
        s << (i ? " " : "") << digits[p[i] >> 4] << digits[p[i] & 15];
    }
    return s.str();
}

void ResetModel()
{
    InitAllData();
    for (int i = 0; i < LINK_CHANNELS; ++i)
        g_nLinkGroup[i] = i;
    g_bSceneModified = 0;
}

void LinkOutputs2And3() { g_nLinkGroup[3] = g_nLinkGroup[2]; }

struct FrameCase {
    const char* name;
    std::function<void()> prepare;
    std::function<std::unique_ptr<CSendData>()> build;
    const char* expected;
};

const std::function<void()> kNothing = [] {};

}  // namespace

TEST(FrameBuilderTest, FramesAreByteExact)
{
    const std::vector<FrameCase> cases = {
        // Output records: link flag only on bands, crossover and mix A of a linked output.
        {"level record of output 0",
         [] { std::memcpy(g_Scene + 2024 + 248, "\x01\x00\x58\x02\x00\x00\x00\x01", 8); },
         [] { return BuildBlockPacket(4, 0, 31); },
         "91 91 91 EE A1 01 00 04 00 1F 00 00 08 00 01 00 58 02 00 00 00 01 E9 AA"},
        {"level record of linked output 3", LinkOutputs2And3, [] { return BuildBlockPacket(4, 3, 31); },
         "91 91 91 EE A1 01 00 04 03 1F 00 00 08 00 00*8 B0 AA"},
        {"band 5 of linked output 3", LinkOutputs2And3, [] { return BuildBlockPacket(4, 3, 5); },
         "91 91 91 EE A1 01 00 04 03 05 01 00 08 00 E8 03 58 02 00 00 00 00 1A AA"},
        {"crossover of linked output 3", LinkOutputs2And3, [] { return BuildBlockPacket(4, 3, 32); },
         "91 91 91 EE A1 01 00 04 03 20 01 00 08 00 00*8 8E AA"},
        {"mix A of linked output 3", LinkOutputs2And3, [] { return BuildBlockPacket(4, 3, 33); },
         "91 91 91 EE A1 01 00 04 03 21 01 00 08 00 00 00 00 64 00 00 00 00 EB AA"},
        {"limiter of linked output 3", LinkOutputs2And3, [] { return BuildBlockPacket(4, 3, 35); },
         "91 91 91 EE A1 01 00 04 03 23 00 00 08 00 00*8 8C AA"},
        {"level record of output 1 at start", kNothing, [] { return BuildBlockPacket(4, 1, 31); },
         "91 91 91 EE A1 01 00 04 01 1F 00 00 08 00 00*8 B2 AA"},
        {"mix B of output 1 at start", kNothing, [] { return BuildBlockPacket(4, 1, 34); },
         "91 91 91 EE A1 01 00 04 01 22 00 00 08 00 00 00 00 00 00 64 00 64 8F AA"},
        {"last record of the image (output 9 name)",
         [] { std::memcpy(g_Scene + 4976, "SUBWOOF", 8); },
         [] { return BuildBlockPacket(4, 9, 36); },
         "91 91 91 EE A1 01 00 04 09 24 00 00 08 00 53 55 42 57 4F 4F 46 00 D4 AA"},
        {"music input 5 volume record", kNothing, [] { return BuildBlockPacket(3, 5, 31); },
         "91 91 91 EE A1 01 00 03 05 1F 00 00 08 00 00 00 01 00 00 00 00 00 B0 AA"},
        {"last effect record", kNothing, [] { return BuildBlockPacket(2, 0, 18); },
         "91 91 91 EE A1 01 00 02 00 12 00 00 08 00 00*8 B8 AA"},
        {"state poll", kNothing, [] { return BuildBlockPacket(7, 0, 0); },
         "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA"},

        // Whole blocks.
        {"effect block carries its first 96 bytes",
         [] {
             g_Scene[32 + 95] = 0x5A;
             g_Scene[32 + 96] = 0xA5;
         },
         [] { return BuildWholeBlockPacket(0, 2, 0, TRUE); },
         "91 91 91 EE A1 01 00 02 00 00 00 00 60 00 [E8 03 58 02 00 00 00 00]*8 00*31 5A 98 AA"},
        {"microphone block", kNothing, [] { return BuildWholeBlockPacket(0, 1, 0, TRUE); },
         "91 91 91 EE A1 01 00 01 00 00 00 00 70 00 [E8 03 58 02 00 00 00 00]*9 00*40 60 AA"},
        {"live output 2 stored as scene 2", kNothing, [] { return BuildWholeBlockPacket(2, 4, 2, TRUE); },
         "91 91 91 EE A1 01 02 04 02 00 00 00 28 01 [E8 03 58 02 00 00 00 00]*9 00*192 "
         "00 00 64 00 00 00 00 00 00 00 00 00 64 00 64 00 00*16 58 AA"},
        {"live linked output 3", LinkOutputs2And3, [] { return BuildWholeBlockPacket(0, 4, 3, TRUE); },
         "91 91 91 EE A1 01 00 04 03 00 01 00 28 01 [E8 03 58 02 00 00 00 00]*9 00*192 "
         "00 00 00 64 00 00 00 00 00 00 00 00 00 64 00 64 00*16 5A AA"},
        {"stored scene 6 output 9", kNothing, [] { return BuildWholeBlockPacket(6, 4, 9, FALSE); },
         "91 91 91 EE A1 01 06 04 09 00 00 00 28 01 00*296 82 AA"},
        {"stored scene 1 music 0 is element 0",
         [] {
             g_StoredScenes[0][296] = 0x11;
             g_StoredScenes[0][296 + 287] = 0x22;
         },
         [] { return BuildWholeBlockPacket(1, 3, 0, FALSE); },
         "91 91 91 EE A1 01 01 03 00 00 00 00 20 01 11 00*286 22 B0 AA"},

        // Read requests.
        {"recall read of stored scene 4", kNothing, [] { return BuildReadRequest(4, 4, 2, TRUE); },
         "91 91 91 EE A2 01 04 04 02 00 00 00 08 00 00*8 A9 AA"},
        {"whole-block read of stored scene 4", kNothing, [] { return BuildReadRequest(4, 4, 2, FALSE); },
         "91 91 91 EE A2 01 04 04 02 77 00 00 08 00 00*8 DE AA"},
        {"read of scene 0 is always whole", kNothing, [] { return BuildReadRequest(0, 4, 9, TRUE); },
         "91 91 91 EE A2 01 00 04 09 77 00 00 08 00 00*8 D1 AA"},
        {"handshake read", kNothing, [] { return BuildCommandReadRequest(0xCC, 0); },
         "91 91 91 EE A2 01 00 09 CC 00 00 00 08 00 00*8 6E AA"},
        {"version read", kNothing, [] { return BuildCommandReadRequest(4, 0); },
         "91 91 91 EE A2 01 00 09 04 00 00 00 08 00 00*8 A6 AA"},
        {"scene-name read of scene 2", kNothing, [] { return BuildCommandReadRequest(0, 2); },
         "91 91 91 EE A2 01 02 09 00 00 00 00 08 00 00*8 A0 AA"},

        // System commands from the start values.
        {"name of stored scene 3",
         [] {
             std::memcpy(g_StoredScenes[2], "Stage", 5);
             g_StoredScenes[2][15] = 0x55;  // byte 15 always goes out as 0
         },
         [] { return BuildCommand(0, 3); },
         "91 91 91 EE A1 01 03 09 00 00 00 00 10 00 53 74 61 67 65 20*10 00 FE AA"},
        {"name of stored scene 1 is element 0", [] { std::memcpy(g_StoredScenes[0], "One", 3); },
         [] { return BuildCommand(0, 1); },
         "91 91 91 EE A1 01 01 09 00 00 00 00 10 00 4F 6E 65 20*12 00 FC AA"},
        {"name of the live scene", kNothing, [] { return BuildCommand(0, 0); },
         "91 91 91 EE A1 01 00 09 00 00 00 00 10 00 00*16 B9 AA"},
        {"sub-command 2", kNothing, [] { return BuildCommand(2, 0); },
         "91 91 91 EE A1 01 00 09 02 00 00 00 08 00 00 3C 00 00 00 00 00 01 9E AA"},
        {"sub-command 5", kNothing, [] { return BuildCommand(5, 0); },
         "91 91 91 EE A1 01 00 09 05 00 00 00 08 00 3C 00 00 00 00 00 01 00 99 AA"},
        {"sub-command 6", kNothing, [] { return BuildCommand(6, 0); },
         "91 91 91 EE A1 01 00 09 06 00 00 00 08 00 01 07 02 08 03 09 0F 12 BC AA"},
        {"sub-command 7", kNothing, [] { return BuildCommand(7, 0); },
         "91 91 91 EE A1 01 00 09 07 00 00 00 08 00 00*8 A6 AA"},
        {"sub-command 8", kNothing, [] { return BuildCommand(8, 0); },
         "91 91 91 EE A1 01 00 09 08 00 00 00 08 00 00 00 03 00 FF 37 6C 03 0D AA"},
        {"sub-command 52", kNothing, [] { return BuildCommand(52, 0); },
         "91 91 91 EE A1 01 00 09 34 00 00 00 01 00 00 9C AA"},
        {"sub-command 64", kNothing, [] { return BuildCommand(64, 0); },
         "91 91 91 EE A1 01 00 09 40 00 00 00 52 00 00*82 BB AA"},
        {"sub-command 65", kNothing, [] { return BuildCommand(65, 0); },
         "91 91 91 EE A1 01 00 09 41 00 00 00 08 00 00*8 E0 AA"},
        {"sub-command 96 carries byte 82 as 0", kNothing, [] { return BuildCommand(96, 0); },
         "91 91 91 EE A1 01 00 09 60 00 00 00 08 00 00 00 3C 00 00 00 00 00 FD AA"},
    };

    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetModel();
        c.prepare();
        std::unique_ptr<CSendData> request = c.build();
        ASSERT_TRUE(request);
        const std::vector<BYTE> expected = Hex(c.expected);
        ASSERT_EQ(request->GetLength(), int(expected.size()));
        EXPECT_EQ(ToHex(request->GetData(), request->GetLength()), ToHex(expected.data(), int(expected.size())));
        // A fresh request: nothing cut yet, no batch, no flags.
        EXPECT_EQ(request->GetPos(), 0);
        EXPECT_EQ(request->GetRetry(), 0);
        EXPECT_FALSE(request->GetNotify());
        EXPECT_FALSE(request->GetCounted());
    }
}

TEST(FrameBuilderTest, RefusesWhatLiesOutsideTheImages)
{
    ResetModel();
    // A stored-scene source must be 1..6.
    EXPECT_FALSE(BuildWholeBlockPacket(0, 4, 0, FALSE));
    EXPECT_FALSE(BuildWholeBlockPacket(7, 4, 0, FALSE));
    EXPECT_FALSE(BuildWholeBlockPacket(-1, 3, 0, FALSE));
    EXPECT_FALSE(BuildWholeBlockPacket(255, 1, 0, FALSE));
    // Unknown block types and channels past the image.
    EXPECT_FALSE(BuildWholeBlockPacket(0, 5, 0, TRUE));
    EXPECT_FALSE(BuildWholeBlockPacket(0, 9, 0, TRUE));
    EXPECT_FALSE(BuildWholeBlockPacket(0, 4, 10, TRUE));
    EXPECT_FALSE(BuildWholeBlockPacket(0, 3, 6, TRUE));
    EXPECT_FALSE(BuildWholeBlockPacket(0, 1, 1, TRUE));
    EXPECT_FALSE(BuildBlockPacket(0, 0, 0));
    EXPECT_FALSE(BuildBlockPacket(5, 0, 0));
    EXPECT_FALSE(BuildBlockPacket(4, -1, 0));
    EXPECT_FALSE(BuildBlockPacket(4, 10, 0));
    EXPECT_FALSE(BuildBlockPacket(3, 6, 0));
    EXPECT_FALSE(BuildBlockPacket(2, 1, 0));
    // Records past their block.
    EXPECT_FALSE(BuildBlockPacket(4, 9, 37));
    EXPECT_FALSE(BuildBlockPacket(3, 0, 36));
    EXPECT_FALSE(BuildBlockPacket(2, 0, 19));
    EXPECT_FALSE(BuildBlockPacket(1, 0, 14));
    EXPECT_FALSE(BuildBlockPacket(4, 0, -1));
    // Sub-commands that are not written.
    EXPECT_FALSE(BuildCommand(1, 0));
    EXPECT_FALSE(BuildCommand(3, 0));
    EXPECT_FALSE(BuildCommand(4, 0));
    EXPECT_FALSE(BuildCommand(0xCC, 0));
    // A refused live write does not mark the scene.
    EXPECT_EQ(g_bSceneModified, 0);
}

TEST(FrameBuilderTest, NameOfAnUnknownSceneIsTheLiveName)
{
    ResetModel();
    std::memcpy(g_Scene, "Live name", 9);
    for (int scene : {-1, 7, 200}) {
        SCOPED_TRACE(scene);
        std::unique_ptr<CSendData> request = BuildCommand(0, scene);
        ASSERT_TRUE(request);
        ASSERT_EQ(request->GetLength(), 32);
        EXPECT_EQ(request->GetData()[6], BYTE(scene));
        EXPECT_EQ(std::memcmp(request->GetData() + 14, "Live name\0\0\0\0\0\0\0", 16), 0);
    }
}

TEST(FrameBuilderTest, LiveChannelWritesMarkTheSceneModified)
{
    struct Case {
        int scene, type;
        BOOL fromLive;
        int modified;
    } const cases[] = {
        {0, 4, TRUE, 1}, {3, 3, TRUE, 1}, {0, 1, TRUE, 0}, {0, 2, TRUE, 0}, {3, 4, FALSE, 0}, {3, 3, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scene << "/" << c.type << "/" << c.fromLive);
        ResetModel();
        ASSERT_TRUE(BuildWholeBlockPacket(c.scene, c.type, 0, c.fromLive));
        EXPECT_EQ(g_bSceneModified, c.modified);
    }
}

TEST(FrameBuilderTest, ChannelLinkFollowsTheGroupTable)
{
    ResetModel();
    for (int ch = -1; ch <= LINK_CHANNELS; ++ch)
        EXPECT_FALSE(IsChannelLinked(ch)) << ch;
    g_nLinkGroup[9] = 0;
    EXPECT_TRUE(IsChannelLinked(0));
    EXPECT_TRUE(IsChannelLinked(9));
    EXPECT_FALSE(IsChannelLinked(1));
}

TEST(FrameBuilderTest, FinishPacketWritesCheckAndEnd)
{
    const BYTE header[FRAME_HEADER_SIZE] = {0x91, 0x91, 0x91, 0xEE, 0x51, 0x01, 0x00, 0x09, 0x03, 0, 0, 0, 0x02, 0x00};
    const BYTE payload[2] = {0x30, 0x0F};
    BYTE frame[18];
    std::memset(frame, 0xCD, sizeof(frame));
    FinishPacket(frame, 18, header, payload);
    EXPECT_EQ(ToHex(frame, 18), "91 91 91 EE 51 01 00 09 03 00 00 00 02 00 30 0F 67 AA");
    EXPECT_EQ(FrameCheckSum(frame, 18), 0x67);
}

namespace {
// A request holding the bytes 0, 1, 2, ... of a frame of n bytes.
std::unique_ptr<CSendData> Counting(int n)
{
    std::vector<BYTE> frame(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        frame[size_t(i)] = BYTE(i * 7 + 1);
    auto request = std::make_unique<CSendData>();
    request->SetData(frame);
    return request;
}
}  // namespace

TEST(SendDataTest, WholeOutputBlockTakesFiveReports)
{
    ResetModel();
    std::unique_ptr<CSendData> request = BuildWholeBlockPacket(0, 4, 0, TRUE);
    ASSERT_TRUE(request);
    ASSERT_EQ(request->GetLength(), 312);
    const std::vector<BYTE> frame(request->GetData(), request->GetData() + 312);
    const int pieces[] = {64, 64, 64, 64, 56};
    int offset = 0;
    for (int piece : pieces) {
        SCOPED_TRACE(offset);
        std::memset(g_byUsbOutReport, 0xEE, sizeof(g_byUsbOutReport));
        ASSERT_TRUE(request->NextReport());
        EXPECT_EQ(g_byUsbOutReport[0], 0);
        EXPECT_EQ(std::memcmp(g_byUsbOutReport + 1, frame.data() + offset, size_t(piece)), 0);
        for (int i = 1 + piece; i < USB_REPORT_SIZE; ++i)
            ASSERT_EQ(g_byUsbOutReport[i], 0) << i;
        offset += piece;
        EXPECT_EQ(request->GetPos(), offset);
    }
    BYTE before[USB_REPORT_SIZE];
    std::memcpy(before, g_byUsbOutReport, sizeof(before));
    EXPECT_FALSE(request->NextReport());
    EXPECT_EQ(std::memcmp(before, g_byUsbOutReport, sizeof(before)), 0);
}

TEST(SendDataTest, RecordFrameTakesOneReportAndRewinds)
{
    std::unique_ptr<CSendData> request = Counting(24);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        std::memset(g_byUsbOutReport, 0xEE, sizeof(g_byUsbOutReport));
        ASSERT_TRUE(request->NextReport());
        EXPECT_EQ(g_byUsbOutReport[0], 0);
        EXPECT_EQ(std::memcmp(g_byUsbOutReport + 1, request->GetData(), 24), 0);
        for (int i = 25; i < USB_REPORT_SIZE; ++i)
            ASSERT_EQ(g_byUsbOutReport[i], 0) << i;
        EXPECT_FALSE(request->NextReport());
        request->SetPos(0);
    }
}

TEST(SendDataTest, LengthAndPositionStayWithinTheFrame)
{
    std::unique_ptr<CSendData> request = Counting(24);
    request->SetLength(1000);
    EXPECT_EQ(request->GetLength(), 24);
    request->SetLength(20);
    EXPECT_EQ(request->GetLength(), 20);
    request->SetPos(-5);
    EXPECT_EQ(request->GetPos(), 0);
    request->SetPos(500);
    EXPECT_EQ(request->GetPos(), 20);
    EXPECT_FALSE(request->NextReport());

    CSendData empty;
    EXPECT_EQ(empty.GetData(), nullptr);
    empty.SetLength(24);
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_FALSE(empty.NextReport());
}

TEST(SendDataTest, DoneFlagsDependOnTheLinkType)
{
    const int savedLinkType = g_nLinkType;
    std::unique_ptr<CSendData> request = Counting(100);
    request->SetLastRead(TRUE);
    request->SetLastWrite(TRUE);
    request->SetMore(FALSE);

    g_nLinkType = 0;  // no link: the frame must be fully out
    EXPECT_TRUE(request->HasMore());
    EXPECT_FALSE(request->IsLastReadDone());
    EXPECT_FALSE(request->IsLastWriteDone());
    while (request->NextReport()) {
    }
    EXPECT_FALSE(request->HasMore());
    EXPECT_TRUE(request->IsLastReadDone());
    EXPECT_TRUE(request->IsLastWriteDone());

    g_nLinkType = 1;  // a link: the flags alone
    request->SetPos(0);
    EXPECT_FALSE(request->HasMore());
    EXPECT_TRUE(request->IsLastReadDone());
    EXPECT_TRUE(request->IsLastWriteDone());
    request->SetLastRead(FALSE);
    EXPECT_FALSE(request->IsLastReadDone());
    g_nLinkType = savedLinkType;
}
