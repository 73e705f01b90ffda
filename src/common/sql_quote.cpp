#include "common/sql_quote.h"

#include "common/sql_text.h"
#include "platform/db/recordset.h"

namespace commonModule {
namespace {

QString trimBlanks(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin) == QLatin1Char(' ')) ++begin;
    while (end > begin && s.at(end - 1) == QLatin1Char(' ')) --end;
    return s.mid(begin, end - begin);
}

}  // namespace

QString Sql_Quote(const QVariant& vValue, const QVariant& vDefault)
{
    if (!db::isNull(vValue)) {
        const QString value = trimBlanks(vValue.toString());
        if (!value.isEmpty()) return sqlQuoted(value) + QStringLiteral(" ");
    }
    return db::textOf(vDefault);
}

}  // namespace commonModule
