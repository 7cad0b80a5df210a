// The pair routing panel (template 958, a child dialog): a read-only picture of one output pair
// (1+2, 3+4, 5+6, 7+8, 9+10): the sources that feed it, its gain as text and on a fader, its
// delay as text, its polarity and on/off state. The page writes everything it shows into its
// members; the panel changes no setting, and clicks, fader drags, Enter and Esc do nothing.
//
// User-interface thread.
#pragma once

#include "CBitButton.h"
#include "CBitmapSlider.h"
#include "CDialog.h"
#include "CFontStatic.h"
#include "CTransparentStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_BTL_ROUTE = 958;
constexpr int BTL_SOURCES = 12;
constexpr int BTL_PAIRS = 5;
constexpr UINT IDC_BTL_SOURCE_LABEL = 2856;  // + row 0..11
constexpr UINT IDC_BTL_GAIN_TEXT = 2845;
constexpr UINT IDC_BTL_FADER = 2816;
constexpr UINT IDC_BTL_POLARITY = 11;
constexpr UINT IDC_BTL_ON = 12;
constexpr UINT IDC_BTL_LINK = 2844;
constexpr UINT IDC_BTL_DELAY_TEXT = 2846;
constexpr int BTL_GAIN_MAX = 600;  // output gain code, 600 = 0 dB
// Faces the page gives the indicators.
constexpr UINT IDB_BTL_BOX_EMPTY = 969;
constexpr UINT IDB_BTL_BOX_TICKED = 970;
constexpr UINT IDB_BTL_POLARITY_CN = 971;  // 972 inverted
constexpr UINT IDB_BTL_POLARITY_EN = 973;  // 974 inverted
constexpr UINT IDB_BTL_ON = 978;
constexpr UINT IDB_BTL_OFF = 979;
constexpr UINT IDB_BTL_LINK = 980;

class CBTLRouteDlg : public CDialog {
public:
    CBTLRouteDlg();

    // Control id of source row 0..11: 1..10, 13, 14.
    static UINT SourceButtonId(int nRow);
    // Label of source row 0..11 in the language given; null outside the rows.
    static const char* SourceLabel(int nRow, BOOL bChinese);
    // The background ids of pair 0..4 (Chinese, English); FALSE outside the pairs.
    static BOOL PairBackgrounds(int nPair, UINT* pCn, UINT* pEn);

    // Makes the panel as a hidden child of pParent and loads pair nPair's (0..4) backgrounds;
    // FALSE when it exists already, the parent has no window or the pair is out of range.
    BOOL CreatePanel(CWnd* pParent, int nPair);
    // The twelve labels in the language of g_bChinese, then a repaint.
    void SetLanguageTexts();

    CBitButton m_btnSource[BTL_SOURCES];
    CFontStatic m_stcSource[BTL_SOURCES];
    CTransparentStatic m_stcGain;
    CBitmapSlider m_sliderGain;
    CBitButton m_btnPolarity;
    CBitButton m_btnOn;
    CBitButton m_btnLink;
    CTransparentStatic m_stcDelay;
    CBitmap m_bmpBackCn;
    CBitmap m_bmpBackEn;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnPaint() override;

private:
    CFont m_font;  // the template's Arial 7 pt, for the gain and delay texts
};
