#pragma once

#include "labdb/sqlite_db.h"

namespace labdb {

inline constexpr int kSchemaVersion = 1;

// Creates every table, view and index of an empty laboratory database and its
// password key. Runs inside the caller's transaction.
void createSchema(Database& db);

// The settings every connection runs with (foreign keys, WAL is kept by the file).
void configureConnection(Database& db);

// True when the open file carries this laboratory database's schema.
bool hasLabSchema(Database& db);

}  // namespace labdb
