// Texts the link shows in the firmware update dialog's status line, Chinese and English
// (g_bChinese picks one). UTF-8, read-only, so any thread may read them.
#pragma once

#include "WinTypes.h"

extern const CString g_strHexApplyCn;    // the loader accepted the update
extern const CString g_strHexApplyEn;
extern const CString g_strHexDataCn;     // image blocks are being written
extern const CString g_strHexDataEn;
extern const CString g_strHexDoneCn;     // the update has finished
extern const CString g_strHexDoneEn;
