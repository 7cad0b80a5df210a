// The main view's command table: every button of the form and every item of its popup menus
// arrives here as WM_COMMAND and goes to its handler; the scene menu, the factory reset, the
// mode and page buttons, minimise and exit, the source toggle and selectors, the output page's
// forwarding buttons, the Wi-Fi factory-default result, and dragging the caption-less window
// by the view's background.
#include "CKRV330View.h"

#include "CProgramDlg.h"

#include "AppMessages.h"
#include "CDisplayDlg.h"
#include "CHelpDlg.h"
#include "CINIT.h"
#include "CNet_Socket.h"
#include "CSaveData_Dlg.h"
#include "CVersionDlg.h"
#include "ControlGlobals.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "ShellTexts.h"
#include "ShowTimedMessage.h"
#include "Texts.h"
#include "CWinApp.h"

namespace {

constexpr int kMenuGap = 2;  // a popup opens this far below its button
constexpr int kDeviceItemPositions[] = {0, 1, 2, 7, 8};  // scene menu items that need the device
constexpr BYTE kAudioSourceOff = 255;
constexpr BYTE kAudioSourceLine = 1;
const char* const kFactoryAddress = "10.10.100.254";
constexpr int kFactoryPort = 8899;

// Selector entries to the values they stand for.
int InputTypeOfEntry(int nEntry)
{
    static const int kinds[] = {1, 2, 0};
    return nEntry >= 0 && nEntry < 3 ? kinds[nEntry] : -1;
}

int AudioSourceOfEntry(int nEntry)
{
    static const int values[] = {1, 2, 0, kAudioSourceOff};
    return nEntry >= 0 && nEntry < 4 ? values[nEntry] : -1;
}

bool IsClick(WPARAM wParam) { return HIWORD(wParam) == BN_CLICKED; }

}  // namespace

BOOL CKRV330View::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    // Menu items (code 0) and the ones the link owns.
    switch (id) {
    case ID_CONNECT_USB: OnConnectUsb(); return TRUE;
    case ID_CONNECT_NET: OnConnectNet(); return TRUE;
    case ID_FIRMWARE_UPDATE: OnFirmwareUpdate(); return TRUE;
    case ID_ADVANCED: OnAdvanced(); return TRUE;
    case ID_LOAD_DEVICE_SCENE: OnLoadDeviceScene(); return TRUE;
    case ID_SAVE_DEVICE_SCENE: OnSaveDeviceScene(); return TRUE;
    case ID_DELETE_DEVICE_SCENE: OnDeleteDeviceScene(); return TRUE;
    case ID_LOAD_SCENE_FILE: LoadSceneFile(); return TRUE;
    case ID_LOAD_ALL_SCENES_FILE: LoadAllScenesFile(); return TRUE;
    case ID_SAVE_SCENE_FILE: SaveSceneFile(); return TRUE;
    case ID_SAVE_ALL_SCENES_FILE: BeginSaveAllScenes(); return TRUE;
    case ID_LANGUAGE: OnLanguage(); return TRUE;
    case ID_HELP: OnHelp(); return TRUE;
    case ID_ABOUT: OnAbout(); return TRUE;
    case ID_FACTORY_RESET: OnFactoryReset(); return TRUE;
    default: break;
    }
    if (id >= ID_USB_DEVICE_FIRST && id <= ID_USB_DEVICE_LAST) {
        OnSelectUsbDevice(id);
        return TRUE;
    }
    if (!IsClick(wParam))
        return CWnd::OnCommand(wParam, lParam);
    // Buttons of the form.
    switch (id) {
    case IDC_CONNECT: OnConnect(); return TRUE;
    case IDC_SETTINGS_MENU: OnSettingsMenuButton(); return TRUE;
    case IDC_SCENE_MENU: OnSceneMenuButton(); return TRUE;
    case IDC_MINIMIZE: OnMinimizeButton(); return TRUE;
    case IDC_EXIT: OnExitButton(); return TRUE;
    case IDC_SOURCE_ON: OnSourceOffToggle(); return TRUE;
    case IDC_PAGE_OUTPUT: OnPageButton(1); return TRUE;
    case IDC_PAGE_INPUT: OnPageButton(0); return TRUE;
    case IDC_PAGE_THIRD: OnPageButton(2); return TRUE;
    case IDC_AUDIO_SOURCE: return TRUE;  // the selector reports its choice with WM_DROPLIST_SELCHANGE
    case IDC_MIXER: OnOpenMixer(); return TRUE;
    case IDC_SYSTEM: OnSystemButton(); return TRUE;
    case IDC_INPUT_DIALOG: OnOpenInputDialog(); return TRUE;
    case IDC_RESET_MAP: m_OutputPage.OnResetMap(); return TRUE;
    case IDC_LINK_LR: OnLinkLR(); return TRUE;
    // The output page's channel-wide equaliser commands.
    case IDC_EQ_MODE: m_OutputPage.ToggleEqMode(); return TRUE;
    case IDC_BYPASS_ALL: m_OutputPage.ToggleAllBypass(); return TRUE;
    case IDC_RESET_ALL_EQ: m_OutputPage.ResetAllEq(); return TRUE;
    default: break;
    }
    if (id >= IDC_MODE_FIRST && id < IDC_MODE_FIRST + 4) {
        OnModeButton(int(id - IDC_MODE_FIRST));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Scene menu

// The device's presets: the preset dialog in the mode of the item.
void CKRV330View::OnLoadDeviceScene() { OpenPresetDialog(this, ID_LOAD_DEVICE_SCENE); }
void CKRV330View::OnSaveDeviceScene() { OpenPresetDialog(this, ID_SAVE_DEVICE_SCENE); }
void CKRV330View::OnDeleteDeviceScene() { OpenPresetDialog(this, ID_DELETE_DEVICE_SCENE); }

void CKRV330View::OnSceneMenuButton()
{
    CMenu* popup = m_menuScene.GetSubMenu(0);
    if (!popup)
        return;
    CRect rc;
    m_btnSceneMenu.GetWindowRect(&rc);
    const UINT state = m_bLinked ? MF_ENABLED : MF_GRAYED;
    for (int pos : kDeviceItemPositions)
        popup->EnableMenuItem(UINT(pos), MF_BYPOSITION | state);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + kMenuGap, this);
}

// ---------------------------------------------------------------------------------------------
// Settings menu

void CKRV330View::OnFactoryReset()
{
    CINIT dlg;
    if (dlg.DoModal() != IDOK)
        return;
    SendCommand(SYS_FACTORY_RESET, 0);
    if (!m_bLinked)
        ShowMessage(g_strNoLinkCn, g_strNoLinkEn, TIMED_PROMPT);
}

void CKRV330View::OnLanguage() { SwitchLanguage(TRUE); }

void CKRV330View::OnHelp()
{
    CHelpDlg dlg;
    dlg.DoModal();
}

void CKRV330View::OnAbout()
{
    CVersionDlg dlg;
    dlg.DoModal();
}

// ---------------------------------------------------------------------------------------------
// Mode and page buttons (hidden for the whole run; bound all the same)

void CKRV330View::OnModeButton(int n)
{
    if (n == g_byModeIndex)
        return;
    SelectModeButton(n, TRUE);
    SendCommand(SYS_MODE_BLOCK, 0);
}

void CKRV330View::OnPageButton(int nPage)
{
    if (nPage != g_nCurPage)
        ShowPage(nPage, TRUE);
}

LRESULT CKRV330View::OnShowThirdPage(WPARAM, LPARAM)
{
    ShowPage(2, TRUE);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Minimise, exit

CWnd* CKRV330View::GetMainWindow() const
{
    if (CWnd* main = AfxGetMainWnd())
        return main;
    return GetTopLevelParent();
}

void CKRV330View::OnMinimizeButton()
{
    if (CWnd* main = GetMainWindow())
        main->PostMessage(WM_SYSCOMMAND, SC_MINIMIZE);
}

void CKRV330View::OnExitButton()
{
    int answer;
    {
        CSaveData_Dlg dlg;
        dlg.DoModal();
        answer = dlg.m_nResult;
    }
    if (answer != IDYES && answer != IDNO)
        return;
    if (answer == IDYES)
        SaveSceneFile();  // the exit goes on whatever became of the file
    // The worker may still be moving the transfer popup's bar: it ends before the popup goes.
    StopHotplugPolling();
    ShutDownLink();
    DestroyTransferPopup();
    if (CWnd* main = GetMainWindow())
        main->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

// ---------------------------------------------------------------------------------------------
// Sources

void CKRV330View::OnSourceOffToggle()
{
    m_bSourceOn = m_bSourceOn ? 0 : 1;
    m_btnSourceOn.SetCheck(m_bSourceOn);
    {
        CSingleLock lock(g_csComm);
        g_bySysGroup8[4] = m_bSourceOn ? kAudioSourceLine : kAudioSourceOff;
    }
    SendCommand(SYS_GROUP8, 0);
}

void CKRV330View::StartTimer9999(UINT nPeriod)
{
    if (GetSafeHwnd())
        SetTimer(VIEW_TIMER_9999, nPeriod);
}

LRESULT CKRV330View::OnDropListSelChange(WPARAM wParam, LPARAM lParam)
{
    const int entry = int(lParam);
    if (wParam == NOTIFY_INPUT_TYPE) {
        const int kind = InputTypeOfEntry(entry);
        if (kind < 0)
            return 0;
        StartTimer9999(INPUT_TYPE_TIMER_MS);
        SetInputSource(kind, TRUE);
    } else if (wParam == NOTIFY_AUDIO_SOURCE) {
        const int value = AudioSourceOfEntry(entry);
        if (value < 0)
            return 0;
        {
            CSingleLock lock(g_csComm);
            g_bySysGroup8[4] = BYTE(value);
        }
        SendCommand(SYS_GROUP8, 0);
        ShowAudioSource();
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Wi-Fi factory default (sub-command 65) result

LRESULT CKRV330View::OnWifiResetResult(WPARAM, LPARAM lParam)
{
    const BOOL ok = lParam == 1;
    if (g_nLinkType == 1) {
        // A failure must not let the popup announce success once the busy flag clears.
        if (!ok && g_pDisplayDlg && g_pDisplayDlg->m_bFactory)
            g_pDisplayDlg->HideProgress();
        g_bTransferBusy = 0;
        if (ok) {
            ShowMessage(g_strWifiResetOkCn, g_strWifiResetOkEn, TIMED_PROMPT);
            if (g_pAdvSetingDlg) {
                {
                    CSingleLock lock(g_csComm);
                    g_strDeviceIp = kFactoryAddress;
                    g_nDevicePort = kFactoryPort;
                }
                g_pAdvSetingDlg->ShowNetAddress();
            }
        } else {
            ShowMessage(g_strWifiResetFailCn, g_strWifiResetFailEn, TIMED_PROMPT);
        }
    } else if (g_nLinkType == 2) {
        // The module restarts with its factory address: the link is gone either way.
        {
            CSingleLock lock(g_csComm);
            g_strDeviceIp = kFactoryAddress;
            g_nDevicePort = kFactoryPort;
        }
        if (g_pDisplayDlg && g_pDisplayDlg->m_bFactory)
            g_pDisplayDlg->HideProgress();
        if (m_bLinked)
            DisconnectLink();
        if (CNet_Socket* socket = m_Link.GetNetSocket())
            socket->m_bReachable = 0;
        if (g_pAdvSetingDlg)
            g_pAdvSetingDlg->ShowNetAddress();
        ShowMessage(g_strWifiFailCn, g_strWifiFailEn, TIMED_PROMPT);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Window drag: the main window has no caption, so the view's background moves it.

void CKRV330View::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_rcDrag.PtInRect(point)) {
        SetCapture();
        m_ptGrab = point;
        m_bDragging = 1;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CKRV330View::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        CWnd* main = GetMainWindow();
        if (main) {
            // The view may sit inside the main window: its offset there is kept.
            CRect rcMain;
            main->GetWindowRect(&rcMain);
            CPoint origin(0, 0);
            ClientToScreen(&origin);
            CPoint screen = point;
            ClientToScreen(&screen);
            const int x = screen.x - m_ptGrab.x - (origin.x - rcMain.left);
            const int y = screen.y - m_ptGrab.y - (origin.y - rcMain.top);
            main->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CKRV330View::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bDragging = 0;
    ReleaseCapture();
    CWnd::OnLButtonUp(nFlags, point);
}
