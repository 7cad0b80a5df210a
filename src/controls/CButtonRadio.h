// A check box or radio button drawn by the window layer, on a transparent background (the
// page's picture shows around the box and caption) with a caption colour of its own.
// User-interface thread.
#pragma once

#include "CButton.h"

class CButtonRadio : public CButton {
public:
    void SetTextColor(COLORREF clr);
    COLORREF GetTextColor() const { return m_clrText; }

    // Caption colour and transparent background into the context; the hollow brush.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

private:
    COLORREF m_clrText = RGB(0, 0, 0);
};
