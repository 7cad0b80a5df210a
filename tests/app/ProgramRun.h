// What the end-to-end tests that drive build/orvane by a shell script share: the environment the
// program starts in, and the KEY=VALUE lines the script prints.
//
// The environment: a virtual X server's display (none inherited), English unless another locale
// is named, loopback only with the device at the emulator's port, settings in the test's own
// folder, and the session-bus library's buffer kept to the end not counted as a leak in a
// sanitized build.
#pragma once

#include <QFile>
#include <QProcessEnvironment>
#include <QString>

#include <map>
#include <string>
#include <utility>

inline QProcessEnvironment ProgramEnvironment(const QString& config, int nDevicePort,
                                              const QString& lang = QStringLiteral("en_US.UTF-8"))
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "DISPLAY"})
        env.remove(v);
    env.insert("LANG", lang);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("ORVANE_LOOPBACK_ONLY", "1");
    env.insert("ORVANE_DEVICE_ADDRESS", QString("127.0.0.1:%1").arg(nDevicePort));
    env.insert("XDG_CONFIG_HOME", config);
    const QString suppressions = config + "/lsan.supp";
    QFile supp(suppressions);
    if (supp.open(QIODevice::WriteOnly))
        supp.write("leak:libdbus-1.so\n");
    supp.close();
    env.insert("LSAN_OPTIONS", "suppressions=" + suppressions + ":print_suppressions=0");
    return env;
}

// The script's KEY=VALUE lines; a key printed twice keeps its last value.
class ScriptValues {
public:
    explicit ScriptValues(const QByteArray& output)
    {
        for (const QString& line : QString::fromUtf8(output).split('\n')) {
            const int eq = line.indexOf('=');
            if (eq > 0)
                m_values[line.left(eq).trimmed().toStdString()] = line.mid(eq + 1).trimmed().toStdString();
        }
    }
    ScriptValues() = default;

    // "<missing>" for a key the script never printed.
    std::string Get(const char* key) const
    {
        const auto it = m_values.find(key);
        return it == m_values.end() ? std::string("<missing>") : it->second;
    }
    // A value "X,Y"; (-1, -1) when it is not one.
    std::pair<int, int> Point(const char* key) const
    {
        const std::string text = Get(key);
        const size_t comma = text.find(',');
        if (comma == std::string::npos)
            return {-1, -1};
        return {std::atoi(text.substr(0, comma).c_str()), std::atoi(text.substr(comma + 1).c_str())};
    }

private:
    std::map<std::string, std::string> m_values;
};
