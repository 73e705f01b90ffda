#include "alert_recorder.h"
#include "common/db_module.h"
#include "fake_database.h"
#include "qstring_printer.h"
#include "records/employee.h"

#include <gtest/gtest.h>

namespace {

const QStringList kLoginColumns = {"EMP_NUM", "ISADMIN", "FIRSTNAME", "LASTNAME", "Zolt_Func"};

TEST(EmployeeTest, FreshRecordIsNobodyOfTheLaboratory)
{
    Employee e;
    EXPECT_EQ(e.Emp_Num, -1);
    EXPECT_EQ(e.Lab_Code, "ZIVIRUZEZ");
    EXPECT_FALSE(e.isAdmin);
    EXPECT_TRUE(e.Full_name.isEmpty());
}

TEST(EmployeeTest, LoginSendsTheTrimmedPasswordAndFillsTheRecord)
{
    FakeDatabase database;
    database.script(FakeDatabase::rows(kLoginColumns, {{412, 1, "  Ann ", " Smith  ", " LABTECH "}}));
    Employee e;
    e.Station = "PARTICLE COUNT";

    ASSERT_TRUE(e.Login(QStringLiteral("demo1  ")));
    EXPECT_EQ(database.last(), "exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = 'demo1', @labcode = 'ZIVIRUZEZ'");
    EXPECT_EQ(e.Emp_Num, 412);
    EXPECT_TRUE(e.isAdmin);
    EXPECT_EQ(e.Full_name, "Ann Smith") << "names trimmed and joined by one blank";
    EXPECT_EQ(e.First_Name, "  Ann ");
    EXPECT_EQ(e.Last_Name, " Smith  ");
    EXPECT_EQ(e.Password, "demo1  ") << "kept as entered";
    EXPECT_EQ(e.Department, "LABTECH");
    EXPECT_EQ(e.Station, "PARTICLE COUNT");
}

TEST(EmployeeTest, QuoteInPasswordIsSentDoubled)
{
    FakeDatabase database;
    database.script(FakeDatabase::noRows(kLoginColumns));
    Employee e;
    EXPECT_FALSE(e.Login(QStringLiteral("a' or '1'='1")));
    EXPECT_EQ(database.last(), "exec lab.dbo.validate_password @source = 'Zolt', "
                               "@UserPassword = 'a'' or ''1''=''1', @labcode = 'ZIVIRUZEZ'");
}

TEST(EmployeeTest, EveryRefusalLeavesNobodyButKeepsTheStationKind)
{
    FakeDatabase database;
    AlertRecorder alerts;
    Employee e;
    e.Station = "PARTICLE COUNT";
    const FakeDatabase::Reply refusals[] = {
        FakeDatabase::rows(kLoginColumns, {{QVariant(), 1, "Eve", "Nul", "X"}}),  // a row without an employee number
        FakeDatabase::failure(102, "Incorrect syntax"),                           // no answer at all
        FakeDatabase::noRows(kLoginColumns),                                      // a password nobody has
    };
    for (const FakeDatabase::Reply& refusal : refusals) {
        database.script(FakeDatabase::rows(kLoginColumns, {{7, 0, "Bo", "Lee", "LAB"}}));
        ASSERT_TRUE(e.Login(QStringLiteral("x")));
        EXPECT_FALSE(e.isAdmin) << "only ISADMIN 1 makes an administrator";
        database.script(refusal);
        EXPECT_FALSE(e.Login(QStringLiteral("y")));
        EXPECT_EQ(e.Emp_Num, -1);
        EXPECT_TRUE(e.Full_name.isEmpty());
        EXPECT_TRUE(e.Password.isEmpty());
        EXPECT_EQ(e.Lab_Code, "ZIVIRUZEZ");
        EXPECT_EQ(e.Station, "PARTICLE COUNT");
    }
    EXPECT_EQ(alerts.messages, QStringList({"The password could not be checked: the laboratory database did not answer. Please try again."}))
        << "only the call without an answer is told here";
}

TEST(EmployeeTest, EmployeeNumberThatDoesNotFitIsRefusedWithAMessage)
{
    const struct {
        QVariant empNum;
        bool accepted;
    } cases[] = {{32767, true}, {" 0 ", true}, {40000, false}, {32768, false}, {-3, false}, {"A12", false}};
    for (const auto& c : cases) {
        FakeDatabase database;
        AlertRecorder alerts;
        Employee e;
        database.script(FakeDatabase::rows(kLoginColumns, {{7, 0, "Bo", "Lee", "LAB"}}));
        ASSERT_TRUE(e.Login(QStringLiteral("first")));
        database.script(FakeDatabase::rows(kLoginColumns, {{c.empNum, 0, "Eva", "Big", "LAB"}}));
        const QString shown = c.empNum.toString();
        EXPECT_EQ(e.Login(QStringLiteral("second")), c.accepted) << shown.toStdString();
        EXPECT_EQ(e.Emp_Num, c.accepted ? c.empNum.toString().trimmed().toInt() : -1) << shown.toStdString();
        EXPECT_EQ(e.Full_name, c.accepted ? "Eva Big" : "") << shown.toStdString();
        if (c.accepted)
            EXPECT_TRUE(alerts.messages.isEmpty()) << shown.toStdString();
        else
            EXPECT_EQ(alerts.messages, QStringList({"The employee number " + shown.trimmed() +
                                                    " cannot be used at this station (only 0 to 32767). Please ask the "
                                                    "laboratory's administrator."}));
    }
}

TEST(EmployeeTest, EmployeeListAsksForActiveStaffAndSupervisorsOfAGroup)
{
    Employee e;
    const QString all = e.Employee_List_Statement("", false);
    EXPECT_TRUE(all.contains("travomi.dbo.view_employees (nolock)"));
    EXPECT_TRUE(all.contains("dismissed = 'N'"));
    EXPECT_FALSE(all.contains("union"));
    EXPECT_TRUE(all.endsWith("order by job_desc, full_name"));

    const QString group = e.Employee_List_Statement("LAB'S", true);
    EXPECT_FALSE(group.contains("dismissed"));
    EXPECT_TRUE(group.contains("func_group = 'LAB''S'"));
    EXPECT_TRUE(group.contains("union"));
    EXPECT_TRUE(group.contains("supervisor_id"));
}

}  // namespace

#include "demo_laboratory.h"

namespace {

TEST(EmployeeDemoTest, LoginAndDirectoryAgainstTheDemoLaboratory)
{
    DemoLaboratory lab;
    Employee e;
    ASSERT_TRUE(e.Login(QStringLiteral("demo1")));
    EXPECT_EQ(e.Emp_Num, 101);
    EXPECT_EQ(e.Full_name, "Anna Berg");
    EXPECT_FALSE(e.Login(QStringLiteral("demo4"))) << "a dismissed employee cannot log in";
    EXPECT_EQ(e.Emp_Num, -1);

    // The technicians of a group come with their supervisor; the dismissed only on request.
    db::Recordset group = e.Employee_List(QVariant(), QStringLiteral("LABTECH"), false);
    QStringList names;
    for (; !group.eof(); group.moveNext()) names << db::textOf(group.value("full_name"));
    names.sort();
    EXPECT_EQ(names, QStringList({"Anna Berg", "Jan Smit", "Maria Lopez"}));

    db::Recordset all = e.Employee_List(QVariant(), QString(), true);
    EXPECT_EQ(all.rowCount(), 4);
    db::Recordset active = e.Employee_List(QVariant(), QString(), false);
    EXPECT_EQ(active.rowCount(), 3);
}

}  // namespace
