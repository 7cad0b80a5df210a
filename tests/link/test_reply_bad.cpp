// Replies the engine must not trust. Each is dropped whole: nothing copied, the awaited
// request stays at the head, no notice, the progress bar where it was. The receiver is ready
// again at once: the next good reply is taken.
#include "test_reply_kit.h"

using namespace replykit;

namespace {

// A length no reply can have, followed by bytes that hold no preamble: a receiver that
// believed the length would still be collecting when the good reply comes.
Bytes EndlessLength()
{
    Bytes bytes = Hex("91 91 91 EE 53 01 00 09 03 00 00 00 FF FF");
    for (int k = 0; k < 150; ++k)
        bytes.push_back(BYTE(0x20 + (k * 37 + 11) % 94));
    return bytes;
}

Bytes WithCheck(BYTE check) { return Reply(0x53, 0, 9, 3, 0, Hex("02 11 22 33 44 55 66 77"), check); }

struct BadCase {
    const char* name;
    Bytes (*bytes)();
    bool markedBad;  // a whole frame arrived and failed (status byte 5)
};

const BadCase kBadReplies[] = {
    {"BadCheckByte", [] { return WithCheck(0x53); }, true},
    {"BadEndByte", [] { return Reply(0x53, 0, 9, 3, 0, Hex("02 11 22 33 44 55 66 77"), 0x52, 0xAB); }, true},
    {"LengthFFFFStreamed", EndlessLength, false},
    {"LongerThanAnyReply", [] { return Reply(0x53, 0, 4, 2, 0x77, Pattern(297, 29), 0x6E); }, false},
    {"OutputChannel10", [] { return Reply(0x53, 0, 4, 10, 0x77, Pattern(296, 21), 0x32); }, true},
    {"MusicChannel6", [] { return Reply(0x53, 0, 3, 6, 0x77, Pattern(288, 22), 0x61); }, true},
    {"OutputOfScene7", [] { return Reply(0x53, 7, 4, 0, 0x77, Pattern(296, 23), 0x8F); }, true},
    {"NameOfScene7", [] { return Reply(0x53, 7, 9, 0, 0, Text("ABCDEFGHIJKLMNO\0", 16), 0x0C); }, true},
    {"SelectScene7", [] { return Reply(0x53, 0, 9, 52, 0, {7}, 0x69); }, true},
    {"OutputBlockShort", [] { return Reply(0x53, 0, 4, 1, 0x77, Pattern(8, 24), 0x20); }, true},
    {"MusicBlockLong", [] { return Reply(0x53, 0, 3, 1, 0x77, Pattern(296, 25), 0x3E); }, true},
    {"InputSourceShort", [] { return Reply(0x53, 0, 9, 2, 0, Hex("A0 A1 A2"), 0xF9); }, true},
    {"VersionShort", [] { return Reply(0x53, 0, 9, 4, 0, Text("DSP1-V2.07", 10), 0x43); }, true},
    {"NameShort", [] { return Reply(0x53, 1, 9, 0, 0, Text("ABCDEFGHIJKL", 12), 0x5A); }, true},
    {"StatePollLong", [] { return Reply(0x53, 0, 9, 3, 0, Pattern(31, 26), 0x54); }, true},
    {"ModeBlockLong", [] { return Reply(0x53, 0, 9, 64, 0, Pattern(83, 27), 0xC8); }, true},
    {"ModeBlockShort", [] { return Reply(0x53, 0, 9, 64, 0, Pattern(81, 28), 0x96); }, true},
};

}  // namespace

class BadReplyTest : public ReplyTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadReplyTest, DroppedAndTheNextGoodReplyIsTaken)
{
    const BadCase& c = GetParam();
    FakeProgress bar(20, 2);
    g_pProgress = &bar;
    CSendData* head = Queue();
    head->SetCounted(TRUE);
    head->SetIndex(5);
    head->SetLastRead(TRUE);
    const ModelSnapshot before = ModelSnapshot::Take();

    for (BOOL done : FeedUsb(c.bytes()))
        EXPECT_FALSE(done);
    EXPECT_EQ(m_command.GetCurSendData(), head);
    EXPECT_FALSE(head->GetRejected());
    EXPECT_EQ(ModelSnapshot::Take(), before);
    EXPECT_TRUE(m_sink.posted.empty());
    EXPECT_EQ(bar.sets, 0);
    EXPECT_EQ(g_bNeedFirmware, 0);
    EXPECT_EQ(g_byCommStatus[5], c.markedBad ? 1 : 0);

    EXPECT_TRUE(FeedUsbLast(PollFrame()));
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(bar.GetPos(), 5);
    EXPECT_EQ(g_nDeviceInfo[0], 0x02);
    EXPECT_EQ(g_nDeviceInfo[7], 0x77);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_TRANSFER_DONE, 0, 0}, {WM_INPUT_TYPE_RECEIVED, 0, 8}}));
}

INSTANTIATE_TEST_SUITE_P(Replies, BadReplyTest, ::testing::ValuesIn(kBadReplies),
                         [](const ::testing::TestParamInfo<BadCase>& info) { return info.param.name; });
