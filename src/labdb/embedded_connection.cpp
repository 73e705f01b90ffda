#include "labdb/embedded_connection.h"

#include "labdb/connection_pool.h"
#include "labdb/dialect.h"
#include "labdb/schema.h"
#include "labdb/server_errors.h"
#include "labdb/sql_functions.h"
#include "platform/db/station_connection.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace labdb {

namespace {

// ADO's command time-out 0 means "wait as long as it takes".
int waitMs(int seconds) { return seconds <= 0 ? 24 * 3600 * 1000 : seconds * 1000; }

db::DbError cannotOpen(const QString& description) { return errors::make(4060, QStringLiteral("08004"), description); }

db::DbError fromSqlite(const SqliteError& e)
{
    if (e.isBusy() || e.code == SQLITE_INTERRUPT) return errors::queryTimeout();
    static const QRegularExpression noColumn(QStringLiteral("no such column: (\\S+)"));
    const QRegularExpressionMatch m = noColumn.match(e.text);
    if (m.hasMatch()) return errors::invalidColumn(m.captured(1).section(QLatin1Char('.'), -1).remove(QLatin1Char('"')));
    if (e.code == SQLITE_CONSTRAINT) {
        // A trigger's own text may end in a full stop already, or be empty.
        QString reason = e.text.trimmed();
        if (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
        reason = reason.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + reason + QStringLiteral(".");
        if (e.extendedCode == SQLITE_CONSTRAINT_UNIQUE || e.extendedCode == SQLITE_CONSTRAINT_PRIMARYKEY)
            return errors::make(2627, QStringLiteral("23000"), QStringLiteral("Violation of UNIQUE KEY constraint") + reason);
        return errors::make(547, QStringLiteral("23000"), QStringLiteral("The statement conflicted with a constraint") + reason);
    }
    return errors::internal(QStringLiteral("The laboratory database failed: %1").arg(e.text));
}

// Ends a statement that has run longer than the command time-out.
struct Deadline {
    QElapsedTimer clock;
    qint64 limitMs = 0;
};

int overDeadline(void* p)
{
    const auto* d = static_cast<Deadline*>(p);
    return d->clock.elapsed() > d->limitMs ? 1 : 0;
}

}  // namespace

QString embeddedPath(const QString& connectionString)
{
    QString s = connectionString.trimmed();
    const QString prefix = QLatin1String(db::kEmbeddedPrefix);
    if (s.startsWith(prefix, Qt::CaseInsensitive)) s = s.mid(prefix.size());
    return s.section(QLatin1Char(';'), 0, 0).trimmed();
}

void EmbeddedConnection::setCommandTimeout(int seconds)
{
    commandTimeout_ = seconds;
    if (db_) db_->setBusyTimeout(waitMs(seconds));
}

bool EmbeddedConnection::open(const QString& connectionString, const QString&, const QString&)
{
    errors_.clear();
    close();
    const QString path = embeddedPath(connectionString);
    if (path.isEmpty()) {
        errors_ << cannotOpen(QStringLiteral("The connection string names no laboratory database file."));
        return false;
    }
    // Messages name the file whole: the station's own is named relative to its folder.
    const QString named = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        // A station's file that went missing is put back, never made anew: an empty
        // database beside the real one would lose the laboratory's work.
        errors_ << cannotOpen(QStringLiteral("The laboratory database file %1 is missing. Restore it from its backup to that place; "
                                             "the station does not make a new one. (labdb init only makes the database of a new station.)")
                                  .arg(named));
        return false;
    }
    file_ = QFileInfo(path).canonicalFilePath();
    db_ = ConnectionPool::take(file_);
    if (!db_) {
        db_ = std::make_unique<Database>();
        try {
            db_->open(path, false, waitMs(connectionTimeout_));
            // SQLite opens a file it may not write read-only; every write would then
            // fail half-way through the station's work, so the file is refused at once.
            if (sqlite3_db_readonly(db_->handle(), "main") == 1) {
                db_.reset();
                errors_ << cannotOpen(QStringLiteral("The laboratory database file %1 cannot be written. Check that the station's user may "
                                                     "write the file and its folder, that the file is neither read-only nor immutable "
                                                     "(lsattr shows an i; chattr -i clears it) and that its disk is not mounted read-only.")
                                          .arg(named));
                return false;
            }
            configureConnection(*db_);
            registerSqlFunctions(db_->handle());
            if (!hasLabSchema(*db_)) {
                db_.reset();
                errors_ << cannotOpen(QStringLiteral("The file %1 is not a laboratory database of this station.").arg(named));
                return false;
            }
        } catch (const SqliteError& e) {
            db_.reset();
            errors_ << (e.isBusy() ? errors::queryTimeout()
                                   : cannotOpen(QStringLiteral("The laboratory database file %1 cannot be opened: %2").arg(named, e.text)));
            return false;
        }
    }
    db_->setBusyTimeout(waitMs(commandTimeout_));
    return true;
}

bool EmbeddedConnection::execute(const QString& sql, db::Recordset* result)
{
    errors_.clear();
    if (result) *result = db::Recordset();
    if (!isOpen()) {
        errors_ << errors::notOpen();
        return false;
    }
    auto prepared = prepareStatement(sql);
    if (auto* e = std::get_if<db::DbError>(&prepared)) {
        errors_ << *e;
        return false;
    }
    const PreparedStatement& statement = std::get<PreparedStatement>(prepared);
    if (statement.kind == PreparedStatement::Empty) return true;

    Deadline deadline;
    deadline.limitMs = waitMs(commandTimeout_);
    deadline.clock.start();
    sqlite3_progress_handler(db_->handle(), 1000, overDeadline, &deadline);
    bool ok = false;
    try {
        db_->script(statement.writes() ? "BEGIN IMMEDIATE" : "BEGIN");
        db::Recordset answer = run(statement);
        db_->script("COMMIT");
        if (result) *result = answer;
        ok = true;
    } catch (const ServerError& e) {
        errors_ << e.error;
    } catch (const SqliteError& e) {
        errors_ << fromSqlite(e);
    } catch (const std::exception& e) {
        errors_ << errors::internal(QString::fromLocal8Bit(e.what()));
    }
    if (!ok) rollback();
    sqlite3_progress_handler(db_->handle(), 0, nullptr, nullptr);
    return ok;
}

db::Recordset EmbeddedConnection::run(const PreparedStatement& statement)
{
    if (statement.kind == PreparedStatement::Call) {
        ProcContext context{*db_, currentTime()};
        return statement.procedure->run(context, statement.args);
    }
    Statement st = db_->run(statement.query.sql, statement.query.params);
    QStringList columns;
    for (int i = 0; i < st.columnCount(); ++i) columns << st.columnName(i);
    QList<QVariantList> rows;
    while (st.step()) {
        QVariantList row;
        for (int i = 0; i < columns.size(); ++i) row << st.value(i);
        rows << row;
    }
    st.reset();
    if (statement.query.writes) return db::Recordset();
    return db::Recordset(columns, rows);
}

void EmbeddedConnection::close()
{
    ConnectionPool::give(file_, std::move(db_));
    db_.reset();
}

void EmbeddedConnection::rollback()
{
    if (isOpen() && !sqlite3_get_autocommit(db_->handle())) sqlite3_exec(db_->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

}  // namespace labdb
