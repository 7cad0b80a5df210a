#include "CDisplayDlg.h"

#include "CWnd.h"
#include "DialogUnits.h"
#include "Globals.h"
#include "ShellGlobals.h"
#include "TopMost.h"

#include <algorithm>

CDisplayDlg* g_pDisplayDlg = nullptr;
CWnd* g_pProgramDlg = nullptr;

namespace {

// Template 104, in dialog units of Arial 10 pt.
constexpr int kPopupWidthDlu = 191;
constexpr int kPopupHeightDlu = 50;
constexpr int kFontTenthsOfPoint = 100;
constexpr int kTextSize = 18;  // pixel height of the text line
constexpr DWORD kTextStyle = 0x21;  // FS_NORMAL | FS_CENTER

CSize PopupBaseUnits()
{
    static const CSize base = [] {
        CFont font;
        font.CreatePointFont(kFontTenthsOfPoint, "Arial");
        return GetDialogBaseUnits(&font);
    }();
    return base;
}

void RegisterPopupTemplate()
{
    static bool registered = false;  // user-interface thread
    if (registered)
        return;
    const CSize base = PopupBaseUnits();
    RegisterDialogTemplate(IDD_DISPLAY, DialogTemplate{"Data transmission", DialogUnitsToPixelsX(kPopupWidthDlu, base),
                                                       DialogUnitsToPixelsY(kPopupHeightDlu, base),
                                                       WS_POPUP | WS_CAPTION});
    registered = true;
}

const char* Pick(const char* cn, const char* en) { return g_bChinese ? cn : en; }

}  // namespace

CDisplayDlg::CDisplayDlg(CWnd* pParent) : CDialog(IDD_DISPLAY, pParent), m_pParent(pParent) {}

CDisplayDlg::~CDisplayDlg()
{
    EnableDisabledWindows();
    if (g_pDisplayDlg == this)
        g_pDisplayDlg = nullptr;
}

BOOL CDisplayDlg::CreatePopup()
{
    RegisterPopupTemplate();
    if (!Create(IDD_DISPLAY, m_pParent))
        return FALSE;
    ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CDisplayDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_brBack.DeleteObject();
    m_brBack.CreateSolidBrush(DISPLAY_BACK);

    const CSize base = PopupBaseUnits();
    m_stText.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, DialogRect(22, 10, 136, 12, base), this, IDC_DISPLAY_TEXT);
    m_progress.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, DialogRect(22, 30, 136, 10, base), this,
                      IDC_DISPLAY_PROGRESS);

    m_stText.SetFontStatic("", kTextSize, DISPLAY_TEXT_NAVY, kTextStyle);
    m_stText.SetBackColor(DISPLAY_TEXT_BACK);
    m_strTextCn = "数据正在传输中";
    m_strTextEn = "Data transmission";
    m_nMode = 0;
    m_bFactory = 0;
    return TRUE;
}

void CDisplayDlg::SetFactoryMode()
{
    m_bFactory = 1;
    m_progress.SetRange(0, DISPLAY_FACTORY_RANGE);
    m_progress.SetPos(0);
}

void CDisplayDlg::ShowProgress(int nMode)
{
    m_nMode = nMode;
    if (m_bFactory) {
        m_stText.SetText(Pick("正在恢复出厂设置", "Load factory defaults"));
        SetWindowText(Pick("高级", "Advanced"));
    } else {
        m_stText.SetText(g_bChinese ? m_strTextCn : m_strTextEn);
        SetWindowText(Pick("数据传输", "Data transmission"));
    }

    if (m_nMode == 0)
        DisableOwnerOfWork(m_pParent);
    else
        DisableOwnerOfWork(m_bFactory ? g_pAdvSetingDlg : g_pProgramDlg);

    SetWindowTopMost(this);
    CenterWindow();
    ShowWindow(SW_SHOW);
    SetTimer(DISPLAY_TIMER, DISPLAY_TIMER_MS);
}

void CDisplayDlg::HideProgress()
{
    KillTimer(DISPLAY_TIMER);
    EnableDisabledWindows();
    m_nMode = 0;
    m_bFactory = 0;
    ShowWindow(SW_HIDE);
}

void CDisplayDlg::DisableOwnerOfWork(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    pWnd->EnableWindow(FALSE);
    const HWND h = pWnd->GetSafeHwnd();
    if (std::find(m_disabled.begin(), m_disabled.end(), h) == m_disabled.end())
        m_disabled.push_back(h);
}

void CDisplayDlg::EnableDisabledWindows()
{
    // By handle: a preset dialog closed while the popup was up is not touched.
    for (HWND h : m_disabled)
        if (CWnd* w = CWnd::FromHandle(h))
            w->EnableWindow(TRUE);
    m_disabled.clear();
}

void CDisplayDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != DISPLAY_TIMER) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (g_bTransferBusy.load()) {
        m_bBlink = m_bBlink ? 0 : 1;
        m_stText.SetTextColor(m_bBlink ? DISPLAY_TEXT_NAVY : DISPLAY_TEXT_RED);
        if (m_bFactory) {
            m_nPos = m_progress.GetPos();
            if (m_nPos < m_progress.GetRangeUpper() - 2)
                m_progress.SetPos(++m_nPos);
        }
        return;
    }
    if (!m_bFactory) {
        m_stText.SetText(Pick("数据传输结束", "End of data transmission"));
        HideProgress();
        return;
    }
    FactoryTick();
}

void CDisplayDlg::FactoryTick()
{
    // The work is over: the bar jumps to the end and stays full for eleven more ticks.
    const int upper = m_progress.GetRangeUpper();
    if (m_nPos > upper + 10) {
        m_stText.SetText(Pick("恢复出厂设置成功", "Load factory default success"));
        HideProgress();
    } else if (m_nPos >= upper) {
        ++m_nPos;
    } else {
        m_nPos = upper;
        m_progress.SetPos(upper);
    }
}

HBRUSH CDisplayDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG && m_brBack.GetSafeHandle())
        return static_cast<HBRUSH>(m_brBack);
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

LRESULT CDisplayDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        return 0;  // no close box, and the window manager's close does nothing either
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CDisplayDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        // Enter and Esc would end a dialog: they only bring the focus here. Every key-down goes on
        // to the window it was meant for.
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
            SetFocus();
        return FALSE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CDisplayDlg::OnOK() {}

void CDisplayDlg::OnCancel() {}
