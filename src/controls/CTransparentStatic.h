// A label without a background of its own, so the skinned dialog behind it shows through. Its
// text is drawn in its colour with the flags of its static style; whenever its text changes it
// has the parent repaint the area under it at once, so the old text leaves no trace.
// User-interface thread.
#pragma once

#include "CDC.h"
#include "CStatic.h"

class CTransparentStatic : public CStatic {
public:
    void SetTextColor(COLORREF clr);
    COLORREF GetTextColor() const { return m_clrText; }
    // Sets the window text only when it differs from the text of the previous call.
    virtual void SetText(LPCTSTR lpszText);

    // Paints the text over rc (client coordinates).
    void Paint(CDC* pDC, const CRect& rc);

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnPaint() override;

private:
    COLORREF m_clrText = RGB(0, 0, 0);
    CString m_strText;
};
