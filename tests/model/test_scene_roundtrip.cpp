// Whole scenes between the byte image and the typed model: a scene image loaded into the scene
// object and packed back is the same image, byte for byte; the packers write exactly the
// bytes the model owns and carry the rest; and a scene edited in every block survives a trip
// through the image into a second scene object.
#include "test_scene_support.h"

#include <random>
#include <set>

using namespace scene_test;

namespace {

// Fills a name field with 0..nMax printable, non-blank bytes and zeros after them. Name fields
// are texts: loading cuts them at the first zero and trims blanks at both ends, so bytes after
// a zero or blanks at an end do not come back. (The effect name is read from its first 7 bytes
// only, so its eighth byte is always 0 in a valid block.)
void PutRandomName(BYTE* field, int nMax, std::mt19937& rng)
{
    const int len = int(rng() % unsigned(nMax + 1));
    for (int i = 0; i < 8; ++i)
        field[i] = i < len ? BYTE('!' + rng() % 94) : 0;
}

// A pseudo-random scene image that is valid in the one way the loaders care about: its name
// fields hold texts. Every other byte is random, out-of-range values included.
void MakeRandomImage(BYTE* image, unsigned seed)
{
    std::mt19937 rng(seed);
    for (int i = 0; i < SCENE_IMAGE_SIZE; ++i)
        image[i] = BYTE(rng());
    PutRandomName(image + EFFECT_BLOCK_OFFSET + 144, 7, rng);
    // The microphone name is not trimmed: only bytes after a zero are lost.
    BYTE* mic = image + MIC_BLOCK_OFFSET + 13 * 8;
    for (int i = int(rng() % 9); i < 8; ++i)
        mic[i] = 0;
    for (int c = 0; c < MUSIC_CHANNELS; ++c)
        PutRandomName(image + BlockOffset(BLOCK_MUSIC, c) + 35 * 8, 8, rng);
    for (int c = 0; c < OUTPUT_CHANNELS; ++c)
        PutRandomName(image + BlockOffset(BLOCK_OUTPUT, c) + OUT_REC_NAME * 8, 8, rng);
}

// Image bytes no packer writes: they belong to the device, the link table or the output page.
std::set<int> CarriedBytes()
{
    std::set<int> carried;
    auto range = [&](int from, int count) {
        for (int i = 0; i < count; ++i)
            carried.insert(from + i);
    };
    range(0, 32);                                         // scene name and the 16 bytes after it
    range(EFFECT_BLOCK_OFFSET + 24, 96);                  // effect band records 3..14
    for (int at : {132, 133, 135, 141, 142})              // unused echo and reverb bytes
        carried.insert(EFFECT_BLOCK_OFFSET + at);
    range(MIC_BLOCK_OFFSET + 11 * 8 + 1, 7);              // after the noise gate byte
    range(MIC_BLOCK_OFFSET + 12 * 8 + 4, 4);              // after the threshold bytes
    for (int c = 0; c < MUSIC_CHANNELS; ++c) {
        const int block = BlockOffset(BLOCK_MUSIC, c);
        carried.insert(block + 31 * 8);                   // volume record byte 0
        range(block + 33 * 8 + 1, 7);
        range(block + 34 * 8 + 4, 4);
    }
    for (int c = 0; c < OUTPUT_CHANNELS; ++c)
        range(BlockOffset(BLOCK_OUTPUT, c) + OUT_REC_LIMIT * 8 + 6, 2);  // link group, flag bits
    return carried;
}

class SceneRoundTripTest : public SceneTest {};

}  // namespace

TEST_F(SceneRoundTripTest, LoadedImagePacksBackByteIdentical)
{
    for (unsigned seed : {1u, 2u, 3u, 4984u}) {
        SCOPED_TRACE(seed);
        // As after a data reply: the image lies in the live scene, the model is loaded from it.
        MakeRandomImage(g_Scene, seed);
        const std::vector<BYTE> image(g_Scene, g_Scene + SCENE_IMAGE_SIZE);
        scene->SetFromDevice(g_Scene, 0);
        scene->PackAll();
        for (int i = 0; i < SCENE_IMAGE_SIZE; ++i)
            ASSERT_EQ(g_Scene[i], image[size_t(i)]) << "byte " << i;
        EXPECT_TRUE(ui.m_messages.empty());
    }
}

TEST_F(SceneRoundTripTest, PackersWriteTheModelsBytesAndCarryTheRest)
{
    BYTE source[SCENE_IMAGE_SIZE];
    MakeRandomImage(source, 77);
    scene->SetFromDevice(source, 6);
    MakeRandomImage(g_Scene, 78);
    const std::vector<BYTE> before(g_Scene, g_Scene + SCENE_IMAGE_SIZE);
    scene->PackAll();
    const std::set<int> carried = CarriedBytes();
    for (int i = 0; i < SCENE_IMAGE_SIZE; ++i) {
        if (carried.count(i))
            ASSERT_EQ(g_Scene[i], before[size_t(i)]) << "carried byte " << i;
        else
            ASSERT_EQ(g_Scene[i], source[i]) << "model byte " << i;
    }
}

TEST_F(SceneRoundTripTest, LinkGroupsComeFromTheImage)
{
    BYTE source[SCENE_IMAGE_SIZE];
    MakeRandomImage(source, 5);
    for (int c = 0; c < OUTPUT_CHANNELS; ++c)
        source[BlockOffset(BLOCK_OUTPUT, c) + OUT_REC_LIMIT * 8 + 6] = BYTE(c < 5 ? 3 : 200 + c);
    scene->SetFromDevice(source, 1);
    for (int c = 0; c < OUTPUT_CHANNELS; ++c)
        EXPECT_EQ(g_nLinkGroup[c], c < 5 ? 3 : 200 + c) << c;
    BYTE record[8] = {0, 0, 0, 0, 0, 0, 0, 0x5A};
    Out(2).GetLimitRecord(record);
    EXPECT_EQ(record[6], 3);
    EXPECT_EQ(record[7], 0x5A);
}

TEST_F(SceneRoundTripTest, EffectBlockOnlyFromLiveOrSixthScene)
{
    BYTE source[SCENE_IMAGE_SIZE];
    MakeRandomImage(source, 9);
    source[EFFECT_BLOCK_OFFSET + 129] = 33;
    scene->SetFromDevice(source, 3);
    EXPECT_EQ(Effect().GetEchoDelay(), 84);
    EXPECT_EQ(Effect().GetName(), "Effect");
    scene->SetFromDevice(source, -1);
    EXPECT_EQ(Effect().GetEchoDelay(), 84);
    scene->SetFromDevice(source, 0);
    EXPECT_EQ(Effect().GetEchoDelay(), 33);
    source[EFFECT_BLOCK_OFFSET + 129] = 44;
    scene->SetFromDevice(source, 6);
    EXPECT_EQ(Effect().GetEchoDelay(), 44);
}

TEST_F(SceneRoundTripTest, EditedSceneSurvivesIntoAnotherSceneObject)
{
    // Every block edited away from its defaults, offline as when a file is applied.
    CEffect_Data& e = Effect();
    e.SetName("Hall");
    e.SetEchoBalance(150);
    e.SetEchoDelay(99);
    e.SetEchoParam3(7);
    e.SetEchoParam4(8);
    e.SetEchoParam5(9);
    e.SetReverbTime(30);
    e.SetReverbParam2(11);
    e.SetReverbParam3(12);
    e.SetReverbParam4(13);
    e.SetReverbParam5(14);
    e.SetReverbDelay(15);
    e.GetFilter(1)->SetGainIndex(260);
    e.GetHighPass()->SetFreq(90, 1);
    e.GetLowPass()->SetSlope(2, 1);

    CMIC_InData& m = Mic();
    m.SetName("Vox");
    m.SetLevel(4);
    m.SetOn(0);
    m.SetPolarity(1);
    m.SetModeByte(2);
    m.SetDelay(33);
    m.SetVolume(380);
    m.SetNoiseGate(55);
    m.SetThreshold(480);
    m.SetThresholdByte2(3);
    m.SetThresholdByte3(7);
    m.GetFilter(8)->SetBandwidthIndex(80);
    m.GetLowPass()->SetFreq(9000, 1);

    for (int i = 0; i < MUSIC_CHANNELS; ++i) {
        CMusic_InData& u = Music(i);
        u.SetName("In" + std::to_string(i));
        u.SetOn(i % 2);
        u.SetPolarity(1);
        u.SetDelay(10 + i);
        u.SetVolume(300 + i);
        u.SetEqMode(1);
        u.SetNoiseGate(60 + i);
        u.SetThreshold(400 + i);
        u.SetThresholdByte2(i);
        u.SetThresholdByte3(9 - i);
        u.GetFilter(i * 5)->SetGainIndex(150 + i);
        u.GetHighPass()->SetFreq(40 + i, 1);
        u.GetLowPass()->SetFilterClass(0, 1);
    }
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        CKTV_OutData& o = Out(i);
        o.SetName("Out" + std::to_string(i));
        o.SetOn(0);
        o.SetPolarity(1);
        o.SetGain(short(400 + i));
        o.SetDelay(short(100 + i));
        o.SetEqMode(BYTE(i % 2));
        o.SetSpeakerType(i + 10);
        o.SetLimitThreshold(short(300 + i));
        o.SetLimitAttack(short(20 + i));
        o.SetLimitRelease(short(i % 6));
        for (int n = 1; n <= 8; ++n) {
            o.SetMixA(n, BYTE(10 * n + i));
            o.SetMixB(n, BYTE(5 * n + i));
        }
        o.GetFilter(30 - i)->SetGainIndex(300 - i);
        o.GetFilter(i)->SetBandwidthIndex(10 + i);
    }
    scene->PackAll();
    const std::vector<BYTE> packed(g_Scene, g_Scene + SCENE_IMAGE_SIZE);

    CKTV_Data copy;
    copy.SetFromDevice(packed.data(), 0);
    InitAllData();
    copy.PackAll();
    EXPECT_EQ(std::vector<BYTE>(g_Scene + 32, g_Scene + SCENE_IMAGE_SIZE),
              std::vector<BYTE>(packed.begin() + 32, packed.end()));

    // A few values read back through the copy's own getters.
    EXPECT_EQ(copy.GetEffectData()->GetName(), "Hall");
    EXPECT_EQ(copy.GetEffectData()->GetReverbTime(), 30);
    EXPECT_EQ(copy.GetMicData(0)->GetThresholdByte3(), 7);
    EXPECT_EQ(copy.GetMicData(0)->GetLowPass()->GetFreq(), 9000);
    EXPECT_EQ(copy.GetMusicData(5)->GetName(), "In5");
    EXPECT_EQ(copy.GetMusicData(5)->GetEqMode(), 1);
    EXPECT_TRUE(copy.GetMusicData(5)->GetFilter(25)->GetFreqLock());
    EXPECT_EQ(copy.GetOutData(9)->GetSpeakerType(), 19);
    EXPECT_EQ(copy.GetOutData(9)->GetHighPass()->GetFreq(), 2200);
    EXPECT_EQ(copy.GetOutData(3)->GetGain(), 403);
    EXPECT_EQ(copy.GetOutData(3)->GetMixB8(), 43);
    EXPECT_EQ(copy.GetOutData(3)->GetFilter(27)->GetGainIndex(), 297);
    for (int i = 0; i < OUTPUT_CHANNELS; ++i)
        EXPECT_EQ(copy.GetOutData(i)->IsLevelModified(), 0);
}
