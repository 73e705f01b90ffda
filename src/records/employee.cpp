#include "records/employee.h"

#include "common/alert.h"
#include "common/db_module.h"
#include "common/laboratory.h"
#include "common/sql_text.h"
#include "records/value_reading.h"

#include <optional>

namespace {

QString trimRight(const QString& s)
{
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == QLatin1Char(' ')) --end;
    return s.left(end);
}

}  // namespace

Employee::Employee() { Employee_Reset(); }

void Employee::Employee_Reset()
{
    Emp_Num = -1;
    isAdmin = false;
    First_Name.clear();
    Last_Name.clear();
    Full_name.clear();
    Password.clear();
    Department.clear();
    Lab_Code = laboratory::Lab_Code;
}

void Employee::Employee_Refresh()
{
    Emp_Num = -1;
    Full_name.clear();
}

QString Employee::Login_Statement(const QString& password) const
{
    return QStringLiteral("exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = ") + sqlQuoted(trimRight(password)) +
           QStringLiteral(", @labcode = ") + sqlQuoted(Lab_Code);
}

bool Employee::Login(const QVariant& vPassword)
{
    const QString password = db::textOf(vPassword);
    const unsigned long toldBefore = commonModule::alertsShown();
    db::Recordset rs = dbModule::Get_Recordset(Login_Statement(password), true);
    // Every refused login leaves nobody logged in, never the technician before it.
    if (!rs.isOpen()) {
        Employee_Reset();
        // A laboratory that cannot be reached has been named by the gateway; a call
        // that ran out of time or failed has not, and is told here.
        if (commonModule::alertsShown() == toldBefore)
            commonModule::Show_Alert(QStringLiteral("The password could not be checked: the laboratory database did not answer. "
                                                    "Please try again."));
        return false;
    }
    if (rs.eof() || rs.isNullAt(QStringLiteral("EMP_NUM"))) {
        rs.close();
        Employee_Reset();
        return false;
    }
    // The employee number goes into every custody, bath and count call: one that
    // does not fit the station's number is refused, never cut down to another one.
    const QVariant number = rs.value(QStringLiteral("EMP_NUM"));
    const std::optional<std::int16_t> empNum = records::int16Of(number);
    if (!empNum || *empNum < 0) {
        rs.close();
        Employee_Reset();
        commonModule::Show_Alert(QStringLiteral("The employee number %1 cannot be used at this station (only 0 to 32767). "
                                                "Please ask the laboratory's administrator.")
                                     .arg(db::textOf(number).trimmed()));
        return false;
    }
    Emp_Num = *empNum;
    isAdmin = rs.value(QStringLiteral("ISADMIN")).toInt() == 1;
    const QString first = db::textOf(rs.value(QStringLiteral("FIRSTNAME")));
    const QString last = db::textOf(rs.value(QStringLiteral("LASTNAME")));
    Full_name = first.trimmed() + QLatin1Char(' ') + last.trimmed();
    First_Name = first;
    Last_Name = last;
    Password = password;
    Department = db::textOf(rs.value(QStringLiteral("Zolt_Func"))).trimmed();
    rs.close();
    return true;
}

QString Employee::Employee_List_Statement(const QString& whatDepartment, bool includeDismissed) const
{
    const QString lab = sqlQuoted(Lab_Code.trimmed());
    const QString active = includeDismissed ? QString() : QStringLiteral("and    dismissed = 'N' ");
    QString sql = QStringLiteral("select * from travomi.dbo.view_employees (nolock) ") + QStringLiteral("where  lab_code = ") + lab +
                  QStringLiteral(" ") + active;
    if (!whatDepartment.trimmed().isEmpty()) {
        const QString group = sqlQuoted(whatDepartment.trimmed());
        sql += QStringLiteral("and    func_group = ") + group + QStringLiteral(" ") +
               QStringLiteral("union select * from travomi.dbo.view_employees (nolock) ") + QStringLiteral("where  lab_code = ") + lab +
               QStringLiteral(" ") + active +
               QStringLiteral("and    emp_num in (select supervisor_id from travomi.dbo.view_employees (nolock) ") +
               QStringLiteral("where  lab_code = ") + lab + QStringLiteral(" and func_group = ") + group + QStringLiteral(") ");
    }
    return sql + QStringLiteral("order by job_desc, full_name");
}

db::Recordset Employee::Employee_List(const QVariant&, const QString& whatDepartment, bool includeDismissed)
{
    return dbModule::Get_Recordset(Employee_List_Statement(whatDepartment, includeDismissed), true);
}

namespace commonModule {

Employee& Curr_Employee()
{
    static Employee employee;
    return employee;
}

}  // namespace commonModule
