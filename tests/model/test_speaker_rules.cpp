// Speaker-type numbering and names, and the state rules: what assigning and releasing each
// type does to the 25 states, the start map, and channel types that come from the device.
#include "SceneImage.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// States of types 0..24 as digits, by position: "none FL FR RL RR centre sub".
std::string StatesText()
{
    static const int kSplit[] = {1, 7, 13, 16, 19, 22};
    std::string text;
    for (int t = 0; t < SPEAKER_TYPE_COUNT; ++t) {
        for (int split : kSplit) {
            if (t == split)
                text += ' ';
        }
        text += char('0' + g_bySpeakerType[t]);
    }
    return text;
}

const char* const kAllFree = "3 333333 333333 333 333 333 333";

std::vector<int> Table() { return std::vector<int>(g_bySpeakerType, g_bySpeakerType + SPEAKER_TABLE_SIZE); }

std::vector<int> ChannelTypes(int n = SPEAKER_CHANNELS)
{
    return std::vector<int>(g_bySpeakerType + SPEAKER_CHANNEL_BASE, g_bySpeakerType + SPEAKER_CHANNEL_BASE + n);
}

void SetChannelTypes(const std::vector<int>& types)
{
    for (int ch = 0; ch < SPEAKER_CHANNELS; ++ch)
        SpeakerTypeOf(g_bySpeakerType, ch) = BYTE(ch < int(types.size()) ? types[ch] : 0);
}

class SpeakerRulesTest : public ::testing::Test {
protected:
    // Every state free, every channel without a type.
    void SetUp() override
    {
        InitAllData();
        ResetSpeakerTypes();
        SetChannelTypes({});
    }
};

struct Op {
    char kind;  // 'A' assign, 'R' release
    int type;
};

struct RuleCase {
    const char* name;
    std::vector<Op> ops;
    const char* states;  // after the ops, from all free
};

const RuleCase kRuleCases[] = {
    // Front left: each way alone, and the right side following it.
    {"assign FL tweeter", {{'A', 1}}, "3 233131 333131 333 333 333 333"},
    {"assign FL midrange", {{'A', 2}}, "3 323111 333111 333 333 333 333"},
    {"assign FL woofer", {{'A', 3}}, "3 332311 333311 333 333 333 333"},
    {"assign FL mid+tweeter", {{'A', 4}}, "3 113211 113311 333 333 333 333"},
    {"assign FL mid+woofer", {{'A', 5}}, "3 311121 311131 333 333 333 333"},
    {"assign FL full", {{'A', 6}}, "3 111112 111113 333 333 333 333"},
    // Front right uses the same table; the left side follows.
    {"assign FR tweeter", {{'A', 7}}, "3 333131 233131 333 333 333 333"},
    {"assign FR full", {{'A', 12}}, "3 111113 111112 333 333 333 333"},
    // Two ways together.
    {"tweeter then woofer", {{'A', 1}, {'A', 3}}, "3 232111 333111 333 333 333 333"},
    {"midrange then tweeter", {{'A', 2}, {'A', 1}}, "3 223111 333111 333 333 333 333"},
    {"both tweeters", {{'A', 1}, {'A', 7}}, "3 233131 233131 333 333 333 333"},
    // Full range over an assigned right tweeter: the mirror blocks 8..11 and frees 12 only.
    {"FR tweeter then FL full", {{'A', 7}, {'A', 6}}, "3 111112 211113 333 333 333 333"},
    // Releases.
    {"release FL tweeter", {{'A', 1}, {'R', 1}}, kAllFree},
    {"release FL tweeter, FR tweeter stays", {{'A', 1}, {'A', 7}, {'R', 1}}, "3 333131 233131 333 333 333 333"},
    {"release midrange beside tweeter", {{'A', 2}, {'A', 1}, {'R', 2}}, "3 233131 333131 333 333 333 333"},
    {"release woofer beside tweeter", {{'A', 1}, {'A', 3}, {'R', 3}}, "3 233131 333131 333 333 333 333"},
    {"release mid+tweeter", {{'A', 4}, {'R', 4}}, kAllFree},
    {"release mid+woofer", {{'A', 5}, {'R', 5}}, kAllFree},
    {"release FL full, FR full stays", {{'A', 6}, {'A', 12}, {'R', 6}}, "3 111113 111112 333 333 333 333"},
    {"release both fulls", {{'A', 6}, {'A', 12}, {'R', 6}, {'R', 12}}, kAllFree},
    // Rear.
    {"assign RL tweeter", {{'A', 13}}, "3 333333 333333 231 331 333 333"},
    {"assign RL tweeter and woofer", {{'A', 13}, {'A', 14}}, "3 333333 333333 221 331 333 333"},
    {"release RL tweeter beside woofer", {{'A', 13}, {'A', 14}, {'R', 13}}, "3 333333 333333 321 331 333 333"},
    {"assign RL full", {{'A', 15}}, "3 333333 333333 112 113 333 333"},
    {"release RL full", {{'A', 15}, {'R', 15}}, kAllFree},
    {"release RL full, RR full stays", {{'A', 15}, {'A', 18}, {'R', 15}}, "3 333333 333333 113 112 333 333"},
    {"assign RR tweeter", {{'A', 16}}, "3 333333 333333 331 231 333 333"},
    {"release RL tweeter, RR woofer stays", {{'A', 13}, {'A', 17}, {'R', 13}}, "3 333333 333333 331 321 333 333"},
    // Centre and subwoofers stand alone.
    {"assign C tweeter", {{'A', 19}}, "3 333333 333333 333 333 231 333"},
    {"assign C tweeter and woofer", {{'A', 19}, {'A', 20}}, "3 333333 333333 333 333 221 333"},
    {"release C tweeter beside woofer", {{'A', 19}, {'A', 20}, {'R', 19}}, "3 333333 333333 333 333 321 333"},
    {"release both centre ways", {{'A', 19}, {'A', 20}, {'R', 19}, {'R', 20}}, kAllFree},
    {"assign C full", {{'A', 21}}, "3 333333 333333 333 333 112 333"},
    {"release C full", {{'A', 21}, {'R', 21}}, kAllFree},
    {"assign R subwoofer", {{'A', 23}}, "3 333333 333333 333 333 333 321"},
    {"release R beside L subwoofer", {{'A', 22}, {'A', 23}, {'R', 23}}, "3 333333 333333 333 333 333 231"},
    {"assign single subwoofer", {{'A', 24}}, "3 333333 333333 333 333 333 112"},
    {"assign none", {{'A', 0}}, "2 333333 333333 333 333 333 333"},
};

}  // namespace

TEST(SpeakerTypeNames, StringTablesByIdInBothLanguages)
{
    struct {
        UINT id;
        const char* text;
    } const cases[] = {
        {6200, "NULL"}, {6204, "FL-M && T"}, {6211, "FR-M && WF"}, {6224, "Subwoofer"},
        {6300, "空"}, {6305, "前置左中低频"}, {6315, "后置左全频"}, {6324, "超低频"},
        {6199, ""}, {6225, ""}, {6299, ""}, {6325, ""}, {0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadSpeakerTypeString(c.id), c.text) << c.id;

    std::set<CString> names;
    for (int t = 0; t < SPEAKER_TYPE_COUNT; ++t) {
        EXPECT_EQ(GetSpeakerTypeName(t, FALSE), LoadSpeakerTypeString(6200 + t));
        EXPECT_EQ(GetSpeakerTypeName(t, TRUE), LoadSpeakerTypeString(6300 + t));
        names.insert(GetSpeakerTypeName(t, FALSE));
        names.insert(GetSpeakerTypeName(t, TRUE));
    }
    EXPECT_EQ(names.size(), 2u * SPEAKER_TYPE_COUNT) << "every name present and distinct";
    for (int t : {-1, 25, 26, 255}) {
        EXPECT_EQ(GetSpeakerTypeName(t, FALSE), "") << t;
        EXPECT_EQ(GetSpeakerTypeName(t, TRUE), "") << t;
    }
}

TEST(SpeakerTypeNames, GroupSideAndCounterpart)
{
    const SpeakerTypeGroup groups[SPEAKER_TYPE_COUNT] = {
        SPKGRP_NONE,
        SPKGRP_FRONT_LEFT, SPKGRP_FRONT_LEFT, SPKGRP_FRONT_LEFT, SPKGRP_FRONT_LEFT, SPKGRP_FRONT_LEFT, SPKGRP_FRONT_LEFT,
        SPKGRP_FRONT_RIGHT, SPKGRP_FRONT_RIGHT, SPKGRP_FRONT_RIGHT, SPKGRP_FRONT_RIGHT, SPKGRP_FRONT_RIGHT, SPKGRP_FRONT_RIGHT,
        SPKGRP_REAR_LEFT, SPKGRP_REAR_LEFT, SPKGRP_REAR_LEFT, SPKGRP_REAR_RIGHT, SPKGRP_REAR_RIGHT, SPKGRP_REAR_RIGHT,
        SPKGRP_CENTRE, SPKGRP_CENTRE, SPKGRP_CENTRE, SPKGRP_SUBWOOFER, SPKGRP_SUBWOOFER, SPKGRP_SUBWOOFER,
    };
    for (int t = 0; t < SPEAKER_TYPE_COUNT; ++t)
        EXPECT_EQ(GetSpeakerTypeGroup(t), groups[t]) << t;

    const std::set<int> withoutCounterpart = {0, 19, 20, 21, 24};
    for (int t = 0; t < SPEAKER_TYPE_COUNT; ++t) {
        const int c = GetCounterpartType(t);
        if (withoutCounterpart.count(t)) {
            EXPECT_EQ(c, -1) << t;
            EXPECT_EQ(GetSpeakerTypeSide(t), -1) << t;
            continue;
        }
        ASSERT_GE(c, 0) << t;
        EXPECT_EQ(GetCounterpartType(c), t) << t;
        EXPECT_EQ(GetSpeakerTypeSide(t) + GetSpeakerTypeSide(c), 1) << t << " and " << c << " on both sides";
    }
    EXPECT_EQ(GetCounterpartType(4), 10);
    EXPECT_EQ(GetCounterpartType(15), 18);
    EXPECT_EQ(GetCounterpartType(22), 23);
    EXPECT_EQ(GetSpeakerTypeSide(22), 0);
    EXPECT_EQ(GetSpeakerTypeSide(16), 1);

    for (int t : {-1, 25, 26, 35, 255}) {
        EXPECT_EQ(GetSpeakerTypeGroup(t), SPKGRP_INVALID) << t;
        EXPECT_EQ(GetCounterpartType(t), -1) << t;
        EXPECT_EQ(GetSpeakerTypeSide(t), -1) << t;
    }
}

TEST(SpeakerTypeStart, StatesFromTheStartMap)
{
    InitAllData();
    EXPECT_EQ(StatesText(), "3 222111 222111 112 112 333 333");
    EXPECT_EQ(g_bySpeakerType[25], SPEAKER_FREE);
    EXPECT_EQ(ChannelTypes(), std::vector<int>({1, 7, 2, 8, 3, 9, 15, 18, 22, 23}));
    // The default copy was taken before the types were applied.
    EXPECT_EQ(std::vector<int>(g_SpeakerTypeDefault, g_SpeakerTypeDefault + 26), std::vector<int>(26, SPEAKER_FREE));

    // Rebuilding from the same map gives the same states.
    ResetSpeakerTypes();
    EXPECT_EQ(ChannelTypes(), std::vector<int>(10, SPEAKER_FREE)) << "reset covers the channel types";
    SetChannelTypes({1, 7, 2, 8, 3, 9, 15, 18, 22, 23});
    ApplyChannelSpeakerTypes();
    EXPECT_EQ(StatesText(), "3 222111 222111 112 112 333 333");
}

TEST_F(SpeakerRulesTest, AssignAndReleaseFromAllFree)
{
    for (const RuleCase& c : kRuleCases) {
        ResetSpeakerTypes();
        for (const Op& op : c.ops) {
            if (op.kind == 'A')
                AssignSpeakerType(op.type, 0);
            else
                ReleaseSpeakerType(op.type, 0);
        }
        EXPECT_EQ(StatesText(), c.states) << c.name;
    }
}

TEST_F(SpeakerRulesTest, ReleaseNoneLooksAtTheOtherRuleChannels)
{
    struct {
        std::vector<int> types;
        int ch;
        BYTE state;
    } const cases[] = {
        {{0, 1, 0, 3, 7, 8, 9, 15}, 0, SPEAKER_ASSIGNED},       // channel 2 still has none
        {{0, 1, 2, 3, 7, 8, 9, 15}, 0, SPEAKER_FREE},           // the only one gives it up
        {{0, 1, 2, 3, 7, 8, 9, 15, 0, 0}, 0, SPEAKER_FREE},     // channels 8 and 9 do not count
        {{0, 1, 2, 3, 7, 8, 9, 15}, 9, SPEAKER_ASSIGNED},       // channel 0 is not the one releasing
        {{1, 2, 3, 7, 8, 9, 15, 18}, 3, SPEAKER_FREE},
    };
    for (const auto& c : cases) {
        SetChannelTypes(c.types);
        g_bySpeakerType[0] = SPEAKER_ASSIGNED;
        ReleaseSpeakerType(0, c.ch);
        EXPECT_EQ(g_bySpeakerType[0], c.state) << "channel " << c.ch;
        EXPECT_EQ(StatesText().substr(1), std::string(kAllFree).substr(1)) << "no other state moves";
    }
}

TEST_F(SpeakerRulesTest, TypeOutsideTheTableWritesNothing)
{
    InitAllData();  // a table with every kind of state in it
    const std::vector<int> before = Table();
    for (int type : {-1, -200, 25, 26, 30, 35, 36, 200, 255, 100000}) {
        for (int ch : {0, 7, 9}) {
            AssignSpeakerType(type, ch);
            ReleaseSpeakerType(type, ch);
        }
        EXPECT_EQ(Table(), before) << "type " << type;
    }
}

TEST_F(SpeakerRulesTest, ApplySkipsDeviceTypesOutsideTheTable)
{
    // Bytes 26..35 are channel types: a rule indexed by an untrusted type would land there.
    SetChannelTypes({30, 255, 1, 0, 26, 0, 0, 0, 22, 23});
    ApplyChannelSpeakerTypes();
    EXPECT_EQ(StatesText(), "2 233131 333131 333 333 333 333");
    EXPECT_EQ(ChannelTypes(), std::vector<int>({30, 255, 1, 0, 26, 0, 0, 0, 22, 23}));
    EXPECT_EQ(g_bySpeakerType[25], SPEAKER_FREE);
}

TEST_F(SpeakerRulesTest, ApplyCoversChannelsZeroToSevenOnly)
{
    SetChannelTypes({0, 0, 0, 0, 0, 0, 0, 19, 20, 21});
    ApplyChannelSpeakerTypes();
    EXPECT_EQ(StatesText(), "2 333333 333333 333 333 231 333");
}

TEST_F(SpeakerRulesTest, RemoveDuplicateTypes)
{
    struct {
        std::vector<int> types;
        BOOL removed;
        std::vector<int> after;
    } const cases[] = {
        {{2, 0, 2, 0, 0, 0, 0, 0, 0, 0}, TRUE, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {{5, 5, 9, 5, 9, 0, 0, 5, 0, 0}, TRUE, {5, 0, 9, 0, 0, 0, 0, 0, 0, 0}},
        {{1, 7, 2, 8, 3, 9, 15, 18, 22, 23}, FALSE, {1, 7, 2, 8, 3, 9, 15, 18, 22, 23}},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, FALSE, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        // Channels 8 and 9 are outside the rules and keep their types.
        {{1, 7, 2, 8, 3, 9, 15, 18, 1, 7}, FALSE, {1, 7, 2, 8, 3, 9, 15, 18, 1, 7}},
        {{0, 0, 0, 0, 0, 0, 0, 4, 4, 4}, FALSE, {0, 0, 0, 0, 0, 0, 0, 4, 4, 4}},
    };
    for (const auto& c : cases) {
        SetChannelTypes(c.types);
        EXPECT_EQ(RemoveDuplicateTypes(), c.removed);
        EXPECT_EQ(ChannelTypes(), c.after);
        EXPECT_EQ(StatesText(), kAllFree) << "states are left to ApplyChannelSpeakerTypes";
    }
}

TEST_F(SpeakerRulesTest, AnyChannelTypedLooksAtChannelsZeroToSeven)
{
    SetChannelTypes({});
    EXPECT_FALSE(AnyChannelTyped());
    SetChannelTypes({0, 0, 0, 0, 0, 0, 0, 0, 22, 23});
    EXPECT_FALSE(AnyChannelTyped());
    SetChannelTypes({0, 0, 0, 0, 0, 0, 0, 19});
    EXPECT_TRUE(AnyChannelTyped());
}

TEST_F(SpeakerRulesTest, PairAndWayPredicates)
{
    AssignSpeakerType(SPK_FR_TWEETER, 0);
    EXPECT_FALSE(IsTweeterPairFree());
    EXPECT_TRUE(IsMidPairFree());
    EXPECT_FALSE(AreFrontLeftWaysFree()) << "a right way keeps the left full range blocked";
    EXPECT_FALSE(AreFrontRightWaysFree());
    EXPECT_TRUE(AreRearWaysFree());

    ResetSpeakerTypes();
    AssignSpeakerType(SPK_FL_MID_WOOFER, 0);
    EXPECT_FALSE(IsMidLowPairFree());
    EXPECT_TRUE(IsMidHighPairFree());
    AssignSpeakerType(SPK_RR_WOOFER, 0);
    EXPECT_FALSE(AreRearWaysFree());
    // Blocked is not assigned.
    EXPECT_EQ(g_bySpeakerType[SPK_FR_MIDRANGE], SPEAKER_BLOCKED);
    EXPECT_TRUE(IsMidPairFree());
}
