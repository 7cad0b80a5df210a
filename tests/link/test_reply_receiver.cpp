// The frame receiver: finding a reply by its preamble, collecting it across reads of every
// transport, and what happens to the bytes around it.
#include "test_reply_kit.h"

using namespace replykit;

namespace {

struct SyncCase {
    const char* name;
    const char* prefix;  // bytes before the 0xEE of an acknowledgement
    bool accepted;
};

// The acknowledgement from its 0xEE byte on.
const char* const kAckBody = "EE 51 01 00 09 03 00 00 00 00 00 5A AA";

}  // namespace

class ReceiverSyncTest : public ReplyTest, public ::testing::WithParamInterface<SyncCase> {};

TEST_P(ReceiverSyncTest, ExactlyThreePreambleBytesBeforeTheSyncByte)
{
    const SyncCase& c = GetParam();
    CSendData* head = Queue();
    Queue();
    const BOOL done = FeedNet(Hex(std::string(c.prefix) + " " + kAckBody));
    EXPECT_EQ(done, c.accepted ? TRUE : FALSE);
    EXPECT_EQ(m_command.GetSendDataCount(), c.accepted ? 1 : 2);
    EXPECT_EQ(m_command.GetCurSendData() != head, c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Preamble, ReceiverSyncTest,
                         ::testing::Values(SyncCase{"Three", "91 91 91", true},
                                           SyncCase{"ZeroThenThree", "00 91 91 91", true},
                                           SyncCase{"GarbageThenThree", "EE 12 AA 91 EE 91 91 91", true},
                                           SyncCase{"Four", "91 91 91 91", false},
                                           SyncCase{"Two", "91 91", false},
                                           SyncCase{"BrokenByAByte", "91 91 00 91", false},
                                           SyncCase{"None", "", false}),
                         [](const ::testing::TestParamInfo<SyncCase>& info) { return info.param.name; });

TEST_F(ReplyTest, PreambleAndFrameSplitAcrossReads)
{
    Queue();
    const Bytes frame = AckFrame();
    // Every split point of the 16 bytes: each part is a separate network read.
    for (size_t cut = 1; cut < frame.size(); ++cut) {
        Queue();
        EXPECT_FALSE(FeedNet(Bytes(frame.begin(), frame.begin() + long(cut)))) << "cut " << cut;
        EXPECT_TRUE(FeedNet(Bytes(frame.begin() + long(cut), frame.end()))) << "cut " << cut;
        EXPECT_EQ(m_command.GetSendDataCount(), 1) << "cut " << cut;
    }
}

TEST_F(ReplyTest, EmptyPayloadCompletesAtThirteenBytesFromTheSyncByte)
{
    Queue();
    Queue();
    const Bytes frame = AckFrame();  // 16 bytes on the wire, N = 0
    for (size_t i = 0; i + 1 < frame.size(); ++i) {
        EXPECT_FALSE(m_command.OnSerialReceive(frame[i])) << "byte " << i;
        EXPECT_EQ(m_command.GetSendDataCount(), 2) << "byte " << i;
    }
    EXPECT_TRUE(m_command.OnSerialReceive(frame.back()));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
}

TEST_F(ReplyTest, WholeOutputBlockAcrossFiveUsbReports)
{
    Queue();
    // Recall of stored scene 2, output 9: 312 bytes on the wire, check worked out by hand.
    const Bytes payload = Pattern(296, 16);
    const Bytes frame = Reply(0x53, 2, 4, 9, 0x00, payload, 0xCC);
    ASSERT_EQ(frame.size(), 312u);

    std::vector<BOOL> results;
    for (size_t at = 0; at < frame.size(); at += USB_REPORT_DATA) {
        results.push_back(FeedUsb(Bytes(frame.begin() + long(at),
                                        frame.begin() + long(std::min(frame.size(), at + USB_REPORT_DATA))))[0]);
        // The engine takes the report's bytes out.
        EXPECT_TRUE(std::all_of(g_byUsbInReport + 1, g_byUsbInReport + USB_REPORT_SIZE, [](BYTE b) { return b == 0; }));
    }
    EXPECT_EQ(results, (std::vector<BOOL>{FALSE, FALSE, FALSE, FALSE, TRUE}));
    EXPECT_EQ(0, std::memcmp(g_Scene + OUTPUT_BLOCK_OFFSET + 9 * OUTPUT_BLOCK_SIZE, payload.data(), payload.size()));
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_SCENE_RECEIVED, 2, 0}}));
}

TEST_F(ReplyTest, BytesAfterACompleteFrameInTheSameReadAreNotKept)
{
    Queue();
    Queue();
    Queue();
    Bytes two = AckFrame();
    const Bytes second = AckFrame();
    two.insert(two.end(), second.begin(), second.end());
    EXPECT_TRUE(FeedNet(two));
    EXPECT_EQ(m_command.GetSendDataCount(), 2);  // one reply per request
    // The receiver starts afresh: the next read's frame is taken.
    EXPECT_TRUE(FeedNet(AckFrame()));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
}

TEST_F(ReplyTest, ReadCountsBeyondTheBuffersTakeOnlyTheBuffers)
{
    Queue();
    Queue();
    Queue();
    // A count larger than the report or the network buffer never reads past either.
    std::memcpy(g_byUsbInReport + 1, AckFrame().data(), AckFrame().size());
    EXPECT_TRUE(m_command.OnUsbReceive(4096));
    std::memcpy(g_byNetRecvBuf + NET_RECV_BUFFER_SIZE - 16, AckFrame().data(), 16);
    EXPECT_TRUE(m_command.OnNetReceive(NET_RECV_BUFFER_SIZE + 4096));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
    // Nothing read: the USB read is over, the network read waits.
    EXPECT_TRUE(m_command.OnUsbReceive(0));
    EXPECT_FALSE(m_command.OnNetReceive(0));
    EXPECT_FALSE(m_command.OnNetReceive(-5));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
    // The network bytes that were handed over are cleared.
    EXPECT_TRUE(std::all_of(g_byNetRecvBuf, g_byNetRecvBuf + NET_RECV_BUFFER_SIZE, [](BYTE b) { return b == 0; }));
}

TEST_F(ReplyTest, AnImpossibleLengthIsDroppedAtTheHeaderAndTheSameReadResynchronises)
{
    Queue();
    Queue();
    // N = 0x0200: longer than any reply. The good frame behind it in the same read is found.
    Bytes bytes = Hex("91 91 91 EE 53 01 00 09 03 00 00 00 00 02 13 57 9B");
    const Bytes ack = AckFrame();
    bytes.insert(bytes.end(), ack.begin(), ack.end());
    EXPECT_TRUE(FeedNet(bytes));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
    EXPECT_TRUE(m_sink.posted.empty());
}

TEST_F(ReplyTest, ResetRecvForgetsAHalfCollectedFrame)
{
    Queue();
    Queue();
    const Bytes frame = AckFrame();
    EXPECT_FALSE(FeedNet(Bytes(frame.begin(), frame.begin() + 9)));
    m_command.ResetRecv();
    // The rest alone is no frame.
    EXPECT_FALSE(FeedNet(Bytes(frame.begin() + 9, frame.end())));
    EXPECT_EQ(m_command.GetSendDataCount(), 2);
    // A preamble cut short by the reset counts from zero again.
    EXPECT_FALSE(FeedNet(Hex("91 91")));
    m_command.RemoveAllSendData();
    Queue();
    EXPECT_FALSE(FeedNet(Hex("91 EE 51 01 00 09 03 00 00 00 00 00 5A AA")));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
}

TEST_F(ReplyTest, EndlessLengthNeverOutgrowsTheFrameBuffer)
{
    Queue();
    Queue();
    // Twenty thousand bytes behind the header, in USB reports and in whole network reads.
    Bytes stream = Hex("91 91 91 EE 53 01 00 09 03 00 00 00 FF FF");
    for (int k = 0; k < 20000; ++k)
        stream.push_back(BYTE(k * 13 + 1) == 0x91 ? 0x00 : BYTE(k * 13 + 1));
    for (BOOL done : FeedUsb(stream))
        EXPECT_FALSE(done);
    EXPECT_TRUE(FeedUsbLast(AckFrame()));
    for (size_t at = 0; at < stream.size(); at += NET_RECV_BUFFER_SIZE)
        EXPECT_FALSE(FeedNet(Bytes(stream.begin() + long(at),
                                   stream.begin() + long(std::min(stream.size(), at + NET_RECV_BUFFER_SIZE)))));
    EXPECT_TRUE(FeedNet(AckFrame()));
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
}
