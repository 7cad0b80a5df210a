// The tab strip's look: colours, vertical gradient fill, frames and caption font, chosen by one
// set of look flags that every CEnTabCtrl shares (g_dwTabLook). The main view sets all five
// flags, background 0xEEE4E3 and draw mode 2: the selected tab runs from black at the top to the
// button face with a red caption, the others from a blue to a grey with light captions.
// Owns its caption font. User-interface thread.
#pragma once

#include "CBaseTabCtrl.h"
#include "GdiObjects.h"

class CDC;

// Look flags.
constexpr DWORD ETC_FLAT = 0x01;       // custom look (the tab frames need it)
constexpr DWORD ETC_COLOR = 0x02;      // second colour scheme
constexpr DWORD ETC_SELECTION = 0x04;  // the selected tab is lightened
constexpr DWORD ETC_GRADIENT = 0x08;   // vertical gradient, on displays of more than 15 bits
constexpr DWORD ETC_BACKTABS = 0x10;   // unselected tabs darkened, with frames of their own

extern DWORD g_dwTabLook;

// Each channel times the factor (held within 0..1), truncated.
COLORREF Darker(COLORREF crBase, float fFactor);
// Each channel times the factor (at least 1), truncated, 255 at most.
COLORREF Lighter(COLORREF crBase, float fFactor);
// Shortens strText in place to fit nWidth pixels on one line with an ending "..." in the
// context's font; returns the extent of the result.
CSize FitTextToWidth(CString& strText, CDC* pDC, int nWidth);

class CEnTabCtrl : public CBaseTabCtrl {
public:
    CEnTabCtrl();
    ~CEnTabCtrl() override;

    // g_dwTabLook := dwStyle when bEnable, else 0; every strip follows at its next paint.
    static void SetLookFlags(BOOL bEnable, DWORD dwStyle);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void DrawStripFrame(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void DrawItemFrame(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    COLORREF TabColor(BOOL bSelected) override;
    COLORREF TabTextColor(BOOL bSelected) override;

    int GetDrawIndex() const { return m_nDrawIndex; }

protected:
    void PreSubclassWindow() override;

private:
    int m_nDrawIndex = TAB_INERT_INDEX;  // the tab drawn last; TabColor reads it
    CFont m_fontCaption;
};
