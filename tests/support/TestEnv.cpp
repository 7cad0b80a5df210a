#include "TestEnv.h"

#include "SettingsStore.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string g_dir;
pid_t g_owner = 0;  // the process that made the folder: a forked child must not remove it

void RemoveTempDir()
{
    if (getpid() != g_owner || g_dir.rfind("/tmp/orvane-test-", 0) != 0)
        return;
    std::error_code ec;
    std::filesystem::remove_all(g_dir, ec);
}
}  // namespace

void TestEnv::Prepare()
{
    char templ[] = "/tmp/orvane-test-XXXXXX";
    const char* d = mkdtemp(templ);
    g_dir = d ? d : "/tmp";
    g_owner = getpid();
    // Every test program makes one; without this they pile up in /tmp run after run.
    std::atexit(RemoveTempDir);
    const std::string config = g_dir + "/config";
    const std::string runtime = g_dir + "/runtime";
    mkdir(config.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    SettingsStore::SetFilePath(config + "/orvane-test.ini");
    // The socket and the ping refuse every address outside 127.0.0.0/8 in every test program.
    setenv("ORVANE_LOOPBACK_ONLY", "1", 1);
}

const std::string& TestEnv::TempDir() { return g_dir; }
