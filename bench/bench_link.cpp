// Transactions per second through the comm worker against the device emulator over loopback
// TCP, with the worker in its send case: each pass runs one transaction under g_csComm, then
// pauses 5 ms.
// - Queued: the queue holds the requests, so every pass writes one and reads its answer.
// - Idle: the queue is empty, so a pass only appends the change scanner's state poll and the
//   next pass sends it: two passes (two pauses) per exchange, by design.
// The baseline is the pause alone on this machine; a queued exchange minus the pause is the
// cost of the transaction itself (socket round trip, emulator, reply engine, lock, event wait).
//
// Network safety: 127.0.0.1 only, with a reachability check that answers for nothing else.
#include "CKTVCommand.h"
#include "CKTV_Data.h"
#include "CNet_Socket.h"
#include "Clock.h"
#include "CommWorker.h"
#include "DeviceEmulator.h"
#include "EmuTcpServer.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkState.h"
#include "Reachability.h"
#include "SceneImage.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr int kExchangesPerIteration = 100;
const char* const kLoopback = "127.0.0.1";

class LoopbackOnly : public IReachability {
public:
    BOOL IsDeviceOnSubnet(const CString& ip) override { return ip == kLoopback; }
    BOOL PingDevice(const CString& ip) override { return ip == kLoopback; }
};

class NetOnly : public ICommTransactions {
public:
    explicit NetOnly(CNet_Socket& net) : m_net(net) {}
    void UsbTransact() override {}
    void NetTransact() override { m_net.NetTransact(); }
    void UsbTransactHex() override {}
    void NetTransactHex() override {}

private:
    CNet_Socket& m_net;
};

using SteadyClock = std::chrono::steady_clock;

// queued: the benchmark queues each iteration's requests; otherwise the scanner's polls go out.
void RunWorkerOverLoopbackTcp(benchmark::State& state, bool queued)
{
    InitAllData();
    CDeviceEmulator emu;
    emu.EnableRequestLog(false);
    std::atomic<long> requests{0};
    emu.SetTrace([&](bool fromHost, const std::vector<BYTE>&) {
        if (fromHost)
            ++requests;
    });
    CEmuTcpServer server(emu);
    if (!server.Start(0)) {
        state.SkipWithError("emulator could not listen on 127.0.0.1");
        return;
    }
    g_strDeviceIp = kLoopback;
    g_nDevicePort = server.GetPort();

    LoopbackOnly reach;
    CKTVCommand command;
    CKTV_Data scene;
    CNet_Socket net(&reach);
    net.SetCommand(&command);
    net.SetNextSendData([&scene] { return scene.GetNextSendData(); });
    net.SetLinkedQuery([] { return TRUE; });
    net.m_bReachable = 1;
    if (!net.Connect()) {
        state.SkipWithError("no connection to the emulator");
        return;
    }
    g_nLinkType = 2;
    g_bNetOpen = 1;
    NetOnly tx(net);
    CCommWorker worker(tx);
    worker.StartWorker(FALSE);

    for (auto _ : state) {
        const long start = requests.load();
        const auto t0 = SteadyClock::now();
        if (queued) {
            CSingleLock lock(g_csComm);
            for (int i = 0; i < kExchangesPerIteration; ++i)
                command.AddSendData(BuildBlockPacket(BLOCK_STATE_POLL, 0, 0));
        }
        while (requests.load() < start + kExchangesPerIteration)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const auto t1 = SteadyClock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    worker.StopWorker(TRUE);
    net.Close();
    g_bNetOpen = 0;
    g_nLinkType = 0;
    state.SetItemsProcessed(state.iterations() * kExchangesPerIteration);
    state.counters["per_exchange"] = benchmark::Counter(
        double(kExchangesPerIteration) * double(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
void BM_WorkerQueuedExchangeOverLoopbackTcp(benchmark::State& state) { RunWorkerOverLoopbackTcp(state, true); }
BENCHMARK(BM_WorkerQueuedExchangeOverLoopbackTcp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_WorkerIdlePollOverLoopbackTcp(benchmark::State& state) { RunWorkerOverLoopbackTcp(state, false); }
BENCHMARK(BM_WorkerIdlePollOverLoopbackTcp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The worker's pause between two exchanges, alone.
void BM_WorkerPauseAlone(benchmark::State& state)
{
    for (auto _ : state)
        Sleep(COMM_PAUSE_MS);
}
BENCHMARK(BM_WorkerPauseAlone)->Unit(benchmark::kMicrosecond)->Iterations(400);

}  // namespace
