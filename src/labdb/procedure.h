#pragma once

#include "labdb/demo_data.h"
#include "labdb/procedure_call.h"
#include "labdb/sqlite_db.h"
#include "platform/db/recordset.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

// The stored procedures of the laboratory database: their parameters, how a
// call's arguments are matched to them, and what each one runs.
namespace labdb {

enum class ParamKind { Text, Integer, Decimal };

struct ParamSpec {
    QString name;  // with its @
    ParamKind kind = ParamKind::Text;
    bool required = false;
    QVariant fallback;  // value when the argument is left out (invalid: NULL)
};

// How a procedure declares its parameters: by kind, with the value a call that
// leaves the argument out gets (NULL unless given), and required(...) around one
// that every call must give:
//     {required(textParam("@lab_code")), textParam("@status", "READY"), integerParam("@test", 0)}
ParamSpec textParam(const char* name, QVariant fallback = {});
ParamSpec integerParam(const char* name, QVariant fallback = {});
ParamSpec decimalParam(const char* name, QVariant fallback = {});
ParamSpec required(ParamSpec param);

// The laboratory a call serves when it names none.
inline QString defaultLabCode() { return QString::fromLatin1(demo::kLabCode); }

// The arguments of one call after matching, looked up by parameter name in any
// letter case. Text values come as sent (not trimmed); integers as qlonglong;
// decimals as double; NULL as an invalid QVariant.
class Args {
public:
    void set(const QString& name, const QVariant& v) { values_.insert(name.toLower(), v); }
    QVariant value(const QString& name) const { return values_.value(name.toLower()); }
    bool isNull(const QString& name) const { return db::isNull(value(name)); }
    QString text(const QString& name) const { return db::textOf(value(name)); }
    QString trimmed(const QString& name) const { return text(name).trimmed(); }
    qlonglong integer(const QString& name) const { return value(name).toLongLong(); }

private:
    QHash<QString, QVariant> values_;
};

// What a procedure works with while it runs inside its transaction.
struct ProcContext {
    Database& db;
    QDateTime now;
};

using ProcHandler = std::function<db::Recordset(ProcContext&, const Args&)>;

struct Procedure {
    QString name;  // three-part name as the laboratory spells it
    QList<ParamSpec> params;
    bool writes = false;  // runs in a write transaction
    ProcHandler run;
};

// The procedure a call names (compared without regard to letter case), or null.
const Procedure* findProcedure(const QString& key);

// Matches the call's arguments to the procedure's parameters the way SQL Server
// does; throws ServerError for a missing, unknown, repeated or unconvertible one.
Args bindArguments(const Procedure& procedure, const ProcedureCall& call);

// Helpers for the procedure bodies.
db::Recordset answer(const QStringList& columns, const QList<QVariantList>& rows = {});
db::Recordset errorReply(int error, const QString& message, const QStringList& moreColumns = {}, const QVariantList& moreValues = {});

// Conditions on a test (alias t) that the station kinds add to their rack
// queries: @weight_required / @isWeighed (or @showWeighed) for the scales,
// @spat / @visual for the screening benches. Only fixed texts, no values.
QString stationTestFilter(const Args& a);

// The registration lists of each area of the database.
void addLoginProcedures(QList<Procedure>& out);
void addRackProcedures(QList<Procedure>& out);
void addCustodyProcedures(QList<Procedure>& out);
void addBathProcedures(QList<Procedure>& out);
void addCountProcedures(QList<Procedure>& out);
void addTestProcedures(QList<Procedure>& out);
void addScreeningProcedures(QList<Procedure>& out);

}  // namespace labdb
