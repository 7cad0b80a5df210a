// The program's message-box call. Every box, the program's own and the platform's, goes through
// AfxMessageBox, which hands it to the handler the application installs (its skinned dialog).
// Without a handler nothing is shown and the answer is IDOK, so the window layer never blocks
// on its own.
//
// nSelector is the program's third argument: it picks the caption and whether the box closes by
// itself (-2 / -3 prompt caption in Chinese / English, -4 / -5 warning caption, 2000 / 2001
// caption by the language flag and closing after that many ms, 0 the product name).
// User-interface thread.
#pragma once

#include "WinDefs.h"

#include <functional>

// Button sets (the low four bits of the type).
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_CANCELTRYCONTINUE = 0x0006;
constexpr UINT MB_TYPEMASK = 0x000F;

// Icon kinds (bits 4..7). The program's own boxes never set one.
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x00F0;

// Shows text (UTF-8) through the installed handler and returns its answer (IDOK, IDCANCEL,
// IDYES, IDNO); IDOK when no handler is installed.
int AfxMessageBox(const CString& text, UINT nType = MB_OK, int nSelector = 0);

using MessageBoxHandler = std::function<int(const CString& text, UINT nType, int nSelector)>;
// Installs the handler (an empty function removes it); returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler h);
// TRUE while a handler is installed.
BOOL HasMessageBoxHandler();
