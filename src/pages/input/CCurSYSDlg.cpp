#include "CCurSYSDlg.h"

#include "CKTV_Data.h"
#include "CDC.h"
#include "CKTV_OutData.h"
#include "CMusic_InData.h"
#include "DialogUnits.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "NumDisplayTypes.h"

#include <algorithm>
#include <cstdio>

namespace {

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(80, "Arial");  // template 108: Arial 8 pt
    return units;
}

constexpr int kWidthDlu = 730;
constexpr int kHeightDlu = 271;
constexpr int kRowStepDlu = 118;   // second row of channels
constexpr int kNoiseMax = 100;
constexpr int kSpinWidth = 9;   // pixels, at the right edge of each field
constexpr COLORREF kBack = RGB(46, 49, 56);
constexpr COLORREF kLabel = RGB(214, 216, 220);

const SysFieldInfo kFields[SYS_FIELDS] = {
    {5620, 5650, 24, "", 0.1, 30.0, 0, LIMIT_LEVEL_MAX},
    {5630, 5660, NUMTYPE_ATTACK, "", 1.0, 0.0, 0, LIMIT_ATTACK_MAX},
    {5700, 5710, 6, "ms", 1.0, 0.0, RELEASE_MS_MIN, RELEASE_MS_MAX},
    {9500, 9540, 24, "", 0.1, 30.0, 0, COMP_LEVEL_MAX},
    {9510, 9550, NUMTYPE_RATIO, "", 1.0, 0.0, COMP_RATIO_MIN, COMP_RATIO_MAX},
    {9520, 9560, NUMTYPE_ATTACK, "", 1.0, 0.0, 0, LIMIT_ATTACK_MAX},
    {9530, 9570, 6, "ms", 1.0, 0.0, RELEASE_MS_MIN, RELEASE_MS_MAX},
};

// Where a field family sits: x of columns 0..3 and y of the first row, dialog units.
const int kLimitX[4] = {42, 213, 385, 557};
const int kCompX[4] = {158, 329, 501, 674};
const int kFieldY[SYS_FIELDS] = {48, 100, 126, 48, 74, 100, 126};
const int kGroupX[4] = {39, 210, 382, 554};
const int kGraphX[4] = {88, 259, 431, 603};

bool IsLimiterField(int f) { return f <= SYS_LIMIT_RELEASE; }
// Fields whose change moves the channel's curve.
bool MovesCurve(int f) { return f == SYS_LIMIT_LEVEL || f == SYS_COMP_LEVEL || f == SYS_COMP_RATIO; }

CRect FieldRect(int f, int n)
{
    const int c = n % 4;
    const int x = IsLimiterField(f) ? kLimitX[c] : kCompX[c];
    const int y = kFieldY[f] + (n / 4) * kRowStepDlu;
    const int cx = (IsLimiterField(f) && n == 7) ? 40 : 44;
    return Units().Rect(x, y, cx, 12);
}

struct LabelPlace {
    UINT nID;
    const char* text;
    int y;
};
const LabelPlace kRowLabels[8] = {
    {5600, "Level", 47}, {9136, "Ratio", 74}, {5601, "At.Time", 100}, {5602, "Re.Time", 126},
    {5603, "Level", 167}, {9137, "Ratio", 191}, {5604, "At.Time", 217}, {5605, "Re.Time", 244},
};

}  // namespace

const SysFieldInfo& GetSysFieldInfo(int nField) { return kFields[std::clamp(nField, 0, SYS_FIELDS - 1)]; }

int GetSysFieldValue(const CKTV_OutData& out, int nField)
{
    switch (nField) {
    case SYS_LIMIT_LEVEL: return out.GetLimitThreshold();
    case SYS_LIMIT_ATTACK: return out.GetLimitAttack();
    case SYS_LIMIT_RELEASE: return ReleaseCodeToMs(out.GetLimitRelease());
    case SYS_COMP_LEVEL: return out.GetCompThreshold();
    case SYS_COMP_RATIO: return out.GetCompRatio();
    case SYS_COMP_ATTACK: return out.GetCompAttack();
    case SYS_COMP_RELEASE: return ReleaseCodeToMs(out.GetCompRelease());
    default: return 0;
    }
}

CCurSYSDlg::CCurSYSDlg(CWnd* pParent) : CDialog(IDD_SYSTEM, pParent)
{
    Units().RegisterTemplate(IDD_SYSTEM, "System", kWidthDlu, kHeightDlu);
    m_brushBack.CreateSolidBrush(kBack);
}

void CCurSYSDlg::CreateControls()
{
    CFont* font = &g_fontArial14;
    for (int n = 0; n < SYS_CHANNELS; ++n) {
        const int c = n % 4;
        const int y = 35 + (n / 4) * kRowStepDlu;
        char title[40];
        std::snprintf(title, sizeof title, "CH%d  Limiter && Compression", n + 1);
        m_group[n].Create(title, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, Units().Rect(kGroupX[c], y, c == 3 ? 168 : 166, 108),
                          this, IDC_SYS_GROUP + n);
        m_group[n].SetFont(font);
        m_graph[n].Create("", WS_CHILD | WS_VISIBLE, Units().Rect(kGraphX[c], 49 + (n / 4) * kRowStepDlu, 67, 90), this,
                          IDC_SYS_GRAPH + n);
        for (int f = 0; f < SYS_FIELDS; ++f) {
            const CRect rc = FieldRect(f, n);
            CRect editRc = rc;
            editRc.right -= kSpinWidth;
            m_edit[f][n].Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER, editRc, this, kFields[f].nEditBase + n);
            m_edit[f][n].SetFont(font);
            m_spin[f][n].Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_ALIGNRIGHT,
                                CRect(editRc.right, rc.top, rc.right, rc.bottom), this, kFields[f].nSpinBase + n);
        }
    }
    for (int i = 0; i < 8; ++i) {
        m_labelRow[i].Create(kRowLabels[i].text, WS_CHILD | WS_VISIBLE, Units().Rect(8, kRowLabels[i].y, 28, 12), this,
                             kRowLabels[i].nID);
    }
    m_labelSource.Create("Source", WS_CHILD | WS_VISIBLE, Units().Rect(42, 7, 40, 10), this, 2061);
    m_labelNoise.Create("NoiseGate", WS_CHILD | WS_VISIBLE, Units().Rect(130, 2, 50, 10), this, 2062);
    m_comboSource.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, Units().Rect(39, 18, 48, 60), this, IDC_SYS_SOURCE);
    m_comboSource.SetFont(font);
    m_editNoise.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER, Units().Rect(127, 13, 40, 12), this,
                       IDC_SYS_NOISE_EDIT);
    m_editNoise.SetFont(font);
    m_spinNoise.Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_ALIGNRIGHT, Units().Rect(167, 13, 8, 12), this,
                       IDC_SYS_NOISE_SPIN);
}

BOOL CCurSYSDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateControls();
    for (CFontStatic& label : m_labelRow) {
        label.SetFontSize(15);
        label.SetAlignLeft(TRUE);
        label.SetTextColor(kLabel);
    }
    m_labelSource.SetFontSize(15);
    m_labelSource.SetTextColor(kLabel);
    m_labelNoise.SetFontSize(15);
    m_labelNoise.SetTextColor(kLabel);
    SetWindowText(g_bChinese ? "系统" : "System");

    for (const char* item : {"Main", "AUX", "High", "Bluetooth"})
        m_comboSource.AddString(item);
    // The noise gate here belongs to music input 1, the main input; the selector only says so.
    m_comboSource.SetCurSel(0);
    m_comboSource.EnableWindow(FALSE);

    m_spinNoise.SetBuddy(&m_editNoise);
    m_spinNoise.SetRange(0, kNoiseMax);
    m_editNoise.SetScale(1.0);
    m_editNoise.SetOffset(120.0);
    m_editNoise.SetType(NUMTYPE_LEVEL_OFF0, "");
    m_editNoise.LimitText(8);
    SetupControls();
    LoadChannels();
    return TRUE;
}

void CCurSYSDlg::SetupControls()
{
    for (int n = 0; n < SYS_CHANNELS; ++n) {
        for (int f = 0; f < SYS_FIELDS; ++f) {
            const SysFieldInfo& info = kFields[f];
            m_spin[f][n].SetBuddy(&m_edit[f][n]);
            m_edit[f][n].SetType(info.nType, info.pszUnit);
            m_edit[f][n].SetScale(info.dScale);
            m_edit[f][n].SetOffset(info.dOffset);
            m_spin[f][n].SetRange(info.nMin, info.nMax);
        }
        m_graph[n].InitPlotArea();
        m_graph[n].SetMode(CCOM_EXT_LIMStatic::kModeLimiter);
    }
}

void CCurSYSDlg::ShowValue(int nField, int n, int v)
{
    const SysFieldInfo& info = kFields[nField];
    m_spin[nField][n].SetPos(std::clamp(v, info.nMin, info.nMax));
}

void CCurSYSDlg::LoadChannels()
{
    if (!m_pScene)
        return;
    m_pMusic = m_pScene->GetMusicData(0);
    if (m_pMusic)
        m_spinNoise.SetPos(std::clamp<int>(m_pMusic->GetNoiseGate(), 0, kNoiseMax));
    for (int n = 0; n < SYS_CHANNELS; ++n) {
        const CKTV_OutData* out = m_pScene->GetOutData(n);
        if (!out)
            continue;
        for (int f = 0; f < SYS_FIELDS; ++f)
            ShowValue(f, n, GetSysFieldValue(*out, f));
        m_graph[n].AttachScene(m_pScene);
        m_graph[n].SelectChannel(n);
    }
}

void CCurSYSDlg::OnFieldChanged(int nField, int n)
{
    CKTV_OutData* out = m_pScene ? m_pScene->GetOutData(n) : nullptr;
    if (!out)
        return;
    m_pOut = out;
    int v = m_spin[nField][n].GetPos();
    switch (nField) {
    case SYS_LIMIT_LEVEL:
        if (v < out->GetCompThreshold()) {
            v = out->GetCompThreshold();
            ShowValue(nField, n, v);
        }
        out->SetLimitThreshold(short(v));
        break;
    case SYS_LIMIT_ATTACK: out->SetLimitAttack(short(v)); break;
    case SYS_LIMIT_RELEASE: out->SetLimitRelease(short(ReleaseMsToCode(v))); break;
    case SYS_COMP_LEVEL:
        if (v > out->GetLimitThreshold()) {
            v = out->GetLimitThreshold();
            ShowValue(nField, n, v);
        }
        out->SetCompThreshold(v);
        break;
    case SYS_COMP_RATIO: out->SetCompRatio(v); break;
    case SYS_COMP_ATTACK: out->SetCompAttack(v); break;
    case SYS_COMP_RELEASE: out->SetCompRelease(ReleaseMsToCode(v)); break;
    default: return;
    }
    if (MovesCurve(nField))
        m_graph[n].UpdateCurve();
    RefreshGroup(nField, n);
}

void CCurSYSDlg::RefreshGroup(int nField, int n)
{
    for (int i = 0; i < SYS_CHANNELS; ++i) {
        if (!IsLinkedOutput(i, n))
            continue;
        const CKTV_OutData* out = m_pScene->GetOutData(i);
        if (!out)
            continue;
        ShowValue(nField, i, GetSysFieldValue(*out, nField));
        if (MovesCurve(nField))
            m_graph[i].UpdateCurve();
    }
}

void CCurSYSDlg::OnNoiseGate()
{
    m_pMusic = m_pScene ? m_pScene->GetMusicData(0) : nullptr;
    if (m_pMusic)
        m_pMusic->SetNoiseGate(BYTE(m_spinNoise.GetPos()));
}

BOOL CCurSYSDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == IDC_SYS_NOISE_EDIT || id == IDC_SYS_NOISE_SPIN) {
        if (HIWORD(wParam) == 0)
            OnNoiseGate();
        return TRUE;
    }
    for (int f = 0; f < SYS_FIELDS; ++f) {
        const SysFieldInfo& info = kFields[f];
        const bool edit = id >= info.nEditBase && id < info.nEditBase + SYS_CHANNELS;
        const bool spin = id >= info.nSpinBase && id < info.nSpinBase + SYS_CHANNELS;
        if (edit || spin) {
            if (HIWORD(wParam) == 0)
                OnFieldChanged(f, int(id - (edit ? info.nEditBase : info.nSpinBase)));
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

HBRUSH CCurSYSDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    // A dark face under the program's white field texts.
    if (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_BTN) {
        pDC->SetTextColor(kLabel);
        pDC->SetBkColor(kBack);
        pDC->SetBkMode(TRANSPARENT);
        return HBRUSH(m_brushBack.GetSafeHandle());
    }
    return hbr;
}

BOOL CCurSYSDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Esc commit the field being typed in; neither closes the dialog.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        SetFocus();
        return FALSE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
