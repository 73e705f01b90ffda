// Login by password and who holds a rack, also across two station connections.
#include "lab_fixture.h"

namespace {

class Login : public LabDb {
protected:
    db::Recordset login(const QString& password, const QString& lab = QStringLiteral("ZIVIRUZEZ"))
    {
        return ok(QStringLiteral("exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = '%1', @labcode = '%2'").arg(password, lab));
    }
};

TEST_F(Login, ActiveEmployeeOfTheLabIsFoundByPassword)
{
    db::Recordset rs = login(QStringLiteral("demo2"));
    ASSERT_EQ(rs.rowCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("EMP_NUM")).toInt(), 102);
    EXPECT_EQ(rs.value(QStringLiteral("FIRSTNAME")).toString(), QStringLiteral("Jan"));
    EXPECT_EQ(rs.value(QStringLiteral("LASTNAME")).toString(), QStringLiteral("Smit"));
    EXPECT_EQ(rs.value(QStringLiteral("ISADMIN")).toInt(), 0);
    EXPECT_EQ(rs.value(QStringLiteral("Zolt_Func")).toString(), QStringLiteral("LABTECH"));
    EXPECT_EQ(login(QStringLiteral("demo3")).value(QStringLiteral("ISADMIN")).toInt(), 1);
}

TEST_F(Login, WrongDismissedOrOtherLabGivesNoRow)
{
    EXPECT_EQ(login(QStringLiteral("demo9")).rowCount(), 0);
    EXPECT_EQ(login(QStringLiteral("DEMO1")).rowCount(), 0);  // passwords keep their letter case
    EXPECT_EQ(login(QStringLiteral("demo1 ")).rowCount(), 0);
    EXPECT_EQ(login(QString()).rowCount(), 0);
    EXPECT_EQ(login(QStringLiteral("demo4")).rowCount(), 0);  // dismissed
    EXPECT_EQ(login(QStringLiteral("demo1"), QStringLiteral("OTHERLAB")).rowCount(), 0);
}

TEST_F(Login, PasswordsAreNotStoredAsText)
{
    EXPECT_EQ(scalar("SELECT count(*) FROM employees WHERE CAST(PASSWORD_HASH AS TEXT) LIKE '%demo%'").toInt(), 0);
    EXPECT_EQ(scalar("SELECT length(PASSWORD_HASH) FROM employees WHERE EMP_NUM = 101").toInt(), 32);
    // The same password hashes differently in another database file.
    QTemporaryDir other;
    QString error;
    ASSERT_TRUE(labdb::createDatabase(other.filePath(QStringLiteral("b.db")), true, &error));
    labdb::Database b;
    b.open(other.filePath(QStringLiteral("b.db")), false, 1000);
    EXPECT_NE(b.scalar("SELECT PASSWORD_HASH FROM employees WHERE EMP_NUM = 101").toByteArray(),
              scalar("SELECT PASSWORD_HASH FROM employees WHERE EMP_NUM = 101").toByteArray());
}

class Custody : public LabDb {
protected:
    db::Recordset act(labdb::EmbeddedConnection& c, int rack, int emp, const QString& station, const QString& action)
    {
        db::Recordset rs;
        EXPECT_TRUE(c.execute(QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = %1, @emp_num = %2, @station = '%3', "
                                             "@action = '%4'")
                                  .arg(rack)
                                  .arg(emp)
                                  .arg(station, action),
                              &rs));
        EXPECT_EQ(rs.rowCount(), 1);
        return rs;
    }
    int rackId(const char* desc) { return scalar("SELECT RACK_ID FROM racks WHERE RACK_DESC = ?", {QString::fromLatin1(desc)}).toInt(); }
    static int error(const db::Recordset& rs) { return rs.value(QStringLiteral("ERROR")).toInt(); }

    const QString pc = QStringLiteral("PARTICLE COUNT");
};

TEST_F(Custody, GrantRefuseAndReleaseAcrossTwoStations)
{
    labdb::EmbeddedConnection other;
    ASSERT_TRUE(other.open(connectionString(), QString(), QString()));
    const int rack = rackId("R1001");

    db::Recordset got = act(cn, rack, 101, pc, QStringLiteral("GET"));
    EXPECT_EQ(error(got), 0);
    EXPECT_EQ(got.value(QStringLiteral("CURR_USER")).toInt(), 101);
    EXPECT_EQ(got.value(QStringLiteral("CURR_STATION")).toString(), pc);
    EXPECT_FALSE(got.value(QStringLiteral("MESSAGE")).toString().isEmpty());
    // The same holder at the same station may take it again.
    EXPECT_EQ(error(act(cn, rack, 101, pc, QStringLiteral("GET"))), 0);

    // Another employee, or the same one at another station, is refused and told who holds it.
    db::Recordset refused = act(other, rack, 102, pc, QStringLiteral("GET"));
    EXPECT_NE(error(refused), 0);
    EXPECT_EQ(refused.value(QStringLiteral("CURR_USER")).toInt(), 101);
    EXPECT_EQ(refused.value(QStringLiteral("CURR_STATION")).toString(), pc);
    EXPECT_TRUE(refused.value(QStringLiteral("MESSAGE")).toString().contains(QStringLiteral("Anna Berg")));
    EXPECT_NE(error(act(other, rack, 101, QStringLiteral("SCREENING"), QStringLiteral("GET"))), 0);
    EXPECT_NE(error(act(other, rack, 102, pc, QStringLiteral("PUT"))), 0);
    EXPECT_EQ(scalar("SELECT CURR_USER FROM racks WHERE RACK_ID = ?", {rack}).toInt(), 101);

    // The rack load shows the holder.
    db::Recordset load = ok(QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = 'R1001', @test_group = 'PrtCount'"));
    EXPECT_EQ(load.value(QStringLiteral("CURR_USER")).toInt(), 101);
    EXPECT_EQ(load.value(QStringLiteral("CURRENT_RACK_STATUS")).toString(), got.value(QStringLiteral("MESSAGE")).toString());

    // Released by its holder, the other station gets it.
    EXPECT_EQ(error(act(cn, rack, 101, pc, QStringLiteral("PUT"))), 0);
    EXPECT_TRUE(db::isNull(scalar("SELECT CURR_USER FROM racks WHERE RACK_ID = ?", {rack})));
    EXPECT_EQ(error(act(other, rack, 102, pc, QStringLiteral("GET"))), 0);
}

TEST_F(Custody, DemoRackHeldAtTheScreeningBench)
{
    db::Recordset rs = act(cn, rackId("R1008"), 101, pc, QStringLiteral("GET"));
    EXPECT_NE(error(rs), 0);
    EXPECT_EQ(rs.value(QStringLiteral("CURR_USER")).toInt(), 102);
    EXPECT_EQ(rs.value(QStringLiteral("CURR_STATION")).toString(), QStringLiteral("SCREENING"));
}

TEST_F(Custody, BadRequestsAreRefusedWithoutChange)
{
    const QString before = snapshot();
    const int rack = rackId("R1002");
    EXPECT_NE(error(act(cn, 99999, 101, pc, QStringLiteral("GET"))), 0);
    EXPECT_NE(error(act(cn, rack, 104, pc, QStringLiteral("GET"))), 0);  // dismissed
    EXPECT_NE(error(act(cn, rack, -1, pc, QStringLiteral("GET"))), 0);   // nobody logged in
    EXPECT_NE(error(act(cn, rack, 101, pc, QStringLiteral("TAKE"))), 0);
    EXPECT_NE(error(act(cn, rack, 101, QString(), QStringLiteral("GET"))), 0);
    EXPECT_EQ(snapshot(), before);
    // Giving back a free rack is harmless.
    EXPECT_EQ(error(act(cn, rack, 101, pc, QStringLiteral("PUT"))), 0);
}

}  // namespace
