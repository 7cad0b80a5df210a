#include "COutRoute_Dlg.h"

#include "AppMessages.h"
#include "OutputPageGlobals.h"
#include "CMenu.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "MenuTemplate.h"
#include "NumDisplayTypes.h"
#include "PromptLayout.h"
#include "SceneImage.h"
#include "SpeakerTable.h"
#include "SpeakerTypeMenus.h"
#include "SpeakerTypes.h"
#include "WinApi.h"

#include <cstring>

namespace {

constexpr COLORREF kFrame = RGB(238, 49, 64);
constexpr COLORREF kBack = RGB(0x2B, 0x2E, 0x33);  // shown where the background picture is missing
constexpr UINT kFlagOff = 854;
constexpr UINT kFlagOn = 855;
constexpr int kGainMax = 600;
constexpr int kDelayMax = 960;

// Messages of the twelve flag toggles, in toggle order (2819..2824, 2830..2835).
const UINT kFlagMessage[STRIP_FLAGS] = {
    WM_STRIP_FLAG_BIT1, WM_STRIP_FLAG_BIT2, WM_STRIP_FLAG_BIT0, WM_STRIP_FLAG_BIT4, WM_USER + 213, WM_USER + 214,
    WM_USER + 215,      WM_USER + 216,      WM_USER + 217,      WM_USER + 218,      WM_USER + 219, WM_USER + 220,
};

UINT FlagId(int i) { return i < 6 ? IDC_STRIP_FLAG_FIRST + UINT(i) : IDC_STRIP_FLAG_SECOND + UINT(i - 6); }

int FlagIndexOf(UINT nID)
{
    for (int i = 0; i < STRIP_FLAGS; ++i)
        if (FlagId(i) == nID)
            return i;
    return -1;
}

// Source labels: high-level 1..6, AUX 1..2, optical L/R, Bluetooth L/R.
const char* const kSourceCn[STRIP_SOURCES] = {"高1", "高2", "高3", "高4", "高5", "高6",
                                              "低1", "低2", "光左", "光右", "蓝左", "蓝右"};
const char* const kSourceEn[STRIP_SOURCES] = {"Hi.1", "Hi.2", "Hi.3", "Hi.4", "Hi.5",  "Hi.6",
                                              "AUX1", "AUX2", "SP-L", "SP-R", "BLE-L", "BLE-R"};

}  // namespace

COutRoute_Dlg::COutRoute_Dlg() : CDialog(IDD_OUTPUT_STRIP) {}

BOOL COutRoute_Dlg::CreateStrip(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, STRIP_WIDTH, STRIP_HEIGHT), pParent, IDD_OUTPUT_STRIP))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

BOOL COutRoute_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bCurrent = 0;
    const DWORD vis = WS_CHILD | WS_VISIBLE;

    m_btnSpeakerType.Create("", vis, CRect(9, 8, 91, 32), this, IDC_STRIP_SPEAKER);
    m_btnSelect.Create("", vis, CRect(9, 36, 91, 60), this, IDC_STRIP_SELECT);
    m_btnOn.Create("", vis, CRect(20, 64, 80, 88), this, IDC_STRIP_ON);
    m_btnPolarity.Create("", vis, CRect(20, 92, 80, 116), this, IDC_STRIP_POLARITY);
    m_sliderGain.Create("", vis | SS_NOTIFY, CRect(8, 120, 40, 240), this, IDC_STRIP_FADER);
    m_editGain.Create(vis | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, CRect(44, 122, 94, 140), this,
                      IDC_STRIP_GAIN_EDIT);
    m_spinGain.Create(WS_CHILD, CRect(0, 0, 0, 0), this, IDC_STRIP_GAIN_SPIN);
    m_editDelay.Create(WS_CHILD | WS_DISABLED | ES_CENTER, CRect(44, 142, 94, 158), this, IDC_STRIP_DELAY_EDIT);
    m_spinDelay.Create(WS_CHILD, CRect(0, 0, 0, 0), this, IDC_STRIP_DELAY_SPIN);
    for (int i = 0; i < STRIP_FLAGS; ++i) {
        const bool visible = i < 3;
        const DWORD style = WS_CHILD | (visible ? WS_VISIBLE : 0) | (i >= 6 ? WS_DISABLED : 0);
        const int y = 170 + 22 * (i < 3 ? i : 0);
        m_btnFlag[i].Create("", style, CRect(50, y, 90, y + 18), this, FlagId(i));
    }
    m_btnGroup.Create("", WS_CHILD, CRect(0, 0, 20, 20), this, IDC_STRIP_GROUP);
    for (int i = 0; i < STRIP_SOURCES; ++i)
        m_stcSource[i].Create("", WS_CHILD | WS_DISABLED, CRect(0, 0, 30, 12), this, IDC_STRIP_SOURCE + UINT(i));

    // Gain: step 0..600 shown as step x 0.1 - 60 dB.
    m_spinGain.SetBuddy(&m_editGain);
    m_spinGain.SetRange(0, kGainMax);
    m_editGain.SetScale(0.1);
    m_editGain.SetOffset(60.0);
    m_editGain.SetType(NUMTYPE_LEVEL_OFF0, "");
    m_editGain.LimitText(6);
    m_editGain.SetFont(&g_fontArial14);
    m_editGain.SetBuddySlider(&m_sliderGain);
    m_sliderGain.SetRange(0, kGainMax);
    m_sliderGain.SetMargin(12, 0, 8, 0);
    m_sliderGain.SetBuddy(&m_editGain);
    m_sliderGain.SetMoveNotify(1);

    m_spinDelay.SetBuddy(&m_editDelay);
    m_spinDelay.SetRange(0, kDelayMax);
    m_editDelay.LimitText(5);
    m_editDelay.SetType(NUMTYPE_DELAY_MS, "");
    m_spinDelay.SetPos(0);

    for (int i = 0; i < STRIP_FLAGS; ++i)
        m_btnFlag[i].SetBitmaps(kFlagOff, kFlagOn, kFlagOn, 0, 0, 0);
    m_btnFlag[2].SetDisabledBitmaps(1048, 1048);
    m_btnFlag[3].SetDisabledBitmaps(1048, 1048);
    HighlightSourceLabels(g_byInputSource);

    m_btnOn.SetBitmaps(528, 530, 526, 526, 527, 528);
    m_btnSpeakerType.SetBitmaps(594, 595, 596, 596, 596, 596);
    m_btnSpeakerType.SetTextOffset(FALSE, 0);
    m_btnSpeakerType.SetTextColors(RGB(220, 220, 220), RGB(255, 102, 0), RGB(255, 102, 0), RGB(220, 220, 220),
                                   RGB(220, 220, 220), RGB(220, 220, 220));
    m_btnSpeakerType.SetDisabledBitmaps(641, 641);
    m_btnSpeakerType.SetDisabledTextColor(RGB(100, 100, 100));
    m_btnSpeakerType.SetFonts(&g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14,
                              &g_fontArial14);
    SetPolarityImages();
    return TRUE;
}

// ---- looks ----

void COutRoute_Dlg::SetBackgroundBitmap(UINT nID)
{
    m_bmpBack.DeleteObject();
    m_nBackWidth = m_nBackHeight = 0;
    if (m_bmpBack.LoadBitmap(nID)) {
        BITMAP bm = {};
        m_bmpBack.GetBitmap(&bm);
        m_nBackWidth = bm.bmWidth;
        m_nBackHeight = bm.bmHeight;
    }
    if (GetSafeHwnd())
        Invalidate();
}

void COutRoute_Dlg::SetSelectBitmaps(UINT nNormal, UINT nHover, UINT nPressed)
{
    m_btnSelect.SetBitmaps(nNormal, nHover, nPressed, nPressed, nPressed, nPressed);
}

void COutRoute_Dlg::SetFaderChannelBitmaps(UINT nChannel, UINT nActive, BOOL bTransparent, COLORREF clrKey, int xKey,
                                           int yKey)
{
    m_sliderGain.SetBitmapChannel(nChannel, nActive, bTransparent, clrKey, xKey, yKey);
}

void COutRoute_Dlg::SetFaderThumbBitmaps(UINT nThumb, UINT nActive, BOOL bTransparent, COLORREF clrKey, int xKey,
                                         int yKey)
{
    m_sliderGain.SetBitmapThumb(nThumb, nActive, bTransparent, clrKey, xKey, yKey);
}

void COutRoute_Dlg::SetPolarityLook(BOOL bChinese)
{
    m_bChineseLook = bChinese ? 1 : 0;
    SetPolarityImages();
}

void COutRoute_Dlg::SetPolarityImages()
{
    const UINT n = m_bChineseLook ? 4380 : 4370;
    if (m_bPolarity)
        m_btnPolarity.SetBitmaps(n + 3, n + 4, n, 0, 0, 0);
    else
        m_btnPolarity.SetBitmaps(n, n + 1, n + 3, 0, 0, 0);
}

void COutRoute_Dlg::SetSourceLabels()
{
    for (int i = 0; i < STRIP_SOURCES; ++i)
        m_stcSource[i].SetText(m_bChineseLook ? kSourceCn[i] : kSourceEn[i]);
}

void COutRoute_Dlg::HighlightSourceLabels(int nKind)
{
    for (int i = 0; i < STRIP_SOURCES; ++i) {
        m_stcSource[i].SetFontSize(13);
        m_stcSource[i].SetTextColor(RGB(105, 108, 105));
    }
    int first = -1, last = -1;
    switch (nKind) {
    case 0: first = 8, last = 9; break;    // optical
    case 1: first = 0, last = 5; break;    // high level
    case 2: first = 10, last = 11; break;  // Bluetooth
    case 3: first = 6, last = 7; break;    // AUX
    default: break;
    }
    for (int i = first; i >= 0 && i <= last; ++i)
        m_stcSource[i].SetTextColor(RGB(232, 232, 232));
    if (GetSafeHwnd())
        Invalidate();
}

void COutRoute_Dlg::SetDelayUnit(int nUnit)
{
    if (nUnit < 1 || nUnit > 3)
        return;
    m_editDelay.SetType(nUnit - 1, "");
    m_editDelay.UpdateText();
}

// ---- state from the page ----

void COutRoute_Dlg::SetSelected(BOOL bOn)
{
    m_btnSelect.SetCheck(bOn);
    if (m_btnSelect.GetSafeHwnd())
        m_btnSelect.UpdateWindow();
}

int COutRoute_Dlg::SpeakerType() const
{
    if (m_nChannel < 0 || m_nChannel > 9)
        return 0;
    return SpeakerTypeOf(g_bySpeakerType, m_nChannel);
}

CString COutRoute_Dlg::GetTitle() const
{
    return GetSpeakerTypeName(SpeakerType(), g_bChinese);
}

void COutRoute_Dlg::UpdateTitle()
{
    if (m_btnSpeakerType.GetSafeHwnd())
        m_btnSpeakerType.SetWindowText(GetTitle());
}

void COutRoute_Dlg::SetGainValue(int nGain)
{
    // A value from the device or a file outside the fader's track is shown at its end.
    nGain = nGain < 0 ? 0 : (nGain > kGainMax ? kGainMax : nGain);
    m_nGain = nGain;
    m_sliderGain.SetValue(nGain);
    m_spinGain.SetPos(nGain);
}

void COutRoute_Dlg::SetOutputOn(int bOn)
{
    m_bOn = bOn ? 1 : 0;
    m_btnOn.SetCheck(m_bOn);
}

void COutRoute_Dlg::ShowPolarity(int nPolarity)
{
    m_bPolarity = nPolarity ? 1 : 0;
    SetPolarityImages();
}

void COutRoute_Dlg::SetPolarity(int nPolarity)
{
    ShowPolarity(nPolarity);
    Post(WM_STRIP_POLARITY, m_bPolarity);
}

// ---- user actions ----

void COutRoute_Dlg::Post(UINT message, LPARAM lParam)
{
    if (m_pOutputDlg)
        m_pOutputDlg->PostMessage(message, WPARAM(m_nChannel), lParam);
}

BOOL COutRoute_Dlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id >= ID_SPEAKER_TYPE_BASE && id <= ID_SPEAKER_TYPE_BASE + SPEAKER_TYPE_MAX) {
        const int t = int(id - ID_SPEAKER_TYPE_BASE);
        if (t != SpeakerType())
            Post(WM_STRIP_SPEAKER_TYPE, t);
        return TRUE;
    }
    switch (id) {
    case IDC_STRIP_ON:
        m_bOn = m_btnOn.GetCheck() ? 0 : 1;
        m_btnOn.SetCheck(m_bOn);
        Post(WM_STRIP_OUTPUT_ON, m_bOn);
        return TRUE;
    case IDC_STRIP_SELECT:
        Post(WM_STRIP_SELECT, 0);
        return TRUE;
    case IDC_STRIP_POLARITY:
        m_bPolarity = m_bPolarity ? 0 : 1;
        SetPolarityImages();
        Post(WM_STRIP_POLARITY, m_bPolarity);
        return TRUE;
    case IDC_STRIP_SPEAKER:
        OnSpeakerTypeButton();
        return TRUE;
    case IDC_STRIP_GAIN_EDIT:
    case IDC_STRIP_GAIN_SPIN:
        m_nGain = m_spinGain.GetPos();
        m_sliderGain.SetValue(m_nGain);
        Post(WM_STRIP_GAIN, m_nGain);
        return TRUE;
    case IDC_STRIP_DELAY_EDIT:
    case IDC_STRIP_DELAY_SPIN:
        Post(WM_STRIP_DELAY, m_spinDelay.GetPos());
        return TRUE;
    default: break;
    }
    const int flag = FlagIndexOf(id);
    if (flag >= 0) {
        OnFlag(flag);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void COutRoute_Dlg::OnFlag(int i)
{
    m_bFlag[i] = m_bFlag[i] ? 0 : 1;
    SetFlagLook(i);
    // Toggles 2821 and 2822 exclude each other.
    if (i == 2 || i == 3)
        m_btnFlag[i == 2 ? 3 : 2].EnableWindow(!m_bFlag[i]);
    Post(kFlagMessage[i], m_bFlag[i]);
}

void COutRoute_Dlg::SetFlagLook(int i)
{
    if (m_bFlag[i])
        m_btnFlag[i].SetBitmaps(kFlagOn, kFlagOn, kFlagOff, kFlagOff, kFlagOff, kFlagOff);
    else
        m_btnFlag[i].SetBitmaps(kFlagOff, kFlagOff, kFlagOn, kFlagOn, kFlagOff, kFlagOn);
}

void COutRoute_Dlg::OnFader(WPARAM nID, bool bMoved)
{
    if (m_nChannel >= 0 && m_nChannel < 10)
        g_nLinkMark[m_nChannel] = 1;
    if (nID != IDC_STRIP_FADER)
        return;
    m_nGain = m_sliderGain.GetValue();
    m_spinGain.SetPos(m_nGain < 0 ? 0 : (m_nGain > kGainMax ? kGainMax : m_nGain));
    if (bMoved)
        m_editGain.SetFocus();
    Post(WM_STRIP_GAIN, m_nGain);
}

void COutRoute_Dlg::OnSpeakerTypeButton()
{
    if (m_nChannel < 0 || m_nChannel > 9)
        return;
    CRect r;
    m_btnSpeakerType.GetWindowRect(&r);
    const int t = SpeakerType();
    // The type states as they would be without this channel's own type, so that what only its
    // own type blocks is offered as free.
    ReleaseSpeakerType(t, m_nChannel);
    SpeakerTypeOf(g_bySpeakerType, m_nChannel) = 0;
    AssignSpeakerType(0, 0);
    std::memcpy(m_byTypeState, g_bySpeakerType, sizeof m_byTypeState);
    ReleaseSpeakerType(0, m_nChannel);
    SpeakerTypeOf(g_bySpeakerType, m_nChannel) = BYTE(t);
    AssignSpeakerType(t, 0);
    SpeakerTypeOf(m_byTypeState, m_nChannel) = BYTE(t);
    PrepareSpeakerMenu();
    if (CMenu* popup = g_menuSpeakerType.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, r.left, r.bottom + 2, this);
}

void COutRoute_Dlg::PrepareSpeakerMenu()
{
    CMenu& m = g_menuSpeakerType;
    m.EnableMenuItem(ID_SPEAKER_TYPE_BASE, MF_BYCOMMAND | MF_ENABLED);
    const int own = SpeakerTypeOf(m_byTypeState, m_nChannel);
    for (int t = 1; t <= SPEAKER_TYPE_MAX; ++t) {
        const UINT id = ID_SPEAKER_TYPE_BASE + UINT(t);
        if (t == own) {
            m.CheckMenuItem(id, MF_BYCOMMAND | MF_CHECKED);
            m.EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
            continue;
        }
        switch (m_byTypeState[t]) {
        case 1:
            m.CheckMenuItem(id, MF_BYCOMMAND | MF_UNCHECKED);
            m.EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
            break;
        case 2:
            m.CheckMenuItem(id, MF_BYCOMMAND | MF_CHECKED);
            m.EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
            break;
        case 3:
            m.CheckMenuItem(id, MF_BYCOMMAND | MF_UNCHECKED);
            m.EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
            break;
        default: break;
        }
    }
}

// ---- keys ----

void COutRoute_Dlg::OnKeyStep(UINT nID, UINT nKey)
{
    if (nID != IDC_STRIP_GAIN_EDIT)
        return;
    CWnd* target = nullptr;
    if (nKey == VK_LEFT)
        target = m_pPrevStrip ? &m_pPrevStrip->m_editGain : m_pWalkLeft;
    else if (nKey == VK_RIGHT)
        target = m_pNextStrip ? &m_pNextStrip->m_editGain : m_pWalkRight;
    if (target && target->GetSafeHwnd())
        target->SetFocus();
}

LRESULT COutRoute_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SLIDER_MOVING:
    case WM_SLIDER_MOVED:
        OnFader(wParam, message == WM_SLIDER_MOVED);
        return 1;
    case WM_NUMEDIT_KEYDOWN:
        OnKeyStep(UINT(wParam), UINT(lParam));
        return 0;
    case WM_KEY_ENTER:
        OnKeyStep(UINT(wParam), VK_RIGHT);
        return 0;
    default: break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL COutRoute_Dlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDOWN && pMsg->hwnd == m_hWnd)
        SetFocus();
    if (pMsg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(pMsg);
    CWnd* focus = CWnd::GetFocus();
    CEdit* edit = dynamic_cast<CEdit*>(focus);
    switch (pMsg->wParam) {
    case VK_RETURN:
        if (edit)
            PostMessage(WM_KEY_ENTER, WPARAM(edit->GetDlgCtrlID()), 0);
        return FALSE;
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
        // The field itself reports Left and Right; Tab is a step right.
        if (edit && pMsg->wParam == VK_TAB)
            PostMessage(WM_NUMEDIT_KEYDOWN, WPARAM(edit->GetDlgCtrlID()), VK_RIGHT);
        return FALSE;
    case VK_ESCAPE:
        SetFocus();
        return FALSE;
    default: break;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- paint ----

BOOL COutRoute_Dlg::OnEraseBkgnd(CDC*) { return TRUE; }

void COutRoute_Dlg::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (m_nBackWidth > 0)
        DrawPanelBackground(&dc, m_bmpBack);
    else
        dc.FillSolidRect(&rc, kBack);
    if (m_nChannel == g_nCurOutput) {
        const int w = m_nBackWidth > 0 ? m_nBackWidth : rc.Width() - 1;
        const int h = m_nBackHeight > 0 ? m_nBackHeight : rc.Height() - 1;
        dc.Draw3dRect(0, 0, w + 1, h + 1, kFrame, kFrame);
    }
}
