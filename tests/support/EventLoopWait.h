// Runs the user-interface event loop until a condition holds (GUI test programs).
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

// False if the condition still does not hold after a generous limit (a hung test, not a
// timing check).
inline bool WaitUntil(const std::function<bool()>& done, int limitMs = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
