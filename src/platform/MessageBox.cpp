#include "MessageBox.h"

#include <utility>

namespace {
MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;  // user-interface thread
    return handler;
}
}  // namespace

int AfxMessageBox(const CString& text, UINT nType, int nSelector)
{
    // A copy: the handler may install another one while its box is up.
    const MessageBoxHandler h = Handler();
    return h ? h(text, nType, nSelector) : IDOK;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler h) { return std::exchange(Handler(), std::move(h)); }

BOOL HasMessageBoxHandler() { return Handler() ? TRUE : FALSE; }
