// The command engine: the send queue of requests to the processor and, beside it, the frame
// receiver and reply engine.
//
// The head of the queue is the request being sent and awaited; it leaves only when the device
// has answered it or the link gives up. The queue owns its requests. Every operation runs
// under g_csComm (each takes it itself; callers hold it across a sequence of operations).
//
// Receiving: a transport hands each read to one entry point (USB report, network read, serial
// byte). The collector finds the frame by 91 91 91 EE, gathers it across reads and, once all
// of it is in, checks end byte and XOR and acts on the reply code: 'Q' removes the head, 'R'
// rewinds and marks it, 'S' copies the data into the scene images or the system block and
// removes it. Nothing the device sends is trusted: a length no reply can have, a channel or
// scene that does not exist, or a payload that does not fit the fields it fills drops the
// frame like a bad check byte (nothing copied, the head stays, nothing posted) and the
// transport's time-out recovers. Notices go to the notify window and are always posted: the
// engine runs on the comm worker holding g_csComm and must never wait for the interface.
// Bytes that follow a complete frame in the same read are discarded (one reply per request).
#pragma once

#include "CSendData.h"
#include "SceneImage.h"
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

    // Receive entry points. Each returns TRUE when the awaited reply has been handled (the
    // transaction is over) and FALSE while more bytes are needed or the frame was dropped.
    //
    // USB: n is the byte count of the HID read counting the report-id byte (65 for a whole
    // report); frame bytes 1..n-1 of g_byUsbInReport are taken and the report's 64 data bytes
    // zeroed. n <= 0 (nothing read): TRUE, nothing else.
    BOOL OnUsbReceive(int n);
    // Network: the first n bytes of g_byNetRecvBuf (at most its size), zeroed after.
    BOOL OnNetReceive(int n);
    // Serial: one byte.
    BOOL OnSerialReceive(BYTE byte);
    // Collects the first n bytes of the input chunk; the reply's result when a frame ended.
    BOOL CollectFrame(int n);
    // Frame receiver back to unsynced with nothing collected.
    void ResetRecv();

    // The network firmware sender's end step: update shown done, WM_UPDATE_STEP_DONE (0, 57)
    // posted, head removed.
    void FinishFirmwareUpdate();

    // Firmware requests answered since the engine was made.
    int GetSumPos() const { return m_nSum_Pos; }

    // Longest reply the engine accepts, counted from the 0xEE byte: a whole output block.
    static constexpr int RECV_FRAME_OVERHEAD = 13;  // EE .. N, check, end
    static constexpr int MAX_REPLY_LENGTH = OUTPUT_BLOCK_SIZE + RECV_FRAME_OVERHEAD;
    // Name bytes a scene-name reply fills; the two after them are cleared, byte 15 kept.
    static constexpr int NAME_REPLY_BYTES = 13;

private:
    // The steps of one complete frame, run by CollectFrame with g_csComm held; they act on the
    // collected frame. CmdCallback checks and dispatches it (the frame is gone afterwards).
    BOOL CmdCallback();
    // The 'S' handlers: the handshake gate, then a block or a system reply.
    void OnDataReply();
    void OnSystemReply();
    // Moves the transfer or firmware progress for the answered head request.
    void UpDataPGRange();
    // TRUE when a data reply with a payload names a target that exists and fits it exactly
    // where the payload is copied whole, or carries at least the bytes that are taken.
    BOOL IsDataReplyUsable() const;

    HWND m_hNotifyWnd = nullptr;
    std::deque<std::unique_ptr<CSendData>> m_queue;  // index 0 is the head

    // Input chunk: the bytes of one read. Large enough for the network receive buffer.
    static constexpr int RECV_CHUNK_SIZE = 1024;
    BYTE m_byRecvChunk[RECV_CHUNK_SIZE];
    // The collected frame from its 0xEE byte: frame byte k of the wire is byte k-3 here.
    // [0] EE, [1] code, [2] address, [3] scene, [4] block type, [5] channel or sub-command,
    // [6] record, [7] link flag, [8] 0, [9..10] N, [11..10+N] payload, [11+N] XOR, [12+N] AA.
    static constexpr int RECV_BUFFER_SIZE = 400;
    static constexpr int RECV_PAYLOAD_POS = 11;
    BYTE m_byRecvFrame[RECV_BUFFER_SIZE];
    int m_nPreamble = 0;   // 0x91 bytes seen in a row while unsynced
    int m_bSynced = 0;     // 91 91 91 EE seen: collecting
    int m_nRecvCount = 0;  // bytes collected
    int m_nRecvLength = 0; // whole frame length N + 13, known once N is in

    // Fields of the last frame whose check byte and end byte were right.
    int m_nReplyCode = 0;
    int m_nBlockType = 0;
    int m_nScene = 0;
    int m_nChannel = 0;  // channel, or system sub-command for block type 9
    int m_nRecord = 0;
    int m_nPayloadLen = 0;

    int m_bHexShown = 0;  // the "programming" text is up; shown once per stage
    int m_nSum_Pos = 0;   // answered firmware requests
};
