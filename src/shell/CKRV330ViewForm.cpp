// The main view's form: its skinned controls and their places, the output page in the page
// tab control, the page switch, the reload after a scene, the language of every text and image,
// the scene name on button 2770, painting and the keys the form keeps from its controls.
#include "CKRV330View.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CWindowDC.h"
#include "FixedField.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "KeyMap.h"
#include "MenuTemplate.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "ShellTexts.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"
#include "Texts.h"

#include <QLocale>

#include <algorithm>
#include <cstring>

namespace {

// Places on the form (pixels). The command bar runs along the top; the page tab control
// takes the rest.
const CRect kSceneMenuRect(8, 4, 80, 32);
const CRect kSettingsMenuRect(86, 4, 158, 32);
const CRect kConnectRect(164, 4, 256, 32);
const CRect kSceneNameRect(264, 4, 434, 32);
const CRect kInputTypeRect(444, 6, 534, 30);
const CRect kAudioSourceRect(542, 6, 632, 30);
const CRect kMixerRect(644, 4, 716, 32);
const CRect kEqModeRect(722, 4, 794, 32);
const CRect kBypassAllRect(800, 4, 872, 32);
const CRect kResetAllEqRect(878, 4, 950, 32);
const CRect kResetMapRect(956, 4, 1028, 32);
const CRect kLinkLRRect(1034, 4, 1106, 32);
const CRect kMinimizeRect(1144, 6, 1168, 30);
const CRect kExitRect(1174, 6, 1198, 30);
const CRect kLinkStateRect(1000, 40, 1120, 62);
const CRect kTabRect(2, 36, 2 + OUTPUT_PAGE_WIDTH, 36 + OUTPUT_PAGE_HEIGHT);
// The controls hidden for the whole run still have a place.
const CRect kPercentRect(640, 40, 730, 64);
const CRect kHiddenButtonRect(8, 40, 80, 68);
const CRect kNameEditRect(264, 40, 434, 60);
const CRect kProgressRect(444, 40, 632, 52);

// Skins of the command buttons by language: normal, hover, pressed, then checked normal, hover,
// pressed (0 = none).
struct ButtonSkin {
    UINT cn[6];
    UINT en[6];
};
const ButtonSkin kMixerSkin{{1022, 1023, 1023, 0, 0, 0}, {1024, 1025, 1025, 0, 0, 0}};
const ButtonSkin kPageSkins[3] = {
    {{4310, 4311, 4312, 4312, 4312, 4312}, {4300, 4301, 4302, 4302, 4302, 4302}},
    {{4313, 4314, 4315, 4315, 4315, 4315}, {4303, 4304, 4305, 4305, 4305, 4305}},
    {{4316, 4317, 4318, 4318, 4318, 4318}, {4306, 4307, 4308, 4308, 4308, 4308}},
};
const ButtonSkin kResetMapSkin{{1067, 1068, 1068, 0, 0, 0}, {1069, 1070, 1070, 0, 0, 0}};
const ButtonSkin kLinkLRSkin{{1071, 1072, 1072, 1073, 1073, 1073}, {1074, 1075, 1075, 1076, 1076, 1076}};
const ButtonSkin kResetAllEqSkin{{7004, 7003, 7003, 7004, 7003, 7003}, {359, 360, 360, 359, 360, 360}};
const ButtonSkin kBypassAllSkin{{7000, 7005, 7005, 7002, 7001, 7001}, {8820, 8821, 8821, 8822, 8823, 8823}};
const ButtonSkin kEqModeSkin{{744, 747, 747, 746, 745, 745}, {740, 743, 743, 742, 741, 741}};
// 8801 and 8802: checked faces first (the picture buttons' order).
const ButtonSkin kMenuSkins[2] = {
    {{8701, 8710, 8710, 8710, 8710, 8710}, {8720, 8730, 8730, 8730, 8730, 8730}},
    {{8702, 8711, 8711, 8711, 8711, 8711}, {8721, 8731, 8731, 8731, 8731, 8731}},
};

void Skin(CBitButton& b, const ButtonSkin& s)
{
    const UINT* ids = g_bChinese ? s.cn : s.en;
    b.SetBitmaps(ids[0], ids[1], ids[2], ids[3], ids[4], ids[5]);
}

void Skin(CXPButton& b, const ButtonSkin& s)
{
    const UINT* ids = g_bChinese ? s.cn : s.en;
    b.SetBitmaps(ids[0], ids[1], ids[2], ids[3], ids[4], ids[5]);
}

constexpr UINT IDB_SELECTOR = 763;
constexpr UINT IDB_SELECTOR_HOVER = 764;
constexpr UINT IDB_SCENE_NAME_CLEAR = 718;
constexpr UINT IDB_SCENE_NAME_SET = 716;
constexpr UINT IDB_SPARE = 1046;
constexpr COLORREF kTabBack = 0xEEE4E3;
constexpr DWORD kTabLookAll = 0x1F;
constexpr int kSceneTitleLimit = 13;  // device bytes of a file title that may become the scene name
constexpr int kOutputFlagByte = 287;  // of an output block: eight routing flag bits

// Scene menu 112 and settings menu 113 in one language.
void RegisterViewMenus()
{
    const bool cn = g_bChinese != 0;
    RegisterMenuTemplate(
        IDR_MENU_SCENE,
        {MenuPopup("", {MenuItem(cn ? "加载     机器预置场景(&E)" : "Load     Machine Preset(&E)", 720),
                        MenuItem(cn ? "另存为  机器预置场景(&I)" : "Save As Machine Preset(&I)", 721),
                        MenuItem(cn ? "删除     机器预置场景(&D)" : "Delete   Machine Preset(&D)", 722),
                        MenuSeparator(),
                        MenuItem(cn ? "加载     电脑上场景文件(&O)" : "Load     PC Presets File(&O)", 723),
                        MenuItem(cn ? "另存为  电脑上场景文件(&S)" : "Save As PC Presets File(&S)", 725),
                        MenuSeparator(),
                        MenuItem(cn ? "加载     机器所有场景" : "Load     All Presets", 724),
                        MenuItem(cn ? "保存     机器所有场景" : "Save     All Presets", 726)})});
    const bool chineseSystem = QLocale::system().language() == QLocale::Chinese;
    RegisterMenuTemplate(
        IDR_MENU_SETTINGS,
        {MenuPopup("", {MenuItem(cn ? "English" : (chineseSystem ? "中文" : "Chinese"), 729),
                        MenuItem(cn ? "固件更新" : "Firmware Update", 727),
                        MenuItem(cn ? "高级" : "Advanced", 728),
                        MenuItem(cn ? "恢复出厂设置" : "Factory Reset", 738),
                        MenuItem(cn ? "帮助(&F)" : "Help(&F)", 730),
                        MenuItem(cn ? "关于(&A)..." : "About(&A)", 731)})});
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Controls

void CKRV330View::CreateFormControls()
{
    if (m_Tab.GetSafeHwnd())
        return;
    const DWORD btn = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    const DWORD hiddenBtn = WS_CHILD | BS_PUSHBUTTON;
    // The picture buttons draw only as owner-drawn buttons.
    const DWORD picture = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
    const DWORD hiddenPicture = WS_CHILD | BS_OWNERDRAW;
    m_btnLinkLR.Create("", btn, kLinkLRRect, this, IDC_LINK_LR);
    m_btnResetMap.Create("", btn, kResetMapRect, this, IDC_RESET_MAP);
    m_cmbPercent.Create("", hiddenBtn, kPercentRect, this, IDC_PERCENT);
    m_cmbAudioSource.Create("", btn, kAudioSourceRect, this, IDC_AUDIO_SOURCE);
    m_btnSourceOn.Create("", hiddenBtn, kHiddenButtonRect, this, IDC_SOURCE_ON);
    m_btnSpare.Create("", hiddenBtn, kHiddenButtonRect, this, IDC_SPARE);
    m_staticLink.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kLinkStateRect, this, IDC_LINK_STATE);
    m_btnMinimize.Create("", btn, kMinimizeRect, this, IDC_MINIMIZE);
    m_btnExit.Create("", btn, kExitRect, this, IDC_EXIT);
    m_btnSceneName.Create("", btn | WS_DISABLED, kSceneNameRect, this, IDC_SCENE_NAME);
    for (int i = 0; i < 3; ++i)
        m_btnPage[i].Create("", hiddenBtn, kHiddenButtonRect, this, IDC_PAGE_OUTPUT + UINT(i));
    for (int i = 0; i < 4; ++i)
        m_btnMode[i].Create("", hiddenPicture, kHiddenButtonRect, this, IDC_MODE_FIRST + UINT(i));
    m_editSceneName.Create(WS_CHILD | ES_AUTOHSCROLL, kNameEditRect, this, IDC_SCENE_NAME_EDIT);
    m_btnSceneMenu.Create("", picture, kSceneMenuRect, this, IDC_SCENE_MENU);
    m_btnSystem.Create("", hiddenPicture, kHiddenButtonRect, this, IDC_SYSTEM);
    m_btn8804.Create("", hiddenPicture, kHiddenButtonRect, this, IDC_FUNCTION_8804);
    m_btnSettingsMenu.Create("", picture, kSettingsMenuRect, this, IDC_SETTINGS_MENU);
    m_btnConnect.Create("", picture, kConnectRect, this, IDC_CONNECT);
    m_Progress.Create(WS_CHILD, kProgressRect, this, IDC_VIEW_PROGRESS);
    m_Progress.SetBkColor(0x808080);
    m_Tab.Create(WS_CHILD | WS_VISIBLE, kTabRect, this, IDC_PAGE_TAB);
    m_cmbInputType.Create("", btn, kInputTypeRect, this, IDC_INPUT_TYPE);
    m_btnMixer.Create("", btn, kMixerRect, this, IDC_MIXER);
    m_btnEqMode.Create("", btn, kEqModeRect, this, IDC_EQ_MODE);
    m_btnBypassAll.Create("", btn, kBypassAllRect, this, IDC_BYPASS_ALL);
    m_btnResetAllEq.Create("", btn, kResetAllEqRect, this, IDC_RESET_ALL_EQ);
    // Hidden for the whole run, whatever their classes do when they are skinned.
    CWnd* const hidden[] = {&m_cmbPercent, &m_btnSourceOn, &m_btnSpare,    &m_btnMode[0], &m_btnMode[1],
                            &m_btnMode[2], &m_btnMode[3],  &m_editSceneName, &m_btnSystem, &m_btn8804,
                            &m_Progress};
    for (CWnd* w : hidden)
        w->ShowWindow(SW_HIDE);
}

void CKRV330View::InitControls()
{
    CreateFormControls();

    m_btnMixer.SetBitmaps(1022, 1023, 1023, 0, 0, 0);

    m_btnSceneName.SetDisabledBitmaps(IDB_SCENE_NAME_CLEAR, IDB_SCENE_NAME_SET);
    m_btnSceneName.SetDisabledTextColor(RGB(255, 255, 255));
    m_btnSceneName.SetDisabledTextFormat(0);
    m_btnSceneName.SetDisabledTextIndent(10);
    m_btnSceneName.SetWindowText("");

    m_cmbInputType.SetBitmaps(IDB_SELECTOR, IDB_SELECTOR_HOVER);
    m_cmbInputType.CreateDropList(this, NOTIFY_INPUT_TYPE);
    for (const char* s : {"线路", "蓝牙", "数字"})
        m_cmbInputType.AddString(s);
    m_cmbInputType.SetMoveNotify(TRUE);

    m_btnSpare.SetBitmaps(IDB_SPARE, IDB_SPARE, IDB_SPARE, 0, 0, 0);
    m_btnSpare.ShowWindow(SW_HIDE);

    m_cmbAudioSource.SetBitmaps(IDB_SELECTOR, IDB_SELECTOR_HOVER);
    m_cmbAudioSource.CreateDropList(this, NOTIFY_AUDIO_SOURCE);
    for (const char* s : {"线路", "蓝牙", "数字", "关闭"})
        m_cmbAudioSource.AddString(s);
    m_cmbAudioSource.SetMoveNotify(TRUE);

    m_cmbPercent.SetBitmaps(IDB_SELECTOR, IDB_SELECTOR_HOVER);
    m_cmbPercent.CreateDropList(this, NOTIFY_PERCENT);
    for (const char* s : {"0%", "30%", "50%", "80%", "100%"})
        m_cmbPercent.AddString(s);
    m_cmbPercent.SetMoveNotify(TRUE);

    m_staticLink.StartBlink();

    m_btnMinimize.SetBitmaps(4946, 4947, 4947, 0, 0, 0);
    m_btnExit.SetBitmaps(4948, 4949, 4949, 0, 0, 0);

    m_Tab.SetTabBkColor(kTabBack);
    m_Tab.SetDrawType(2);
    CEnTabCtrl::SetLookFlags(TRUE, kTabLookAll);
    m_Tab.SetItemSize(CSize(-1, -20));
    m_Tab.Invalidate();

    // The output page fills the tab control's client area.
    m_OutputPage.CreatePage(&m_Tab);
    m_OutputPage.AttachScene(m_pScene);
    m_OutputPage.ShowPage(0);
    CRect rcPage;
    m_Tab.GetClientRect(&rcPage);
    m_OutputPage.MoveWindow(&rcPage);

    if (!m_fontName.GetSafeHandle())
        m_fontName.CreateFont(17, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    m_editSceneName.SetFont(&m_fontName);
    m_btnSceneName.SetDisabledFont(&m_fontName);

    m_OutputPage.AttachScene(m_pScene);
    m_OutputPage.ShowPage(0);
    m_OutputPage.LoadRoutingFromImage();

    // Each output takes its start-up speaker type with that type's crossover and input mix.
    if (m_pScene) {
        CSingleLock lock(g_csComm);
        for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
            const int type = SpeakerTypeOf(g_bySpeakerType, ch);
            if (CKTV_OutData* out = m_pScene->GetOutData(ch))
                out->SetSpeakerType(type);
            ApplySpeakerTypeMix(ch, type);
        }
    }

    CreateTransferPopup();

    RegisterViewMenus();
    m_menuScene.DestroyMenu();
    m_menuScene.LoadMenu(IDR_MENU_SCENE);
    m_menuSettings.DestroyMenu();
    m_menuSettings.LoadMenu(IDR_MENU_SETTINGS);

    LoadOutputSourceBits();
}

void CKRV330View::LoadOutputSourceBits()
{
    CSingleLock lock(g_csComm);
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        const BYTE flags = g_Scene[BlockOffset(BLOCK_OUTPUT, i) + kOutputFlagByte];
        for (int k = 0; k < OUTPUT_SOURCE_BITS; ++k)
            g_bOutputSourceBit[i][k] = (flags >> k) & 1;
    }
}

// ---------------------------------------------------------------------------------------------
// Pages

void CKRV330View::ShowPage(int nPage, BOOL bStore)
{
    if (bStore) {
        switch (g_nCurPage) {
        case 0:
            m_btnPage[1].SetCheck(FALSE);
            if (m_InputPage.GetSafeHwnd())
                m_InputPage.ShowWindow(SW_HIDE);
            break;
        case 1:
            m_btnPage[0].SetCheck(FALSE);
            m_OutputPage.ShowPage(0);
            break;
        case 2:
            m_btnPage[2].SetCheck(FALSE);
            break;
        default:
            break;
        }
        g_nCurPage = nPage;
    }
    switch (g_nCurPage) {
    case 0:
        m_btnPage[1].SetCheck(TRUE);
        if (m_InputPage.GetSafeHwnd())
            m_InputPage.ShowWindow(SW_SHOW);
        m_InputPage.UpdateChannelView();
        break;
    case 1:
        m_btnPage[0].SetCheck(TRUE);
        m_OutputPage.ShowPage(SW_SHOW);
        m_OutputPage.UpdateChannelView();
        break;
    case 2:
        m_btnPage[2].SetCheck(TRUE);
        break;
    default:
        break;
    }
}

void CKRV330View::ReloadFromScene()
{
    BuildSpeakerGroups();
    {
        CSingleLock lock(g_csComm);
        m_bSourceOn = g_bySysGroup8[4] == 255 ? 0 : 1;
    }
    m_btnSourceOn.SetCheck(m_bSourceOn);
    LoadOutputSourceBits();
    m_OutputPage.LoadRoutingFromImage();
    SetInputSource(g_byInputSource, FALSE);
}

void CKRV330View::RefreshInputSourceButtons()
{
    if (g_nCurPage == 0)
        m_InputPage.UpdateSourceButton();
}

void CKRV330View::SelectModeButton(int n, BOOL bStore)
{
    const int current = g_byModeIndex < 4 ? g_byModeIndex : 0;
    if (bStore && n == current)
        return;
    m_btnMode[current].SetCheck(FALSE);
    if (bStore && n >= 0 && n < 4)
        g_byModeIndex = BYTE(n);
}

void CKRV330View::RefreshTitleAndFolders()
{
    if (CWnd* top = GetTopLevelParent())
        top->SetWindowText(g_strProductName);
}

// ---------------------------------------------------------------------------------------------
// Language

void CKRV330View::SwitchLanguage(BOOL bToggle)
{
    if (bToggle)
        g_bChinese = g_bChinese ? 0 : 1;
    ApplyLanguage();
    Invalidate(TRUE);
}

void CKRV330View::FillSourceSelectors()
{
    const bool cn = g_bChinese != 0;
    const char* const names[4] = {cn ? "线路" : "Line", cn ? "蓝牙" : "Bluetooth", cn ? "数字" : "SPDIF",
                                  cn ? "关闭" : "OFF"};
    m_cmbInputType.ResetContent();
    for (int i = 0; i < 3; ++i)
        m_cmbInputType.AddString(names[i]);
    const int entry = InputTypeEntry(g_byInputSource);
    if (entry >= 0)
        m_cmbInputType.SetCurSel(entry);
    m_cmbAudioSource.ResetContent();
    for (const char* s : names)
        m_cmbAudioSource.AddString(s);
    m_cmbAudioSource.SetCurSel(AudioSourceEntry(g_bySysGroup8[4]));
}

void CKRV330View::ApplyLanguage()
{
    for (CBitButton& b : m_btnPage)
        b.ShowWindow(SW_HIDE);
    m_staticLink.ShowWindow(SW_HIDE);

    Skin(m_btnMixer, kMixerSkin);
    for (int i = 0; i < 3; ++i)
        Skin(m_btnPage[i], kPageSkins[i]);
    Skin(m_btnResetMap, kResetMapSkin);
    Skin(m_btnLinkLR, kLinkLRSkin);
    Skin(m_btnResetAllEq, kResetAllEqSkin);
    Skin(m_btnBypassAll, kBypassAllSkin);
    Skin(m_btnEqMode, kEqModeSkin);
    Skin(m_btnSceneMenu, kMenuSkins[0]);
    Skin(m_btnSettingsMenu, kMenuSkins[1]);
    ShowLinkState(g_bOnline ? TRUE : FALSE);

    g_strLanguage = g_bChinese ? "Chinese" : "English";
    FillSourceSelectors();

    RegisterViewMenus();
    m_menuScene.DestroyMenu();
    m_menuScene.LoadMenu(IDR_MENU_SCENE);
    m_menuSettings.DestroyMenu();
    m_menuSettings.LoadMenu(IDR_MENU_SETTINGS);

    if (g_bOnline && g_byCurScene == 0) {
        const CString shown = m_btnSceneName.GetWindowText();
        if (g_bChinese && shown == g_strCustomName)
            m_btnSceneName.SetWindowText(g_strCustomNameCn);
        else if (!g_bChinese && shown == g_strCustomNameCn)
            m_btnSceneName.SetWindowText(g_strCustomName);
    }

    SaveDspMcuSettings();
    m_OutputPage.SetLanguageTexts();
}

// ---------------------------------------------------------------------------------------------
// Scene name

void CKRV330View::ShowSceneName(const CString& text)
{
    m_editSceneName.SetWindowText(text);
    m_btnSceneName.SetCheck(text.empty() ? FALSE : TRUE);
    m_btnSceneName.SetWindowText(text);
}

void CKRV330View::ShowLiveSceneName(BOOL bMarkForSend)
{
    CString name;
    {
        CSingleLock lock(g_csComm);
        name = FieldToString(g_Scene + SCENE_NAME_OFFSET, SCENE_NAME_SIZE);
        g_bSendSceneName = bMarkForSend ? 1 : 0;
    }
    ShowSceneName(name);
}

void CKRV330View::ShowReceivedSceneName()
{
    CString name;
    {
        CSingleLock lock(g_csComm);
        name = FieldToString(g_Scene + SCENE_NAME_OFFSET, SCENE_NAME_SIZE);
    }
    if (g_byCurScene == 0 && name == g_strCustomName && g_bChinese)
        name = g_strCustomNameCn;
    ShowSceneName(name);
}

void CKRV330View::SetSceneNameFromTitle(const CString& strTitle)
{
    // The limit counts the bytes the name has on the device, where a character outside ASCII
    // takes two; the text is walked by whole characters so that none is ever cut in half.
    CString full;
    CString single;
    int units = 0;
    bool lastSingle = false;
    for (size_t i = 0; i < strTitle.size();) {
        const unsigned char lead = static_cast<unsigned char>(strTitle[i]);
        size_t len = 1;
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        len = std::min(len, strTitle.size() - i);
        const int width = len == 1 ? 1 : 2;
        if (units + width > kSceneTitleLimit)
            break;
        // The last byte at the limit after a single-byte character is left out.
        if (units + width == kSceneTitleLimit && width == 1 && lastSingle)
            break;
        full += strTitle.substr(i, len);
        if (len == 1)
            single += strTitle[i];
        units += width;
        lastSingle = len == 1;
        i += len;
    }
    ShowSceneName(full);
    CSingleLock lock(g_csComm);
    StrToFixedField(g_Scene + SCENE_NAME_OFFSET, SCENE_NAME_SIZE, single.empty() ? g_strCustomName : single);
    g_strSceneNameBuf = full;
    g_bSendSceneName = 1;
}

LRESULT CKRV330View::OnSceneNameChanged(WPARAM, LPARAM)
{
    m_btnSceneName.SetCheck(TRUE);
    m_btnSceneName.SetWindowText(g_bChinese ? g_strCustomNameCn : g_strCustomName);
    CSingleLock lock(g_csComm);
    g_bSendSceneName = 1;
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Painting and keys

BOOL CKRV330View::OnEraseBkgnd(CDC*) { return TRUE; }

void CKRV330View::OnPaint()
{
    CPaintDC dc(this);
    CBitmap& back = g_bChinese ? m_bmpBackCn : m_bmpBackEn;
    if (!back.GetSafeHandle())
        return;
    const CSize size = back.GetSize();
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&back);
    dc.BitBlt(0, 0, size.cx, size.cy, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}

HBRUSH CKRV330View::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(g_brushDlgBack);
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CKRV330View::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE) {
            SetFocus();
            return FALSE;
        }
        if (pMsg->wParam == VK_TAB) {
            if (g_nCurPage == 1)
                m_OutputPage.FocusFirstBand();
            return FALSE;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}
