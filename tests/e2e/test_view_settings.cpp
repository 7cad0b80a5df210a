// The view's settings across restarts: the view is destroyed and made again on the same
// settings file, as the next run of the program would. A clean profile gets its keys, the
// language comes back, folders that went fall back to the documents folder, a line option that
// is not a number reads as 0, and the device claim is gone after shut-down.
#include "E2eRig.h"

#include "Globals.h"
#include "SettingsStore.h"
#include "ShellGlobals.h"
#include "UsbInUseList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace e2e;

namespace {

// A rig whose processor is unplugged: the view starts and stays unlinked.
class ViewSettings : public ::testing::Test {
protected:
    ViewSettings() : rig(LinkRig::Door::Usb) { rig.hid->Unplug(); }

    void Restart()
    {
        rig.view.reset();
        rig.Start();
        PumpFor(50);
    }

    static std::string Value(const char* key, const char* name) { return SettingsStore::GetString(key, name); }

    LinkRig rig;
    const std::string docs = CKRV330View::GetDocumentsFolder();
};

}  // namespace

TEST_F(ViewSettings, CleanProfileGetsEveryKeyWithTheStartValues)
{
    ASSERT_FALSE(SettingsStore::KeyExists(g_pszDspMcuKey));
    ASSERT_FALSE(SettingsStore::KeyExists(g_pszLineSetKey));
    ASSERT_FALSE(SettingsStore::KeyExists(g_pszPcFileKey));
    g_bChinese = 1;
    rig.Start();
    EXPECT_EQ(Value(g_pszDspMcuKey, "Language"), "Chinese");
    EXPECT_EQ(Value(g_pszDspMcuKey, "Path"), docs);
    EXPECT_TRUE(SettingsStore::HasValue(g_pszDspMcuKey, "Name"));
    EXPECT_EQ(Value(g_pszLineSetKey, "Line_Set"), "1");
    EXPECT_EQ(g_nLineSet, 1);
    for (const char* name : {"File_Path", "AllFile_Path", "Map_Path", "Hex"})
        EXPECT_EQ(Value(g_pszPcFileKey, name), docs) << name;
    EXPECT_TRUE(SettingsStore::KeyExists(g_pszUsbKey));
}

TEST_F(ViewSettings, SavedLanguageWinsOverTheStartLanguageAndFollowsTheSwitch)
{
    g_bChinese = 0;
    rig.Start();
    EXPECT_EQ(Value(g_pszDspMcuKey, "Language"), "English");
    // The next run starts on a Chinese system: the saved English stays.
    g_bChinese = 1;
    Restart();
    EXPECT_EQ(g_bChinese, 0);
    EXPECT_EQ(g_strLanguage, "English");
    // The user switches to Chinese; the run after that starts in Chinese on an English system.
    rig.view->SwitchLanguage(TRUE);
    EXPECT_EQ(Value(g_pszDspMcuKey, "Language"), "Chinese");
    g_bChinese = 0;
    g_strLanguage.clear();
    Restart();
    EXPECT_EQ(g_bChinese, 1);
    EXPECT_EQ(rig.view->GetAudioSourceSelector().GetCount(), 4);
}

TEST_F(ViewSettings, FoldersThatWentFallBackToDocumentsAndOthersStay)
{
    QTemporaryDir kept;
    QTemporaryDir gone;
    ASSERT_TRUE(kept.isValid());
    ASSERT_TRUE(gone.isValid());
    const std::string keptPath = kept.path().toStdString();
    const std::string gonePath = gone.path().toStdString();
    rig.Start();
    // The firmware folder and two PC-file folders are remembered, then one folder is deleted.
    SettingsStore::SetString(g_pszDspMcuKey, "Path", gonePath);
    SettingsStore::SetString(g_pszPcFileKey, "File_Path", gonePath);
    SettingsStore::SetString(g_pszPcFileKey, "AllFile_Path", keptPath);
    ASSERT_TRUE(gone.remove());
    Restart();
    EXPECT_EQ(rig.view->GetPcFileFolder(PC_FOLDER_HEX), docs);
    EXPECT_EQ(Value(g_pszDspMcuKey, "Path"), docs);

    struct FolderCase {
        int kind;
        const char* name;
        std::string expected;
    };
    const FolderCase cases[] = {
        {PC_FOLDER_SCENE, "File_Path", docs},
        {PC_FOLDER_ALL, "AllFile_Path", keptPath},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(rig.view->LoadPcFileFolders(c.kind));
        EXPECT_EQ(rig.view->GetPcFileFolder(c.kind), c.expected);
        EXPECT_EQ(Value(g_pszPcFileKey, c.name), c.expected);
    }
}

TEST_F(ViewSettings, SavingKindZeroWritesNothingToAnExistingKey)
{
    QTemporaryDir chosen;
    ASSERT_TRUE(chosen.isValid());
    rig.Start();
    SettingsStore::SetString(g_pszPcFileKey, "Map_Path", chosen.path().toStdString());
    EXPECT_TRUE(rig.view->SavePcFileFolders(0));
    EXPECT_EQ(Value(g_pszPcFileKey, "Map_Path"), chosen.path().toStdString());
    // A chosen folder of kind 1 is written as it is.
    rig.view->SetPcFileFolder(PC_FOLDER_SCENE, chosen.path().toStdString());
    EXPECT_TRUE(rig.view->SavePcFileFolders(PC_FOLDER_SCENE));
    EXPECT_EQ(Value(g_pszPcFileKey, "File_Path"), chosen.path().toStdString());
    // A missing key is created with all four folders.
    SettingsStore::DeleteKey(g_pszPcFileKey);
    EXPECT_TRUE(rig.view->SavePcFileFolders(0));
    for (const char* name : {"File_Path", "AllFile_Path", "Map_Path", "Hex"})
        EXPECT_EQ(Value(g_pszPcFileKey, name), docs) << name;
}

TEST_F(ViewSettings, LineOptionReadsAsANumber)
{
    struct LineCase {
        const char* stored;
        int expected;
    };
    const LineCase cases[] = {{"abc", 0}, {"7", 7}, {"0", 0}, {"12x", 12}};
    rig.Start();
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.stored);
        SettingsStore::SetString(g_pszLineSetKey, "Line_Set", c.stored);
        g_nLineSet = -1;
        Restart();
        EXPECT_EQ(g_nLineSet, c.expected);
    }
    // A changed option is written back as decimal text, and the response graph shows it.
    g_nLineSet = 3;
    CFStatic& graph = rig.view->GetOutputPage().m_graph;
    graph.DrawGraph(4);
    EXPECT_TRUE(rig.view->SaveLineSetting());
    EXPECT_EQ(Value(g_pszLineSetKey, "Line_Set"), "3");
    EXPECT_EQ(graph.GetSelElement(), -1);
}

TEST_F(ViewSettings, FirmwareFileAndFolderSurviveARestart)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    rig.Start();
    g_strFirmwarePath = folder.path().toStdString() + "/dsp.bin";
    rig.view->SetPcFileFolder(PC_FOLDER_HEX, folder.path().toStdString());
    EXPECT_TRUE(rig.view->SaveDspMcuSettings());
    g_strFirmwarePath.clear();
    Restart();
    EXPECT_EQ(g_strFirmwarePath, folder.path().toStdString() + "/dsp.bin");
    EXPECT_EQ(rig.view->GetPcFileFolder(PC_FOLDER_HEX), folder.path().toStdString());
}

TEST(ViewShutDown, ReleasesTheDeviceClaimAndClearsThePointers)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    const std::string path = rig.hid->GetPath();
    ASSERT_TRUE(SettingsStore::HasValue(g_pszUsbKey, path));
    EXPECT_EQ(g_pMainView, rig.view.get());
    EXPECT_EQ(g_pViewWnd, rig.view.get());
    rig.view.reset();
    EXPECT_FALSE(SettingsStore::HasValue(g_pszUsbKey, path));
    EXPECT_EQ(g_pMainView, nullptr);
    EXPECT_EQ(g_pViewWnd, nullptr);
    EXPECT_EQ(rig.backend.GetOpenCount(), 0);
}
