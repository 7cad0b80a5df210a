// Conversions between device codes, user units and screen positions.
#include "Convert.h"
#include "FilterResponse.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

// The documented examples, and worked values for the graph of the output page (plot 897 x 185,
// 299 pixels per decade).
TEST(Convert, ExampleTable)
{
    struct Row {
        const char* what;
        int got, expected;
    };
    const Row kRows[] = {
        {"DbToY(0, 240)", DbToY(0, 240), 120},
        {"DbToY(12, 240)", DbToY(12, 240), 0},
        {"DbToY(-12, 240)", DbToY(-12, 240), 240},
        {"DbToY(0, 185)", DbToY(0, 185), 93},
        {"DbToY(-7, 185)", DbToY(-7, 185), 146},
        {"FreqToX(20, 600)", FreqToX(20, 600), 0},
        {"FreqToX(20000, 600)", FreqToX(20000, 600), 600},
        {"FreqToX(2000, 600)", FreqToX(2000, 600), 400},
        {"FreqToX(1000, 897)", FreqToX(1000, 897), 507},
        {"FreqToX(19.7, 897)", FreqToX(19.7, 897), -1},
        {"XToFreq(0, 600)", XToFreq(0, 600), 20},
        {"XToFreq(700, 600)", XToFreq(700, 600), 20000},
        {"XToFreq(-50, 600)", XToFreq(-50, 600), 20},
        {"XToFreq(448, 897)", XToFreq(448, 897), 630},
        {"XToFreq(598, 897)", XToFreq(598, 897), 2000},
        {"FreqToBandIndex(10)", FreqToBandIndex(10), 0},
        {"FreqToBandIndex(25000)", FreqToBandIndex(25000), 240},
        {"FreqToBandIndex(1000)", FreqToBandIndex(1000), 136},
        {"FreqToBandIndex(1010)", FreqToBandIndex(1010), 136},
        {"FreqToBandIndex(1021)", FreqToBandIndex(1021), 137},
        // Exactly between 972 (index 135) and 1000 (index 136): the upper point.
        {"FreqToBandIndex(986)", FreqToBandIndex(986), 136},
        {"FreqToBandIndex(985.9)", FreqToBandIndex(985.9), 135},
        {"QToBandwidthIndex(2.515)", QToBandwidthIndex(2.515), 52},
        {"QToBandwidthIndex(2.52)", QToBandwidthIndex(2.52), 52},
        {"QToBandwidthIndex(1.3)", QToBandwidthIndex(1.3), 104},
        {"QToBandwidthIndex(100)", QToBandwidthIndex(100), 0},
        {"QToBandwidthIndex(0.1)", QToBandwidthIndex(0.1), 295},
        {"StepDelayByCm(0, -1)", StepDelayByCm(0, -1), 0},
        {"StepDelayByCm(960, 1)", StepDelayByCm(960, 1), 960},
        {"StepDelayByCm(100, 1)", StepDelayByCm(100, 1), 101},
        {"StepDelayByCm(500, -1)", StepDelayByCm(500, -1), 498},
        {"StepDelayByCm(1, 1)", StepDelayByCm(1, 1), 3},
        {"StepDelayByCm(958, 1)", StepDelayByCm(958, 1), 960},
        {"StepDelayByCm(960, -1)", StepDelayByCm(960, -1), 959},
        {"StepDelayByCm(700, 5)", StepDelayByCm(700, 5), 705},
        {"StepDelayByCm(3, -10)", StepDelayByCm(3, -10), 0},
        {"StepDelayByInch(0, 1)", StepDelayByInch(0, 1), 4},
        {"StepDelayByInch(0, -1)", StepDelayByInch(0, -1), 0},
        {"StepDelayByInch(960, 1)", StepDelayByInch(960, 1), 960},
        {"StepDelayByInch(960, -1)", StepDelayByInch(960, -1), 957},
        {"StepDelayByInch(100, 1)", StepDelayByInch(100, 1), 102},
        {"StepDelayByInch(102, 1)", StepDelayByInch(102, 1), 106},
        {"StepDelayByInch(100, -1)", StepDelayByInch(100, -1), 95},
        {"StepDelayByInch(500, 1)", StepDelayByInch(500, 1), 503},
        {"StepDelayByInch(500, -1)", StepDelayByInch(500, -1), 496},
        {"StepDelayByInch(950, 1)", StepDelayByInch(950, 1), 954},
        {"StepDelayByInch(959, 1)", StepDelayByInch(959, 1), 960},
        {"StepDelayByInch(3, -1)", StepDelayByInch(3, -1), 0},
        {"QuantizeLimiterStep(11)", QuantizeLimiterStep(11), 11},
        {"QuantizeLimiterStep(12)", QuantizeLimiterStep(12), 16},
        {"QuantizeLimiterStep(16)", QuantizeLimiterStep(16), 16},
        {"QuantizeLimiterStep(19)", QuantizeLimiterStep(19), 16},
        {"QuantizeLimiterStep(20)", QuantizeLimiterStep(20), 26},
        {"QuantizeLimiterStep(21)", QuantizeLimiterStep(21), 21},
        {"QuantizeLimiterStep(23)", QuantizeLimiterStep(23), 26},
        {"QuantizeLimiterStep(30)", QuantizeLimiterStep(30), 36},
        {"QuantizeLimiterStep(191)", QuantizeLimiterStep(191), 191},
        {"QuantizeLimiterStep(192)", QuantizeLimiterStep(192), 191},
        {"QuantizeLimiterStep(250)", QuantizeLimiterStep(250), 191},
        {"QuantizeLimiterStep(0)", QuantizeLimiterStep(0), 0},
        {"QuantizeLimiterStep(-3)", QuantizeLimiterStep(-3), 0},
    };
    for (const Row& r : kRows)
        EXPECT_EQ(r.got, r.expected) << r.what;

    const struct {
        const char* what;
        double got, expected;
    } kDoubles[] = {
        {"YToDb(0, 185)", YToDb(0, 185), 12.0},
        {"YToDb(185, 185)", YToDb(185, 185), -12.0},
        {"YToDb(92, 185)", YToDb(92, 185), 0.1},
        {"YToDb(93, 185)", YToDb(93, 185), -0.1},
        {"YToDb(120, 240)", YToDb(120, 240), 0.0},
        {"DbToYExact(3, 240)", DbToYExact(3, 240), 90.0},
        {"FreqToXExact(200, 600)", FreqToXExact(200, 600), 200.0},
        {"BandwidthIndexToQ(100)", BandwidthIndexToQ(100), 1.344},
        {"BandwidthIndexToQ(-1)", BandwidthIndexToQ(-1), 28.852},
        {"BandwidthIndexToQ(296)", BandwidthIndexToQ(296), 0.404},
    };
    for (const auto& r : kDoubles)
        EXPECT_NEAR(r.got, r.expected, 1e-9) << r.what;
}

// A graph starts with no size; a frequency may be 0 or not a number. Nothing divides by zero
// or converts an undefined double to int.
TEST(Convert, TotalForEmptyGraphsAndOddValues)
{
    for (int width : {0, 1, 2, -5}) {  // less than a pixel per decade
        EXPECT_EQ(XToFreq(0, width), 20) << width;
        EXPECT_EQ(XToFreq(500, width), 20) << width;
    }
    for (int height : {0, -5}) {
        EXPECT_EQ(YToDb(7, height), 0.0) << height;
        EXPECT_EQ(YToDb(0, height), 0.0) << height;
    }
    EXPECT_EQ(FreqToX(1000, 0), 0);
    EXPECT_EQ(FreqToX(0, 0), 0);
    EXPECT_EQ(DbToY(-12, 0), 0);

    // Drawn at the plot's ends.
    EXPECT_EQ(FreqToX(0, 600), 0);
    EXPECT_EQ(FreqToX(-440, 600), 0);
    EXPECT_EQ(FreqToX(kNaN, 600), 0);
    EXPECT_EQ(FreqToX(kInf, 600), 600);
    EXPECT_EQ(FreqToX(-kInf, 600), 0);
    EXPECT_DOUBLE_EQ(FreqToXExact(0, 600), 0.0);

    // A level off the plot stays off it, on a defined row.
    EXPECT_EQ(DbToY(kNaN, 240), 120);
    EXPECT_EQ(DbToY(-kInf, 240), 10120);
    EXPECT_EQ(DbToY(kInf, 240), -9879);
    EXPECT_EQ(DbToY(-kInf, INT_MAX), INT_MAX);
    EXPECT_EQ(DbToY(-48, 240), 600);  // ordinary values are not clamped
    EXPECT_TRUE(std::isfinite(DbToYExact(kNaN, 240)));

    EXPECT_EQ(FreqToBandIndex(kNaN), 240);
    EXPECT_EQ(FreqToBandIndex(-kInf), 0);
    EXPECT_EQ(QToBandwidthIndex(kNaN), 295);
}

TEST(Convert, TruncToInt)
{
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(kNaN), 0);
    EXPECT_EQ(TruncToInt(kInf), INT_MAX);
    EXPECT_EQ(TruncToInt(-kInf), INT_MIN);
    EXPECT_EQ(TruncToInt(1e300), INT_MAX);
    EXPECT_EQ(TruncToInt(-1e300), INT_MIN);
}

TEST(Convert, DelayStepsStayInRangeAndEnd)
{
    // Every start and click ends, within 0..960, on the far side of a whole shown unit.
    for (int n = -2; n <= 962; ++n) {
        for (int step : {-1, 1}) {
            const int cm = StepDelayByCm(n, step);
            const int inch = StepDelayByInch(n, step);
            ASSERT_GE(cm, 0) << n;
            ASSERT_LE(cm, DELAY_MAX_STEPS) << n;
            ASSERT_GE(inch, 0) << n;
            ASSERT_LE(inch, DELAY_MAX_STEPS) << n;
            const int start = n < 0 ? 0 : (n > DELAY_MAX_STEPS ? DELAY_MAX_STEPS : n);
            if (step > 0)
                ASSERT_GE(cm, start) << n;
            else
                ASSERT_LE(cm, start) << n;
        }
    }
    // A click of 0 and huge clicks.
    EXPECT_EQ(StepDelayByCm(480, 0), 480);
    EXPECT_EQ(StepDelayByInch(480, 0), 480);
    EXPECT_EQ(StepDelayByCm(480, INT_MAX), 960);
    EXPECT_EQ(StepDelayByCm(480, INT_MIN), 0);
    EXPECT_EQ(StepDelayByInch(480, INT_MAX), 960);
    EXPECT_EQ(StepDelayByInch(480, INT_MIN), 0);
    EXPECT_NEAR(g_dDelayStep * 48, 1.0, 1e-15);
}
