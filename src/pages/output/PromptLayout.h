// The output prompts are laid out in dialog units of Arial 9 pt; these turn a layout into
// pixels and register a prompt's window template once. User-interface thread.
#pragma once

#include "CDialog.h"
#include "GdiObjects.h"

// Base units of Arial 9 pt (measured once).
CSize PromptBaseUnits();
// Registers template nID with the caption and the size in dialog units, once per id.
void RegisterPromptTemplate(UINT nID, const char* pszCaption, int cxDlu, int cyDlu);
// A rectangle in dialog units of the prompts' font, in pixels.
CRect PromptRect(int x, int y, int cx, int cy);
// Makes pFont Arial 9 pt and gives it to the dialog.
void SetPromptFont(CWnd* pDlg, CFont& font);

class CDC;
class CBitmap;

// Copies a panel's background bitmap, at its own size, to (0, 0) of pDC; a bitmap that did not
// load draws nothing.
void DrawPanelBackground(CDC* pDC, CBitmap& bmp);
