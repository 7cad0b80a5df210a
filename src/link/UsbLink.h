// The USB HID link to the processor: finding it among the PC's HID devices, the in-use list
// that keeps two running copies off one device, the open device, and the USB transaction that
// the comm worker runs once per pass while the link type is 1.
//
// A transaction writes the head request of the send queue as 65-byte output reports and then
// reads input reports into the reply engine until a whole reply has been taken in, or gives up
// and posts WM_LINK_LOST (0, 0) to the notify window. With an empty queue it appends the change
// scanner's next request instead and writes nothing; the next pass writes it.
//
// Threads: the transaction runs on the comm worker with g_csComm held; everything else on the
// user-interface thread, which closes the device only after the worker has stopped. The only
// signals a running transaction gets are g_bUsbOpen going to 0 and a stop of the worker
// (IsCommQuitRequested): it tests both before and after every blocking call and then ends
// without reporting anything, so a stop never waits out a read time-out.
#pragma once

#include "HidBackend.h"
#include "LinkTransport.h"
#include "UsbInUseList.h"
#include "WinTypes.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CKTVCommand;
class CSendData;

// The USB link is up: set when the device opens and by StartComm, cleared by StopComm, by an
// enumeration that finds no processor, on removal of the open device and on close. Written on
// the user-interface thread, tested by the transaction loops on the worker.
extern std::atomic<int> g_bUsbOpen;

constexpr int USB_REPLY_WAIT_MS = 3500;     // longest wait for one input report
constexpr int USB_NOTIFY_WAIT_MS = 50000;   // the same for a request with the notify flag
constexpr int USB_GIVE_UP_MS = 3000;        // a reply must be complete this long after the start
constexpr int USB_NOTIFY_GIVE_UP_MS = 50000;
constexpr int USB_READ_SLICE_MS = 100;      // a read waits in slices of this, to see a stop

class CUsbLink : public ILinkTransport {
public:
    // The program's link: the chosen path lives in g_strUsbPath, the paths of the last
    // enumeration in g_arrUsbDevices. The HID backend is the one installed now.
    explicit CUsbLink(CKTVCommand& command);
    // A link that keeps its path and list in the given strings (a second copy in a test).
    CUsbLink(CKTVCommand& command, CString& strUsbPath, std::vector<std::string>& arrUsbDevices);
    // Closes the device and releases its claim in the in-use list.
    ~CUsbLink() override;
    CUsbLink(const CUsbLink&) = delete;
    CUsbLink& operator=(const CUsbLink&) = delete;

    // The window that receives WM_LINK_LOST (the main view).
    void SetNotifyWnd(HWND hWnd) { m_hNotifyWnd = hWnd; }
    void SetNextSendData(NextSendData scanner) override { m_nextSendData = std::move(scanner); }

    // ---- the transport door (link type 1) ----
    int GetLinkType() const override { return 1; }
    BOOL Open() override { return ConnectUsb(); }
    BOOL Close() override { return CloseUsb(); }
    void Transact() override { UsbTransact(); }

    // ---- in-use list (user-interface thread) ----
    void EnsureUsbRegKey() { m_inUse.EnsureKey(); }
    void ClearUsbInUseList() { m_inUse.Clear(); }
    // TRUE when no running copy of the program holds path.
    BOOL IsUsbPathFree(const CString& path) { return m_inUse.IsFree(path) ? TRUE : FALSE; }
    // Claims the chosen path for this copy.
    void RegisterUsbPath() { m_inUse.Claim(m_strUsbPath); }
    // Releases the path this copy claimed (whatever the chosen path is now).
    void UnregisterUsbPath() { m_inUse.Release(); }

    // ---- finding, opening and closing (user-interface thread) ----
    // Rebuilds the list of processors present. When there is none: empties the in-use list,
    // clears g_bUsbOpen and returns FALSE.
    BOOL EnumHidDevices();
    // TRUE when the chosen path names a free processor: keeps a free chosen path, else
    // enumerates and takes the first free one; empties the path when none is free.
    BOOL SelectUsbPath();
    // Opens the chosen path: drops stale input, sets g_bUsbOpen, claims the path. A device
    // open before is closed first. FALSE (path unchanged) when it cannot be opened.
    BOOL OpenUsbDevice();
    // Chooses and opens the first free processor; link type 1 on success. On failure the
    // chosen path is empty.
    BOOL ConnectUsb();
    // Opens one given path (a device menu entry, an arriving device) when it is free and names
    // a processor present now; another HID device is refused. The path becomes the chosen one.
    BOOL OpenUsbPath(const CString& path);
    // Closes the handle only (the device restarts under the link), releases the claim, forgets
    // the old path and connects to the first free processor enumerated now.
    BOOL ReopenUsb();
    // Closes the device: zeroes both reports, releases the claim, clears g_bUsbOpen,
    // link type 0. TRUE.
    BOOL CloseUsb();
    // The handle part of the close: the device is closed and both reports zeroed.
    void CloseUsbHandle();
    bool IsDeviceOpen() const { return m_pDevice != nullptr; }
    const CString& GetUsbPath() const { return m_strUsbPath; }
    const std::vector<std::string>& GetUsbDevices() const { return m_arrUsbDevices; }

    // ---- the transaction (comm worker; it takes g_csComm around all but the reply wait) ----
    void UsbTransact();
    // 1 when the head request was written completely, else 0.
    int UsbWriteLoop();
    // 1 when the reply is complete or given up after a read time-out, else 0.
    // notify: the request carries the notify flag (its reply may take up to 50 s).
    int UsbReadLoop(bool notify);
    // Hands g_byUsbInReport (n bytes, report id included) to the reply engine; TRUE when a
    // whole reply was taken in and handled.
    BOOL OnUsbReport(int n);

    // ---- report primitives, also for the firmware transaction (comm worker) ----
    // Writes g_byUsbOutReport. 65, or -1 when no device is open or the write failed.
    int WriteReport();
    // Reads one input report into g_byUsbInReport in the Windows form: byte 0 the report id 0,
    // bytes 1..64 the data, zero-padded. Waits up to timeoutMs of the program clock.
    // Returns the count with the report id (65 for a full report), 0 on time-out,
    // READ_FAILED when the device failed or is gone, READ_STOPPED when g_bUsbOpen was cleared
    // or the worker is stopping.
    static constexpr int READ_FAILED = -1;
    static constexpr int READ_STOPPED = -2;
    int ReadReport(int timeoutMs);
    // Drops input reports that are waiting.
    void PurgeInput();
    // Program-clock time (performance-counter ticks) at the start of the last transaction.
    LONGLONG GetTransactStart() const { return m_liTransactStart; }
    void MarkTransactStart();

private:
    // The transaction must end now: the link was cleared or the worker is stopping.
    static bool IsStopping();
    void PostLinkLost();
    // TRUE when a processor is present at path now.
    bool IsProcessorPresent(const std::string& path);

    CKTVCommand& m_command;
    IHidBackend& m_backend;
    CString& m_strUsbPath;                      // g_strUsbPath
    std::vector<std::string>& m_arrUsbDevices;  // g_arrUsbDevices
    CUsbInUseList m_inUse;
    std::unique_ptr<IHidDevice> m_pDevice;      // g_hUsbRead / g_hUsbWrite; null when closed
    HWND m_hNotifyWnd = nullptr;
    NextSendData m_nextSendData;
    LONGLONG m_liTransactStart = 0;
};
