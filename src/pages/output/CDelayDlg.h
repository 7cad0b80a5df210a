// The delay panel (template 1049, a child dialog): delay editing for outputs 0..7 laid out like
// speaker positions. Per channel c a PNG button 2864+c, a delay field 2818+c (CNumEdit) and its
// hidden spin 2872+c (CNumSpin, 0..960 steps of 1/48 ms). Nothing in the program creates it yet.
//
// A new value in field or spin c becomes output c's delay step (CKTV_OutData::SetDelay); while
// m_bLinkDelay is set the other channels of the panel in the same link group move by the same
// difference, clamped to 0..960. Button c posts WM_STRIP_SELECT (wParam c, lParam 0) to the
// owner. Enter, Tab and the right arrow in a field go to the next field, the left arrow to the
// previous one (wrapping round); Enter and Esc never end the panel.
// User-interface thread.
#pragma once

#include "CBtnPng.h"
#include "CDialog.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "GdiObjects.h"

constexpr UINT IDD_DELAY = 1049;
constexpr int DELAY_DLG_CHANNELS = 8;
constexpr UINT IDC_DELAY_BUTTON = 2864;  // + channel
constexpr UINT IDC_DELAY_EDIT = 2818;    // + channel
constexpr UINT IDC_DELAY_SPIN = 2872;    // + channel
constexpr UINT IDB_DELAY_BACK_CN = 1050;
constexpr UINT IDB_DELAY_BACK_EN = 1051;

// Delay units of the fields.
constexpr int DELAY_UNIT_MS = 1;
constexpr int DELAY_UNIT_CM = 2;
constexpr int DELAY_UNIT_INCH = 3;

class CDelayDlg : public CDialog {
public:
    explicit CDelayDlg(CWnd* pParent = nullptr);

    // Creates the panel, hidden, as a child window of pParent at its top-left corner (FALSE when
    // it could not be made or exists already).
    BOOL CreatePanel(CWnd* pParent);

    // Loads the eight spins (and fields) from the outputs' delay steps; a missing output
    // leaves its field as it is.
    void LoadDelays();
    // Shows the fields in DELAY_UNIT_MS, DELAY_UNIT_CM or DELAY_UNIT_INCH (the page's delay
    // unit); any other value leaves them as they are.
    void SetDelayUnit(int nUnit);
    // Sets button c's selected look; a channel outside 0..7 is ignored.
    void SetButtonSelected(int c, BOOL bSelected);

    CBtnPng m_btnPos[DELAY_DLG_CHANNELS];
    CNumEdit m_editDelay[DELAY_DLG_CHANNELS];
    CNumSpin m_spinDelay[DELAY_DLG_CHANNELS];
    CBitmap m_bmpBackCn;
    CBitmap m_bmpBackEn;
    int m_bLinkDelay = 0;  // linked-delay flag: starts clear

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

private:
    void OnDelayChanged(int c);
    void MoveFocus(int c, int nStep);
    void OnFieldKey(UINT nID, UINT nKey);
};
