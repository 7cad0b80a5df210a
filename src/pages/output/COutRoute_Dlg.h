// One channel strip of the output page: speaker-type button and menu, select, on/off, polarity,
// gain fader and field, and the flag toggles of one output channel.
//
// The strip keeps display state only. Every user action is posted to the page with the strip's
// channel in wParam and the new value in lParam; the page applies it to the model and pushes
// values back through the setters. The strip of the current channel (g_nCurOutput) is framed
// in red.
//
// User-interface thread.
#pragma once

#include "CBitButton.h"
#include "CBitmapSlider.h"
#include "CDialog.h"
#include "CFontStatic.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "GdiObjects.h"

constexpr UINT IDD_OUTPUT_STRIP = 110;
constexpr int STRIP_WIDTH = 100;
constexpr int STRIP_HEIGHT = 254;
constexpr int STRIP_FLAGS = 12;
constexpr int STRIP_SOURCES = 12;

// Control ids of a strip.
constexpr UINT IDC_STRIP_SPEAKER = 2886;
constexpr UINT IDC_STRIP_SELECT = 2636;
constexpr UINT IDC_STRIP_ON = 1001;
constexpr UINT IDC_STRIP_POLARITY = 2825;
constexpr UINT IDC_STRIP_FADER = 2826;
constexpr UINT IDC_STRIP_GAIN_EDIT = 2827;
constexpr UINT IDC_STRIP_GAIN_SPIN = 2829;
constexpr UINT IDC_STRIP_DELAY_EDIT = 2818;
constexpr UINT IDC_STRIP_DELAY_SPIN = 2828;
constexpr UINT IDC_STRIP_FLAG_FIRST = 2819;   // 2819..2824
constexpr UINT IDC_STRIP_FLAG_SECOND = 2830;  // 2830..2835
constexpr UINT IDC_STRIP_GROUP = 2844;
constexpr UINT IDC_STRIP_SOURCE = 2855;       // 2855..2866
// Edits of the neighbours the gain field's key walk leaves the strips for.
constexpr UINT IDC_MASTER_LEVEL_EDIT = 2812;
constexpr UINT IDC_HPF_FREQ_EDIT = 1004;

class COutRoute_Dlg : public CDialog {
public:
    COutRoute_Dlg();

    // Makes the strip's window as a hidden child of pParent.
    BOOL CreateStrip(CWnd* pParent);

    // ---- looks ----
    void SetBackgroundBitmap(UINT nID);
    void SetSelectBitmaps(UINT nNormal, UINT nHover, UINT nPressed);
    void SetFaderChannelBitmaps(UINT nChannel, UINT nActive, BOOL bTransparent = FALSE,
                                COLORREF clrKey = 0xFF000000, int xKey = 0, int yKey = 0);
    void SetFaderThumbBitmaps(UINT nThumb, UINT nActive, BOOL bTransparent = FALSE, COLORREF clrKey = 0xFF000000,
                              int xKey = 0, int yKey = 0);
    void SetPolarityLook(BOOL bChinese);
    void SetSourceLabels();
    void HighlightSourceLabels(int nKind);
    // Display type of the hidden delay field: 1 ms, 2 cm, 3 inch; anything else is ignored.
    void SetDelayUnit(int nUnit);

    // ---- state pushed by the page ----
    void SetSelected(BOOL bOn);
    BOOL IsSelected() const { return m_btnSelect.GetCheck(); }
    void SetStripState(int v) { m_bCurrent = v; }
    int GetStripState() const { return m_bCurrent; }
    // Caption of the speaker-type button from the channel's type, in the current language.
    void UpdateTitle();
    CString GetTitle() const;
    void SetGainValue(int nGain);
    void SetOutputOn(int bOn);
    void ShowPolarity(int nPolarity);
    void SetPolarity(int nPolarity);

    int GetGain() const { return m_nGain; }
    int GetOn() const { return m_bOn; }
    int GetPolarity() const { return m_bPolarity; }
    int GetFlag(int i) const { return i >= 0 && i < STRIP_FLAGS ? m_bFlag[i] : 0; }

    // The speaker-type menu prepared for this channel (items checked and greyed by the type
    // states); OnSpeakerTypeButton shows it below the button.
    void PrepareSpeakerMenu();
    void OnSpeakerTypeButton();

    // The page (every message goes there), the channel, the link-group mask.
    CWnd* m_pOutputDlg = nullptr;
    int m_nChannel = 0;
    int m_nLinkMask = 0;
    int m_nPosDelay = 0;
    // Key walk of the gain field (set by the page): the neighbouring strips, and where Left
    // from the first strip and Right from the last one go. Null: the walk stops there.
    COutRoute_Dlg* m_pPrevStrip = nullptr;
    COutRoute_Dlg* m_pNextStrip = nullptr;
    CWnd* m_pWalkLeft = nullptr;
    CWnd* m_pWalkRight = nullptr;

    CBitButton m_btnSpeakerType;
    CBitButton m_btnSelect;
    CBitButton m_btnOn;
    CBitButton m_btnPolarity;
    CBitmapSlider m_sliderGain;
    CNumEdit m_editGain;
    CNumSpin m_spinGain;
    CNumEdit m_editDelay;
    CNumSpin m_spinDelay;
    CBitButton m_btnFlag[STRIP_FLAGS];
    CBitButton m_btnGroup;
    CFontStatic m_stcSource[STRIP_SOURCES];

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void Post(UINT message, LPARAM lParam);
    void OnFader(WPARAM nID, bool bMoved);
    void OnFlag(int i);
    void SetFlagLook(int i);
    void SetPolarityImages();
    void OnKeyStep(UINT nID, UINT nKey);
    int SpeakerType() const;

    CBitmap m_bmpBack;
    int m_nBackWidth = 0;
    int m_nBackHeight = 0;
    int m_bOn = 1;
    int m_bPolarity = 0;
    int m_nGain = 0;
    int m_bCurrent = 0;
    int m_bFlag[STRIP_FLAGS] = {};
    int m_bChineseLook = 1;
    BYTE m_byTypeState[36] = {};
};
