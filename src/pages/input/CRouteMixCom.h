// One column of the mixer page (template 1015, a child dialog): the twelve levels, 0..100, at
// which the twelve input sources feed one output. Each row has a level field (CNumEdit, type 33),
// a hidden up-down (CNumSpin: the Up and Down keys of the field step it) and a horizontal fader.
//
// Every change is stored at once through the output's mix setter (rows 1..8 mix A levels 1..8 =
// record 33 bytes 0..7; rows 9..12 mix B levels 7, 8, 5, 6 = record 34 bytes 6, 7, 4, 5); the
// first output of a linked stereo pair (g_bStereoPair) stores it in its partner too. The column
// never sends: the setter's stamp reaches the change scanner. It then posts to the page
// WM_MIX_COLUMN_CHANGED (wParam MixCellParam(column, row), lParam the level) and, for a typed
// value, a fader notice or a press in the column, WM_MIX_COLUMN_FOCUS (wParam the column).
//
// User-interface thread.
#pragma once

#include "CBitmapSlider.h"
#include "CDialog.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "CToolTipCtrl.h"
#include "GdiObjects.h"

#include <functional>

class CKTV_OutData;
class CMixInPutCom;

constexpr UINT IDD_MIX_COLUMN = 1015;
constexpr int MIX_COLUMN_ROWS = 12;
constexpr int MIX_LEVEL_MAX = 100;
constexpr int MIX_COLUMN_WIDTH = 95;
constexpr int MIX_COLUMN_HEIGHT = 570;
constexpr UINT IDB_MIX_COLUMN_BACK = 1016;
constexpr UINT IDB_MIX_TRACK = 1038;
constexpr UINT IDB_MIX_THUMB = 1031;
constexpr UINT IDB_MIX_THUMB_FOCUS = 1019;

// The cell of a mix change as the messages carry it: by value, column in the low 16 bits and the
// row (1..12) in the high 16 bits, so a receiver never reads a sender's member after the post.
inline WPARAM MixCellParam(int nColumn, int nRow) { return WPARAM(unsigned(nColumn) | (unsigned(nRow) << 16)); }
inline int MixCellColumn(WPARAM wParam) { return int(wParam & 0xFFFF); }
inline int MixCellRow(WPARAM wParam) { return int((wParam >> 16) & 0xFFFF); }

struct MixCellRecord {
    int nColumn = 0;  // this column's index 0..9
    int nRow = 0;     // row 1..12 of the last change
};

// One row of the column: its controls' ids, its source names and where its level lives.
struct MixRowInfo {
    const char* pszNameEn;
    const char* pszNameCn;
    UINT nEditID;
    UINT nSliderID;
    UINT nSpinID;
    bool bMixB;  // record 34 (mix B) rather than record 33 (mix A)
    int nLevel;  // level number of the mix getter and setter
    int nRecordByte;
};
const MixRowInfo& GetMixRowInfo(int nRow);  // row 1..12

// The row's level of output pOut, and its setter (no copy to a partner).
BYTE GetMixRowLevel(const CKTV_OutData& out, int nRow);
void SetMixRowLevel(CKTV_OutData& out, int nRow, BYTE byLevel);

// Draws once into a skin picture (a memory context on bmp, transparent text in pFont and
// clrText); nothing without a picture.
void PaintOnBitmap(CBitmap& bmp, CFont* pFont, COLORREF clrText, const std::function<void(CDC&)>& draw);

// The column's layout in pixels of its client area: twelve equal row cells.
CRect MixRowFieldRect(int nRow);
CPoint MixRowSliderPos(int nRow);

class CRouteMixCom : public CDialog {
public:
    CRouteMixCom();

    // Creates the column window (hidden) as a child of pPage.
    BOOL CreateColumn(CWnd* pPage);
    // Tips, faders, fields and levels; call after setting m_pPage, m_nIndex and m_pOutput.
    void InitColumn();
    // Shows the twelve levels of m_pOutput; a level above 100 shows as 100 without a message
    // and the model byte stays as it is.
    void LoadLevels();
    void FreeSliderBitmaps();

    CMixInPutCom* m_pPage = nullptr;
    MixCellRecord m_Cell;
    CNumSpin m_spinLevel[MIX_COLUMN_ROWS];
    CBitmapSlider m_sliderLevel[MIX_COLUMN_ROWS];
    CNumEdit m_editLevel[MIX_COLUMN_ROWS];
    int m_nIndex = 0;
    CBitmap m_bmpBack;
    CToolTipCtrl m_Tip;
    CKTV_OutData* m_pOutput = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnLevelEdit(int nRow);
    void OnLevelSpin(int nRow);
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    // Stores the level in the output (and the pair's partner) and remembers the row.
    void StoreLevel(int nRow, int nLevel);
    void PostToPage(UINT message, WPARAM wParam, LPARAM lParam);
    CWnd* m_pPageWnd = nullptr;
};
