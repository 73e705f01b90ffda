#pragma once

#include "platform/db/db_error.h"

#include <QString>
#include <stdexcept>

// The errors the embedded database reports, numbered and worded the way the
// laboratory's SQL Server words them, so that the station shows and treats them
// the same way whichever database it talks to.
namespace labdb {

// Thrown inside a statement to end it; the statement's transaction is rolled back.
class ServerError : public std::runtime_error {
public:
    explicit ServerError(db::DbError e) : std::runtime_error(e.description.toStdString()), error(std::move(e)) {}
    db::DbError error;
};

namespace errors {

db::DbError make(long number, const QString& sqlState, const QString& description);

db::DbError incorrectSyntax(const QString& near);                                  // 102
db::DbError unclosedQuote(const QString& text);                                    // 105
db::DbError procedureNotFound(const QString& name);                                // 2812
db::DbError invalidObject(const QString& name);                                    // 208
db::DbError invalidColumn(const QString& name);                                    // 207
db::DbError missingParameter(const QString& procedure, const QString& parameter);  // 201
db::DbError tooManyArguments(const QString& procedure);                            // 8144
db::DbError notAParameter(const QString& parameter, const QString& procedure);     // 8145
db::DbError parameterTwice(const QString& parameter);                              // 8143
db::DbError namedThenPositional(int number);                                       // 119
db::DbError conversionFailed(const QString& value, const QString& type);           // 245
db::DbError notPermitted(const QString& what);                                     // 229
db::DbError columnNotWritable(const QString& column, const QString& object);       // 230
db::DbError nestedTooDeeply();                                                     // 191
db::DbError queryTimeout();                                                        // the time-out number, HYT00
db::DbError notOpen();
db::DbError internal(const QString& description);  // 50000
// A procedure that refuses the change asked of it raises its reason, as the
// laboratory's procedures do: the statement fails and stores nothing.
db::DbError refused(const QString& reason);  // 50000

}  // namespace errors

// Ends a procedure that refuses what it was asked with the reason, the way the
// laboratory's procedures raise it.
[[noreturn]] inline void refuse(const QString& reason) { throw ServerError(errors::refused(reason)); }

}  // namespace labdb
