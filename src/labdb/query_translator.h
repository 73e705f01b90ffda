#pragma once

#include "labdb/sql_lexer.h"
#include "labdb/sqlite_db.h"

#include <QByteArray>
#include <variant>

// The plain statements of the station (SELECTs of the settings, documents,
// employee directory and outstanding-test count; the weight UPDATEs) rewritten
// for SQLite. Only known tables may be named, only known functions called, and
// every literal becomes a bound parameter, so no value can turn into statement
// text.
namespace labdb {

struct TranslatedQuery {
    QByteArray sql;
    Params params;
    bool writes = false;
};

std::variant<TranslatedQuery, db::DbError> translateQuery(const QList<Token>& tokens);

}  // namespace labdb
