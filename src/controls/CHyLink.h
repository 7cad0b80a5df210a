// A hyperlink label: dark text on a light field that turns red while the pointer is over it, a
// hand cursor, and a click (the label needs SS_NOTIFY) opens its own text with the desktop. It
// holds the pointer while hovered and lets go when the pointer leaves it.
// User-interface thread.
#pragma once

#include "CDC.h"
#include "CStatic.h"

class CHyLink : public CStatic {
public:
    CHyLink();
    ~CHyLink() override;

    BOOL GetHover() const { return m_bHover; }
    COLORREF CurrentTextColor() const { return m_bHover ? m_clrHover : m_clrNormal; }
    // Paints field and text over rc (client coordinates).
    void Paint(CDC* pDC, const CRect& rc);

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnPaint() override;

private:
    void RedrawNow();

    BOOL m_bHover = FALSE;
    COLORREF m_clrNormal = RGB(0, 0, 0);
    COLORREF m_clrHover = RGB(255, 0, 0);
    COLORREF m_clrBack = RGB(229, 229, 229);
    HCURSOR m_hCursor = nullptr;  // owned copy
};
