#include "CEffect_Data.h"

#include "ChannelBands.h"
#include "FixedField.h"
#include "Globals.h"
#include "RecordFields.h"
#include "SceneImage.h"
#include "ValueText.h"

namespace {

// Offsets inside the effect block.
constexpr int kFiltersAt = 120;
constexpr int kEchoBalanceAt = 128;
constexpr int kEchoDelayAt = 129;
constexpr int kEchoParam3At = 130;
constexpr int kEchoParam4At = 131;
constexpr int kEchoParam5At = 134;
constexpr int kReverbTimeAt = 136;
constexpr int kReverbParam2At = 137;
constexpr int kReverbParam3At = 138;
constexpr int kReverbParam4At = 139;
constexpr int kReverbParam5At = 140;
constexpr int kReverbDelayAt = 143;
constexpr int kNameAt = 144;
constexpr int kFiltersRecord = 8;  // band index of the crossovers: the device's record number

BYTE* LiveBlock() { return g_Scene + EFFECT_BLOCK_OFFSET; }

}  // namespace

CEffect_Data::CEffect_Data()
{
    m_Eq.Build3BandEq(2, kFiltersRecord, 20000);
    SettleFilters(m_Eq);
}

// ---- block ----

void CEffect_Data::LoadFromDevice(const BYTE* pBlock)
{
    if (!pBlock)
        return;
    m_strName = FieldToString(pBlock + kNameAt, CHANNEL_NAME_SIZE);
    m_nEchoBalance = pBlock[kEchoBalanceAt];
    m_nEchoDelay = pBlock[kEchoDelayAt];
    m_nEchoParam3 = pBlock[kEchoParam3At];
    m_nEchoParam4 = pBlock[kEchoParam4At];
    m_nEchoParam5 = pBlock[kEchoParam5At];
    m_nReverbTime = pBlock[kReverbTimeAt];
    m_nReverbParam2 = pBlock[kReverbParam2At];
    m_nReverbParam3 = pBlock[kReverbParam3At];
    m_nReverbParam4 = pBlock[kReverbParam4At];
    m_nReverbParam5 = pBlock[kReverbParam5At];
    m_nReverbDelay = pBlock[kReverbDelayAt];
    LoadFiltersFromDevice(pBlock + kFiltersAt);
    for (int k = 0; k < GetFilterCount() - 2; ++k)
        m_Eq.SetBandPacket(EQBandRecord::FromBytes(pBlock + k * RECORD_SIZE), k);
}

void CEffect_Data::LoadFiltersFromDevice(const BYTE* pRecord)
{
    if (pRecord)
        LoadCrossoverRecord(pRecord, GetHighPass(), GetLowPass());
}

void CEffect_Data::PutAllRecords()
{
    BYTE* p = LiveBlock();
    PutNameField(p + kNameAt, CHANNEL_NAME_SIZE, m_strName);
    p[kEchoBalanceAt] = BYTE(m_nEchoBalance);
    p[kEchoDelayAt] = BYTE(m_nEchoDelay);
    p[kEchoParam3At] = BYTE(m_nEchoParam3);
    p[kEchoParam4At] = BYTE(m_nEchoParam4);
    p[kEchoParam5At] = BYTE(m_nEchoParam5);
    p[kReverbTimeAt] = BYTE(m_nReverbTime);
    p[kReverbParam2At] = BYTE(m_nReverbParam2);
    p[kReverbParam3At] = BYTE(m_nReverbParam3);
    p[kReverbParam4At] = BYTE(m_nReverbParam4);
    p[kReverbParam5At] = BYTE(m_nReverbParam5);
    p[kReverbDelayAt] = BYTE(m_nReverbDelay);
    for (int k = 0; k < GetFilterCount() - 2; ++k)
        m_Eq.GetBandPacket(k).ToBytes(p + k * RECORD_SIZE);
    PutFiltersRecord();
}

void CEffect_Data::PutFiltersRecord()
{
    PutCrossoverRecord(LiveBlock() + kFiltersAt, GetHighPass(), GetLowPass());
}

void CEffect_Data::SetAllModified(int v)
{
    m_nNameModified = v;
    m_nEchoModified = v;
    m_nReverbModified = v;
    SetFilterStamps(m_Eq, v);
}

// ---- values ----

BOOL CEffect_Data::SetName(const CString& strName)
{
    if (!CheckNameLength(strName, CHANNEL_NAME_SIZE))
        return FALSE;
    m_strName = strName;
    m_nNameModified = g_bOnline;
    return TRUE;
}

void CEffect_Data::SetEchoBalance(int n) { m_nEchoBalance = n; m_nEchoModified = g_bOnline; }
void CEffect_Data::SetEchoDelay(int n) { m_nEchoDelay = n; m_nEchoModified = g_bOnline; }
void CEffect_Data::SetEchoParam3(int n) { m_nEchoParam3 = n; m_nEchoModified = g_bOnline; }
void CEffect_Data::SetEchoParam4(int n) { m_nEchoParam4 = n; m_nEchoModified = g_bOnline; }
void CEffect_Data::SetEchoParam5(int n) { m_nEchoParam5 = n; m_nEchoModified = g_bOnline; }
void CEffect_Data::SetReverbTime(int n) { m_nReverbTime = n; m_nReverbModified = g_bOnline; }
void CEffect_Data::SetReverbParam2(int n) { m_nReverbParam2 = n; m_nReverbModified = g_bOnline; }
void CEffect_Data::SetReverbParam3(int n) { m_nReverbParam3 = n; m_nReverbModified = g_bOnline; }
void CEffect_Data::SetReverbParam4(int n) { m_nReverbParam4 = n; m_nReverbModified = g_bOnline; }
void CEffect_Data::SetReverbParam5(int n) { m_nReverbParam5 = n; m_nReverbModified = g_bOnline; }
void CEffect_Data::SetReverbDelay(int n) { m_nReverbDelay = n; m_nReverbModified = g_bOnline; }

// ---- bands and curve ----

void CEffect_Data::MuteAllBands(BOOL bOn) { MuteFilters(m_Eq, bOn); }

BOOL CEffect_Data::IsAllBypass()
{
    m_bAllBypass = AreAllFiltersBypassed(m_Eq);
    return m_bAllBypass;
}

void CEffect_Data::SetCurveRect(const CRect& rc)
{
    m_Curve.SetRect(rc);
    m_Eq.SetCurveRect(rc);
    RecalcCurve();
}

void CEffect_Data::RecalcCurve()
{
    m_Eq.CalcCurve();
    m_Curve.CopyY(m_Eq, true, true);
}

// ---- texts ----

CString CEffect_Data::GetEchoBalanceText() const
{
    if (m_nEchoBalance < 100)
        return FormatText("R_%d%%", 100 - m_nEchoBalance);
    if (m_nEchoBalance == 100)
        return "OFF";
    if (m_nEchoBalance <= 195)
        return FormatText("L_%d%%", m_nEchoBalance - 100);
    return CString();
}

CString CEffect_Data::GetEchoDelayText() const { return FormatText("%dms", 2 * m_nEchoDelay); }
CString CEffect_Data::GetEchoParam3Text() const { return FormatText("%d%%", m_nEchoParam3); }
CString CEffect_Data::GetEchoParam4Text() const { return FormatText("%d%%", m_nEchoParam4); }
CString CEffect_Data::GetEchoParam5Text() const { return FormatText("%d", m_nEchoParam5); }
CString CEffect_Data::GetReverbTimeText() const { return FormatText("%0.1fs", m_nReverbTime * 0.1); }
CString CEffect_Data::GetReverbParam2Text() const { return FormatText("%d%%", m_nReverbParam2); }
CString CEffect_Data::GetReverbParam3Text() const { return FormatText("%d", m_nReverbParam3); }
CString CEffect_Data::GetReverbParam4Text() const { return FormatText("%d%%", m_nReverbParam4); }
CString CEffect_Data::GetReverbParam5Text() const { return FormatText("%d%%", m_nReverbParam5); }
CString CEffect_Data::GetReverbDelayText() const { return FormatText("%dms", m_nReverbDelay); }
