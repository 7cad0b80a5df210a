#include "Convert.h"

#include "FilterResponse.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

const double g_dDelayStep = 0.020833333333333332;

namespace {

constexpr double kDbDrawLimit = 1000.0;
constexpr double kSpeedOfSound = 346.0;      // m/s at 25 degrees: 331 + 0.6 * 25
constexpr double kSpeedOfSoundInch = 346.4;  // m/s, the inch display's 331.4 + 0.6 * 25
constexpr double kInchPerMetre = 3.2808 * 12;  // 39.3696

double SafeDb(double dDb)
{
    if (std::isnan(dDb))
        return 0.0;
    if (dDb > kDbDrawLimit)
        return kDbDrawLimit;
    if (dDb < -kDbDrawLimit)
        return -kDbDrawLimit;
    return dDb;
}

// Whole units as the user sees them: the value printed with "%0.0f" and read back.
double ShownWhole(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%0.0f", v);
    return std::strtod(buf, nullptr);
}

double DelayMs(int m)
{
    return m == DELAY_MAX_STEPS ? 20.0 : m / 48.0;
}

double DistanceCm(int m)
{
    return ShownWhole(kSpeedOfSound / 1000.0 * DelayMs(m) * 100.0);
}

double DistanceInch(int m)
{
    const double c = m == DELAY_MAX_STEPS ? kSpeedOfSoundInch : kSpeedOfSound;
    return ShownWhole(c / 1000.0 * DelayMs(m) * kInchPerMetre);
}

int ClampSteps(int n)
{
    return n < 0 ? 0 : (n > DELAY_MAX_STEPS ? DELAY_MAX_STEPS : n);
}

// Walks m from nSteps by nStep until the shown distance changes by a whole unit, or an end of
// the range is reached. Returns the last m (possibly just outside 0..960 when the walk
// stopped by distance there).
int WalkToNextUnit(int nSteps, int nStep, double (*distance)(int), bool& bHitEnd)
{
    bHitEnd = false;
    const double d0 = distance(nSteps);
    int m = nSteps + nStep;
    for (;;) {
        const double d = distance(m);
        if (nStep > 0 ? d - d0 >= 1 : d - d0 <= -1)
            return m;
        m += nStep;
        if (m >= DELAY_MAX_STEPS) {
            bHitEnd = true;
            return DELAY_MAX_STEPS;
        }
        if (m < 0) {
            bHitEnd = true;
            return 0;
        }
    }
}

// Limits a click so that n + step cannot overflow; any click beyond the range ends there.
int ClampClick(int nStep)
{
    return nStep > DELAY_MAX_STEPS + 1 ? DELAY_MAX_STEPS + 1
                                       : (nStep < -DELAY_MAX_STEPS - 1 ? -DELAY_MAX_STEPS - 1 : nStep);
}

}  // namespace

int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return int(v);
}

double DbToYExact(double dDb, int nHeight)
{
    return nHeight / 24.0 * (12.0 - SafeDb(dDb));
}

int DbToY(double dDb, int nHeight)
{
    return TruncToInt(DbToYExact(dDb, nHeight) + 0.5);
}

double FreqToXExact(double dHz, int nWidth)
{
    if (std::isnan(dHz) || dHz <= 0.0)
        dHz = 20.0;
    else if (std::isinf(dHz))
        dHz = 20000.0;
    return std::log10(dHz / 20.0) * (nWidth / 3);
}

int FreqToX(double dHz, int nWidth)
{
    return TruncToInt(FreqToXExact(dHz, nWidth));
}

double YToDb(int y, int nHeight)
{
    if (nHeight <= 0)
        return 0.0;
    const double dDb = 12.0 - 24.0 * y / nHeight;
    return std::floor(dDb * 10.0 + 0.5) / 10.0;
}

int XToFreq(int x, int nWidth)
{
    const int nDecade = nWidth / 3;
    if (nDecade <= 0)
        return 20;
    double f = 20.0 * std::pow(10.0, double(x) / nDecade);
    if (f > 20000.0)
        f = 20000.0;
    if (f < 20.0)
        f = 20.0;
    return int(f);
}

int FreqToBandIndex(double dHz)
{
    for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
        if (g_dFreqGrid[i] >= dHz) {
            if (i == 0)
                return 0;
            return dHz - g_dFreqGrid[i - 1] < g_dFreqGrid[i] - dHz ? i - 1 : i;
        }
    }
    return FREQ_GRID_POINTS - 1;
}

int QToBandwidthIndex(double dQ)
{
    for (int i = 0; i < BANDWIDTH_Q_ENTRIES; ++i) {
        if (dQ >= g_dBandwidthQ[i])
            return i;
    }
    return BANDWIDTH_Q_ENTRIES - 1;
}

double BandwidthIndexToQ(int nIndex)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex >= BANDWIDTH_Q_ENTRIES)
        nIndex = BANDWIDTH_Q_ENTRIES - 1;
    return g_dBandwidthQ[nIndex];
}

int StepDelayByCm(int nSteps, int nStep)
{
    nSteps = ClampSteps(nSteps);
    nStep = ClampClick(nStep);
    if (nStep == 0 || (nStep > 0 && nSteps == DELAY_MAX_STEPS) || (nStep < 0 && nSteps == 0))
        return nSteps;
    bool bHitEnd = false;
    const int m = WalkToNextUnit(nSteps, nStep, DistanceCm, bHitEnd);
    if (bHitEnd)
        return m;
    const double ms = DelayMs(m);
    return ClampSteps(ms < 20.0 ? int(ms * 48 + 0.5) : DELAY_MAX_STEPS);
}

int StepDelayByInch(int nSteps, int nStep)
{
    nSteps = ClampSteps(nSteps);
    nStep = ClampClick(nStep);
    if (nStep == 0 || (nStep > 0 && nSteps == DELAY_MAX_STEPS) || (nStep < 0 && nSteps == 0))
        return nSteps;
    bool bHitEnd = false;
    const int m = WalkToNextUnit(nSteps, nStep, DistanceInch, bHitEnd);
    if (bHitEnd || m <= 0 || m >= DELAY_MAX_STEPS)
        return ClampSteps(m);
    // The step count of the whole-inch distance shown, not of m itself.
    const double ms = DistanceInch(m) / kInchPerMetre * 1000.0 / kSpeedOfSoundInch;
    return ClampSteps(ms >= 20.0 ? DELAY_MAX_STEPS : TruncToInt(ms * 48 + 0.5));
}

int QuantizeLimiterStep(int v)
{
    if (v > 11 && (v - 1) % 10 != 0 && (v - 1) % 10 != 5)
        v = (v / 10) * 10 + 6;
    if (v > 191)
        v = 191;
    if (v < 0)
        v = 0;
    return v;
}
