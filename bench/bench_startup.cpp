// Start-up of the program to the first painted frame of its main window: offscreen, no device
// (the HID list is empty here and the network address is a loopback port where nothing
// listens), the settings in a fresh folder.
//
// Every iteration starts this program again as a child (--startup-child), pinned to one core,
// so the libraries load, the fonts are found and the skin images decoded as at a real start.
// The child reports its phases on its standard output and ends at the first paint; the
// counters say where the time goes:
//   exec_ms    fork and exec to main(): loading the program and Qt
//   qapp_ms    the window layer's set-up and the QApplication (platform plugin, fonts)
//   init_ms    the application object's InitInstance: model defaults, fonts and menus, the
//              document, frames and main view with its skinned controls and pages
//   paint_ms   from there to the first paint event of the main window
#include "CKRV330App.h"
#include "CMainFrame.h"
#include "Platform.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

double NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

// Notes the first paint of any widget inside the main frame's window.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (!painted && e->type() == QEvent::Paint && o->isWidgetType()) {
            CMainFrame* frame = theApp.GetMainFrame();
            QWidget* main = frame ? frame->GetWidget() : nullptr;
            if (main && static_cast<QWidget*>(o)->window() == main->window())
                paintedAt = NowMs(), painted = true;
        }
        return false;
    }
    bool painted = false;
    double paintedAt = 0;
};

int RunChild(int argc, char** argv)
{
    const double entered = NowMs();
    PlatformPreInit();
    QApplication qt(argc, argv);
    PlatformInit();
    FirstPaint watch;
    qt.installEventFilter(&watch);
    const double qappDone = NowMs();
    if (!theApp.InitInstance())
        return 2;
    const double initDone = NowMs();
    const double giveUp = initDone + 20000;
    while (!watch.painted && NowMs() < giveUp)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!watch.painted)
        return 3;
    std::printf("%.3f %.3f %.3f %.3f\n", entered, qappDone - entered, initDone - qappDone, watch.paintedAt - initDone);
    std::fflush(stdout);
    // The shut-down is not part of what is measured.
    _exit(0);
}

void BM_StartupToFirstPaint(benchmark::State& state, const char* self)
{
    char settings[] = "/tmp/orvane-bench-XXXXXX";
    if (!mkdtemp(settings)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    double exec = 0, qapp = 0, init = 0, paint = 0;
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) {
            state.SkipWithError("pipe");
            return;
        }
        const double spawned = NowMs();
        const pid_t pid = fork();
        if (pid == 0) {
            cpu_set_t one;
            CPU_ZERO(&one);
            cpu_set_t allowed;
            sched_getaffinity(0, sizeof(allowed), &allowed);
            for (int c = 0; c < CPU_SETSIZE; ++c)
                if (CPU_ISSET(c, &allowed)) {
                    CPU_SET(c, &one);
                    break;
                }
            sched_setaffinity(0, sizeof(one), &one);
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            setenv("ORVANE_DEVICE_ADDRESS", "127.0.0.1:1", 1);
            setenv("ORVANE_LOOPBACK_ONLY", "1", 1);
            setenv("XDG_CONFIG_HOME", settings, 1);
            execl(self, self, "--startup-child", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char line[256] = {};
        FILE* f = fdopen(out[0], "r");
        const bool got = f && std::fgets(line, sizeof(line), f);
        if (f)
            std::fclose(f);
        int status = 0;
        waitpid(pid, &status, 0);
        double entered = 0, q = 0, i = 0, p = 0;
        if (!got || std::sscanf(line, "%lf %lf %lf %lf", &entered, &q, &i, &p) != 4 || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child did not reach its first paint");
            return;
        }
        const double e = entered - spawned;
        state.SetIterationTime((e + q + i + p) / 1000.0);
        exec += e, qapp += q, init += i, paint += p;
    }
    const double n = double(state.iterations());
    state.counters["exec_ms"] = exec / n;
    state.counters["qapp_ms"] = qapp / n;
    state.counters["init_ms"] = init / n;
    state.counters["paint_ms"] = paint / n;
    std::string rm = std::string("rm -rf ") + settings;
    if (std::system(rm.c_str()) != 0)
        state.SkipWithError("temporary folder left behind");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0)
        return RunChild(argc, argv);
    static std::string self = argv[0];
    benchmark::RegisterBenchmark("StartupToFirstPaint", BM_StartupToFirstPaint, self.c_str())
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
