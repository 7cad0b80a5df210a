// Program-wide routines and status of the globals module.
#include "Globals.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>
#include <vector>

TEST(GlobalsTest, IntToRadixText)
{
    struct Case {
        int value, radix;
        const char* text;
    } const cases[] = {
        {10, 16, "000A"},
        {255, 16, "00FF"},
        {4095, 16, "0FFF"},
        {65535, 16, "FFFF"},
        {74565, 16, "12345"},
        {-1, 16, "FFFFFFFF"},
        {INT_MIN, 16, "80000000"},
        {0, 16, "0000"},
        {7, 10, "7"},
        {-7, 10, "-7"},
        {0, 10, "0"},
        {INT_MAX, 10, "2147483647"},
        {INT_MIN, 10, "-2147483648"},
        {5, 2, "101"},
        {-1, 8, "37777777777"},
        {35, 36, "Z"},
        {-1, 36, "1Z141Z3"},
        {10, 1, ""},
        {10, 37, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IntToRadixText(c.value, c.radix), c.text) << c.value << " radix " << c.radix;

    // The longest text: the 32-bit pattern of a negative value in radix 2.
    const CString longest = IntToRadixText(INT_MIN, 2);
    EXPECT_EQ(longest, "1" + CString(31, '0'));
    EXPECT_EQ(IntToRadixText(-1, 2), CString(32, '1'));
}

TEST(GlobalsTest, IntToRadixTextIsReentrant)
{
    // Each thread keeps converting its own value; a shared buffer would mix the texts.
    std::vector<std::thread> threads;
    std::vector<int> bad(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &bad] {
            const int value = 0x1000 * (t + 1);
            const CString expected = IntToRadixText(value, 16);
            for (int i = 0; i < 20000; ++i) {
                if (IntToRadixText(value, 16) != expected)
                    ++bad[size_t(t)];
            }
        });
    }
    for (std::thread& th : threads)
        th.join();
    EXPECT_EQ(bad, std::vector<int>(4, 0));
    EXPECT_EQ(IntToRadixText(0x4000, 16), "4000");
}

TEST(GlobalsTest, FormatElapsedSeconds)
{
    const LONGLONG savedFreq = g_liPerfFreq;
    g_liPerfFreq = 1000000;
    EXPECT_EQ(FormatElapsedSeconds(0), "延时(秒)=0.000000 ");
    EXPECT_EQ(FormatElapsedSeconds(2500000), "延时(秒)=2.500000 ");
    EXPECT_EQ(FormatElapsedSeconds(1), "延时(秒)=0.000001 ");
    g_liPerfFreq = 3;
    EXPECT_EQ(FormatElapsedSeconds(1), "延时(秒)=0.333333 ");
    g_liPerfFreq = 0;  // not read yet: no division by zero
    EXPECT_EQ(FormatElapsedSeconds(12345), "延时(秒)=0.000000 ");
    g_liPerfFreq = savedFreq;
    EXPECT_GT(g_liPerfFreq, 0);
}

TEST(GlobalsTest, ClearCommStatusZeroesTheRecord)
{
    for (int i = 0; i < COMM_STATUS_SIZE; ++i)
        g_byCommStatus[i] = BYTE(i + 1);
    ClearCommStatus();
    EXPECT_EQ(std::vector<int>(g_byCommStatus, g_byCommStatus + COMM_STATUS_SIZE), std::vector<int>(14, 0));
}

TEST(GlobalsTest, ConnectionFailureTextsAreTwoLines)
{
    for (const CString* text : {&g_strUsbFailCn, &g_strWifiFailCn}) {
        const size_t lf = text->find('\n');
        ASSERT_NE(lf, CString::npos);
        EXPECT_EQ(text->find('\n', lf + 1), CString::npos);
        // Exactly two blanks after the first words (four characters of three bytes each).
        EXPECT_EQ(text->substr(0, 14), "连接失败  ");
        EXPECT_NE((*text)[14], ' ');
        EXPECT_EQ(text->substr(lf - 3, 3), "或");
        EXPECT_EQ(text->substr(lf + 1), "该设备已经连接上了另一软件!");
    }
}
