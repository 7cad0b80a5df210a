// The readers of the display types: the committing reader (focus loss) and the silent reader
// (CNumEdit::GetValue). "a" is the number read from the start of the text.
#include "NumDisplayTypes.h"

#include "Convert.h"
#include "FilterResponse.h"
#include "NumText.h"

#include <cmath>

using namespace NumText;

namespace {

double ClampD(double a, double lo, double hi)
{
    if (a > hi)
        a = hi;
    if (a < lo)
        a = lo;
    return a;
}

int ClampI(int v, int lo, int hi) { return v > hi ? hi : v < lo ? lo : v; }

bool IsOffText(const CString& s) { return s == "OFF" || s == "关闭"; }

// One reading of the field's text, with the field's range for the result.
class Reader {
public:
    Reader(int nType, const CString& strText, const NumFieldState& st)
        : m_nType(nType), m_text(strText), m_st(st), m_a(ReadNumber(strText)),
          m_c(SoundSpeed(st.nTemperature - 50)), m_cFine(SoundSpeedFine(st.nTemperature - 50))
    {
    }

    // A converted code into the range. A result that is not a finite number (NaN read, a
    // division by a scale of 0) gives the lowest code instead of an undefined conversion.
    int Code(double x) const
    {
        if (!std::isfinite(x))
            return Lowest();
        return InRange(Trunc(x));
    }
    int NearestCode(double x) const
    {
        if (!std::isfinite(x))
            return Lowest();
        return InRange(Nearest(x));
    }
    int Lowest() const { return m_nType == 33 ? 0 : m_st.nMin; }
    int InRange(int v) const { return m_nType == 33 ? ClampI(v, 0, 100) : ClampI(v, m_st.nMin, m_st.nMax); }

    double A() const { return m_a; }
    int Int() const { return ReadInteger(m_text); }

    // Delays in ms (types 0 and 19): limit L.
    double DelayLimit() const { return m_nType == 19 ? 60.0 : kDelayMaxMs; }
    int DelayCode(double t) const { return t >= kDelayMaxMs ? m_st.nMax : NearestCode(t / g_dDelayStep); }
    double CmTop() const { return m_c / 1000 * kDelayMaxMs; }  // metres
    double InchTop() const { return m_cFine / 1000 * kDelayMaxMs * kFeetPerMetre * 12; }
    int CmCode(double m) const { return DelayCode(m * 1000 / m_c); }
    int InchCode(double a) const { return DelayCode(a / kInchesPerMetre * 1000 / m_cFine); }
    double FineCmTop() const { return m_cFine / 1000 * kFineLimitMs; }
    double FineFeetTop() const { return m_cFine / 1000 * kFineLimitMs * kFeetPerMetre; }
    int FineMetresCode(double m) const { return NearestCode(m * 1000 / m_cFine / kFineGridMs); }

    // The dB reader of types 10, 23..26, 30 and 38: clamps, then converts (both readers).
    int DbCode() const
    {
        const double s = m_st.dScale, o = m_st.dOffset;
        double d = m_a;
        if (IsOffText(m_text)) {
            switch (m_nType) {
            case 23: d = -120.0; break;
            case 24: d = 20.0; break;
            case 30: d = 12.0; break;
            case 25: d = -60.0; break;
            default: break;  // 10, 26, 38: read as the number it begins with (0)
            }
        }
        if (std::isnan(d))
            return Lowest();
        if (m_nType == 38) {
            if (d < o - m_st.nMax * s)
                d = o - m_st.nMax * s;
            if (d > o - m_st.nMin * s)
                d = o - m_st.nMin * s;
            return Code((o - d) * 10 / (s * 10));
        }
        d = ClampD(d, m_st.nMin * s - o, m_st.nMax * s - o);
        return Code((d + o) * 10 / (s * 10));
    }

    // Type 32: a voltage in Vpp, or "OFF", to its level code.
    int VoltageCode() const
    {
        const double s = m_st.dScale, o = m_st.dOffset;
        double d;
        if (IsOffText(m_text)) {
            d = 12.0;
        } else {
            // No level belongs to a voltage that is not positive (or not a number).
            if (!(m_a > 0))
                return Lowest();
            d = 20 * std::log10(m_a / 2.2);
        }
        d = ClampD(d, m_st.nMin * s - o, m_st.nMax * s - o);
        return Code((d + o) * 10 / (s * 10));
    }

    int m_nType;
    const CString& m_text;
    const NumFieldState& m_st;
    double m_a;
    double m_c;      // c: speed for the distances shown
    double m_cFine;  // c': the inch end and the long grid
};

bool IsDbType(int t) { return t == 10 || (t >= 23 && t <= 26) || t == 30 || t == 38; }

}  // namespace

NumCommit CommitNumText(int nType, const CString& strText, int nValue, bool bModified, const NumFieldState& st)
{
    const Reader r(nType, strText, st);
    const double s = st.dScale;
    const int mid = st.nMax / 2;
    NumCommit out;
    out.nValue = nValue;
    // Most types store only typed text, and then reformat and notify.
    auto typed = [&](int v) {
        if (bModified) {
            out.bStore = out.bNotify = true;
            out.nValue = v;
        }
    };
    if (IsDbType(nType)) {
        typed(r.DbCode());
        return out;
    }
    double a = r.A();
    switch (nType) {
    case 0:
    case 19:
        // NaN passes both tests and converts to the lowest code.
        if (a < 0)
            typed(st.nMin);
        else if (a > r.DelayLimit() || a >= kDelayMaxMs)
            typed(st.nMax);
        else
            typed(r.NearestCode(a / g_dDelayStep));
        break;
    case 1:
        typed(r.CmCode(ClampD(a / 100, 0, r.CmTop())));
        break;
    case 2:
        typed(r.InchCode(ClampD(a, 0, r.InchTop())));
        break;
    case 3:
        if (a > mid * s)
            a = mid * s;
        if (a < -(mid * s))
            a = (st.nMin - mid) * s;
        typed(r.Code(mid + a / s));
        break;
    case 4:
    case 8:
    case 9:
    case 28:
    case 29:
        // "OFF" in a frequency field is no frequency at all.
        if (nType <= 9 && strText == "OFF")
            break;
        out.bStore = true;
        out.nValue = ClampI(r.Int(), st.nMin, st.nMax);
        out.bNotify = bModified;
        break;
    case 5:
        if (!bModified)
            break;
        out.bNotify = true;
        if (std::isnan(a)) {
            out.bStore = true;
            out.nValue = r.Lowest();
            break;
        }
        if (a < 0.3)
            a = 0.3;
        if (a + 6 > st.nMax)
            a = st.nMax - 6;
        if (a >= 0.3 && a <= 0.9) {
            out.bStore = true;
            out.nValue = r.Code((a - 0.3) / 0.1);
        } else if (a >= 1 && a <= st.nMax) {
            out.bStore = true;
            out.nValue = r.InRange(Trunc(a) + 6);
        }
        break;
    case 6: typed(ClampI(r.Int(), st.nMin, st.nMax)); break;
    case 7:
        if (a > 3.0)
            a = 3.0;
        if (a < 0.05)
            a = 0.05;
        typed(r.Code((a - 0.05 + 0.0000011) * (1 / s * 10) / 10));
        break;
    case 11:
        if (std::isnan(a))
            typed(r.Lowest());
        else
            typed(r.InRange(QToBandwidthIndex(ClampD(a, g_dBandwidthQ[BANDWIDTH_Q_ENTRIES - 1], g_dBandwidthQ[0]))));
        break;
    case 13:
    case 20:
    case 27:
        typed(r.Code(ClampD(a, st.nMin * s, st.nMax * s) / s));
        break;
    case 14:
    case 21: {
        const double f = nType == 14 ? 0.01 : 0.1;
        const double k = nType == 14 ? 100 : 10;
        typed(r.Code(k * ClampD(a, st.nMin * f, st.nMax * f)));
        break;
    }
    case 15:
    case 22:
        if (nType == 22)
            a /= 2;
        typed(r.Code(ClampD(a, st.nMin, st.nMax)));
        break;
    case 16:
        if (a < 0)
            typed(st.nMin);
        else if (a > kFineLimitMs)
            typed(st.nMax);
        else
            typed(r.NearestCode(a / kFineGridMs));
        break;
    case 17:
        typed(r.FineMetresCode(ClampD(a / 100, 0, r.FineCmTop())));
        break;
    case 18:
        typed(r.FineMetresCode(ClampD(a, 0, r.FineFeetTop()) / kFeetPerMetre));
        break;
    case 32: typed(r.VoltageCode()); break;
    case 33: typed(ClampI(r.Int(), 0, 100)); break;
    default: break;  // 12, 31, 34..37, 39, 40 and unknown types read nothing
    }
    return out;
}

bool ParseNumText(int nType, const CString& strText, const NumFieldState& st, int& nNew)
{
    const Reader r(nType, strText, st);
    const double s = st.dScale;
    const int mid = st.nMax / 2;
    const double a = r.A();
    // A number inside [lo, hi] is accepted (NaN never is).
    auto within = [](double x, double lo, double hi) { return x >= lo && x <= hi; };
    if (IsDbType(nType)) {
        nNew = r.DbCode();
        return true;
    }
    switch (nType) {
    case 0:
    case 19:
        if (!within(a, 0, r.DelayLimit()))
            return false;
        nNew = a == kDelayMaxMs ? st.nMax : r.NearestCode(a / g_dDelayStep);
        return true;
    case 1:
        if (!within(a / 100, 0, r.CmTop()))
            return false;
        nNew = r.CmCode(a / 100);
        return true;
    case 2:
        if (!within(a, 0, r.InchTop()))
            return false;
        nNew = r.InchCode(a);
        return true;
    case 3:
        if (!within(a, -(mid * s), mid * s))
            return false;
        nNew = r.Code(mid + a / s);
        return true;
    case 4:
    case 8:
    case 9:
    case 28:
    case 29: {
        const int n = r.Int();
        if (n < st.nMin || n > st.nMax)
            return false;
        nNew = n;
        return true;
    }
    case 5:
        if (within(a, 0.3, 0.9))
            nNew = r.Code((a - 0.3) / 0.1);
        else if (within(a, 1, st.nMax - 6))
            nNew = r.InRange(Trunc(a) + 6);
        else
            return false;
        return true;
    case 6: nNew = ClampI(r.Int(), st.nMin, st.nMax); return true;
    case 7:
        if (!within(a, 0.05, 3.0))
            return false;
        nNew = r.Code((a - 0.05 + 0.0000011) * (1 / s * 10) / 10);
        return true;
    case 11:
        if (!within(a, g_dBandwidthQ[BANDWIDTH_Q_ENTRIES - 1], g_dBandwidthQ[0]))
            return false;
        nNew = r.InRange(QToBandwidthIndex(a));
        return true;
    case 13:
    case 20:
    case 27:
        if (!within(a, st.nMin * s, st.nMax * s))
            return false;
        nNew = r.Code(a / s);
        return true;
    case 14:
    case 21: {
        const double f = nType == 14 ? 0.01 : 0.1;
        const double k = nType == 14 ? 100 : 10;
        if (!within(a, st.nMin * f, st.nMax * f))
            return false;
        nNew = r.Code(k * a);
        return true;
    }
    case 15:
    case 22: {
        const double x = nType == 22 ? a / 2 : a;
        if (!within(x, st.nMin, st.nMax))
            return false;
        nNew = r.Code(x);
        return true;
    }
    case 16:
        if (!within(a, 0, kFineLimitMs))
            return false;
        nNew = r.NearestCode(a / kFineGridMs);
        return true;
    case 17:
        if (!within(a / 100, 0, r.FineCmTop()))
            return false;
        nNew = r.FineMetresCode(a / 100);
        return true;
    case 18:
        if (!within(a, 0, r.FineFeetTop()))
            return false;
        nNew = r.FineMetresCode(a / kFeetPerMetre);
        return true;
    case 33: nNew = ClampI(r.Int(), 0, 100); return true;
    default: return false;  // 12, 31, 32, 34..37, 39, 40 and unknown types
    }
}
