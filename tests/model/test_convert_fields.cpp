// Fixed name fields of the device images, the name checks, and the link-state flags.
#include "FixedField.h"
#include "Globals.h"
#include "LinkState.h"
#include "ModelUi.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<int> Bytes(const BYTE* p, int n)
{
    return std::vector<int>(p, p + n);
}

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nSavedChinese = g_bChinese;
        std::memcpy(m_saved, g_StoredScenes, sizeof m_saved);
        for (auto& scene : g_StoredScenes) {
            std::memset(scene, ' ', 15);
            scene[15] = 0;
        }
    }
    void TearDown() override
    {
        g_bChinese = m_nSavedChinese;
        std::memcpy(g_StoredScenes, m_saved, sizeof m_saved);
    }

    int m_nSavedChinese = 0;
    SceneImage m_saved[STORED_SCENES];
};

}  // namespace

TEST_F(FieldTest, FieldToStringCutsAndTrims)
{
    const struct {
        const char* bytes;  // 16 bytes
        int n;
        const char* text;
    } kRows[] = {
        {"  Hall 1 \0xyzxyzx", 16, "Hall 1"},
        {"               \0", 16, ""},
        {"\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16, ""},
        {"ABCDEFGHIJKLMNOP", 16, "ABCDEFGHIJKLMNO"},  // only n - 1 bytes are read
        {"\tStage\r\n\0       ", 16, "Stage"},
        {"Front Lx", 8, "Front L"},
        {"ABCD", 1, ""},
        {"ABCD", 0, ""},
    };
    for (const auto& r : kRows)
        EXPECT_EQ(FieldToString(reinterpret_cast<const BYTE*>(r.bytes), r.n), r.text) << r.text;

    EXPECT_EQ(BytesToTrimmedString(reinterpret_cast<const BYTE*>(" Sub  L "), 8), "Sub  L");
    EXPECT_EQ(BytesToTrimmedString(reinterpret_cast<const BYTE*>("ABCDEFGH"), 8), "ABCDEFGH");
    EXPECT_EQ(BytesToTrimmedString(reinterpret_cast<const BYTE*>("AB\0DEFGH"), 8), "AB");
    EXPECT_EQ(BytesToTrimmedString(nullptr, 8), "");
    // GBK bytes pass unchanged ("中" is D6 D0).
    const BYTE gbk[8] = {0xD6, 0xD0, 0x20, 0, 0, 0, 0, 0};
    EXPECT_EQ(BytesToTrimmedString(gbk, 8), "\xD6\xD0");
}

TEST_F(FieldTest, StrToFixedFieldWritesOrRefuses)
{
    CModelUiRecorder ui;
    BYTE field[16];
    std::memset(field, 0xEE, sizeof field);
    EXPECT_TRUE(StrToFixedField(field, 16, "ABCDEFGHIJKLMNO"));  // 15 bytes fit
    std::vector<int> expected(16, 0);
    for (int i = 0; i < 15; ++i)
        expected[size_t(i)] = 'A' + i;
    EXPECT_EQ(Bytes(field, 16), expected);
    EXPECT_TRUE(ui.m_messages.empty());

    EXPECT_TRUE(StrToZeroPaddedField(field, "Hi", 16));
    expected.assign(16, 0);
    expected[0] = 'H';
    expected[1] = 'i';
    EXPECT_EQ(Bytes(field, 16), expected);

    // Sixteen bytes do not fit: the box, and the field keeps its bytes.
    g_bChinese = 0;
    EXPECT_FALSE(StrToFixedField(field, 16, "ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(Bytes(field, 16), expected);
    g_bChinese = 1;
    // A limit in bytes: five GBK characters are ten bytes.
    EXPECT_FALSE(StrToFixedField(field, 8, "\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0"));
    EXPECT_EQ(Bytes(field, 16), expected);
    ASSERT_EQ(ui.m_messages.size(), 2u);
    EXPECT_EQ(ui.m_messages[0], std::make_pair(CString("Char len error!"), -3));
    EXPECT_EQ(ui.m_messages[1], std::make_pair(CString("字符长度错误!"), -2));
}

TEST_F(FieldTest, RecorderRestoresThePreviousUi)
{
    CModelUiRecorder outer;
    {
        CModelUiRecorder inner;
        BYTE field[4] = {};
        StrToFixedField(field, 4, "long");
        EXPECT_EQ(inner.m_messages.size(), 1u);
    }
    BYTE field[4] = {};
    StrToFixedField(field, 4, "long");
    EXPECT_EQ(outer.m_messages.size(), 1u);
}

TEST_F(FieldTest, NameInUseComparesTheFieldForm)
{
    StrToFixedField(g_StoredScenes[2], 16, "Club");
    StrToFixedField(g_StoredScenes[4], 16, "ABCDEFGHIJKLMNO");

    EXPECT_TRUE(IsNameInUse(0, "Club", 1, 13));
    EXPECT_FALSE(IsNameInUse(2, "Club", 1, 13));  // its own element is skipped
    EXPECT_FALSE(IsNameInUse(0, "Clu", 1, 13));   // a prefix is not the name
    EXPECT_FALSE(IsNameInUse(0, "Club2", 1, 13));
    EXPECT_FALSE(IsNameInUse(0, "", 1, 13));      // blanks of an unused scene are not zeros
    EXPECT_TRUE(IsNameInUse(0, "ABCDEFGHIJKLMxx", 1, 13));  // only the first 13 bytes count
    EXPECT_FALSE(IsNameInUse(4, "ABCDEFGHIJKLMNO", 1, 13));
    EXPECT_FALSE(IsNameInUse(0, "Club", 0, 13));
    EXPECT_FALSE(IsNameInUse(0, "Club", 1, 0));
    EXPECT_TRUE(IsNameInUse(-1, "Club", 1, 99));  // the length is held within the field
    EXPECT_TRUE(IsNameInUse(9, "Club", 1, 13));
}

TEST_F(FieldTest, BlankStrings)
{
    EXPECT_TRUE(IsBlankString(""));
    EXPECT_TRUE(IsBlankString(" \t\r\n "));
    EXPECT_FALSE(IsBlankString(" a "));
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
}

TEST(LinkState, ClearAllAndNetwork)
{
    for (auto& flag : g_nLinkState)
        flag = 1;
    EXPECT_EQ(&g_bNetOpen, &g_nLinkState[3]);
    ClearNetLinkState();
    EXPECT_EQ(g_nLinkState[0], 1);
    EXPECT_EQ(g_nLinkState[2], 1);
    EXPECT_EQ(g_bNetOpen, 0);
    EXPECT_EQ(g_nLinkState[4], 0);
    EXPECT_EQ(g_nLinkState[5], 0);
    g_bNetOpen = 1;
    ClearLinkState();
    for (auto& flag : g_nLinkState)
        EXPECT_EQ(flag, 0);
}

TEST(SceneNames, StartValues)
{
    EXPECT_EQ(g_strCustomName, "Custom");
}
