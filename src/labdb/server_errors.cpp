#include "labdb/server_errors.h"

namespace labdb::errors {

namespace {
const QString kSyntaxState = QStringLiteral("42000");
}

db::DbError make(long number, const QString& sqlState, const QString& description)
{
    return db::DbError{number, number, sqlState, description};
}

db::DbError incorrectSyntax(const QString& near)
{
    return make(102, kSyntaxState, QStringLiteral("Incorrect syntax near '%1'.").arg(near));
}

db::DbError nestedTooDeeply()
{
    return make(191, kSyntaxState,
                QStringLiteral(
                    "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into smaller queries."));
}

db::DbError unclosedQuote(const QString& text)
{
    return make(105, kSyntaxState, QStringLiteral("Unclosed quotation mark after the character string '%1'.").arg(text));
}

db::DbError procedureNotFound(const QString& name)
{
    return make(2812, kSyntaxState, QStringLiteral("Could not find stored procedure '%1'.").arg(name));
}

db::DbError invalidObject(const QString& name)
{
    return make(208, QStringLiteral("42S02"), QStringLiteral("Invalid object name '%1'.").arg(name));
}

db::DbError invalidColumn(const QString& name)
{
    return make(207, QStringLiteral("42S22"), QStringLiteral("Invalid column name '%1'.").arg(name));
}

db::DbError missingParameter(const QString& procedure, const QString& parameter)
{
    return make(201, kSyntaxState,
                QStringLiteral("Procedure or function '%1' expects parameter '%2', which was not supplied.").arg(procedure, parameter));
}

db::DbError tooManyArguments(const QString& procedure)
{
    return make(8144, kSyntaxState, QStringLiteral("Procedure or function %1 has too many arguments specified.").arg(procedure));
}

db::DbError notAParameter(const QString& parameter, const QString& procedure)
{
    return make(8145, kSyntaxState, QStringLiteral("%1 is not a parameter for procedure %2.").arg(parameter, procedure));
}

db::DbError parameterTwice(const QString& parameter)
{
    return make(8143, kSyntaxState, QStringLiteral("Parameter '%1' was supplied multiple times.").arg(parameter));
}

db::DbError namedThenPositional(int number)
{
    return make(119, kSyntaxState,
                QStringLiteral("Must pass parameter number %1 and subsequent parameters as '@name = value'. After the form "
                               "'@name = value' has been used, all subsequent parameters must be passed in the form "
                               "'@name = value'.")
                    .arg(number));
}

db::DbError conversionFailed(const QString& value, const QString& type)
{
    return make(245, QStringLiteral("22018"),
                QStringLiteral("Conversion failed when converting the value '%1' to data type %2.").arg(value, type));
}

db::DbError notPermitted(const QString& what)
{
    return make(229, kSyntaxState,
                QStringLiteral("The %1 permission was denied: the laboratory database takes only its stored procedures, "
                               "the station's queries and its weight updates.")
                    .arg(what));
}

db::DbError columnNotWritable(const QString& column, const QString& object)
{
    return make(230, kSyntaxState,
                QStringLiteral("The UPDATE permission was denied on the column '%1' of the object '%2'.").arg(column, object));
}

db::DbError queryTimeout()
{
    return db::DbError{db::kQueryTimeoutNumber, 0, QStringLiteral("HYT00"),
                       QStringLiteral("Query timeout expired: the laboratory database was busy with another station's work.")};
}

db::DbError notOpen() { return make(-1, QStringLiteral("08003"), QStringLiteral("The connection is not open.")); }

db::DbError internal(const QString& description) { return make(50000, QStringLiteral("HY000"), description); }

db::DbError refused(const QString& reason) { return make(50000, kSyntaxState, reason); }

}  // namespace labdb::errors
