#include "QuitSignals.h"

#include "WinApi.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};  // [0] read by the loop, [1] written by the handler

void OnQuitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
}

}  // namespace

CQuitSignals::CQuitSignals()
{
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_pNotifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_pNotifier, &QSocketNotifier::activated, [] {
        char buf[16];
        while (read(g_pipe[0], buf, sizeof buf) > 0) {
        }
        PostQuitMessage(0);
    });
    struct sigaction sa {};
    sa.sa_handler = OnQuitSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

CQuitSignals::~CQuitSignals()
{
    if (!m_pNotifier)
        return;
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    delete m_pNotifier;
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}
