#include "CKRV330View.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CButton.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "MenuTemplate.h"
#include "ShellGlobals.h"

namespace {

// The device popup: the first entry opens the first free USB processor, the second the network
// link (its text becomes "WIFI" or the device address when shown).
void RegisterConnectMenu()
{
    RegisterMenuTemplate(IDR_MENU_CONNECT, {MenuPopup("", {MenuItem("USB", ID_CONNECT_USB),
                                                           MenuItem("Network", ID_CONNECT_NET)})});
}

// Where the link's controls sit on the form until the whole form lays them out.
const CRect kConnectRect(830, 8, 910, 38);
const CRect kLinkStateRect(700, 12, 820, 34);

}  // namespace

CKRV330View::CKRV330View() : m_CommWorker(*this) {}

CKRV330View::~CKRV330View()
{
    if (GetSafeHwnd())
        DestroyWindow();
    ShutDownLink();
    if (g_pMainView == this)
        g_pMainView = nullptr;
}

BOOL CKRV330View::CreateView(CWnd* pParentWnd, const RECT& rect)
{
    const DWORD style = pParentWnd ? (WS_CHILD | WS_VISIBLE) : WS_POPUP;
    return CreateEx(0, nullptr, "", style, rect, pParentWnd, 0);
}

void CKRV330View::MakeTransports()
{
    auto scanner = [this]() -> std::unique_ptr<CSendData> {
        return m_pScene ? m_pScene->GetNextSendData() : nullptr;
    };
    m_pNetSocket = std::make_unique<CNet_Socket>(m_pReach);
    m_pNetSocket->SetCommand(&m_SendQueue);
    m_pNetSocket->SetNextSendData(scanner);
    m_pNetSocket->SetLinkedQuery([this] { return BOOL(m_bLinked.load()); });
    m_pNetSocket->SetTransferBusyClear([] { g_bTransferBusy = 0; });
    m_pNetSocket->SetNotifyWnd(m_hWnd);
    m_pUsbLink = std::make_unique<CUsbLink>(m_SendQueue);
    m_pUsbLink->SetNotifyWnd(m_hWnd);
    m_pUsbLink->SetNextSendData(scanner);
    m_pHotplug = std::make_unique<CHidHotplugWatcher>();
    m_pFirmware = std::make_unique<CFirmwareUpdate>(m_SendQueue, *m_pUsbLink, *m_pNetSocket);
    m_pFirmware->SetNotifyWnd(m_hWnd);
    m_pFirmware->SetStartComm([this] { StartComm(TRUE); });
    m_pSerialLink = std::make_unique<CSerialLink>(m_SendQueue, m_SerialPort);
    m_pSerialLink->SetNextSendData(scanner);
}

void CKRV330View::CreateLinkControls()
{
    if (!m_btnConnect.GetSafeHwnd())
        m_btnConnect.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kConnectRect, this, IDC_CONNECT);
    if (!m_staticLink.GetSafeHwnd())
        m_staticLink.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kLinkStateRect, this, IDC_LINK_STATE);
    m_staticLink.StartBlink();
}

void CKRV330View::OnInitialUpdate()
{
    g_pMainView = this;
    m_SendQueue.SetNotifyWnd(m_hWnd);
    g_pCommand = &m_SendQueue;
    // The change scanner posts to the view from the worker: known before the worker starts.
    g_hMainViewWnd = m_hWnd;
    m_bLinked = 0;
    MakeTransports();
    CreateLinkControls();
    RegisterConnectMenu();
    m_menuConnect.DestroyMenu();
    m_menuConnect.LoadMenu(IDR_MENU_CONNECT);
    ShowLinkState(FALSE);
    EnsureUsbRegKey();
    // The first poll takes stock: devices present now are the first connect's business.
    m_pHotplug->Poll();
    StartHotplugPolling();
    PostMessage(WM_FIRST_CONNECT);
}

void CKRV330View::ShutDownLink()
{
    if (m_bExitDone || !m_pUsbLink)
        return;
    m_bExitDone = 1;
    StopComm(FALSE);
    if (m_pSerialLink)
        m_pSerialLink->StopWorker();
    UnregisterUsbPath();
    m_pNetSocket->StopPingThread(FALSE);
}

void CKRV330View::StartHotplugPolling()
{
    if (GetSafeHwnd())
        SetTimer(VIEW_TIMER_HOTPLUG, HOTPLUG_POLL_MS);
}

void CKRV330View::StopHotplugPolling()
{
    if (GetSafeHwnd())
        KillTimer(VIEW_TIMER_HOTPLUG);
}

void CKRV330View::OnDestroy()
{
    StopHotplugPolling();
    ShutDownLink();
    if (g_hMainViewWnd == m_hWnd)
        g_hMainViewWnd = nullptr;
    if (g_pCommand == &m_SendQueue)
        g_pCommand = nullptr;
    CWnd::OnDestroy();
}

void CKRV330View::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == VIEW_TIMER_HOTPLUG) {
        PollDeviceChanges();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

BOOL CKRV330View::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == IDC_CONNECT && HIWORD(wParam) == BN_CLICKED) {
        OnConnect();
        return TRUE;
    }
    if (id == ID_CONNECT_USB) {
        OnConnectUsb();
        return TRUE;
    }
    if (id == ID_CONNECT_NET) {
        OnConnectNet();
        return TRUE;
    }
    if (id >= ID_USB_DEVICE_FIRST && id <= ID_USB_DEVICE_LAST) {
        OnSelectUsbDevice(id);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CKRV330View::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_FIRST_CONNECT:
        return OnFirstConnect(wParam, lParam);
    case WM_LINK_LOST:
        return OnLinkLost(wParam, lParam);
    case WM_DEVICE_ERROR:
        return OnNeedFirmware(wParam, lParam);
    case WM_NET_REACHABLE:
        return OnNetReachable(wParam, lParam);
    case WM_STOP_PING:
        return OnStopPing(wParam, lParam);
    case WM_TRANSFER_DONE:
        return OnBatchDone(wParam, lParam);
    case WM_VERSION_RECEIVED:
        return OnVersionReceived(wParam, lParam);
    case WM_SCENE_RECEIVED:
        return OnSceneReceived(wParam, lParam);
    case WM_INPUT_TYPE_RECEIVED:
        return OnInputTypeReceived(wParam, lParam);
    case WM_SPEAKER_MAP_CHANGED:
        return OnSpeakerMapChanged(wParam, lParam);
    case WM_WIFI_OP_RESULT:
        return OnWifiResetResult(wParam, lParam);
    case WM_UPDATE_STEP_DONE:
        return OnUpdateDone(wParam, lParam);
    case WM_UPDATE_FAILED:
        return OnFirmwareFailed(wParam, lParam);
    case WM_DEVICECHANGE:
        return OnDeviceChange(UINT(wParam), reinterpret_cast<const DeviceInterfaceNotice*>(lParam));
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
