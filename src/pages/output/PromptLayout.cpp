#include "PromptLayout.h"

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
