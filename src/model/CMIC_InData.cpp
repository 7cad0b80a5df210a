#include "CMIC_InData.h"

#include "FrameBuilder.h"
#include "ChannelBands.h"
#include "Globals.h"
#include "RecordFields.h"
#include "SceneImage.h"
#include "ValueText.h"

namespace {
constexpr int kMicFiltersRecord = 10;
}

CMIC_InData::CMIC_InData()
{
    BuildEq(8, kMicFiltersRecord, 20000);
}

// ---- setters ----

void CMIC_InData::SetLevel(int n)
{
    m_nLevel = n;
    m_nLevelModified = g_bOnline;
}

void CMIC_InData::SetOn(int nOn)
{
    m_nOn = nOn;
    m_nLevelModified = g_bOnline;
}

void CMIC_InData::SetPolarity(int nPolarity)
{
    m_nPolarity = nPolarity;
    m_nLevelModified = g_bOnline;
}

void CMIC_InData::SetModeByte(int n)
{
    m_nModeByte = n;
    m_nLevelModified = g_bOnline;
}

void CMIC_InData::SetDelay(int nStep)
{
    m_nDelay = nStep;
    m_nLevelModified = g_bOnline;
}

void CMIC_InData::SetVolume(int nStep)
{
    m_nVolume = nStep;
    m_bVolumeMute = nStep == 0;
    m_nLevelModified = g_bOnline;
}

void CMIC_InData::SetVolumeMute(BOOL bMute)
{
    m_bVolumeMute = bMute;
    m_nLevelModified = g_bOnline;
}

void CMIC_InData::SetNoiseGate(int nStep)
{
    m_nNoiseGate = nStep;
    m_nNoiseGateModified = g_bOnline;
}

void CMIC_InData::SetThreshold(int nStep)
{
    m_nThreshold = nStep;
    m_nThresholdModified = g_bOnline;
}

void CMIC_InData::SetThresholdByte2(int n)
{
    m_nThresholdByte2 = n;
    m_nThresholdModified = g_bOnline;
}

void CMIC_InData::SetThresholdByte3(int n)
{
    m_nThresholdByte3 = n;
    m_nThresholdModified = g_bOnline;
}

BOOL CMIC_InData::SetName(const CString& strName)
{
    if (!CheckNameLength(strName, CHANNEL_NAME_SIZE))
        return FALSE;
    m_strName = strName;
    m_nNameModified = g_bOnline;
    return TRUE;
}

// ---- stamps, bands, curve ----

void CMIC_InData::SetAllModified(int v)
{
    m_nLevelModified = v;
    m_nNameModified = v;
    m_nNoiseGateModified = v;
    m_nThresholdModified = v;
    SetFilterStamps(m_Eq, v);
}

BOOL CMIC_InData::TakeFilterChanges() { return TakeCrossoverChanges(m_Eq); }

void CMIC_InData::BuildEq(int nLastBand, int nFiltersRecord, int nLpHz)
{
    m_Eq.BuildShelfEq(nLastBand, nFiltersRecord, nLpHz);
    SettleFilters(m_Eq);
}

void CMIC_InData::MuteAllBands(BOOL bOn) { MuteFilters(m_Eq, bOn); }

BOOL CMIC_InData::IsAllBypass()
{
    m_bAllBypass = AreAllFiltersBypassed(m_Eq);
    return m_bAllBypass;
}

void CMIC_InData::SetCurveRect(const CRect& rc)
{
    m_Curve.SetRect(rc);
    m_Eq.SetCurveRect(rc);
    RecalcCurve();
}

void CMIC_InData::RecalcCurve()
{
    m_Eq.CalcCurve();
    m_Curve.CopyY(m_Eq, true, true);
}

void CMIC_InData::RecalcBandCurve(int nEntry)
{
    m_Eq.CalcBandCurve(nEntry);
    m_Curve.CopyY(m_Eq, true, false);
}

void CMIC_InData::CopyFrom(const CMIC_InData& other)
{
    m_strName = other.m_strName;
    m_nVolume = other.m_nVolume;
    m_bVolumeMute = other.m_bVolumeMute;
    m_nDelay = other.m_nDelay;
    m_Eq.CopyBands(other.m_Eq);
}

// ---- records ----

BYTE* CMIC_InData::LiveRecord(int nRecord) const
{
    const int offset = BlockOffset(BLOCK_MIC, m_nChannel);
    if (offset < 0 || nRecord < 0 || nRecord >= BlockRecords(BLOCK_MIC))
        return nullptr;
    return g_Scene + offset + nRecord * RECORD_SIZE;
}

std::unique_ptr<CSendData> CMIC_InData::RecordFrame(int nRecord, BOOL bBuild) const
{
    return bBuild ? BuildBlockPacket(BLOCK_MIC, m_nChannel, nRecord) : nullptr;
}

std::unique_ptr<CSendData> CMIC_InData::PutLevelRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(9)) {
        p[0] = BYTE(m_nLevel);
        p[1] = BYTE(m_nPolarity);
        p[2] = BYTE(m_nModeByte);
        p[3] = BYTE(m_nOn);
        PutRecordWord(p + 4, m_nDelay);
        PutRecordWord(p + 6, m_bVolumeMute ? 0 : m_nVolume);
    }
    return RecordFrame(m_nLevelRecord, bBuild);
}

std::unique_ptr<CSendData> CMIC_InData::PutFiltersRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(kMicFiltersRecord))
        PutCrossoverRecord(p, GetHighPass(), GetLowPass());
    return RecordFrame(kMicFiltersRecord, bBuild);
}

std::unique_ptr<CSendData> CMIC_InData::PutNoiseGateRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(11))
        p[0] = BYTE(m_nNoiseGate);
    return RecordFrame(m_nNoiseGateRecord, bBuild);
}

std::unique_ptr<CSendData> CMIC_InData::PutThresholdRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(12)) {
        PutRecordWord(p, m_nThreshold);
        p[2] = BYTE(m_nThresholdByte2);
        p[3] = BYTE(m_nThresholdByte3);
    }
    return RecordFrame(m_nThresholdRecord, bBuild);
}

std::unique_ptr<CSendData> CMIC_InData::PutNameRecord(BOOL bBuild)
{
    if (BYTE* p = LiveRecord(13))
        PutNameField(p, CHANNEL_NAME_SIZE, m_strName);
    return RecordFrame(m_nNameRecord, bBuild);
}

std::unique_ptr<CSendData> CMIC_InData::PutBandRecord(int nBand, int nRecord)
{
    BYTE* p = nBand >= 0 && nBand < GetBandCount() ? LiveRecord(nBand) : nullptr;
    if (!p)
        return nullptr;
    m_Eq.GetBandPacket(nBand).ToBytes(p);
    return RecordFrame(nRecord, TRUE);
}

void CMIC_InData::WriteBands()
{
    for (int i = 0; i < GetBandCount(); ++i) {
        if (BYTE* p = LiveRecord(i))
            m_Eq.GetBandPacket(i).ToBytes(p);
    }
}

void CMIC_InData::PutChannelRecords()
{
    WriteBands();
    PutNameRecord(FALSE);
    PutLevelRecord(FALSE);
    PutFiltersRecord(FALSE);
    PutThresholdRecord(FALSE);
    PutNoiseGateRecord(FALSE);
}

std::unique_ptr<CSendData> CMIC_InData::SendAll(int nScene)
{
    PutChannelRecords();
    return BuildWholeBlockPacket(nScene, BLOCK_MIC, m_nChannel, TRUE);
}

void CMIC_InData::LoadFromDevice(const BYTE* pBlock)
{
    if (!pBlock)
        return;
    for (int i = 0; i < GetBandCount(); ++i)
        m_Eq.SetBandPacket(EQBandRecord::FromBytes(pBlock + i * RECORD_SIZE), i);
    m_strName = GetNameField(pBlock + 13 * RECORD_SIZE, CHANNEL_NAME_SIZE);
    SetLevelRecord(pBlock + 9 * RECORD_SIZE);
    SetNoiseGateRecord(pBlock + 11 * RECORD_SIZE);
    SetThresholdRecord(pBlock + 12 * RECORD_SIZE);
    SetFiltersRecord(pBlock + kMicFiltersRecord * RECORD_SIZE);
}

void CMIC_InData::SetLevelRecord(const BYTE* p)
{
    if (!p)
        return;
    m_nLevel = p[0];
    m_nPolarity = p[1];
    m_nModeByte = p[2];
    m_nOn = p[3];
    m_nDelay = GetRecordWord(p + 4);
    m_nVolume = GetRecordWord(p + 6);
    m_bVolumeMute = m_nVolume == 0;
}

void CMIC_InData::SetFiltersRecord(const BYTE* p)
{
    if (p)
        LoadCrossoverRecord(p, GetHighPass(), GetLowPass());
}

void CMIC_InData::SetNoiseGateRecord(const BYTE* p)
{
    if (p)
        m_nNoiseGate = p[0];
}

void CMIC_InData::SetThresholdRecord(const BYTE* p)
{
    if (!p)
        return;
    m_nThreshold = GetRecordWord(p);
    m_nThresholdByte2 = p[2];
    m_nThresholdByte3 = p[3];
}

// ---- texts ----

CString CMIC_InData::GetLevelText() const
{
    if (m_nLevel == 0)
        return g_bChinese ? " 关 " : " OFF ";
    return FormatText(g_bChinese ? " %d级" : " %dLevel", m_nLevel);
}

CString CMIC_InData::GetVolumeText() const { return FormatText("%ddB", m_nVolume - 80); }

CString CMIC_InData::GetPolarityText() const { return PolarityText(m_nPolarity); }

CString CMIC_InData::GetOnText() const { return OnOffText(m_nOn); }

CString CMIC_InData::GetDelayText() const { return DelayStepText(m_nDelay); }

CString CMIC_InData::GetThresholdText() const { return FormatText("%0.1f", m_nThreshold * 0.1 - 30); }

CString CMIC_InData::GetNoiseGateText() const
{
    if (m_nNoiseGate == 0)
        return "OFF";
    return FormatText("%0.1fdBu", double(m_nNoiseGate - 120));
}
