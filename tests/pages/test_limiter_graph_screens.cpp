// Pixels of the limiter curve graph (frame, grid, curve, knee, labels; nothing in other modes)
// and its pictures under <build>/screens/limiter_graph*.
#include "../controls/ScreenSheet.h"

#include "CCOM_EXT_LIMStatic.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "Colours.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

COLORREF RgbOf(ARGB c) { return RGB(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)); }

bool Near(COLORREF a, COLORREF b, int tol = 24)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tol && std::abs(GetGValue(a) - GetGValue(b)) <= tol &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tol;
}

// Pixels of a colour inside a box of the picture.
int CountIn(const QImage& img, const CRect& box, COLORREF clr, int tol = 24)
{
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            n += Near(PixelOf(img, x, y), clr, tol) ? 1 : 0;
    return n;
}

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kFrame = RGB(0, 180, 0);
constexpr COLORREF kGrid = RGB(21, 100, 21);
constexpr COLORREF kLabel = RGB(200, 200, 200);
constexpr COLORREF kYellow = RGB(255, 255, 0);

class LimiterGraphScreens : public ScreensTest {
protected:
    // A graph of 450 x 440 pixels (a 420 x 420 plot), bound to output ch at threshold t.
    // Each call makes a new control, so nothing of an earlier binding stays.
    void Make(int ch, int t, bool bind = true, int mode = 3)
    {
        graph = std::make_unique<CCOM_EXT_LIMStatic>();
        ASSERT_TRUE(graph->Create("", WS_CHILD | WS_VISIBLE, CRect(8, 8, 458, 448), &stage, 2513));
        graph->InitPlotArea();
        graph->SetMode(mode);
        if (bind) {
            scene.GetOutData(ch)->SetLimitThreshold(short(t));
            graph->AttachScene(&scene);
            graph->SelectChannel(ch);
            graph->UpdateCurve();
        }
    }
    QImage Picture()
    {
        return Shot(*graph, 0);
    }
    void SetUp() override
    {
        ScreensTest::SetUp();
        stage.MoveWindow(40, 40, 470, 460);
    }

    CKTV_Data scene;
    std::unique_ptr<CCOM_EXT_LIMStatic> graph;
};

TEST_F(LimiterGraphScreens, FrameGridAndLabels)
{
    Make(0, 300);
    const QImage img = Picture();
    ASSERT_EQ(img.width(), 450);
    // Outside the plot: black. The frame on the plot's edges, the grid inside.
    EXPECT_EQ(PixelOf(img, 10, 300), kBlack);
    EXPECT_EQ(PixelOf(img, 445, 300), kBlack);
    EXPECT_EQ(PixelOf(img, 20, 300), kFrame);
    EXPECT_EQ(PixelOf(img, 439, 300), kFrame);
    EXPECT_EQ(PixelOf(img, 200, 5), kFrame);
    EXPECT_EQ(PixelOf(img, 200, 424), kFrame);
    for (int x : {120, 220, 320})  // -20, -10, 0 dB in
        EXPECT_EQ(PixelOf(img, x, 380), kGrid) << x;
    for (int y : {125, 225, 325})  // 0, -10, -20 dB out
        EXPECT_EQ(PixelOf(img, 60, y), kGrid) << y;
    EXPECT_EQ(PixelOf(img, 60, 175), kBlack);
    // Labels in light grey: " 12" top left, "-30" by the bottom, "0" and "12" along the bottom.
    EXPECT_GT(CountIn(img, CRect(2, 0, 20, 14), kLabel), 3);
    EXPECT_GT(CountIn(img, CRect(2, 418, 20, 434), kLabel), 3);
    EXPECT_GT(CountIn(img, CRect(317, 425, 327, 440), kLabel), 3);
    EXPECT_GT(CountIn(img, CRect(433, 425, 450, 440), kLabel), 3);
    // Nothing grey between the labels.
    EXPECT_EQ(CountIn(img, CRect(2, 60, 18, 100), kLabel), 0);
}

TEST_F(LimiterGraphScreens, CurveAndKneeAtThreeThresholds)
{
    struct Case {
        int ch;
        int t;
        CPoint knee;
        CPoint onFlat;   // a point of the flat part
        CPoint onSlope;  // a point of the 1:1 part (none at 0)
        CPoint clear;    // a point of the plot the curve does not cross
    } cases[] = {
        {0, 300, {320, 125}, {400, 125}, {170, 274}, {400, 60}},
        {5, 420, {439, 6}, {439, 5}, {220, 224}, {400, 300}},
        {2, 0, {21, 424}, {300, 424}, {0, 0}, {300, 150}},
    };
    const ARGB colours[8] = {g_clrOut1, g_clrOut2, g_clrOut3, g_clrOut4, g_clrOut5, g_clrOut6, g_clrOut7, g_clrOut8};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        Make(c.ch, c.t);
        const QImage img = Picture();
        const COLORREF curve = RgbOf(colours[c.ch]);
        EXPECT_TRUE(Near(PixelOf(img, c.knee.x, c.knee.y), kYellow)) << std::hex << PixelOf(img, c.knee.x, c.knee.y);
        if (c.t != 420) {
            EXPECT_TRUE(Near(PixelOf(img, c.onFlat.x, c.onFlat.y), curve, 40))
                << std::hex << PixelOf(img, c.onFlat.x, c.onFlat.y);
        }
        if (c.t != 0) {
            const CRect box(c.onSlope.x - 2, c.onSlope.y - 2, c.onSlope.x + 3, c.onSlope.y + 3);
            EXPECT_GT(CountIn(img, box, curve, 40), 2);
        }
        EXPECT_EQ(PixelOf(img, c.clear.x, c.clear.y), kBlack);
        const CRect inner(21, 6, 439, 424);
        const CRect around(std::max(inner.left, c.knee.x - 5), std::max(inner.top, c.knee.y - 5),
                           std::min(inner.right, c.knee.x + 6), std::min(inner.bottom, c.knee.y + 6));
        EXPECT_EQ(CountIn(img, inner, kYellow, 8), CountIn(img, around, kYellow, 8)) << "yellow only at the knee";
    }
}

TEST_F(LimiterGraphScreens, NothingOfACurveWithoutAChannelAndNothingAtAllInModeZero)
{
    Make(0, 0, false);
    QImage img = Picture();
    EXPECT_EQ(PixelOf(img, 20, 300), kFrame);
    EXPECT_EQ(CountIn(img, CRect(0, 0, 450, 440), kYellow, 8), 0);
    EXPECT_EQ(CountIn(img, CRect(21, 6, 439, 424), RgbOf(g_clrOut1), 40), 0);

    Make(0, 300, true, 0);
    img = Picture();
    EXPECT_EQ(PixelOf(img, 20, 300), kStageColour);
    EXPECT_EQ(PixelOf(img, 320, 125), kStageColour);
    EXPECT_EQ(CountIn(img, CRect(0, 0, 450, 440), kStageColour, 0), 450 * 440);
}

TEST_F(LimiterGraphScreens, Pictures)
{
    Sheet sheet("limiter_graph");
    struct State {
        const char* name;
        int ch;
        int t;
        bool bind;
    } states[] = {
        {"knee at 0 dB, output 1", 0, 300, true},
        {"knee at plus 12 dB, output 2", 1, 420, true},
        {"knee at minus 30 dB, output 3", 2, 0, true},
        {"knee at minus 18.5 dB, output 6", 5, 115, true},
        {"no channel", 0, 0, false},
    };
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        for (const State& s : states) {
            Make(s.ch, s.t, s.bind);
            const QImage img = Shot(*graph);
            EXPECT_GT(CountIn(img, CRect(6, 6, 24, 18), kLabel), 3) << s.name;
            EXPECT_EQ(CountIn(img, CRect(0, 0, img.width(), img.height()), kYellow, 8) > 0, s.bind) << s.name;
            sheet.Add(s.name, lang, img);
        }
    }
}

}  // namespace
