#include "CDropListBox.h"

#include "CWindowDC.h"

namespace {
constexpr COLORREF kField = 0x32221B;
constexpr COLORREF kHighlight = 0x8A850D;
}  // namespace

CDropListBox::CDropListBox() = default;
CDropListBox::~CDropListBox() = default;

int CDropListBox::OnCreate(LPCREATESTRUCT)
{
    m_pen.CreatePen(PS_SOLID, 1, kField);
    m_brushBack.CreateSolidBrush(kField);
    m_brushHighlight.CreateSolidBrush(kHighlight);
    SetItemHeight(0, 16);
    return int(Default());
}

int CDropListBox::AddString(LPCTSTR lpszItem)
{
    if (GetCount() == 0)
        m_nGroups = 1;
    if (GetCount() == 1)
        CListBox::SetCurSel(m_nSelIndex);
    m_entries.push_back(std::make_unique<DropEntry>());
    m_pCurrent = m_entries.back().get();
    return CListBox::InsertString(-1, lpszItem);
}

int CDropListBox::AddGroupString(LPCTSTR lpszItem, int nGroup, COLORREF clrText, COLORREF clrHighlight)
{
    if (nGroup > m_nGroups + 1)
        return -1;
    auto entry = std::make_unique<DropEntry>();
    entry->clrText = clrText;
    entry->clrHighlight = clrHighlight;
    if (nGroup == m_nGroups + 1) {
        ++m_nGroups;
        entry->bHeader = 1;
    }
    m_entries.push_back(std::move(entry));
    m_pCurrent = m_entries.back().get();
    return CListBox::InsertString(-1, lpszItem);
}

int CDropListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    if (nIndex < -1 || nIndex > GetCount())
        return LB_ERR;
    if (GetCount() == 0)
        m_nGroups = 1;
    if (GetCount() == 1)
        CListBox::SetCurSel(m_nSelIndex);
    const int at = nIndex == -1 ? GetCount() : nIndex;
    m_entries.insert(m_entries.begin() + at, std::make_unique<DropEntry>());
    m_pCurrent = m_entries[size_t(at)].get();
    return CListBox::InsertString(at, lpszItem);
}

int CDropListBox::DeleteString(UINT nIndex)
{
    if (nIndex >= UINT(GetCount()))
        return -1;
    if (!m_entries[nIndex]->bHeader) {
        m_entries.erase(m_entries.begin() + nIndex);
        m_pCurrent = nullptr;
        return CListBox::DeleteString(nIndex);
    }
    // A header goes with its group, up to the next header.
    --m_nGroups;
    do {
        m_entries.erase(m_entries.begin() + nIndex);
        CListBox::DeleteString(nIndex);
    } while (nIndex < m_entries.size() && !m_entries[nIndex]->bHeader);
    m_pCurrent = nullptr;
    return 1;
}

void CDropListBox::ResetContent()
{
    m_entries.clear();
    m_pCurrent = nullptr;
    m_nGroups = 0;
    m_nSelIndex = 0;
    CListBox::ResetContent();
}

void CDropListBox::SetFont(CFont* pFont, BOOL bRedraw)
{
    if (m_pFont || !pFont)
        return;
    m_pFont = pFont;
    LOGFONT lf{};
    pFont->GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontHeader.CreateFontIndirect(&lf);
    CListBox::SetFont(pFont, bRedraw);
    if (lf.lfHeight > 0)
        SetItemHeight(0, UINT(lf.lfHeight));
}

void CDropListBox::SetColors(COLORREF clr)
{
    m_pen.DeleteObject();
    m_pen.CreatePen(PS_SOLID, 1, clr);
    m_brushBack.DeleteObject();
    m_brushBack.CreateSolidBrush(clr);
    RedrawWindow();
}

void CDropListBox::SetHighlightColor(COLORREF clr)
{
    m_brushHighlight.DeleteObject();
    m_brushHighlight.CreateSolidBrush(clr);
    RedrawWindow();
}

const DropEntry* CDropListBox::GetEntry(int nIndex) const
{
    return nIndex >= 0 && nIndex < int(m_entries.size()) ? m_entries[size_t(nIndex)].get() : nullptr;
}

void CDropListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (int(lpDrawItemStruct->itemID) < 0)
        return;
    DrawEntry(CDC::FromHandle(lpDrawItemStruct->hDC), int(lpDrawItemStruct->itemID), lpDrawItemStruct->rcItem,
              (lpDrawItemStruct->itemState & (ODS_FOCUS | ODS_SELECTED)) != 0);
}

void CDropListBox::DrawEntry(CDC* pDC, int nIndex, const CRect& rcItem, bool bHighlighted)
{
    const DropEntry* entry = GetEntry(nIndex);
    if (!pDC || !entry)
        return;
    m_pCurrent = entry;
    GetText(nIndex, m_strText);
    CRect rc = rcItem;
    rc.InflateRect(1, 1);
    CPen* oldPen = pDC->SelectObject(&m_pen);
    CBrush* oldBrush = pDC->SelectObject(&m_brushBack);
    pDC->SetTextColor(entry->clrText);
    if (bHighlighted && !entry->bHeader) {
        pDC->SelectObject(&m_brushHighlight);
        pDC->SetTextColor(entry->clrHighlight);
    }
    pDC->Rectangle(&rc);
    pDC->SetBkMode(TRANSPARENT);
    CRect text(4, rcItem.top, rcItem.right - 5, rcItem.bottom);
    if (!entry->bHeader) {
        if (m_pFont)
            pDC->SelectObject(m_pFont);
        pDC->DrawText(m_strText, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    } else {
        pDC->SelectObject(&m_fontHeader);
        pDC->DrawText(m_strText, &text, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
        pDC->DrawText(m_strText, &text, DT_CENTER | DT_SINGLELINE);
        CPen rule(PS_SOLID, 1, entry->clrText);
        pDC->SelectObject(&rule);
        const int y = text.top + text.Height() / 2;
        pDC->MoveTo(text.right + 2, y);
        pDC->LineTo(m_rcClient.Width() - 2, y);
    }
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

HBRUSH CDropListBox::CtlColor(CDC*, UINT) { return m_brushBack; }

void CDropListBox::OnMouseMove(UINT, CPoint point)
{
    // The highlight follows the pointer, without a notice.
    for (int i = 0; i < GetCount(); ++i) {
        CRect rc;
        GetItemRect(i, &rc);
        if (rc.PtInRect(point)) {
            CListBox::SetCurSel(i);
            break;
        }
    }
    Default();
}

void CDropListBox::OnKillFocus(CWnd*)
{
    Default();
    if (CWnd* popup = GetParent())
        popup->ShowWindow(SW_HIDE);
}

void CDropListBox::OnSize(UINT, int, int)
{
    Default();
    GetClientRect(&m_rcClient);
}
