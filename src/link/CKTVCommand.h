// The command engine: the send queue of requests to the processor and, beside it, the frame
// receiver and reply engine.
//
// The head of the queue is the request being sent and awaited; it leaves only when the device
// has answered it or the link gives up. The queue owns its requests. Every operation runs
// under g_csComm (each takes it itself; callers hold it across a sequence of operations).
#pragma once

#include "CSendData.h"
#include "WinTypes.h"

#include <deque>
#include <memory>

class CKTVCommand {
public:
    CKTVCommand();
    CKTVCommand(const CKTVCommand&) = delete;
    CKTVCommand& operator=(const CKTVCommand&) = delete;

    // The window (the main view) that receives the engine's posted messages.
    void SetNotifyWnd(HWND hWnd);
    HWND GetNotifyWnd() const { return m_hNotifyWnd; }

    // Appends at the tail and takes ownership; a null request (a refused build) is ignored.
    void AddSendData(std::unique_ptr<CSendData> data);
    int GetSendDataCount() const;
    // The head request, or null with an empty queue. Valid while g_csComm is held.
    CSendData* GetCurSendData() const;
    // Deletes the head, then clears g_nSendRetry, the serial status and g_pSerialItem.
    // Nothing with an empty queue.
    void RemoveCurSendData();
    // Deletes every request and resets the frame receiver (link opened, closed or lost).
    void RemoveAllSendData();
    // The head is cut into reports again from its first byte. Nothing with an empty queue.
    void RewindCurSendData();
    // The head was answered 'R'. Nothing with an empty queue.
    void MarkCurSendDataRejected();
    // For a head with the notify flag: removes it when ok is FALSE, posts WM_WIFI_OP_RESULT
    // (0, ok) to the notify window and returns TRUE. Otherwise FALSE and nothing happens.
    BOOL NotifyCurSendData(BOOL ok);
    // The head is the firmware apply step (0x36) with fewer than 2 retries.
    BOOL IsLoaderApplyPending() const;
    // The head's firmware step code, 0 with an empty queue.
    int GetCurCommandCode() const;
    BOOL IsReady() const { return TRUE; }

    // Frame receiver back to unsynced with nothing collected.
    void ResetRecv();

private:
    HWND m_hNotifyWnd = nullptr;
    std::deque<std::unique_ptr<CSendData>> m_queue;  // index 0 is the head

    // Frame receiver: the collected frame starts at its 0xEE byte.
    static constexpr int RECV_BUFFER_SIZE = 400;
    BYTE m_byRecvFrame[RECV_BUFFER_SIZE];
    int m_nRecvCount = 0;  // bytes collected
    int m_bSynced = 0;     // a preamble has been seen
};
