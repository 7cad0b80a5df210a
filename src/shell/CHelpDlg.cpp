#include "CHelpDlg.h"

#include "Cursor.h"
#include "CDC.h"
#include "DialogUnits.h"
#include "Globals.h"
#include "WinApi.h"

const char* const HELP_SITE_URL = "https://example.com/";
const char* const HELP_SITE_TEXT = "example.com";

namespace {

// Template 1065, in dialog units of Arial 7 pt.
constexpr int kWidthDlu = 250;
constexpr int kHeightDlu = 97;

constexpr int kLinkFontHeight = 30;  // pixels
constexpr int kHintFontHeightCn = 15;
constexpr int kHintFontHeightEn = 14;

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(70, "Arial");
    return units;
}

void MakeArial(CFont& font, int nHeight, BOOL bUnderline)
{
    font.DeleteObject();
    font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, FALSE, BYTE(bUnderline), 0, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS,
                    "Arial");
}

}  // namespace

CHelpDlg::CHelpDlg(CWnd* pParent) : CDialog(IDD_HELP, pParent)
{
    Units().RegisterTemplate(IDD_HELP, "Help", kWidthDlu, kHeightDlu);
}

CHelpDlg::~CHelpDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
    if (m_hHand)
        DestroyCursor(m_hHand);
}

BOOL CHelpDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Units().ApplyFont(this, m_font);
    const CSize base = Units().Base();
    // Taller than Arial's metrics need: the fonts that stand in for it here are wider, so the
    // English hint takes three lines and the link's descenders need room.
    m_stHint.Create("", WS_CHILD | WS_VISIBLE | SS_CENTER, DialogRect(8, 20, 234, 34, base), this, IDC_HELP_HINT);
    m_stLink.Create(HELP_SITE_TEXT, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY, DialogRect(40, 58, 170, 26, base),
                    this, IDC_HELP_LINK);
    if (!m_hHand)
        m_hHand = LoadCursor(AfxGetResourceHandle(), IDC_CURSOR_HAND);

    const bool cn = g_bChinese != 0;
    m_bHover = 0;
    MakeArial(m_fontLink, kLinkFontHeight, TRUE);
    MakeArial(m_fontHint, cn ? kHintFontHeightCn : kHintFontHeightEn, FALSE);
    m_stLink.SetFont(&m_fontLink);
    m_stHint.SetFont(&m_fontHint);
    m_stHint.SetWindowText(cn ? "请进入沃恩官网-商用定制-汽车音响\n按型号下载相关文件。"
                              : "Please go to Vorns official website - commercial customization - car audio to "
                                "download related files by model.");
    SetWindowText(cn ? "帮助" : "Help");
    return TRUE;
}

BOOL CHelpDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_HELP_LINK && HIWORD(wParam) == STN_CLICKED) {
        ShellExecute(m_hWnd, "open", HELP_SITE_URL, nullptr, nullptr, SW_SHOWNORMAL);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

HBRUSH CHelpDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd == &m_stLink) {
        pDC->SetTextColor(HELP_LINK_COLOR);
        pDC->SetBkMode(TRANSPARENT);
        return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CHelpDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == &m_stLink) {
        if (m_hHand)
            SetCursor(m_hHand);
        if (!m_bHover) {
            m_bHover = 1;
            Invalidate();
        }
        return TRUE;
    }
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

void CHelpDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rcLink;
    m_stLink.GetWindowRect(&rcLink);
    ScreenToClient(&rcLink);
    if (!rcLink.PtInRect(point) && m_bHover) {
        m_bHover = 0;
        Invalidate();
    }
    CDialog::OnMouseMove(nFlags, point);
}
