// Texts of the firmware update, Chinese and English (g_bChinese picks one). UTF-8, read-only,
// so any thread may read them. The status-line texts of the answered steps are in LinkTexts.h.
#pragma once

#include "WinTypes.h"

extern const CString g_strUpdateFileErrorCn;  // the file cannot be read or is not an update file
extern const CString g_strUpdateFileErrorEn;
extern const CString g_strHexUsbCn;           // the loader entry goes out over USB
extern const CString g_strHexUsbEn;
extern const CString g_strHexNetCn;           // the loader entry goes out over the network
extern const CString g_strHexNetEn;
extern const CString g_strHexEraseCn;         // the DSP image is being erased
extern const CString g_strHexEraseEn;
extern const CString g_strUpdateFailedCn;     // the update ended without success
extern const CString g_strUpdateFailedEn;
extern const CString g_strUpdateFailedBangCn; // the same, with "!" (abandon, reconnect given up)
extern const CString g_strUpdateFailedBangEn;

// The text of the current language.
const CString& FirmwareText(const CString& cn, const CString& en);
