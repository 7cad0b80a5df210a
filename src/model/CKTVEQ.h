// The equaliser of one channel: its ordered filters (parametric bands and shelves, then the
// high-pass, last the low-pass), the summed response curve for the graphs, and the 8-byte band
// record in which every band travels to and from the device and lies in the scene images.
//
// Thread: built and edited on the user-interface thread; the change scanner packs records on
// the comm worker while holding g_csComm.
#pragma once

#include "CFilter.h"
#include "Geometry.h"
#include "WinTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

// Band centre tables, Hz: the 31 third-octave centres (graphic mode and the output reset), and
// the 15 centres of a parametric layout.
extern const int g_nGeqFreq[31];
extern const int g_nPeqFreq[15];

// One band on the wire and in the images, little endian; the 16-bit fields are signed.
struct EQBandRecord {
    int16_t nFreq;       // reference frequency, Hz
    int16_t nGainCode;   // gain index + 400 (400..800, 600 = 0 dB; 600 when bypassed or muted)
    int16_t nBandwidth;  // bandwidth index (0.05 + 0.01 * index octaves)
    BYTE bySlope;        // slope index
    BYTE byType;         // 0 PEQ, 1 low shelf, 2 high shelf, 3 high-pass, 4 low-pass

    static EQBandRecord FromBytes(const BYTE* p);
    void ToBytes(BYTE* p) const;
};
static_assert(sizeof(EQBandRecord) == 8, "a band record is 8 bytes on the wire");

// A curve point for anti-aliased drawing.
struct CurvePointF {
    float x = 0.0f;
    float y = 0.0f;
};

class CKTVEQ {
public:
    CKTVEQ() = default;
    ~CKTVEQ() { DeleteAll(); }
    CKTVEQ(const CKTVEQ&) = delete;
    CKTVEQ& operator=(const CKTVEQ&) = delete;

    // Layouts. Each replaces whatever the list held. They run while offline, so nothing is
    // stamped. nLastBand is the last band's entry, nBandIndex the record of the crossovers.
    // Outputs: 31 ISO bands, high-pass (slot index nHpSlot), low-pass (slot index 12).
    void Build31BandEq(int nLastBand, int nBandIndex, int nHpSlot, int nHpHz, int nLpHz);
    // Music inputs: 15-point bands, then ISO bands; input crossovers.
    void BuildMixedEq(int nLastBand, int nBandIndex, int nLpHz);
    // Microphone: 15-point bands, the first a low shelf, the last a high shelf.
    void BuildShelfEq(int nLastBand, int nBandIndex, int nLpHz);
    // Effect block: three bands at 100, 1000 and 10000 Hz.
    void Build3BandEq(int nLastBand, int nBandIndex, int nLpHz);
    void DeleteAll();

    int GetSize() const { return int(m_arFilters.size()); }
    int GetCount() const { return GetSize(); }
    // Entry i, or null outside the list.
    CFilter* GetAt(int i) const;
    CFilter* operator[](int i) const { return GetAt(i); }
    // The crossovers at count - 2 and count - 1, or null when the layout lacks them.
    CFilter* GetHighPass() const;
    CFilter* GetLowPass() const;
    BYTE GetBandIndexByte(int i) const;
    int GetSpare() const { return m_nSpare; }

    // Graph rectangle of the channel: sizes, curve x, and every filter's own rectangle.
    void SetCurveRect(const CRect& rc);
    // Summed response of all entries into both curves / one of them.
    void CalcCurve();
    void CalcFloatCurve();
    void CalcIntCurve();
    // One entry's own response into the integer curve.
    void CalcBandCurve(int nEntry);
    void CalcBandCurveOut(int nEntry) { CalcBandCurve(nEntry); }
    // Copies every entry's sound values from a list of the same layout (no stamps).
    void CopyBands(const CKTVEQ& other);

    // Packs entry nEntry into the list's record buffer and returns it (valid until the next
    // call). An entry outside the list gives a zero record.
    const EQBandRecord& GetBandPacket(int nEntry);
    // Loads entry nEntry from a record; its stamp ends clear. An entry outside the list is
    // ignored.
    void SetBandPacket(const EQBandRecord& rec, int nEntry);

    int GetGraphWidth() const { return m_nWidth; }
    int GetGraphHeight() const { return m_nHeight; }
    // Summed curve in graph pixels (x = FreqToX + 40, y = DbToY + 10).
    const CPoint* GetCurve() const { return m_ptCurve; }
    // The same as floats; the owning channel sets the x values.
    CurvePointF* GetFloatCurve() { return m_ptfCurve; }
    const CurvePointF* GetFloatCurve() const { return m_ptfCurve; }

private:
    CFilter* AddBand(int nHz, int nBandIndex);
    CFilter* AddInputCrossover(int nType, int nHz, int nBandIndex);
    void SumResponses(double* out) const;

    std::vector<std::unique_ptr<CFilter>> m_arFilters;  // owned, in layout order
    CPoint m_ptCurve[FREQ_GRID_POINTS];
    CurvePointF m_ptfCurve[FREQ_GRID_POINTS];
    int m_nHeight = 0;
    int m_nWidth = 0;
    int m_nSpare = 0;
    EQBandRecord m_record = {};
};
