#include "TopMost.h"

#include "CWnd.h"

#include <QWidget>

BOOL SetWindowTopMost(CWnd* pWnd, BOOL bTopMost)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w || !w->isWindow())
        return FALSE;
    const bool wanted = bTopMost != FALSE;
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != wanted) {
        // Changing a window's flags hides it: show it again if it was shown.
        const bool shown = w->isVisible();
        w->setWindowFlag(Qt::WindowStaysOnTopHint, wanted);
        if (shown)
            w->show();
    }
    if (wanted && w->isVisible())
        w->raise();
    return TRUE;
}

BOOL IsWindowTopMost(const CWnd* pWnd)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    return w && w->isWindow() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? TRUE : FALSE;
}
