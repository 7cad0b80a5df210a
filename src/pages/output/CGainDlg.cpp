#include "CGainDlg.h"

#include "AppMessages.h"
#include "CPageHost.h"
#include "CWindowDC.h"
#include "DialogUnits.h"
#include "NumDisplayTypes.h"
#include "PromptLayout.h"
#include "SceneImage.h"

namespace {

// Template 737 is laid out in dialog units of Arial 8 pt.
const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(80, "Arial");
    return units;
}

constexpr int kWidthDlu = 71;
constexpr int kHeightDlu = 183;
// System byte 4: the master output switch (0 = muted), sent in system command 5's record.
constexpr int kOutputSwitchByte = 4;

bool IsEdit(CWnd* pWnd) { return dynamic_cast<CEdit*>(pWnd) != nullptr; }

}  // namespace

CGainDlg::CGainDlg() : CDialog(IDD_GAIN, nullptr) {}

BOOL CGainDlg::CreatePanel(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    const CRect rc = Units().Rect(0, 0, kWidthDlu, kHeightDlu);
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, rc, pParent, IDD_GAIN))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

BOOL CGainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editLevel.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, Units().Rect(21, 6, 29, 9), this, IDC_GAIN_LEVEL_EDIT);
    m_spinLevel.Create(WS_CHILD, Units().Rect(58, 167, 11, 14), this, IDC_GAIN_LEVEL_SPIN);
    m_btnOn.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(19, 108, 21, 14), this, IDC_GAIN_ON);
    m_sliderLevel.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, Units().Rect(9, 17, 15, 15), this, IDC_GAIN_FADER);
    m_btnUnit.Create("", WS_CHILD, Units().Rect(0, 168, 69, 13), this, IDC_GAIN_UNIT);

    Units().ApplyFont(&m_editLevel, m_font);
    m_spinLevel.SetBuddy(&m_editLevel);
    m_spinLevel.SetRange(0, MASTER_LEVEL_MAX);
    m_editLevel.SetScale(1.0);
    m_editLevel.SetOffset(60.0);
    m_editLevel.SetType(NUMTYPE_LEVEL_OFF0, "");
    m_editLevel.SetBuddySlider(&m_sliderLevel);
    m_sliderLevel.SetRange(0, MASTER_LEVEL_MAX, FALSE);
    m_sliderLevel.SetMargin(31, 11, 5, 6);
    m_btnUnit.CreateDropList(this, IDC_GAIN_UNIT);
    m_btnUnit.SetMoveNotify(1);
    m_editLevel.UpdateOffText();
    return TRUE;
}

void CGainDlg::SetBackgroundBitmap(UINT nID)
{
    m_bmpBack.DeleteObject();
    m_bmpBack.LoadBitmap(nID);
    if (GetSafeHwnd())
        Invalidate();
}

void CGainDlg::SetSelectorBitmaps(UINT nNormal, UINT nHover) { m_btnUnit.SetBitmaps(nNormal, nHover); }
void CGainDlg::AddSelectorItem(LPCTSTR lpszText) { m_btnUnit.AddString(lpszText); }
void CGainDlg::ResetSelector() { m_btnUnit.ResetContent(); }
void CGainDlg::SetSelectorSel(int nSel) { m_btnUnit.SetCurSel(nSel); }
int CGainDlg::GetSelectorSel() const { return m_btnUnit.GetCurSel(); }

void CGainDlg::SetFaderChannelBitmaps(UINT nChannelID, UINT nActiveID, BOOL bTransparent, COLORREF clrTrans,
                                      int iTransPixelX, int iTransPixelY)
{
    m_sliderLevel.SetBitmapChannel(nChannelID, nActiveID, bTransparent, clrTrans, iTransPixelX, iTransPixelY);
}

void CGainDlg::SetFaderThumbBitmaps(UINT nThumbID, UINT nActiveID, BOOL bTransparent, COLORREF clrTrans,
                                    int iTransPixelX, int iTransPixelY)
{
    m_sliderLevel.SetBitmapThumb(nThumbID, nActiveID, bTransparent, clrTrans, iTransPixelX, iTransPixelY);
}

void CGainDlg::SetFaderRange(int nLow, int nHigh, BOOL bRedraw) { m_sliderLevel.SetRange(nLow, nHigh, bRedraw); }

void CGainDlg::SetLevel(int v)
{
    m_spinLevel.SetPos(v);
    m_sliderLevel.SetValue(v);
    m_editLevel.SetValue(v);
    m_btnOn.SetCheck(g_bySysParams[kOutputSwitchByte] == 0);
}

int CGainDlg::GetLevel() const { return m_sliderLevel.GetValue(); }

void CGainDlg::OnLevelFromField()
{
    m_nLevel = m_spinLevel.GetPos();
    m_sliderLevel.SetValue(m_nLevel);
    if (CWnd* page = GetParent())
        page->PostMessage(WM_MASTER_LEVEL_CHANGED, WPARAM(GetDlgCtrlID()), LPARAM(m_nLevel));
}

void CGainDlg::OnLevelFromFader(BOOL bReleased)
{
    m_spinLevel.SetPos(m_sliderLevel.GetValue());
    if (bReleased)
        m_editLevel.SetFocus();
    if (CWnd* page = GetParent())
        page->PostMessage(WM_MASTER_LEVEL_CHANGED, WPARAM(GetDlgCtrlID()), LPARAM(m_sliderLevel.GetValue()));
}

void CGainDlg::OnToggle()
{
    // The button never changes its own check: the state before the click is the new switch
    // value, so each click flips the byte and the button is checked while the output is off.
    m_bToggle = m_btnOn.GetCheck();
    g_bySysParams[kOutputSwitchByte] = BYTE(m_bToggle);
    if (g_pPageHost)
        g_pPageHost->SetSysCmd5Pending(TRUE);
    m_btnOn.SetCheck(m_bToggle == 0);
}

BOOL CGainDlg::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDC_GAIN_LEVEL_EDIT:
        // The field's value notice carries no code; its other notices are not new values.
        if (HIWORD(wParam) == 0)
            OnLevelFromField();
        return TRUE;
    case IDC_GAIN_LEVEL_SPIN:
        OnLevelFromField();
        return TRUE;
    case IDC_GAIN_ON:
        if (HIWORD(wParam) == BN_CLICKED)
            OnToggle();
        return TRUE;
    default:
        return FALSE;
    }
}

void CGainDlg::OnFieldKey(UINT nID, UINT nKey)
{
    if (nID != IDC_GAIN_LEVEL_EDIT)
        return;
    CWnd* page = GetParent();
    if (!page)
        return;
    if (nKey == VK_LEFT) {
        if (CWnd* target = page->GetDlgItem(int(IDC_GAIN_LEFT_TARGET)))
            target->SetFocus();
    } else if (nKey == VK_RIGHT) {
        // The first strip is the page's first child panel that holds a strip gain field.
        for (CWnd* child = page->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
            if (CWnd* target = child->GetDlgItem(int(IDC_GAIN_RIGHT_TARGET))) {
                target->SetFocus();
                break;
            }
    }
}

LRESULT CGainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SLIDER_MOVING:
    case WM_SLIDER_MOVED:
        if (wParam == IDC_GAIN_FADER)
            OnLevelFromFader(message == WM_SLIDER_MOVED);
        return 1;
    case WM_DROPLIST_SELCHANGE:
        if (CWnd* page = GetParent())
            page->PostMessage(WM_DELAY_UNIT_CHANGED, WPARAM(GetDlgCtrlID()), LPARAM(m_btnUnit.GetCurSel() + 1));
        return 0;
    case WM_NUMEDIT_KEYDOWN:
        OnFieldKey(UINT(wParam), UINT(lParam));
        return 0;
    case WM_KEY_ENTER:
        OnFieldKey(UINT(wParam), VK_RIGHT);
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CGainDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(pMsg);
    CWnd* focus = GetFocus();
    const WPARAM id = (focus && IsEdit(focus)) ? WPARAM(focus->GetDlgCtrlID()) : 0;
    switch (pMsg->wParam) {
    case VK_RETURN:
        if (id)
            PostMessage(WM_KEY_ENTER, id, 0);
        return FALSE;
    case VK_TAB:
    case VK_RIGHT:
        if (id)
            PostMessage(WM_NUMEDIT_KEYDOWN, id, VK_RIGHT);
        return FALSE;
    case VK_LEFT:
        if (id)
            PostMessage(WM_NUMEDIT_KEYDOWN, id, VK_LEFT);
        return FALSE;
    case VK_ESCAPE:
        SetFocus();
        return TRUE;
    default:
        return CDialog::PreTranslateMessage(pMsg);
    }
}

void CGainDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, m_bmpBack);
}
