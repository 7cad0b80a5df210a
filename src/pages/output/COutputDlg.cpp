// The output page: construction of its controls and children, its texts, background and keys.
// Loading the controls from the model and the strip messages are in COutputDlgView.cpp.
#include "COutputDlg.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CPageHost.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "NumDisplayTypes.h"
#include "SpeakerTypeMenus.h"

#include <cmath>

namespace {

// Template 136 is laid out in dialog units of Arial 7: 1.25 pixels across and 1.525 down each.
constexpr double kDluX = 1.25;
constexpr double kDluY = 1.525;

constexpr UINT IDB_PAGE_BACK_CN = 287;
constexpr UINT IDB_PAGE_BACK_EN = 286;
constexpr UINT IDB_PAGE_BACK_BIG_CN = 1062;
constexpr UINT IDB_PAGE_BACK_BIG_EN = 1063;
constexpr COLORREF kPageBack = RGB(0x26, 0x2C, 0x34);  // where a background picture is missing

// x of band n's fields, dialog units.
const int kBandX[OUTPUT_BANDS] = {192, 217, 242, 266, 290, 315, 340, 365, 390, 414, 439, 464, 488, 512, 537, 562,
                                  586, 611, 636, 661, 686, 710, 734, 759, 784, 809, 834, 858, 883, 907, 933};

// Speaker positions: button and delay field (dialog units), the button's three images.
struct Position {
    int bx, by;
    int ex, ey;
    UINT png;
};
const Position kPositions[SPEAKER_POSITIONS] = {
    {60, 122, 24, 124, 7123},  {91, 122, 111, 124, 7120}, {73, 120, 69, 104, 7123},  {35, 172, 3, 176, 7106},
    {35, 155, 3, 159, 7103},   {35, 143, 3, 144, 7100},   {35, 140, 3, 145, 7103},   {34, 172, 3, 176, 7103},
    {35, 151, 3, 155, 7103},   {117, 172, 132, 176, 7116}, {117, 155, 132, 159, 7113}, {117, 143, 131, 144, 7110},
    {117, 140, 132, 145, 7113}, {117, 172, 132, 176, 7113}, {117, 151, 132, 155, 7113}, {34, 205, 2, 209, 7106},
    {34, 193, 2, 194, 7100},   {117, 205, 131, 209, 7116}, {117, 193, 132, 194, 7110}, {34, 205, 2, 209, 7106},
    {117, 205, 132, 209, 7116}, {53, 230, 17, 234, 585},   {89, 230, 118, 234, 588},   {71, 230, 96, 234, 582},
};

// Strip i's left edge on the page.
int StripX(int i) { return int(115 + 109.3 * i); }

const int kPairX[5] = {162, 466, 770, 1074, 1083};
const UINT kPairToggle[5] = {4702, 4701, 4700, 4703, 4704};

}  // namespace

CRect COutputDlg::TemplateRect(int x, int y, int cx, int cy)
{
    const int l = int(std::lround(x * kDluX)), t = int(std::lround(y * kDluY));
    return CRect(l, t, l + int(std::lround(cx * kDluX)), t + int(std::lround(cy * kDluY)));
}

COutputDlg::COutputDlg() : CDialog(IDD_OUTPUT_PAGE) {}

BOOL COutputDlg::CreatePage(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    // A child page, not a top-level dialog: made directly as a child window.
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, OUTPUT_PAGE_WIDTH, OUTPUT_PAGE_HEIGHT), pParent,
                        IDD_OUTPUT_PAGE))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

void COutputDlg::AttachScene(CKTV_Data* pScene)
{
    m_pScene = pScene;
    m_graph.SetNotifyWnd(this);
    m_graph.Attach(pScene, 4);
    m_graph.SelectOutputChannel(0);
    m_graph.SetDrawMode(4);
    m_pGraph = &m_graph;
}

void COutputDlg::ShowPage(int nCmdShow)
{
    if (GetSafeHwnd())
        ShowWindow(nCmdShow ? nCmdShow : SW_HIDE);
}

BOOL COutputDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bmpBack[0].LoadBitmap(IDB_PAGE_BACK_CN);
    m_bmpBack[1].LoadBitmap(IDB_PAGE_BACK_EN);
    m_bmpBack[2].LoadBitmap(IDB_PAGE_BACK_BIG_CN);
    m_bmpBack[3].LoadBitmap(IDB_PAGE_BACK_BIG_EN);
    m_pHiLabel = nullptr;
    m_pFocusEdit = nullptr;
    InitControls();
    if (g_bAssignFlag)
        ApplyLinkMode();
    return TRUE;
}

void COutputDlg::CreateControls()
{
    const DWORD vis = WS_CHILD | WS_VISIBLE;
    const DWORD edit = vis | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
    const DWORD hidden = WS_CHILD;
    const CRect none(0, 0, 0, 0);

    m_graph.Create("", vis | SS_CENTER | SS_NOTIFY, CRect(212, 4, 212 + 947, 4 + 215), this, IDC_EQ_GRAPH);
    for (int n = 0; n < OUTPUT_BANDS; ++n) {
        const int x = kBandX[n];
        const CRect lr = TemplateRect(x - 2, 155, 26, 8);
        m_stcBandNo[n].Create("", vis | SS_CENTER, lr, this, IDC_BAND_LABEL + UINT(n));
        m_editBandFreq[n].Create(edit, TemplateRect(x, 171, 22, 10), this, IDC_BAND_FREQ_EDIT + UINT(n));
        m_editBandQ[n].Create(edit, TemplateRect(x, 183, 22, 10), this, IDC_BAND_Q_EDIT + UINT(n));
        m_editBandGain[n].Create(edit, TemplateRect(x, 195, 22, 10), this, IDC_BAND_GAIN_EDIT + UINT(n));
        const CRect sr = TemplateRect(x - 1, 208, 19, 51);
        m_sliderBandGain[n].Create("", vis | SS_NOTIFY, CRect(sr.left + 1, sr.top, sr.left + 25, sr.top + 74), this,
                                   IDC_BAND_SLIDER + UINT(n));
        const CRect br = TemplateRect(x + 3, 259, 16, 12);
        m_btnBypass[n].Create("BY", vis | BS_OWNERDRAW | BS_NOTIFY, CRect(br.left, br.top, br.left + 14, br.top + 14),
                              this, IDC_BAND_BYPASS + UINT(n));
        m_spinBandFreq[n].Create(hidden, none, this, IDC_BAND_FREQ_SPIN + UINT(n));
        m_spinBandQ[n].Create(hidden, none, this, IDC_BAND_Q_SPIN + UINT(n));
        m_spinBandGain[n].Create(hidden, none, this, IDC_BAND_GAIN_SPIN + UINT(n));
    }
    m_btnAllBypass.Create("ALLBYPASS", vis | BS_OWNERDRAW, TemplateRect(1002, 255, 21, 14), this, IDC_ALL_BYPASS);
    m_btnEqMode.Create("BY", vis | BS_OWNERDRAW, TemplateRect(1002, 207, 21, 14), this, IDC_PAGE_EQ_MODE);
    m_btnResetEq.Create("BY", vis | BS_OWNERDRAW, TemplateRect(1002, 299, 21, 14), this, IDC_PAGE_RESET_EQ);

    m_btnHpfSlope.Create("", vis, TemplateRect(13, 31, 69, 13), this, IDC_HPF_SLOPE);
    m_btnLpfSlope.Create("", vis, TemplateRect(95, 31, 71, 13), this, IDC_LPF_SLOPE);
    m_editHpfFreq.Create(edit, TemplateRect(13, 59, 55, 10), this, IDC_HPF_FREQ_EDIT);
    m_editLpfFreq.Create(edit, TemplateRect(95, 59, 54, 10), this, IDC_LPF_FREQ_EDIT);
    m_btnHpfClass.Create("", vis, TemplateRect(13, 83, 68, 13), this, IDC_HPF_CLASS);
    m_btnLpfClass.Create("", vis, TemplateRect(95, 82, 71, 13), this, IDC_LPF_CLASS);
    m_spinHpfFreq.Create(hidden, none, this, IDC_HPF_FREQ_SPIN);
    m_spinLpfFreq.Create(hidden, none, this, IDC_LPF_FREQ_SPIN);

    for (int p = 0; p < SPEAKER_POSITIONS; ++p) {
        const Position& pos = kPositions[p];
        m_btnPosition[p].Create("", hidden, TemplateRect(pos.bx, pos.by, 8, 11), this,
                                IDC_POSITION_BUTTON + UINT(p));
        m_editPosDelay[p].Create(WS_CHILD | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, TemplateRect(pos.ex, pos.ey, 31, 10),
                                 this, IDC_POSITION_DELAY_EDIT + UINT(p));
        m_spinPosDelay[p].Create(hidden, none, this, IDC_POSITION_DELAY_SPIN + UINT(p));
        // Shown only while a channel holds the position's speaker type.
        m_editPosDelay[p].ShowWindow(SW_HIDE);
    }
    m_btnDelayUnit.Create("", vis, TemplateRect(40, 255, 38, 14), this, IDC_DELAY_UNIT);
    m_btnLinkLR.Create("", vis, TemplateRect(102, 254, 50, 14), this, IDC_PAGE_LINK_LR);

    const int pairX[5] = {18, 39, 0, 62, 88};
    for (int k = 0; k < 5; ++k)
        m_btnPair[k].Create("", hidden | WS_DISABLED, TemplateRect(pairX[k], 559, 15, 11), this,
                            kPairToggle[k]);
    m_btnPolarity.Create("", hidden, TemplateRect(675, 458, 66, 17), this, IDC_PAGE_POLARITY);
    m_editGain.Create(hidden | ES_CENTER, TemplateRect(374, 540, 51, 12), this, IDC_PAGE_GAIN_EDIT);
    m_spinGain.Create(hidden, none, this, IDC_PAGE_GAIN_SPIN);
    m_sliderGain.Create("", hidden | SS_NOTIFY, TemplateRect(382, 453, 18, 14), this, IDC_PAGE_GAIN_SLIDER);
    for (int k = 0; k < 3; ++k) {
        m_editDelay[k].Create(hidden | ES_CENTER, TemplateRect(778, 504 + 20 * k, 74, 12), this,
                              IDC_PAGE_DELAY_EDIT + UINT(k));
        m_spinDelay[k].Create(hidden, none, this, IDC_PAGE_DELAY_SPIN + UINT(k));
    }
    m_btnInput.Create("", hidden | WS_DISABLED, TemplateRect(792, 523, 39, 14), this, IDC_INPUT_LOOK);
    m_btnThirdPage.Create("", hidden, TemplateRect(777, 455, 61, 14), this, IDC_THIRD_PAGE);
    m_btnLanguage.Create("", hidden | WS_DISABLED, TemplateRect(0, 541, 16, 12), this,
                         IDC_LANGUAGE_LOOK);
    m_stcHidden.Create("", hidden, TemplateRect(827, 437, 10, 10), this, IDC_HIDDEN_STATIC);
    m_stcPicture1.Create("", hidden | SS_BITMAP, TemplateRect(643, 481, 98, 74), this, IDC_PICTURE1);
    m_stcPicture2.Create("", hidden | SS_BITMAP, TemplateRect(643, 481, 98, 74), this, IDC_PICTURE2);
}

void COutputDlg::InitBandControls()
{
    for (int n = 0; n < OUTPUT_BANDS; ++n) {
        m_spinBandFreq[n].SetBuddy(&m_editBandFreq[n]);
        m_spinBandFreq[n].SetRange(20, 20000);
        m_editBandFreq[n].SetType(NUMTYPE_FREQ, "");
        m_editBandFreq[n].SetFont(&g_fontArial12);

        m_spinBandQ[n].SetBuddy(&m_editBandQ[n]);
        m_editBandQ[n].SetType(NUMTYPE_Q, "");
        m_spinBandQ[n].SetRange(0, 295);
        m_editBandQ[n].SetFont(&g_fontArial12);

        m_spinBandGain[n].SetBuddy(&m_editBandGain[n]);
        m_spinBandGain[n].SetRange(80, 320);
        m_editBandGain[n].SetScale(0.1);
        m_editBandGain[n].SetOffset(20.0);
        m_editBandGain[n].SetType(NUMTYPE_LEVEL, "");
        m_editBandGain[n].SetFont(&g_fontArial12);

        CBitmapSlider& s = m_sliderBandGain[n];
        s.SetBitmapChannel(610, 610, FALSE);
        s.SetBitmapThumb(611, 613, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        s.SetRange(0, 240, FALSE);
        s.SetMoveNotify(1);
        s.SetMargin(5, 1, 0, 1);
        s.SetKind(SLIDER_KIND_GAIN);
        s.SetBuddy(&m_editBandGain[n]);
        m_editBandGain[n].SetBuddySlider(&s);

        char text[16];
        std::snprintf(text, sizeof text, "%d", n + 1);
        m_stcBandNo[n].SetWindowText(text);
        m_stcBandNo[n].SetFontStatic("", 14, RGB(255, 255, 255), 1);

        m_btnBypass[n].SetBitmaps(8832, 8833, 8833, 8830, 8831, 8831);
        m_btnBypass[n].SetMoveNotify(1);
    }
}

void COutputDlg::InitStrips()
{
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        COutRoute_Dlg& s = m_strip[i];
        s.CreateStrip(this);
        s.SetBackgroundBitmap(851);
        s.SetSelectBitmaps(818 + 3 * UINT(i), 817 + 3 * UINT(i), 819 + 3 * UINT(i));
        s.SetFaderChannelBitmaps(281, 281, FALSE);
        s.SetFaderThumbBitmaps(358, 358, FALSE);
        s.MoveWindow(StripX(i), 413, STRIP_WIDTH, STRIP_HEIGHT);
        s.ShowWindow(SW_SHOW);
        s.m_nChannel = i;
        s.m_pOutputDlg = this;
        s.m_nLinkMask = 1 << i;
        s.SetSelected(FALSE);
        s.m_pPrevStrip = i > 0 ? &m_strip[i - 1] : nullptr;
        s.m_pNextStrip = i + 1 < OUTPUT_STRIPS ? &m_strip[i + 1] : nullptr;
    }
    if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_STRIPS)
        m_strip[g_nCurOutput].SetSelected(TRUE);
    m_strip[OUTPUT_STRIPS - 1].m_pWalkRight = &m_editHpfFreq;
}

void COutputDlg::InitPanels()
{
    for (int k = 0; k < 5; ++k) {
        m_dlgPair[k].CreatePanel(this, k);
        m_dlgPair[k].MoveWindow(kPairX[k], 407, 110, 250);
        m_dlgPair[k].ShowWindow(SW_HIDE);
    }

    m_dlgGain.SetBackgroundBitmap(IDB_GAIN_BACK_CN);
    m_dlgGain.CreatePanel(this);
    m_dlgGain.SetSelectorBitmaps(848, 847);
    m_dlgGain.AddSelectorItem("毫秒");
    m_dlgGain.AddSelectorItem("厘米");
    m_dlgGain.AddSelectorItem("英寸");
    m_dlgGain.SetFaderChannelBitmaps(357, 357, FALSE, SLIDER_KEY_FROM_PIXEL, 0, 0);
    m_dlgGain.SetFaderThumbBitmaps(358, 358, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
    m_dlgGain.SetFaderRange(0, MASTER_LEVEL_MAX, FALSE);
    m_dlgGain.MoveWindow(3, 440, 100, 216);
    m_dlgGain.ShowWindow(SW_SHOWNORMAL);
    m_dlgGain.m_pOutputDlg = this;
    m_strip[0].m_pWalkLeft = m_dlgGain.GetDlgItem(IDC_GAIN_LEVEL_EDIT);

    m_dlgChannels.CreatePanel(this);
    m_dlgChannels.m_pOutputDlg = this;
    m_dlgChannels.MoveWindow(1160, 6, 38, 210);
    m_dlgChannels.ShowWindow(SW_SHOW);
}

void COutputDlg::InitControls()
{
    CreateControls();
    m_btnPair[2].SetBitmaps(952, 953, 954, 954, 954, 952);
    m_btnPair[1].SetBitmaps(952, 953, 954, 954, 954, 952);

    m_spinGain.SetBuddy(&m_editGain);
    m_spinGain.SetRange(0, 600);
    m_editGain.SetScale(0.1);
    m_editGain.SetOffset(60.0);
    m_editGain.SetType(NUMTYPE_LEVEL_OFF0, "");
    m_editGain.LimitText(6);
    m_editGain.SetFont(&g_fontArial14);
    m_editGain.SetBuddySlider(&m_sliderGain);
    m_sliderGain.SetBitmapChannel(281, 283, FALSE);
    m_sliderGain.SetBitmapThumb(280, 282, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
    m_sliderGain.SetRange(0, 600, FALSE);
    m_sliderGain.SetMargin(38, 0, 1, 2);
    m_sliderGain.SetBuddy(&m_editGain);
    m_sliderGain.SetMoveNotify(1);

    static const char* const kUnits[3] = {"MS", "CM", "INCH"};
    for (int k = 0; k < 3; ++k) {
        m_spinDelay[k].SetBuddy(&m_editDelay[k]);
        m_spinDelay[k].SetRange(0, 960);
        m_spinDelay[k].SetType(2);
        m_editDelay[k].SetType(k, kUnits[k]);
        m_editDelay[k].SetValue(0);
        m_editDelay[k].SetFont(&g_fontArial14);
        m_editDelay[k].LimitText(10);
        m_editDelay[k].CreateSpinButton(4016 + UINT(k));
        m_editDelay[k].SetSpinTarget(4013 + k, &m_spinDelay[k]);
    }

    const struct {
        CComBoxBtn* btn;
        UINT notify;
        bool isClass;
    } lists[4] = {{&m_btnHpfClass, 1014, true}, {&m_btnHpfSlope, 1015, false},
                  {&m_btnLpfClass, 1016, true}, {&m_btnLpfSlope, 1017, false}};
    for (const auto& l : lists) {
        l.btn->SetBitmaps(701, 702);
        l.btn->CreateDropList(this, l.notify);
        l.btn->SetMoveNotify(1);
        if (l.isClass) {
            l.btn->SetDisabledBitmap(1066);
            l.btn->SetNullTextMode(1);
        }
        l.btn->SetFonts(&g_fontArial14, &g_fontArial14);
    }
    for (CNumEdit* e : {&m_editHpfFreq, &m_editLpfFreq}) {
        e->SetType(NUMTYPE_FREQ_HZ, "");
        e->SetFont(&g_fontArial14);
        e->LimitText(7);
    }
    m_spinHpfFreq.SetBuddy(&m_editHpfFreq);
    m_spinHpfFreq.SetRange(20, 20000);
    m_spinLpfFreq.SetBuddy(&m_editLpfFreq);
    m_spinLpfFreq.SetRange(20, 20000);

    InitBandControls();
    m_btnLanguage.SetDisabledBitmaps(797, 796);
    InitStrips();
    for (int p = 0; p < SPEAKER_POSITIONS; ++p) {
        const UINT png = kPositions[p].png;
        m_btnPosition[p].SetPngImages(png, png + 1, png + 2);
        m_btnPosition[p].SetCheckedPngImages(png + 2, png + 2, png + 2);
        m_btnPosition[p].SetTag(p);
        if (p == 0)
            m_btnPosition[p].GetWindowRect(&m_rcCenterB), ScreenToClient(&m_rcCenterB), m_rcCenterB0 = m_rcCenterB;
        if (p == 1)
            m_btnPosition[p].GetWindowRect(&m_rcCenterA), ScreenToClient(&m_rcCenterA), m_rcCenterA0 = m_rcCenterA;
    }
    InitPanels();
    for (int p = 0; p < SPEAKER_POSITIONS; ++p) {
        m_spinPosDelay[p].SetBuddy(&m_editPosDelay[p]);
        m_spinPosDelay[p].SetRange(0, 960);
        m_editPosDelay[p].LimitText(5);
        m_editPosDelay[p].SetFont(&g_fontArial14);
        m_spinPosDelay[p].SetPos(0);
    }
    m_btnDelayUnit.SetBitmaps(1052, 1053);
    m_btnDelayUnit.CreateDropList(this, IDC_DELAY_UNIT);
    m_btnDelayUnit.AddString("毫秒");
    m_btnDelayUnit.AddString("厘米");
    m_btnDelayUnit.AddString("英寸");
    m_btnDelayUnit.SetMoveNotify(1);
    const int unitType = g_nDelayUnit >= 1 && g_nDelayUnit <= 3 ? g_nDelayUnit - 1 : 0;
    for (int p = 0; p < SPEAKER_POSITIONS; ++p)
        m_editPosDelay[p].SetType(unitType, "");
}

// ---- language ----

void COutputDlg::FillCrossoverLists()
{
    static const char* const kClassCn[3] = {"宁克-锐", "巴特沃斯", "贝塞尔"};
    static const char* const kClassEn[3] = {"Link_Ril", "Butter_W", "Bessel"};
    static const char* const kSlopes[8] = {"6dB/Oct",  "12dB/Oct", "18dB/Oct", "24dB/Oct",
                                           "30dB/Oct", "36dB/Oct", "42dB/Oct", "48dB/Oct"};
    const struct {
        CComBoxBtn* btn;
        int sel;
        bool isClass;
    } lists[4] = {{&m_btnLpfClass, m_nLpfClass, true}, {&m_btnLpfSlope, m_nLpfSlope, false},
                  {&m_btnHpfClass, m_nHpfClass, true}, {&m_btnHpfSlope, m_nHpfSlope, false}};
    for (const auto& l : lists) {
        l.btn->ResetContent();
        if (l.isClass) {
            for (int k = 0; k < 3; ++k)
                l.btn->AddString(g_bChinese ? kClassCn[k] : kClassEn[k]);
        } else {
            for (const char* s : kSlopes)
                l.btn->AddString(s);
            l.btn->AddString(g_bChinese ? "关闭" : "OFF");
        }
        l.btn->SetCurSel(l.sel);
    }
}

void COutputDlg::SetLanguageTexts()
{
    if (!GetSafeHwnd())
        return;
    const bool cn = g_bChinese != 0;
    const int unitSel = g_nDelayUnit >= 1 && g_nDelayUnit <= 3 ? g_nDelayUnit - 1 : 0;
    m_btnDelayUnit.ResetContent();
    if (cn) {
        m_btnLinkLR.SetBitmaps(1054, 1055, 1055, 1056, 1056, 1054);
        for (const char* s : {"毫秒", "厘米", "英寸"})
            m_btnDelayUnit.AddString(s);
        m_btnPolarity.SetBitmaps(4360, 4361, 4362, 4363, 4364, 4365);
        m_btnResetEq.SetBitmaps(7004, 7003, 7003, 7004, 7003, 7003);
        m_btnAllBypass.SetBitmaps(7002, 7001, 7001, 7000, 7005, 7005);
        m_btnEqMode.SetBitmaps(746, 745, 745, 744, 747, 747);
        for (CBitButton& b : m_btnPair)
            b.SetBitmaps(952, 953, 954, 954, 954, 952);
    } else {
        m_btnLinkLR.SetBitmaps(1057, 1058, 1058, 1059, 1059, 1057);
        for (const char* s : {"MS", "CM", "INCH"})
            m_btnDelayUnit.AddString(s);
        m_btnPolarity.SetBitmaps(4350, 4351, 4352, 4353, 4354, 4355);
        m_btnResetEq.SetBitmaps(359, 360, 360, 359, 360, 360);
        m_btnAllBypass.SetBitmaps(8822, 8823, 8823, 8820, 8821, 8821);
        m_btnEqMode.SetBitmaps(742, 741, 741, 740, 743, 743);
        for (CBitButton& b : m_btnPair)
            b.SetBitmaps(955, 956, 957, 957, 957, 955);
    }
    m_btnDelayUnit.SetCurSel(unitSel);
    FillCrossoverLists();
    g_menuSpeakerType.DestroyMenu();
    g_menuSpeakerType.LoadMenu(cn ? IDR_MENU_SPEAKER_TYPE_CN : IDR_MENU_SPEAKER_TYPE_EN);

    m_nUnitSel = m_dlgGain.GetSelectorSel();
    m_dlgGain.ResetSelector();
    static const char* const kUnitsCn[3] = {"毫秒", "厘米", "英寸"};
    static const char* const kUnitsEn[3] = {"Millisecond", "Centimeter", "Inch"};
    for (int k = 0; k < 3; ++k)
        m_dlgGain.AddSelectorItem(cn ? kUnitsCn[k] : kUnitsEn[k]);
    m_dlgGain.SetSelectorSel(m_nUnitSel);
    m_dlgGain.SetBackgroundBitmap(cn ? IDB_GAIN_BACK_CN : IDB_GAIN_BACK_EN);

    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        COutRoute_Dlg& s = m_strip[i];
        s.m_editGain.UpdateOffText();
        s.SetBackgroundBitmap(cn ? 851 : 852);
        s.SetPolarityLook(cn);
    }
    for (CBTLRouteDlg& p : m_dlgPair)
        p.SetLanguageTexts();

    m_btnLanguage.SetCheck(g_bChinese);
    for (CNumEdit& e : m_editDelay)
        e.UpdateOffText();
    m_editGain.UpdateOffText();
    UpdateInputButtonLook();
    const int c = g_nCurOutput;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (m_strip[i].GetStripState() != (i == c))
            m_strip[i].SetStripState(i == c);
        m_strip[i].UpdateTitle();
        m_strip[i].SetSourceLabels();
    }
    Invalidate(FALSE);
}

// ---- background and keys ----

BOOL COutputDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void COutputDlg::OnPaint()
{
    CPaintDC dc(this);
    const int index = (g_bBigCurve ? 2 : 0) + (g_bChinese ? 0 : 1);
    CBitmap& bmp = m_bmpBack[index];
    if (bmp.GetSafeHandle()) {
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* pOld = mem.SelectObject(&bmp);
        BITMAP bm = {};
        bmp.GetBitmap(&bm);
        dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kPageBack);
}

BOOL COutputDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(pMsg);
    CEdit* edit = dynamic_cast<CEdit*>(CWnd::GetFocus());
    switch (pMsg->wParam) {
    case VK_RETURN:
        if (edit) {
            const BOOL geq = g_pPageHost && g_pPageHost->GetEqModeCheck();
            if (geq)
                PostMessage(WM_NUMEDIT_KEYDOWN, WPARAM(edit->GetDlgCtrlID()), VK_RIGHT);
            else
                PostMessage(WM_KEY_ENTER, WPARAM(edit->GetDlgCtrlID()), 0);
        }
        return FALSE;
    case VK_TAB:
        if (edit)
            PostMessage(WM_NUMEDIT_KEYDOWN, WPARAM(edit->GetDlgCtrlID()), VK_RIGHT);
        return FALSE;
    case VK_ESCAPE:
        SetFocus();
        return FALSE;
    default: break;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
