#include "WinApi.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMetaObject>

COLORREF GetSysColor(int nIndex)
{
    switch (nIndex) {
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    case COLOR_BACKGROUND: return RGB(0, 0, 0);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(100, 100, 100);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    default: return RGB(0, 0, 0);
    }
}

short GetKeyState(int nVirtKey)
{
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    bool down = false;
    switch (UINT(nVirtKey)) {
    case VK_SHIFT: down = mods & Qt::ShiftModifier; break;
    case VK_CONTROL: down = mods & Qt::ControlModifier; break;
    case VK_MENU: down = mods & Qt::AltModifier; break;
    case VK_LBUTTON: down = buttons & Qt::LeftButton; break;
    case VK_RBUTTON: down = buttons & Qt::RightButton; break;
    case VK_MBUTTON: down = buttons & Qt::MiddleButton; break;
    default: break;
    }
    return down ? short(0x8000) : short(0);
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    const QPoint p = QCursor::pos();
    *lpPoint = CPoint(p.x(), p.y());
    return TRUE;
}

void PostQuitMessage(int nExitCode)
{
    // Queued, so the handler that asks for the end finishes first.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [nExitCode] { QCoreApplication::exit(nExitCode); }, Qt::QueuedConnection);
}
