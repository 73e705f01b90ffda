#include "labdb/sql_functions.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>
#include <unordered_map>

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

// json_tally's running counts live on the heap; SQLite keeps only the pointer.
// Rows of one value tend to come together (the samples of a rack were received
// one after another), so the last value's count is kept at hand.
struct Tally {
    std::unordered_map<qlonglong, qlonglong> counts;
    qlonglong lastValue = 0;
    qlonglong* lastCount = nullptr;
};

void tallyStep(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    auto** tally = static_cast<Tally**>(sqlite3_aggregate_context(ctx, sizeof(Tally*)));
    if (!tally) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
    if (!*tally) {
        *tally = new Tally;
        (*tally)->counts.reserve(256);
    }
    Tally& t = **tally;
    const qlonglong value = sqlite3_value_int64(argv[0]);
    if (!t.lastCount || value != t.lastValue) {
        t.lastValue = value;
        t.lastCount = &t.counts[value];
    }
    ++*t.lastCount;
}

void tallyFinal(sqlite3_context* ctx)
{
    auto** tally = static_cast<Tally**>(sqlite3_aggregate_context(ctx, 0));
    QByteArray json = "{";
    if (tally && *tally) {
        for (const auto& [value, count] : (*tally)->counts) {
            if (json.size() > 1) json += ',';
            json += '"' + QByteArray::number(value) + "\":" + QByteArray::number(count);
        }
        delete *tally;
        *tally = nullptr;
    }
    json += '}';
    sqlite3_result_text(ctx, json.constData(), int(json.size()), SQLITE_TRANSIENT);
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
    sqlite3_create_function(db, "json_tally", 1, SQLITE_UTF8, nullptr, nullptr, tallyStep, tallyFinal);
}

}  // namespace labdb
