// The file dialog kept beside the program's own: its path splitter (drive, folder, name,
// extension, either slash) and the walk through a multiple selection in both separator styles.
#include "CFileDialogST.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(FileDialogST, PathSplitterGivesDriveFolderNameAndExtension)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\Presets\\car.ekds", "C:", "\\Presets\\", "car", ".ekds"},
        {"/home/me/presets/car.ekds", "", "/home/me/presets/", "car", ".ekds"},
        {"D:/mixed\\path/file.tar.gz", "D:", "/mixed\\path/", "file.tar", ".gz"},
        {"name", "", "", "name", ""},
        {"folder/", "", "folder/", "", ""},
        {"folder.d/noext", "", "folder.d/", "noext", ""},
        {".hidden", "", "", "", ".hidden"},
        {"", "", "", "", ""},
        {"E:", "E:", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const SplitPathParts p = SplitPath(c.path);
        EXPECT_EQ(p.drive, c.drive);
        EXPECT_EQ(p.dir, c.dir);
        EXPECT_EQ(p.fname, c.fname);
        EXPECT_EQ(p.ext, c.ext);
    }
    CFileDialogST dlg(TRUE, "ekds", "C:\\Presets\\car.ekds");
    EXPECT_EQ(dlg.GetFileDir(), "C:\\Presets\\");
    EXPECT_EQ(dlg.GetFileDrive(), "C:");
    EXPECT_EQ(dlg.GetFileTitle(), "car");
    EXPECT_EQ(dlg.GetFileExt(), ".ekds");
    EXPECT_EQ(dlg.m_ofn.Flags & OFN_EXPLORER, OFN_EXPLORER);
}

TEST(FileDialogST, MultipleSelectionWalksFolderPlusEachName)
{
    struct Case {
        const char* name;
        DWORD flags;
        std::string field;
        std::vector<std::string> paths;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"explorer, two names", OFN_ALLOWMULTISELECT, "/p/q\0a.ekds\0b.ekds\0\0"s, {"/p/q\\a.ekds", "/p/q\\b.ekds"}},
        {"explorer, folder ends in a slash", OFN_ALLOWMULTISELECT, "/p/\0a.ekds\0\0"s, {"/p/a.ekds"}},
        {"explorer, one path", OFN_ALLOWMULTISELECT, "/p/q/a.ekds\0\0"s, {"/p/q/a.ekds"}},
        {"single selection", 0, "/p/q/a.ekds\0"s, {"/p/q/a.ekds"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFileDialogST dlg(TRUE, "ekds", nullptr, c.flags);
        dlg.SetFileField(c.field);
        std::vector<std::string> walked;
        size_t pos = dlg.GetStartPosition();
        while (pos != 0 && walked.size() < 10)
            walked.push_back(dlg.GetNextPathName(pos));
        EXPECT_EQ(walked, c.paths);
    }
    // Without the explorer style the names are separated by blanks.
    CFileDialogST old(TRUE, "ekds", nullptr, OFN_ALLOWMULTISELECT);
    old.m_ofn.Flags &= ~OFN_EXPLORER;
    old.SetFileField("C:\\p a.ekds b.ekds");
    std::vector<std::string> walked;
    size_t pos = old.GetStartPosition();
    while (pos != 0 && walked.size() < 10)
        walked.push_back(old.GetNextPathName(pos));
    EXPECT_EQ(walked, std::vector<std::string>({"C:\\p\\a.ekds", "C:\\p\\b.ekds"}));
    // An empty field gives no walk at all.
    CFileDialogST empty;
    EXPECT_EQ(empty.GetStartPosition(), 0u);
}
