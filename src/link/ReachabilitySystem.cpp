// The machine's side of the reachability check: adapters from getifaddrs, and one ping run as a
// child process whose text output is searched for the reply's "ttl=".
//
// The ping's 3000 ms limit is real time, not the program clock: the child runs on the wall
// clock whatever clock the program's loops use.
#include "Reachability.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <poll.h>
#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

CString AddressText(const sockaddr* addr)
{
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(addr);
    if (!inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
        return CString();
    return text;
}

// The calling environment with the messages of the child forced to the C locale, so its
// output reads the same on every machine.
std::vector<std::string> ChildEnvironment()
{
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e) {
        if (std::strncmp(*e, "LC_ALL=", 7) != 0)
            env.emplace_back(*e);
    }
    env.emplace_back("LC_ALL=C");
    return env;
}

// Reads what the child writes until it closes its end or the deadline passes. Keeps the first
// keep bytes and discards the rest, so the child never blocks on a full pipe.
void DrainOutput(int fd, std::chrono::steady_clock::time_point deadline, std::string& text, size_t keep)
{
    char chunk[256];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        pollfd pfd{fd, POLLIN, 0};
        const int ready = poll(&pfd, 1, int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return;
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;  // the child closed its output
        if (text.size() < keep)
            text.append(chunk, std::min(size_t(n), keep - text.size()));
    }
}

// Waits for the child until the deadline; -1 when it has not ended by then, else its status.
int WaitChild(pid_t pid, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return status;
        if (r < 0 && errno != EINTR)
            return 0x7F00;  // lost track of the child: count it as failed
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        usleep(5000);
    }
}

}  // namespace

std::vector<AdapterAddress> CSystemReachability::ListAdapters()
{
    std::vector<AdapterAddress> adapters;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return adapters;
    for (const ifaddrs* it = list; it; it = it->ifa_next) {
        if (!it->ifa_addr || !it->ifa_netmask || it->ifa_addr->sa_family != AF_INET || !(it->ifa_flags & IFF_UP))
            continue;
        AdapterAddress adapter{AddressText(it->ifa_addr), AddressText(it->ifa_netmask)};
        if (!adapter.ip.empty() && !adapter.mask.empty())
            adapters.push_back(adapter);
    }
    freeifaddrs(list);
    return adapters;
}

BOOL CSystemReachability::IsDeviceOnSubnet(const CString& deviceIp)
{
    return FindDeviceAdapter(ListAdapters(), deviceIp);
}

BOOL CSystemReachability::PingDevice(const CString& deviceIp)
{
    // Only a dotted address goes on the command line: anything else could read as an option
    // or a host name to look up.
    if (!IsDottedIpv4(deviceIp) || !MayContactAddress(deviceIp))
        return FALSE;

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return FALSE;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);

    std::string arg0 = "ping", arg1 = "-c", arg2 = "1", arg3 = "-W", arg4 = "3", arg5 = deviceIp;
    char* argv[] = {arg0.data(), arg1.data(), arg2.data(), arg3.data(), arg4.data(), arg5.data(), nullptr};
    std::vector<std::string> env = ChildEnvironment();
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "ping", &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return FALSE;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(PING_LIMIT_MS);
    std::string text;
    DrainOutput(pipeFds[0], deadline, text, 1023);
    close(pipeFds[0]);
    const int status = WaitChild(pid, deadline);
    if (status < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return FALSE;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return FALSE;
    // A reply line carries "ttl="; unreachable answers do not.
    for (size_t i = 0; i + 4 <= text.size(); ++i) {
        if (strncasecmp(text.c_str() + i, "ttl=", 4) == 0)
            return TRUE;
    }
    return FALSE;
}
