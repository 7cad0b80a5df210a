// The main form view: the program's one working window. It holds the send queue and reply
// engine, the link's owner (m_Link: transports, network watchdog, comm worker, hot-plug watch)
// and the link's part of the form (connect button 1413, link indicator 2776).
//
// Link life: the initial update posts WM_FIRST_CONNECT, which opens the first free processor
// on USB (the watchdog looks for one on the network meanwhile). Every successful open runs the
// identify sequence (empty queue, linked, handshake and version read queued, worker started);
// the version answer decides whether the full read follows or the link is dropped. Every
// failure of the link reaches the view as a posted message (WM_LINK_LOST, WM_DEVICE_ERROR,
// removal of the open device found by the hot-plug poll), which stops the worker and closes.
//
// The link's parts themselves (transports, comm worker, watchdog, hot-plug watcher, firmware
// sender, change-scanner hook) belong to m_Link (CDeviceLink); the view's members of the same
// names delegate to it.
//
// Threads: every member runs on the user-interface thread. The worker and the watchdog reach
// the view only through posted messages. The view never holds g_csComm while it stops the
// worker or the watchdog.
//
// The form: 1204 x 699 pixels on the background bitmap of the language (285 Chinese, 284
// English); a bar of command buttons, selectors and the scene name along the top, the page tab
// control 1368 below it hosting the output page. Hidden from the start and for the whole run:
// the page tab buttons, the mode buttons, buttons 8803, 8804, 2823, 2824, the percentage
// selector 2885, the name edit 1002 and the progress bar 1414.
//
// Services that tests replace: the HID backend (HidBackend::Set) and the reachability check
// (SetReachability) are taken when OnInitialUpdate makes the transports, so install both
// before it. The scene object is the document's (SetSceneData).
#pragma once

#include "CBitButton.h"
#include "CComBoxBtn.h"
#include "CEdit.h"
#include "CEnTabCtrl.h"
#include "CGradientProgressCtrl.h"
#include "CInPutDlg.h"
#include "CMixInPutCom.h"
#include "CKTVCommand.h"
#include "CMenu.h"
#include "CMsgBox.h"
#include "CNet_Socket.h"
#include "COutputDlg.h"
#include "CPageHost.h"
#include "CShow_Link.h"
#include "CWnd.h"
#include "CXPButton.h"
#include "GdiObjects.h"
#include "CommWorker.h"
#include "DeviceLink.h"
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

// Form controls (ids of the form's template, 101).
constexpr UINT IDD_MAIN_VIEW = 101;
constexpr UINT IDC_CONNECT = 1413;      // connect / disconnect button
constexpr UINT IDC_LINK_STATE = 2776;   // link indicator
constexpr UINT IDC_LINK_LR = 2888;
constexpr UINT IDC_RESET_MAP = 2887;
constexpr UINT IDC_PERCENT = 2885;
constexpr UINT IDC_AUDIO_SOURCE = 2822;
constexpr UINT IDC_SOURCE_ON = 2824;
constexpr UINT IDC_SPARE = 2823;
constexpr UINT IDC_MINIMIZE = 2772;
constexpr UINT IDC_EXIT = 2773;
constexpr UINT IDC_SCENE_NAME = 2770;
constexpr UINT IDC_PAGE_OUTPUT = 2561;  // page tab buttons 2561 output, 2562 input, 2563 third
constexpr UINT IDC_MODE_FIRST = 2066;   // mode buttons 2066..2069
constexpr UINT IDC_SCENE_NAME_EDIT = 1002;
constexpr UINT IDC_SCENE_MENU = 8801;
constexpr UINT IDC_SETTINGS_MENU = 8802;
constexpr UINT IDC_SYSTEM = 8803;
constexpr UINT IDC_FUNCTION_8804 = 8804;
constexpr UINT IDC_VIEW_PROGRESS = 1414;
constexpr UINT IDC_PAGE_TAB = 1368;
constexpr UINT IDC_INPUT_TYPE = 2820;
constexpr UINT IDC_MIXER = 2821;
constexpr UINT IDC_EQ_MODE = 2860;
constexpr UINT IDC_BYPASS_ALL = 2861;
constexpr UINT IDC_RESET_ALL_EQ = 2862;

// Notify ids of the three selectors' drop lists (WM_DROPLIST_SELCHANGE wParam).
constexpr UINT NOTIFY_INPUT_TYPE = 2820;
constexpr UINT NOTIFY_AUDIO_SOURCE = 2821;
constexpr UINT NOTIFY_PERCENT = 1311;

// The form's size in pixels and its backgrounds.
constexpr int VIEW_FORM_WIDTH = 1204;
constexpr int VIEW_FORM_HEIGHT = 699;
constexpr UINT IDB_VIEW_BACK_CN = 285;
constexpr UINT IDB_VIEW_BACK_EN = 284;
constexpr UINT IDR_MENU_SCENE = 112;
constexpr UINT IDR_MENU_SETTINGS = 113;

// Folder kinds of the PC files ("PC_File" values); kind k is m_szPcFileFolder[k - 1].
constexpr int PC_FOLDER_SCENE = 1;      // "File_Path"
constexpr int PC_FOLDER_ALL = 2;        // "AllFile_Path"
constexpr int PC_FOLDER_MAP = 3;        // "Map_Path"
constexpr int PC_FOLDER_HEX = 4;        // "Hex": also the firmware folder of "DspMcu" "Path"
constexpr int PC_FOLDER_KINDS = 4;

// The settings keys the view reads and writes (registry form, see SettingsStore.h).
extern const char* const g_pszDspMcuKey;   // "Name", "Path", "Language"
extern const char* const g_pszLineSetKey;  // "Line_Set"
extern const char* const g_pszPcFileKey;   // "File_Path", "AllFile_Path", "Map_Path", "Hex"

// The device popup (menu resource 114) and the USB entries of the built popups.
constexpr UINT IDR_MENU_CONNECT = 114;
constexpr UINT ID_CONNECT_USB = 732;
constexpr UINT ID_CONNECT_NET = 733;
constexpr UINT ID_FIRMWARE_UPDATE = 727;  // settings menu 113
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

// The cell a WM_MIX_MATRIX_CHANGED reports: wParam MixCellParam(column 0..9, row 1..12), lParam
// the level.
constexpr int MIX_COLUMNS = 10;
constexpr int MIX_ROWS = 12;

// ---- view commands, menus and preset files ----
// Scene menu 112 and settings menu 113 items; the view's remaining command buttons.
constexpr UINT ID_LOAD_DEVICE_SCENE = 720;
constexpr UINT ID_SAVE_DEVICE_SCENE = 721;
constexpr UINT ID_DELETE_DEVICE_SCENE = 722;
constexpr UINT ID_LOAD_SCENE_FILE = 723;
constexpr UINT ID_LOAD_ALL_SCENES_FILE = 724;
constexpr UINT ID_SAVE_SCENE_FILE = 725;
constexpr UINT ID_SAVE_ALL_SCENES_FILE = 726;
constexpr UINT ID_ADVANCED = 728;
constexpr UINT ID_LANGUAGE = 729;
constexpr UINT ID_HELP = 730;
constexpr UINT ID_ABOUT = 731;
constexpr UINT ID_FACTORY_RESET = 738;
constexpr UINT IDC_PAGE_INPUT = 2562;
constexpr UINT IDC_PAGE_THIRD = 2563;
constexpr UINT IDC_INPUT_DIALOG = 2819;
constexpr UINT_PTR VIEW_TIMER_9999 = 9999;      // started after a source change; no action
constexpr UINT INPUT_TYPE_TIMER_MS = 1500;
constexpr UINT ALL_SCENES_LOAD_TIMER_MS = 5000;
// ---- end of view commands ----

class CDisplayDlg;
class CGradientProgressLink;

class CKRV330View : public CWnd, public CPageHost {
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
    void SetSceneData(CKTV_Data* pScene)
    {
        m_pScene = pScene;
        m_Link.SetSceneData(pScene);
    }
    CKTV_Data* GetSceneData() const { return m_pScene; }
    // Makes the view's window: a child of pParentWnd, or a top-level window without one.
    BOOL CreateView(CWnd* pParentWnd, const RECT& rect);
    // The view comes to life: program-wide pointers, the transports, the link controls, the
    // device popup, the in-use key, the hot-plug watch; posts WM_FIRST_CONNECT.
    virtual void OnInitialUpdate();
    // The comm worker, the in-use claim and the watchdog end (program shut-down). Once.
    void ShutDownLink();

    // =========================================================================================
    // The form (user-interface thread)

    // Skins the form's controls, creates the output page and the transfer popup. Once, from
    // OnInitialUpdate.
    void InitControls();
    // bStore: leave the page shown and make page (0 input, 1 output, 2 third) current; then show
    // g_nCurPage. Without bStore page is not looked at.
    void ShowPage(int nPage, BOOL bStore);
    // After a scene load: speaker groups, source toggle, output source bits, routing, source.
    void ReloadFromScene();
    // bToggle flips the language first; then every language-dependent text and image of the form.
    void SwitchLanguage(BOOL bToggle);
    void ApplyLanguage();
    // bStore: makes mode n (0..3) current unless it is; without bStore only unchecks the button
    // of the current mode.
    void SelectModeButton(int n, BOOL bStore);
    // The main window's caption becomes the product name.
    void RefreshTitleAndFolders();
    // The live scene's name on button 2770 and in edit 1002 (checked when not empty);
    // g_bSendSceneName = bMarkForSend.
    void ShowLiveSceneName(BOOL bMarkForSend);
    // As above for a scene that arrived: with no device scene in use the custom name shows in
    // the current language.
    void ShowReceivedSceneName();
    // The name of the live scene from a file title: at most 13 bytes on the button, only its
    // single-byte characters (or "Custom") in the device's name field; sent by the scanner.
    void SetSceneNameFromTitle(const CString& strTitle);

    // Registry: the firmware-file memory and the language ("DspMcu"), the line option
    // ("Line_Set"), the PC-file folders ("PC_File", kinds 1..4; kind 0 only creates a missing
    // key). Each returns TRUE.
    BOOL LoadDspMcuSettings();
    BOOL SaveDspMcuSettings();
    BOOL LoadLineSetting();
    BOOL SaveLineSetting() override;
    BOOL LoadPcFileFolders(int nKind);
    BOOL SavePcFileFolders(int nKind);
    // TRUE when path does not exist or is not a folder.
    static BOOL IsFolderMissing(const CString& path);
    // The user's documents folder, where every folder memory falls back to.
    static CString GetDocumentsFolder();
    // Folder memory of kind 1..4 (empty for any other kind); SetPcFileFolder for the file
    // dialogs that choose a new one.
    CString GetPcFileFolder(int nKind) const;
    void SetPcFileFolder(int nKind, const CString& path);

    // The form's controls, for the pages and tests.
    CBitButton& GetSceneNameButton() { return m_btnSceneName; }
    CEdit& GetSceneNameEdit() { return m_editSceneName; }
    CComBoxBtn& GetInputTypeSelector() { return m_cmbInputType; }
    CComBoxBtn& GetAudioSourceSelector() { return m_cmbAudioSource; }
    CBitButton& GetSourceOnButton() { return m_btnSourceOn; }
    CBitButton& GetLinkLRButton() { return m_btnLinkLR; }
    CEnTabCtrl& GetPageTab() { return m_Tab; }
    COutputDlg& GetOutputPage() { return m_OutputPage; }
    CInPutDlg& GetInputPage() { return m_InputPage; }
    CGradientProgressCtrl& GetViewProgress() { return m_Progress; }
    int GetSourceOn() const { return m_bSourceOn; }
    CMsgBox& GetMsgBox() { return m_MsgBox; }
    // The last level the mixer reported for column 0..9, row 1..12 (-1 outside).
    int GetMixMemory(int nColumn, int nRow) const override;

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
    void EnsureUsbRegKey() { m_Link.GetUsbLink()->EnsureUsbRegKey(); }
    void ClearUsbInUseList() { m_Link.GetUsbLink()->ClearUsbInUseList(); }
    BOOL IsUsbPathFree(const CString& path) { return m_Link.GetUsbLink()->IsUsbPathFree(path); }
    void RegisterUsbPath() { m_Link.GetUsbLink()->RegisterUsbPath(); }
    void UnregisterUsbPath() { m_Link.GetUsbLink()->UnregisterUsbPath(); }
    BOOL EnumHidDevices() { return m_Link.GetUsbLink()->EnumHidDevices(); }
    BOOL OpenUsbDevice() { return m_Link.GetUsbLink()->OpenUsbDevice(); }
    BOOL ConnectUsb() { return m_Link.GetUsbLink()->ConnectUsb(); }
    BOOL OpenUsbPath(const CString& path) { return m_Link.GetUsbLink()->OpenUsbPath(path); }
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
    // Comm worker (the link owner's; the exchanges run on the worker)

    BOOL CreateCommThread() { return m_Link.GetCommWorker().CreateCommThread(); }
    void ResumeCommThread() { m_Link.GetCommWorker().ResumeCommThread(); }
    void UsbTransact() { m_Link.UsbTransact(); }
    void NetTransact() { m_Link.NetTransact(); }
    // The firmware update's exchanges; without installed steps the worker idles 50 ms a pass.
    void UsbTransactHex();
    void NetTransactHex();

    // =========================================================================================
    // Firmware update (user-interface thread, while no worker runs)

    // Reads g_strFirmwarePath into the update's images; FALSE (after the message) when unusable.
    BOOL LoadUpdateFile();
    // Reopen the link in firmware mode over USB (path) / the network; TRUE on success.
    BOOL OpenUsbForUpdate(const CString& path);
    BOOL OpenNetForUpdate();
    // One reconnect attempt of an update waiting for its device (the reconnect polling calls it);
    // bMore FALSE: the last attempt, which reports the failure. TRUE when the update can run.
    BOOL ReconnectForUpdate(BOOL bMore);
    // The user abandons a running update: the link closes and the update is reported failed.
    void AbortFirmwareUpdate();
    // The update whose frames the worker writes in firmware mode (null before OnInitialUpdate).
    CFirmwareUpdate* GetFirmwareUpdate() const { return m_Link.GetFirmwareUpdate(); }

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
    void SendCommand(int nCmd, int nScene) override;
    // Asks the change scanner to send sub-command 5 / 2 when idle (only while linked).
    void SetSysCmd5Pending(BOOL bOn) override;
    void SetSysCmd2Pending(BOOL bOn) override;
    // FALSE saves the master output switch and mutes it; TRUE restores it. Both queue
    // sub-command 5. Caller holds g_csComm.
    void HoldSystemOutput(BOOL bRestore) override;
    // Shows input type nKind (0 digital, 1 line, 2 Bluetooth) on selector 2820; bStore also
    // makes it g_byInputSource and sends sub-command 2. Then ShowAudioSource.
    void SetInputSource(int nKind, BOOL bStore) override;
    // The second audio source (byte 4 of sub-command 8's window; 255 off) on selector 2822, and
    // g_bSourceMatch set when it equals the input type.
    void ShowAudioSource();
    // Selector entries: input type 1, 2, 0 -> entries 0, 1, 2 (-1 for any other value); audio
    // source 1, 2, 0 -> 0, 1, 2, anything else -> 3 ("off").
    static int InputTypeEntry(int nKind);
    static int AudioSourceEntry(int nValue);
    // After a scene load or a link change: every output in a group of its own, both link
    // buttons off, the per-group tables rebuilt, the output page shown the groups.
    void RebuildLinkGroups() override;
    void OnLinkLR();  // button 2888: the left/right link on or off (CKRV330ViewLinkLR.cpp)
    // The transfer popup's bar to 0..m_nBatchCount, position 0.
    void ResetTransferProgress(int nUnused = 0);
    // Shows the transfer popup (mode 0 disables the view, 1 the open preset dialog).
    void ShowTransferPopup(int nMode);

    // Re-sends one channel with its output switched off during the transfer: channel off,
    // whole block, channel in its real state. Only while linked. The NoLock and LevelMuted
    // forms rely on the caller's g_csComm.
    void SendOutputChannelMuted(int nCh, int nUnused = 0) override;
    void SendOutputChannelMutedNoLock(int nCh) override;
    void SendOutputLevelMuted(int nCh) override;
    void SendInputChannelMuted(int nCh, int nUnused = 0) override;

    // Speaker types: bAll FALSE gives output nCh its type of g_bySpeakerType (crossover preset)
    // and, when linked, sends sub-commands 6, 7 and its crossover record; bAll TRUE (linked)
    // sends 6, 7 and the ten crossover records.
    void SendSpeakerTypes(int nCh, BOOL bAll) override;
    // After stored scene n was deleted while in use: its name, then no scene in use (52).
    void SendSceneNameAndDeselect(int n);
    // Output dst takes equaliser and level of src (CopyOutputChannel: everything but name and
    // mix B); when linked its whole block is queued. Caller holds g_csComm.
    void CopyOutputSettings(int nSrc, int nDst) override;
    void CopyOutputChannel(int nSrc, int nDst);
    // Output dst takes equaliser and level of src; a tweeter keeps a usable high-pass (at least
    // 20 Hz, never off). When linked its block is sent inside the master-output mute.
    void CopyOutputForSpeakerType(int nSrc, int nDst) override;
    // The used left/right pairs copy left to right (0) or right to left (1), the destination
    // joining the source's group. TRUE when the current output was a destination.
    BOOL CopyPairedChannels(int nDirection) override;
    // Bands 0..14 of music input nCh to the 15-band grid, 15..30 to the third-octave grid;
    // when linked its block is sent inside the master-output mute.
    void ResetInputEqFrequencies(int nCh) override;
    // Speaker-type states rebuilt from the device's types (duplicates removed and sent back).
    void ReapplyDeviceSpeakerTypes(BOOL bKeepLinkMode = FALSE);
    // Bands 0..30 of output nCh back to the third-octave grid; queued when linked. Caller
    // holds g_csComm.
    void ResetOutputEqChannel(int nCh);
    // The same for the current output and its link group, wrapped in the master-output mute.
    void ResetOutputEqFrequencies() override;
    // The 16 mix bytes of output nCh from its speaker type (0..24; others leave them), then
    // every output's mix levels reloaded from the image (the setters stamp).
    void ApplySpeakerTypeMix(int nCh, int nType) override;
    // Each output takes its type of g_bySpeakerType without a crossover preset.
    void ApplySpeakerTypesToChannels();
    // One scene's name and ten output blocks as a counted batch to scene nScene (0 live under
    // the caller's lock, 1..6 stored); bPack packs the model first and adds names and 52.
    void WriteSceneToDevice(int nScene, BOOL bPack);
    // The live scene and the six stored scenes as one counted batch. Caller holds g_csComm.
    void WriteAllScenesToDevice();
    // When the input page is shown, its source button is redrawn.
    void RefreshInputSourceButtons() override;

    // =========================================================================================
    // State for the pages and tests

    BOOL IsLinked() const override { return m_bLinked.load(); }
    CWnd* GetHostWnd() override { return this; }
    // output page
    void SetEqModeCheck(BOOL bCheck) override { m_btnEqMode.SetCheck(bCheck); }
    BOOL GetEqModeCheck() const override { return m_btnEqMode.GetCheck(); }
    void SetAllBypassCheck(BOOL bCheck) override { m_btnBypassAll.SetCheck(bCheck); }
    BOOL GetAllBypassCheck() const override { return m_btnBypassAll.GetCheck(); }
    // The output page's queued frames (caller holds g_csComm) and its group leaving.
    void AddSendData(std::unique_ptr<CSendData> pData) override { m_SendQueue.AddSendData(std::move(pData)); }
    void RemoveFromLinkGroup(int nCh, int nGroup) override;
    int GetBatchCount() const { return m_nBatchCount; }
    CKTVCommand& GetSendQueue() { return m_SendQueue; }
    CNet_Socket* GetNetSocket() const { return m_Link.GetNetSocket(); }
    CUsbLink* GetUsbLink() const { return m_Link.GetUsbLink(); }
    CSerialLink* GetSerialLink() const { return m_Link.GetSerialLink(); }
    const CCommWorker& GetCommWorker() const { return m_Link.GetCommWorker(); }
    CDeviceLink& GetDeviceLink() { return m_Link; }
    CXPButton& GetConnectButton() { return m_btnConnect; }
    CShow_Link& GetLinkIndicator() { return m_staticLink; }

    // ---- mixer and system ----
    // Button 2821: the mixer page, modally, on the view and its scene.
    void OnOpenMixer();
    // Command 8803: the system dialog, modally, on the scene.
    void OnSystemButton();
    // Item 728 of the settings menu: the advanced settings dialog, modally.
    void OnAdvanced();
    BOOL IsStereoPair(int nOutput) const override;
    // The mixer page: lives with the view, its windows only while it runs.
    CMixInPutCom m_MixPage;
    // ---- end mixer and system ----

    // ---- input page ----
    // Command 2819: an input page of its own, modally, on the view and its scene.
    void OnOpenInputDialog();
    // ---- end input page ----

    // =========================================================================================
    // View commands, menus, window drag and preset files (user-interface thread)

    // Scene menu items 720..722 (device presets): the preset dialog is not part of this
    // program yet; each opens nothing.
    void OnLoadDeviceScene();
    void OnSaveDeviceScene();
    void OnDeleteDeviceScene();
    // Button 8801: scene menu 112 below the button; the device items greyed while unlinked.
    void OnSceneMenuButton();
    // Item 738: the warning, then the reset when linked; unlinked a 2 s notice, nothing queued.
    void OnFactoryReset();
    void OnLanguage();   // item 729
    void OnHelp();       // item 730
    void OnAbout();      // item 731
    // Mode buttons 2066..2069: mode n current and its block sent, unless it is current already.
    void OnModeButton(int n);
    // Page buttons 2561..2563 (1 output, 0 input, 2 third) and WM_SHOW_THIRD_PAGE.
    void OnPageButton(int nPage);
    void OnMinimizeButton();
    // Button 2773: the save question; Yes saves the scene file first; Yes or No shut the link
    // down (worker first, then the transfer popup) and close the main window; Cancel stays.
    void OnExitButton();
    // Button 2824: the second audio source between line and off, sent with sub-command 8.
    void OnSourceOffToggle();
    // WM_DROPLIST_SELCHANGE of the selectors: wParam the notify id, lParam the entry.
    LRESULT OnDropListSelChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowThirdPage(WPARAM wParam, LPARAM lParam);
    // Timer 9999 with that period (it has no action of its own).
    void StartTimer9999(UINT nPeriod);
    // The application's main window (the top-level window holding the view without one).
    CWnd* GetMainWindow() const;
    int IsDragging() const { return m_bDragging; }
    int IsExitDone() const { return m_bExitDone; }

    // PC preset files. The one-scene file (ekds): SaveSceneFile / WriteSceneFile ask for a file
    // and write the live scene; LoadSceneFile / ReadSceneFile read one and send it. The
    // all-scenes file (ekda): BeginSaveAllScenes asks for the file and reads the device's six
    // scenes, WriteAllScenesFile writes it when they have arrived; LoadAllScenesFile /
    // ReadAllScenesFile read one and send everything. A file is applied only when it passed
    // every check; a failed write leaves the old file and the scene's name as they were.
    BOOL SaveSceneFile();
    BOOL WriteSceneFile();
    void LoadSceneFile();
    void ReadSceneFile();
    BOOL BeginSaveAllScenes();
    BOOL PromptAllScenesFile();
    BOOL ChooseAllScenesFile();
    BOOL WriteAllScenesFile();
    void LoadAllScenesFile();
    void ReadAllScenesFile();
    // The live name on button 2770 ("Custom" in the current language), marked for sending.
    void ShowSceneName();
    // Output map file (qbtz); nothing in the program opens one.
    BOOL SaveOutputMapFile();
    BOOL ReadOutputMapFile();
    // ---- end of view commands ----

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter and Esc move the focus to the view and go no further; Tab goes to the output page.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // =========================================================================================
    // Message handlers of the link

    void OnDestroy() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Button 1413: disconnects when linked; otherwise offers the free USB devices and the
    // network as the popups of the connect table, or connects the one choice there is.
    void OnConnect();
    void OnSelectUsbDevice(UINT nID);  // popup items USB1..USBn
    void OnConnectUsb();               // popup item 732
    void OnConnectNet();               // popup item 733
    // Button 8802: the first popup of menu 113 below the button.
    void OnSettingsMenuButton();
    // Item 727: the firmware update dialog, modally; the update state it leaves is cleared.
    void OnFirmwareUpdate();
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
    LRESULT OnSceneNameChanged(WPARAM wParam, LPARAM lParam);
    // WM_MIX_MATRIX_CHANGED: remembers the level of the cell; returns the level.
    LRESULT OnMixMatrixChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnWifiResetResult(WPARAM wParam, LPARAM lParam);
    // ---- view commands: window drag and the all-scenes read ----
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    LRESULT OnAllScenesReceived(WPARAM wParam, LPARAM lParam);
    // ---- end of view commands ----
    // WM_UPDATE_STEP_DONE: lParam 57 is the end of a successful update.
    LRESULT OnUpdateDone(WPARAM wParam, LPARAM lParam);
    // WM_UPDATE_FAILED: the network reconnect of an update gave up.
    LRESULT OnFirmwareFailed(WPARAM wParam, LPARAM lParam);

private:
    // The steps every successful open shares, for link type 1 (USB) or 2 (network).
    void RunIdentifySequence(int nLinkType);
    // Closes the open link by its type (the worker is stopped already).
    void CloseByLinkType();
    // The form's part of every close: unlinked, hidden bar 1414 at 0, name field 1002 and
    // button 2770 blank and unchecked, change stamps cleared, transfer popup hidden.
    void ResetFormAfterClose();
    // The button's disconnect: StopComm(TRUE), a pause, close by link type.
    void DisconnectLink();
    // Reports a firmware update that the link took down, in a box and in the update's status line.
    void ReportUpdateFailed();
    // A device whose version does not fit: link closed, queue emptied, version text blanked;
    // with bReport the compatibility message first.
    void RefuseDevice(BOOL bReport);
    void ReportVersionMismatch();
    void CreateFormControls();
    void CreateTransferPopup();
    void DestroyTransferPopup();
    // Rebuilds g_bOutputSourceBit from byte 287 of each live output block.
    void LoadOutputSourceBits();
    // Fills the two source selectors in the current language and selects by the system block.
    void FillSourceSelectors();
    // Writes one "PC_File" value; a failed write falls back to the documents folder.
    void WritePcFolder(int nKind);
    // A missing "PC_File" key is made with all four folders at the documents folder; TRUE then.
    BOOL CreatePcFileKeyIfMissing();
    void CopyOutput(int nSrc, int nDst, BOOL bAll);
    // The device's speaker types become the program's, duplicates removed (TRUE when some were,
    // and the system copy then holds the fixed list). Takes g_csComm.
    BOOL TakeDeviceSpeakerTypes();
    // Sends the fixed speaker types and the state record.
    void SendSpeakerTypeFix();
    // When the speaker types are locked (g_bAssignFlag), unlocks them and lets the output page
    // apply that.
    void ReleaseSpeakerTypeLock();
    void ShowSceneName(const CString& text);
    void MakeTransports();
    // Builds and shows a popup of USB1..USBn (and, with bNet, the network entry) below 1413.
    void TrackUsbPopup(int nDevices, BOOL bNet);
    void TrackPopupBelowConnect(CMenu* pPopup);
    int ShowMessage(const CString& cn, const CString& en, int nSelector);

    // ---- link: queue, transports, watch (declared before the worker, which uses them) ----
    CKTVCommand m_SendQueue;
    IReachability* m_pReach = nullptr;  // null: the machine's own check
    CKTV_Data* m_pScene = nullptr;

    // Linked: a link is open and identified. Written here, read by the network transaction.
    std::atomic<int> m_bLinked{0};
    int m_nBatchCount = 0;          // index of the next item of the counted batch being queued
    int m_nSavedMasterSwitch = 0;   // g_bySysParams[4] while a bulk transfer mutes the outputs
    int m_bExitDone = 0;            // the link has been shut down

    int m_nSavedOn = 0;             // on/off of the channel being re-sent switched off
    int m_bSourceOn = 0;            // toggle 2824: 0 while the second audio source is off
    int m_nMixMemory[MIX_COLUMNS][MIX_ROWS];  // last mixer level per column and row - 1; 100 at start
    CString m_szPcFileFolder[PC_FOLDER_KINDS];  // folder memory by kind - 1
    CRect m_rcDrag;                 // a press inside starts a window drag
    int m_bDragging = 0;
    CPoint m_ptGrab;

    // ---- menus and form controls, in the form's order ----
    CBitButton m_btnLinkLR;                 // 2888
    CBitButton m_btnResetMap;               // 2887
    CComBoxBtn m_cmbPercent;                // 2885 (hidden)
    CComBoxBtn m_cmbAudioSource;            // 2822
    CBitButton m_btnSourceOn;               // 2824 (hidden)
    CBitButton m_btnSpare;                  // 2823 (hidden)
    CShow_Link m_staticLink;                // 2776
    CBitButton m_btnMinimize;               // 2772
    CBitButton m_btnExit;                   // 2773
    CBitButton m_btnSceneName;              // 2770 (disabled: its caption is the scene name)
    CBitButton m_btnPage[3];                // 2561..2563 (hidden)
    CXPButton m_btnMode[4];                 // 2066..2069 (hidden)
    CEdit m_editSceneName;                  // 1002 (hidden)
    CXPButton m_btnSceneMenu;               // 8801
    CXPButton m_btnSystem;                  // 8803 (hidden)
    CXPButton m_btn8804;                    // 8804 (hidden)
    CXPButton m_btnSettingsMenu;            // 8802
    CXPButton m_btnConnect;                 // 1413
    CGradientProgressCtrl m_Progress;       // 1414 (hidden)
    CEnTabCtrl m_Tab;                       // 1368: the output page is its child
    CComBoxBtn m_cmbInputType;              // 2820
    CBitButton m_btnMixer;                  // 2821
    CBitButton m_btnEqMode;                 // 2860
    CBitButton m_btnBypassAll;              // 2861
    CBitButton m_btnResetAllEq;             // 2862
    CBitmap m_bmpBackCn;
    CBitmap m_bmpBackEn;
    CFont m_fontName;                       // Arial 17: edit 1002 and the caption of 2770
    CMenu m_menuScene;                      // resource 112
    CMenu m_menuSettings;                   // resource 113
    CMenu m_menuConnect;                    // resource 114: "USB" 732, "Network" 733
    CInPutDlg m_InputPage;                  // never given a window
    COutputDlg m_OutputPage;
    CMsgBox m_MsgBox;                       // hidden helper that closes a box after a second

    // The transfer popup (g_pDisplayDlg) and its bar as the link sees it (g_pProgress), both
    // while the view's window exists.
    std::unique_ptr<CDisplayDlg> m_pDisplayDlg;
    std::unique_ptr<CGradientProgressLink> m_pPopupProgress;

    // ---- the device link's owner: declared last, so its workers end before anything they
    // use (the queue, the linked flag) goes ----
    CDeviceLink m_Link;
};
