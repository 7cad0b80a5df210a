// The program's message box for the link and the view: a small modal dialog with the text and
// one row of standard buttons, captioned by a selector instead of a caption text.
//
// Selectors: 2000 "提示" / "Prompting" by the language argument, the box closes itself after
// 2000 ms; 2001 "警告" / "Warning", closes itself after 2001 ms; -2 "提示", -3 "Prompting",
// -4 "警告", -5 "Warning" (no automatic close). Any other selector takes the caption argument.
//
// Tests install a hook: the box is then not shown, the hook records (text, selector) and the
// call returns IDOK at once, so no test ever blocks in a modal loop.
// User-interface thread.
#pragma once

#include "WinDefs.h"

#include <functional>

class CWnd;

// Button sets of the type argument.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_TYPEMASK = 0x000F;

constexpr int TIMED_PROMPT = 2000;  // prompt caption, closes after 2000 ms
constexpr int TIMED_WARNING = 2001; // warning caption, closes after 2001 ms
constexpr int CAPTION_PROMPT_CN = -2;
constexpr int CAPTION_PROMPT_EN = -3;
constexpr int CAPTION_WARNING_CN = -4;
constexpr int CAPTION_WARNING_EN = -5;

// Shows text (UTF-8) modally over pOwner (may be null) and returns the button chosen (IDOK,
// IDCANCEL, IDYES, IDNO); a box that closes itself returns IDOK. bChinese picks the caption
// and button texts of the selectors 2000 and 2001 and the button texts.
int ShowTimedMessage(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, BOOL bChinese,
                     int nSelector);

// The caption a selector gives; the caption argument for any other selector.
CString TimedMessageCaption(int nSelector, BOOL bChinese, const CString& caption);
// Milliseconds after which the box closes itself; 0: it stays until a button is pressed.
int TimedMessageCloseMs(int nSelector);

using TimedMessageHook = std::function<int(const CString& text, int nSelector)>;
// Installs the hook (an empty function shows boxes again); returns the previous one.
TimedMessageHook SetTimedMessageHook(TimedMessageHook hook);
