#pragma once

// The station's side of the ODBC driver manager: one check for every call's return
// code, and handles that free themselves. Only the ODBC backend includes this.

#include "platform/db/db_error.h"

#include <sql.h>
#include <sqlext.h>

namespace db::odbc {

// What one ODBC call came to.
enum class Outcome { Ok, NoData, Failed };

// Whether the warnings of a successful call are kept in the error list. A piecewise
// read announces every further piece with a warning that is no news.
enum class Warnings { Keep, Drop };

// Every ODBC call's return code goes through here. A failure adds the handle's
// diagnostic records to errors (or, when the driver left none, one entry with the
// given description, so that no failure goes unexplained); a success with
// information adds its records unless told to drop them.
Outcome check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* failure, ErrorList& errors,
              Warnings warnings = Warnings::Keep);

// The same check for a call the station does without when it fails (an attribute
// the driver refuses, a handle that will not free): the diagnostics go to the
// program's log. True when the call succeeded.
bool checkOrLog(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* failure);

// One handle of the driver manager, freed when it goes.
class Handle {
public:
    Handle() = default;
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept;
    Handle& operator=(Handle&& other) noexcept;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    // Allocates a handle of the type under its parent; false, with the parent's
    // diagnostics in errors, when the driver manager refused.
    bool allocate(SQLSMALLINT type, SQLSMALLINT parentType, SQLHANDLE parent, ErrorList& errors);
    void reset();

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // check() on this handle.
    Outcome check(SQLRETURN rc, const char* failure, ErrorList& errors, Warnings warnings = Warnings::Keep) const
    {
        return odbc::check(rc, type_, handle_, failure, errors, warnings);
    }

private:
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = nullptr;
};

// A connection handle that is connected: disconnected before it is freed.
class Link {
public:
    explicit Link(Handle dbc) : dbc_(std::move(dbc)) {}
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    const Handle& handle() const { return dbc_; }

private:
    Handle dbc_;
};

}  // namespace db::odbc
