// The formatters of the display types; the readers are in NumDisplayReaders.cpp.
#include "NumDisplayTypes.h"

#include "Convert.h"
#include "FilterResponse.h"
#include "NumText.h"

#include <algorithm>
#include <cmath>

using namespace NumText;

namespace {

const char* Pick(bool bChinese, const char* cn, const char* en) { return bChinese ? cn : en; }

int Clamp(int v, int lo, int hi) { return v > hi ? hi : v < lo ? lo : v; }

CString FormatDelay(int v, const NumFieldState& st)
{
    const double t = v == st.nMax ? kDelayMaxMs : v * g_dDelayStep;
    CString s = FormatFixed(t, 3);
    if (!st.strUnit.empty())
        s += Pick(st.bChinese, "毫秒", "MS");
    return s;
}

CString FormatDistance(int v, const NumFieldState& st, bool bInch)
{
    const int tc = st.nTemperature - 50;
    const double c = SoundSpeed(tc);
    double shown;
    if (bInch) {
        const double m = v == st.nMax ? SoundSpeedFine(tc) / 1000 * kDelayMaxMs : c / 1000 * v * g_dDelayStep;
        shown = m * kFeetPerMetre * 12;
    } else {
        const double m = c / 1000 * (v == st.nMax ? kDelayMaxMs : v * g_dDelayStep);
        shown = m * 100;
    }
    CString s = FormatFixed(shown, 0);
    if (!st.strUnit.empty())
        s += bInch ? Pick(st.bChinese, "英寸", "INCH") : Pick(st.bChinese, "厘米", "CM");
    return s;
}

CString FormatHz(int v) { return FormatInt(v) + "Hz"; }

// dB of a scaled level: value x scale - offset.
double Level(int v, const NumFieldState& st) { return v * st.dScale - st.dOffset; }

}  // namespace

const char* NumOffText(bool bChinese) { return Pick(bChinese, "关闭", "OFF"); }

bool FormatNumText(int nType, int& nValue, const NumFieldState& st, CString& strText)
{
    int& v = nValue;
    const double s = st.dScale;
    const CString& u = st.strUnit;
    switch (nType) {
    case 0:
    case 19: strText = FormatDelay(v, st); return true;
    case 1: strText = FormatDistance(v, st, false); return true;
    case 2: strText = FormatDistance(v, st, true); return true;
    case 3: strText = FormatFixed((v - st.nMax / 2) * s, 1); return true;
    case 4: strText = FormatInt(v); return true;
    case 5: strText = v <= 6 ? FormatFixed((v + 3) * 0.1, 1) + "ms" : FormatInt(v - 6) + "ms"; return true;
    case 6: strText = FormatInt(v) + u; return true;
    case 7: strText = FormatFixed(v * s + 0.05, 2); return true;
    case 8: strText = FormatHz(v); return true;
    case 9: strText = v == st.nMax ? CString("20000Hz") : FormatHz(v); return true;
    case 10: strText = FormatFixed(Level(v, st), 1); return true;
    case 11: {
        // The code indexes the Q table: a code outside it shows the nearest end.
        const double q = g_dBandwidthQ[Clamp(v, 0, BANDWIDTH_Q_ENTRIES - 1)];
        strText = FormatFixed(q, q > 10 ? 2 : 3);
        return true;
    }
    case 12: {
        const int c = v - 50;
        const int f = Trunc(1.8 * c + 32 + 0.5);
        strText = FormatInt(c) + "C(" + FormatInt(f) + "F)";
        return true;
    }
    case 13: strText = FormatInt(Trunc(v * s)) + "%" + u; return true;
    case 14: strText = FormatFixed(v * 0.01, 2) + u; return true;
    case 15: strText = FormatInt(v > st.nMax ? st.nMax : v) + u; return true;
    case 16:
        if (v <= kFineLowTop)
            strText = FormatFixed(v == 0 ? 0.0 : v * kFineLowMs, 4);
        else
            strText = FormatFixed(100.0 + (v - (kFineLowTop + 1)) * kFineGridMs, 3);
        return true;
    case 17:
        strText = FormatFixed(SoundSpeedFine(st.nTemperature - 50) / 1000 * v * kFineGridMs * 100, 3);
        return true;
    case 18:
        strText = FormatFixed(SoundSpeedFine(st.nTemperature - 50) / 1000 * v * kFineGridMs * kFeetPerMetre, 3);
        return true;
    case 20: strText = FormatInt(Trunc(v * s)) + u; return true;
    case 21: strText = FormatFixed(v * 0.1, 1) + u; return true;
    case 22: strText = FormatInt(2 * (v > st.nMax ? st.nMax : v)) + u; return true;
    case 23:
        if (v == 0)
            strText = NumOffText(st.bChinese);
        else if (u == "dBu")
            strText = FormatFixed(Level(v, st), 0) + "dBu";
        else
            strText = FormatFixed(Level(v, st), 1) + "dB";
        return true;
    case 24: strText = FormatFixed(Level(v, st), 1) + "dBu"; return true;
    case 25: strText = v == st.nMin ? CString(NumOffText(st.bChinese)) : FormatFixed(Level(v, st), 0) + "dB"; return true;
    case 26:
        v = Clamp(v, st.nMin, st.nMax);
        strText = FormatFixed(Level(v, st), 0) + (u.empty() ? "dBu" : "dB");
        return true;
    case 27: strText = FormatInt(Trunc(v * s)) + "dB" + u; return true;
    case 28: strText = v == st.nMin ? CString("20Hz") : v == st.nMax ? CString("1000Hz") : FormatHz(v); return true;
    case 29: strText = v == st.nMin ? CString("5000Hz") : v == st.nMax ? CString("20000Hz") : FormatHz(v); return true;
    case 30: strText = v == st.nMax ? CString(NumOffText(st.bChinese)) : FormatFixed(Level(v, st), 1) + "dBu"; return true;
    case 31:
        if (v <= 99)
            strText = "R_" + FormatInt(100 - v) + "%";
        else if (v == 100)
            strText = "OFF";
        else if (v <= st.nMax)
            strText = "L_" + FormatInt(v - 100) + "%";
        else
            strText.clear();
        return true;
    case 32:
        v = Clamp(v, st.nMin, st.nMax);
        if (v == st.nMax)
            strText = NumOffText(st.bChinese);
        else
            strText = FormatFixed(std::pow(10.0, Level(v, st) / 20) * 2.2, 3) + "Vpp";
        return true;
    case 33:
        v = Clamp(v, 0, 100);
        strText = FormatInt(v);
        return true;
    case 38:
        v = Clamp(v, st.nMin, st.nMax);
        strText = FormatFixed(st.dOffset - v * s, 0) + (u.empty() ? "dBu" : "dB");
        return true;
    case 40:
        strText = v == 1 ? CString("1:1") : FormatInt((v + 9) / 10) + "." + FormatInt((v + 9) % 10) + ":1";
        return true;
    default:
        return false;
    }
}
