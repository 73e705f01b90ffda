#include "labdb/sqlite_db.h"

#include <QDateTime>
#include <sqlite3.h>

namespace labdb {

bool SqliteError::isBusy() const { return code == SQLITE_BUSY || code == SQLITE_LOCKED; }

namespace {

// "yyyy-MM-dd hh:mm:ss" read by hand: QDateTime::fromString with a format costs
// more than the whole query of a rack.
QDateTime parseDateTime(const QString& t)
{
    if (t.size() < 19) return {};
    const auto num = [&](int from, int len, bool& ok) {
        int v = 0;
        for (int i = from; i < from + len; ++i) {
            if (!t[i].isDigit()) ok = false;
            v = v * 10 + t[i].digitValue();
        }
        return v;
    };
    bool ok = t[4] == QLatin1Char('-') && t[7] == QLatin1Char('-') && t[10] == QLatin1Char(' ') && t[13] == QLatin1Char(':') &&
              t[16] == QLatin1Char(':');
    const QDate date(num(0, 4, ok), num(5, 2, ok), num(8, 2, ok));
    const QTime time(num(11, 2, ok), num(14, 2, ok), num(17, 2, ok));
    if (!ok || !date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time);
}

}  // namespace

QString dateTimeText(const QDateTime& t) { return t.toString(QLatin1String(kDateTimeFormat)); }

QDateTime currentTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}

void Statement::bindAll(const Params& params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        const int at = i + 1;
        int rc = SQLITE_OK;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(stmt_, at);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Long:
            case QMetaType::Short:
                rc = sqlite3_bind_int64(stmt_, at, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt_, at, v.toDouble());
                break;
            case QMetaType::QDateTime:
                rc = sqlite3_bind_text(stmt_, at, dateTimeText(v.toDateTime()).toUtf8().constData(), -1, SQLITE_TRANSIENT);
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(stmt_, at, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray text = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt_, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK) throw SqliteError(rc, rc, QString::fromUtf8(sqlite3_errmsg(db_)));
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    const int extended = sqlite3_extended_errcode(db_);
    sqlite3_reset(stmt_);
    throw SqliteError(rc & 0xff, extended, message);
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt_, i)); }

QVariant Statement::value(int i) const
{
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)), sqlite3_column_bytes(stmt_, i)));
    default: {
        const QString text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)), sqlite3_column_bytes(stmt_, i));
        const char* declared = sqlite3_column_decltype(stmt_, i);
        if (declared && qstricmp(declared, "DATETIME") == 0) {
            const QDateTime t = parseDateTime(text);
            if (t.isValid()) return t;
        }
        return text;
    }
    }
}

qlonglong Statement::integer(int i) const { return sqlite3_column_int64(stmt_, i); }

QByteArrayView Statement::text(int i) const
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return QByteArrayView(bytes, sqlite3_column_bytes(stmt_, i));
}

Database::~Database() { close(); }

void Database::open(const QString& path, bool create, int busyTimeoutMs)
{
    close();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (create) flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(rc, rc, message);
    }
    // A double-quoted name that is not a column must be an error, never a text.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    // Plans never hang on the values bound to a statement: otherwise a value
    // compared with a partial index's condition or used as a LIKE pattern makes
    // SQLite prepare the cached statement anew at every call.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_QPSG, 1, nullptr);
    sqlite3_extended_result_codes(db_, 1);
    setBusyTimeout(busyTimeoutMs);
}

void Database::close()
{
    for (sqlite3_stmt* s : std::as_const(cache_)) sqlite3_finalize(s);
    cache_.clear();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::setBusyTimeout(int ms)
{
    if (db_) sqlite3_busy_timeout(db_, ms);
}

void Database::fail(int rc) const { throw SqliteError(rc & 0xff, sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_))); }

void Database::script(const char* sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        throw SqliteError(rc & 0xff, sqlite3_extended_errcode(db_), text);
    }
}

sqlite3_stmt* Database::prepared(const QByteArray& sql)
{
    if (sqlite3_stmt* s = cache_.value(sql)) {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        return s;
    }
    sqlite3_stmt* s = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (rc != SQLITE_OK) fail(rc);
    cache_.insert(sql, s);
    return s;
}

Statement Database::run(const QByteArray& sql, const Params& params)
{
    Statement st(db_, prepared(sql));
    st.bindAll(params);
    return st;
}

QList<QVariantList> Database::rows(const QByteArray& sql, const Params& params)
{
    Statement st = run(sql, params);
    QList<QVariantList> out;
    const int n = st.columnCount();
    while (st.step()) {
        QVariantList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i) row << st.value(i);
        out << row;
    }
    st.reset();
    return out;
}

QVariantList Database::firstRow(const QByteArray& sql, const Params& params)
{
    Statement st = run(sql, params);
    QVariantList row;
    if (st.step())
        for (int i = 0; i < st.columnCount(); ++i) row << st.value(i);
    st.reset();
    return row;
}

QVariant Database::scalar(const QByteArray& sql, const Params& params)
{
    const QVariantList row = firstRow(sql, params);
    return row.isEmpty() ? QVariant() : row.first();
}

int Database::exec(const QByteArray& sql, const Params& params)
{
    Statement st = run(sql, params);
    while (st.step()) {
    }
    st.reset();
    return sqlite3_changes(db_);
}

qint64 Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

}  // namespace labdb
