// The PNG button: which cached picture each state shows, composing over the parent's pixels,
// hover after resting, the Chinese set, missing pictures and clicks.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CBtnPng.h"
#include "CPngBitmap.h"
#include "Globals.h"

#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

TEST(BtnPngPick, ContextOfEachState)
{
    struct Case {
        bool disabled, checked, hover, pressed, chinese;
        int context;
    };
    const Case cases[] = {
        {false, false, false, false, false, 1},  {false, false, true, false, false, 2},
        {false, false, true, true, false, 3},    {false, false, false, true, false, 1},
        {false, true, false, false, false, 4},   {false, true, true, false, false, 5},
        {false, true, true, true, false, 6},     {false, false, false, false, true, 7},
        {false, false, true, true, true, 9},     {false, true, true, false, true, 11},
        {false, true, true, true, true, 12},     {true, false, true, true, true, 13},
        {true, true, false, false, false, 14},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CBtnPng::PickContext(c.disabled, c.checked, c.hover, c.pressed, c.chinese), c.context)
            << c.disabled << c.checked << c.hover << c.pressed << c.chinese;
}

namespace {

// The picture a state should show: the PNG blended over the stage colour.
QImage Expected(UINT id)
{
    CPngResourceBitmap png;
    EXPECT_TRUE(png.Load(id));
    QImage out(png.GetBitmap()->GetWidth(), png.GetBitmap()->GetHeight(), QImage::Format_RGB32);
    out.fill(QColor(GetRValue(kStageColour), GetGValue(kStageColour), GetBValue(kStageColour)));
    QPainter p(&out);
    p.drawImage(0, 0, png.GetBitmap()->GetQImage());
    return out;
}

class BtnPngTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bChinese = 0;
        ASSERT_TRUE(stage.Make(100, 100, 240, 100));
        ASSERT_TRUE(btn.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 30, 40, 40), &stage, 3001));
        btn.SetPngImages(Faces::kPng[0], Faces::kPng[1], Faces::kPng[2]);
    }
    void TearDown() override { g_bChinese = 0; }
    void Show()
    {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(stage.GetWidget()));
        Pump();
    }
    // The button as it shows on the stage.
    QImage Shown()
    {
        return GrabOf(stage).copy(20, 30, btn.GetImageSize().cx, btn.GetImageSize().cy).convertToFormat(QImage::Format_RGB32);
    }
    CStage stage;
    CBtnPng btn;
};

}  // namespace

TEST_F(BtnPngTest, TakesTheSizeOfItsNormalPictureAndRisesToTheTop)
{
    CBtnPng under;
    ASSERT_TRUE(under.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 30, 40, 40), &stage, 3002));
    btn.SetPngImages(Faces::kPng[0], Faces::kPng[1], Faces::kPng[2]);
    EXPECT_EQ(SizeOf(btn), CSize(64, 28));
    EXPECT_EQ(btn.GetWindow(GW_HWNDLAST), &btn);
}

TEST_F(BtnPngTest, PicturesAreComposedOverTheParentsPixels)
{
    btn.SetCheckedPngImages(Faces::kPng[3], Faces::kPng[4], Faces::kPng[5]);
    Show();
    EXPECT_EQ(Shown(), Expected(Faces::kPng[0]));
    EXPECT_EQ(PixelOf(Shown(), 0, 0), kStageColour);  // the transparent corner shows the stage
    btn.SetCheck(TRUE);
    EXPECT_EQ(Shown(), Expected(Faces::kPng[3]));
}

TEST_F(BtnPngTest, HoverShowsOnlyAfterThePointerRests)
{
    stage.Forget();
    Show();
    MoveTo(btn, CPoint(10, 10));
    EXPECT_EQ(btn.CurrentContext(), 1);  // a move alone does not hover
    ASSERT_TRUE(WaitUntil([&] { return btn.GetHover(); }));
    EXPECT_EQ(btn.CurrentContext(), 2);
    EXPECT_EQ(Shown(), Expected(Faces::kPng[1]));
    Press(btn, CPoint(10, 10));
    EXPECT_EQ(btn.CurrentContext(), 3);
    Release(btn, CPoint(10, 10));
    const auto cmds = stage.All(WM_COMMAND);
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].wParam, MAKEWPARAM(3001, BN_CLICKED));
    EXPECT_FALSE(btn.GetCheck());  // a click does not check
    Leave(btn);
    EXPECT_FALSE(btn.GetHover());
    EXPECT_EQ(Shown(), Expected(Faces::kPng[0]));
}

TEST_F(BtnPngTest, CheckedWithoutCheckedPicturesShowsTheLastComposedOne)
{
    Show();
    btn.SetCheck(TRUE);
    EXPECT_EQ(Shown(), Expected(Faces::kPng[2]));  // the unchecked pressed picture
    // Pictures given after the first paint are not composed any more.
    btn.SetCheckedPngImages(Faces::kPng[3], Faces::kPng[4], Faces::kPng[5]);
    btn.Refresh();
    EXPECT_EQ(Shown(), Expected(Faces::kPng[2]));
}

TEST_F(BtnPngTest, DisabledShowsItsPictureOrTheLastComposedOne)
{
    CBtnPng plain;
    ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE, CRect(120, 30, 140, 40), &stage, 3003));
    plain.SetPngImages(Faces::kPng[0], Faces::kPng[1], Faces::kPng[2]);
    plain.SetCheckedPngImages(Faces::kPng[3], Faces::kPng[4], Faces::kPng[5]);
    btn.SetDisabledPngImages(Faces::kPngDisabled[0], Faces::kPngDisabled[1]);
    Show();
    btn.EnableWindow(FALSE);
    btn.SetCheck(TRUE);
    EXPECT_EQ(Shown(), Expected(Faces::kPngDisabled[1]));
    plain.EnableWindow(FALSE);
    EXPECT_EQ(GrabOf(stage).copy(120, 30, 64, 28).convertToFormat(QImage::Format_RGB32), Expected(Faces::kPng[5]));
}

TEST_F(BtnPngTest, ChineseSetFollowsTheLanguageFlagWithoutComposingAgain)
{
    btn.SetChinesePngImages(Faces::kPngChinese[0], Faces::kPngChinese[1], Faces::kPngChinese[2],
                            Faces::kPngChinese[3], Faces::kPngChinese[4], Faces::kPngChinese[5]);
    Show();
    EXPECT_EQ(Shown(), Expected(Faces::kPng[0]));
    g_bChinese = 1;
    btn.Refresh();
    EXPECT_EQ(btn.CurrentContext(), 7);
    EXPECT_EQ(Shown(), Expected(Faces::kPngChinese[0]));
    btn.SetCheck(TRUE);
    EXPECT_EQ(Shown(), Expected(Faces::kPngChinese[3]));
}

TEST_F(BtnPngTest, ChineseSetGivenAfterTheFirstPaintIsComposedAtTheNext)
{
    Show();
    btn.SetChinesePngImages(Faces::kPngChinese[0], Faces::kPngChinese[1], Faces::kPngChinese[2],
                            Faces::kPngChinese[3], Faces::kPngChinese[4], Faces::kPngChinese[5]);
    g_bChinese = 1;
    btn.Refresh();
    EXPECT_EQ(Shown(), Expected(Faces::kPngChinese[0]));
}

TEST_F(BtnPngTest, SetCheckWithTheSameValueDoesNothingAndLinksMirrorHover)
{
    CBtnPng a, b;
    ASSERT_TRUE(a.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &stage, 3004));
    ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 50, 10, 60), &stage, 3005));
    btn.SetLinkedButtons(&a, &b);
    a.SetHover(TRUE);
    btn.SetCheck(FALSE);  // already unchecked: the links are left alone
    EXPECT_TRUE(a.GetHover());
    btn.SetCheck(TRUE);
    btn.SetCheck(FALSE);  // unchecking passes "no hover" on
    EXPECT_FALSE(a.GetHover());
    EXPECT_FALSE(b.GetHover());

    Show();
    MoveTo(btn, CPoint(5, 5));
    ASSERT_TRUE(WaitUntil([&] { return btn.GetHover(); }));
    EXPECT_TRUE(a.GetHover());
    EXPECT_TRUE(b.GetHover());
    Leave(btn);
    EXPECT_FALSE(a.GetHover());

    btn.ShowWindow(SW_HIDE);  // drops the links
    btn.ShowWindow(SW_SHOW);
    MoveTo(btn, CPoint(6, 6));
    ASSERT_TRUE(WaitUntil([&] { return btn.GetHover(); }));
    EXPECT_FALSE(a.GetHover());
}

TEST_F(BtnPngTest, ANormalPictureThatDoesNotLoadLeavesTheSize)
{
    const CSize before = SizeOf(btn);
    btn.SetPngImages(Faces::kNotAPicture, Faces::kMissing, Faces::kMissing);
    EXPECT_EQ(SizeOf(btn), before);
    Show();  // paints without any picture and without failing
    EXPECT_EQ(btn.GetImageSize(), before);
}

TEST_F(BtnPngTest, MoveNoticeAndTag)
{
    EXPECT_EQ(btn.GetTag(), -1);
    btn.SetTag(4);
    EXPECT_EQ(btn.GetTag(), 4);
    btn.SetMoveNotify(TRUE);
    stage.Forget();
    MoveTo(btn, CPoint(1, 1));
    MoveTo(btn, CPoint(1, 1));
    MoveTo(btn, CPoint(2, 1));
    EXPECT_EQ(stage.Count(WM_CTRL_MOUSEMOVE), 2);
}
