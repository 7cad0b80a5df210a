#include "ShowTimedMessage.h"

#include "CMessageBox.h"

#include <utility>

namespace {

TimedMessageHook& Hook()
{
    static TimedMessageHook hook;  // user-interface thread
    return hook;
}

// The message-box handler that stands in while a hook is installed.
struct HookForwarder {
    int operator()(const CString& text, UINT, int nSelector) const
    {
        const TimedMessageHook hook = Hook();
        return hook ? hook(text, nSelector) : IDOK;
    }
};

struct Forwarding {
    bool active = false;
    MessageBoxHandler saved;  // the handler the forwarder replaced
};

Forwarding& Forward()
{
    static Forwarding f;  // user-interface thread
    return f;
}

}  // namespace

CString TimedMessageCaption(int nSelector, BOOL bChinese, const CString& caption)
{
    return CMessageBox::SelectorCaption(nSelector, bChinese, caption);
}

int TimedMessageCloseMs(int nSelector) { return CMessageBox::SelectorCloseMs(nSelector); }

int ShowTimedMessage(CWnd* pOwner, const CString& text, const CString&, UINT nType, BOOL, int nSelector)
{
    if (HasMessageBoxHandler())
        return AfxMessageBox(text, nType, nSelector);
    return RunMessageBox(pOwner, text, nType, nSelector);
}

TimedMessageHook SetTimedMessageHook(TimedMessageHook hook)
{
    TimedMessageHook previous = std::exchange(Hook(), std::move(hook));
    Forwarding& f = Forward();
    if (Hook() && !f.active) {
        f.saved = SetMessageBoxHandler(HookForwarder{});
        f.active = true;
    } else if (!Hook() && f.active) {
        MessageBoxHandler current = SetMessageBoxHandler(std::move(f.saved));
        // A handler installed while the hook was up stays: it is newer than the one saved.
        if (!current.target<HookForwarder>())
            SetMessageBoxHandler(std::move(current));
        f.saved = nullptr;
        f.active = false;
    }
    return previous;
}

const TimedMessageHook& CurrentTimedMessageHook() { return Hook(); }
