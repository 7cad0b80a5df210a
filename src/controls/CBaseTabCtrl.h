// The tab strip of the main view, painted by the program instead of the system.
//
// CBaseTabCtrl takes over the painting according to its draw mode (0: the system draws; 1: the
// system draws with owner-drawn tabs; 2: the control paints everything itself) and defines the
// drawing steps as virtual operations; CEnTabCtrl (CEnTabCtrl.h) implements them. In mode 2 the
// body frame is drawn first, then every tab from the last to the first except the selected one
// (2 pixels shorter), then the selected tab 2 pixels taller at the top and the bottom, over its
// neighbours. The strip fills the area around the tabs with its background colour and shows the
// hand cursor over a tab that may be chosen (not the selected one, not tab 3).
//
// The strip sends nothing of its own; the parent hears TCN_SELCHANGE from the tab control.
// Owns its hand cursor copy. User-interface thread.
#pragma once

#include "CTabCtrl.h"

constexpr COLORREF TAB_BACK_SYSTEM = 0xFFFFFFFFu;  // the background colour: COLOR_BTNFACE
constexpr int TAB_DRAW_SYSTEM = 0;
constexpr int TAB_DRAW_OWNERDRAW = 1;
constexpr int TAB_DRAW_SELF = 2;
// The tab that is never chosen by the pointer and has no frame.
constexpr int TAB_INERT_INDEX = 3;

class CBaseTabCtrl : public CTabCtrl {
public:
    explicit CBaseTabCtrl(int nDrawType = TAB_DRAW_SYSTEM);
    ~CBaseTabCtrl() override;

    // TAB_BACK_SYSTEM: the button-face colour.
    void SetTabBkColor(COLORREF clr = TAB_BACK_SYSTEM);
    COLORREF GetTabBkColor() const { return m_crBack; }
    // FALSE (and no change) for a mode outside 0..2.
    BOOL SetDrawType(int nType);
    int GetDrawType() const { return m_nDrawType; }
    BOOL IsHot() const { return m_bHot; }

    // One tab's fill, picture and caption; the body frame; one tab's frame. The base draws
    // nothing: a strip that draws in mode 1 or 2 overrides them.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void DrawStripFrame(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void DrawItemFrame(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual COLORREF TabColor(BOOL bSelected);
    virtual COLORREF TabTextColor(BOOL bSelected);

    // Mode 2: paints the whole strip into pDC (what WM_PAINT shows).
    void PaintStrip(CDC* pDC);
    // The background around the tabs (what WM_ERASEBKGND shows).
    void EraseAroundTabs(CDC* pDC);

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;

    COLORREF BackColour() const;

    COLORREF m_crBack = TAB_BACK_SYSTEM;
    int m_nDrawType;
    HCURSOR m_hCursor = nullptr;  // owned copy, null when loading failed
    BOOL m_bHot = FALSE;
};
