#include "CMusic_InData.h"

#include "FixedField.h"
#include "FrameBuilder.h"
#include "ChannelBands.h"
#include "Globals.h"
#include "RecordFields.h"
#include "SceneImage.h"
#include "ValueText.h"

namespace {
constexpr int kMusicFiltersRecord = 32;
}

CMusic_InData::CMusic_InData()
{
    BuildEq(30, kMusicFiltersRecord, 20000);
}

// ---- setters ----

void CMusic_InData::SetOn(int nOn)
{
    m_nOn = nOn;
    m_nVolumeModified = g_bOnline;
}

void CMusic_InData::SetPolarity(int nPolarity)
{
    m_nPolarity = nPolarity;
    m_nVolumeModified = g_bOnline;
}

void CMusic_InData::SetDelay(int nStep)
{
    m_nDelay = nStep;
    m_nVolumeModified = g_bOnline;
}

void CMusic_InData::SetVolume(int nStep)
{
    m_nVolume = nStep;
    m_nVolumeModified = g_bOnline;
}

void CMusic_InData::ApplyFreqLock() { LockBandFrequencies(m_Eq, m_nEqMode); }

void CMusic_InData::SetEqMode(int nMode)
{
    m_nEqMode = nMode;
    ApplyFreqLock();
    m_nVolumeModified = g_bOnline;
}

void CMusic_InData::SetNoiseGate(int nStep)
{
    m_nNoiseGate = nStep;
    m_nNoiseGateModified = g_bOnline;
}

void CMusic_InData::SetThreshold(int nStep)
{
    m_nThreshold = nStep;
    m_nThresholdModified = g_bOnline;
}

void CMusic_InData::SetThresholdByte2(int n)
{
    m_nThresholdByte2 = n;
    m_nThresholdModified = g_bOnline;
}

void CMusic_InData::SetThresholdByte3(int n)
{
    m_nThresholdByte3 = n;
    m_nThresholdModified = g_bOnline;
}

BOOL CMusic_InData::SetName(const CString& strName)
{
    if (!CheckNameLength(strName, CHANNEL_NAME_SIZE))
        return FALSE;
    m_strName = strName;
    m_nNameModified = g_bOnline;
    return TRUE;
}

// ---- stamps, bands, curve ----

void CMusic_InData::SetAllModified(int v)
{
    m_nVolumeModified = v;
    m_nNameModified = v;
    m_nNoiseGateModified = v;
    m_nThresholdModified = v;
    SetFilterStamps(m_Eq, v);
}

BOOL CMusic_InData::TakeFilterChanges() { return TakeCrossoverChanges(m_Eq); }

void CMusic_InData::BuildEq(int nLastBand, int nFiltersRecord, int nLpHz)
{
    m_Eq.BuildMixedEq(nLastBand, nFiltersRecord, nLpHz);
    SettleFilters(m_Eq);
    ApplyFreqLock();
}

void CMusic_InData::MuteAllBands(BOOL bOn) { MuteFilters(m_Eq, bOn); }

BOOL CMusic_InData::IsAllBypass()
{
    m_bAllBypass = AreAllFiltersBypassed(m_Eq);
    return m_bAllBypass;
}

void CMusic_InData::SetCurveRect(const CRect& rc)
{
    m_Curve.SetRect(rc);
    m_Eq.SetCurveRect(rc);
    RecalcCurve();
}

void CMusic_InData::RecalcCurve()
{
    m_Curve.SetFloatX();
    m_Eq.CalcCurve();
    m_Curve.CopyY(m_Eq, true, true);
}

void CMusic_InData::RecalcBandCurve(int nEntry)
{
    m_Eq.CalcBandCurve(nEntry);
    m_Curve.CopyY(m_Eq, true, false);
}

void CMusic_InData::CopyFrom(const CMusic_InData& other)
{
    m_strName = other.m_strName;
    m_nVolume = other.m_nVolume;
    m_nOn = other.m_nOn;
    m_nPolarity = other.m_nPolarity;
    m_nDelay = other.m_nDelay;
    m_nThreshold = other.m_nThreshold;
    m_nThresholdByte2 = other.m_nThresholdByte2;
    m_nThresholdByte3 = other.m_nThresholdByte3;
    m_Eq.CopyBands(other.m_Eq);
}

// ---- records ----

BYTE* CMusic_InData::LiveRecord(int nRecord) const
{
    const int offset = BlockOffset(BLOCK_MUSIC, m_nChannel);
    if (offset < 0 || nRecord < 0 || nRecord >= BlockRecords(BLOCK_MUSIC))
        return nullptr;
    return g_Scene + offset + nRecord * RECORD_SIZE;
}

std::unique_ptr<CSendData> CMusic_InData::RecordFrame(int nRecord, BOOL bBuild) const
{
    return bBuild ? BuildBlockPacket(BLOCK_MUSIC, m_nChannel, nRecord) : nullptr;
}

std::unique_ptr<CSendData> CMusic_InData::PutVolumeRecord(BOOL bBuild)
{
    // Byte 0 is not the channel's: it travels as the image holds it.
    if (BYTE* p = LiveRecord(31)) {
        p[1] = BYTE(m_nPolarity);
        p[2] = BYTE(m_nEqMode);
        p[3] = BYTE(m_nOn);
        PutRecordWord(p + 4, m_nDelay);
        PutRecordWord(p + 6, m_nVolume);
    }
    return RecordFrame(m_nVolumeRecord, bBuild);
}

std::unique_ptr<CSendData> CMusic_InData::PutFiltersRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(kMusicFiltersRecord))
        PutCrossoverRecord(p, GetHighPass(), GetLowPass());
    return RecordFrame(kMusicFiltersRecord, bBuild);
}

std::unique_ptr<CSendData> CMusic_InData::PutNoiseGateRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(33))
        p[0] = BYTE(m_nNoiseGate);
    return RecordFrame(m_nNoiseGateRecord, bBuild);
}

std::unique_ptr<CSendData> CMusic_InData::PutThresholdRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(34)) {
        PutRecordWord(p, m_nThreshold);
        p[2] = BYTE(m_nThresholdByte2);
        p[3] = BYTE(m_nThresholdByte3);
    }
    return RecordFrame(m_nThresholdRecord, bBuild);
}

void CMusic_InData::WriteName()
{
    if (BYTE* p = LiveRecord(35))
        PutNameField(p, CHANNEL_NAME_SIZE, m_strName);
}

std::unique_ptr<CSendData> CMusic_InData::PutNameRecord()
{
    WriteName();
    return RecordFrame(m_nNameRecord, TRUE);
}

std::unique_ptr<CSendData> CMusic_InData::PutBandRecord(int nBand, int nRecord)
{
    BYTE* p = nBand >= 0 && nBand < GetBandCount() ? LiveRecord(nBand) : nullptr;
    if (!p)
        return nullptr;
    m_Eq.GetBandPacket(nBand).ToBytes(p);
    return RecordFrame(nRecord, TRUE);
}

void CMusic_InData::PutChannelRecords()
{
    for (int i = 0; i < GetBandCount(); ++i) {
        if (BYTE* p = LiveRecord(i))
            m_Eq.GetBandPacket(i).ToBytes(p);
    }
    WriteName();
    PutVolumeRecord(FALSE);
    PutFiltersRecord(FALSE);
    PutThresholdRecord(FALSE);
    PutNoiseGateRecord(FALSE);
}

std::unique_ptr<CSendData> CMusic_InData::SendAll(int nScene)
{
    PutChannelRecords();
    return BuildWholeBlockPacket(nScene, BLOCK_MUSIC, m_nChannel, TRUE);
}

void CMusic_InData::LoadFromDevice(const BYTE* pBlock)
{
    if (!pBlock)
        return;
    for (int i = 0; i < GetBandCount(); ++i)
        m_Eq.SetBandPacket(EQBandRecord::FromBytes(pBlock + i * RECORD_SIZE), i);
    m_strName = BytesToTrimmedString(pBlock + 35 * RECORD_SIZE, CHANNEL_NAME_SIZE);
    SetVolumeRecord(pBlock + 31 * RECORD_SIZE);
    SetFiltersRecord(pBlock + kMusicFiltersRecord * RECORD_SIZE);
    SetNoiseGateRecord(pBlock + 33 * RECORD_SIZE);
    SetThresholdRecord(pBlock + 34 * RECORD_SIZE);
}

void CMusic_InData::SetVolumeRecord(const BYTE* p)
{
    if (!p)
        return;
    m_nOn = p[3];
    m_nPolarity = p[1];
    m_nVolume = GetRecordWord(p + 6);
    m_nDelay = GetRecordWord(p + 4);
    m_nEqMode = p[2];
    ApplyFreqLock();
}

void CMusic_InData::SetFiltersRecord(const BYTE* p)
{
    if (p)
        LoadCrossoverRecord(p, GetHighPass(), GetLowPass());
}

void CMusic_InData::SetNoiseGateRecord(const BYTE* p)
{
    if (p)
        m_nNoiseGate = p[0];
}

void CMusic_InData::SetThresholdRecord(const BYTE* p)
{
    if (!p)
        return;
    m_nThreshold = GetRecordWord(p);
    m_nThresholdByte2 = p[2];
    m_nThresholdByte3 = p[3];
}

// ---- texts ----

CString CMusic_InData::GetVolumeText() const { return FormatText("%ddB", m_nVolume - 80); }

CString CMusic_InData::GetPolarityText() const { return PolarityText(m_nPolarity); }

CString CMusic_InData::GetOnText() const { return OnOffText(m_nOn); }

CString CMusic_InData::GetDelayText() const { return DelayStepText(m_nDelay); }

CString CMusic_InData::GetThresholdText() const { return FormatText("%0.1f", m_nThreshold * 0.1 - 30); }

CString CMusic_InData::GetNoiseGateText() const
{
    if (m_nNoiseGate == 0)
        return "OFF";
    return FormatText("%0.1fdBu", double(m_nNoiseGate - 120));
}
