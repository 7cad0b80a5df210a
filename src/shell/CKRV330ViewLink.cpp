// Link control of the main view: opening (first connect, the connect button and its popups,
// device arrival, network reachability), the identify sequence, the worker's start and stop,
// closing, and the reactions to removal, a lost link and a device that needs firmware.
#include "CKRV330View.h"

#include "CAdv_Seting.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CDisplayDlg.h"
#include "DevicePopup.h"
#include "Clock.h"
#include "FirmwarePackets.h"
#include "FirmwareState.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkProgress.h"
#include "LinkState.h"
#include "ShellGlobals.h"
#include "ShellTexts.h"
#include "ShowTimedMessage.h"
#include "Texts.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool SamePathIgnoringCase(const CString& a, const CString& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Connect button faces (checked normal, hover, pressed) and indicator texts by state and language.
struct LinkLook {
    UINT bitmaps[3];
    const CString* text;
};
const LinkLook kLinkedCn{{8741, 8750, 8750}, &g_strConnectedCn};
const LinkLook kUnlinkedCn{{8751, 8740, 8740}, &g_strNotConnectedCn};
const LinkLook kLinkedEn{{8743, 8752, 8752}, &g_strConnectedEn};
const LinkLook kUnlinkedEn{{8753, 8742, 8742}, &g_strNotConnectedEn};

}  // namespace

int CKRV330View::ShowMessage(const CString& cn, const CString& en, int nSelector)
{
    return ShowTimedMessage(this, g_bChinese ? cn : en, g_strProductName, MB_OK, g_bChinese, nSelector);
}

// ---------------------------------------------------------------------------------------------
// Worker start and stop

BOOL CKRV330View::StartComm(BOOL)
{
    g_bNeedFirmware = 0;
    // Up before the worker's first pass tests them.
    g_bUsbOpen = 1;
    m_bLinked = 1;
    m_Link.StartWorker(g_bUpdating ? TRUE : FALSE);
    if (g_pAdvSetingDlg)
        g_pAdvSetingDlg->EnableLinkControl(TRUE);
    return TRUE;
}

BOOL CKRV330View::StopComm(BOOL bFull)
{
    if (!m_Link.StopWorker(bFull))  // with bFull the network watchdog starts again
        return FALSE;
    g_bUsbOpen = 0;
    m_bLinked = 0;
    if (g_pAdvSetingDlg)
        g_pAdvSetingDlg->EnableLinkControl(FALSE);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Opening

void CKRV330View::RunIdentifySequence(int nLinkType)
{
    m_SendQueue.RemoveAllSendData();
    {
        CSingleLock lock(g_csComm);
        if (m_pScene)
            m_pScene->ClearAllModified(0);
    }
    if (nLinkType == 2)
        m_SendQueue.SetNotifyWnd(m_hWnd);
    m_nBatchCount = 0;
    m_bLinked = 1;
    g_nLinkType = nLinkType;
    // A removal is judged by the step of a running update, never by one that has ended.
    ResetFirmwareStep();
    {
        CSingleLock lock(g_csComm);
        if (nLinkType == 2)
            g_bNetOpen = 1;
        RequestDeviceData(FALSE);
    }
    if (nLinkType == 1) {
        std::memset(g_byUsbInReport, 0, sizeof(g_byUsbInReport));
        ShowLinkState(TRUE);
        StartComm(TRUE);
    } else {
        StartComm(TRUE);
        ShowLinkState(TRUE);
    }
}

LRESULT CKRV330View::OnFirstConnect(WPARAM, LPARAM)
{
    if (ConnectUsb())
        RunIdentifySequence(1);
    m_Link.GetNetSocket()->StartPingThread();
    return 0;
}

BOOL CKRV330View::ConnectUsbPath(const CString& path)
{
    // OpenUsbPath refuses a path another copy holds and any HID device that is not a processor.
    if (!OpenUsbPath(path))
        return FALSE;
    RunIdentifySequence(1);
    return TRUE;
}

BOOL CKRV330View::ConnectNet()
{
    if (g_nLinkType != 0)
        return FALSE;
    g_nLinkType = 2;
    if (m_Link.GetNetSocket()->IsDeviceOnSubnet() && m_Link.GetNetSocket()->Connect()) {
        RunIdentifySequence(2);
        return TRUE;
    }
    ShowMessage(g_strWifiFailCn, g_strWifiFailEn, TIMED_PROMPT);
    g_nLinkType = 0;
    return FALSE;
}

LRESULT CKRV330View::OnNetReachable(WPARAM, LPARAM)
{
    if (ConnectNet())
        PostMessage(WM_STOP_PING);
    return 0;
}

LRESULT CKRV330View::OnStopPing(WPARAM, LPARAM)
{
    m_Link.GetNetSocket()->StopPingThread(TRUE);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// The connect button and its popups

void CKRV330View::OnConnect()
{
    {
        CSingleLock lock(g_csComm);
        g_bHandshake = 0;
    }
    if (m_bLinked) {
        DisconnectLink();
        return;
    }
    // The USB devices that no running copy holds; the popups' USB entries index into this.
    g_arrUpgradeDevices.clear();
    EnumHidDevices();
    for (const std::string& path : g_arrUsbDevices)
        if (IsUsbPathFree(path))
            g_arrUpgradeDevices.push_back(path);
    const int n = int(g_arrUpgradeDevices.size());
    const BOOL bReachable = m_Link.GetNetSocket()->m_bReachable.load() ? TRUE : FALSE;

    if (n == 1 && bReachable) {
        CMenu* pPopup = m_menuConnect.GetSubMenu(0);
        if (!pPopup)
            return;
        pPopup->DeleteMenu(ID_CONNECT_NET, MF_BYCOMMAND);
        pPopup->AppendMenu(MF_STRING, ID_CONNECT_NET, g_strWifiName.c_str());
        TrackPopupBelowConnect(pPopup);
    } else if (n > 1) {
        TrackUsbPopup(n, bReachable);
    } else if (n == 1) {
        if (!ConnectUsbPath(g_arrUpgradeDevices[0]))
            ShowMessage(g_strUsbFailCn, g_strUsbFailEn, TIMED_PROMPT);
    } else if (bReachable) {
        ConnectNet();
    } else {
        ShowMessage(g_strNoLinkCn, g_strNoLinkEn, TIMED_PROMPT);
    }
}

void CKRV330View::TrackUsbPopup(int nDevices, BOOL bNet)
{
    CMenu popup;
    popup.CreatePopupMenu();
    BuildDevicePopup(popup, nDevices, bNet);
    TrackPopupBelowConnect(&popup);
}

void CKRV330View::TrackPopupBelowConnect(CMenu* pPopup)
{
    TrackPopupBelow(pPopup, &m_btnConnect, this);
}

void CKRV330View::OnSelectUsbDevice(UINT nID)
{
    const int i = int(nID) - int(ID_USB_DEVICE_FIRST);
    if (i < 0 || i >= int(g_arrUpgradeDevices.size()))
        return;
    if (!ConnectUsbPath(g_arrUpgradeDevices[size_t(i)]))
        ShowMessage(g_strUsbFailCn, g_strUsbFailEn, TIMED_PROMPT);
}

void CKRV330View::OnConnectUsb()
{
    g_nLinkType = 1;
    if (ConnectUsb()) {
        RunIdentifySequence(1);
        return;
    }
    ShowMessage(g_strUsbFailCn, g_strUsbFailEn, TIMED_PROMPT);
    g_nLinkType = 0;
}

void CKRV330View::OnConnectNet() { ConnectNet(); }

// ---------------------------------------------------------------------------------------------
// Closing

void CKRV330View::CloseByLinkType()
{
    switch (g_nLinkType.load()) {
    case 1:
        CloseUsb();
        break;
    case 2:
        CloseNet();
        break;
    case 3:
        CloseSerialLink();
        break;
    default:
        break;
    }
}

void CKRV330View::CloseLink()
{
    if (!m_bLinked)
        return;
    StopComm(TRUE);
    CloseByLinkType();
}

void CKRV330View::DisconnectLink()
{
    StopComm(TRUE);
    Sleep(CONNECT_CLOSE_PAUSE_MS);
    CloseByLinkType();
}

void CKRV330View::ResetFormAfterClose()
{
    m_bLinked = 0;
    g_bTransferBusy = 0;
    g_bOnline = 0;
    m_Progress.SetPos(0);
    m_editSceneName.SetWindowText("");
    m_btnSceneName.SetWindowText("");
    m_btnSceneName.SetCheck(FALSE);
    {
        CSingleLock lock(g_csComm);
        if (m_pScene)
            m_pScene->ClearAllModified(0);  // also the pending system sub-commands
    }
    // A transfer the close cut short never ends by itself: its popup goes now.
    if (g_pDisplayDlg)
        g_pDisplayDlg->HideProgress();
    ShowLinkState(FALSE);
}

BOOL CKRV330View::CloseUsb()
{
    KillTimer(VIEW_TIMER_LEVEL);
    if (m_Link.GetUsbLink())
        m_Link.GetUsbLink()->CloseUsb();  // handle, reports, in-use claim, g_bUsbOpen
    ResetFormAfterClose();
    g_nLinkType = 0;
    return TRUE;
}

BOOL CKRV330View::CloseNet()
{
    if (m_Link.GetNetSocket())
        m_Link.GetNetSocket()->Close();
    ResetFormAfterClose();
    g_nLinkType = 0;
    ClearNetLinkState();
    return TRUE;
}

BOOL CKRV330View::OpenSerialLink(const CString&)
{
    if (!m_Link.GetSerialLink() || !m_Link.GetSerialLink()->OpenSerialLink())
        return FALSE;
    m_bLinked = 1;
    return TRUE;
}

BOOL CKRV330View::CloseSerialLink()
{
    if (m_Link.GetSerialLink())
        m_Link.GetSerialLink()->CloseSerialLink();  // worker, carried request, port
    m_bLinked = 0;
    g_bOnline = 0;
    m_Progress.SetPos(0);
    m_editSceneName.SetWindowText("");
    m_btnSceneName.SetWindowText("");
    KillTimer(VIEW_TIMER_LEVEL);
    {
        CSingleLock lock(g_csComm);
        if (m_pScene)
            m_pScene->ClearAllModified(0);
    }
    g_bTransferBusy = 0;
    return TRUE;
}

void CKRV330View::ReportUpdateFailed()
{
    ShowMessage(g_strUpdateFailedCn, g_strUpdateFailedEn, TIMED_WARNING);
    CSingleLock lock(g_csComm);
    if (g_pCurHexUpTip)
        g_pCurHexUpTip->SetText(g_bChinese ? g_strUpdateFailedCn : g_strUpdateFailedEn);
}

void CKRV330View::DropLink()
{
    if (!m_bLinked)
        return;
    StopComm(TRUE);
    CloseByLinkType();
    if (g_bUpdating) {
        ReportUpdateFailed();
        if (m_Link.GetFirmwareUpdate())
            m_Link.GetFirmwareUpdate()->EndUpdate();
    }
}

LRESULT CKRV330View::OnLinkLost(WPARAM, LPARAM)
{
    // A notice that arrives after the link was closed otherwise (button, removal) is stale.
    if (!m_bLinked)
        return 0;
    StopComm(TRUE);
    if (g_bUpdating) {
        g_bUpdating = 0;
        ReportUpdateFailed();
        if (m_Link.GetFirmwareUpdate())
            m_Link.GetFirmwareUpdate()->EndUpdate();
    }
    g_bUpdating = 0;
    // A batch that the loss cut short never ends: its popup goes now, giving the view back.
    if (g_pDisplayDlg)
        g_pDisplayDlg->HideProgress();
    ShowConnectFailure();
    CloseByLinkType();
    m_SendQueue.RemoveAllSendData();
    return 0;
}

LRESULT CKRV330View::OnNeedFirmware(WPARAM, LPARAM)
{
    if (m_bLinked) {
        StopComm(TRUE);
        CloseByLinkType();
    }
    ShowMessage(g_strNeedFirmwareCn, g_strNeedFirmwareEn, TIMED_WARNING);
    return 0;
}

LRESULT CKRV330View::OnBatchDone(WPARAM, LPARAM)
{
    g_bTransferBusy = 0;
    return 0;
}

void CKRV330View::ShowConnectFailure()
{
    switch (g_nLinkType.load()) {
    case 1:
        ShowMessage(g_strUsbFailCn, g_strUsbFailEn, TIMED_PROMPT);
        break;
    case 2:
        ShowMessage(g_strWifiFailCn, g_strWifiFailEn, TIMED_PROMPT);
        break;
    default:
        break;
    }
}

void CKRV330View::ShowUsbConnectFailure()
{
    if (!g_bUpdating)
        ShowMessage(g_strUsbFailCn, g_strUsbFailEn, TIMED_PROMPT);
}

// ---------------------------------------------------------------------------------------------
// Device arrival and removal

void CKRV330View::PollDeviceChanges()
{
    if (!m_Link.GetHotplug())
        return;
    const HidHotplugChanges changes = m_Link.GetHotplug()->Poll();
    // Removals first: a device that went and another that came in one poll is a swap.
    for (const std::string& path : changes.removed) {
        const DeviceInterfaceNotice notice{DBT_DEVTYP_DEVICEINTERFACE, path};
        OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, &notice);
    }
    for (const HidDeviceInfo& info : changes.arrived) {
        const DeviceInterfaceNotice notice{DBT_DEVTYP_DEVICEINTERFACE, info.path};
        OnDeviceChange(DBT_DEVICEARRIVAL, &notice);
    }
}

BOOL CKRV330View::OnDeviceChange(UINT nEventType, const DeviceInterfaceNotice* pNotice)
{
    if (!pNotice || pNotice->dbcc_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return TRUE;
    if (nEventType == DBT_DEVICEARRIVAL) {
        if (g_nLinkType == 0 && !m_bLinked && !g_bUpdateWaiting)
            ConnectUsbPath(pNotice->dbcc_name);
        return TRUE;
    }
    if (nEventType != DBT_DEVICEREMOVECOMPLETE)
        return TRUE;
    if (!SamePathIgnoringCase(pNotice->dbcc_name, g_strUsbPath) || g_nLinkType != 1) {
        EnumHidDevices();
        return TRUE;
    }
    if (!g_bUsbOpen || !m_bLinked)
        return TRUE;
    switch (g_nFirmwareStep.load()) {
    case FW_STEP_APPLY:
        // The processor restarts into its loader; the firmware read loop opens it again.
        g_bUsbOpen = 0;
        break;
    case FW_STEP_LOADER:
        break;
    default:
        g_bUsbOpen = 0;
        DropLink();
        ShowUsbConnectFailure();
        UnregisterUsbPath();
        EnumHidDevices();
        g_bUpdating = 0;
        g_strUsbPath.clear();
        break;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Link state on the form

void CKRV330View::ShowLinkState(BOOL bLinked)
{
    const LinkLook& look = g_bChinese ? (bLinked ? kLinkedCn : kUnlinkedCn) : (bLinked ? kLinkedEn : kUnlinkedEn);
    if (m_btnConnect.GetSafeHwnd())
        m_btnConnect.SetBitmaps(look.bitmaps[0], look.bitmaps[1], look.bitmaps[2], 0, 0, 0);
    if (m_staticLink.GetSafeHwnd()) {
        if (bLinked)
            m_staticLink.StopBlink();
        else
            m_staticLink.StartBlink();
        m_staticLink.SetText(look.text->c_str());
    }
}
