// What the grid paints: the preset list's look, the focused and selected cells, grid lines,
// fixed cells raised or sunken. Writes screens/grid_preset.png and screens/grid_scrolled.png.
#include "GridTestKit.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
constexpr COLORREF kPresetLines = 0xFF9933;

QImage PaintInto(CGridCtrl& g, int cx, int cy)
{
    CDC dc;
    QImage img(cx, cy, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    dc.AttachPainter(&p, QRect(0, 0, cx, cy));
    g.DrawGrid(&dc);
    return img;
}
}  // namespace

TEST(GridPaint, PresetListLook)
{
    const int saved = g_bChinese;
    g_bChinese = 0;
    Fixture f(300, 172);  // the dialog's control: 201 x 92 dialog units
    ConfigureAsPresetList(*f.grid);
    const char* names[] = {"Road trip", "Bass heavy", "Vocal", "Night drive", "Concert hall", "Flat"};
    for (int r = 1; r < 7; ++r) {
        f.grid->SetItemText(r, 0, std::to_string(r).c_str());
        f.grid->SetItemText(r, 1, names[r - 1]);
    }
    f.grid->SetFocusCell(1, 1);
    f.grid->EnsureVisible(1, 0);
    Pump();
    const QImage img = Grab(*f.grid);
    ASSERT_TRUE(img.save(QString::fromStdString(ScreenPath("grid_preset.png"))));

    const int h = f.grid->GetRowHeight(1);
    const int w0 = f.grid->GetColumnWidth(0);
    // Row 1, column 1: selected (editing off turns the focus into a selection).
    EXPECT_EQ(f.grid->GetItemState(1, 1), GVS_SELECTED);
    EXPECT_EQ(PixelOf(img, w0 + 3, h + 2), GetSysColor(COLOR_HIGHLIGHT));
    // Row 2, column 1: plain window background; its bottom line in the grid-line colour.
    EXPECT_EQ(PixelOf(img, w0 + 3, 2 * h + 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelOf(img, w0 + 40, 3 * h - 1), kPresetLines);
    // Column 1 runs on past the window's right edge (262 pixels after column 0).
    CRect client;
    f.grid->GetClientRect(&client);
    EXPECT_GT(w0 + 262, client.right);
    EXPECT_EQ(PixelOf(img, client.right - 1, 2 * h + 2), GetSysColor(COLOR_WINDOW));
    // The rows are taller than the window: the vertical bar shows; scrolled to the end, the
    // grid background shows below the last row.
    EXPECT_GT(f.grid->GetVScrollLimit(), 0);
    f.grid->SendMessage(WM_VSCROLL, SB_BOTTOM);
    Pump();
    const QImage end = Grab(*f.grid);
    EXPECT_EQ(PixelOf(end, 10, client.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
    f.grid->SendMessage(WM_VSCROLL, SB_TOP);
    // The heading of the focus row is sunken (dark top-left edge); other headings raised.
    EXPECT_EQ(PixelOf(img, 3, h), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelOf(img, 3, 2 * h), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(img, 3, 3 * h - 1), GetSysColor(COLOR_3DDKSHADOW));
    g_bChinese = saved;
}

TEST(GridPaint, ScrolledGridWithFocusAndSelection)
{
    Fixture f(320, 200);
    FillPlain(*f.grid, 40, 12, 20, 60);
    CGridCtrl& g = *f.grid;
    for (int i = 0; i < 10; ++i)
        g.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    g.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    g.SetSelectedRange(12, 3, 13, 4);
    g.SetFocusCell(14, 3);
    Pump();
    const QImage img = Grab(g);
    ASSERT_TRUE(img.save(QString::fromStdString(ScreenPath("grid_scrolled.png"))));
    ASSERT_EQ(g.GetFirstScrolledCell(), CCellPos(11, 2));

    CRect sel, foc;
    ASSERT_TRUE(g.GetCellBounds(12, 3, &sel));
    ASSERT_TRUE(g.GetCellBounds(14, 3, &foc));
    EXPECT_EQ(sel, CRect(60 + 60, 20 + 20, 60 + 119, 59));
    EXPECT_EQ(PixelOf(img, sel.left + 2, sel.top + 2), GetSysColor(COLOR_HIGHLIGHT));
    // The focus cell: a black frame on its first pixels, the window colour inside.
    EXPECT_EQ(PixelOf(img, foc.left, foc.top + 5), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(img, foc.left + 5, foc.top), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(img, foc.left + 2, foc.top + 2), GetSysColor(COLOR_WINDOW));
    // Default grid lines.
    EXPECT_EQ(PixelOf(img, foc.right + 30, foc.bottom), RGB(192, 192, 192));
    // The scroll bars are up.
    EXPECT_GT(g.GetVScrollLimit(), 0);
}

TEST(GridPaint, FocusedWinsOverSelectedAndLineModes)
{
    Fixture f(200, 120);
    FillPlain(*f.grid, 4, 3, 20, 50);
    CGridCtrl& g = *f.grid;
    g.SetItemState(1, 1, GVS_FOCUSED | GVS_SELECTED);
    g.SetLineColour(RGB(255, 0, 0));
    struct Case {
        int mode;
        bool horizontal, vertical;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
    for (const auto& c : cases) {
        g.SetLineMode(c.mode);
        const QImage img = PaintInto(g, 200, 120);
        EXPECT_EQ(PixelOf(img, 53, 23), GetSysColor(COLOR_WINDOW)) << c.mode;  // focused, not highlighted
        // Cell (2,2): bottom row of pixels and right column of pixels.
        EXPECT_EQ(PixelOf(img, 120, 59) == RGB(255, 0, 0), c.horizontal) << c.mode;
        EXPECT_EQ(PixelOf(img, 149, 50) == RGB(255, 0, 0), c.vertical) << c.mode;
    }
}

TEST(GridPaint, NothingIsPaintedWhileRedrawIsOff)
{
    Fixture f(200, 120);
    FillPlain(*f.grid, 4, 3);
    f.grid->SetRedraw(FALSE);
    CDC dc;
    QImage img(50, 20, QImage::Format_RGB32);
    QPainter p(&img);
    dc.AttachPainter(&p, QRect(0, 0, 50, 20));
    EXPECT_FALSE(f.grid->PaintCell(&dc, 1, 1, CRect(0, 0, 49, 19)));
    EXPECT_FALSE(f.grid->PaintFixedCell(&dc, 0, 0, CRect(0, 0, 49, 19)));
    EXPECT_FALSE(f.grid->RepaintCell(1, 1));
    f.grid->SetRedraw(TRUE);
    EXPECT_TRUE(f.grid->PaintCell(&dc, 1, 1, CRect(0, 0, 49, 19)));
    EXPECT_FALSE(f.grid->PaintCell(&dc, 9, 1, CRect(0, 0, 49, 19)));
}

TEST(GridPaint, ChineseHeadingsDiffer)
{
    Fixture f(300, 172);
    ConfigureAsPresetList(*f.grid, true);
    Pump();
    const QImage zh = Grab(*f.grid);
    ASSERT_TRUE(zh.save(QString::fromStdString(ScreenPath("grid_preset_zh.png"))));
    f.grid->SetItemText(0, 1, "名字");
    Pump();
    const QImage other = Grab(*f.grid);
    const int h = f.grid->GetRowHeight(0);
    EXPECT_NE(zh.copy(30, 0, 262, h), other.copy(30, 0, 262, h));  // two characters render apart
}
