// The message sink of the window layer: PostMessage from any thread queues an event to the
// user-interface thread, which looks the window up by its handle at delivery, so a message to a
// window destroyed in between is dropped; SendMessage calls the window at once.
#pragma once

#include "Messages.h"

#include <QObject>

class CQtMessageSink : public QObject, public IMessageSink {
public:
    // Lives on the thread that creates it, which becomes the user-interface thread.
    CQtMessageSink();
    ~CQtMessageSink() override;

    bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // User-interface thread only; from another thread nothing is delivered and 0 comes back.
    LRESULT Send(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool IsUiThread() override;

protected:
    void customEvent(QEvent* event) override;
};
