// The main form view: the program's one working window. It owns the device link for the whole
// run: the send queue and reply engine, the USB HID and TCP transports, the network watchdog,
// the comm worker, the hot-plug watch, and the link's part of the form (connect button 1413,
// link indicator 2776).
//
// Link life: the initial update posts WM_FIRST_CONNECT, which opens the first free processor
// on USB (the watchdog looks for one on the network meanwhile). Every successful open runs the
// identify sequence (empty queue, linked, handshake and version read queued, worker started);
// the version answer decides whether the full read follows or the link is dropped. Every
// failure of the link reaches the view as a posted message (WM_LINK_LOST, WM_DEVICE_ERROR,
// removal of the open device found by the hot-plug poll), which stops the worker and closes.
//
// Threads: every member runs on the user-interface thread except the four transactions of
// ICommTransactions, which the comm worker calls (ordinary ones with g_csComm held). The
// worker and the watchdog reach the view only through posted messages. The view never holds
// g_csComm while it stops the worker or the watchdog.
//
// Services that tests replace: the HID backend (HidBackend::Set) and the reachability check
// (SetReachability) are taken when OnInitialUpdate makes the transports, so install both
// before it. The scene object is the document's (SetSceneData).
#pragma once

#include "CKTVCommand.h"
#include "CMenu.h"
#include "CNet_Socket.h"
#include "CShow_Link.h"
#include "CWnd.h"
#include "CXPButton.h"
#include "CommWorker.h"
#include "FirmwareUpdate.h"
#include "CSerialPort.h"
#include "HidHotplugWatcher.h"
#include "SerialLink.h"
#include "UsbLink.h"

#include <atomic>
#include <functional>
#include <memory>

class CKTV_Data;
class IReachability;

// Form controls of the link.
constexpr UINT IDC_CONNECT = 1413;      // connect / disconnect button
constexpr UINT IDC_LINK_STATE = 2776;   // link indicator

// The device popup (menu resource 114) and the USB entries of the built popups.
constexpr UINT IDR_MENU_CONNECT = 114;
constexpr UINT ID_CONNECT_USB = 732;
constexpr UINT ID_CONNECT_NET = 733;
constexpr UINT ID_USB_DEVICE_FIRST = 6600;  // USB1 .. USBn
constexpr UINT ID_USB_DEVICE_LAST = 6700;

// Device-change notices (WM_DEVICECHANGE): event types, and the broadcast kind looked at.
constexpr UINT DBT_DEVICEARRIVAL = 0x8000;
constexpr UINT DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 5;
struct DeviceInterfaceNotice {
    DWORD dbcc_devicetype;  // DBT_DEVTYP_DEVICEINTERFACE
    CString dbcc_name;      // device path
};

// View timers of the link.
constexpr UINT_PTR VIEW_TIMER_LEVEL = 1;        // killed whenever the USB link closes
constexpr UINT_PTR VIEW_TIMER_HOTPLUG = 9001;   // hot-plug poll
constexpr UINT HOTPLUG_POLL_MS = 500;

constexpr int CONNECT_CLOSE_PAUSE_MS = 500;  // the button's disconnect pauses before it closes

class CKRV330View : public CWnd, public ICommTransactions {
public:
    CKRV330View();
    // Destroys the window (shutting the link down) if it still exists.
    ~CKRV330View() override;

    // =========================================================================================
    // Creation and start-up (user-interface thread)

    // The reachability check the network link uses instead of the machine's (not owned; it
    // must outlive the view). Call before OnInitialUpdate.
    void SetReachability(IReachability* pReach) { m_pReach = pReach; }
    // The document's scene object (not owned). Call before OnInitialUpdate.
    void SetSceneData(CKTV_Data* pScene) { m_pScene = pScene; }
    CKTV_Data* GetSceneData() const { return m_pScene; }
    // Makes the view's window: a child of pParentWnd, or a top-level window without one.
    BOOL CreateView(CWnd* pParentWnd, const RECT& rect);
    // The view comes to life: program-wide pointers, the transports, the link controls, the
    // device popup, the in-use key, the hot-plug watch; posts WM_FIRST_CONNECT.
    virtual void OnInitialUpdate();
    // The comm worker, the in-use claim and the watchdog end (program shut-down). Once.
    void ShutDownLink();

    // =========================================================================================
    // Link control

    // Clears g_bNeedFirmware; starts the worker when none runs (firmware event while
    // g_bUpdating, else send event); g_bUsbOpen and linked set. The argument is not looked at.
    BOOL StartComm(BOOL bUnused);
    // Ends the worker. bFull: also forgets it, resets its events, clears g_bUsbOpen and the
    // linked flag and starts the network watchdog; TRUE. Without bFull (shut-down) FALSE.
    BOOL StopComm(BOOL bFull);
    // When linked: StopComm(TRUE), then closes by link type.
    void CloseLink();
    // When linked: StopComm(TRUE), close by link type; during an update reports it failed.
    void DropLink();
    // Opens one HID path when it is free and names a processor, then identifies; TRUE on success.
    BOOL ConnectUsbPath(const CString& path);
    // Opens the network link when no link exists (failure text otherwise); TRUE on success.
    BOOL ConnectNet();
    // Connect button and indicator in the linked or unlinked look.
    void ShowLinkState(BOOL bLinked);
    // One poll of the hot-plug watch, turned into device-change notices (the view's timer runs
    // it every HOTPLUG_POLL_MS).
    void PollDeviceChanges();
    void StartHotplugPolling();
    void StopHotplugPolling();

    // The USB transport's operations, as the view offers them.
    void EnsureUsbRegKey() { m_pUsbLink->EnsureUsbRegKey(); }
    void ClearUsbInUseList() { m_pUsbLink->ClearUsbInUseList(); }
    BOOL IsUsbPathFree(const CString& path) { return m_pUsbLink->IsUsbPathFree(path); }
    void RegisterUsbPath() { m_pUsbLink->RegisterUsbPath(); }
    void UnregisterUsbPath() { m_pUsbLink->UnregisterUsbPath(); }
    BOOL EnumHidDevices() { return m_pUsbLink->EnumHidDevices(); }
    BOOL OpenUsbDevice() { return m_pUsbLink->OpenUsbDevice(); }
    BOOL ConnectUsb() { return m_pUsbLink->ConnectUsb(); }
    BOOL OpenUsbPath(const CString& path) { return m_pUsbLink->OpenUsbPath(path); }
    // Closes the USB device and resets the link state and the form's link look. TRUE.
    BOOL CloseUsb();
    // Closes the TCP socket and resets the link state and the form's link look. TRUE.
    BOOL CloseNet();
    // Opens g_strComPort (the argument is not looked at) and sets linked; FALSE changes nothing.
    BOOL OpenSerialLink(const CString& strPortUnused = CString());
    // Stops the serial worker, closes the port and resets the link state. TRUE.
    BOOL CloseSerialLink();

    // The connection-failure text of the current link type (nothing for other types), a
    // 2000 ms prompt; the USB one only while no firmware update runs.
    void ShowConnectFailure();
    void ShowUsbConnectFailure();

    // =========================================================================================
    // Comm worker (ICommTransactions: called on the worker)

    BOOL CreateCommThread() { return m_CommWorker.CreateCommThread(); }
    void ResumeCommThread() { m_CommWorker.ResumeCommThread(); }
    void UsbTransact() override { m_pUsbLink->UsbTransact(); }
    void NetTransact() override { m_pNetSocket->NetTransact(); }
    // The firmware update's exchanges; without installed steps the worker idles 50 ms a pass.
    void UsbTransactHex() override;
    void NetTransactHex() override;

    // =========================================================================================
    // Firmware update (user-interface thread, while no worker runs)

    // Reads g_strFirmwarePath into the update's images; FALSE (after the message) when unusable.
    BOOL LoadUpdateFile();
    // Reopen the link in firmware mode over USB (path) / the network; TRUE on success.
    BOOL OpenUsbForUpdate(const CString& path);
    BOOL OpenNetForUpdate();
    // The update whose frames the worker writes in firmware mode (null before OnInitialUpdate).
    CFirmwareUpdate* GetFirmwareUpdate() const { return m_pFirmware.get(); }

    // =========================================================================================
    // Requests and send entry points (user-interface thread)

    // FALSE: the identify pair (handshake read, version read), g_bHandshake set. TRUE: the
    // counted full read (six scene names, system reads, sub-command 8). Caller holds g_csComm.
    void RequestDeviceData(BOOL bAll);
    // Reads the ten output blocks of scene (0 live, 1..6 stored) as a counted batch. Scene 0
    // continues the caller's batch under the caller's lock; a stored scene is a batch of its own
    // wrapped in the master-output mute.
    void RecallScene(int nScene, int nUnused = TRUE);
    // Queues system sub-command nCmd for the scene when linked (65: the Wi-Fi factory default,
    // reported with WM_WIFI_OP_RESULT).
    void SendCommand(int nCmd, int nScene);
    // Asks the change scanner to send sub-command 5 / 2 when idle (only while linked).
    void SetSysCmd5Pending(BOOL bOn);
    void SetSysCmd2Pending(BOOL bOn);
    // FALSE saves the master output switch and mutes it; TRUE restores it. Both queue
    // sub-command 5. Caller holds g_csComm.
    void HoldSystemOutput(BOOL bRestore);
    // Stores kind as the input source and sends it (bStore), then updates g_bSourceMatch.
    void SetInputSource(int nKind, BOOL bStore);
    // Every output in a group of its own after a scene load.
    void RebuildLinkGroups();

    // =========================================================================================
    // State for the pages and tests

    BOOL IsLinked() const { return m_bLinked.load(); }
    int GetBatchCount() const { return m_nBatchCount; }
    CKTVCommand& GetSendQueue() { return m_SendQueue; }
    CNet_Socket* GetNetSocket() const { return m_pNetSocket.get(); }
    CUsbLink* GetUsbLink() const { return m_pUsbLink.get(); }
    const CCommWorker& GetCommWorker() const { return m_CommWorker; }
    CXPButton& GetConnectButton() { return m_btnConnect; }
    CShow_Link& GetLinkIndicator() { return m_staticLink; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // =========================================================================================
    // Message handlers of the link

    void OnDestroy() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Button 1413: disconnects when linked; otherwise offers the free USB devices and the
    // network as the popups of the connect table, or connects the one choice there is.
    void OnConnect();
    void OnSelectUsbDevice(UINT nID);  // popup items USB1..USBn
    void OnConnectUsb();               // popup item 732
    void OnConnectNet();               // popup item 733
    // WM_DEVICECHANGE: arrival connects when nothing is linked; removal of the open device
    // drops the link and releases its path; any other removal refreshes the device list.
    BOOL OnDeviceChange(UINT nEventType, const DeviceInterfaceNotice* pNotice);
    LRESULT OnFirstConnect(WPARAM wParam, LPARAM lParam);
    LRESULT OnLinkLost(WPARAM wParam, LPARAM lParam);
    LRESULT OnNeedFirmware(WPARAM wParam, LPARAM lParam);
    LRESULT OnNetReachable(WPARAM wParam, LPARAM lParam);
    LRESULT OnStopPing(WPARAM wParam, LPARAM lParam);
    LRESULT OnBatchDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnVersionReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnSceneReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnInputTypeReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnSpeakerMapChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnWifiResetResult(WPARAM wParam, LPARAM lParam);
    // WM_UPDATE_STEP_DONE: lParam 57 is the end of a successful update.
    LRESULT OnUpdateDone(WPARAM wParam, LPARAM lParam);
    // WM_UPDATE_FAILED: the network reconnect of an update gave up.
    LRESULT OnFirmwareFailed(WPARAM wParam, LPARAM lParam);

private:
    // The steps every successful open shares, for link type 1 (USB) or 2 (network).
    void RunIdentifySequence(int nLinkType);
    // Closes the open link by its type (the worker is stopped already).
    void CloseByLinkType();
    // The button's disconnect: StopComm(TRUE), a pause, close by link type.
    void DisconnectLink();
    // Reports a firmware update that the link took down, in a box and in the update's status line.
    void ReportUpdateFailed();
    // A device whose version does not fit: link closed, queue emptied, version text blanked;
    // with bReport the compatibility message first.
    void RefuseDevice(BOOL bReport);
    void ReportVersionMismatch();
    void CreateLinkControls();
    void MakeTransports();
    // Builds and shows a popup of USB1..USBn (and, with bNet, the network entry) below 1413.
    void TrackUsbPopup(int nDevices, BOOL bNet);
    void TrackPopupBelowConnect(CMenu* pPopup);
    int ShowMessage(const CString& cn, const CString& en, int nSelector);

    // ---- link: queue, transports, watch (declared before the worker, which uses them) ----
    CKTVCommand m_SendQueue;
    IReachability* m_pReach = nullptr;  // null: the machine's own check
    std::unique_ptr<CNet_Socket> m_pNetSocket;
    std::unique_ptr<CUsbLink> m_pUsbLink;
    std::unique_ptr<CHidHotplugWatcher> m_pHotplug;
    std::unique_ptr<CFirmwareUpdate> m_pFirmware;  // uses the queue and both transports
    CSerialPort m_SerialPort;
    std::unique_ptr<CSerialLink> m_pSerialLink;    // link type 3: its own worker, not m_CommWorker
    CKTV_Data* m_pScene = nullptr;

    // Linked: a link is open and identified. Written here, read by the network transaction.
    std::atomic<int> m_bLinked{0};
    int m_nBatchCount = 0;          // index of the next item of the counted batch being queued
    int m_nSavedMasterSwitch = 0;   // g_bySysParams[4] while a bulk transfer mutes the outputs
    int m_bExitDone = 0;            // the link has been shut down

    // ---- menus and form controls of the link ----
    CMenu m_menuConnect;  // resource 114: "USB" 732, "Network" 733
    CXPButton m_btnConnect;
    CShow_Link m_staticLink;

    // ---- the comm worker: declared last, so it ends before the transports it calls go ----
    CCommWorker m_CommWorker;
};
