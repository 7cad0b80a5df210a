// The device popup that the connect button and the firmware dialog's update button share:
// USB1 .. USBn (ids from ID_USB_DEVICE_FIRST), then, when the network can be reached, the
// device address (ID_CONNECT_NET). User-interface thread.
#pragma once

#include "CMenu.h"
#include "CWnd.h"

// Fills an empty popup with nDevices USB entries (at most as many as the id range holds) and,
// with bNet, the network entry.
void BuildDevicePopup(CMenu& popup, int nDevices, BOOL bNet);
// Opens the popup at the left edge of pButton, 2 pixels below it (below pOwner when the button
// has no window); its commands go to pOwner.
void TrackPopupBelow(CMenu* pPopup, CWnd* pButton, CWnd* pOwner);
