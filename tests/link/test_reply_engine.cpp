// The reply engine: what each reply code does to the queue, where each data reply is copied,
// and which notice it posts.
#include "test_reply_kit.h"

using namespace replykit;

namespace {

BYTE* Stored(int scene) { return g_StoredScenes[scene - 1]; }
BYTE* OutputBlock(BYTE* image, int channel) { return image + OUTPUT_BLOCK_OFFSET + OUTPUT_BLOCK_SIZE * channel; }
BYTE* MusicBlock(BYTE* image, int channel) { return image + MUSIC_BLOCK_OFFSET + MUSIC_BLOCK_SIZE * channel; }

// Everything a reply may write, with the bytes it is expected to write laid over it.
ModelSnapshot Expect(const ModelSnapshot& before, const BYTE* target, const Bytes& bytes)
{
    // The snapshot starts with g_Scene, then the six stored scenes, then the system block.
    size_t at = 0;
    const BYTE* live = g_Scene;
    if (target >= live && target < live + SCENE_IMAGE_SIZE)
        at = size_t(target - live);
    else if (target >= g_StoredScenes[0] && target < g_StoredScenes[0] + STORED_SCENES * SCENE_IMAGE_SIZE)
        at = SCENE_IMAGE_SIZE + size_t(target - g_StoredScenes[0]);
    else
        at = SCENE_IMAGE_SIZE * (1 + STORED_SCENES) + size_t(target - SystemBlockBytes());
    ModelSnapshot after = before;
    std::copy(bytes.begin(), bytes.end(), after.bytes.begin() + long(at));
    return after;
}

}  // namespace

TEST_F(ReplyTest, AcknowledgementRemovesTheHead)
{
    Queue();
    CSendData* next = Queue();
    EXPECT_TRUE(FeedNet(AckFrame()));
    EXPECT_EQ(m_command.GetCurSendData(), next);
    EXPECT_TRUE(m_sink.posted.empty());
}

TEST_F(ReplyTest, AcknowledgedNotifyRequestIsReported)
{
    Queue()->SetNotify(TRUE);
    Queue();
    EXPECT_TRUE(FeedNet(AckFrame()));
    EXPECT_EQ(m_command.GetSendDataCount(), 1);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_WIFI_OP_RESULT, 0, 1}}));
}

TEST_F(ReplyTest, RejectionRewindsAndMarksTheHead)
{
    CSendData* head = Queue();
    while (head->NextReport()) {
    }
    const Bytes reject = Hex("91 91 91 EE 52 01 00 09 03 00 00 00 00 00 59 AA");
    EXPECT_FALSE(FeedNet(reject));
    EXPECT_EQ(m_command.GetCurSendData(), head);
    EXPECT_EQ(head->GetPos(), 0);
    EXPECT_TRUE(head->GetRejected());
    EXPECT_TRUE(m_sink.posted.empty());
}

TEST_F(ReplyTest, RejectedNotifyRequestLeavesAndTheNextIsUntouched)
{
    Queue()->SetNotify(TRUE);
    CSendData* next = Queue();
    EXPECT_FALSE(FeedNet(Hex("91 91 91 EE 52 01 00 09 03 00 00 00 00 00 59 AA")));
    EXPECT_EQ(m_command.GetCurSendData(), next);
    EXPECT_FALSE(next->GetRejected());
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_WIFI_OP_RESULT, 0, 0}}));
}

TEST_F(ReplyTest, UnknownReplyCodeEndsTheReadAndChangesNothing)
{
    CSendData* head = Queue();
    const ModelSnapshot before = ModelSnapshot::Take();
    EXPECT_TRUE(FeedNet(Hex("91 91 91 EE 54 01 00 09 03 00 00 00 00 00 5F AA")));
    EXPECT_EQ(m_command.GetCurSendData(), head);
    EXPECT_EQ(ModelSnapshot::Take(), before);
    EXPECT_TRUE(m_sink.posted.empty());
}

// ---- block replies ----

namespace {

struct BlockCase {
    const char* name;
    BYTE scene, type, channel, record;
    int size, seed;
    BYTE check;
    BYTE* (*target)();  // null: nothing is copied
    bool headRemoved;
    std::vector<Posted> posted;
};

}  // namespace

class BlockReplyTest : public ReplyTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockReplyTest, CopiesIntoItsImageAndPostsItsNotice)
{
    const BlockCase& c = GetParam();
    CSendData* head = Queue();
    const ModelSnapshot before = ModelSnapshot::Take();
    const Bytes payload = Pattern(c.size, c.seed);

    EXPECT_TRUE(FeedUsbLast(Reply(0x53, c.scene, c.type, c.channel, c.record, payload, c.check)));

    EXPECT_EQ(ModelSnapshot::Take(), c.target ? Expect(before, c.target(), payload) : before);
    EXPECT_EQ(m_command.GetCurSendData() == head, !c.headRemoved);
    EXPECT_EQ(m_sink.posted, c.posted);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, BlockReplyTest,
    ::testing::Values(
        BlockCase{"MusicOfStoredScene3", 3, 3, 5, 0x77, 288, 11, 0xC1, [] { return MusicBlock(Stored(3), 5); }, true, {}},
        BlockCase{"MusicOfLiveScene", 0, 3, 0, 0x77, 288, 12, 0xE7, [] { return MusicBlock(g_Scene, 0); }, true, {}},
        BlockCase{"LastOutputOfStoredScene6", 6, 4, 9, 0x77, 296, 13, 0x37, [] { return OutputBlock(Stored(6), 9); },
                  true, {{WM_ALL_SCENES_RECEIVED, 6, 0}}},
        BlockCase{"LastOutputOfLiveScene", 0, 4, 9, 0x77, 296, 14, 0x19, [] { return OutputBlock(g_Scene, 9); }, true,
                  {{WM_SCENE_RECEIVED, 0, 0}}},
        BlockCase{"LastOutputOfStoredScene3", 3, 4, 9, 0x77, 296, 15, 0x42, [] { return OutputBlock(Stored(3), 9); },
                  true, {}},
        BlockCase{"LastOutputOfRecall2", 2, 4, 9, 0x00, 296, 16, 0xCC, [] { return OutputBlock(g_Scene, 9); }, true,
                  {{WM_SCENE_RECEIVED, 2, 0}}},
        BlockCase{"OutputOfRecall1", 1, 4, 4, 0x00, 296, 17, 0xAA, [] { return OutputBlock(g_Scene, 4); }, true, {}},
        BlockCase{"MicrophoneIsNotKept", 0, 1, 0, 0x77, 8, 18, 0x44, nullptr, true, {}},
        BlockCase{"UnknownTypeKeepsTheHead", 0, 5, 0, 0x77, 8, 19, 0x48, nullptr, false, {}}),
    [](const ::testing::TestParamInfo<BlockCase>& info) { return info.param.name; });

// ---- system replies ----

namespace {

struct SystemCase {
    const char* name;
    BYTE scene, subCommand;
    Bytes payload;
    BYTE check;
    BYTE* (*target)();  // where the expected bytes go
    Bytes expected;
    std::vector<Posted> posted;
};

BYTE* Sys(int offset) { return SystemBlockBytes() + offset; }

Bytes Range(BYTE first, int n)
{
    Bytes out;
    for (int k = 0; k < n; ++k)
        out.push_back(BYTE(first + k));
    return out;
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

class SystemReplyTest : public ReplyTest, public ::testing::WithParamInterface<SystemCase> {};

TEST_P(SystemReplyTest, CopiesIntoItsWindowAndPostsItsNotice)
{
    const SystemCase& c = GetParam();
    Queue();
    CSendData* next = Queue();
    const ModelSnapshot before = ModelSnapshot::Take();

    EXPECT_TRUE(FeedNet(Reply(0x53, c.scene, 9, c.subCommand, 0, c.payload, c.check)));

    EXPECT_EQ(ModelSnapshot::Take(), Expect(before, c.target(), c.expected));
    EXPECT_EQ(m_command.GetCurSendData(), next);
    EXPECT_EQ(m_sink.posted, c.posted);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SystemReplyTest,
    ::testing::Values(
        SystemCase{"InputSource", 0, 2, Range(0xA0, 8), 0x51, [] { return Sys(83); }, Range(0xA0, 8), {}},
        SystemCase{"MasterLevel", 0, 5, Range(0xB0, 8), 0x56, [] { return Sys(84); }, Range(0xB0, 8), {}},
        SystemCase{"SpeakerTypes", 0, 6, Range(0xC0, 8), 0x55, [] { return Sys(92); }, Range(0xC0, 8), {}},
        SystemCase{"StateRecord", 0, 7, Range(0xD0, 8), 0x54, [] { return Sys(100); }, Range(0xD0, 8),
                   {{WM_SPEAKER_MAP_CHANGED, 1, 0}}},
        SystemCase{"Group8", 0, 8, Range(0xE0, 8), 0x5B, [] { return Sys(116); }, Range(0xE0, 8), {}},
        SystemCase{"ModeBlock", 0, 64, Pattern(82, 5), 0x00, [] { return Sys(0); }, Pattern(82, 5),
                   {{WM_SPEAKER_MAP_CHANGED, 0, 0}}},
        // Name of stored scene 2: 13 characters kept, the next two cleared, byte 15 not touched.
        SystemCase{"NameCutToThirteen", 2, 0, Text("ABCDEFGHIJKLMNOP", 16), 0x59, [] { return Stored(2); },
                   Concat(Text("ABCDEFGHIJKLM", 13), {0, 0}), {}},
        // Control bytes become 0 in the live name.
        SystemCase{"NameControlBytes", 0, 0, Hex("41 42 01 43 44 45 46 47 48 49 4A 4B 1F 4D 4E 00"), 0x16,
                   [] { return g_Scene + 0; }, Hex("41 42 00 43 44 45 46 47 48 49 4A 4B 00 00 00"), {}},
        SystemCase{"FactoryResetAnswerKeepsNothing", 0, 0x60, Bytes(8, 0), 0x33, [] { return Sys(0); }, {}, {}}),
    [](const ::testing::TestParamInfo<SystemCase>& info) { return info.param.name; });

TEST_F(ReplyTest, StatePollFillsAsManyEntriesAsItCarries)
{
    Queue();
    Queue();
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 3, 0, Pattern(30, 1), 0xCF)));
    for (int k = 0; k < DEVICE_INFO_COUNT; ++k)
        EXPECT_EQ(g_nDeviceInfo[k], BYTE(k * 7 + 1)) << k;
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 3, 0, {9, 8, 7, 6, 5}, 0x58)));
    for (int k = 0; k < DEVICE_INFO_COUNT; ++k)
        EXPECT_EQ(g_nDeviceInfo[k], k < 5 ? 9 - k : BYTE(k * 7 + 1)) << k;
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_INPUT_TYPE_RECEIVED, 0, 30}, {WM_INPUT_TYPE_RECEIVED, 0, 5}}));
}

TEST_F(ReplyTest, VersionReplyKeepsElevenCharacters)
{
    std::memset(g_szDeviceVersion, 'x', sizeof(g_szDeviceVersion));
    Queue(SYS_VERSION);
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 4, 0, Text("DSP1-V2.07A", 11), 0x03)));
    EXPECT_STREQ(g_szDeviceVersion, "DSP1-V2.07A");
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_VERSION_RECEIVED, 0, 0}}));
}

TEST_F(ReplyTest, OverlappingWindowsLaterReplyWins)
{
    Queue();
    Queue();
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 2, 0, Range(0xA0, 8), 0x51)));
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 5, 0, Range(0xB0, 8), 0x56)));
    EXPECT_EQ(g_byInputSource, 0xA0);
    EXPECT_EQ(Bytes(Sys(84), Sys(92)), Range(0xB0, 8));
}

TEST_F(ReplyTest, SceneSelectTakesTheStoredName)
{
    std::memcpy(Stored(3), "Stage Three  \x01Q", 16);
    std::memcpy(g_Scene, "live name here\0Z", 16);
    Queue(SYS_SCENE_SELECT);
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 52, 0, {3}, 0x6D)));
    EXPECT_EQ(g_byCurScene, 3);
    EXPECT_EQ(0, std::memcmp(g_Scene, "Stage Three  \x01QZ", 16));  // name byte 15 stays the live one
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_TRUE(m_sink.posted.empty());
}

TEST_F(ReplyTest, SceneSelectZeroKeepsTheLiveName)
{
    g_byCurScene = 4;
    std::memcpy(g_Scene, "live name here\0Z", 16);
    Queue(SYS_SCENE_SELECT);
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 52, 0, {0}, 0x6E)));
    EXPECT_EQ(g_byCurScene, 0);
    EXPECT_EQ(0, std::memcmp(g_Scene, "live name here\0Z", 16));
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
}

// ---- handshake, empty reply, empty queue ----

TEST_F(ReplyTest, DuringTheHandshakeOnlyItsAnswerCounts)
{
    g_bHandshake = 1;
    CSendData* handshake = Queue(SYS_HANDSHAKE);
    CSendData* version = Queue(SYS_VERSION);
    const ModelSnapshot before = ModelSnapshot::Take();

    EXPECT_TRUE(FeedNet(PollFrame()));  // a state-poll reply is ignored
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 0xCC, 0, {1}, 0x97)));  // a handshake answer other than 0
    EXPECT_EQ(m_command.GetCurSendData(), handshake);
    EXPECT_EQ(g_bHandshake, 1);
    EXPECT_EQ(ModelSnapshot::Take(), before);

    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 0xCC, 0, {0}, 0x96)));
    EXPECT_EQ(m_command.GetCurSendData(), version);
    EXPECT_EQ(g_bHandshake, 0);
    EXPECT_TRUE(m_sink.posted.empty());

    // With the gate open the next reply is used.
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 4, 0, Text("DSP1-V2.07A", 11), 0x03)));
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_VERSION_RECEIVED, 0, 0}}));
}

TEST_F(ReplyTest, EmptyDataReplyAsksForFirmware)
{
    CSendData* head = Queue();
    const ModelSnapshot before = ModelSnapshot::Take();
    EXPECT_TRUE(FeedNet(Hex("91 91 91 EE 53 01 00 09 03 00 00 00 00 00 58 AA")));
    EXPECT_EQ(m_command.GetCurSendData(), head);
    EXPECT_EQ(g_bNeedFirmware, 1);
    EXPECT_EQ(ModelSnapshot::Take(), before);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_DEVICE_ERROR, 0, 0}}));
}

TEST_F(ReplyTest, ReplyWithAnEmptyQueueIsStillApplied)
{
    EXPECT_TRUE(FeedNet(Reply(0x53, 0, 9, 4, 0, Text("DSP1-V2.07A", 11), 0x03)));
    EXPECT_STREQ(g_szDeviceVersion, "DSP1-V2.07A");
    EXPECT_TRUE(FeedNet(AckFrame()));
    EXPECT_FALSE(FeedNet(Hex("91 91 91 EE 52 01 00 09 03 00 00 00 00 00 59 AA")));
    EXPECT_EQ(m_command.GetSendDataCount(), 0);
    EXPECT_EQ(m_sink.posted, (std::vector<Posted>{{WM_VERSION_RECEIVED, 0, 0}}));
}
