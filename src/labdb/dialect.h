#pragma once

#include "labdb/procedure.h"
#include "labdb/query_translator.h"

#include <variant>

// Reads one statement text as the station sends it to SQL Server and decides
// what runs: a stored procedure with its matched arguments, a translated plain
// statement, or nothing (an empty text).
namespace labdb {

struct PreparedStatement {
    enum Kind { Empty, Call, Query };
    Kind kind = Empty;
    const Procedure* procedure = nullptr;
    Args args;
    TranslatedQuery query;

    bool writes() const { return kind == Call ? procedure->writes : kind == Query && query.writes; }
};

std::variant<PreparedStatement, db::DbError> prepareStatement(const QString& text);

}  // namespace labdb
