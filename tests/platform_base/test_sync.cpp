#include "Sync.h"
#include "Clock.h"
#include "SettingsStore.h"

#include <gtest/gtest.h>

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
