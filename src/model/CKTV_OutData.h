// One of the ten output channels of a scene: its equaliser (31 bands, high-pass, low-pass),
// level settings, limiter, the two sets of input-mix levels, the input selection, its name,
// and the change stamps through which edits reach the device.
//
// A setter stores its value and copies g_bOnline into the stamp of its group, so an edit made
// while the scene is being loaded is never sent (and clears a change still pending). The
// change scanner (CKTV_Data) reads the stamps and has the channel pack the changed record into
// its output block of the live image and build the 24-byte write frame.
//
// Gain, polarity and EQ mode, the limiter, the compressor attack/release and the input levels
// are copied to every other output of the same link group (equal g_nLinkGroup entries,
// ascending order); nothing else is. Only a channel registered in g_pOutChannel copies, so a
// detached channel object (a copy buffer) never touches the scene's outputs.
//
// Values read from a device block are stored as they came: the block packs back byte for
// byte, and every lookup made with such a value (speaker-type preset, link table row, record
// of the channel's block) checks its range first.
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

class CKTV_OutData;

// Ranges of the limiter and compressor codes, and the one release conversion every text and
// dialog uses: a release code is the time in milliseconds minus 50 (code 0..4950 = 50..5000 ms).
constexpr int LIMIT_LEVEL_MAX = 420;   // +12.0 dBu
constexpr int COMP_LEVEL_MAX = 360;    // +6.0 dBu
constexpr int LIMIT_ATTACK_MAX = 206;  // 200 ms
constexpr int COMP_RATIO_MIN = 1;      // 1:1
constexpr int COMP_RATIO_MAX = 191;    // 20.0:1
constexpr int RELEASE_MS_MIN = 50;
constexpr int RELEASE_MS_MAX = 5000;
constexpr int RELEASE_CODE_MAX = RELEASE_MS_MAX - RELEASE_MS_MIN;
constexpr int ReleaseCodeToMs(int nCode) { return nCode + RELEASE_MS_MIN; }
constexpr int ReleaseMsToCode(int nMs) { return nMs - RELEASE_MS_MIN; }

// The ten outputs of the scene object, entry i = output i (set by CKTV_Data::InitLinkTable;
// null while no scene object exists).
extern CKTV_OutData* g_pOutChannel[10];

class CKTV_OutData {
public:
    CKTV_OutData();
    CKTV_OutData(const CKTV_OutData&) = delete;
    CKTV_OutData& operator=(const CKTV_OutData&) = delete;

    // ---- level (record 31) ----

    // Gain in 0.1 dB steps, 0..600, dB = step * 0.1 - 60; 0 mutes. Linked outputs take it.
    void SetGain(short nStep);
    void SetGainMute(BOOL bMute);
    // Delay in 1/48 ms steps, 0..960. Not copied to linked outputs.
    void SetDelay(short nStep);
    void SetOn(int nOn);                // 1 on, 0 off; not copied
    void SetPolarity(int nPolarity);    // 0 normal, 1 inverted; linked outputs re-send their own
    // 0 PEQ, 1 GEQ (band frequencies locked). Linked outputs take it with the gain.
    void SetEqMode(BYTE byMode);
    // Speaker type 0..24 and its crossover preset (the filters stamp themselves). A type
    // outside 0..24 is stored but has no preset: the filters stay as they are.
    void SetSpeakerType(int nType);
    // Type and the high-pass drag rule only (11 for the tweeters 1, 7, 13, 16, 19, else 12).
    void SetSpeakerTypeKeepFilters(int nType);
    // Type, then both crossovers from an 8-byte crossover record, each value stamped.
    void SetSpeakerTypeWithFilters(int nType, const BYTE* pFiltersRecord);
    // Type, and the level record marked for sending whatever g_bOnline says.
    void SetSpeakerTypeMarked(int nType);

    short GetGain() const { return m_bGainMute ? short(0) : m_nGain; }  // 0 while muted
    BOOL IsGainMute() const { return m_bGainMute; }
    short GetDelay() const { return m_nDelay; }
    BYTE GetOn() const { return m_byOn; }
    BYTE GetPolarity() const { return m_byPolarity; }
    BYTE GetEqMode() const { return m_byEqMode; }
    BYTE GetSpeakerType() const { return m_bySpeakerType; }

    // ---- limiter (record 35, bytes 0..5) ----

    // Threshold step: dBu = step * 0.1 - 30 (420 = 12.0 dBu). An unchanged value does nothing;
    // a change is copied to linked outputs.
    void SetLimitThreshold(short nStep);
    void SetLimitAttack(short nStep);
    void SetLimitRelease(short nStep);
    short GetLimitThreshold() const { return m_nLimitThreshold; }
    short GetLimitAttack() const { return m_nLimitAttack; }
    short GetLimitRelease() const { return m_nLimitRelease; }

    // ---- compressor of the system page: kept in the model only (no device record) ----
    // Eight bytes: level code (0..360, dBu = code * 0.1 - 30) in 0..1, ratio code (1 = 1:1,
    // 2..191 = 1.1:1..20.0:1) in 2, attack code (as the limiter's) in 3, release code (ms - 50)
    // in 4..5, little endian. Linked outputs take all eight bytes; no mix record is ever marked.

    void SetCompThreshold(int nValue);
    void SetCompRatio(int nValue);
    void SetCompAttack(int nValue);
    void SetCompRelease(int nValue);
    short GetCompThreshold() const;
    short GetCompAttack() const { return m_byComp[3]; }
    short GetCompRelease() const;
    BYTE GetCompRatio() const { return m_byComp[2]; }

    // ---- mix levels, 0..100 each; never copied to linked outputs ----

    // Mix A level n (1..12): levels 1..8 travel in record 33; 9..12 exist in the model only and
    // mark the mix-B record. Levels 1..8 ignore an unchanged value. Other n do nothing.
    void SetMixA(int n, BYTE byLevel);
    BYTE GetMixA(int n) const;
    // Mix B level n (1..8), record 34; an unchanged value does nothing.
    void SetMixB(int n, BYTE byLevel);
    BYTE GetMixB(int n) const;
    void SetMixA1(BYTE v) { SetMixA(1, v); }
    void SetMixA2(BYTE v) { SetMixA(2, v); }
    void SetMixA3(BYTE v) { SetMixA(3, v); }
    void SetMixA4(BYTE v) { SetMixA(4, v); }
    void SetMixA5(BYTE v) { SetMixA(5, v); }
    void SetMixA6(BYTE v) { SetMixA(6, v); }
    void SetMixA7(BYTE v) { SetMixA(7, v); }
    void SetMixA8(BYTE v) { SetMixA(8, v); }
    void SetMixA9(BYTE v) { SetMixA(9, v); }
    void SetMixA10(BYTE v) { SetMixA(10, v); }
    void SetMixA11(BYTE v) { SetMixA(11, v); }
    void SetMixA12(BYTE v) { SetMixA(12, v); }
    void SetMixB1(BYTE v) { SetMixB(1, v); }
    void SetMixB2(BYTE v) { SetMixB(2, v); }
    void SetMixB3(BYTE v) { SetMixB(3, v); }
    void SetMixB4(BYTE v) { SetMixB(4, v); }
    void SetMixB5(BYTE v) { SetMixB(5, v); }
    void SetMixB6(BYTE v) { SetMixB(6, v); }
    void SetMixB7(BYTE v) { SetMixB(7, v); }
    void SetMixB8(BYTE v) { SetMixB(8, v); }
    BYTE GetMixA1() const { return GetMixA(1); }
    BYTE GetMixA2() const { return GetMixA(2); }
    BYTE GetMixA3() const { return GetMixA(3); }
    BYTE GetMixA4() const { return GetMixA(4); }
    BYTE GetMixA5() const { return GetMixA(5); }
    BYTE GetMixA6() const { return GetMixA(6); }
    BYTE GetMixA7() const { return GetMixA(7); }
    BYTE GetMixA8() const { return GetMixA(8); }
    BYTE GetMixA9() const { return GetMixA(9); }
    BYTE GetMixA10() const { return GetMixA(10); }
    BYTE GetMixA11() const { return GetMixA(11); }
    BYTE GetMixA12() const { return GetMixA(12); }
    BYTE GetMixB1() const { return GetMixB(1); }
    BYTE GetMixB2() const { return GetMixB(2); }
    BYTE GetMixB3() const { return GetMixB(3); }
    BYTE GetMixB4() const { return GetMixB(4); }
    BYTE GetMixB5() const { return GetMixB(5); }
    BYTE GetMixB6() const { return GetMixB(6); }
    BYTE GetMixB7() const { return GetMixB(7); }
    BYTE GetMixB8() const { return GetMixB(8); }

    // ---- input selection: model only, no record ----

    // Mute flag; the level becomes 1 when unmuted, 0 when muted.
    void SetInLeftMute(BOOL bMute);
    void SetInRightMute(BOOL bMute);
    void SetIn5Mute(BOOL bMute);
    // Levels; left, right and input 5 of linked outputs follow.
    void SetInLeft(BYTE byLevel);
    void SetInRight(BYTE byLevel);
    void SetIn5(BYTE byLevel);
    void SetIn3(BYTE byLevel);  // also mute := (level == 0)
    void SetIn4(BYTE byLevel);
    void SetInBalance(BYTE byPercent);  // left share in percent
    void SetInMask(BYTE byMask);        // bits 0..4: five on/off switches
    void SetIn3Mute(BOOL bMute);
    void SetIn4Mute(BOOL bMute);
    BOOL GetInLeftMute() const { return m_bInLeftMute; }
    BOOL GetInRightMute() const { return m_bInRightMute; }
    BOOL GetIn3Mute() const { return m_bIn3Mute; }
    BOOL GetIn4Mute() const { return m_bIn4Mute; }
    BOOL GetIn5Mute() const { return m_bIn5Mute; }
    BYTE GetInLeft() const { return m_byInLeft; }
    BYTE GetInRight() const { return m_byInRight; }
    BYTE GetIn3() const { return m_byIn3; }
    BYTE GetIn4() const { return m_byIn4; }
    BYTE GetIn5() const { return m_byIn5; }
    BYTE GetInBalance() const { return m_byInBalance; }
    BYTE GetInMask() const { return m_byInMask; }

    // ---- identity and look ----

    // Output 0..9: the channel byte of its frames and the row of its output block. Even
    // outputs 0..4 start with the left input on, odd ones 1..5 with the right input.
    void SetChannelIndex(int nIndex);
    int GetChannelIndex() const { return m_nChannel; }
    // User-interface thread. A name of 8 or more bytes does not fit the device's field: it is
    // refused with the "Char len error!" box and FALSE, and the old name stays. Otherwise the
    // name is stored and marked for sending.
    BOOL SetName(const CString& strName);
    CString GetName() const { return m_strName; }
    void SetHandleColor(COLORREF clr) { m_clrHandle = clr; }
    COLORREF GetHandleColor() const { return m_clrHandle; }
    void SetCurveColor(ARGB clr) { m_clrCurve = clr; }
    ARGB GetCurveColor() const { return m_clrCurve; }
    // Record numbers as the pages know them; the packers use the block's fixed numbers.
    void SetNameRecord(BYTE n) { m_byNameRecord = n; }
    void SetLevelRecordNo(BYTE n) { m_byLevelRecord = n; }
    void SetLimitRecordNo(BYTE n) { m_byLimitRecord = n; }
    void SetMixARecordNo(BYTE n) { m_byMixARecord = n; }
    BYTE GetNameRecord() const { return m_byNameRecord; }
    BYTE GetLevelRecordNo() const { return m_byLevelRecord; }
    BYTE GetLimitRecordNo() const { return m_byLimitRecord; }
    BYTE GetMixARecordNo() const { return m_byMixARecord; }
    BYTE GetMixBRecordNo() const { return m_byMixBRecord; }
    // Two values the pages keep on the channel; the model does nothing with them.
    void SetSpareFlag(int n) { m_nSpareFlag = n; }
    int GetSpareFlag() const { return m_nSpareFlag; }
    void SetSpareValue(int n) { m_nSpareValue = n; }
    int GetSpareValue() const { return m_nSpareValue; }

    // ---- change stamps ----

    void SetNameModified(int v) { m_nNameModified = v; }
    void SetInputModified(int v) { m_nInputModified = v; }
    void SetLevelModified(int v) { m_nLevelModified = v; }
    void SetLimitModified(int v) { m_nLimitModified = v; }
    void SetMixBModified(int v) { m_nMixBModified = v; }
    void SetMixAModified(int v) { m_nMixAModified = v; }
    int IsNameModified() const { return m_nNameModified; }
    int IsInputModified() const { return m_nInputModified; }
    int IsLevelModified() const { return m_nLevelModified; }
    int IsLimitModified() const { return m_nLimitModified; }
    int IsMixBModified() const { return m_nMixBModified; }
    int IsMixAModified() const { return m_nMixAModified; }
    // Input, level, limiter, mix-B and mix-A stamps (not the name) and every filter's stamp.
    void SetAllModified(int v);
    // Scanner: TRUE when a crossover filter is stamped; each stamped one steps its reference
    // one octave towards its frequency (and stays stamped until they meet).
    BOOL TakeFilterChanges();

    // ---- bands ----

    // Builds the band list: bands 0..nLastBand, crossovers with band index nFiltersRecord.
    void BuildEq(int nLastBand, int nFiltersRecord, int nHpSlot, int nHpHz, int nLpHz);
    CKTVEQ& GetEq() { return m_Eq; }
    const CKTVEQ& GetEq() const { return m_Eq; }
    int GetFilterCount() const { return m_Eq.GetSize(); }
    CFilter* GetFilter(int i) const { return m_Eq.GetAt(i); }  // null outside the list
    CFilter* GetHighPass() const { return m_Eq.GetHighPass(); }
    CFilter* GetLowPass() const { return m_Eq.GetLowPass(); }
    int GetHighPassIndex() const { return GetFilterCount() - 2; }
    int GetLowPassIndex() const { return GetFilterCount() - 1; }
    int GetHighPassBandIndex() const;
    void MuteAllBands(BOOL bOn);
    // TRUE when every entry, crossovers included, is bypassed or muted; also stored.
    BOOL IsAllBypass();
    BOOL GetAllBypassFlag() const { return m_bAllBypass; }

    // ---- response curve ----

    void SetCurveRect(const CRect& rc);
    // Summed response of the band list into the float curve (the gain does not move it).
    void RecalcCurve();
    // One entry's own response into the integer curve.
    void RecalcBandCurve(int nEntry);
    int GetGainRow() const { return m_nGainRow; }
    const CChannelCurve& GetCurve() const { return m_Curve; }

    // ---- copies between outputs (no stamps) ----

    // Bands and crossovers, gain, EQ mode, compressor bytes and limiter.
    void CopyEQAndLevel(const CKTV_OutData& other);
    // As CopyEQAndLevel plus polarity, on, delay, speaker type and the twelve mix-A levels.
    void CopyAll(const CKTV_OutData& other);
    // Name, level values, limiter, input selection, bands and mix A.
    void CopyFrom(const CKTV_OutData& other);

    // ---- link copies: what another output of the group hands this one ----

    // Takes the gain and the EQ mode only; marks the level record.
    void SetLinkedLevel(int nOn, int nPolarity, short nGain, short nDelay, BYTE byEqMode, int nSpeakerType);
    void SetLinkedLimit(short nThreshold, short nAttack, short nRelease);
    void SetLinkedComp(const BYTE* pComp);
    void SetLinkedInput(BYTE byLeft, BYTE byRight, BYTE byIn5);

    // ---- records of the output block (CKTV_OutDataRecords.cpp) ----
    // Each packer writes into this channel's block of the live image g_Scene; with bBuild it
    // also returns the record's 24-byte write frame, else null. No packer shows a message.

    std::unique_ptr<CSendData> PutNameRecord();
    std::unique_ptr<CSendData> PutLevelRecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutFiltersRecord(BOOL bBuild);
    // Both references jump to their frequencies, record 32 is written, both stamps cleared.
    std::unique_ptr<CSendData> SendFiltersRecord();
    std::unique_ptr<CSendData> PutMixARecord(BOOL bBuild);
    std::unique_ptr<CSendData> PutMixBRecord(BOOL bBuild);
    // Bytes 0..5 of record 35; the link group and flag bytes travel as the image holds them.
    std::unique_ptr<CSendData> PutLimitRecord(BOOL bBuild);
    // Band nBand (0..30) into record nBand; the frame carries record nRecord. Null for a band
    // outside the list.
    std::unique_ptr<CSendData> PutBandRecord(int nBand, int nRecord);
    // Every record of the block, no frame.
    void PutChannelRecords();

    // 8-byte crossover record from the two filters.
    void GetFiltersRecord(BYTE* pRecord) const;
    // Bytes 0..5 from the limiter, byte 6 the channel's link group; byte 7 untouched.
    void GetLimitRecord(BYTE* pRecord) const;
    void GetMixARecord(BYTE* pRecord) const;
    void GetMixBRecord(BYTE* pRecord) const;

    // Loads the channel from its 296-byte output block; no stamp, no link copy. The link group
    // byte of record 35 becomes the channel's g_nLinkGroup entry.
    void LoadFromDevice(const BYTE* pBlock);
    void SetLevelRecord(const BYTE* pRecord);
    void SetFiltersRecord(const BYTE* pRecord);
    void SetLimitRecord(const BYTE* pRecord);
    void SetMixARecord(const BYTE* pRecord);
    void SetMixBRecord(const BYTE* pRecord);
    void SetMixBBytes(const BYTE* pLevels);
    // Input-left, input-right, input-5 and input-4 levels; each mute := (level == 0).
    void SetInputRecord(const BYTE* pLevels);

    // ---- value texts of the parameter listing (CKTV_OutDataTexts.cpp) ----

    CString GetGainText() const;
    CString GetPolarityText() const;
    CString GetOnText() const;
    CString GetDelayText() const;
    CString GetLimitThresholdText() const;
    CString GetLimitAttackText() const;
    CString GetLimitReleaseText() const;
    CString GetMaskBit0Text() const;
    CString GetMaskBit1Text() const;
    CString GetMaskBit2Text() const;
    CString GetMaskBit3Text() const;
    CString GetMaskBit4Text() const;
    CString GetInLeftText() const;
    CString GetInRightText() const;
    CString GetIn5Text() const;
    CString GetInput3Text() const;
    CString GetInput4Text() const;
    CString GetBalanceText() const;
    CString GetInLeftOnText() const;
    CString GetInRightOnText() const;
    CString GetBlankText1() const { return CString(); }
    CString GetBlankText2() const { return CString(); }

private:
    // Runs f on every other output of this channel's link group, ascending.
    template <class F>
    void ForEachLinked(F f) const;
    void CopyLevelToLinked();
    void CopyLimitToLinked();
    void CopyCompToLinked();
    void CopyInputToLinked();
    void SetFiltersForType(int nType);
    void ApplyFreqLock();
    // Record r of this channel's block in the live image, null for a channel outside 0..9.
    BYTE* LiveRecord(int nRecord) const;
    std::unique_ptr<CSendData> RecordFrame(int nRecord, BOOL bBuild) const;
    void WriteNameRecord();
    void WriteLevelRecord();
    void WriteFiltersRecord();
    void WriteMixARecord();
    void WriteMixBRecord();
    void WriteLimitRecord();

    CChannelCurve m_Curve;
    int m_nGainRow = 0;
    CString m_strName;
    BYTE m_byNameRecord = 36;
    CKTVEQ m_Eq;

    BYTE m_byPolarity = 0;
    BYTE m_byOn = 1;
    short m_nGain = 600;
    BOOL m_bGainMute = 0;
    short m_nDelay = 0;
    BYTE m_byEqMode = 0;
    BYTE m_bySpeakerType = 0;
    BYTE m_byLevelRecord = 31;

    short m_nLimitThreshold = 420;
    short m_nLimitAttack = 56;
    short m_nLimitRelease = 100;
    BYTE m_byLimitRecord = 35;

    BYTE m_byMixB[8] = {100, 100, 100, 100, 100, 100, 100, 100};
    // Compressor bytes (layout above): level 0 (-30.0 dBu), ratio 1:1, attack 56 (50 ms),
    // release 0 (50 ms). Copied with the channel and to linked channels; never sent.
    BYTE m_byComp[8] = {0, 0, 1, 56, 0, 0, 0, 0};
    BYTE m_byMixBRecord = 34;

    BYTE m_byInLeft = 50;
    BYTE m_byInRight = 50;
    BYTE m_byIn3 = 50;
    BYTE m_byIn4 = 40;
    BYTE m_byIn5 = 80;
    BYTE m_byInBalance = 50;
    BYTE m_byInMask = 16;
    BYTE m_byMixA[12] = {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100};
    BYTE m_byMixARecord = 33;
    BOOL m_bInLeftMute = 1;
    BOOL m_bInRightMute = 1;
    BOOL m_bIn3Mute = 0;
    BOOL m_bIn4Mute = 0;
    BOOL m_bIn5Mute = 0;

    int m_nNameModified = 0;
    int m_nInputModified = 0;
    int m_nLevelModified = 0;
    int m_nLimitModified = 0;
    int m_nMixBModified = 0;
    int m_nMixAModified = 0;

    int m_nChannel = 0;
    COLORREF m_clrHandle = 0;
    ARGB m_clrCurve = 0;
    BOOL m_bAllBypass = 0;
    int m_nSpareFlag = 1;
    int m_nSpareValue = 0;
};
