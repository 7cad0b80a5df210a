// The gradient progress bar: its stripes, the background cases, the percentage, and the link's
// adapter that hands positions over from another thread.
#include "ControlTestKit.h"

#include "CGradientProgressCtrl.h"
#include "LinkProgress.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(stage.Make(60, 60, 300, 60));
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 265, 30), &stage, 1400));
        bar.SetRange(0, 100);
        Pump();
    }
    QImage Shot()
    {
        Pump();
        return GrabOf(bar);
    }
    CStage stage;
    CGradientProgressCtrl bar;
};

}  // namespace

TEST(GradientStripes, OneStripePerColourStepUpToTheLeadingEdge)
{
    int background = -1;
    // 255 pixels, half full: stripes 0..127, the last reaching x = 128, then the background.
    auto stripes = CGradientProgressCtrl::Stripes(0x0000FF, 0xFF0000, 255, 127, &background);
    ASSERT_EQ(stripes.size(), 128u);
    EXPECT_EQ(background, 128);
    for (int i : {0, 1, 64, 127}) {
        EXPECT_EQ(stripes[size_t(i)].nFrom, i);
        EXPECT_EQ(stripes[size_t(i)].nTo, i + 1);
        EXPECT_EQ(stripes[size_t(i)].clr, RGB(255 - i, 0, i));
    }
    // A full bar reaches its last pixel.
    stripes = CGradientProgressCtrl::Stripes(0x0000FF, 0xFF0000, 300, 300, &background);
    ASSERT_EQ(stripes.size(), 255u);
    EXPECT_EQ(stripes.back().nTo, 300);
    EXPECT_EQ(background, 300);
    // Equal colours: one stripe, no division by zero.
    stripes = CGradientProgressCtrl::Stripes(0x336699, 0x336699, 100, 40, &background);
    ASSERT_EQ(stripes.size(), 1u);
    EXPECT_EQ(stripes[0].clr, 0x336699u);
}

TEST(GradientStripes, PercentageText)
{
    EXPECT_EQ(CGradientProgressCtrl::PercentText(100, 0, 100), "100 %");
    EXPECT_EQ(CGradientProgressCtrl::PercentText(25, 0, 100), "25.00 %");
    EXPECT_EQ(CGradientProgressCtrl::PercentText(5, 0, 110), "4.55 %");
    EXPECT_EQ(CGradientProgressCtrl::PercentText(2, 0, 2), "100 %");
}

TEST_F(ProgressTest, PaintsTheGradientUpToThePositionAndTheBackgroundBeyond)
{
    bar.SetPos(50);
    const QImage half = Shot();
    EXPECT_EQ(PixelOf(half, 0, 10), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(half, 127, 10), RGB(128, 0, 127));
    EXPECT_EQ(PixelOf(half, 128, 10), bar.GetBkColor());
    bar.SetPos(0);  // at the lower bound: background only
    EXPECT_EQ(PixelOf(Shot(), 0, 10), bar.GetBkColor());
    bar.SetPos(1);  // at least the first stripe
    const QImage one = Shot();
    EXPECT_EQ(PixelOf(one, 0, 10), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(one, 200, 10), bar.GetBkColor());
    // A background colour of the owner's choice fills the rest.
    bar.SetBkColor(0x808080);
    EXPECT_EQ(PixelOf(Shot(), 200, 10), RGB(128, 128, 128));
}

TEST_F(ProgressTest, PositionAboveTheUpperBoundIsTheUpperBoundButSteppingPastItShowsNothing)
{
    bar.SetPos(250);
    EXPECT_EQ(bar.GetPos(), 100);
    EXPECT_EQ(PixelOf(Shot(), 254, 10), RGB(1, 0, 254));  // full
    bar.SetStep(10);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 110);
    EXPECT_EQ(PixelOf(Shot(), 0, 10), bar.GetBkColor());
}

TEST_F(ProgressTest, ThePercentageIsWrittenOverTheBar)
{
    bar.SetPos(25);
    const QImage plain = Shot();
    bar.ShowPercent(TRUE);
    bar.Invalidate();
    const QImage text = Shot();
    EXPECT_NE(plain, text);
}

TEST_F(ProgressTest, LinkSetsThePositionFromAnotherThreadThroughThePostedMessage)
{
    CGradientProgressLink link(&bar);
    link.SetRange(0, 110);
    EXPECT_EQ(bar.GetRangeUpper(), 110);
    ILinkProgress* progress = &link;
    std::thread worker([progress] {
        for (int i = 1; i <= 60; ++i)
            progress->SetPos(progress->GetPos() + 1);
        progress->SetPos(500);  // held at the upper bound
    });
    worker.join();
    // The worker saw its own writes without the user-interface thread running.
    EXPECT_EQ(progress->GetPos(), 110);
    EXPECT_EQ(progress->GetUpper(), 110);
    EXPECT_EQ(bar.GetPos(), 0);  // the bar itself is only touched on its own thread
    ASSERT_TRUE(WaitUntil([this] { return bar.GetPos() == 110; }));
    EXPECT_EQ(PixelOf(Shot(), 254, 10), RGB(1, 0, 254));
}
