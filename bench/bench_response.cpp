// Cost of the equaliser curves: one channel's summed curve, one channel recomputed from its
// filters, one drag step, and all ten outputs recomputed (a scene load or a language switch).
// Worst case: every band active and both crossovers at the steepest drawn order.
#include "CKTVEQ.h"
#include "Globals.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

const CRect kPlot(40, 10, 937, 195);

std::unique_ptr<CKTVEQ> MakeBusyChannel(int seed)
{
    g_bOnline = 0;
    auto eq = std::make_unique<CKTVEQ>();
    eq->Build31BandEq(30, 32, 12, 20, 20000);
    eq->SetCurveRect(kPlot);
    for (int i = 0; i < 31; ++i) {
        CFilter* f = eq->GetAt(i);
        f->SetGainIndex(80 + (i * 37 + seed * 11) % 240);
        f->SetBandwidthIndex((i * 13 + seed) % 296);
        if (f->GetGainIndex() == 200)
            f->SetGainIndex(210);
    }
    eq->GetHighPass()->SetFilterClass(FILTER_CLASS_BUTTERWORTH, 0);
    eq->GetHighPass()->SetSlope(7, 0);
    eq->GetHighPass()->SetFreq(60 + seed, 0);
    eq->GetLowPass()->SetFilterClass(FILTER_CLASS_BESSEL, 0);
    eq->GetLowPass()->SetSlope(7, 0);
    eq->GetLowPass()->SetFreq(12000 - seed, 0);
    return eq;
}

void Recompute(CKTVEQ& eq)
{
    for (int i = 0; i < eq.GetSize(); ++i)
        eq.GetAt(i)->CalcResponse();
    eq.CalcCurve();
}

void BM_ChannelSummedCurve(benchmark::State& state)
{
    auto eq = MakeBusyChannel(0);
    for (auto _ : state) {
        eq->CalcCurve();
        benchmark::DoNotOptimize(eq->GetCurve()[120].y);
    }
}
BENCHMARK(BM_ChannelSummedCurve)->Unit(benchmark::kMicrosecond);

void BM_ChannelRecompute(benchmark::State& state)
{
    auto eq = MakeBusyChannel(0);
    for (auto _ : state) {
        Recompute(*eq);
        benchmark::DoNotOptimize(eq->GetCurve()[120].y);
    }
}
BENCHMARK(BM_ChannelRecompute)->Unit(benchmark::kMicrosecond);

// One mouse move of a band drag: the band recomputes itself, the channel re-sums.
void BM_DragStep(benchmark::State& state)
{
    auto eq = MakeBusyChannel(0);
    CFilter* band = eq->GetAt(17);
    band->BeginDrag(band->m_rcHandle.CenterPoint());
    int x = 300;
    for (auto _ : state) {
        x = x >= 800 ? 300 : x + 7;
        band->DragHandle(CPoint(x, 80));
        eq->CalcCurve();
        benchmark::DoNotOptimize(eq->GetCurve()[120].y);
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

void BM_TenOutputRecompute(benchmark::State& state)
{
    std::vector<std::unique_ptr<CKTVEQ>> outputs;
    for (int c = 0; c < 10; ++c)
        outputs.push_back(MakeBusyChannel(c));
    for (auto _ : state) {
        for (auto& eq : outputs)
            Recompute(*eq);
        benchmark::DoNotOptimize(outputs[9]->GetCurve()[120].y);
    }
}
BENCHMARK(BM_TenOutputRecompute)->Unit(benchmark::kMillisecond);

}  // namespace
