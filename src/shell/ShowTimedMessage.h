// Short notices and questions of the view and the link, shown in the program's message box
// (CMessageBox), and the test hook that intercepts every box of the program.
//
// Selectors (the box's third argument): 2000 "提示" / "Prompting" by g_bChinese, the box closes
// itself after 2000 ms; 2001 "警告" / "Warning", closes itself after 2001 ms; -2 "提示",
// -3 "Prompting", -4 "警告", -5 "Warning" whatever the language (no automatic close); any other
// positive n takes the product name and closes after n ms; 0 and other negatives take the
// product name and stay until answered.
//
// User-interface thread.
#pragma once

#include "MessageBox.h"

#include <functional>

class CWnd;

constexpr int TIMED_PROMPT = 2000;  // prompt caption, closes after 2000 ms
constexpr int TIMED_WARNING = 2001; // warning caption, closes after 2001 ms
constexpr int CAPTION_PROMPT_CN = -2;
constexpr int CAPTION_PROMPT_EN = -3;
constexpr int CAPTION_WARNING_CN = -4;
constexpr int CAPTION_WARNING_EN = -5;

// Shows text (UTF-8) modally and returns the answer (IDOK, IDCANCEL, IDYES, IDNO; a box that
// closes itself gives its type's time-out answer: IDOK for MB_OK, IDNO for MB_YESNO). The box
// goes through the installed message-box handler (AfxMessageBox) when there is one, else it is
// run here over pOwner. The caption comes from the selector, the button texts from g_bChinese:
// caption and bChinese are not used (the caller picks the text's language itself).
int ShowTimedMessage(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, BOOL bChinese,
                     int nSelector);

// The caption a selector gives under that language; the caption argument for any other selector.
CString TimedMessageCaption(int nSelector, BOOL bChinese, const CString& caption);
// Milliseconds after which the box closes itself; 0: it stays until it is answered.
int TimedMessageCloseMs(int nSelector);

// Test hook: while one is installed no box is shown; every box of the program (RunMessageBox,
// AfxMessageBox, ShowTimedMessage, CMessageBox::DoModal) calls it with (text, selector) and
// answers what it returns, so no test ever blocks in a modal loop.
using TimedMessageHook = std::function<int(const CString& text, int nSelector)>;
// Installs the hook (an empty function shows boxes again); returns the previous one. While a
// hook is installed AfxMessageBox reaches it even when the application has no handler; the
// handler installed before is put back when the hook goes.
TimedMessageHook SetTimedMessageHook(TimedMessageHook hook);
// The hook installed now (empty when none).
const TimedMessageHook& CurrentTimedMessageHook();
