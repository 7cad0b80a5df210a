// Runs a dialog modally with one action done as soon as it shows; a run that never ends is
// closed after a generous limit and reported (a hung test, not a timing check).
#pragma once

#include "CDialog.h"

#include <QTimer>

#include <functional>

struct ModalRun {
    INT_PTR result = 0;
    bool acted = false;
    bool hung = false;
};

inline ModalRun RunModal(CDialog& dlg, const std::function<void()>& act)
{
    ModalRun run;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (run.acted || !dlg.GetSafeHwnd() || !dlg.IsWindowVisible())
            return;
        run.acted = true;
        act();
    });
    poll.start(10);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        run.hung = true;
        dlg.EndDialog(-2);
    });
    guard.start(15000);
    run.result = dlg.DoModal();
    return run;
}

// The client-area centre of a control, for a click.
inline CPoint CentreOf(const CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    return rc.CenterPoint();
}
