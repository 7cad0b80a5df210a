// The network-address field: one edit line that holds a dotted IPv4 address ("a.b.c.d", each
// part 0..255). It takes digits and dots only; the parent hears EN_CHANGE as the field-changed
// notice. User-interface thread.
#pragma once

#include "CEdit.h"

class CIPAddressCtrl : public CEdit {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Shows the address text as it is.
    void SetAddress(const CString& strAddress) { SetWindowText(strAddress); }
    CString GetAddress() const { return GetWindowText(); }
    // TRUE when the text is a dotted IPv4 address; the canonical text (no leading zeros,
    // no blanks) in *pCanonical when given.
    BOOL GetValidAddress(CString* pCanonical = nullptr) const;
    // The same rule for any text.
    static BOOL ParseAddress(const CString& strText, CString* pCanonical = nullptr);

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
};
