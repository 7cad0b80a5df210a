#include "PromptLayout.h"

#include "CDC.h"
#include "DialogUnits.h"

namespace {

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(90, "Arial");  // the prompts' Arial 9 pt
    return units;
}

}  // namespace

CSize PromptBaseUnits() { return Units().Base(); }

void RegisterPromptTemplate(UINT nID, const char* pszCaption, int cxDlu, int cyDlu)
{
    Units().RegisterTemplate(nID, pszCaption, cxDlu, cyDlu);
}

CRect PromptRect(int x, int y, int cx, int cy) { return Units().Rect(x, y, cx, cy); }

void SetPromptFont(CWnd* pDlg, CFont& font) { Units().ApplyFont(pDlg, font); }

void DrawPanelBackground(CDC* pDC, CBitmap& bmp)
{
    if (!pDC || !bmp.GetSafeHandle())
        return;
    BITMAP bm{};
    bmp.GetBitmap(&bm);
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap* old = mem.SelectObject(&bmp);
    pDC->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}
