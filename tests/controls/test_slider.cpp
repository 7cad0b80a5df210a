// The bitmap fader: pixel and position mapping, a drag with its moving and moved reports, a
// click beside the thumb, keys, wheel, focus and buddy, values, pictures and masks.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CBitmapSlider.h"
#include "CNumEdit.h"
#include "Convert.h"
#include "FilterResponse.h"
#include "SliderGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kId = 5100;

// The vertical test track: 200 pixels, thumb 20 pixels, margins 0 along the slider.
SliderGeometry Track200()
{
    SliderGeometry g;
    g.nMin = 0;
    g.nMax = 100;
    g.nWidth = 30;
    g.nHeight = 200;
    g.nThumbWidth = 24;
    g.nThumbHeight = 20;
    return g;
}

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(stage.Make(100, 100, 200, 260));
        ASSERT_TRUE(Activate(stage));
        ASSERT_TRUE(slider.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, CRect(20, 20, 40, 40), &stage, kId));
        ASSERT_TRUE(slider.SetBitmapChannel(Faces::kTrack[0], Faces::kTrack[1]));
        ASSERT_TRUE(slider.SetBitmapThumb(Faces::kThumb[0], Faces::kThumb[1], TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0));
        slider.SetMargin(3, 0, 3, 0);
        slider.SetRange(0, 100);
        Pump();
        stage.Forget();
    }
    // The slider's reports, in order: (message, position).
    std::vector<std::pair<UINT, LPARAM>> Reports()
    {
        Pump();
        std::vector<std::pair<UINT, LPARAM>> out;
        for (const Received& m : stage.m_log)
            if (m.message == WM_SLIDER_MOVING || m.message == WM_SLIDER_MOVED) {
                EXPECT_EQ(m.wParam, kId);
                out.emplace_back(m.message, m.lParam);
            }
        stage.Forget();
        return out;
    }
    CPoint OnTrack(int y) const { return CPoint(15, y); }
    CStage stage;
    CBitmapSlider slider;
};

using Reports = std::vector<std::pair<UINT, LPARAM>>;

}  // namespace

TEST(SliderGeometry, PositionsAndPixelsMapBothWays)
{
    const SliderGeometry g = Track200();
    const struct {
        int pos, pixel;
    } draw[] = {{0, 10}, {1, 11}, {33, 69}, {50, 100}, {100, 190}, {32, 67}};
    for (const auto& c : draw)
        EXPECT_EQ(g.PosToPixel(c.pos), c.pixel) << c.pos;
    const struct {
        int pixel, pos;
    } read[] = {{10, 0}, {11, 0}, {12, 1}, {69, 32}, {100, 50}, {190, 100}, {5, -2}};
    for (const auto& c : read)
        EXPECT_EQ(g.PixelToPos(c.pixel), c.pos) << c.pixel;
    EXPECT_EQ(g.ClampToTravel(0), 10);
    EXPECT_EQ(g.ClampToTravel(500), 190);

    SliderGeometry h = g;  // the same along x, with margins
    h.bVertical = false;
    h.nWidth = 200;
    h.nHeight = 24;
    h.nThumbWidth = 20;
    h.nMarginLeft = 5;
    h.nMarginRight = 5;
    EXPECT_EQ(h.PosToPixel(0), 15);
    EXPECT_EQ(h.PosToPixel(100), 185);
    EXPECT_EQ(h.PixelToPos(100), 50);
}

TEST(SliderGeometry, NoTravelOrNoRangeMapsToTheStartInsteadOfDividingByZero)
{
    SliderGeometry g = Track200();
    g.nMax = g.nMin;  // a range without width
    EXPECT_EQ(g.PosToPixel(0), 10);
    EXPECT_EQ(g.PixelToPos(150), 0);
    g = Track200();
    g.nHeight = 20;  // the thumb fills the track
    EXPECT_EQ(g.PosToPixel(70), 10);
    EXPECT_EQ(g.PixelToPos(3), 0);
    g.nHeight = 10;  // shorter than the thumb: the top limit wins on a vertical slider
    EXPECT_EQ(g.ClampToTravel(4), g.TravelFirst());
    g.bVertical = false;
    g.nWidth = 10;  // and the right one on a horizontal slider
    EXPECT_EQ(g.ClampToTravel(4), g.TravelLast());
}

TEST_F(SliderTest, TakesTheTracksSizeAndItsMapping)
{
    EXPECT_EQ(SizeOf(slider), CSize(30, 200));
    EXPECT_EQ(slider.PosToPixel(33), 69);
    EXPECT_EQ(slider.PixelToPos(69), 32);
}

TEST_F(SliderTest, DragReportsMovingAtTheTickAndMovedAtTheRelease)
{
    Press(slider, OnTrack(10));  // on the thumb's centre
    EXPECT_TRUE(slider.IsDragging());
    EXPECT_EQ(CWnd::GetFocus(), &slider);
    EXPECT_EQ(Reports(), (::Reports{{WM_SLIDER_MOVING, 0}}));  // from gaining the focus

    DragTo(slider, OnTrack(69));
    EXPECT_EQ(slider.GetPos(), 32);
    DragTo(slider, OnTrack(69));  // the thumb is drawn at 67: the same position again
    EXPECT_EQ(slider.GetPos(), 32);
    EXPECT_EQ(Reports(), ::Reports{});  // nothing before the tick
    slider.SendMessage(WM_TIMER, SLIDER_MOVE_TIMER);
    slider.SendMessage(WM_TIMER, SLIDER_MOVE_TIMER);  // the second tick has nothing to report
    EXPECT_EQ(Reports(), (::Reports{{WM_SLIDER_MOVING, 32}}));

    DragTo(slider, OnTrack(400));  // beyond the end of the travel
    EXPECT_EQ(slider.GetPos(), 100);
    Release(slider, OnTrack(400));
    EXPECT_FALSE(slider.IsDragging());
    EXPECT_EQ(Reports(), (::Reports{{WM_SLIDER_MOVED, 100}}));
    slider.SendMessage(WM_TIMER, SLIDER_MOVE_TIMER);  // the release cleared the moved flag
    EXPECT_EQ(Reports(), ::Reports{});
}

TEST_F(SliderTest, DragKeepsTheOffsetFromWhereItBegan)
{
    slider.SetRange(0, 180);  // one position per pixel of the travel
    slider.SetPos(90);        // centre at 100
    Press(slider, OnTrack(103));
    EXPECT_TRUE(slider.IsDragging());
    DragTo(slider, OnTrack(113));
    EXPECT_EQ(slider.GetPos(), 100);
    EXPECT_EQ(slider.PosToPixel(slider.GetPos()), 110);  // ten pixels lower
    Release(slider, OnTrack(113));
}

TEST_F(SliderTest, ClickBesideTheThumbMovesOneStepAndStartsNoDrag)
{
    slider.SetPos(50);
    Press(slider, OnTrack(20));  // above the thumb
    EXPECT_EQ(slider.GetPos(), 49);
    EXPECT_FALSE(slider.IsDragging());
    DragTo(slider, OnTrack(30));
    EXPECT_EQ(slider.GetPos(), 49);
    slider.SendMessage(WM_TIMER, SLIDER_MOVE_TIMER);
    Release(slider, OnTrack(30));
    EXPECT_EQ(Reports(), (::Reports{{WM_SLIDER_MOVING, 50}, {WM_SLIDER_MOVING, 49}, {WM_SLIDER_MOVED, 49}}));
    Press(slider, OnTrack(190));  // below
    Release(slider, OnTrack(190));
    EXPECT_EQ(slider.GetPos(), 50);
}

TEST_F(SliderTest, MoveKeysSetThePositionAndReportEvenWithoutChange)
{
    slider.SetFocus();
    Reports();
    const struct {
        Qt::Key key;
        int from, to;
    } cases[] = {{Qt::Key_End, 0, 100},    {Qt::Key_Home, 70, 0},     {Qt::Key_PageDown, 10, 23},
                 {Qt::Key_PageUp, 10, 0},  {Qt::Key_Up, 0, 0},        {Qt::Key_Left, 5, 4},
                 {Qt::Key_Down, 5, 6},     {Qt::Key_Right, 100, 100}};
    for (const auto& c : cases) {
        slider.SetPos(c.from);
        QTest::keyClick(slider.GetWidget(), c.key);
        EXPECT_EQ(slider.GetPos(), c.to) << c.key;
        EXPECT_EQ(Reports(), (::Reports{{WM_SLIDER_MOVED, c.to}})) << c.key;
    }
    QTest::keyClick(slider.GetWidget(), Qt::Key_A);  // not a move key
    EXPECT_EQ(Reports(), ::Reports{});
    EXPECT_EQ(slider.SetPageSize(20), 13);
    slider.SetPos(0);
    QTest::keyClick(slider.GetWidget(), Qt::Key_PageDown);
    EXPECT_EQ(slider.GetPos(), 20);
}

TEST_F(SliderTest, WheelMovesOneStepPerNotchAndAlwaysReports)
{
    slider.SetPos(50);
    Wheel(slider, -120);  // towards the user: down the fader
    EXPECT_EQ(slider.GetPos(), 51);
    Wheel(slider, 120);
    Wheel(slider, 120);
    EXPECT_EQ(slider.GetPos(), 49);
    Wheel(slider, 240);  // two notches in one notice move nothing
    EXPECT_EQ(slider.GetPos(), 49);
    EXPECT_EQ(Reports(), (::Reports{{WM_SLIDER_MOVED, 51}, {WM_SLIDER_MOVED, 50}, {WM_SLIDER_MOVED, 49},
                                   {WM_SLIDER_MOVED, 49}}));
    slider.SetVertical(FALSE);
    Wheel(slider, 120);
    EXPECT_EQ(slider.GetPos(), 50);
}

TEST_F(SliderTest, DisabledSliderIgnoresPressesAndKeysButNotTheWheel)
{
    slider.SetPos(50);
    slider.Enable(FALSE);
    Press(slider, OnTrack(20));
    Release(slider, OnTrack(20));
    QTest::keyClick(slider.GetWidget(), Qt::Key_End);
    EXPECT_EQ(slider.GetPos(), 50);
    EXPECT_FALSE(slider.IsDragging());
    Wheel(slider, -120);
    EXPECT_EQ(slider.GetPos(), 51);
    EXPECT_EQ(Reports(), (::Reports{{WM_SLIDER_MOVED, 51}}));
}

TEST_F(SliderTest, DisablingDuringADragEndsIt)
{
    Press(slider, OnTrack(10));
    ASSERT_EQ(CWnd::GetCapture(), &slider);
    slider.Enable(FALSE);
    EXPECT_FALSE(slider.IsDragging());
    EXPECT_NE(CWnd::GetCapture(), &slider);
}

TEST_F(SliderTest, FocusLightsTheBuddyAndTheActiveThumb)
{
    CNumEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE, CRect(60, 20, 120, 40), &stage, 5200));
    slider.SetBuddy(&buddy);
    buddy.SetBuddySlider(&slider);
    slider.SetFocus();
    EXPECT_TRUE(buddy.GetHighlight());
    EXPECT_TRUE(slider.IsActive());
    buddy.SetFocus();  // the field's focus keeps the slider active
    EXPECT_TRUE(slider.IsActive());
    stage.SetFocus();
    EXPECT_FALSE(buddy.GetHighlight());
    EXPECT_FALSE(slider.IsActive());
    slider.SendMessage(WM_SLIDER_TAKEFOCUS);
    EXPECT_EQ(CWnd::GetFocus(), &slider);
    EXPECT_TRUE(slider.IsActive());
}

TEST_F(SliderTest, ValuesReadTheInvertedScale)
{
    slider.SetRange(0, 240);
    QTest::keyClick(slider.GetWidget(), Qt::Key_End);
    EXPECT_EQ(slider.GetPos(), 240);
    EXPECT_EQ(slider.GetValue(), 0);
    slider.SetKind(SLIDER_KIND_GAIN);
    EXPECT_EQ(slider.GetValue(), 80);
    slider.SetValue(200);  // gain index 200 of 80..320
    EXPECT_EQ(slider.GetPos(), 120);
    EXPECT_EQ(slider.GetValue(), 200);
    slider.SetValue(400);  // not clamped: drawn beyond the end until the next clamped change
    EXPECT_EQ(slider.GetPos(), -80);
    slider.SetPos(slider.GetPos());
    EXPECT_EQ(slider.GetPos(), 0);
    slider.SetInvertedPos(40);
    EXPECT_EQ(slider.GetInvertedPos(), 40);
    EXPECT_EQ(slider.GetPos(), 200);
    // Through the model's view of a linked slider.
    ILinkedSlider& linked = slider;
    linked.SetValue(180);
    EXPECT_EQ(slider.GetValue(), 180);
}

TEST_F(SliderTest, FrequencyValuesStepOverTheGrid)
{
    slider.SetRange(0, 240);
    slider.SetKind(SLIDER_KIND_FREQ);
    slider.SetFreqValue(1000);
    const int index = FreqToBandIndex(1000);
    EXPECT_EQ(slider.GetPos(), 240 - index);
    EXPECT_EQ(slider.GetFreqValue(), int(g_dFreqGrid[index]));
    slider.SetPos(136);  // read as 135 in kind 1
    EXPECT_EQ(slider.GetFreqValue(), int(g_dFreqGrid[240 - 135]));
    slider.SetKind(SLIDER_KIND_FREQ_HI);
    slider.SetRange(0, 48);
    slider.SetFreqValue(20000);  // grid point 240: position 48 + 192 - 240 = 0
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(slider.GetFreqValue(), 20000);
    slider.SetPos(48);
    EXPECT_EQ(slider.GetFreqValue(), int(g_dFreqGrid[192]));
    slider.SetKind(0);
    slider.SetFreqValue(50);  // other kinds leave the position
    EXPECT_EQ(slider.GetPos(), 48);
}

TEST_F(SliderTest, PicturesThatDoNotLoadLeaveNoHalfPair)
{
    EXPECT_FALSE(slider.SetBitmapChannel(Faces::kMissing));
    EXPECT_FALSE(slider.SetBitmapChannel(Faces::kTrack[0], Faces::kMissing));
    EXPECT_TRUE(slider.SetBitmapChannel(0));
    EXPECT_FALSE(slider.SetBitmapThumb(Faces::kMissing));
    EXPECT_TRUE(slider.SetBitmapThumb(Faces::kThumb[0], Faces::kThumb[1]));
    // The thumb already loaded keeps its active picture even when another one is given.
    EXPECT_TRUE(slider.SetBitmapThumb(Faces::kThumb[0], Faces::kMissing));
    EXPECT_TRUE(slider.SetBitmapThumb(0));
}

TEST_F(SliderTest, ThumbShowsTheTrackThroughItsKeyPixelsAndLightsWhenActive)
{
    slider.SetPos(50);  // thumb centre row 100, thumb rows 90..109, columns 3..26
    const QImage idle = GrabOf(slider);
    CBitmap track, thumb, active;
    ASSERT_TRUE(track.LoadBitmap(Faces::kTrack[1]));  // rows above the thumb show the active track
    ASSERT_TRUE(thumb.LoadBitmap(Faces::kThumb[0]));
    ASSERT_TRUE(active.LoadBitmap(Faces::kThumb[1]));
    const QImage t = track.GetImage()->convertToFormat(QImage::Format_RGB32);
    const QImage th = thumb.GetImage()->convertToFormat(QImage::Format_RGB32);
    const QImage ta = active.GetImage()->convertToFormat(QImage::Format_RGB32);
    // The thumb's corner is magenta in its picture: the track shows there.
    ASSERT_EQ(PixelOf(th, 0, 0), RGB(255, 0, 255));
    EXPECT_EQ(PixelOf(idle, 3, 90), PixelOf(t, 3, 90));
    // Its middle is the picture itself.
    EXPECT_EQ(PixelOf(idle, 3 + 12, 90 + 5), PixelOf(th, 12, 5));
    slider.SetFocus();
    const QImage focused = GrabOf(slider);
    EXPECT_EQ(PixelOf(focused, 3 + 12, 90 + 10), PixelOf(ta, 12, 10));
    EXPECT_NE(PixelOf(ta, 12, 10), PixelOf(th, 12, 10));
}

TEST_F(SliderTest, DisabledSliderShowsTheDisabledThumb)
{
    ASSERT_TRUE(slider.SetBitmapThumbDisabled(Faces::kThumb[2]));
    slider.SetPos(0);
    slider.Enable(FALSE);
    CBitmap disabled;
    ASSERT_TRUE(disabled.LoadBitmap(Faces::kThumb[2]));
    const QImage d = disabled.GetImage()->convertToFormat(QImage::Format_RGB32);
    const QImage shot = GrabOf(slider);
    EXPECT_EQ(PixelOf(shot, 3 + 12, 10), PixelOf(d, 12, 10));
}

TEST_F(SliderTest, MoveNoticeOnlyWhileNotDragging)
{
    slider.SetMoveNotify(TRUE);
    MoveTo(slider, CPoint(5, 50));
    MoveTo(slider, CPoint(5, 50));
    MoveTo(slider, CPoint(5, 60));
    EXPECT_EQ(stage.Count(WM_CTRL_MOUSEMOVE), 2);
    Press(slider, OnTrack(10));
    DragTo(slider, OnTrack(40));
    EXPECT_EQ(stage.Count(WM_CTRL_MOUSEMOVE), 2);
    Release(slider, OnTrack(40));
}
