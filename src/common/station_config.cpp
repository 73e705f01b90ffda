#include "common/station_config.h"

#include "platform/db/station_connection.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTextStream>
#include <mutex>
#include <optional>

namespace {

// The gateway may ask from more than one thread.
std::mutex& configMutex()
{
    static std::mutex m;
    return m;
}

std::optional<StationConfig>& current()
{
    static std::optional<StationConfig> config;
    return config;
}

// The sections of station.ini and the one key the station reads in each.
struct KnownKey {
    QLatin1String section;
    QLatin1String key;
};
constexpr KnownKey kKnownKeys[] = {{QLatin1String("database"), QLatin1String("odbc_data_source")},
                                   {QLatin1String("counter"), QLatin1String("serial_device")},
                                   {QLatin1String("images"), QLatin1String("sample_share")},
                                   {QLatin1String("documents"), QLatin1String("server")},
                                   {QLatin1String("browser"), QLatin1String("program")}};

const KnownKey* knownSection(const QString& section)
{
    for (const KnownKey& known : kKnownKeys)
        if (section == known.section) return &known;
    return nullptr;
}

bool isComment(const QString& text) { return text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#')); }

// One line on standard error for each thing in station.ini that the station does not
// read, so that a misspelt setting is seen: an unknown section or key, a key written
// on its section's line, a file that cannot be read. The start goes on all the same.
void tellWhatIsNotRead(const QString& path)
{
    QFile file(path);
    if (!file.exists()) return;
    QTextStream err(stderr);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << path << ": cannot be read (" << file.errorString() << "); the station starts without its settings" << Qt::endl;
        return;
    }
    QString section;
    const KnownKey* known = nullptr;
    bool keysNamed = true;  // the keys of an unknown section are not named one by one
    for (int number = 1; !file.atEnd(); ++number) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || isComment(line)) continue;
        const QString where = QStringLiteral("%1 line %2: ").arg(path).arg(number);
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            section = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            known = knownSection(section);
            keysNamed = known != nullptr;
            if (!known)
                err << where << "unknown section [" << section
                    << "]; the station reads [database], [counter], [images], [documents] and [browser]" << Qt::endl;
            const QString rest = close < 0 ? QString() : line.mid(close + 1).trimmed();
            if (!rest.isEmpty() && !isComment(rest))
                err << where << "\"" << rest << "\" after [" << section
                    << "] is not read; a key goes on a line of its own below its section" << Qt::endl;
            continue;
        }
        if (!keysNamed) continue;
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        if (section.isEmpty())
            err << where << "key " << key << " stands before any section and is not read" << Qt::endl;
        else if (key != known->key)
            err << where << "unknown key " << key << " in [" << section << "]; the station reads " << known->key << " there" << Qt::endl;
    }
}

}  // namespace

StationConfig loadStationConfig(const QString& folder)
{
    const QString dir = folder.isEmpty() ? QDir::currentPath() : folder;
    const QString path = QDir(dir).filePath(QStringLiteral("station.ini"));
    tellWhatIsNotRead(path);
    QSettings ini(path, QSettings::IniFormat);
    StationConfig c;
    c.odbcDataSource = ini.value(QStringLiteral("database/odbc_data_source")).toString().trimmed();
    c.serialDevice = ini.value(QStringLiteral("counter/serial_device")).toString().trimmed();
    c.sampleImageShare = ini.value(QStringLiteral("images/sample_share")).toString().trimmed();
    c.documentServer = ini.value(QStringLiteral("documents/server")).toString().trimmed();
    c.browserProgram = ini.value(QStringLiteral("browser/program"), QStringLiteral("xdg-open")).toString().trimmed();
    return c;
}

const StationConfig& readStationConfig(const QString& folder)
{
    StationConfig read = loadStationConfig(folder);
    const std::lock_guard lock(configMutex());
    current() = std::move(read);
    return *current();
}

const StationConfig& stationConfig()
{
    const std::lock_guard lock(configMutex());
    if (!current()) current() = loadStationConfig();
    return *current();
}

void setStationConfig(const StationConfig& config)
{
    const std::lock_guard lock(configMutex());
    current() = config;
}

QString stationConnectionString(const StationConfig& config)
{
    if (config.odbcDataSource.isEmpty()) return QString::fromLatin1(db::kEmbeddedPrefix) + QStringLiteral("labdata.db");
    return QStringLiteral("DSN=") + config.odbcDataSource + QStringLiteral(";UID=pellicott;PWD=") + QStringLiteral("kp5180rm") +
           QStringLiteral(";QuotedID=No");
}
