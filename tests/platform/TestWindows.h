// Windows and helpers shared by the window-layer tests.
#pragma once

#include "EventLoopWait.h"

#include "CDC.h"
#include "CWindowDC.h"
#include "CWnd.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <QWidget>

#include <functional>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool onUiThread;
};

// Records every message it gets, then lets the base class handle it.
class CRecordingWnd : public CWnd {
public:
    std::vector<RecordedMessage> m_log;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_log.push_back({message, wParam, lParam, QThread::currentThread() == qApp->thread()});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const auto& m : m_log)
            n += m.message == message ? 1 : 0;
        return n;
    }
    const RecordedMessage* Last(UINT message) const
    {
        for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }
};

// Paints its whole client area in one colour.
class CSolidWnd : public CRecordingWnd {
public:
    explicit CSolidWnd(COLORREF clr) : m_clr(clr) {}
    COLORREF m_clr;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(rc, m_clr);
    }
};

inline COLORREF PixelOf(const QImage& img, int x, int y)
{
    const QRgb c = img.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

inline QImage Grab(CWnd& wnd) { return wnd.GetWidget()->grab().toImage(); }
