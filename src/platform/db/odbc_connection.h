#pragma once

#include "platform/db/connection.h"

#include <memory>

namespace db {

namespace odbc {
class Link;
}

// A connection through the unixODBC driver manager (SQL Server through FreeTDS at
// the laboratory). Connection pooling is switched on for the whole process, so
// that opening a connection for every statement costs no new login.
class OdbcConnection final : public Connection {
public:
    OdbcConnection();
    ~OdbcConnection() override;
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    void setCommandTimeout(int seconds) override { commandTimeout_ = seconds; }
    void setConnectionTimeout(int seconds) override { connectionTimeout_ = seconds; }
    bool open(const QString& connectionString, const QString& user, const QString& password) override;
    bool isOpen() const override { return link_ != nullptr; }
    bool execute(const QString& sql, Recordset* result) override;
    const ErrorList& errors() const override { return errors_; }
    void close() override;

private:
    std::unique_ptr<odbc::Link> link_;
    int commandTimeout_ = 30;
    int connectionTimeout_ = 15;
    ErrorList errors_;
};

}  // namespace db
