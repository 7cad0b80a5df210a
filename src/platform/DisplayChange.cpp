#include "DisplayChange.h"

#include "CWnd.h"
#include "CWndWidget.h"
#include "WindowRegistry.h"

#include <QGuiApplication>
#include <QApplication>
#include <QScreen>

#include <vector>

void BroadcastDisplayChange()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize();
    const WPARAM depth = screen ? WPARAM(screen->depth()) : 0;
    // Handles first: a handler may create or destroy windows.
    std::vector<HWND> targets;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* ww = dynamic_cast<CWndWidget*>(w); ww && ww->Owner())
            targets.push_back(ww->Owner()->m_hWnd);
    for (HWND h : targets)
        if (CWnd* wnd = WindowRegistry::Lookup(h))
            wnd->SendMessage(WM_DISPLAYCHANGE, depth, MAKELPARAM(size.width(), size.height()));
}

namespace {

void WatchScreen(QScreen* screen)
{
    QObject::connect(screen, &QScreen::geometryChanged, qApp, [] { BroadcastDisplayChange(); });
}

}  // namespace

void WatchDisplayChanges()
{
    static QGuiApplication* watched = nullptr;  // the application already listened to
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || app == watched)
        return;
    watched = app;
    for (QScreen* s : QGuiApplication::screens())
        WatchScreen(s);
    QObject::connect(app, &QGuiApplication::screenAdded, app, [](QScreen* s) {
        WatchScreen(s);
        BroadcastDisplayChange();
    });
    QObject::connect(app, &QGuiApplication::screenRemoved, app, [] { BroadcastDisplayChange(); });
    QObject::connect(app, &QGuiApplication::primaryScreenChanged, app, [] { BroadcastDisplayChange(); });
}
