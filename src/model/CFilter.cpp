// CFilter: values, encodings, change stamp, reference stepping and texts.
#include "CFilter.h"

#include "Convert.h"
#include "Globals.h"

#include <cmath>
#include <cstdio>

namespace {

CString Format(const char* pFormat, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, pFormat, v);
    return buf;
}

CString FormatInt(const char* pFormat, int v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, pFormat, v);
    return buf;
}

constexpr int kShelfSplitHz = 2000;

}  // namespace

CFilter::CFilter()
{
    for (double& v : m_dResponse)
        v = 0.0;
}

// ---- frequency and reference ----

void CFilter::SetFreq(int nHz, BOOL bFromUser)
{
    if (!bFromUser) {
        m_nFreq = nHz;
        m_nRefFreq = nHz;
    } else if (m_nCurveMode == 1) {
        m_nFreq = nHz;
        if (!g_bOnline)
            m_nRefFreq = nHz;
        if (m_nRefFreq == 0)
            m_nRefFreq = 20;
        // Within an octave of the reference the device may follow at once; a larger move is
        // left to SetModified, one octave per frame.
        if ((m_nFreq >= m_nRefFreq && m_nFreq / m_nRefFreq < 2) ||
            (m_nFreq < m_nRefFreq && double(m_nFreq) / m_nRefFreq >= 0.5))
            m_nRefFreq = m_nFreq;
    } else {
        m_nFreq = nHz;
        if (m_pLinkedCtrl)
            m_pLinkedCtrl->SetFreqValue(nHz);
        if (m_nRefFreq == 0)
            m_nRefFreq = 20;
        if (m_nFreq >= m_nRefFreq && m_nFreq / m_nRefFreq < 2)
            m_nRefFreq = m_nFreq;
        if (!g_bOnline)
            m_nRefFreq = m_nFreq;
    }
    PlaceHandles();
    CalcResponse();
    if (bFromUser)
        m_nModified = g_bOnline;
}

void CFilter::SetModified(int nValue)
{
    if (m_nFreq == m_nRefFreq) {
        m_nModified = nValue;
        return;
    }
    if (m_nRefFreq <= 0 || m_nFreq <= 0) {
        // No octave walk from or to a frequency that is not positive: settle in one frame.
        m_nRefFreq = m_nFreq;
    } else if (m_nFreq / m_nRefFreq >= 2) {
        m_nRefFreq *= 2;
    } else if (double(m_nFreq) / m_nRefFreq <= 0.5) {
        m_nRefFreq /= 2;
    } else {
        m_nRefFreq = m_nFreq;
    }
    m_nModified = 1;
}

// ---- gain, bandwidth, kind ----

void CFilter::SetGainIndex(int n)
{
    m_dGain = n * 0.1 - 20;
    if (m_dGain != 0.0) {
        m_bBypass = 0;
        m_bMute = 0;
    } else {
        m_bBypass = 1;
    }
    if (m_nCurveMode == 1)
        CalcHandleAndLabelRects();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetGain(double dDb)
{
    m_dGain = dDb;
    if (m_nCurveMode == 1)
        CalcHandleAndLabelRects();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetBandwidthIndex(int n)
{
    m_dBandwidth = 0.05 + 0.01 * n;
    if (m_nCurveMode == 1)
        CalcBandwidthHandles();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetBandwidthIndexDrag(int n)
{
    m_dBandwidth = 0.05 + 0.01 * n;
    if (m_nCurveMode == 1)
        CalcBandwidthHandlesAlt();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetBandwidth(double dOct)
{
    m_dBandwidth = dOct;
    if (m_nCurveMode == 1)
        CalcBandwidthHandles();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetSlope(int nSlope, BOOL bStamp)
{
    m_nSlope = nSlope;
    CalcResponse();
    if (bStamp)
        m_nModified = g_bOnline;
}

void CFilter::SetFilterClass(int nClass, BOOL bStamp)
{
    m_nClass = nClass;
    CalcResponse();
    if (bStamp)
        m_nModified = g_bOnline;
}

void CFilter::SetType(int nType)
{
    m_nType = nType;
    if (nType == FILTER_LOW_PASS)
        m_nRefFreq = 20000;
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::ApplyShelfLimit()
{
    if (m_nType == FILTER_LOW_SHELF && m_nFreq > kShelfSplitHz)
        m_nFreq = kShelfSplitHz;
    else if (m_nType == FILTER_HIGH_SHELF && m_nFreq < kShelfSplitHz)
        m_nFreq = kShelfSplitHz;
}

void CFilter::SetShelfType(int nSelector)
{
    switch (nSelector) {
    case 0: m_nType = FILTER_PEQ; break;
    case 1: m_nType = FILTER_LOW_SHELF; m_nSlope = 0; break;
    case 2: m_nType = FILTER_LOW_SHELF; m_nSlope = 1; break;
    case 3: m_nType = FILTER_HIGH_SHELF; m_nSlope = 0; break;
    case 4: m_nType = FILTER_HIGH_SHELF; m_nSlope = 1; break;
    default: return;  // no such choice in the selector: nothing changes
    }
    ApplyShelfLimit();
    CalcHandleAndLabelRects();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetLowShelf(int nSlope)
{
    m_nType = FILTER_LOW_SHELF;
    m_nSlope = nSlope;
    ApplyShelfLimit();
    CalcHandleAndLabelRects();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetHighShelf(int nSlope)
{
    m_nType = FILTER_HIGH_SHELF;
    m_nSlope = nSlope;
    ApplyShelfLimit();
    CalcHandleAndLabelRects();
    CalcResponse();
    m_nModified = g_bOnline;
}

// ---- bypass and mute ----

void CFilter::SetBypass(BOOL bOn)
{
    bOn = bOn ? 1 : 0;
    if (m_bMute) {
        m_bMute = 0;
        if (m_dGain == 0.0)
            return;
    } else if (m_bBypass == bOn || m_dGain == 0.0) {
        return;
    }
    m_bBypass = bOn;
    if (!bOn)
        m_bMute = 0;
    PlaceHandles();
    CalcResponse();
    m_nModified = g_bOnline;
}

void CFilter::SetMute(BOOL bOn)
{
    if (bOn) {
        m_bSavedMute = m_bMute;
        m_bMute = bOn;
    } else {
        m_bMute = m_bSavedMute;
    }
    if (m_bBypass)
        return;
    PlaceHandles();
    CalcResponse();
}

void CFilter::ResetBand(int nHz)
{
    m_nFreq = nHz;
    m_nRefFreq = nHz;
    m_dBandwidth = 0.57;
    m_dGain = 0.0;
    m_bBypass = 1;
    CalcBandwidthHandles();
    CalcHandleAndLabelRects();
    CalcResponse();
}

void CFilter::SetFreqLock(BOOL bLock)
{
    m_bFreqLock = bLock;
    CalcHandleAndLabelRects();
}

void CFilter::CopyFrom(const CFilter& other)
{
    m_nType = other.m_nType;
    m_nFreq = other.m_nFreq;
    m_nRefFreq = other.m_nFreq;
    m_dGain = other.m_dGain;
    m_bBypass = other.m_bBypass;
    m_bMute = other.m_bMute;
    m_dBandwidth = other.m_dBandwidth;
    m_nClass = other.m_nClass;
    m_nSlope = other.m_nSlope;
    PlaceHandles();
    CalcResponse();
}

// ---- encodings ----

int CFilter::GetGainIndex() const
{
    if (IsBypassed())
        return 200;
    // Rounded half up on both sides of zero, so any index read from the device packs back
    // to itself.
    return TruncToInt(std::floor((m_dGain + 20) * 100 / 10 + 0.5));
}

int CFilter::GetBandwidthIndex() const
{
    // The device's bias is 0.05, not 0.5: 0.5749 octave is index 52, 0.5796 index 53.
    return TruncToInt(std::floor((m_dBandwidth - 0.05) / 0.01 + 0.05));
}

int CFilter::GetEqKindCode() const
{
    if (m_nType == FILTER_LOW_SHELF)
        return 1 + m_nSlope;
    if (m_nType == FILTER_HIGH_SHELF)
        return 3 + m_nSlope;
    return 0;
}

// ---- texts ----

CString CFilter::GetFreqText() const
{
    return FormatInt("%dHz", m_nFreq);
}

CString CFilter::GetGainText() const
{
    return IsBypassed() ? CString("0.0dB") : Format("%0.1fdB", m_dGain);
}

CString CFilter::GetBandwidthText() const
{
    return Format("%0.2fOct", m_dBandwidth);
}

CString CFilter::GetQText() const
{
    const double q = BandwidthIndexToQ(GetBandwidthIndex());
    return Format(q > 10 ? "%0.2f" : "%0.3f", q);
}

CString CFilter::GetClassText() const
{
    static const char* const kEnglish[] = {"Link_Ril", "Butter_W", "Bessel"};
    static const char* const kChinese[] = {"宁克", "巴特沃斯", "贝塞尔"};
    if (m_nClass < 0 || m_nClass > 2)
        return CString();
    return g_bChinese ? kChinese[m_nClass] : kEnglish[m_nClass];
}

CString CFilter::GetShelfSlopeText() const
{
    if (m_nSlope == 0)
        return "6dB/Oct";
    if (m_nSlope == 1)
        return "12dB/Oct";
    return CString();
}

CString CFilter::GetCrossoverSlopeText() const
{
    static const char* const kSlopes[] = {"12dB/Oct", "18dB/Oct", "24dB/Oct", "30dB/Oct",
                                          "36dB/Oct", "42dB/Oct", "48dB/Oct"};
    if (m_nInputXoverMode == 0) {
        if (m_nSlope >= 1 && m_nSlope <= 7)
            return kSlopes[m_nSlope - 1];
        if (m_nSlope == FILTER_SLOPE_OFF)
            return "OFF";
        return CString();
    }
    if (m_nInputXoverMode == 1) {
        if (m_nSlope == 1)
            return "12dB/Oct";
        if (m_nSlope == 2)
            return "24dB/Oct";
    }
    return CString();
}

CString CFilter::GetTypeText() const
{
    static const char* const kEnglish[] = {"PEQ", "Lo_Shf", "Hi_Shf"};
    static const char* const kChinese[] = {"参量均衡", "低架", "高架"};
    if (m_nType < 0 || m_nType > 2)
        return CString();
    return g_bChinese ? kChinese[m_nType] : kEnglish[m_nType];
}
