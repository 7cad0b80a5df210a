#include "CMixInPutCom.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CPageHost.h"
#include "CWindowDC.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "PromptLayout.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr COLORREF kNameColour = RGB(200, 202, 206);

// The source names of the rows, as the background shows them at the left edge.
const char* const kRowNamesEn[MIX_COLUMN_ROWS] = {"LINE 1", "LINE 2", "LINE 3", "LINE 4", "LINE 5", "LINE 6",
                                                   "LINE 7", "LINE 8", "BT-L",   "BT-R",   "SPDIF-L", "SPDIF-R"};
const char* const kRowNamesCn[MIX_COLUMN_ROWS] = {"线路 1", "线路 2", "线路 3", "线路 4", "线路 5", "线路 6",
                                                   "线路 7", "线路 8", "蓝牙左", "蓝牙右", "数字左", "数字右"};

// Draws the row names and CH1..CH10 into a background bitmap, once when it is loaded.
void DrawPageNames(CBitmap& bmp, bool bChinese)
{
    PaintOnBitmap(bmp, &g_fontArial16, kNameColour, [bChinese](CDC& dc) {
        const CRect col0 = MixColumnRect(0);
        for (int r = 1; r <= MIX_COLUMN_ROWS; ++r) {
            CRect field = MixRowFieldRect(r);
            field.OffsetRect(col0.left, col0.top);
            CRect name(0, field.top - 6, col0.left - 4, field.bottom + 6);
            dc.DrawText(bChinese ? kRowNamesCn[r - 1] : kRowNamesEn[r - 1], &name, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
        for (int i = 0; i < MIX_PAGE_COLUMNS; ++i) {
            const CRect col = MixColumnRect(i);
            CRect name(col.left, col.bottom + 2, col.right, MixFrameRect(i).bottom - 2);
            char text[16];
            std::snprintf(text, sizeof text, "CH%d", i + 1);
            dc.DrawText(text, &name, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    });
}

bool ValidColumn(int c) { return c >= 0 && c < MIX_PAGE_COLUMNS; }

}  // namespace

CRect MixColumnRect(int i) { return CRect(CPoint(105 * i + 68, 16), CSize(MIX_COLUMN_WIDTH, MIX_COLUMN_HEIGHT)); }

CRect MixFrameRect(int i) { return CRect(105 * i + 65, 10, 105 * i + 166, 617); }

CRect MixPanelRect(int p)
{
    const CRect frame = MixFrameRect(2 * p + 1);
    return CRect(frame.TopLeft(), CSize(MIX_PANEL_WIDTH, MIX_PANEL_HEIGHT));
}

CMixInPutCom::CMixInPutCom(CWnd* pParent) : CDialog(IDD_MIXER_PAGE, pParent)
{
    // The client area is the background's: the page's layout is in pixels of that picture.
    RegisterDialogTemplate(IDD_MIXER_PAGE, DialogTemplate{"Input Signal", MIXER_BACK_WIDTH, MIXER_BACK_HEIGHT, 0});
    m_bmpBackCn.LoadBitmap(IDB_MIXER_BACK_CN);
    m_bmpBackEn.LoadBitmap(IDB_MIXER_BACK_EN);
    DrawPageNames(m_bmpBackCn, true);
    DrawPageNames(m_bmpBackEn, false);
}

BOOL CMixInPutCom::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(g_bChinese ? "输入信号" : "Input Signal");
    for (int i = 0; i < MIX_PAGE_COLUMNS; ++i) {
        CRouteMixCom& col = m_Columns[i];
        col.CreateColumn(this);
        col.m_pPage = this;
        col.m_nIndex = i;
        col.m_pOutput = m_pScene ? m_pScene->GetOutData(i) : nullptr;
        col.InitColumn();
        const CRect rcCol = MixColumnRect(i);
        col.MoveWindow(&rcCol, FALSE);
        col.ShowWindow(SW_SHOW);
        m_rcFrame[i] = MixFrameRect(i);
    }
    for (int p = 0; p < MIX_PAGE_PANELS; ++p) {
        CBTLMixRoute& panel = m_PairPanels[p];
        const CRouteMixCom& first = m_Columns[2 * p];
        panel.CreatePanel(this);
        for (int r = 1; r <= MIX_COLUMN_ROWS; ++r)
            panel.SetRow(r, first.m_editLevel[r - 1].GetWindowText(), first.m_sliderLevel[r - 1].GetPos());
        const CRect rcPanel = MixPanelRect(p);
        panel.MoveWindow(&rcPanel, FALSE);
        panel.ShowWindow(SW_HIDE);
    }
    for (int p = 0; p < MIX_PAGE_PANELS; ++p) {
        if (m_pView && m_pView->IsStereoPair(2 * p)) {
            m_Columns[2 * p + 1].ShowWindow(SW_HIDE);
            m_PairPanels[p].ShowWindow(SW_SHOW);
            m_PairPanels[p].UpdateWindow();
        }
    }
    m_nHighlight = 0;
    return TRUE;
}

LRESULT CMixInPutCom::OnMixColumnChanged(WPARAM wParam, LPARAM lParam)
{
    const int c = MixCellColumn(wParam);
    const int n = MixCellRow(wParam);
    if (ValidColumn(c) && n >= 1 && n <= MIX_COLUMN_ROWS && m_pView && m_pView->IsStereoPair(c) && c % 2 == 0) {
        const CRouteMixCom& col = m_Columns[c];
        m_PairPanels[c / 2].SetRow(n, col.m_editLevel[n - 1].GetWindowText(), col.m_sliderLevel[n - 1].GetPos());
    }
    if (m_pView)
        if (CWnd* view = m_pView->GetHostWnd())
            if (view->GetSafeHwnd())
                view->PostMessage(WM_MIX_MATRIX_CHANGED, wParam, lParam);
    return 0;
}

LRESULT CMixInPutCom::OnMixColumnFocus(WPARAM wParam, LPARAM)
{
    const int c = int(wParam);
    if (c == m_nHighlight || !ValidColumn(c))
        return 0;
    InvalidateRect(&m_rcFrame[m_nHighlight], TRUE);
    m_nHighlight = c;
    InvalidateRect(&m_rcFrame[m_nHighlight], TRUE);
    return 0;
}

LRESULT CMixInPutCom::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MIX_COLUMN_CHANGED:
        return OnMixColumnChanged(wParam, lParam);
    case WM_MIX_COLUMN_FOCUS:
        return OnMixColumnFocus(wParam, lParam);
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CMixInPutCom::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDOWN) {
        SetFocus();
        return FALSE;
    }
    // Enter and Esc commit the field being typed in and never close the page.
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_TAB)) {
        SetFocus();
        return FALSE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CMixInPutCom::OnPaint()
{
    CPaintDC dc(this);
    DrawPanelBackground(&dc, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
    CPen pen(PS_SOLID, 1, MIXER_FRAME_COLOUR);
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    dc.Rectangle(&m_rcFrame[m_nHighlight]);
    dc.SelectObject(oldPen);
    if (CBrush* brush = dynamic_cast<CBrush*>(oldBrush))
        dc.SelectObject(brush);
}

BOOL CMixInPutCom::OnEraseBkgnd(CDC*) { return TRUE; }
