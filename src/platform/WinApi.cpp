#include "WinApi.h"

#include "KeyMap.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLocale>
#include <QMetaObject>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <utility>


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
    bool down = KeyNotedDown(UINT(nVirtKey));
    switch (UINT(nVirtKey)) {
    case VK_SHIFT: down = down || (mods & Qt::ShiftModifier); break;
    case VK_CONTROL: down = down || (mods & Qt::ControlModifier); break;
    case VK_MENU: down = down || (mods & Qt::AltModifier); break;
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

BOOL SetCursorPos(int x, int y)
{
    if (!QGuiApplication::primaryScreen())
        return FALSE;
    QCursor::setPos(x, y);
    return TRUE;
}

void PostQuitMessage(int nExitCode)
{
    // Queued, so the handler that asks for the end finishes first.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [nExitCode] { QCoreApplication::exit(nExitCode); }, Qt::QueuedConnection);
}

BOOL SystemParametersInfo(UINT uiAction, UINT, void* pvParam, UINT)
{
    if (uiAction != SPI_GETWORKAREA || !pvParam)
        return FALSE;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return FALSE;
    const QRect a = screen->availableGeometry();
    *static_cast<RECT*>(pvParam) = CRect(a.left(), a.top(), a.left() + a.width(), a.top() + a.height());
    return TRUE;
}

int GetSystemMetrics(int nIndex)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    switch (nIndex) {
    case SM_CXSCREEN: return screen ? screen->geometry().width() : 0;
    case SM_CYSCREEN: return screen ? screen->geometry().height() : 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;  // the classic width at 96 DPI
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    default: return 0;
    }
}

BOOL MessageBeep(UINT)
{
    QApplication::beep();
    return TRUE;
}

namespace {

ShellOpener& Opener()
{
    static ShellOpener opener;  // user-interface thread
    return opener;
}

bool DesktopOpen(const CString& verb, const CString& file)
{
    if (!verb.empty() && verb != "open")
        return false;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(file));
    return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace

HINSTANCE ShellExecute(HWND, LPCTSTR lpOperation, LPCTSTR lpFile, LPCTSTR, LPCTSTR, int)
{
    const CString verb = lpOperation ? lpOperation : "";
    const CString file = lpFile ? lpFile : "";
    const bool opened = Opener() ? Opener()(verb, file) : DesktopOpen(verb, file);
    // Values of 32 and below are error codes; 2 is "file not found".
    return reinterpret_cast<HINSTANCE>(uintptr_t(opened ? 42 : 2));
}

ShellOpener SetShellOpener(ShellOpener opener) { return std::exchange(Opener(), std::move(opener)); }

LCID LcidFromLocaleName(const CString& name)
{
    // language_COUNTRY, with '-' accepted for '_', any ".codeset" or "@modifier" dropped.
    CString key = name.substr(0, name.find_first_of(".@"));
    std::replace(key.begin(), key.end(), '-', '_');
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    static const struct {
        const char* name;
        LCID lcid;
    } kTable[] = {
        {"zh_cn", 0x0804}, {"zh_tw", 0x0404}, {"zh_hk", 0x0C04}, {"zh_sg", 0x1004}, {"zh_mo", 0x1404},
        {"en_us", 0x0409}, {"en_gb", 0x0809}, {"en_au", 0x0C09}, {"en_ca", 0x1009}, {"de_de", 0x0407},
        {"de_at", 0x0C07}, {"de_ch", 0x0807}, {"fr_fr", 0x040C}, {"es_es", 0x0C0A}, {"it_it", 0x0410},
        {"ja_jp", 0x0411}, {"ko_kr", 0x0412}, {"ru_ru", 0x0419}, {"pt_br", 0x0416}, {"nl_nl", 0x0413},
    };
    for (const auto& entry : kTable)
        if (key == entry.name)
            return entry.lcid;
    return LOCALE_UNKNOWN;
}

LCID GetSystemDefaultLCID() { return LcidFromLocaleName(QLocale::system().name().toStdString()); }
