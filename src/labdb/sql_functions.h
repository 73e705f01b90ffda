#pragma once

#include <QString>

struct sqlite3;

namespace labdb {

// The SQL Server functions the station's statements use, as SQLite functions:
// charindex(needle, haystack[, start]) without regard to letter case, and
// isnumeric(value). Besides, for the laboratory's own queries: json_tally(n), an
// aggregate giving a JSON object of each whole number among the rows and how many
// rows hold it ({"1001":3,...}), read back with json_each. It counts without the
// sort a GROUP BY needs.
void registerSqlFunctions(sqlite3* db);

// isnumeric's rule: a number, or a text that reads as one after trimming.
bool looksNumeric(const QString& text);

}  // namespace labdb
