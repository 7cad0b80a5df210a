// The change scanner end to end: a user-level edit made online, then every frame the scanner
// hands the comm worker for it, byte for byte (check byte included; worked out independently
// of this code), then the idle state poll.
#include "test_scene_support.h"

#include <functional>

using namespace scene_test;

namespace {

struct EditCase {
    const char* name;
    std::function<void(CKTV_Data&)> edit;
    std::vector<std::string> frames;  // what follows the edit, before the poll
};

const std::string kSpeaker22 = "91 91 91 EE A1 01 00 04 00 20 00 00 08 00 14 00 00 03 ";

class ScannerFramesTest : public SceneTest {};

}  // namespace

TEST_F(ScannerFramesTest, EachEditYieldsItsFramesThenThePoll)
{
    const std::vector<EditCase> cases = {
        {"gain of output 4 to -10 dB", [](CKTV_Data& s) { s.GetOutData(4)->SetGain(500); },
         {"91 91 91 EE A1 01 00 04 04 1F 00 00 08 00 01 00 F4 01 00 00 00 00 43 AA"}},
        {"polarity of output 1 inverted", [](CKTV_Data& s) { s.GetOutData(1)->SetPolarity(1); },
         {"91 91 91 EE A1 01 00 04 01 1F 00 00 08 00 01 01 58 02 00 00 00 00 E8 AA"}},
        {"delay of output 2 to 1 ms", [](CKTV_Data& s) { s.GetOutData(2)->SetDelay(48); },
         {"91 91 91 EE A1 01 00 04 02 1F 00 00 08 00 01 00 58 02 30 00 00 00 DA AA"}},
        {"band 17 of output 0 to +3 dB", [](CKTV_Data& s) { s.GetOutData(0)->GetFilter(17)->SetGainIndex(230); },
         {"91 91 91 EE A1 01 00 04 00 11 00 00 08 00 E8 03 76 02 34 00 01 00 17 AA"}},
        // Two octaves up: the reference goes 40, 80, then 80 once more as the stamp clears.
        {"high-pass of output 3 to 80 Hz", [](CKTV_Data& s) { s.GetOutData(3)->GetHighPass()->SetFreq(80, 1); },
         {"91 91 91 EE A1 01 00 04 03 20 00 00 08 00 28 00 02 01 20 4E 02 01 C9 AA",
          "91 91 91 EE A1 01 00 04 03 20 00 00 08 00 50 00 02 01 20 4E 02 01 B1 AA",
          "91 91 91 EE A1 01 00 04 03 20 00 00 08 00 50 00 02 01 20 4E 02 01 B1 AA"}},
        // Link group byte 5 and flag bit 2 lie in the image already and travel as they are.
        {"limiter threshold of output 5 to 10 dBu",
         [](CKTV_Data& s) {
             LiveRecord(BLOCK_OUTPUT, 5, OUT_REC_LIMIT)[6] = 5;
             LiveRecord(BLOCK_OUTPUT, 5, OUT_REC_LIMIT)[7] = 0x04;
             s.GetOutData(5)->SetLimitThreshold(400);
         },
         {"91 91 91 EE A1 01 00 04 05 23 00 00 08 00 90 01 38 00 64 00 05 04 46 AA"}},
        {"mix A level 3 of output 6, linked with output 7",
         [](CKTV_Data& s) {
             g_nLinkGroup[7] = g_nLinkGroup[6];
             s.GetOutData(6)->SetMixA3(60);
         },
         {"91 91 91 EE A1 01 00 04 06 21 01 00 08 00 64 64 3C 64 64 64 64 64 D2 AA"}},
        {"mix B level 5 of output 9 off", [](CKTV_Data& s) { s.GetOutData(9)->SetMixB5(0); },
         {"91 91 91 EE A1 01 00 04 09 22 00 00 08 00 64 64 64 64 00 64 64 64 E3 AA"}},
        {"name of output 7", [](CKTV_Data& s) { s.GetOutData(7)->SetName("Sub"); },
         {"91 91 91 EE A1 01 00 04 07 24 00 00 08 00 53 75 62 00 00 00 00 00 CB AA"}},
        {"volume of music input 2", [](CKTV_Data& s) { s.GetMusicData(2)->SetVolume(500); },
         {"91 91 91 EE A1 01 00 03 02 1F 00 00 08 00 00 00 00 01 00 00 F4 01 42 AA"}},
        {"band 5 of music input 2 to +3 dB", [](CKTV_Data& s) { s.GetMusicData(2)->GetFilter(5)->SetGainIndex(230); },
         {"91 91 91 EE A1 01 00 03 02 05 00 00 08 00 EB 00 76 02 34 00 01 00 06 AA"}},
        {"gain of output 2, linked with output 3",
         [](CKTV_Data& s) {
             g_nLinkGroup[3] = g_nLinkGroup[2];
             s.GetOutData(2)->SetGain(300);
         },
         {"91 91 91 EE A1 01 00 04 02 1F 00 00 08 00 01 00 2C 01 00 00 00 00 9D AA",
          "91 91 91 EE A1 01 00 04 03 1F 00 00 08 00 01 00 2C 01 00 00 00 00 9C AA"}},
        // Subwoofer preset: high-pass 20 Hz, low-pass from 20000 down to 150 Hz one octave per
        // frame, Linkwitz-Riley 24 dB/oct. The speaker type itself rides on the next level record.
        {"speaker type of output 0 to subwoofer", [](CKTV_Data& s) { s.GetOutData(0)->SetSpeakerType(22); },
         {kSpeaker22 + "10 27 00 03 AF AA", kSpeaker22 + "88 13 00 03 03 AA", kSpeaker22 + "C4 09 00 03 55 AA",
          kSpeaker22 + "E2 04 00 03 7E AA", kSpeaker22 + "71 02 00 03 EB AA", kSpeaker22 + "38 01 00 03 A1 AA",
          kSpeaker22 + "9C 00 00 03 04 AA", kSpeaker22 + "96 00 00 03 0E AA", kSpeaker22 + "96 00 00 03 0E AA"}},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        g_bOnline = 1;
        c.edit(*scene);
        for (const std::string& expected : c.frames)
            EXPECT_EQ(Next(), expected);
        EXPECT_EQ(Next(), kPollHex);
        EXPECT_EQ(g_bSceneModified, 1);
        EXPECT_TRUE(ui.m_messages.empty());
    }
}

// The same frame goes out for a record whose bytes the packer just wrote into the live image,
// so the image and the device agree afterwards.
TEST_F(ScannerFramesTest, SentRecordIsInTheLiveImage)
{
    g_bOnline = 1;
    Out(4).SetGain(500);
    Out(4).SetDelay(960);
    const std::string frame = Next();
    EXPECT_EQ(RecordHex(BLOCK_OUTPUT, 4, OUT_REC_LEVEL), "01 00 F4 01 C0 03 00 00");
    EXPECT_EQ(frame.substr(14 * 3, 8 * 3 - 1), RecordHex(BLOCK_OUTPUT, 4, OUT_REC_LEVEL));
}
