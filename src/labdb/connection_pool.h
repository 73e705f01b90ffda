#pragma once

#include "labdb/sqlite_db.h"

#include <QString>
#include <memory>

// Open database handles kept between gateway calls, as ODBC pools its
// connections: the station opens a connection for every statement, and a kept
// handle spares it opening the file, reading the schema and the first pages
// again. A handle is reused only for the very file it was opened on, and only
// while that file can be written.
namespace labdb {

class ConnectionPool {
public:
    // A kept handle for the file, or null. `file` is the canonical path.
    static std::unique_ptr<Database> take(const QString& file);
    // Keeps a handle that is outside any transaction; drops it otherwise.
    static void give(const QString& file, std::unique_ptr<Database> db);
    // Closes every kept handle.
    static void clear();
};

}  // namespace labdb
