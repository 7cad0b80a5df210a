// What the skinned controls share: button modes, the hand cursor, the move notice, the scaled
// bitmap copy, the off-screen context and the PNG holders.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CButton.h"
#include "CMemDC.h"
#include "CPngBitmap.h"
#include "Cursor.h"
#include "SkinHabits.h"

#include <gtest/gtest.h>

TEST(SkinHabits, ButtonModeComesFromTheTypeBits)
{
    struct Case {
        DWORD style;
        int mode;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, BTN_MODE_PUSH},
        {BS_DEFPUSHBUTTON, BTN_MODE_PUSH},
        {BS_CHECKBOX, BTN_MODE_PUSH},
        {BS_AUTOCHECKBOX, BTN_MODE_CHECK},
        {BS_GROUPBOX, BTN_MODE_CHECK},
        {BS_OWNERDRAW, BTN_MODE_CHECK},
        {BS_AUTORADIOBUTTON, BTN_MODE_RADIO},
        {BS_RADIOBUTTON, BTN_MODE_PUSH},
        {BS_AUTOCHECKBOX | BS_CENTER | BS_NOTIFY | WS_TABSTOP, BTN_MODE_CHECK},
        {BS_AUTORADIOBUTTON | BS_LEFT, BTN_MODE_RADIO},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonModeFromStyle(c.style), c.mode) << std::hex << c.style;
}

TEST(SkinHabits, HandCursorIsAPrivateCopyOfCursor213WithItsHotSpot)
{
    const HCURSOR hand = LoadHandCursor(nullptr);
    ASSERT_NE(hand, nullptr);
    CPoint hot;
    ASSERT_TRUE(GetCursorHotSpot(hand, &hot));
    EXPECT_EQ(hot, CPoint(5, 0));
    EXPECT_EQ(QCursorOf(hand).pixmap().size(), QSize(32, 32));
    // A control that holds one keeps it; another control gets its own copy.
    EXPECT_EQ(LoadHandCursor(hand), hand);
    const HCURSOR other = LoadHandCursor(nullptr);
    EXPECT_NE(other, hand);
    EXPECT_TRUE(DestroyCursor(hand));
    EXPECT_FALSE(DestroyCursor(hand));
    CPoint again;
    EXPECT_TRUE(GetCursorHotSpot(other, &again));  // the other copy lives on
    DestroyCursor(other);
}

TEST(SkinHabits, MoveNoticeGoesOncePerDistinctPoint)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(0, 0, 100, 60));
    CButton ctl;
    ASSERT_TRUE(ctl.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 30), &stage, 77));
    CPoint last;
    stage.Forget();
    EXPECT_TRUE(SendMoveNotice(&ctl, last, CPoint(3, 4), MK_LBUTTON));
    EXPECT_FALSE(SendMoveNotice(&ctl, last, CPoint(3, 4), MK_LBUTTON));
    EXPECT_TRUE(SendMoveNotice(&ctl, last, CPoint(3, 5), 0));
    const auto notices = stage.All(WM_CTRL_MOUSEMOVE);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].wParam, MK_LBUTTON);
    EXPECT_EQ(notices[0].lParam, 77);
    EXPECT_EQ(notices[1].wParam, WPARAM(0));
}

TEST(SkinHabits, StretchBitmapScalesTheWholeSourceIntoANewBitmap)
{
    CBitmap src;
    ASSERT_TRUE(src.LoadBitmap(Faces::kBit[0]));  // 72 x 24
    const HBITMAP scaled = StretchBitmap(src, 36, 48);
    ASSERT_NE(scaled, nullptr);
    CBitmap out;
    ASSERT_TRUE(out.Attach(reinterpret_cast<HGDIOBJ>(scaled)));
    EXPECT_EQ(out.GetSize(), CSize(36, 48));
    EXPECT_EQ(src.GetSize(), CSize(72, 24));  // the source is untouched
    // Corners of the face map onto corners of the copy.
    const QImage& a = *src.GetImage();
    const QImage& b = *out.GetImage();
    EXPECT_EQ(b.pixel(18, 47), a.pixel(36, 23));
    EXPECT_EQ(StretchBitmap(src, 0, 10), nullptr);
    EXPECT_EQ(StretchBitmap(nullptr, 10, 10), nullptr);
}

namespace {
struct Surface {
    CDC dc;
    CBitmap bmp;
    explicit Surface(COLORREF fill)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, 40, 30);
        dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 40, 30, fill);
    }
};
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
}  // namespace

TEST(MemDC, StartsFromTheTargetsPixelsOrItsBackgroundColour)
{
    Surface target(kRed);
    target.dc.SetBkColor(kBlue);
    const CRect area(10, 5, 30, 25);
    {
        CMemDC mem(&target.dc, &area, TRUE);
        EXPECT_EQ(mem.GetPixel(12, 7), kRed);  // the target's coordinates reach the bitmap
        mem.SetPixel(11, 6, kGreen);
        EXPECT_EQ(target.dc.GetPixel(11, 6), kRed);  // nothing shows before the copy
    }
    EXPECT_EQ(target.dc.GetPixel(11, 6), kGreen);
    EXPECT_EQ(target.dc.GetPixel(12, 7), kRed);
    {
        CMemDC mem(&target.dc, &area, FALSE);
        EXPECT_EQ(mem.GetPixel(12, 7), kBlue);
    }
    EXPECT_EQ(target.dc.GetPixel(12, 7), kBlue);    // the whole area came back
    EXPECT_EQ(target.dc.GetPixel(9, 7), kRed);      // outside it nothing changed
    EXPECT_EQ(target.dc.GetPixel(30, 25), kRed);
}

TEST(MemDC, CopyBackCopiesOnceAndTheTargetMayGoBeforeTheContext)
{
    auto target = std::make_unique<Surface>(kRed);
    const CRect area(0, 0, 20, 20);
    CMemDC mem(&target->dc, &area, TRUE);
    mem.FillSolidRect(0, 0, 20, 20, kGreen);
    mem.CopyBack();
    EXPECT_EQ(target->dc.GetPixel(5, 5), kGreen);
    mem.FillSolidRect(0, 0, 20, 20, kBlue);
    target.reset();  // destroying mem now must not touch the target
}

TEST(MemDC, NullRectangleMeansTheTargetsClipBox)
{
    Surface target(kRed);
    target.dc.IntersectClipRect(4, 4, 14, 9);
    CMemDC mem(&target.dc, nullptr, TRUE);
    EXPECT_EQ(mem.GetRect(), CRect(4, 4, 14, 9));
}

TEST(MemDC, OnAPrintingContextDrawsStraightOnIt)
{
    Surface target(kRed);
    target.dc.m_bPrinting = TRUE;
    target.dc.SetBkColor(kBlue);
    const CRect area(0, 0, 10, 10);
    {
        CMemDC mem(&target.dc, &area, TRUE);
        EXPECT_TRUE(mem.IsPrinting());
        mem.SetPixel(3, 3, kGreen);
        EXPECT_EQ(target.dc.GetPixel(3, 3), kGreen);  // already there, no copy needed
    }
    EXPECT_EQ(target.dc.GetPixel(3, 3), kGreen);
    EXPECT_EQ(target.dc.GetPixel(5, 5), kRed);
}

TEST(PngBitmap, LoadsAPictureOrLeavesTheHolderEmpty)
{
    CPngResourceBitmap png;
    ASSERT_TRUE(png.Load(Faces::kPng[0]));
    ASSERT_NE(png.GetBitmap(), nullptr);
    EXPECT_EQ(png.GetBitmap()->GetWidth(), 64);
    EXPECT_EQ(png.GetBitmap()->GetHeight(), 28);
    // A corner of the rounded face is transparent, its middle is not.
    EXPECT_EQ(png.GetBitmap()->GetPixelARGB(0, 0) >> 24, 0u);
    EXPECT_EQ(png.GetBitmap()->GetPixelARGB(32, 14) >> 24, 255u);

    EXPECT_FALSE(png.Load(Faces::kMissing));
    EXPECT_EQ(png.GetBitmap(), nullptr);  // the earlier picture went too
    EXPECT_FALSE(png.Load(Faces::kNotAPicture));
    EXPECT_EQ(png.GetBitmap(), nullptr);
    EXPECT_FALSE(png.Load(Faces::kPng[0], "PNG", reinterpret_cast<HINSTANCE>(&png)));  // not our module
    EXPECT_TRUE(png.Load(Faces::kPng[0], "png"));  // type names ignore case
}
