#pragma once

#include "labdb/sqlite_db.h"

#include "platform/db/connection.h"
#include <memory>

namespace labdb {

struct PreparedStatement;

// A connection to the embedded laboratory database: one SQLite file named by
// "EMBEDDED=path" (a relative path from the current folder). Each statement runs as one transaction (BEGIN IMMEDIATE when
// it writes) and is rolled back whole when it fails. Waiting longer than the
// command time-out for another station's lock is reported with the time-out
// number, so the gateway tries again.
class EmbeddedConnection final : public db::Connection {
public:
    EmbeddedConnection() = default;
    ~EmbeddedConnection() override { close(); }
    EmbeddedConnection(const EmbeddedConnection&) = delete;
    EmbeddedConnection& operator=(const EmbeddedConnection&) = delete;

    void setCommandTimeout(int seconds) override;
    void setConnectionTimeout(int seconds) override { connectionTimeout_ = seconds; }
    bool open(const QString& connectionString, const QString& user, const QString& password) override;
    bool isOpen() const override { return db_ && db_->isOpen(); }
    bool execute(const QString& sql, db::Recordset* result) override;
    const db::ErrorList& errors() const override { return errors_; }
    // Hands the open file back to the pool of kept handles.
    void close() override;

private:
    db::Recordset run(const PreparedStatement& statement);
    void rollback();
    int commandTimeout_ = 30;
    int connectionTimeout_ = 15;
    std::unique_ptr<Database> db_;
    QString file_;  // canonical path of the open file
    db::ErrorList errors_;
};

// The file a connection string names: the text after "EMBEDDED=" up to a ";".
QString embeddedPath(const QString& connectionString);

}  // namespace labdb
