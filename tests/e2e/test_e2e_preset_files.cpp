// The PC preset files through the view's menu items, against the emulator: a one-scene file
// saved, the program started again, the file loaded and sent to the device; the all-scenes
// file written from the device's six scenes and loaded into a fresh program; bad files of
// every kind, which give the read error and change nothing; and a save that fails, which
// leaves the scene's name and state alone. The file dialogs are answered by a hook.
#include "E2eRig.h"

#include "CFileDialog.h"
#include "CKTV_OutData.h"
#include "FixedField.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "PresetFile.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace e2e;

namespace {

std::string Folder(const std::string& name)
{
    const std::string dir = TestEnv::TempDir() + "/" + name;
    EXPECT_EQ(std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str()), 0);
    return dir;
}

// Answers every file dialog with path (Cancel when empty) while it exists.
class FileChoice {
public:
    explicit FileChoice(std::string path) : m_path(std::move(path))
    {
        m_old = CFileDialog::SetHook([this](CFileDialog& dlg) {
            ++m_nShown;
            if (m_path.empty())
                return INT_PTR(IDCANCEL);
            dlg.SetPathName(m_path);
            return INT_PTR(IDOK);
        });
    }
    ~FileChoice() { CFileDialog::SetHook(m_old); }
    void Set(std::string path) { m_path = std::move(path); }
    int Shown() const { return m_nShown; }

private:
    std::string m_path;
    int m_nShown = 0;
    CFileDialog::Hook m_old;
};

void MenuItem(CKRV330View& view, UINT id) { view.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) { return WritePresetFile(path, bytes); }

std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::vector<BYTE> b;
    ReadPresetFile(path, b);
    return b;
}

std::vector<BYTE> OutputBlocks(const BYTE* image)
{
    const BYTE* first = image + OUTPUT_BLOCK_OFFSET;
    return std::vector<BYTE>(first, first + OUTPUT_BLOCK_SIZE * OUTPUT_CHANNELS);
}

// Everything a file could change.
struct ModelState {
    std::vector<BYTE> live, stored, system;
    int modified;
    static ModelState Take()
    {
        CSingleLock lock(g_csComm);
        ModelState m;
        m.live.assign(g_Scene, g_Scene + SCENE_IMAGE_SIZE);
        for (const SceneImage& s : g_StoredScenes)
            m.stored.insert(m.stored.end(), s, s + SCENE_IMAGE_SIZE);
        m.system.assign(SystemBlockBytes(), SystemBlockBytes() + SYSTEM_BLOCK_SIZE);
        m.modified = g_bSceneModified;
        return m;
    }
    bool operator==(const ModelState& o) const
    {
        return live == o.live && stored == o.stored && system == o.system && modified == o.modified;
    }
};

// (data type, channel or sub-command) of each request in order, polls left out.
std::vector<std::pair<int, int>> Kinds(const std::vector<Frame>& frames)
{
    std::vector<std::pair<int, int>> out;
    for (const Frame& f : frames)
        if (f.size() > 8)
            out.push_back({f[7], f[8]});
    return out;
}

}  // namespace

TEST(PresetFiles, SceneFileSavedThenLoadedAfterARestartReachesTheDevice)
{
    g_bChinese = 0;
    const std::string dir = Folder("scene-roundtrip");
    std::vector<BYTE> file;
    std::vector<BYTE> savedLive;
    {
        LinkRig rig(LinkRig::Door::Usb);
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
        {
            CSingleLock lock(g_csComm);
            rig.scene->GetOutData(2)->SetGain(180);
            rig.scene->GetOutData(7)->SetDelay(55);
        }
        // The edits reach the device, and the live scene is called "Custom" from then on.
        ASSERT_TRUE(PumpUntil([&] {
            return rig.view->GetSceneNameButton().GetWindowText() == "Custom" && rig.QueuedCount() == 0;
        }));
        FileChoice choice(dir + "/Stage");  // typed without the extension
        MenuItem(*rig.view, ID_SAVE_SCENE_FILE);
        EXPECT_EQ(choice.Shown(), 1);
        file = ReadBytes(dir + "/Stage.ekds");
        ASSERT_EQ(file.size(), SCENE_FILE_SIZE);
        {
            CSingleLock lock(g_csComm);
            savedLive.assign(file.begin() + 17, file.end());
            // The file holds the model as it was, under the name the scene had then.
            EXPECT_EQ(OutputBlocks(savedLive.data()), OutputBlocks(g_Scene));
        }
        EXPECT_EQ(FieldToString(savedLive.data(), SCENE_NAME_SIZE), "Custom");
        EXPECT_EQ(rig.view->GetSceneNameButton().GetWindowText(), "Stage");
        EXPECT_EQ(g_bSceneModified, 0);
        EXPECT_TRUE(rig.messages.Shown().empty());
    }

    // The program again, on a device whose live scene is something else.
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    ASSERT_NE(OutputBlocks(rig.emu.GetScene(0).data()), OutputBlocks(savedLive.data()));
    const std::vector<BYTE> systemBefore = rig.emu.GetSystemBlock();
    rig.emu.ClearRequestLog();
    FileChoice choice(dir + "/Stage.ekds");
    MenuItem(*rig.view, ID_LOAD_SCENE_FILE);
    EXPECT_TRUE(rig.messages.Shown().empty());
    EXPECT_EQ(rig.scene->GetOutData(2)->GetGain(), 180);
    EXPECT_EQ(rig.scene->GetOutData(7)->GetDelay(), 55);
    EXPECT_EQ(rig.view->GetSceneNameButton().GetWindowText(), "Stage");
    ASSERT_TRUE(PumpUntil([&] { return !g_bTransferBusy && rig.QueuedCount() == 0; }));
    PumpFor(50);
    // Sent as one batch: output muted, the name, the ten output blocks, output back on.
    std::vector<std::pair<int, int>> expected = {{BLOCK_SYSTEM, 5}, {BLOCK_SYSTEM, 0}};
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch)
        expected.push_back({BLOCK_OUTPUT, ch});
    expected.push_back({BLOCK_SYSTEM, 5});
    const std::vector<std::pair<int, int>> sent = Kinds(rig.RequestsWithoutPolls());
    ASSERT_GE(sent.size(), expected.size());
    const std::vector<std::pair<int, int>> head(sent.begin(), sent.begin() + long(expected.size()));
    EXPECT_EQ(head, expected);
    const std::vector<BYTE> deviceLive = rig.emu.GetScene(0);
    EXPECT_EQ(OutputBlocks(deviceLive.data()), OutputBlocks(savedLive.data()));
    EXPECT_EQ(FieldToString(deviceLive.data(), SCENE_NAME_SIZE), "Stage");
    EXPECT_EQ(rig.emu.GetSystemBlock()[86 + 4], systemBefore[86 + 4]) << "the master output is on again";
}

TEST(PresetFiles, BadFilesGiveTheReadErrorAndChangeNothing)
{
    g_bChinese = 0;
    const std::string dir = Folder("bad-files");
    std::vector<BYTE> scene(SCENE_IMAGE_SIZE);
    for (size_t i = 0; i < scene.size(); ++i)
        scene[i] = BYTE(i * 13);
    const std::vector<BYTE> good = BuildSceneFile(scene.data());
    AllScenesContent all{};
    const std::vector<BYTE> goodAll = BuildAllScenesFile(all);

    struct Case {
        const char* name;
        UINT item;
        std::vector<BYTE> bytes;  // ignored for the folder case
        bool folder;
        const char* error;
    };
    std::vector<BYTE> wrongTag = good;
    wrongTag[1 + 7] = '4';  // "KRV3304_File_2.0"
    std::vector<BYTE> lowerTag = goodAll;
    lowerTag[1] = 'k';
    std::vector<BYTE> longerTag = good;
    longerTag[0] = 17;
    const char* sceneError = "Read presets file  error!";
    const char* allError = "Read all presets file error!";
    const Case cases[] = {
        {"one wrong tag character", ID_LOAD_SCENE_FILE, wrongTag, false, sceneError},
        {"tag in other case", ID_LOAD_ALL_SCENES_FILE, lowerTag, false, allError},
        {"length byte one too long", ID_LOAD_SCENE_FILE, longerTag, false, sceneError},
        {"one-scene file offered as all scenes", ID_LOAD_ALL_SCENES_FILE, good, false, allError},
        {"all-scenes file offered as one scene", ID_LOAD_SCENE_FILE, goodAll, false, sceneError},
        {"cut in the middle", ID_LOAD_SCENE_FILE, std::vector<BYTE>(good.begin(), good.begin() + 2500), false,
         sceneError},
        {"all scenes cut in the last field", ID_LOAD_ALL_SCENES_FILE,
         std::vector<BYTE>(goodAll.begin(), goodAll.end() - 1), false, allError},
        {"one byte too many", ID_LOAD_SCENE_FILE, [&] { auto b = good; b.push_back(0); return b; }(), false,
         sceneError},
        {"empty", ID_LOAD_SCENE_FILE, {}, false, sceneError},
        {"empty, all scenes", ID_LOAD_ALL_SCENES_FILE, {}, false, allError},
        {"a folder", ID_LOAD_SCENE_FILE, {}, true, sceneError},
        {"a folder, all scenes", ID_LOAD_ALL_SCENES_FILE, {}, true, allError},
    };

    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    // A changed scene (its name goes to "Custom" on the device), settled before the first case.
    g_bSceneModified = 1;
    ASSERT_TRUE(PumpUntil([&] {
        return rig.view->GetSceneNameButton().GetWindowText() == "Custom";
    }));
    ASSERT_TRUE(rig.WaitSettled());
    const CString shownName = rig.view->GetSceneNameButton().GetWindowText();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir + "/case" + std::to_string(n++) + (c.item == ID_LOAD_SCENE_FILE ? ".ekds" : ".ekda");
        if (c.folder) {
            ASSERT_EQ(std::system(("mkdir -p '" + path + "'").c_str()), 0);
        } else {
            ASSERT_TRUE(WriteBytes(path, c.bytes));
        }
        const ModelState before = ModelState::Take();
        const size_t sentBefore = rig.RequestsWithoutPolls().size();
        rig.messages.Clear();
        FileChoice choice(path);
        MenuItem(*rig.view, c.item);
        EXPECT_EQ(rig.messages.Shown(), std::vector<ShownMessage>({{c.error, -3}}));
        EXPECT_TRUE(ModelState::Take() == before) << "the model changed";
        ASSERT_TRUE(rig.WaitSettled());
        EXPECT_EQ(rig.RequestsWithoutPolls().size(), sentBefore) << "something was sent";
        EXPECT_EQ(rig.view->GetSceneNameButton().GetWindowText(), shownName);
        // The lock is free again: another thread can take it.
        bool taken = false;
        std::thread other([&] {
            for (int i = 0; i < 2000 && !taken; ++i) {
                taken = g_csComm.TryLock();
                if (taken)
                    g_csComm.Unlock();
                else
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        other.join();
        EXPECT_TRUE(taken);
    }
}

TEST(PresetFiles, FailedSaveShowsTheErrorAndKeepsTheNameAndState)
{
    const std::string dir = Folder("save-fail");
    LinkRig rig(LinkRig::Door::Usb);
    g_bChinese = 1;
    rig.hid->Unplug();
    rig.Start();
    PumpFor(30);
    rig.view->SetSceneNameFromTitle("Before");
    g_bSceneModified = 1;
    rig.messages.Clear();
    // The chosen file is a folder: it cannot be replaced by a file.
    ASSERT_EQ(std::system(("mkdir -p '" + dir + "/taken.ekds'").c_str()), 0);
    FileChoice choice(dir + "/taken.ekds");
    MenuItem(*rig.view, ID_SAVE_SCENE_FILE);
    EXPECT_EQ(rig.messages.Shown(), std::vector<ShownMessage>({{"保存场景文件错误!", -2}}));
    EXPECT_EQ(rig.view->GetSceneNameButton().GetWindowText(), "Before");
    EXPECT_EQ(g_bSceneModified, 1);
    // Cancel writes nothing and says nothing.
    rig.messages.Clear();
    choice.Set("");
    MenuItem(*rig.view, ID_SAVE_SCENE_FILE);
    EXPECT_TRUE(rig.messages.Shown().empty());
    // Capitals: the extension differs from "ekds", so it is added.
    choice.Set(dir + "/Upper.EKDS");
    MenuItem(*rig.view, ID_SAVE_SCENE_FILE);
    EXPECT_EQ(ReadBytes(dir + "/Upper.EKDS.ekds").size(), SCENE_FILE_SIZE);
    EXPECT_EQ(rig.view->GetSceneNameButton().GetWindowText(), "Upper.EKDS");
}

TEST(PresetFiles, AllScenesFileIsWrittenFromTheDeviceAndLoadedIntoAFreshProgram)
{
    g_bChinese = 0;
    const std::string dir = Folder("all-scenes");
    std::vector<BYTE> stored[STORED_SCENES];
    {
        LinkRig rig(LinkRig::Door::Usb);
        for (int s = 1; s <= STORED_SCENES; ++s) {
            std::vector<BYTE> img = rig.emu.GetScene(s);
            for (int i = 0; i < OUTPUT_BLOCK_SIZE * OUTPUT_CHANNELS; i += 37)
                img[size_t(OUTPUT_BLOCK_OFFSET + i)] = BYTE(s * 16 + i % 11);
            rig.emu.SetScene(s, img);
            stored[s - 1] = img;
        }
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
        // Cancelling the choice queues nothing.
        {
            const size_t sentBefore = rig.RequestsWithoutPolls().size();
            FileChoice none("");
            MenuItem(*rig.view, ID_SAVE_ALL_SCENES_FILE);
            EXPECT_EQ(none.Shown(), 1);
            PumpFor(50);
            EXPECT_EQ(rig.RequestsWithoutPolls().size(), sentBefore);
        }
        FileChoice choice(dir + "/everything");
        MenuItem(*rig.view, ID_SAVE_ALL_SCENES_FILE);
        ASSERT_TRUE(PumpUntil([&] { return ReadBytes(dir + "/everything.ekda").size() == ALL_SCENES_FILE_SIZE; }));
        EXPECT_TRUE(PumpUntil([&] { return !g_bTransferBusy; }));
        const std::vector<BYTE> file = ReadBytes(dir + "/everything.ekda");
        for (int s = 0; s < STORED_SCENES; ++s)
            EXPECT_EQ(OutputBlocks(file.data() + 20 + s * SCENE_IMAGE_SIZE), OutputBlocks(stored[s].data()))
                << "stored scene " << s + 1;
        EXPECT_TRUE(rig.messages.Shown().empty());
    }
    // A fresh program on a device whose stored scenes are the emulator's defaults.
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    ASSERT_NE(OutputBlocks(rig.emu.GetScene(3).data()), OutputBlocks(stored[2].data()));
    FileChoice choice(dir + "/everything.ekda");
    MenuItem(*rig.view, ID_LOAD_ALL_SCENES_FILE);
    EXPECT_TRUE(rig.messages.Shown().empty());
    ASSERT_TRUE(PumpUntil([&] { return !g_bTransferBusy && rig.QueuedCount() == 0; }));
    for (int s = 1; s <= STORED_SCENES; ++s)
        EXPECT_EQ(OutputBlocks(rig.emu.GetScene(s).data()), OutputBlocks(stored[s - 1].data())) << "scene " << s;
}
