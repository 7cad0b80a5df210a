// The limiter curve graph: value <-> pixel mapping, hover and cursor over the knee, the drag of
// the knee (limits at both ends, the model's setter and stamp, the buddies, the redraw only on a
// new threshold), and a click in a mode that draws nothing.
#include "../controls/ControlTestKit.h"

#include "CCOM_EXT_LIMStatic.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "Cursor.h"
#include "Globals.h"
#include "NumDisplayTypes.h"

#include <gtest/gtest.h>

namespace {

// ---- mapping, no window ----

TEST(LimCurveGeometry, PlotInsetsAndScales)
{
    const CRect plot = LimCurveGeometry::PlotRectOf(CRect(0, 0, 230, 200));
    EXPECT_EQ(plot, CRect(20, 5, 220, 185));
    EXPECT_DOUBLE_EQ(LimCurveGeometry::ScaleXOf(plot), 200 / 420.0);
    EXPECT_DOUBLE_EQ(LimCurveGeometry::ScaleYOf(plot), 180 / 420.0);
}

TEST(LimCurveGeometry, KneeOfThreshold)
{
    // A plot 200 x 180: x and y scales differ, so a swapped scale shows.
    const CRect plot(20, 5, 220, 185);
    const double sx = 200 / 420.0, sy = 180 / 420.0;
    struct Case {
        int t;
        float x, y;
    } cases[] = {
        {420, 220.0f, 5.0f},    // +12 dB: top-right corner
        {0, 20.0f, 185.0f},     // -30 dB: bottom-left corner
        {210, 120.0f, 95.0f},   // -9 dB: the middle
        {300, 162.857f, 56.4286f},
        {42, 40.0f, 167.0f},
    };
    for (const Case& c : cases) {
        const LimPointF k = LimCurveGeometry::KneeOf(plot, sx, sy, c.t);
        EXPECT_NEAR(k.X, c.x, 0.001) << "t " << c.t;
        EXPECT_NEAR(k.Y, c.y, 0.001) << "t " << c.t;
    }
}

TEST(LimCurveGeometry, KneeAtZeroDbSitsOnTheGridCrossing)
{
    // The grid lines of 0 dB out and 0 dB in are placed from the insets (5 top, 20 left).
    for (const CRect client : {CRect(0, 0, 230, 200), CRect(0, 0, 450, 440), CRect(0, 0, 177, 151)}) {
        const CRect plot = LimCurveGeometry::PlotRectOf(client);
        const double sx = LimCurveGeometry::ScaleXOf(plot), sy = LimCurveGeometry::ScaleYOf(plot);
        const LimPointF k = LimCurveGeometry::KneeOf(plot, sx, sy, 300);
        EXPECT_NEAR(k.X, 20 + int(sx * 300), 1.0) << client.Width();
        EXPECT_NEAR(k.Y, 5 + int(sy * 120), 1.0) << client.Width();
    }
}

TEST(LimCurveGeometry, HandleAreaEdges)
{
    const CRect h = LimCurveGeometry::HandleOf(LimPointF{100.0f, 50.0f});
    EXPECT_EQ(h, CRect(97, 47, 103, 53));
    struct Case {
        CPoint pt;
        bool inside;
    } cases[] = {
        {{97, 50}, true},    // 3 left of the knee
        {{103, 50}, false},  // 3 right
        {{100, 47}, true},   // 3 above
        {{100, 53}, false},  // 3 below
        {{102, 52}, true},
        {{96, 50}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(h.PtInRect(c.pt), c.inside) << c.pt.x << "," << c.pt.y;
    // Fractions are cut towards zero before the offset is applied.
    EXPECT_EQ(LimCurveGeometry::HandleOf(LimPointF{162.857f, 56.43f}), CRect(159, 53, 165, 59));
}

TEST(LimCurveGeometry, ThresholdFromPointerHeight)
{
    const CRect plot(20, 5, 220, 185);
    const double sy = 180 / 420.0;
    struct Case {
        int y;
        int t;
    } cases[] = {
        {185, 0},     // plot bottom
        {184, 2},     // one pixel up: 1 / sy = 2.33 units, cut
        {5, 420},     // plot top
        {95, 210},    // middle
        {-40, 420},   // far above: upper limit
        {4, 420},     // one above the top
        {400, 0},     // far below: lower limit
        {186, 0},     // one below the bottom (-2.3 is cut to -2, then limited)
        {56, 301},    // (185 - 56) / sy = 301.0
    };
    for (const Case& c : cases)
        EXPECT_EQ(LimCurveGeometry::ThresholdFromY(plot, sy, c.y), c.t) << "y " << c.y;
    // A plot without height must not turn a division by zero into a threshold.
    EXPECT_EQ(LimCurveGeometry::ThresholdFromY(CRect(20, 5, 220, 5), 0.0, 5), 0);
    EXPECT_EQ(LimCurveGeometry::ThresholdFromY(CRect(20, 5, 220, 5), 0.0, 9), 0);
    EXPECT_EQ(LimCurveGeometry::ThresholdFromY(CRect(20, 5, 220, 5), 0.0, 0), 420);
}

// ---- the control ----

// Counts the paints of the graph.
class CCountingGraph : public CCOM_EXT_LIMStatic {
public:
    int m_nPaints = 0;

protected:
    void OnPaint() override
    {
        ++m_nPaints;
        CCOM_EXT_LIMStatic::OnPaint();
    }
};

constexpr UINT kGraphId = 2513;
// 450 x 440 gives a 420 x 420 plot: one pixel per unit, knees on whole pixels.
const CRect kGraphRect(10, 10, 460, 450);

class LimiterGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bOnline = 1;  // the model stamps edits only while a device is linked
        ASSERT_TRUE(stage.Make(40, 40, 480, 470));
        ASSERT_TRUE(Activate(stage));
        ASSERT_TRUE(graph.Create("", WS_CHILD | WS_VISIBLE, kGraphRect, &stage, kGraphId));
        Out(0)->SetLimitThreshold(300);
        scene.ClearAllModified(0);
        graph.InitPlotArea();
        graph.SetMode(3);
        graph.AttachScene(&scene);
        graph.SelectChannel(0);
        Pump();
        stage.Forget();
    }
    void TearDown() override { g_bOnline = 0; }
    // The buddies live on a panel of their own, so the graph's parent hears only the graph.
    void MakeBuddies()
    {
        ASSERT_TRUE(panel.Make(40, 560, 300, 80));
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(edits[i].Create(WS_CHILD | WS_VISIBLE, CRect(10 + 140 * i, 20, 100 + 140 * i, 38), &panel,
                                        5601 + 2 * i));
            ASSERT_TRUE(spins[i].Create(WS_CHILD | WS_VISIBLE, CRect(104 + 140 * i, 18, 120 + 140 * i, 40), &panel,
                                        5602 + 2 * i));
            spins[i].SetBuddy(&edits[i]);
            edits[i].SetType(NUMTYPE_FREQ, "");
            spins[i].SetRange(0, 420);
            spins[i].SetPos(300);
        }
        graph.SetBuddyPair1(&spins[0], &edits[0]);
        graph.SetBuddyPair2(&spins[1], &edits[1]);
        Pump();
    }
    CKTV_OutData* Out(int ch) { return scene.GetOutData(ch); }
    CPoint Knee() const { return CPoint(int(graph.GetKnee().X), int(graph.GetKnee().Y)); }
    // Messages of the private range, and commands, that reached the graph's parent.
    int Notices() const
    {
        int n = 0;
        for (const Received& m : stage.m_log)
            n += (m.message >= WM_USER || m.message == WM_COMMAND) ? 1 : 0;
        return n;
    }

    CKTV_Data scene;
    CStage stage;
    CStage panel;
    CNumEdit edits[2];
    CNumSpin spins[2];
    CCountingGraph graph;
};

TEST_F(LimiterGraphTest, BindingPlacesTheKneeOfTheChannelsThreshold)
{
    EXPECT_EQ(graph.GetOutData(), Out(0));
    EXPECT_EQ(graph.GetLimitCopy().nThreshold, 300);
    EXPECT_EQ(graph.GetPlotRect(), CRect(20, 5, 440, 425));
    EXPECT_FLOAT_EQ(graph.GetKnee().X, 320.0f);
    EXPECT_FLOAT_EQ(graph.GetKnee().Y, 125.0f);
    EXPECT_FLOAT_EQ(graph.GetEnd().X, 440.0f);
    EXPECT_FLOAT_EQ(graph.GetEnd().Y, 125.0f);
    EXPECT_EQ(graph.GetHandleRect(), CRect(317, 122, 323, 128));
}

TEST_F(LimiterGraphTest, CurveColourFollowsTheFirstEightChannels)
{
    const ARGB colours[8] = {g_clrOut1, g_clrOut2, g_clrOut3, g_clrOut4, g_clrOut5, g_clrOut6, g_clrOut7, g_clrOut8};
    for (int ch = 0; ch < 8; ++ch) {
        graph.SelectChannel(ch);
        EXPECT_EQ(graph.GetCurveColour(), colours[ch]) << ch;
        EXPECT_EQ(graph.GetOutData(), Out(ch));
    }
    for (int ch : {8, 9}) {
        graph.SelectChannel(2);
        graph.SelectChannel(ch);
        EXPECT_EQ(graph.GetCurveColour(), g_clrOut3) << ch;
        EXPECT_EQ(graph.GetOutData(), Out(ch));
    }
    // Out of range: the binding stays.
    for (int ch : {-1, 10}) {
        graph.SelectChannel(ch);
        EXPECT_EQ(graph.GetOutData(), Out(9)) << ch;
    }
}

TEST_F(LimiterGraphTest, SelectChannelKeepsTheCopyUpdateCurveRenewsIt)
{
    Out(4)->SetLimitThreshold(100);
    graph.SelectChannel(4);
    EXPECT_EQ(graph.GetLimitCopy().nThreshold, 300);  // still the copy of the first binding
    graph.UpdateCurve();
    EXPECT_EQ(graph.GetLimitCopy().nThreshold, 100);
    EXPECT_FLOAT_EQ(graph.GetKnee().Y, 325.0f);
    EXPECT_EQ(graph.GetLimitCopy().nAttack, Out(4)->GetLimitAttack());
    EXPECT_EQ(graph.GetLimitCopy().nRelease, Out(4)->GetLimitRelease());
}

TEST_F(LimiterGraphTest, HoverOverTheKneeSetsHotAndTheDragCursor)
{
    ASSERT_NE(graph.GetDragCursor(), nullptr);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(graph.GetDragCursor(), arrow);
    struct Case {
        CPoint pt;
        bool hot;
    } cases[] = {
        {{320, 125}, true},  {{317, 125}, true},   // knee, 3 to its left
        {{323, 125}, false}, {{320, 128}, false},  // 3 right, 3 below
        {{320, 122}, true},  {{200, 300}, false},
    };
    for (const Case& c : cases) {
        // The cursor is chosen before the move is handled, so it follows on the next message.
        MoveTo(graph, c.pt);
        MoveTo(graph, c.pt);
        EXPECT_EQ(graph.IsHot() != FALSE, c.hot) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(GetCursor(), c.hot ? graph.GetDragCursor() : arrow) << c.pt.x << "," << c.pt.y;
    }
}

TEST_F(LimiterGraphTest, UnboundGraphHasNoKneeToGrab)
{
    CCountingGraph bare;
    ASSERT_TRUE(bare.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 240, 210), &stage, kGraphId + 1));
    bare.InitPlotArea();
    bare.SetMode(3);
    for (CPoint pt : {CPoint(0, 0), CPoint(20, 185), CPoint(2, 2), CPoint(220, 5)}) {
        MoveTo(bare, pt);
        EXPECT_FALSE(bare.IsHot());
    }
    Press(bare, CPoint(0, 0));
    DragTo(bare, CPoint(0, 50));
    Release(bare, CPoint(0, 50));
    EXPECT_FALSE(bare.IsDragging());
    EXPECT_EQ(bare.GetLimitCopy().nThreshold, 0);
}

TEST_F(LimiterGraphTest, DragWithBuddiesStoresTheThresholdClamped)
{
    MakeBuddies();
    struct Case {
        int y;  // pointer height in the graph, held while dragging
        int t;
    } cases[] = {
        {-60, 420},   // above the window: +12 dB
        {425, 0},     // plot bottom
        {600, 0},     // below the window
        {225, 200},
        {5, 420},
        {124, 301},
    };
    for (const Case& c : cases) {
        Out(0)->SetLimitThreshold(300);
        graph.UpdateCurve();
        scene.ClearAllModified(0);
        edits[0].SetHighlight(FALSE);
        edits[1].SetHighlight(FALSE);
        stage.Forget();

        MoveTo(graph, Knee());
        ASSERT_TRUE(graph.IsHot());
        Press(graph, Knee());
        ASSERT_TRUE(graph.IsDragging());
        DragTo(graph, CPoint(Knee().x + 37, c.y));  // sideways too: only the height counts
        Release(graph, CPoint(Knee().x, c.y));
        Pump();

        EXPECT_FALSE(graph.IsDragging());
        EXPECT_EQ(Out(0)->GetLimitThreshold(), c.t) << "y " << c.y;
        EXPECT_EQ(Out(0)->IsLimitModified() != 0, c.t != 300) << "y " << c.y;
        EXPECT_EQ(graph.GetLimitCopy().nThreshold, c.t);
        EXPECT_EQ(spins[0].GetPos(), c.t);
        EXPECT_EQ(spins[1].GetPos(), c.t);
        EXPECT_TRUE(edits[0].GetHighlight());
        EXPECT_TRUE(edits[1].GetHighlight());
        EXPECT_FLOAT_EQ(graph.GetKnee().Y, float(425 - c.t)) << "the knee follows";
        EXPECT_EQ(Notices(), 0) << "the graph tells its parent nothing";
    }
}

TEST_F(LimiterGraphTest, SidewaysDragChangesNothingAndRedrawsOnlyOnANewCode)
{
    MakeBuddies();
    MoveTo(graph, Knee());
    Press(graph, Knee());
    const int paints = graph.m_nPaints;
    for (int x : {330, 360, 20, 0, 449})
        DragTo(graph, CPoint(x, 125));
    EXPECT_EQ(Out(0)->GetLimitThreshold(), 300);
    EXPECT_EQ(Out(0)->IsLimitModified(), 0);
    EXPECT_FALSE(edits[0].GetHighlight());
    EXPECT_EQ(graph.m_nPaints, paints);

    DragTo(graph, CPoint(320, 100));  // 325
    const int afterOne = graph.m_nPaints;
    EXPECT_GT(afterOne, paints);
    DragTo(graph, CPoint(300, 100));  // the same code
    EXPECT_EQ(graph.m_nPaints, afterOne);
    Release(graph, CPoint(300, 100));
    EXPECT_EQ(Out(0)->GetLimitThreshold(), 325);
}

TEST_F(LimiterGraphTest, DragWithoutBuddiesLeavesTheChannelAlone)
{
    MoveTo(graph, Knee());
    Press(graph, Knee());
    const int paints = graph.m_nPaints;
    DragTo(graph, CPoint(320, 25));
    Release(graph, CPoint(320, 25));
    EXPECT_EQ(graph.GetLimitCopy().nThreshold, 400);  // only the copy moved
    EXPECT_EQ(Out(0)->GetLimitThreshold(), 300);
    EXPECT_EQ(Out(0)->IsLimitModified(), 0);
    EXPECT_EQ(graph.m_nPaints, paints);
    EXPECT_FLOAT_EQ(graph.GetKnee().Y, 125.0f);  // still drawn where it was

    graph.UpdateCurve();
    EXPECT_EQ(graph.GetLimitCopy().nThreshold, 300);
    EXPECT_GT(graph.m_nPaints, paints);
}

TEST_F(LimiterGraphTest, OnlyTheFirstPairSetDoesNotCrash)
{
    MakeBuddies();
    graph.SetBuddyPair2(nullptr, nullptr);
    MoveTo(graph, Knee());
    Press(graph, Knee());
    DragTo(graph, CPoint(320, 225));
    Release(graph, CPoint(320, 225));
    EXPECT_EQ(Out(0)->GetLimitThreshold(), 200);
    EXPECT_EQ(spins[0].GetPos(), 200);
    EXPECT_EQ(spins[1].GetPos(), 300);
}

TEST_F(LimiterGraphTest, PressAwayFromTheKneeDoesNotDrag)
{
    MakeBuddies();
    MoveTo(graph, CPoint(100, 300));
    Press(graph, CPoint(100, 300));
    EXPECT_FALSE(graph.IsDragging());
    DragTo(graph, CPoint(100, 20));
    Release(graph, CPoint(100, 20));
    EXPECT_EQ(Out(0)->GetLimitThreshold(), 300);
    EXPECT_EQ(graph.GetLimitCopy().nThreshold, 300);
}

TEST_F(LimiterGraphTest, ClickTakesFocusAndCaptureInEveryMode)
{
    for (int mode : {0, 3}) {
        graph.SetMode(mode);
        stage.SetFocus();
        const CPoint at = mode == 3 ? Knee() : CPoint(5, 5);
        Press(graph, at);
        EXPECT_EQ(CWnd::GetCapture(), &graph) << mode;
        EXPECT_EQ(CWnd::GetFocus(), &graph) << mode;
        Release(graph, at);
        EXPECT_EQ(CWnd::GetCapture(), nullptr) << mode;
    }
    // Mode 0 follows no pointer: the knee does not turn hot.
    graph.SetMode(0);
    MoveTo(graph, CPoint(200, 200));
    MoveTo(graph, Knee());
    EXPECT_FALSE(graph.IsHot());
}

}  // namespace
