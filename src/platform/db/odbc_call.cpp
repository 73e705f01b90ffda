#include "platform/db/odbc_call.h"

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <iterator>
#include <utility>

namespace db::odbc {
namespace {

// Diagnostic records are read until the driver manager says there are no more;
// the cap guards against a driver that keeps answering the same record.
constexpr SQLSMALLINT kMaxDiagRecords = 100;

QString fromWide(const SQLWCHAR* p, qsizetype n) { return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), n); }

// Adds the handle's diagnostic records to out; the number of records added.
qsizetype collectDiagnostics(SQLSMALLINT type, SQLHANDLE handle, ErrorList& out)
{
    if (!handle) return 0;
    const qsizetype before = out.size();
    for (SQLSMALLINT i = 1; i <= kMaxDiagRecords; ++i) {
        SQLWCHAR state[6] = {0};
        SQLINTEGER native = 0;
        SQLWCHAR message[2048] = {0};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRecW(type, handle, i, state, &native, message, static_cast<SQLSMALLINT>(std::size(message)), &length);
        if (rc == SQL_NO_DATA || !SQL_SUCCEEDED(rc)) break;
        DbError e;
        e.sqlState = fromWide(state, 5);
        e.nativeError = native;
        e.number = native;
        e.description = fromWide(message, std::min<qsizetype>(length, std::size(message) - 1));
        if (e.sqlState == QLatin1String("HYT00") || e.sqlState == QLatin1String("HYT01")) e.number = kQueryTimeoutNumber;
        out.push_back(e);
    }
    return out.size() - before;
}

}  // namespace

Outcome check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* failure, ErrorList& errors, Warnings warnings)
{
    if (rc == SQL_SUCCESS) return Outcome::Ok;
    if (rc == SQL_NO_DATA) return Outcome::NoData;
    if (rc == SQL_SUCCESS_WITH_INFO) {
        if (warnings == Warnings::Keep) collectDiagnostics(handleType, handle, errors);
        return Outcome::Ok;
    }
    if (collectDiagnostics(handleType, handle, errors) == 0) errors.push_back({-1, -1, QString(), QString::fromLatin1(failure)});
    return Outcome::Failed;
}

bool checkOrLog(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* failure)
{
    ErrorList errors;
    if (check(rc, handleType, handle, failure, errors, Warnings::Drop) != Outcome::Failed) return true;
    for (const DbError& e : errors) qWarning("ODBC: %s [%s] %s", failure, qPrintable(e.sqlState), qPrintable(e.description));
    return false;
}

Handle::Handle(Handle&& other) noexcept : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

Handle& Handle::operator=(Handle&& other) noexcept
{
    if (this != &other) {
        reset();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

bool Handle::allocate(SQLSMALLINT type, SQLSMALLINT parentType, SQLHANDLE parent, ErrorList& errors)
{
    reset();
    SQLHANDLE made = SQL_NULL_HANDLE;
    if (odbc::check(SQLAllocHandle(type, parent, &made), parentType, parent, "The ODBC driver manager could not make a handle.", errors) ==
        Outcome::Failed)
        return false;
    type_ = type;
    handle_ = made;
    return true;
}

void Handle::reset()
{
    if (!handle_) return;
    checkOrLog(SQLFreeHandle(type_, handle_), type_, handle_, "A handle could not be freed.");
    handle_ = nullptr;
}

Link::~Link() { checkOrLog(SQLDisconnect(dbc_.get()), dbc_.type(), dbc_.get(), "The connection could not be closed cleanly."); }

}  // namespace db::odbc
