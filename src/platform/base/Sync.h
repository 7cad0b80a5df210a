// Locks and events of the program's threads.
//
// CCriticalSection is recursive, like the lock it stands in for: the owner may enter again.
// CEvent is a manual- or auto-reset event. WaitForMultipleObjects waits for any (or all) of a
// set of events with a time-out in real milliseconds.
#pragma once

#include "WinTypes.h"

#include <mutex>

class CCriticalSection {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }
    bool TryLock() { return m_mutex.try_lock(); }

private:
    std::recursive_mutex m_mutex;
};

// Holds a critical section for the life of the object.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
    ~CSingleLock() { m_cs.Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

private:
    CCriticalSection& m_cs;
};

class CEvent {
public:
    explicit CEvent(BOOL manualReset = TRUE, BOOL initiallySet = FALSE);
    ~CEvent();
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    bool IsSet() const;
    // WAIT_OBJECT_0 when signalled within the time (ms, or INFINITE), else WAIT_TIMEOUT.
    DWORD Wait(DWORD timeoutMs = INFINITE);

    BOOL IsManualReset() const { return m_manual; }

private:
    friend DWORD WaitForMultipleObjects(DWORD, CEvent* const*, BOOL, DWORD);
    const BOOL m_manual;
    bool m_set;  // guarded by the event hub's mutex (Sync.cpp)
};

// Returns WAIT_OBJECT_0 + i for the first signalled event i (waitAll FALSE), WAIT_OBJECT_0 when
// all are signalled (waitAll TRUE), or WAIT_TIMEOUT. Auto-reset events are reset by a successful
// wait; manual-reset events stay set.
DWORD WaitForMultipleObjects(DWORD count, CEvent* const* events, BOOL waitAll, DWORD timeoutMs);
inline DWORD WaitForSingleObject(CEvent& ev, DWORD timeoutMs) { return ev.Wait(timeoutMs); }
