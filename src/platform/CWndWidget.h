// The Qt widget behind a CWnd: turns Qt's events into the window's messages. Internal to the
// window layer (the device contexts of a window find the paint in progress here).
#pragma once

#include "WinDefs.h"

#include <QBasicTimer>
#include <QRect>
#include <QRegion>
#include <QWidget>

class CWnd;
class QPainter;

class CWndWidget : public QWidget {
public:
    CWndWidget(CWnd* pOwner, QWidget* parent, Qt::WindowFlags flags);
    ~CWndWidget() override;

    CWnd* Owner() const { return m_pOwner; }
    // The window lets go of the widget before it is deleted: no more messages.
    void Detach() { m_pOwner = nullptr; }

    // The painter of the paint in progress (null outside WM_PAINT) and the area being painted.
    QPainter* PaintPainter() const { return m_pPaintPainter; }
    QRect PaintRect() const { return m_rcPaint; }

    // An Invalidate of the area asked (bErase) or did not ask for the background to be erased.
    void NoteInvalidate(bool bErase, const QRect& area);
    // The area invalidated since the last paint.
    const QRegion& PendingUpdate() const { return m_pending; }

    // Sends WM_SIZE / WM_MOVE when the size or position differs from the last one reported, so
    // a geometry change is reported once, at once, whether or not Qt delivers its own event.
    void ReportGeometry();
    // WM_SIZE with SIZE_MINIMIZED, SIZE_MAXIMIZED or SIZE_RESTORED when a top-level window is
    // minimised, maximised or restored, also when its size stays the same.
    void ReportWindowState(Qt::WindowStates old);

    // Mouse tracking requests (TrackMouseEvent).
    void TrackLeave(bool on);
    void TrackHover(bool on, int hoverMs);
    bool PointerInside() const { return m_bPointerInside; }

    // The window widget whose paint is in progress (the innermost one), or null.
    static CWndWidget* PaintingWidget();

    // Depth of Qt event handling in any window widget: a window destroyed while it is above 0
    // lets Qt delete its widget later, never under the handler that is still running.
    static int EventDepth();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void HandleMouse(QEvent* e);
    void HandleKey(QEvent* e);
    void HandleInputMethod(QEvent* e);
    // Runs PreTranslateMessage along the parent chain, then sends the message unless swallowed.
    // False when the message was swallowed or the window went away.
    bool DeliverInput(UINT message, WPARAM wParam, LPARAM lParam);

    CWnd* m_pOwner;
    QPainter* m_pPaintPainter = nullptr;
    QRect m_rcPaint;
    QRegion m_pending;
    bool m_bEraseAsked = false;
    bool m_bNoEraseAsked = false;
    bool m_bTrackLeave = false;
    bool m_bTrackHover = false;
    bool m_bPointerInside = false;
    int m_nHoverMs = 400;
    QBasicTimer m_hoverTimer;
    QSize m_lastSize{-1, -1};
    QPoint m_lastPos{INT32_MIN, INT32_MIN};
};
