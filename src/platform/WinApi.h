// Small services of the window system: system colours, key and pointer state, ending the loop.
// User-interface thread.
#pragma once

#include "WinDefs.h"

#include <functional>

// The classic Windows colour of a COLOR_* index; black for an unknown index.
COLORREF GetSysColor(int nIndex);
// Bit 15 set (negative) while the key is down: the mouse buttons, and any key pressed in one of
// the program's windows and not yet released (a modifier already during its own WM_KEYDOWN).
short GetKeyState(int nVirtKey);
BOOL GetCursorPos(LPPOINT lpPoint);
// Moves the pointer to the screen point (x, y), the coordinates GetCursorPos reports. FALSE
// when there is no screen to move it on.
BOOL SetCursorPos(int x, int y);
// Ends the user-interface loop with the exit code, once the current message is handled.
void PostQuitMessage(int nExitCode);

// SPI_GETWORKAREA: pvParam is a RECT* that receives the screen less the task bar (the primary
// screen's available area). Other actions are not supported (FALSE).
constexpr UINT SPI_GETWORKAREA = 0x0030;
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

// SM_CXVSCROLL: width of a vertical scroll bar; SM_CYHSCROLL: height of a horizontal one;
// SM_CXSCREEN / SM_CYSCREEN: size of the primary screen.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
// SM_CXBORDER / SM_CYBORDER: a thin border (1); SM_CXEDGE / SM_CYEDGE: a 3-D edge (2).
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
int GetSystemMetrics(int nIndex);

// Locale identifiers: the language and country of a locale as one number (0x0804 simplified
// Chinese in China, 0x0409 English in the United States, ...).
typedef DWORD LCID;
constexpr LCID LOCALE_ZH_CN = 0x0804;
constexpr LCID LOCALE_EN_US = 0x0409;
constexpr LCID LOCALE_UNKNOWN = 0x1000;  // a locale without a number of its own
// The identifier of a locale name such as "zh_CN", "en_US.UTF-8" or "de-DE"; LOCALE_UNKNOWN for
// a name this table does not know ("C", "POSIX", "" included).
LCID LcidFromLocaleName(const CString& name);
// The user's locale (the environment's LC_ALL, LC_MESSAGES... LANG, as Qt reads them).
LCID GetSystemDefaultLCID();

// The system's alert sound (any type).
BOOL MessageBeep(UINT uType);

// Opens a file or address with the desktop's handler for it (verb "open" or null). Returns a
// value above 32 on success, as the program checks it. Headless (offscreen) there is no desktop
// and nothing opens. Tests replace the opener so that nothing ever leaves the machine.
HINSTANCE ShellExecute(HWND hWnd, LPCTSTR lpOperation, LPCTSTR lpFile, LPCTSTR lpParameters, LPCTSTR lpDirectory,
                       int nShowCmd);
// The opener ShellExecute uses (verb, file; true when opened); an empty function restores the
// desktop's. Returns the previous one.
using ShellOpener = std::function<bool(const CString& verb, const CString& file)>;
ShellOpener SetShellOpener(ShellOpener opener);
