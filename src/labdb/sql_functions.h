#pragma once

#include <QString>

struct sqlite3;

namespace labdb {

// The SQL Server functions the station's statements use, as SQLite functions:
// charindex(needle, haystack[, start]) without regard to letter case, and
// isnumeric(value).
void registerSqlFunctions(sqlite3* db);

// isnumeric's rule: a number, or a text that reads as one after trimming.
bool looksNumeric(const QString& text);

}  // namespace labdb
