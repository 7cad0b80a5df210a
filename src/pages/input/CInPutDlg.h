// The input page (template 382): which input of the processor is in use, how the AUX and
// high-level inputs are wired, and the equaliser of the shown music input.
//
// Left column: six input selectors (3960 + input code), the second-source button 3967 with its
// menu 173, the high-level mode pair (one-way / two-way) and the AUX mode trio. Right: the
// response graph 3952 over fifteen band columns (number label, frequency, Q and gain fields with
// hidden spins, gain fader, bypass lamp), the EQ-mode, all-bypass and reset buttons, the
// shown-input display 3953, and the source bar (CInMode_Dlg) along the bottom.
//
// The page works on music input g_nShownInput of the live scene. Input codes are 0..5 (six music
// inputs) and 6, which only the display knows: with 6 shown no band data is loaded and the
// equaliser is disabled. Codes above 6 from a message are ignored. Band edits go into the
// filters and reach the device as change stamps; the input, AUX-mode and high-level choices go
// out as system commands 2, 5 and 8 through the host (m_pView, else g_pPageHost).
//
// The host sets m_pView, calls AttachScene before creating the window (or after, before any
// handler runs); the page then loads itself in OnInitDialog. While its window exists the page
// is g_pInputPage. User-interface thread.
#pragma once

#include "CBitButton.h"
#include "CBitmapSlider.h"
#include "CDialog.h"
#include "CFStatic.h"
#include "CFontStatic.h"
#include "CInMode_Dlg.h"
#include "CMenu.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "CXPButton.h"
#include "GdiObjects.h"

class CFilter;
class CKTV_Data;
class CMusic_InData;
class CPageHost;

constexpr UINT IDD_INPUT_PAGE = 382;
constexpr UINT IDB_INPUT_BACK_EN = 383;
constexpr UINT IDB_INPUT_BACK_CN = 389;
constexpr int INPUT_PAGE_WIDTH = 1248;  // pixels, the size of the backgrounds
constexpr int INPUT_PAGE_HEIGHT = 652;

// Band columns: n = 0..30; only 0..14 are shown and loaded.
constexpr int INPUT_BANDS = 31;
constexpr int INPUT_LIVE_BANDS = 15;
constexpr UINT IDC_IN_LABEL = 3500;
constexpr UINT IDC_IN_FREQ = 3550;
constexpr UINT IDC_IN_Q = 3600;
constexpr UINT IDC_IN_GAIN = 3650;
constexpr UINT IDC_IN_FREQ_SPIN = 3700;
constexpr UINT IDC_IN_Q_SPIN = 3750;
constexpr UINT IDC_IN_GAIN_SPIN = 3800;
constexpr UINT IDC_IN_FADER = 3850;
constexpr UINT IDC_IN_LAMP = 3900;
constexpr UINT IDC_IN_ROW_COVER = 3881;
constexpr UINT IDC_IN_EQ_MODE = 3940;
constexpr UINT IDC_IN_ALL_BYPASS = 3950;
constexpr UINT IDC_IN_RESET = 3951;
constexpr UINT IDC_IN_GRAPH = 3952;
constexpr UINT IDC_IN_SHOWN = 3953;
constexpr UINT IDC_IN_KIND = 3956;       // AUX modes 0..2: 3956..3958
constexpr UINT IDC_IN_SELECTOR = 3960;   // inputs 0..5: 3960..3965
constexpr UINT IDC_IN_SOURCE = 3967;
constexpr UINT IDC_IN_ONE_WAY = 3980;
constexpr UINT IDC_IN_TWO_WAY = 3981;

// Menu 173 (second source) and its items 174 + entry.
constexpr UINT IDR_MENU_SOURCE = 173;
constexpr UINT ID_SOURCE_FIRST = 174;
constexpr UINT ID_SOURCE_LAST = 180;

// A graph's notice that band wParam of channel lParam was picked (no point moved).
constexpr UINT WM_SELECT_EQ_BAND = WM_USER + 103;

// Input codes.
constexpr int INPUT_CODES = 7;       // 0..6; 6 has a display image only
constexpr int INPUT_MUSIC_CODES = 6;

// The selectors of one channel mode (byte 2 of g_bySysGroup8): per selector k whether it is
// shown (1), hidden (0) or left (-1), and the slot it moves to (-1: stays); the source bar's
// Bluetooth and S/PDIF connectors likewise.
struct ChannelModeLayout {
    bool valid;
    int show[INPUT_MUSIC_CODES];
    int slot[INPUT_MUSIC_CODES];
    int showPhone;
    int showSpdif;
};

class CInPutDlg : public CDialog {
public:
    explicit CInPutDlg(CWnd* pParent = nullptr);
    ~CInPutDlg() override;

    // The live scene; binds the graph to it in music-input mode. Before any loading.
    void AttachScene(CKTV_Data* pScene);
    void ApplyLanguage();
    // Loads the shown input into the controls (nothing without a window or scene).
    void UpdateChannelView();
    // Redraws every input-choice control, then loads the channel. The flag has no effect.
    void UpdateInputButtons(BOOL bUnused = FALSE);
    void UpdateShownInputLabel();
    void UncheckKindButtons();
    // Locks (input-state flag set) or unlocks the equaliser; code 6 keeps it disabled.
    void ApplyEqEnable();
    // Tells the level page the flag; clears a set flag (command 5) and unlocks.
    void NotifyInputState();
    // Makes another input shown without sending; codes above 6 are ignored.
    void SelectInputChannel(int nCode);
    void ApplyChannelMode();
    static ChannelModeLayout GetChannelModeLayout(int nMode);

    // Input choices.
    void OnInputButton(int k);
    void SetInputKind(int nKind);
    void OnOneWayButton();
    void OnTwoWayButton();
    // Takes stale input-type reports of the device out of the way of the user's choice.
    void PumpViewMessages();

    // Band editing (bands 0..30; the handlers ignore other numbers).
    void OnBandFreq(int n);
    void OnBandQ(int n);
    void OnBandGain(int n);
    void OnBandBypass(int n);
    void OnBandSlider(int n);
    void ShowBandBypass(BOOL bBypassed, int n);
    void UpdateAllBypassButton();
    void HighlightBandLabel(int n, BOOL bOn);
    void FocusBandEdit(int n, int nField, BOOL bOn);
    void SelectBand(int n);
    void ReloadBand(int n);
    // Bands 0..14 from the model into the fields, faders, lamps; then the graph.
    void ReloadBands();
    void ApplyEqModeLayout(int nMode);
    void OnEqModeButton();
    void OnAllBypass();
    void OnResetEq();

    // Keyboard walk through the band fields; mode 1 GEQ, 0 PEQ. 0 for an id outside the rings.
    static UINT StepRightId(UINT nID, int nMode);
    static UINT StepLeftId(UINT nID, int nMode);
    static UINT EnterTargetId(UINT nID);
    void StepRight(UINT nID);
    void StepLeft(UINT nID);
    void OnKeyStep(UINT nID, UINT nKey);
    void OnKeyEnter(UINT nID);

    // Second source (menu 173) and the source bar.
    void OnInputSourceSelected(int nCode);
    void OnSourceButton();
    // Sets the texts and the enabled positions of the popup; the popup, or null.
    CMenu* PrepareSourceMenu();
    void OnSourceMenuItem(UINT nID);
    void SelectSource(int k);
    void UpdateSourceButton();
    void UpdateSourceState();

    // Controls and state, for the host and the tests.
    CNumEdit& GetFreqEdit(int n) { return m_editFreq[n]; }
    CNumEdit& GetQEdit(int n) { return m_editQ[n]; }
    CNumEdit& GetGainEdit(int n) { return m_editGain[n]; }
    CNumSpin& GetFreqSpin(int n) { return m_spinFreq[n]; }
    CNumSpin& GetQSpin(int n) { return m_spinQ[n]; }
    CNumSpin& GetGainSpin(int n) { return m_spinGain[n]; }
    CBitmapSlider& GetFader(int n) { return m_sliderGain[n]; }
    CXPButton& GetLamp(int n) { return m_btnLamp[n]; }
    CFontStatic& GetLabel(int n) { return m_stLabel[n]; }
    CBitButton& GetSelector(int k) { return m_btnSelector[k]; }
    CBitButton& GetKindButton(int k) { return m_btnKind[k]; }
    CBitButton& GetEqModeButton() { return m_btnEqMode; }
    CBitButton& GetAllBypassButton() { return m_btnAllBypass; }
    CBitButton& GetResetButton() { return m_btnReset; }
    CBitButton& GetShownDisplay() { return m_btnShown; }
    CBitButton& GetSourceButton() { return m_btnSource; }
    CBitButton& GetOneWayButton() { return m_btnOneWay; }
    CBitButton& GetTwoWayButton() { return m_btnTwoWay; }
    CBitButton& GetRowCover() { return m_btnRowCover; }
    CFStatic& GetGraph() { return m_graph; }
    CInMode_Dlg& GetSourceBar() { return m_wndSourceBar; }
    CMusic_InData* GetMusic() const { return m_pMusic; }
    CFontStatic* GetCurLabel() const { return m_pCurLabel; }
    CNumEdit* GetCurEdit() const { return m_pCurEdit; }
    const CRect& GetSelectorRect(int k) const { return m_rcSelector[k]; }

    CPageHost* m_pView = nullptr;  // the host, set before the window is made; else g_pPageHost

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override;

private:
    void InitControls();
    void CreateControls();
    void SendSys(int nCmd);
    CPageHost* Host() const;
    // The shown music input, or null (no scene, or a code outside 0..5).
    CMusic_InData* ShownMusic() const;
    CFilter* BandFilter(int n) const;
    void SetEqControlsEnabled(BOOL bEnable);
    void SetSelectorImages(BOOL bLocked);
    void SetSourceButtonImages(int s);
    void CheckSelector(int nCode, BOOL bCheck);
    void HighlightTail(int n, int nField);
    // Band n of the shown input into its fields, fader and lamp; false when there is none.
    bool ShowBandValues(int n);
    LRESULT OnInputStateChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnEqPointChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectEqBand(WPARAM wParam, LPARAM lParam);
    void OnSliderMessage(WPARAM wParam, BOOL bMoved);

    // Controls of the bands.
    CFontStatic m_stLabel[INPUT_BANDS];
    CNumEdit m_editFreq[INPUT_BANDS];
    CNumEdit m_editQ[INPUT_BANDS];
    CNumEdit m_editGain[INPUT_BANDS];
    CNumSpin m_spinFreq[INPUT_BANDS];
    CNumSpin m_spinQ[INPUT_BANDS];
    CNumSpin m_spinGain[INPUT_BANDS];
    CBitmapSlider m_sliderGain[INPUT_BANDS];
    CXPButton m_btnLamp[INPUT_BANDS];
    // Buttons.
    CBitButton m_btnRowCover;
    CBitButton m_btnEqMode;
    CBitButton m_btnAllBypass;
    CBitButton m_btnReset;
    CBitButton m_btnShown;
    CBitButton m_btnKind[3];
    CBitButton m_btnSelector[INPUT_MUSIC_CODES];
    CBitButton m_btnSource;
    CBitButton m_btnOneWay;
    CBitButton m_btnTwoWay;
    CFStatic m_graph;

    CBitmap m_bmpBackEn;
    CBitmap m_bmpBackCn;
    CKTV_Data* m_pScene = nullptr;
    CMusic_InData* m_pMusic = nullptr;
    CFStatic* m_pGraph = nullptr;
    BOOL m_bAllBypass = FALSE;
    int m_nEqMode = 0;
    CFontStatic* m_pCurLabel = nullptr;
    CNumEdit* m_pCurEdit = nullptr;
    CInMode_Dlg m_wndSourceBar;
    CRect m_rcSelector[INPUT_MUSIC_CODES];
    CRect m_rcColumn[INPUT_BANDS];
    CRect m_rcSlider[INPUT_BANDS];
    CRect m_rcGain[INPUT_BANDS];
    CRect m_rcFreq[INPUT_BANDS];
    CMenu m_menuSource;
};

// The input page while its window exists (null otherwise); the level and delay page reads it.
// The first popup of source menu 173 with its texts in the current language and its entries
// enabled by the source mask; null when the menu has none. Shared by every source button.
CMenu* PrepareSourceMenu(CMenu& menu);

extern CInPutDlg* g_pInputPage;
// The level and delay page while its window exists; that page alone writes it.
extern CWnd* g_pLevelPage;
