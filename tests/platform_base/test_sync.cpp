#include "Sync.h"
#include "Clock.h"
#include "SettingsStore.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

TEST(Events, WaitForAnyReportsTheFirstSetEventAndManualEventsStaySet)
{
    CEvent a, b, c;
    CEvent* evs[] = {&a, &b, &c};
    EXPECT_EQ(WaitForMultipleObjects(3, evs, FALSE, 10), WAIT_TIMEOUT);
    std::thread t([&] { c.SetEvent(); });
    EXPECT_EQ(WaitForMultipleObjects(3, evs, FALSE, 5000), WAIT_OBJECT_0 + 2);
    t.join();
    b.SetEvent();
    EXPECT_EQ(WaitForMultipleObjects(3, evs, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, evs, FALSE, 0), WAIT_OBJECT_0 + 1);  // manual: still set
    b.ResetEvent();
    EXPECT_EQ(WaitForMultipleObjects(3, evs, FALSE, 0), WAIT_OBJECT_0 + 2);
}

TEST(Events, AutoResetEventIsConsumedByOneWait)
{
    CEvent ev(FALSE, TRUE);
    EXPECT_EQ(ev.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(ev.Wait(0), WAIT_TIMEOUT);
}

TEST(Events, WaitAllNeedsEveryEvent)
{
    CEvent a, b;
    CEvent* evs[] = {&a, &b};
    a.SetEvent();
    EXPECT_EQ(WaitForMultipleObjects(2, evs, TRUE, 0), WAIT_TIMEOUT);
    b.SetEvent();
    EXPECT_EQ(WaitForMultipleObjects(2, evs, TRUE, 0), WAIT_OBJECT_0);
}

TEST(Lock, CriticalSectionIsReentrantForItsOwnerAndExcludesOthers)
{
    CCriticalSection cs;
    CSingleLock outer(cs);
    {
        CSingleLock inner(cs);  // same thread enters again
    }
    bool other = true;
    std::thread t([&] { other = cs.TryLock(); if (other) cs.Unlock(); });
    t.join();
    EXPECT_FALSE(other);
}

TEST(Clock, FakeClockMovesOnlyWhenToldOrSleptOn)
{
    CFakeClock fake;
    Clock::Set(&fake);
    const uint32_t t0 = GetTickCount();
    EXPECT_EQ(GetTickCount(), t0);
    Sleep(3500);
    EXPECT_EQ(GetTickCount(), t0 + 3500);
    int64_t pc = 0, f = 0;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&pc);
    fake.Advance(f / 2);
    int64_t pc2 = 0;
    QueryPerformanceCounter(&pc2);
    EXPECT_EQ(pc2 - pc, f / 2);
    Clock::Set(nullptr);
}

TEST(SettingsStore, KeysValuesAndDevicePathNamesSurviveTheFile)
{
    const std::string key = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\USB";
    SettingsStore::DeleteKey(key);
    EXPECT_FALSE(SettingsStore::KeyExists(key));
    SettingsStore::CreateKey(key);
    EXPECT_TRUE(SettingsStore::KeyExists(key));
    EXPECT_TRUE(SettingsStore::ValueNames(key).empty());

    SettingsStore::SetString(key, "/dev/hidraw3", "1");
    SettingsStore::SetString(key, "a\\b%c", "2");
    auto names = SettingsStore::ValueNames(key);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "/dev/hidraw3");
    EXPECT_EQ(names[1], "a\\b%c");
    EXPECT_EQ(SettingsStore::GetString(key, "a\\b%c"), "2");

    SettingsStore::DeleteValue(key, "/dev/hidraw3");
    SettingsStore::DeleteValue(key, "a\\b%c");
    EXPECT_TRUE(SettingsStore::KeyExists(key));  // a key outlives its last value
    EXPECT_TRUE(SettingsStore::ValueNames(key).empty());

    SettingsStore::SetInt("Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu", "Language", 7);
    EXPECT_EQ(SettingsStore::GetInt("Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu", "Language"), 7);
    EXPECT_EQ(SettingsStore::GetString("Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu", "Missing", "dflt"), "dflt");
}

namespace {
struct StoreFile {
    StoreFile() : saved(SettingsStore::FilePath())
    {
        char templ[] = "/tmp/orvane-store-XXXXXX";
        dir = mkdtemp(templ) ? templ : "";
        path = dir + "/Orvane/orvane.ini";
        SettingsStore::SetFilePath(path);
    }
    ~StoreFile()
    {
        SettingsStore::SetFilePath(saved);
        std::filesystem::remove_all(dir);
    }
    std::string Read() const
    {
        std::ifstream f(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    // Another running copy's write: new bytes, same length, and a modification time that stays
    // the same (both writes fell into one tick of the file system's clock).
    void WriteAsAnotherCopyInTheSameTick(const std::string& bytes) const
    {
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);
        ASSERT_EQ(std::string::size_type(before.st_size), bytes.size());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    std::string saved, dir, path;
};
}  // namespace

// Two copies of the program share the in-use list through the file: a change the other copy
// made is seen, and kept by the next write, even when it left the file's size and time alone.
TEST(SettingsStore, AnotherCopysWriteIsSeenAndKeptWhateverTheFileTime)
{
    StoreFile file;
    const std::string key = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\USB";
    SettingsStore::SetString(key, "claim", "aaaa");
    ASSERT_EQ(SettingsStore::GetString(key, "claim"), "aaaa");
    std::string other = file.Read();
    const auto at = other.find("aaaa");
    ASSERT_NE(at, std::string::npos);
    other.replace(at, 4, "bbbb");
    ASSERT_NO_FATAL_FAILURE(file.WriteAsAnotherCopyInTheSameTick(other));

    EXPECT_EQ(SettingsStore::GetString(key, "claim"), "bbbb");
    SettingsStore::SetString(key, "mine", "1");
    EXPECT_EQ(SettingsStore::GetString(key, "claim"), "bbbb");
    EXPECT_NE(file.Read().find("bbbb"), std::string::npos) << file.Read();
}

// A write that changes nothing leaves the file as it is: the file is not replaced, so a change
// another copy made in the meantime cannot be put back to what this copy had read.
TEST(SettingsStore, WriteThatChangesNothingLeavesTheFileInPlace)
{
    StoreFile file;
    const std::string key = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu";
    SettingsStore::CreateKey(key);
    SettingsStore::SetString(key, "Name", "abc");
    SettingsStore::SetInt(key, "Language", 2);
    struct stat before {};
    ASSERT_EQ(::stat(file.path.c_str(), &before), 0);
    const std::string bytes = file.Read();

    SettingsStore::CreateKey(key);
    SettingsStore::SetString(key, "Name", "abc");
    SettingsStore::SetInt(key, "Language", 2);
    struct stat after {};
    ASSERT_EQ(::stat(file.path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "an unchanged write replaced the file";
    EXPECT_EQ(file.Read(), bytes);

    SettingsStore::SetInt(key, "Language", 3);  // a real change still lands
    EXPECT_EQ(SettingsStore::GetInt(key, "Language"), 3);
    EXPECT_NE(file.Read(), bytes);
}

// Two copies writing at the same moment: each one's values survive the other's writes.
TEST(SettingsStore, TwoCopiesWritingAtOnceKeepEveryValue)
{
    StoreFile file;
    const std::string key = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\USB";
    SettingsStore::CreateKey(key);
    constexpr int kEach = 40;
    pid_t children[2] = {};
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            for (int i = 0; i < kEach; ++i)
                SettingsStore::SetString(key, "copy" + std::to_string(c) + "-" + std::to_string(i), "1");
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(SettingsStore::ValueNames(key).size(), size_t(2 * kEach));
}
