// Edits copied to the other outputs of a link group: which values travel, which stamps they
// set, and which edits stay on the channel that was edited.
#include "test_scene_support.h"

#include <functional>

using namespace scene_test;

namespace {

class ChannelLinksTest : public SceneTest {
protected:
    void LinkTwoThreeSeven()
    {
        g_nLinkGroup[3] = g_nLinkGroup[2];
        g_nLinkGroup[7] = g_nLinkGroup[2];
    }
};

struct Stamps {
    int level, limit, input, mixA, mixB, name;
    bool operator==(const Stamps& o) const
    {
        return level == o.level && limit == o.limit && input == o.input && mixA == o.mixA && mixB == o.mixB &&
               name == o.name;
    }
};

Stamps StampsOf(const CKTV_OutData& o)
{
    return {o.IsLevelModified(), o.IsLimitModified(), o.IsInputModified(),
            o.IsMixAModified(),  o.IsMixBModified(),  o.IsNameModified()};
}

std::string Describe(const Stamps& s)
{
    return "level " + std::to_string(s.level) + " limit " + std::to_string(s.limit) + " input " +
           std::to_string(s.input) + " mixA " + std::to_string(s.mixA) + " mixB " + std::to_string(s.mixB) +
           " name " + std::to_string(s.name);
}

struct LinkCase {
    const char* name;
    std::function<void(CKTV_OutData&)> edit;             // on output 2
    Stamps linkedStamps;                                  // of outputs 3 and 7 afterwards
    std::function<void(const CKTV_OutData&)> checkLinked;  // values of outputs 3 and 7
};

bool AnyBandStamped(const CKTV_OutData& o)
{
    for (int i = 0; i < o.GetFilterCount(); ++i) {
        if (o.GetFilter(i)->GetModified())
            return true;
    }
    return false;
}

}  // namespace

TEST_F(ChannelLinksTest, WhatALinkedOutputTakes)
{
    const Stamps none{0, 0, 0, 0, 0, 0};
    const std::vector<LinkCase> cases = {
        {"gain", [](CKTV_OutData& o) { o.SetGain(500); }, {1, 0, 0, 0, 0, 0},
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetGain(), 500);
             EXPECT_FALSE(o.IsGainMute());
         }},
        {"gain to mute", [](CKTV_OutData& o) { o.SetGain(0); }, {1, 0, 0, 0, 0, 0},
         [](const CKTV_OutData& o) {
             EXPECT_TRUE(o.IsGainMute());
             EXPECT_EQ(o.GetGain(), 0);
         }},
        // The linked outputs re-send their level record with their own polarity.
        {"polarity", [](CKTV_OutData& o) { o.SetPolarity(1); }, {1, 0, 0, 0, 0, 0},
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetPolarity(), 0);
             EXPECT_EQ(o.GetGain(), 600);
         }},
        {"EQ mode", [](CKTV_OutData& o) { o.SetEqMode(1); }, {1, 0, 0, 0, 0, 0},
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetEqMode(), 1);
             EXPECT_TRUE(o.GetFilter(0)->GetFreqLock());
             EXPECT_TRUE(o.GetFilter(30)->GetFreqLock());
             EXPECT_FALSE(o.GetHighPass()->GetFreqLock());
         }},
        {"on", [](CKTV_OutData& o) { o.SetOn(0); }, none, [](const CKTV_OutData& o) { EXPECT_EQ(o.GetOn(), 1); }},
        {"delay", [](CKTV_OutData& o) { o.SetDelay(48); }, none,
         [](const CKTV_OutData& o) { EXPECT_EQ(o.GetDelay(), 0); }},
        // Threshold, attack and release travel together.
        {"limiter threshold",
         [](CKTV_OutData& o) {
             const BYTE limit[8] = {0xA4, 0x01, 10, 0, 3, 0, 2, 0};  // byte 6 keeps the group
             o.SetLimitRecord(limit);
             o.SetLimitThreshold(300);
         },
         {0, 1, 0, 0, 0, 0},
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetLimitThreshold(), 300);
             EXPECT_EQ(o.GetLimitAttack(), 10);
             EXPECT_EQ(o.GetLimitRelease(), 3);
         }},
        {"limiter release", [](CKTV_OutData& o) { o.SetLimitRelease(2); }, {0, 1, 0, 0, 0, 0},
         [](const CKTV_OutData& o) { EXPECT_EQ(o.GetLimitRelease(), 2); }},
        {"limiter threshold unchanged", [](CKTV_OutData& o) { o.SetLimitThreshold(420); }, none,
         [](const CKTV_OutData& o) { EXPECT_EQ(o.GetLimitThreshold(), 420); }},
        // The compressor has no record: linked outputs mark their limiter record.
        {"compressor attack", [](CKTV_OutData& o) { o.SetCompAttack(30); }, {0, 1, 0, 0, 0, 0},
         [](const CKTV_OutData&) {}},
        {"input left level", [](CKTV_OutData& o) { o.SetInLeft(20); }, {0, 0, 1, 0, 0, 0},
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetInLeft(), 20);
             EXPECT_EQ(o.GetInRight(), 50);  // output 3 started at 1 (its right input on)
             EXPECT_EQ(o.GetIn5(), 80);
         }},
        {"input 3 level", [](CKTV_OutData& o) { o.SetIn3(0); }, {0, 0, 1, 0, 0, 0},
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetIn3(), 50);
             EXPECT_FALSE(o.GetIn3Mute());
         }},
        {"input left mute", [](CKTV_OutData& o) { o.SetInLeftMute(1); }, none,
         [](const CKTV_OutData& o) { EXPECT_EQ(o.GetInLeft(), 50); }},
        {"mix levels", [](CKTV_OutData& o) {
             o.SetMixA1(5);
             o.SetMixA9(5);
             o.SetMixB8(5);
         },
         none,
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetMixA1(), 100);
             EXPECT_EQ(o.GetMixA9(), 100);
             EXPECT_EQ(o.GetMixB8(), 100);
         }},
        {"speaker type", [](CKTV_OutData& o) { o.SetSpeakerType(1); }, none,
         [](const CKTV_OutData& o) {
             EXPECT_EQ(o.GetSpeakerType(), 0);
             EXPECT_EQ(o.GetHighPass()->GetFreq(), 20);
             EXPECT_FALSE(AnyBandStamped(o));
         }},
        {"name", [](CKTV_OutData& o) { o.SetName("Door"); }, none, [](const CKTV_OutData& o) {
             EXPECT_NE(o.GetName(), "Door");
         }},
        {"band and crossover", [](CKTV_OutData& o) {
             o.GetFilter(4)->SetGainIndex(250);
             o.GetLowPass()->SetFreq(5000, 1);
         },
         none,
         [](const CKTV_OutData& o) {
             EXPECT_TRUE(o.GetFilter(4)->IsBypassed());
             EXPECT_EQ(o.GetLowPass()->GetFreq(), 20000);
             EXPECT_FALSE(AnyBandStamped(o));
         }},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        LinkTwoThreeSeven();
        g_bOnline = 1;
        c.edit(Out(2));
        for (int linked : {3, 7}) {
            SCOPED_TRACE(linked);
            EXPECT_TRUE(StampsOf(Out(linked)) == c.linkedStamps) << Describe(StampsOf(Out(linked)));
            c.checkLinked(Out(linked));
        }
        // Outside the group nothing moves.
        EXPECT_TRUE(StampsOf(Out(4)) == none);
        EXPECT_EQ(Out(4).GetGain(), 600);
        EXPECT_EQ(Out(4).GetLimitThreshold(), 420);
        EXPECT_EQ(Out(4).GetInLeft(), 1);
    }
}

TEST_F(ChannelLinksTest, OfflineCopiesValuesWithoutStamps)
{
    LinkTwoThreeSeven();
    Out(7).SetGain(250);
    Out(7).SetLimitAttack(20);
    for (int linked : {2, 3}) {
        EXPECT_EQ(Out(linked).GetGain(), 250);
        EXPECT_EQ(Out(linked).GetLimitAttack(), 20);
        EXPECT_EQ(Out(linked).IsLevelModified(), 0);
        EXPECT_EQ(Out(linked).IsLimitModified(), 0);
    }
}

TEST_F(ChannelLinksTest, GroupValuesAreOnlyCompared)
{
    // No value is special: two outputs sharing any number are linked, even one read from a
    // device block far outside 0..9.
    g_nLinkGroup[4] = 200;
    g_nLinkGroup[9] = 200;
    g_bOnline = 1;
    Out(9).SetGain(111);
    EXPECT_EQ(Out(4).GetGain(), 111);
    EXPECT_EQ(Out(4).IsLevelModified(), 1);
    EXPECT_EQ(Out(5).GetGain(), 600);
}

TEST_F(ChannelLinksTest, StartStateLinksNothing)
{
    // Every output in a group of its own: no setter of output 0 reaches another output.
    g_bOnline = 1;
    for (int i = 1; i < OUTPUT_CHANNELS; ++i)
        Out(i).PutChannelRecords();
    std::vector<BYTE> before(g_Scene + BlockOffset(BLOCK_OUTPUT, 1), g_Scene + SCENE_IMAGE_SIZE);
    CKTV_OutData& o = Out(0);
    o.SetGain(1);
    o.SetPolarity(1);
    o.SetEqMode(1);
    o.SetOn(0);
    o.SetDelay(9);
    o.SetLimitThreshold(1);
    o.SetLimitAttack(1);
    o.SetLimitRelease(1);
    o.SetCompAttack(1);
    o.SetCompRelease(1);
    o.SetInLeft(9);
    o.SetInRight(9);
    o.SetIn3(9);
    o.SetIn4(9);
    o.SetIn5(9);
    o.SetSpeakerType(3);
    for (int i = 1; i < OUTPUT_CHANNELS; ++i) {
        EXPECT_TRUE(StampsOf(Out(i)) == (Stamps{0, 0, 0, 0, 0, 0})) << i;
        EXPECT_FALSE(AnyBandStamped(Out(i))) << i;
        EXPECT_EQ(Out(i).GetIn5(), 80) << i;
        Out(i).PutChannelRecords();
    }
    EXPECT_EQ(std::vector<BYTE>(g_Scene + BlockOffset(BLOCK_OUTPUT, 1), g_Scene + SCENE_IMAGE_SIZE), before);
}

TEST_F(ChannelLinksTest, MissingOrDetachedChannelsAreSkipped)
{
    LinkTwoThreeSeven();
    g_bOnline = 1;
    // A hole in the table is passed over.
    CKTV_OutData* three = g_pOutChannel[3];
    g_pOutChannel[3] = nullptr;
    Out(2).SetGain(321);
    g_pOutChannel[3] = three;
    EXPECT_EQ(Out(3).GetGain(), 600);
    EXPECT_EQ(Out(7).GetGain(), 321);

    // A channel object outside the table (a copy buffer) with the index of output 2 reaches
    // no output of the scene.
    CKTV_OutData buffer;
    buffer.SetChannelIndex(2);
    buffer.SetGain(99);
    buffer.SetLimitThreshold(99);
    buffer.SetInLeft(99);
    EXPECT_EQ(Out(3).GetGain(), 600);
    EXPECT_EQ(Out(7).GetGain(), 321);
    EXPECT_EQ(Out(3).GetLimitThreshold(), 420);
    EXPECT_EQ(Out(2).GetInLeft(), 1);
}

TEST_F(ChannelLinksTest, TableIsClearedWhenTheSceneGoes)
{
    CKTV_OutData* first = g_pOutChannel[5];
    EXPECT_EQ(first, scene->GetOutData(5));
    scene.reset();
    for (CKTV_OutData* p : g_pOutChannel)
        EXPECT_EQ(p, nullptr);
}
