// The effect section of a scene: echo, reverb, a three-band equaliser with high-pass and
// low-pass, and a name. It travels only inside the scene images (block of 152 bytes at image
// byte 32): edits set stamps but no frame is ever built from it.
//
// Effect block (offsets from its start; single bytes unsigned, the low byte of each value):
//   0..119 band records 0..14 (bands 0..2 are ours, 3..14 are carried);
//   120..127 crossovers: high-pass reference Hz (16 bits), class, slope, low-pass the same;
//   128 echo balance, 129 echo delay, 130 echo param 3, 131 echo param 4, 134 echo param 5;
//   136 reverb time, 137..140 reverb params 2..5, 143 reverb delay;
//   144..151 name, at most 7 bytes and a zero.
// Bytes not listed keep what the live image holds.
//
// Thread: user-interface thread; packed under g_csComm. No lock of its own.
#pragma once

#include "CKTVEQ.h"
#include "ChannelCurve.h"
#include "Colours.h"
#include "Geometry.h"
#include "WinTypes.h"

class CEffect_Data {
public:
    CEffect_Data();
    CEffect_Data(const CEffect_Data&) = delete;
    CEffect_Data& operator=(const CEffect_Data&) = delete;

    // Loads everything from a 152-byte effect block; no stamp is left set.
    void LoadFromDevice(const BYTE* pBlock);
    // The two crossovers from an 8-byte crossover record.
    void LoadFiltersFromDevice(const BYTE* pRecord);
    // Packs everything into the effect block of the live image, without a frame.
    void PutAllRecords();
    // Packs the crossover record (block bytes 120..127) of the live image.
    void PutFiltersRecord();
    // Name, echo and reverb stamps and every filter's stamp.
    void SetAllModified(int v);

    // ---- name ----
    // User-interface thread. A name of 8 or more bytes is refused with the "Char len error!"
    // box and FALSE; the old name stays.
    BOOL SetName(const CString& strName);
    CString GetName() const { return m_strName; }

    // ---- echo: setters mark the echo stamp with g_bOnline ----
    void SetEchoBalance(int n);   // 0..195: below 100 right, 100 off, above 100 left
    void SetEchoDelay(int n);     // 2 ms steps
    void SetEchoParam3(int n);    // percent
    void SetEchoParam4(int n);    // percent
    void SetEchoParam5(int n);
    int GetEchoBalance() const { return m_nEchoBalance; }
    int GetEchoDelay() const { return m_nEchoDelay; }
    int GetEchoParam3() const { return m_nEchoParam3; }
    int GetEchoParam4() const { return m_nEchoParam4; }
    int GetEchoParam5() const { return m_nEchoParam5; }

    // ---- reverb: setters mark the reverb stamp with g_bOnline ----
    void SetReverbTime(int n);    // 0.1 s steps
    void SetReverbParam2(int n);  // percent
    void SetReverbParam3(int n);
    void SetReverbParam4(int n);  // percent
    void SetReverbParam5(int n);  // percent
    void SetReverbDelay(int n);   // ms
    int GetReverbTime() const { return m_nReverbTime; }
    int GetReverbParam2() const { return m_nReverbParam2; }
    int GetReverbParam3() const { return m_nReverbParam3; }
    int GetReverbParam4() const { return m_nReverbParam4; }
    int GetReverbParam5() const { return m_nReverbParam5; }
    int GetReverbDelay() const { return m_nReverbDelay; }

    // ---- stamps and record numbers (stored without stamping) ----
    void SetNameModified(int v) { m_nNameModified = v; }
    void SetEchoModified(int v) { m_nEchoModified = v; }
    void SetReverbModified(int v) { m_nReverbModified = v; }
    int IsNameModified() const { return m_nNameModified; }
    int IsEchoModified() const { return m_nEchoModified; }
    int IsReverbModified() const { return m_nReverbModified; }
    void SetNameRecordNo(int n) { m_nNameRecord = n; }
    void SetEchoRecordNo(int n) { m_nEchoRecord = n; }
    void SetReverbRecordNo(int n) { m_nReverbRecord = n; }
    int GetNameRecordNo() const { return m_nNameRecord; }
    int GetEchoRecordNo() const { return m_nEchoRecord; }
    int GetReverbRecordNo() const { return m_nReverbRecord; }

    // ---- bands ----
    CKTVEQ& GetEq() { return m_Eq; }
    const CKTVEQ& GetEq() const { return m_Eq; }
    int GetFilterCount() const { return m_Eq.GetSize(); }
    CFilter* GetFilter(int i) const { return m_Eq.GetAt(i); }  // null outside the list
    CFilter* GetHighPass() const { return m_Eq.GetHighPass(); }
    CFilter* GetLowPass() const { return m_Eq.GetLowPass(); }
    void MuteAllBands(BOOL bOn);
    BOOL IsAllBypass();

    // ---- identity, look, curve ----
    void SetChannelIndex(int n) { m_nChannel = n; }
    int GetChannelIndex() const { return m_nChannel; }
    void SetHandleColor(COLORREF clr) { m_clrHandle = clr; }
    COLORREF GetHandleColor() const { return m_clrHandle; }
    void SetCurveColor(ARGB clr) { m_clrCurve = clr; }
    ARGB GetCurveColor() const { return m_clrCurve; }
    void SetSpareFlag(int n) { m_nSpareFlag = n; }
    int GetSpareFlag() const { return m_nSpareFlag; }
    int GetSpare() const { return m_nSpare; }
    void SetCurveRect(const CRect& rc);
    void RecalcCurve();
    const CChannelCurve& GetCurve() const { return m_Curve; }

    // ---- value texts ----
    CString GetEchoBalanceText() const;
    CString GetEchoDelayText() const;
    CString GetEchoParam3Text() const;
    CString GetEchoParam4Text() const;
    CString GetEchoParam5Text() const;
    CString GetReverbTimeText() const;
    CString GetReverbParam2Text() const;
    CString GetReverbParam3Text() const;
    CString GetReverbParam4Text() const;
    CString GetReverbParam5Text() const;
    CString GetReverbDelayText() const;

private:
    CString m_strName = "Effect";
    int m_nNameRecord = 11;
    int m_nEchoBalance = 20;
    int m_nEchoDelay = 84;
    int m_nEchoParam4 = 68;
    int m_nEchoParam5 = 0;
    int m_nEchoParam3 = 50;
    int m_nEchoRecord = 9;
    int m_nReverbParam5 = 50;
    int m_nReverbTime = 18;
    int m_nReverbParam2 = 50;
    int m_nReverbParam3 = 0;
    int m_nReverbParam4 = 40;
    int m_nReverbDelay = 0;
    int m_nReverbRecord = 10;
    CKTVEQ m_Eq;
    CChannelCurve m_Curve;
    int m_nSpare = 0;
    int m_nChannel = 0;
    COLORREF m_clrHandle = RGB(255, 0, 0);
    ARGB m_clrCurve = g_clrEffectCurve;
    BOOL m_bAllBypass = 0;
    int m_nSpareFlag = 1;
    int m_nNameModified = 0;
    int m_nEchoModified = 0;
    int m_nReverbModified = 0;
};
