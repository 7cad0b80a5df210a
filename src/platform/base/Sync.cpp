#include "Sync.h"

#include <chrono>
#include <condition_variable>

namespace {
// One mutex and condition for all events: a waiter on several events must see any of them
// change, and the program has only a handful of events, so one hub is simplest and correct.
std::mutex& HubMutex()
{
    static std::mutex m;
    return m;
}
std::condition_variable& HubCond()
{
    static std::condition_variable c;
    return c;
}
}  // namespace

CEvent::CEvent(BOOL manualReset, BOOL initiallySet) : m_manual(manualReset), m_set(initiallySet != 0) {}

CEvent::~CEvent() = default;

void CEvent::SetEvent()
{
    {
        std::lock_guard<std::mutex> lk(HubMutex());
        m_set = true;
    }
    HubCond().notify_all();
}

void CEvent::ResetEvent()
{
    std::lock_guard<std::mutex> lk(HubMutex());
    m_set = false;
}

bool CEvent::IsSet() const
{
    std::lock_guard<std::mutex> lk(HubMutex());
    return m_set;
}

DWORD CEvent::Wait(DWORD timeoutMs)
{
    CEvent* self = this;
    return WaitForMultipleObjects(1, &self, FALSE, timeoutMs);
}

DWORD WaitForMultipleObjects(DWORD count, CEvent* const* events, BOOL waitAll, DWORD timeoutMs)
{
    if (count == 0 || events == nullptr)
        return WAIT_FAILED;
    std::unique_lock<std::mutex> lk(HubMutex());
    DWORD result = WAIT_TIMEOUT;
    auto ready = [&]() {
        if (waitAll) {
            for (DWORD i = 0; i < count; ++i)
                if (!events[i]->m_set)
                    return false;
            result = WAIT_OBJECT_0;
            return true;
        }
        for (DWORD i = 0; i < count; ++i)
            if (events[i]->m_set) {
                result = WAIT_OBJECT_0 + i;
                return true;
            }
        return false;
    };
    bool ok;
    if (timeoutMs == INFINITE) {
        HubCond().wait(lk, ready);
        ok = true;
    } else {
        ok = HubCond().wait_for(lk, std::chrono::milliseconds(timeoutMs), ready);
    }
    if (!ok)
        return WAIT_TIMEOUT;
    // A successful wait consumes auto-reset events.
    if (waitAll) {
        for (DWORD i = 0; i < count; ++i)
            if (!events[i]->m_manual)
                events[i]->m_set = false;
    } else {
        CEvent* ev = events[result - WAIT_OBJECT_0];
        if (!ev->m_manual)
            ev->m_set = false;
    }
    return result;
}
