#include "raw_replay.h"

#include "labdb/connection_pool.h"
#include "labdb/schema.h"
#include "labdb/sql_functions.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

int onStatement(unsigned, void* context, void* statement, void* text)
{
    // Statements of triggers come as "-- TRIGGER name"; their own lines are traced anyway.
    if (qstrncmp(static_cast<const char*>(text), "--", 2) == 0) return 0;
    auto* stmt = static_cast<sqlite3_stmt*>(statement);
    char* expanded = sqlite3_expanded_sql(stmt);
    static_cast<QStringList*>(context)->append(QString::fromUtf8(expanded ? expanded : sqlite3_sql(stmt)));
    sqlite3_free(expanded);
    return 0;
}

void setTrace(const QString& file, QStringList* caught)
{
    std::unique_ptr<labdb::Database> kept = labdb::ConnectionPool::take(file);
    if (!kept) return;
    sqlite3_trace_v2(kept->handle(), caught ? SQLITE_TRACE_STMT : 0, caught ? onStatement : nullptr, caught);
    labdb::ConnectionPool::give(file, std::move(kept));
}

}  // namespace

QStringList traceStatements(const QString& file, const std::function<void()>& action)
{
    QStringList caught;
    setTrace(file, &caught);
    action();
    setTrace(file, nullptr);
    return caught;
}

RawReplay::RawReplay(const QString& file, const QStringList& statements)
{
    db_.open(file, false, 5000);
    labdb::configureConnection(db_);
    labdb::registerSqlFunctions(db_.handle());
    const bool writes = statements.first().startsWith(QLatin1String("BEGIN IMMEDIATE"));
    for (const QString& text : statements) {
        const QByteArray sql = (writes && text == QLatin1String("COMMIT") ? QStringLiteral("ROLLBACK") : text).toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v3(db_.handle(), sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_.handle()));
        statements_.push_back(st);
    }
}

RawReplay::~RawReplay()
{
    for (sqlite3_stmt* st : statements_) sqlite3_finalize(st);
}

void RawReplay::run()
{
    for (sqlite3_stmt* st : statements_) {
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < columns; ++i) {
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_INTEGER:
                    benchmark::DoNotOptimize(sqlite3_column_int64(st, i));
                    break;
                case SQLITE_FLOAT:
                    benchmark::DoNotOptimize(sqlite3_column_double(st, i));
                    break;
                case SQLITE_NULL:
                    break;
                default:
                    benchmark::DoNotOptimize(sqlite3_column_text(st, i));
                }
            }
        }
        sqlite3_reset(st);
    }
}

}  // namespace bench
