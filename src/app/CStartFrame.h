// The program's top-level window until the main frame exists: titled with the product name,
// it ends the program when it is closed.
#pragma once

#include "CWnd.h"

class CStartFrame : public CWnd {
public:
    BOOL CreateFrame();

protected:
    void OnDestroy() override;
};
