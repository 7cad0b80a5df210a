// build/orvane under a virtual X server, as a person would see it: the caption-less main window
// centred on the screen, 1200 x 695 pixels showing (2 pixels of each edge cut off), in the
// language of the locale. The screens are kept in build/screens/ to be looked at.
#include "DeviceEmulator.h"
#include "EmuTcpServer.h"
#include "ProgramRun.h"
#include "TestEnv.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kScreenW = 1280;
constexpr int kScreenH = 800;

struct Shot {
    QImage image;
    int programExit = -1;  // the program's exit code after SIGTERM
    int grabExit = -1;
};

// Starts the program on a fresh virtual X server, pointed at the emulator's loopback port, grabs
// its screen once it has drawn, then ends the program with SIGTERM. Empty image when the server
// could not run.
Shot RunAndGrab(const char* lang, const QString& file, int nDevicePort)
{
    Shot shot;
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty())
        return shot;
    const QString config = QString::fromStdString(TestEnv::TempDir()) + "/xvfb-" + lang;
    QDir().mkpath(config);
    // The script prints "<grab exit> <program exit>".
    const QString script =
        "\"$0\" & P=$!; \"$1\" \"$2\" 30000; G=$?; kill -TERM $P; wait $P; echo \"$G $?\"";
    QProcess run;
    run.setProcessEnvironment(ProgramEnvironment(config, nDevicePort, lang));
    run.start(xvfbRun, {"-a", "-s", QString("-screen 0 %1x%2x24").arg(kScreenW).arg(kScreenH), "sh", "-c", script,
                        ORVANE_PROGRAM, ORVANE_SCREENGRAB, file});
    if (!run.waitForFinished(90000)) {
        run.kill();
        run.waitForFinished();
        return shot;
    }
    const QStringList codes = QString::fromLocal8Bit(run.readAllStandardOutput()).trimmed().split(' ');
    if (codes.size() == 2) {
        shot.grabExit = codes[0].toInt();
        shot.programExit = codes[1].toInt();
    }
    shot.image.load(file);
    return shot;
}

// The smallest rectangle holding every pixel that is not the server's black.
QRect Drawn(const QImage& img)
{
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

TEST(ProgramOnX, CaptionlessMainWindowCentredInTheLanguageOfTheLocale)
{
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed (scripts/setup.sh installs it)";
    const QString dir = QString(ORVANE_BINARY_DIR) + "/screens";
    QDir().mkpath(dir);
    CDeviceEmulator emu;
    CEmuTcpServer server(emu);
    ASSERT_TRUE(server.Start(0));
    const Shot cn = RunAndGrab("zh_CN.UTF-8", dir + "/xvfb_main_cn.png", server.GetPort());
    const Shot en = RunAndGrab("en_US.UTF-8", dir + "/xvfb_main_en.png", server.GetPort());
    server.Stop();
    for (const Shot* s : {&cn, &en}) {
        ASSERT_FALSE(s->image.isNull()) << "no screen was grabbed";
        EXPECT_EQ(s->grabExit, 0) << "the screen stayed empty";
        EXPECT_EQ(s->programExit, 0);
        EXPECT_EQ(s->image.size(), QSize(kScreenW, kScreenH));
        // 1204 x 699 centred, 2 pixels cut from each edge; no title bar above it.
        const QRect expected((kScreenW - 1204) / 2 + 2, (kScreenH - 699) / 2 + 2, 1200, 695);
        EXPECT_EQ(Drawn(s->image), expected);
    }
    // The same window in two languages: the top bar's captions differ, the form below does not.
    const QRect bar(40, 52, 1200, 40);
    EXPECT_NE(cn.image.copy(bar), en.image.copy(bar));
}
