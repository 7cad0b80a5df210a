// The table of skin images: one image per line,
//
//     <type> <id> <width>x<height> <style> [key=value ...]    # comment
//
// type is bitmap, png or cursor (the resource folder), id the resource id, style the painter
// (SkinPainter.h) and the options its settings. A value with blanks is quoted: text="Bypass all".
// Blank lines and lines starting with # are skipped.
#pragma once

#include <QMap>
#include <QSize>
#include <QString>

#include <vector>

struct SkinEntry {
    QString type;   // lower case
    unsigned id = 0;
    QSize size;
    QString style;
    QMap<QString, QString> options;
    int line = 0;   // in the table, for messages

    QString Option(const QString& key, const QString& fallback = QString()) const
    {
        return options.value(key, fallback);
    }
};

// Reads the table; false with a message naming the line when a line cannot be read, a type is
// unknown or a type and id appear twice.
bool ReadSkinTable(const QString& path, std::vector<SkinEntry>& entries, QString* error);
// One line, for tests of the format; false with a message when it cannot be read.
bool ParseSkinLine(const QString& text, SkinEntry& entry, QString* error);
