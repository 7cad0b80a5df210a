#include "CKRV330View.h"

#include "AppMessages.h"
#include "CDisplayDlg.h"
#include "CKTV_Data.h"
#include "CButton.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "MenuTemplate.h"
#include "ShellGlobals.h"

#include <QDir>

#include <algorithm>

namespace {

// The device popup: the first entry opens the first free USB processor, the second the network
// link (its text becomes "WIFI" or the device address when shown).
void RegisterConnectMenu()
{
    RegisterMenuTemplate(IDR_MENU_CONNECT, {MenuPopup("", {MenuItem("USB", ID_CONNECT_USB),
                                                           MenuItem("Network", ID_CONNECT_NET)})});
}

}  // namespace

CKRV330View::CKRV330View() : m_Link(m_SendQueue)
{
    for (auto& column : m_nMixMemory)
        for (int& level : column)
            level = 100;
}

CKRV330View::~CKRV330View()
{
    if (GetSafeHwnd())
        DestroyWindow();
    ShutDownLink();
    if (g_pMainView == this)
        g_pMainView = nullptr;
    if (g_pPageHost == this)
        g_pPageHost = nullptr;
}

BOOL CKRV330View::CreateView(CWnd* pParentWnd, const RECT& rect)
{
    const DWORD style = pParentWnd ? (WS_CHILD | WS_VISIBLE) : WS_POPUP;
    return CreateEx(0, nullptr, "", style, rect, pParentWnd, 0);
}

void CKRV330View::MakeTransports()
{
    m_Link.SetSceneData(m_pScene);
    m_Link.Create(m_hWnd, m_pReach, &m_bLinked, {[this] { StartComm(TRUE); }, [] { g_bTransferBusy = 0; }});
}

void CKRV330View::OnInitialUpdate()
{
    // The frame that holds the form fits it, shrinking only.
    if (CWnd* frame = GetParent(); frame && (frame->GetStyle() & WS_CHILD)) {
        CRect rcFrame;
        frame->GetWindowRect(&rcFrame);
        const int cx = std::min(rcFrame.Width(), VIEW_FORM_WIDTH);
        const int cy = std::min(rcFrame.Height(), VIEW_FORM_HEIGHT);
        if (cx != rcFrame.Width() || cy != rcFrame.Height())
            frame->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    g_pMainView = this;
    g_pPageHost = this;
    m_SendQueue.SetNotifyWnd(m_hWnd);
    // The change scanner posts to the view from the worker: known before the worker starts.
    g_hMainViewWnd = m_hWnd;
    m_bmpBackCn.DeleteObject();
    m_bmpBackCn.LoadBitmap(IDB_VIEW_BACK_CN);
    m_bmpBackEn.DeleteObject();
    m_bmpBackEn.LoadBitmap(IDB_VIEW_BACK_EN);
    g_szWorkDir = QDir::currentPath().toStdString();
    for (int i = 0; i < LINK_CHANNELS; ++i) {
        g_nLinkGroup[i] = i;
        g_nOutputGroup[i] = i;
    }
    m_szPcFileFolder[PC_FOLDER_HEX - 1] = GetDocumentsFolder();
    m_bLinked = 0;
    LoadDspMcuSettings();
    if (g_strLanguage.empty()) {
        g_strLanguage = g_bChinese ? "Chinese" : "English";
        SaveDspMcuSettings();
    } else {
        g_bChinese = g_strLanguage == "Chinese" ? 1 : 0;
    }
    MakeTransports();
    InitControls();
    RegisterConnectMenu();
    m_menuConnect.DestroyMenu();
    m_menuConnect.LoadMenu(IDR_MENU_CONNECT);
    SwitchLanguage(FALSE);
    SelectModeButton(0, FALSE);
    ShowPage(g_nCurPage, FALSE);
    SetInputSource(g_byInputSource, FALSE);
    // The first poll takes stock: devices present now are the first connect's business.
    m_Link.GetHotplug()->Poll();
    StartHotplugPolling();
    RefreshTitleAndFolders();
    g_pCommand = &m_SendQueue;
    g_pViewWnd = this;
    m_MsgBox.CreateHidden(this);
    LoadDspMcuSettings();
    EnsureUsbRegKey();
    SavePcFileFolders(0);
    LoadLineSetting();
    GetClientRect(&m_rcDrag);
    m_bDragging = 0;
    PostMessage(WM_FIRST_CONNECT);
}

LRESULT CKRV330View::OnMixMatrixChanged(WPARAM wParam, LPARAM lParam)
{
    // The cell travels by value; it comes from another window, so it is checked before it
    // indexes the memory.
    const int nColumn = MixCellColumn(wParam);
    const int nRow = MixCellRow(wParam);
    if (nColumn >= 0 && nColumn < MIX_COLUMNS && nRow >= 1 && nRow <= MIX_ROWS)
        m_nMixMemory[nColumn][nRow - 1] = int(lParam);
    return lParam;
}

int CKRV330View::GetMixMemory(int nColumn, int nRow) const
{
    if (nColumn < 0 || nColumn >= MIX_COLUMNS || nRow < 1 || nRow > MIX_ROWS)
        return -1;
    return m_nMixMemory[nColumn][nRow - 1];
}

void CKRV330View::ShutDownLink()
{
    if (m_bExitDone || !m_Link.IsCreated())
        return;
    m_bExitDone = 1;
    m_Link.ShutDown();
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
    if (g_pPageHost == this)
        g_pPageHost = nullptr;
    if (g_pCommand == &m_SendQueue)
        g_pCommand = nullptr;
    if (g_pViewWnd == this)
        g_pViewWnd = nullptr;
    DestroyTransferPopup();
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
    case WM_SCENE_NAME_CHANGED:
        return OnSceneNameChanged(wParam, lParam);
    case WM_MIX_MATRIX_CHANGED:
        return OnMixMatrixChanged(wParam, lParam);
    case WM_WIFI_OP_RESULT:
        return OnWifiResetResult(wParam, lParam);
    case WM_UPDATE_STEP_DONE:
        return OnUpdateDone(wParam, lParam);
    case WM_UPDATE_FAILED:
        return OnFirmwareFailed(wParam, lParam);
    // ---- view commands ----
    case WM_DROPLIST_SELCHANGE:
        return OnDropListSelChange(wParam, lParam);
    case WM_SHOW_THIRD_PAGE:
        return OnShowThirdPage(wParam, lParam);
    case WM_ALL_SCENES_RECEIVED:
        return OnAllScenesReceived(wParam, lParam);
    // ---- end of view commands ----
    case WM_DEVICECHANGE:
        return OnDeviceChange(UINT(wParam), reinterpret_cast<const DeviceInterfaceNotice*>(lParam));
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
