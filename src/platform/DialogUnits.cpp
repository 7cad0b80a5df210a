#include "DialogUnits.h"

#include "CDC.h"
#include "CDialog.h"
#include "GdiObjects.h"

#include <set>

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

CDialogFontUnits::CDialogFontUnits(int nTenthsOfPoint, const char* pszFace)
    : m_nTenthsOfPoint(nTenthsOfPoint), m_pszFace(pszFace)
{
}

CSize CDialogFontUnits::Base() const
{
    if (!m_bMeasured) {
        CFont font;
        font.CreatePointFont(m_nTenthsOfPoint, m_pszFace);
        m_base = GetDialogBaseUnits(&font);
        m_bMeasured = true;
    }
    return m_base;
}

void CDialogFontUnits::RegisterTemplate(UINT nID, const char* pszCaption, int cxDlu, int cyDlu, DWORD style) const
{
    static std::set<UINT> registered;  // user-interface thread
    if (!registered.insert(nID).second)
        return;
    const CSize base = Base();
    RegisterDialogTemplate(nID, DialogTemplate{pszCaption, DialogUnitsToPixelsX(cxDlu, base),
                                               DialogUnitsToPixelsY(cyDlu, base), style});
}

void CDialogFontUnits::ApplyFont(CWnd* pWnd, CFont& font) const
{
    font.DeleteObject();
    font.CreatePointFont(m_nTenthsOfPoint, m_pszFace);
    pWnd->SetFont(&font, FALSE);
}
