// The transfer popup (dialog 104): a small modeless window that the main view shows while a
// counted batch of frames or the Wi-Fi module's factory reset runs. It blinks its text every
// 200 ms while g_bTransferBusy is set, disables the window the work was started from, and hides
// itself (re-enabling that window) on the first tick after the work is over. In factory mode its
// bar creeps towards the end by itself and the full bar stays about 2.4 s.
//
// The popup cannot be closed by the user: it has no close box, ignores WM_CLOSE, and Enter and
// Esc never reach its dialog keyboard handling.
//
// The view creates it once (CreatePopup), sets g_pDisplayDlg and points g_pProgress at its bar;
// the batch code moves the bar. User-interface thread.
#pragma once

#include "CAdv_Seting.h"

#include "CDialog.h"
#include "CFontStatic.h"
#include "CGradientProgressCtrl.h"
#include "GdiObjects.h"

#include <vector>

constexpr UINT IDD_DISPLAY = 104;
constexpr UINT IDC_DISPLAY_TEXT = 1433;
constexpr UINT IDC_DISPLAY_PROGRESS = 2777;
constexpr UINT_PTR DISPLAY_TIMER = 8;
constexpr UINT DISPLAY_TIMER_MS = 200;
constexpr int DISPLAY_FACTORY_RANGE = 110;  // bar range of factory mode, 0..110

constexpr COLORREF DISPLAY_TEXT_NAVY = RGB(0, 0, 128);  // blink phase 1 and at rest
constexpr COLORREF DISPLAY_TEXT_RED = RGB(255, 0, 0);   // blink phase 0
constexpr COLORREF DISPLAY_BACK = RGB(229, 229, 229);
constexpr COLORREF DISPLAY_TEXT_BACK = RGB(230, 230, 230);

class CDisplayDlg : public CDialog {
public:
    explicit CDisplayDlg(CWnd* pParent);
    ~CDisplayDlg() override;

    // Creates the window, hidden. FALSE when it could not be made.
    BOOL CreatePopup();
    // Shows the popup for a transfer and starts the blink timer. nMode 0 disables m_pParent (the
    // main view); any other mode disables the open preset dialog g_pProgramDlg, or in factory
    // mode g_pAdvSetingDlg (a null pointer disables nothing).
    void ShowProgress(int nMode);
    // Switches to the factory-reset form: bar range 0..110, position 0. Call before ShowProgress.
    void SetFactoryMode();
    // Stops the timer, re-enables every window ShowProgress disabled, leaves factory mode and
    // hides the popup.
    void HideProgress();

    CWnd* m_pParent;                   // the main view; not owned
    CGradientProgressCtrl m_progress;  // control 2777
    CFontStatic m_stText;              // control 1433
    CBrush m_brBack;
    CString m_strTextCn;
    CString m_strTextEn;
    int m_bBlink = 0;    // colour phase while the work runs: 1 navy, 0 red
    int m_nMode = 0;     // 0: the view is disabled; else the preset or advanced dialog
    int m_bFactory = 0;  // 1 while the popup serves the Wi-Fi factory reset
    int m_nPos = 0;      // factory-mode position counter, 0..121

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    void DisableOwnerOfWork(CWnd* pWnd);
    void EnableDisabledWindows();
    void FactoryTick();

    // The windows ShowProgress disabled, by handle, so a window that went meanwhile is skipped.
    std::vector<HWND> m_disabled;
};

// The one transfer popup, set by the main view when it creates it; null before and after.
extern CDisplayDlg* g_pDisplayDlg;
// The open preset dialog (null while none is open; set by that dialog). The advanced setting
// dialog's pointer, g_pAdvSetingDlg, is its own. User-interface thread.
extern CWnd* g_pProgramDlg;
