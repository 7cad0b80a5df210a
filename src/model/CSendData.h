// One queued request to the processor: the bytes of one device frame and the link's
// bookkeeping around it (how far it has been written out, retries, batch and reply flags).
//
// Created by a frame builder or the firmware code; the send queue owns it once appended.
// Used under g_csComm like the queue that holds it.
#pragma once

#include "WinTypes.h"

#include <vector>

class CSendData {
public:
    CSendData() = default;
    CSendData(const CSendData&) = delete;
    CSendData& operator=(const CSendData&) = delete;

    // Takes the frame bytes; the length becomes their count.
    void SetData(std::vector<BYTE> frame);
    // The frame bytes, or null when none were set.
    const BYTE* GetData() const { return m_frame.empty() ? nullptr : m_frame.data(); }
    BYTE* GetData() { return m_frame.empty() ? nullptr : m_frame.data(); }
    // Frame length in bytes; never more than the bytes the request holds.
    void SetLength(int n);
    int GetLength() const { return m_nLength; }

    void SetRetry(int n) { m_nRetry = n; }          // send attempts, counted by the transports
    int GetRetry() const { return m_nRetry; }
    void SetMore(BOOL flag) { m_bMore = flag; }
    // Link type 0: frame bytes left to cut; otherwise the more-to-send flag.
    BOOL HasMore() const;
    void SetCounted(BOOL flag) { m_bCounted = flag; }  // part of a counted batch
    BOOL GetCounted() const { return m_bCounted; }
    void SetIndex(int n) { m_nIndex = n; }          // position in its batch = progress position
    int GetIndex() const { return m_nIndex; }
    void SetLastRead(BOOL flag) { m_bLastRead = flag; }
    void SetLastWrite(BOOL flag) { m_bLastWrite = flag; }
    // The last request of a read / write batch; with link type 0 only once the frame is out.
    BOOL IsLastReadDone() const;
    BOOL IsLastWriteDone() const;
    void SetCommand(int code) { m_nCommand = code; }  // firmware step 0x36..0x3C, 0xFF; else 0
    int GetCommand() const { return m_nCommand; }
    void SetNoProgress(BOOL flag) { m_bNoProgress = flag; }  // answer ends a transfer
    BOOL GetNoProgress() const { return m_bNoProgress; }
    void SetNotify(BOOL flag) { m_bNotify = flag; }  // answer reported as WM_WIFI_OP_RESULT
    BOOL GetNotify() const { return m_bNotify; }
    void SetRejected(BOOL flag) { m_bRejected = flag; }  // the device answered 'R'
    BOOL GetRejected() const { return m_bRejected; }
    // Read position: frame bytes already cut into reports, kept within 0..length.
    void SetPos(int n);
    int GetPos() const { return m_nPos; }

    // Cuts the next up to 64 frame bytes into g_byUsbOutReport (report id 0, zero padded) and
    // advances the read position. FALSE, report untouched, when the whole frame is out.
    BOOL NextReport();

private:
    std::vector<BYTE> m_frame;
    int m_nLength = 0;
    int m_nRetry = 0;
    BOOL m_bMore = TRUE;
    BOOL m_bCounted = FALSE;
    int m_nIndex = 0;
    BOOL m_bLastRead = FALSE;
    BOOL m_bLastWrite = FALSE;
    int m_nPos = 0;
    int m_nCommand = 0;
    BOOL m_bNoProgress = FALSE;
    BOOL m_bNotify = FALSE;
    BOOL m_bRejected = FALSE;
};
