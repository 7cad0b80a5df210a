#include "CDelayDlg.h"

#include "AppMessages.h"
#include "CKTV_OutData.h"
#include "CWindowDC.h"
#include "Convert.h"
#include "DialogUnits.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "NumDisplayTypes.h"
#include "PromptLayout.h"

#include <algorithm>

namespace {

// Template 1049, in dialog units of Arial 7 pt.
constexpr int kWidthDlu = 219;
constexpr int kHeightDlu = 201;
constexpr int kFontTenthsOfPoint = 70;
constexpr int kFieldChars = 5;

struct Place {
    int x, y;            // button, dialog units
    UINT normal;         // PNG ids: normal, hover, pressed follow
};

// Front pair, two side pairs, then the two rear positions.
const Place kPlaces[DELAY_DLG_CHANNELS] = {
    {40, 24, 7100},  {165, 24, 7110}, {40, 74, 7103},  {165, 74, 7113},
    {40, 124, 7103}, {165, 124, 7113}, {62, 164, 585}, {143, 164, 588},
};

CSize PanelBaseUnits()
{
    static const CSize base = [] {
        CFont font;
        font.CreatePointFont(kFontTenthsOfPoint, "Arial");
        return GetDialogBaseUnits(&font);
    }();
    return base;
}

bool InRange(int c) { return c >= 0 && c < DELAY_DLG_CHANNELS; }

}  // namespace

CDelayDlg::CDelayDlg(CWnd* pParent) : CDialog(IDD_DELAY, pParent)
{
    m_bmpBackCn.LoadBitmap(IDB_DELAY_BACK_CN);
    m_bmpBackEn.LoadBitmap(IDB_DELAY_BACK_EN);
}

BOOL CDelayDlg::CreatePanel(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    // A child panel, not a top-level dialog: made directly as a child window.
    const CSize base = PanelBaseUnits();
    const CRect rc(0, 0, DialogUnitsToPixelsX(kWidthDlu, base), DialogUnitsToPixelsY(kHeightDlu, base));
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, rc, pParent, IDD_DELAY))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

BOOL CDelayDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CSize base = PanelBaseUnits();
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c) {
        const Place& p = kPlaces[c];
        m_btnPos[c].Create("", WS_CHILD | WS_VISIBLE, DialogRect(p.x, p.y, 14, 14, base), this,
                           IDC_DELAY_BUTTON + c);
        m_btnPos[c].SetPngImages(p.normal, p.normal + 1, p.normal + 2);
        m_btnPos[c].SetCheckedPngImages(p.normal + 2, p.normal + 2, p.normal + 2);

        m_editDelay[c].Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, DialogRect(p.x - 18, p.y + 16, 50, 10, base), this,
                              IDC_DELAY_EDIT + c);
        m_editDelay[c].SetFont(&g_fontArial14);
        m_editDelay[c].LimitText(kFieldChars);
        m_editDelay[c].SetType(NUMTYPE_DELAY_MS, "MS");

        m_spinDelay[c].Create(WS_CHILD, DialogRect(p.x + 32, p.y + 16, 8, 10, base), this, IDC_DELAY_SPIN + c);
        m_spinDelay[c].SetBuddy(&m_editDelay[c]);
        m_spinDelay[c].SetRange(0, DELAY_MAX_STEPS);
        m_spinDelay[c].SetPos(0);
    }
    return TRUE;
}

void CDelayDlg::LoadDelays()
{
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c)
        if (g_pOutChannel[c])
            m_spinDelay[c].SetPos(g_pOutChannel[c]->GetDelay());
}

void CDelayDlg::SetDelayUnit(int nUnit)
{
    int type;
    const char* unit;
    switch (nUnit) {
    case DELAY_UNIT_MS: type = NUMTYPE_DELAY_MS; unit = "MS"; break;
    case DELAY_UNIT_CM: type = NUMTYPE_DELAY_CM; unit = "CM"; break;
    case DELAY_UNIT_INCH: type = NUMTYPE_DELAY_INCH; unit = "INCH"; break;
    default: return;
    }
    for (int c = 0; c < DELAY_DLG_CHANNELS; ++c) {
        m_editDelay[c].SetType(type, unit);
        m_editDelay[c].UpdateText();
    }
}

void CDelayDlg::SetButtonSelected(int c, BOOL bSelected)
{
    if (InRange(c))
        m_btnPos[c].SetCheck(bSelected);
}

void CDelayDlg::OnDelayChanged(int c)
{
    CKTV_OutData* out = g_pOutChannel[c];
    if (!out)
        return;
    const int step = m_spinDelay[c].GetPos();
    const int diff = step - out->GetDelay();
    if (diff == 0)
        return;
    out->SetDelay(short(step));
    if (!m_bLinkDelay)
        return;
    for (int k = 0; k < DELAY_DLG_CHANNELS; ++k) {
        if (!IsLinkedOutput(k, c) || !g_pOutChannel[k])
            continue;
        const int moved = std::clamp(g_pOutChannel[k]->GetDelay() + diff, 0, DELAY_MAX_STEPS);
        g_pOutChannel[k]->SetDelay(short(moved));
        m_spinDelay[k].SetPos(moved);
    }
}

BOOL CDelayDlg::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT id = LOWORD(wParam);
    if (id >= IDC_DELAY_EDIT && id < IDC_DELAY_EDIT + DELAY_DLG_CHANNELS && HIWORD(wParam) == 0) {
        OnDelayChanged(int(id - IDC_DELAY_EDIT));
        return TRUE;
    }
    if (id >= IDC_DELAY_SPIN && id < IDC_DELAY_SPIN + DELAY_DLG_CHANNELS) {
        OnDelayChanged(int(id - IDC_DELAY_SPIN));
        return TRUE;
    }
    if (id >= IDC_DELAY_BUTTON && id < IDC_DELAY_BUTTON + DELAY_DLG_CHANNELS && HIWORD(wParam) == BN_CLICKED) {
        if (CWnd* owner = GetParent())
            owner->PostMessage(WM_STRIP_SELECT, WPARAM(id - IDC_DELAY_BUTTON), 0);
        return TRUE;
    }
    return FALSE;
}

void CDelayDlg::MoveFocus(int c, int nStep)
{
    const int next = (c + nStep + DELAY_DLG_CHANNELS) % DELAY_DLG_CHANNELS;
    m_editDelay[next].SetFocus();
}

void CDelayDlg::OnFieldKey(UINT nID, UINT nKey)
{
    if (nID < IDC_DELAY_EDIT || nID >= IDC_DELAY_EDIT + DELAY_DLG_CHANNELS)
        return;
    const int c = int(nID - IDC_DELAY_EDIT);
    if (nKey == VK_RETURN || nKey == VK_TAB || nKey == VK_RIGHT)
        MoveFocus(c, 1);
    else if (nKey == VK_LEFT)
        MoveFocus(c, -1);
}

LRESULT CDelayDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NUMEDIT_KEYDOWN) {
        OnFieldKey(UINT(wParam), UINT(lParam));
        return 0;
    }
    if (message == WM_KEY_ENTER) {
        OnFieldKey(UINT(wParam), VK_RIGHT);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CDelayDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter, Esc and Tab belong to the fields (they step through them), not to dialog keys.
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_TAB))
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CDelayDlg::OnOK() {}

void CDelayDlg::OnCancel() {}

void CDelayDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
}
