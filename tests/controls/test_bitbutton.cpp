// The bitmap button: which face each state shows, sizing, hover and linked buttons, clicks, the
// click kinds of button 2844 and the move notice.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CBitButton.h"
#include "GdiGlobals.h"

#include <gtest/gtest.h>

namespace {

class BitButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(stage.Make(100, 100, 300, 120));
        ASSERT_TRUE(btn.Create("Mute", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 60, 30), &stage, 2001));
        btn.SetBitmaps(Faces::kBit[0], Faces::kBit[1], Faces::kBit[2], Faces::kBitChecked[0], Faces::kBitChecked[1],
                       Faces::kBitChecked[2]);
        btn.SetDisabledBitmaps(Faces::kBitDisabled[0], Faces::kBitDisabled[1]);
        btn.SetHighlightBitmaps(Faces::kBitHighlight[0], Faces::kBitHighlight[1]);
        stage.Forget();
    }
    CStage stage;
    CBitButton btn;
};

}  // namespace

TEST_F(BitButtonTest, EachStateShowsItsFaceColourAndFont)
{
    CFont a, b, c, d;
    for (CFont* f : {&a, &b, &c, &d})
        f->CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    btn.SetTextColors(1, 2, 3, 4, 5, 6);
    btn.SetFonts(&a, &b, &c, nullptr, &d, nullptr);  // null checked fonts take the unchecked ones
    btn.SetDisabledTextColor(7);
    btn.SetDisabledFont(&d);

    struct Case {
        bool checked, hover, pressed, highlight;
        UINT state;
        UINT bitmap;
        COLORREF text;
        CFont* font;
    };
    using namespace Faces;
    const Case cases[] = {
        {false, false, false, false, 0, kBit[0], 1, &a},
        {false, false, false, true, 0, kBitHighlight[0], 1, &a},
        {false, true, false, true, 0, kBit[1], 2, &b},  // the highlight is only for the normal face
        {false, true, true, false, 0, kBit[2], 3, &c},
        {false, false, true, false, 0, kBit[0], 1, &a},  // pressed shows only with the pointer over it
        {true, false, false, false, 0, kBitChecked[0], 4, &a},
        {true, false, false, true, 0, kBitHighlight[1], 4, &a},
        {true, true, false, false, 0, kBitChecked[1], 5, &d},
        {true, true, true, false, 0, kBitChecked[2], 6, &c},
        {false, true, true, false, ODS_DISABLED, kBitDisabled[0], 7, &d},
        {true, false, false, true, ODS_DISABLED, kBitDisabled[1], 7, &d},
    };
    for (const Case& k : cases) {
        btn.SetCheck(k.checked);
        btn.SetHover(k.hover);
        btn.SetHighlight(k.highlight);
        if (k.pressed)
            Press(btn, CPoint(2, 2));
        const CBitButton::Face f = btn.ChooseFace(k.state);
        if (k.pressed)
            Release(btn, CPoint(2, 2));
        EXPECT_EQ(f.bitmap, k.bitmap) << k.checked << k.hover << k.pressed << k.highlight << k.state;
        EXPECT_EQ(f.text, k.text) << k.bitmap;
        EXPECT_EQ(f.font, k.font) << k.bitmap;
        EXPECT_EQ(f.disabled, k.state == ODS_DISABLED);
    }
}

TEST_F(BitButtonTest, CheckedIdsOfZeroTakeTheUncheckedPictures)
{
    btn.SetBitmaps(Faces::kBit[0], Faces::kBit[1], Faces::kBit[2], 0, 0, 0);
    btn.SetCheck(TRUE);
    EXPECT_EQ(btn.ChooseFace(0).bitmap, Faces::kBit[0]);
    btn.SetHover(TRUE);
    EXPECT_EQ(btn.ChooseFace(0).bitmap, Faces::kBit[1]);
    btn.SetCheckedBitmap(Faces::kBitChecked[0]);
    EXPECT_EQ(btn.ChooseFace(0).bitmap, Faces::kBitChecked[0]);
}

TEST_F(BitButtonTest, TakesTheSizeOfItsPictureAndDrawsIt)
{
    EXPECT_EQ(SizeOf(btn), CSize(72, 24));
    btn.SetBitmaps(Faces::kBitBig, Faces::kBitBig, Faces::kBitBig, 0, 0, 0);
    EXPECT_EQ(SizeOf(btn), CSize(80, 30));
    CBitmap face;
    ASSERT_TRUE(face.LoadBitmap(Faces::kBitBig));
    const QImage img = GrabOf(btn);
    EXPECT_EQ(img.pixel(40, 2), face.GetImage()->pixel(40, 2));
}

TEST_F(BitButtonTest, AnIdWithoutAPictureShowsTheButtonFaceAndKeepsTheSize)
{
    const CSize before = SizeOf(btn);
    btn.SetWindowText("");
    btn.SetBitmaps(Faces::kMissing, Faces::kMissing, Faces::kMissing, Faces::kNotAPicture, 0, 0);
    EXPECT_EQ(SizeOf(btn), before);
    EXPECT_EQ(PixelOf(GrabOf(btn), 30, 12), GetSysColor(COLOR_BTNFACE));
    btn.SetCheck(TRUE);
    EXPECT_EQ(PixelOf(GrabOf(btn), 30, 12), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BitButtonTest, ClickReachesTheParentWithoutTogglingTheCheck)
{
    MoveTo(btn, CPoint(5, 5));
    Press(btn, CPoint(5, 5));
    EXPECT_EQ(stage.Count(WM_COMMAND), 0);
    Release(btn, CPoint(5, 5));
    const auto cmds = stage.All(WM_COMMAND);
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].wParam, MAKEWPARAM(2001, BN_CLICKED));
    EXPECT_EQ(CWnd::FromHandle(reinterpret_cast<HWND>(cmds[0].lParam)), &btn);
    EXPECT_FALSE(btn.GetCheck());
    // Released away from the button: no click.
    Press(btn, CPoint(5, 5));
    Release(btn, CPoint(200, 5));
    EXPECT_EQ(stage.Count(WM_COMMAND), 1);
}

TEST_F(BitButtonTest, HoverFollowsThePointerAndLinkedButtonsMirrorIt)
{
    CBitButton left, right;
    ASSERT_TRUE(left.Create("", WS_CHILD | WS_VISIBLE, CRect(100, 10, 150, 30), &stage, 2002));
    ASSERT_TRUE(right.Create("", WS_CHILD | WS_VISIBLE, CRect(200, 10, 250, 30), &stage, 2003));
    btn.SetLinkedButtons(&left, &right);

    MoveTo(btn, CPoint(3, 3));
    EXPECT_TRUE(btn.GetHover());
    EXPECT_TRUE(left.GetHover());
    EXPECT_TRUE(right.GetHover());
    Leave(btn);
    EXPECT_FALSE(btn.GetHover());
    EXPECT_FALSE(left.GetHover());

    // A checked button keeps its hover to itself; unchecking passes "off" on.
    btn.SetCheck(TRUE);
    MoveTo(btn, CPoint(3, 3));
    EXPECT_TRUE(btn.GetHover());
    EXPECT_FALSE(left.GetHover());
    left.SetHover(TRUE);
    btn.SetCheck(FALSE);
    EXPECT_FALSE(left.GetHover());

    // Hiding drops the links for good.
    btn.ShowWindow(SW_HIDE);
    btn.ShowWindow(SW_SHOW);
    Leave(btn);
    MoveTo(btn, CPoint(4, 4));
    EXPECT_FALSE(left.GetHover());
}

TEST_F(BitButtonTest, MoveNoticeOncePerDistinctPosition)
{
    btn.SetMoveNotify(TRUE);
    MoveTo(btn, CPoint(3, 3));
    MoveTo(btn, CPoint(3, 3));
    MoveTo(btn, CPoint(4, 3));
    const auto notices = stage.All(WM_CTRL_MOUSEMOVE);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].lParam, 2001);
}

TEST_F(BitButtonTest, HandCursorOverTheButton)
{
    MoveTo(btn, CPoint(3, 3));
    EXPECT_EQ(btn.GetWidget()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(btn.GetWidget()->cursor().hotSpot(), QPoint(5, 0));
}

TEST_F(BitButtonTest, DisabledCaptionIsIndentedInItsColour)
{
    EnsureSharedGdiObjects();
    CBitButton plain;
    ASSERT_TRUE(plain.Create("III", WS_CHILD | WS_VISIBLE, CRect(100, 60, 180, 90), &stage, 2004));
    plain.SetBitmaps(Faces::kBitBig, 0, 0, 0, 0, 0);
    plain.SetDisabledBitmaps(Faces::kBitBig, Faces::kBitBig);
    plain.SetDisabledTextColor(RGB(255, 0, 255));
    plain.SetDisabledTextFormat(DT_LEFT);
    plain.SetDisabledTextIndent(50);
    plain.SetFont(&g_fontArial16);
    plain.EnableWindow(FALSE);
    const QImage img = GrabOf(plain);
    int inkLeft = -1;
    for (int x = 0; x < img.width() && inkLeft < 0; ++x)
        for (int y = 0; y < img.height(); ++y)
            if (PixelOf(img, x, y) == RGB(255, 0, 255)) {
                inkLeft = x;
                break;
            }
    EXPECT_GE(inkLeft, 50);
}

TEST_F(BitButtonTest, CheckAndRadioTemplatesKeepTheSystemLook)
{
    CBitButton check, radio;
    ASSERT_TRUE(check.Create("c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 60, 60, 80), &stage, 2005));
    ASSERT_TRUE(radio.Create("r", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(70, 60, 130, 80), &stage, 2006));
    EXPECT_EQ(check.GetMode(), 2);
    EXPECT_EQ(radio.GetMode(), 4);
    EXPECT_EQ(check.GetStyle() & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(btn.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    Click(check, CPoint(3, 3));
    EXPECT_EQ(check.CButton::GetCheck(), BST_CHECKED);  // the system's own behaviour
}

TEST_F(BitButtonTest, CaptionAlignmentFromTheStyle)
{
    struct Case {
        DWORD style;
        int align;
    };
    const Case cases[] = {{0, 1}, {BS_LEFT, 0}, {BS_CENTER, 1}, {BS_RIGHT, 2}, {BS_LEFT | BS_TOP, -1}};
    for (const Case& c : cases) {
        CBitButton b;
        ASSERT_TRUE(b.Create("", WS_CHILD | c.style, CRect(0, 0, 10, 10), &stage, 1));
        EXPECT_EQ(b.GetCaptionAlign(), c.align) << std::hex << c.style;
    }
}

namespace {

class ClickKindsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(stage.Make(100, 100, 200, 80));
        ASSERT_TRUE(btn.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 30), &stage, BITBUTTON_CLICK_CTRL_ID));
        btn.SetBitmaps(Faces::kBit[0], Faces::kBit[1], Faces::kBit[2], 0, 0, 0);
        stage.Forget();
    }
    std::vector<WPARAM> Clicks() const
    {
        std::vector<WPARAM> out;
        for (const auto& m : stage.All(WM_BITBUTTON_CLICK)) {
            out.push_back(m.wParam);
            EXPECT_EQ(m.lParam, 0);
        }
        return out;
    }
    CStage stage;
    CBitButton btn;
};

}  // namespace

TEST_F(ClickKindsTest, SingleClickIsReportedAfterTheDoubleClickTimeIsUp)
{
    Click(btn, CPoint(5, 5));
    Pump();
    // The press only started the wait; the report comes later, exactly once.
    ASSERT_TRUE(WaitUntil([&] { return !Clicks().empty(); }));
    Pump();
    EXPECT_EQ(Clicks(), std::vector<WPARAM>{WM_LBUTTONDOWN});
    EXPECT_EQ(stage.Count(WM_COMMAND), 1);  // the ordinary click as well
}

TEST_F(ClickKindsTest, FastDoubleClickReplacesTheSingleClick)
{
    DoubleClick(btn, CPoint(5, 5));  // all before the event loop runs again
    ASSERT_TRUE(WaitUntil([&] { return !Clicks().empty(); }));
    // Give a wrongly surviving 200 ms timer every chance to fire.
    QElapsedTimer t;
    t.start();
    WaitUntil([&] { return t.elapsed() > 400; });
    EXPECT_EQ(Clicks(), std::vector<WPARAM>{WM_LBUTTONDBLCLK});
}

TEST_F(ClickKindsTest, RightPressIsReportedAtOnce)
{
    Press(btn, CPoint(5, 5), Qt::RightButton);
    Pump();
    EXPECT_EQ(Clicks(), std::vector<WPARAM>{WM_RBUTTONDOWN});
}

TEST_F(ClickKindsTest, OtherButtonsReportNoClickKinds)
{
    CBitButton other;
    ASSERT_TRUE(other.Create("", WS_CHILD | WS_VISIBLE, CRect(60, 10, 90, 30), &stage, 2845));
    Press(other, CPoint(3, 3), Qt::RightButton);
    DoubleClick(other, CPoint(3, 3));
    QElapsedTimer t;
    t.start();
    WaitUntil([&] { return t.elapsed() > 300; });
    EXPECT_TRUE(Clicks().empty());
}
