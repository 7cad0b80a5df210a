// The curve-overlay strip at the right edge of the output page (template 982, a child dialog):
// one toggle per output channel choosing which channels' response curves the graph overlays
// (g_bShowCurve), and the big-curve button that enlarges the graph. Enter and Esc never close it.
//
// User-interface thread. The page sets m_pOutputDlg right after CreatePanel; the buttons reach
// the page through it.
#pragma once

#include "CBitButton.h"
#include "CDialog.h"
#include "GdiObjects.h"

class COutputDlg;

constexpr UINT IDD_CURVE_LINE = 982;
constexpr UINT IDC_CURVE_CHANNEL = 2847;  // + output channel 0..9
constexpr UINT IDC_BIG_CURVE = 2882;
constexpr UINT IDB_CURVE_LINE_BACK = 983;
constexpr UINT IDB_CURVE_CHANNEL = 984;   // + 3 x channel: unchecked normal, hover, pressed
constexpr UINT IDB_BIG_CURVE = 1060;      // 1061 checked
constexpr int CURVE_LINE_CHANNELS = 10;

class CChangnal_Line : public CDialog {
public:
    CChangnal_Line();

    // Makes the strip as a hidden child of pParent; FALSE when it exists already or the parent
    // has no window.
    BOOL CreatePanel(CWnd* pParent);

    COutputDlg* m_pOutputDlg = nullptr;  // the page; not owned
    CBitmap m_bmpBack;
    CBitButton m_btnBigCurve;
    CBitButton m_btnChannel[CURVE_LINE_CHANNELS];  // [i]: the curve of output channel i

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

private:
    void OnChannel(int i);
    void OnBigCurve();
    // The page's channel reload.
    void ReloadPage();
};
