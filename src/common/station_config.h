#pragma once

#include <QString>

// Installation values of one station, read from station.ini in the station folder,
// each key on a line of its own below its section:
//
//   [database]
//   odbc_data_source = LabServer
//   [counter]
//   serial_device = /dev/ttyUSB0
//   [images]
//   sample_share = /mnt/labshare
//   [documents]
//   server = docs.lab.local
//   [browser]
//   program = xdg-open
//
// Without the file (or a value) the station works on its own: the embedded database
// of the folder, no counter, no photographs, no work instructions, the desktop's
// browser.
struct StationConfig {
    QString odbcDataSource;
    QString serialDevice;
    QString sampleImageShare;
    QString documentServer;
    QString browserProgram;
};

// Reads station.ini of the given folder (the current folder when empty), and only
// that: the station's own configuration stays as it is. What the file holds that the
// station does not read (an unknown section or key, a key on its section's line) and
// a file that cannot be read are each told in one line on standard error.
StationConfig loadStationConfig(const QString& folder = QString());

// The station's configuration, one for the program. The login screen reads it when
// the program starts; every other part asks stationConfig() and never reads the
// file itself.

// Reads station.ini of the folder (the current folder when empty) and makes it the
// station's configuration.
const StationConfig& readStationConfig(const QString& folder = QString());

// The station's configuration. Asked before anything has read it, it is read from
// the current folder first.
const StationConfig& stationConfig();

// Puts a configuration in place as it is, without a file.
void setStationConfig(const StationConfig& config);

// The connection string of every database call: "DSN=" the data source with the
// station's fixed login when one is configured, else the embedded database file
// labdata.db of the station folder.
QString stationConnectionString(const StationConfig& config);
