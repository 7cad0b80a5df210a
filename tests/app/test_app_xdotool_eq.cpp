// Equaliser editing in build/orvane under a virtual X server, driven by real pointer clicks and
// keys (xdotool) against the emulator on 127.0.0.1: the user clicks band 5's gain field of
// output 1, types 6 and presses Enter, and the device receives that band's record with +6 dB;
// then a click on the band's bypass button, and the device receives the record bypassed. The
// script waits at each step until the test has seen the device take the record. The screens
// after each step are kept in build/screens/.
#include "DeviceEmulator.h"
#include "EmuProtocol.h"
#include "EmuTcpServer.h"
#include "ProgramRun.h"
#include "TestEnv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kChannel = 0;  // output 1, current after start-up
constexpr int kBand = 4;     // the band labelled 5
constexpr int kGainCode = 660;    // +6.0 dB: gain index 260, + 400 on the wire
constexpr int kFlatCode = 600;    // what a bypassed band carries

// Places in the window (the form's pixels; the output page lies at (2, 36)): band 5's gain field
// at (379, 340), its bypass button at (375, 438). Each step waits for what it should bring about
// and prints KEY=VALUE lines. SYNC is where the test drops a file once the program has read the
// device (read) and once the device has each record (gain, bypass).
const char* const kScript = R"SH(
PROG="$1"; GRAB="$2"; SHOTS="$3"; SYNC="$4"
"$PROG" & P=$!
W=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvane$' | head -1)
[ -n "$W" ] || { echo "WINDOW=none"; kill $P; exit 0; }
eval $(xdotool getwindowgeometry --shell "$W")
echo "START=$X,$Y"
at() { ax=$1; ay=$2; shift 2; xdotool mousemove $((X + ax)) $((Y + ay)); sleep 0.3; [ $# -gt 0 ] && xdotool "$@"; }
waitfor() { for i in $(seq 1 150); do eval "$1" && return 0; sleep 0.1; done; return 1; }

# The first connection reads the device behind the transfer popup: the user waits for it to go.
waitfor '[ -e "$SYNC/read" ]' || true
waitfor '! xdotool search --onlyvisible --name "^Data transmission$" >/dev/null 2>&1' || true
"$GRAB" "$SHOTS/xdotool_eq_start.png" 30000 >/dev/null 2>&1

# Band 5's gain: click the field, replace its text with 6, Enter.
at 379 340 click 1
xdotool key ctrl+a
xdotool type 6
xdotool key Return
waitfor '[ -e "$SYNC/gain" ]' && echo "GAIN=seen" || echo "GAIN=none"
"$GRAB" "$SHOTS/xdotool_eq_gain.png" 30000 >/dev/null 2>&1

# The band's bypass button.
at 375 438 click 1
waitfor '[ -e "$SYNC/bypass" ]' && echo "BYPASS=seen" || echo "BYPASS=none"
"$GRAB" "$SHOTS/xdotool_eq_bypass.png" 30000 >/dev/null 2>&1

kill -TERM $P; wait $P; echo "EXIT=$?"
)SH";

// Gain codes of the single-record writes of the band, in the order the device got them.
std::vector<int> BandWrites(const CDeviceEmulator& emu)
{
    std::vector<int> codes;
    for (const std::vector<BYTE>& f : emu.GetRequestLog()) {
        if (f.size() != size_t(EMU_FRAME_OVERHEAD + EMU_RECORD_SIZE) || f[EMU_POS_CODE] != EMU_CODE_WRITE ||
            f[EMU_POS_TYPE] != EMU_TYPE_OUTPUT || f[EMU_POS_CHANNEL] != kChannel || f[EMU_POS_RECORD] != kBand)
            continue;
        codes.push_back(f[EMU_POS_PAYLOAD + 2] | f[EMU_POS_PAYLOAD + 3] << 8);
    }
    return codes;
}

// The connection's read of the device has come to the last output block.
bool LastBlockRead(const CDeviceEmulator& emu)
{
    for (const std::vector<BYTE>& f : emu.GetRequestLog())
        if (f.size() >= size_t(EMU_FRAME_OVERHEAD) && f[EMU_POS_CODE] == EMU_CODE_READ &&
            f[EMU_POS_TYPE] == EMU_TYPE_OUTPUT && f[EMU_POS_CHANNEL] == EMU_OUTPUT_CHANNELS - 1)
            return true;
    return false;
}

// The band's gain code in the device's live scene.
int StoredGainCode(const CDeviceEmulator& emu)
{
    const std::vector<BYTE> scene = emu.GetScene(0);
    const size_t at = EMU_OUTPUT_OFFSET + size_t(kChannel) * EMU_OUTPUT_RECORDS * EMU_RECORD_SIZE +
                      size_t(kBand) * EMU_RECORD_SIZE;
    return scene.size() < at + EMU_RECORD_SIZE ? -1 : scene[at + 2] | scene[at + 3] << 8;
}

void Touch(const QString& path)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.close();
}

// Runs the script; while it runs, tells it through SYNC when the device has taken each record.
ScriptValues RunScript(CDeviceEmulator& emu, const QString& config, const QString& shots, int nPort)
{
    const QString sync = config + "/sync";
    QDir(sync).removeRecursively();
    QDir().mkpath(sync);
    QProcess run;
    run.setProcessEnvironment(ProgramEnvironment(config, nPort));
    run.start(QStandardPaths::findExecutable("xvfb-run"),
              {"-a", "-s", "-screen 0 1280x800x24", "sh", "-c", kScript, "sh", ORVANE_PROGRAM, ORVANE_SCREENGRAB, shots,
               sync});
    bool readSeen = false, gainSeen = false, bypassSeen = false;
    QElapsedTimer guard;  // a hung run, not a timing check
    guard.start();
    while (!run.waitForFinished(50)) {
        if (guard.elapsed() > 120000 || run.state() == QProcess::NotRunning)
            break;
        if (!readSeen && LastBlockRead(emu)) {
            readSeen = true;
            Touch(sync + "/read");
        }
        const std::vector<int> writes = BandWrites(emu);
        const int last = writes.empty() ? -1 : writes.back();
        if (!gainSeen && last == kGainCode && StoredGainCode(emu) == kGainCode) {
            gainSeen = true;
            Touch(sync + "/gain");
        }
        if (gainSeen && !bypassSeen && last == kFlatCode && StoredGainCode(emu) == kFlatCode) {
            bypassSeen = true;
            Touch(sync + "/bypass");
        }
    }
    if (run.state() != QProcess::NotRunning) {
        run.kill();
        run.waitForFinished();
        return ScriptValues();
    }
    return ScriptValues(run.readAllStandardOutput());
}

}  // namespace

TEST(ProgramByPointer, BandGainTypedAndBypassClickedReachTheDevice)
{
#if defined(__SANITIZE_ADDRESS__)
    // The script's pointer steps assume the program draws at its normal pace.
    GTEST_SKIP() << "pointer script; run in the build without sanitizers";
#endif
    for (const char* tool : {"xvfb-run", "xdotool"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
    const QString shots = QString(ORVANE_BINARY_DIR) + "/screens";
    QDir().mkpath(shots);
    const QString config = QString::fromStdString(TestEnv::TempDir()) + "/xdotool-eq";
    QDir().mkpath(config);
    CDeviceEmulator emu;
    CEmuTcpServer server(emu);
    ASSERT_TRUE(server.Start(0));
    const int before = StoredGainCode(emu);
    ASSERT_NE(before, kGainCode);
    const ScriptValues r = RunScript(emu, config, shots, server.GetPort());
    server.Stop();
    ASSERT_NE(r.Get("START"), "<missing>") << "the window never showed";
    EXPECT_EQ(r.Get("GAIN"), "seen");
    EXPECT_EQ(r.Get("BYPASS"), "seen");
    EXPECT_EQ(r.Get("EXIT"), "0");

    // The band's record went out with +6 dB, then bypassed; the device keeps the last.
    const std::vector<int> writes = BandWrites(emu);
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes[writes.size() - 2], kGainCode);
    EXPECT_EQ(writes.back(), kFlatCode);
    EXPECT_EQ(StoredGainCode(emu), kFlatCode);

    // Band 5's gain field on the screen: its text changed with the typed value and again when
    // the bypass showed the band flat.
    const auto start = r.Point("START");
    const QImage shot0(shots + "/xdotool_eq_start.png");
    const QImage shot1(shots + "/xdotool_eq_gain.png");
    const QImage shot2(shots + "/xdotool_eq_bypass.png");
    ASSERT_FALSE(shot0.isNull());
    ASSERT_FALSE(shot1.isNull());
    ASSERT_FALSE(shot2.isNull());
    const QRect field(start.first + 365, start.second + 333, 28, 15);
    EXPECT_NE(shot0.copy(field), shot1.copy(field));
    EXPECT_NE(shot1.copy(field), shot2.copy(field));
}
