#include "CPassWordEdit.h"

bool CPassWordEdit::IsAllowedChar(UINT nChar)
{
    return nChar == 8 || (nChar >= '0' && nChar <= '9') || (nChar >= 'A' && nChar <= 'Z') ||
           (nChar >= 'a' && nChar <= 'z');
}

void CPassWordEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (IsAllowedChar(nChar))
        Default();
}
