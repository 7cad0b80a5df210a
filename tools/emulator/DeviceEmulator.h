// The emulated processor: one device that its doors (the TCP server, the in-process HID
// device, the pseudo-terminal) put on a link. Every public member may be called from any
// thread; one lock guards the whole device.
//
// Door contract: a door feeds every byte the host writes (Feed) and takes reply bytes once they
// are due (TakeReply, WaitReply). One take never returns bytes of two replies, so a HID door can
// give each reply reports of its own. A door closes or unplugs when TakeDropRequest says so,
// a network door also when TakeWifiRestart does (after sending what was taken); after a drop
// that a restart asked for (TakeRestartDueUs) a HID door comes back by itself; every door
// calls ResetStream when a connection starts or ends. Doors that wait on descriptors register
// a listener, called whenever an answer is queued, a drop is asked for or WakeWaiters runs.
// One door at a time serves the device, and the device outlives its doors.
//
// Faults, applied to each answer in this order: dropped (no answer; the request is still
// carried out), replaced by hand-made bytes, check byte corrupted (generated answers only),
// held back by the reply delay (every answer, hand-made ones too). Injected bytes go out at once.
#pragma once

#include "Clock.h"
#include "EmuDeviceState.h"
#include "EmuFrameCollector.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class CDeviceEmulator {
public:
    // clock: the clock the reply delay is measured on; null follows the program clock
    // (Clock::Get), so a test that installs a fake clock moves late answers by hand.
    explicit CDeviceEmulator(IClock* clock = nullptr);
    CDeviceEmulator(const CDeviceEmulator&) = delete;
    CDeviceEmulator& operator=(const CDeviceEmulator&) = delete;

    // ---- door side ----
    // Bytes written by the host, cut anywhere; every request they complete is logged and answered.
    void Feed(const BYTE* data, size_t n);
    // Up to max bytes of the first due answer; 0 when none is due.
    size_t TakeReply(BYTE* out, size_t max);
    // As TakeReply, waiting up to timeoutMs real milliseconds (negative: no limit).
    // Returns the byte count, 0 on time-out, -1 at once when cancel() turns true or a drop is
    // asked for (the drop request stays for TakeDropRequest).
    int WaitReply(BYTE* out, size_t max, int timeoutMs, const std::function<bool()>& cancel = {});
    // Microseconds (device clock) until the first queued answer is due: 0 due now, -1 none queued.
    int64_t UsUntilReplyDue() const;
    // True once per DropConnection (or device restart): the door closes / unplugs.
    bool TakeDropRequest();
    // True once after the answer to a Wi-Fi reset went out: a network door closes its client.
    bool TakeWifiRestart();
    // After a drop request that comes from a device restart: the device-clock time (us) at
    // which the restart is over, taken once; -1 for any other drop (or none).
    int64_t TakeRestartDueUs();
    // The device clock, microseconds.
    int64_t NowUs() const { return Clk().NowUs(); }
    // A connection starts or ended: forgets a partial request, undelivered answers and pending
    // drop / restart requests. The request log and the memory stay.
    void ResetStream();
    // listener: called with the device locked; it must not call back into the device.
    int AddListener(std::function<void()> listener);
    void RemoveListener(int id);
    // Wakes WaitReply callers (to re-check their cancel) and the listeners.
    void WakeWaiters();
    // Threads blocked in WaitReply now (a test can wait until a door's reader is waiting).
    int GetWaitingReaders() const;

    // ---- faults ----
    // The next n answers are not sent.
    void DropReplies(int n);
    // Every answer is held back ms milliseconds of the device clock (0: answer at once).
    void SetReplyDelayMs(int ms);
    // The check byte of the next n generated answers is inverted.
    void CorruptNextReplies(int n = 1);
    // Asks the door to close the connection (TCP) or unplug (HID).
    void DropConnection();
    // Sends bytes to the host at once, with no request.
    void InjectRaw(const std::vector<BYTE>& bytes);
    // The next answer is these bytes instead of the device's own (queued: several calls replace
    // several answers in turn). Empty bytes: no answer.
    void ReplaceNextReply(const std::vector<BYTE>& bytes);
    // Version text of the version reply; cut or filled with blanks to 11 characters.
    void SetVersion(const std::string& text);
    std::string GetVersion() const;

    // ---- request log: every complete request, byte for byte, good or bad ----
    std::vector<std::vector<BYTE>> GetRequestLog() const;
    size_t GetRequestCount() const;
    // Waits up to timeoutMs real milliseconds until at least count requests have been logged.
    bool WaitForRequests(size_t count, int timeoutMs) const;
    void ClearRequestLog();
    // On by default; a long-running emulator turns it off so the log does not grow without end.
    void EnableRequestLog(bool on);
    // Called with every request (fromHost true) and every queued answer (false), device locked.
    void SetTrace(std::function<void(bool fromHost, const std::vector<BYTE>& frame)> trace);

    // ---- memory ----
    // Scene 0 live, 1..6 stored: 4984 bytes; empty for another number.
    std::vector<BYTE> GetScene(int n) const;
    bool SetScene(int n, const std::vector<BYTE>& image);
    // The 124-byte system block.
    std::vector<BYTE> GetSystemBlock() const;
    bool SetSystemBlock(const std::vector<BYTE>& block);
    // The 30 bytes of the state-poll answer (byte 0 follows the input source on every write).
    std::vector<BYTE> GetStateInfo() const;
    bool SetStateInfo(const std::vector<BYTE>& info);
    void FactoryReset();
    int GetWifiResetCount() const;
    // Loader answering firmware steps; not owned; null: firmware steps are rejected.
    void SetFirmwareSide(IEmuFirmwareSide* side);

private:
    struct Answer {
        std::vector<BYTE> bytes;
        size_t pos = 0;
        int64_t dueUs = 0;
        bool bWifiRestart = false;  // the Wi-Fi module restarts once this has gone out
        int nRestartMs = -1;        // the device restarts once this has gone out
    };

    IClock& Clk() const { return m_pClock ? *m_pClock : Clock::Get(); }
    void QueueAnswerLocked(std::vector<BYTE> reply, bool wifiRestart, int restartMs);
    void RestartLocked(int restartMs);
    size_t TakeLocked(BYTE* out, size_t max);
    void NotifyLocked();

    IClock* const m_pClock;
    mutable std::mutex m_mutex;  // guards every member below
    mutable std::condition_variable m_cv;  // answers queued, requests logged, drop, wake
    CEmuDeviceState m_state;
    CEmuFrameCollector m_collector;
    std::deque<Answer> m_answers;  // to the host, in order
    std::vector<std::vector<BYTE>> m_log;
    bool m_bLogOn = true;
    int m_nDropReplies = 0;
    int m_nCorruptReplies = 0;
    int m_nDelayMs = 0;
    std::deque<std::vector<BYTE>> m_replacements;
    bool m_bDropRequested = false;
    bool m_bWifiRestart = false;
    int64_t m_nRestartDueUs = -1;  // end of the restart whose drop is requested
    int m_nWaiting = 0;
    std::vector<std::pair<int, std::function<void()>>> m_listeners;
    int m_nNextListener = 1;
    std::function<void(bool, const std::vector<BYTE>&)> m_trace;
};
