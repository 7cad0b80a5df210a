// Cost of the grid: one full paint of a 1000 x 20 grid scrolled to its middle (only the cells in
// view are drawn), and sorting 10 000 rows by text.
#include "CGridCtrl.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_grid";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

class CBenchHost : public CWnd {};

void BM_PaintScrolledGrid(benchmark::State& state)
{
    App();
    CBenchHost host;
    host.CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, 820, 620), nullptr, 0);
    CGridCtrl grid(1000, 20, 1, 1);
    grid.Create(CRect(0, 0, 800, 600), &host, 1);
    for (int r = 0; r < 1000; ++r) {
        grid.SetRowHeight(r, 20);
        for (int c = 0; c < 20; ++c)
            grid.SetItemText(r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
    }
    for (int c = 0; c < 20; ++c)
        grid.SetColumnWidth(c, 60);
    grid.SetItemFormat(1, 1, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    grid.UpdateScrollBars();
    grid.SetScrollPosition(SB_VERT, 500 * 20);
    grid.SetScrollPosition(SB_HORZ, 5 * 60);
    grid.SetSelectedRange(510, 8, 512, 10);
    grid.SetFocusCell(511, 9);

    QImage img(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&img);
        CDC dc;
        dc.AttachPainter(&p, QRect(0, 0, 800, 600));
        grid.DrawGrid(&dc);
        benchmark::DoNotOptimize(img.constBits());
    }
    const CCellBlock vis = grid.GetVisibleRange();
    state.counters["cells_drawn"] = double((vis.maxRow - vis.minRow + 1) * (vis.maxCol - vis.minCol + 1));
}
BENCHMARK(BM_PaintScrolledGrid)->Unit(benchmark::kMillisecond);

void BM_SortTenThousandRows(benchmark::State& state)
{
    App();
    CGridCtrl grid(10001, 2, 1, 1);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> letter('A', 'z');
    std::vector<std::string> texts(10000);
    for (auto& t : texts)
        for (int i = 0; i < 8; ++i)
            t.push_back(char(letter(rng)));
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 0; r < 10000; ++r)
            grid.SetItemText(r + 1, 1, texts[size_t(r)].c_str());
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid.SortByText(1, TRUE));
    }
}
BENCHMARK(BM_SortTenThousandRows)->Unit(benchmark::kMillisecond);

}  // namespace
