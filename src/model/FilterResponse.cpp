// Section designs, their evaluation on the grid, and CFilter's response computation.
#include "FilterResponse.h"

#include "CFilter.h"
#include "Convert.h"

#include <cmath>

namespace {

// cos and sin of the grid angles, computed once: every evaluation of every section uses them.
struct GridAngles {
    double c[FREQ_GRID_POINTS];
    double s[FREQ_GRID_POINTS];
    GridAngles()
    {
        for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
            const double w = g_dFreqGrid[i] * FILTER_GRID_TWO_PI / FILTER_SAMPLE_RATE;
            c[i] = std::cos(w);
            s[i] = std::sin(w);
        }
    }
};

const GridAngles& Angles()
{
    static const GridAngles angles;
    return angles;
}

// Damping values d0..d3 per drawn state 0..7.
typedef double DampingRow[4];

const DampingRow kLinkwitz[8] = {
    {1, 0, 0, 0},
    {1, 0, 0, 0},
    {1, 0.70422535211, 0, 0},
    {0.70422535211, 0.70422535211, 0, 0},
    {1, 0.62, 0.62, 0},
    {1, 0.5, 0.5, 0},
    {1, 0.453134315, 0.92592592593, 0.453134315},
    {0.92592592593, 0.373134315, 0.92592592593, 0.373134315},
};

// State 0 differs between high-pass and low-pass; the low-pass row 0 is kFirstOrderLowPass.
const DampingRow kButterworth[8] = {
    {0.70422535, 0, 0, 0},
    {0.70422535, 0, 0, 0},
    {1, 0.5, 0, 0},
    {0.92592593, 0.38167939, 0, 0},
    {1, 0.8064616129, 0.3086417953, 0},
    {0.96153846, 0.70422535211, 0.2590673575, 0},
    {1, 0.90909090909, 0.625, 0.2222222222},
    {0.98039216, 0.83333333, 0.55555556, 0.1953125},
};

const DampingRow kFirstOrderLowPass = {1, 0, 0, 0};

const DampingRow kBesselHighPass[8] = {
    {0.70422535, 0, 0, 0},
    {0.70422535, 0, 0, 0},
    {0.756, 0.72463768, 0, 0},
    {0.96153846, 0.61728395, 0, 0},
    {0.6656, 0.8928571428, 0.54347826, 0},
    {0.980392156, 0.819672131, 0.490196, 0},
    {0.5937, 0.943396226415, 0.757575757576, 0.4424778761},
    {0.98039216, 0.89285714, 0.70422535, 0.40650406},
};
const double kBesselHighPassDivisor[8] = {
    1.2683112435, 1.2683112435, 1.2854981442, 1.5006420029,
    1.3854981442, 1.5554981442, 1.5554981442, 1.679120141,
};

// Bessel low-pass sections (p, q) of 1 / (q s^2 + p s + 1); p = 0 marks an empty slot.
struct PQ {
    double p, q;
};
const PQ kBesselLowPass[8][4] = {
    {},
    {{1.0, 0.3333333333}},
    {{0.5693712514, 0.154812441}, {0.430628846, 0}},
    {{0.369, 0.087858766}, {0.6278294896, 0.109408}},
    {{0.6656, 0}, {1.1402, 0.4128}, {0.6216, 0.3245}},
    {{1.2217, 0.3887}, {0.9686, 0.3505}, {0.5131, 0.2756}},
    {{0.5937, 0}, {1.0944, 0.3395}, {0.8304, 0.3011}, {0.4332, 0.2381}},
    {{0.117235677, 0.02064747}, {0.226516664, 0.0259273886}, {0.3067559, 0.0294683265},
     {0.3494916166, 0.031272257}},
};
const double kBesselLowPassDivisor[8] = {
    1, 1.3616541287, 1.75567236868, 2.1139176749, 1, 1, 1, 3.17961723751,
};

bool DesignDampedCrossover(int type, const DampingRow& d, int state, double hz, SectionCascade& out)
{
    const double w0 = hz * FILTER_DESIGN_ANGLE;
    const double c = std::cos(w0);
    const double sn = std::sin(w0);
    const double k = std::tan(w0 / 2);
    const bool bHighPass = type == FILTER_HIGH_PASS;
    out.count = 4;
    for (int i = 0; i < 4; ++i) {
        BiquadSection& s = out.sec[i];
        s = BiquadSection();
        if (d[i] == 0)
            continue;
        const double alpha = sn * d[i];
        s.a0 = 1 + alpha;
        if (s.a0 == 0)
            s.a0 = FILTER_ZERO_GUARD;
        s.a1 = -2 * c;
        s.a2 = 1 - alpha;
        s.b0 = bHighPass ? (1 + c) / 2 : (1 - c) / 2;
        s.b1 = bHighPass ? -2 * s.b0 : 2 * s.b0;
        s.b2 = s.b0;
    }
    if (state % 2 == 0) {
        // Odd orders start with a first-order section built from d0.
        BiquadSection& s = out.sec[0];
        if (bHighPass) {
            s.a0 = d[0] * k + 1;
            s.a1 = d[0] * k - 1;
            s.b0 = 1;
            s.b1 = -1;
        } else {
            s.a0 = k + d[0];
            s.a1 = k - d[0];
            s.b0 = k;
            s.b1 = k;
        }
        if (s.a0 == 0)
            s.a0 = FILTER_ZERO_GUARD;
        s.a2 = 0;
        s.b2 = 0;
    }
    return true;
}

bool DesignBesselLowPass(int state, double hz, SectionCascade& out)
{
    const double w0 = hz / kBesselLowPassDivisor[state] * FILTER_DESIGN_ANGLE;
    const double k = std::tan(w0 / 2);
    const double k2 = k * k;
    out.count = 4;
    for (int i = 0; i < 4; ++i) {
        BiquadSection& s = out.sec[i];
        s = BiquadSection();
        const PQ& pq = kBesselLowPass[state][i];
        if (pq.p == 0)
            continue;
        s.a0 = pq.p * k + k2 + pq.q;
        s.a1 = 2 * k2 - 2 * pq.q;
        s.a2 = k2 - pq.p * k + pq.q;
        s.b0 = k2;
        s.b1 = 2 * k2;
        s.b2 = k2;
    }
    return true;
}

double Clamp(double v, double lo, double hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// What the response is drawn from: values read from the device may lie outside the encodings,
// so the design sees them held within the device's ranges (the filter keeps the raw values).
constexpr double kDrawMinHz = 20.0;
constexpr double kDrawMaxHz = 20000.0;
constexpr double kDrawMaxGain = 20.0;
constexpr double kDrawMinBandwidth = 0.05;
constexpr double kDrawMaxBandwidth = 3.00;

}  // namespace

double FilterLog10(double x)
{
    return std::log10(x);
}

double SectionResponseAt(const BiquadSection& s, int i)
{
    const double b0 = s.b0 / s.a0, b1 = s.b1 / s.a0, b2 = s.b2 / s.a0;
    const double a1 = s.a1 / s.a0, a2 = s.a2 / s.a0;
    const double c = Angles().c[i];
    const double sn = Angles().s[i];
    const double dr = c + a1 + a2 * c;
    const double di = sn - a2 * sn;
    const double nr = b0 * c + b1 + b2 * c;
    const double ni = b0 * sn - b2 * sn;
    return 20 * FilterLog10(std::sqrt((nr * nr + ni * ni) / (dr * dr + di * di)));
}

void AddCascadeResponse(const SectionCascade& cascade, double* out)
{
    const GridAngles& angles = Angles();
    for (int k = 0; k < cascade.count; ++k) {
        const BiquadSection& s = cascade.sec[k];
        if (s.b0 == s.a0 && s.b1 == 0 && s.b2 == 0 && s.a1 == 0 && s.a2 == 0)
            continue;  // unity section: 0 dB everywhere
        // The same arithmetic as SectionResponseAt, with the division by a0 done once.
        const double b0 = s.b0 / s.a0, b1 = s.b1 / s.a0, b2 = s.b2 / s.a0;
        const double a1 = s.a1 / s.a0, a2 = s.a2 / s.a0;
        for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
            const double c = angles.c[i];
            const double sn = angles.s[i];
            const double dr = c + a1 + a2 * c;
            const double di = sn - a2 * sn;
            const double nr = b0 * c + b1 + b2 * c;
            const double ni = b0 * sn - b2 * sn;
            out[i] += 20 * FilterLog10(std::sqrt((nr * nr + ni * ni) / (dr * dr + di * di)));
        }
    }
}

bool DesignPeak(double centreHz, double gainDb, double bandwidthOct, SectionCascade& out)
{
    const double a = std::pow(10.0, gainDb / 40);
    const double w0 = centreHz * FILTER_DESIGN_ANGLE;
    const double sn = std::sin(w0);
    const double alpha = sn * std::sinh(FILTER_PEAK_BW_FACTOR * bandwidthOct * w0 / sn);
    const double c = std::cos(w0);
    BiquadSection& s = out.sec[0];
    s.b0 = 1 + alpha * a;
    s.b1 = -2 * c;
    s.b2 = 1 - alpha * a;
    s.a0 = 1 + alpha / a;
    s.a1 = -2 * c;
    s.a2 = 1 - alpha / a;
    out.count = 1;
    return true;
}

bool DesignShelf(int type, int slope, double hz, double gainDb, SectionCascade& out)
{
    out.count = 0;
    if ((type != FILTER_LOW_SHELF && type != FILTER_HIGH_SHELF) || (slope != 0 && slope != 1))
        return false;
    static const double kSlopeS[2] = {0.5, 1.3};
    static const double kFactor[2][2] = {{2, 1.2727272727}, {0.4545454546, 0.76923076923}};
    const bool bLow = type == FILTER_LOW_SHELF;
    const double shelf = kSlopeS[slope];
    const double w0 = hz * FILTER_DESIGN_ANGLE * kFactor[bLow ? 0 : 1][slope];
    const double a = std::pow(10.0, gainDb / 40);
    const double c = std::cos(w0);
    const double alpha = std::sin(w0) / 2 * std::sqrt((a + 1 / a) * (1 / shelf - 1) + 2);
    const double beta = 2 * std::sqrt(a) * alpha;
    BiquadSection& s = out.sec[0];
    if (bLow) {
        s.b0 = a * ((a + 1) - (a - 1) * c + beta);
        s.b1 = 2 * a * ((a - 1) - (a + 1) * c);
        s.b2 = a * ((a + 1) - (a - 1) * c - beta);
        s.a0 = (a + 1) + (a - 1) * c + beta;
        s.a1 = -2 * ((a - 1) + (a + 1) * c);
        s.a2 = (a + 1) + (a - 1) * c - beta;
    } else {
        s.b0 = a * ((a + 1) + (a - 1) * c + beta);
        s.b1 = -2 * a * ((a - 1) + (a + 1) * c);
        s.b2 = a * ((a + 1) + (a - 1) * c - beta);
        s.a0 = (a + 1) - (a - 1) * c + beta;
        s.a1 = 2 * ((a - 1) - (a + 1) * c);
        s.a2 = (a + 1) - (a - 1) * c - beta;
    }
    out.count = 1;
    return true;
}

int CrossoverDrawState(int type, int filterClass, int slope, int inputCrossoverMode)
{
    int state = slope;
    if (inputCrossoverMode != 0)
        state = slope == 1 ? 2 : slope;
    if (state < 0 || state > 7)
        return -1;
    // Bessel's higher orders are drawn in the device's own order.
    static const int kBesselHighPassMap[8] = {0, 1, 2, 3, 6, 7, 4, 5};
    static const int kBesselLowPassMap[8] = {0, 1, 2, 3, 7, 6, 4, 5};
    if (filterClass == FILTER_CLASS_BESSEL) {
        if (type == FILTER_HIGH_PASS && inputCrossoverMode == 0)
            state = kBesselHighPassMap[state];
        else if (type == FILTER_LOW_PASS)
            state = kBesselLowPassMap[state];
    }
    return state;
}

bool DesignCrossover(int type, int filterClass, int state, double hz, SectionCascade& out)
{
    out.count = 0;
    if ((type != FILTER_HIGH_PASS && type != FILTER_LOW_PASS) || state < 0 || state > 7)
        return false;
    const bool bHighPass = type == FILTER_HIGH_PASS;
    switch (filterClass) {
    case FILTER_CLASS_LINKWITZ:
        return DesignDampedCrossover(type, kLinkwitz[state], state, hz, out);
    case FILTER_CLASS_BUTTERWORTH:
        return DesignDampedCrossover(type, (!bHighPass && state == 0) ? kFirstOrderLowPass : kButterworth[state],
                                     state, hz, out);
    case FILTER_CLASS_BESSEL:
        if (bHighPass)
            return DesignDampedCrossover(type, kBesselHighPass[state], state,
                                         hz / kBesselHighPassDivisor[state], out);
        if (state == 0)
            return DesignDampedCrossover(type, kFirstOrderLowPass, state, hz, out);
        return DesignBesselLowPass(state, hz, out);
    default:
        return false;
    }
}

// ---- CFilter ----

void CFilter::CalcResponse()
{
    bool bFlat = false;
    switch (m_nType) {
    case FILTER_PEQ:
        bFlat = IsBypassed() != 0;
        if (!bFlat)
            CalcPeakResponse();
        break;
    case FILTER_LOW_SHELF:
    case FILTER_HIGH_SHELF:
        bFlat = IsBypassed() != 0;
        if (!bFlat)
            CalcShelfResponse();
        break;
    case FILTER_HIGH_PASS:
        // A crossover ignores bypass and mute: it is flat only at its end or switched off.
        bFlat = m_nFreq == 20 || m_nSlope == FILTER_SLOPE_OFF;
        if (!bFlat)
            CalcHighPassResponse();
        break;
    case FILTER_LOW_PASS:
        bFlat = m_nFreq == 20000 || m_nSlope == FILTER_SLOPE_OFF;
        if (!bFlat)
            CalcLowPassResponse();
        break;
    default:
        bFlat = true;  // a kind the device sent that has no drawing
        break;
    }
    if (bFlat) {
        for (double& v : m_dResponse)
            v = 0.0;
    }
    UpdatePolygonY();
}

void CFilter::SetFlatResponse()
{
    for (double& v : m_dResponse)
        v = 0.0;
    UpdatePolygonY();
}

void CFilter::UpdatePolygonY()
{
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        m_ptCurve[i + 1].y = DbToY(m_dResponse[i], m_nGraphHeight) + GRAPH_PLOT_TOP;
}

void CFilter::CalcPeakResponse()
{
    // The band is drawn at the grid point nearest its frequency.
    const double centre = g_dFreqGrid[FreqToBandIndex(m_nFreq)];
    SectionCascade cascade;
    for (double& v : m_dResponse)
        v = 0.0;
    if (DesignPeak(centre, Clamp(m_dGain, -kDrawMaxGain, kDrawMaxGain),
                   Clamp(m_dBandwidth, kDrawMinBandwidth, kDrawMaxBandwidth), cascade))
        AddCascadeResponse(cascade, m_dResponse);
}

void CFilter::CalcShelfResponse()
{
    SectionCascade cascade;
    for (double& v : m_dResponse)
        v = 0.0;
    if (DesignShelf(m_nType, m_nSlope, Clamp(m_nFreq, kDrawMinHz, kDrawMaxHz),
                    Clamp(m_dGain, -kDrawMaxGain, kDrawMaxGain), cascade))
        AddCascadeResponse(cascade, m_dResponse);
}

void CFilter::CalcCrossoverResponse()
{
    SectionCascade cascade;
    for (double& v : m_dResponse)
        v = 0.0;
    const int state = CrossoverDrawState(m_nType, m_nClass, m_nSlope, m_nInputXoverMode);
    if (DesignCrossover(m_nType, m_nClass, state, Clamp(m_nFreq, kDrawMinHz, kDrawMaxHz), cascade))
        AddCascadeResponse(cascade, m_dResponse);
}

void CFilter::CalcHighPassResponse()
{
    CalcCrossoverResponse();
}

void CFilter::CalcLowPassResponse()
{
    CalcCrossoverResponse();
}
