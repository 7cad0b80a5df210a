// Filter handles on the response graph and the drag rules, for the output page's plot
// (897 x 185 pixels, 299 per decade). Expected rectangles were worked out by hand from the
// placement rules; graph coordinates are the plot's plus 40 in x and 10 in y.
#include "CFilter.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const CRect kPlot(40, 10, 937, 195);

::testing::AssertionResult SameRect(const CRect& got, const CRect& want)
{
    if (got == want)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.left << ", " << got.top << ", " << got.right
                                         << ", " << got.bottom << ") want (" << want.left << ", "
                                         << want.top << ", " << want.right << ", " << want.bottom << ")";
}

class SliderSpy : public ILinkedSlider {
public:
    void SetFreqValue(int nHz) override { freqs.push_back(nHz); }
    void SetValue(int nPos) override { values.push_back(nPos); }
    std::vector<int> freqs, values;
};

class HandleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nSavedOnline = g_bOnline;
        m_nSavedChinese = g_bChinese;
        g_bOnline = 0;
        g_bChinese = 0;
    }
    void TearDown() override
    {
        g_bOnline = m_nSavedOnline;
        g_bChinese = m_nSavedChinese;
    }

    // A band as the band list builds it, then edited; gain index 200 = 0 dB (bypassed).
    static void MakeBand(CFilter& f, int type, int bandIndex, int hz, int gainIndex, BOOL lock = 0)
    {
        f.SetBandIndex(bandIndex);
        f.SetCurveRect(kPlot);
        f.SetFreq(hz, 0);
        if (type == FILTER_LOW_SHELF)
            f.SetLowShelf(0);
        else if (type == FILTER_HIGH_SHELF)
            f.SetHighShelf(0);
        f.SetGainIndex(gainIndex);
        f.SetFreqLock(lock);
    }
    static void MakeCrossover(CFilter& f, int type, int slot, int hz)
    {
        f.SetType(type);
        f.SetCurveMode(0);
        f.SetSlotIndex(slot);
        f.SetCurveRect(kPlot);
        f.SetFreq(hz, 0);
    }
    // Grabs the handle at its centre, so the pointer is where the handle's centre goes.
    static void Grab(CFilter& f) { f.BeginDrag(f.m_rcHandle.CenterPoint()); }

    int m_nSavedOnline = 0;
    int m_nSavedChinese = 0;
};

}  // namespace

TEST_F(HandleTest, HandleAndLabelRectangles)
{
    struct Row {
        const char* what;
        int type, bandIndex, hz, gainIndex;
        BOOL lock;
        CRect handle, label;
    };
    const Row kRows[] = {
        {"band at 1 kHz, bypassed", FILTER_PEQ, 17, 1000, 200, 0, {539, 95, 555, 111}, {459, 120, 635, 136}},
        {"first band at 20 Hz hangs over the left edge", FILTER_PEQ, 0, 20, 320, 0, {32, 10, 48, 26}, {40, 35, 176, 51}},
        {"tenth band at 20 Hz is held inside", FILTER_PEQ, 9, 20, 320, 0, {40, 10, 56, 26}, {40, 35, 176, 51}},
        {"last band at the bottom right corner", FILTER_PEQ, 30, 20000, 80, 0, {921, 179, 937, 195}, {777, 154, 937, 170}},
        {"locked band near the left", FILTER_PEQ, 5, 63, 170, 1, {180, 118, 196, 134}, {155, 143, 221, 159}},
        {"locked band", FILTER_PEQ, 25, 6300, 230, 1, {778, 71, 794, 87}, {753, 96, 819, 112}},
        {"band near the right edge", FILTER_PEQ, 28, 12500, 260, 0, {867, 48, 883, 64}, {777, 73, 937, 89}},
        {"low shelf at 20 Hz", FILTER_LOW_SHELF, 0, 20, 260, 0, {32, 48, 48, 64}, {32, 73, 138, 89}},
        {"high shelf near the right edge", FILTER_HIGH_SHELF, 29, 16000, 140, 0, {900, 141, 916, 157}, {821, 166, 937, 182}},
        {"high shelf", FILTER_HIGH_SHELF, 24, 5000, 230, 0, {748, 71, 764, 87}, {748, 96, 854, 112}},
    };
    for (const Row& r : kRows) {
        CFilter f;
        MakeBand(f, r.type, r.bandIndex, r.hz, r.gainIndex, r.lock);
        EXPECT_TRUE(SameRect(f.m_rcHandle, r.handle)) << r.what;
        EXPECT_TRUE(SameRect(f.m_rcLabel, r.label)) << r.what;
    }

    const struct {
        const char* what;
        int type, hz;
        CRect handle, label;
    } kCrossovers[] = {
        {"high-pass off at 20 Hz", FILTER_HIGH_PASS, 20, {32, 156, 48, 172}, {32, 141, 98, 197}},
        {"high-pass at 1 kHz", FILTER_HIGH_PASS, 1000, {539, 156, 555, 172}, {539, 141, 605, 197}},
        {"low-pass off at 20 kHz", FILTER_LOW_PASS, 20000, {929, 156, 945, 172}, {871, 141, 937, 192}},
        {"low-pass at 15 kHz", FILTER_LOW_PASS, 15000, {891, 156, 907, 172}, {871, 141, 937, 192}},
    };
    for (const auto& r : kCrossovers) {
        CFilter f;
        MakeCrossover(f, r.type, 12, r.hz);
        EXPECT_TRUE(SameRect(f.m_rcHandle, r.handle)) << r.what;
        EXPECT_TRUE(SameRect(f.m_rcLabel, r.label)) << r.what;
    }
}

TEST_F(HandleTest, BandwidthHandlesAndPolygon)
{
    CFilter f;
    MakeBand(f, FILTER_PEQ, 17, 1000, 200);
    EXPECT_TRUE(SameRect(f.m_rcBwLeft, CRect(508, 109, 516, 117)));
    EXPECT_TRUE(SameRect(f.m_rcBwRight, CRect(579, 109, 587, 117)));

    CFilter g;
    MakeBand(g, FILTER_PEQ, 30, 20000, 80);  // negative gain: the handles sit above the centre
    EXPECT_TRUE(SameRect(g.m_rcBwLeft, CRect(897, 173, 905, 181)));
    EXPECT_TRUE(SameRect(g.m_rcBwRight, CRect(968, 173, 976, 181)));

    const CPoint* poly = f.GetCurvePolygon();
    EXPECT_EQ(poly[0], CPoint(40, 103));
    EXPECT_EQ(poly[CURVE_POLYGON_POINTS - 1], CPoint(937, 103));
    EXPECT_EQ(poly[1].x, 39);     // 19.7 Hz lies just left of the plot
    EXPECT_EQ(poly[137].x, 547);  // 1 kHz
    EXPECT_EQ(poly[241].x, 937);
    for (int i = 1; i <= FREQ_GRID_POINTS; ++i)
        ASSERT_EQ(poly[i].y, 103) << i;  // bypassed: on the 0 dB row
}

// A graph that was never given a size, and stored values no band can have, still place
// their handles without undefined arithmetic.
TEST_F(HandleTest, NoGraphSizeAndOddValues)
{
    CFilter f;
    f.SetGainIndex(260);
    f.SetFreq(0, 0);
    f.SetBandwidthIndex(32767);
    EXPECT_EQ(f.m_rcHandle.Width(), 16);
    EXPECT_EQ(f.m_rcBwLeft.Width(), 8);
    f.SetFreq(2000000000, 0);
    f.SetBandwidthIndex(-32768);
    EXPECT_EQ(f.m_rcBwRight.Width(), 8);
    f.SetCurveRect(CRect(50, 50, 10, 10));  // inverted: no size
    EXPECT_EQ(f.GetGraphWidth(), 0);
    EXPECT_EQ(f.GetGraphHeight(), 0);
    EXPECT_EQ(f.DragHandle(CPoint(500, 500)), 1);
    EXPECT_EQ(f.GetFreq(), 20);
}

TEST_F(HandleTest, LabelTexts)
{
    CFilter band;
    MakeBand(band, FILTER_PEQ, 17, 1000, 200);
    EXPECT_EQ(band.UpdateLabelText(), "1000Hz 2.515Q 0.0dB");
    band.SetBandwidthIndex(0);
    band.SetGainIndex(235);
    EXPECT_EQ(band.UpdateLabelText(), "1000Hz 28.85Q 3.5dB");
    band.SetFreqLock(1);
    EXPECT_EQ(band.UpdateLabelText(), "3.5dB");
    EXPECT_EQ(band.GetLabelText(), "3.5dB");

    CFilter lo;
    MakeBand(lo, FILTER_LOW_SHELF, 0, 20, 260);
    EXPECT_EQ(lo.UpdateLabelText(), "Lo 20Hz 6dB/Oct 6.0dB");
    CFilter hi;
    MakeBand(hi, FILTER_HIGH_SHELF, 29, 16000, 140);
    hi.SetHighShelf(1);
    EXPECT_EQ(hi.UpdateLabelText(), "Hi 16000Hz 12dB/Oct -6.0dB");

    CFilter hp;
    MakeCrossover(hp, FILTER_HIGH_PASS, 12, 1000);
    EXPECT_EQ(hp.UpdateLabelText(), "1000Hz ");
    hp.SetSlope(FILTER_SLOPE_OFF, 0);
    EXPECT_EQ(hp.UpdateLabelText(), "OFF");
    g_bChinese = 1;
    EXPECT_EQ(hp.UpdateLabelText(), "关闭");
}

// Band drags from a band at 1 kHz, 0 dB, grabbed at its handle's centre (547, 103).
TEST_F(HandleTest, HandleDragClamps)
{
    struct Row {
        const char* what;
        CPoint to;
        int hz, gainIndex;
        BOOL changed, bypassed;
    };
    const Row kRows[] = {
        {"past the top left corner", {0, 0}, 20, 320, 1, 0},
        {"past the bottom right corner", {2000, 2000}, 20000, 80, 1, 0},
        {"middle of the plot", {488, 102}, 630, 201, 1, 0},
        {"up and right", {740, 40}, 4386, 281, 1, 0},
        {"where it was grabbed", {547, 103}, 992, 199, 1, 0},
    };
    g_bOnline = 1;
    for (const Row& r : kRows) {
        CFilter f;
        MakeBand(f, FILTER_PEQ, 17, 1000, 200);
        SliderSpy spy;
        f.SetLinkedCtrl(&spy);
        Grab(f);
        EXPECT_EQ(f.DragHandle(r.to), r.changed) << r.what;
        EXPECT_EQ(f.GetFreq(), r.hz) << r.what;
        EXPECT_EQ(f.GetGainIndex(), r.gainIndex) << r.what;
        EXPECT_NEAR(f.GetGain(), r.gainIndex * 0.1 - 20, 1e-9) << r.what;
        EXPECT_EQ(f.IsBypassed(), r.bypassed) << r.what;
        EXPECT_EQ(f.GetModified(), 1) << r.what;
        EXPECT_EQ(spy.values, std::vector<int>{r.gainIndex}) << r.what;
    }
}

TEST_F(HandleTest, HandleDragRules)
{
    g_bOnline = 1;
    // Above the plot every move counts as a change; inside it a repeated point does not.
    CFilter f;
    MakeBand(f, FILTER_PEQ, 17, 1000, 200);
    Grab(f);
    f.DragHandle(CPoint(547, -50));
    EXPECT_EQ(f.DragHandle(CPoint(547, -50)), 1);
    f.DragHandle(CPoint(740, 40));
    EXPECT_EQ(f.DragHandle(CPoint(740, 40)), 0);

    // A locked band keeps its frequency.
    CFilter locked;
    MakeBand(locked, FILTER_PEQ, 17, 1000, 200, 1);
    Grab(locked);
    EXPECT_EQ(locked.DragHandle(CPoint(740, 40)), 1);
    EXPECT_EQ(locked.GetFreq(), 1000);
    EXPECT_EQ(locked.GetGainIndex(), 281);

    // Shelves stay on their side of 2000 Hz.
    CFilter lo;
    MakeBand(lo, FILTER_LOW_SHELF, 0, 500, 260);
    lo.SetModified(0);
    Grab(lo);
    lo.DragHandle(CPoint(800, 60));
    EXPECT_EQ(lo.GetFreq(), 2000);
    EXPECT_EQ(lo.GetModified(), 1);
    CFilter hi;
    MakeBand(hi, FILTER_HIGH_SHELF, 29, 8000, 260);
    Grab(hi);
    hi.DragHandle(CPoint(100, 60));
    EXPECT_EQ(hi.GetFreq(), 2000);

    // Crossover handles are not dragged as bands.
    CFilter hp;
    MakeCrossover(hp, FILTER_HIGH_PASS, 12, 1000);
    Grab(hp);
    EXPECT_EQ(hp.DragHandle(CPoint(0, 0)), 0);
    EXPECT_EQ(hp.GetFreq(), 1000);
}

TEST_F(HandleTest, BandwidthDragClamps)
{
    struct Row {
        bool rightEdge;
        int x, bwIndex;
    };
    const Row kRows[] = {
        {true, 700, 295},  // beyond 3 octaves
        {true, 560, 21},
        {true, 950, 295},
        {true, 545, 0},    // inside the centre: 0.05 octave
        {false, 300, 295},
        {false, 520, 57},
        {false, 0, 295},
        {false, 500, 101},
    };
    g_bOnline = 1;
    for (const Row& r : kRows) {
        CFilter f;
        MakeBand(f, FILTER_PEQ, 17, 1000, 260);
        f.SetModified(0);
        f.m_bRightEdgeDrag = r.rightEdge;
        f.m_bLeftEdgeDrag = !r.rightEdge;
        EXPECT_EQ(f.DragBandwidth(CPoint(r.x, 100)), 1);
        EXPECT_EQ(f.GetBandwidthIndex(), r.bwIndex) << r.rightEdge << " " << r.x;
        EXPECT_EQ(f.GetModified(), 1);
    }
    CFilter idle;
    MakeBand(idle, FILTER_PEQ, 17, 1000, 260);
    EXPECT_EQ(idle.DragBandwidth(CPoint(700, 100)), 1);
    EXPECT_EQ(idle.GetBandwidthIndex(), 52);

    // A band at 0 Hz or below, as a device block may leave it: an infinite ratio is the
    // widest bandwidth, no ratio at all the narrowest; neither reaches an undefined index.
    CFilter zero;
    MakeBand(zero, FILTER_PEQ, 17, 0, 260);
    zero.m_bRightEdgeDrag = 1;
    zero.DragBandwidth(CPoint(700, 100));
    EXPECT_EQ(zero.GetBandwidthIndex(), 295);
    CFilter negative;
    MakeBand(negative, FILTER_PEQ, 17, -5, 260);
    negative.m_bRightEdgeDrag = 1;
    negative.DragBandwidth(CPoint(700, 100));
    EXPECT_EQ(negative.GetBandwidthIndex(), 0);

}

// Crossover drags on the same graph, grabbed at the handle's centre; the partner is the other
// crossover's frequency.
TEST_F(HandleTest, CrossoverDragClamps)
{
    struct Row {
        const char* what;
        int type, slot, startHz, partnerHz;
        int x;  // graph x of the pointer, which lies over the handle's centre
        BOOL result;
        int hz;
        bool flat;
    };
    const Row kRows[] = {
        {"high-pass stops at the low-pass", FILTER_HIGH_PASS, 12, 1000, 5000, 800, 1, 5000, false},
        {"high-pass off the left edge", FILTER_HIGH_PASS, 12, 1000, 5000, 10, 1, 20, true},
        {"high-pass to a new point", FILTER_HIGH_PASS, 12, 1000, 5000, 547, 1, 992, false},
        {"high-pass not moved", FILTER_HIGH_PASS, 12, 992, 5000, 547, 0, 992, false},
        {"slot 9 like 12", FILTER_HIGH_PASS, 9, 1000, 5000, 800, 1, 5000, false},
        {"slot 9 off the left edge", FILTER_HIGH_PASS, 9, 1000, 5000, -40, 1, 20, true},
        {"slot 10 walks to 20 Hz", FILTER_HIGH_PASS, 10, 1000, 5000, 10, 1, 20, true},
        {"slot 10 already at 20 Hz", FILTER_HIGH_PASS, 10, 20, 5000, 10, 0, 20, true},
        {"slot 11 tweeter to the right edge", FILTER_HIGH_PASS, 11, 1000, 5000, 2000, 1, 20000, false},
        {"slot 11 past the low-pass", FILTER_HIGH_PASS, 11, 1000, 5000, 800, 1, 5000, false},
        {"low-pass stops at the high-pass", FILTER_LOW_PASS, 12, 10000, 1000, 100, 1, 1000, false},
        {"low-pass to the right edge is off", FILTER_LOW_PASS, 12, 10000, 1000, 2000, 1, 20000, true},
        {"low-pass to a new point", FILTER_LOW_PASS, 12, 10000, 1000, 800, 1, 6963, false},
        {"effect low-pass", FILTER_LOW_PASS, 8, 10000, 20, 740, 1, 4386, false},
        {"low-pass off the left edge is held", FILTER_LOW_PASS, 12, 10000, 20, 0, 1, 20, false},
    };
    g_bOnline = 1;
    for (const Row& r : kRows) {
        CFilter f;
        MakeCrossover(f, r.type, r.slot, r.startHz);
        f.SetSlope(3, 0);
        f.SetFilterClass(0, 0);
        Grab(f);
        EXPECT_EQ(f.OnMouseDrag(CPoint(r.x, 0), r.partnerHz), r.result) << r.what;
        EXPECT_EQ(f.GetFreq(), r.hz) << r.what;
        bool flat = true;
        for (int i = 0; i < FREQ_GRID_POINTS; ++i)
            flat = flat && f.GetResponse()[i] == 0.0;
        EXPECT_EQ(flat, r.flat) << r.what;
        if (r.result) {
            EXPECT_EQ(f.GetModified(), 1) << r.what;
        }
    }
}

TEST_F(HandleTest, CrossoverHandleFollowsTheDrag)
{
    CFilter lp;
    MakeCrossover(lp, FILTER_LOW_PASS, 12, 10000);
    Grab(lp);
    lp.OnMouseDrag(CPoint(800, 0), 1000);
    EXPECT_TRUE(SameRect(lp.m_rcHandle, CRect(791, 156, 807, 172)));
    EXPECT_TRUE(SameRect(lp.m_rcLabel, CRect(791, 141, 857, 192)));
}
