// The program's own texts: captions, versions, messages in both languages (the language flag
// g_bChinese picks one when a text is shown), file extensions and dialog filters, and the
// small text formatters. All UTF-8; read-only after start-up, so any thread may read them.
#pragma once

#include "WinTypes.h"

// File extensions and open/save filters ("|" separated, the file dialogs' form).
extern const CString g_strPresetExt;         // one scene
extern const CString g_strPresetFilter;
extern const CString g_strAllPresetExt;      // all six scenes
extern const CString g_strAllPresetFilter;
extern const CString g_strMapExt;            // output map
extern const CString g_strMapFilter;
extern const CString g_strFirmwareExt;       // firmware image
extern const CString g_strFirmwareFilter;

// Main window title and caption of every skinned message box.
extern const CString g_strProductName;
extern const CString g_strSoftwareVersionCn;
extern const CString g_strSoftwareVersionEn;

// Message texts, Chinese and English.
extern const CString g_strUsbFailCn;         // two lines
extern const CString g_strUsbFailEn;
extern const CString g_strWifiFailCn;        // two lines
extern const CString g_strWifiFailEn;
extern const CString g_strRestoreEqCn;
extern const CString g_strRestoreEqEn;
extern const CString g_strBypassEqCn;
extern const CString g_strBypassEqEn;
extern const CString g_strResetEqCn;
extern const CString g_strResetEqEn;
extern const CString g_strPeqToGeqCn;
extern const CString g_strPeqToGeqEn;
extern const CString g_strGeqToPeqCn;
extern const CString g_strGeqToPeqEn;
extern const CString g_strNotConnectedCn;
extern const CString g_strNotConnectedEn;
extern const CString g_strConnectedCn;
extern const CString g_strConnectedEn;
extern const CString g_strPromptCn;          // caption of question and information boxes
extern const CString g_strPromptEn;
extern const CString g_strWarnCn;            // caption of warning boxes
extern const CString g_strWarnEn;
extern const CString g_strWifiResetOkCn;
extern const CString g_strWifiResetOkEn;
extern const CString g_strWifiResetFailCn;
extern const CString g_strWifiResetFailEn;

// value in the radix (2..36) in upper case, as the C library's integer-to-text conversion
// writes it: radix 10 signed, every other radix the 32-bit pattern unsigned; radix 16 is padded
// with "0" on the left to 4 digits. Empty for a radix outside 2..36. Reentrant.
CString IntToRadixText(int value, int radix);

// ticks of the performance counter as seconds, "延时(秒)=%f " (six decimals, one trailing blank),
// for the transmit and receive log.
CString FormatElapsedSeconds(LONGLONG ticks);
