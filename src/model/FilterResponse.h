// Magnitude responses of the equaliser's filters, modelled as the processor realises them: a
// cascade of digital second-order sections at 96 kHz, evaluated on a fixed 241-point grid.
//
// Parametric bands and shelves are single sections (the Audio EQ Cookbook peaking and shelving
// designs, bandwidth in octaves); crossovers are cascades of up to four sections whose damping
// values come from fixed tables per class and slope. The constants are the device's decimal
// values, not derived from pi, so the drawn curves match what the device does.
#pragma once

constexpr int FREQ_GRID_POINTS = 241;
constexpr int BANDWIDTH_Q_ENTRIES = 296;

// Frequency grid in Hz, 19.7 .. 20000, 24 points per octave around 2000 Hz (index 160).
// Every response is computed and drawn on it; the frequency spins step along it.
extern const double g_dFreqGrid[FREQ_GRID_POINTS];
// Q shown for bandwidth index 0..295 (descending, 28.852 .. 0.404).
extern const double g_dBandwidthQ[BANDWIDTH_Q_ENTRIES];

constexpr double FILTER_SAMPLE_RATE = 96000.0;
constexpr double FILTER_GRID_TWO_PI = 6.2831852;          // grid angle = f * this / 96000
constexpr double FILTER_DESIGN_ANGLE = 6.544985e-05;      // design angle = f * this
constexpr double FILTER_PEAK_BW_FACTOR = 0.34657359;      // ln 2 / 2
constexpr double FILTER_ZERO_GUARD = 1e-10;               // stands in for a crossover a0 of 0

// Decimal logarithm used for every dB value of a response.
double FilterLog10(double x);

// One section b0 + b1 z^-1 + b2 z^-2 over a0 + a1 z^-1 + a2 z^-2.
struct BiquadSection {
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;
    double a0 = 1.0, a1 = 0.0, a2 = 0.0;
};

// Up to four sections; unused slots are unity sections.
struct SectionCascade {
    BiquadSection sec[4];
    int count = 0;
};

// Filter kinds as the device codes them (band record byte 7).
constexpr int FILTER_PEQ = 0;
constexpr int FILTER_LOW_SHELF = 1;
constexpr int FILTER_HIGH_SHELF = 2;
constexpr int FILTER_HIGH_PASS = 3;
constexpr int FILTER_LOW_PASS = 4;
// Crossover slope index that switches the crossover off.
constexpr int FILTER_SLOPE_OFF = 8;
// Crossover classes.
constexpr int FILTER_CLASS_LINKWITZ = 0;
constexpr int FILTER_CLASS_BUTTERWORTH = 1;
constexpr int FILTER_CLASS_BESSEL = 2;

// Section designs. Each returns false (and leaves the cascade empty) for values that have no
// defined design; the caller then draws the filter flat. Frequencies in Hz, gains in dB,
// bandwidth in octaves.
bool DesignPeak(double centreHz, double gainDb, double bandwidthOct, SectionCascade& out);
bool DesignShelf(int type, int slope, double hz, double gainDb, SectionCascade& out);
// state: the drawn slope state 0..7 (see CrossoverDrawState); type FILTER_HIGH_PASS or
// FILTER_LOW_PASS; filterClass 0..2.
bool DesignCrossover(int type, int filterClass, int state, double hz, SectionCascade& out);
// Drawn state 0..7 of a crossover's slope index, or -1 when it has no drawing.
int CrossoverDrawState(int type, int filterClass, int slope, int inputCrossoverMode);

// Adds the cascade's response in dB at every grid point to out[0..240] (which the caller
// zeroes first).
void AddCascadeResponse(const SectionCascade& cascade, double* out);
// Response of one section in dB at grid point i (0..240).
double SectionResponseAt(const BiquadSection& s, int i);
