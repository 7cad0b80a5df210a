// What the reply engine needs of the progress bars and of the firmware dialog's status line,
// without any window header: the bars and the line live in the window layers, which hand the
// engine an adapter through the pointers in LinkGlobals.h. It sits in the platform base, below
// both the link and the controls, so neither reaches sideways for it.
//
// The engine calls these on the comm worker thread (or the serial thread) while it holds
// g_csComm. An implementation must therefore never wait for the user-interface thread: it
// keeps the values it reports in its own thread-safe copy and posts every change of the
// widget to the user-interface thread. The owner sets and clears the global pointer under
// g_csComm, before the control is created and before it is destroyed, so the engine never
// reaches a control that is gone.
#pragma once

#include "WinTypes.h"

class ILinkProgress {
public:
    virtual ~ILinkProgress() = default;
    // New position in 0..upper (larger values are clamped to the upper bound); any thread.
    virtual void SetPos(int pos) = 0;
    // Current position and upper bound as last set; any thread, never blocks.
    virtual int GetPos() const = 0;
    virtual int GetUpper() const = 0;
};

class ILinkStatusText {
public:
    virtual ~ILinkStatusText() = default;
    // Replaces the shown text (UTF-8); any thread, never blocks.
    virtual void SetText(const CString& text) = 0;
};
