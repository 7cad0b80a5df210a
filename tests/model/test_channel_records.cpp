// The output block records: what each packer writes into the live image, the bytes it leaves
// alone, the unpackers, and packers that have nowhere to write.
#include "test_scene_support.h"

using namespace scene_test;

namespace {

class OutputRecordsTest : public SceneTest {};

}  // namespace

TEST_F(OutputRecordsTest, DefaultChannelPacksItsWholeBlock)
{
    BYTE* block = g_Scene + BlockOffset(BLOCK_OUTPUT, 0);
    std::memset(block, 0xEE, OUTPUT_BLOCK_SIZE);
    Out(0).PutChannelRecords();
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, 0), "14 00 58 02 34 00 01 00");    // 20 Hz, 0 dB, 0.57 oct
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, 17), "E8 03 58 02 34 00 01 00");   // 1000 Hz
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, 30), "20 4E 58 02 34 00 01 00");   // 20000 Hz
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, OUT_REC_LEVEL), "01 00 58 02 00 00 00 00");
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, OUT_REC_FILTERS), "14 00 02 01 20 4E 02 01");
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, OUT_REC_MIX_A), "64 64 64 64 64 64 64 64");
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, OUT_REC_MIX_B), "64 64 64 64 64 64 64 64");
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, OUT_REC_LIMIT), "A4 01 38 00 64 00 EE EE");
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 0, OUT_REC_NAME), "46 4C 00 00 00 00 00 00");
    for (int i = 0; i < OUTPUT_BLOCK_SIZE; ++i) {
        if (i != 286 && i != 287) {
            EXPECT_NE(block[i], 0xEE) << i;
        }
    }
    // Nothing else of the image moved, and nothing was sent.
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 1, 0), "E8 03 58 02 00 00 00 00");  // as InitAllData left it
    EXPECT_EQ(g_bSceneModified, 0);
}

TEST_F(OutputRecordsTest, LimiterFrameCarriesTheImagesGroupAndFlagBytes)
{
    BYTE* limit = LiveRecord(BLOCK_OUTPUT, 6, OUT_REC_LIMIT);
    limit[6] = 0x03;
    limit[7] = 0x15;  // flag bits 0, 2 and 4 set by the output page
    Out(6).SetLimitAttack(7);
    const auto frame = Out(6).PutLimitRecord(TRUE);
    ASSERT_TRUE(frame);
    EXPECT_EQ(ToHex(frame->GetData() + 14, 8), "A4 01 07 00 64 00 03 15");
    EXPECT_EQ(Out(6).PutLimitRecord(FALSE), nullptr);
}

TEST_F(OutputRecordsTest, PackersThatBuildAndThoseThatDoNot)
{
    CKTV_OutData& o = Out(3);
    EXPECT_EQ(o.PutLevelRecord(FALSE), nullptr);
    EXPECT_EQ(o.PutFiltersRecord(FALSE), nullptr);
    EXPECT_EQ(o.PutMixARecord(FALSE), nullptr);
    EXPECT_EQ(o.PutMixBRecord(FALSE), nullptr);
    const auto name = o.PutNameRecord();
    ASSERT_TRUE(name);
    EXPECT_EQ(name->GetData()[9], OUT_REC_NAME);
    const auto band = o.PutBandRecord(30, 30);
    ASSERT_TRUE(band);
    EXPECT_EQ(band->GetData()[9], 30);
    EXPECT_EQ(o.PutBandRecord(31, 31), nullptr);  // the crossovers have their own record
    EXPECT_EQ(o.PutBandRecord(-1, 0), nullptr);
}

TEST_F(OutputRecordsTest, ChannelWithoutABlockWritesNothing)
{
    CKTV_OutData loose;
    loose.SetChannelIndex(10);
    const std::vector<BYTE> before(g_Scene, g_Scene + SCENE_IMAGE_SIZE);
    EXPECT_EQ(loose.PutLevelRecord(TRUE), nullptr);
    EXPECT_EQ(loose.PutNameRecord(), nullptr);
    EXPECT_EQ(loose.PutBandRecord(0, 0), nullptr);
    loose.PutChannelRecords();
    BYTE block[OUTPUT_BLOCK_SIZE] = {};
    block[OUT_REC_LIMIT * 8 + 6] = 9;
    loose.LoadFromDevice(block);
    BYTE limit[8] = {};
    loose.GetLimitRecord(limit);
    EXPECT_EQ(limit[6], 0);
    EXPECT_EQ(std::vector<BYTE>(g_Scene, g_Scene + SCENE_IMAGE_SIZE), before);
    for (int i = 0; i < LINK_CHANNELS; ++i)
        EXPECT_EQ(g_nLinkGroup[i], i);
}

TEST_F(OutputRecordsTest, UnpackersStoreWithoutStampsOrCopies)
{
    g_bOnline = 1;
    g_nLinkGroup[1] = g_nLinkGroup[0];
    BYTE block[OUTPUT_BLOCK_SIZE];
    std::memcpy(block, g_Scene + BlockOffset(BLOCK_OUTPUT, 0), sizeof block);
    const BYTE level[8] = {0, 1, 0, 0, 0x30, 0x00, 1, 3};  // gain bytes 0: muted
    std::memcpy(block + 248, level, 8);
    const BYTE filters[8] = {0x50, 0x00, 0, 3, 0xD0, 0x07, 1, 8};
    std::memcpy(block + 256, filters, 8);
    std::memcpy(block + 264, "\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    std::memcpy(block + 272, "\x11\x12\x13\x14\x15\x16\x17\x18", 8);
    const BYTE limit[8] = {0x2C, 0x01, 0x0A, 0x00, 0x02, 0x00, 0x00, 0xFF};
    std::memcpy(block + 280, limit, 8);
    std::memcpy(block + 288, " Door \0\0", 8);
    const BYTE band[8] = {0xE8, 0x03, 0x08, 0x02, 0x64, 0x00, 0x01, 0x00};  // 1000 Hz, -8 dB
    std::memcpy(block + 5 * 8, band, 8);

    CKTV_OutData& o = Out(0);
    o.LoadFromDevice(block);
    EXPECT_EQ(o.GetOn(), 0);
    EXPECT_EQ(o.GetPolarity(), 1);
    EXPECT_TRUE(o.IsGainMute());
    EXPECT_EQ(o.GetGain(), 0);
    EXPECT_EQ(o.GetDelay(), 48);
    EXPECT_EQ(o.GetEqMode(), 1);
    EXPECT_TRUE(o.GetFilter(0)->GetFreqLock());
    EXPECT_EQ(o.GetSpeakerType(), 3);
    EXPECT_EQ(o.GetHighPass()->GetFreq(), 80);
    EXPECT_EQ(o.GetHighPass()->GetRefFreq(), 80);
    EXPECT_EQ(o.GetHighPass()->GetSlope(), 3);
    EXPECT_EQ(o.GetLowPass()->GetFreq(), 2000);
    EXPECT_EQ(o.GetLowPass()->GetFilterClass(), 1);
    EXPECT_EQ(o.GetLowPass()->GetSlope(), 8);
    EXPECT_EQ(o.GetMixA8(), 8);
    EXPECT_EQ(o.GetMixB1(), 0x11);
    EXPECT_EQ(o.GetLimitThreshold(), 300);
    EXPECT_EQ(o.GetLimitAttack(), 10);
    EXPECT_EQ(o.GetLimitRelease(), 2);
    EXPECT_EQ(g_nLinkGroup[0], 0);
    EXPECT_EQ(o.GetName(), "Door");
    EXPECT_NEAR(o.GetFilter(5)->GetGain(), -8.0, 1e-9);
    EXPECT_NEAR(o.GetFilter(5)->GetBandwidth(), 1.05, 1e-9);
    // The linked output 1 took nothing, and nothing is pending.
    EXPECT_EQ(Out(1).GetGain(), 600);
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(OutputRecordsTest, SendFiltersRecordSkipsTheOctaveWalk)
{
    g_bOnline = 1;
    CKTV_OutData& o = Out(1);
    o.GetHighPass()->SetFreq(5000, 1);
    EXPECT_EQ(o.GetHighPass()->GetRefFreq(), 20);
    const auto frame = o.SendFiltersRecord();
    ASSERT_TRUE(frame);
    EXPECT_EQ(ToHex(frame->GetData() + 14, 8), "88 13 02 01 20 4E 02 01");
    EXPECT_EQ(o.GetHighPass()->GetModified(), 0);
    EXPECT_EQ(Next(), kPollHex);
}

TEST_F(OutputRecordsTest, ReadersForTheMapAndTheLimiterGraph)
{
    Out(7).SetSpeakerType(2);
    Out(7).TakeFilterChanges();
    scene->CollectMapData();
    EXPECT_EQ(ToHex(g_MapData[7], 8), "58 02 02 07 DC 05 02 07");
    EXPECT_EQ(ToHex(g_MapData[0], 8), "14 00 02 01 20 4E 02 01");

    g_nLinkGroup[7] = 0x1FF;
    BYTE limit[8] = {0, 0, 0, 0, 0, 0, 0, 0x77};
    Out(7).GetLimitRecord(limit);
    EXPECT_EQ(ToHex(limit, 8), "A4 01 38 00 64 00 FF 77");

    BYTE mix[8];
    Out(7).SetMixB2(3);
    Out(7).GetMixBRecord(mix);
    EXPECT_EQ(ToHex(mix, 8), "64 03 64 64 64 64 64 64");
    Out(7).SetMixBBytes(reinterpret_cast<const BYTE*>("\x01\x01\x01\x01\x01\x01\x01\x01"));
    EXPECT_EQ(Out(7).GetMixB8(), 1);
    Out(7).GetMixARecord(mix);
    EXPECT_EQ(ToHex(mix, 8), "64 64 64 64 64 64 64 64");
}
