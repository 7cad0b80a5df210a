#include "SkinTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace {

// Splits at blanks outside double quotes; a # outside quotes starts a comment.
bool Tokenize(const QString& text, QStringList& tokens, QString* error)
{
    QString cur;
    bool quoted = false;
    bool any = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            any = true;
        } else if (!quoted && c == QLatin1Char('#')) {
            break;
        } else if (!quoted && c.isSpace()) {
            if (any)
                tokens << cur;
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (quoted) {
        *error = QStringLiteral("unclosed quote");
        return false;
    }
    if (any)
        tokens << cur;
    return true;
}

}  // namespace

bool ParseSkinLine(const QString& text, SkinEntry& entry, QString* error)
{
    QStringList tokens;
    if (!Tokenize(text, tokens, error))
        return false;
    if (tokens.size() < 4) {
        *error = QStringLiteral("expected: type id WxH style [key=value ...]");
        return false;
    }
    entry.type = tokens[0].toLower();
    if (entry.type != QLatin1String("bitmap") && entry.type != QLatin1String("png") &&
        entry.type != QLatin1String("cursor")) {
        *error = QStringLiteral("unknown type \"%1\"").arg(tokens[0]);
        return false;
    }
    bool ok = false;
    entry.id = tokens[1].toUInt(&ok);
    if (!ok || entry.id == 0) {
        *error = QStringLiteral("bad id \"%1\"").arg(tokens[1]);
        return false;
    }
    static const QRegularExpression sizeRe(QStringLiteral("^(\\d+)x(\\d+)$"));
    const auto m = sizeRe.match(tokens[2]);
    if (!m.hasMatch() || m.captured(1).toInt() <= 0 || m.captured(2).toInt() <= 0) {
        *error = QStringLiteral("bad size \"%1\"").arg(tokens[2]);
        return false;
    }
    entry.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    entry.style = tokens[3];
    entry.options.clear();
    for (int i = 4; i < tokens.size(); ++i) {
        const int eq = int(tokens[i].indexOf(QLatin1Char('=')));
        if (eq <= 0) {
            *error = QStringLiteral("option \"%1\" is not key=value").arg(tokens[i]);
            return false;
        }
        entry.options.insert(tokens[i].left(eq), tokens[i].mid(eq + 1));
    }
    return true;
}

bool ReadSkinTable(const QString& path, std::vector<SkinEntry>& entries, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: cannot open").arg(path);
        return false;
    }
    QSet<QString> seen;
    int lineNo = 0;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        ++lineNo;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        SkinEntry e;
        QString why;
        if (!ParseSkinLine(line, e, &why)) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(lineNo).arg(why);
            return false;
        }
        e.line = lineNo;
        const QString key = e.type + QLatin1Char(' ') + QString::number(e.id);
        if (seen.contains(key)) {
            *error = QStringLiteral("%1:%2: %3 appears twice").arg(path).arg(lineNo).arg(key);
            return false;
        }
        seen.insert(key);
        entries.push_back(e);
    }
    return true;
}
