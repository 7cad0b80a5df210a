// Focus, selection and the keyboard.
#include "GridTestKit.h"

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
struct Preset : Fixture {
    Preset() : Fixture(300, 200)
    {
        ConfigureAsPresetList(*grid);
        for (int r = 1; r < 7; ++r)
            grid->SetItemText(r, 1, ("Scene " + std::to_string(r)).c_str());
    }
};
}  // namespace

TEST(GridKeys, NavigationOnThePresetList)
{
    Preset f;
    struct Case {
        CCellPos from;
        UINT key;
        CCellPos want;
    } cases[] = {
        {CCellPos(6, 1), VK_DOWN, CCellPos(1, 1)},  // wraps to row index 1
        {CCellPos(1, 1), VK_UP, CCellPos(6, 1)},
        {CCellPos(3, 1), VK_DOWN, CCellPos(4, 1)},
        {CCellPos(3, 1), VK_UP, CCellPos(2, 1)},
        {CCellPos(3, 1), VK_RIGHT, CCellPos(3, 1)},  // last column: no wrap
        {CCellPos(3, 1), VK_LEFT, CCellPos(3, 1)},   // first non-fixed column
        {CCellPos(3, 1), VK_HOME, CCellPos(1, 1)},
        {CCellPos(3, 1), VK_END, CCellPos(6, 1)},
        {CCellPos(6, 1), VK_TAB, CCellPos(1, 1)},
    };
    for (const auto& c : cases) {
        f.grid->SetFocusCell(c.from);
        SendKey(*f.grid, c.key);
        EXPECT_EQ(f.grid->GetFocusCell(), c.want) << c.from.row << " key " << c.key;
    }
}

TEST(GridKeys, WrapGoesToRowIndexOneEvenWithTwoFixedRows)
{
    Fixture f;
    FillPlain(*f.grid, 6, 3);
    f.grid->SetFixedRowCount(2);
    f.grid->SetFocusCell(5, 1);
    SendKey(*f.grid, VK_DOWN);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(1, 1));
}

TEST(GridKeys, KeyboardMoveSelectsWithoutTheFocusMark)
{
    Preset f;
    f.grid->SetFocusCell(2, 1);
    f.host.m_notices.clear();
    SendKey(*f.grid, VK_DOWN);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(3, 1));
    EXPECT_EQ(f.grid->GetItemState(3, 1), GVS_SELECTED);
    EXPECT_EQ(f.grid->GetItemState(2, 1) & GVS_SELECTED, 0u);
    ASSERT_EQ(f.host.m_notices.size(), 1u);
    EXPECT_EQ(f.host.m_notices[0].code, GVN_FOCUSLEAVE);
    EXPECT_EQ(f.host.m_notices[0].row, 2);
    EXPECT_TRUE(f.host.Of(GVN_FOCUSENTER).empty());
    EXPECT_EQ(f.grid->GetSelectionBounds(), CCellBlock(3, 1, 3, 1));
}

TEST(GridKeys, TabWrapsAndShiftTabStopsAtTheFirstCell)
{
    Fixture f;
    FillPlain(*f.grid, 4, 4);
    QWidget* w = f.grid->GetWidget();
    f.grid->SetFocusCell(3, 3);
    QTest::keyClick(w, Qt::Key_Tab);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(1, 1));
    f.grid->SetFocusCell(2, 3);
    QTest::keyClick(w, Qt::Key_Tab);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(3, 1));
    f.grid->SetFocusCell(2, 1);
    QTest::keyClick(w, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(1, 3));
    f.grid->SetFocusCell(1, 1);
    QTest::keyClick(w, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(1, 1));
}

TEST(GridKeys, DeleteClearsEvenWithEditingOffButNotAReadOnlyCell)
{
    Preset f;
    f.grid->SetFocusCell(4, 1);
    f.host.m_notices.clear();
    SendKey(*f.grid, VK_DELETE);
    EXPECT_EQ(f.grid->GetItemText(4, 1), "");
    auto cleared = f.host.Of(GVN_CLEARCELL);
    ASSERT_EQ(cleared.size(), 1u);
    EXPECT_EQ(cleared[0].row, 4);
    EXPECT_EQ(cleared[0].col, 1);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(4, 1));

    f.grid->SetItemText(5, 1, "keep");
    f.grid->SetFocusCell(5, 1);
    f.grid->SetItemState(5, 1, GVS_READONLY);
    f.host.m_notices.clear();
    SendKey(*f.grid, VK_DELETE);
    EXPECT_EQ(f.grid->GetItemText(5, 1), "keep");
    EXPECT_TRUE(f.host.Of(GVN_CLEARCELL).empty());
}

TEST(GridKeys, KeysDoNothingWithoutAFocusCellOrDuringAPress)
{
    Preset f;
    ASSERT_EQ(f.grid->GetFocusCell(), CCellPos(-1, -1));
    SendKey(*f.grid, VK_DOWN);
    EXPECT_EQ(f.grid->GetFocusCell(), CCellPos(-1, -1));

    // A left press without its release keeps the mouse mode busy.
    f.grid->SetFocusCell(2, 1);
    CRect rc;
    ASSERT_TRUE(f.grid->GetCellBounds(3, 1, &rc));
    QTest::mousePress(f.grid->GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(rc.left + 5, rc.top + 5));
    ASSERT_NE(f.grid->GetMouseMode(), MODE_IDLE);
    const CCellPos before = f.grid->GetFocusCell();
    SendKey(*f.grid, VK_DOWN);
    EXPECT_EQ(f.grid->GetFocusCell(), before);
    QTest::mouseRelease(f.grid->GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(rc.left + 5, rc.top + 5));
    EXPECT_EQ(f.grid->GetMouseMode(), MODE_IDLE);
}

TEST(GridKeys, FocusOnAReadOnlyCellOfANonEditableGridBecomesSelectedOnly)
{
    Preset f;
    f.grid->SetItemState(2, 1, GVS_READONLY | GVS_MODIFIED);
    f.grid->SetFocusCell(2, 1);
    EXPECT_EQ(f.grid->GetItemState(2, 1), GVS_SELECTED);

    Fixture e;
    FillPlain(*e.grid, 4, 4);
    e.grid->SetFocusCell(2, 2);
    EXPECT_EQ(e.grid->GetItemState(2, 2), GVS_FOCUSED);
    auto enter = e.host.Of(GVN_FOCUSENTER);
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_EQ(enter[0].row, 2);
    e.grid->SetEditEnabled(FALSE);  // re-applies the focus look
    EXPECT_EQ(e.grid->GetItemState(2, 2), GVS_SELECTED);
}

TEST(GridKeys, SelectionRangesAndTheKeptSelection)
{
    Fixture f;
    FillPlain(*f.grid, 6, 5);
    CGridCtrl& g = *f.grid;
    g.SetSelectedRange(1, 1, 2, 3);
    EXPECT_EQ(g.GetSelectedCount(), 6);
    EXPECT_EQ(g.GetSelectionBounds(), CCellBlock(1, 1, 2, 3));
    g.SelectAll();
    EXPECT_EQ(g.GetSelectedCount(), 5 * 4);
    EXPECT_EQ(g.GetItemState(0, 0) & GVS_SELECTED, 0u);
    g.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(g.GetSelectedCount(), 0);
    const CCellBlock none = g.GetSelectionBounds();
    EXPECT_FALSE(g.IsValidRange(none));
    g.SetSelectedRange(1, 1, 1, 9);  // beyond the columns: selects nothing
    EXPECT_EQ(g.GetSelectedCount(), 0);

    // A Ctrl-press keeps the old selection; an invalid range then brings it back.
    g.SetSelectedRange(2, 2, 2, 2);
    CRect rc;
    ASSERT_TRUE(g.GetCellBounds(4, 4, &rc));
    QTest::mouseClick(g.GetWidget(), Qt::LeftButton, Qt::ControlModifier, QPoint(rc.left + 3, rc.top + 3));
    EXPECT_TRUE(g.GetItemState(2, 2) & GVS_SELECTED);
    EXPECT_TRUE(g.GetItemState(4, 4) & GVS_SELECTED);
    g.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_TRUE(g.GetItemState(2, 2) & GVS_SELECTED);
    g.SetSingleRowSelect(TRUE);
    g.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(g.GetSelectedCount(), 0);
}

TEST(GridKeys, ShiftPressExtendsFromTheFocusCell)
{
    Fixture f;
    FillPlain(*f.grid, 6, 5);
    CGridCtrl& g = *f.grid;
    CRect a, b;
    ASSERT_TRUE(g.GetCellBounds(1, 1, &a));
    ASSERT_TRUE(g.GetCellBounds(3, 2, &b));
    QTest::mouseClick(g.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(a.left + 3, a.top + 3));
    QTest::mouseClick(g.GetWidget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(b.left + 3, b.top + 3));
    EXPECT_EQ(g.GetSelectionBounds(), CCellBlock(1, 1, 3, 2));
    EXPECT_EQ(g.GetSelectedCount(), 6);
}

TEST(GridKeys, PageKeysMoveByTheScrolledRows)
{
    Fixture f(320, 200);
    FillPlain(*f.grid, 30, 3, 20, 50);  // 184-pixel client: a page is 164 pixels
    CGridCtrl& g = *f.grid;
    g.SetFocusCell(1, 1);
    SendKey(g, VK_NEXT);
    const int moved = g.GetFirstScrolledCell().row - 1;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(g.GetFocusCell(), CCellPos(1 + moved, 1));
    SendKey(g, VK_END);
    EXPECT_EQ(g.GetFocusCell(), CCellPos(29, 1));
    SendKey(g, VK_NEXT);  // nothing scrolls any more: the last row
    EXPECT_EQ(g.GetFocusCell(), CCellPos(29, 1));
    SendKey(g, VK_HOME);
    EXPECT_EQ(g.GetFocusCell(), CCellPos(1, 1));
    EXPECT_EQ(g.GetScrollPosition(SB_VERT), 0);
    SendKey(g, VK_PRIOR);
    EXPECT_EQ(g.GetFocusCell(), CCellPos(1, 1));
}

TEST(GridKeys, DialogCodeWantsArrowsCharsAndTab)
{
    Fixture f;
    const UINT code = UINT(f.grid->SendMessage(WM_GETDLGCODE));
    EXPECT_EQ(code, DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
}
