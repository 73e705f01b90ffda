#pragma once

#include "platform/db/db_error.h"
#include "platform/db/recordset.h"

#include <QString>

namespace db {

// One connection to a laboratory database. Each statement's answer is read whole
// by execute(), so no answer outlives the connection.
class Connection {
public:
    virtual ~Connection() = default;

    virtual void setCommandTimeout(int seconds) = 0;
    virtual void setConnectionTimeout(int seconds) = 0;

    // False when the connection could not be opened; errors() then tells why.
    virtual bool open(const QString& connectionString, const QString& user, const QString& password) = 0;
    virtual bool isOpen() const = 0;

    // Runs the text as it is. The error list is emptied first. False when the
    // statement raised an error (its records are in errors()); true when it ran,
    // with *result holding the first answer that has columns (unopened when the
    // statement answered none). Warnings may stay in errors() after a true.
    virtual bool execute(const QString& sql, Recordset* result) = 0;

    virtual const ErrorList& errors() const = 0;
    virtual void close() = 0;
};

}  // namespace db
