#pragma once

#include "labdb/sqlite_db.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct sqlite3_stmt;

// The statements a station call runs inside the embedded database, caught and
// replayed on a plain SQLite handle, for the gateway's share of a call's time.
namespace bench {

// Runs `action` with SQLite's statement trace on the kept handle of the file
// (canonical path); the statements it ran, their values filled in. Empty when no
// handle was kept for the file.
QStringList traceStatements(const QString& file, const std::function<void()>& action);

// The caught statements, each prepared once on a handle of its own with the
// station's functions; a write transaction ends in ROLLBACK instead of COMMIT.
class RawReplay {
public:
    RawReplay(const QString& file, const QStringList& statements);
    ~RawReplay();
    RawReplay(const RawReplay&) = delete;
    RawReplay& operator=(const RawReplay&) = delete;

    // Steps every statement through every row, reading every column.
    void run();

private:
    labdb::Database db_;
    std::vector<sqlite3_stmt*> statements_;
};

}  // namespace bench
