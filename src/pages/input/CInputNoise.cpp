#include "CInputNoise.h"

#include "AppMessages.h"
#include "CPageHost.h"
#include "CRouteMixCom.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "PromptLayout.h"
#include "SceneImage.h"

namespace {

constexpr int kBackWidth = 240;  // background pictures 1040 and 1041
constexpr int kBackHeight = 138;
constexpr int kSwitchByte = 1;    // of g_bySysParams
constexpr int kPercentByte = 6;   // of g_bySysGroup8
constexpr COLORREF kLabelColour = RGB(214, 216, 220);

// Template 1039 (191 x 91 dialog units) laid over its 240 x 138 background: dialog units to
// pixels of the picture.
CRect TemplateRect(int x, int y, int cx, int cy)
{
    auto px = [](int v) { return v * kBackWidth / 191; };
    auto py = [](int v) { return v * kBackHeight / 91; };
    return CRect(px(x), py(y), px(x + cx), py(y + cy));
}

const char* const kEntries[5] = {"0%", "30%", "50%", "80%", "100%"};
const int kEntryBytes[5] = {100, 70, 50, 20, 0};

// The two labels of the background, drawn into it once it is loaded.
void DrawLabels(CBitmap& bmp, bool bChinese)
{
    PaintOnBitmap(bmp, &g_fontArial16, kLabelColour, [bChinese](CDC& dc) {
        CRect sw = TemplateRect(10, 22, 100, 11);
        CRect pc = TemplateRect(10, 55, 100, 14);
        dc.DrawText(bChinese ? "开关" : "Switch", &sw, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        dc.DrawText(bChinese ? "百分比" : "Percentage", &pc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    });
}

}  // namespace

int AdvPercentByteOfEntry(int nEntry) { return nEntry >= 1 && nEntry <= 4 ? kEntryBytes[nEntry] : 100; }

int AdvPercentEntryOfByte(int nByte)
{
    for (int e = 1; e <= 4; ++e)
        if (kEntryBytes[e] == nByte)
            return e;
    return 0;
}

CInputNoise::CInputNoise(CWnd* pParent) : CDialog(IDD_ADVANCED_SETTINGS, pParent)
{
    // The client area is the background's, which carries the labels.
    RegisterDialogTemplate(IDD_ADVANCED_SETTINGS, DialogTemplate{"Advanced settings", kBackWidth, kBackHeight, 0});
    m_bmpBackCn.LoadBitmap(IDB_ADV_BACK_CN);
    m_bmpBackEn.LoadBitmap(IDB_ADV_BACK_EN);
    DrawLabels(m_bmpBackCn, true);
    DrawLabels(m_bmpBackEn, false);
}

BOOL CInputNoise::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(g_bChinese ? "高级设置" : "Advanced settings");

    m_btnSwitch.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, TemplateRect(118, 22, 40, 11), this, IDC_ADV_SWITCH);
    m_btnSwitch.SetBitmaps(IDB_ADV_SWITCH_OFF, IDB_ADV_SWITCH_OFF, IDB_ADV_SWITCH_ON, IDB_ADV_SWITCH_ON,
                           IDB_ADV_SWITCH_ON, IDB_ADV_SWITCH_OFF);
    m_btnSwitch.SetCheck(g_bySysParams[kSwitchByte]);

    m_cmbPercent.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, TemplateRect(123, 55, 50, 14), this, IDC_ADV_PERCENT);
    m_cmbPercent.SetBitmaps(763, 764);
    m_cmbPercent.CreateDropList(this, NOTIFY_ADV_PERCENT);
    m_cmbPercent.ResetContent();
    for (const char* e : kEntries)
        m_cmbPercent.AddString(e);
    m_cmbPercent.SetMoveNotify(1);
    m_cmbPercent.SetCurSel(AdvPercentEntryOfByte(g_bySysGroup8[kPercentByte]));

    struct Pair {
        CNumEdit& edit;
        CNumSpin& spin;
        UINT editID, spinID;
        int nMin, nMax;
        double dOffset;
        int nType;
        const char* unit;
        int nLimit;
    };
    const Pair pairs[3] = {
        {m_editA, m_spinA, IDC_ADV_EDIT_A, IDC_ADV_SPIN_A, 0, 120, 120.0, 26, "", 8},
        {m_editB, m_spinB, IDC_ADV_EDIT_B, IDC_ADV_SPIN_B, 0, 120, 120.0, 38, "dB", 8},
        {m_editC, m_spinC, IDC_ADV_EDIT_C, IDC_ADV_SPIN_C, 2, 30, 1.0, 20, "s", 6},
    };
    for (const Pair& p : pairs) {
        p.edit.Create(WS_CHILD | WS_DISABLED | ES_CENTER, TemplateRect(0, 0, 30, 10), this, p.editID);
        p.spin.Create(WS_CHILD | WS_DISABLED | UDS_ARROWKEYS | UDS_ALIGNRIGHT, TemplateRect(30, 0, 8, 10), this, p.spinID);
        p.spin.SetBuddy(&p.edit);
        p.spin.SetRange(p.nMin, p.nMax);
        p.edit.SetScale(1.0);
        p.edit.SetOffset(p.dOffset);
        p.edit.SetType(p.nType, p.unit);
        p.edit.LimitText(p.nLimit);
        p.edit.SetFont(&g_fontArial16);
    }
    return TRUE;
}

void CInputNoise::Send(int nCmd)
{
    if (m_pView)
        m_pView->SendCommand(nCmd, 0);
}

void CInputNoise::OnSwitch()
{
    const BYTE v = m_btnSwitch.GetCheck() ? 0 : 1;
    g_bySysParams[kSwitchByte] = v;
    m_btnSwitch.SetCheck(v);
    Send(5);
}

void CInputNoise::OnDropListSelect(UINT nNotifyId, int)
{
    if (nNotifyId != NOTIFY_ADV_PERCENT)
        return;
    g_bySysGroup8[kPercentByte] = BYTE(AdvPercentByteOfEntry(m_cmbPercent.GetCurSel()));
    Send(8);
}

void CInputNoise::OnPair(CNumSpin& spin, CNumEdit& edit, int nByte)
{
    const int v = spin.GetPos();
    if (v == g_bySysGroup8[nByte])
        return;
    edit.SetValue(v);
    spin.SetPos(v);
    g_bySysGroup8[nByte] = BYTE(v);
    // Command 2 as before; the byte itself travels with command 8.
    Send(2);
    Send(8);
}

BOOL CInputNoise::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    switch (id) {
    case IDC_ADV_SWITCH:
        if (HIWORD(wParam) == BN_CLICKED)
            OnSwitch();
        return TRUE;
    case IDC_ADV_EDIT_A:
    case IDC_ADV_SPIN_A:
        if (HIWORD(wParam) == 0)
            OnPair(m_spinA, m_editA, 5);
        return TRUE;
    case IDC_ADV_EDIT_B:
    case IDC_ADV_SPIN_B:
        if (HIWORD(wParam) == 0)
            OnPair(m_spinB, m_editB, 6);
        return TRUE;
    case IDC_ADV_EDIT_C:
    case IDC_ADV_SPIN_C:
        if (HIWORD(wParam) == 0)
            OnPair(m_spinC, m_editC, 7);
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

LRESULT CInputNoise::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPLIST_SELCHANGE) {
        OnDropListSelect(UINT(wParam), int(lParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CInputNoise::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        SetFocus();
        return FALSE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CInputNoise::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
}

BOOL CInputNoise::OnEraseBkgnd(CDC*) { return TRUE; }
