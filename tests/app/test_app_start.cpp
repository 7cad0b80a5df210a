// The program starts under the offscreen platform, runs, and ends with exit code 0 on a quit
// signal.
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>

namespace {

// True once the process has a handler for the signal (its SigCgt mask in /proc): by then the
// program has made its QApplication and is on its way into its loop.
bool CatchesSignal(qint64 pid, int sig)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (sig - 1)) & 1;
    return false;
}

class ProgramStart : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(ProgramStart, RunsAndQuitsWithExitCodeZeroOnSignal)
{
    const int sig = GetParam();
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // Only the loopback address, where nothing listens on port 1; the processor's own is refused.
    env.insert("ORVANE_DEVICE_ADDRESS", "127.0.0.1:1");
    env.insert("ORVANE_LOOPBACK_ONLY", "1");
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(ORVANE_PROGRAM, {});
    ASSERT_TRUE(program.waitForStarted(30000)) << ORVANE_PROGRAM;

    bool ready = false;
    for (int i = 0; i < 600 && !ready && program.state() == QProcess::Running; ++i) {
        ready = CatchesSignal(program.processId(), sig);
        if (!ready)
            QThread::msleep(50);
    }
    ASSERT_TRUE(ready) << "the program never got ready (state " << program.state() << ")";
    // Still running a little later: it does not end on its own.
    EXPECT_FALSE(program.waitForFinished(300));

    // processId() is 0 once the program has ended, and kill(0) would hit our own group.
    const pid_t pid = pid_t(program.processId());
    ASSERT_GT(pid, 0);
    ::kill(pid, sig);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramStart, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return std::string(i.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });
