// The master-level panel at the lower left of the output page (template 737, a child dialog):
// the level field with its hidden spin, the vertical fader and the output toggle of the device,
// plus a unit list that stays hidden.
//
// The level is the system setting g_wMasterLevel, code 0..66 shown as -60..+6 dB. The panel keeps
// no level of its own: every change from the field, the spin or the fader is posted to the page
// as WM_MASTER_LEVEL_CHANGED (wParam the panel's id, lParam the code), and the page stores and
// sends it. The toggle flips system byte 4 (the master output switch) and asks the view to send
// system command 5; it is checked exactly while that byte is 0.
//
// User-interface thread. The page sets m_pOutputDlg right after CreatePanel.
#pragma once

#include "CBitButton.h"
#include "CBitmapSlider.h"
#include "CComBoxBtn.h"
#include "CDialog.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "GdiObjects.h"

class COutputDlg;

constexpr UINT IDD_GAIN = 737;
constexpr UINT IDC_GAIN_LEVEL_EDIT = 2812;
constexpr UINT IDC_GAIN_LEVEL_SPIN = 2814;
constexpr UINT IDC_GAIN_UNIT = 2815;
constexpr UINT IDC_GAIN_FADER = 2816;
constexpr UINT IDC_GAIN_ON = 2819;
constexpr UINT IDB_GAIN_BACK_CN = 739;
constexpr UINT IDB_GAIN_BACK_EN = 853;
constexpr int MASTER_LEVEL_MAX = 66;  // code 66 = +6 dB, 60 = 0 dB, 0 = -60 dB
// Where the page's arrow keys lead from the level field: band 31's gain field on the page and
// the first strip's gain field.
constexpr UINT IDC_GAIN_LEFT_TARGET = 5030;
constexpr UINT IDC_GAIN_RIGHT_TARGET = 2827;

class CGainDlg : public CDialog {
public:
    CGainDlg();

    // Makes the panel as a hidden child of pParent (the page); FALSE when it exists already or
    // the parent has no window.
    BOOL CreatePanel(CWnd* pParent);

    // Background bitmap (739 Chinese, 853 English); before creation and on a language switch.
    void SetBackgroundBitmap(UINT nID);
    // The hidden unit list.
    void SetSelectorBitmaps(UINT nNormal, UINT nHover);
    void AddSelectorItem(LPCTSTR lpszText);
    void ResetSelector();
    void SetSelectorSel(int nSel);
    int GetSelectorSel() const;
    // The fader's pictures and range.
    void SetFaderChannelBitmaps(UINT nChannelID, UINT nActiveID, BOOL bTransparent, COLORREF clrTrans,
                                int iTransPixelX, int iTransPixelY);
    void SetFaderThumbBitmaps(UINT nThumbID, UINT nActiveID, BOOL bTransparent, COLORREF clrTrans,
                              int iTransPixelX, int iTransPixelY);
    void SetFaderRange(int nLow, int nHigh, BOOL bRedraw);
    // Shows level code v (0..66) on spin, fader and field, and the toggle from system byte 4.
    void SetLevel(int v);
    // The fader's level code 0..66.
    int GetLevel() const;

    COutputDlg* m_pOutputDlg = nullptr;  // the page; not owned
    CNumEdit m_editLevel;
    CNumSpin m_spinLevel;
    CBitButton m_btnOn;
    CBitmapSlider m_sliderLevel;
    CComBoxBtn m_btnUnit;
    CBitmap m_bmpBack;
    int m_nLevel = 0;   // last level taken from the spin
    int m_bToggle = 0;  // last state read from the toggle

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

private:
    void OnLevelFromField();
    void OnLevelFromFader(BOOL bReleased);
    void OnToggle();
    void OnFieldKey(UINT nID, UINT nKey);

    CFont m_font;  // the template's Arial 8 pt, for the level field
};
