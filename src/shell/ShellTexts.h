// Texts of the shell's link messages and the program's version tag. UTF-8, read-only.
#pragma once

#include "FirmwareTexts.h"
#include "WinTypes.h"

extern const CString g_strNoLinkCn;         // neither a free USB device nor the network
extern const CString g_strNoLinkEn;
extern const CString g_strNeedFirmwareCn;   // the device answered with an empty data reply
extern const CString g_strNeedFirmwareEn;
extern const CString g_strCustomNameCn;     // "自定义": the custom scene's name shown in Chinese

// The PC preset files' error messages (Chinese with caption selector -2, English with -3).
extern const CString g_strSaveSceneFileErrCn;
extern const CString g_strSaveSceneFileErrEn;
extern const CString g_strReadSceneFileErrCn;
extern const CString g_strReadSceneFileErrEn;
extern const CString g_strSaveAllFileErrCn;
extern const CString g_strSaveAllFileErrEn;
extern const CString g_strReadAllFileErrCn;
extern const CString g_strReadAllFileErrEn;
extern const CString g_strSaveMapErrCn;
extern const CString g_strSaveMapErrEn;
extern const CString g_strReadMapErrCn;
extern const CString g_strReadMapErrEn;

// The program's version tag: characters 0..6 are the product prefix, character 7 the major
// version digit. A device must report the same prefix and major digit; minor versions are free.
extern const char* const g_szProgramVersion;
constexpr int VERSION_PREFIX_LENGTH = 7;
constexpr int VERSION_MAJOR_POS = 7;

// The message that explains which versions work together, for the program's major digit P and
// the device's D. A character that is not a digit counts as 0. P above D (or equal): the device
// is older; below: the program is older.
CString VersionMismatchText(char cProgramMajor, char cDeviceMajor, BOOL bChinese);
