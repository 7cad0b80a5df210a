// Cost of the output page's two busiest paths: one repaint of the 947 x 215 response graph
// during a drag (a drag step on the band, then the whole off-screen picture with the shown curve
// and two overlays), and the reload of every control for one channel (UpdateChannelView).
// Target: each well under the 16 ms of one 60 Hz frame (4 ms).
// Runs offscreen: QT_QPA_PLATFORM is set to "offscreen" unless the caller chose a platform.
#include "CFStatic.h"
#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "SpeakerTypeMenus.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_output_page";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

class CHost : public CWnd {
public:
    BOOL Make(int cx, int cy)
    {
        return CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, cx, cy), nullptr, 0);
    }
};

// Counts its paints, so the figure is known to include the painting.
class CCountingGraph : public CFStatic {
public:
    int m_nPaints = 0;

protected:
    void OnPaint() override
    {
        ++m_nPaints;
        CFStatic::OnPaint();
    }
};

void BusyChannel(CKTV_OutData* out, int seed)
{
    for (int i = 0; i < 31; ++i) {
        CFilter* f = out->GetFilter(i);
        f->SetFreq(g_nGeqFreq[i], 0);
        f->SetGainIndex(80 + (i * 37 + seed * 11) % 240 == 200 ? 210 : 80 + (i * 37 + seed * 11) % 240);
        f->SetBandwidthIndex((i * 13 + seed) % 296);
    }
    out->GetHighPass()->SetSlope(7, 0);
    out->GetHighPass()->SetFreq(60, 0);
    out->GetLowPass()->SetSlope(7, 0);
    out->GetLowPass()->SetFreq(12000, 0);
}

void BM_GraphRepaintWhileDragging(benchmark::State& state)
{
    App();
    g_bOnline = 0;
    CKTV_Data scene;
    for (int ch = 0; ch < 10; ++ch)
        BusyChannel(scene.GetOutData(ch), ch);
    CHost host;
    host.Make(960, 230);
    CCountingGraph graph;
    graph.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 947, 215), &host, IDC_EQ_GRAPH);
    graph.Attach(&scene, 4);
    graph.KillTimer(CFStatic::kTimerId);
    graph.SelectOutputChannel(2);
    graph.SetDrawMode(4);
    g_bShowCurve[0] = g_bShowCurve[5] = 1;
    // Let the window be shown and exposed, so that a redraw really paints.
    for (int i = 0; i < 20; ++i)
        App().processEvents();
    CFilter* f = scene.GetOutData(2)->GetFilter(17);
    f->BeginDrag(f->m_rcHandle.CenterPoint());
    const CPoint c = f->m_rcHandle.CenterPoint();
    int step = 0;
    graph.m_nPaints = 0;
    for (auto _ : state) {
        // One drag step, then the repaint it causes (painted at once, through the paint event).
        f->DragHandle(CPoint(c.x + (step % 40) - 20, c.y + (step % 30) - 15));
        graph.DrawGraph(17);
        ++step;
    }
    state.counters["paints_per_step"] = double(graph.m_nPaints) / double(step > 0 ? step : 1);
    g_bShowCurve[0] = g_bShowCurve[5] = 0;
}
BENCHMARK(BM_GraphRepaintWhileDragging)->Unit(benchmark::kMillisecond);

// The graph's own drawing alone: the same picture painted into an off-screen bitmap, without the
// window system's part of a repaint.
void BM_GraphPictureOffscreen(benchmark::State& state)
{
    App();
    g_bOnline = 0;
    CKTV_Data scene;
    for (int ch = 0; ch < 10; ++ch)
        BusyChannel(scene.GetOutData(ch), ch);
    CHost host;
    host.Make(960, 230);
    CFStatic graph;
    graph.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 947, 215), &host, IDC_EQ_GRAPH);
    graph.Attach(&scene, 4);
    graph.KillTimer(CFStatic::kTimerId);
    graph.SelectOutputChannel(2);
    graph.SetDrawMode(4);
    g_bShowCurve[0] = g_bShowCurve[5] = 1;
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    {
        CClientDC dc(&graph);
        bmp.CreateCompatibleBitmap(&dc, 947, 215);
    }
    CBitmap* pOld = mem.SelectObject(&bmp);
    CFilter* f = scene.GetOutData(2)->GetFilter(17);
    f->BeginDrag(f->m_rcHandle.CenterPoint());
    const CPoint c = f->m_rcHandle.CenterPoint();
    int step = 0;
    for (auto _ : state) {
        f->DragHandle(CPoint(c.x + (step % 40) - 20, c.y + (step % 30) - 15));
        graph.PaintAll(&mem);
        ++step;
    }
    mem.SelectObject(pOld);
    g_bShowCurve[0] = g_bShowCurve[5] = 0;
}
BENCHMARK(BM_GraphPictureOffscreen)->Unit(benchmark::kMillisecond);

void BM_UpdateChannelView(benchmark::State& state)
{
    App();
    if (!g_fontArial16.GetSafeHandle())
        CreateSharedGdiObjects();
    RegisterMenuResources();
    g_bOnline = 0;
    CKTV_Data scene;
    for (int ch = 0; ch < 10; ++ch)
        BusyChannel(scene.GetOutData(ch), ch);
    CHost host;
    host.Make(OUTPUT_PAGE_WIDTH, OUTPUT_PAGE_HEIGHT);
    auto page = std::make_unique<COutputDlg>();
    page->CreatePage(&host);
    page->AttachScene(&scene);
    page->m_graph.KillTimer(CFStatic::kTimerId);
    page->ShowPage(SW_SHOW);
    g_nCurOutput = 3;
    for (auto _ : state)
        page->UpdateChannelView();
    page.reset();
}
BENCHMARK(BM_UpdateChannelView)->Unit(benchmark::kMillisecond);

}  // namespace
