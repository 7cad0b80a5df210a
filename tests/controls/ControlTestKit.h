// Windows and input helpers shared by the control tests.
#pragma once

#include "EventLoopWait.h"

#include "CWnd.h"
#include "GdiGlobals.h"
#include "WinApi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QTest>
#include <QWidget>

#include <functional>
#include <vector>

// Ids of the sample faces (tests/controls/skins.txt).
namespace Faces {
constexpr UINT kBit[3] = {61001, 61002, 61003};
constexpr UINT kBitChecked[3] = {61004, 61005, 61006};
constexpr UINT kBitDisabled[2] = {61007, 61008};
constexpr UINT kBitHighlight[2] = {61009, 61010};
constexpr UINT kBitBig = 61011;
constexpr UINT kPng[6] = {61101, 61102, 61103, 61104, 61105, 61106};
constexpr UINT kPngDisabled[2] = {61107, 61108};
constexpr UINT kPngChinese[6] = {61111, 61112, 61113, 61114, 61115, 61116};
constexpr UINT kXpChecked[3] = {61201, 61202, 61203};
constexpr UINT kXpUnchecked[3] = {61204, 61205, 61206};
constexpr UINT kXpSelected[2] = {61207, 61208};
constexpr UINT kXpDisabled[2] = {61209, 61210};
constexpr UINT kSkin[6] = {61301, 61302, 61303, 61304, 61305, 61306};
constexpr UINT kDrop[3] = {61401, 61402, 61403};
constexpr UINT kTrack[2] = {61501, 61502};       // vertical 30x200: normal, active
constexpr UINT kThumb[3] = {61503, 61504, 61505};  // 24x20 on magenta: normal, active, disabled
constexpr UINT kTrackH[2] = {61506, 61507};      // horizontal 200x24
constexpr UINT kThumbH[2] = {61508, 61509};      // 14x22
constexpr UINT kSpin93[4] = {61511, 61512, 61513, 61514};
constexpr UINT kSpin66[4] = {61515, 61516, 61517, 61518};
constexpr UINT kNotAPicture = 61999;  // PNG resource whose bytes are not an image
constexpr UINT kMissing = 61998;      // no resource of any type
}  // namespace Faces

// The panel colour the controls stand on in the tests.
constexpr COLORREF kStageColour = RGB(31, 36, 43);

// The shared fonts and brush, as the program's start-up makes them (once per test program).
inline void EnsureSharedGdiObjects()
{
    if (!g_fontArial16.GetSafeHandle())
        CreateSharedGdiObjects();
}

// Makes the top-level window active, so that its windows can take the keyboard focus.
inline bool Activate(CWnd& top)
{
    QWidget* w = top.GetWidget();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

// Lets posted messages and paints run.
inline void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level panel that records every message it gets.
class CStage : public CWnd {
public:
    std::vector<Received> m_log;

    BOOL Make(int x, int y, int cx, int cy)
    {
        SetBackgroundColor(kStageColour);
        return CreateEx(0, nullptr, "stage", WS_POPUP | WS_VISIBLE, CRect(x, y, x + cx, y + cy), nullptr, 0);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_log.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<Received> All(UINT message) const
    {
        std::vector<Received> out;
        for (const auto& m : m_log)
            if (m.message == message)
                out.push_back(m);
        return out;
    }
    int Count(UINT message) const { return int(All(message).size()); }
    void Forget() { m_log.clear(); }
};

inline void SendMouse(CWnd& wnd, QEvent::Type type, CPoint pt, Qt::MouseButton button, Qt::MouseButtons held)
{
    QWidget* w = wnd.GetWidget();
    const QPointF local(pt.x, pt.y);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

inline void MoveTo(CWnd& wnd, CPoint pt) { SendMouse(wnd, QEvent::MouseMove, pt, Qt::NoButton, Qt::NoButton); }
// A move with the left button held.
inline void DragTo(CWnd& wnd, CPoint pt) { SendMouse(wnd, QEvent::MouseMove, pt, Qt::NoButton, Qt::LeftButton); }
inline void Press(CWnd& wnd, CPoint pt, Qt::MouseButton b = Qt::LeftButton)
{
    SendMouse(wnd, QEvent::MouseButtonPress, pt, b, b);
}
inline void Release(CWnd& wnd, CPoint pt, Qt::MouseButton b = Qt::LeftButton)
{
    SendMouse(wnd, QEvent::MouseButtonRelease, pt, b, Qt::NoButton);
}
inline void Click(CWnd& wnd, CPoint pt)
{
    Press(wnd, pt);
    Release(wnd, pt);
}
inline void DoubleClick(CWnd& wnd, CPoint pt)
{
    Press(wnd, pt);
    Release(wnd, pt);
    SendMouse(wnd, QEvent::MouseButtonDblClick, pt, Qt::LeftButton, Qt::LeftButton);
    Release(wnd, pt);
}
inline void Leave(CWnd& wnd)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(wnd.GetWidget(), &e);
}
inline void Wheel(CWnd& wnd, int delta)
{
    QWidget* w = wnd.GetWidget();
    const QPointF local(2, 2);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}
// Puts the pointer on a point of the window (for code that reads the pointer's position).
inline void PointerAt(CWnd& wnd, CPoint pt) { QCursor::setPos(wnd.GetWidget()->mapToGlobal(QPoint(pt.x, pt.y))); }

inline QImage GrabOf(CWnd& wnd) { return wnd.GetWidget()->grab().toImage(); }
inline COLORREF PixelOf(const QImage& img, int x, int y)
{
    const QRgb c = img.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}
inline CSize SizeOf(const CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    return rc.Size();
}
