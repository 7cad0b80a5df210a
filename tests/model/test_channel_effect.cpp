// The effect block: what a new effect object packs, the bytes it leaves to the image, its
// loader, and its stamps.
#include "test_scene_support.h"

using namespace scene_test;

namespace {

class EffectBlockTest : public SceneTest {
protected:
    BYTE* Block() { return g_Scene + EFFECT_BLOCK_OFFSET; }
};

}  // namespace

TEST_F(EffectBlockTest, NewEffectPacksItsDefaults)
{
    std::memset(Block(), 0xEE, EFFECT_BLOCK_SIZE);
    Effect().PutAllRecords();
    const BYTE* b = Block();
    EXPECT_EQ(ToHex(b, 8), "64 00 58 02 34 00 01 00");        // 100 Hz, 0 dB, 0.57 oct
    EXPECT_EQ(ToHex(b + 8, 8), "E8 03 58 02 34 00 01 00");    // 1000 Hz
    EXPECT_EQ(ToHex(b + 16, 8), "10 27 58 02 34 00 01 00");   // 10000 Hz
    EXPECT_EQ(ToHex(b + 24, 8), "EE EE EE EE EE EE EE EE");   // records 3..14 are carried
    EXPECT_EQ(ToHex(b + 112, 8), "EE EE EE EE EE EE EE EE");
    EXPECT_EQ(ToHex(b + 120, 8), "14 00 02 01 20 4E 02 01");
    EXPECT_EQ(ToHex(b + 128, 8), "14 54 32 44 EE EE 00 EE");  // 20, 84, 50, 68, -, -, 0, -
    EXPECT_EQ(ToHex(b + 136, 8), "12 32 00 28 32 EE EE 00");  // 18, 50, 0, 40, 50, -, -, 0
    EXPECT_EQ(ToHex(b + 144, 8), "45 66 66 65 63 74 00 00");  // "Effect"
}

TEST_F(EffectBlockTest, LoaderTakesEveryValueAndNoStamp)
{
    g_bOnline = 1;
    BYTE block[EFFECT_BLOCK_SIZE];
    for (int i = 0; i < EFFECT_BLOCK_SIZE; ++i)
        block[i] = BYTE(i * 7 + 3);
    std::memcpy(block + 120, "\x2C\x01\x01\x04\x88\x13\x00\x02", 8);  // 300 Hz, 5000 Hz
    std::memcpy(block + 144, " Room  X", 8);                          // the eighth byte is not read
    CEffect_Data& e = Effect();
    e.LoadFromDevice(block);
    EXPECT_EQ(e.GetName(), "Room");
    EXPECT_EQ(e.GetEchoBalance(), block[128]);
    EXPECT_EQ(e.GetEchoDelay(), block[129]);
    EXPECT_EQ(e.GetEchoParam3(), block[130]);
    EXPECT_EQ(e.GetEchoParam4(), block[131]);
    EXPECT_EQ(e.GetEchoParam5(), block[134]);
    EXPECT_EQ(e.GetReverbTime(), block[136]);
    EXPECT_EQ(e.GetReverbParam2(), block[137]);
    EXPECT_EQ(e.GetReverbParam3(), block[138]);
    EXPECT_EQ(e.GetReverbParam4(), block[139]);
    EXPECT_EQ(e.GetReverbParam5(), block[140]);
    EXPECT_EQ(e.GetReverbDelay(), block[143]);
    EXPECT_EQ(e.GetHighPass()->GetFreq(), 300);
    EXPECT_EQ(e.GetHighPass()->GetSlope(), 4);
    EXPECT_EQ(e.GetLowPass()->GetFreq(), 5000);
    EXPECT_EQ(e.GetLowPass()->GetFilterClass(), 0);
    for (int i = 0; i < e.GetFilterCount(); ++i)
        EXPECT_EQ(e.GetFilter(i)->GetModified(), 0) << i;
    EXPECT_EQ(e.IsNameModified() + e.IsEchoModified() + e.IsReverbModified(), 0);

    std::memset(Block(), 0, EFFECT_BLOCK_SIZE);
    e.PutAllRecords();
    EXPECT_EQ(ToHex(Block() + 120, 8), "2C 01 01 04 88 13 00 02");
    EXPECT_EQ(ToHex(Block() + 8, 8), ToHex(block + 8, 8));
    EXPECT_EQ(ToHex(Block() + 144, 8), "52 6F 6F 6D 00 00 00 00");
}

TEST_F(EffectBlockTest, ValuesPackAsTheirLowByte)
{
    Effect().SetEchoDelay(0x1234);
    Effect().SetReverbDelay(-1);
    Effect().PutAllRecords();
    EXPECT_EQ(Block()[129], 0x34);
    EXPECT_EQ(Block()[143], 0xFF);
}

TEST_F(EffectBlockTest, EditsStampButNeverSend)
{
    g_bOnline = 1;
    CEffect_Data& e = Effect();
    e.SetEchoParam4(10);
    EXPECT_EQ(e.IsEchoModified(), 1);
    e.SetReverbParam3(10);
    EXPECT_EQ(e.IsReverbModified(), 1);
    e.SetName("Club");
    EXPECT_EQ(e.IsNameModified(), 1);
    e.GetFilter(2)->SetGainIndex(150);
    EXPECT_EQ(Next(), kPollHex);
    scene->ClearAllModified(0);
    EXPECT_EQ(e.IsEchoModified() + e.IsReverbModified() + e.IsNameModified(), 0);
    EXPECT_EQ(e.GetFilter(2)->GetModified(), 0);
}

TEST_F(EffectBlockTest, BypassMuteAndCurve)
{
    CEffect_Data& e = Effect();
    EXPECT_TRUE(e.IsAllBypass());
    e.GetFilter(0)->SetGainIndex(320);
    EXPECT_FALSE(e.IsAllBypass());
    e.MuteAllBands(1);
    EXPECT_TRUE(e.IsAllBypass());
    e.MuteAllBands(0);
    e.SetCurveRect(CRect(0, 0, 600, 240));
    EXPECT_LT(e.GetCurve().GetPoints()[FREQ_GRID_POINTS / 4].y, 130);
    EXPECT_EQ(e.GetCurve().GetPoints()[FREQ_GRID_POINTS - 1].y, 130);
    EXPECT_EQ(e.GetHandleColor(), RGB(255, 0, 0));
    EXPECT_EQ(e.GetCurveColor(), g_clrEffectCurve);
}
