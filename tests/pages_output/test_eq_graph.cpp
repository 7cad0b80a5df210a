// The equaliser response graph: its plot geometry at the output page's size (grid, axis labels,
// band handles), what it paints in each mode, and the pointer: hover, press, drag, release, the
// notifications of its timer (driven by hand here, so no test waits on a clock), focus loss.
#include "../controls/ControlTestKit.h"

#include "AppMessages.h"
#include "CFStatic.h"
#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CMusic_InData.h"
#include "Colours.h"
#include "Convert.h"
#include "Cursor.h"
#include "Globals.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <cstring>
#include <string>

namespace {

constexpr int kBand1k = 17;  // band 18 sits at 1000 Hz
constexpr int kHighPass = 31;
constexpr int kLowPass = 32;

CPoint operator+(CPoint a, CPoint b) { return CPoint(a.x + b.x, a.y + b.y); }

// ---- geometry, no window ----

TEST(EqGraphGeometry, GridOfTheOutputPagesGraph)
{
    const CRect plot = EqGraphGeometry::PlotRectOf(CRect(0, 0, 947, 215));
    EXPECT_EQ(plot, CRect(40, 10, 937, 195));
    const int expected[27] = {40,  92,  130, 158, 182, 202, 220, 235, 248, 339, 391, 429, 457, 481,
                              501, 519, 534, 547, 638, 690, 728, 756, 780, 800, 818, 833, 846};
    for (int k = 0; k < 27; ++k)
        EXPECT_EQ(EqGraphGeometry::FreqToX(EqGraphGeometry::GridFreq(k), plot.Width()), expected[k]) << k;
    // The enlarged graph: 366 pixels per decade.
    const CRect big = EqGraphGeometry::PlotRectOf(CRect(0, 0, 1150, 400));
    EXPECT_EQ(big, CRect(40, 10, 1140, 380));
    EXPECT_EQ(EqGraphGeometry::FreqToX(200, big.Width()), 40 + 366);
    EXPECT_EQ(EqGraphGeometry::FreqToX(2000, big.Width()), 40 + 732);
}

TEST(EqGraphGeometry, AxisLabels)
{
    const CRect plot(40, 10, 937, 195);  // H 185: rows every 23 pixels
    const struct {
        const char* text;
        int y;
    } levels[9] = {{"+12", 5}, {"+9", 26}, {"+6", 49}, {"+3", 72}, {"0dB", 95},
                   {"-3", 118}, {"-6", 141}, {"-9", 164}, {"-12", 185}};
    for (int k = 0; k < 9; ++k) {
        const EqGraphGeometry::Label l = EqGraphGeometry::LevelLabel(k, plot.Height());
        EXPECT_STREQ(l.pszText, levels[k].text);
        EXPECT_EQ(l.x, 6) << k;
        EXPECT_EQ(l.y, levels[k].y) << l.pszText;
    }
    const struct {
        const char* text;
        int x;
    } freqs[18] = {{"20", 30},   {"30", 84},   {"40", 122},  {"50", 150},  {"70", 194},  {"100", 238},
                   {"200", 329}, {"300", 381}, {"500", 447}, {"700", 491}, {"1K", 539},  {"2K", 630},
                   {"3K", 682},  {"4K", 720},  {"5K", 748},  {"7K", 792},  {"10K", 836}, {"20K", 922}};
    for (int k = 0; k < 18; ++k) {
        const EqGraphGeometry::Label l = EqGraphGeometry::FreqLabel(k, plot);
        EXPECT_STREQ(l.pszText, freqs[k].text);
        EXPECT_EQ(l.x, freqs[k].x) << l.pszText;
        EXPECT_EQ(l.y, 195) << l.pszText;
    }
    EXPECT_STREQ(EqGraphGeometry::LevelLabel(9, 185).pszText, "");
    EXPECT_STREQ(EqGraphGeometry::FreqLabel(-1, plot).pszText, "");
}

// ---- the control ----

bool Near(COLORREF a, COLORREF b, int tol = 20)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tol && std::abs(GetGValue(a) - GetGValue(b)) <= tol &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tol;
}

int CountIn(const QImage& img, const CRect& box, COLORREF clr, int tol = 20)
{
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            n += Near(PixelOf(img, x, y), clr, tol) ? 1 : 0;
    return n;
}

COLORREF RgbOf(ARGB c) { return RGB(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)); }

void SavePicture(const QImage& img, const char* name)
{
    const QString path = QStringLiteral(ORVANE_BINARY_DIR "/screens");
    QDir().mkpath(path);
    EXPECT_TRUE(img.save(path + "/" + name));
}

class EqGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bOnline = 1;
        std::memset(g_bShowCurve, 0, sizeof g_bShowCurve);
        ASSERT_TRUE(stage.Make(20, 20, 960, 230));
        ASSERT_TRUE(Activate(stage));
        ASSERT_TRUE(graph.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 947, 215), &stage, IDC_EQ_GRAPH));
        Band(kBand1k)->SetFreq(1000, 0);
        graph.SetNotifyWnd(&stage);
        graph.Attach(&scene, 4);
        // The notification timer runs on the test's clock: Tick() stands for 200 ms passing.
        graph.KillTimer(CFStatic::kTimerId);
        graph.SelectOutputChannel(2);
        graph.SetDrawMode(4);
        scene.ClearAllModified(0);
        Pump();
        stage.Forget();
    }
    void TearDown() override
    {
        g_bOnline = 0;
        g_bBigCurve = 0;
        std::memset(g_bShowCurve, 0, sizeof g_bShowCurve);
    }
    CKTV_OutData* Out(int ch) { return scene.GetOutData(ch); }
    CFilter* Band(int n, int ch = 2) { return Out(ch)->GetFilter(n); }
    void Tick()
    {
        graph.SendMessage(WM_TIMER, CFStatic::kTimerId, 0);
        Pump();
    }
    int Notices() const { return stage.Count(WM_EQ_POINT_CHANGED); }
    static CPoint Centre(const CFilter* f) { return f->m_rcHandle.CenterPoint(); }

    CKTV_Data scene;
    CStage stage;
    CFStatic graph;
};

TEST_F(EqGraphTest, BindingLaysOutTheOutputPagesGraph)
{
    EXPECT_EQ(graph.GetPlotRect(), CRect(40, 10, 937, 195));
    EXPECT_EQ(graph.GetGridX()[9], 339);
    EXPECT_EQ(graph.GetGridX()[26], 846);
    EXPECT_EQ(graph.GetDrawMode(), 4);
    EXPECT_EQ(graph.GetChannelId(), 768 + 2);
    EXPECT_EQ(graph.GetCurOutput(), 2);
    EXPECT_EQ(graph.GetEq(), &Out(2)->GetEq());
    // Band 18 at 1000 Hz and 0 dB: 16 x 16 around (547, 103); at +6 dB 47 rows higher.
    EXPECT_EQ(Band(kBand1k)->m_rcHandle, CRect(539, 95, 555, 111));
    Band(kBand1k)->SetGainIndex(260);
    EXPECT_EQ(Band(kBand1k)->m_rcHandle, CRect(539, 48, 555, 64));
}

TEST_F(EqGraphTest, SelectCallsCheckTheirIndexAndDropTheHotFilter)
{
    graph.DrawGraph(5);
    EXPECT_EQ(graph.GetHotFilter(), Band(5));
    EXPECT_EQ(graph.GetHotElement(), 5);
    for (int bad : {-1, 10, 99}) {
        graph.SelectOutputChannel(bad);
        EXPECT_EQ(graph.GetCurOutput(), 2) << bad;
        EXPECT_EQ(graph.GetHotFilter(), Band(5)) << bad;
    }
    // An element past the band list selects nothing instead of reading past it.
    graph.DrawGraph(33);
    EXPECT_EQ(graph.GetSelElement(), -1);
    EXPECT_EQ(graph.GetHotFilter(), Band(5));
    graph.SelectOutputChannel(7);
    EXPECT_EQ(graph.GetHotFilter(), nullptr);
    EXPECT_EQ(graph.GetChannelId(), 768 + 7);
    graph.SelectInputChannel(3);
    EXPECT_EQ(graph.GetDrawMode(), 3);
    EXPECT_EQ(graph.GetChannelId(), 3);
    EXPECT_EQ(graph.GetCurOutput(), 7);
    EXPECT_EQ(graph.GetEq(), &scene.GetMusicData(3)->GetEq());
    graph.SelectInputChannel(6);
    EXPECT_EQ(graph.GetChannelId(), 3);
}

TEST_F(EqGraphTest, PaintsTheOutputPlotWithHotBandAndOverlay)
{
    Band(kBand1k)->SetGainIndex(260);  // +6 dB at 1000 Hz
    Band(7, 4)->SetFreq(100, 0);
    Band(7, 4)->SetGainIndex(140);  // output 5: -6 dB at 100 Hz
    g_bShowCurve[4] = 1;
    g_bShowCurve[2] = 1;  // the shown channel's own flag draws nothing grey
    graph.DrawGraph(kBand1k);
    Pump();
    const QImage img = GrabOf(graph).convertToFormat(QImage::Format_RGB32);
    SavePicture(img, "eq_graph_output.png");

    const COLORREF back = RGB(56, 55, 55), grid = RGB(90, 89, 89), hot = RGB(39, 36, 36);
    EXPECT_TRUE(Near(PixelOf(img, 33, 60), back, 4));     // left margin
    EXPECT_TRUE(Near(PixelOf(img, 339, 180), grid, 4));    // the 200 Hz grid line
    EXPECT_TRUE(Near(PixelOf(img, 700, 79), grid, 4));     // the +3 dB row
    EXPECT_TRUE(Near(PixelOf(img, 570, 90), hot, 4));      // under the hot band's peak
    EXPECT_TRUE(Near(PixelOf(img, 300, 90), back, 4));     // plot away from it
    // The watermark's grey letters lie in its 360 x 100 box at (310, 51) and nowhere else.
    const COLORREF ink = RGB(83, 83, 83);
    EXPECT_GT(CountIn(img, CRect(310, 51, 670, 151), ink, 3), 300);
    EXPECT_EQ(CountIn(img, CRect(680, 112, 900, 151), ink, 3), 0);  // below the curves, beside it
    // The shown curve peaks at +6 dB over 1000 Hz; the overlay dips to -6 dB over 100 Hz.
    EXPECT_GT(CountIn(img, CRect(540, 50, 556, 62), RgbOf(g_clrGraphCurve), 40), 6);
    EXPECT_GT(CountIn(img, CRect(240, 145, 258, 156), RgbOf(g_clrGraphGrey), 5), 6);
    EXPECT_EQ(CountIn(img, CRect(240, 60, 258, 90), RgbOf(g_clrGraphGrey), 5), 0);
    // The hot band's number is red, the others white; its label text red.
    EXPECT_GT(CountIn(img, CRect(539, 48, 555, 64), RGB(255, 0, 0), 60), 3);
    EXPECT_GT(CountIn(img, Band(3)->m_rcHandle, RGB(255, 255, 255), 30), 3);
    EXPECT_GT(CountIn(img, Band(kBand1k)->m_rcLabel, RGB(255, 0, 0), 60), 10);
    // Bandwidth handles of a free PEQ band: red frames.
    const CRect bw = Band(kBand1k)->m_rcBwLeft;
    EXPECT_TRUE(Near(PixelOf(img, bw.left, bw.top + 3), RGB(255, 0, 0), 30));
}

TEST_F(EqGraphTest, EmptyModeAndCrossoverHighlight)
{
    graph.SetDrawMode(0);
    Pump();
    QImage img = GrabOf(graph).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(Near(PixelOf(img, 40, 100), RGB(255, 255, 255), 4));  // white frame
    EXPECT_TRUE(Near(PixelOf(img, 300, 100), RGB(0, 0, 0), 4));       // black plot
    EXPECT_TRUE(Near(PixelOf(img, 300, 10 + 185 * 3 / 12), RGB(90, 89, 89), 4));  // rows at twelfths
    EXPECT_TRUE(Near(PixelOf(img, 33, 60), RGB(56, 55, 55), 4));

    // The high-pass filter hot: no bandwidth handles, its "H" red.
    graph.SetDrawMode(4);
    CFilter* hp = Band(kHighPass);
    hp->SetFreq(200, 0);
    Out(2)->GetEq().SetCurveRect(CRect(40, 10, 937, 195));
    graph.DrawGraph(kHighPass);
    Pump();
    img = GrabOf(graph).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(graph.GetHotFilter(), hp);
    EXPECT_GT(CountIn(img, hp->m_rcHandle, RGB(255, 0, 0), 60), 3);
    const CRect bw = hp->m_rcBwLeft;
    if (!bw.IsRectEmpty()) {
        EXPECT_FALSE(Near(PixelOf(img, bw.left, bw.top + 3), RGB(255, 0, 0), 30));
    }
}

// ---- pointer ----

TEST_F(EqGraphTest, PointerShapeTellsWhatADragWouldMove)
{
    struct Case {
        const char* what;
        bool locked;  // graphic-EQ band: gain only
        std::function<CPoint()> at;
        Qt::CursorShape shape;
    };
    const Case cases[] = {
        {"free band", false, [this] { return Centre(Band(kBand1k)); }, Qt::SizeAllCursor},
        {"locked band", true, [this] { return Centre(Band(kBand1k)); }, Qt::SizeVerCursor},
        {"bandwidth handle", false,
         [this] { return Band(kBand1k)->m_rcBwRight.CenterPoint(); }, Qt::SizeHorCursor},
        {"high-pass", false, [this] { return Centre(Out(2)->GetEq().GetHighPass()); },
         Qt::SizeHorCursor},
        {"empty plot", false, [] { return CPoint(900, 20); }, Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Band(kBand1k)->SetFreqLock(c.locked);
        MoveTo(graph, CPoint(900, 20));
        // A band's bandwidth handles are laid out once it is hot.
        MoveTo(graph, Centre(Band(kBand1k)));
        MoveTo(graph, c.at());
        graph.SendMessage(WM_SETCURSOR, WPARAM(graph.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(QCursorOf(GetCursor()).shape(), c.shape);
    }
}

TEST_F(EqGraphTest, DragScriptNotifiesOncePerTickAndOnceAfterRelease)
{
    CFilter* f = Band(kBand1k);
    const CPoint c = Centre(f);
    MoveTo(graph, c);
    EXPECT_TRUE(graph.IsHot());
    EXPECT_EQ(graph.GetHotFilter(), f);
    EXPECT_EQ(graph.GetHotElement(), kBand1k);
    Tick();
    EXPECT_EQ(Notices(), 0);  // hovering changes nothing

    Press(graph, c);
    EXPECT_TRUE(f->m_bHandleDrag);
    EXPECT_FALSE(graph.IsMouseReleased());
    // Three moves within one tick: one notice.
    DragTo(graph, c + CPoint(20, -10));
    DragTo(graph, c + CPoint(40, -30));
    DragTo(graph, c + CPoint(60, -47));
    EXPECT_TRUE(graph.IsPendingNotify());
    Tick();
    ASSERT_EQ(Notices(), 1);
    EXPECT_EQ(stage.All(WM_EQ_POINT_CHANGED)[0].wParam, WPARAM(kBand1k));
    EXPECT_EQ(stage.All(WM_EQ_POINT_CHANGED)[0].lParam, LPARAM(768 + 2));
    Tick();
    EXPECT_EQ(Notices(), 1);  // nothing changed since

    Release(graph, c + CPoint(60, -47));
    EXPECT_TRUE(graph.IsMouseReleased());
    EXPECT_FALSE(f->m_bHandleDrag);
    Tick();
    EXPECT_EQ(Notices(), 2);
    // The receiver's answer ends the posting.
    graph.ClearMouseReleased();
    Tick();
    EXPECT_EQ(Notices(), 2);

    // The handle's centre went to x 607, row 56 of the graph (row 46 of the plot).
    EXPECT_EQ(f->GetFreq(), XToFreq(607 - 40, 897));
    EXPECT_DOUBLE_EQ(f->GetGain(), YToDb(46, 185));
    EXPECT_DOUBLE_EQ(f->GetGain(), 6.0);
    EXPECT_FALSE(f->IsBypassed());
    EXPECT_NE(f->GetModified(), 0);
}

TEST_F(EqGraphTest, FlatBandDraggedSidewaysStaysBypassed)
{
    // With a 185-pixel plot no row reads back as 0.0 dB; the 0 dB row must.
    for (int dx : {-30, 25, 90}) {
        CFilter* f = Band(kBand1k);
        f->ResetBand(1000);
        Out(2)->GetEq().SetCurveRect(CRect(40, 10, 937, 195));
        ASSERT_TRUE(f->IsBypassed());
        const CPoint c = Centre(f) + CPoint(3, 2);  // grabbed off-centre
        MoveTo(graph, c);
        Press(graph, c);
        DragTo(graph, c + CPoint(dx, 0));
        Release(graph, c + CPoint(dx, 0));
        EXPECT_TRUE(f->IsBypassed()) << dx;
        EXPECT_EQ(f->GetGainIndex(), 200) << dx;
        EXPECT_DOUBLE_EQ(f->GetGain(), 0.0) << dx;
        EXPECT_NE(f->GetFreq(), 1000) << dx;
    }
    // A boosted band moved sideways keeps its gain.
    CFilter* f = Band(kBand1k);
    f->SetGainIndex(237);  // +3.7 dB
    const CPoint c = Centre(f);
    MoveTo(graph, c);
    Press(graph, c);
    DragTo(graph, c + CPoint(-50, 0));
    Release(graph, c + CPoint(-50, 0));
    EXPECT_EQ(f->GetGainIndex(), 237);
    // One row down it does change.
    MoveTo(graph, Centre(f));
    Press(graph, Centre(f));
    DragTo(graph, Centre(f) + CPoint(0, 8));
    Release(graph, Centre(f));
    EXPECT_LT(f->GetGainIndex(), 237);
}

TEST_F(EqGraphTest, ClicksWithoutMovesNotifyTheLastHotElement)
{
    // Empty plot before anything was hot: element 0.
    Click(graph, CPoint(300, 30));
    Tick();
    ASSERT_EQ(Notices(), 1);
    EXPECT_EQ(stage.All(WM_EQ_POINT_CHANGED)[0].wParam, WPARAM(0));
    graph.ClearMouseReleased();
    // A click on a handle: that element, and the band is unchanged.
    CFilter* f = Band(9);
    const int hz = f->GetFreq();
    MoveTo(graph, Centre(f));
    Click(graph, Centre(f));
    Tick();
    ASSERT_EQ(Notices(), 2);
    EXPECT_EQ(stage.All(WM_EQ_POINT_CHANGED)[1].wParam, WPARAM(9));
    EXPECT_EQ(f->GetFreq(), hz);
    EXPECT_TRUE(f->IsBypassed());
    // Without a notify window nothing is posted, the drag still works.
    graph.SetNotifyWnd(nullptr);
    graph.ClearMouseReleased();
    MoveTo(graph, Centre(f));
    Press(graph, Centre(f));
    DragTo(graph, Centre(f) + CPoint(0, -40));
    Release(graph, Centre(f));
    Tick();
    EXPECT_EQ(Notices(), 2);
    EXPECT_FALSE(f->IsBypassed());
}

TEST_F(EqGraphTest, CrossoverHandlesStopAtTheirPartner)
{
    CFilter* hp = Band(kHighPass);
    CFilter* lp = Band(kLowPass);
    hp->SetFreq(100, 0);
    hp->SetSlope(3, 0);
    lp->SetFreq(2000, 0);
    lp->SetSlope(3, 0);
    Out(2)->GetEq().SetCurveRect(CRect(40, 10, 937, 195));
    const CPoint c = Centre(hp);
    MoveTo(graph, c);
    ASSERT_EQ(graph.GetHotFilter(), hp);
    Press(graph, c);
    DragTo(graph, CPoint(EqGraphGeometry::FreqToX(8000, 897), c.y));
    Release(graph, CPoint(EqGraphGeometry::FreqToX(8000, 897), c.y));
    EXPECT_EQ(hp->GetFreq(), 2000);
    // Leaving an idle crossover handle drops it.
    MoveTo(graph, Centre(hp));
    EXPECT_EQ(graph.GetHotFilter(), hp);
    MoveTo(graph, CPoint(200, 30));
    EXPECT_EQ(graph.GetHotFilter(), nullptr);
    EXPECT_FALSE(graph.IsHot());
    // The low-pass dragged below the high-pass stops at it.
    hp->SetFreq(300, 0);
    Out(2)->GetEq().SetCurveRect(CRect(40, 10, 937, 195));
    MoveTo(graph, Centre(lp));
    ASSERT_EQ(graph.GetHotFilter(), lp);
    Press(graph, Centre(lp));
    DragTo(graph, CPoint(EqGraphGeometry::FreqToX(40, 897), Centre(lp).y));
    Release(graph, CPoint(EqGraphGeometry::FreqToX(40, 897), Centre(lp).y));
    EXPECT_EQ(lp->GetFreq(), 300);
    EXPECT_FALSE(graph.IsHot());
}

TEST_F(EqGraphTest, LockedBandMovesInGainOnlyAndMusicModePicksBandsOneToFifteen)
{
    CFilter* f = Band(kBand1k);
    f->SetFreqLock(TRUE);
    MoveTo(graph, Centre(f));
    Press(graph, Centre(f));
    DragTo(graph, Centre(f) + CPoint(80, -30));
    Release(graph, Centre(f));
    EXPECT_EQ(f->GetFreq(), 1000);
    EXPECT_GT(f->GetGain(), 3.0);

    scene.SetMusicCurveRect(40, 10, 937, 195);
    graph.SelectInputChannel(0);
    CKTVEQ& eq = scene.GetMusicData(0)->GetEq();
    MoveTo(graph, Centre(eq.GetAt(20)));
    EXPECT_NE(graph.GetHotFilter(), eq.GetAt(20));
    MoveTo(graph, Centre(eq.GetAt(14)));
    EXPECT_EQ(graph.GetHotFilter(), eq.GetAt(14));
    MoveTo(graph, Centre(eq.GetHighPass()));
    EXPECT_NE(graph.GetHotFilter(), eq.GetHighPass());
}

TEST_F(EqGraphTest, FocusLossAndWheel)
{
    CFilter* f = Band(4);
    const int hz = f->GetFreq();
    Press(graph, CPoint(300, 30));
    Release(graph, CPoint(300, 30));
    Wheel(graph, 120);
    EXPECT_EQ(f->GetFreq(), hz);
    stage.SetFocus();
    Pump();
    EXPECT_EQ(stage.Count(WM_EQ_GRAPH_KILLFOCUS), 1);
}

}  // namespace
