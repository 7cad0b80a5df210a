#include "DialogUnits.h"

#include "CDC.h"
#include "GdiObjects.h"

namespace {
int Scale(int nUnits, int nBase, int nDivisor)
{
    // Rounded half away from zero, so negative positions mirror positive ones.
    const long long v = static_cast<long long>(nUnits) * nBase;
    return int(v >= 0 ? (v + nDivisor / 2) / nDivisor : -((-v + nDivisor / 2) / nDivisor));
}
}  // namespace

CSize GetDialogBaseUnits(CFont* pFont)
{
    if (!pFont || !pFont->GetSafeHandle())
        return CSize(0, 0);
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return CSize(0, 0);
    CFont* old = dc.SelectObject(pFont);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const CSize letters = dc.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    dc.SelectObject(old);
    return CSize((letters.cx / 26 + 1) / 2, tm.tmHeight);
}

int DialogUnitsToPixelsX(int nUnits, CSize base) { return Scale(nUnits, base.cx, 4); }

int DialogUnitsToPixelsY(int nUnits, CSize base) { return Scale(nUnits, base.cy, 8); }

CRect DialogRect(int x, int y, int cx, int cy, CSize base)
{
    return CRect(DialogUnitsToPixelsX(x, base), DialogUnitsToPixelsY(y, base), DialogUnitsToPixelsX(x + cx, base),
                 DialogUnitsToPixelsY(y + cy, base));
}
