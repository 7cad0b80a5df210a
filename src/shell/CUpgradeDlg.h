// The firmware update dialog (template 270): the update file, the choice of the device (USB or
// the network, offered in the device popup of menu 114 when there is a choice), the start of
// the update, its status line and progress bar, and quitting or abandoning.
//
// Starting: the file in the path field is loaded (the main view refuses a bad file with its
// message), the current link is closed and the chosen device is reopened in firmware mode.
// When it cannot be opened the update waits for it: the reconnect polling (CUpData_Thread)
// asks the view every 500 ms, up to 21 times, and WM_UPDATE_THREAD_DONE tells the result.
//
// The link reaches the bar and the status line from the comm worker through g_pUpdateProgress
// and g_pCurHexUpTip; the dialog points them at its adapters while its window exists and
// clears them (under g_csComm) before its controls go.
//
// Enter and Escape do nothing; the close box acts as the Quit button. Quitting while an update
// runs asks first (the device may be left unusable); quitting while it waits for its device
// stops the polling without a question.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CButtonRadio.h"
#include "CComboBox.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CGradientProgressCtrl.h"
#include "CMenu.h"
#include "CStatic.h"
#include "CSxGroupBox.h"
#include "CTransparentStatic.h"
#include "CUpData_Thread.h"
#include "LinkProgress.h"

#include <functional>
#include <memory>
#include <mutex>

class CKRV330View;

constexpr UINT IDD_UPGRADE = 270;
constexpr UINT IDC_UPGRADE_FILE_LABEL = 1878;
constexpr UINT IDC_UPGRADE_RADIO_USB = 1798;
constexpr UINT IDC_UPGRADE_RADIO_WIFI = 1880;
constexpr UINT IDC_UPGRADE_UPDATE = 1881;
constexpr UINT IDC_UPGRADE_PATH = 1882;
constexpr UINT IDC_UPGRADE_BROWSE = 1883;
constexpr UINT IDC_UPGRADE_TIP = 1886;
constexpr UINT IDC_UPGRADE_LINK_LABEL = 1887;
constexpr UINT IDC_UPGRADE_RADIO_COM = 1888;
constexpr UINT IDC_UPGRADE_FILE_GROUP = 1889;
constexpr UINT IDC_UPGRADE_LINK_GROUP = 1890;
constexpr UINT IDC_UPGRADE_QUIT = 1891;
constexpr UINT IDC_UPGRADE_COM_LIST = 1898;
constexpr UINT IDC_UPGRADE_PROGRESS = 1414;

constexpr int UPGRADE_DLG_WIDTH = 397;   // pixels
constexpr int UPGRADE_DLG_HEIGHT = 160;

// The status line as the link writes it from any thread: the text is kept here and handed to
// the label with a posted message, so the label is only touched on the user-interface thread
// and texts keep their order.
class CUpgradeTipLink : public ILinkStatusText {
public:
    // Posts nMsg to hWnd for every new text.
    CUpgradeTipLink(HWND hWnd, UINT nMsg) : m_hWnd(hWnd), m_nMsg(nMsg) {}
    void SetText(const CString& text) override;  // any thread
    CString GetText() const;                     // any thread

private:
    const HWND m_hWnd;
    const UINT m_nMsg;
    mutable std::mutex m_mutex;  // guards m_strText
    CString m_strText;
};

class CUpgradeDlg : public CDialog {
public:
    // pView: the main view that runs the link (null: g_pMainView when the dialog opens).
    explicit CUpgradeDlg(CWnd* pParent = nullptr, CKRV330View* pView = nullptr);
    ~CUpgradeDlg() override;

    // Update button 1881: closes the link, offers the devices, starts the chosen one.
    void OnUpdate();
    // Start over USB with that device path / over the network. The file is taken from the
    // path field.
    void StartUsbUpdate(const CString& path);
    void StartNetUpdate();
    // Browse button 1883: the file dialog for a ".bin" file; TRUE when one was chosen.
    BOOL ChooseUpdateFile();
    // Quit button 1891 (the close box posts it): abandon after a question while an update
    // runs, otherwise stop the polling and close.
    void OnQuit();
    // Fills the COM list from the machine's serial ports ("NULL" when there are none).
    void FillComPorts();

    // State for the view and tests.
    CGradientProgressCtrl& GetProgress() { return m_progress; }
    CString GetStatusText() const { return m_staticTip.GetWindowText(); }
    CString GetPathText() const { return m_editPath.GetWindowText(); }
    CUpData_Thread* GetPollThread() const { return m_pThread.get(); }
    CComboBox& GetComList() { return m_comboCom; }
    CMenu& GetDeviceMenu() { return m_menuDevice; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    // WM_UPDATE_THREAD_DONE: the reconnect polling ended (lParam nonzero: reconnected).
    LRESULT OnUpdateResult(WPARAM wParam, LPARAM lParam);

private:
    void CreateControls();
    void ApplyLanguage();
    // The bar from 0 to g_nUpdateProgressTotal, at 0.
    void ResetProgress();
    // Popup of USB1..USBn (and, with bNet, the network entry) / the popup of menu 114.
    void TrackUsbPopup(int nDevices, BOOL bNet);
    void TrackPopupBelowUpdate(CMenu* pPopup);
    void StopPolling();
    // The start both links share: file, link closed, bar ready, link type, then open(); a
    // device that does not open starts the reconnect polling.
    void StartUpdate(int nLinkType, const std::function<BOOL(CKRV330View*)>& open);
    CKRV330View* View() const;

    CKRV330View* m_pView;
    CEdit m_editPath;
    CButton m_btnBrowse;
    CButton m_btnUpdate;
    CButton m_btnQuit;
    CTransparentStatic m_staticTip;
    CGradientProgressCtrl m_progress;
    CSxGroupBox m_groupFile;
    CSxGroupBox m_groupLink;
    CStatic m_labelFile;
    CStatic m_labelLink;
    CButtonRadio m_radioUsb;
    CButtonRadio m_radioWifi;
    CButtonRadio m_radioCom;
    CComboBox m_comboCom;
    CMenu m_menuDevice;  // resource 114: "USB" 732, the network 733
    std::unique_ptr<CGradientProgressLink> m_pProgressLink;
    std::unique_ptr<CUpgradeTipLink> m_pTipLink;
    std::unique_ptr<CUpData_Thread> m_pThread;
};
