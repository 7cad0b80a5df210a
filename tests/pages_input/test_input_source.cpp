// The second source: the availability tables behind menu 173, the forced OFF, the source
// button's images; and the source bar's marks.
#include "InputPageRig.h"

#include "MenuTemplate.h"

#include <gtest/gtest.h>

using namespace input_test;

namespace {

// The availability tables: entries S/PDIF, Hi.Level, Phone, AUX1, AUX2, AUX3, OFF.
const int kV0[6][7] = {{0, 1, 1, 1, 1, 1, 1}, {1, 0, 1, 1, 0, 0, 1}, {1, 1, 0, 0, 1, 1, 1},
                       {1, 1, 0, 0, 1, 1, 1}, {1, 0, 1, 1, 0, 1, 1}, {1, 0, 1, 1, 1, 0, 1}};
const int kV1[5][7] = {{0, 1, 1, 1, 1, 0, 1}, {1, 0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 1, 0, 1},
                       {1, 0, 0, 0, 1, 0, 1}, {1, 0, 1, 1, 0, 0, 1}};
const int kV2[4][7] = {{0, 1, 1, 1, 0, 0, 1}, {1, 0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 0, 0, 1},
                       {1, 0, 0, 0, 0, 0, 1}};

const int* Row(int kind, int row)
{
    if (kind == 0 && row < 6)
        return kV0[row];
    if (kind == 1 && row < 5)
        return kV1[row];
    if (kind == 2 && row < 4)
        return kV2[row];
    return nullptr;
}

}  // namespace

TEST_F(InputPageTest, SourceStateFollowsTheAvailabilityTables)
{
    for (int kind = 0; kind < 3; ++kind) {
        for (int row = 0; row < 6; ++row) {
            const int* allowed = Row(kind, row);
            for (int entry = 0; entry < SOURCE_ENTRIES; ++entry) {
                SCOPED_TRACE(testing::Message() << "kind " << kind << " row " << row << " entry " << entry);
                // Start from a known mask, row 0 of mode 0.
                g_SourceRules.SelectSourceRow(0, 0);
                const std::vector<int> before(g_SourceRules.nCurMask, g_SourceRules.nCurMask + SOURCE_ENTRIES);
                g_nSourceSelect = entry;
                g_nInputKind = kind;
                g_nShownInput = row;
                page->UpdateSourceState();
                const int* mask = allowed ? allowed : before.data();
                for (int i = 0; i < SOURCE_ENTRIES; ++i)
                    EXPECT_EQ(g_SourceRules.nCurMask[i], mask[i]) << i;
                EXPECT_EQ(g_nSourceSelect, mask[entry] ? entry : SOURCE_OFF);
            }
        }
    }
}

TEST_F(InputPageTest, MenuOffersOnlyTheAllowedEntries)
{
    g_nInputKind = 0;
    g_nShownInput = 1;
    page->UpdateSourceState();
    CMenu* popup = page->PrepareSourceMenu();
    ASSERT_NE(popup, nullptr);
    const bool enabled[SOURCE_ENTRIES] = {true, false, true, true, false, false, true};
    const char* texts[SOURCE_ENTRIES] = {"S/PDIF", "Hi.Level", "Phone", "  AUX1", "  AUX2", "  AUX3", "OFF"};
    for (int i = 0; i < SOURCE_ENTRIES; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(popup->GetMenuItemID(i), ID_SOURCE_FIRST + UINT(i));
        EXPECT_EQ((popup->GetMenuState(UINT(i), MF_BYPOSITION) & MF_DISABLED) == 0, enabled[i]);
        CString text;
        popup->GetMenuString(UINT(i), text, MF_BYPOSITION);
        EXPECT_EQ(text, texts[i]);
    }
    g_bChinese = 1;
    popup = page->PrepareSourceMenu();
    CString text;
    popup->GetMenuString(6, text, MF_BYPOSITION);
    EXPECT_EQ(text, "关闭");
    popup->GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(text, "高电平");
}

TEST_F(InputPageTest, ChoosingASourceSendsOnlyWhenItChanges)
{
    page->SendMessage(WM_COMMAND, MAKEWPARAM(ID_SOURCE_FIRST + 3, 0), 0);
    EXPECT_EQ(g_nSourceSelect, 3);
    EXPECT_EQ(host->commands, (std::vector<int>{2}));
    host->commands.clear();
    page->SendMessage(WM_COMMAND, MAKEWPARAM(ID_SOURCE_FIRST + 3, 0), 0);
    EXPECT_TRUE(host->commands.empty());
    // Bluetooth shown in AUX mode 0 does not go with AUX1: the entry falls back to OFF.
    Click(IDC_IN_SELECTOR + 2);
    EXPECT_EQ(g_nSourceSelect, SOURCE_OFF);
}

TEST(InputSourceBar, MarksAndReleases)
{
    struct Row {
        int shown, kind;
        UINT marked, released;
    };
    const Row rows[] = {
        {0, 0, IDC_SRC_SPDIF, IDC_SRC_SPDIF},       {1, 1, IDC_SRC_HILEVEL, IDC_SRC_HILEVEL},
        {2, 2, IDC_SRC_PHONE, IDC_SRC_PHONE},       {3, 0, IDC_SRC_PAIR1, IDC_SRC_PAIR1},
        {3, 1, IDC_SRC_QUAD, IDC_SRC_QUAD},         {3, 2, IDC_SRC_SIX, IDC_SRC_SIX},
        {4, 0, IDC_SRC_PAIR2, IDC_SRC_PAIR2},       {4, 1, IDC_SRC_QUAD_PAIR, IDC_SRC_QUAD_PAIR},
        {4, 2, IDC_SRC_SIX, IDC_SRC_SIX_SPARE},     {5, 0, IDC_SRC_PAIR3, IDC_SRC_PAIR3},
        {5, 1, IDC_SRC_QUAD, IDC_SRC_QUAD_SPARE},   {5, 2, 0, 0},
        {6, 0, 0, IDC_SRC_PAIR1},                   {6, 1, 0, 0},
        {7, 0, 0, 0},                               {3, 3, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.shown << " kind " << r.kind);
        EXPECT_EQ(CInMode_Dlg::MarkedButton(r.shown, r.kind), r.marked);
        EXPECT_EQ(CInMode_Dlg::ReleasedButton(r.shown, r.kind), r.released);
    }
}
