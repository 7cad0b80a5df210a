// The table of cells: counts, rows and columns, items, the selection map and the modified marks.
#include "GridTestKit.h"

#include <gtest/gtest.h>

using namespace GridKit;

TEST(GridCells, PresetConfigurationMakesFourteenCellsWithDefaultSizes)
{
    CGridCtrl grid;
    grid.SetRowCount(7);
    grid.SetFixedRowCount(1);
    grid.SetColumnCount(2);
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(grid.GetColumnCount(), 2);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(grid.GetRowHeight(r), 10) << r;
        for (int c = 0; c < 2; ++c)
            EXPECT_TRUE(grid.SetItemText(r, c, "x")) << r << "," << c;
    }
    EXPECT_FALSE(grid.SetItemText(7, 0, "x"));
    EXPECT_FALSE(grid.SetItemText(0, 2, "x"));
    EXPECT_EQ(grid.GetColumnWidth(0), 30);
    EXPECT_EQ(grid.GetColumnWidth(1), 30);
    EXPECT_TRUE(grid.SetColumnWidth(1, 262));
    EXPECT_EQ(grid.GetColumnWidth(1), 262);
    EXPECT_EQ(grid.GetTotalWidth(), 292);
    EXPECT_EQ(grid.GetFixedColumnWidth(), 30);
    EXPECT_EQ(grid.GetTotalHeight(), 70);
}

TEST(GridCells, PresetListOnAWindowTakesRowHeightsFromTheFont)
{
    Fixture f(300, 200);
    ConfigureAsPresetList(*f.grid);
    // The font comes last: the rows keep the height of the grid's first font, new ones would
    // get Arial's 16 pixels + two margins.
    const int h = f.grid->GetRowHeight(0);
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(f.grid->GetRowHeight(r), h) << r;
    EXPECT_EQ(f.grid->GetDefaultRowHeight(), 16 + 2 * f.grid->GetCellMargin());
    EXPECT_EQ(f.grid->GetColumnWidth(1), 262);
    EXPECT_EQ(f.grid->GetItemText(0, 1), "Name");
    EXPECT_EQ(f.grid->GetItemFormat(3, 1), UINT(0x8025));
}

TEST(GridCells, FontMessageChangesNewRowsOnly)
{
    Fixture f;
    f.grid->SetRowCount(2);
    f.grid->SetColumnCount(1);
    f.grid->SetRowHeight(0, 11);
    EnsureFonts();
    f.grid->SendMessage(WM_SETFONT, WPARAM(HFONT(g_fontArial16)), TRUE);
    EXPECT_EQ(f.grid->GetRowHeight(0), 11);
    f.grid->SetRowCount(3);
    EXPECT_EQ(f.grid->GetRowHeight(2), f.grid->GetDefaultRowHeight());
    EXPECT_EQ(f.grid->GetDefaultRowHeight(), 16 + 2 * f.grid->GetCellMargin());
    EXPECT_GT(f.grid->GetCellMargin(), 0);
    EXPECT_NE(f.grid->SendMessage(WM_GETFONT), 0);
    LOGFONT lf{};
    g_fontArial16.GetLogFont(&lf);
    EXPECT_STREQ(f.grid->GetItemFont(0, 0)->lfFaceName, lf.lfFaceName);
}

TEST(GridCells, CountChangesClampFixedCountsAndFocus)
{
    CGridCtrl grid(5, 3, 2, 1);
    EXPECT_TRUE(grid.SetRowCount(5));  // same count: nothing
    EXPECT_TRUE(grid.SetRowCount(1));
    EXPECT_EQ(grid.GetFixedRowCount(), 1);

    CGridCtrl g2(2, 2, 0, 0);
    EXPECT_TRUE(g2.SetFixedRowCount(3));
    EXPECT_EQ(g2.GetRowCount(), 3);
    EXPECT_EQ(g2.GetFixedRowCount(), 3);
    EXPECT_FALSE(g2.SetRowCount(-1));
    EXPECT_EQ(g2.GetRowCount(), 3);
}

TEST(GridCells, ShrinkingPastTheFocusClearsIt)
{
    Fixture f;
    FillPlain(*f.grid, 6, 3);
    f.grid->SetFocusCell(4, 1);
    f.grid->SetRowCount(5);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(4, 1));
    f.grid->SetRowCount(4);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(-1, -1));

    f.grid->SetFocusCell(1, 1);
    f.grid->SetFixedRowCount(2);  // the focus falls into the fixed rows
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(-1, -1));
}

TEST(GridCells, InsertAndDeleteKeepTheTableConsistent)
{
    Fixture f;
    EXPECT_EQ(f.grid->InsertColumn("X", 0x25), 0);
    EXPECT_EQ(f.grid->GetRowCount(), 1);
    EXPECT_EQ(f.grid->GetColumnCount(), 1);
    EXPECT_EQ(f.grid->GetItemText(0, 0), "X");
    EXPECT_EQ(f.grid->GetColumnWidth(0), f.grid->GetTextExtent("X", TRUE).cx);
    EXPECT_GT(f.grid->GetColumnWidth(0), 0);
    EXPECT_EQ(f.grid->GetItemFormat(0, 0), UINT(0x25));

    EXPECT_EQ(f.grid->InsertColumn("Y", 0x25, 5), -1);  // beyond the table
    EXPECT_EQ(f.grid->InsertRow("r1"), 1);
    EXPECT_EQ(f.grid->InsertRow("r0", 0), 0);
    EXPECT_EQ(f.grid->GetRowCount(), 3);
    EXPECT_EQ(f.grid->GetItemText(0, 0), "r0");
    EXPECT_EQ(f.grid->GetItemText(1, 0), "X");
    EXPECT_EQ(f.grid->GetItemText(2, 0), "r1");

    f.grid->SetFixedRowCount(1);
    f.grid->SetFocusCell(2, 0);
    f.grid->SetSelectedRange(1, 0, 2, 0);
    EXPECT_TRUE(f.grid->DeleteRow(0));
    EXPECT_EQ(f.grid->GetFixedRowCount(), 0);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(-1, -1));
    EXPECT_EQ(f.grid->GetSelectedCount(), 0);
    EXPECT_FALSE(f.grid->DeleteRow(2));
    EXPECT_FALSE(f.grid->DeleteColumn(-1));
    EXPECT_TRUE(f.grid->DeleteColumn(0));
    EXPECT_EQ(f.grid->GetColumnCount(), 0);
}

TEST(GridCells, AppendedRowInheritsFormatsFromTheRowAbove)
{
    CGridCtrl grid(2, 3, 1, 1);
    for (int c = 0; c < 3; ++c)
        grid.SetItemFormat(1, c, 0x8025);
    grid.SetRowCount(3);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(grid.GetItemFormat(2, c), UINT(0x8025)) << c;
}

TEST(GridCells, SelectionMapFollowsTheSelectedBitOnly)
{
    CGridCtrl grid(4, 4, 1, 1);
    EXPECT_TRUE(grid.SetItemState(2, 3, GVS_SELECTED));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(2, 3, 2, 3));
    EXPECT_TRUE(grid.SetItemState(2, 3, 0));
    EXPECT_EQ(grid.GetSelectedCount(), 0);

    GV_CELLINFO item;
    item.row = 1;
    item.col = 1;
    item.mask = GVM_STATE;
    item.nState = GVS_SELECTED;
    EXPECT_TRUE(grid.SetItem(&item));
    EXPECT_EQ(grid.GetItemState(1, 1), GVS_SELECTED);
    EXPECT_EQ(grid.GetSelectedCount(), 0);  // SetItem stores the bits, the map stays
    EXPECT_FALSE(grid.SetItem(nullptr));
    item.row = 9;
    EXPECT_FALSE(grid.SetItem(&item));
}

TEST(GridCells, MissingCellsAnswerTheirDefaults)
{
    CGridCtrl grid(2, 2, 1, 1);
    struct Case {
        int row, col;
    } cases[] = {{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {70000, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(grid.GetItemText(c.row, c.col), "") << c.row << "," << c.col;
        EXPECT_EQ(grid.GetItemImage(c.row, c.col), -1);
        EXPECT_EQ(grid.GetItemState(c.row, c.col), 0u);
        EXPECT_EQ(grid.GetItemData(c.row, c.col), 0);
        EXPECT_EQ(grid.GetRowHeight(c.row) == -1 || grid.GetColumnWidth(c.col) == -1, true);
        EXPECT_FALSE(grid.SetItemState(c.row, c.col, GVS_SELECTED));
        EXPECT_FALSE(grid.SetCell(c.row, c.col, nullptr));
    }
    EXPECT_FALSE(grid.SetRowHeight(0, -3));
}

TEST(GridCells, ModifiedMarks)
{
    CGridCtrl grid(4, 4, 1, 1);
    grid.SetModified(TRUE, 0, 5);  // row 0: the whole grid only
    EXPECT_TRUE(grid.GetModified());
    EXPECT_FALSE(grid.GetItemState(1, 1) & GVS_MODIFIED);
    grid.SetModified(TRUE, 2, 2);
    EXPECT_TRUE(grid.GetModified(2, 2));
    grid.SetModified(TRUE, 3, 1);
    grid.SetModified(FALSE, 2, 2);
    EXPECT_FALSE(grid.GetModified(2, 2));
    EXPECT_TRUE(grid.GetModified(3, 1));
    grid.SetModified(FALSE);
    EXPECT_FALSE(grid.GetModified());
    EXPECT_FALSE(grid.GetModified(3, 1));
}

TEST(GridCells, FindNextCellSearchesTheAreaOrUpwards)
{
    CGridCtrl grid(5, 4, 1, 1);
    grid.SetItemState(2, 3, GVS_MODIFIED);
    grid.SetItemState(4, 1, GVS_READONLY);
    grid.SetItemState(1, 2, GVS_MODIFIED);
    struct Case {
        CCellPos start;
        UINT flags;
        CCellPos want;
    } cases[] = {
        {CCellPos(-1, -1), GVS_MODIFIED | GVF_BELOW, CCellPos(1, 2)},
        {CCellPos(1, 2), GVS_MODIFIED | GVF_BELOW, CCellPos(2, 3)},
        {CCellPos(2, 3), GVS_MODIFIED | GVF_TORIGHT, CCellPos(-1, -1)},
        {CCellPos(0, 0), GVS_READONLY | GVF_TOLEFT, CCellPos(4, 1)},
        {CCellPos(4, 3), GVS_MODIFIED | GVF_ABOVE, CCellPos(2, 3)},
        {CCellPos(2, 3), GVS_MODIFIED | GVF_ABOVE, CCellPos(-1, -1)},
        {CCellPos(1, 1), GVS_MODIFIED, CCellPos(-1, -1)},  // no direction
    };
    for (const auto& c : cases)
        EXPECT_EQ(grid.FindNextCell(c.start, c.flags), c.want) << c.start.row << "," << c.start.col << " " << c.flags;
}

TEST(GridCells, EditableFollowsGridSwitchAndReadOnlyBit)
{
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_TRUE(grid.IsCellEditable(1, 1));
    grid.SetItemState(1, 1, GVS_READONLY);
    EXPECT_FALSE(grid.IsCellEditable(1, 1));
    grid.SetEditEnabled(FALSE);
    EXPECT_FALSE(grid.IsCellEditable(2, 2));
}

TEST(GridCells, WheelLinesComeFromTheUserSetting)
{
    const char* key = "Control Panel\\Desktop";
    SettingsStore::DeleteKey(key);
    EXPECT_EQ(CGridCtrl::ReadWheelScrollLines(), 3);
    struct Case {
        const char* stored;
        int want;
    } cases[] = {{"5", 5}, {"1", 1}, {"4294967295", -1}, {"junk", 3}};
    for (const auto& c : cases) {
        SettingsStore::SetString(key, "WheelScrollLines", c.stored);
        EXPECT_EQ(CGridCtrl::ReadWheelScrollLines(), c.want) << c.stored;
    }
    SettingsStore::SetString(key, "WheelScrollLines", "5");
    CGridCtrl grid;
    EXPECT_EQ(grid.GetWheelLines(), 5);
    SettingsStore::DeleteKey(key);
}

TEST(GridCells, ColoursSurviveOrFollowASystemColourChange)
{
    CGridCtrl grid;
    const COLORREF window = grid.GetCellBackColour();
    grid.SetFixedBackColour(RGB(1, 2, 3));
    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(grid.GetFixedBackColour(), RGB(1, 2, 3));
    EXPECT_EQ(grid.GetCellBackColour(), window);
    EXPECT_EQ(grid.GetLineColour(), RGB(192, 192, 192));
}

TEST(GridCells, NotifyParentNeedsAWindowAndAnOwner)
{
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_EQ(grid.NotifyParent(1, 1, GVN_ENDEDIT), 0);
    Fixture f;
    FillPlain(*f.grid, 3, 3);
    f.grid->NotifyParent(2, 1, GVN_ENDEDIT);
    ASSERT_EQ(f.host.m_notices.size(), 1u);
    EXPECT_EQ(f.host.m_notices[0].code, GVN_ENDEDIT);
    EXPECT_EQ(f.host.m_notices[0].row, 2);
    EXPECT_EQ(f.host.m_notices[0].col, 1);
}

TEST(GridCells, PresetMenuKeepsTheLanguageOfConstruction)
{
    const int saved = g_bChinese;
    g_bChinese = 0;
    CGridCtrl grid;
    g_bChinese = 1;
    CString text;
    grid.GetPresetMenu().GetMenuString(ID_PRESET_LOAD, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "Load     Machine Preset(&E)");
    grid.GetPresetMenu().GetMenuString(ID_PRESET_SAVEAS, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "Save As Machine Preset(&I)");
    grid.GetPresetMenu().GetMenuString(ID_PRESET_DELETE, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "");
    EXPECT_EQ(grid.GetPresetMenu().GetMenuItemID(0), ID_PRESET_LOAD);
    EXPECT_EQ(grid.GetPresetMenu().GetMenuItemID(1), ID_PRESET_SAVEAS);
    EXPECT_EQ(grid.GetPresetMenu().GetMenuItemID(2), ID_PRESET_DELETE);
    CGridCtrl chinese;
    chinese.GetPresetMenu().GetMenuString(ID_PRESET_LOAD, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "加载     机器预置场景(&E)");
    g_bChinese = saved;
}
