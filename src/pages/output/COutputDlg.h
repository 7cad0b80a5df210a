// The output page (template 136): the page the main view hosts in its page tab control, where
// the user tunes the ten output channels. It shows the current channel's 31 equaliser bands
// (frequency, Q and gain fields with their hidden spins, gain slider, number label, bypass
// button), its crossover, the response graph, the speaker-position diagram, and for all ten
// channels at once the channel strips, the master-level panel, the curve-overlay strip and the
// pair panels.
//
// The page reads the model through the channel getters and writes it through their setters,
// which stamp each change for the comm worker; it never talks to the device itself. What it
// needs of the main view it reaches through g_pPageHost.
//
// User-interface thread.
#pragma once

#include "CBitButton.h"
#include "CBitmapSlider.h"
#include "CBTLRouteDlg.h"
#include "CBtnPng.h"
#include "CChangnal_Line.h"
#include "CComBoxBtn.h"
#include "CDialog.h"
#include "CFStatic.h"
#include "CFontStatic.h"
#include "CGainDlg.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "COutRoute_Dlg.h"
#include "CXPButton.h"
#include "GdiObjects.h"

#include <functional>

class CKTV_Data;
class CKTV_OutData;
class CFilter;

constexpr UINT IDD_OUTPUT_PAGE = 136;
constexpr int OUTPUT_PAGE_WIDTH = 1200;   // pixels, the size of the page's background bitmaps
constexpr int OUTPUT_PAGE_HEIGHT = 663;
constexpr int OUTPUT_BANDS = 31;
constexpr int OUTPUT_STRIPS = 10;
constexpr int SPEAKER_POSITIONS = 24;

// Control ids of the page.
constexpr UINT IDC_BAND_FREQ_EDIT = 5200;  // + band
constexpr UINT IDC_BAND_FREQ_SPIN = 5240;
constexpr UINT IDC_BAND_Q_EDIT = 4500;
constexpr UINT IDC_BAND_Q_SPIN = 4540;
constexpr UINT IDC_BAND_GAIN_EDIT = 5000;
constexpr UINT IDC_BAND_GAIN_SPIN = 5040;
constexpr UINT IDC_BAND_SLIDER = 5100;
constexpr UINT IDC_BAND_LABEL = 5280;
constexpr UINT IDC_BAND_BYPASS = 5320;
constexpr UINT IDC_POSITION_BUTTON = 4600;  // + position
constexpr UINT IDC_POSITION_DELAY_EDIT = 10000;
constexpr UINT IDC_POSITION_DELAY_SPIN = 2859;
constexpr UINT IDC_LPF_FREQ_EDIT = 1005;
constexpr UINT IDC_HPF_FREQ_SPIN = 1351;
constexpr UINT IDC_LPF_FREQ_SPIN = 1352;
constexpr UINT IDC_HPF_CLASS = 1010;
constexpr UINT IDC_LPF_CLASS = 1011;
constexpr UINT IDC_HPF_SLOPE = 1012;
constexpr UINT IDC_LPF_SLOPE = 1013;
constexpr UINT IDC_ALL_BYPASS = 1976;
constexpr UINT IDC_PAGE_EQ_MODE = 5686;
constexpr UINT IDC_PAGE_RESET_EQ = 5687;
constexpr UINT IDC_DELAY_UNIT = 32775;
constexpr UINT IDC_PAGE_LINK_LR = 32776;
constexpr UINT IDC_PAGE_POLARITY = 4001;
constexpr UINT IDC_PAGE_GAIN_EDIT = 4002;
constexpr UINT IDC_PAGE_GAIN_SPIN = 4003;
constexpr UINT IDC_PAGE_GAIN_SLIDER = 4004;
constexpr UINT IDC_PAGE_DELAY_EDIT = 4010;  // + 0 ms, 1 cm, 2 inch
constexpr UINT IDC_PAGE_DELAY_SPIN = 4013;
constexpr UINT IDC_PAIR_TOGGLE = 4700;      // 4700..4704
constexpr UINT IDC_INPUT_LOOK = 5688;
constexpr UINT IDC_THIRD_PAGE = 5689;
constexpr UINT IDC_LANGUAGE_LOOK = 5311;
constexpr UINT IDC_HIDDEN_STATIC = 5083;
constexpr UINT IDC_PICTURE1 = 5084;
constexpr UINT IDC_PICTURE2 = 5085;

class COutputDlg : public CDialog {
public:
    COutputDlg();

    // Makes the page's window as a child of pParent (the view's tab control), hidden.
    BOOL CreatePage(CWnd* pParent);
    // Binds the scene the page edits (not owned) and the response graph to it.
    void AttachScene(CKTV_Data* pScene);
    CKTV_Data* GetScene() const { return m_pScene; }
    // SW_SHOW / SW_HIDE; 0 hides.
    virtual void ShowPage(int nCmdShow);

    // Makes output n (0..9) current: strip highlights, then every control reloaded. Also the
    // handler of WM_STRIP_SELECT; a channel outside 0..9 is ignored.
    LRESULT SelectChannel(WPARAM n, LPARAM lParam = 0);
    // Reloads every control of the page from the model for the current channel and the strips.
    void UpdateChannelView();
    // The band part of UpdateChannelView only.
    void UpdateBands();
    // Mix records of the live image into the channels (no stamps), then UpdateChannelView.
    void LoadRoutingFromImage();
    // The language-dependent texts, lists and images of the page and its children.
    void SetLanguageTexts();
    // Tab from the form: the focus goes to the first band's frequency field.
    void FocusFirstBand();
    // The strips of nChannel's link group other than nChannel lose their selection.
    void ClearGroupHighlight(int nChannel);
    // The strips of nChannel's link group other than nChannel are selected; the graph's
    // highlight is cleared.
    void SetGroupHighlight(int nChannel);
    // The page's side of a link-table rebuild: the position-link button unchecked, the graph
    // redrawn with nothing selected, each strip showing its group.
    void ShowLinkGroups();
    // The speaker-type lock (g_bAssignFlag): the strips' speaker-type buttons disabled while set.
    void ApplyLinkMode();
    // Redraws the response graph; nSelected -1: no element selected.
    void DrawGraph(int nSelected);

    void UpdateStripOnButtons();
    void UpdateInputButtonLook();
    void EnableDropButton(int bEnable, CComBoxBtn* pButton);
    void SetBandBypassLook(BOOL bBypassed, int n);
    void UpdateSliderThumbs();
    void ApplyEqModeLook(BOOL bGeq);
    void HighlightBandLabel(int n, BOOL bOn);
    void HighlightBand(int n);
    void FocusBandEdit(int n, int nWhich, BOOL bOn);
    // Brings the controls of a dragged graph element (0..30 band, 31 high-pass, 32 low-pass) up
    // to date; other elements are ignored.
    void ReloadEqPoint(int nElement);

    // Strip messages.
    void OnStripOutputOn(int nCh, int bOn);
    void OnStripGain(int nCh, int nGain);
    void OnStripPolarity(int nCh, int nPolarity);

    // ---- controls ----
    CNumSpin m_spinPosDelay[SPEAKER_POSITIONS];
    CNumEdit m_editPosDelay[SPEAKER_POSITIONS];
    CStatic m_stcHidden;
    CStatic m_stcPicture2;
    CStatic m_stcPicture1;
    CBitButton m_btnLanguage;
    CBitButton m_btnPair[5];
    CBtnPng m_btnPosition[SPEAKER_POSITIONS];
    CBitButton m_btnThirdPage;
    CBitButton m_btnInput;
    CBitButton m_btnPolarity;
    CNumSpin m_spinDelay[3];
    CNumEdit m_editDelay[3];
    CNumSpin m_spinGain;
    CNumEdit m_editGain;
    CBitmapSlider m_sliderGain;
    CFStatic m_graph;
    CXPButton m_btnResetEq;
    CXPButton m_btnEqMode;
    CNumSpin m_spinBandFreq[OUTPUT_BANDS];
    CNumEdit m_editBandFreq[OUTPUT_BANDS];
    CXPButton m_btnBypass[OUTPUT_BANDS];
    CXPButton m_btnAllBypass;
    CBitmapSlider m_sliderBandGain[OUTPUT_BANDS];
    CFontStatic m_stcBandNo[OUTPUT_BANDS];
    CComBoxBtn m_btnLpfClass;
    CComBoxBtn m_btnLpfSlope;
    CComBoxBtn m_btnHpfClass;
    CComBoxBtn m_btnHpfSlope;
    CNumSpin m_spinBandGain[OUTPUT_BANDS];
    CNumSpin m_spinBandQ[OUTPUT_BANDS];
    CNumEdit m_editBandGain[OUTPUT_BANDS];
    CNumEdit m_editBandQ[OUTPUT_BANDS];
    CNumSpin m_spinHpfFreq;
    CNumEdit m_editHpfFreq;
    CNumSpin m_spinLpfFreq;
    CNumEdit m_editLpfFreq;
    CGainDlg m_dlgGain;
    CComBoxBtn m_btnDelayUnit;
    CBitButton m_btnLinkLR;
    COutRoute_Dlg m_strip[OUTPUT_STRIPS];
    CChangnal_Line m_dlgChannels;
    CBTLRouteDlg m_dlgPair[5];

    CBitmap m_bmpBack[4];
    CKTV_Data* m_pScene = nullptr;
    CKTV_OutData* m_pOutData = nullptr;
    CFilter* m_pFilter = nullptr;
    CFilter* m_pHighPass = nullptr;
    CFilter* m_pLowPass = nullptr;
    CFStatic* m_pGraph = nullptr;
    int m_nFreq = 0;
    int m_nQ = 0;
    int m_nGain = 0;
    int m_nHpfClass = 0;
    int m_nHpfSlope = 0;
    int m_nLpfClass = 0;
    int m_nLpfSlope = 0;
    int m_nHpfFreq = 20;
    int m_nLpfFreq = 20000;
    int m_nUnitSel = 0;
    int m_bBypass = 0;
    int m_bAllBypass = 0;
    int m_nOutGain = 0;
    int m_nPolarity = 0;
    CFontStatic* m_pHiLabel = nullptr;
    CNumEdit* m_pFocusEdit = nullptr;
    int m_nEqMode = 0;
    int m_nSelPosition = 0;
    CRect m_rcCenterA;
    CRect m_rcCenterA0;
    CRect m_rcCenterB;
    CRect m_rcCenterB0;
    int m_bLinkLR = 0;

    // The page's pixel rectangle of a template rectangle (dialog units of Arial 7).
    static CRect TemplateRect(int x, int y, int cx, int cy);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void InitControls();
    void CreateControls();
    void InitBandControls();
    void InitStrips();
    void InitPanels();
    void FillCrossoverLists();
    void LoadBand(int n);
    void LoadCrossovers();
    CKTV_OutData* CurrentChannel();
    CKTV_OutData* Channel(int i) const;

    // speaker positions and links
public:
    // Position 0..23 of speaker type 1..24 on the car picture; any other type: 100 (none).
    static int SpeakerTypeToPosition(int nType);
    // The position of nType shows (checked or not) and stands for output ch; types outside
    // 1..24 do nothing.
    void ShowPosition(int nType, BOOL bCheck, int ch);
    void HidePosition(int nType);
    void CheckPositionButton(int nType, BOOL bCheck);
    // Every position from the channels' types, the current channel's checked.
    void RefreshPositions();
    // Output ch's position shows its delay from the model (nothing for a channel without type).
    void RefreshPositionDelay(int ch);
    void RefreshPositionDelays();
    // Position buttons of nChannel's output group other than its own (un)checked.
    void CheckOutputGroupPositions(int nChannel, BOOL bCheck);
    // The current channel's position check moves from nFrom to nTo (SelectChannel).
    void MovePositionCheck(int nFrom, int nTo);
    void HighlightPositionGroup();
    void ClearOtherStripSelections();
    void OnPositionButton(int p);
    // A new delay at position p for output ch; with the position link on, the other channels of
    // ch's output group move by the same amount (0..960).
    void OnPositionDelay(int p, int ch);
    // Commands of the position buttons, delay fields and spins and of button 32776; FALSE for
    // any other control.
    BOOL OnPositionCommand(UINT nID, UINT nCode);
    // WM_STRIP_SPEAKER_TYPE: wParam the strip's output, lParam the type 0..24.
    LRESULT OnStripSpeakerType(WPARAM wParam, LPARAM lParam);
    void FillHpfSlopeList();
    void LoadCrossoverControls();
    void SyncDelayEditLock();
    // The view's map button: the speaker-map reset prompt and its choice.
    void OnResetMap();
    void ResetSpeakerMap();
    // After a preset file was read: the lock kept only while channels 1..8 have a type.
    void CheckLinkMode();
    // The rest of ApplyLinkMode: with the lock on, a typed channel becomes current; with it off,
    // the view rebuilds its link tables.
    void FinishLinkMode();
    // The page's left/right position link (button 32776).
    void OnPositionLinkLR();
    // WM_MASTER_LEVEL_CHANGED from the master-level panel: the new level is stored and system
    // command 5 marked for sending.
    LRESULT OnMasterLevelChanged(WPARAM wParam, LPARAM lParam);

private:
    void PlaceCentreButtons(int nType, BOOL bShown);
    void SelectFirstTypedChannel();
    BOOL ApplyLeftRightGroups();
    // end of speaker positions and links

    // ---- equaliser and crossover editing ----
public:
    void OnBandFreq(int n);
    void OnBandQ(int n);
    void OnBandGain(int n);
    void OnBandSlider(int n);
    // The band's bypass button: the band takes the inverse of the button's state (no effect
    // while its gain is 0 dB, which already counts as bypassed).
    void OnBandBypass(int n);
    void OnHpfClassSel();
    void OnHpfSlopeSel();
    void OnLpfClassSel();
    void OnLpfSlopeSel();
    // The crossover frequencies; the high-pass never rises above the low-pass of the channel.
    void OnHpfFreq();
    void OnLpfFreq();
    // WM_SLIDER_MOVING / WM_SLIDER_MOVED (bMoved): wParam the slider's id. Returns 1.
    LRESULT OnSliderMessage(WPARAM wParam, BOOL bMoved);
    // WM_DROPLIST_SELCHANGE: wParam the list's notify id; the choice is read from the list.
    LRESULT OnDropListSelect(WPARAM wParam, LPARAM lParam);
    void UpdateAllBypassButton();
    void ApplyDelayUnit();
    // Each copies the member the edit has just written to the same element of every other
    // channel of the current channel's link group, and of the stereo partner of each (and of
    // the current channel itself when it is the even output of a pair).
    void CopyBandFreqToGroup(int n);
    void CopyBandQToGroup(int n);
    void CopyBandGainToGroup(int n);
    void CopyBandBypassToGroup(int n);
    void CopyBandToGroup(int n);
    void CopyHpfClassToGroup();
    void CopyHpfSlopeToGroup();
    void CopyHpfFreqToGroup();
    void CopyLpfClassToGroup();
    void CopyLpfSlopeToGroup();
    void CopyLpfFreqToGroup();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Element 0..30 a band, 31 the high-pass, 32 the low-pass filter of out; null otherwise.
    static CFilter* ElementOf(CKTV_OutData* out, int nElement);
    // ch is the even output of a stereo pair whose partner ch + 1 exists.
    static BOOL IsPairHead(int ch);
    void CopyToGroup(int nElement, const std::function<void(CFilter&)>& store);
    void BandEditTail(int n, int nWhich);
    // Sets the current output's edited mark (g_nLinkMark).
    void MarkEdited();
    void StoreBandGain(int n);
    void OnCrossoverClass(bool bHigh);
    void OnCrossoverSlope(bool bHigh);
    void OnCrossoverFreq(bool bHigh);
    // ---- end of equaliser and crossover editing ----

    // ---- commands on all bands ----
public:
    // Bypass or restore every filter of the current channel (the view's all-bypass button
    // shows the state), after a question; Yes sends the channel, its link group and its pair
    // partner as whole blocks.
    void ToggleAllBypass();
    void ApplyAllBypassToGroup();
    // PEQ / GEQ after a question; either way every band of the channel and its link group
    // goes back to the 31-band grid.
    void ToggleEqMode();
    // Every band of the channel and its link group back to the grid, after a question.
    void ResetAllEq();

private:
    // The page's all-bypass, EQ-mode and reset buttons; FALSE for any other id.
    BOOL OnPageButton(UINT nID);
    // ---- end of commands on all bands ----

    // ---- keyboard walk ----
public:
    // Where a key leads from the edit nID: the control to focus (0: nowhere), the band to
    // highlight (-1: none) and otherwise the graph element to highlight (-1: none).
    struct KeyStep {
        UINT target = 0;
        int band = -1;
        int element = -1;
    };
    static KeyStep WalkFrom(UINT nID, BOOL bRight, BOOL bGeq);
    static KeyStep EnterFrom(UINT nID, BOOL bGeq);
    // WM_NUMEDIT_KEYDOWN: Left and Right walk; other keys do nothing.
    void OnKeyStep(UINT nID, UINT nKey);
    // WM_KEY_ENTER.
    void OnKeyEnter(UINT nID);

private:
    void GoTo(const KeyStep& step);
    // ---- end of keyboard walk ----

    // ---- hidden current-channel controls ----
    // The polarity button, gain field, spin and fader and the three delay fields of the current
    // channel (ms, cm, inch), and the third-page button. The page creates them hidden; their
    // handlers serve the messages that still reach them.
public:
    void OnPolarityButton();
    // The gain field or its spin: the new gain is stored, and an output that was off is
    // switched on with it.
    void OnGainEdit();
    // One delay in three units: the field's spin gives the delay, the other two fields follow.
    void OnDelayMsEdit();
    void OnDelayCmEdit();
    void OnDelayInchEdit();
    // WM_DELAY_SPIN_STEP from a delay spin (wParam its id, lParam the signed step): the other
    // channels of the current channel's linked speaker group take the same step.
    LRESULT OnDelaySpin(WPARAM wParam, LPARAM lParam);
    // Output ch's delay one step on in the unit of nSpinID (4013 ms, 4014 cm, 4015 inch),
    // within 0..960; any other spin leaves it.
    void StepChannelDelay(int ch, int nStep, UINT nSpinID);
    // Asks the view for its third page.
    void OnThirdPageButton();
    // Unused by the page itself: every output's level record stamped; output a switched on or
    // off with its strip's button; n's link partners given n's on state.
    void MarkAllLevelsChanged();
    void ToggleChannelOn(int a);
    void CopyOnToGroup(int n);

    int m_nDelay = 0;  // delay step 0..960 of the hidden delay fields
    int m_bOn = 0;     // on state last written through the hidden controls

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The hidden controls' commands; FALSE for any other id.
    BOOL OnHiddenControl(UINT nID);
    void OnDelayEdit(int k);
    LRESULT OnGainSliderMessage(BOOL bMoved);
    // The current channel takes m_nOutGain; an output that was off is switched on.
    void StoreOutGain();
    // ---- end of hidden current-channel controls ----

public:
    // The overlay strip's big-curve button: the graph at 1150 x 400 over the band, crossover and
    // position controls, which are hidden; the second toggle puts them back.
    void ToggleBigCurve();

    // ---- strip and panel messages, link groups and pairs ----
public:
    // The strip, master-panel, link-group and pair-toggle messages; FALSE (nothing done) for
    // any other. A channel or unit that comes from a message outside its range is dropped.
    BOOL OnStripPanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Delay step 0..960 of output nCh (and of its pair partner).
    void OnStripDelay(int nCh, int nDelay);
    // The strip's flag toggles 2821, 2819, 2820 and 2822: bits 0, 1, 2 and 4 of the flag byte.
    void OnStripFlagBit0(int nCh, int bState);
    void OnStripFlagBit1(int nCh, int bState);
    void OnStripFlagBit2(int nCh, int bState);
    void OnStripFlagBit4(int nCh, int bState);
    // Bit nBit (0..7) of byte 287 of output nCh's live block, and g_bOutputSourceBit with it;
    // a change stamps the limiter record (record 35 carries the byte), an equal state nothing.
    void SetOutputFlagBit(int nCh, int nBit, int bState);
    // Output nDst takes nSrc's settings for its own speaker type, then the page reloads.
    void OnStripPaste(int nSrc, int nDst);
    // Display unit of the strips' delay fields: 1 ms, 2 cm, 3 inch.
    void OnDelayUnitChanged(int nUnit);

    // The strips' member masks become the link groups; a's group is muted, takes a's settings
    // and is unmuted. b >= 0: b's strip joined (its mask lights the select buttons).
    void OnLinkGroupsChanged(int a, int b);
    // bHold: every member of strip a's mask saves its on state and goes off; !bHold: the saved
    // states come back. Each member's level record is queued at once. Only while online.
    void HoldGroupOutputs(int a, BOOL bHold);
    // Every other output of a's link group (and its pair partner) takes a's settings.
    void CopyToLinkGroup(int a);
    // The select buttons of group g all lit when any of them is, else all dark.
    void UpdateGroupLamps(int a, int g);
    // Strips of mask g other than a show a's gain; select buttons lit exactly for mask gb.
    void ShowJoinedGroup(int a, int g, int b, int gb);
    // Pair toggles 4700, 4701, 4703 and 4704 (outputs 2/3, 4/5, 6/7, 8/9); FALSE for other ids.
    BOOL OnPairToggle(UINT nID);
    // Outputs a and b (= a + 1) become a stereo pair: both leave a shared or separate link
    // group, b takes a's settings, a becomes current when b was.
    void PairChannels(int a, int b);
    void UnpairChannels(int a, int b, BOOL bSelect);
    // Pair panel k (outputs 2k, 2k + 1) shows output 2k.
    void UpdatePairRoutePanel(int k);
    // Mix toggle of mix-A level n (5..12) of output nCh: on gives the mixer's last level (100
    // when that is 0), off 0; a pair's second output follows with 100 or 0.
    void OnMixToggle(int n, int nCh, BOOL bOn);
    // Strip n's member mask holds another output.
    BOOL HasOtherMembers(int n) const;
    // Every strip lights the source labels of input kind t.
    void SetStripSourceType(int t);
    // For each used left/right pair (direction 0 left to right, 1 the reverse) the
    // destination strip's on/off button shows the source output's state.
    void CopyLeftRightOnStates(int nDirection);
    // The three group marks 5080..5082 shown or hidden.
    void ShowGroupMarks(BOOL bShow);
    // The delay fields' lock after the current output's speaker group.
    void ApplySpeakerGroupLink();
    // A message box (caption selector as AfxMessageBox); its answer.
    int ShowPageMessage(const CString& text, UINT nType, int nCaption);
    // Two link-group values: 2 different, 1 equal and nonzero, 0 both zero.
    static int GroupRelation(int g1, int g2);
    // The link-group value output nCh takes when it leaves its group: its own number when no
    // other output holds it, else the lowest value no other output holds.
    static int SoloGroupValue(int nCh);
    // Where a pointer at ptNow over the graph (screen rectangle rcGraph) goes after a key step:
    // just below the graph's lower left corner. FALSE when it is not over the graph.
    static BOOL PointerOutsideGraph(const CRect& rcGraph, CPoint ptNow, CPoint* pTarget);

    int m_bSavedOn[OUTPUT_STRIPS] = {};  // on states saved by HoldGroupOutputs
    int m_nMixLevel[8] = {};             // working levels of the mix toggles (mix-A 5..12)
    CStatic m_stcGroupMark[3];           // 5080..5082, made hidden on first use

private:
    void LeaveLinkGroup(int nCh);
    void ShowPairOn(int nCh, int bOn);
    void ShowPairPolarity(int nCh, int nPolarity);
    void ShowPairDelay(int nCh);
    // ---- end of strip and panel messages, link groups and pairs ----
};
