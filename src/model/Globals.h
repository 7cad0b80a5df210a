// Program-wide state of the parameter model that every layer reads.
// Texts are in Texts.h, curve colours in Colours.h, the speaker-type table in SpeakerTable.h.
#pragma once

#include <atomic>

#include "Sync.h"
#include "WinTypes.h"

#include <string>
#include <vector>

// 1 while the program's scene is in step with the device. Every setter copies it into the
// change stamp of its group, so edits made while it is 0 are never sent.
extern int g_bOnline;
// Language flag: nonzero Chinese, 0 English.
extern int g_bChinese;
// Link type: 0 none, 1 USB HID, 2 TCP, 3 serial. Atomic: the comm worker reads it without the lock.
extern std::atomic<int> g_nLinkType;
// The global lock: guards the send queue, the scene images and the data classes.
extern CCriticalSection g_csComm;

// Pending work for the change scanner (set by the main view, cleared by the scanner).
extern int g_bPendingSys5;    // send system sub-command 5
extern int g_bPendingSys2;    // send system sub-command 2
extern int g_bSendSceneName;  // send the live scene's name
// The live scene differs from the stored scene in use: set by the scanner and by whole-block
// writes of the live image, cleared when a scene or file is loaded or saved.
extern int g_bSceneModified;

// Link tables of the ten outputs: outputs with equal entries are linked. Every output starts
// in a group of its own; the scene object sets them again when it is built.
constexpr int LINK_CHANNELS = 10;
extern int g_nLinkGroup[LINK_CHANNELS];
extern int g_nOutputGroup[LINK_CHANNELS];  // page group (position link) per output
extern int g_bLRLink;      // the view's left/right link is on
extern int g_bAssignFlag;  // speaker types are locked (while the left/right link is on)
extern int g_bLRLinkCmd;   // the output page's left/right position link is on

// The one rule of the link tables, used by every page and dialog: outputs a and b (0..9) are
// linked when they are different outputs with equal g_nLinkGroup entries. Outside 0..9: never.
bool IsLinkedOutput(int a, int b);
// Takes output ch out of its link group: its entry becomes its own index (never 0, never a mask).
void LeaveLinkGroup(int ch);

// Curve switches of the equaliser graph: [0..9] overlay the curve of output i.
constexpr int SHOW_CURVE_COUNT = 12;
extern int g_bShowCurve[SHOW_CURVE_COUNT];

// Page state, changed on the user-interface thread.
extern int g_nCurPage;      // page the main view shows: 0 input, 1 output, 2 the third page
extern int g_nCurOutput;    // output channel 0..9 the output page edits
extern int g_nInputKind;    // input channel kind 0..2, copied from the system block
extern int g_nShownInput;   // input source kind the input page shows
// Whether the output page draws its equaliser-curve lines ("Line_Set", kept by the view).
extern int g_nLineSet;
extern int g_nDelayUnit;    // delay display unit of the pages: 1 ms, 2 cm, 3 inch
// Level-meter status byte per output (low nibble the lit count, 0x40/0x20/0x10 the top lamps).
extern int g_nMeterLevel[LINK_CHANNELS];

// Device link settings.
extern CString g_strUsbPath;            // path of the HID device in use or chosen
extern CString g_strDeviceIp;           // address of the processor on the network link
extern int g_nDevicePort;               // its TCP port, 8899
extern int g_nDeviceAddr;               // device address byte of every frame, always 1
extern CString g_strWifiName;           // network entry of the connect popup menu
extern CString g_strComPort;            // port the serial link opens ("NULL": none chosen)
extern CString g_strFirmwarePath;       // firmware file chosen for an update
extern CString g_strLanguage;           // saved interface language, "Chinese" or "English"
extern CString g_strAllPresetFilePath;  // all-scenes file written when a transfer ends

// Device paths of the matching HID devices of the last enumeration, and the copy taken when
// a device menu is built (menu entries USB1..USBn index into it).
extern std::vector<std::string> g_arrUsbDevices;
extern std::vector<std::string> g_arrUpgradeDevices;

// The HID reports: byte 0 the report id (always 0), bytes 1..64 frame bytes.
// The output report is used by the comm worker thread only.
constexpr int USB_REPORT_SIZE = 65;
constexpr int USB_REPORT_DATA = 64;
extern BYTE g_byUsbOutReport[USB_REPORT_SIZE];
extern BYTE g_byUsbInReport[USB_REPORT_SIZE];

// Status record of the serial link: [0] reply awaited, [1] frame complete, [5] frame failed its
// checks, [10..11] preamble seen, [12..13] count of empty receive polls; the rest unused.
constexpr int COMM_STATUS_SIZE = 14;
extern BYTE g_byCommStatus[COMM_STATUS_SIZE];
// Sets all 14 status bytes to 0 (whenever the send queue removes its head).
void ClearCommStatus();

// Performance-counter frequency in ticks per second, read at start-up.
extern LONGLONG g_liPerfFreq;
