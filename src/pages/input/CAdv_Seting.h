// The advanced setting dialog (template 675, "高级" / "Advanced Setting"): device-wide settings
// in one window. The device's network address and port (applied to the link's settings), the
// Wi-Fi module's factory default, the input source with its menu, five bytes of the system
// block, the list of outputs CH1..CH8 with their speaker types and link marks, a limiter editor
// for the selected output (threshold in dBu and in peak-to-peak volts, attack, release) with its
// draggable transfer-curve graph, and the switch of the output page's EQ-curve lines.
//
// The dialog registers itself in g_pAdvSetingDlg while its window exists (and only then), so
// the main view can refresh it after a scene arrived, enable its Wi-Fi button with the link and
// show the address after a Wi-Fi factory default. Edits are live: system bytes are marked for
// the change scanner through the host, limiter values go into the output's setters.
//
// The opener sets m_pScene (and may set m_pView; null: g_pPageHost). User-interface thread.
#pragma once

#include "CBitButton.h"
#include "CCOM_EXT_LIMStatic.h"
#include "CComboBox.h"
#include "CDialog.h"
#include "CFontStatic.h"
#include "CIPAddressCtrl.h"
#include "CListCtrlCl.h"
#include "CMenu.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "GdiObjects.h"

class CKTV_Data;
class CKTV_OutData;
class CPageHost;

constexpr UINT IDD_ADV_SETING = 675;
constexpr UINT IDB_ADV_BACK_EN = 788;
constexpr UINT IDB_ADV_BACK_CN = 789;

constexpr UINT IDC_ADV_SOURCE = 2729;
constexpr UINT IDC_ADV_G8_5_EDIT = 2731;
constexpr UINT IDC_ADV_G8_5_SPIN = 2732;
constexpr UINT IDC_ADV_SYS0_EDIT = 2734;
constexpr UINT IDC_ADV_SYS0_SPIN = 2735;
constexpr UINT IDC_ADV_ADDRESS = 2739;
constexpr UINT IDC_ADV_PORT = 2741;
constexpr UINT IDC_ADV_APPLY = 2743;
constexpr UINT IDC_ADV_LIST = 2757;
constexpr UINT IDC_ADV_THRESH_EDIT = 2758;
constexpr UINT IDC_ADV_ATTACK_EDIT = 2759;
constexpr UINT IDC_ADV_RELEASE_EDIT = 2760;
constexpr UINT IDC_ADV_THRESH_SPIN = 2761;
constexpr UINT IDC_ADV_ATTACK_SPIN = 2762;
constexpr UINT IDC_ADV_RELEASE_SPIN = 2763;
constexpr UINT IDC_ADV_GRAPH = 2764;
constexpr UINT IDC_ADV_SYS1_EDIT = 2765;
constexpr UINT IDC_ADV_SYS1_SPIN = 2060;
constexpr UINT IDC_ADV_VPP_EDIT = 2778;
constexpr UINT IDC_ADV_VPP_SPIN = 2780;
constexpr UINT IDC_ADV_WIFI_DEFAULT = 2790;
constexpr UINT IDC_ADV_G8_6_EDIT = 2791;
constexpr UINT IDC_ADV_G8_7_EDIT = 2792;
constexpr UINT IDC_ADV_G8_6_SPIN = 2793;
constexpr UINT IDC_ADV_G8_7_SPIN = 2794;
constexpr UINT IDC_ADV_COMBO = 2796;
constexpr UINT IDC_ADV_EQ_LINES = 2797;
constexpr UINT IDC_ADV_DESCRIPTION = 2805;

constexpr int ADV_ROWS = 8;
constexpr int ADV_FOCUS_FIELDS = 10;

// The combo box beside the dialog that opens the source menu: a left press asks the parent
// for the menu (WM_COMMAND with id 2729) and never drops the box's own list.
class CAdv_ComBox : public CComboBox {
protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
};

class CAdv_Seting : public CDialog {
public:
    explicit CAdv_Seting(CWnd* pParent = nullptr);
    ~CAdv_Seting() override;

    CPageHost* m_pView = nullptr;   // the view's entry points (null: g_pPageHost)
    CKTV_Data* m_pScene = nullptr;  // the scene the limiter graph shows (not owned)

    // After a scene arrived: source, system fields, address and port, list marks and types.
    void RefreshFromDevice();
    // The Wi-Fi default button follows the link.
    void EnableLinkControl(BOOL bEnable);
    // The stored address and port, the apply button disabled (after a Wi-Fi factory default).
    void ShowNetAddress();
    // Makes row (0..7) the edited output; -1 selects row 0 without scrolling.
    void SelectRow(int nRow);
    // The speaker-type names of rows 0..7.
    void FillChannelMap();

    int GetCurRow() const { return m_nCurRow; }
    int GetPort() const { return m_nPort; }

    // Controls, public for the tests.
    CFontStatic m_stDescription;
    CBitButton m_btnEqLines;
    CAdv_ComBox m_cmbSource;
    CNumSpin m_spinG8_7, m_spinG8_6;
    CNumEdit m_editG8_7, m_editG8_6;
    CBitButton m_btnWifiDefault;
    CNumEdit m_editSys1;
    CNumSpin m_spinSys1;
    CCOM_EXT_LIMStatic m_graph;
    CNumSpin m_spinThreshold, m_spinRelease, m_spinAttack;
    CNumEdit m_editThreshold, m_editRelease, m_editAttack;
    CNumSpin m_spinVpp;
    CNumEdit m_editVpp;
    CListCtrlCl m_list;
    CBitButton m_btnApply;
    CNumEdit m_editPort;
    CIPAddressCtrl m_ipAddress;
    CBitButton m_btnClose;
    CNumSpin m_spinG8_5, m_spinSys0;
    CNumEdit m_editG8_5, m_editSys0;
    CBitButton m_btnSource;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;

private:
    CPageHost* Host() const;
    void CreateControls();
    void SetUpField(CNumEdit& edit, CNumSpin& spin, int nType, const char* pszUnit, double dScale, double dOffset,
                    int nMin, int nMax, int nLimit);
    void SetLanguageLook();
    void LoadFromSystem();
    void LoadRow();
    void ClearRowMarks(int nRow);
    void ShowSourceButton();
    void OnSourceButton();
    void SelectSource(int k);
    void OnApply();
    void OnPortChanged();
    void OnPortKillFocus();
    void OnAddressChanged();
    void OnThresholdEdit(BOOL bFromVpp);
    void UnhighlightThresholds();
    void OnKeyStep(UINT nID, UINT nKey);
    void FocusControl(UINT nID);
    static int FocusIndexOf(UINT nID);

    CKTV_OutData* m_pOut = nullptr;  // the output of the current row
    int m_nPort = 10;
    int m_nCurRow = 0;
    int m_nLastSys1 = 0;  // last value of field 2765
    CBitmap m_bmpBackEn;
    CBitmap m_bmpBackCn;
    CMenu m_menuSource;
    CString m_strLink;
    CString m_strEdit;
    CFont m_font;  // the template's font, Arial 8 pt
};

// The advanced setting dialog while its window exists; null otherwise.
extern CAdv_Seting* g_pAdvSetingDlg;
