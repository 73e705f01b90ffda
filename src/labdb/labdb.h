#pragma once

#include <QString>

// The embedded laboratory database: the station's database when no laboratory
// SQL Server is configured, one SQLite file reached by "EMBEDDED=path".
namespace labdb {

// Makes "EMBEDDED=path" connection strings open the embedded database.
void registerEmbeddedBackend();

// Creates a new laboratory database file, with the demo laboratory when asked.
// Refuses a file that already exists. False with *error set when it failed; no
// half-made file is left behind.
bool createDatabase(const QString& path, bool withDemo, QString* error);

}  // namespace labdb
