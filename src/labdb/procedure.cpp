#include "labdb/procedure.h"

#include "labdb/server_errors.h"

#include <cmath>
#include <limits>

namespace labdb {

namespace {

QHash<QString, Procedure> buildRegistry()
{
    QList<Procedure> all;
    addLoginProcedures(all);
    addRackProcedures(all);
    addCustodyProcedures(all);
    addBathProcedures(all);
    addCountProcedures(all);
    addTestProcedures(all);
    addScreeningProcedures(all);
    QHash<QString, Procedure> out;
    for (const Procedure& p : all) out.insert(p.name.toLower(), p);
    return out;
}

QString shortName(const QString& name) { return name.section(QLatin1Char('.'), -1); }

QString typeName(ParamKind kind)
{
    switch (kind) {
    case ParamKind::Integer:
        return QStringLiteral("int");
    case ParamKind::Decimal:
        return QStringLiteral("decimal");
    case ParamKind::Text:
        break;
    }
    return QStringLiteral("varchar");
}

QVariant convert(const CallArgument& a, ParamKind kind)
{
    if (!a.value.isValid()) return {};
    const QString text = a.value.toString();
    if (kind == ParamKind::Text) return text;
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d)) throw ServerError(errors::conversionFailed(text, typeName(kind)));
    if (kind == ParamKind::Decimal) return d;
    const qlonglong whole = text.trimmed().toLongLong(&ok);
    if (ok && whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max()) return whole;
    if (a.isNumber && d == std::trunc(d) && std::abs(d) <= std::numeric_limits<int>::max()) return qlonglong(d);
    throw ServerError(errors::conversionFailed(text, typeName(kind)));
}

}  // namespace

const Procedure* findProcedure(const QString& key)
{
    static const QHash<QString, Procedure> registry = buildRegistry();
    const auto it = registry.constFind(key);
    return it == registry.cend() ? nullptr : &it.value();
}

Args bindArguments(const Procedure& p, const ProcedureCall& call)
{
    const QString procName = shortName(p.name);
    QList<bool> given(p.params.size(), false);
    QList<const CallArgument*> matched(p.params.size(), nullptr);
    bool namedSeen = false;
    for (qsizetype i = 0; i < call.arguments.size(); ++i) {
        const CallArgument& a = call.arguments[i];
        qsizetype index = -1;
        if (a.name.isEmpty()) {
            if (namedSeen) throw ServerError(errors::namedThenPositional(int(i + 1)));
            if (i >= p.params.size()) throw ServerError(errors::tooManyArguments(procName));
            index = i;
        } else {
            namedSeen = true;
            for (qsizetype k = 0; k < p.params.size(); ++k)
                if (p.params[k].name.compare(a.name, Qt::CaseInsensitive) == 0) index = k;
            if (index < 0) throw ServerError(errors::notAParameter(a.name, procName));
            if (given[index]) throw ServerError(errors::parameterTwice(p.params[index].name));
        }
        given[index] = true;
        matched[index] = &a;
    }
    Args args;
    for (qsizetype k = 0; k < p.params.size(); ++k) {
        const ParamSpec& param = p.params[k];
        const CallArgument* a = matched[k];
        if (!a || a->useDefault) {
            if (param.required) throw ServerError(errors::missingParameter(procName, param.name));
            args.set(param.name, param.fallback);
        } else {
            args.set(param.name, convert(*a, param.kind));
        }
    }
    return args;
}

ParamSpec textParam(const char* name, QVariant fallback)
{
    return {QString::fromLatin1(name), ParamKind::Text, false, std::move(fallback)};
}

ParamSpec integerParam(const char* name, QVariant fallback)
{
    return {QString::fromLatin1(name), ParamKind::Integer, false, std::move(fallback)};
}

ParamSpec decimalParam(const char* name, QVariant fallback)
{
    return {QString::fromLatin1(name), ParamKind::Decimal, false, std::move(fallback)};
}

ParamSpec required(ParamSpec param)
{
    param.required = true;
    return param;
}

db::Recordset answer(const QStringList& columns, const QList<QVariantList>& rows) { return db::Recordset(columns, rows); }

db::Recordset errorReply(int error, const QString& message, const QStringList& moreColumns, const QVariantList& moreValues)
{
    QStringList columns{QStringLiteral("ERROR"), QStringLiteral("MESSAGE")};
    columns << moreColumns;
    QVariantList row{qlonglong(error), message};
    row << moreValues;
    while (row.size() < columns.size()) row << QVariant();
    return answer(columns, {row});
}

QString stationTestFilter(const Args& a)
{
    QString out;
    if (a.integer(QStringLiteral("@weight_required")) == 1) {
        out += QStringLiteral(" AND t.DESIRED_WEIGHT IS NOT NULL");
        const QVariant isWeighed = a.value(QStringLiteral("@isWeighed"));
        const QVariant showWeighed = a.value(QStringLiteral("@showWeighed"));
        if (!db::isNull(isWeighed))
            out += isWeighed.toLongLong() == 0 ? QStringLiteral(" AND isnumeric(t.WEIGHT) = 0")
                                               : QStringLiteral(" AND isnumeric(t.WEIGHT) = 1");
        else if (!db::isNull(showWeighed) && showWeighed.toLongLong() == 0)
            out += QStringLiteral(" AND isnumeric(t.WEIGHT) = 0");
    }
    if (a.integer(QStringLiteral("@spat")) == -1)
        out += QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM screen_results sr WHERE sr.TEST_ID = t.TEST_ID AND sr.STATUS_SPAT = 0)");
    if (a.integer(QStringLiteral("@visual")) == -1)
        out += QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM screen_results sr WHERE sr.TEST_ID = t.TEST_ID AND sr.STATUS_VISUAL = 0)");
    return out;
}

}  // namespace labdb
