// The page as a whole: creation and layout, painting, the master and input sections, the
// input-source buttons, the keyboard and the language. The output strips and the car are in
// CLevel_Delay_DlgOutputs.cpp.
#include "CLevel_Delay_Dlg.h"

#include "AppMessages.h"
#include "CInPutDlg.h"
#include "CKTV_Data.h"
#include "CMusic_InData.h"
#include "CPageHost.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "SceneImage.h"

#include <algorithm>

namespace {

constexpr int kWidthDlu = 855;
constexpr int kHeightDlu = 382;
constexpr int kBackWidth = 1248;   // pixels of backgrounds 523 and 7030
constexpr int kBackHeight = 652;

int ScaleX(int v) { return (v * kBackWidth * 2 + kWidthDlu) / (2 * kWidthDlu); }
int ScaleY(int v) { return (v * kBackHeight * 2 + kHeightDlu) / (2 * kHeightDlu); }
constexpr int kFieldChars = 6;

constexpr int kMasterMax = 66;   // raw master level, 60 = 0 dB
constexpr int kInputMax = 600;   // raw input volume, 600 = 0 dB
constexpr UINT kActiveThumb = 282;

const int kInputEditX[LD_INPUTS] = {352, 431, 510, 589, 668, 747};
const int kInputSliderX[LD_INPUTS] = {354, 433, 512, 591, 670, 750};
const int kInputButtonX[LD_INPUTS] = {335, 415, 495, 575, 655, 735};

// Input-source button bitmaps: normal, hover, pressed, checked with the input-state flag.
constexpr UINT kInputBmpEn = 4810;
constexpr UINT kInputBmpCn = 4850;
// Master on/off button bitmaps: normal, hover, pressed, checked normal, hover, pressed.
constexpr UINT kMasterOnEn = 4890;
constexpr UINT kMasterOnCn = 4900;

BYTE& InputStateFlag() { return g_bySysParams[2]; }
BYTE& MasterOn() { return g_bySysParams[4]; }

}  // namespace

CRect LevelPageRect(int x, int y, int cx, int cy)
{
    return CRect(ScaleX(x), ScaleY(y), ScaleX(x + cx), ScaleY(y + cy));
}

CLevel_Delay_Dlg::CLevel_Delay_Dlg() : CDialog(IDD_LEVEL_DELAY)
{
    m_bmpBackEn.LoadBitmap(IDB_LEVEL_BACK_EN);
    m_bmpBackCn.LoadBitmap(IDB_LEVEL_BACK_CN);
}

CLevel_Delay_Dlg::~CLevel_Delay_Dlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CLevel_Delay_Dlg::CreatePage(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    const CRect rc = LevelPageRect(0, 0, kWidthDlu, kHeightDlu);
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, rc, pParent, IDD_LEVEL_DELAY))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

CPageHost* CLevel_Delay_Dlg::Host() const { return m_pView ? m_pView : g_pPageHost; }

BOOL CLevel_Delay_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    g_pLevelPage = this;
    InitControls();
    ClearMeters();
    m_editMaster.SetFocus();
    return TRUE;
}

void CLevel_Delay_Dlg::OnDestroy()
{
    // Only this page's own pointer: the input page never holds ours after we are gone.
    if (g_pLevelPage == this)
        g_pLevelPage = nullptr;
    CDialog::OnDestroy();
}

void CLevel_Delay_Dlg::InitControls()
{
    m_picLR.Create("", WS_CHILD | SS_BITMAP, LevelPageRect(355, 134, 20, 7), this, IDC_LD_LR_PICTURE);
    m_picLR.ShowWindow(SW_HIDE);

    // Master.
    m_editMaster.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, LevelPageRect(231, 91, 42, 10), this, IDC_LD_MASTER_EDIT);
    m_editMaster.SetFont(&g_fontArial14);
    m_spinMaster.Create(WS_CHILD, LevelPageRect(273, 91, 8, 10), this, IDC_LD_MASTER_SPIN);
    m_spinMaster.SetBuddy(&m_editMaster);
    m_editMaster.SetScale(1.0);
    m_editMaster.SetOffset(60.0);
    m_editMaster.SetType(25, "");
    m_spinMaster.SetRange(0, kMasterMax);
    m_editMaster.LimitText(kFieldChars);
    m_editMaster.SetBuddySlider(&m_sliderMaster);
    m_btnMasterOn.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, LevelPageRect(216, 105, 19, 10), this, IDC_LD_MASTER_ON);
    m_btnMasterOn.SetMoveNotify(TRUE);
    m_sliderMaster.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, LevelPageRect(234, 12, 10, 10), this,
                          IDC_LD_MASTER_SLIDER);
    m_sliderMaster.SetBitmapChannel(357, 357);
    m_sliderMaster.SetBitmapThumb(358, kActiveThumb, TRUE, SLIDER_KEY_FROM_PIXEL);
    m_sliderMaster.SetRange(0, kMasterMax);
    m_sliderMaster.SetMargin(38, 0, 1, 2);
    m_sliderMaster.SetBuddy(&m_editMaster);
    m_sliderMaster.SetMoveNotify(TRUE);

    // Inputs.
    for (int i = 0; i < LD_INPUTS; ++i) {
        m_editInput[i].Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, LevelPageRect(kInputEditX[i], 91, 42, 10), this,
                              IDC_LD_INPUT_EDIT + i);
        m_editInput[i].SetFont(&g_fontArial14);
        m_spinInput[i].Create(WS_CHILD, LevelPageRect(kInputEditX[i] + 42, 91, 8, 10), this, IDC_LD_INPUT_SPIN + i);
        m_spinInput[i].SetBuddy(&m_editInput[i]);
        m_editInput[i].SetScale(0.1);
        m_editInput[i].SetOffset(60.0);
        m_editInput[i].SetType(NUMTYPE_LEVEL_OFF0, "");
        m_spinInput[i].SetRange(0, kInputMax);
        m_editInput[i].LimitText(kFieldChars);
        m_editInput[i].SetBuddySlider(&m_sliderInput[i]);

        m_sliderInput[i].Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP,
                                LevelPageRect(kInputSliderX[i], 12, 10, 10), this, IDC_LD_INPUT_SLIDER + i);
        m_sliderInput[i].SetBitmapChannel(388, 388);
        m_sliderInput[i].SetBitmapThumb(387, kActiveThumb, TRUE, SLIDER_KEY_FROM_PIXEL);
        m_sliderInput[i].SetRange(0, kInputMax);
        m_sliderInput[i].SetMargin(38, 0, 1, 2);
        m_sliderInput[i].SetBuddy(&m_editInput[i]);
        m_sliderInput[i].SetMoveNotify(TRUE);

        const int cx = i == LD_INPUTS - 1 ? 63 : 42;
        m_btnInput[i].Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, LevelPageRect(kInputButtonX[i], 105, cx, 10), this,
                             IDC_LD_INPUT_BUTTON + i);
        const UINT b = kInputBmpEn + UINT(i);
        m_btnInput[i].SetBitmaps(b, b + 10, b + 20, b + 20, b + 20, b + 20);
        m_btnInput[i].SetMoveNotify(TRUE);
    }
    // The slots the strips move between, as the template lays them out.
    for (int i = 0; i < LD_INPUTS; ++i) {
        m_sliderInput[i].GetWindowRect(&m_rcSlotSlider[i]);
        ScreenToClient(&m_rcSlotSlider[i]);
        m_editInput[i].GetWindowRect(&m_rcSlotEdit[i]);
        ScreenToClient(&m_rcSlotEdit[i]);
        m_btnInput[i].GetWindowRect(&m_rcSlotButton[i]);
        ScreenToClient(&m_rcSlotButton[i]);
    }

    InitOutputControls();
    UpdateLanguage();
}

void CLevel_Delay_Dlg::OnOK() {}
void CLevel_Delay_Dlg::OnCancel() {}

BOOL CLevel_Delay_Dlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CLevel_Delay_Dlg::OnPaint()
{
    CPaintDC dc(this);
    CBitmap& back = g_bChinese ? m_bmpBackCn : m_bmpBackEn;
    BITMAP bm{};
    if (!m_bmpBackEn.GetSafeHandle() || !back.GetSafeHandle())
        return;
    m_bmpBackEn.GetBitmap(&bm);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&back);
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}

// ---- refresh ------------------------------------------------------------------------------

void CLevel_Delay_Dlg::RefreshFromModel()
{
    if (!GetSafeHwnd())
        return;
    const int master = std::clamp<int>(g_wMasterLevel, 0, kMasterMax);
    m_spinMaster.SetPos(master);
    m_sliderMaster.SetValue(master);
    m_btnMasterOn.SetCheck(MasterOn() != 0);
    m_picLR.ShowWindow(g_bLRLink ? SW_SHOW : SW_HIDE);

    for (int i = 0; i < LD_INPUTS; ++i) {
        const CMusic_InData* in = m_pScene ? m_pScene->GetMusicData(i) : nullptr;
        const int v = in ? std::clamp(in->GetVolume(), 0, kInputMax) : 0;
        m_spinInput[i].SetPos(v);
        m_sliderInput[i].SetValue(v);
        m_spinInput[i].EnableWindow(TRUE);
        m_sliderInput[i].Enable(TRUE);
    }
    ApplyInputKind();
    m_nSelected = -1;
    RefreshOutputs();
}

// ---- master -------------------------------------------------------------------------------

void CLevel_Delay_Dlg::OnMasterLevel(int v, BOOL bFromSlider)
{
    v = std::clamp(v, 0, kMasterMax);
    if (v != g_wMasterLevel) {
        g_wMasterLevel = WORD(v);
        // Raising the level of a switched-off master means the user wants to hear it.
        if (MasterOn() == 0) {
            MasterOn() = 1;
            m_btnMasterOn.SetCheck(TRUE);
        }
        if (bFromSlider)
            m_spinMaster.SetPos(v);
        else
            m_sliderMaster.SetValue(v);
        if (CPageHost* host = Host())
            host->SetSysCmd5Pending(TRUE);
    }
    RefreshSelection(-1);
}

void CLevel_Delay_Dlg::OnMasterLevelEdit() { OnMasterLevel(m_spinMaster.GetPos(), FALSE); }

void CLevel_Delay_Dlg::OnMasterOnButton()
{
    const BOOL on = !m_btnMasterOn.GetCheck();
    MasterOn() = BYTE(on ? 1 : 0);
    if (CPageHost* host = Host())
        host->SetSysCmd5Pending(TRUE);
    m_btnMasterOn.SetCheck(on);
    RefreshSelection(-1);
}

// ---- inputs -------------------------------------------------------------------------------

void CLevel_Delay_Dlg::OnInputLevelEdit(int i)
{
    if (i < 0 || i >= LD_INPUTS)
        return;
    CMusic_InData* in = m_pScene ? m_pScene->GetMusicData(i) : nullptr;
    const int v = m_spinInput[i].GetPos();
    if (in && v != in->GetVolume())
        in->SetVolume(v);
    m_sliderInput[i].SetValue(v);
    RefreshSelection(-1);
}

void CLevel_Delay_Dlg::OnInputSlider(int i)
{
    if (i < 0 || i >= LD_INPUTS)
        return;
    CMusic_InData* in = m_pScene ? m_pScene->GetMusicData(i) : nullptr;
    const int v = m_sliderInput[i].GetValue();
    if (in && v != in->GetVolume()) {
        in->SetVolume(v);
        m_spinInput[i].SetPos(v);
    }
    RefreshSelection(-1);
}

void CLevel_Delay_Dlg::OnSliderMessage(UINT nID, BOOL bMoved)
{
    if (nID == IDC_LD_MASTER_SLIDER) {
        OnMasterLevel(m_sliderMaster.GetValue(), TRUE);
        if (bMoved)
            m_editMaster.SetFocus();
    } else if (nID >= IDC_LD_INPUT_SLIDER && nID < IDC_LD_INPUT_SLIDER + LD_INPUTS) {
        const int i = int(nID - IDC_LD_INPUT_SLIDER);
        OnInputSlider(i);
        if (bMoved)
            m_editInput[i].SetFocus();
    } else if (nID >= IDC_LD_GAIN_SLIDER && nID < IDC_LD_GAIN_SLIDER + LD_STRIPS) {
        const int s = int(nID - IDC_LD_GAIN_SLIDER);
        OnOutputSlider(s);
        if (bMoved)
            m_editGain[s].SetFocus();
    }
}

void CLevel_Delay_Dlg::ShowInputStrip(int i, BOOL bShow)
{
    const int cmd = bShow ? SW_SHOW : SW_HIDE;
    m_sliderInput[i].ShowWindow(cmd);
    m_editInput[i].ShowWindow(cmd);
    m_btnInput[i].ShowWindow(cmd);
}

void CLevel_Delay_Dlg::MoveInputStrip(int i, int nSlot)
{
    m_sliderInput[i].MoveWindow(&m_rcSlotSlider[nSlot]);
    m_editInput[i].MoveWindow(&m_rcSlotEdit[nSlot]);
    // Button widths differ by strip (the last is wider): keep the strip's own width.
    CRect rc;
    m_btnInput[i].GetWindowRect(&rc);
    const CRect slot = m_rcSlotButton[nSlot];
    m_btnInput[i].MoveWindow(slot.left, slot.top, rc.Width(), rc.Height());
}

void CLevel_Delay_Dlg::LayOutInputStrips()
{
    const int mode = g_bySysGroup8[2];
    if (mode < 0 || mode > 3)
        return;
    const BOOL first = mode >= 2;   // strip 1 (S/PDIF)
    const BOOL third = mode & 1;    // strip 3 (Phone)
    ShowInputStrip(0, first);
    ShowInputStrip(2, third);
    int slot = 0;
    if (first)
        MoveInputStrip(0, slot++);
    for (int i = 1; i < LD_INPUTS; ++i) {
        if (i == 2 && !third)
            continue;
        MoveInputStrip(i, slot++);
    }
}

void CLevel_Delay_Dlg::ApplyInputKind()
{
    switch (g_nInputKind) {
    case 0: ShowInputStrip(4, TRUE); ShowInputStrip(5, TRUE); break;
    case 1: ShowInputStrip(4, TRUE); ShowInputStrip(5, FALSE); break;
    case 2: ShowInputStrip(4, FALSE); ShowInputStrip(5, FALSE); break;
    default: break;
    }
}

void CLevel_Delay_Dlg::ApplyChannelMode()
{
    if (!GetSafeHwnd())
        return;
    LayOutInputStrips();
    UpdateInputButtons();
    CheckShownInput();
}

void CLevel_Delay_Dlg::UpdateInputButtons()
{
    const UINT base = g_bChinese ? kInputBmpCn : kInputBmpEn;
    for (int i = 0; i < LD_INPUTS; ++i) {
        const UINT b = base + UINT(i);
        const UINT checked = InputStateFlag() ? b + 30 : b + 20;
        m_btnInput[i].SetBitmaps(b, b + 10, b + 20, checked, checked, checked);
        m_btnInput[i].Invalidate(FALSE);
    }
}

void CLevel_Delay_Dlg::CheckShownInput()
{
    for (int i = 0; i < LD_INPUTS; ++i)
        m_btnInput[i].SetCheck(i == g_nShownInput);
}

void CLevel_Delay_Dlg::ClearInputStateFlag()
{
    if (!InputStateFlag())
        return;
    InputStateFlag() = 0;
    if (CPageHost* host = Host())
        host->SendCommand(5, 0);
    UpdateInputButtons();
}

void CLevel_Delay_Dlg::OnInputButton(int i)
{
    if (g_pInputPage && g_pInputPage->GetSafeHwnd())
        g_pInputPage->PostMessage(WM_INPUT_STATE_CHANGED, WPARAM(InputStateFlag()), LPARAM(g_nShownInput));
    ClearInputStateFlag();
    if (i != g_nShownInput) {
        g_nShownInput = i;
        g_byInputSource = BYTE(i);
        CheckShownInput();
        if (g_pInputPage && g_pInputPage->GetSafeHwnd())
            g_pInputPage->UpdateSourceState();
        if (CPageHost* host = Host())
            host->SendCommand(2, 0);
    }
    RefreshSelection(-1);
}

void CLevel_Delay_Dlg::OnSelectInputChannel(int nInput)
{
    if (nInput == g_nShownInput)
        CheckShownInput();
}

void CLevel_Delay_Dlg::OnInputStateChanged(int nFlag, int nInput)
{
    if (nFlag != InputStateFlag())
        UpdateInputButtons();
    if (nInput != g_nShownInput)
        CheckShownInput();
}

// ---- messages -----------------------------------------------------------------------------

BOOL CLevel_Delay_Dlg::OnCommand(WPARAM wParam, LPARAM)
{
    // Value notices and clicks carry code 0; the edits' own change notices are not values.
    if (HIWORD(wParam) != 0)
        return FALSE;
    const UINT id = LOWORD(wParam);
    auto in = [id](UINT base, int n) { return id >= base && id < base + UINT(n); };
    if (id == IDC_LD_MASTER_EDIT || id == IDC_LD_MASTER_SPIN)
        OnMasterLevelEdit();
    else if (id == IDC_LD_MASTER_ON)
        OnMasterOnButton();
    else if (in(IDC_LD_INPUT_EDIT, LD_INPUTS))
        OnInputLevelEdit(int(id - IDC_LD_INPUT_EDIT));
    else if (in(IDC_LD_INPUT_SPIN, LD_INPUTS))
        OnInputLevelEdit(int(id - IDC_LD_INPUT_SPIN));
    else if (in(IDC_LD_INPUT_BUTTON, LD_INPUTS))
        OnInputButton(int(id - IDC_LD_INPUT_BUTTON));
    else if (in(IDC_LD_GAIN_EDIT, LD_STRIPS))
        OnOutputGainEdit(int(id - IDC_LD_GAIN_EDIT));
    else if (in(IDC_LD_GAIN_SPIN, LD_STRIPS))
        OnOutputGainEdit(int(id - IDC_LD_GAIN_SPIN));
    else if (in(IDC_LD_ON, LD_STRIPS))
        OnOutputOnButton(int(id - IDC_LD_ON));
    else if (in(IDC_LD_POLARITY, LD_STRIPS))
        OnPolarityButton(int(id - IDC_LD_POLARITY));
    else if (in(IDC_LD_POS_EDIT, LD_POSITIONS))
        OnPositionDelayEdit(int(id - IDC_LD_POS_EDIT));
    else if (in(IDC_LD_POS_SPIN, LD_POSITIONS))
        OnPositionDelayEdit(int(id - IDC_LD_POS_SPIN));
    else if (in(IDC_LD_ICON, LD_ICONS))
        OnSpeakerIcon(int(id - IDC_LD_ICON));
    else if (in(IDC_LD_LINK_BAR, LD_LINK_BARS))
        OnLinkBar(int(id - IDC_LD_LINK_BAR));
    else if (in(IDC_LD_UNIT_MS, 3))
        OnDelayUnitButton(int(id - IDC_LD_UNIT_MS) + 1);
    else
        return FALSE;
    return TRUE;
}

LRESULT CLevel_Delay_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SLIDER_MOVING:
    case WM_SLIDER_MOVED:
        OnSliderMessage(UINT(wParam), message == WM_SLIDER_MOVED);
        return 0;
    case WM_NUMEDIT_KEYDOWN:
        OnKeyStep(UINT(wParam), UINT(lParam));
        return 0;
    case WM_SELECT_INPUT_CHANNEL:
        OnSelectInputChannel(int(lParam));
        return 0;
    case WM_INPUT_STATE_CHANGED:
        OnInputStateChanged(int(wParam), int(lParam));
        return 0;
    case WM_CTRL_MOUSEMOVE:
        OnCtrlMouseMove(UINT(lParam));
        return 0;
    case WM_DELAY_SPIN_STEP:
        OnDelaySpinStep(UINT(wParam), int(lParam));
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

// ---- keyboard -----------------------------------------------------------------------------

namespace {

UINT FocusId(int k)
{
    if (k == 0)
        return IDC_LD_MASTER_EDIT;
    if (k <= 6)
        return IDC_LD_INPUT_EDIT + UINT(k - 1);
    if (k <= 21)
        return IDC_LD_POS_EDIT + UINT(k - 7);
    return IDC_LD_GAIN_EDIT + UINT(k - 22);
}

}  // namespace

int CLevel_Delay_Dlg::FocusIndexOf(UINT nID)
{
    for (int k = 0; k < LD_FOCUS_FIELDS; ++k)
        if (FocusId(k) == nID)
            return k;
    return 0;
}

CNumEdit* CLevel_Delay_Dlg::FieldAt(int k)
{
    if (k == 0)
        return &m_editMaster;
    if (k <= 6)
        return &m_editInput[k - 1];
    if (k <= 21)
        return &m_editPos[k - 7];
    return &m_editGain[k - 22];
}

void CLevel_Delay_Dlg::FocusField(int k)
{
    CNumEdit* field = FieldAt(k);
    field->SetFocus();
    OnFieldFocused(FocusId(k));
}

void CLevel_Delay_Dlg::FocusPreviousField(UINT nID)
{
    const int k = FocusIndexOf(nID);
    if (k > 0) {
        for (int j = k - 1; j >= 0; --j)
            if (FieldAt(j)->IsWindowVisible()) {
                FocusField(j);
                return;
            }
        return;
    }
    for (int j = LD_FOCUS_FIELDS - 1; j >= 0; --j)
        if (FieldAt(j)->IsWindowVisible()) {
            FocusField(j);
            return;
        }
}

void CLevel_Delay_Dlg::FocusNextField(UINT nID)
{
    const int k = FocusIndexOf(nID);
    if (k < LD_FOCUS_FIELDS - 1)
        for (int j = k + 1; j < LD_FOCUS_FIELDS; ++j)
            if (FieldAt(j)->IsWindowVisible()) {
                FocusField(j);
                return;
            }
    FocusField(0);
}

void CLevel_Delay_Dlg::OnKeyStep(UINT nID, UINT nKey)
{
    if (nKey == VK_LEFT)
        FocusPreviousField(nID);
    else if (nKey == VK_RIGHT)
        FocusNextField(nID);
}

void CLevel_Delay_Dlg::OnFieldFocused(UINT nID)
{
    if (nID >= IDC_LD_GAIN_EDIT && nID < IDC_LD_GAIN_EDIT + LD_STRIPS) {
        const int s = int(nID - IDC_LD_GAIN_EDIT);
        RefreshGainGroup(s);
        SelectChannel(s);
        MarkChannel(s, TRUE);
    } else if (nID >= IDC_LD_POS_EDIT && nID < IDC_LD_POS_EDIT + LD_POSITIONS) {
        RefreshSelection(m_spinPos[nID - IDC_LD_POS_EDIT].GetTag());
    } else {
        RefreshSelection(-1);
    }
}

void CLevel_Delay_Dlg::EnsureFieldFocus()
{
    CWnd* focus = GetFocus();
    if (focus && dynamic_cast<CEdit*>(focus))
        return;
    m_editMaster.SetFocus();
    RefreshSelection(-1);
}

BOOL CLevel_Delay_Dlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(pMsg);
    switch (pMsg->wParam) {
    case VK_RETURN:
        // Enter walks like Tab: the field commits and the next one takes the focus.
        if (CWnd* focus = GetFocus())
            focus->PostMessage(WM_KEYDOWN, VK_TAB, 0);
        return TRUE;
    case VK_TAB:
        if (CWnd* focus = GetFocus(); focus && dynamic_cast<CEdit*>(focus))
            PostMessage(WM_NUMEDIT_KEYDOWN, WPARAM(focus->GetDlgCtrlID()), VK_RIGHT);
        return FALSE;
    case VK_ESCAPE:
        SetFocus();
        return FALSE;
    default:
        return CDialog::PreTranslateMessage(pMsg);
    }
}

// ---- language -----------------------------------------------------------------------------

void CLevel_Delay_Dlg::UpdateLanguage()
{
    if (!GetSafeHwnd())
        return;
    m_editMaster.UpdateOffText();
    for (CNumEdit& e : m_editInput)
        e.UpdateOffText();
    UpdateInputButtons();
    const UINT m = g_bChinese ? kMasterOnCn : kMasterOnEn;
    m_btnMasterOn.SetBitmaps(m, m + 1, m + 2, m + 3, m + 4, m + 5);
    m_btnMasterOn.Invalidate(FALSE);
    UpdateStripImages();
    UpdateUnitImages();
    for (CNumEdit& e : m_editGain)
        e.UpdateOffText();
    for (CNumEdit& e : m_editPos)
        e.UpdateOffText();
    Invalidate(FALSE);
}
