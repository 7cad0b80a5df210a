// The machine's serial ports as the link choice and firmware dialogs list them.
//
// The ports come from the platform's port list (SerialDevice::ListPorts), which on this
// system names every real tty and never a pseudo-terminal; the listing cannot fail, so no
// error text is ever thrown. Display name: the port's name ("ttyUSB0"); USB flag: the port has
// USB ids or its description says "USB"; description: the device's own, else the display name
// without a trailing " (...)".
#pragma once

#include "SerialDevice.h"
#include "WinTypes.h"

#include <functional>
#include <vector>

struct ComPortInfo {
    CString strDevPath;       // what the port is opened by ("/dev/ttyUSB0")
    CString strPortName;      // "ttyUSB0"
    CString strFriendlyName;  // the display name
    BOOL bUsbDevice = FALSE;
    CString strPortDesc;
};

// Empties list and fills it with the machine's ports, in name order. With bIgnoreBusyPorts a
// port that cannot be opened exclusively now is left out.
void EnumComPorts(std::vector<ComPortInfo>& list, BOOL bIgnoreBusyPorts);
// The same over a given port list; canOpen answers whether a path can be opened now.
void EnumComPortsFrom(const std::vector<SerialPortEntry>& ports, std::vector<ComPortInfo>& list,
                      BOOL bIgnoreBusyPorts, const std::function<bool(const CString& path)>& canOpen);
