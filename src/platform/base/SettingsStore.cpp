#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <optional>

namespace {
std::mutex g_mutex;  // guards g_path and serialises file access between threads
std::string g_path;

// Marks a key as existing even while it holds no value; never listed as a value.
const char* const kKeyMarker = "__key__";

QString DefaultPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.config";
    return base + "/Orvane/orvane.ini";
}

QString PathLocked() { return g_path.empty() ? DefaultPath() : QString::fromStdString(g_path); }

// Registry paths use backslashes; QSettings groups use slashes.
QString Group(const std::string& key)
{
    QString g = QString::fromStdString(key);
    g.replace('\\', '/');
    while (g.endsWith('/'))
        g.chop(1);
    return g;
}

// Value names may hold slashes (device paths), which QSettings would read as groups.
QString EncodeName(const std::string& name)
{
    QString n = QString::fromStdString(name);
    n.replace("%", "%25");
    n.replace("/", "%2F");
    n.replace("\\", "%5C");
    return n;
}

std::string DecodeName(QString n)
{
    n.replace("%2F", "/");
    n.replace("%5C", "\\");
    n.replace("%25", "%");
    return n.toStdString();
}

// QSettings keeps its parsed copy of a file and trusts it while the file's size and time are
// unchanged. Another running copy's write within one tick of the file system's clock can leave
// both alone; the stale copy would then be read, and written back over the other's change
// (the in-use list lost a claim so). So every access parses a private snapshot under a name
// never used before, and a write puts its snapshot in place with one rename, holding the lock
// file that every copy takes around its writes.
class Settings {
public:
    enum Access { Read, Write };
    explicit Settings(Access access) : m_path(PathLocked()), m_lock(m_path + ".lock")
    {
        static std::atomic<unsigned> counter{0};
        m_snapshot = QStringLiteral("%1.%2-%3.tmp").arg(m_path).arg(QCoreApplication::applicationPid()).arg(++counter);
        if (access == Write) {
            QDir().mkpath(QFileInfo(m_path).absolutePath());
            // A copy that died holding it leaves a lock that QLockFile finds stale at once; a live
            // one holds it for a moment. Waiting longer than this would only hang the caller.
            m_locked = m_lock.tryLock(10000);
            m_write = true;
        }
        // A plain copy: QFile::copy would sync it to disk, and the snapshot lives a moment.
        QFile from(m_path);
        if (from.open(QIODevice::ReadOnly)) {
            m_hadFile = true;
            m_original = from.readAll();
            QFile to(m_snapshot);
            if (to.open(QIODevice::WriteOnly))
                to.write(m_original);
        }
        m_settings.emplace(m_snapshot, QSettings::IniFormat);
    }
    ~Settings()
    {
        if (m_write) {
            m_settings->sync();
            const bool ok = m_settings->status() == QSettings::NoError;
            m_settings.reset();
            if (ok && SnapshotChanged() &&
                std::rename(QFile::encodeName(m_snapshot).constData(), QFile::encodeName(m_path).constData()) != 0)
                qWarning("settings not saved to %s", qPrintable(m_path));
        } else {
            m_settings.reset();
        }
        QFile::remove(m_snapshot);
        if (m_locked)
            m_lock.unlock();
    }
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;
    QSettings& s() { return *m_settings; }

private:
    // A write that changed nothing leaves the file alone: putting the old bytes back could undo
    // what another copy wrote meanwhile, should the lock not have been had.
    bool SnapshotChanged() const
    {
        QFile f(m_snapshot);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        return !m_hadFile || f.readAll() != m_original;
    }

    QString m_path;
    QString m_snapshot;
    QByteArray m_original;
    bool m_hadFile = false;
    QLockFile m_lock;
    bool m_locked = false;
    bool m_write = false;
    std::optional<QSettings> m_settings;
};
}  // namespace

void SettingsStore::SetFilePath(const std::string& path)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    g_path = path;
}

std::string SettingsStore::FilePath()
{
    std::lock_guard<std::mutex> lk(g_mutex);
    return PathLocked().toStdString();
}

bool SettingsStore::KeyExists(const std::string& key)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Read);
    st.s().beginGroup(Group(key));
    return !st.s().allKeys().isEmpty();
}

void SettingsStore::CreateKey(const std::string& key)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Write);
    st.s().beginGroup(Group(key));
    if (!st.s().contains(kKeyMarker))
        st.s().setValue(kKeyMarker, 1);
}

void SettingsStore::DeleteKey(const std::string& key)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Write);
    st.s().remove(Group(key));
}

bool SettingsStore::HasValue(const std::string& key, const std::string& name)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Read);
    st.s().beginGroup(Group(key));
    return st.s().contains(EncodeName(name));
}

std::string SettingsStore::GetString(const std::string& key, const std::string& name, const std::string& def)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Read);
    st.s().beginGroup(Group(key));
    QVariant v = st.s().value(EncodeName(name));
    return v.isValid() ? v.toString().toStdString() : def;
}

void SettingsStore::SetString(const std::string& key, const std::string& name, const std::string& value)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Write);
    st.s().beginGroup(Group(key));
    // An unchanged value is not set again: QSettings would rewrite and sync the snapshot for it.
    const QString v = QString::fromStdString(value);
    if (st.s().value(EncodeName(name)) != QVariant(v))
        st.s().setValue(EncodeName(name), v);
}

int SettingsStore::GetInt(const std::string& key, const std::string& name, int def)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Read);
    st.s().beginGroup(Group(key));
    bool ok = false;
    int v = st.s().value(EncodeName(name)).toInt(&ok);
    return ok ? v : def;
}

void SettingsStore::SetInt(const std::string& key, const std::string& name, int value)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Write);
    st.s().beginGroup(Group(key));
    const QVariant old = st.s().value(EncodeName(name));
    bool isInt = false;
    const int current = old.toInt(&isInt);
    if (!isInt || current != value)  // a missing value is not an int either
        st.s().setValue(EncodeName(name), value);
}

void SettingsStore::DeleteValue(const std::string& key, const std::string& name)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Write);
    st.s().beginGroup(Group(key));
    st.s().remove(EncodeName(name));
    // Keep the key itself in existence, as a registry key outlives its last value.
    st.s().setValue(kKeyMarker, 1);
}

std::vector<std::string> SettingsStore::ValueNames(const std::string& key)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st(Settings::Read);
    st.s().beginGroup(Group(key));
    std::vector<std::string> out;
    for (const QString& k : st.s().childKeys())
        if (k != kKeyMarker)
            out.push_back(DecodeName(k));
    return out;
}
