// The pair panel of the mixer page (template 1026, a child dialog): shown in place of the second
// column of a linked stereo pair, it mirrors the twelve levels of the pair's first column as a
// text and a fader per row. The page sets the rows; the panel's faders change nothing.
//
// User-interface thread.
#pragma once

#include "CBitmapSlider.h"
#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_MIX_PAIR_PANEL = 1026;
constexpr int MIX_PANEL_ROWS = 12;
constexpr int MIX_PANEL_WIDTH = 96;
constexpr int MIX_PANEL_HEIGHT = 570;
constexpr UINT IDB_MIX_PANEL_BACK = 1027;
constexpr UINT IDB_MIX_PANEL_THUMB_ACTIVE = 1029;
constexpr COLORREF MIX_PANEL_TEXT = 0xA19F9D;

class CBTLMixRoute : public CDialog {
public:
    CBTLMixRoute();

    // Creates the panel window (hidden) as a child of pPage and initialises it.
    BOOL CreatePanel(CWnd* pPage);
    // Row n (1..12): its text and fader position; a row outside 1..12 is ignored.
    void SetRow(int nRow, const CString& strText, int nPos);
    CString GetRowText(int nRow) const;
    int GetRowPos(int nRow) const;
    void FreeSliderBitmaps();

    CStatic m_labelRow[MIX_PANEL_ROWS];
    CBitmapSlider m_sliderRow[MIX_PANEL_ROWS];
    CBitmap m_bmpBack;

protected:
    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}
};
