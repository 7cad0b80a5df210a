// The firmware update on the link side: the loaded images and the order in which their frames
// are queued, and the firmware transactions over USB and TCP that the comm worker runs instead
// of the ordinary ones while g_bUpdating is set.
//
// Sequence: the loader-entry item (sent as a fixed report, no answer read), then for the DSP
// part apply 0x36, DSP request 0x3A and 5958 DSP blocks 0x3B, for the controller part apply
// 0x36 (only when no DSP part went first), start 0x37, the body blocks 0x38 and end 0x39. The
// queue is refilled only when it runs empty; each item waits for its answer, with give-up
// times by step, before the next goes out. Progress and texts are the reply engine's, applied
// only for answered steps; a rejected step (0x3A may be written four times over USB, twice over
// the network) or one that stays unanswered ends the update with WM_LINK_LOST, which the main
// view shows as the failure of the update. A failing transaction also sets the worker's
// suspend event, so that it stops passing until the view stops it.
//
// Threads: LoadUpdateFile, the opens and EndUpdate run on the user-interface thread while no
// worker runs; the transactions and the queue filling run on the comm worker.
#pragma once

#include "FirmwareFile.h"
#include "WinTypes.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class CKTVCommand;
class CNet_Socket;
class CSendData;
class CUsbLink;

// Where the queue filling stands (program-wide, as the update's other flags).
extern int g_bDspImageLoaded;       // the file held a DSP part
extern int g_bLoaderEntryPending;   // the loader-entry item is still to be queued
// 0 apply and request due, 1 data blocks, 2 end frame due, 3 DSP part done (controller part
// follows), 4 done.
extern int g_nDspStage;
// 0 apply due, 1 start frame due, 2 data blocks, 3 end frame due, 4 done.
extern int g_nMcuStage;
extern DWORD g_dwDspAddress;        // byte offset in the DSP image of the next block

constexpr int USB_HEX_WAIT_MS = 1000;        // one wait of the USB firmware read loop
constexpr double USB_LOADER_ENTRY_S = 1.0;   // the loader entry is repeated this long over USB
constexpr double NET_LOADER_ENTRY_S = 4.0;   // ... and over the network
constexpr int USB_APPLY_RESTART_MS = 5000;   // the processor restarts into its loader
constexpr int USB_LOADER_PAUSE_MS = 5;       // between two loader-entry reports
constexpr int NET_END_WAIT_MS = 2000;        // for the answer to the end step over the network
constexpr int HEX_MAX_ATTEMPTS = 2;          // every step is written at most twice ...
constexpr int HEX_DSP_REQUEST_USB_ATTEMPTS = 4;  // ... except the DSP request over USB

class CFirmwareUpdate {
public:
    // The engine whose queue carries the update and the two transports; none owned.
    CFirmwareUpdate(CKTVCommand& command, CUsbLink& usb, CNet_Socket& net);
    CFirmwareUpdate(const CFirmwareUpdate&) = delete;
    CFirmwareUpdate& operator=(const CFirmwareUpdate&) = delete;

    // Receives WM_LINK_LOST (the main view).
    void SetNotifyWnd(HWND hWnd) { m_hNotifyWnd = hWnd; }
    // The view's StartComm, called by the opens below once the link is up in firmware mode.
    void SetStartComm(std::function<void()> startComm) { m_startComm = std::move(startComm); }

    // ---- user-interface thread ----
    // Reads g_strFirmwarePath into the two images. A file that cannot be read, or is refused
    // (CFirmwareFile), shows "Update file error!" (or its twin, prompt caption) and leaves
    // nothing to queue; a file that cannot be read also empties the path. On success: both
    // stages at their start, the loader entry pending, g_bUpdateDone 0, g_bMcuImageLoaded set
    // by the file, g_nUpdateProgressTotal = the progress count + 6.
    BOOL LoadUpdateFile();
    // The progress count of the loaded file: the range of the view's hidden progress bar.
    int GetProgressCount() const { return m_nProgressCount; }
    // Opens path for the update when no running copy holds it: empty queue, link type 1,
    // g_bUpdating, StartComm. TRUE on success.
    BOOL OpenUsbForUpdate(const CString& path);
    // Connects over TCP when the device is reachable: empty queue, link type 2, g_bUpdating,
    // g_bNetOpen, StartComm. TRUE on success.
    BOOL OpenNetForUpdate();
    // The update is over (done, failed or abandoned), after the worker has stopped: nothing
    // more to queue, g_bUpdating and g_bMcuImageLoaded cleared, firmware step back to idle.
    // g_bUpdateDone stays: the network watchdog reads it before it reconnects.
    void EndUpdate();

    // ---- comm worker ----
    // Queues the next items when the send queue is empty: the loader entry, else DSP items,
    // else controller items; nothing once the end has been queued.
    void QueueNextFirmwarePackets();
    void QueueLoaderEntry();
    void QueueDspImagePackets();
    void QueueMcuImagePackets();

    // One firmware transaction over USB: write the head item, then read its answer.
    void UsbTransactHex();
    // 1 when a report went out and its answer is to be read.
    int UsbWriteHexLoop();
    // 1 when the step was answered (and, for the apply step, the device reopened).
    int UsbReadHexLoop();

    // One firmware transaction over TCP.
    void NetTransactHex();
    int NetWriteHex();
    int NetReadHex();

    // Step code of the item being written (0 before the first).
    int GetCurHexCmd() const { return m_nCurHexCmd; }
    // Image bytes not yet queued.
    int GetDspBytesLeft() const { return int(m_arrDspImage.size()) - m_nDspUsed; }
    int GetMcuBytesLeft() const { return int(m_arrMcuImage.size()) - m_nMcuUsed; }
    BYTE GetMcuCheck() const { return m_byMcuCheck; }

private:
    // Appends with the next progress index (counting from the items queued already).
    void QueueIndexed(std::unique_ptr<CSendData> item, int& index);
    // The end frame, with the index of the item queued before it.
    void QueueEnd(int index);
    // Head item, its step and attempt count; FALSE when there is no head after a refill.
    // Called with g_csComm held.
    CSendData* TakeHeadForWrite(int maxAttemptsFor3A);
    BOOL IsHeadRejected(int step) const;
    // The update cannot go on: the worker suspends itself and WM_LINK_LOST (0, 0) is posted.
    void Fail();
    // The apply step's read over USB: one wait, then the restart (a refusal fails instead).
    int UsbReadApply();
    // After the apply step over USB: the processor restarts into its loader; reopen it.
    int RestartAfterApply();
    // Network: close, forget a partial answer, connect again.
    void Reconnect();
    int NetReadEnd();
    void ShowTip(const CString& cn, const CString& en);
    // Seconds of the program clock since a performance-counter value.
    static double SecondsSince(LONGLONG start);

    CKTVCommand& m_command;
    CUsbLink& m_usb;
    CNet_Socket& m_net;
    HWND m_hNotifyWnd = nullptr;
    std::function<void()> m_startComm;

    // The images as loaded; m_n...Used bytes of each have been queued (taken from the front).
    std::vector<BYTE> m_arrDspImage;
    std::vector<BYTE> m_arrMcuImage;
    int m_nDspUsed = 0;
    int m_nMcuUsed = 0;
    BYTE m_byMcuCheck = FW_CHECK_SEED;  // carried by the end frame
    int m_nProgressCount = 0;
    std::atomic<int> m_nCurHexCmd{0};
    LONGLONG m_liTransactStart = 0;     // network transactions; USB keeps its own
};
