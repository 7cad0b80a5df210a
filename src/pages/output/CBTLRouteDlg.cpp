#include "CBTLRouteDlg.h"

#include "CWindowDC.h"
#include "DialogUnits.h"
#include "Globals.h"
#include "PromptLayout.h"

#include <algorithm>

namespace {

// Template 958 is laid out in dialog units of Arial 7 pt.
const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(70, "Arial");
    return units;
}

struct SourceRow {
    UINT button;
    int y;          // dialog units
    int labelX;     // dialog units
    int labelWidth;
    const char* chinese;
    const char* english;
};

const SourceRow kRows[BTL_SOURCES] = {
    {1, 27, 23, 13, "高1", "Hi.1"},  {2, 38, 23, 13, "高2", "Hi.2"},   {3, 50, 23, 13, "高3", "Hi.3"},
    {4, 60, 23, 13, "高4", "Hi.4"},  {5, 72, 23, 13, "高5", "Hi.5"},   {6, 84, 23, 13, "高6", "Hi.6"},
    {7, 94, 23, 13, "低1", "AUX1"},  {8, 106, 23, 13, "低2", "AUX2"},  {9, 118, 22, 17, "光左", "SP-L"},
    {10, 130, 22, 17, "光右", "SP-R"}, {13, 141, 22, 17, "蓝左", "BLE-L"}, {14, 153, 22, 17, "蓝右", "BLE-R"},
};

// Backgrounds of pairs 1..5 (Chinese, English), each headed with the pair's second channel.
const UINT kBackgrounds[BTL_PAIRS][2] = {{963, 968}, {960, 965}, {961, 966}, {959, 964}, {962, 967}};

constexpr COLORREF kValueTextColour = RGB(157, 159, 161);
constexpr COLORREF kLabelColour = RGB(105, 108, 105);
constexpr int kLabelFontHeight = 13;
// The English labels ("AUX1", "BLE-L") need more room than the template's 13 units.
constexpr int kEnglishLabelWidthDlu = 22;

}  // namespace

CBTLRouteDlg::CBTLRouteDlg() : CDialog(IDD_BTL_ROUTE, nullptr) {}

UINT CBTLRouteDlg::SourceButtonId(int nRow) { return nRow >= 0 && nRow < BTL_SOURCES ? kRows[nRow].button : 0; }

const char* CBTLRouteDlg::SourceLabel(int nRow, BOOL bChinese)
{
    if (nRow < 0 || nRow >= BTL_SOURCES)
        return nullptr;
    return bChinese ? kRows[nRow].chinese : kRows[nRow].english;
}

BOOL CBTLRouteDlg::PairBackgrounds(int nPair, UINT* pCn, UINT* pEn)
{
    if (nPair < 0 || nPair >= BTL_PAIRS)
        return FALSE;
    if (pCn)
        *pCn = kBackgrounds[nPair][0];
    if (pEn)
        *pEn = kBackgrounds[nPair][1];
    return TRUE;
}

BOOL CBTLRouteDlg::CreatePanel(CWnd* pParent, int nPair)
{
    UINT cn = 0;
    UINT en = 0;
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd() || !PairBackgrounds(nPair, &cn, &en))
        return FALSE;
    m_pParentWnd = pParent;
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, Units().Rect(0, 0, 111, 172), pParent, IDD_BTL_ROUTE))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    m_bmpBackCn.DeleteObject();
    m_bmpBackEn.DeleteObject();
    m_bmpBackCn.LoadBitmap(cn);
    m_bmpBackEn.LoadBitmap(en);
    return TRUE;
}

BOOL CBTLRouteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int r = 0; r < BTL_SOURCES; ++r) {
        const SourceRow& row = kRows[r];
        m_btnSource[r].Create("", WS_CHILD | WS_VISIBLE, Units().Rect(5, row.y, 11, 9), this,
                              row.button);
        m_btnSource[r].SetBitmaps(IDB_BTL_BOX_EMPTY, IDB_BTL_BOX_EMPTY, IDB_BTL_BOX_EMPTY, 0, 0, 0);
        m_stcSource[r].Create(row.chinese, WS_CHILD | WS_VISIBLE, Units().Rect(row.labelX, row.y, std::max(row.labelWidth, kEnglishLabelWidthDlu), 8),
                              this, IDC_BTL_SOURCE_LABEL + UINT(r));
        m_stcSource[r].SetTextColor(kLabelColour);
        m_stcSource[r].SetFontSize(kLabelFontHeight);
    }
    m_stcGain.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(50, 25, 30, 9), this, IDC_BTL_GAIN_TEXT);
    m_stcGain.SetTextColor(kValueTextColour);
    Units().ApplyFont(&m_stcGain, m_font);
    m_sliderGain.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(51, 37, 15, 15), this, IDC_BTL_FADER);
    m_sliderGain.SetBitmapChannel(977, 977, FALSE);
    m_sliderGain.SetBitmapThumb(975, 976);
    m_sliderGain.SetRange(0, BTL_GAIN_MAX, FALSE);
    m_sliderGain.SetMargin(-1, 6, 8, 2);
    m_btnPolarity.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(51, 96, 24, 11), this,
                         IDC_BTL_POLARITY);
    m_btnPolarity.SetBitmaps(IDB_BTL_POLARITY_CN, IDB_BTL_POLARITY_CN, IDB_BTL_POLARITY_CN, 0, 0, 0);
    m_btnOn.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(51, 111, 25, 10), this, IDC_BTL_ON);
    m_btnOn.SetBitmaps(IDB_BTL_ON, IDB_BTL_ON, IDB_BTL_ON, 0, 0, 0);
    m_btnLink.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(51, 127, 11, 9), this, IDC_BTL_LINK);
    m_btnLink.SetBitmaps(IDB_BTL_LINK, IDB_BTL_LINK, IDB_BTL_LINK, 0, 0, 0);
    m_stcDelay.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(54, 154, 27, 10), this, IDC_BTL_DELAY_TEXT);
    m_stcDelay.SetTextColor(kValueTextColour);
    m_stcDelay.SetFont(&m_font);
    return TRUE;
}

void CBTLRouteDlg::SetLanguageTexts()
{
    for (int r = 0; r < BTL_SOURCES; ++r)
        m_stcSource[r].SetText(SourceLabel(r, g_bChinese));
    Invalidate();
}

void CBTLRouteDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
}
