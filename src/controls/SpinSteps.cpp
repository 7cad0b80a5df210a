#include "SpinSteps.h"

#include "Convert.h"
#include "FilterResponse.h"

int RatioStep(int a, int nDelta)
{
    if (nDelta > 0)
        return a <= 10 ? a + 1 : a + 5;
    if (nDelta < 0)
        return a >= 1 && a <= 10 ? a - 1 : a - 5;
    return a;
}

int FreqGridStep(int nHz, bool bUp, int nMin, int nMax)
{
    const int i = FreqToBandIndex(nHz);
    int pos;
    if (bUp) {
        pos = TruncToInt(g_dFreqGrid[i == FREQ_GRID_POINTS - 1 ? i : i + 1]);
        if (pos > nMax)
            pos = nMax;
    } else {
        pos = TruncToInt(g_dFreqGrid[i <= 1 ? 1 : i - 1]);
        if (pos < nMin)
            pos = nMin;
    }
    return pos;
}
