#include "ShellModelUi.h"

#include "CWnd.h"
#include "MessageBox.h"

void CShellModelUi::MessageBoxOk(const CString& strText, int nSelector)
{
    AfxMessageBox(strText, MB_OK, nSelector);
}

void CShellModelUi::InvalidateWindow(HWND hWnd)
{
    if (CWnd* pWnd = CWnd::FromHandle(hWnd))
        pWnd->InvalidateRect(nullptr);
}
