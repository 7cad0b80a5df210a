#include "DeviceEmulator.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

CDeviceEmulator::CDeviceEmulator(IClock* clock) : m_pClock(clock)
{
}

void CDeviceEmulator::Feed(const BYTE* data, size_t n)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (IEmuFirmwareSide* fw = m_state.GetFirmwareSide())
        fw->OnRawBytes(data, n);
    std::vector<CEmuFrame> frames;
    m_collector.Push(data, n, frames);
    for (const CEmuFrame& f : frames) {
        if (!f.IsOverlong()) {
            if (m_bLogOn)
                m_log.push_back(f.Bytes());
            if (m_trace)
                m_trace(true, f.Bytes());
        }
        CEmuOutcome out = m_state.Serve(f);
        if (!out.reply.empty() || out.bWifiRestart)
            QueueAnswerLocked(std::move(out.reply), out.bWifiRestart, out.nRestartMs);
        else if (out.nRestartMs >= 0)
            RestartLocked(out.nRestartMs);
        if (out.bDropLink)
            m_bDropRequested = true;
    }
    if (!frames.empty())
        NotifyLocked();
}

void CDeviceEmulator::RestartLocked(int restartMs)
{
    m_bDropRequested = true;
    m_nRestartDueUs = Clk().NowUs() + int64_t(restartMs) * 1000;
}

void CDeviceEmulator::QueueAnswerLocked(std::vector<BYTE> reply, bool wifiRestart, int restartMs)
{
    if (m_nDropReplies > 0) {
        --m_nDropReplies;
        // The module restarts whether or not its answer got through; so does the device.
        m_bWifiRestart = m_bWifiRestart || wifiRestart;
        if (restartMs >= 0)
            RestartLocked(restartMs);
        return;
    }
    if (!m_replacements.empty()) {
        reply = std::move(m_replacements.front());
        m_replacements.pop_front();
    } else if (m_nCorruptReplies > 0 && reply.size() >= size_t(EMU_FRAME_OVERHEAD)) {
        --m_nCorruptReplies;
        reply[reply.size() - 2] ^= 0xFF;
    }
    if (m_trace && !reply.empty())
        m_trace(false, reply);
    Answer a;
    a.bytes = std::move(reply);
    a.dueUs = Clk().NowUs() + int64_t(m_nDelayMs) * 1000;
    a.bWifiRestart = wifiRestart;
    a.nRestartMs = restartMs;
    m_answers.push_back(std::move(a));
}

size_t CDeviceEmulator::TakeLocked(BYTE* out, size_t max)
{
    while (!m_answers.empty()) {
        Answer& a = m_answers.front();
        if (a.dueUs > Clk().NowUs())
            return 0;
        const size_t n = std::min(max, a.bytes.size() - a.pos);
        if (n)
            std::memcpy(out, a.bytes.data() + a.pos, n);
        a.pos += n;
        if (a.pos == a.bytes.size()) {
            m_bWifiRestart = m_bWifiRestart || a.bWifiRestart;
            if (a.nRestartMs >= 0)
                RestartLocked(a.nRestartMs);
            m_answers.pop_front();
        }
        if (n)
            return n;
        if (max == 0)
            return 0;
    }
    return 0;
}

size_t CDeviceEmulator::TakeReply(BYTE* out, size_t max)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return TakeLocked(out, max);
}

int CDeviceEmulator::WaitReply(BYTE* out, size_t max, int timeoutMs, const std::function<bool()>& cancel)
{
    using namespace std::chrono;
    const steady_clock::time_point deadline = steady_clock::now() + milliseconds(std::max(timeoutMs, 0));
    std::unique_lock<std::mutex> lk(m_mutex);
    for (;;) {
        if ((cancel && cancel()) || m_bDropRequested)
            return -1;
        const size_t n = TakeLocked(out, max);
        if (n)
            return int(n);
        const steady_clock::time_point now = steady_clock::now();
        if (timeoutMs >= 0 && now >= deadline)
            return 0;
        steady_clock::time_point until = timeoutMs >= 0 ? deadline : steady_clock::time_point::max();
        if (!m_answers.empty()) {
            // The device clock may be a fake one that moves by itself: look again every 10 ms.
            const int64_t us = std::clamp<int64_t>(m_answers.front().dueUs - Clk().NowUs(), 0, 10000);
            until = std::min(until, now + microseconds(us));
        }
        ++m_nWaiting;
        if (until == steady_clock::time_point::max())
            m_cv.wait(lk);
        else
            m_cv.wait_until(lk, until);
        --m_nWaiting;
        // At the deadline only an answer counts: a wait that ran out reports a time-out.
        if (timeoutMs >= 0 && steady_clock::now() >= deadline)
            return int(TakeLocked(out, max));
    }
}

int CDeviceEmulator::GetWaitingReaders() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_nWaiting;
}

int64_t CDeviceEmulator::UsUntilReplyDue() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_answers.empty())
        return -1;
    return std::max<int64_t>(0, m_answers.front().dueUs - Clk().NowUs());
}

bool CDeviceEmulator::TakeDropRequest()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return std::exchange(m_bDropRequested, false);
}

int64_t CDeviceEmulator::TakeRestartDueUs()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return std::exchange(m_nRestartDueUs, int64_t(-1));
}

bool CDeviceEmulator::TakeWifiRestart()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return std::exchange(m_bWifiRestart, false);
}

void CDeviceEmulator::ResetStream()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_collector.Reset();
    m_answers.clear();
    m_bDropRequested = false;
    m_bWifiRestart = false;
    m_nRestartDueUs = -1;
}

int CDeviceEmulator::AddListener(std::function<void()> listener)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    const int id = m_nNextListener++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void CDeviceEmulator::RemoveListener(int id)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [id](const auto& l) { return l.first == id; }),
                      m_listeners.end());
}

void CDeviceEmulator::WakeWaiters()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    NotifyLocked();
}

void CDeviceEmulator::NotifyLocked()
{
    m_cv.notify_all();
    for (const auto& l : m_listeners)
        l.second();
}

void CDeviceEmulator::DropReplies(int n)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_nDropReplies = std::max(n, 0);
}

void CDeviceEmulator::SetReplyDelayMs(int ms)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_nDelayMs = std::max(ms, 0);
}

void CDeviceEmulator::CorruptNextReplies(int n)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_nCorruptReplies = std::max(n, 0);
}

void CDeviceEmulator::DropConnection()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_bDropRequested = true;
    m_nRestartDueUs = -1;
    NotifyLocked();
}

void CDeviceEmulator::InjectRaw(const std::vector<BYTE>& bytes)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    Answer a;
    a.bytes = bytes;
    a.dueUs = Clk().NowUs();
    m_answers.push_back(std::move(a));
    NotifyLocked();
}

void CDeviceEmulator::ReplaceNextReply(const std::vector<BYTE>& bytes)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_replacements.push_back(bytes);
}

void CDeviceEmulator::SetVersion(const std::string& text)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_state.SetVersion(text);
}

std::string CDeviceEmulator::GetVersion() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_state.GetVersion();
}

std::vector<std::vector<BYTE>> CDeviceEmulator::GetRequestLog() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_log;
}

size_t CDeviceEmulator::GetRequestCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_log.size();
}

bool CDeviceEmulator::WaitForRequests(size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lk(m_mutex);
    return m_cv.wait_for(lk, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                         [&] { return m_log.size() >= count; });
}

void CDeviceEmulator::ClearRequestLog()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_log.clear();
}

void CDeviceEmulator::EnableRequestLog(bool on)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_bLogOn = on;
}

void CDeviceEmulator::SetTrace(std::function<void(bool, const std::vector<BYTE>&)> trace)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_trace = std::move(trace);
}

std::vector<BYTE> CDeviceEmulator::GetScene(int n) const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    const CEmuDeviceState::SceneImage* img = m_state.Scene(n);
    return img ? std::vector<BYTE>(img->begin(), img->end()) : std::vector<BYTE>();
}

bool CDeviceEmulator::SetScene(int n, const std::vector<BYTE>& image)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    CEmuDeviceState::SceneImage* img = m_state.Scene(n);
    if (!img || image.size() != img->size())
        return false;
    std::copy(image.begin(), image.end(), img->begin());
    return true;
}

std::vector<BYTE> CDeviceEmulator::GetSystemBlock() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    const auto& sys = m_state.System();
    return std::vector<BYTE>(sys.begin(), sys.end());
}

bool CDeviceEmulator::SetSystemBlock(const std::vector<BYTE>& block)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    auto& sys = m_state.System();
    if (block.size() != sys.size())
        return false;
    std::copy(block.begin(), block.end(), sys.begin());
    return true;
}

std::vector<BYTE> CDeviceEmulator::GetStateInfo() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    const auto& info = m_state.StateInfo();
    return std::vector<BYTE>(info.begin(), info.end());
}

bool CDeviceEmulator::SetStateInfo(const std::vector<BYTE>& info)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    auto& dst = m_state.StateInfo();
    if (info.size() != dst.size())
        return false;
    std::copy(info.begin(), info.end(), dst.begin());
    return true;
}

void CDeviceEmulator::FactoryReset()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_state.FactoryReset();
}

int CDeviceEmulator::GetWifiResetCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_state.GetWifiResetCount();
}

void CDeviceEmulator::SetFirmwareSide(IEmuFirmwareSide* side)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_state.SetFirmwareSide(side);
}
