#include "platform/db/odbc_connection.h"

#include "platform/db/odbc_call.h"

#include <QDateTime>
#include <iterator>
#include <mutex>
#include <vector>

namespace db {
namespace {

using odbc::Outcome;

SQLPOINTER byValue(SQLULEN value) { return reinterpret_cast<SQLPOINTER>(value); }

struct Environment {
    SQLHENV handle = SQL_NULL_HENV;
    ErrorList errors;  // why it could not be made
};

// The process's one environment, made at the first connection and kept to the end.
const Environment& environment()
{
    static Environment env;
    static std::once_flag once;
    std::call_once(once, [] {
        odbc::checkOrLog(SQLSetEnvAttr(SQL_NULL_HENV, SQL_ATTR_CONNECTION_POOLING, byValue(SQL_CP_ONE_PER_DRIVER), SQL_IS_UINTEGER),
                         SQL_HANDLE_ENV, SQL_NULL_HENV, "Connection pooling could not be switched on.");
        SQLHENV made = SQL_NULL_HENV;
        if (odbc::check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &made), SQL_HANDLE_ENV, SQL_NULL_HANDLE,
                        "No ODBC environment could be made.", env.errors) == Outcome::Failed)
            return;
        if (odbc::check(SQLSetEnvAttr(made, SQL_ATTR_ODBC_VERSION, byValue(SQL_OV_ODBC3), 0), SQL_HANDLE_ENV, made,
                        "The ODBC environment refused version 3.", env.errors) == Outcome::Failed) {
            odbc::checkOrLog(SQLFreeHandle(SQL_HANDLE_ENV, made), SQL_HANDLE_ENV, made, "A handle could not be freed.");
            return;
        }
        odbc::checkOrLog(SQLSetEnvAttr(made, SQL_ATTR_CP_MATCH, byValue(SQL_CP_RELAXED_MATCH), 0), SQL_HANDLE_ENV, made,
                         "Pooled connections are matched strictly.");
        env.handle = made;
    });
    return env;
}

std::vector<SQLWCHAR> wide(const QString& s)
{
    std::vector<SQLWCHAR> out(s.size() + 1, 0);
    for (qsizetype i = 0; i < s.size(); ++i) out[i] = s.at(i).unicode();
    return out;
}

QString fromWide(const SQLWCHAR* p, qsizetype n) { return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), n); }

// A value as the station reads it: whole numbers, decimals, date-times or text.
QVariant convert(const QString& text, SQLSMALLINT sqlType, SQLSMALLINT scale)
{
    bool ok = false;
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: {
        const qlonglong v = text.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant(text);
    }
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        if (scale == 0) {
            const qlonglong v = text.toLongLong(&ok);
            if (ok) return v;
        }
        [[fallthrough]];
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: {
        const double v = text.toDouble(&ok);
        return ok ? QVariant(v) : QVariant(text);
    }
    case SQL_TYPE_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_DATETIME: {
        QDateTime t = QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!t.isValid()) t = QDateTime::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
        return t.isValid() ? QVariant(t) : QVariant(text);
    }
    default:
        return text;
    }
}

struct Column {
    QString name;
    SQLSMALLINT type = 0;
    SQLSMALLINT scale = 0;
};

// Row counts of a procedure come as answers without columns: skips them up to the
// first answer with columns. *columns stays 0 when no answer has any.
bool skipCountOnlyResults(const odbc::Handle& stmt, Outcome outcome, SQLSMALLINT* columns, ErrorList& errors)
{
    for (;;) {
        *columns = 0;
        if (outcome != Outcome::NoData &&
            stmt.check(SQLNumResultCols(stmt.get(), columns), "The answer's columns could not be counted.", errors) == Outcome::Failed)
            return false;
        if (*columns > 0) return true;
        outcome = stmt.check(SQLMoreResults(stmt.get()), "The next answer could not be read.", errors);
        if (outcome == Outcome::Failed) return false;
        if (outcome == Outcome::NoData) return true;
    }
}

bool describeColumns(const odbc::Handle& stmt, SQLSMALLINT count, std::vector<Column>* columns, ErrorList& errors)
{
    columns->resize(count);
    for (SQLUSMALLINT c = 1; c <= count; ++c) {
        SQLWCHAR name[256] = {0};
        SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = 0;
        SQLULEN size = 0;
        if (stmt.check(SQLDescribeColW(stmt.get(), c, name, static_cast<SQLSMALLINT>(std::size(name)), &nameLength, &type, &size, &scale,
                                       &nullable),
                       "A column of the answer could not be described.", errors) == Outcome::Failed)
            return false;
        Column& column = (*columns)[c - 1];
        column.name = fromWide(name, std::min<qsizetype>(nameLength, std::size(name) - 1));
        column.type = type;
        column.scale = scale;
    }
    return true;
}

// Reads one column of the current row whole, in pieces when it is long. A column
// that cannot be read is NULL, with the driver's reasons in errors.
QVariant readColumn(const odbc::Handle& stmt, SQLUSMALLINT number, const Column& column, ErrorList& errors)
{
    QString text;
    SQLWCHAR buffer[1024];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt.get(), number, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
        // A piece that does not fit comes with a warning that more follow.
        const Outcome outcome = stmt.check(rc, "A value of the answer could not be read.", errors, odbc::Warnings::Drop);
        if (outcome == Outcome::NoData) break;
        if (outcome == Outcome::Failed) return {};
        if (indicator == SQL_NULL_DATA) return {};
        const qsizetype capacity = std::size(buffer) - 1;
        qsizetype chars = capacity;
        if (indicator != SQL_NO_TOTAL && indicator / qsizetype(sizeof(SQLWCHAR)) < capacity)
            chars = indicator / qsizetype(sizeof(SQLWCHAR));
        text += fromWide(buffer, chars);
        if (rc == SQL_SUCCESS) break;
    }
    return convert(text, column.type, column.scale);
}

bool fetchRows(const odbc::Handle& stmt, const std::vector<Column>& columns, QList<QVariantList>* rows, ErrorList& errors)
{
    for (;;) {
        const Outcome outcome = stmt.check(SQLFetch(stmt.get()), "A row of the answer could not be read.", errors);
        if (outcome == Outcome::NoData) return true;
        if (outcome == Outcome::Failed) return false;
        QVariantList row;
        row.reserve(static_cast<qsizetype>(columns.size()));
        for (std::size_t c = 0; c < columns.size(); ++c) row << readColumn(stmt, static_cast<SQLUSMALLINT>(c + 1), columns[c], errors);
        *rows << row;
    }
}

}  // namespace

OdbcConnection::OdbcConnection() = default;

OdbcConnection::~OdbcConnection() { close(); }

bool OdbcConnection::open(const QString& connectionString, const QString& user, const QString& password)
{
    close();
    errors_.clear();
    const Environment& env = environment();
    if (!env.handle) {
        errors_.push_back({-1, -1, QStringLiteral("IM004"), QStringLiteral("The ODBC driver manager could not be started.")});
        errors_ += env.errors;
        return false;
    }
    odbc::Handle dbc;
    if (!dbc.allocate(SQL_HANDLE_DBC, SQL_HANDLE_ENV, env.handle, errors_)) return false;
    odbc::checkOrLog(SQLSetConnectAttr(dbc.get(), SQL_ATTR_LOGIN_TIMEOUT, byValue(static_cast<SQLULEN>(connectionTimeout_)), SQL_IS_UINTEGER),
                     dbc.type(), dbc.get(), "The driver refused the login time-out.");

    QString text = connectionString;
    if (!user.isEmpty()) text += QStringLiteral(";UID=") + user;
    if (!password.isEmpty()) text += QStringLiteral(";PWD=") + password;
    std::vector<SQLWCHAR> in = wide(text);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    if (dbc.check(SQLDriverConnectW(dbc.get(), nullptr, in.data(), SQL_NTS, out, static_cast<SQLSMALLINT>(std::size(out)), &outLength,
                                    SQL_DRIVER_NOPROMPT),
                  "The ODBC driver refused the connection.", errors_) == Outcome::Failed)
        return false;
    link_ = std::make_unique<odbc::Link>(std::move(dbc));
    return true;
}

bool OdbcConnection::execute(const QString& sql, Recordset* result)
{
    errors_.clear();
    if (result) *result = Recordset();
    if (!link_) {
        errors_.push_back({-1, -1, QStringLiteral("08003"), QStringLiteral("The connection is not open.")});
        return false;
    }
    odbc::Handle stmt;
    if (!stmt.allocate(SQL_HANDLE_STMT, SQL_HANDLE_DBC, link_->handle().get(), errors_)) return false;
    // The time-out goes by value: FreeTDS refuses it passed by pointer.
    odbc::checkOrLog(SQLSetStmtAttr(stmt.get(), SQL_ATTR_QUERY_TIMEOUT, byValue(static_cast<SQLULEN>(commandTimeout_)), SQL_IS_UINTEGER),
                     stmt.type(), stmt.get(), "The driver refused the query time-out.");

    std::vector<SQLWCHAR> text = wide(sql);
    const Outcome ran = stmt.check(SQLExecDirectW(stmt.get(), text.data(), SQL_NTS), "The statement failed.", errors_);
    if (ran == Outcome::Failed) return false;

    SQLSMALLINT count = 0;
    if (!skipCountOnlyResults(stmt, ran, &count, errors_)) return false;
    if (count == 0) return true;
    std::vector<Column> columns;
    if (!describeColumns(stmt, count, &columns, errors_)) return false;
    QList<QVariantList> rows;
    if (!fetchRows(stmt, columns, &rows, errors_)) return false;
    if (result) {
        QStringList names;
        for (const Column& c : columns) names << c.name;
        *result = Recordset(names, rows);
    }
    return true;
}

void OdbcConnection::close() { link_.reset(); }

}  // namespace db
