#include "CKTVEQ.h"

#include "Convert.h"

#include <cstring>

// Third-octave centres of the 31 bands (graphic mode), and the 15 centres the input
// equaliser's first bands start from.
const int g_nGeqFreq[31] = {20,   25,   32,   40,   50,   63,   80,    100,   125,   160,  200,
                           250,  315,  400,  500,  630,  800,  1000,  1250,  1600,  2000, 2500,
                           3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
const int g_nPeqFreq[15] = {20,   32,   53,   87,   143,  235,  386,  632,
                               1035, 1696, 2778, 4551, 7455, 12210, 20000};

namespace {

const int kThreeBands[3] = {100, 1000, 10000};

template <int N>
int LastOf(const int (&)[N], int nLast)
{
    return nLast < N ? nLast : N - 1;
}

}  // namespace

EQBandRecord EQBandRecord::FromBytes(const BYTE* p)
{
    EQBandRecord rec;
    std::memcpy(&rec, p, sizeof rec);
    return rec;
}

void EQBandRecord::ToBytes(BYTE* p) const
{
    std::memcpy(p, this, sizeof *this);
}

// ---- layouts ----

CFilter* CKTVEQ::AddBand(int nHz, int nBandIndex)
{
    m_arFilters.push_back(std::make_unique<CFilter>());
    CFilter* f = m_arFilters.back().get();
    f->SetFreq(nHz, 1);
    f->SetBandIndex(nBandIndex);
    return f;
}

CFilter* CKTVEQ::AddInputCrossover(int nType, int nHz, int nBandIndex)
{
    m_arFilters.push_back(std::make_unique<CFilter>());
    CFilter* f = m_arFilters.back().get();
    f->SetType(nType);
    f->SetSlope(0, 1);
    f->SetFilterClass(FILTER_CLASS_BESSEL, 1);
    f->SetCurveMode(0);
    f->SetFreq(nHz, 1);
    f->SetBandIndex(nBandIndex);
    f->SetInputCrossoverMode(1);
    return f;
}

void CKTVEQ::Build31BandEq(int nLastBand, int nBandIndex, int nHpSlot, int nHpHz, int nLpHz)
{
    DeleteAll();
    for (int i = 0; i <= LastOf(g_nGeqFreq, nLastBand); ++i)
        AddBand(g_nGeqFreq[i], i);
    m_arFilters.push_back(std::make_unique<CFilter>());
    CFilter* hp = m_arFilters.back().get();
    hp->SetType(FILTER_HIGH_PASS);
    hp->SetCurveMode(0);
    hp->SetFreq(nHpHz, 0);
    hp->SetBandIndex(nBandIndex);
    hp->SetSlotIndex(nHpSlot);
    m_arFilters.push_back(std::make_unique<CFilter>());
    CFilter* lp = m_arFilters.back().get();
    lp->SetType(FILTER_LOW_PASS);
    lp->SetCurveMode(0);
    lp->SetFreq(nLpHz, 0);
    lp->SetBandIndex(nBandIndex);
    lp->SetSlotIndex(12);
}

void CKTVEQ::BuildMixedEq(int nLastBand, int nBandIndex, int nLpHz)
{
    DeleteAll();
    const int nLast = LastOf(g_nGeqFreq, nLastBand);
    for (int i = 0; i <= nLast; ++i)
        AddBand(i < 15 ? g_nPeqFreq[i] : g_nGeqFreq[i], i);
    AddInputCrossover(FILTER_HIGH_PASS, 20, nBandIndex);
    AddInputCrossover(FILTER_LOW_PASS, nLpHz, nBandIndex);
}

void CKTVEQ::BuildShelfEq(int nLastBand, int nBandIndex, int nLpHz)
{
    DeleteAll();
    const int nLast = LastOf(g_nPeqFreq, nLastBand);
    for (int i = 0; i <= nLast; ++i) {
        CFilter* f = AddBand(g_nPeqFreq[i], i);
        if (i == 0 || i == nLast) {
            f->SetSlope(0, 1);
            f->SetType(i == 0 ? FILTER_LOW_SHELF : FILTER_HIGH_SHELF);
        }
    }
    AddInputCrossover(FILTER_HIGH_PASS, 20, nBandIndex);
    AddInputCrossover(FILTER_LOW_PASS, nLpHz, nBandIndex);
}

void CKTVEQ::Build3BandEq(int nLastBand, int nBandIndex, int nLpHz)
{
    DeleteAll();
    for (int i = 0; i <= LastOf(kThreeBands, nLastBand); ++i)
        AddBand(kThreeBands[i], i);
    const int types[2] = {FILTER_HIGH_PASS, FILTER_LOW_PASS};
    for (int nType : types) {
        m_arFilters.push_back(std::make_unique<CFilter>());
        CFilter* f = m_arFilters.back().get();
        f->SetType(nType);
        f->SetCurveMode(0);
        f->SetFilterClass(FILTER_CLASS_BESSEL, 1);
        f->SetFreq(nType == FILTER_HIGH_PASS ? 20 : nLpHz, 1);
        f->SetBandIndex(nBandIndex);
        f->SetInputCrossoverMode(1);
        f->SetSlotIndex(8);
    }
}

void CKTVEQ::DeleteAll()
{
    m_arFilters.clear();
}

// ---- access ----

CFilter* CKTVEQ::GetAt(int i) const
{
    return i >= 0 && i < GetSize() ? m_arFilters[size_t(i)].get() : nullptr;
}

CFilter* CKTVEQ::GetHighPass() const
{
    CFilter* f = GetAt(GetSize() - 2);
    return f && f->GetType() == FILTER_HIGH_PASS ? f : nullptr;
}

CFilter* CKTVEQ::GetLowPass() const
{
    CFilter* f = GetAt(GetSize() - 1);
    return f && f->GetType() == FILTER_LOW_PASS ? f : nullptr;
}

BYTE CKTVEQ::GetBandIndexByte(int i) const
{
    const CFilter* f = GetAt(i);
    return f ? f->GetBandIndexByte() : 0;
}

// ---- curves ----

void CKTVEQ::SetCurveRect(const CRect& rc)
{
    m_nHeight = rc.Height() > 0 ? rc.Height() : 0;
    m_nWidth = rc.Width() > 0 ? rc.Width() : 0;
    for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
        m_ptCurve[i].x = FreqToX(g_dFreqGrid[i], m_nWidth) + GRAPH_PLOT_LEFT;
        m_ptCurve[i].y = m_nHeight / 2;
    }
    for (auto& f : m_arFilters)
        f->SetCurveRect(rc);
}

void CKTVEQ::SumResponses(double* out) const
{
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        out[i] = 0.0;
    for (const auto& f : m_arFilters) {
        const double* r = f->GetResponse();
        for (int i = 0; i < FREQ_GRID_POINTS; ++i)
            out[i] += r[i];
    }
}

void CKTVEQ::CalcCurve()
{
    double sum[FREQ_GRID_POINTS];
    SumResponses(sum);
    for (int i = 0; i < FREQ_GRID_POINTS; ++i) {
        m_ptCurve[i].y = DbToY(sum[i], m_nHeight) + GRAPH_PLOT_TOP;
        m_ptfCurve[i].y = float(DbToYExact(sum[i], m_nHeight) + GRAPH_PLOT_TOP);
    }
}

void CKTVEQ::CalcFloatCurve()
{
    double sum[FREQ_GRID_POINTS];
    SumResponses(sum);
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        m_ptfCurve[i].y = float(DbToYExact(sum[i], m_nHeight) + GRAPH_PLOT_TOP);
}

void CKTVEQ::CalcIntCurve()
{
    double sum[FREQ_GRID_POINTS];
    SumResponses(sum);
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        m_ptCurve[i].y = DbToY(sum[i], m_nHeight) + GRAPH_PLOT_TOP;
}

void CKTVEQ::CalcBandCurve(int nEntry)
{
    const CFilter* f = GetAt(nEntry);
    if (!f)
        return;
    const double* r = f->GetResponse();
    for (int i = 0; i < FREQ_GRID_POINTS; ++i)
        m_ptCurve[i].y = DbToY(r[i], m_nHeight) + GRAPH_PLOT_TOP;
}

void CKTVEQ::CopyBands(const CKTVEQ& other)
{
    const int n = GetSize() < other.GetSize() ? GetSize() : other.GetSize();
    for (int i = 0; i < n; ++i)
        m_arFilters[size_t(i)]->CopyFrom(*other.m_arFilters[size_t(i)]);
}

// ---- band records ----

const EQBandRecord& CKTVEQ::GetBandPacket(int nEntry)
{
    m_record = EQBandRecord();
    const CFilter* f = GetAt(nEntry);
    if (!f)
        return m_record;
    // The 16-bit fields carry the low 16 bits, so a value read from a record packs back to
    // the same bytes.
    m_record.nFreq = int16_t(uint16_t(f->GetRefFreq()));
    m_record.nGainCode = int16_t(uint16_t(f->IsBypassed() ? 600 : f->GetGainIndex() + 400));
    m_record.nBandwidth = int16_t(uint16_t(f->GetBandwidthIndex()));
    m_record.bySlope = f->GetSlopeByte();
    m_record.byType = f->GetTypeByte();
    return m_record;
}

void CKTVEQ::SetBandPacket(const EQBandRecord& rec, int nEntry)
{
    CFilter* f = GetAt(nEntry);
    if (!f)
        return;
    f->SetGainIndex(rec.nGainCode - 400);
    f->SetBandwidthIndex(rec.nBandwidth);
    f->SetSlope(rec.bySlope, 1);
    f->SetType(rec.byType);
    f->SetFreq(rec.nFreq, 0);
    f->SetModified(0);
}
