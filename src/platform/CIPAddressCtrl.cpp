#include "CIPAddressCtrl.h"

#include <string>

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CEdit::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    LimitText(15);  // "255.255.255.255"
    return TRUE;
}

BOOL CIPAddressCtrl::ParseAddress(const CString& strText, CString* pCanonical)
{
    const std::string& text = strText;
    std::string canonical;
    int parts = 0;
    size_t i = 0;
    while (true) {
        size_t start = i;
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + (text[i] - '0');
            if (value > 255)
                return FALSE;
            ++i;
        }
        if (i == start || i - start > 3)
            return FALSE;
        canonical += std::to_string(value);
        ++parts;
        if (i == text.size())
            break;
        if (text[i] != '.' || parts == 4)
            return FALSE;
        canonical += '.';
        ++i;
    }
    if (parts != 4)
        return FALSE;
    if (pCanonical)
        *pCanonical = canonical;
    return TRUE;
}

BOOL CIPAddressCtrl::GetValidAddress(CString* pCanonical) const
{
    return ParseAddress(GetAddress(), pCanonical);
}

void CIPAddressCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Digits, dots and the editing keys only.
    if ((nChar >= '0' && nChar <= '9') || nChar == '.' || nChar < 0x20)
        CEdit::OnChar(nChar, nRepCnt, nFlags);
}
