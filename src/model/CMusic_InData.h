// One of the six music (line) inputs of a scene: its equaliser (31 bands, high-pass,
// low-pass), volume settings, noise gate, threshold record and name, packed into and loaded
// from its 288-byte block of the scene image (byte 296 + 288 * index).
//
// Block (8-byte records): 0..30 bands; 31 volume: byte 0 not ours, polarity, EQ mode, on,
// delay, volume; 32 crossovers; 33 byte 0 noise gate; 34 bytes 0..3 threshold; 35 name.
// Bytes the channel does not write travel as the live image holds them.
//
// The change scanner sends the volume record, the noise gate and the bands; the name, the
// threshold and the crossovers reach the device only inside a whole block.
//
// Thread: setters on the user-interface thread; scanner and packers on the comm worker while
// it holds g_csComm. No lock of its own.
#pragma once

#include "CKTVEQ.h"
#include "CSendData.h"
#include "ChannelCurve.h"
#include "Colours.h"
#include "Geometry.h"
#include "WinTypes.h"

#include <memory>

class CMusic_InData {
public:
    CMusic_InData();
    CMusic_InData(const CMusic_InData&) = delete;
    CMusic_InData& operator=(const CMusic_InData&) = delete;

    // ---- volume group (record 31); each setter marks it with g_bOnline ----
    void SetOn(int nOn);
    void SetPolarity(int nPolarity);
    void SetDelay(int nStep);
    void SetVolume(int nStep);
    // 0 PEQ, 1 GEQ: also locks the frequencies of bands 0..30.
    void SetEqMode(int nMode);
    int GetOn() const { return m_nOn; }
    int GetPolarity() const { return m_nPolarity; }
    int GetDelay() const { return m_nDelay; }
    int GetVolume() const { return m_nVolume; }
    int GetEqMode() const { return m_nEqMode; }

    // ---- noise gate (record 33) and threshold (record 34) ----
    void SetNoiseGate(int nStep);  // 0 off, else dBu = step - 120
    void SetThreshold(int nStep);  // shown as step * 0.1 - 30
    void SetThresholdByte2(int n);
    void SetThresholdByte3(int n);
    int GetNoiseGate() const { return m_nNoiseGate; }
    int GetThreshold() const { return m_nThreshold; }
    int GetThresholdByte2() const { return m_nThresholdByte2; }
    int GetThresholdByte3() const { return m_nThresholdByte3; }

    // ---- name (record 35) ----
    // User-interface thread. A name of 8 or more bytes is refused with the "Char len error!"
    // box and FALSE; the old name stays.
    BOOL SetName(const CString& strName);
    CString GetName() const { return m_strName; }
    void SetNameRecordNo(int n) { m_nNameRecord = n; }
    int GetNameRecordNo() const { return m_nNameRecord; }

    // ---- identity and look ----
    void SetChannelIndex(int n) { m_nChannel = n; }  // 0..5
    int GetChannelIndex() const { return m_nChannel; }
    void SetHandleColor(COLORREF clr) { m_clrHandle = clr; }
    COLORREF GetHandleColor() const { return m_clrHandle; }
    void SetCurveColor(ARGB clr) { m_clrCurve = clr; }
    ARGB GetCurveColor() const { return m_clrCurve; }
    void SetSpareFlag(int n) { m_nSpareFlag = n; }
    int GetSpareFlag() const { return m_nSpareFlag; }

    // ---- stamps ----
    void SetVolumeModified(int v) { m_nVolumeModified = v; }
    void SetNameModified(int v) { m_nNameModified = v; }
    void SetNoiseGateModified(int v) { m_nNoiseGateModified = v; }
    void SetThresholdModified(int v) { m_nThresholdModified = v; }
    int IsVolumeModified() const { return m_nVolumeModified; }
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

    // Name, volume, on, polarity, delay, threshold values and bands; no stamp.
    void CopyFrom(const CMusic_InData& other);

    // ---- records (type 3 frames) ----
    std::unique_ptr<CSendData> PutVolumeRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutFiltersRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutNoiseGateRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutThresholdRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutNameRecord();
    // Band nBand into record nBand; the frame carries record nRecord. Null outside the list.
    std::unique_ptr<CSendData> PutBandRecord(int nBand, int nRecord);
    void PutChannelRecords();
    // All records, then the whole block of the live image written to the given scene.
    std::unique_ptr<CSendData> SendAll(int nScene);

    // Loads the channel from its 288-byte block; no stamp is left set.
    void LoadFromDevice(const BYTE* pBlock);
    void SetVolumeRecord(const BYTE* pRecord);
    void SetFiltersRecord(const BYTE* pRecord);
    void SetNoiseGateRecord(const BYTE* pRecord);
    void SetThresholdRecord(const BYTE* pRecord);

    // ---- value texts ----
    CString GetVolumeText() const;
    CString GetPolarityText() const;
    CString GetOnText() const;
    CString GetDelayText() const;
    CString GetThresholdText() const;
    CString GetNoiseGateText() const;

private:
    BYTE* LiveRecord(int nRecord) const;
    std::unique_ptr<CSendData> RecordFrame(int nRecord, BOOL bBuild) const;
    void ApplyFreqLock();
    void WriteName();

    CChannelCurve m_Curve;
    CKTVEQ m_Eq;
    CString m_strName;
    int m_nNameRecord = 35;
    int m_nOn = 1;
    int m_nPolarity = 0;
    int m_nVolume = 600;
    int m_nEqMode = 0;
    int m_nDelay = 0;
    int m_nVolumeRecord = 31;
    int m_nNoiseGate = 40;
    int m_nNoiseGateRecord = 33;
    int m_nThreshold = 500;
    int m_nThresholdByte2 = 0;
    int m_nThresholdByte3 = 0;
    int m_nThresholdRecord = 34;
    int m_nVolumeModified = 0;
    int m_nNameModified = 0;
    int m_nNoiseGateModified = 0;
    int m_nThresholdModified = 0;
    int m_nChannel = 0;
    COLORREF m_clrHandle = 0;
    ARGB m_clrCurve = 0;
    BOOL m_bAllBypass = 0;
    int m_nSpareFlag = 1;
};
