#include "QtMessageSink.h"

#include "CWnd.h"
#include "WindowRegistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace {

const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());

struct PostedMessageEvent : QEvent {
    PostedMessageEvent(HWND h, UINT m, WPARAM w, LPARAM l)
        : QEvent(kPostedMessage), hWnd(h), msg(m), wParam(w), lParam(l)
    {
    }
    HWND hWnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

}  // namespace

CQtMessageSink::CQtMessageSink() = default;

CQtMessageSink::~CQtMessageSink() = default;

bool CQtMessageSink::Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!WindowRegistry::Exists(hWnd))
        return false;
    QCoreApplication::postEvent(this, new PostedMessageEvent(hWnd, msg, wParam, lParam));
    return true;
}

LRESULT CQtMessageSink::Send(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsUiThread())
        return 0;
    CWnd* pWnd = WindowRegistry::Lookup(hWnd);
    return pWnd ? pWnd->SendMessage(msg, wParam, lParam) : 0;
}

bool CQtMessageSink::IsUiThread() { return QThread::currentThread() == thread(); }

void CQtMessageSink::customEvent(QEvent* event)
{
    if (event->type() != kPostedMessage)
        return;
    auto* e = static_cast<PostedMessageEvent*>(event);
    if (CWnd* pWnd = WindowRegistry::Lookup(e->hWnd))
        pWnd->SendMessage(e->msg, e->wParam, e->lParam);
}
