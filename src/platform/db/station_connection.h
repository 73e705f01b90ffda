#pragma once

#include "platform/db/connection.h"

#include <functional>
#include <memory>

namespace db {

// Makes the connection that serves the embedded laboratory database; the embedded
// database library installs it at start-up (registerEmbeddedBackend).
using BackendMaker = std::function<std::unique_ptr<Connection>()>;
void registerEmbeddedBackend(BackendMaker maker);

// The prefix of a connection string that names the embedded database file.
inline constexpr char kEmbeddedPrefix[] = "EMBEDDED=";

enum class Backend { Odbc, Embedded, Unknown };
Backend backendFor(const QString& connectionString);

// The connection every gateway call opens: it chooses its backend by the
// connection string when it opens ("DSN=" or "DRIVER=" go to ODBC, "EMBEDDED=path"
// to the embedded database) and hands every call on to it.
class StationConnection final : public Connection {
public:
    void setCommandTimeout(int seconds) override { commandTimeout_ = seconds; }
    void setConnectionTimeout(int seconds) override { connectionTimeout_ = seconds; }
    bool open(const QString& connectionString, const QString& user, const QString& password) override;
    bool isOpen() const override { return backend_ && backend_->isOpen(); }
    bool execute(const QString& sql, Recordset* result) override;
    const ErrorList& errors() const override { return backend_ ? backend_->errors() : errors_; }
    void close() override;

private:
    int commandTimeout_ = 30;
    int connectionTimeout_ = 15;
    std::unique_ptr<Connection> backend_;
    ErrorList errors_;
};

}  // namespace db
