// Cell rectangles, hit tests, visible ranges, scroll limits and steps, sizing to the window.
#include "GridTestKit.h"

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
// 20 rows x 10 columns of 20 x 50 pixels on a 320 x 200 window: both bars show, so the client
// area is 304 x 184.
struct Scrolled : Fixture {
    Scrolled() : Fixture(320, 200) { FillPlain(*grid, 20, 10, 20, 50); }
};
}  // namespace

TEST(GridGeometry, ScrollLimitsFollowTheContent)
{
    Scrolled f;
    CRect client;
    f.grid->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 320 - CWndScrollBars::BarSize());
    EXPECT_EQ(client.Height(), 200 - CWndScrollBars::BarSize());
    EXPECT_EQ(f.grid->GetVScrollLimit(), 400 - 20 - 1);
    EXPECT_EQ(f.grid->GetHScrollLimit(), 500 - 50 - 1);

    Fixture small(320, 200);
    FillPlain(*small.grid, 3, 3);
    EXPECT_EQ(small.grid->GetVScrollLimit(), 0);
    EXPECT_EQ(small.grid->GetHScrollLimit(), 0);
    small.grid->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 320);  // both bars hidden
    EXPECT_EQ(client.Height(), 200);
}

TEST(GridGeometry, CellFromPoint)
{
    Scrolled f;
    struct Case {
        CPoint pt;
        BOOL hitFixed;
        CCellPos want;
    } cases[] = {
        {CPoint(10, 10), TRUE, CCellPos(0, 0)},
        {CPoint(60, 30), TRUE, CCellPos(1, 1)},
        {CPoint(49, 19), TRUE, CCellPos(0, 0)},
        {CPoint(50, 20), TRUE, CCellPos(1, 1)},
        {CPoint(10, 30), FALSE, CCellPos(1, -1)},
        {CPoint(60, 10), FALSE, CCellPos(-1, 1)},
        {CPoint(-1, 30), TRUE, CCellPos(1, -1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.grid->CellFromPoint(c.pt, c.hitFixed), c.want) << c.pt.x << "," << c.pt.y;

    Fixture narrow(320, 200);
    FillPlain(*narrow.grid, 3, 3);  // 150 pixels of columns
    EXPECT_EQ(narrow.grid->CellFromPoint(CPoint(200, 30)), CCellPos(1, -1));

    f.grid->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(f.grid->CellFromPoint(CPoint(60, 30)), CCellPos(2, 1));
    EXPECT_EQ(f.grid->CellFromPoint(CPoint(60, 10)), CCellPos(0, 1));  // headings stay
}

TEST(GridGeometry, VisibleAndFullyVisibleRanges)
{
    Scrolled f;
    CRect vis;
    // Rows 1..8 fill y 20..179; row 9 starts at 180 and is cut at 184.
    EXPECT_EQ(f.grid->GetVisibleRange(&vis), CCellBlock(1, 1, 9, 6));
    EXPECT_EQ(vis, CRect(0, 0, 304, 184));
    EXPECT_EQ(f.grid->GetFullyVisibleRange(), CCellBlock(1, 1, 8, 5));
    EXPECT_TRUE(f.grid->IsCellVisible(9, 6));  // top-left corner inside, most of it cut off
    EXPECT_FALSE(f.grid->IsCellVisible(10, 1));
    EXPECT_EQ(f.grid->GetWholeRange(), CCellBlock(0, 0, 19, 9));
}

TEST(GridGeometry, CellRectanglesAreInclusive)
{
    Scrolled f;
    CRect rc;
    ASSERT_TRUE(f.grid->GetCellBounds(2, 3, &rc));
    EXPECT_EQ(rc, CRect(150, 40, 199, 59));
    CRect range;
    ASSERT_TRUE(f.grid->GetRangeBounds(CCellBlock(2, 3, 2, 3), &range));
    EXPECT_EQ(range, rc);
    ASSERT_TRUE(f.grid->GetRangeBounds(CCellBlock(1, 1, 2, 2), &range));
    EXPECT_EQ(range, CRect(50, 20, 149, 59));

    f.grid->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    CPoint p;
    EXPECT_FALSE(f.grid->GetCellTopLeft(1, 1, &p));  // scrolled out above
    ASSERT_TRUE(f.grid->GetCellTopLeft(15, 1, &p));
    EXPECT_EQ(p.y, 20 + 13 * 20);  // beyond the client area
    EXPECT_TRUE(f.grid->GetCellTopLeft(0, 1, &p));
    EXPECT_EQ(p, CPoint(50, 0));
    EXPECT_FALSE(f.grid->GetCellBounds(20, 0, &rc));
}

TEST(GridGeometry, ScrollSteps)
{
    Scrolled f;
    CGridCtrl& g = *f.grid;
    // The furthest position: the rows below the headings less the 164 pixels they show.
    const int limit = 380 - 164;
    struct Step {
        UINT code;
        int want;
    } steps[] = {
        {SB_LINEDOWN, 20},      {SB_LINEDOWN, 40},   {SB_LINEUP, 20},     {SB_PAGEDOWN, 20 + 164},
        {SB_PAGEUP, 20},        {SB_PAGEUP, 0},      {SB_LINEUP, 0},      {SB_BOTTOM, limit},
        {SB_LINEDOWN, limit},   {SB_PAGEDOWN, limit}, {SB_TOP, 0},
    };
    for (const auto& s : steps) {
        g.SendMessage(WM_VSCROLL, s.code);
        EXPECT_EQ(g.GetScrollPosition(SB_VERT), s.want) << "code " << s.code;
    }
    g.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(g.GetScrollPosition(SB_HORZ), 50);
    EXPECT_EQ(g.GetFirstScrolledCell(), CCellPos(1, 2));
    g.SendMessage(WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(g.GetScrollPosition(SB_HORZ), 450 - 254);
    // The last column is the furthest the first scrolled column can go.
    EXPECT_LE(g.GetFirstScrolledCell().col, 9);
}

TEST(GridGeometry, EnsureVisibleScrollsByLines)
{
    Scrolled f;
    CGridCtrl& g = *f.grid;
    g.EnsureVisible(3, 2);  // in view: nothing
    EXPECT_EQ(g.GetScrollPosition(SB_VERT), 0);
    EXPECT_EQ(g.GetScrollPosition(SB_HORZ), 0);
    g.EnsureVisible(9, 1);  // sticks out below by 16 pixels: one line step
    EXPECT_EQ(g.GetScrollPosition(SB_VERT), 20);
    g.EnsureVisible(15, 8);
    EXPECT_TRUE(g.IsCellVisible(15, 8));
    CRect rc, client;
    ASSERT_TRUE(g.GetCellBounds(15, 8, &rc));
    g.GetClientRect(&client);
    EXPECT_LT(rc.bottom, client.bottom);
    EXPECT_LT(rc.right, client.right);
    g.EnsureVisible(1, 1);
    EXPECT_EQ(g.GetFirstScrolledCell(), CCellPos(1, 1));
}

TEST(GridGeometry, FitColumnsToWindowSpreadsTheDifference)
{
    struct Case {
        int clientWidth;
        int want[3];
    } cases[] = {{100, {34, 33, 33}}, {80, {26, 27, 27}}, {90, {30, 30, 30}}, {91, {31, 30, 30}}};
    for (const auto& c : cases) {
        Fixture f(c.clientWidth, 60);
        f.grid->SetRowCount(1);
        f.grid->SetColumnCount(3);
        for (int col = 0; col < 3; ++col)
            f.grid->SetColumnWidth(col, 30);
        f.grid->FitColumnsToWindow();
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(f.grid->GetColumnWidth(col), c.want[col]) << c.clientWidth << " col " << col;
        EXPECT_EQ(f.grid->GetTotalWidth(), c.clientWidth);
    }
}

TEST(GridGeometry, FitRowsAndAutoSize)
{
    Fixture f(200, 100);
    FillPlain(*f.grid, 3, 2, 20, 40);
    f.grid->FitRowsToWindow();
    EXPECT_EQ(f.grid->GetTotalHeight(), 100);
    EXPECT_EQ(f.grid->GetRowHeight(0), 34);

    f.grid->SetItemText(0, 1, "a much longer heading");
    ASSERT_TRUE(f.grid->AutoSizeColumn(1));
    // The fixed heading is measured in the weight-600 font: wider than the plain extent.
    EXPECT_GE(f.grid->GetColumnWidth(1), f.grid->GetTextExtent("a much longer heading", TRUE).cx);
    EXPECT_FALSE(f.grid->AutoSizeColumn(2));
    EXPECT_FALSE(f.grid->AutoSizeRow(-1));
}

TEST(GridGeometry, RowAndColumnEdges)
{
    Scrolled f;
    EXPECT_TRUE(f.grid->IsOverRowEdge(CPoint(10, 38)));   // near the bottom of row 1
    EXPECT_TRUE(f.grid->IsOverRowEdge(CPoint(10, 21)));   // near the top of row 1
    EXPECT_FALSE(f.grid->IsOverRowEdge(CPoint(10, 1)));   // top of row 0 is no edge
    EXPECT_FALSE(f.grid->IsOverRowEdge(CPoint(60, 38)));  // not in the fixed columns
    EXPECT_TRUE(f.grid->IsOverColumnEdge(CPoint(98, 5)));
    EXPECT_FALSE(f.grid->IsOverColumnEdge(CPoint(75, 5)));
}
