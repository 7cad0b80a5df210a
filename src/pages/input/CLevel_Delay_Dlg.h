// The level and delay page (template 522): what a user adjusts while listening. The master
// level with its on/off button, the levels of the six music inputs with the choice of the
// active source, eight output strips (gain, on/off, polarity, level lamp, speaker-type label)
// and a top view of the car on which every output with a speaker type sits at its position
// with its delay field. Positions of one delay group can be locked together by the group's
// link bar, so that a step of one member's delay steps the others by the same amount.
//
// Every edit goes into the model at once (the channel setters stamp their records for the
// change scanner); the master bytes go out as system command 5, the source as command 2,
// through the host (g_pPageHost unless m_pView is set). The page keeps no pending edits.
//
// The host sets m_pScene (and may set m_pView) before creating the window and calls
// RefreshFromModel after a scene arrived or types and groups changed. User-interface thread.
#pragma once

#include "CBitButton.h"
#include "CBitmapSlider.h"
#include "CBtnPng.h"
#include "CDialog.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "CSLamp.h"
#include "CStatic.h"
#include "GdiObjects.h"

class CKTV_Data;
class CPageHost;

constexpr UINT IDD_LEVEL_DELAY = 522;
constexpr UINT IDB_LEVEL_BACK_EN = 523;
constexpr UINT IDB_LEVEL_BACK_CN = 7030;

// Master and inputs.
constexpr UINT IDC_LD_MASTER_EDIT = 2568;
constexpr UINT IDC_LD_MASTER_SPIN = 2569;
constexpr UINT IDC_LD_MASTER_SLIDER = 2570;
constexpr UINT IDC_LD_MASTER_ON = 2755;
constexpr UINT IDC_LD_LR_PICTURE = 2771;
constexpr UINT IDC_LD_INPUT_EDIT = 3000;    // + input 0..5
constexpr UINT IDC_LD_INPUT_SPIN = 3010;
constexpr UINT IDC_LD_INPUT_SLIDER = 3020;
constexpr UINT IDC_LD_INPUT_BUTTON = 4460;
// Output strips, + strip 0..7.
constexpr UINT IDC_LD_GAIN_EDIT = 3030;
constexpr UINT IDC_LD_GAIN_SPIN = 3040;
constexpr UINT IDC_LD_GAIN_SLIDER = 3050;
constexpr UINT IDC_LD_ON = 3060;
constexpr UINT IDC_LD_POLARITY = 3070;
constexpr UINT IDC_LD_TYPE_LABEL = 2696;
constexpr UINT IDC_LD_COVER = 2791;
constexpr UINT IDC_LD_LAMP = 4800;
// Speaker positions, + position 0..14; icons + type - 1 (types 1..24); link bars + bar 0..11.
constexpr UINT IDC_LD_POS_EDIT = 6000;
constexpr UINT IDC_LD_POS_SPIN = 6020;
constexpr UINT IDC_LD_POS_UPDOWN = 5800;
constexpr UINT IDC_LD_ICON = 6040;
constexpr UINT IDC_LD_LINK_BAR = 6800;
constexpr UINT IDC_LD_UNIT_MS = 2683;
constexpr UINT IDC_LD_UNIT_CM = 2684;
constexpr UINT IDC_LD_UNIT_INCH = 2685;

constexpr int LD_INPUTS = 6;
constexpr int LD_STRIPS = 8;
constexpr int LD_POSITIONS = 15;
constexpr int LD_ICONS = 24;
constexpr int LD_LINK_BARS = 12;
constexpr int LD_FOCUS_FIELDS = 30;

// Where one output channel is shown on the car: its position's field, spin and icon indices.
struct LevelPosition {
    int nField = -1;  // position 0..14, -1 none
    int nIcon = -1;   // icon 0..23 (type - 1)
};

// Template 522 is 855 x 382 dialog units drawn on a 1248 x 652 background: a rectangle of the
// template in page pixels, scaled so that the template fills the background exactly (the fonts
// here measure wider than the ones the template was made with).
CRect LevelPageRect(int x, int y, int cx, int cy);

class CLevel_Delay_Dlg : public CDialog {
public:
    CLevel_Delay_Dlg();
    ~CLevel_Delay_Dlg() override;

    // Makes the page as a child window of pParent at its top-left corner (FALSE when it exists
    // already or the parent has no window).
    BOOL CreatePage(CWnd* pParent);

    // Host references: the scene whose channels the page edits (not owned), and the view's send
    // entry points (null: g_pPageHost).
    CKTV_Data* m_pScene = nullptr;
    CPageHost* m_pView = nullptr;

    // Every control from the model; the selection marks cleared.
    void RefreshFromModel();
    // Input strips laid out for the channel mode, source buttons redrawn and checked.
    void ApplyChannelMode();
    // The eight lamps from g_nMeterLevel.
    void UpdateMeters();
    void ClearMeters();
    // Language-dependent images and "OFF" texts after g_bChinese changed.
    void UpdateLanguage();
    // Output c's link partners take c's own on/off state (and are marked unless bNoMark).
    void CopyOnToGroup(int c, BOOL bNoMark);
    // Unless an edit field has the focus, the master field takes it and the marks are cleared.
    void EnsureFieldFocus();

    // Selection marks: c and its partners unmarked, then c (>= 0) selected and marked.
    void RefreshSelection(int c);
    void SelectChannel(int c);
    // Redraws the gain of c's link partners from the model and marks them.
    void RefreshGainGroup(int c);
    // Delay unit 1 ms, 2 cm, 3 inch: the buttons and every position field.
    void SetDelayUnit(int nUnit);

    int GetSelectedChannel() const { return m_nSelected; }
    const LevelPosition& GetPosition(int c) const { return m_pos[c]; }
    // Client rectangle of input slot k (0..5), as the template lays the strips out.
    const CRect& GetInputSlot(int k) const { return m_rcSlotSlider[k]; }
    // Tab order index of a field id (0..29; an id not in the list counts as 0).
    static int FocusIndexOf(UINT nID);

    // Controls, public for the tests.
    CNumEdit m_editMaster;
    CNumSpin m_spinMaster;
    CBitmapSlider m_sliderMaster;
    CBitButton m_btnMasterOn;
    CStatic m_picLR;
    CNumEdit m_editInput[LD_INPUTS];
    CNumSpin m_spinInput[LD_INPUTS];
    CBitmapSlider m_sliderInput[LD_INPUTS];
    CBitButton m_btnInput[LD_INPUTS];
    CNumEdit m_editGain[LD_STRIPS];
    CNumSpin m_spinGain[LD_STRIPS];
    CBitmapSlider m_sliderGain[LD_STRIPS];
    CBitButton m_btnOn[LD_STRIPS];
    CBitButton m_btnPolarity[LD_STRIPS];
    CBitButton m_btnTypeLabel[LD_STRIPS];
    CBitButton m_btnCover[LD_STRIPS];
    CSLamp m_lamp[LD_STRIPS];
    CNumEdit m_editPos[LD_POSITIONS];
    CNumSpin m_spinPos[LD_POSITIONS];
    CBtnPng m_btnIcon[LD_ICONS];
    CBtnPng m_btnLinkBar[LD_LINK_BARS];
    CBitButton m_btnUnit[3];

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;

private:
    CPageHost* Host() const;
    void InitControls();
    void InitOutputControls();

    // Master and inputs.
    void OnMasterLevelEdit();
    void OnMasterLevel(int v, BOOL bFromSlider);
    void OnMasterOnButton();
    void OnInputLevelEdit(int i);
    void OnInputSlider(int i);
    void OnInputButton(int i);
    void OnSliderMessage(UINT nID, BOOL bMoved);
    void OnSelectInputChannel(int nInput);
    void OnInputStateChanged(int nFlag, int nInput);
    void LayOutInputStrips();
    void ShowInputStrip(int i, BOOL bShow);
    void MoveInputStrip(int i, int nSlot);
    void ApplyInputKind();
    void UpdateInputButtons();
    void CheckShownInput();
    void ClearInputStateFlag();

    // Output strips and the car.
    void RefreshOutputs();
    void ApplyStripAvailability();
    void ShowSpeakerPosition(int nType, int c);
    void ShowLinkBars();
    void SetGroupDelayLock(const int* pMembers, int bLocked);
    void OnLinkBar(int nBar);
    void OnOutputGainEdit(int s);
    void OnOutputSlider(int s);
    void OnOutputGain(int s, int v, BOOL bFromSlider);
    void OnOutputOnButton(int s);
    void OnPolarityButton(int s);
    void OnPositionDelayEdit(int k);
    void OnDelaySpinStep(UINT nSpinID, int nStep);
    void StepPositionDelay(int d, int nStep);
    void OnDelayUnitButton(int nUnit);
    void OnSpeakerIcon(int nIcon);
    void OnCtrlMouseMove(UINT nID);
    void MarkChannel(int c, BOOL bMark);
    void UpdateStripImages();
    void UpdateUnitImages();

    // Keyboard.
    void OnKeyStep(UINT nID, UINT nKey);
    void FocusPreviousField(UINT nID);
    void FocusNextField(UINT nID);
    void FocusField(int k);
    void OnFieldFocused(UINT nID);
    CNumEdit* FieldAt(int k);

    CBitmap m_bmpBackEn;
    CBitmap m_bmpBackCn;
    int m_nSelected = -1;
    LevelPosition m_pos[10];
    // Input slots as the template lays the strips out (page client coordinates).
    CRect m_rcSlotSlider[LD_INPUTS];
    CRect m_rcSlotEdit[LD_INPUTS];
    CRect m_rcSlotButton[LD_INPUTS];
};
