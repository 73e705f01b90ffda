#include "common/db_module.h"

#include "common/alert.h"
#include "common/station_config.h"
#include "platform/db/station_connection.h"

#include <QStringList>
#include <algorithm>

namespace dbModule {

QString Conn_String;

namespace {

constexpr int kCommandTimeout = 20;
constexpr int kConnectionTimeout = 300;
constexpr std::int16_t kMaxTries = 5;
const QString kCrLf = QStringLiteral("\r\n");

Connection_Maker& maker()
{
    static Connection_Maker m;
    return m;
}

// Creates and opens the connection of one attempt. A connection that cannot be
// opened is reported once and answers as a failed statement.
std::unique_ptr<db::Connection> openConnection(bool bShowErr)
{
    if (Conn_String.isEmpty()) Conn_String = Fallback_Conn_String();
    std::unique_ptr<db::Connection> cn = maker() ? maker()() : std::make_unique<db::StationConnection>();
    cn->setCommandTimeout(kCommandTimeout);
    cn->setConnectionTimeout(kConnectionTimeout);
    if (cn->open(Conn_String, QString(), QString())) return cn;

    if (bShowErr) {
        QString text = QString::fromLatin1(kUnreachableMessage);
        for (const db::DbError& e : cn->errors())
            if (!e.description.trimmed().isEmpty()) text += kCrLf + kCrLf + e.description.trimmed();
        commonModule::Show_Alert(text);
    }
    return nullptr;
}

bool& lastCallAnswered()
{
    static bool answered = true;
    return answered;
}

// The statement failed without an answer of the database: it timed out, or the
// connection went away under it (SQLSTATE class 08).
bool unanswered(const db::Connection& cn)
{
    return std::any_of(cn.errors().begin(), cn.errors().end(), [](const db::DbError& e) {
        return e.number == db::kQueryTimeoutNumber || e.sqlState.startsWith(QLatin1String("08"));
    });
}

QString& lastCallError()
{
    static QString error;
    return error;
}

// Notes how the latest statement ended: ran, refused with an error, or no answer.
void noteFailure(const db::Connection& cn)
{
    lastCallAnswered() = !unanswered(cn);
    QStringList reasons;
    if (lastCallAnswered())
        for (const db::DbError& e : cn.errors())
            if (!e.description.trimmed().isEmpty()) reasons << e.description.trimmed();
    lastCallError() = reasons.join(QLatin1Char(' '));
}

// The error path: true when the failed attempt timed out and may be tried again.
bool timedOutAndMayRetry(const db::Connection& cn, Attempt_Counters& counters)
{
    bool timedOut = false;
    for (const db::DbError& e : cn.errors()) {
        if (e.number == db::kQueryTimeoutNumber) {
            timedOut = true;
            ++counters.Try_Count;
        }
    }
    return timedOut && counters.Try_Count <= counters.Max_Tries;
}

void beginAttempt(Attempt_Counters& counters)
{
    counters.Max_Tries = kMaxTries;
    if (counters.Try_Count == 0) counters.Try_Count = 1;
}

}  // namespace

QString Fallback_Conn_String() { return stationConnectionString(stationConfig()); }

Attempt_Counters& Get_Recordset_Counters()
{
    static Attempt_Counters c;
    return c;
}

Attempt_Counters& Execute_SQL_Counters()
{
    static Attempt_Counters c;
    return c;
}

bool Last_Call_Answered() { return lastCallAnswered(); }

QString Last_Call_Error() { return lastCallError(); }

void Set_Connection_Maker(Connection_Maker m) { maker() = std::move(m); }

db::Recordset Get_Recordset(const QString& sSQL, bool bShowErr)
{
    Attempt_Counters& counters = Get_Recordset_Counters();
    beginAttempt(counters);
    db::Recordset rs;
    lastCallAnswered() = false;
    lastCallError().clear();
    if (std::unique_ptr<db::Connection> cn = openConnection(bShowErr)) {
        if (cn->execute(sSQL, &rs)) {
            lastCallAnswered() = true;
            Check_DB_Errors(*cn, bShowErr);
        } else if (timedOutAndMayRetry(*cn, counters)) {
            cn->close();
            rs = Get_Recordset(sSQL, bShowErr);
        } else {
            noteFailure(*cn);
        }
    }
    counters.Try_Count = 0;
    return rs;
}

bool Execute_SQL(const QString& sSQL, bool bShowErr)
{
    Attempt_Counters& counters = Execute_SQL_Counters();
    beginAttempt(counters);
    bool result = false;
    lastCallAnswered() = false;
    lastCallError().clear();
    if (std::unique_ptr<db::Connection> cn = openConnection(bShowErr)) {
        if (cn->execute(sSQL, nullptr)) result = Check_DB_Errors(*cn, bShowErr) == 0;
        if (!result && timedOutAndMayRetry(*cn, counters)) {
            cn->close();
            result = Execute_SQL(sSQL, bShowErr);
        } else if (result) {
            lastCallAnswered() = true;
        } else {
            noteFailure(*cn);
        }
    }
    counters.Try_Count = 0;
    return result;
}

std::int16_t Check_DB_Errors(const db::Connection& cn, bool bShowErr)
{
    std::int16_t count = 0;
    QString text;
    for (const db::DbError& e : cn.errors()) {
        if (e.number == 0) continue;
        ++count;
        text += QStringLiteral("Error[") + QString::number(e.number) + QStringLiteral("]") + kCrLf + kCrLf + e.description + kCrLf + kCrLf +
                kCrLf;
    }
    if (!text.isEmpty() && bShowErr) commonModule::Show_Alert(text);
    return count;
}

}  // namespace dbModule
