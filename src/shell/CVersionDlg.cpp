#include "CVersionDlg.h"

#include "DialogUnits.h"
#include "FirmwareState.h"
#include "FixedField.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "Texts.h"

#include <initializer_list>

namespace {

// Template 269, in dialog units of Arial 9 pt.
constexpr int kWidthDlu = 203;
constexpr int kHeightDlu = 84;

// The device version field: 11 characters and the terminating 0.
constexpr int kDeviceVersionField = 12;
constexpr size_t kVersionTail = 6;
const char* const kVersionPrefix = "MPVORN-";

const char* const kNoticeText = "DSP processor tuning software";
const char* const kLinkText = "https://example.com/";

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(90, "Arial");
    return units;
}

}  // namespace

CVersionDlg::CVersionDlg(CWnd* pParent) : CDialog(IDD_VERSION, pParent)
{
    Units().RegisterTemplate(IDD_VERSION, "About", kWidthDlu, kHeightDlu);
}

CVersionDlg::~CVersionDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

CString CVersionDlg::DeviceVersionText(const char* szVersion)
{
    CString v = FieldToString(reinterpret_cast<const BYTE*>(szVersion), kDeviceVersionField);
    if (v.empty())
        return v;
    if (v.size() > kVersionTail)
        v = v.substr(v.size() - kVersionTail);
    return kVersionPrefix + v;
}

void CVersionDlg::CreateControls()
{
    Units().ApplyFont(this, m_font);
    const CSize base = Units().Base();
    const DWORD shown = WS_CHILD | WS_VISIBLE;

    m_stPicture.Create("", shown | SS_BITMAP, DialogRect(1, 12, 73, 61, base), this, IDC_VERSION_PICTURE);
    m_bmpPicture.DeleteObject();
    if (m_bmpPicture.LoadBitmap(IDB_VERSION_PICTURE))
        m_stPicture.SetBitmap(m_bmpPicture);
    m_stLine1876.Create("", shown | SS_LEFT, DialogRect(83, 5, 63, 8, base), this, IDC_VERSION_LINE);
    m_stDevVersion.Create("", shown | SS_LEFT, DialogRect(84, 19, 112, 8, base), this, IDC_VERSION_DEVICE);
    m_stSoftVersion.Create("Static", shown | SS_LEFT, DialogRect(84, 29, 112, 8, base), this, IDC_VERSION_SOFTWARE);
    m_stNotice.Create(kNoticeText, shown | SS_LEFT, DialogRect(84, 39, 108, 8, base), this, IDC_VERSION_NOTICE);
    m_link.Create(kLinkText, WS_CHILD | SS_LEFT | SS_NOTIFY, DialogRect(84, 50, 119, 8, base), this,
                  IDC_VERSION_LINK);
    m_btnQuit.Create("", shown | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(146, 65, 50, 14, base), this,
                     IDC_VERSION_QUIT);
    m_btnHelp.Create("", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(147, 65, 50, 14, base), this,
                     IDC_VERSION_HELP);
    for (CWnd* w : std::initializer_list<CWnd*>{&m_stLine1876, &m_stDevVersion, &m_stSoftVersion, &m_stNotice,
                                                &m_link, &m_btnQuit, &m_btnHelp})
        w->SetFont(&m_font, FALSE);
}

BOOL CVersionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    g_bUpdating = 0;
    CreateControls();

    const bool cn = g_bChinese != 0;
    SetWindowText(cn ? "关于" : "About");
    m_btnHelp.SetWindowText(cn ? "帮助" : "Help");
    m_btnQuit.SetWindowText(cn ? "退出" : "Quit");

    const CString v = DeviceVersionText(g_szDeviceVersion);
    m_stDevVersion.SetText(((cn ? "设备版本 " : "Device version ") + v).c_str());
    m_stSoftVersion.SetText((cn ? g_strSoftwareVersionCn : g_strSoftwareVersionEn).c_str());
    return TRUE;
}

BOOL CVersionDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_VERSION_QUIT:
        EndDialog(IDOK);
        return TRUE;
    case IDC_VERSION_HELP:
        return TRUE;  // the hidden Help button has no action
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

HBRUSH CVersionDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG)
        return g_brushDlgBack;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
