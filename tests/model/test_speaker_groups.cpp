// Speaker groups, left/right pairs and the slot record built from the channel types.
#include "SceneImage.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

void SetChannelTypes(const std::vector<int>& types)
{
    for (int ch = 0; ch < SPEAKER_CHANNELS; ++ch)
        SpeakerTypeOf(g_bySpeakerType, ch) = BYTE(ch < int(types.size()) ? types[ch] : 0);
}

// A member list with the given channels in their own slots.
std::vector<int> Members(std::initializer_list<int> channels)
{
    std::vector<int> list(SPEAKER_CHANNELS, -1);
    for (int ch : channels)
        list[ch] = ch;
    return list;
}

std::vector<int> V(const int* p, int n) { return std::vector<int>(p, p + n); }
std::vector<int> V(const int (&a)[SPEAKER_CHANNELS]) { return V(a, SPEAKER_CHANNELS); }
std::vector<int> Ways(const int (&a)[SPEAKER_GROUP_WAYS]) { return V(a, SPEAKER_GROUP_WAYS); }

// The 74 ints in their stored order.
std::vector<int> AllInts(const SpeakerGroups& groups)
{
    std::vector<int> ints(SPEAKER_GROUP_INTS);
    std::memcpy(ints.data(), &groups, sizeof(groups));
    return ints;
}

struct Pair {
    int first;
    int second;
    bool operator==(const Pair& o) const { return first == o.first && second == o.second; }
};

std::ostream& operator<<(std::ostream& os, const Pair& p) { return os << "(" << p.first << "," << p.second << ")"; }

std::vector<Pair> UsedPairs(const SpeakerPair (&table)[SPEAKER_PAIRS])
{
    std::vector<Pair> pairs;
    for (const SpeakerPair& p : table) {
        if (p.bUsed)
            pairs.push_back({p.nFirst, p.nSecond});
    }
    return pairs;
}

class SpeakerGroupsTest : public ::testing::Test {
protected:
    void SetUp() override { InitAllData(); }
};

class CRecordingDialog : public ISpeakerGroupsDialog {
public:
    void HideDialog() override
    {
        ++m_nHidden;
        m_nFrontLeftLinkWhenHidden = g_SpeakerGroups.nFrontLeftLink;
    }
    int m_nHidden = 0;
    int m_nFrontLeftLinkWhenHidden = -2;
};

}  // namespace

TEST_F(SpeakerGroupsTest, StartGroupsFromTheStartMap)
{
    const SpeakerGroups& g = g_SpeakerGroups;
    EXPECT_EQ(g.nCentreLink, -1);
    EXPECT_EQ(V(g.nCentre), Members({}));

    EXPECT_EQ(g.nFrontLeftLink, 0);
    EXPECT_EQ(g.nFrontLeftMode, SPEAKER_XOVER_THREE_WAY);
    EXPECT_EQ(Ways(g.nFrontLeftWays), std::vector<int>({1, 2, 3}));
    EXPECT_EQ(V(g.nFrontLeft), Members({0, 2, 4}));

    EXPECT_EQ(g.nFrontRightLink, 0);
    EXPECT_EQ(g.nFrontRightMode, SPEAKER_XOVER_THREE_WAY);
    EXPECT_EQ(Ways(g.nFrontRightWays), std::vector<int>({7, 8, 9}));
    EXPECT_EQ(V(g.nFrontRight), Members({1, 3, 5}));

    // The rear channels carry full-range types, which form no group.
    EXPECT_EQ(g.nRearLeftLink, -1);
    EXPECT_EQ(V(g.nRearLeft), Members({}));
    EXPECT_EQ(g.nRearRightLink, -1);
    EXPECT_EQ(V(g.nRearRight), Members({}));

    EXPECT_EQ(g.nSubLink, 0);
    EXPECT_EQ(V(g.nSub), Members({8, 9}));

    // The stored order the pages index: front-left ways at 13..15, its list from 16, the
    // subwoofer list from 64.
    const std::vector<int> ints = AllInts(g);
    EXPECT_EQ(ints[12], 4);
    EXPECT_EQ(V(ints.data() + 13, 3), std::vector<int>({1, 2, 3}));
    EXPECT_EQ(V(ints.data() + 16, 10), Members({0, 2, 4}));
    EXPECT_EQ(V(ints.data() + 28, 3), std::vector<int>({7, 8, 9}));
    EXPECT_EQ(ints[63], 0);
    EXPECT_EQ(V(ints.data() + 64, 10), Members({8, 9}));
}

TEST_F(SpeakerGroupsTest, FrontCrossoverModes)
{
    struct {
        std::vector<int> types;
        int link;
        int mode;
        std::vector<int> ways;
    } const left[] = {
        {{1, 0, 0, 0, 0, 2}, 0, SPEAKER_XOVER_TWEETER_MID, {1, 2, -1}},
        {{5, 1}, 0, SPEAKER_XOVER_TWEETER_MID, {5, 1, -1}},
        {{1, 0, 3}, 0, SPEAKER_XOVER_TWEETER_WOOFER, {1, 3, -1}},
        {{3, 1}, 0, SPEAKER_XOVER_TWEETER_WOOFER, {3, 1, -1}},
        {{2, 3}, 0, SPEAKER_XOVER_NO_TWEETER, {2, 3, -1}},
        {{4, 3}, 0, SPEAKER_XOVER_NO_TWEETER, {4, 3, -1}},
        {{1, 2, 3}, 0, SPEAKER_XOVER_THREE_WAY, {1, 2, 3}},
        {{1}, -1, -1, {1, -1, -1}},
        {{6, 1, 12}, -1, -1, {1, -1, -1}},  // full range is no way
    };
    for (const auto& c : left) {
        SetChannelTypes(c.types);
        BuildSpeakerGroups();
        EXPECT_EQ(g_SpeakerGroups.nFrontLeftLink, c.link) << ::testing::PrintToString(c.types);
        EXPECT_EQ(g_SpeakerGroups.nFrontLeftMode, c.mode) << ::testing::PrintToString(c.types);
        EXPECT_EQ(Ways(g_SpeakerGroups.nFrontLeftWays), c.ways);
        EXPECT_EQ(g_SpeakerGroups.nFrontRightLink, -1);
    }

    // The right side tests its own tweeter (7) and woofer (9).
    struct {
        std::vector<int> types;
        int mode;
    } const right[] = {
        {{7, 8}, SPEAKER_XOVER_TWEETER_MID},
        {{0, 9, 0, 7}, SPEAKER_XOVER_TWEETER_WOOFER},
        {{8, 9}, SPEAKER_XOVER_NO_TWEETER},
        {{10, 9}, SPEAKER_XOVER_NO_TWEETER},
        {{1, 3}, -1},  // left types only
        {{7, 8, 9}, SPEAKER_XOVER_THREE_WAY},
    };
    for (const auto& c : right) {
        SetChannelTypes(c.types);
        BuildSpeakerGroups();
        EXPECT_EQ(g_SpeakerGroups.nFrontRightMode, c.mode) << ::testing::PrintToString(c.types);
    }
}

TEST_F(SpeakerGroupsTest, OtherGroupsByMembership)
{
    SetChannelTypes({21, 13, 0, 16, 14, 17, 19, 20, 22, 24});
    BuildSpeakerGroups();
    const SpeakerGroups& g = g_SpeakerGroups;
    EXPECT_EQ(g.nCentreLink, 0);
    EXPECT_EQ(V(g.nCentre), Members({6, 7}));
    EXPECT_EQ(g.nRearLeftLink, 0);
    EXPECT_EQ(V(g.nRearLeft), Members({1, 4}));
    EXPECT_EQ(g.nRearRightLink, 0);
    EXPECT_EQ(V(g.nRearRight), Members({3, 5}));
    EXPECT_EQ(g.nSubLink, -1) << "the single subwoofer 24 is no member";
    EXPECT_EQ(V(g.nSub), Members({8}));

    // Three members link; four are no speaker the rules know and leave the flag as reset.
    SetChannelTypes({22, 23, 22});
    BuildSpeakerGroups();
    EXPECT_EQ(g.nSubLink, 0);
    SetChannelTypes({22, 23, 22, 23});
    BuildSpeakerGroups();
    EXPECT_EQ(g.nSubLink, -1);
    EXPECT_EQ(V(g.nSub), Members({0, 1, 2, 3}));
}

TEST_F(SpeakerGroupsTest, MoreThanThreeFrontWaysNeverOverrunTheWayRecord)
{
    struct {
        std::vector<int> types;
        std::vector<int> leftWays, leftMembers, rightWays, rightMembers;
    } const cases[] = {
        {{1, 2, 3, 4}, {1, 2, 3}, Members({0, 1, 2, 3}), {-1, -1, -1}, Members({})},
        {{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}, {1, 2, 3}, Members({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), {-1, -1, -1}, Members({})},
        {{7, 8, 9, 10, 11, 7, 8, 9, 10, 11}, {-1, -1, -1}, Members({}), {7, 8, 9}, Members({0, 1, 2, 3, 4, 5, 6, 7, 8, 9})},
        {{11, 1, 10, 2, 9, 3, 8, 4}, {1, 2, 3}, Members({1, 3, 5, 7}), {11, 10, 9}, Members({0, 2, 4, 6})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.types));
        SetChannelTypes(c.types);
        BuildSpeakerGroups();
        const SpeakerGroups& g = g_SpeakerGroups;
        EXPECT_EQ(Ways(g.nFrontLeftWays), c.leftWays);
        EXPECT_EQ(V(g.nFrontLeft), c.leftMembers);
        EXPECT_EQ(Ways(g.nFrontRightWays), c.rightWays);
        EXPECT_EQ(V(g.nFrontRight), c.rightMembers);
        // Four or more ways: no link and no crossover mode.
        EXPECT_EQ(g.nFrontLeftLink, -1);
        EXPECT_EQ(g.nFrontLeftMode, -1);
        EXPECT_EQ(g.nFrontRightLink, -1);
        EXPECT_EQ(g.nFrontRightMode, -1);
        EXPECT_EQ(g.nRearLeftLink, -1);
        EXPECT_EQ(V(g.nRearLeft), Members({}));
        EXPECT_EQ(g.nCentreLink, -1);
    }
}

TEST_F(SpeakerGroupsTest, TypesOutsideTheTableJoinNoGroup)
{
    SetChannelTypes({25, 26, 30, 35, 36, 100, 200, 255, 24, 0});
    BuildSpeakerGroups();
    EXPECT_EQ(AllInts(g_SpeakerGroups), std::vector<int>(SPEAKER_GROUP_INTS, -1));
    for (int t : {-1, 25, 255})
        EXPECT_EQ(GetSpeakerGroupOfType(t), -1) << t;
}

TEST_F(SpeakerGroupsTest, RebuildStartsFromEmptyGroups)
{
    g_SpeakerGroups.nSubLink = 1;  // locked by the level page
    SetChannelTypes({});
    BuildSpeakerGroups();
    EXPECT_EQ(AllInts(g_SpeakerGroups), std::vector<int>(SPEAKER_GROUP_INTS, -1));
}

TEST_F(SpeakerGroupsTest, GivenDialogIsHiddenAfterTheGroupsAreBuilt)
{
    CRecordingDialog dialog;
    ResetSpeakerGroups();
    BuildSpeakerGroups(&dialog);
    EXPECT_EQ(dialog.m_nHidden, 1);
    EXPECT_EQ(dialog.m_nFrontLeftLinkWhenHidden, 0);

    // Building into another record leaves the program's groups alone.
    SpeakerGroups other;
    ResetSpeakerGroups();
    BuildSpeakerGroups(other, nullptr);
    EXPECT_EQ(other.nSubLink, 0);
    EXPECT_EQ(AllInts(g_SpeakerGroups), std::vector<int>(SPEAKER_GROUP_INTS, -1));
}

TEST_F(SpeakerGroupsTest, GroupAccessorsByIndex)
{
    SpeakerGroups& g = g_SpeakerGroups;
    EXPECT_EQ(GetSpeakerGroupLink(g, SPKG_FRONT_RIGHT), &g.nFrontRightLink);
    EXPECT_EQ(GetSpeakerGroupMembers(g, SPKG_SUBWOOFER), g.nSub);
    EXPECT_EQ(GetSpeakerGroupOfType(SPK_FR_MID_WOOFER), SPKG_FRONT_RIGHT);
    EXPECT_EQ(GetSpeakerGroupOfType(SPK_C_FULL), -1);
    for (int group : {-1, int(SPEAKER_GROUP_COUNT), 100}) {
        EXPECT_EQ(GetSpeakerGroupLink(g, group), nullptr);
        EXPECT_EQ(GetSpeakerGroupMembers(g, group), nullptr);
    }
}

TEST_F(SpeakerGroupsTest, StereoAndLeftRightPairs)
{
    struct {
        const char* name;
        std::vector<int> types;
        std::vector<Pair> stereo;
        std::vector<Pair> leftRight;
    } const cases[] = {
        {"start map", {1, 7, 2, 8, 3, 9, 15, 18, 22, 23},
         {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}}, {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}}},
        {"first counterpart only", {1, 7, 0, 0, 7}, {{0, 1}}, {{0, 1}}},
        {"right channel first", {0, 0, 8, 0, 0, 2}, {{2, 5}}, {{5, 2}}},
        {"rear and subwoofers", {23, 16, 13, 22}, {{0, 3}, {1, 2}}, {{3, 0}, {2, 1}}},
        // Nine chained pairs: six records, the rest are dropped.
        {"more than six", {1, 7, 1, 7, 1, 7, 1, 7, 1, 7},
         {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}}, {{0, 1}, {2, 1}, {2, 3}, {4, 3}, {4, 5}, {6, 5}}},
        {"no counterparts", {0, 19, 20, 21, 24, 6, 0, 0, 30, 255}, {}, {}},
        {"device types outside the table", {25, 31, 26, 32, 7}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetChannelTypes(c.types);
        for (SpeakerPair& p : g_arStereoPair)
            p.bUsed = 1;  // stale flags from an earlier map
        for (SpeakerPair& p : g_arLeftRightPair)
            p.bUsed = 1;
        EXPECT_EQ(FindStereoPairs(), c.stereo.empty() ? FALSE : TRUE);
        EXPECT_EQ(UsedPairs(g_arStereoPair), c.stereo);
        EXPECT_EQ(AnyStereoPair(), c.stereo.empty() ? FALSE : TRUE);
        EXPECT_EQ(BuildLeftRightPairs(), c.leftRight.empty() ? FALSE : TRUE);
        EXPECT_EQ(UsedPairs(g_arLeftRightPair), c.leftRight);
        EXPECT_EQ(AnyLeftRightPair(), c.leftRight.empty() ? FALSE : TRUE);
    }
}

TEST_F(SpeakerGroupsTest, ChannelSide)
{
    SetChannelTypes({1, 12, 19, 22, 23, 15, 16, 0, 30, 255});
    const int sides[SPEAKER_CHANNELS] = {0, 1, -1, 0, 1, 0, 1, -1, -1, -1};
    for (int ch = 0; ch < SPEAKER_CHANNELS; ++ch)
        EXPECT_EQ(GetChannelSide(ch), sides[ch]) << ch;
    for (int ch : {-1, 10, 26, 1000})
        EXPECT_EQ(GetChannelSide(ch), -1) << ch;
}

TEST(SpeakerSlotRecord, ResetClearsIndexAndSlots)
{
    g_SlotRecord.nIndex = 4;
    for (int i = 0; i < SPEAKER_CHANNELS; ++i)
        g_SlotRecord.nSlots[i] = i + 1;
    ResetSlotRecord();
    EXPECT_EQ(g_SlotRecord.nIndex, -1);
    EXPECT_EQ(V(g_SlotRecord.nSlots), std::vector<int>(SPEAKER_CHANNELS, 0));
}
