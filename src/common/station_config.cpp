#include "common/station_config.h"

#include "platform/db/station_connection.h"

#include <QDir>
#include <QSettings>
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

}  // namespace

StationConfig loadStationConfig(const QString& folder)
{
    const QString dir = folder.isEmpty() ? QDir::currentPath() : folder;
    QSettings ini(QDir(dir).filePath(QStringLiteral("station.ini")), QSettings::IniFormat);
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
