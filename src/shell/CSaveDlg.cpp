#include "CSaveDlg.h"

#include "DialogUnits.h"
#include "FixedField.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "SceneImage.h"

#include <iconv.h>

#include <initializer_list>

namespace {
constexpr int kWidthDlu = 135;
constexpr int kHeightDlu = 51;

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(90, "Arial");
    return units;
}

bool Convert(const char* to, const char* from, const CString& in, CString& out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return false;
    out.assign(in.size() * 2 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = &out[0];
    size_t dstLeft = out.size();
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == size_t(-1))
        return false;
    out.resize(out.size() - dstLeft);
    return true;
}
}  // namespace

CString PresetNameFromField(const BYTE* pField)
{
    const CString bytes = FieldToString(pField, SCENE_NAME_SIZE);
    CString text;
    // Plain ASCII names are the same in both; others come from the device as GBK.
    return Convert("UTF-8", "GBK", bytes, text) ? text : bytes;
}

CString PresetNameToDevice(const CString& strName)
{
    CString bytes;
    return Convert("GBK", "UTF-8", strName, bytes) ? bytes : strName;
}

CSaveDlg::CSaveDlg(CWnd* pParent) : CDialog(IDD_SAVE_PRESET, pParent)
{
    Units().RegisterTemplate(IDD_SAVE_PRESET, "", kWidthDlu, kHeightDlu);
}

CSaveDlg::~CSaveDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CSaveDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Units().ApplyFont(this, m_font);
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    m_editName.Create(shown | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, Units().Rect(43, 7, 79, 13), this,
                      IDC_SAVE_NAME);
    m_btnOK.Create("", shown | WS_TABSTOP | BS_DEFPUSHBUTTON, Units().Rect(10, 31, 50, 14), this, IDOK);
    m_btnCancel.Create("", shown | WS_TABSTOP | BS_PUSHBUTTON, Units().Rect(75, 31, 50, 14), this, IDCANCEL);
    m_stNumber.Create("", shown | SS_LEFT, Units().Rect(4, 10, 38, 8), this, IDC_SAVE_NUMBER);
    for (CWnd* w : std::initializer_list<CWnd*>{&m_editName, &m_btnOK, &m_btnCancel, &m_stNumber})
        w->SetFont(&m_font, FALSE);

    // A Chinese character counts two bytes, as on the device, and is never cut in half.
    m_editName.SetDbcsAlign(TRUE);
    m_editName.LimitText(kPresetNameLimit);
    if (m_nScene >= 1 && m_nScene <= STORED_SCENES)
        m_strName = PresetNameFromField(g_StoredScenes[m_nScene - 1] + SCENE_NAME_OFFSET);
    m_editName.SetWindowText(m_strName.c_str());
    m_editName.SetSel(0, -1);

    const bool cn = g_bChinese != 0;
    m_strNumber = (cn ? "序号:" : "No.") + std::to_string(m_nScene);
    m_stNumber.SetWindowText(m_strNumber.c_str());
    m_btnOK.SetWindowText(cn ? "确定" : "OK");
    m_btnCancel.SetWindowText(cn ? "取消" : "Cancel");
    SetWindowText(cn ? "请输入场景名" : "Please enter the preset name");
    m_editName.SetFocus();
    return FALSE;
}

void CSaveDlg::OnOK()
{
    m_strName = m_editName.GetWindowText();
    CDialog::OnOK();
}

HBRUSH CSaveDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG)
        return g_brushDlgBack;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
