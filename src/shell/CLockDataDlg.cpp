#include "CLockDataDlg.h"

#include "Clock.h"
#include "DialogUnits.h"
#include "Texts.h"

CWnd* g_pLockEdit1 = nullptr;
CWnd* g_pLockEdit2 = nullptr;

namespace {

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(100, "System");
    return units;
}

// The send stamp the time texts measure from; a new one is taken with every stamped line.
int64_t g_liSendTime = 0;

}  // namespace

CLockDataDlg::CLockDataDlg(CWnd* pParent) : CDialog(IDD_LOCK_DATA, pParent)
{
    Units().RegisterTemplate(IDD_LOCK_DATA, "Lock", 476, 219);
}

CLockDataDlg::~CLockDataDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
    if (g_pLockEdit1 == &m_edit1884)
        g_pLockEdit1 = nullptr;
    if (g_pLockEdit2 == &m_edit1885)
        g_pLockEdit2 = nullptr;
}

BOOL CLockDataDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    const DWORD log = shown | WS_BORDER | WS_VSCROLL | ES_MULTILINE;
    m_editWrite.Create(log, Units().Rect(8, 22, 222, 169), this, IDC_LOG_WRITE);
    m_editRead.Create(log, Units().Rect(239, 22, 207, 169), this, IDC_LOG_READ);
    m_stWrite.Create("写数据", shown, Units().Rect(82, 6, 31, 9), this);
    m_stRead.Create("读数据", shown, Units().Rect(326, 6, 25, 8), this);
    m_btnClear.Create("Clear", shown | WS_TABSTOP | BS_PUSHBUTTON, Units().Rect(157, 197, 50, 14), this,
                      IDC_LOG_CLEAR);
    m_edit1884.Create(shown | WS_BORDER, Units().Rect(36, 194, 40, 14), this, IDC_LOG_EDIT1);
    m_edit1885.Create(shown | WS_BORDER, Units().Rect(250, 195, 40, 14), this, IDC_LOG_EDIT2);
    g_pLockEdit1 = &m_edit1884;
    g_pLockEdit2 = &m_edit1885;
    return TRUE;
}

void CLockDataDlg::ShowLog()
{
    m_editWrite.SetWindowText("");
    m_editRead.SetWindowText("");
    ShowWindow(SW_SHOW);
}

void CLockDataDlg::Append(CEdit& log, const CString& text, BOOL bTime, BOOL bNewLine)
{
    CString all = log.GetWindowText() + text;
    if (bTime) {
        int64_t now = 0;
        QueryPerformanceCounter(&now);
        g_liSendTime = now;
        all += " (" + FormatElapsedSeconds(g_liSendTime) + ")";
    }
    if (bNewLine)
        all += "\r\n";
    log.SetWindowText(all);
}

void CLockDataDlg::AppendWrite(const CString& text, BOOL bTime, BOOL bNewLine)
{
    if (m_editWrite.GetSafeHwnd())
        Append(m_editWrite, text, bTime, bNewLine);
}

void CLockDataDlg::AppendRead(const CString& text, BOOL bTime, BOOL bNewLine)
{
    if (m_editRead.GetSafeHwnd())
        Append(m_editRead, text, bTime, bNewLine);
}

BOOL CLockDataDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_LOG_CLEAR && HIWORD(wParam) == BN_CLICKED) {
        m_editWrite.SetWindowText("");
        m_editRead.SetWindowText("");
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
