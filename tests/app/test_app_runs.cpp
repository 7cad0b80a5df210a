// build/orvane run as a person runs it, each run with its own settings folder: the registration
// words, the first language from the locale, the settings kept from one run to the next, the
// in-use list after the end, and the device address from the environment (against the emulator
// on 127.0.0.1).
#include "DeviceEmulator.h"
#include "EmuTcpServer.h"
#include "SettingsStore.h"
#include "TestEnv.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kProgramKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe";
const std::string kDspMcuKey = std::string(kProgramKey) + "\\DspMcu";
const std::string kLineSetKey = std::string(kProgramKey) + "\\Line_Set";
const std::string kUsbKey = std::string(kProgramKey) + "\\USB";

// A settings folder of its own for one or more runs.
std::string NewConfigDir()
{
    std::string templ = TestEnv::TempDir() + "/run-XXXXXX";
    const char* d = mkdtemp(templ.data());
    return d ? std::string(d) : std::string();
}

// Reads or writes the settings file of a run through the store the program uses.
class ProgramSettings {
public:
    explicit ProgramSettings(const std::string& configDir) : m_saved(SettingsStore::FilePath())
    {
        SettingsStore::SetFilePath(configDir + "/Orvane/orvane.ini");
    }
    ~ProgramSettings() { SettingsStore::SetFilePath(m_saved); }

private:
    std::string m_saved;
};

std::string ReadValue(const std::string& configDir, const std::string& key, const std::string& name)
{
    ProgramSettings s(configDir);
    return SettingsStore::GetString(key, name, "<none>");
}

bool KeyExists(const std::string& configDir, const std::string& key)
{
    ProgramSettings s(configDir);
    return SettingsStore::KeyExists(key);
}

std::vector<std::string> UsbClaims(const std::string& configDir)
{
    ProgramSettings s(configDir);
    return SettingsStore::ValueNames(kUsbKey);
}

// Generous: a sanitized program starting while the whole suite runs in parallel is slow.
bool WaitFor(const std::function<bool()>& done, int limitMs = 90000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return done();
        QThread::msleep(50);
    }
    return true;
}

class ProgramRun {
public:
    // lang: the locale the program finds in LANG; the network link points at address.
    ProgramRun(const std::string& configDir, const char* lang, const std::string& address = "127.0.0.1:1")
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LC_CTYPE", "LANGUAGE"})
            env.remove(v);
        env.insert("LANG", lang);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(configDir));
        env.insert("ORVANE_LOOPBACK_ONLY", "1");
        env.insert("ORVANE_DEVICE_ADDRESS", QString::fromStdString(address));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~ProgramRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(30000);
        }
    }
    bool Start(const QStringList& args = {})
    {
        m_process.start(ORVANE_PROGRAM, args);
        return m_process.waitForStarted(30000);
    }
    // Ends the run with SIGTERM; true when it ended normally with exit code 0.
    bool Terminate()
    {
        // processId() is 0 once the program has ended, and kill(0) would hit our own group.
        const pid_t pid = pid_t(m_process.processId());
        if (pid <= 0)
            return false;
        ::kill(pid, SIGTERM);
        return m_process.waitForFinished(30000) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }
    QProcess m_process;
};

// The view exists once its initial update has written the language and the in-use key.
bool ViewStarted(const std::string& configDir)
{
    return KeyExists(configDir, kUsbKey) && ReadValue(configDir, kDspMcuKey, "Language") != "<none>";
}

std::string ReadFile(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "(unreadable)";
}

// Waits until the run's view has started or the run has ended (true either way). A start that
// hangs is rare and only under load: then the program's stacks (when gdb is at hand) and its
// settings file are printed, so the failure says where it stood.
bool WaitViewStartedOrEnded(ProgramRun& run, const std::string& configDir)
{
    if (WaitFor([&] { return ViewStarted(configDir) || run.m_process.state() == QProcess::NotRunning; }))
        return true;
    std::string stacks = "(gdb not found)";
    const QString gdb = QStandardPaths::findExecutable("gdb");
    if (!gdb.isEmpty() && run.m_process.processId() > 0) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(gdb, {"-p", QString::number(run.m_process.processId()), "-batch", "-nx", "-ex",
                      "thread apply all bt 30"});
        p.waitForFinished(60000);
        stacks = p.readAll().toStdString();
    }
    ADD_FAILURE() << "the program did not start its view; settings file:\n"
                  << ReadFile(configDir + "/Orvane/orvane.ini") << "\nstacks:\n"
                  << stacks;
    return false;
}

struct WordsCase {
    const char* name;
    QStringList args;
    bool endsAtOnce;
};

class RegistrationWords : public ::testing::TestWithParam<WordsCase> {};

}  // namespace

TEST_P(RegistrationWords, EndTheProgramWithoutAWindowOnlyAtTheEndOfTheLine)
{
    const WordsCase& c = GetParam();
    const std::string config = NewConfigDir();
    ProgramRun run(config, "en_US.UTF-8");
    ASSERT_TRUE(run.Start(c.args));
    if (c.endsAtOnce) {
        ASSERT_TRUE(run.m_process.waitForFinished(30000));
        EXPECT_EQ(run.m_process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.m_process.exitCode(), 0);
        // No view came to life: it would have created the in-use key.
        EXPECT_FALSE(KeyExists(config, kUsbKey));
    } else {
        ASSERT_TRUE(WaitViewStartedOrEnded(run, config));
        ASSERT_EQ(run.m_process.state(), QProcess::Running);
        EXPECT_TRUE(run.Terminate());
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RegistrationWords,
    ::testing::Values(WordsCase{"SlashRegServer", {"/RegServer"}, true},
                      WordsCase{"DashLowerRegServer", {"-regserver"}, true},
                      WordsCase{"SlashUnregServer", {"/UnregServer"}, true},
                      WordsCase{"DashUpperUnregServer", {"-UNREGSERVER"}, true},
                      WordsCase{"LastOfSeveralWords", {"file.ekds", "/RegServer"}, true},
                      WordsCase{"FurtherWordAfterIt", {"/RegServer", "more"}, false},
                      WordsCase{"WithoutSlashOrDash", {"RegServer"}, false},
                      WordsCase{"NoWords", {}, false}),
    [](const ::testing::TestParamInfo<WordsCase>& i) { return std::string(i.param.name); });

namespace {

struct LocaleCase {
    const char* name;
    const char* lang;
    const char* language;
};

class FirstStart : public ::testing::TestWithParam<LocaleCase> {};

}  // namespace

TEST_P(FirstStart, TakesTheLanguageFromTheLocaleAndLeavesNoClaimBehind)
{
    const LocaleCase& c = GetParam();
    const std::string config = NewConfigDir();
    ProgramRun run(config, c.lang);
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(WaitViewStartedOrEnded(run, config));
    ASSERT_EQ(run.m_process.state(), QProcess::Running);
    EXPECT_TRUE(run.Terminate());
    // Read once the program has ended: every value it writes at start is in the file then.
    EXPECT_EQ(ReadValue(config, kDspMcuKey, "Language"), c.language);
    EXPECT_EQ(ReadValue(config, kLineSetKey, "Line_Set"), "1");
    EXPECT_TRUE(KeyExists(config, kUsbKey));
    EXPECT_TRUE(UsbClaims(config).empty());
}

INSTANTIATE_TEST_SUITE_P(Locales, FirstStart,
                         ::testing::Values(LocaleCase{"SimplifiedChinese", "zh_CN.UTF-8", "Chinese"},
                                           LocaleCase{"AmericanEnglish", "en_US.UTF-8", "English"},
                                           LocaleCase{"German", "de_DE.UTF-8", "English"},
                                           LocaleCase{"TraditionalChinese", "zh_TW.UTF-8", "English"},
                                           LocaleCase{"Posix", "C", "English"}),
                         [](const ::testing::TestParamInfo<LocaleCase>& i) { return std::string(i.param.name); });

TEST(SecondStart, KeepsTheSavedLanguageAndLineSettingWhateverTheLocale)
{
    const std::string config = NewConfigDir();
    {
        ProgramRun first(config, "zh_CN.UTF-8");
        ASSERT_TRUE(first.Start());
        ASSERT_TRUE(WaitViewStartedOrEnded(first, config));
        EXPECT_TRUE(first.Terminate());
    }
    ASSERT_EQ(ReadValue(config, kDspMcuKey, "Language"), "Chinese");
    {
        ProgramSettings s(config);
        SettingsStore::SetString(kLineSetKey, "Line_Set", "3");
        // Made again by the second run's view: the sign that it has come to life.
        SettingsStore::DeleteKey(kUsbKey);
    }
    {
        ProgramRun second(config, "en_US.UTF-8");
        ASSERT_TRUE(second.Start());
        ASSERT_TRUE(WaitViewStartedOrEnded(second, config));
        ASSERT_EQ(second.m_process.state(), QProcess::Running);
        EXPECT_TRUE(second.Terminate());
    }
    EXPECT_EQ(ReadValue(config, kDspMcuKey, "Language"), "Chinese");
    EXPECT_EQ(ReadValue(config, kLineSetKey, "Line_Set"), "3");
    EXPECT_TRUE(UsbClaims(config).empty());
}

TEST(DeviceAddress, EnvironmentPointsTheNetworkLinkAtTheEmulator)
{
    CDeviceEmulator emu;
    CEmuTcpServer server(emu);
    ASSERT_TRUE(server.Start(0));
    const std::string config = NewConfigDir();
    ProgramRun run(config, "en_US.UTF-8", "127.0.0.1:" + std::to_string(server.GetPort()));
    ASSERT_TRUE(run.Start());
    // No USB device here: the network watchdog finds the emulator and the link identifies it.
    ASSERT_TRUE(server.WaitForAcceptCount(1, 60000));
    EXPECT_TRUE(emu.WaitForRequests(2, 30000));
    const std::vector<std::vector<BYTE>> log = emu.GetRequestLog();
    ASSERT_GE(log.size(), 1u);
    ASSERT_EQ(log[0].size(), 24u);
    EXPECT_EQ(log[0][4], 0xA2);  // a read
    EXPECT_EQ(log[0][8], 0xCC);  // of the handshake
    EXPECT_TRUE(run.Terminate());
    EXPECT_TRUE(server.WaitForClosedCount(1, 30000));
    server.Stop();
}
