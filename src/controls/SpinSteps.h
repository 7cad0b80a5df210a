// The steps of the spin controls that are pure value mapping (no window), tested alone.
#pragma once

// A ratio code (1 = 1:1, then tenths up to 2.0:1 at 11, halves above) one step further:
// up: +1 up to 10, +5 above; down: -1 from 1..10, -5 otherwise; nDelta 0: unchanged.
int RatioStep(int a, int nDelta);

// The next frequency point of g_dFreqGrid from nHz upwards (bUp) or downwards, in whole Hz,
// held within nMin..nMax. Up from the last point stays on it; down from the first two points
// gives point 1.
int FreqGridStep(int nHz, bool bUp, int nMin, int nMax);
