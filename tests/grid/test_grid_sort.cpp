// Sorting rows by text and by item data.
#include "GridTestKit.h"

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
std::vector<CString> Column(CGridCtrl& g, int col)
{
    std::vector<CString> out;
    for (int r = 0; r < g.GetRowCount(); ++r)
        out.push_back(g.GetItemText(r, col));
    return out;
}
}  // namespace

TEST(GridSort, ByteOrderCaseSensitive)
{
    struct Case {
        std::vector<CString> in;
        BOOL ascending;
        std::vector<CString> want;
    } cases[] = {
        {{"b", "A", "a", "B"}, TRUE, {"A", "B", "a", "b"}},
        {{"b", "A", "a", "B"}, FALSE, {"b", "a", "B", "A"}},
        {{"Scene 10", "Scene 2", "Scene 1"}, TRUE, {"Scene 1", "Scene 10", "Scene 2"}},
        {{"中", "z", "A"}, TRUE, {"A", "z", "中"}},
        {{"x", "x", "a"}, TRUE, {"a", "x", "x"}},
    };
    for (const auto& c : cases) {
        const int n = int(c.in.size());
        CGridCtrl g(n + 1, 2, 1, 1);
        g.SetItemText(0, 1, "Name");
        for (int i = 0; i < n; ++i) {
            g.SetItemText(i + 1, 0, std::to_string(i + 1).c_str());
            g.SetItemText(i + 1, 1, c.in[size_t(i)].c_str());
            g.SetRowHeight(i + 1, 10 + i);
        }
        ASSERT_TRUE(g.SortByText(1, c.ascending));
        std::vector<CString> got = Column(g, 1);
        EXPECT_EQ(got[0], "Name");  // the fixed row never moves
        got.erase(got.begin());
        EXPECT_EQ(got, c.want);
        // Headings and heights travel with their rows.
        for (int r = 1; r <= n; ++r) {
            const int from = std::stoi(g.GetItemText(r, 0)) - 1;
            EXPECT_EQ(g.GetItemText(r, 1), c.in[size_t(from)]);
            EXPECT_EQ(g.GetRowHeight(r), 10 + from);
        }
    }
}

TEST(GridSort, RefusesBadColumnsAndSingleRows)
{
    CGridCtrl g(2, 2, 1, 1);
    g.SetItemText(1, 1, "only");
    EXPECT_FALSE(g.SortByText(1, TRUE));
    EXPECT_EQ(g.GetItemText(1, 1), "only");
    CGridCtrl h(4, 2, 1, 1);
    EXPECT_FALSE(h.SortByText(2, TRUE));
    EXPECT_FALSE(h.SortByText(-1, TRUE));
}

TEST(GridSort, SortClearsFocusAndSelection)
{
    Fixture f;
    FillPlain(*f.grid, 5, 3);
    f.grid->SetFocusCell(2, 1);
    f.grid->SetSelectedRange(1, 1, 3, 2);
    ASSERT_TRUE(f.grid->SortByText(1, FALSE));
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(-1, -1));
    EXPECT_EQ(f.grid->GetSelectedCount(), 0);
    EXPECT_EQ(f.grid->GetItemText(1, 1), "4,1");
}

TEST(GridSort, ByItemData)
{
    CGridCtrl g(6, 2, 1, 1);
    const LPARAM data[] = {30, 10, 50, 20, 40};
    for (int i = 0; i < 5; ++i)
        g.SetItemData(i + 1, 1, data[i]);
    auto cmp = [](LPARAM a, LPARAM b, LPARAM) { return a < b ? -1 : a > b ? 1 : 0; };
    ASSERT_TRUE(g.SortByItemData(cmp, 1, TRUE));
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(g.GetItemData(r, 1), LPARAM(r * 10));
    ASSERT_TRUE(g.SortByItemData(cmp, 1, FALSE));
    EXPECT_EQ(g.GetItemData(1, 1), 50);
    EXPECT_FALSE(g.SortByItemData(nullptr, 1, TRUE));
}

TEST(GridSort, HeaderClickSortsInListMode)
{
    Fixture f;
    FillPlain(*f.grid, 5, 3);
    f.grid->SetFixedRowCount(2);
    const char* names[] = {"c", "a", "b"};
    for (int i = 0; i < 3; ++i)
        f.grid->SetItemText(i + 2, 1, names[i]);
    f.grid->SetRowMode(TRUE);
    CRect rc;
    ASSERT_TRUE(f.grid->GetCellBounds(1, 1, &rc));
    QTest::mouseClick(f.grid->GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(rc.left + 3, rc.top + 3));
    EXPECT_EQ(f.grid->GetItemText(2, 1), "a");
    EXPECT_EQ(f.grid->GetItemText(4, 1), "c");
    QTest::mouseClick(f.grid->GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(rc.left + 3, rc.top + 3));
    EXPECT_EQ(f.grid->GetItemText(2, 1), "c");
    EXPECT_EQ(f.grid->GetItemText(4, 1), "a");
}
