#include "CButtonRadio.h"

#include "CDC.h"

void CButtonRadio::SetTextColor(COLORREF clr)
{
    m_clrText = clr;
    Invalidate();
}

HBRUSH CButtonRadio::CtlColor(CDC* pDC, UINT)
{
    if (pDC) {
        pDC->SetTextColor(m_clrText);
        pDC->SetBkMode(TRANSPARENT);
    }
    return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
