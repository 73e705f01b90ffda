#include "labdb/sql_functions.h"

#include <QString>
#include <sqlite3.h>

namespace labdb {

namespace {

QString textArg(sqlite3_value* v)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void charindex(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString needle = textArg(argv[0]);
    const QString haystack = textArg(argv[1]);
    qsizetype from = 0;
    if (argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL) from = qMax<qsizetype>(0, sqlite3_value_int64(argv[2]) - 1);
    if (needle.isEmpty()) {
        sqlite3_result_int64(ctx, 0);
        return;
    }
    sqlite3_result_int64(ctx, haystack.indexOf(needle, from, Qt::CaseInsensitive) + 1);
}

void isnumeric(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_int(ctx, 1);
        return;
    case SQLITE_TEXT:
        sqlite3_result_int(ctx, looksNumeric(textArg(argv[0])) ? 1 : 0);
        return;
    default:
        sqlite3_result_int(ctx, 0);
    }
}

}  // namespace

bool looksNumeric(const QString& text)
{
    bool ok = false;
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    t.toDouble(&ok);
    return ok;
}

void registerSqlFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "charindex", 2, flags, nullptr, charindex, nullptr, nullptr);
    sqlite3_create_function(db, "charindex", 3, flags, nullptr, charindex, nullptr, nullptr);
    sqlite3_create_function(db, "isnumeric", 1, flags, nullptr, isnumeric, nullptr, nullptr);
}

}  // namespace labdb
