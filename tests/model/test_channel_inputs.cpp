// The microphone and music inputs: setters and stamps, their records in the live image, the
// bytes they leave to the image, and their loaders.
#include "test_scene_support.h"

#include "Convert.h"

using namespace scene_test;

namespace {

class InputChannelsTest : public SceneTest {};

}  // namespace

TEST_F(InputChannelsTest, MicrophoneRecords)
{
    CMIC_InData& m = Mic();
    BYTE* block = g_Scene + MIC_BLOCK_OFFSET;
    std::memset(block, 0xEE, MIC_BLOCK_SIZE);
    m.SetVolume(0);
    EXPECT_TRUE(m.IsVolumeMute());
    EXPECT_EQ(m.GetVolume(), 0);
    m.SetThreshold(500);
    m.SetThresholdByte2(3);
    m.SetThresholdByte3(7);
    m.PutChannelRecords();
    EXPECT_EQ(ToHex(block + 72, 8), "00 00 01 01 00 00 00 00");  // level, polarity, mode, on, delay, volume muted
    EXPECT_EQ(ToHex(block + 80, 8), "14 00 02 00 20 4E 02 00");  // input crossovers start at slope 0
    EXPECT_EQ(ToHex(block + 88, 8), "28 EE EE EE EE EE EE EE");  // noise gate 40, the rest carried
    EXPECT_EQ(ToHex(block + 96, 8), "F4 01 03 07 EE EE EE EE");
    EXPECT_EQ(ToHex(block + 104, 8), "4D 69 63 20 31 00 00 00");  // "Mic 1"
    EXPECT_EQ(ToHex(block, 8), "14 00 58 02 34 00 00 01");        // low shelf at 20 Hz, 6 dB/oct
    EXPECT_EQ(ToHex(block + 64, 8), "0B 04 58 02 34 00 00 02");   // high shelf at 1035 Hz
    m.SetVolume(400);
    EXPECT_FALSE(m.IsVolumeMute());
    m.PutLevelRecord(FALSE);
    EXPECT_EQ(ToHex(block + 78, 2), "90 01");
}

TEST_F(InputChannelsTest, MicrophoneFramesAndLoader)
{
    g_bOnline = 1;
    CMIC_InData& m = Mic();
    m.SetLevel(2);
    EXPECT_EQ(m.IsLevelModified(), 1);
    const auto frame = m.PutLevelRecord(TRUE);
    ASSERT_TRUE(frame);
    EXPECT_EQ(ToHex(frame->GetData(), 10), "91 91 91 EE A1 01 00 01 00 09");
    const auto whole = m.SendAll(2);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->GetLength(), 128);
    EXPECT_EQ(whole->GetData()[6], 2);

    BYTE block[MIC_BLOCK_SIZE] = {};
    const BYTE level[8] = {5, 1, 9, 0, 0x10, 0x00, 0x00, 0x00};
    std::memcpy(block + 72, level, 8);
    const BYTE filters[8] = {0x64, 0x00, 1, 1, 0x10, 0x27, 0, 1};
    std::memcpy(block + 80, filters, 8);
    block[88] = 77;
    std::memcpy(block + 96, "\x20\x03\x04\x05", 4);
    std::memcpy(block + 104, "Mic  A\0\0", 8);
    m.LoadFromDevice(block);
    EXPECT_EQ(m.GetLevel(), 5);
    EXPECT_EQ(m.GetPolarity(), 1);
    EXPECT_EQ(m.GetModeByte(), 9);
    EXPECT_EQ(m.GetOn(), 0);
    EXPECT_EQ(m.GetDelay(), 16);
    EXPECT_TRUE(m.IsVolumeMute());
    EXPECT_EQ(m.GetNoiseGate(), 77);
    EXPECT_EQ(m.GetThreshold(), 800);
    EXPECT_EQ(m.GetThresholdByte2(), 4);
    EXPECT_EQ(m.GetThresholdByte3(), 5);
    EXPECT_EQ(m.GetName(), "Mic  A");
    EXPECT_EQ(m.GetHighPass()->GetFreq(), 100);
    EXPECT_EQ(m.GetHighPass()->GetRefFreq(), 100);
    EXPECT_EQ(m.GetHighPass()->GetModified(), 0);
    EXPECT_EQ(m.GetLowPass()->GetFreq(), 10000);
    EXPECT_EQ(m.GetLowPass()->GetModified(), 0);
    EXPECT_EQ(m.GetFilter(3)->GetModified(), 0);
}

TEST_F(InputChannelsTest, MusicVolumeRecordLeavesByteZeroToTheImage)
{
    CMusic_InData& u = Music(3);
    BYTE* rec = LiveRecord(BLOCK_MUSIC, 3, 31);
    rec[0] = 0x5A;
    u.SetPolarity(1);
    u.SetEqMode(1);
    u.SetDelay(300);
    u.SetVolume(0);
    u.PutVolumeRecord(FALSE);
    EXPECT_EQ(RecordHex(BLOCK_MUSIC, 3, 31), "5A 01 01 01 2C 01 00 00");
    u.SetNoiseGate(90);
    u.SetThreshold(-1);
    u.PutChannelRecords();
    EXPECT_EQ(LiveRecord(BLOCK_MUSIC, 3, 33)[0], 90);
    EXPECT_EQ(RecordHex(BLOCK_MUSIC, 3, 34).substr(0, 11), "FF FF 00 00");
    EXPECT_EQ(RecordHex(BLOCK_MUSIC, 3, 35), "4D 75 73 69 63 20 34 00");  // "Music 4"
    EXPECT_EQ(RecordHex(BLOCK_MUSIC, 3, 32), "14 00 02 00 20 4E 02 00");
    EXPECT_EQ(RecordHex(BLOCK_MUSIC, 3, 15), "76 02 58 02 34 00 01 00");  // band 15 at 630 Hz
}

TEST_F(InputChannelsTest, MusicEqModeLocksTheBandsOnly)
{
    CMusic_InData& u = Music(0);
    u.SetEqMode(1);
    EXPECT_EQ(u.GetEqMode(), 1);
    for (int i = 0; i < 31; ++i)
        EXPECT_TRUE(u.GetFilter(i)->GetFreqLock()) << i;
    EXPECT_FALSE(u.GetHighPass()->GetFreqLock());
    EXPECT_FALSE(u.GetLowPass()->GetFreqLock());
}

TEST_F(InputChannelsTest, MusicLoaderAndFrames)
{
    g_bOnline = 1;
    BYTE block[MUSIC_BLOCK_SIZE] = {};
    std::memcpy(block + 248, "\x09\x01\x01\x00\x05\x00\x58\x02", 8);
    std::memcpy(block + 256, "\x1E\x00\x00\x02\x40\x1F\x01\x02", 8);
    block[264] = 12;
    std::memcpy(block + 272, "\x10\x00\x01\x02", 4);
    std::memcpy(block + 280, "  Aux \0\0", 8);
    CMusic_InData& u = Music(4);
    u.LoadFromDevice(block);
    EXPECT_EQ(u.GetOn(), 0);
    EXPECT_EQ(u.GetPolarity(), 1);
    EXPECT_EQ(u.GetEqMode(), 1);
    EXPECT_TRUE(u.GetFilter(30)->GetFreqLock());
    EXPECT_EQ(u.GetDelay(), 5);
    EXPECT_EQ(u.GetVolume(), 600);
    EXPECT_EQ(u.GetHighPass()->GetFreq(), 30);
    EXPECT_EQ(u.GetLowPass()->GetFreq(), 8000);
    EXPECT_EQ(u.GetNoiseGate(), 12);
    EXPECT_EQ(u.GetThreshold(), 16);
    EXPECT_EQ(u.GetThresholdByte3(), 2);
    EXPECT_EQ(u.GetName(), "Aux");
    EXPECT_EQ(Next(), kPollHex);

    const auto name = u.PutNameRecord();
    ASSERT_TRUE(name);
    EXPECT_EQ(FrameHex(name).substr(0, 41), "91 91 91 EE A1 01 00 03 04 23 00 00 08 00");
    EXPECT_EQ(u.PutBandRecord(31, 31), nullptr);
    const auto whole = u.SendAll(0);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->GetLength(), 304);
}

TEST_F(InputChannelsTest, StampsAndCopies)
{
    g_bOnline = 1;
    CMusic_InData& u = Music(1);
    u.SetName("Line");
    u.SetThresholdByte2(1);
    u.SetAllModified(0);
    EXPECT_EQ(u.IsNameModified() + u.IsThresholdModified() + u.IsVolumeModified() + u.IsNoiseGateModified(), 0);
    u.SetAllModified(1);
    EXPECT_EQ(u.IsNameModified() + u.IsThresholdModified() + u.IsVolumeModified() + u.IsNoiseGateModified(), 4);
    EXPECT_EQ(u.GetLowPass()->GetModified(), 1);
    u.SetAllModified(0);

    u.GetHighPass()->SetFreq(50, 1);  // from 20 Hz: 40, 50, then 50 once more as it settles
    EXPECT_TRUE(u.TakeFilterChanges());
    EXPECT_EQ(u.GetHighPass()->GetRefFreq(), 40);
    EXPECT_TRUE(u.TakeFilterChanges());
    EXPECT_TRUE(u.TakeFilterChanges());
    EXPECT_FALSE(u.TakeFilterChanges());

    Music(2).SetVolume(123);
    Music(2).SetThreshold(321);
    Music(2).GetFilter(9)->SetGainIndex(240);
    u.SetVolumeModified(0);
    u.CopyFrom(Music(2));
    EXPECT_EQ(u.GetVolume(), 123);
    EXPECT_EQ(u.GetThreshold(), 321);
    EXPECT_EQ(u.GetName(), "Music 3");
    EXPECT_EQ(u.GetFilter(9)->GetGainIndex(), 240);
    EXPECT_EQ(u.IsVolumeModified(), 0);

    CMIC_InData other;
    other.SetVolume(0);
    other.SetDelay(3);
    Mic().CopyFrom(other);
    EXPECT_TRUE(Mic().IsVolumeMute());
    EXPECT_EQ(Mic().GetDelay(), 3);
    EXPECT_EQ(Mic().GetName(), "");
}

TEST_F(InputChannelsTest, InputCurves)
{
    Music(0).SetCurveRect(CRect(0, 0, 300, 120));
    Mic().SetCurveRect(CRect(0, 0, 300, 120));
    Music(0).GetFilter(20)->SetGainIndex(320);
    Music(0).RecalcCurve();
    Mic().RecalcCurve();
    EXPECT_EQ(Mic().GetCurve().GetPoints()[100].y, 70);
    EXPECT_FLOAT_EQ(Mic().GetCurve().GetFloatPoints()[100].y, 70.0f);
    EXPECT_LT(Music(0).GetCurve().GetPoints()[FreqToBandIndex(2000)].y, 70);
}
