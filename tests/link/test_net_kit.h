// Shared parts of the network link tests: the posted messages in a comparable form, a fake
// reachability check that only ever accepts the loopback address, and a fake main view.
//
// Network safety: every test sets g_strDeviceIp to 127.0.0.1 before anything connects and
// gives CNet_Socket a fake reachability, so nothing pings or connects anywhere else.
#pragma once

#include "AppMessages.h"
#include "CNet_Socket.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "Reachability.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <vector>

namespace netkit {

HWND const kView = reinterpret_cast<HWND>(0x4713);
constexpr int kWaitMs = 20000;  // generous bound for other threads; never reached when sound
const char* const kLoopback = "127.0.0.1";

struct Posted {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted& o) const { return msg == o.msg && wParam == o.wParam && lParam == o.lParam; }
};

inline std::ostream& operator<<(std::ostream& os, const Posted& p)
{
    return os << "{0x" << std::hex << p.msg << std::dec << ", " << p.wParam << ", " << p.lParam << "}";
}

// What the link posted, in order; every message must go to the view.
inline std::vector<Posted> PostedToView(const CRecordingSink& sink)
{
    std::vector<Posted> out;
    for (const PostedMessage& m : sink.Posted()) {
        EXPECT_EQ(m.hWnd, kView);
        out.push_back({m.msg, m.wParam, m.lParam});
    }
    return out;
}

// The machine's adapters and ping, as the test wants them. Any address but the loopback one
// fails the test and is never answered.
class FakeReachability : public IReachability {
public:
    std::atomic<int> onSubnet{1};
    std::atomic<int> answers{1};

    BOOL IsDeviceOnSubnet(const CString& deviceIp) override
    {
        EXPECT_EQ(deviceIp, kLoopback);
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_nSubnetCalls;
        m_cv.notify_all();
        return deviceIp == kLoopback && onSubnet.load();
    }
    BOOL PingDevice(const CString& deviceIp) override
    {
        EXPECT_EQ(deviceIp, kLoopback);
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_nPingCalls;
        m_cv.notify_all();
        if (deviceIp != kLoopback)
            return FALSE;
        return answers.load() != 0;
    }

    int SubnetCalls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nSubnetCalls;
    }
    int PingCalls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nPingCalls;
    }
    // Waits until the subnet has been asked at least n times in all (one per watchdog step).
    bool WaitForSubnetCalls(int n, int timeoutMs = kWaitMs) const
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_nSubnetCalls >= n; });
    }
    bool WaitForPingCalls(int n, int timeoutMs = kWaitMs) const
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_nPingCalls >= n; });
    }

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cv;
    int m_nSubnetCalls = 0;
    int m_nPingCalls = 0;
};

// The main view as the transaction sees it: the scanner yields state polls.
class FakeView {
public:
    void Attach(CNet_Socket& net)
    {
        net.SetNextSendData([this] {
            ++scans;
            return BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
        });
        net.SetLinkedQuery([this] { return linked; });
        net.SetTransferBusyClear([this] { ++busyCleared; });
    }

    int scans = 0;
    BOOL linked = TRUE;
    int busyCleared = 0;
};

// Points the link at the loopback address; it stays there after the test, so nothing later
// in the program falls back to the processor's real address.
inline void UseLoopbackDevice(int port)
{
    g_strDeviceIp = kLoopback;
    g_nDevicePort = port;
}

}  // namespace netkit
