// The input page: creation, layout, painting, loading the shown input and the message map.
#include "CInPutDlg.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CMusic_InData.h"
#include "CPageHost.h"
#include "CWindowDC.h"
#include "DialogUnits.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "MenuTemplate.h"
#include "NumDisplayTypes.h"
#include "SceneImage.h"

CInPutDlg* g_pInputPage = nullptr;
CWnd* g_pLevelPage = nullptr;

namespace {

// The page's own layout in client pixels (the template's places at 96 DPI).
constexpr int kSelectorLeft = 22;
constexpr int kSelectorTop = 40;
constexpr int kSelectorWidth = 170;
constexpr int kSelectorHeight = 32;
constexpr int kSelectorPitch = 40;
constexpr int kColumnLeft = 286;   // band 0
constexpr int kColumnPitch = 64;
constexpr int kLabelTop = 268;
constexpr int kFreqTop = 288;
constexpr int kQTop = 312;
constexpr int kGainTop = 336;
constexpr int kFieldHeight = 20;
constexpr int kFaderTop = 360;
constexpr int kLampTop = 438;
constexpr int kLampSize = 14;
constexpr int kBarLeft = 221;
constexpr int kBarTop = 462;

// Fader pictures: the PEQ tracks (band 0, last band, the others), thumbs.
constexpr UINT kTrackTemplate = 610;
constexpr UINT kThumb = 626;
constexpr UINT kThumbActive = 627;

void RegisterInputTemplates()
{
    static const bool done = [] {
        // Run on its own, the page needs a close box: the page itself never closes on a key.
        RegisterDialogTemplate(IDD_INPUT_PAGE, {"", INPUT_PAGE_WIDTH, INPUT_PAGE_HEIGHT, 0});
        RegisterMenuTemplate(IDR_MENU_SOURCE, {
            MenuPopup("", {
                MenuItem("  数字", 174), MenuItem("  高电平", 175), MenuItem("  蓝牙", 176),
                MenuItem("  AUX1", 177), MenuItem("  AUX2", 178), MenuItem("  AUX3", 179),
                MenuItem("  关闭", 180),
            }),
        });
        return true;
    }();
    (void)done;
}

CRect SelectorSlot(int k)
{
    const int top = kSelectorTop + k * kSelectorPitch;
    return CRect(kSelectorLeft, top, kSelectorLeft + kSelectorWidth, top + kSelectorHeight);
}

int ColumnLeft(int n) { return kColumnLeft + (n < INPUT_LIVE_BANDS ? n : INPUT_LIVE_BANDS - 1) * kColumnPitch; }

}  // namespace

CInPutDlg::CInPutDlg(CWnd* pParent) : CDialog(IDD_INPUT_PAGE, pParent), m_wndSourceBar(nullptr)
{
    RegisterInputTemplates();
}

CInPutDlg::~CInPutDlg()
{
    if (g_pInputPage == this)
        g_pInputPage = nullptr;
}

CPageHost* CInPutDlg::Host() const { return m_pView ? m_pView : g_pPageHost; }

void CInPutDlg::SendSys(int nCmd)
{
    if (CPageHost* host = Host())
        host->SendCommand(nCmd, 0);
}

CMusic_InData* CInPutDlg::ShownMusic() const
{
    if (!m_pScene || g_nShownInput < 0 || g_nShownInput >= INPUT_MUSIC_CODES)
        return nullptr;
    return m_pScene->GetMusicData(g_nShownInput);
}

CFilter* CInPutDlg::BandFilter(int n) const
{
    if (!m_pMusic || n < 0 || n >= INPUT_BANDS)
        return nullptr;
    return m_pMusic->GetFilter(n);
}

void CInPutDlg::AttachScene(CKTV_Data* pScene)
{
    m_pScene = pScene;
    m_graph.SetNotifyWnd(this);
    m_graph.Attach(pScene, CFStatic::kModeMusic);
    m_graph.SelectInputChannel(0);
    m_graph.SetDrawMode(CFStatic::kModeMusic);
    m_pGraph = &m_graph;
}

BOOL CInPutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, 0, 0, INPUT_PAGE_WIDTH, INPUT_PAGE_HEIGHT, SWP_NOMOVE | SWP_NOZORDER);
    m_bmpBackEn.LoadBitmap(IDB_INPUT_BACK_EN);
    m_bmpBackCn.LoadBitmap(IDB_INPUT_BACK_CN);
    m_pCurLabel = nullptr;
    m_pCurEdit = nullptr;
    // The level page has a pointer of its own, which only it writes.
    g_pInputPage = this;
    InitControls();
    if (m_pScene) {
        // Bound before creation: bind the graph again now that it has its size, and show.
        AttachScene(m_pScene);
        ApplyLanguage();
        UpdateInputButtons();
        ApplyEqEnable();
    }
    return TRUE;
}

void CInPutDlg::OnDestroy()
{
    if (g_pInputPage == this)
        g_pInputPage = nullptr;
    CDialog::OnDestroy();
}

void CInPutDlg::OnCancel()
{
    // Esc is taken by PreTranslateMessage; only a close request ends a modal page.
    CDialog::OnCancel();
}

void CInPutDlg::CreateControls()
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    for (int n = 0; n < INPUT_BANDS; ++n) {
        // Columns past the fifteenth exist for the message map only and stay hidden.
        const DWORD show = n < INPUT_LIVE_BANDS ? WS_VISIBLE : 0;
        const int x = ColumnLeft(n);
        const std::string number = std::to_string(n + 1);
        m_stLabel[n].Create(number.c_str(), WS_CHILD | show | SS_CENTER, CRect(x, kLabelTop, x + 60, kLabelTop + 18), this,
                            IDC_IN_LABEL + n);
        m_editFreq[n].Create(WS_CHILD | show | WS_TABSTOP | ES_CENTER,
                             CRect(x + 4, kFreqTop, x + 56, kFreqTop + kFieldHeight), this, IDC_IN_FREQ + n);
        m_editQ[n].Create(WS_CHILD | show | WS_TABSTOP | ES_CENTER, CRect(x + 4, kQTop, x + 56, kQTop + kFieldHeight),
                          this, IDC_IN_Q + n);
        m_editGain[n].Create(WS_CHILD | show | WS_TABSTOP | ES_CENTER,
                             CRect(x + 4, kGainTop, x + 56, kGainTop + kFieldHeight), this, IDC_IN_GAIN + n);
        for (CNumEdit* e : {&m_editFreq[n], &m_editQ[n], &m_editGain[n]})
            e->SetFont(&g_fontArial14);
        m_spinFreq[n].Create(WS_CHILD, CRect(x + 56, kFreqTop, x + 60, kFreqTop + kFieldHeight), this,
                             IDC_IN_FREQ_SPIN + n);
        m_spinQ[n].Create(WS_CHILD, CRect(x + 56, kQTop, x + 60, kQTop + kFieldHeight), this, IDC_IN_Q_SPIN + n);
        m_spinGain[n].Create(WS_CHILD, CRect(x + 56, kGainTop, x + 60, kGainTop + kFieldHeight), this,
                             IDC_IN_GAIN_SPIN + n);
        const int faderLeft = n == 0 ? x + 24 : x + 12;
        m_sliderGain[n].Create("", WS_CHILD | show | SS_NOTIFY, CRect(faderLeft, kFaderTop, faderLeft + 40, kFaderTop + 74),
                               this, IDC_IN_FADER + n);
        const int lampLeft = faderLeft + 17;
        m_btnLamp[n].Create("", WS_CHILD | show | BS_OWNERDRAW,
                            CRect(lampLeft, kLampTop, lampLeft + kLampSize, kLampTop + kLampSize), this, IDC_IN_LAMP + n);
    }
    m_btnRowCover.Create("", child | BS_PUSHBUTTON | WS_DISABLED, CRect(221, kFreqTop, 281, kGainTop + kFieldHeight),
                         this, IDC_IN_ROW_COVER);
    m_btnShown.Create("", child | BS_PUSHBUTTON | WS_DISABLED, CRect(221, 8, 381, 36), this, IDC_IN_SHOWN);
    m_btnEqMode.Create("", child | BS_PUSHBUTTON, CRect(968, 8, 1040, 36), this, IDC_IN_EQ_MODE);
    m_btnAllBypass.Create("", child | BS_PUSHBUTTON, CRect(1058, 8, 1130, 36), this, IDC_IN_ALL_BYPASS);
    m_btnReset.Create("", child | BS_PUSHBUTTON, CRect(1148, 8, 1220, 36), this, IDC_IN_RESET);
    m_graph.Create("", child | SS_NOTIFY, CRect(221, 42, 1240, 262), this, IDC_IN_GRAPH);
    for (int k = 0; k < INPUT_MUSIC_CODES; ++k)
        m_btnSelector[k].Create("", child | BS_PUSHBUTTON, SelectorSlot(k), this, IDC_IN_SELECTOR + k);
    m_btnSource.Create("", child | BS_PUSHBUTTON, CRect(22, 316, 172, 344), this, IDC_IN_SOURCE);
    m_btnOneWay.Create("", child | BS_PUSHBUTTON, CRect(22, 388, 102, 416), this, IDC_IN_ONE_WAY);
    m_btnTwoWay.Create("", child | BS_PUSHBUTTON, CRect(112, 388, 192, 416), this, IDC_IN_TWO_WAY);
    for (int k = 0; k < 3; ++k)
        m_btnKind[k].Create("", child | BS_PUSHBUTTON, CRect(22, 460 + 36 * k, 192, 488 + 36 * k), this, IDC_IN_KIND + k);
}

void CInPutDlg::InitControls()
{
    CreateControls();
    m_menuSource.LoadMenu(IDR_MENU_SOURCE);
    m_btnSource.SetFont(&g_fontArialHeavy16);
    for (int n = 0; n < INPUT_BANDS; ++n) {
        m_editFreq[n].LimitText(5);
        m_spinFreq[n].SetBuddy(&m_editFreq[n]);
        m_spinFreq[n].SetRange(20, 20000);
        m_editFreq[n].SetType(NUMTYPE_FREQ, "");
        m_rcFreq[n] = CRect();
        m_editFreq[n].GetWindowRect(&m_rcFreq[n]);
        ScreenToClient(&m_rcFreq[n]);

        m_editQ[n].LimitText(5);
        m_spinQ[n].SetBuddy(&m_editQ[n]);
        m_editQ[n].SetType(NUMTYPE_Q, "");
        m_spinQ[n].SetRange(0, 295);

        m_editGain[n].LimitText(5);
        m_spinGain[n].SetBuddy(&m_editGain[n]);
        m_spinGain[n].SetRange(80, 320);
        m_editGain[n].SetScale(0.1);
        m_editGain[n].SetOffset(20.0);
        m_editGain[n].SetType(NUMTYPE_LEVEL, "");
        m_editGain[n].GetWindowRect(&m_rcGain[n]);
        ScreenToClient(&m_rcGain[n]);

        CBitmapSlider& fader = m_sliderGain[n];
        fader.SetBitmapChannel(kTrackTemplate, kTrackTemplate, FALSE);
        fader.SetBitmapThumb(kThumb, kThumbActive, TRUE, SLIDER_KEY_FROM_PIXEL);
        fader.SetRange(0, 240);
        fader.SetMoveNotify(TRUE);
        fader.SetMargin(n == 0 ? 0 : 15, 1, 1, 1);
        fader.SetKind(SLIDER_KIND_GAIN);
        fader.SetBuddy(&m_editGain[n]);
        m_editGain[n].SetBuddySlider(&fader);
        fader.GetWindowRect(&m_rcSlider[n]);
        ScreenToClient(&m_rcSlider[n]);
        m_rcColumn[n] = m_rcSlider[n];
        CRect rcQ;
        m_editQ[n].GetWindowRect(&rcQ);
        ScreenToClient(&rcQ);
        m_rcColumn[n].top = rcQ.top;

        m_stLabel[n].SetFontStatic("", 14, RGB(0, 0, 0), 1);

        m_btnLamp[n].SetBitmaps(8832, 8833, 8833, 8830, 8831, 8831);
        m_btnLamp[n].SetMoveNotify(TRUE);
        if (n >= 2) {
            CRect rcLamp;
            m_btnLamp[n].GetWindowRect(&rcLamp);
            ScreenToClient(&rcLamp);
            const int left = m_rcSlider[n].left + (n == 10 ? 18 : 17);
            m_btnLamp[n].MoveWindow(left, rcLamp.top, rcLamp.Width(), rcLamp.Height());
        }
    }
    m_btnRowCover.SetDisabledBitmaps(797, 796);
    m_btnSource.SetBitmaps(722, 723, 723, 0, 0, 0);
    m_btnShown.SetDisabledBitmaps(452, 452);
    for (int k = 0; k < INPUT_MUSIC_CODES; ++k) {
        m_btnSelector[k].SetBitmaps(8100 + k, 8110 + k, 8120 + k, 8120 + k, 8120 + k, 8120 + k);
        m_btnSelector[k].GetWindowRect(&m_rcSelector[k]);
        ScreenToClient(&m_rcSelector[k]);
    }
    if (m_wndSourceBar.CreateBar(this)) {
        m_wndSourceBar.SetOwnerWnd(this);
        const CSize size = m_wndSourceBar.GetImageSize();
        m_wndSourceBar.MoveWindow(kBarLeft, kBarTop, size.cx > 0 ? size.cx : 860, size.cy > 0 ? size.cy : 175);
        m_wndSourceBar.ShowWindow(SW_SHOW);
    }
    ApplyChannelMode();
}

ChannelModeLayout CInPutDlg::GetChannelModeLayout(int nMode)
{
    // show: 1 shown, 0 hidden, -1 left; slot: where the selector moves (-1 stays).
    static const ChannelModeLayout kModes[4] = {
        // 0: no S/PDIF, no Phone: Hi.Level and AUX1..3 stacked in the first four slots.
        {true, {0, -1, 0, -1, -1, -1}, {-1, 0, -1, 1, 2, 3}, 0, 0},
        // 1: Phone, no S/PDIF.
        {true, {0, -1, 1, -1, -1, -1}, {-1, 0, 1, 2, 3, 4}, 1, 0},
        // 2: S/PDIF, no Phone.
        {true, {1, -1, 0, -1, -1, -1}, {-1, -1, -1, 2, 3, 4}, 0, 1},
        // 3: both, every selector in its own slot.
        {true, {-1, -1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1, -1}, 1, 1},
    };
    if (nMode < 0 || nMode > 3)
        return ChannelModeLayout{false, {-1, -1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1, -1}, -1, -1};
    return kModes[nMode];
}

void CInPutDlg::ApplyChannelMode()
{
    const ChannelModeLayout l = GetChannelModeLayout(g_bySysGroup8[2]);
    if (!l.valid)
        return;
    for (int k = 0; k < INPUT_MUSIC_CODES; ++k) {
        if (l.show[k] >= 0)
            m_btnSelector[k].ShowWindow(l.show[k] ? SW_SHOW : SW_HIDE);
        if (l.slot[k] >= 0) {
            m_btnSelector[k].MoveWindow(&m_rcSelector[l.slot[k]]);
            m_btnSelector[k].Invalidate();
        }
    }
    m_wndSourceBar.ShowMode2Btn(l.showPhone);
    m_wndSourceBar.ShowMode0Btn(l.showSpdif);
}

void CInPutDlg::OnPaint()
{
    CPaintDC dc(this);
    CBitmap& bmp = g_bChinese ? m_bmpBackCn : m_bmpBackEn;
    // Every control change repaints the page under it: copy only the part being painted.
    CRect rc = dc.m_ps.rcPaint;
    if (rc.IsRectEmpty())
        rc.SetRect(0, 0, INPUT_PAGE_WIDTH, INPUT_PAGE_HEIGHT);
    CDC mem;
    if (mem.CreateCompatibleDC(&dc)) {
        CBitmap* old = mem.SelectObject(&bmp);
        dc.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &mem, rc.left, rc.top, SRCCOPY);
        mem.SelectObject(old);
    }
    // The bar keeps the page's pixels under it; they change only with a paint that covers it.
    CRect rcBar;
    if (m_wndSourceBar.GetSafeHwnd()) {
        m_wndSourceBar.GetWindowRect(&rcBar);
        ScreenToClient(&rcBar);
        if (rcBar.left < rc.right && rc.left < rcBar.right && rcBar.top < rc.bottom && rc.top < rcBar.bottom)
            m_wndSourceBar.CopyParentBkgnd(&dc);
    }
}

BOOL CInPutDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CInPutDlg::ApplyLanguage()
{
    if (!GetSafeHwnd())
        return;
    const bool cn = g_bChinese != 0;
    if (cn) {
        m_btnReset.SetBitmaps(7004, 7003, 7003, 7004, 7003, 7003);
        m_btnReset.SetDisabledBitmaps(7012, 7013);
        m_btnAllBypass.SetBitmaps(7000, 7005, 7005, 7002, 7001, 7001);
        m_btnAllBypass.SetDisabledBitmaps(7010, 7011);
        m_btnEqMode.SetBitmaps(744, 747, 747, 746, 745, 745);
        m_btnEqMode.SetDisabledBitmaps(753, 755);
    } else {
        m_btnReset.SetBitmaps(359, 360, 360, 359, 360, 360);
        m_btnReset.SetDisabledBitmaps(7022, 7023);
        m_btnAllBypass.SetBitmaps(8820, 8821, 8821, 8822, 8823, 8823);
        m_btnAllBypass.SetDisabledBitmaps(7020, 7021);
        m_btnEqMode.SetBitmaps(740, 743, 743, 742, 741, 741);
        m_btnEqMode.SetDisabledBitmaps(749, 751);
    }
    const UINT kindFirst = cn ? 4420 : 679;
    for (int k = 0; k < 3; ++k) {
        const UINT f = kindFirst + 3 * k;
        m_btnKind[k].SetBitmaps(f, f + 1, f + 2, f + 2, f + 2, f + 2);
    }
    const UINT wayFirst = cn ? 3140 : 3150;
    m_btnOneWay.SetBitmaps(wayFirst, wayFirst + 1, wayFirst + 2, wayFirst + 2, wayFirst + 2, wayFirst + 2);
    m_btnTwoWay.SetBitmaps(wayFirst + 3, wayFirst + 4, wayFirst + 5, wayFirst + 5, wayFirst + 5, wayFirst + 5);
    SetSelectorImages(g_bySysParams[2] != 0);
    UpdateSourceButton();
    m_btnRowCover.SetCheck(cn);
    UpdateShownInputLabel();
    m_wndSourceBar.RedrawModeButtons();
    Invalidate(FALSE);
}

void CInPutDlg::SetSelectorImages(BOOL bLocked)
{
    const bool cn = g_bChinese != 0;
    for (int k = 0; k < INPUT_MUSIC_CODES; ++k) {
        const UINT normal = (cn ? 8130 : 8100) + k;
        const UINT hover = (cn ? 8140 : 8110) + k;
        const UINT pressed = (cn ? 8150 : 8120) + k;
        // Locked, the checked selector turns dark instead of green.
        const UINT checked = bLocked ? (cn ? 8200 : 8210) + k : pressed;
        m_btnSelector[k].SetBitmaps(normal, hover, pressed, checked, checked, checked);
    }
}

void CInPutDlg::UpdateShownInputLabel()
{
    const int code = g_nShownInput;
    if (code < 0 || code >= INPUT_CODES)
        return;
    const UINT id = (g_bChinese ? 459 : 452) + code;
    m_btnShown.SetDisabledBitmaps(id, id);
    if (m_btnShown.GetSafeHwnd())
        m_btnShown.Invalidate();
}

void CInPutDlg::UncheckKindButtons()
{
    for (CBitButton& b : m_btnKind)
        b.SetCheck(FALSE);
}

void CInPutDlg::CheckSelector(int nCode, BOOL bCheck)
{
    if (nCode >= 0 && nCode < INPUT_MUSIC_CODES)
        m_btnSelector[nCode].SetCheck(bCheck);
}

void CInPutDlg::UpdateChannelView()
{
    if (!GetSafeHwnd() || !m_pScene)
        return;
    m_pMusic = ShownMusic();
    if (m_pMusic) {
        m_bAllBypass = m_pMusic->IsAllBypass();
        m_btnAllBypass.SetCheck(m_bAllBypass);
        m_nEqMode = m_pMusic->GetEqMode();
        m_btnEqMode.SetCheck(m_nEqMode);
        ApplyEqModeLayout(m_nEqMode);
        for (int n = 0; n < INPUT_LIVE_BANDS; ++n) {
            if (CFilter* f = m_pMusic->GetFilter(n))
                f->SetLinkedCtrl(&m_sliderGain[n]);
            ShowBandValues(n);
        }
    }
    HighlightBandLabel(0, FALSE);
    FocusBandEdit(0, 0, FALSE);
    UpdateShownInputLabel();
    UpdateSourceButton();
    if (m_pMusic) {
        m_graph.SelectInputChannel(g_nShownInput);
        m_graph.SetDrawMode(CFStatic::kModeMusic);
    }
    // Code 6 has no music input: nothing to edit.
    SetEqControlsEnabled(m_pMusic && !g_bySysParams[2]);
}

void CInPutDlg::UpdateInputButtons(BOOL)
{
    if (!GetSafeHwnd())
        return;
    UpdateShownInputLabel();
    UncheckKindButtons();
    m_wndSourceBar.ShowVariantGroup();
    switch (g_nInputKind) {
    case 0:
        m_btnKind[0].SetCheck(TRUE);
        break;
    case 1:
        m_btnSelector[5].ShowWindow(SW_HIDE);
        m_btnKind[1].SetCheck(TRUE);
        break;
    case 2:
        m_btnSelector[4].ShowWindow(SW_HIDE);
        m_btnSelector[5].ShowWindow(SW_HIDE);
        m_btnKind[2].SetCheck(TRUE);
        break;
    default:
        break;
    }
    m_wndSourceBar.UpdateModeButtons();
    // Only the shown input's selector stays checked, whoever changed the input last.
    for (int k = 0; k < INPUT_MUSIC_CODES; ++k)
        CheckSelector(k, k == g_nShownInput);
    UpdateChannelView();
}

void CInPutDlg::SetEqControlsEnabled(BOOL bEnable)
{
    if (!GetSafeHwnd())
        return;
    m_btnAllBypass.EnableWindow(bEnable);
    m_btnEqMode.EnableWindow(bEnable);
    m_btnReset.EnableWindow(bEnable);
    for (int n = 0; n < INPUT_BANDS; ++n) {
        m_editFreq[n].EnableWindow(bEnable);
        m_editQ[n].EnableWindow(bEnable);
        m_editGain[n].EnableWindow(bEnable);
        m_sliderGain[n].Enable(bEnable);
        m_btnLamp[n].EnableWindow(bEnable);
    }
    m_graph.EnableGraph(bEnable);
}

void CInPutDlg::ApplyEqEnable()
{
    m_pMusic = ShownMusic();
    if (m_pMusic)
        m_nEqMode = m_pMusic->GetEqMode();
    const BOOL locked = g_bySysParams[2] != 0;
    SetSelectorImages(locked);
    if (locked) {
        HighlightBandLabel(0, FALSE);
        FocusBandEdit(0, 0, FALSE);
    }
    for (CBitButton& b : m_btnSelector)
        if (b.GetSafeHwnd())
            b.Invalidate();
    SetEqControlsEnabled(!locked && m_pMusic);
}

BOOL CInPutDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id >= IDC_IN_SELECTOR && id < IDC_IN_SELECTOR + INPUT_MUSIC_CODES && code == BN_CLICKED) {
        OnInputButton(int(id - IDC_IN_SELECTOR));
        return TRUE;
    }
    if (id >= IDC_IN_KIND && id < IDC_IN_KIND + 3 && code == BN_CLICKED) {
        SetInputKind(int(id - IDC_IN_KIND));
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_IN_ONE_WAY: OnOneWayButton(); return TRUE;
        case IDC_IN_TWO_WAY: OnTwoWayButton(); return TRUE;
        case IDC_IN_EQ_MODE: OnEqModeButton(); return TRUE;
        case IDC_IN_ALL_BYPASS: OnAllBypass(); return TRUE;
        case IDC_IN_RESET: OnResetEq(); return TRUE;
        case IDC_IN_SOURCE: OnSourceButton(); return TRUE;
        default: break;
        }
    }
    if (id >= ID_SOURCE_FIRST && id <= ID_SOURCE_LAST) {
        OnSourceMenuItem(id);
        return TRUE;
    }
    // The fields' own notices (EN_CHANGE and the like) go back to the fields; only their value
    // notice (code 0) and the spins' steps are band edits.
    if (code != 0)
        return CDialog::OnCommand(wParam, lParam);
    if (id >= IDC_IN_LAMP && id < IDC_IN_LAMP + INPUT_BANDS) {
        OnBandBypass(int(id - IDC_IN_LAMP));
        return TRUE;
    }
    if ((id >= IDC_IN_FREQ && id < IDC_IN_FREQ + INPUT_BANDS) ||
        (id >= IDC_IN_FREQ_SPIN && id < IDC_IN_FREQ_SPIN + INPUT_BANDS)) {
        OnBandFreq(int(id >= IDC_IN_FREQ_SPIN ? id - IDC_IN_FREQ_SPIN : id - IDC_IN_FREQ));
        return TRUE;
    }
    if ((id >= IDC_IN_Q && id < IDC_IN_Q + INPUT_BANDS) || (id >= IDC_IN_Q_SPIN && id < IDC_IN_Q_SPIN + INPUT_BANDS)) {
        OnBandQ(int(id >= IDC_IN_Q_SPIN ? id - IDC_IN_Q_SPIN : id - IDC_IN_Q));
        return TRUE;
    }
    if ((id >= IDC_IN_GAIN && id < IDC_IN_GAIN + INPUT_BANDS) ||
        (id >= IDC_IN_GAIN_SPIN && id < IDC_IN_GAIN_SPIN + INPUT_BANDS)) {
        OnBandGain(int(id >= IDC_IN_GAIN_SPIN ? id - IDC_IN_GAIN_SPIN : id - IDC_IN_GAIN));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CInPutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SELECT_INPUT_CHANNEL:
        SelectInputChannel(int(lParam));
        return 0;
    case WM_INPUT_STATE_CHANGED:
        return OnInputStateChanged(wParam, lParam);
    case WM_INPUT_SOURCE_SELECTED:
        OnInputSourceSelected(int(lParam));
        return 0;
    case WM_CTRL_MOUSEMOVE:
        return 0;
    case WM_EQ_POINT_CHANGED:
        return OnEqPointChanged(wParam, lParam);
    case WM_SELECT_EQ_BAND:
        return OnSelectEqBand(wParam, lParam);
    case WM_SLIDER_MOVING:
        OnSliderMessage(wParam, FALSE);
        return 1;
    case WM_SLIDER_MOVED:
        OnSliderMessage(wParam, TRUE);
        return 1;
    case WM_NUMEDIT_KEYDOWN:
        OnKeyStep(UINT(wParam), UINT(lParam));
        return 0;
    case WM_KEY_ENTER:
        OnKeyEnter(UINT(wParam));
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}
