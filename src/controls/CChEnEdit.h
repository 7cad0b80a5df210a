// The name field for mixed Chinese and ASCII names. The device stores names as double-byte code
// page bytes in a fixed number of bytes, so the field counts two units for every non-ASCII
// character (its limit is a byte limit) and, with double-byte alignment on, keeps each such
// character on an even byte offset by putting a blank in front of it: when one is typed after an
// odd number of bytes, and over the whole text when the field loses the focus.
// User-interface thread.
#pragma once

#include "CEdit.h"

class CChEnEdit : public CEdit {
public:
    void SetDbcsAlign(BOOL bAlign) { m_bDbcsAlign = bAlign; }
    BOOL GetDbcsAlign() const { return m_bDbcsAlign; }

    // The alignment pass: a double-byte character met after an odd number of single-byte
    // characters (counted since the last blank put in) gets a blank in front of it.
    static CString AlignDoubleByte(const CString& strText);

protected:
    int CharUnits(char32_t c) const override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKillFocus(CWnd* pNewWnd) override;

private:
    BOOL m_bDbcsAlign = TRUE;
};
