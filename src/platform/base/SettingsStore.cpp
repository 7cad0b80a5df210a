#include "SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <mutex>

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

struct Settings {
    Settings() : s(PathLocked(), QSettings::IniFormat) {}
    QSettings s;
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
    Settings st;
    st.s.beginGroup(Group(key));
    return !st.s.allKeys().isEmpty();
}

void SettingsStore::CreateKey(const std::string& key)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    if (!st.s.contains(kKeyMarker))
        st.s.setValue(kKeyMarker, 1);
}

void SettingsStore::DeleteKey(const std::string& key)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.remove(Group(key));
}

bool SettingsStore::HasValue(const std::string& key, const std::string& name)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    return st.s.contains(EncodeName(name));
}

std::string SettingsStore::GetString(const std::string& key, const std::string& name, const std::string& def)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    QVariant v = st.s.value(EncodeName(name));
    return v.isValid() ? v.toString().toStdString() : def;
}

void SettingsStore::SetString(const std::string& key, const std::string& name, const std::string& value)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    st.s.setValue(EncodeName(name), QString::fromStdString(value));
}

int SettingsStore::GetInt(const std::string& key, const std::string& name, int def)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    bool ok = false;
    int v = st.s.value(EncodeName(name)).toInt(&ok);
    return ok ? v : def;
}

void SettingsStore::SetInt(const std::string& key, const std::string& name, int value)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    st.s.setValue(EncodeName(name), value);
}

void SettingsStore::DeleteValue(const std::string& key, const std::string& name)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    st.s.remove(EncodeName(name));
    // Keep the key itself in existence, as a registry key outlives its last value.
    st.s.setValue(kKeyMarker, 1);
}

std::vector<std::string> SettingsStore::ValueNames(const std::string& key)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Settings st;
    st.s.beginGroup(Group(key));
    std::vector<std::string> out;
    for (const QString& k : st.s.childKeys())
        if (k != kKeyMarker)
            out.push_back(DecodeName(k));
    return out;
}
