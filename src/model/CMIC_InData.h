// The microphone input of a scene: its equaliser (9 bands, the first a low shelf and the last a
// high shelf, then high-pass and low-pass), level settings, noise gate, threshold record and
// name. It travels only inside the scene images (block of 112 bytes at image byte 184): the
// change scanner never sends it and no reply loads it, so its stamps only record edits.
//
// Block (8-byte records): 0..8 bands; 9 level: level, polarity, mode byte, on, delay, volume
// (0 while muted); 10 crossovers; 11 byte 0 noise gate; 12 bytes 0..3 threshold; 13 name.
// Bytes the channel does not write travel as the live image holds them.
//
// Thread: setters on the user-interface thread; packers under g_csComm. No lock of its own.
#pragma once

#include "CKTVEQ.h"
#include "CSendData.h"
#include "ChannelCurve.h"
#include "Colours.h"
#include "Geometry.h"
#include "WinTypes.h"

#include <memory>

class CMIC_InData {
public:
    CMIC_InData();
    CMIC_InData(const CMIC_InData&) = delete;
    CMIC_InData& operator=(const CMIC_InData&) = delete;

    // ---- level group (record 9); each setter marks it with g_bOnline ----
    void SetLevel(int n);          // level number, 0 = off
    void SetOn(int nOn);
    void SetPolarity(int nPolarity);
    void SetModeByte(int n);
    void SetDelay(int nStep);
    void SetVolume(int nStep);     // 0 also sets the volume mute
    void SetVolumeMute(BOOL bMute);
    int GetLevel() const { return m_nLevel; }
    int GetOn() const { return m_nOn; }
    int GetPolarity() const { return m_nPolarity; }
    int GetModeByte() const { return m_nModeByte; }
    int GetDelay() const { return m_nDelay; }
    int GetVolume() const { return m_bVolumeMute ? 0 : m_nVolume; }  // 0 while muted
    BOOL IsVolumeMute() const { return m_bVolumeMute; }

    // ---- noise gate (record 11) and threshold (record 12) ----
    void SetNoiseGate(int nStep);  // 0 off, else dBu = step - 120
    void SetThreshold(int nStep);  // shown as step * 0.1 - 30
    void SetThresholdByte2(int n);
    void SetThresholdByte3(int n);
    int GetNoiseGate() const { return m_nNoiseGate; }
    int GetThreshold() const { return m_nThreshold; }
    int GetThresholdByte2() const { return m_nThresholdByte2; }
    int GetThresholdByte3() const { return m_nThresholdByte3; }

    // ---- name (record 13) ----
    // User-interface thread. A name of 8 or more bytes is refused with the "Char len error!"
    // box and FALSE; the old name stays.
    BOOL SetName(const CString& strName);
    CString GetName() const { return m_strName; }

    // ---- identity, look, record numbers ----
    void SetChannelIndex(int n) { m_nChannel = n; }
    int GetChannelIndex() const { return m_nChannel; }
    void SetHandleColor(COLORREF clr) { m_clrHandle = clr; }
    COLORREF GetHandleColor() const { return m_clrHandle; }
    void SetCurveColor(ARGB clr) { m_clrCurve = clr; }
    ARGB GetCurveColor() const { return m_clrCurve; }
    void SetNameRecordNo(int n) { m_nNameRecord = n; }
    void SetLevelRecordNo(int n) { m_nLevelRecord = n; }
    void SetNoiseGateRecordNo(int n) { m_nNoiseGateRecord = n; }
    void SetThresholdRecordNo(int n) { m_nThresholdRecord = n; }
    int GetNameRecordNo() const { return m_nNameRecord; }
    int GetLevelRecordNo() const { return m_nLevelRecord; }
    int GetNoiseGateRecordNo() const { return m_nNoiseGateRecord; }
    int GetThresholdRecordNo() const { return m_nThresholdRecord; }
    void SetSpareFlag(int n) { m_nSpareFlag = n; }
    int GetSpareFlag() const { return m_nSpareFlag; }

    // ---- stamps ----
    void SetLevelModified(int v) { m_nLevelModified = v; }
    void SetNameModified(int v) { m_nNameModified = v; }
    void SetNoiseGateModified(int v) { m_nNoiseGateModified = v; }
    void SetThresholdModified(int v) { m_nThresholdModified = v; }
    int IsLevelModified() const { return m_nLevelModified; }
    int IsNameModified() const { return m_nNameModified; }
    int IsNoiseGateModified() const { return m_nNoiseGateModified; }
    int IsThresholdModified() const { return m_nThresholdModified; }
    // All four stamps and every filter's stamp.
    void SetAllModified(int v);
    BOOL TakeFilterChanges();

    // ---- bands ----
    void BuildEq(int nLastBand, int nFiltersRecord, int nLpHz);
    CKTVEQ& GetEq() { return m_Eq; }
    const CKTVEQ& GetEq() const { return m_Eq; }
    int GetFilterCount() const { return m_Eq.GetSize(); }
    int GetBandCount() const { return m_Eq.GetSize() - 2; }
    CFilter* GetFilter(int i) const { return m_Eq.GetAt(i); }  // null outside the list
    CFilter* GetHighPass() const { return m_Eq.GetHighPass(); }
    CFilter* GetLowPass() const { return m_Eq.GetLowPass(); }
    void MuteAllBands(BOOL bOn);
    BOOL IsAllBypass();

    // ---- curve ----
    void SetCurveRect(const CRect& rc);
    void RecalcCurve();
    void RecalcBandCurve(int nEntry);
    const CChannelCurve& GetCurve() const { return m_Curve; }

    // Name, volume, delay and bands of another microphone; no stamp.
    void CopyFrom(const CMIC_InData& other);

    // ---- records (type 1 frames, which nothing in the program sends) ----
    std::unique_ptr<CSendData> PutLevelRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutFiltersRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutNoiseGateRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutThresholdRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutNameRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutBandRecord(int nBand, int nRecord);
    void PutChannelRecords();
    // All records, then the whole block of the live image written to the given scene.
    std::unique_ptr<CSendData> SendAll(int nScene);

    // Loads the channel from its 112-byte block; no stamp is left set.
    void LoadFromDevice(const BYTE* pBlock);
    void SetLevelRecord(const BYTE* pRecord);
    void SetFiltersRecord(const BYTE* pRecord);
    void SetNoiseGateRecord(const BYTE* pRecord);
    void SetThresholdRecord(const BYTE* pRecord);

    // ---- value texts ----
    CString GetLevelText() const;
    CString GetVolumeText() const;
    CString GetPolarityText() const;
    CString GetOnText() const;
    CString GetDelayText() const;
    CString GetThresholdText() const;
    CString GetNoiseGateText() const;

private:
    BYTE* LiveRecord(int nRecord) const;
    std::unique_ptr<CSendData> RecordFrame(int nRecord, BOOL bBuild) const;
    void WriteBands();

    CChannelCurve m_Curve;
    CKTVEQ m_Eq;
    CString m_strName;
    int m_nNameRecord = 13;
    int m_nLevel = 0;
    int m_nOn = 1;
    int m_nModeByte = 1;
    int m_nPolarity = 0;
    int m_nDelay = 0;
    int m_nVolume = 400;
    BOOL m_bVolumeMute = 0;
    int m_nLevelRecord = 9;
    int m_nNoiseGate = 40;
    int m_nNoiseGateRecord = 11;
    int m_nThreshold = 500;
    int m_nThresholdByte2 = 0;
    int m_nThresholdByte3 = 0;
    int m_nThresholdRecord = 12;
    int m_nLevelModified = 0;
    int m_nNameModified = 0;
    int m_nNoiseGateModified = 0;
    int m_nThresholdModified = 0;
    int m_nChannel = 0;
    COLORREF m_clrHandle = 0;
    ARGB m_clrCurve = 0;
    BOOL m_bAllBypass = 0;
    int m_nSpareFlag = 1;
};
