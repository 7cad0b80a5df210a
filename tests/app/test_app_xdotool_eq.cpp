// Equaliser editing in build/orvane under a virtual X server, driven by real pointer clicks and
// keys (xdotool) against the emulator on 127.0.0.1: the user clicks band 5's gain field of
// output 1, types 6 and presses Enter, and the device receives that band's record with +6 dB;
// then a click on the band's bypass button, and the device receives the record bypassed. Then
// the top bar's map reset and left/right link buttons, each opening its prompt. The script waits
// at each step until the test has seen the device take what the step sends. The screens after
// each step are kept in build/screens/.
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

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kChannel = 0;  // output 1, current after start-up
constexpr int kBand = 4;     // the band labelled 5
constexpr int kGainCode = 660;    // +6.0 dB: gain index 260, + 400 on the wire
constexpr int kFlatCode = 600;    // what a bypassed band carries

// Places in the window (the form's pixels; the output page lies at (2, 36)): band 5's gain field
// at (379, 340), its bypass button at (375, 438); the top bar's Reset Map at (992, 18) and L/R
// Link at (1070, 18). Each step waits for what it should bring about and prints KEY=VALUE lines.
// SYNC is where the test drops a file once the device has seen what a step should send, and
// where the script leaves one before a step the test has to tell apart.
const char* const kStart = R"SH(
PROG="$1"; GRAB="$2"; SHOTS="$3"; SYNC="$4"
"$PROG" & P=$!
W=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvane$' | head -1)
[ -n "$W" ] || { echo "WINDOW=none"; kill $P; exit 0; }
eval $(xdotool getwindowgeometry --shell "$W")
echo "START=$X,$Y"
at() { ax=$1; ay=$2; shift 2; xdotool mousemove $((X + ax)) $((Y + ay)); sleep 0.3; [ $# -gt 0 ] && xdotool "$@"; }
waitfor() { for i in $(seq 1 150); do eval "$1" && return 0; sleep 0.1; done; return 1; }
# A question box: found by its title, clicked at a fraction of its width and height.
prompt() { timeout 20 xdotool search --sync --onlyvisible --name '^Prompting$' | head -1; }
answer() { eval $(xdotool getwindowgeometry --shell "$1" | sed 's/^/Q/')
  xdotool mousemove $((QX + QWIDTH * $2 / 100)) $((QY + QHEIGHT * $3 / 100)); sleep 0.3; xdotool click 1; }

# The first connection reads the device behind the transfer popup: the user waits for it to go.
waitfor '[ -e "$SYNC/read" ]' || true
waitfor '! xdotool search --onlyvisible --name "^Data transmission$" >/dev/null 2>&1' || true
)SH";

const char* const kEqSteps = R"SH(
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
)SH";

// The map prompt's Default button lies at 50 % of its width, Cancel of the link prompt at 69 %,
// both at 81 % of the height.
const char* const kPromptSteps = R"SH(
# Reset Map: its prompt; Default puts the map back and sends it.
at 992 18 click 1
Q=$(prompt)
[ -n "$Q" ] && echo "MAP_PROMPT=shown" || echo "MAP_PROMPT=none"
if [ -n "$Q" ]; then
  "$GRAB" "$SHOTS/xdotool_map_prompt.png" 30000 >/dev/null 2>&1
  : > "$SYNC/map-asked"
  answer "$Q" 50 81
fi
waitfor '[ -e "$SYNC/types" ]' && echo "TYPES=sent" || echo "TYPES=none"
waitfor '! xdotool search --onlyvisible --name "^Prompting$" >/dev/null 2>&1' && echo "MAP_CLOSED=yes"

# L/R Link: its prompt; Cancel links nothing.
at 1070 18 click 1
Q=$(prompt)
[ -n "$Q" ] && echo "LINK_PROMPT=shown" || echo "LINK_PROMPT=none"
if [ -n "$Q" ]; then
  "$GRAB" "$SHOTS/xdotool_link_prompt.png" 30000 >/dev/null 2>&1
  answer "$Q" 69 81
fi
waitfor '! xdotool search --onlyvisible --name "^Prompting$" >/dev/null 2>&1' && echo "LINK_CLOSED=yes"
)SH";

const char* const kEnd = R"SH(
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

// Requests of one code to one block type and channel (a system sub-command for type 9).
size_t CountRequests(const CDeviceEmulator& emu, BYTE code, BYTE type, BYTE channel)
{
    size_t n = 0;
    for (const std::vector<BYTE>& f : emu.GetRequestLog())
        if (f.size() >= size_t(EMU_FRAME_OVERHEAD) && f[EMU_POS_CODE] == code && f[EMU_POS_TYPE] == type &&
            f[EMU_POS_CHANNEL] == channel)
            ++n;
    return n;
}

// The band's gain code in the device's live scene.
int StoredGainCode(const CDeviceEmulator& emu)
{
    const std::vector<BYTE> scene = emu.GetScene(0);
    const size_t at = EMU_OUTPUT_OFFSET + size_t(kChannel) * EMU_OUTPUT_RECORDS * EMU_RECORD_SIZE +
                      size_t(kBand) * EMU_RECORD_SIZE;
    return scene.size() < at + EMU_RECORD_SIZE ? -1 : scene[at + 2] | scene[at + 3] << 8;
}

int LastBandWrite(const CDeviceEmulator& emu)
{
    const std::vector<int> writes = BandWrites(emu);
    return writes.empty() ? -1 : writes.back();
}

// A file the test drops into SYNC once ready holds, and only after the marks before it.
struct Mark {
    const char* file;
    std::function<bool(const CDeviceEmulator& emu, const QDir& sync)> ready;
};

// The program has read the device up to its last output block.
Mark DeviceRead()
{
    return {"read", [](const CDeviceEmulator& emu, const QDir&) {
                return CountRequests(emu, EMU_CODE_READ, EMU_TYPE_OUTPUT, EMU_OUTPUT_CHANNELS - 1) > 0;
            }};
}

// Runs the script; while it runs, drops each mark's file once it is due.
ScriptValues RunScript(const std::string& script, CDeviceEmulator& emu, const QString& config, const QString& shots,
                       int nPort, const std::vector<Mark>& marks)
{
    const QDir sync(config + "/sync");
    QDir(sync).removeRecursively();
    QDir().mkpath(sync.path());
    QProcess run;
    run.setProcessEnvironment(ProgramEnvironment(config, nPort));
    run.start(QStandardPaths::findExecutable("xvfb-run"),
              {"-a", "-s", "-screen 0 1280x800x24", "sh", "-c", QString::fromStdString(script), "sh", ORVANE_PROGRAM,
               ORVANE_SCREENGRAB, shots, sync.path()});
    size_t next = 0;
    QElapsedTimer guard;  // a hung run, not a timing check
    guard.start();
    while (!run.waitForFinished(50)) {
        if (guard.elapsed() > 120000 || run.state() == QProcess::NotRunning)
            break;
        if (next < marks.size() && marks[next].ready(emu, sync)) {
            QFile f(sync.filePath(marks[next].file));
            if (f.open(QIODevice::WriteOnly))
                f.close();
            ++next;
        }
    }
    if (run.state() != QProcess::NotRunning) {
        run.kill();
        run.waitForFinished();
        return ScriptValues();
    }
    return ScriptValues(run.readAllStandardOutput());
}

// The emulator on a loopback port and build/screens/; skipped without the tools, and in an
// instrumented build, whose slower drawing the script's pointer steps do not wait for.
class OutputPageByPointer : public ::testing::Test {
protected:
    void SetUp() override
    {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "pointer script; run in the build without sanitizers";
#endif
        for (const char* tool : {"xvfb-run", "xdotool"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
        shots = QString(ORVANE_BINARY_DIR) + "/screens";
        QDir().mkpath(shots);
        ASSERT_TRUE(server.Start(0));
    }
    // The program started, the steps, the program ended; the emulator stops with the script.
    ScriptValues Run(const char* steps, const char* name, const std::vector<Mark>& marks)
    {
        const QString config = QString::fromStdString(TestEnv::TempDir()) + "/" + name;
        QDir().mkpath(config);
        const ScriptValues r =
            RunScript(std::string(kStart) + steps + kEnd, emu, config, shots, server.GetPort(), marks);
        server.Stop();
        return r;
    }

    QString shots;
    CDeviceEmulator emu;
    CEmuTcpServer server{emu};
};

}  // namespace


TEST_F(OutputPageByPointer, BandGainTypedAndBypassClickedReachTheDevice)
{
    ASSERT_NE(StoredGainCode(emu), kGainCode);
    const std::vector<Mark> marks = {
        DeviceRead(),
        {"gain", [](const CDeviceEmulator& e, const QDir&) {
             return LastBandWrite(e) == kGainCode && StoredGainCode(e) == kGainCode;
         }},
        {"bypass", [](const CDeviceEmulator& e, const QDir&) {
             return LastBandWrite(e) == kFlatCode && StoredGainCode(e) == kFlatCode;
         }},
    };
    const ScriptValues r = Run(kEqSteps, "xdotool-eq", marks);
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

// The top bar's Reset Map and L/R Link buttons open their prompts; Default sends the speaker
// map, Cancel leaves the link off.
TEST_F(OutputPageByPointer, MapAndLinkButtonsOpenTheirPrompts)
{
    size_t typesBefore = 0;
    bool asked = false;
    const std::vector<Mark> marks = {
        DeviceRead(),
        // Speaker types written after the user answered the map prompt.
        {"types", [&](const CDeviceEmulator& e, const QDir& sync) {
             const size_t n = CountRequests(e, EMU_CODE_WRITE, EMU_TYPE_SYSTEM, EMU_SYS_SPEAKERS);
             if (!asked && sync.exists("map-asked")) {
                 asked = true;
                 typesBefore = n;
             }
             return asked && n > typesBefore;
         }},
    };
    const ScriptValues r = Run(kPromptSteps, "xdotool-prompts", marks);
    ASSERT_NE(r.Get("START"), "<missing>") << "the window never showed";
    EXPECT_EQ(r.Get("MAP_PROMPT"), "shown");
    EXPECT_EQ(r.Get("TYPES"), "sent");
    EXPECT_EQ(r.Get("MAP_CLOSED"), "yes");
    EXPECT_EQ(r.Get("LINK_PROMPT"), "shown");
    EXPECT_EQ(r.Get("LINK_CLOSED"), "yes");
    EXPECT_EQ(r.Get("EXIT"), "0");

    // Two different prompts: the same size, other texts.
    const QImage map(shots + "/xdotool_map_prompt.png");
    const QImage link(shots + "/xdotool_link_prompt.png");
    ASSERT_FALSE(map.isNull());
    ASSERT_FALSE(link.isNull());
    EXPECT_NE(map, link);
}
