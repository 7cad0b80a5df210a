// Windows, pixels and document tools shared by the list, printing and table tests.
#pragma once

#include "CWnd.h"
#include "GdiGlobals.h"
#include "WinApi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QWidget>

#include <cstring>
#include <string>
#include <vector>

inline void EnsureSharedGdiObjects()
{
    if (!g_fontArial16.GetSafeHandle())
        CreateSharedGdiObjects();
}

inline void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// A top-level window the controls under test stand in.
class CHost : public CWnd {
public:
    BOOL Make(int cx, int cy)
    {
        return CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, cx, cy), nullptr, 0);
    }
};

inline void SendMouse(CWnd& wnd, QEvent::Type type, CPoint pt, Qt::MouseButton button, Qt::MouseButtons held)
{
    QWidget* w = wnd.GetWidget();
    const QPointF local(pt.x, pt.y);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Presses at from, drags to to and releases there, all in wnd's client coordinates.
inline void Drag(CWnd& wnd, CPoint from, CPoint to)
{
    SendMouse(wnd, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(wnd, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(wnd, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// A left click in the middle of the window, as the pointer gives it.
inline void Click(CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    SendMouse(wnd, QEvent::MouseButtonPress, rc.CenterPoint(), Qt::LeftButton, Qt::LeftButton);
    SendMouse(wnd, QEvent::MouseButtonRelease, rc.CenterPoint(), Qt::LeftButton, Qt::NoButton);
}

inline QImage Grab(CWnd& wnd)
{
    Pump();
    return wnd.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline COLORREF PixelAt(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// Pixels of the rectangle that are close to the colour (text is smoothed at its edges).
inline int CountNear(const QImage& img, const CRect& rc, COLORREF cr, int tolerance = 40)
{
    int n = 0;
    for (int y = std::max(0, rc.top); y < std::min(img.height(), rc.bottom); ++y)
        for (int x = std::max(0, rc.left); x < std::min(img.width(), rc.right); ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - GetRValue(cr)) <= tolerance && std::abs(qGreen(p) - GetGValue(cr)) <= tolerance &&
                std::abs(qBlue(p) - GetBValue(cr)) <= tolerance)
                ++n;
        }
    return n;
}

// Runs a tool of the machine and returns what it printed; empty when it failed.
inline std::string RunTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::string();
    return p.readAllStandardOutput().toStdString();
}

// The page count of a PDF file, -1 when it is no readable PDF.
inline int PdfPages(const std::string& path)
{
    const std::string info = RunTool("pdfinfo", {QString::fromStdString(path)});
    const size_t at = info.find("Pages:");
    if (at == std::string::npos)
        return -1;
    return std::stoi(info.substr(at + 6));
}

// The text of one page (1-based) of a PDF, in reading order, each run of blanks as one blank.
inline std::string PdfText(const std::string& path, int page)
{
    const std::string raw = RunTool("pdftotext", {"-layout", "-f", QString::number(page), "-l",
                                                  QString::number(page), QString::fromStdString(path), "-"});
    std::string text;
    for (char c : raw)
        if (!(c == ' ' && !text.empty() && text.back() == ' '))
            text += c;
    return text;
}

// Where a word stands on a page (1-based) of a PDF, in points from the page's top-left corner:
// its left and right edges; (-1, -1) when the page has no such word.
inline std::pair<double, double> PdfWordSpan(const std::string& path, int page, const std::string& word)
{
    const std::string html = RunTool("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page),
                                                   QString::fromStdString(path), "-"});
    const std::string tail = ">" + word + "</word>";
    const size_t end = html.find(tail);
    if (end == std::string::npos)
        return {-1, -1};
    const size_t start = html.rfind("<word", end);
    const std::string tag = html.substr(start, end - start);
    auto attr = [&](const char* name) {
        const size_t at = tag.find(std::string(name) + "=\"");
        return at == std::string::npos ? -1.0 : std::stod(tag.substr(at + std::strlen(name) + 2));
    };
    return {attr("xMin"), attr("xMax")};
}

// The width of the first page of a PDF in points, -1 when unreadable.
inline double PdfPageWidth(const std::string& path)
{
    const std::string html = RunTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", QString::fromStdString(path), "-"});
    const size_t at = html.find("<page width=\"");
    return at == std::string::npos ? -1.0 : std::stod(html.substr(at + 13));
}

// Renders one page of a PDF to a PNG at the resolution; the PNG's path, empty on failure.
inline std::string PdfPageToPng(const std::string& pdf, int page, const std::string& pngBase, int dpi = 72)
{
    RunTool("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page),
                         "-singlefile", QString::fromStdString(pdf), QString::fromStdString(pngBase)});
    const std::string png = pngBase + ".png";
    return QFile::exists(QString::fromStdString(png)) ? png : std::string();
}

// build*/screens: where the tests leave the pictures people look at.
inline std::string ScreensDir()
{
    const std::string dir = std::string(ORVANE_BINARY_DIR) + "/screens";
    QDir().mkpath(QString::fromStdString(dir));
    return dir;
}
