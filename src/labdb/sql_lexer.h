#pragma once

#include "platform/db/db_error.h"

#include <QList>
#include <QString>
#include <optional>

// Splits a statement text into the tokens of the station's SQL dialect.
namespace labdb {

struct Token {
    enum Kind { End, Word, QuotedName, Variable, Text, Number, Symbol };
    Kind kind = End;
    QString text;  // Text: the value with doubled quotes made single; others: as written
    qsizetype pos = 0;

    bool is(Kind k) const { return kind == k; }
    bool isWord(const char* word) const { return kind == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; }
    bool isSymbol(const char* symbol) const { return kind == Symbol && text == QLatin1String(symbol); }
    bool isName() const { return kind == Word || kind == QuotedName; }
};

struct Tokens {
    QList<Token> list;  // always ends with an End token
    std::optional<db::DbError> error;
};

// Strings are single-quoted with '' for a quote inside (N'...' too); with the
// station's QuotedID=No, double quotes also delimit strings. [name] is a name.
// -- and /* */ comments are skipped.
Tokens tokenize(const QString& sql);

}  // namespace labdb
