#include "CCaptionView.h"

#include "CWinApp.h"
#include "BitmapPaint.h"
#include "CWindowDC.h"
#include "DialogUnits.h"

namespace {

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(100, "Arial");
    return units;
}

}  // namespace

BOOL CCaptionView::CreatePage(CWnd* pParent)
{
    if (!CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, Units().Rect(0, 0, 471, 237), pParent, IDD_CAPTION_VIEW))
        return FALSE;
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
    m_btnMode2.Create("", style, Units().Rect(170, 133, 50, 17), this, IDC_CAPTION_MODE2);
    m_btnMode1.Create("", style, Units().Rect(346, 133, 46, 17), this, IDC_CAPTION_MODE1);
    return TRUE;
}

void CCaptionView::OnPaint()
{
    CPaintDC dc(this);
    PaintBitmapAtOrigin(dc, m_bitmap);
}

BOOL CCaptionView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        const UINT id = LOWORD(wParam);
        CWnd* main = AfxGetMainWnd();
        if (id == IDC_CAPTION_MODE1 || id == IDC_CAPTION_MODE2) {
            if (main)
                main->SendMessage(WM_COMMAND, id == IDC_CAPTION_MODE1 ? ID_WORK_MODE1 : ID_WORK_MODE2);
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}
