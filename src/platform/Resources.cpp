#include "Resources.h"

#include <QByteArray>
#include <QFile>
#include <QString>

std::string FindResourcePath(UINT nID, const char* lpType)
{
    if (!lpType || !*lpType)
        return {};
    const QString base = QStringLiteral(":/res/%1/%2").arg(QString::fromUtf8(lpType).toLower()).arg(nID);
    for (const char* ext : {".png", ".bmp", ".cur", ".ico", ".bin", ""}) {
        const QString path = base + QLatin1String(ext);
        if (QFile::exists(path))
            return path.toStdString();
    }
    return {};
}

bool LoadResourceData(UINT nID, const char* lpType, QByteArray& out)
{
    const std::string path = FindResourcePath(nID, lpType);
    if (path.empty())
        return false;
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = f.readAll();
    if (bytes.isEmpty())
        return false;
    out = std::move(bytes);
    return true;
}

bool LoadResourceData(UINT nID, const char* lpType, std::vector<BYTE>& out)
{
    QByteArray bytes;
    if (!LoadResourceData(nID, lpType, bytes))
        return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
}
