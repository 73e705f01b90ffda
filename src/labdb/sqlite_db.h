#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace labdb {

// A failure reported by SQLite itself (busy, constraint, malformed statement).
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, int extendedCode, const QString& message)
        : std::runtime_error(message.toStdString()), code(code), extendedCode(extendedCode), text(message)
    {
    }
    bool isBusy() const;
    int code;
    int extendedCode;
    QString text;
};

using Params = QVariantList;

// One prepared statement; values bind from QVariants (an invalid QVariant binds
// NULL) and columns read back as whole numbers, decimals, texts or, for columns
// declared DATETIME, date-times.
class Statement {
public:
    Statement(sqlite3* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
    void bindAll(const Params& params);
    bool step();  // true while a row is ready
    void reset();
    int columnCount() const;
    QString columnName(int i) const;
    QVariant value(int i) const;
    // Without a QVariant, for loops over many rows: a whole number, and the
    // bytes of a text (valid until the next step).
    qlonglong integer(int i) const;
    QByteArrayView text(int i) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_;
};

// One open SQLite file with a cache of prepared statements.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // create: make the file when it is missing (only `labdb init` does that).
    void open(const QString& path, bool create, int busyTimeoutMs);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }
    void setBusyTimeout(int ms);

    // Runs one or more statements without parameters.
    void script(const char* sql);

    // Prepares (once per connection) and binds a statement; the caller steps it.
    Statement run(const QByteArray& sql, const Params& params = {});
    QList<QVariantList> rows(const QByteArray& sql, const Params& params = {});
    QVariantList firstRow(const QByteArray& sql, const Params& params = {});  // empty when none
    QVariant scalar(const QByteArray& sql, const Params& params = {});        // NULL when no row
    int exec(const QByteArray& sql, const Params& params = {});               // rows changed
    qint64 lastInsertId() const;

    [[noreturn]] void fail(int rc) const;

private:
    sqlite3_stmt* prepared(const QByteArray& sql);
    sqlite3* db_ = nullptr;
    QHash<QByteArray, sqlite3_stmt*> cache_;
};

// Date-times are stored as local-time texts in this form.
inline constexpr char kDateTimeFormat[] = "yyyy-MM-dd hh:mm:ss";
QString dateTimeText(const QDateTime& t);
QDateTime currentTime();

}  // namespace labdb
