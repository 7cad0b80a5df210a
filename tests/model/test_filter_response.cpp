// Filter responses on the frequency grid: the grid itself, the Q table, and the response of
// every filter kind, class and slope at 96 kHz.
//
// Expected values were worked out separately from the section formulas (a short script
// outside the program), or are the device's reference values for the filter kinds.
#include "CFilter.h"
#include "Convert.h"
#include "FilterResponse.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kTol = 0.005;  // dB

class FilterResponseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nSavedOnline = g_bOnline;
        g_bOnline = 0;
        m_filter.SetCurveRect(CRect(40, 10, 937, 195));
    }
    void TearDown() override { g_bOnline = m_nSavedOnline; }

    // A crossover as the builders make one, then set to the given values.
    void MakeCrossover(int type, int cls, int slope, int mode, int hz)
    {
        m_filter.SetType(type);
        m_filter.SetCurveMode(0);
        m_filter.SetInputCrossoverMode(mode);
        m_filter.SetFilterClass(cls, 0);
        m_filter.SetSlope(slope, 0);
        m_filter.SetFreq(hz, 0);
    }
    void MakeBand(int type, int slope, double gainDb, double bwOct, int hz)
    {
        m_filter.SetFreq(hz, 0);
        m_filter.SetSlope(slope, 0);
        m_filter.SetType(type);
        m_filter.SetBandwidthIndex(int(std::lround((bwOct - 0.05) / 0.01)));
        m_filter.SetGainIndex(int(std::lround((gainDb + 20) * 10)));
    }
    void ExpectFlat()
    {
        for (int i = 0; i < FREQ_GRID_POINTS; ++i)
            ASSERT_EQ(m_filter.GetResponse()[i], 0.0) << i;
    }

    CFilter m_filter;
    int m_nSavedOnline = 0;
};

}  // namespace

TEST(FilterGrid, EveryPointFollowsTheRuleOrTheDevicesOwnValue)
{
    struct Fixed {
        int index;
        double hz;
    };
    const Fixed kFixed[] = {{72, 158},   {76, 179},   {99, 344},    {105, 409},  {137, 1030},
                            {138, 1060}, {139, 1090}, {140, 1123},  {142, 1190}, {182, 3776},
                            {192, 5000}, {217, 10374}, {222, 11987}, {240, 20000}};
    for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
        const double exact = 2000.0 * std::pow(2.0, (i - 160) / 24.0);
        double expected = exact < 100 ? std::floor(exact * 10 + 0.5) / 10 : std::floor(exact + 0.5);
        for (const Fixed& f : kFixed) {
            if (f.index == i)
                expected = f.hz;
        }
        EXPECT_DOUBLE_EQ(g_dFreqGrid[i], expected) << "grid point " << i;
    }
    // Reference rows.
    EXPECT_EQ(g_dFreqGrid[0], 19.7);
    EXPECT_EQ(g_dFreqGrid[16], 31.3);
    EXPECT_EQ(g_dFreqGrid[100], 354);
    EXPECT_EQ(g_dFreqGrid[120], 630);
    EXPECT_EQ(g_dFreqGrid[136], 1000);
    EXPECT_EQ(g_dFreqGrid[160], 2000);
    EXPECT_EQ(g_dFreqGrid[200], 6350);
    for (int i = 1; i < FREQ_GRID_POINTS; ++i)
        EXPECT_LT(g_dFreqGrid[i - 1], g_dFreqGrid[i]) << i;
}

TEST(FilterGrid, QTableSamples)
{
    const struct {
        int index;
        double q;
    } kSamples[] = {{0, 28.852}, {5, 14.424}, {52, 2.515}, {100, 1.344}, {295, 0.404}};
    for (const auto& s : kSamples)
        EXPECT_DOUBLE_EQ(g_dBandwidthQ[s.index], s.q) << s.index;
    for (int i = 0; i < BANDWIDTH_Q_ENTRIES; ++i) {
        const double n = std::pow(2.0, 0.05 + 0.01 * i);
        EXPECT_NEAR(g_dBandwidthQ[i], std::sqrt(n) / (n - 1), 0.0005 + 1e-12) << i;
        if (i > 0) {
            EXPECT_LE(g_dBandwidthQ[i], g_dBandwidthQ[i - 1]) << i;
        }
    }
}

// The device's reference values, one row each.
TEST_F(FilterResponseTest, DocumentedValues)
{
    struct Row {
        const char* what;
        int type, cls, slope;  // crossovers
        double gain, bw;       // bands and shelves
        int hz, index;
        double db;
    };
    const Row kRows[] = {
        {"PEQ +6 dB 1 oct at its centre", FILTER_PEQ, 0, 0, 6.0, 1.0, 1000, 136, 6.00},
        // Known as "about 1.14": the formulas give 1.136 below and 1.133 above.
        {"PEQ one octave below", FILTER_PEQ, 0, 0, 6.0, 1.0, 1000, 112, 1.136},
        {"PEQ one octave above", FILTER_PEQ, 0, 0, 6.0, 1.0, 1000, 160, 1.133},
        {"LR high-pass slope 1", FILTER_HIGH_PASS, 0, 1, 0, 0, 1000, 136, -6.02},
        {"Butterworth high-pass slope 1", FILTER_HIGH_PASS, 1, 1, 0, 0, 1000, 136, -2.97},
        {"LR high-pass slope 0", FILTER_HIGH_PASS, 0, 0, 0, 0, 1000, 136, -3.01},
        {"LR high-pass slope 3", FILTER_HIGH_PASS, 0, 3, 0, 0, 1000, 136, -5.95},
        {"Butterworth low-pass slope 3", FILTER_LOW_PASS, 1, 3, 0, 0, 1000, 136, -3.01},
        {"Bessel low-pass slope 1", FILTER_LOW_PASS, 2, 1, 0, 0, 1000, 136, -3.01},
        {"Bessel high-pass slope 1", FILTER_HIGH_PASS, 2, 1, 0, 0, 1000, 136, -1.39},
        {"LR low-pass slope 3 an octave up", FILTER_LOW_PASS, 0, 3, 0, 0, 1000, 160, -24.61},
        {"low shelf 12 dB/oct +6 at 19.7 Hz", FILTER_LOW_SHELF, 0, 1, 6.0, 0.57, 1000, 0, 6.00},
        {"low shelf 12 dB/oct +6 at 1 kHz", FILTER_LOW_SHELF, 0, 1, 6.0, 0.57, 1000, 136, 4.65},
        {"low shelf 12 dB/oct +6 at 20 kHz", FILTER_LOW_SHELF, 0, 1, 6.0, 0.57, 1000, 240, -0.004},
        {"high shelf 6 dB/oct -6 at 19.7 Hz", FILTER_HIGH_SHELF, 0, 0, -6.0, 0.57, 1000, 0, -0.01},
        {"high shelf 6 dB/oct -6 at 1 kHz", FILTER_HIGH_SHELF, 0, 0, -6.0, 0.57, 1000, 136, -4.93},
        {"high shelf 6 dB/oct -6 at 20 kHz", FILTER_HIGH_SHELF, 0, 0, -6.0, 0.57, 1000, 240, -6.00},
    };
    for (const Row& r : kRows) {
        if (r.type == FILTER_HIGH_PASS || r.type == FILTER_LOW_PASS)
            MakeCrossover(r.type, r.cls, r.slope, 0, r.hz);
        else
            MakeBand(r.type, r.slope, r.gain, r.bw, r.hz);
        EXPECT_NEAR(m_filter.GetResponse()[r.index], r.db, kTol) << r.what;
    }
}

// Every crossover class and slope, both directions, at 1 kHz; values at grid points 100
// (354 Hz), 136 (1 kHz), 160 (2 kHz) and 200 (6350 Hz).
TEST_F(FilterResponseTest, EveryCrossoverClassAndSlope)
{
    struct Row {
        int type, cls, slope, mode;
        double db[4];
    };
    const Row kRows[] = {
    {3, 0, 0, 0, {-9.5351, -3.0103, -0.9672, -0.1035}},
    {3, 0, 1, 0, {-19.0702, -6.0206, -1.9345, -0.2069}},
    {3, 0, 2, 0, {-27.6393, -5.9851, -1.2128, -0.1043}},
    {3, 0, 3, 0, {-36.2083, -5.9497, -0.4911, -0.0016}},
    {3, 0, 4, 0, {-45.2509, -6.7472, -0.4931, -0.0112}},
    {3, 0, 5, 0, {-54.1529, -6.0206, -0.1338, -0.0001}},
    {3, 0, 6, 0, {-63.2146, -6.6527, -0.1959, -0.0078}},
    {3, 0, 7, 0, {-72.1596, -5.6201, 0.0319, 0.0032}},
    {3, 1, 0, 0, {-6.9548, -1.7491, -0.5066, -0.0516}},
    {3, 1, 1, 0, {-18.1042, -2.9748, -0.2456, -0.0008}},
    {3, 1, 2, 0, {-27.0765, -3.0103, -0.0669, -0.0001}},
    {3, 1, 3, 0, {-36.0966, -3.0067, -0.0237, -0.0012}},
    {3, 1, 4, 0, {-45.1045, -2.9723, 0.0121, 0.0018}},
    {3, 1, 5, 0, {-54.1126, -2.9436, 0.0393, 0.0050}},
    {3, 1, 6, 0, {-63.1897, -3.0976, -0.0540, -0.0067}},
    {3, 1, 7, 0, {-72.1861, -3.0359, -0.0091, -0.0010}},
    {3, 2, 0, 0, {-5.3921, -1.1668, -0.3217, -0.0321}},
    {3, 2, 1, 0, {-14.0731, -1.3866, -0.0924, 0.0001}},
    {3, 2, 2, 0, {-19.7008, -2.8331, -0.5210, -0.0433}},
    {3, 2, 3, 0, {-23.6652, -2.8402, -0.6137, -0.0570}},
    {3, 2, 4, 0, {-35.7112, -2.5424, -0.4874, -0.0433}},
    {3, 2, 5, 0, {-39.1656, -3.0261, -0.6688, -0.0625}},
    {3, 2, 6, 0, {-29.9258, -2.9350, -0.5227, -0.0449}},
    {3, 2, 7, 0, {-33.3229, -3.1905, -0.6942, -0.0648}},
    {4, 0, 0, 0, {-0.5124, -3.0103, -6.9972, -16.2821}},
    {4, 0, 1, 0, {-1.0249, -6.0206, -13.9943, -32.5642}},
    {4, 0, 2, 0, {-0.5713, -5.9851, -19.3026, -48.6403}},
    {4, 0, 3, 0, {-0.1177, -5.9497, -24.6108, -64.7163}},
    {4, 0, 4, 0, {-0.1377, -6.7472, -30.6427, -80.9046}},
    {4, 0, 5, 0, {-0.0170, -6.0206, -36.3133, -97.0722}},
    {4, 0, 6, 0, {-0.0561, -6.6527, -42.4053, -113.2585}},
    {4, 0, 7, 0, {0.0216, -5.6201, -48.2074, -129.4262}},
    {4, 1, 0, 0, {-0.5124, -3.0103, -6.9972, -16.2821}},
    {4, 1, 1, 0, {-0.0589, -2.9748, -12.3054, -32.3582}},
    {4, 1, 2, 0, {-0.0085, -3.0103, -18.1566, -48.5361}},
    {4, 1, 3, 0, {-0.0060, -3.0067, -24.1433, -64.7159}},
    {4, 1, 4, 0, {0.0087, -2.9723, -30.1375, -80.8916}},
    {4, 1, 5, 0, {0.0233, -2.9436, -36.1402, -97.0670}},
    {4, 1, 6, 0, {-0.0311, -3.0976, -42.2634, -113.2574}},
    {4, 1, 7, 0, {-0.0049, -3.0359, -48.2484, -129.4304}},
    {4, 2, 0, 0, {-0.5124, -3.0103, -6.9972, -16.2821}},
    {4, 2, 1, 0, {-0.3480, -3.0113, -9.8318, -28.3529}},
    {4, 2, 2, 0, {-0.3402, -3.0119, -12.0259, -39.8980}},
    {4, 2, 3, 0, {-0.3351, -2.9616, -13.4502, -50.6231}},
    {4, 2, 4, 0, {-0.3680, -3.0123, -13.7213, -84.1010}},
    {4, 2, 5, 0, {-0.3658, -3.0098, -14.0133, -76.8114}},
    {4, 2, 6, 0, {-0.3583, -3.0107, -14.0936, -60.1790}},
    {4, 2, 7, 0, {-0.3631, -3.0106, -14.2067, -68.8853}},
    {3, 2, 0, 1, {-5.3921, -1.1668, -0.3217, -0.0321}},
    {3, 2, 1, 1, {-19.7008, -2.8331, -0.5210, -0.0433}},
    {3, 2, 2, 1, {-19.7008, -2.8331, -0.5210, -0.0433}},
    {4, 2, 0, 1, {-0.5124, -3.0103, -6.9972, -16.2821}},
    {4, 2, 1, 1, {-0.3402, -3.0119, -12.0259, -39.8980}},
    {4, 2, 2, 1, {-0.3402, -3.0119, -12.0259, -39.8980}},
    };
    const int kIndex[4] = {100, 136, 160, 200};
    for (const Row& r : kRows) {
        MakeCrossover(r.type, r.cls, r.slope, r.mode, 1000);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(m_filter.GetResponse()[kIndex[k]], r.db[k], kTol)
                << "type " << r.type << " class " << r.cls << " slope " << r.slope << " mode "
                << r.mode << " point " << kIndex[k];
    }
}

TEST_F(FilterResponseTest, EveryShelfAndSomeBands)
{
    struct ShelfRow {
        int type, slope;
        double gain;
        double db[4];
    };
    const ShelfRow kShelves[] = {
    {1, 0, 6.0, {5.8049, 4.7573, 3.0000, 0.5603}},
    {1, 0, -6.0, {-5.8049, -4.7573, -3.0000, -0.5603}},
    {1, 1, 6.0, {6.0796, 4.6502, 0.4582, -0.0495}},
    {1, 1, -6.0, {-6.0796, -4.6502, -0.4582, 0.0495}},
    {2, 0, 6.0, {2.2915, 4.9293, 5.6858, 5.9679}},
    {2, 0, -6.0, {-2.2915, -4.9293, -5.6858, -5.9679}},
    {2, 1, 6.0, {-0.0277, 4.7662, 6.0838, 6.0202}},
    {2, 1, -6.0, {0.0277, -4.7662, -6.0838, -6.0202}},
    };
    struct PeakRow {
        int hz;
        double gain, bw;
        double db[4];
    };
    // A band at 1010 Hz is drawn at the grid point nearest it (1000 Hz).
    const PeakRow kPeaks[] = {
    {1000, 6.0, 1.00, {0.4829, 6.0000, 1.1334, 0.0810}},
    {100, -12.0, 0.30, {-0.0645, -0.0070, -0.0017, -0.0002}},
    {10000, 12.0, 3.00, {0.1367, 0.9882, 3.0671, 10.2697}},
    {1010, 6.0, 1.00, {0.4829, 6.0000, 1.1334, 0.0810}},
    };
    const int kIndex[4] = {100, 136, 160, 200};
    for (const ShelfRow& r : kShelves) {
        MakeBand(r.type, r.slope, r.gain, 0.57, 1000);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(m_filter.GetResponse()[kIndex[k]], r.db[k], kTol)
                << "shelf " << r.type << "/" << r.slope << " " << r.gain << " point " << kIndex[k];
    }
    for (const PeakRow& r : kPeaks) {
        MakeBand(FILTER_PEQ, 0, r.gain, r.bw, r.hz);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(m_filter.GetResponse()[kIndex[k]], r.db[k], kTol)
                << "band " << r.hz << " " << r.gain << " " << r.bw << " point " << kIndex[k];
    }
}

TEST_F(FilterResponseTest, FlatCases)
{
    MakeBand(FILTER_PEQ, 0, 6.0, 1.0, 1000);
    m_filter.SetBypass(1);
    ExpectFlat();
    MakeBand(FILTER_LOW_SHELF, 0, 0.0, 0.57, 500);  // 0 dB bypasses a shelf
    ExpectFlat();
    MakeCrossover(FILTER_HIGH_PASS, 0, 3, 0, 20);
    ExpectFlat();
    MakeCrossover(FILTER_LOW_PASS, 1, 3, 0, 20000);
    ExpectFlat();
    for (int type : {FILTER_HIGH_PASS, FILTER_LOW_PASS}) {
        MakeCrossover(type, 0, FILTER_SLOPE_OFF, 0, 1000);
        ExpectFlat();
    }
    // Bypass and mute do not flatten a crossover.
    MakeCrossover(FILTER_HIGH_PASS, 0, 3, 0, 1000);
    m_filter.SetMute(1);
    EXPECT_NEAR(m_filter.GetResponse()[136], -5.95, kTol);
}

TEST(FilterDrawState, SlopeToDrawnOrder)
{
    // Bessel high-pass slope 4 draws the seventh order, Bessel low-pass slope 4 the eighth;
    // input crossovers draw slope 1 and 2 as the third order.
    EXPECT_EQ(CrossoverDrawState(FILTER_HIGH_PASS, 2, 4, 0), 6);
    EXPECT_EQ(CrossoverDrawState(FILTER_HIGH_PASS, 2, 6, 0), 4);
    EXPECT_EQ(CrossoverDrawState(FILTER_LOW_PASS, 2, 4, 0), 7);
    EXPECT_EQ(CrossoverDrawState(FILTER_LOW_PASS, 2, 5, 1), 6);
    EXPECT_EQ(CrossoverDrawState(FILTER_HIGH_PASS, 2, 4, 1), 4);
    EXPECT_EQ(CrossoverDrawState(FILTER_HIGH_PASS, 0, 1, 1), 2);
    EXPECT_EQ(CrossoverDrawState(FILTER_LOW_PASS, 1, 2, 1), 2);
    EXPECT_EQ(CrossoverDrawState(FILTER_LOW_PASS, 0, 9, 0), -1);
    EXPECT_EQ(CrossoverDrawState(FILTER_LOW_PASS, 0, -1, 0), -1);
}

// Codes read from the device that have no drawing are drawn flat, never looked up out of
// range; the filter keeps them as they came.
TEST_F(FilterResponseTest, CodesWithoutDrawingAreFlat)
{
    MakeCrossover(FILTER_HIGH_PASS, 3, 3, 0, 1000);  // class beyond Bessel
    ExpectFlat();
    EXPECT_EQ(m_filter.GetFilterClass(), 3);
    MakeCrossover(FILTER_LOW_PASS, 255, 3, 0, 1000);
    ExpectFlat();
    MakeCrossover(FILTER_LOW_PASS, 0, 200, 0, 1000);  // slope beyond the table
    ExpectFlat();
    EXPECT_EQ(m_filter.GetSlope(), 200);
    MakeBand(FILTER_LOW_SHELF, 7, 6.0, 0.57, 1000);  // shelf slope neither 0 nor 1
    ExpectFlat();
    MakeBand(FILTER_PEQ, 0, 6.0, 1.0, 1000);
    m_filter.SetType(9);  // no such kind: flat, not the old band's curve
    ExpectFlat();
    EXPECT_EQ(m_filter.GetType(), 9);
}

// A frequency of 0 or below, a bandwidth or gain far outside the encodings: the response and
// the curve polygon stay finite and on drawable rows.
TEST_F(FilterResponseTest, DeviceGarbageDrawsFinite)
{
    struct Case {
        int type, cls, slope, hz, gainIndex, bwIndex;
    };
    const Case kCases[] = {
        {FILTER_HIGH_PASS, 0, 3, 0, 200, 52},     {FILTER_LOW_PASS, 2, 7, 0, 200, 52},
        {FILTER_LOW_PASS, 2, 1, -5, 200, 52},     {FILTER_HIGH_PASS, 2, 7, 32767, 200, 52},
        {FILTER_LOW_SHELF, 0, 1, 0, 32000, 52},   {FILTER_HIGH_SHELF, 0, 1, -32768, -30000, 52},
        {FILTER_PEQ, 0, 0, 0, 32367, -32768},     {FILTER_PEQ, 0, 0, -1, -33168, 32767},
        {FILTER_PEQ, 0, 0, 1000, 600, -5},
    };
    for (const Case& c : kCases) {
        CFilter f;
        f.SetCurveRect(CRect(40, 10, 937, 195));
        f.SetFilterClass(c.cls, 0);
        f.SetSlope(c.slope, 0);
        f.SetType(c.type);
        f.SetCurveMode(c.type >= FILTER_HIGH_PASS ? 0 : 1);
        f.SetBandwidthIndex(c.bwIndex);
        f.SetGainIndex(c.gainIndex);
        f.SetFreq(c.hz, 0);
        for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
            ASSERT_FALSE(std::isnan(f.GetResponse()[i])) << c.type << " " << c.hz << " at " << i;
            const int y = f.GetCurvePolygon()[i + 1].y;
            ASSERT_GT(y, -100000) << i;
            ASSERT_LT(y, 100000) << i;
        }
        EXPECT_EQ(f.GetFreq(), c.hz);
    }
}
