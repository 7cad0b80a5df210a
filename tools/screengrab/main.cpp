// orvane-screengrab FILE.png [limit-ms]: saves the X screen (run it with QT_QPA_PLATFORM=xcb on
// the display of the program to look at) once something has been drawn on it and has had a
// moment to settle. Exit 0 when a picture with content was saved, 1 when the screen stayed
// empty until the limit (the empty picture is saved all the same), 2 on a usage or save error.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

bool HasContent(const QImage& img)
{
    // The screen of a fresh X server is black; the program's window is not.
    const QRgb black = qRgb(0, 0, 0);
    for (int y = 0; y < img.height(); y += 8)
        for (int x = 0; x < img.width(); x += 8)
            if ((img.pixel(x, y) & 0xFFFFFF) != (black & 0xFFFFFF))
                return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane-screengrab FILE.png [limit-ms]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int limitMs = argc > 2 ? std::atoi(argv[2]) : 20000;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 2;
    constexpr int kStepMs = 200;
    bool content = false;
    for (int waited = 0; waited < limitMs && !content; waited += kStepMs) {
        content = HasContent(screen->grabWindow(0).toImage());
        if (!content)
            QThread::msleep(kStepMs);
    }
    if (content)
        QThread::msleep(1500);  // the first paint and the connect attempt settle
    if (!screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1])))
        return 2;
    return content ? 0 : 1;
}
