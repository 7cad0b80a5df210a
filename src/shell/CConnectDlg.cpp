#include "CConnectDlg.h"

#include "GdiGlobals.h"
#include "Globals.h"

#include <exception>
#include <utility>

const char* const COM_PORT_NONE = "NULL";
int g_bSameLink = 0;

namespace {

constexpr int DLG_WIDTH = 320;  // pixels
constexpr int DLG_HEIGHT = 176;
constexpr int PORT_SEARCH_START = 1;  // the port search starts after this entry and wraps round

ComPortLister& Lister()
{
    static ComPortLister lister;  // user-interface thread
    return lister;
}

}  // namespace

ComPortLister SetComPortLister(ComPortLister lister) { return std::exchange(Lister(), std::move(lister)); }

void ListComPorts(std::vector<ComPortInfo>& list)
{
    try {
        if (Lister())
            Lister()(list);
        else
            EnumComPorts(list, FALSE);
    } catch (...) {
        // Whatever the listing threw: no port can be offered.
        list.clear();
    }
}

CConnectDlg::CConnectDlg(CWnd* pParent) : CDialog(IDD_CONNECT, pParent)
{
    RegisterDialogTemplate(IDD_CONNECT, DialogTemplate{"Link", DLG_WIDTH, DLG_HEIGHT, 0});
}

BOOL CConnectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const bool cn = g_bChinese != 0;
    CFont* font = cn ? &g_fontListSimSun16 : &g_fontListArial16;
    const DWORD child = WS_CHILD | WS_VISIBLE;
    m_radioUsb.Create(cn ? "使用USB连接到设备" : "Use the USB connect to the device",
                      child | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, CRect(20, 14, 300, 36), this,
                      IDC_CONNECT_RADIO_USB);
    m_radioWifi.Create(cn ? "使用WIFI无线连接到设备" : "Use the WIFI connect to the device",
                       child | BS_AUTORADIOBUTTON, CRect(20, 42, 300, 64), this, IDC_CONNECT_RADIO_WIFI);
    m_radioCom.Create(cn ? "使用COM连接到设备" : "Use the COM connect to the device", child | BS_AUTORADIOBUTTON,
                      CRect(20, 70, 300, 92), this, IDC_CONNECT_RADIO_COM);
    m_comboPorts.Create(child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(40, 98, 220, 200), this,
                        IDC_CONNECT_PORTS);
    m_btnOk.Create(cn ? "联机" : "Link", child | WS_TABSTOP | BS_DEFPUSHBUTTON, CRect(214, 136, 300, 164), this,
                   IDOK);
    if (cn)
        SetWindowText("联机");
    for (CButtonRadio* radio : {&m_radioUsb, &m_radioWifi, &m_radioCom}) {
        radio->SetTextColor(RGB(0, 0, 0));
        radio->SetFont(font);
    }
    m_comboPorts.SetFont(font);
    m_btnOk.SetFont(font);

    // The radios stand for link types 1, 2 and 3; with no link none is checked.
    const int type = g_nLinkType.load();
    const int radio = type >= 1 && type <= 3 ? type - 1 : -1;
    m_comboPorts.EnableWindow(type == 3);
    FillPortList();
    ShowChoice(radio);
    return TRUE;
}

void CConnectDlg::FillPortList()
{
    std::vector<ComPortInfo> ports;
    ListComPorts(ports);
    m_comboPorts.ResetContent();
    if (ports.empty()) {
        m_comboPorts.AddString(COM_PORT_NONE);
        m_strPort = COM_PORT_NONE;
        m_comboPorts.SetCurSel(0);
        return;
    }
    for (const ComPortInfo& port : ports)
        if (!port.strFriendlyName.empty())
            m_comboPorts.AddString(port.strFriendlyName.c_str());
    // The whole name first: a prefix alone would take "ttyS10" for "ttyS1".
    auto find = [this](const CString& name) {
        if (name.empty())
            return CB_ERR;
        const int exact = m_comboPorts.FindStringExact(-1, name.c_str());
        return exact != CB_ERR ? exact : m_comboPorts.FindString(PORT_SEARCH_START, name.c_str());
    };
    if (find(m_strPort) == CB_ERR) {
        m_strPort.clear();
        for (const ComPortInfo& port : ports)
            if (port.bUsbDevice && !port.strFriendlyName.empty()) {
                m_strPort = port.strFriendlyName;
                break;
            }
        if (m_strPort.empty())
            m_comboPorts.GetLBText(0, m_strPort);
    }
    m_comboPorts.SetCurSel(find(m_strPort));
}

void CConnectDlg::ShowChoice(int nRadio)
{
    m_radioUsb.SetCheck(nRadio == 0 ? BST_CHECKED : BST_UNCHECKED);
    m_radioWifi.SetCheck(nRadio == 1 ? BST_CHECKED : BST_UNCHECKED);
    m_radioCom.SetCheck(nRadio == 2 ? BST_CHECKED : BST_UNCHECKED);
}

int CConnectDlg::GetRadioChoice() const
{
    if (m_radioUsb.GetCheck() == BST_CHECKED)
        return 0;
    if (m_radioWifi.GetCheck() == BST_CHECKED)
        return 1;
    if (m_radioCom.GetCheck() == BST_CHECKED)
        return 2;
    return -1;
}

BOOL CConnectDlg::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == IDC_CONNECT_PORTS && code == CBN_SELCHANGE) {
        m_comboPorts.GetLBText(m_comboPorts.GetCurSel(), m_strPort);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDC_CONNECT_RADIO_USB || id == IDC_CONNECT_RADIO_WIFI) {
        m_comboPorts.EnableWindow(FALSE);
        return TRUE;
    }
    if (id == IDC_CONNECT_RADIO_COM) {
        m_comboPorts.EnableWindow(TRUE);
        return TRUE;
    }
    return FALSE;
}

void CConnectDlg::OnOK()
{
    const int chosen = GetRadioChoice() + 1;
    g_bSameLink = chosen == g_nLinkType.load() ? 1 : 0;
    g_nLinkType = chosen;
    EndDialog(IDOK);
}

HBRUSH CConnectDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG)
        return g_brushDlgBack;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
