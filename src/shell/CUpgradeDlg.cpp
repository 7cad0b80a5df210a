#include "CUpgradeDlg.h"

#include "AppMessages.h"
#include "CConnectDlg.h"
#include "CFileDialog.h"
#include "CKRV330View.h"
#include "DevicePopup.h"
#include "FirmwareState.h"
#include "FirmwareTexts.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "MenuTemplate.h"
#include "SettingsStore.h"
#include "ShellGlobals.h"
#include "ShellTexts.h"
#include "ShowTimedMessage.h"
#include "Texts.h"

#include <algorithm>
#include <string>

namespace {

// A new text for the status line has been stored in the tip link.
constexpr UINT WM_UPGRADE_TIP = WM_USER + 270;  // 0x50E

const char* const kDspMcuKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu";
const char* const kPathValue = "Path";

const CString kAbandonQuestionCn = "更新未完成，强行退出会损坏设备，是否退出?";
const CString kAbandonQuestionEn =
    "Update is not completed, will be forced to exit the damaged equipment, whether to exit?";

struct DlgText {
    const char* cn;
    const char* en;
};
const DlgText kTitle{"设备固件更新", "Device Firmware Update"};

void RegisterUpgradeTemplates()
{
    RegisterDialogTemplate(IDD_UPGRADE, DialogTemplate{"软件升级", UPGRADE_DLG_WIDTH, UPGRADE_DLG_HEIGHT, 0});
    CMenu probe;
    if (!probe.LoadMenu(IDR_MENU_CONNECT))
        RegisterMenuTemplate(IDR_MENU_CONNECT, {MenuPopup("", {MenuItem("USB", ID_CONNECT_USB),
                                                               MenuItem("Network", ID_CONNECT_NET)})});
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Status line adapter

void CUpgradeTipLink::SetText(const CString& text)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_strText = text;
    }
    ::PostMessage(m_hWnd, m_nMsg, 0, 0);
}

CString CUpgradeTipLink::GetText() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strText;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

CUpgradeDlg::CUpgradeDlg(CWnd* pParent, CKRV330View* pView) : CDialog(IDD_UPGRADE, pParent), m_pView(pView)
{
    RegisterUpgradeTemplates();
}

CUpgradeDlg::~CUpgradeDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

CKRV330View* CUpgradeDlg::View() const { return m_pView ? m_pView : g_pMainView; }

void CUpgradeDlg::CreateControls()
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    CFont* font = g_bChinese ? &g_fontListSimSun16 : &g_fontListArial16;
    m_groupFile.Create("", child | BS_GROUPBOX, CRect(6, 4, 391, 60), this, IDC_UPGRADE_FILE_GROUP);
    m_editPath.Create(child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, CRect(16, 26, 282, 48), this, IDC_UPGRADE_PATH);
    m_btnBrowse.Create("", child | WS_TABSTOP | BS_PUSHBUTTON, CRect(290, 24, 384, 50), this, IDC_UPGRADE_BROWSE);
    m_staticTip.Create("", child | SS_LEFT | SS_NOPREFIX, CRect(10, 66, 390, 84), this, IDC_UPGRADE_TIP);
    m_progress.Create(child, CRect(10, 88, 390, 108), this, IDC_UPGRADE_PROGRESS);
    m_btnUpdate.Create("", child | WS_TABSTOP | BS_PUSHBUTTON, CRect(206, 120, 292, 148), this, IDC_UPGRADE_UPDATE);
    m_btnQuit.Create("", child | WS_TABSTOP | BS_PUSHBUTTON, CRect(302, 120, 388, 148), this, IDC_UPGRADE_QUIT);
    // The link choice is kept but not shown: the update button's popup chooses the device.
    const DWORD hidden = WS_CHILD;
    m_groupLink.Create("", hidden | BS_GROUPBOX, CRect(6, 112, 196, 156), this, IDC_UPGRADE_LINK_GROUP);
    m_labelFile.Create("", hidden | SS_LEFT, CRect(10, 120, 70, 136), this, IDC_UPGRADE_FILE_LABEL);
    m_labelLink.Create("", hidden | SS_LEFT, CRect(10, 138, 70, 154), this, IDC_UPGRADE_LINK_LABEL);
    m_radioUsb.Create("USB", hidden | WS_GROUP | BS_AUTORADIOBUTTON, CRect(74, 120, 114, 136), this,
                      IDC_UPGRADE_RADIO_USB);
    m_radioWifi.Create("WIFI", hidden | BS_AUTORADIOBUTTON, CRect(116, 120, 156, 136), this, IDC_UPGRADE_RADIO_WIFI);
    m_radioCom.Create("COM", hidden | BS_AUTORADIOBUTTON, CRect(158, 120, 196, 136), this, IDC_UPGRADE_RADIO_COM);
    m_comboCom.Create(hidden | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(74, 138, 196, 240), this, IDC_UPGRADE_COM_LIST);
    // Hidden for good: without this a child made before the dialog shows would show with it.
    for (CWnd* w : std::initializer_list<CWnd*>{&m_groupLink, &m_labelFile, &m_labelLink, &m_radioUsb, &m_radioWifi,
                                                &m_radioCom, &m_comboCom})
        w->ShowWindow(SW_HIDE);
    for (CWnd* w : std::initializer_list<CWnd*>{&m_editPath, &m_btnBrowse, &m_staticTip, &m_btnUpdate, &m_btnQuit,
                                                &m_labelFile, &m_labelLink, &m_radioUsb, &m_radioWifi, &m_radioCom,
                                                &m_comboCom})
        w->SetFont(font);
}

void CUpgradeDlg::ApplyLanguage()
{
    const bool cn = g_bChinese != 0;
    SetWindowText(cn ? kTitle.cn : kTitle.en);
    m_btnUpdate.SetWindowText(cn ? "更新" : "Update");
    m_btnQuit.SetWindowText(cn ? "退出" : "Quit");
    m_btnBrowse.SetWindowText(cn ? "浏览文件" : "Browse file");
    m_groupFile.SetText(cn ? "Hex文件" : "Update File");
    m_groupLink.SetText(cn ? "通信接口" : "Communication interface");
    m_labelFile.SetWindowText(cn ? "Hex文件" : "Hex File");
    m_labelLink.SetWindowText(cn ? "通信接口" : "Communication interface");
}

BOOL CUpgradeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateControls();
    FillComPorts();
    ApplyLanguage();
    m_pThread = std::make_unique<CUpData_Thread>(m_hWnd);
    g_bUpdateWaiting = 0;
    m_editPath.SetWindowText(g_strFirmwarePath);

    m_progress.ShowPercent(TRUE);
    m_pProgressLink = std::make_unique<CGradientProgressLink>(&m_progress);
    m_pTipLink = std::make_unique<CUpgradeTipLink>(m_hWnd, WM_UPGRADE_TIP);
    m_staticTip.SetTextColor(RGB(255, 0, 0));
    m_staticTip.SetText("");
    {
        CSingleLock lock(g_csComm);
        g_pUpdateProgress = m_pProgressLink.get();
        g_pCurHexUpTip = m_pTipLink.get();
    }
    SetWindowPos(nullptr, 0, 0, UPGRADE_DLG_WIDTH, UPGRADE_DLG_HEIGHT, SWP_NOMOVE | SWP_NOZORDER);
    m_menuDevice.DestroyMenu();
    m_menuDevice.LoadMenu(IDR_MENU_CONNECT);
    return TRUE;
}

void CUpgradeDlg::OnDestroy()
{
    StopPolling();
    if (m_pThread)
        m_pThread->Quit();
    {
        // The worker must never reach the bar or the line once they are gone.
        CSingleLock lock(g_csComm);
        if (g_pUpdateProgress == m_pProgressLink.get())
            g_pUpdateProgress = nullptr;
        if (g_pCurHexUpTip == m_pTipLink.get())
            g_pCurHexUpTip = nullptr;
    }
    CDialog::OnDestroy();
}

HBRUSH CUpgradeDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG)
        return g_brushDlgBack;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CUpgradeDlg::FillComPorts()
{
    std::vector<ComPortInfo> ports;
    ListComPorts(ports);
    m_comboCom.ResetContent();
    for (const ComPortInfo& port : ports)
        if (!port.strFriendlyName.empty())
            m_comboCom.AddString(port.strFriendlyName.c_str());
    if (m_comboCom.GetCount() == 0)
        m_comboCom.AddString(COM_PORT_NONE);
    m_comboCom.SetCurSel(0);
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT CUpgradeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_UPDATE_THREAD_DONE:
        return OnUpdateResult(wParam, lParam);
    case WM_UPDATE_THREAD_TICK:
        CUpData_Thread::DispatchTimer(UINT_PTR(wParam));
        return 0;
    case WM_UPGRADE_TIP:
        if (m_pTipLink && m_staticTip.GetSafeHwnd())
            m_staticTip.SetText(m_pTipLink->GetText().c_str());
        return 0;
    case WM_CLOSE:
        // The close box is the Quit button.
        PostMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_UPGRADE_QUIT), BN_CLICKED), LPARAM(m_btnQuit.GetSafeHwnd()));
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CUpgradeDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CUpgradeDlg::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_UPGRADE_UPDATE:
        OnUpdate();
        return TRUE;
    case IDC_UPGRADE_BROWSE:
        ChooseUpdateFile();
        return TRUE;
    case IDC_UPGRADE_QUIT:
        OnQuit();
        return TRUE;
    case ID_CONNECT_USB:
        if (!g_arrUpgradeDevices.empty())
            StartUsbUpdate(g_arrUpgradeDevices[0]);
        return TRUE;
    case ID_CONNECT_NET:
        StartNetUpdate();
        return TRUE;
    default:
        break;
    }
    if (id >= ID_USB_DEVICE_FIRST && id <= ID_USB_DEVICE_LAST) {
        const size_t i = id - ID_USB_DEVICE_FIRST;
        // The list may have been rebuilt since the popup was made.
        if (i < g_arrUpgradeDevices.size())
            StartUsbUpdate(g_arrUpgradeDevices[i]);
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Starting an update

void CUpgradeDlg::OnUpdate()
{
    {
        CSingleLock lock(g_csComm);
        g_bHandshake = 0;
    }
    CKRV330View* view = View();
    if (!view || g_bUpdating || g_bUpdateWaiting)
        return;
    view->CloseLink();
    // Every processor listed, whoever holds it: the open looks at the in-use list.
    g_arrUpgradeDevices.clear();
    view->EnumHidDevices();
    g_arrUpgradeDevices = g_arrUsbDevices;
    const int n = int(g_arrUpgradeDevices.size());
    const BOOL bReachable = view->GetNetSocket() && view->GetNetSocket()->m_bReachable.load() ? TRUE : FALSE;

    if (n == 1 && bReachable) {
        CMenu* pPopup = m_menuDevice.GetSubMenu(0);
        if (!pPopup)
            return;
        pPopup->DeleteMenu(ID_CONNECT_NET, MF_BYCOMMAND);
        pPopup->AppendMenu(MF_STRING, ID_CONNECT_NET, g_strDeviceIp.c_str());
        TrackPopupBelowUpdate(pPopup);
    } else if (n > 1) {
        TrackUsbPopup(n, bReachable);
    } else if (n == 1) {
        StartUsbUpdate(g_arrUpgradeDevices[0]);
    } else if (bReachable) {
        StartNetUpdate();
    } else {
        ShowTimedMessage(this, g_bChinese ? g_strNoLinkCn : g_strNoLinkEn, g_strProductName, MB_OK, g_bChinese,
                         TIMED_PROMPT);
    }
}

void CUpgradeDlg::TrackUsbPopup(int nDevices, BOOL bNet)
{
    CMenu popup;
    popup.CreatePopupMenu();
    BuildDevicePopup(popup, nDevices, bNet);
    TrackPopupBelowUpdate(&popup);
}

void CUpgradeDlg::TrackPopupBelowUpdate(CMenu* pPopup)
{
    TrackPopupBelow(pPopup, &m_btnUpdate, this);
}

void CUpgradeDlg::ResetProgress()
{
    if (m_pProgressLink)
        m_pProgressLink->SetRange(0, g_nUpdateProgressTotal);
}

void CUpgradeDlg::StartUsbUpdate(const CString& path)
{
    StartUpdate(1, [&](CKRV330View* view) { return view->OpenUsbForUpdate(path); });
}

void CUpgradeDlg::StartNetUpdate()
{
    StartUpdate(2, [](CKRV330View* view) { return view->OpenNetForUpdate(); });
}

void CUpgradeDlg::StartUpdate(int nLinkType, const std::function<BOOL(CKRV330View*)>& open)
{
    CKRV330View* view = View();
    if (!view)
        return;
    g_bAbortingUpdate = 0;
    g_bUpdateWaiting = 0;
    g_strFirmwarePath = m_editPath.GetWindowText();
    if (!view->LoadUpdateFile())
        return;
    view->CloseLink();
    // The bar is ready before the worker can answer its first step.
    ResetProgress();
    g_nLinkType = nLinkType;
    if (open(view))
        return;
    m_pThread->Start(UPDATE_POLL_MS);
    g_bUpdateWaiting = 1;
}

LRESULT CUpgradeDlg::OnUpdateResult(WPARAM, LPARAM lParam)
{
    if (lParam) {
        // The bar got its range when the update started; the worker may have moved it since.
        if (m_pProgressLink && m_pProgressLink->GetUpper() != g_nUpdateProgressTotal)
            ResetProgress();
        StopPolling();
    } else if (m_pTipLink) {
        m_pTipLink->SetText(FirmwareText(g_strUpdateFailedCn, g_strUpdateFailedEn));
    }
    g_bUpdateWaiting = 0;
    return 0;
}

BOOL CUpgradeDlg::ChooseUpdateFile()
{
    CFileDialog dlg(TRUE, "bin", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                    ".bin|*.bin||", this);
    dlg.SetInitialDir(SettingsStore::GetString(kDspMcuKey, kPathValue));
    if (dlg.DoModal() != IDOK)
        return FALSE;
    g_strFirmwarePath = dlg.GetPathName();
    if (dlg.GetFileExt() != "bin")
        return FALSE;
    SettingsStore::SetString(kDspMcuKey, kPathValue, dlg.GetFolderPath());
    m_editPath.SetWindowText(g_strFirmwarePath);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Quitting

void CUpgradeDlg::StopPolling()
{
    if (m_pThread && m_pThread->IsEnabled())
        m_pThread->Stop();
}

void CUpgradeDlg::OnQuit()
{
    CKRV330View* view = View();
    if (g_bUpdating) {
        const int answer = ShowTimedMessage(this, g_bChinese ? kAbandonQuestionCn : kAbandonQuestionEn,
                                            g_strProductName, MB_YESNO, g_bChinese,
                                            g_bChinese ? CAPTION_WARNING_CN : CAPTION_WARNING_EN);
        if (answer != IDYES)
            return;
        g_bAbortingUpdate = 1;
        if (view)
            view->AbortFirmwareUpdate();
        g_bAbortingUpdate = 0;
    }
    StopPolling();
    if (m_pThread)
        m_pThread->Quit();
    if (g_bUpdateWaiting) {
        // The update waited for a device that never came: nothing is open, nothing is left.
        g_bUpdateWaiting = 0;
        if (view && !view->IsLinked()) {
            g_nLinkType = 0;
            if (view->GetFirmwareUpdate())
                view->GetFirmwareUpdate()->EndUpdate();
        }
    }
    EndDialog(IDCANCEL);
}
