#include "CStartFrame.h"

#include "Texts.h"
#include "WinApi.h"

BOOL CStartFrame::CreateFrame()
{
    SetBackgroundColor(GetSysColor(COLOR_BTNFACE));
    return CreateEx(0, nullptr, g_strProductName.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    CRect(100, 100, 100 + 1024, 100 + 700), nullptr, 0);
}

void CStartFrame::OnDestroy()
{
    CWnd::OnDestroy();
    PostQuitMessage(0);
}
