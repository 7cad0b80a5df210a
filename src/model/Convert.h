// Conversions between device codes, user units and screen positions, shared by the whole
// program. None keeps state.
//
// A response graph of width W and height H pixels shows 20 Hz .. 20 kHz (three decades, W div 3
// pixels each) across and +12 dB .. -12 dB down; callers add the plot's offset in the graph.
// Every conversion is total: a zero-sized graph, a frequency of 0 or a non-finite value give a
// position on or near the plot instead of reaching an undefined double-to-int conversion.
#pragma once

// One delay step is one sample at 48 kHz, in ms; the delay range is 0..960 steps (20 ms).
extern const double g_dDelayStep;
constexpr int DELAY_MAX_STEPS = 960;

// Truncation toward zero that is defined for every double: NaN gives 0, values beyond the int
// range give its ends.
int TruncToInt(double v);

// Row of dB on a graph of height H: trunc(H / 24 * (12 - dB) + 0.5). NaN draws as 0 dB and the
// value is held within +-1000 dB (far off the plot).
int DbToY(double dDb, int nHeight);
double DbToYExact(double dDb, int nHeight);
// Column of a frequency: trunc(log10(f / 20) * (W div 3)). A frequency that is not a positive
// finite number is drawn at the plot's end (NaN, 0 or below at 20 Hz, infinity at 20 kHz).
int FreqToX(double dHz, int nWidth);
double FreqToXExact(double dHz, int nWidth);
// Gain at row y of a graph of height H, rounded to the 0.1 dB grid: +12 at row 0, -12 at row H.
// A graph without height gives 0 dB.
double YToDb(int y, int nHeight);
// Frequency at column x: 20 * 10^(x / (W div 3)) held within 20..20000 Hz, truncated. A graph
// narrower than 3 pixels gives 20 Hz.
int XToFreq(int x, int nWidth);

// Index 0..240 of the nearest g_dFreqGrid point (a tie goes to the upper point).
int FreqToBandIndex(double dHz);
// First bandwidth index whose Q is at or below q; 295 when none is.
int QToBandwidthIndex(double dQ);
// Q of a bandwidth index, the index held within the table (0..295).
double BandwidthIndexToQ(int nIndex);

// Delay step count one shown centimetre (inch) above or below nSteps, nStep the signed click
// (+1, -1, or more). Results and inputs are held within 0..960; a click of 0 changes nothing.
int StepDelayByCm(int nSteps, int nStep);
int StepDelayByInch(int nSteps, int nStep);

// Allowed limiter step: 0..11, then values ending in 1 or 6, up to 191. Others move to their
// decade's ...6; the result is held within 0..191.
int QuantizeLimiterStep(int v);
