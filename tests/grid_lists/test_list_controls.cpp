// The report list, its owner-drawn form (row height, colours, alignment, gradient header, keys)
// and its custom-drawn colour form.
#include "CColorListCtrl.h"
#include "CListCtrlCl.h"
#include "Globals.h"
#include "ListTestKit.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr UINT kListId = 500;

class ListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bChinese = 0;
        ASSERT_TRUE(m_host.Make(420, 260));
    }
    // Three columns of 100 pixels, left, centred, right, and rows "r0".."r{n-1}".
    template <class List>
    void Fill(List& list, int nRows)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 250), &m_host, kListId));
        list.InsertColumn(0, "Left", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Centre", LVCFMT_CENTER, 100);
        list.InsertColumn(2, "Right", LVCFMT_RIGHT, 100);
        for (int r = 0; r < nRows; ++r) {
            list.InsertItem(r, ("r" + std::to_string(r)).c_str());
            list.SetItemText(r, 1, "WWW");
            list.SetItemText(r, 2, "WWW");
        }
    }
    // A point inside cell (row, column), in the list's client coordinates.
    static CPoint CellCentre(CListCtrl& list, int nRow, int nCol)
    {
        CRect rc;
        list.GetSubItemRect(nRow, nCol, LVIR_LABEL, rc);
        return rc.CenterPoint();
    }
    CHost m_host;
};

TEST_F(ListTest, ColumnsRowsAndTextsAreKeptAndBoundsChecked)
{
    CListCtrl list;
    Fill(list, 3);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(2, 0), "r2");
    EXPECT_EQ(list.GetItemText(1, 2), "WWW");
    EXPECT_FALSE(list.SetItemText(3, 0, "x"));   // no row 3
    EXPECT_FALSE(list.SetItemText(0, 3, "x"));   // no column 3
    EXPECT_FALSE(list.SetItemText(-1, 0, "x"));
    EXPECT_EQ(list.GetItemText(5, 0), "");
    char buf[3];
    EXPECT_EQ(list.GetItemText(0, 1, buf, int(sizeof buf)), 2);
    EXPECT_STREQ(buf, "WW");
    LVCOLUMN col{LVCF_TEXT | LVCF_WIDTH | LVCF_FMT, 0, 0, buf, int(sizeof buf), 0};
    EXPECT_TRUE(list.GetColumn(2, &col));
    EXPECT_EQ(col.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(col.cx, 100);
    EXPECT_FALSE(list.GetColumn(3, &col));
    // The header is the list's child with id 0, as printing finds it.
    EXPECT_EQ(list.GetDlgItem(0), list.GetHeaderCtrl());
}

TEST_F(ListTest, RowHeightAppliesToExistingRowsAndZeroLeavesTheListsOwn)
{
    CListCtrl plain;
    Fill(plain, 3);
    const int own = plain.GetRowHeight();
    plain.DestroyWindow();

    CListCtrlCl list;
    Fill(list, 3);
    list.SetFont(&g_fontArial16);
    list.SetRowHeight(18);
    CRect r0, r1;
    list.GetItemRect(0, &r0, LVIR_BOUNDS);
    list.GetItemRect(1, &r1, LVIR_BOUNDS);
    EXPECT_EQ(r1.top - r0.top, 18);
    EXPECT_EQ(r0.Height(), 18);
    list.SetRowHeight(31);
    list.GetItemRect(2, &r1, LVIR_BOUNDS);
    EXPECT_EQ(r1.Height(), 31);
    list.SetFont(nullptr);
    list.SetRowHeight(0);
    EXPECT_EQ(list.GetRowHeight(), own);
}

TEST_F(ListTest, CellColourEntriesReplaceEachOther)
{
    CListCtrlCl list;
    Fill(list, 4);
    COLORREF c = 0;
    list.SetItemColor(0, 1, RGB(1, 2, 3));
    list.SetItemColor(2, 2, RGB(4, 5, 6));
    EXPECT_FALSE(list.GetCellBkColor(0, 1, c));
    ASSERT_TRUE(list.GetCellBkColor(2, 2, c));
    EXPECT_EQ(c, RGB(4, 5, 6));

    list.SetRowBkColor(3, RGB(7, 8, 9));
    for (int col = 0; col < 3; ++col)
        EXPECT_TRUE(list.GetCellBkColor(col, 3, c)) << col;
    list.SetItemColor(0, 0, RGB(10, 11, 12));
    EXPECT_FALSE(list.GetCellBkColor(1, 3, c));  // the row colour went with the next cell colour

    // Column entries stay in order; the first match wins.
    list.AddColumnTextColor(1, RGB(20, 0, 0));
    list.AddColumnTextColor(1, RGB(30, 0, 0));
    ASSERT_TRUE(list.GetColumnTextColor(1, c));
    EXPECT_EQ(c, RGB(20, 0, 0));
    list.SetCellTextColor(0, 0, RGB(1, 1, 1));
    list.SetCellTextColor(1, 1, RGB(2, 2, 2));
    EXPECT_FALSE(list.GetCellTextColor(0, 0, c));
}

TEST_F(ListTest, DrawnCellsLayerCellOverColumnOverListAndSelectionKeepsTextColour)
{
    CListCtrlCl list;
    Fill(list, 4);
    list.SetRowHeight(24);
    list.SetBkColor(RGB(250, 250, 250));
    list.AddColumnBkColor(1, RGB(0, 200, 0));
    list.SetItemColor(1, 2, RGB(0, 0, 200));
    list.SetTextColor(RGB(255, 0, 0));
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocus();
    const QImage img = Grab(list);
    img.save(QString::fromStdString(ScreensDir() + "/list-ownerdrawn.png"));

    struct Case {
        int row, col;
        COLORREF back;
    } cases[] = {
        {0, 0, RGB(250, 250, 250)},            // the list's own background
        {0, 1, RGB(0, 200, 0)},                // column entry
        {2, 1, RGB(0, 0, 200)},                // cell entry over the column entry
        {3, 1, GetSysColor(COLOR_HIGHLIGHT)},  // selection over everything
    };
    for (const Case& k : cases) {
        CRect rc;
        list.GetSubItemRect(k.row, k.col, LVIR_LABEL, rc);
        EXPECT_EQ(PixelAt(img, rc.left + 3, rc.top + 2), k.back) << k.row << "," << k.col;
        // The text keeps the list's text colour, selected or not.
        EXPECT_GT(CountNear(img, rc, RGB(255, 0, 0)), 5) << k.row << "," << k.col;
    }
}

TEST_F(ListTest, AlignmentCodesFollowInsertionAndPlaceTheText)
{
    CListCtrlCl list;
    Fill(list, 1);
    EXPECT_EQ(list.m_wndHeader.m_Format, "012");
    ASSERT_EQ(list.m_wndHeader.m_HChar.size(), 3u);
    EXPECT_EQ(list.m_wndHeader.m_HChar[2], "Right");
    list.SetTextColor(RGB(255, 0, 0));
    const QImage img = Grab(list);
    // Where the text sits in each 100-pixel cell: its leftmost and rightmost red pixel.
    auto extent = [&](int col) {
        CRect rc;
        list.GetSubItemRect(0, col, LVIR_LABEL, rc);
        int lo = 1000, hi = -1;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (CountNear(img, CRect(x, y, x + 1, y + 1), RGB(255, 0, 0), 60)) {
                    lo = std::min(lo, x - rc.left);
                    hi = std::max(hi, x - rc.left);
                }
        return std::make_pair(lo, hi);
    };
    const auto left = extent(0), centre = extent(1), right = extent(2);
    EXPECT_LT(left.first, 6);
    EXPECT_GT(right.second, 92);
    EXPECT_NEAR((centre.first + centre.second) / 2, 50, 4);
    list.ClearHeaderTexts();
    EXPECT_TRUE(list.m_wndHeader.m_HChar.empty());
    EXPECT_EQ(list.m_wndHeader.m_Format, "012");
}

TEST_F(ListTest, HeaderShowsItsGradientAndHeightFactor)
{
    CListCtrlCl list;
    Fill(list, 2);
    CRect before;
    list.GetHeaderCtrl()->GetClientRect(&before);
    list.SetHeaderGradient(200, 100, 50, 2);
    list.SetHeaderHeightFactor(2.0f);
    CRect after;
    list.GetHeaderCtrl()->GetClientRect(&after);
    EXPECT_EQ(after.Height(), before.Height() * 2);
    CRect row0;
    list.GetItemRect(0, &row0, LVIR_BOUNDS);
    EXPECT_EQ(row0.top, after.Height());  // the rows start below the taller header
    const QImage img = Grab(list);
    EXPECT_EQ(PixelAt(img, 50, 0), RGB(200, 100, 50));
    EXPECT_EQ(PixelAt(img, 50, 5), RGB(190, 90, 40));
}

TEST_F(ListTest, HeaderDividerDragResizesOnlyAPlainList)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CListCtrl>()> make;
        bool resizes;
    } cases[] = {
        {"plain", [] { return std::make_unique<CListCtrl>(); }, true},
        {"owner-drawn", [] { return std::make_unique<CListCtrlCl>(); }, false},
        {"colour", [] { return std::make_unique<CColorListCtrl>(); }, false},
    };
    for (const Case& k : cases) {
        std::unique_ptr<CListCtrl> list = k.make();
        Fill(*list, 2);
        Drag(*list->GetHeaderCtrl(), CPoint(100, 5), CPoint(160, 5));
        EXPECT_EQ(list->GetColumnWidth(0) != 100, k.resizes) << k.name;
        if (k.resizes) {
            EXPECT_EQ(list->GetColumnWidth(0), 160) << k.name;
        }
        EXPECT_EQ(list->GetColumnWidth(1), 100) << k.name;
    }
}

TEST_F(ListTest, OnlyPageUpMovesTheSelectionOfTheOwnerDrawnList)
{
    struct Case {
        UINT key;
        bool moves;
    } cases[] = {{VK_PRIOR, true}, {VK_NEXT, false}, {VK_UP, false},   {VK_DOWN, false}, {VK_HOME, false},
                 {VK_END, false},  {VK_LEFT, false}, {VK_RIGHT, false}, {VK_TAB, false}, {VK_DELETE, false}};
    CListCtrlCl list;
    Fill(list, 30);
    CListCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), &m_host, kListId + 1));
    plain.InsertColumn(0, "c", LVCFMT_LEFT, 100);
    for (int r = 0; r < 30; ++r)
        plain.InsertItem(r, "x");
    for (const Case& k : cases) {
        list.SetItemState(15, LVIS_SELECTED, LVIS_SELECTED);
        list.SendMessage(WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(list.GetSelectionMark() != 15, k.moves) << k.key;
        // The same key does move a plain list (except Tab and Delete), so the swallowing shows.
        plain.SetItemState(15, LVIS_SELECTED, LVIS_SELECTED);
        plain.SendMessage(WM_KEYDOWN, k.key, 0);
        if (k.key != VK_TAB && k.key != VK_DELETE && k.key != VK_LEFT && k.key != VK_RIGHT) {
            EXPECT_NE(plain.GetSelectionMark(), 15) << k.key;
        }
    }
}

TEST_F(ListTest, ColourListCellsTakeTheirRecordsOrTheSystemColours)
{
    CColorListCtrl list;
    Fill(list, 6);
    list.SetBkColor(RGB(10, 10, 10));
    list.SetTextBkColor(RGB(10, 10, 10));
    list.SetCellColors(1, 1, RGB(255, 0, 0), RGB(0, 128, 0));
    list.SetCellColors(1, 1, RGB(255, 0, 0), RGB(0, 0, 128));  // the later record wins
    list.SetCellColors(2, 0, RGB(0, 0, 0), RGB(100, 0, 0));
    list.SetCellColors(3, 0, RGB(0, 0, 0), RGB(0, 100, 0));
    list.SetCellColors(4, 0, RGB(0, 0, 0), RGB(0, 0, 100));
    list.SetRowColors(5, RGB(0, 0, 0), RGB(50, 50, 0));
    EXPECT_EQ(list.m_arCellColors.size(), 8u);
    ASSERT_TRUE(list.DeleteItem(2));
    EXPECT_EQ(list.m_arCellColors.size(), 7u);
    EXPECT_FALSE(list.DeleteItem(40));
    EXPECT_EQ(list.m_arCellColors.size(), 7u);

    const QImage img = Grab(list);
    img.save(QString::fromStdString(ScreensDir() + "/list-colour.png"));
    // Row 2 and its records are gone; later records keep their row numbers, so each colours the
    // row that moved up into that number.
    struct Case {
        int row, col;
        COLORREF back;
    } cases[] = {
        {0, 0, GetSysColor(COLOR_WINDOW)},  // no record: the system colours, not the list's
        {1, 1, RGB(0, 0, 128)},             // two records: the later one
        {2, 0, GetSysColor(COLOR_WINDOW)},  // the old row 3, now row 2: row 2's record went
        {3, 0, RGB(0, 100, 0)},             // the old row 4 shows row 3's record
        {4, 0, RGB(0, 0, 100)},             // the old row 5 shows row 4's record
        {4, 2, GetSysColor(COLOR_WINDOW)},
    };
    for (const Case& k : cases) {
        CRect rc;
        list.GetSubItemRect(k.row, k.col, LVIR_LABEL, rc);
        EXPECT_EQ(PixelAt(img, rc.left + 2, rc.top + 2), k.back) << k.row << "," << k.col;
    }
    list.DeleteAllItems();
    EXPECT_TRUE(list.m_arCellColors.empty());
}

TEST_F(ListTest, RowsAndColumnsScrollWithTheHeader)
{
    CListCtrl list;
    Fill(list, 40);
    for (int c = 3; c < 8; ++c)
        list.InsertColumn(c, "more", LVCFMT_LEFT, 100);  // 800 pixels in a 400-pixel list
    const int page = list.GetCountPerPage();
    ASSERT_LT(page, 40);

    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    EXPECT_EQ(list.GetTopIndex(), 3);
    list.SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(list.GetSelectionMark(), 39);
    EXPECT_EQ(list.GetTopIndex(), 40 - page);  // the selection is brought into view
    list.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    CRect cell;
    list.GetSubItemRect(0, 0, LVIR_LABEL, cell);
    EXPECT_EQ(cell.left, -16);
    CRect header;
    list.GetHeaderCtrl()->GetWindowRect(&header);
    list.ScreenToClient(&header);
    EXPECT_EQ(header.left, -16);  // the headings move with the cells
    list.Scroll(CSize(10000, 0));
    list.GetSubItemRect(0, 7, LVIR_LABEL, cell);
    CRect client;
    list.GetClientRect(&client);
    EXPECT_EQ(cell.right, client.right - GetSystemMetrics(SM_CXVSCROLL));  // no further than the last column
}

}  // namespace
