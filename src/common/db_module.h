#pragma once

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

// The one way from the station to the laboratory database. Every call opens a
// connection of its own on Conn_String, runs one statement and retries it on a
// fresh connection when the database reports a time-out, five attempts at most.
namespace dbModule {

// The connection string of every call; an empty one is replaced at the first call
// by the one the station's configuration gives (without a data source, the
// embedded laboratory database of the current folder).
extern QString Conn_String;

// The connection string that stands in when Conn_String is empty.
QString Fallback_Conn_String();

// Attempt counters of one gateway, kept across calls: Try_Count is 0 between
// calls, 1 during a first attempt and one higher after each time-out.
struct Attempt_Counters {
    std::int16_t Max_Tries = 0;
    std::int16_t Try_Count = 0;
};
Attempt_Counters& Get_Recordset_Counters();
Attempt_Counters& Execute_SQL_Counters();

// Runs a statement that answers with rows; an unopened recordset when it failed.
db::Recordset Get_Recordset(const QString& sSQL, bool bShowErr = true);

// Runs an action statement; true when it ran and left no error.
bool Execute_SQL(const QString& sSQL, bool bShowErr = true);

// Whether the database answered the latest Get_Recordset or Execute_SQL: false
// when no connection could be opened, the connection went away, or every attempt
// timed out (an outage, a lock held past the retries); true when the statement
// ran, also when the database refused it with an error.
bool Last_Call_Answered();

// The database's own words for why it refused the latest call with an error; empty
// when that call ran or got no answer at all.
QString Last_Call_Error();

// Counts the errors with a non-zero number left in the connection's list and,
// when bShowErr is set, shows them all in one message.
std::int16_t Check_DB_Errors(const db::Connection& cn, bool bShowErr);

// How the gateway makes its connections; tests put a fake in place. An empty
// maker restores the station's own connection.
using Connection_Maker = std::function<std::unique_ptr<db::Connection>()>;
void Set_Connection_Maker(Connection_Maker maker);

// The message shown when no connection could be opened.
inline constexpr char kUnreachableMessage[] = "The laboratory database cannot be reached.";

}  // namespace dbModule
