#include "CEnTabCtrl.h"

#include "CDC.h"
#include "WinApi.h"

DWORD g_dwTabLook = 0;

namespace {

constexpr COLORREF kSchemeTab = 0xDEA87F;   // unselected tabs of the second scheme
constexpr COLORREF kSchemeInert = 0xEEE4E3; // tab 3 of the second scheme

COLORREF Scale(COLORREF c, float f)
{
    auto ch = [f](int v) {
        const int r = int(v * f);
        return r >= 255 ? 255 : r;
    };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

}  // namespace

COLORREF Darker(COLORREF crBase, float fFactor)
{
    if (fFactor < 0.0f)
        fFactor = 0.0f;
    if (fFactor > 1.0f)
        fFactor = 1.0f;
    return Scale(crBase, fFactor);
}

COLORREF Lighter(COLORREF crBase, float fFactor)
{
    if (fFactor < 1.0f)
        fFactor = 1.0f;
    return Scale(crBase, fFactor);
}

CSize FitTextToWidth(CString& strText, CDC* pDC, int nWidth)
{
    CSize size = pDC->GetTextExtent(strText);
    if (size.cx <= nWidth)
        return size;
    // Drop whole characters (UTF-8) from the end until the rest and the ellipsis fit.
    CString head = strText;
    while (!head.empty()) {
        size_t cut = head.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(head[cut]) & 0xC0) == 0x80)
            --cut;
        head.erase(cut);
        size = pDC->GetTextExtent(head + "...");
        if (size.cx <= nWidth)
            break;
    }
    strText = head + "...";
    return pDC->GetTextExtent(strText);
}

CEnTabCtrl::CEnTabCtrl() : CBaseTabCtrl(TAB_DRAW_SYSTEM)
{
    m_fontCaption.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, FF_SWISS, "Microsoft Verdana");
}

CEnTabCtrl::~CEnTabCtrl() = default;

void CEnTabCtrl::SetLookFlags(BOOL bEnable, DWORD dwStyle) { g_dwTabLook = bEnable ? dwStyle : 0; }

void CEnTabCtrl::PreSubclassWindow()
{
    CBaseTabCtrl::PreSubclassWindow();
    if (g_dwTabLook)
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

COLORREF CEnTabCtrl::TabColor(BOOL bSelected)
{
    const DWORD look = g_dwTabLook;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (bSelected)
        return (look & ETC_SELECTION) ? ((look & ETC_COLOR) ? Lighter(0x000000, 1.9f) : Lighter(face, 1.4f)) : face;
    if ((look & ETC_BACKTABS) || !(look & ETC_FLAT)) {
        if (look & ETC_COLOR)
            return m_nDrawIndex == TAB_INERT_INDEX ? kSchemeInert : Darker(kSchemeTab, 0.9f);
        return Darker(face, 0.9f);
    }
    return BackColour();
}

COLORREF CEnTabCtrl::TabTextColor(BOOL bSelected)
{
    return bSelected ? Darker(0x0000FF, 0.9f) : Darker(0xFFFFFF, 0.9f);
}

void CEnTabCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    const int index = int(lpDrawItemStruct->itemID);
    const BOOL selected = index == GetCurSel();
    m_nDrawIndex = index;
    CRect rc = lpDrawItemStruct->rcItem;
    rc.bottom += selected ? -1 : 2;
    const COLORREF from = TabColor(selected);
    if ((g_dwTabLook & ETC_GRADIENT) && pDC->GetDeviceCaps(BITSPIXEL) > 15) {
        const COLORREF base = ((g_dwTabLook & ETC_COLOR) && m_crBack != TAB_BACK_SYSTEM) ? m_crBack
                                                                                        : GetSysColor(COLOR_BTNFACE);
        const COLORREF to = selected ? GetSysColor(COLOR_BTNFACE) : Darker(base, 0.7f);
        const int h = rc.Height();
        const int r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
        const int dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;
        for (int y = 0; y < h; y += 2) {
            const COLORREF band = RGB(r0 + y * dr / h, g0 + y * dg / h, b0 + y * db / h);
            pDC->FillSolidRect(CRect(rc.left, rc.top + y, rc.right, rc.top + y + 2), band);
        }
    } else {
        pDC->FillSolidRect(rc, from);
    }
    CRect text = rc;
    text.left += 3;
    text.top += 3 + (selected ? 1 : 0);
    pDC->SetBkMode(TRANSPARENT);
    char buf[100] = {};
    TCITEM item{TCIF_TEXT | TCIF_IMAGE, 0, 0, buf, int(sizeof buf), -1, 0};
    GetItem(index, &item);
    // The strip has no image list: no tab shows a picture.
    text.right -= 3;
    CString caption = buf;
    FitTextToWidth(caption, pDC, text.Width());
    CFont* oldFont = pDC->SelectObject(&m_fontCaption);
    pDC->SetTextColor(TabTextColor(selected));
    pDC->DrawText(caption, &text, DT_CENTER | DT_NOPREFIX);
    if (oldFont)
        pDC->SelectObject(oldFont);
}

void CEnTabCtrl::DrawStripFrame(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    const COLORREF base = TabColor(FALSE);
    pDC->Draw3dRect(lpDrawItemStruct->rcItem, Lighter(base, 1.5f), Darker(base, 0.75f));
}

void CEnTabCtrl::DrawItemFrame(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    const BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    CRect rc = lpDrawItemStruct->rcItem;
    const COLORREF base = TabColor(selected);
    const COLORREF light = Lighter(base, 1.5f);
    const COLORREF dark = Darker(base, 0.75f);
    auto fill = [pDC](int l, int t, int r, int b, COLORREF c) {
        if (r > l && b > t)
            pDC->FillSolidRect(CRect(l, t, r, b), c);
    };
    if (selected || (g_dwTabLook & ETC_BACKTABS)) {
        rc.bottom += selected ? -1 : 1;
        switch (lpDrawItemStruct->itemID) {
        case TAB_INERT_INDEX: break;  // no frame
        case 0:
        case 4:
            fill(rc.left, rc.top, rc.left + 4, rc.bottom, dark);
            fill(rc.left, rc.top, rc.right, rc.top + 1, dark);
            fill(rc.right - 3, rc.top, rc.right, rc.bottom, dark);
            break;
        case 9:
            fill(rc.left, rc.top, rc.left + 3, rc.bottom, light);
            fill(rc.left, rc.top, rc.right, rc.top + 1, light);
            break;
        default:
            fill(rc.left, rc.top, rc.left + 4, rc.bottom, light);
            fill(rc.left, rc.top, rc.right, rc.top + 1, light);
            fill(rc.right - 4, rc.top, rc.right, rc.bottom, dark);
            break;
        }
    } else {
        fill(rc.left - 6, rc.top, rc.left, rc.bottom, dark);
        fill(rc.right - 1, rc.top, rc.right, rc.bottom, dark);
    }
}
