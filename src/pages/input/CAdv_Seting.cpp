#include "CAdv_Seting.h"

#include "AppMessages.h"
#include "CInPutDlg.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CLevel_Delay_Dlg.h"
#include "CPageHost.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SceneImage.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <algorithm>
#include <string>

CAdv_Seting* g_pAdvSetingDlg = nullptr;

namespace {

constexpr int kWidthDlu = 592;
constexpr int kHeightDlu = 207;
// The background's size: the template drawn at the scale of the program's other pages.
constexpr int kBackWidth = 864;
constexpr int kBackHeight = 353;

CRect AdvRect(int x, int y, int cx, int cy) { return LevelPageRect(x, y, cx, cy); }

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kThresholdMax = 420;

// The order Left and Right walk the fields in.
const UINT kFocusOrder[ADV_FOCUS_FIELDS] = {
    IDC_ADV_G8_5_EDIT, IDC_ADV_G8_6_EDIT, IDC_ADV_G8_7_EDIT, IDC_ADV_SYS0_EDIT, IDC_ADV_SYS1_EDIT,
    IDC_ADV_PORT,      IDC_ADV_ATTACK_EDIT, IDC_ADV_RELEASE_EDIT, IDC_ADV_THRESH_EDIT, IDC_ADV_VPP_EDIT,
};

}  // namespace

void CAdv_ComBox::OnLButtonDown(UINT, CPoint)
{
    // The box never drops its own list: the parent shows the source menu instead.
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_ADV_SOURCE), 0), LPARAM(LOWORD(uintptr_t(m_hWnd))));
}

CAdv_Seting::CAdv_Seting(CWnd* pParent) : CDialog(IDD_ADV_SETING, pParent)
{
    // The window is the background's size (the title is set when it opens).
    RegisterDialogTemplate(IDD_ADV_SETING, DialogTemplate{"Advanced Setting", kBackWidth, kBackHeight, 0});
    (void)kWidthDlu;
    (void)kHeightDlu;
}

CAdv_Seting::~CAdv_Seting()
{
    if (g_pAdvSetingDlg == this)
        g_pAdvSetingDlg = nullptr;
}

CPageHost* CAdv_Seting::Host() const { return m_pView ? m_pView : g_pPageHost; }

void CAdv_Seting::OnDestroy()
{
    // The view calls us through this pointer: it must never outlive the window.
    if (g_pAdvSetingDlg == this)
        g_pAdvSetingDlg = nullptr;
    CDialog::OnDestroy();
}

void CAdv_Seting::SetUpField(CNumEdit& edit, CNumSpin& spin, int nType, const char* pszUnit, double dScale,
                             double dOffset, int nMin, int nMax, int nLimit)
{
    spin.SetBuddy(&edit);
    edit.SetScale(dScale);
    edit.SetOffset(dOffset);
    edit.SetType(nType, pszUnit);
    spin.SetRange(nMin, nMax);
    edit.LimitText(nLimit);
}

void CAdv_Seting::CreateControls()
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD field = child | WS_TABSTOP;
    m_stDescription.Create("", WS_CHILD, AdvRect(150, 164, 193, 20), this, IDC_ADV_DESCRIPTION);
    m_btnEqLines.Create("", child | BS_PUSHBUTTON, AdvRect(148, 154, 50, 9), this, IDC_ADV_EQ_LINES);
    m_cmbSource.Create(child | CBS_DROPDOWNLIST, AdvRect(467, 187, 68, 30), this, IDC_ADV_COMBO);
    m_btnSource.Create("", child | BS_PUSHBUTTON, AdvRect(40, 16, 67, 10), this, IDC_ADV_SOURCE);

    struct Field {
        CNumEdit* edit;
        CNumSpin* spin;
        UINT editId, spinId;
        int x, y, cx;
    };
    const Field fields[] = {
        {&m_editG8_5, &m_spinG8_5, IDC_ADV_G8_5_EDIT, IDC_ADV_G8_5_SPIN, 95, 37, 34},
        {&m_editG8_6, &m_spinG8_6, IDC_ADV_G8_6_EDIT, IDC_ADV_G8_6_SPIN, 95, 50, 34},
        {&m_editG8_7, &m_spinG8_7, IDC_ADV_G8_7_EDIT, IDC_ADV_G8_7_SPIN, 95, 64, 34},
        {&m_editSys0, &m_spinSys0, IDC_ADV_SYS0_EDIT, IDC_ADV_SYS0_SPIN, 95, 96, 34},
        {&m_editSys1, &m_spinSys1, IDC_ADV_SYS1_EDIT, IDC_ADV_SYS1_SPIN, 95, 109, 34},
        {&m_editAttack, &m_spinAttack, IDC_ADV_ATTACK_EDIT, IDC_ADV_ATTACK_SPIN, 149, 127, 36},
        {&m_editRelease, &m_spinRelease, IDC_ADV_RELEASE_EDIT, IDC_ADV_RELEASE_SPIN, 233, 127, 36},
        {&m_editThreshold, &m_spinThreshold, IDC_ADV_THRESH_EDIT, IDC_ADV_THRESH_SPIN, 319, 127, 36},
        {&m_editVpp, &m_spinVpp, IDC_ADV_VPP_EDIT, IDC_ADV_VPP_SPIN, 386, 127, 36},
    };
    for (const Field& f : fields) {
        f.edit->Create(field, AdvRect(f.x, f.y, f.cx, 8), this, f.editId);
        f.spin->Create(WS_CHILD, AdvRect(f.x + f.cx, f.y, 8, 8), this, f.spinId);
    }
    m_ipAddress.Create(field | WS_BORDER, AdvRect(56, 140, 73, 10), this, IDC_ADV_ADDRESS);
    m_editPort.Create(field | ES_NUMBER, AdvRect(56, 155, 53, 8), this, IDC_ADV_PORT);
    m_btnApply.Create("", child | BS_PUSHBUTTON, AdvRect(74, 170, 39, 12), this, IDC_ADV_APPLY);
    m_btnWifiDefault.Create("", child | BS_PUSHBUTTON, AdvRect(12, 170, 39, 12), this, IDC_ADV_WIFI_DEFAULT);
    m_list.Create(child | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, AdvRect(150, 16, 133, 96), this,
                  IDC_ADV_LIST);
    m_graph.Create("", child | SS_NOTIFY, AdvRect(292, 16, 128, 96), this, IDC_ADV_GRAPH);
    m_btnClose.Create("", child | BS_PUSHBUTTON, AdvRect(530, 133, 39, 12), this, IDCANCEL);

    for (CWnd* w : {static_cast<CWnd*>(&m_ipAddress), static_cast<CWnd*>(&m_editPort),
                    static_cast<CWnd*>(&m_editG8_5), static_cast<CWnd*>(&m_editG8_6), static_cast<CWnd*>(&m_editG8_7),
                    static_cast<CWnd*>(&m_editSys0), static_cast<CWnd*>(&m_editSys1)})
        w->SetFont(&m_font, FALSE);
    for (CNumEdit* e : {&m_editAttack, &m_editRelease, &m_editThreshold, &m_editVpp})
        e->SetFont(&g_fontArial14, FALSE);
}

BOOL CAdv_Seting::OnInitDialog()
{
    CDialog::OnInitDialog();
    g_pAdvSetingDlg = this;
    m_bmpBackEn.LoadBitmap(IDB_ADV_BACK_EN);
    m_bmpBackCn.LoadBitmap(IDB_ADV_BACK_CN);
    m_font.CreatePointFont(80, "Arial");
    SetFont(&m_font, FALSE);
    CreateControls();

    SetUpField(m_editG8_5, m_spinG8_5, 26, "", 1.0, 120.0, 0, 120, 8);
    SetUpField(m_editG8_6, m_spinG8_6, 26, "dB", 1.0, 120.0, 0, 120, 8);
    SetUpField(m_editG8_7, m_spinG8_7, 20, "s", 1.0, 0.0, 2, 30, 6);
    SetUpField(m_editSys0, m_spinSys0, 14, "s", 1.0, 0.0, 0, 100, 6);
    SetUpField(m_editSys1, m_spinSys1, 23, "dBu", 1.0, 120.0, 0, 100, 8);
    SetUpField(m_editAttack, m_spinAttack, NUMTYPE_ATTACK, "", 1.0, 0.0, 0, 206, 7);
    // Release: shown in milliseconds as code + 50, the one reading every dialog uses.
    SetUpField(m_editRelease, m_spinRelease, 6, "ms", 1.0, 0.0, RELEASE_MS_MIN, RELEASE_MS_MAX, 7);
    SetUpField(m_editThreshold, m_spinThreshold, 30, "", 0.1, 30.0, 0, kThresholdMax, 7);
    SetUpField(m_editVpp, m_spinVpp, NUMTYPE_VOLTAGE, "", 0.1, 30.0, 0, kThresholdMax, 0);
    m_editPort.SetType(20, "");
    m_editPort.SetScale(1.0);
    m_editPort.SetRange(1, 65535);
    m_editPort.LimitText(5);

    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.SetRowHeight(18);
    m_list.SetBkColor(kGrey);
    m_list.SetTextColor(RGB(255, 255, 255));
    m_list.SetTextBkColor(RGB(247, 247, 255));
    const bool cn = g_bChinese != 0;
    m_list.InsertColumn(0, cn ? "通道" : "Channel", LVCFMT_CENTER, 45);
    m_list.InsertColumn(1, cn ? "通道设置" : "Channel Map", LVCFMT_CENTER, 90);
    m_list.InsertColumn(2, cn ? "编辑" : "Edit", LVCFMT_CENTER, 30);
    m_list.InsertColumn(3, "", LVCFMT_CENTER, 30);
    for (int r = 0; r < ADV_ROWS; ++r)
        m_list.InsertItem(r, ("CH" + std::to_string(r + 1)).c_str());

    m_graph.InitPlotArea();
    m_graph.SetMode(3);
    m_graph.SetBuddyPair1(&m_spinThreshold, &m_editThreshold);
    m_graph.SetBuddyPair2(&m_spinVpp, &m_editVpp);
    m_graph.AttachScene(m_pScene);

    m_btnWifiDefault.EnableWindow(g_bOnline != 0);
    m_strLink = cn ? "联调" : "Link";
    m_strEdit = cn ? "编辑" : "Edit";
    m_stDescription.SetFontSize(15);
    m_stDescription.SetText(cn ? "说明:\n        设置输出回声场点是否同时显示EQ频响曲线。"
                               : "Description:\n        Set the output echo sites also show whether EQ response curve.");
    m_menuSource.LoadMenu(IDR_MENU_SOURCE);

    SelectRow(-1);
    SetLanguageLook();
    FillChannelMap();
    LoadFromSystem();
    return TRUE;
}

// ---- loading ------------------------------------------------------------------------------

void CAdv_Seting::LoadFromSystem()
{
    ShowSourceButton();
    m_spinG8_5.SetPos(std::min<int>(g_bySysGroup8[5], 120));
    m_spinG8_6.SetPos(std::min<int>(g_bySysGroup8[6], 120));
    m_spinG8_7.SetPos(std::clamp<int>(g_bySysGroup8[7], 2, 30));
    m_spinSys0.SetPos(std::min<int>(g_bySysParams[0], 100));
    m_ipAddress.SetAddress(g_strDeviceIp);
    m_btnApply.EnableWindow(FALSE);
    m_nPort = g_nDevicePort;
    m_nLastSys1 = std::min<int>(g_bySysParams[1], 100);
    m_spinSys1.SetPos(m_nLastSys1);
    m_btnEqLines.SetCheck(g_nLineSet != 0);
    m_editPort.SetWindowText(std::to_string(m_nPort));
}

void CAdv_Seting::RefreshFromDevice()
{
    if (!GetSafeHwnd())
        return;
    ShowSourceButton();
    const BOOL bInput = g_bySysParams[2] != 0;
    m_editG8_5.EnableWindow(bInput);
    m_spinG8_5.EnableWindow(bInput);
    m_spinSys0.SetPos(std::min<int>(g_bySysParams[0], 100));
    m_spinG8_5.SetPos(std::min<int>(g_bySysParams[3], 120));
    m_ipAddress.SetAddress(g_strDeviceIp);
    m_nPort = g_nDevicePort;
    m_nLastSys1 = std::min<int>(g_bySysParams[1], 100);
    m_spinSys1.SetPos(m_nLastSys1);
    if (m_nCurRow >= 0)
        m_list.SetItemState(m_nCurRow, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int r = 0; r < ADV_ROWS; ++r) {
        m_list.SetItemText(r, 2, "");
        m_list.SetItemText(r, 3, "");
        m_list.SetItemColor(3, r, kGrey);
    }
    SelectRow(-1);
    FillChannelMap();
    m_editPort.SetWindowText(std::to_string(m_nPort));
}

void CAdv_Seting::EnableLinkControl(BOOL bEnable)
{
    if (GetSafeHwnd())
        m_btnWifiDefault.EnableWindow(bEnable);
}

void CAdv_Seting::ShowNetAddress()
{
    if (!GetSafeHwnd())
        return;
    m_ipAddress.SetAddress(g_strDeviceIp);
    m_btnApply.EnableWindow(FALSE);
    m_nPort = g_nDevicePort;
    m_editPort.SetWindowText(std::to_string(g_nDevicePort));
}

void CAdv_Seting::FillChannelMap()
{
    for (int r = 0; r < ADV_ROWS; ++r)
        m_list.SetItemText(r, 1, GetSpeakerTypeName(SpeakerTypeOf(g_bySpeakerType, r), g_bChinese).c_str());
}

// ---- the channel list ---------------------------------------------------------------------

void CAdv_Seting::ClearRowMarks(int nRow)
{
    if (nRow < 0 || nRow >= ADV_ROWS)
        return;
    m_list.SetItemText(nRow, 2, "");
    m_list.SetItemText(nRow, 3, "");
    for (int i = 0; i < ADV_ROWS; ++i) {
        if (!IsLinkedOutput(nRow, i))
            continue;
        m_list.SetItemText(i, 2, "");
        m_list.SetItemText(i, 3, "");
        m_list.SetItemColor(3, i, kGrey);
    }
}

void CAdv_Seting::SelectRow(int nRow)
{
    if (nRow >= ADV_ROWS)
        return;
    if (nRow < 0) {
        m_nCurRow = 0;
    } else {
        ClearRowMarks(m_nCurRow);
        m_nCurRow = nRow;
    }
    m_list.SetItemState(m_nCurRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetItemText(m_nCurRow, 2, m_strEdit.c_str());
    if (nRow >= 0)
        m_list.EnsureVisible(m_nCurRow, FALSE);
    // The link marks mean something only while the left/right link is on.
    if (g_bLRLink) {
        for (int i = 0; i < ADV_ROWS; ++i) {
            if (!IsLinkedOutput(m_nCurRow, i))
                continue;
            m_list.SetItemText(i, 2, m_strEdit.c_str());
            m_list.SetItemText(i, 3, m_strLink.c_str());
            m_list.SetItemColor(3, i, kRed);
        }
    }
    LoadRow();
}

void CAdv_Seting::LoadRow()
{
    m_pOut = m_pScene ? m_pScene->GetOutData(m_nCurRow) : g_pOutChannel[m_nCurRow];
    if (!m_pOut)
        return;
    const int threshold = std::clamp<int>(m_pOut->GetLimitThreshold(), 0, kThresholdMax);
    m_spinThreshold.SetPos(threshold);
    m_spinVpp.SetPos(threshold);
    m_spinAttack.SetPos(std::clamp<int>(m_pOut->GetLimitAttack(), 0, 206));
    m_spinRelease.SetPos(std::clamp(ReleaseCodeToMs(m_pOut->GetLimitRelease()), RELEASE_MS_MIN, RELEASE_MS_MAX));
    m_graph.SelectChannel(m_nCurRow);
    m_graph.UpdateCurve();
}

// ---- source -------------------------------------------------------------------------------

void CAdv_Seting::ShowSourceButton()
{
    const int k = std::clamp(g_nSourceSelect, 0, SOURCE_ENTRIES - 1);
    const UINT normal = (g_bChinese ? 3200u : 3220u) + UINT(k);
    const UINT hover = normal + 10;
    m_btnSource.SetBitmaps(normal, hover, hover, normal, hover, hover);
    m_btnSource.Invalidate(FALSE);
}

void CAdv_Seting::OnSourceButton()
{
    CMenu* popup = PrepareSourceMenu(m_menuSource);
    if (!popup)
        return;
    CRect rc;
    m_btnSource.GetWindowRect(&rc);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + 2, this);
}

void CAdv_Seting::SelectSource(int k)
{
    if (k < 0 || k >= SOURCE_ENTRIES || k == g_nSourceSelect)
        return;
    g_nSourceSelect = k;
    ShowSourceButton();
    if (CPageHost* host = Host()) {
        host->SendCommand(2, 0);
        host->RefreshInputSourceButtons();
    }
}

// ---- address and port ---------------------------------------------------------------------

void CAdv_Seting::OnApply()
{
    CString address;
    if (!m_ipAddress.GetValidAddress(&address)) {
        // A typing slip must never replace the address the link uses.
        AfxMessageBox(g_bChinese ? "请输入有效的IP地址(例如 10.10.100.254)。"
                                 : "Please enter a valid IP address (for example 10.10.100.254).",
                      MB_OK, g_bChinese ? -4 : -5);
        m_ipAddress.SetFocus();
        return;
    }
    OnPortKillFocus();
    g_strDeviceIp = address;
    m_ipAddress.SetAddress(address);
    g_nDevicePort = std::clamp(m_nPort, 1, 65535);
    m_btnApply.EnableWindow(FALSE);
}

void CAdv_Seting::OnPortChanged()
{
    if (!m_editPort.GetModify())
        return;
    const CString text = m_editPort.GetWindowText();
    long value = 0;
    for (char ch : text)
        if (ch >= '0' && ch <= '9')
            value = std::min(value * 10 + (ch - '0'), 99999L);
    if (value > 65535) {
        value = 65535;
        m_editPort.SetWindowText("65535");
        m_editPort.SetSel(5, 5);
    }
    if (int(value) != m_nPort) {
        m_nPort = int(value);
        m_btnApply.EnableWindow(TRUE);
    }
}

void CAdv_Seting::OnPortKillFocus()
{
    if (m_nPort < 1) {
        m_nPort = 1;
        m_editPort.SetWindowText("1");
        m_editPort.SetSel(1, 1);
        m_btnApply.EnableWindow(m_nPort != g_nDevicePort || m_ipAddress.GetAddress() != g_strDeviceIp);
    }
}

void CAdv_Seting::OnAddressChanged()
{
    if (m_ipAddress.GetAddress() != g_strDeviceIp)
        m_btnApply.EnableWindow(TRUE);
    UnhighlightThresholds();
}

// ---- limiter ------------------------------------------------------------------------------

void CAdv_Seting::UnhighlightThresholds()
{
    m_editThreshold.SetHighlight(FALSE);
    m_editVpp.SetHighlight(FALSE);
}

void CAdv_Seting::OnThresholdEdit(BOOL bFromVpp)
{
    const int v = bFromVpp ? m_spinVpp.GetPos() : m_spinThreshold.GetPos();
    if (bFromVpp) {
        m_spinThreshold.SetPos(v);
        m_editThreshold.SetHighlight(FALSE);
    } else {
        m_spinVpp.SetPos(v);
        m_editVpp.SetHighlight(FALSE);
    }
    if (m_pOut)
        m_pOut->SetLimitThreshold(short(v));
    m_graph.UpdateCurve();
}

// ---- messages -----------------------------------------------------------------------------

BOOL CAdv_Seting::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDC_ADV_PORT) {
        if (code == EN_CHANGE)
            OnPortChanged();
        else if (code == EN_KILLFOCUS)
            OnPortKillFocus();
        return TRUE;
    }
    if (id == IDC_ADV_ADDRESS) {
        if (code == EN_CHANGE)
            OnAddressChanged();
        return TRUE;
    }
    if (code != 0)
        return CDialog::OnCommand(wParam, lParam);
    CPageHost* host = Host();
    switch (id) {
    case IDC_ADV_G8_5_EDIT:
    case IDC_ADV_G8_5_SPIN:
    case IDC_ADV_G8_6_EDIT:
    case IDC_ADV_G8_6_SPIN:
    case IDC_ADV_G8_7_EDIT:
    case IDC_ADV_G8_7_SPIN: {
        const int idx = id == IDC_ADV_G8_5_EDIT || id == IDC_ADV_G8_5_SPIN   ? 5
                        : id == IDC_ADV_G8_6_EDIT || id == IDC_ADV_G8_6_SPIN ? 6
                                                                             : 7;
        CNumSpin& spin = idx == 5 ? m_spinG8_5 : idx == 6 ? m_spinG8_6 : m_spinG8_7;
        const int v = spin.GetPos();
        if (v != g_bySysGroup8[idx]) {
            g_bySysGroup8[idx] = BYTE(v);
            // These bytes travel with command 8; command 2 is asked for as well, as before.
            if (host) {
                host->SetSysCmd2Pending(TRUE);
                host->SendCommand(8, 0);
            }
        }
        return TRUE;
    }
    case IDC_ADV_SYS0_EDIT:
    case IDC_ADV_SYS0_SPIN:
        g_bySysParams[0] = BYTE(m_spinSys0.GetPos());
        if (host)
            host->SetSysCmd5Pending(TRUE);
        return TRUE;
    case IDC_ADV_SYS1_EDIT:
    case IDC_ADV_SYS1_SPIN: {
        const int v = m_spinSys1.GetPos();
        if (v == g_bySysParams[1])
            return TRUE;
        g_bySysParams[1] = BYTE(v);
        g_bySysParams[5] = BYTE(v);
        m_nLastSys1 = v;
        if (host)
            host->SetSysCmd5Pending(TRUE);
        return TRUE;
    }
    case IDC_ADV_THRESH_EDIT:
    case IDC_ADV_THRESH_SPIN:
        OnThresholdEdit(FALSE);
        return TRUE;
    case IDC_ADV_VPP_EDIT:
    case IDC_ADV_VPP_SPIN:
        OnThresholdEdit(TRUE);
        return TRUE;
    case IDC_ADV_ATTACK_EDIT:
    case IDC_ADV_ATTACK_SPIN:
        UnhighlightThresholds();
        if (m_pOut)
            m_pOut->SetLimitAttack(short(m_spinAttack.GetPos()));
        return TRUE;
    case IDC_ADV_RELEASE_EDIT:
    case IDC_ADV_RELEASE_SPIN:
        if (m_pOut)
            m_pOut->SetLimitRelease(short(ReleaseMsToCode(m_spinRelease.GetPos())));
        UnhighlightThresholds();
        return TRUE;
    case IDC_ADV_SOURCE:
        OnSourceButton();
        return TRUE;
    case IDC_ADV_WIFI_DEFAULT:
        if (host)
            host->SendCommand(65, 0);
        return TRUE;
    case IDC_ADV_APPLY:
        OnApply();
        return TRUE;
    case IDC_ADV_EQ_LINES: {
        const BOOL checked = m_btnEqLines.GetCheck();
        g_nLineSet = checked ? 0 : 1;
        m_btnEqLines.SetCheck(!checked);
        if (host)
            host->SaveLineSetting();
        return TRUE;
    }
    default:
        if (id >= ID_SOURCE_FIRST && id <= ID_SOURCE_LAST) {
            SelectSource(int(id - ID_SOURCE_FIRST));
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL CAdv_Seting::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && hdr->idFrom == IDC_ADV_LIST && hdr->code == NM_CLICK) {
        const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
        if (row >= 0 && row < ADV_ROWS && row != m_nCurRow)
            SelectRow(row);
        UnhighlightThresholds();
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

int CAdv_Seting::FocusIndexOf(UINT nID)
{
    for (int k = 0; k < ADV_FOCUS_FIELDS; ++k)
        if (kFocusOrder[k] == nID)
            return k;
    return 0;
}

void CAdv_Seting::FocusControl(UINT nID)
{
    if (CWnd* w = GetDlgItem(int(nID)))
        w->SetFocus();
}

void CAdv_Seting::OnKeyStep(UINT nID, UINT nKey)
{
    const int k = FocusIndexOf(nID);
    if (nKey == VK_LEFT)
        FocusControl(kFocusOrder[(k + ADV_FOCUS_FIELDS - 1) % ADV_FOCUS_FIELDS]);
    else if (nKey == VK_RIGHT)
        FocusControl(kFocusOrder[(k + 1) % ADV_FOCUS_FIELDS]);
}

LRESULT CAdv_Seting::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SLIDER_MOVED:
    case WM_SLIDER_MOVING:
        return 1;
    case WM_NUMEDIT_KEYDOWN:
        OnKeyStep(UINT(wParam), UINT(lParam));
        return 0;
    case WM_CTRL_MOUSEMOVE: {
        const UINT id = UINT(lParam);
        FocusControl(kFocusOrder[FocusIndexOf(id)]);
        return 0;
    }
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CAdv_Seting::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_TAB)) {
        CWnd* focus = GetFocus();
        if (focus == &m_ipAddress)
            PostMessage(WM_NUMEDIT_KEYDOWN, IDC_ADV_SYS1_EDIT, VK_RIGHT);
        else if (focus && dynamic_cast<CEdit*>(focus)) {
            if (focus->GetDlgCtrlID() == int(IDC_ADV_SYS1_EDIT))
                m_ipAddress.SetFocus();
            else
                PostMessage(WM_NUMEDIT_KEYDOWN, WPARAM(focus->GetDlgCtrlID()), VK_RIGHT);
        } else {
            m_editG8_5.SetFocus();
        }
        // The key goes no further: Enter must not close the dialog.
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- looks --------------------------------------------------------------------------------

void CAdv_Seting::SetLanguageLook()
{
    const bool cn = g_bChinese != 0;
    if (cn) {
        m_btnEqLines.SetBitmaps(706, 706, 707, 707, 707, 706);
        m_btnApply.SetBitmaps(7204, 7205, 7206, 7204, 7205, 7206);
        m_btnApply.SetDisabledBitmaps(7207, 7207);
        m_btnWifiDefault.SetBitmaps(7214, 7215, 7216, 7216, 7216, 7216);
        m_btnWifiDefault.SetDisabledBitmaps(7217, 7217);
        m_btnClose.SetBitmaps(793, 795, 794, 0, 0, 0);
    } else {
        m_btnEqLines.SetBitmaps(704, 704, 705, 705, 705, 704);
        m_btnApply.SetBitmaps(7200, 7201, 7202, 0, 0, 0);
        m_btnApply.SetDisabledBitmaps(7203, 7203);
        m_btnWifiDefault.SetBitmaps(7210, 7211, 7212, 7212, 7212, 7212);
        m_btnWifiDefault.SetDisabledBitmaps(7213, 7213);
        m_btnClose.SetBitmaps(790, 792, 791, 0, 0, 0);
    }
    SetWindowText(cn ? "高级" : "Advanced Setting");
    ShowSourceButton();
}

BOOL CAdv_Seting::OnEraseBkgnd(CDC*) { return TRUE; }

void CAdv_Seting::OnPaint()
{
    CPaintDC dc(this);
    CBitmap& back = g_bChinese ? m_bmpBackCn : m_bmpBackEn;
    if (!back.GetSafeHandle())
        return;
    BITMAP bm{};
    back.GetBitmap(&bm);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&back);
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}
