// lab.dbo.validate_password: the login of the station.
#include "labdb/password_hash.h"
#include "labdb/procedure.h"

namespace labdb {

namespace {

// A row for the active employee of the laboratory whose password matches; no
// row otherwise. Passwords are found by their keyed hash (password_hash.h).
db::Recordset validatePassword(ProcContext& c, const Args& a)
{
    const QStringList columns = {QStringLiteral("EMP_NUM"), QStringLiteral("FIRSTNAME"), QStringLiteral("LASTNAME"),
                                 QStringLiteral("ISADMIN"), QStringLiteral("Zolt_Func"), QStringLiteral("LAB_CODE")};
    const QString password = a.text(QStringLiteral("@UserPassword"));
    if (a.isNull(QStringLiteral("@UserPassword")) || password.isEmpty()) return answer(columns);
    const QByteArray hash = passwordHash(passwordKeyOf(c.db), password);
    return answer(columns, c.db.rows("SELECT EMP_NUM, FIRST_NAME, LAST_NAME, IS_ADMIN, FUNC_GROUP, LAB_CODE FROM employees "
                                     "WHERE PASSWORD_HASH = ? AND LAB_CODE = ? AND DISMISSED = 'N'",
                                     {hash, a.trimmed(QStringLiteral("@labcode"))}));
}

}  // namespace

void addLoginProcedures(QList<Procedure>& out)
{
    out << Procedure{QStringLiteral("lab.dbo.validate_password"),
                     {textParam("@source"), required(textParam("@UserPassword")), textParam("@labcode", defaultLabCode())},
                     false,
                     validatePassword};
}

}  // namespace labdb
