// An edit that takes only backspace, digits and ASCII letters. No window of the program creates
// one. User-interface thread.
#pragma once

#include "CEdit.h"

class CPassWordEdit : public CEdit {
public:
    static bool IsAllowedChar(UINT nChar);

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
};
