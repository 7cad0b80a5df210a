// The compressor values of an output (model only) and the one release conversion.
#include "test_scene_support.h"

using namespace scene_test;

namespace {

class CompressorFieldsTest : public SceneTest {};

}  // namespace

TEST_F(CompressorFieldsTest, DefaultsAreNeutral)
{
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Out(i).GetCompRatio(), 1);     // 1:1
        EXPECT_EQ(Out(i).GetCompRelease(), 0);   // 50 ms
        EXPECT_EQ(Out(i).GetCompThreshold(), 0); // never above any limiter level
        EXPECT_EQ(Out(i).GetCompAttack(), 56);
    }
}

TEST_F(CompressorFieldsTest, SettersStoreAndClamp)
{
    struct Case {
        const char* name;
        void (CKTV_OutData::*set)(int);
        int in;
        int (*get)(const CKTV_OutData&);
        int expected;
    };
    auto level = [](const CKTV_OutData& o) { return int(o.GetCompThreshold()); };
    auto ratio = [](const CKTV_OutData& o) { return int(o.GetCompRatio()); };
    auto attack = [](const CKTV_OutData& o) { return int(o.GetCompAttack()); };
    auto release = [](const CKTV_OutData& o) { return int(o.GetCompRelease()); };
    const Case cases[] = {
        {"level", &CKTV_OutData::SetCompThreshold, 250, level, 250},
        {"level top", &CKTV_OutData::SetCompThreshold, 360, level, 360},
        {"level above +6 dBu", &CKTV_OutData::SetCompThreshold, 420, level, 360},
        {"level below", &CKTV_OutData::SetCompThreshold, -5, level, 0},
        {"ratio", &CKTV_OutData::SetCompRatio, 191, ratio, 191},
        {"ratio 0", &CKTV_OutData::SetCompRatio, 0, ratio, 1},
        {"ratio above", &CKTV_OutData::SetCompRatio, 300, ratio, 191},
        {"attack", &CKTV_OutData::SetCompAttack, 206, attack, 206},
        {"attack above", &CKTV_OutData::SetCompAttack, 207, attack, 206},
        {"release", &CKTV_OutData::SetCompRelease, 4950, release, 4950},
        {"release above", &CKTV_OutData::SetCompRelease, 6000, release, 4950},
        {"release 256 keeps its high byte", &CKTV_OutData::SetCompRelease, 256, release, 256},
    };
    g_bOnline = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKTV_OutData& o = Out(4);
        (o.*c.set)(c.in);
        EXPECT_EQ(c.get(o), c.expected);
        // The compressor has no record: no mix record, and mix level 9 keeps its value.
        EXPECT_EQ(o.IsMixAModified(), 0);
        EXPECT_EQ(o.IsMixBModified(), 0);
        EXPECT_EQ(o.GetMixA9(), 100);
    }
}

TEST_F(CompressorFieldsTest, LinkedOutputsTakeTheCompressor)
{
    g_bOnline = 1;
    g_nLinkGroup[2] = 7;
    g_nLinkGroup[3] = 7;
    g_nLinkGroup[9] = 7;
    Out(2).SetCompThreshold(120);
    Out(2).SetCompRatio(11);
    Out(2).SetCompRelease(950);
    for (int i : {3, 9}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Out(i).GetCompThreshold(), 120);
        EXPECT_EQ(Out(i).GetCompRatio(), 11);
        EXPECT_EQ(Out(i).GetCompRelease(), 950);
        EXPECT_EQ(Out(i).IsMixBModified(), 0);
    }
    EXPECT_EQ(Out(4).GetCompThreshold(), 0);  // another group
    EXPECT_EQ(Out(4).GetCompRatio(), 1);
}

TEST_F(CompressorFieldsTest, ReleaseConversionBothWays)
{
    const struct {
        int code, ms;
    } cases[] = {{0, 50}, {50, 100}, {100, 150}, {RELEASE_CODE_MAX, 5000}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReleaseCodeToMs(c.code), c.ms) << c.code;
        EXPECT_EQ(ReleaseMsToCode(c.ms), c.code) << c.ms;
    }
}
