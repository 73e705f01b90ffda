#pragma once

#include "platform/db/recordset.h"

#include <QString>
#include <QVariant>
#include <cstdint>

// The technician logged in at the station, and the kind of station this program runs.
class Employee {
public:
    Employee();

    QString Station;
    QString Last_Name;
    QString First_Name;
    bool isAdmin = false;
    QString Password;
    QString FullName_Supervisor;
    std::int16_t Supervisor = 0;
    QString Lab_Code;
    QString Department;
    std::int16_t Emp_Num = -1;  // -1 while nobody is logged in
    QString Full_name;

    // Checks the password with the laboratory database; on success fills the record,
    // on a refusal empties it. A refusal for any other reason than a password the
    // laboratory does not know is told to the technician here or by the gateway.
    bool Login(const QVariant& vPassword);
    void Employee_Reset();
    void Employee_Refresh();
    db::Recordset Employee_List(const QVariant& Emp_Num, const QString& whatDepartment, bool includeDismissed);

    // The statement texts the record sends.
    QString Login_Statement(const QString& password) const;
    QString Employee_List_Statement(const QString& whatDepartment, bool includeDismissed) const;
};

namespace commonModule {

// The technician at the station, program-wide: created on first use and kept to the end.
Employee& Curr_Employee();

}  // namespace commonModule
