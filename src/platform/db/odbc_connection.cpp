#include "platform/db/odbc_connection.h"

#include <sql.h>
#include <sqlext.h>

#include <QDateTime>
#include <mutex>
#include <vector>

namespace db {
namespace {

// Diagnostic records are read until the driver manager says there are no more;
// the cap guards against a driver that keeps answering the same record.
constexpr SQLSMALLINT kMaxDiagRecords = 100;

SQLHENV environment()
{
    static SQLHENV env = SQL_NULL_HENV;
    static std::once_flag once;
    std::call_once(once, [] {
        SQLSetEnvAttr(SQL_NULL_HENV, SQL_ATTR_CONNECTION_POOLING,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_CP_ONE_PER_DRIVER)), SQL_IS_UINTEGER);
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
            env = SQL_NULL_HENV;
            return;
        }
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_OV_ODBC3)), 0);
        SQLSetEnvAttr(env, SQL_ATTR_CP_MATCH, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_CP_RELAXED_MATCH)), 0);
    });
    return env;
}

std::vector<SQLWCHAR> wide(const QString& s)
{
    std::vector<SQLWCHAR> out(s.size() + 1, 0);
    for (qsizetype i = 0; i < s.size(); ++i) out[i] = s.at(i).unicode();
    return out;
}

QString fromWide(const SQLWCHAR* p, qsizetype n)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), n);
}

void collectDiagnostics(SQLSMALLINT type, SQLHANDLE handle, ErrorList& out)
{
    if (!handle) return;
    for (SQLSMALLINT i = 1; i <= kMaxDiagRecords; ++i) {
        SQLWCHAR state[6] = {0};
        SQLINTEGER native = 0;
        SQLWCHAR message[2048] = {0};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRecW(type, handle, i, state, &native, message,
                                            static_cast<SQLSMALLINT>(std::size(message)), &length);
        if (rc == SQL_NO_DATA || !SQL_SUCCEEDED(rc)) break;
        DbError e;
        e.sqlState = fromWide(state, 5);
        e.nativeError = native;
        e.number = native;
        e.description = fromWide(message, std::min<qsizetype>(length, std::size(message) - 1));
        if (e.sqlState == QLatin1String("HYT00") || e.sqlState == QLatin1String("HYT01")) e.number = kQueryTimeoutNumber;
        out.push_back(e);
    }
}

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

// Reads one column of the current row whole, in pieces when it is long.
QVariant readColumn(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT sqlType, SQLSMALLINT scale, ErrorList& errors)
{
    QString text;
    SQLWCHAR buffer[1024];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt, column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) {
            collectDiagnostics(SQL_HANDLE_STMT, stmt, errors);
            return {};
        }
        if (indicator == SQL_NULL_DATA) return {};
        const qsizetype capacity = std::size(buffer) - 1;
        qsizetype chars = capacity;
        if (indicator != SQL_NO_TOTAL && indicator / qsizetype(sizeof(SQLWCHAR)) < capacity)
            chars = indicator / qsizetype(sizeof(SQLWCHAR));
        text += fromWide(buffer, chars);
        if (rc == SQL_SUCCESS) break;  // SQL_SUCCESS_WITH_INFO means more pieces follow
    }
    return convert(text, sqlType, scale);
}

}  // namespace

OdbcConnection::OdbcConnection() = default;

OdbcConnection::~OdbcConnection() { close(); }

bool OdbcConnection::open(const QString& connectionString, const QString& user, const QString& password)
{
    close();
    errors_.clear();
    SQLHENV env = environment();
    if (!env) {
        errors_.push_back({-1, -1, QStringLiteral("IM004"), QStringLiteral("The ODBC driver manager could not be started.")});
        return false;
    }
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
        collectDiagnostics(SQL_HANDLE_ENV, env, errors_);
        return false;
    }
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(connectionTimeout_)), SQL_IS_UINTEGER);

    QString text = connectionString;
    if (!user.isEmpty()) text += QStringLiteral(";UID=") + user;
    if (!password.isEmpty()) text += QStringLiteral(";PWD=") + password;
    std::vector<SQLWCHAR> in = wide(text);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnectW(dbc, nullptr, in.data(), SQL_NTS, out, static_cast<SQLSMALLINT>(std::size(out)),
                                           &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        collectDiagnostics(SQL_HANDLE_DBC, dbc, errors_);
        if (errors_.isEmpty())
            errors_.push_back({-1, -1, QString(), QStringLiteral("The ODBC driver refused the connection.")});
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    dbc_ = dbc;
    connected_ = true;
    return true;
}

bool OdbcConnection::execute(const QString& sql, Recordset* result)
{
    errors_.clear();
    if (result) *result = Recordset();
    if (!connected_) {
        errors_.push_back({-1, -1, QStringLiteral("08003"), QStringLiteral("The connection is not open.")});
        return false;
    }
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(dbc_), &stmt))) {
        collectDiagnostics(SQL_HANDLE_DBC, static_cast<SQLHDBC>(dbc_), errors_);
        return false;
    }
    // The time-out goes by value: FreeTDS refuses it passed by pointer.
    SQLSetStmtAttr(stmt, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(commandTimeout_)),
                   SQL_IS_UINTEGER);

    std::vector<SQLWCHAR> text = wide(sql);
    SQLRETURN rc = SQLExecDirectW(stmt, text.data(), SQL_NTS);
    if (rc != SQL_SUCCESS && rc != SQL_NO_DATA) collectDiagnostics(SQL_HANDLE_STMT, stmt, errors_);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
        SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        return false;
    }

    // Row counts of a procedure come as answers without columns: skip them.
    bool ok = true;
    for (;;) {
        SQLSMALLINT columns = 0;
        if (rc != SQL_NO_DATA) SQLNumResultCols(stmt, &columns);
        if (columns > 0) break;
        rc = SQLMoreResults(stmt);
        if (rc == SQL_NO_DATA) break;
        if (rc != SQL_SUCCESS) collectDiagnostics(SQL_HANDLE_STMT, stmt, errors_);
        if (!SQL_SUCCEEDED(rc)) {
            ok = false;
            break;
        }
    }

    SQLSMALLINT columnCount = 0;
    if (ok && rc != SQL_NO_DATA) SQLNumResultCols(stmt, &columnCount);
    if (ok && columnCount > 0) {
        QStringList names;
        std::vector<SQLSMALLINT> types(columnCount), scales(columnCount);
        for (SQLUSMALLINT c = 1; c <= columnCount; ++c) {
            SQLWCHAR name[256] = {0};
            SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeColW(stmt, c, name, static_cast<SQLSMALLINT>(std::size(name)), &nameLength, &type, &size, &scale,
                            &nullable);
            names << fromWide(name, std::min<qsizetype>(nameLength, std::size(name) - 1));
            types[c - 1] = type;
            scales[c - 1] = scale;
        }
        QList<QVariantList> rows;
        for (;;) {
            rc = SQLFetch(stmt);
            if (rc == SQL_NO_DATA) break;
            if (rc != SQL_SUCCESS) collectDiagnostics(SQL_HANDLE_STMT, stmt, errors_);
            if (!SQL_SUCCEEDED(rc)) {
                ok = false;
                break;
            }
            QVariantList row;
            row.reserve(columnCount);
            for (SQLUSMALLINT c = 1; c <= columnCount; ++c)
                row << readColumn(stmt, c, types[c - 1], scales[c - 1], errors_);
            rows << row;
        }
        if (ok && result) *result = Recordset(names, rows);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return ok;
}

void OdbcConnection::close()
{
    if (dbc_) {
        if (connected_) SQLDisconnect(static_cast<SQLHDBC>(dbc_));
        SQLFreeHandle(SQL_HANDLE_DBC, static_cast<SQLHDBC>(dbc_));
    }
    dbc_ = nullptr;
    connected_ = false;
}

}  // namespace db
