// The PC preset files as bytes: every field at the offset the file layout gives it (the test
// writes the offsets down itself), byte-exact round trips through the document's file
// operations, the all-scenes file's input-source fix-up, the mode file's row check, the map
// file's field order, and writes that fail part-way, which must leave the old file alone.
#include "CKRV330Doc.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "Globals.h"
#include "PresetFile.h"
#include "SceneImage.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// A scene image whose every byte tells where it came from.
void Pattern(BYTE* image, int seed)
{
    for (int i = 0; i < SCENE_IMAGE_SIZE; ++i)
        image[i] = BYTE((i * 7 + seed * 31 + (i >> 8)) & 0xFF);
}

Bytes Slice(const Bytes& b, size_t offset, size_t size) { return Bytes(b.begin() + offset, b.begin() + offset + size); }

Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }

// The whole program state a file may touch.
struct ModelState {
    Bytes live, stored, system;
    static ModelState Take()
    {
        ModelState m;
        m.live.assign(g_Scene, g_Scene + SCENE_IMAGE_SIZE);
        for (const SceneImage& s : g_StoredScenes)
            m.stored.insert(m.stored.end(), s, s + SCENE_IMAGE_SIZE);
        m.system.assign(SystemBlockBytes(), SystemBlockBytes() + SYSTEM_BLOCK_SIZE);
        return m;
    }
    bool operator==(const ModelState& o) const { return live == o.live && stored == o.stored && system == o.system; }
};

class PresetFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitAllData();
        scene = std::make_unique<CKTV_Data>();
        scene->PackAll();
    }
    void TearDown() override
    {
        scene.reset();
        InitAllData();
    }
    // A live image the model can hold exactly: the model's own, with edits made through it.
    Bytes EditedLiveImage()
    {
        CKTV_OutData* out = scene->GetOutData(3);
        out->SetGain(250);
        out->SetDelay(77);
        scene->PackAll();
        std::memcpy(g_Scene, "Stage Left", 11);
        scene->SetFromDevice(g_Scene, 0);
        scene->PackAll();
        return Bytes(g_Scene, g_Scene + SCENE_IMAGE_SIZE);
    }
    std::unique_ptr<CKTV_Data> scene;
};

}  // namespace

TEST_F(PresetFileTest, OneSceneFileHoldsTheCountedTagAndTheLiveImage)
{
    SceneImage live;
    Pattern(live, 1);
    const Bytes file = BuildSceneFile(live);
    ASSERT_EQ(file.size(), 5001u);
    EXPECT_EQ(file[0], 16);
    EXPECT_EQ(Slice(file, 1, 16), Text("KRV3300_File_2.0"));
    EXPECT_EQ(Slice(file, 17, 4984), Bytes(live, live + SCENE_IMAGE_SIZE));

    SceneImage back{};
    ASSERT_TRUE(ParseSceneFile(file, back));
    EXPECT_EQ(std::memcmp(back, live, SCENE_IMAGE_SIZE), 0);
}

TEST_F(PresetFileTest, OneSceneFileRoundTripsThroughTheModelByteForByte)
{
    const Bytes live = EditedLiveImage();
    CPresetArchive store;
    ASSERT_EQ(CKRV330Doc::SerializeScene(*scene, store), 1);
    const Bytes file = store.Bytes();
    ASSERT_EQ(file.size(), 5001u);
    EXPECT_EQ(Slice(file, 17, 4984), live);

    // A fresh program: defaults everywhere, then the file.
    scene.reset();
    InitAllData();
    scene = std::make_unique<CKTV_Data>();
    CPresetArchive load(file);
    ASSERT_EQ(CKRV330Doc::SerializeScene(*scene, load), 1);
    EXPECT_EQ(scene->GetOutData(3)->GetGain(), 250);
    EXPECT_EQ(scene->GetOutData(3)->GetDelay(), 77);
    CPresetArchive again;
    CKRV330Doc::SerializeScene(*scene, again);
    EXPECT_EQ(again.Bytes(), file);
}

TEST_F(PresetFileTest, AllScenesFileHoldsEveryFieldAtItsOffset)
{
    for (int s = 0; s < STORED_SCENES; ++s)
        Pattern(g_StoredScenes[s], s + 10);
    const Bytes live = EditedLiveImage();
    // Distinct values in every system field the file carries, and in those it does not.
    BYTE* sys = SystemBlockBytes();
    for (int i = 0; i < SYSTEM_BLOCK_SIZE; ++i)
        sys[i] = BYTE(0x80 + i);
    g_wMasterLevel = 0x1234;

    CPresetArchive store;
    ASSERT_EQ(CKRV330Doc::SerializeAllScenes(*scene, store), 1);
    const Bytes file = store.Bytes();
    ASSERT_EQ(file.size(), 34931u);
    EXPECT_EQ(file[0], 19);
    EXPECT_EQ(Slice(file, 1, 19), Text("KRV3300_ALLFile_2.0"));
    for (int s = 0; s < STORED_SCENES; ++s)
        EXPECT_EQ(Slice(file, 20 + size_t(s) * 4984, 4984), Bytes(g_StoredScenes[s], g_StoredScenes[s] + 4984))
            << "stored scene " << s + 1;
    EXPECT_EQ(Slice(file, 29924, 4984), live);
    struct Field {
        size_t offset;
        BYTE value;
        const char* name;
    };
    const Field fields[] = {
        {34908, g_byInputSource, "input source"},
        {34909, g_bySysParams[0], "params 0"},
        {34910, 0x34, "master level low"},
        {34911, 0x12, "master level high"},
        {34912, g_bySysGroup8[1], "input kind"},
        {34913, g_bySysParams[1], "params 1"},
        {34914, g_byInputSource, "input source again"},
        {34915, g_bySysGroup8[3], "group 8 byte 3"},
        {34916, g_bySysGroup8[4], "audio source"},
        {34917, g_bySysGroup8[5], "group 8 byte 5"},
        {34918, g_bySysGroup8[6], "group 8 byte 6"},
        {34919, g_bySysGroup8[7], "group 8 byte 7"},
        {34920, g_bySysParams[2], "params 2"},
        {34921, g_bySysParams[3], "params 3"},
        {34922, g_bySysParams[4], "master output switch"},
    };
    for (const Field& f : fields)
        EXPECT_EQ(file[f.offset], f.value) << f.name;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(file[34923 + size_t(i)], g_bySysSpeakerType[i]) << "speaker type " << i;

    // Loaded into a fresh program whose channel mode plays every source: everything comes back,
    // and what the file does not carry stays the device's.
    const ModelState written = ModelState::Take();
    scene.reset();
    InitAllData();
    scene = std::make_unique<CKTV_Data>();
    g_bySysGroup8[0] = 0x55;
    g_bySysGroup8[2] = 9;
    g_bySysParams[5] = 0x66;
    CPresetArchive load(file);
    ASSERT_EQ(CKRV330Doc::SerializeAllScenes(*scene, load), 1);
    const ModelState read = ModelState::Take();
    EXPECT_EQ(read.live, written.live);
    EXPECT_EQ(read.stored, written.stored);
    EXPECT_EQ(g_bySysGroup8[0], 0x55);
    EXPECT_EQ(g_bySysGroup8[2], 9);
    EXPECT_EQ(g_bySysParams[5], 0x66);
    EXPECT_EQ(g_wMasterLevel, 0x1234);
    CPresetArchive again;
    CKRV330Doc::SerializeAllScenes(*scene, again);
    EXPECT_EQ(again.Bytes(), file);
}

TEST_F(PresetFileTest, MutedMasterOutputIsStoredAndRestored)
{
    g_bySysParams[4] = 0;
    CPresetArchive store;
    CKRV330Doc::SerializeAllScenes(*scene, store);
    ASSERT_EQ(store.Bytes().size(), ALL_SCENES_FILE_SIZE);
    EXPECT_EQ(store.Bytes()[34922], 0);
    g_bySysParams[4] = 1;
    CPresetArchive load(store.Bytes());
    ASSERT_EQ(CKRV330Doc::SerializeAllScenes(*scene, load), 1);
    EXPECT_EQ(g_bySysParams[4], 0);
}

TEST_F(PresetFileTest, LoadedInputSourceYieldsToTheShownOneWhereTheChannelModeCannotPlayIt)
{
    struct Case {
        BYTE mode;
        BYTE fileSource;
        BYTE kept;
    };
    constexpr BYTE kShown = 1;
    const Case cases[] = {
        {0, 0, kShown}, {0, 2, kShown}, {0, 1, 1}, {0, 3, 3},
        {1, 0, kShown}, {1, 2, 2},      {1, 1, 1},
        {2, 2, kShown}, {2, 0, 0},      {2, 1, 1},
        {3, 0, 0},      {3, 2, 2},      {255, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " source " << int(c.fileSource));
        g_byInputSource = c.fileSource;
        CPresetArchive store;
        CKRV330Doc::SerializeAllScenes(*scene, store);
        g_byInputSource = 7;
        g_nShownInput = kShown;
        g_bySysGroup8[2] = c.mode;
        CPresetArchive load(store.Bytes());
        ASSERT_EQ(CKRV330Doc::SerializeAllScenes(*scene, load), 1);
        EXPECT_EQ(g_byInputSource, c.kept);
    }
}

TEST_F(PresetFileTest, MapFileWritesSlopeBeforeClassForBothFilters)
{
    for (int i = 0; i < 8; ++i)
        g_bySysSpeakerType[i] = BYTE(i + 1);
    CPresetArchive store;
    ASSERT_EQ(CKRV330Doc::SerializeMap(*scene, store), 1);
    const Bytes file = store.Bytes();
    ASSERT_EQ(file.size(), 100u);
    EXPECT_EQ(file[0], 11);
    EXPECT_EQ(Slice(file, 1, 11), Text("KRV3300_Map"));
    EXPECT_EQ(Slice(file, 12, 8), Bytes({1, 2, 3, 4, 5, 6, 7, 8}));
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const BYTE* r = g_MapData[i];
        const size_t o = 20 + size_t(i) * 8;
        EXPECT_EQ(Slice(file, o, 8), Bytes({r[0], r[1], r[3], r[2], r[4], r[5], r[7], r[6]}));
    }
    // Back in: the same records and types, however they were changed meanwhile.
    const Bytes records(&g_MapData[0][0], &g_MapData[0][0] + sizeof g_MapData);
    std::memset(g_MapData, 0xEE, sizeof g_MapData);
    std::memset(g_bySysSpeakerType, 0, 8);
    CPresetArchive load(file);
    ASSERT_EQ(CKRV330Doc::SerializeMap(*scene, load), 1);
    EXPECT_EQ(Bytes(&g_MapData[0][0], &g_MapData[0][0] + sizeof g_MapData), records);
    EXPECT_EQ(g_bySysSpeakerType[7], 8);
}

TEST_F(PresetFileTest, ModeFileReadsOnlyARowTheTableHas)
{
    for (int i = 0; i < 40; ++i)
        g_wModeTable[i] = WORD(1000 + i);
    g_byModeIndex = 2;
    CPresetArchive store;
    ASSERT_EQ(CKRV330Doc::SerializeModeFile(store), 1);
    Bytes file = store.Bytes();
    ASSERT_EQ(file.size(), 31u);
    EXPECT_EQ(file[0], 9);
    EXPECT_EQ(Slice(file, 1, 9), Text("Mode_File"));
    EXPECT_EQ(file[10], 2);
    EXPECT_EQ(file[11], BYTE(1020 & 0xFF));
    EXPECT_EQ(file[12], BYTE(1020 >> 8));

    for (int i = 0; i < 40; ++i)
        g_wModeTable[i] = 0;
    g_byModeIndex = 0;
    {
        CPresetArchive load(file);
        ASSERT_EQ(CKRV330Doc::SerializeModeFile(load), 1);
    }
    EXPECT_EQ(g_byModeIndex, 2);
    EXPECT_EQ(g_wModeTable[20], 1020);
    EXPECT_EQ(g_wModeTable[29], 1029);
    EXPECT_EQ(g_wModeTable[19], 0);

    // Row 4 and beyond would index past the table: refused, nothing written.
    for (BYTE bad : {BYTE(4), BYTE(200), BYTE(255)}) {
        file[10] = bad;
        const ModelState before = ModelState::Take();
        CPresetArchive load(file);
        EXPECT_EQ(CKRV330Doc::SerializeModeFile(load), 0) << int(bad);
        EXPECT_TRUE(ModelState::Take() == before);
    }

    // A mode index the table does not have is saved as row 0, so the file reads back.
    g_byModeIndex = 7;
    CPresetArchive storeBad;
    ASSERT_EQ(CKRV330Doc::SerializeModeFile(storeBad), 1);
    EXPECT_EQ(storeBad.Bytes()[10], 0);
    CPresetArchive loadBack(storeBad.Bytes());
    EXPECT_EQ(CKRV330Doc::SerializeModeFile(loadBack), 1);
    EXPECT_EQ(g_byModeIndex, 0);
}

TEST_F(PresetFileTest, FailedWriteLeavesTheOldFileAndNoPartialOne)
{
    const std::string dir = TestEnv::TempDir() + "/write-fail";
    ASSERT_EQ(std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str()), 0);
    const std::string path = dir + "/scene.ekds";
    const Bytes old(300, 0xAB);
    ASSERT_TRUE(WritePresetFile(path, old));

    SceneImage live;
    Pattern(live, 3);
    const Bytes file = BuildSceneFile(live);
    // The file system takes only 1000 bytes of any file: the write fails part-way.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WritePresetFile(path, file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);

    Bytes now;
    ASSERT_TRUE(ReadPresetFile(path, now));
    EXPECT_EQ(now, old);
    // Only the old file is left in the folder.
    EXPECT_EQ(std::system(("test \"$(ls -A '" + dir + "')\" = scene.ekds").c_str()), 0);

    // A path that names a folder or lies in no folder is refused as well.
    EXPECT_FALSE(WritePresetFile(dir, file));
    EXPECT_FALSE(WritePresetFile(dir + "/missing/scene.ekds", file));
    // And with room again it is written whole.
    ASSERT_TRUE(WritePresetFile(path, file));
    ASSERT_TRUE(ReadPresetFile(path, now));
    EXPECT_EQ(now, file);
}
