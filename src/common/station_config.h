#pragma once

#include <QString>

// Installation values of one station, read from station.ini in the station folder.
// Without the file (or a value) the station works on its own: the embedded
// database of the folder, the counter simulator's device, the desktop's browser.
//
//   [database]   odbc_data_source = LabServer
//   [counter]    serial_device    = /dev/ttyUSB0
//   [images]     sample_share     = /mnt/labshare
//   [documents]  server           = docs.lab.local
//   [browser]    program          = xdg-open
struct StationConfig {
    QString odbcDataSource;
    QString serialDevice;
    QString sampleImageShare;
    QString documentServer;
    QString browserProgram;
};

// Reads station.ini of the given folder (the current folder when empty), and only
// that: the station's own configuration stays as it is.
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
