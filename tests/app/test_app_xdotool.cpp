// build/orvane under a virtual X server, driven by real pointer clicks (xdotool) the way a new
// user would try it: the settings menu's language item switches the language (and the choice is
// saved), its About item opens the about box, dragging the window's bare background moves the
// caption-less window, Minimise asks the window system to iconify it, and Exit asks its question
// and, answered No, ends the program. The screens before and after the switch are kept in
// build/screens/.
#include "DeviceEmulator.h"
#include "EmuTcpServer.h"
#include "SettingsStore.h"
#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// The steps, as a user does them. Places are in the window (the form's pixels): the settings
// button at (122, 18), a bare spot of the top bar at (1125, 18), minimise at (1156, 18), exit at
// (1186, 18). Each step waits for what it should bring about and prints KEY=VALUE lines.
const char* const kScript = R"SH(
PROG="$1"; GRAB="$2"; SHOTS="$3"; INI="$4"
"$PROG" & P=$!
W=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvane$' | head -1)
[ -n "$W" ] || { echo "WINDOW=none"; kill $P; exit 0; }
"$GRAB" "$SHOTS/xdotool_start.png" 30000 >/dev/null 2>&1
eval $(xdotool getwindowgeometry --shell "$W")
echo "START=$X,$Y"
at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
waitfor() { for i in $(seq 1 100); do eval "$1" && return 0; sleep 0.1; done; return 1; }

# Settings menu, first item: the language.
at 122 18 click 1
waitfor 'xdotool search --onlyvisible --class orvane >/dev/null 2>&1' || true
sleep 0.3
at 100 45 click 1
waitfor 'grep -q "^Language=Chinese" "$INI"' && echo "LANGUAGE=Chinese" || echo "LANGUAGE=$(grep ^Language "$INI")"
sleep 0.5
"$GRAB" "$SHOTS/xdotool_chinese.png" 30000 >/dev/null 2>&1

# Settings menu, last item: About (关于 in Chinese).
at 122 18 click 1
sleep 0.3
MENU=$(xdotool search --onlyvisible --name '' 2>/dev/null | while read w; do
  eval $(xdotool getwindowgeometry --shell $w | sed 's/^/M/'); [ "$MWIDTH" -lt 400 ] && [ "$MHEIGHT" -gt 60 ] && [ "$MHEIGHT" -lt 300 ] && echo "$MX $MY $MWIDTH $MHEIGHT"; done | head -1)
if [ -n "$MENU" ]; then
  set -- $MENU
  xdotool mousemove $(($1 + 30)) $(($2 + $4 - 12)) click 1
fi
A=$(timeout 20 xdotool search --sync --onlyvisible --name '^关于$' | head -1)
[ -n "$A" ] && echo "ABOUT=open" || echo "ABOUT=none"
[ -n "$A" ] && xdotool key --window "$A" Escape
waitfor '! xdotool search --onlyvisible --name "^关于$" >/dev/null 2>&1' || true

# Drag the window by its background: 60 right, 40 down.
at 1125 18 mousedown 1
for s in 1 2 3 4 5 6; do xdotool mousemove_relative -- 10 0; sleep 0.05; done
for s in 1 2 3 4; do xdotool mousemove_relative -- 0 10; sleep 0.05; done
xdotool mouseup 1
sleep 0.3
eval $(xdotool getwindowgeometry --shell "$W")
echo "MOVED=$X,$Y"

# Minimise: the window system is asked to iconify the window (no window manager runs here to
# do it, so the request itself is what can be seen).
xev -root -event substructure > "$SHOTS/xdotool_xev.log" 2>&1 & XEV=$!
sleep 0.5
at 1156 18 click 1
waitfor 'grep -q WM_CHANGE_STATE "$SHOTS/xdotool_xev.log"' && echo "MINIMISE=requested" || echo "MINIMISE=none"
kill $XEV 2>/dev/null

# Exit: the question comes up ("提示" in Chinese); No ends the program.
at 1186 18 click 1
Q=$(timeout 20 xdotool search --sync --onlyvisible --name '^提示$' | head -1)
[ -n "$Q" ] && echo "QUESTION=shown" || echo "QUESTION=none"
if [ -n "$Q" ]; then
  eval $(xdotool getwindowgeometry --shell "$Q" | sed 's/^/Q/')
  xdotool mousemove $((QX + QWIDTH / 2)) $((QY + QHEIGHT * 81 / 100)) click 1
fi
waitfor '! kill -0 $P 2>/dev/null' && { wait $P; echo "EXIT=$?"; } || { echo "EXIT=running"; kill $P; wait $P; }
)SH";

std::map<std::string, std::string> RunScript(const QString& config, const QString& shots, int nPort)
{
    std::map<std::string, std::string> out;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "DISPLAY"})
        env.remove(v);
    env.insert("LANG", "en_US.UTF-8");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("ORVANE_LOOPBACK_ONLY", "1");
    env.insert("ORVANE_DEVICE_ADDRESS", QString("127.0.0.1:%1").arg(nPort));
    env.insert("XDG_CONFIG_HOME", config);
    const QString suppressions = config + "/lsan.supp";
    QFile supp(suppressions);
    if (supp.open(QIODevice::WriteOnly))
        supp.write("leak:libdbus-1.so\n");
    supp.close();
    env.insert("LSAN_OPTIONS", "suppressions=" + suppressions + ":print_suppressions=0");
    QProcess run;
    run.setProcessEnvironment(env);
    run.start(QStandardPaths::findExecutable("xvfb-run"),
              {"-a", "-s", "-screen 0 1280x800x24", "sh", "-c", kScript, "sh", ORVANE_PROGRAM, ORVANE_SCREENGRAB, shots,
               config + "/Orvane/orvane.ini"});
    if (!run.waitForFinished(240000)) {
        run.kill();
        run.waitForFinished();
        return out;
    }
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            out[line.left(eq).trimmed().toStdString()] = line.mid(eq + 1).trimmed().toStdString();
    }
    return out;
}

std::pair<int, int> Point(const std::string& text)
{
    const size_t comma = text.find(',');
    if (comma == std::string::npos)
        return {-1, -1};
    return {std::stoi(text.substr(0, comma)), std::stoi(text.substr(comma + 1))};
}

}  // namespace

TEST(ProgramByPointer, LanguageAboutDragMinimiseAndExitWorkFromTheWindowItself)
{
    for (const char* tool : {"xvfb-run", "xdotool", "xev"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
    const QString shots = QString(ORVANE_BINARY_DIR) + "/screens";
    QDir().mkpath(shots);
    const QString config = QString::fromStdString(TestEnv::TempDir()) + "/xdotool";
    QDir().mkpath(config);
    CDeviceEmulator emu;
    CEmuTcpServer server(emu);
    ASSERT_TRUE(server.Start(0));
    const std::map<std::string, std::string> r = RunScript(config, shots, server.GetPort());
    server.Stop();
    auto get = [&](const char* key) {
        const auto it = r.find(key);
        return it == r.end() ? std::string("<missing>") : it->second;
    };
    ASSERT_NE(get("START"), "<missing>") << "the window never showed";
    EXPECT_EQ(get("LANGUAGE"), "Chinese");
    EXPECT_EQ(get("ABOUT"), "open");
    const auto start = Point(get("START"));
    const auto moved = Point(get("MOVED"));
    EXPECT_EQ(moved.first - start.first, 60);
    EXPECT_EQ(moved.second - start.second, 40);
    EXPECT_EQ(get("MINIMISE"), "requested");
    EXPECT_EQ(get("QUESTION"), "shown");
    EXPECT_EQ(get("EXIT"), "0");

    // The form before and after the switch: the top bar's pictures changed language.
    const QImage before(shots + "/xdotool_start.png");
    const QImage after(shots + "/xdotool_chinese.png");
    ASSERT_FALSE(before.isNull());
    ASSERT_FALSE(after.isNull());
    const QRect bar(start.first, start.second, 1200, 36);
    EXPECT_NE(before.copy(bar), after.copy(bar));
}
