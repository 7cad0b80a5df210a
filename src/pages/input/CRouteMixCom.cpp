#include "CRouteMixCom.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CMixInPutCom.h"
#include "CPageHost.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "PromptLayout.h"

#include <algorithm>

namespace {

// Rows top to bottom. Bluetooth (record 34 bytes 6, 7) comes before S/PDIF (bytes 4, 5).
const MixRowInfo kRows[MIX_COLUMN_ROWS] = {
    {"LINE1", "LINE1", 2818, 2848, 2849, false, 1, 0},
    {"LINE2", "LINE2", 2819, 2850, 2851, false, 2, 1},
    {"LINE3", "LINE3", 2820, 2852, 2853, false, 3, 2},
    {"LINE4", "LINE4", 2821, 2854, 2855, false, 4, 3},
    {"LINE5", "LINE5", 2822, 2856, 2857, false, 5, 4},
    {"LINE6", "LINE6", 2823, 2858, 2859, false, 6, 5},
    {"LINE7", "LINE7", 2824, 2860, 2861, false, 7, 6},
    {"LINE8", "LINE8", 2825, 2862, 2863, false, 8, 7},
    {"Bluetooth-L", "蓝牙左", 2826, 2864, 2865, true, 7, 6},
    {"Bluetooth-R", "蓝牙右", 2827, 2866, 2867, true, 8, 7},
    {"SPDIF-L", "数字左", 2828, 2868, 2870, true, 5, 4},
    {"SPDIF-R", "数字右", 2829, 2869, 2871, true, 6, 5},
};

// The twelve rows share the column's height as equal cells (570 / 12 pixels), each with its
// level field at the left and its fader beside it, in the order of template 1015's rows.
constexpr double kCellHeight = double(MIX_COLUMN_HEIGHT) / MIX_COLUMN_ROWS;
constexpr int kFieldLeft = 3;
constexpr int kFieldWidth = 32;
constexpr int kFieldHeight = 16;
constexpr int kSliderLeft = 37;

int CellTop(int nRow) { return int(kCellHeight * (nRow - 1) + 0.5); }

constexpr COLORREF kFieldBox = RGB(24, 26, 30);  // the dark box under each level field
constexpr COLORREF kCellLine = RGB(64, 70, 80);  // between two row cells
constexpr int kMarginLeft = 6;
constexpr int kMarginRight = 6;
constexpr int kMarginBottom = 2;

bool ValidRow(int nRow) { return nRow >= 1 && nRow <= MIX_COLUMN_ROWS; }

// The row (1..12) whose control of the given kind has id nID; 0 for none.
int RowOfEdit(UINT nID)
{
    for (int r = 0; r < MIX_COLUMN_ROWS; ++r)
        if (kRows[r].nEditID == nID)
            return r + 1;
    return 0;
}
int RowOfSpin(UINT nID)
{
    for (int r = 0; r < MIX_COLUMN_ROWS; ++r)
        if (kRows[r].nSpinID == nID)
            return r + 1;
    return 0;
}
int RowOfSlider(UINT nID)
{
    for (int r = 0; r < MIX_COLUMN_ROWS; ++r)
        if (kRows[r].nSliderID == nID)
            return r + 1;
    return 0;
}

// The column's background with the dark box of every level field, drawn once into the bitmap.
void DrawFieldBoxes(CBitmap& bmp)
{
    PaintOnBitmap(bmp, nullptr, 0, [](CDC& dc) {
        for (int r = 1; r <= MIX_COLUMN_ROWS; ++r) {
            CRect box = MixRowFieldRect(r);
            box.InflateRect(2, 2);
            dc.FillSolidRect(box, kFieldBox);
            if (r > 1)
                dc.FillSolidRect(4, CellTop(r), MIX_COLUMN_WIDTH - 8, 1, kCellLine);
        }
    });
}

}  // namespace

void PaintOnBitmap(CBitmap& bmp, CFont* pFont, COLORREF clrText, const std::function<void(CDC&)>& draw)
{
    if (!bmp.GetSafeHandle())
        return;
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(&bmp);
    CFont* oldFont = pFont ? mem.SelectObject(pFont) : nullptr;
    mem.SetBkMode(TRANSPARENT);
    mem.SetTextColor(clrText);
    draw(mem);
    if (oldFont)
        mem.SelectObject(oldFont);
    mem.SelectObject(old);
}

const MixRowInfo& GetMixRowInfo(int nRow) { return kRows[std::clamp(nRow, 1, MIX_COLUMN_ROWS) - 1]; }

BYTE GetMixRowLevel(const CKTV_OutData& out, int nRow)
{
    if (!ValidRow(nRow))
        return 0;
    const MixRowInfo& row = kRows[nRow - 1];
    return row.bMixB ? out.GetMixB(row.nLevel) : out.GetMixA(row.nLevel);
}

void SetMixRowLevel(CKTV_OutData& out, int nRow, BYTE byLevel)
{
    if (!ValidRow(nRow))
        return;
    const MixRowInfo& row = kRows[nRow - 1];
    if (row.bMixB)
        out.SetMixB(row.nLevel, byLevel);
    else
        out.SetMixA(row.nLevel, byLevel);
}

CRect MixRowFieldRect(int nRow)
{
    const int top = CellTop(std::clamp(nRow, 1, MIX_COLUMN_ROWS)) + 16;
    return CRect(kFieldLeft, top, kFieldLeft + kFieldWidth, top + kFieldHeight);
}

CPoint MixRowSliderPos(int nRow) { return CPoint(kSliderLeft, CellTop(std::clamp(nRow, 1, MIX_COLUMN_ROWS)) + 14); }

CRouteMixCom::CRouteMixCom() : CDialog(IDD_MIX_COLUMN, nullptr) {}

BOOL CRouteMixCom::CreateColumn(CWnd* pPage)
{
    if (GetSafeHwnd() || !pPage || !pPage->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pPage;
    m_pPageWnd = pPage;
    const CRect rc(0, 0, MIX_COLUMN_WIDTH, MIX_COLUMN_HEIGHT);
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, rc, pPage, IDD_MIX_COLUMN))
        return FALSE;
    for (int r = 1; r <= MIX_COLUMN_ROWS; ++r) {
        const MixRowInfo& row = kRows[r - 1];
        CEdit& edit = m_editLevel[r - 1];
        edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, MixRowFieldRect(r), this,
                    row.nEditID);
        edit.SetFont(&g_fontArial14);
        const CPoint at = MixRowSliderPos(r);
        m_sliderLevel[r - 1].Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, CRect(at, CSize(56, 20)), this,
                                    row.nSliderID);
        m_spinLevel[r - 1].Create(WS_CHILD | UDS_ARROWKEYS | UDS_ALIGNRIGHT, CRect(0, 0, 1, 1), this, row.nSpinID);
    }
    return TRUE;
}

void CRouteMixCom::InitColumn()
{
    if (!GetSafeHwnd())
        return;
    m_bmpBack.DeleteObject();
    m_bmpBack.LoadBitmap(IDB_MIX_COLUMN_BACK);
    DrawFieldBoxes(m_bmpBack);
    if (!m_Tip.IsCreated())
        m_Tip.Create(this);
    for (int r = 0; r < MIX_COLUMN_ROWS; ++r) {
        const char* name = g_bChinese ? kRows[r].pszNameCn : kRows[r].pszNameEn;
        m_Tip.AddTool(&m_editLevel[r], name);
        m_Tip.AddTool(&m_sliderLevel[r], name);

        CBitmapSlider& slider = m_sliderLevel[r];
        slider.SetBitmapChannel(IDB_MIX_TRACK, IDB_MIX_TRACK, FALSE);
        slider.SetBitmapThumb(IDB_MIX_THUMB, IDB_MIX_THUMB_FOCUS, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        slider.SetRange(0, MIX_LEVEL_MAX, FALSE);
        slider.SetMargin(kMarginLeft, r < 6 ? 3 : 4, kMarginRight, kMarginBottom);
        slider.SetBuddy(&m_editLevel[r]);
        slider.SetVertical(FALSE);

        m_spinLevel[r].SetBuddy(&m_editLevel[r]);
        m_spinLevel[r].SetRange(0, MIX_LEVEL_MAX);
        m_editLevel[r].SetScale(1.0);
        m_editLevel[r].SetType(33, "");
        m_editLevel[r].SetBuddySlider(&m_sliderLevel[r]);
    }
    m_Cell.nColumn = m_nIndex;
    LoadLevels();
}

void CRouteMixCom::LoadLevels()
{
    if (!m_pOutput)
        return;
    for (int r = 1; r <= MIX_COLUMN_ROWS; ++r) {
        // A byte above 100 from the device shows at the end of the range; the model keeps it.
        const int level = std::min<int>(GetMixRowLevel(*m_pOutput, r), MIX_LEVEL_MAX);
        m_spinLevel[r - 1].SetPos(level);
        m_editLevel[r - 1].SetValue(level);
        m_sliderLevel[r - 1].SetPos(level);
    }
}

void CRouteMixCom::FreeSliderBitmaps()
{
    for (CBitmapSlider& slider : m_sliderLevel) {
        slider.SetBitmapChannel(0, 0);
        slider.SetBitmapThumb(0, 0);
    }
}

void CRouteMixCom::StoreLevel(int nRow, int nLevel)
{
    if (!m_pOutput || !ValidRow(nRow))
        return;
    const BYTE level = BYTE(std::clamp(nLevel, 0, MIX_LEVEL_MAX));
    SetMixRowLevel(*m_pOutput, nRow, level);
    // The first output of a linked stereo pair sets its partner too; no other output takes a copy.
    if (g_pPageHost && g_pPageHost->IsStereoPair(m_nIndex) && m_nIndex + 1 < MIX_PAGE_COLUMNS && m_pPage &&
        m_pPage->m_pScene)
        if (CKTV_OutData* partner = m_pPage->m_pScene->GetOutData(m_nIndex + 1))
            SetMixRowLevel(*partner, nRow, level);
    m_Cell.nRow = nRow;
}

void CRouteMixCom::PostToPage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pPageWnd && m_pPageWnd->GetSafeHwnd())
        m_pPageWnd->PostMessage(message, wParam, lParam);
}

void CRouteMixCom::OnLevelEdit(int nRow)
{
    const int level = m_editLevel[nRow - 1].GetValue();
    m_spinLevel[nRow - 1].SetPos(level);
    m_sliderLevel[nRow - 1].SetPos(level);
    StoreLevel(nRow, level);
    PostToPage(WM_MIX_COLUMN_CHANGED, MixCellParam(m_Cell.nColumn, m_Cell.nRow), level);
    PostToPage(WM_MIX_COLUMN_FOCUS, WPARAM(m_nIndex), 0);
}

void CRouteMixCom::OnLevelSpin(int nRow)
{
    const int level = m_spinLevel[nRow - 1].GetPos();
    m_editLevel[nRow - 1].SetValue(level);
    m_sliderLevel[nRow - 1].SetPos(level);
    StoreLevel(nRow, level);
    PostToPage(WM_MIX_COLUMN_CHANGED, MixCellParam(m_Cell.nColumn, m_Cell.nRow), level);
}

LRESULT CRouteMixCom::OnSliderMoved(WPARAM wParam, LPARAM)
{
    const int row = RowOfSlider(UINT(wParam));
    if (row) {
        const int level = m_sliderLevel[row - 1].GetPos();
        m_editLevel[row - 1].SetValue(level);
        m_spinLevel[row - 1].SetPos(level);
        StoreLevel(row, level);
        PostToPage(WM_MIX_COLUMN_CHANGED, MixCellParam(m_Cell.nColumn, m_Cell.nRow), level);
    }
    PostToPage(WM_MIX_COLUMN_FOCUS, WPARAM(m_nIndex), 0);
    return 1;
}

BOOL CRouteMixCom::OnCommand(WPARAM wParam, LPARAM)
{
    // Only the value notices (code 0) of the fields and the up-downs are new levels.
    if (HIWORD(wParam) != 0)
        return FALSE;
    const UINT id = LOWORD(wParam);
    if (const int row = RowOfEdit(id)) {
        OnLevelEdit(row);
        return TRUE;
    }
    if (const int row = RowOfSpin(id)) {
        OnLevelSpin(row);
        return TRUE;
    }
    return FALSE;
}

LRESULT CRouteMixCom::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SLIDER_MOVED:
    case WM_SLIDER_MOVING:
        return OnSliderMoved(wParam, lParam);
    case WM_NUMEDIT_KEYDOWN:
        // The hidden up-down acts on the Up and Down keys of its field.
        if (const int row = RowOfEdit(UINT(wParam))) {
            if (lParam == VK_UP)
                m_spinLevel[row - 1].Step(1);
            else if (lParam == VK_DOWN)
                m_spinLevel[row - 1].Step(-1);
        }
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CRouteMixCom::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDOWN) {
        SetFocus();
        PostToPage(WM_MIX_COLUMN_FOCUS, WPARAM(m_nIndex), 0);
    }
    if (pMsg->message == WM_MOUSEMOVE)
        m_Tip.RelayEvent(pMsg);
    // Enter, Esc and Tab commit the field being typed in and end there: nothing closes, and Tab
    // does not walk the fields.
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_TAB)) {
        SetFocus();
        return FALSE;
    }
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_MOUSEMOVE)
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

HBRUSH CRouteMixCom::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd && RowOfEdit(UINT(pWnd->GetDlgCtrlID())))
        pDC->SetTextColor(RGB(255, 255, 255));
    return hbr;
}

void CRouteMixCom::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, m_bmpBack);
}

BOOL CRouteMixCom::OnEraseBkgnd(CDC*) { return TRUE; }

void CRouteMixCom::OnDestroy()
{
    FreeSliderBitmaps();
    CDialog::OnDestroy();
}
