// Start values of the scene images, the system block and the tables InitAllData fills, and
// the small accessors over them.
#include "Colours.h"
#include "Globals.h"
#include "SceneImage.h"
#include "SpeakerTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

int Word(const BYTE* p) { return p[0] | (p[1] << 8); }

const BYTE* Rec(const BYTE* image, int blockOffset, int record) { return image + blockOffset + record * 8; }

std::vector<int> Bytes(const BYTE* p, int n) { return std::vector<int>(p, p + n); }

class SceneImageTest : public ::testing::Test {
protected:
    void SetUp() override { InitAllData(); }
};

}  // namespace

TEST_F(SceneImageTest, NamesStartEmpty)
{
    EXPECT_EQ(Bytes(g_Scene, 16), std::vector<int>(16, 0));
    for (int s = 0; s < STORED_SCENES; ++s) {
        std::vector<int> name(15, ' ');
        name.push_back(0);
        EXPECT_EQ(Bytes(g_StoredScenes[s], 16), name) << s;
        // Only the name is set in a stored image.
        for (int i = 16; i < SCENE_IMAGE_SIZE; ++i)
            ASSERT_EQ(g_StoredScenes[s][i], 0) << s << ":" << i;
    }
}

TEST_F(SceneImageTest, BlocksStartWithTheirDefaults)
{
    struct Block {
        const char* name;
        int offset;
        int records;
        int bands;  // band records set to 1000 Hz / 600
    } const blocks[] = {
        {"effect", 32, 19, 8}, {"mic", 184, 14, 9},
        {"music 0", 296, 36, 31}, {"music 5", 296 + 5 * 288, 36, 31},
        {"output 0", 2024, 37, 9}, {"output 9", 2024 + 9 * 296, 37, 9},
    };
    const std::vector<int> band = {0xE8, 0x03, 0x58, 0x02, 0, 0, 0, 0};
    const std::vector<int> zero(8, 0);
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.name);
        for (int r = 0; r < b.bands; ++r)
            EXPECT_EQ(Bytes(Rec(g_Scene, b.offset, r), 8), band) << r;
        EXPECT_EQ(Word(Rec(g_Scene, b.offset, 0)), 1000);
        EXPECT_EQ(Word(Rec(g_Scene, b.offset, 0) + 2), 600);
        for (int r = b.bands; r < b.records; ++r) {
            const bool musicVolume = b.records == 36 && r == 31;
            const bool outputMix = b.records == 37 && (r == 33 || r == 34);
            if (!musicVolume && !outputMix) {
                EXPECT_EQ(Bytes(Rec(g_Scene, b.offset, r), 8), zero) << r;
            }
        }
    }
    for (int c = 0; c < MUSIC_CHANNELS; ++c)
        EXPECT_EQ(Bytes(Rec(g_Scene, 296 + 288 * c, 31), 8), std::vector<int>({0, 0, 1, 0, 0, 0, 0, 0})) << c;
}

TEST_F(SceneImageTest, OutputMixRecordsStartRouted)
{
    struct Mix {
        std::vector<int> a, b;
    } const mixes[10] = {
        {{100, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 100, 0, 100, 0}},
        {{0, 100, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 100, 0, 100}},
        {{0, 0, 100, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 100, 0, 100, 0}},
        {{0, 0, 0, 100, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 100, 0, 100}},
        {{0, 0, 0, 0, 100, 0, 0, 0}, {0, 0, 0, 0, 100, 0, 100, 0}},
        {{0, 0, 0, 0, 0, 100, 0, 0}, {0, 0, 0, 0, 0, 100, 0, 100}},
        {{0, 0, 0, 0, 0, 0, 100, 0}, {0, 0, 0, 0, 100, 0, 100, 0}},
        {{0, 0, 0, 0, 0, 0, 0, 100}, {0, 0, 0, 0, 0, 100, 0, 100}},
        {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 100, 0, 100, 0}},
        {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 100, 0, 100}},
    };
    for (int c = 0; c < OUTPUT_CHANNELS; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(Bytes(Rec(g_Scene, 2024 + 296 * c, 33), 8), mixes[c].a);
        EXPECT_EQ(Bytes(Rec(g_Scene, 2024 + 296 * c, 34), 8), mixes[c].b);
    }
}

TEST_F(SceneImageTest, SystemBlockStartsAtItsOffsets)
{
    const BYTE* sys = SystemBlockBytes();
    std::vector<int> expected(124, 0);
    expected[84] = 60;   // master level, little endian
    expected[90] = 1;    // g_bySysParams[4]
    const int types[8] = {1, 7, 2, 8, 3, 9, 15, 18};
    for (int i = 0; i < 8; ++i)
        expected[size_t(92 + i)] = types[i];
    const int group8[8] = {0, 0, 3, 0, 255, 55, 108, 3};
    for (int i = 0; i < 8; ++i)
        expected[size_t(116 + i)] = group8[i];
    EXPECT_EQ(Bytes(sys, 124), expected);

    // The named fields are the bytes of the device's layout.
    EXPECT_EQ(reinterpret_cast<const BYTE*>(&g_wModeTable[0]), sys + 0);
    EXPECT_EQ(&g_byModeIndex, sys + 80);
    EXPECT_EQ(&g_byInputSource, sys + 83);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(&g_wMasterLevel), sys + 84);
    EXPECT_EQ(&g_bySysParams[0], sys + 86);
    EXPECT_EQ(&g_bySysSpeakerType[0], sys + 92);
    EXPECT_EQ(&g_bySysState[0], sys + 100);
    EXPECT_EQ(&g_byCurScene, sys + 108);
    EXPECT_EQ(&g_bySysGroup8[0], sys + 116);
    EXPECT_EQ(g_wMasterLevel, 60);
    // Outputs 9 and 10 of the device's type area are the state record's first two bytes.
    g_bySysSpeakerType[8] = 22;
    g_bySysSpeakerType[9] = 23;
    EXPECT_EQ(g_bySysState[0], 22);
    EXPECT_EQ(g_bySysState[1], 23);
}

TEST_F(SceneImageTest, SystemWindowsOfTheSubCommands)
{
    struct Case {
        int subCommand, offset, size;
    } const cases[] = {
        {96, 82, 8}, {2, 83, 8}, {5, 84, 8}, {6, 92, 8}, {7, 100, 8}, {52, 108, 1}, {8, 116, 8}, {64, 0, 82},
    };
    for (const Case& c : cases) {
        int offset = -1, size = -1;
        ASSERT_TRUE(FindSystemWindow(c.subCommand, offset, size)) << c.subCommand;
        EXPECT_EQ(offset, c.offset) << c.subCommand;
        EXPECT_EQ(size, c.size) << c.subCommand;
        EXPECT_LE(offset + size, SYSTEM_BLOCK_SIZE);
    }
    for (int other : {0, 1, 3, 4, 9, 65, 0xCC, -1}) {
        int offset = -1, size = -1;
        EXPECT_FALSE(FindSystemWindow(other, offset, size)) << other;
        EXPECT_EQ(offset, -1);
        EXPECT_EQ(size, -1);
    }
}

TEST_F(SceneImageTest, BlockAndSceneAccessors)
{
    struct Case {
        int type, channel, offset;
    } const cases[] = {
        {1, 0, 184}, {1, 1, -1}, {2, 0, 32}, {2, 1, -1}, {3, 0, 296}, {3, 5, 1736}, {3, 6, -1}, {3, -1, -1},
        {4, 0, 2024}, {4, 9, 4688}, {4, 10, -1}, {0, 0, -1}, {5, 0, -1}, {9, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlockOffset(c.type, c.channel), c.offset) << c.type << "/" << c.channel;
    EXPECT_EQ(BlockOffset(4, 9) + BlockSize(4), SCENE_IMAGE_SIZE);
    EXPECT_EQ(BlockSize(1), 112);
    EXPECT_EQ(BlockSize(2), 152);
    EXPECT_EQ(BlockSize(3), 288);
    EXPECT_EQ(BlockSize(4), 296);
    EXPECT_EQ(BlockSize(7), 0);

    EXPECT_EQ(SceneImageOf(0), g_Scene);
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(StoredSceneImage(s), g_StoredScenes[s - 1]);
        EXPECT_EQ(SceneImageOf(s), g_StoredScenes[s - 1]);
    }
    for (int bad : {-1, 7, 255})
        EXPECT_EQ(SceneImageOf(bad), nullptr) << bad;
    EXPECT_EQ(StoredSceneImage(0), nullptr);
}

TEST_F(SceneImageTest, ProgramTablesStart)
{
    EXPECT_EQ(std::vector<int>(g_nSysReadCmd, g_nSysReadCmd + SYS_READ_COUNT + 1),
              std::vector<int>({0, 52, 2, 5, 6, 7, 4}));
    EXPECT_EQ(std::vector<int>(g_nDeviceInfo, g_nDeviceInfo + DEVICE_INFO_COUNT), std::vector<int>(30, 0));
    EXPECT_EQ(g_nCurPage, 1);
    EXPECT_EQ(g_nCurOutput, 0);
    EXPECT_EQ(g_nInputKind, 0);
    EXPECT_EQ(g_nShownInput, 0);
    EXPECT_EQ(g_bLRLink, 0);
    EXPECT_EQ(g_bAssignFlag, 0);
    EXPECT_EQ(std::vector<int>(g_bShowCurve, g_bShowCurve + SHOW_CURVE_COUNT), std::vector<int>(12, 0));
    const ARGB outColours[10] = {0xFFFF0155, 0xFFA8FF01, 0xFF0125FF, 0xFF01C0FF, 0xFFE4FF01,
                                 0xFFFF9601, 0xFF8401FF, 0xFFFF4301, 0xFFFF01C6, 0xFF00FF6C};
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(g_clrOutCurve[c], outColours[c]) << c;
}

TEST_F(SceneImageTest, SpeakerTableStarts)
{
    std::vector<int> table(26, SPEAKER_FREE);
    for (int t : {1, 7, 2, 8, 3, 9, 15, 18, 22, 23})
        table.push_back(t);
    EXPECT_EQ(Bytes(g_SpeakerTypeDefault, SPEAKER_TABLE_SIZE), table);
    // The channel types of the live table are those of the default map.
    EXPECT_EQ(Bytes(g_bySpeakerType + SPEAKER_CHANNEL_BASE, 10), Bytes(g_SpeakerTypeDefault + SPEAKER_CHANNEL_BASE, 10));
    EXPECT_EQ(Bytes(g_bySysSpeakerType, 8), std::vector<int>({1, 7, 2, 8, 3, 9, 15, 18}));
    for (const SpeakerPair& pair : g_arLeftRightPair)
        EXPECT_EQ(pair.bUsed, 0);
}

TEST_F(SceneImageTest, InitOverwritesEarlierEdits)
{
    g_Scene[16] = 0x33;
    g_Scene[SCENE_IMAGE_SIZE - 1] = 0x44;
    g_StoredScenes[5][100] = 0x55;
    g_byCurScene = 4;
    g_bySysSpeakerType[0] = 0;
    InitAllData();
    EXPECT_EQ(g_Scene[16], 0);
    EXPECT_EQ(g_Scene[SCENE_IMAGE_SIZE - 1], 0);
    EXPECT_EQ(g_StoredScenes[5][100], 0);
    EXPECT_EQ(g_byCurScene, 0);
    EXPECT_EQ(g_bySysSpeakerType[0], 1);
}

TEST_F(SceneImageTest, SourceRulesStartOff)
{
    EXPECT_EQ(g_nSourceSelect, SOURCE_OFF);
    EXPECT_EQ(std::vector<int>(g_SourceRules.nCurMask, g_SourceRules.nCurMask + 7),
              std::vector<int>({0, 1, 1, 1, 1, 1, 1}));
    // Each mask row, read back through the current mask.
    struct Row {
        int variant, row;
        std::vector<int> mask;
    } const rows[] = {
        {0, 0, {0, 1, 1, 1, 1, 1, 1}}, {0, 1, {1, 0, 1, 1, 0, 0, 1}}, {0, 2, {1, 1, 0, 0, 1, 1, 1}},
        {0, 3, {1, 1, 0, 0, 1, 1, 1}}, {0, 4, {1, 0, 1, 1, 0, 1, 1}}, {0, 5, {1, 0, 1, 1, 1, 0, 1}},
        {1, 0, {0, 1, 1, 1, 1, 0, 1}}, {1, 1, {1, 0, 1, 0, 0, 0, 1}}, {1, 2, {1, 1, 0, 0, 1, 0, 1}},
        {1, 3, {1, 0, 0, 0, 1, 0, 1}}, {1, 4, {1, 0, 1, 1, 0, 0, 1}},
        {2, 0, {0, 1, 1, 1, 0, 0, 1}}, {2, 1, {1, 0, 1, 0, 0, 0, 1}}, {2, 2, {1, 1, 0, 0, 0, 0, 1}},
        {2, 3, {1, 0, 0, 0, 0, 0, 1}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(g_SourceRules.SelectSourceRow(r.row, r.variant), 1) << r.variant << "/" << r.row;
        EXPECT_EQ(std::vector<int>(g_SourceRules.nCurMask, g_SourceRules.nCurMask + 7), r.mask)
            << r.variant << "/" << r.row;
    }
}

TEST_F(SceneImageTest, SelectSourceRowKeepsOrDropsTheSelection)
{
    struct Case {
        int select, row, variant, result, selectAfter;
        std::vector<int> mask;
    } const cases[] = {
        {0, 1, 0, 1, 0, {1, 0, 1, 1, 0, 0, 1}},   // S/PDIF allowed for shown input 1
        {1, 1, 0, 0, 6, {1, 0, 1, 1, 0, 0, 1}},   // Hi.Level not allowed: OFF
        {5, 4, 0, 1, 5, {1, 0, 1, 1, 0, 1, 1}},
        {5, 4, 1, 0, 6, {1, 0, 1, 1, 0, 0, 1}},   // AUX3 only in variant 0
        {4, 2, 1, 1, 4, {1, 1, 0, 0, 1, 0, 1}},
        {4, 3, 2, 0, 6, {1, 0, 0, 0, 0, 0, 1}},
        {1, 6, 0, 1, 1, {0, 1, 1, 1, 1, 1, 1}},   // row past the table: mask unchanged
        {0, 5, 1, 0, 6, {0, 1, 1, 1, 1, 1, 1}},
        {0, 4, 2, 0, 6, {0, 1, 1, 1, 1, 1, 1}},
        {1, 0, 3, 1, 1, {0, 1, 1, 1, 1, 1, 1}},   // variant outside 0..2: mask unchanged
        {2, -1, 0, 1, 2, {0, 1, 1, 1, 1, 1, 1}},
        {9, 0, 0, 0, 6, {0, 1, 1, 1, 1, 1, 1}},   // a selection out of range falls to OFF
        {-1, 0, 0, 0, 6, {0, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.select << " row " << c.row << " variant " << c.variant);
        InitRuleTables();
        g_nSourceSelect = c.select;
        EXPECT_EQ(g_SourceRules.SelectSourceRow(c.row, c.variant), c.result);
        EXPECT_EQ(g_nSourceSelect, c.selectAfter);
        EXPECT_EQ(std::vector<int>(g_SourceRules.nCurMask, g_SourceRules.nCurMask + 7), c.mask);
    }
}
