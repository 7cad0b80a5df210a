// CKTV_OutData: setters, link copies, speaker-type crossover presets, bands, curve, copies.
#include "CKTV_OutData.h"

#include "Convert.h"
#include "ChannelBands.h"
#include "Globals.h"
#include "RecordFields.h"
#include "SceneImage.h"
#include "SpeakerTypes.h"

#include <algorithm>
#include <cstring>

CKTV_OutData* g_pOutChannel[10] = {};

namespace {

// Crossover preset of a speaker type: high-pass and low-pass Hz, class and slope, and the
// high-pass drag rule (slot index).
struct CrossoverPreset {
    int nHpHz, nHpClass, nHpSlope;
    int nLpHz, nLpClass, nLpSlope;
    int nHpSlot;
};

constexpr CrossoverPreset kFullRange = {20, 0, 3, 20000, 0, 3, 12};
constexpr CrossoverPreset kTweeter = {2200, 2, 7, 20000, 2, 7, 11};
constexpr CrossoverPreset kMidrange = {600, 2, 7, 1500, 2, 7, 12};
constexpr CrossoverPreset kWoofer = {20, 2, 7, 500, 2, 7, 12};
constexpr CrossoverPreset kMidTweeter = {600, 2, 7, 20000, 2, 7, 12};
constexpr CrossoverPreset kMidWoofer = {20, 2, 7, 1600, 2, 7, 12};
constexpr CrossoverPreset kSubwoofer = {20, 0, 3, 150, 0, 3, 12};

// Indexed by speaker type 0..24.
const CrossoverPreset* const kPresetOfType[SPEAKER_TYPE_COUNT] = {
    &kFullRange, &kTweeter, &kMidrange, &kWoofer, &kMidTweeter, &kMidWoofer,  // 0..5
    &kFullRange, &kTweeter, &kMidrange, &kWoofer, &kMidTweeter, &kMidWoofer,  // 6..11
    &kFullRange, &kTweeter, &kWoofer, &kFullRange,                             // 12..15
    &kTweeter,   &kWoofer,  &kFullRange,                                       // 16..18
    &kTweeter,   &kWoofer,  &kFullRange,                                       // 19..21
    &kSubwoofer, &kSubwoofer, &kSubwoofer,                                     // 22..24
};

bool IsTweeterType(int nType)
{
    return nType == SPK_FL_TWEETER || nType == SPK_FR_TWEETER || nType == SPK_RL_TWEETER ||
           nType == SPK_RR_TWEETER || nType == SPK_C_TWEETER;
}

}  // namespace

CKTV_OutData::CKTV_OutData()
{
    BuildEq(30, OUT_REC_FILTERS, 10, 20, 20000);
}

// ---- link copies ----

template <class F>
void CKTV_OutData::ForEachLinked(F f) const
{
    if (m_nChannel < 0 || m_nChannel >= LINK_CHANNELS || g_pOutChannel[m_nChannel] != this)
        return;
    for (int i = 0; i < LINK_CHANNELS; ++i) {
        CKTV_OutData* other = g_pOutChannel[i];
        if (i != m_nChannel && other && other != this && g_nLinkGroup[i] == g_nLinkGroup[m_nChannel])
            f(*other);
    }
}

void CKTV_OutData::CopyLevelToLinked()
{
    ForEachLinked([this](CKTV_OutData& o) {
        o.SetLinkedLevel(m_byOn, m_byPolarity, m_nGain, m_nDelay, m_byEqMode, m_bySpeakerType);
    });
}

void CKTV_OutData::CopyLimitToLinked()
{
    ForEachLinked([this](CKTV_OutData& o) { o.SetLinkedLimit(m_nLimitThreshold, m_nLimitAttack, m_nLimitRelease); });
}

void CKTV_OutData::CopyCompToLinked()
{
    ForEachLinked([this](CKTV_OutData& o) { o.SetLinkedComp(m_byComp); });
}

void CKTV_OutData::CopyInputToLinked()
{
    ForEachLinked([this](CKTV_OutData& o) { o.SetLinkedInput(m_byInLeft, m_byInRight, m_byIn5); });
}

void CKTV_OutData::SetLinkedLevel(int, int, short nGain, short, BYTE byEqMode, int)
{
    m_nGain = nGain;
    m_bGainMute = nGain == 0;
    if (byEqMode != m_byEqMode) {
        m_byEqMode = byEqMode;
        ApplyFreqLock();
    }
    m_nLevelModified = g_bOnline;
}

void CKTV_OutData::SetLinkedLimit(short nThreshold, short nAttack, short nRelease)
{
    m_nLimitThreshold = nThreshold;
    m_nLimitAttack = nAttack;
    m_nLimitRelease = nRelease;
    m_nLimitModified = g_bOnline;
}

void CKTV_OutData::SetLinkedComp(const BYTE* pComp)
{
    std::memcpy(m_byComp, pComp, sizeof m_byComp);
    m_nLimitModified = g_bOnline;
}

void CKTV_OutData::SetLinkedInput(BYTE byLeft, BYTE byRight, BYTE byIn5)
{
    m_byInLeft = byLeft;
    m_byInRight = byRight;
    m_byIn5 = byIn5;
    m_nInputModified = g_bOnline;
}

// ---- level ----

void CKTV_OutData::SetGain(short nStep)
{
    m_nGain = nStep;
    m_bGainMute = nStep == 0;
    CopyLevelToLinked();
    m_nLevelModified = g_bOnline;
}

void CKTV_OutData::SetGainMute(BOOL bMute)
{
    m_bGainMute = bMute;
    m_nLevelModified = g_bOnline;
}

void CKTV_OutData::SetDelay(short nStep)
{
    m_nDelay = nStep;
    m_nLevelModified = g_bOnline;
}

void CKTV_OutData::SetOn(int nOn)
{
    m_byOn = BYTE(nOn);
    m_nLevelModified = g_bOnline;
}

void CKTV_OutData::SetPolarity(int nPolarity)
{
    m_byPolarity = BYTE(nPolarity);
    CopyLevelToLinked();
    m_nLevelModified = g_bOnline;
}

void CKTV_OutData::ApplyFreqLock() { LockBandFrequencies(m_Eq, m_byEqMode); }

void CKTV_OutData::SetEqMode(BYTE byMode)
{
    m_byEqMode = byMode;
    ApplyFreqLock();
    CopyLevelToLinked();
    m_nLevelModified = g_bOnline;
}

void CKTV_OutData::SetFiltersForType(int nType)
{
    CFilter* hp = GetHighPass();
    CFilter* lp = GetLowPass();
    // Types come from device blocks too: only 0..24 have a preset.
    if (!IsValidSpeakerType(nType) || !hp || !lp)
        return;
    const CrossoverPreset& p = *kPresetOfType[nType];
    hp->SetSlotIndex(p.nHpSlot);
    hp->SetFreq(p.nHpHz, 1);
    hp->SetFilterClass(p.nHpClass, 1);
    hp->SetSlope(p.nHpSlope, 1);
    lp->SetFreq(p.nLpHz, 1);
    lp->SetFilterClass(p.nLpClass, 1);
    lp->SetSlope(p.nLpSlope, 1);
}

void CKTV_OutData::SetSpeakerType(int nType)
{
    m_bySpeakerType = BYTE(nType);
    SetFiltersForType(nType);
}

void CKTV_OutData::SetSpeakerTypeKeepFilters(int nType)
{
    m_bySpeakerType = BYTE(nType);
    if (CFilter* hp = GetHighPass())
        hp->SetSlotIndex(IsTweeterType(nType) ? 11 : 12);
}

void CKTV_OutData::SetSpeakerTypeWithFilters(int nType, const BYTE* pFiltersRecord)
{
    m_bySpeakerType = BYTE(nType);
    if (!pFiltersRecord)
        return;
    CFilter* filters[2] = {GetHighPass(), GetLowPass()};
    for (int k = 0; k < 2; ++k) {
        if (!filters[k])
            continue;
        const BYTE* q = pFiltersRecord + 4 * k;
        filters[k]->SetFreq(GetRecordWord(q), 1);
        filters[k]->SetFilterClass(q[2], 1);
        filters[k]->SetSlope(q[3], 1);
    }
}

void CKTV_OutData::SetSpeakerTypeMarked(int nType)
{
    m_bySpeakerType = BYTE(nType);
    m_nLevelModified = 1;
}

// ---- limiter and compressor ----

void CKTV_OutData::SetLimitThreshold(short nStep)
{
    if (nStep == m_nLimitThreshold)
        return;
    m_nLimitThreshold = nStep;
    CopyLimitToLinked();
    m_nLimitModified = g_bOnline;
}

void CKTV_OutData::SetLimitAttack(short nStep)
{
    if (nStep == m_nLimitAttack)
        return;
    m_nLimitAttack = nStep;
    CopyLimitToLinked();
    m_nLimitModified = g_bOnline;
}

void CKTV_OutData::SetLimitRelease(short nStep)
{
    if (nStep == m_nLimitRelease)
        return;
    m_nLimitRelease = nStep;
    CopyLimitToLinked();
    m_nLimitModified = g_bOnline;
}

// The compressor lives in the model only: a change is copied to the linked outputs and marks no
// record of its own (mix records least of all).
void CKTV_OutData::SetCompThreshold(int nValue)
{
    const int v = std::clamp(nValue, 0, COMP_LEVEL_MAX);
    m_byComp[0] = BYTE(v & 0xFF);
    m_byComp[1] = BYTE(v >> 8);
    CopyCompToLinked();
}

void CKTV_OutData::SetCompRatio(int nValue)
{
    m_byComp[2] = BYTE(std::clamp(nValue, COMP_RATIO_MIN, COMP_RATIO_MAX));
    CopyCompToLinked();
}

void CKTV_OutData::SetCompAttack(int nValue)
{
    m_byComp[3] = BYTE(std::clamp(nValue, 0, LIMIT_ATTACK_MAX));
    CopyCompToLinked();
}

void CKTV_OutData::SetCompRelease(int nValue)
{
    const int v = std::clamp(nValue, 0, RELEASE_CODE_MAX);
    m_byComp[4] = BYTE(v & 0xFF);
    m_byComp[5] = BYTE(v >> 8);
    CopyCompToLinked();
}

short CKTV_OutData::GetCompThreshold() const { return short(m_byComp[0] | (m_byComp[1] << 8)); }

short CKTV_OutData::GetCompRelease() const { return short(m_byComp[4] | (m_byComp[5] << 8)); }

// ---- mix levels ----

void CKTV_OutData::SetMixA(int n, BYTE byLevel)
{
    if (n >= 1 && n <= 8) {
        if (m_byMixA[n - 1] == byLevel)
            return;
        m_byMixA[n - 1] = byLevel;
        m_nMixAModified = g_bOnline;
    } else if (n >= 9 && n <= 12) {
        // No record carries levels 9..12; the mix-B record goes out in their place.
        m_byMixA[n - 1] = byLevel;
        m_nMixBModified = g_bOnline;
    }
}

BYTE CKTV_OutData::GetMixA(int n) const
{
    return n >= 1 && n <= 12 ? m_byMixA[n - 1] : 0;
}

void CKTV_OutData::SetMixB(int n, BYTE byLevel)
{
    if (n < 1 || n > 8 || m_byMixB[n - 1] == byLevel)
        return;
    m_byMixB[n - 1] = byLevel;
    m_nMixBModified = g_bOnline;
}

BYTE CKTV_OutData::GetMixB(int n) const
{
    return n >= 1 && n <= 8 ? m_byMixB[n - 1] : 0;
}

// ---- input selection ----

// The mute copies of the input selection change nothing in linked outputs, so none is made.
void CKTV_OutData::SetInLeftMute(BOOL bMute)
{
    m_bInLeftMute = bMute;
    m_byInLeft = bMute ? 0 : 1;
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetInRightMute(BOOL bMute)
{
    m_bInRightMute = bMute;
    m_byInRight = bMute ? 0 : 1;
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetIn5Mute(BOOL bMute)
{
    m_bIn5Mute = bMute;
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetInLeft(BYTE byLevel)
{
    m_byInLeft = byLevel;
    CopyInputToLinked();
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetInRight(BYTE byLevel)
{
    m_byInRight = byLevel;
    CopyInputToLinked();
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetIn5(BYTE byLevel)
{
    m_byIn5 = byLevel;
    CopyInputToLinked();
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetIn3(BYTE byLevel)
{
    m_byIn3 = byLevel;
    m_bIn3Mute = byLevel == 0;
    CopyInputToLinked();
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetIn4(BYTE byLevel)
{
    m_byIn4 = byLevel;
    m_bIn4Mute = byLevel == 0;
    CopyInputToLinked();
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetInBalance(BYTE byPercent)
{
    m_byInBalance = byPercent;
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetInMask(BYTE byMask)
{
    m_byInMask = byMask;
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetIn3Mute(BOOL bMute)
{
    m_bIn3Mute = bMute;
    m_nInputModified = g_bOnline;
}

void CKTV_OutData::SetIn4Mute(BOOL bMute)
{
    m_bIn4Mute = bMute;
    m_nInputModified = g_bOnline;
}

// ---- identity ----

void CKTV_OutData::SetChannelIndex(int nIndex)
{
    m_nChannel = nIndex;
    if (nIndex == 0 || nIndex == 2 || nIndex == 4) {
        m_bInLeftMute = 0;
        m_byInLeft = 1;
    } else if (nIndex == 1 || nIndex == 3 || nIndex == 5) {
        m_bInRightMute = 0;
        m_byInRight = 1;
    }
}

BOOL CKTV_OutData::SetName(const CString& strName)
{
    if (!CheckNameLength(strName, CHANNEL_NAME_SIZE))
        return FALSE;
    m_strName = strName;
    m_nNameModified = g_bOnline;
    return TRUE;
}

// ---- stamps and bands ----

void CKTV_OutData::SetAllModified(int v)
{
    m_nInputModified = v;
    m_nLevelModified = v;
    m_nLimitModified = v;
    m_nMixBModified = v;
    m_nMixAModified = v;
    SetFilterStamps(m_Eq, v);
}

BOOL CKTV_OutData::TakeFilterChanges() { return TakeCrossoverChanges(m_Eq); }

void CKTV_OutData::BuildEq(int nLastBand, int nFiltersRecord, int nHpSlot, int nHpHz, int nLpHz)
{
    m_Eq.Build31BandEq(nLastBand, nFiltersRecord, nHpSlot, nHpHz, nLpHz);
    SettleFilters(m_Eq);
    ApplyFreqLock();
}

int CKTV_OutData::GetHighPassBandIndex() const
{
    const CFilter* hp = GetHighPass();
    return hp ? hp->GetBandIndexByte() : 0;
}

void CKTV_OutData::MuteAllBands(BOOL bOn) { MuteFilters(m_Eq, bOn); }

BOOL CKTV_OutData::IsAllBypass()
{
    m_bAllBypass = AreAllFiltersBypassed(m_Eq);
    return m_bAllBypass;
}

// ---- curve ----

void CKTV_OutData::SetCurveRect(const CRect& rc)
{
    m_Curve.SetRect(rc);
    m_Eq.SetCurveRect(rc);
    RecalcCurve();
}

void CKTV_OutData::RecalcCurve()
{
    m_nGainRow = DbToY(0, m_Curve.GetHeight()) + GRAPH_PLOT_TOP;
    m_Eq.CalcFloatCurve();
    m_Curve.CopyY(m_Eq, false, true);
}

void CKTV_OutData::RecalcBandCurve(int nEntry)
{
    m_Eq.CalcBandCurveOut(nEntry);
    m_Curve.CopyY(m_Eq, true, true);
}

// ---- copies ----

void CKTV_OutData::CopyEQAndLevel(const CKTV_OutData& other)
{
    m_Eq.CopyBands(other.m_Eq);
    m_nGain = other.m_nGain;
    m_bGainMute = other.m_bGainMute;
    m_byEqMode = other.m_byEqMode;
    ApplyFreqLock();
    std::memcpy(m_byComp, other.m_byComp, sizeof m_byComp);
    m_nLimitThreshold = other.m_nLimitThreshold;
    m_nLimitAttack = other.m_nLimitAttack;
    m_nLimitRelease = other.m_nLimitRelease;
    RecalcCurve();
}

void CKTV_OutData::CopyAll(const CKTV_OutData& other)
{
    CopyEQAndLevel(other);
    m_byPolarity = other.m_byPolarity;
    m_byOn = other.m_byOn;
    m_nDelay = other.m_nDelay;
    m_bySpeakerType = other.m_bySpeakerType;
    std::memcpy(m_byMixA, other.m_byMixA, sizeof m_byMixA);
}

void CKTV_OutData::CopyFrom(const CKTV_OutData& other)
{
    m_strName = other.m_strName;
    m_byOn = other.m_byOn;
    m_byPolarity = other.m_byPolarity;
    m_nGain = other.m_nGain;
    m_bGainMute = other.m_bGainMute;
    m_nDelay = other.m_nDelay;
    m_bySpeakerType = other.m_bySpeakerType;
    m_nLimitThreshold = other.m_nLimitThreshold;
    m_nLimitAttack = other.m_nLimitAttack;
    m_nLimitRelease = other.m_nLimitRelease;
    m_byInLeft = other.m_byInLeft;
    m_byInRight = other.m_byInRight;
    m_byIn5 = other.m_byIn5;
    m_bInLeftMute = other.m_bInLeftMute;
    m_bInRightMute = other.m_bInRightMute;
    m_bIn5Mute = other.m_bIn5Mute;
    m_byInBalance = other.m_byInBalance;
    m_Eq.CopyBands(other.m_Eq);
    std::memcpy(m_byMixA, other.m_byMixA, sizeof m_byMixA);
}
