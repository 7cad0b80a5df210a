// The model's way to the screen while the program runs: its boxes go through the program's
// message box, its invalidations to the window they name. Installed by the application for
// the whole run (user-interface thread only, like the model's calls).
#pragma once

#include "ModelUi.h"

class CShellModelUi : public IModelUi {
public:
    void MessageBoxOk(const CString& strText, int nSelector) override;
    // A handle that names no live window is ignored.
    void InvalidateWindow(HWND hWnd) override;
};
