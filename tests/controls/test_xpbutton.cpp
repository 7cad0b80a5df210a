// Picture push, skin and radio buttons.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CButtonRadio.h"
#include "CXPButton.h"
#include "CxSkinButton.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class XPButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(stage.Make(100, 100, 200, 80));
        ASSERT_TRUE(btn.Create("BY", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 30, 30), &stage, 5320));
        stage.Forget();
    }
    void SetAll()
    {
        btn.SetBitmaps(Faces::kXpChecked[0], Faces::kXpChecked[1], Faces::kXpChecked[2], Faces::kXpUnchecked[0],
                       Faces::kXpUnchecked[1], Faces::kXpUnchecked[2]);
    }
    CStage stage;
    CXPButton btn;
};

QImage FaceOf(UINT id)
{
    CBitmap bmp;
    EXPECT_TRUE(bmp.LoadBitmap(id));
    return bmp.GetImage()->convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST_F(XPButtonTest, ANewButtonIsCheckedAndTakesTheCheckedIdsFirst)
{
    SetAll();
    EXPECT_TRUE(btn.GetCheck());
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpChecked[0]);
    EXPECT_EQ(SizeOf(btn), CSize(50, 20));
    EXPECT_EQ(GrabOf(btn).convertToFormat(QImage::Format_RGB32), FaceOf(Faces::kXpChecked[0]));
    btn.SetCheck(FALSE);
    EXPECT_EQ(GrabOf(btn).convertToFormat(QImage::Format_RGB32), FaceOf(Faces::kXpUnchecked[0]));
}

TEST_F(XPButtonTest, BitmapOfEachState)
{
    SetAll();
    btn.SetSelectedBitmaps(Faces::kXpSelected[0], Faces::kXpSelected[1]);
    btn.SetDisabledBitmaps(Faces::kXpDisabled[0], Faces::kXpDisabled[1]);
    MoveTo(btn, CPoint(3, 3));  // hover
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpChecked[1]);
    Press(btn, CPoint(3, 3));
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpChecked[2]);
    Release(btn, CPoint(3, 3));
    btn.SetCheck(FALSE);
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpUnchecked[1]);
    Leave(btn);
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpUnchecked[0]);
    btn.SetSelected(TRUE);  // whatever the pointer does
    MoveTo(btn, CPoint(4, 4));
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpSelected[1]);
    btn.SetCheck(TRUE);
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpSelected[0]);
    btn.SetDisabled(TRUE);
    EXPECT_EQ(btn.ChooseBitmap(), Faces::kXpDisabled[0]);
    EXPECT_FALSE(btn.IsWindowEnabled());
    btn.SetDisabled(FALSE);
    EXPECT_TRUE(btn.IsWindowEnabled());
}

TEST_F(XPButtonTest, AStateWithoutAPictureDrawsNothing)
{
    btn.SetBitmaps(Faces::kXpChecked[0], 0, 0, 0, 0, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(stage.GetWidget()));
    MoveTo(btn, CPoint(3, 3));  // hover picture 0
    EXPECT_EQ(btn.ChooseBitmap(), 0u);
    EXPECT_EQ(PixelOf(GrabOf(stage), 10 + 25, 10 + 10), kStageColour);
    btn.SetBitmaps(Faces::kMissing, Faces::kMissing, 0, 0, 0, 0);  // ids without pictures: the same
    EXPECT_EQ(SizeOf(btn), CSize(50, 20));
    EXPECT_EQ(PixelOf(GrabOf(stage), 10 + 25, 10 + 10), kStageColour);
}

TEST_F(XPButtonTest, MoveNoticeOncePerEntryOfThePointer)
{
    SetAll();
    btn.SetMoveNotify(TRUE);
    MoveTo(btn, CPoint(3, 3));
    MoveTo(btn, CPoint(4, 3));
    MoveTo(btn, CPoint(5, 3));
    EXPECT_EQ(stage.Count(WM_CTRL_MOUSEMOVE), 1);
    Leave(btn);
    MoveTo(btn, CPoint(6, 3));
    const auto notices = stage.All(WM_CTRL_MOUSEMOVE);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1].lParam, 5320);
    // A click reaches the parent and leaves the check alone.
    Click(btn, CPoint(6, 3));
    EXPECT_EQ(stage.Count(WM_COMMAND), 1);
    EXPECT_TRUE(btn.GetCheck());
}

TEST_F(XPButtonTest, PressRepeatPostsTheThirdPageMessageWhileHeld)
{
    SetAll();
    btn.SetPressRepeat(TRUE);
    Press(btn, CPoint(3, 3));
    ASSERT_TRUE(WaitUntil([&] { return stage.Count(WM_SHOW_THIRD_PAGE) >= 2; }));
    Release(btn, CPoint(3, 3));
    const auto repeats = stage.All(WM_SHOW_THIRD_PAGE);
    EXPECT_EQ(repeats[0].wParam, WPARAM(5320));
    EXPECT_EQ(repeats[0].lParam, 1);
    EXPECT_EQ(repeats[1].lParam, 2);
    EXPECT_EQ(btn.GetRepeatCount(), 0);
    const int after = stage.Count(WM_SHOW_THIRD_PAGE);
    QElapsedTimer t;
    t.start();
    WaitUntil([&] { return t.elapsed() > 250; });
    EXPECT_EQ(stage.Count(WM_SHOW_THIRD_PAGE), after);  // stopped with the release
}

TEST(SkinButton, RegionFromAMaskIsItsNonWhitePixels)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap mask;
    mask.CreateCompatibleBitmap(&dc, 6, 3);
    dc.SelectObject(&mask);
    dc.FillSolidRect(0, 0, 6, 3, RGB(255, 255, 255));
    dc.FillSolidRect(1, 0, 2, 1, RGB(0, 0, 0));   // row 0: x 1..2
    dc.FillSolidRect(4, 0, 1, 1, RGB(9, 9, 9));   // and x 4
    dc.FillSolidRect(0, 2, 6, 1, RGB(0, 0, 0));   // row 2: all
    CRgn rgn;
    ASSERT_TRUE(rgn.Attach(reinterpret_cast<HGDIOBJ>(CxSkinButton::CreateRgnFromBitmap(&mask, RGB(255, 255, 255)))));
    const bool expected[3][6] = {{0, 1, 1, 0, 1, 0}, {0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(bool(rgn.PtInRegion(x, y)), expected[y][x]) << x << "," << y;
    EXPECT_EQ(CxSkinButton::CreateRgnFromBitmap(nullptr, 0), nullptr);
}

TEST(SkinButton, MaskCutsTheWindowAndRadioButtonsUncheckTheirGroup)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 300, 60));
    CxSkinButton a, b, c, push;
    const DWORD radio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
    ASSERT_TRUE(a.Create("A", radio | WS_GROUP, CRect(0, 0, 80, 26), &stage, 1));
    ASSERT_TRUE(b.Create("B", radio, CRect(90, 0, 170, 26), &stage, 2));
    ASSERT_TRUE(c.Create("C", radio | WS_GROUP, CRect(180, 0, 260, 26), &stage, 3));  // another group
    ASSERT_TRUE(push.Create("P", WS_CHILD | WS_VISIBLE, CRect(0, 30, 80, 56), &stage, 4));
    for (CxSkinButton* s : {&a, &b, &c, &push})
        s->SetSkin(Faces::kSkin[0], Faces::kSkin[1], Faces::kSkin[2], Faces::kSkin[3], Faces::kSkin[4],
                   Faces::kSkin[5], CxSkinButton::DRAW_STRETCH, 0, 4);
    EXPECT_EQ(a.GetMode(), 4);
    EXPECT_EQ(push.GetMode(), 0);

    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(a.GetWindowRgn(shape), RGN_ERROR);
    EXPECT_FALSE(shape.PtInRegion(0, 0));   // the mask's round corner is cut off
    EXPECT_TRUE(shape.PtInRegion(40, 13));

    c.SendMessage(BM_SETCHECK, BST_CHECKED);
    b.SendMessage(BM_SETCHECK, BST_CHECKED);
    Pump();
    a.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_TRUE(b.IsChecked());  // the uncheck is posted: it comes after this message
    Pump();
    EXPECT_TRUE(a.IsChecked());
    EXPECT_FALSE(b.IsChecked());
    EXPECT_TRUE(c.IsChecked());   // not in the group
    // A click released over a radio button checks it.
    Click(b, CPoint(40, 13));
    Pump();
    EXPECT_TRUE(b.IsChecked());
    EXPECT_FALSE(a.IsChecked());
    // A push button never checks.
    push.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(push.SendMessage(BM_GETCHECK), BST_UNCHECKED);
    stage.Forget();
    Click(push, CPoint(40, 13));
    ASSERT_EQ(stage.Count(WM_COMMAND), 1);
    EXPECT_EQ(stage.All(WM_COMMAND)[0].wParam, MAKEWPARAM(4, BN_CLICKED));
}

TEST(SkinButton, PressRepeatPostsWhileHeld)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 100, 40));
    CxSkinButton s;
    ASSERT_TRUE(s.Create("R", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 26), &stage, 9));
    s.SetSkin(Faces::kSkin[0], Faces::kSkin[1]);
    s.SetPressRepeat(42);
    Press(s, CPoint(10, 10));
    ASSERT_TRUE(WaitUntil([&] { return stage.Count(WM_SKINBTN_REPEAT) >= 1; }));
    Release(s, CPoint(10, 10));
    const auto r = stage.All(WM_SKINBTN_REPEAT)[0];
    EXPECT_EQ(r.wParam, WPARAM(9));
    EXPECT_EQ(r.lParam, 42);
}

TEST(ButtonRadio, DrawsItsCaptionInItsColourOverTheParent)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 120, 40));
    CButtonRadio r;
    ASSERT_TRUE(r.Create("WWWW", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 0, 110, 30), &stage, 5));
    r.SetTextColor(RGB(0, 255, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(stage.GetWidget()));
    const QImage img = GrabOf(stage);  // the button sits at the stage's top-left corner
    bool green = false;
    for (int x = 20; x < 110; ++x)
        for (int y = 0; y < 30; ++y)
            green = green || PixelOf(img, x, y) == RGB(0, 255, 0);
    EXPECT_TRUE(green);
    EXPECT_EQ(PixelOf(img, 100, 2), kStageColour);  // no background of its own
    Click(r, CPoint(5, 15));
    EXPECT_EQ(r.GetCheck(), BST_CHECKED);
}
