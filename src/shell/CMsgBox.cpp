#include "CMsgBox.h"

#include "KeyStroke.h"
#include "MessageBox.h"

BOOL CMsgBox::CreateHidden(CWnd* pParent)
{
    if (m_bCreated)
        return GetSafeHwnd() != nullptr;
    if (!Create(nullptr, "{62BAB41D-B6BB-402C-89EF-5B86830DF68C}", WS_CHILD, CRect(0, 0, 0, 0), pParent,
                CMSGBOX_ID))
        return FALSE;
    m_bCreated = 1;
    return TRUE;
}

int CMsgBox::ShowAutoClose(const CString& text)
{
    SetTimer(CMSGBOX_TIMER, CMSGBOX_DELAY_MS);
    const int answer = AfxMessageBox(text, MB_OK, 0);
    KillTimer(CMSGBOX_TIMER);
    return answer;
}

void CMsgBox::PressEnter() { PressKeyInFocusWindow(VK_RETURN); }

void CMsgBox::OnTimer(UINT_PTR)
{
    PressEnter();
    KillTimer(CMSGBOX_TIMER);
}
