#pragma once

#include "labdb/sql_lexer.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <variant>

// A stored-procedure call as the station writes it: "exec lab.dbo.proc @a = 1,
// @b = 'x'", with or without exec, arguments named or positional.
namespace labdb {

struct CallArgument {
    QString name;             // "@name" as written, empty for a positional argument
    QVariant value;           // QString for a text, the literal's text for a number, invalid for null
    bool isNumber = false;    // the value was written as a number
    bool useDefault = false;  // written as the word default
};

struct ProcedureCall {
    QString name;  // as written, e.g. "Lab.dbo.import_PC002"
    QString key;   // lower case with an empty schema read as dbo, e.g. "lab.dbo.import_pc002"
    QList<CallArgument> arguments;
};

// Reads a procedure name and its arguments from token `at` to the end.
std::variant<ProcedureCall, db::DbError> parseCall(const QList<Token>& tokens, qsizetype at);

// Reads a dotted object name (up to three parts) starting at token `at`; `at`
// moves past it. Empty when the tokens there are no name.
QStringList readObjectName(const QList<Token>& tokens, qsizetype& at);

}  // namespace labdb
