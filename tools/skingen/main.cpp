// skingen <table> <output folder>: draws every image of the table into
// <output folder>/<type>/<id>.png. Exit code 0 when all were written.
#include "SkinPainter.h"
#include "SkinTable.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Text needs a window system only for its fonts: the headless one does. It wants a private
    // runtime folder, which a build does not always have.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = "/tmp/skingen-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skingen <skins table> <output folder>\n");
        return 2;
    }
    std::vector<SkinEntry> entries;
    QString error;
    if (!ReadSkinTable(QString::fromLocal8Bit(argv[1]), entries, &error)) {
        std::fprintf(stderr, "skingen: %s\n", qPrintable(error));
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (const SkinEntry& e : entries) {
        QImage img;
        if (!PaintSkin(e, &img, &error)) {
            std::fprintf(stderr, "skingen: %s:%d: %s\n", argv[1], e.line, qPrintable(error));
            return 1;
        }
        if (!out.mkpath(e.type)) {
            std::fprintf(stderr, "skingen: cannot make %s\n", qPrintable(out.filePath(e.type)));
            return 1;
        }
        const QString path = out.filePath(QStringLiteral("%1/%2.png").arg(e.type).arg(e.id));
        if (!img.save(path, "PNG")) {
            std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
