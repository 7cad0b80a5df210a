#include "Messages.h"

#include <atomic>
#include <cassert>

namespace {
std::atomic<IMessageSink*> g_sink{nullptr};
}

IMessageSink* MessageSink::Install(IMessageSink* sink) { return g_sink.exchange(sink); }

IMessageSink* MessageSink::Get() { return g_sink.load(); }

BOOL PostMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    IMessageSink* sink = g_sink.load();
    if (!sink || !hWnd)
        return FALSE;
    return sink->Post(hWnd, msg, wParam, lParam) ? TRUE : FALSE;
}

LRESULT SendMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    IMessageSink* sink = g_sink.load();
    if (!sink || !hWnd)
        return 0;
    assert(sink->IsUiThread() && "SendMessage from a worker thread");
    return sink->Send(hWnd, msg, wParam, lParam);
}
