// The font label (sizes, colours, blinking, numbers), the group box (caption gap, alignment,
// frame styles, disabled look) and the list header (gradient rows, layout height).
#include "ControlTestKit.h"

#include "CDC.h"
#include "CFontStatic.h"
#include "CHeaderCtrlCl.h"
#include "CSxGroupBox.h"
#include "Globals.h"

#include <gtest/gtest.h>

namespace {

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        ASSERT_TRUE(stage.Make(60, 60, 320, 200));
    }
    void TearDown() override { g_bChinese = 0; }
    // The label's text pixels: how many pixels of the colour show in its area.
    int PixelsOf(CWnd& wnd, COLORREF clr)
    {
        Pump();
        CRect rc;
        wnd.GetWindowRect(&rc);
        stage.ScreenToClient(&rc);
        const QImage img = GrabOf(stage).copy(rc.left, rc.top, rc.Width(), rc.Height());
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += PixelOf(img, x, y) == clr ? 1 : 0;
        return n;
    }
    CStage stage;
};

}  // namespace

TEST_F(LabelTest, FontStaticBlinksRedAndNearWhiteAndStops)
{
    CFontStatic label;
    ASSERT_TRUE(label.Create("OUT 1", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &stage, 1));
    EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
    label.SetFontSize(20);
    label.SetTextColor(RGB(0, 200, 0));
    EXPECT_GT(PixelsOf(label, RGB(0, 200, 0)), 10);
    label.StartBlink();
    EXPECT_EQ(label.CurrentTextColor(), FONTSTATIC_BLINK_RED);
    EXPECT_GT(PixelsOf(label, FONTSTATIC_BLINK_RED), 10);
    label.SendMessage(WM_TIMER, FONTSTATIC_BLINK_TIMER);
    EXPECT_EQ(label.CurrentTextColor(), FONTSTATIC_BLINK_LIGHT);
    EXPECT_GT(PixelsOf(label, FONTSTATIC_BLINK_LIGHT), 10);
    label.SendMessage(WM_TIMER, 77);  // not the blink timer
    EXPECT_EQ(label.GetBlinkPhase(), 1);
    label.StopBlink();
    EXPECT_FALSE(label.IsBlinking());
    EXPECT_EQ(label.GetBlinkPhase(), 0);
    EXPECT_EQ(PixelsOf(label, FONTSTATIC_BLINK_RED), 0);
    EXPECT_GT(PixelsOf(label, RGB(0, 200, 0)), 10);
}

TEST_F(LabelTest, FontStaticWithTheSameColourChangesOnlyTheSize)
{
    CFontStatic label;
    ASSERT_TRUE(label.Create("x", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &stage, 1));
    label.SetFontStatic("Tahoma", 30, 0x000000, FS_RIGHT);  // the colour it already has
    EXPECT_EQ(label.GetFontSize(), 30);
    const QImage centred = GrabOf(label);
    label.SetFontStatic("Tahoma", 30, 0x0000FF, FS_RIGHT);
    EXPECT_EQ(label.GetTextColor(), 0x0000FFu);
    label.SetTextColor(0x000000);
    EXPECT_NE(GrabOf(label), centred);  // now right-aligned
}

TEST_F(LabelTest, FontStaticShowsNumbersWithOffsetAndSuffix)
{
    CFontStatic label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &stage, 1));
    label.SetNumberFormat(0, 0, 50, "dB");
    label.ShowNumber(130);
    EXPECT_EQ(label.GetWindowText(), "80dB");
    label.ShowNumber(20);
    EXPECT_EQ(label.GetWindowText(), "-30dB");
}

TEST_F(LabelTest, GroupBoxLeavesTheTopLineOpenForItsCaption)
{
    CSxGroupBox box;
    ASSERT_TRUE(box.Create("Limiter", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 10, 210, 110), &stage, 1));
    box.SetColors(RGB(200, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(box.GetFrameRect(), CRect(0, 0, 200, 100));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    int x1 = 0, x2 = 0, y = 0;
    box.CaptionGap(&dc, x1, x2, y);
    EXPECT_EQ(x1, 8);
    EXPECT_GT(x2, x1 + 20);
    const QImage shot = GrabOf(box);
    EXPECT_EQ(PixelOf(shot, 3, y), RGB(200, 0, 0));       // the line left of the caption
    EXPECT_EQ(PixelOf(shot, 3, y + 1), RGB(0, 0, 200));   // and its light inner line
    EXPECT_EQ(PixelOf(shot, x2 + 4, y), RGB(200, 0, 0));  // right of it
    EXPECT_EQ(PixelOf(shot, 0, 60), RGB(200, 0, 0));      // the left side
    EXPECT_EQ(PixelOf(shot, 199, 60), RGB(200, 0, 0));    // the right side
    EXPECT_EQ(PixelOf(shot, 100, 99), RGB(200, 0, 0));    // the bottom
    // The caption sits in the gap: no frame colour there.
    bool lineInGap = false;
    for (int x = x1 + 1; x < x2 - 1; ++x)
        lineInGap = lineInGap || PixelOf(shot, x, y) == RGB(200, 0, 0);
    EXPECT_FALSE(lineInGap);
}

TEST_F(LabelTest, GroupBoxDisabledShowsTheDefaultFrameAndNoCaption)
{
    CSxGroupBox box;
    ASSERT_TRUE(box.Create("Gate", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 10, 210, 110), &stage, 1));
    box.SetColors(RGB(200, 0, 0), RGB(0, 0, 200));
    box.SetTextColor(RGB(0, 150, 0));
    EXPECT_GT(PixelsOf(box, RGB(0, 150, 0)), 5);
    box.EnableWindow(FALSE);
    EXPECT_EQ(PixelsOf(box, RGB(0, 150, 0)), 0);
    EXPECT_EQ(PixelOf(GrabOf(box), 0, 60), GetSysColor(COLOR_BTNSHADOW));
    COLORREF dark = 0, light = 0;
    box.GetColors(dark, light);
    EXPECT_EQ(dark, RGB(200, 0, 0));
    box.SetColors(0, 0);  // 0 restores the defaults
    box.GetColors(dark, light);
    EXPECT_EQ(dark, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(light, GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(LabelTest, GroupBoxSettersRefuseUnknownValues)
{
    CSxGroupBox box;
    ASSERT_TRUE(box.Create("A", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_RIGHT, CRect(10, 10, 210, 110), &stage, 1));
    EXPECT_EQ(box.GetAlignment(), SXGB_RIGHT);
    box.SetAlignment(5);
    EXPECT_EQ(box.GetAlignment(), SXGB_LEFT);
    box.SetAlignment(SXGB_CENTER);
    EXPECT_EQ(box.GetAlignment(), SXGB_CENTER);
    box.SetFrameStyle(7);
    EXPECT_EQ(box.GetFrameStyle(), SXGB_ETCHED);
    box.SetFrameStyle(SXGB_FLAT);
    EXPECT_EQ(box.GetFrameStyle(), SXGB_FLAT);
    CSxGroupBox edged;
    ASSERT_TRUE(edged.CreateEx(WS_EX_CLIENTEDGE, nullptr, "B", WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                               CRect(10, 10, 210, 110), &stage, 2));
    EXPECT_EQ(edged.GetFrameRect(), CRect(2, 3, 197, 97));
}

TEST_F(LabelTest, HeaderFadesByItsStepPerRowAndLaysOutTaller)
{
    CHeaderCtrlCl header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 20), &stage, 1));
    for (int i = 0; i < 2; ++i) {
        HDITEM item{HDI_WIDTH, 100, nullptr, 0, 0};
        header.InsertItem(i, &item);
    }
    header.m_HChar = {"Scene", "Name"};
    header.m_Format = "01";
    EXPECT_EQ(header.RowColour(0), RGB(180, 179, 179));
    EXPECT_EQ(header.RowColour(20), RGB(120, 119, 119));
    EXPECT_EQ(header.RowColour(70), RGB(0, 0, 0));  // never below 0
    const QImage shot = GrabOf(header);
    EXPECT_EQ(PixelOf(shot, 50, 0), RGB(180, 179, 179));
    EXPECT_EQ(PixelOf(shot, 95, 19), RGB(123, 122, 122));
    EXPECT_EQ(PixelOf(shot, 250, 10), header.RowColour(10));  // right of the last column
    EXPECT_NE(PixelOf(shot, 0, 5), header.RowColour(5));      // a column's first pixel stays

    CRect list(0, 0, 300, 200);
    WINDOWPOS pos{};
    HDLAYOUT layout{&list, &pos};
    ASSERT_TRUE(header.Layout(&layout));
    const int plain = pos.cy;
    EXPECT_EQ(list.top, plain);
    header.m_Height = 1.5f;
    list = CRect(0, 0, 300, 200);
    ASSERT_TRUE(header.Layout(&layout));
    EXPECT_EQ(pos.cy, int(plain * 1.5f));
    EXPECT_EQ(list.top, pos.cy);
}
