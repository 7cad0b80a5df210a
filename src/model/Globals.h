// Program-wide state of the parameter model that every layer reads.
// (More of the program-wide globals are added here as their code arrives.)
#pragma once

#include "Sync.h"
#include "WinTypes.h"

// 1 while the program's scene is in step with the device. Every setter copies it into the
// change stamp of its group, so edits made while it is 0 are never sent.
extern int g_bOnline;
// Language flag: nonzero Chinese, 0 English.
extern int g_bChinese;
// Link type: 0 none, 1 USB HID, 2 TCP, 3 serial.
extern int g_nLinkType;
// The global lock: guards the send queue, the scene images and the data classes.
extern CCriticalSection g_csComm;
