// The mixer page (template 1014, modal): ten mixer columns, one per output, over a background
// that names the twelve sources (left) and the channels CH1..CH10 (bottom). Where outputs 2p and
// 2p + 1 form a linked stereo pair, pair panel p stands in place of column 2p + 1 and mirrors
// column 2p, which sets both outputs. A red frame marks the column last touched.
//
// The columns store every change in the model themselves; the page keeps the pair panels in step
// and forwards each change to the view as WM_MIX_MATRIX_CHANGED (wParam MixCellParam(column,
// row), lParam the level). Enter and Esc never close the page; its close box does.
//
// User-interface thread.
#pragma once

#include "CBTLMixRoute.h"
#include "CDialog.h"
#include "CRouteMixCom.h"
#include "GdiObjects.h"

class CKTV_Data;
class CPageHost;

constexpr UINT IDD_MIXER_PAGE = 1014;
constexpr int MIX_PAGE_COLUMNS = 10;
constexpr int MIX_PAGE_PANELS = 5;
constexpr UINT IDB_MIXER_BACK_CN = 1020;
constexpr UINT IDB_MIXER_BACK_EN = 1021;
constexpr int MIXER_BACK_WIDTH = 1120;
constexpr int MIXER_BACK_HEIGHT = 624;
constexpr COLORREF MIXER_FRAME_COLOUR = 0x004031EE;  // RGB(238, 49, 64)

// Geometry of the page in client pixels, column i = 0..9.
CRect MixColumnRect(int i);
CRect MixFrameRect(int i);
// Panel p = 0..4, in place of column 2p + 1.
CRect MixPanelRect(int p);

class CMixInPutCom : public CDialog {
public:
    explicit CMixInPutCom(CWnd* pParent = nullptr);

    CPageHost* m_pView = nullptr;  // receives WM_MIX_MATRIX_CHANGED; set before each opening
    CKTV_Data* m_pScene = nullptr; // the scene whose outputs the page edits; set before each opening
    CBitmap m_bmpBackCn;
    CBitmap m_bmpBackEn;
    CRouteMixCom m_Columns[MIX_PAGE_COLUMNS];
    int m_nHighlight = 0;
    CRect m_rcFrame[MIX_PAGE_COLUMNS];
    CBTLMixRoute m_PairPanels[MIX_PAGE_PANELS];

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnOK() override {}

private:
    LRESULT OnMixColumnChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnMixColumnFocus(WPARAM wParam, LPARAM lParam);
};
