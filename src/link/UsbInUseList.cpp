#include "UsbInUseList.h"

#include "SettingsStore.h"

#include <atomic>
#include <cerrno>
#include <fstream>
#include <mutex>
#include <set>
#include <signal.h>
#include <sstream>
#include <unistd.h>

const char* const g_pszUsbKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\USB";

namespace {

std::atomic<unsigned> g_nNextNumber{1};
std::mutex g_liveMutex;          // guards g_liveNumbers
std::set<unsigned> g_liveNumbers;  // claim numbers of the lists alive in this process

// Start time of a process in clock ticks since boot (field 22 of /proc/<pid>/stat); 0 when
// unknown.
unsigned long long ProcessStartTime(long pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line))
        return 0;
    // The command name (field 2) is in parentheses and may hold blanks: count after it.
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        if (!(fields >> field))
            return 0;
    return std::strtoull(field.c_str(), nullptr, 10);
}

const std::string& BootId()
{
    static const std::string id = [] {
        std::ifstream in("/proc/sys/kernel/random/boot_id");
        std::string s;
        std::getline(in, s);
        return s.empty() ? std::string("-") : s;
    }();
    return id;
}

std::string MakeToken(unsigned number)
{
    std::ostringstream out;
    out << long(getpid()) << ' ' << ProcessStartTime(getpid()) << ' ' << number << ' ' << BootId();
    return out.str();
}

bool IsLiveNumber(unsigned number)
{
    std::lock_guard<std::mutex> lk(g_liveMutex);
    return g_liveNumbers.count(number) != 0;
}

// TRUE when the claim data names a claimant that still holds the path.
bool IsClaimInForce(const std::string& data)
{
    std::istringstream in(data);
    long pid = 0;
    unsigned long long start = 0;
    unsigned number = 0;
    std::string boot;
    if (!(in >> pid >> start >> number >> boot) || pid <= 0)
        return true;  // no claimant named: keep out, as any other copy would
    if (boot != BootId())
        return false;  // written before the machine last started
    if (pid == long(getpid()))
        return start == ProcessStartTime(pid) && IsLiveNumber(number);
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    const unsigned long long now = ProcessStartTime(pid);
    // Another process that got the number of the ended claimant started later.
    return start == 0 || now == 0 || now == start;
}

}  // namespace

CUsbInUseList::CUsbInUseList() : m_nNumber(g_nNextNumber++), m_strToken(MakeToken(m_nNumber))
{
    std::lock_guard<std::mutex> lk(g_liveMutex);
    g_liveNumbers.insert(m_nNumber);
}

CUsbInUseList::~CUsbInUseList()
{
    Release();
    std::lock_guard<std::mutex> lk(g_liveMutex);
    g_liveNumbers.erase(m_nNumber);
}

void CUsbInUseList::EnsureKey() { SettingsStore::CreateKey(g_pszUsbKey); }

void CUsbInUseList::Clear()
{
    SettingsStore::DeleteKey(g_pszUsbKey);
    SettingsStore::CreateKey(g_pszUsbKey);
    m_strClaimed.clear();
}

bool CUsbInUseList::IsFree(const std::string& path)
{
    if (!SettingsStore::KeyExists(g_pszUsbKey)) {
        SettingsStore::CreateKey(g_pszUsbKey);
        return true;
    }
    if (!SettingsStore::HasValue(g_pszUsbKey, path))
        return true;
    return !IsClaimInForce(SettingsStore::GetString(g_pszUsbKey, path));
}

void CUsbInUseList::Claim(const std::string& path)
{
    if (path.empty())
        return;
    if (m_strClaimed != path)
        Release();
    SettingsStore::SetString(g_pszUsbKey, path, m_strToken);
    m_strClaimed = path;
}

void CUsbInUseList::Release()
{
    if (m_strClaimed.empty())
        return;
    if (SettingsStore::GetString(g_pszUsbKey, m_strClaimed) == m_strToken)
        SettingsStore::DeleteValue(g_pszUsbKey, m_strClaimed);
    m_strClaimed.clear();
}
