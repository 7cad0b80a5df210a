#include "DevicePopup.h"

#include "CKRV330View.h"
#include "Globals.h"

#include <algorithm>
#include <string>

void BuildDevicePopup(CMenu& popup, int nDevices, BOOL bNet)
{
    const int count = std::min(nDevices, int(ID_USB_DEVICE_LAST - ID_USB_DEVICE_FIRST) + 1);
    for (int i = 0; i < count; ++i)
        popup.AppendMenu(MF_STRING, ID_USB_DEVICE_FIRST + UINT(i), ("USB" + std::to_string(i + 1)).c_str());
    if (bNet)
        popup.AppendMenu(MF_STRING, ID_CONNECT_NET, g_strDeviceIp.c_str());
}

void TrackPopupBelow(CMenu* pPopup, CWnd* pButton, CWnd* pOwner)
{
    CRect rc;
    if (pButton && pButton->GetSafeHwnd())
        pButton->GetWindowRect(&rc);
    else
        pOwner->GetWindowRect(&rc);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + 2, pOwner);
}
