// CKTV_OutData: the 37 records of the output block, packed into the live image and loaded
// from a block.
//
// Block layout (8-byte records, 16-bit fields little endian and signed):
//   0..30 band records; 31 level: on, polarity, gain (0 while muted), delay, EQ mode, speaker
//   type; 32 crossovers: high-pass reference Hz, class, slope, low-pass the same; 33 mix A
//   levels 1..8; 34 mix B levels 1..8; 35 limiter: threshold, attack, release, link group,
//   output flag bits (the last two written by the link table and the output page, not here);
//   36 name, zero-padded.
#include "CKTV_OutData.h"

#include "FixedField.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "RecordFields.h"
#include "SceneImage.h"

#include <cstring>

BYTE* CKTV_OutData::LiveRecord(int nRecord) const
{
    const int offset = BlockOffset(BLOCK_OUTPUT, m_nChannel);
    if (offset < 0 || nRecord < 0 || nRecord >= BlockRecords(BLOCK_OUTPUT))
        return nullptr;
    return g_Scene + offset + nRecord * RECORD_SIZE;
}

std::unique_ptr<CSendData> CKTV_OutData::RecordFrame(int nRecord, BOOL bBuild) const
{
    return bBuild ? BuildBlockPacket(BLOCK_OUTPUT, m_nChannel, nRecord) : nullptr;
}

// ---- writers ----

void CKTV_OutData::WriteNameRecord()
{
    if (BYTE* p = LiveRecord(OUT_REC_NAME))
        PutNameField(p, CHANNEL_NAME_SIZE, m_strName);
}

void CKTV_OutData::WriteLevelRecord()
{
    BYTE* p = LiveRecord(OUT_REC_LEVEL);
    if (!p)
        return;
    p[0] = m_byOn;
    p[1] = m_byPolarity;
    PutRecordWord(p + 2, m_bGainMute ? 0 : m_nGain);
    PutRecordWord(p + 4, m_nDelay);
    p[6] = m_byEqMode;
    p[7] = m_bySpeakerType;
}

void CKTV_OutData::WriteFiltersRecord()
{
    if (BYTE* p = LiveRecord(OUT_REC_FILTERS))
        GetFiltersRecord(p);
}

void CKTV_OutData::WriteMixARecord()
{
    if (BYTE* p = LiveRecord(OUT_REC_MIX_A))
        GetMixARecord(p);
}

void CKTV_OutData::WriteMixBRecord()
{
    if (BYTE* p = LiveRecord(OUT_REC_MIX_B))
        GetMixBRecord(p);
}

void CKTV_OutData::WriteLimitRecord()
{
    BYTE* p = LiveRecord(OUT_REC_LIMIT);
    if (!p)
        return;
    PutRecordWord(p, m_nLimitThreshold);
    PutRecordWord(p + 2, m_nLimitAttack);
    PutRecordWord(p + 4, m_nLimitRelease);
}

// ---- packers ----

std::unique_ptr<CSendData> CKTV_OutData::PutNameRecord()
{
    WriteNameRecord();
    return RecordFrame(OUT_REC_NAME, TRUE);
}

std::unique_ptr<CSendData> CKTV_OutData::PutLevelRecord(BOOL bBuild)
{
    WriteLevelRecord();
    return RecordFrame(OUT_REC_LEVEL, bBuild);
}

std::unique_ptr<CSendData> CKTV_OutData::PutFiltersRecord(BOOL bBuild)
{
    WriteFiltersRecord();
    return RecordFrame(OUT_REC_FILTERS, bBuild);
}

std::unique_ptr<CSendData> CKTV_OutData::SendFiltersRecord()
{
    CFilter* filters[2] = {GetHighPass(), GetLowPass()};
    for (CFilter* f : filters) {
        if (f)
            f->SetRefFreq(f->GetFreq());
    }
    WriteFiltersRecord();
    for (CFilter* f : filters) {
        if (f)
            f->SetModified(0);
    }
    return RecordFrame(OUT_REC_FILTERS, TRUE);
}

std::unique_ptr<CSendData> CKTV_OutData::PutMixARecord(BOOL bBuild)
{
    WriteMixARecord();
    return RecordFrame(OUT_REC_MIX_A, bBuild);
}

std::unique_ptr<CSendData> CKTV_OutData::PutMixBRecord(BOOL bBuild)
{
    WriteMixBRecord();
    return RecordFrame(OUT_REC_MIX_B, bBuild);
}

std::unique_ptr<CSendData> CKTV_OutData::PutLimitRecord(BOOL bBuild)
{
    WriteLimitRecord();
    return RecordFrame(OUT_REC_LIMIT, bBuild);
}

std::unique_ptr<CSendData> CKTV_OutData::PutBandRecord(int nBand, int nRecord)
{
    if (nBand < 0 || nBand >= GetFilterCount() - 2)
        return nullptr;
    BYTE* p = LiveRecord(nBand);
    if (!p)
        return nullptr;
    m_Eq.GetBandPacket(nBand).ToBytes(p);
    return RecordFrame(nRecord, TRUE);
}

void CKTV_OutData::PutChannelRecords()
{
    for (int i = 0; i < GetFilterCount() - 2; ++i) {
        if (BYTE* p = LiveRecord(i))
            m_Eq.GetBandPacket(i).ToBytes(p);
    }
    WriteNameRecord();
    WriteLevelRecord();
    WriteFiltersRecord();
    WriteMixBRecord();
    WriteLimitRecord();
    WriteMixARecord();
}

// ---- readers ----

void CKTV_OutData::GetFiltersRecord(BYTE* pRecord) const
{
    if (pRecord)
        PutCrossoverRecord(pRecord, GetHighPass(), GetLowPass());
}

void CKTV_OutData::GetLimitRecord(BYTE* pRecord) const
{
    if (!pRecord)
        return;
    PutRecordWord(pRecord, m_nLimitThreshold);
    PutRecordWord(pRecord + 2, m_nLimitAttack);
    PutRecordWord(pRecord + 4, m_nLimitRelease);
    if (m_nChannel >= 0 && m_nChannel < LINK_CHANNELS)
        pRecord[6] = BYTE(g_nLinkGroup[m_nChannel]);
}

void CKTV_OutData::GetMixARecord(BYTE* pRecord) const
{
    if (pRecord)
        std::memcpy(pRecord, m_byMixA, RECORD_SIZE);
}

void CKTV_OutData::GetMixBRecord(BYTE* pRecord) const
{
    if (pRecord)
        std::memcpy(pRecord, m_byMixB, RECORD_SIZE);
}

// ---- unpackers ----

void CKTV_OutData::LoadFromDevice(const BYTE* pBlock)
{
    if (!pBlock)
        return;
    for (int i = 0; i < GetFilterCount() - 2; ++i)
        m_Eq.SetBandPacket(EQBandRecord::FromBytes(pBlock + i * RECORD_SIZE), i);
    m_strName = BytesToTrimmedString(pBlock + OUT_REC_NAME * RECORD_SIZE, CHANNEL_NAME_SIZE);
    SetLevelRecord(pBlock + OUT_REC_LEVEL * RECORD_SIZE);
    SetFiltersRecord(pBlock + OUT_REC_FILTERS * RECORD_SIZE);
    SetLimitRecord(pBlock + OUT_REC_LIMIT * RECORD_SIZE);
    SetMixARecord(pBlock + OUT_REC_MIX_A * RECORD_SIZE);
    SetMixBRecord(pBlock + OUT_REC_MIX_B * RECORD_SIZE);
}

void CKTV_OutData::SetLevelRecord(const BYTE* pRecord)
{
    if (!pRecord)
        return;
    m_byOn = pRecord[0];
    m_byPolarity = pRecord[1];
    m_nDelay = GetRecordWord(pRecord + 4);
    m_nGain = GetRecordWord(pRecord + 2);
    m_bGainMute = m_nGain == 0;
    m_byEqMode = pRecord[6];
    ApplyFreqLock();
    m_bySpeakerType = pRecord[7];
}

void CKTV_OutData::SetFiltersRecord(const BYTE* pRecord)
{
    if (pRecord)
        LoadCrossoverRecord(pRecord, GetHighPass(), GetLowPass());
}

void CKTV_OutData::SetLimitRecord(const BYTE* pRecord)
{
    if (!pRecord)
        return;
    m_nLimitThreshold = GetRecordWord(pRecord);
    m_nLimitAttack = GetRecordWord(pRecord + 2);
    m_nLimitRelease = GetRecordWord(pRecord + 4);
    if (m_nChannel >= 0 && m_nChannel < LINK_CHANNELS)
        g_nLinkGroup[m_nChannel] = pRecord[6];
}

void CKTV_OutData::SetMixARecord(const BYTE* pRecord)
{
    if (pRecord)
        std::memcpy(m_byMixA, pRecord, RECORD_SIZE);
}

void CKTV_OutData::SetMixBRecord(const BYTE* pRecord)
{
    if (pRecord)
        std::memcpy(m_byMixB, pRecord, RECORD_SIZE);
}

void CKTV_OutData::SetMixBBytes(const BYTE* pLevels)
{
    SetMixBRecord(pLevels);
}

void CKTV_OutData::SetInputRecord(const BYTE* pLevels)
{
    if (!pLevels)
        return;
    m_byInLeft = pLevels[0];
    m_byInRight = pLevels[1];
    m_byIn5 = pLevels[2];
    m_byIn4 = pLevels[3];
    m_bInLeftMute = m_byInLeft == 0;
    m_bInRightMute = m_byInRight == 0;
    m_bIn5Mute = m_byIn5 == 0;
    m_bIn4Mute = m_byIn4 == 0;
}
