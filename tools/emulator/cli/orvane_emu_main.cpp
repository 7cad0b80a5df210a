// orvane-emu: runs the emulated processor as a TCP server on 127.0.0.1, so that the program
// can be pointed at it (device address 127.0.0.1, port as given) without hardware, or on a
// pseudo-terminal that the program opens as its COM port. Its firmware loader takes updates.
//
//   orvane-emu [--port N | --pty] [--version TEXT] [--delay MS] [--trace]
//
// --trace prints every frame in the wire-trace line format, seen from the program's side:
// "Sent: <hex>" for a request, "Recv: <hex>" for the emulator's answer.
#include "DeviceEmulator.h"
#include "EmuLoader.h"
#include "EmuPtyDoor.h"
#include "EmuTcpServer.h"

#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void PrintUsage(const char* argv0)
{
    std::printf("usage: %s [--port N | --pty] [--version TEXT] [--delay MS] [--trace]\n"
                "  --port N        TCP port on 127.0.0.1 (default 8899, 0 = any free port)\n"
                "  --pty           serve a pseudo-terminal (a serial line) instead, print its path\n"
                "  --version TEXT  version text the device reports (default MPEK-QK1.00)\n"
                "  --delay MS      answer every request MS milliseconds late\n"
                "  --trace         print every request and answer as hex\n",
                argv0);
}

bool ParseInt(const char* text, int lo, int hi, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!text[0] || *end || v < lo || v > hi)
        return false;
    value = int(v);
    return true;
}

void PrintFrame(bool fromHost, const std::vector<BYTE>& frame)
{
    std::printf("%s:", fromHost ? "Sent" : "Recv");
    for (BYTE b : frame)
        std::printf(" %02X", b);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    int port = 8899;
    int delayMs = 0;
    bool trace = false;
    bool pty = false;
    std::string version;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(a, "--port") && hasValue && ParseInt(argv[i + 1], 0, 65535, port)) {
            ++i;
        } else if (!std::strcmp(a, "--delay") && hasValue && ParseInt(argv[i + 1], 0, 600000, delayMs)) {
            ++i;
        } else if (!std::strcmp(a, "--version") && hasValue) {
            version = argv[++i];
        } else if (!std::strcmp(a, "--trace")) {
            trace = true;
        } else if (!std::strcmp(a, "--pty")) {
            pty = true;
        } else {
            PrintUsage(argv[0]);
            return !std::strcmp(a, "--help") ? 0 : 2;
        }
    }

    // A shell may start a background job with SIGINT ignored, and an ignored signal never
    // reaches sigwait. The server thread inherits the mask, so only sigwait below sees them.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    CDeviceEmulator emu;
    emu.EnableRequestLog(false);  // nobody reads it here, and the program polls without pause
    if (!version.empty())
        emu.SetVersion(version);
    emu.SetReplyDelayMs(delayMs);
    if (trace)
        emu.SetTrace(PrintFrame);

    CEmuLoader loader;
    emu.SetFirmwareSide(&loader);

    int sig = 0;
    if (pty) {
        CEmuPtyDoor door(emu);
        if (!door.Start()) {
            std::fprintf(stderr, "orvane-emu: cannot make a pseudo-terminal: %s\n", std::strerror(errno));
            return 1;
        }
        std::printf("orvane-emu: processor %s on serial line %s (Ctrl+C ends)\n", emu.GetVersion().c_str(),
                    door.GetSlavePath().c_str());
        std::fflush(stdout);
        sigwait(&stopSignals, &sig);
        door.Stop();
    } else {
        CEmuTcpServer server(emu);
        if (!server.Start(port)) {
            std::fprintf(stderr, "orvane-emu: cannot listen on 127.0.0.1:%d: %s\n", port, std::strerror(errno));
            return 1;
        }
        std::printf("orvane-emu: processor %s listening on 127.0.0.1:%d (Ctrl+C ends)\n", emu.GetVersion().c_str(),
                    server.GetPort());
        std::fflush(stdout);
        sigwait(&stopSignals, &sig);
        server.Stop();
    }
    emu.SetFirmwareSide(nullptr);
    return 0;
}
