// The plain SELECTs and weight UPDATEs of the station, as their callers write them.
#include "lab_fixture.h"

namespace {

class PlainStatements : public LabDb {};

QStringList column(db::Recordset rs, const char* name)
{
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) out << db::textOf(rs.value(QString::fromLatin1(name)));
    return out;
}

TEST_F(PlainStatements, SoftwareRowAndItsNormalSettingsInNameOrder)
{
    db::Recordset sw = ok(QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'PARTICLE_COUNT' "));
    ASSERT_EQ(sw.rowCount(), 1);
    const qlonglong id = sw.value(QStringLiteral("SOFTWARE_ID")).toLongLong();
    ASSERT_GT(id, 0);
    EXPECT_EQ(ok(QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'particle_count' ")).rowCount(), 1);
    EXPECT_EQ(ok(QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'SCREENING' ")).rowCount(), 0);

    rawExec("INSERT INTO lab_software_settings (SOFTWARE_ID, SETTING, VALUE, TYPE) VALUES (?, 'COUNTER_PORT', '/dev/ttyS0', 'SYSTEM')", {id});
    const QString settings = QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software_Settings (nolock) WHERE  software_id = %1 "
                                            "AND    type = 'NORMAL' ORDER BY     software_id, Setting")
                                 .arg(id);
    db::Recordset rs = ok(settings);
    for (const char* c : {"SETTING", "VALUE", "DESCRIPTION", "TYPE"}) EXPECT_TRUE(rs.hasColumn(QString::fromLatin1(c))) << c;
    const QStringList names = column(rs, "SETTING");
    EXPECT_EQ(names.size(), 12);
    EXPECT_FALSE(names.contains(QStringLiteral("COUNTER_PORT")));
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(names, sorted);
    for (const char* s : {"SAMPLES_BETWEEN_CHECKS", "ISO5_FLUSH", "ISO15_FLUSH", "ISO5_CHECK", "ISO15_CHECK", "ISO5_SAMPLE", "ISO15_SAMPLE",
                          "INIT_ISO_HIST_DECREASE", "ISO_HIST_DECREASE_MAX", "SAMPLE_SHAKE_TIME", "SAMPLE_BATH_TIME", "MAX_RACKS_IN_BATH"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(s))) << s;
}

TEST_F(PlainStatements, DocumentsMatchATestGroupFollowedBySemicolon)
{
    const auto find = [&](const QString& group) {
        return ok(QStringLiteral("select * from sop.dbo.documents (nolock) where charindex('%1;', Test_Group) > 0").arg(group));
    };
    db::Recordset rs = find(QStringLiteral("PrtCount"));
    ASSERT_EQ(rs.rowCount(), 1);
    EXPECT_FALSE(rs.isNullAt(QStringLiteral("DOC_ID")));
    EXPECT_FALSE(rs.isNullAt(QStringLiteral("DOC_TYPE")));
    EXPECT_TRUE(rs.hasColumn(QStringLiteral("Test_Group")));
    EXPECT_EQ(find(QStringLiteral("PrtFilter")).rowCount(), 1);  // anywhere in the list
    EXPECT_EQ(find(QStringLiteral("Prt")).rowCount(), 0);        // "Prt;" stands nowhere
    EXPECT_EQ(find(QStringLiteral("NOSUCH")).rowCount(), 0);
}

TEST_F(PlainStatements, OutstandingCountFollowsTheWork)
{
    const QString query = QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'PrtCount') ");
    db::Recordset rs = ok(query);
    ASSERT_FALSE(rs.eof());
    const qlonglong ready = scalar("SELECT count(*) FROM lab_tracking WHERE TEST_GROUP = 'PrtCount' AND STATUS = 'READY'").toLongLong();
    ASSERT_GT(ready, 0);
    EXPECT_EQ(rs.value(QStringLiteral("COUNT")).toLongLong(), ready);

    ok(QStringLiteral("exec lab.dbo.labtrack_testaction @labnumber = '%1', @empnum = 101, @labcode = 'ZIVIRUZEZ', "
                      "@testgrp = 'PrtCount', @testaction = 'NOT_ENOUGH' ")
           .arg(labNumberAt("R1001", 1)));
    EXPECT_EQ(ok(query).value(QStringLiteral("COUNT")).toLongLong(), ready - 1);
    // Weighed tests are outstanding all the same.
    rawExec("UPDATE lab_tracking SET WEIGHT = '1.5' WHERE TEST_GROUP = 'PrtCount'");
    EXPECT_EQ(ok(query).value(QStringLiteral("COUNT")).toLongLong(), ready - 1);

    // Weighed tests only: a KF test gets its weight.
    const QString weighed = QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'KF') where isWeighed = 1 ");
    EXPECT_EQ(ok(weighed).value(QStringLiteral("COUNT")).toLongLong(), 0);
    const qlonglong labId = scalar("SELECT LAB_ID FROM lab_tracking WHERE TEST_GROUP = 'KF' AND STATUS = 'READY' LIMIT 1").toLongLong();
    ok(QStringLiteral("update lab.dbo.testgroup_kf set    weight =  '2.51'  where  lab_id = %1 and    run_no = 1 and    date_completed is null ")
           .arg(labId));
    EXPECT_EQ(ok(weighed).value(QStringLiteral("COUNT")).toLongLong(), 1);
    // With no test group, every outstanding test first, then one row per group.
    db::Recordset all = ok(QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', null) "));
    EXPECT_GE(all.rowCount(), 4);
    EXPECT_EQ(all.value(QStringLiteral("COUNT")).toLongLong(), scalar("SELECT count(*) FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                                                                      " WHERE t.STATUS = 'READY' AND s.LAB_CODE = 'ZIVIRUZEZ'")
                                                                   .toLongLong());
}

TEST_F(PlainStatements, WeightUpdatesWriteOnlyTheirTests)
{
    const qlonglong labId = scalar("SELECT LAB_ID FROM lab_tracking WHERE TEST_GROUP = 'KF' AND STATUS = 'READY' LIMIT 1").toLongLong();
    const auto weightOf = [&](const char* group) {
        return scalar("SELECT WEIGHT FROM lab_tracking WHERE LAB_ID = ? AND TEST_GROUP = ?", {labId, QString::fromLatin1(group)});
    };
    // The results table of another group does not reach the KF test.
    ok(QStringLiteral("update lab.dbo.testgroup_tbn set    weight =  '9'  where  lab_id = %1 and    run_no = 1 and    date_completed is null ")
           .arg(labId));
    EXPECT_TRUE(db::isNull(weightOf("KF")));

    ok(QStringLiteral("update lab.dbo.lab_tracking set    weight =  '3.25'  where  lab_id = %1 and    test_group = 'KF' "
                      "and    status = 'READY' and    isNumeric(weight) = 0 ")
           .arg(labId));
    EXPECT_EQ(weightOf("KF").toString(), QStringLiteral("3.25"));
    EXPECT_TRUE(db::isNull(weightOf("PrtCount")));
    // Once numeric, the tracking update leaves it alone.
    ok(QStringLiteral("update lab.dbo.lab_tracking set    weight =  '4'  where  lab_id = %1 and    test_group = 'KF' "
                      "and    status = 'READY' and    isNumeric(weight) = 0 ")
           .arg(labId));
    EXPECT_EQ(weightOf("KF").toString(), QStringLiteral("3.25"));
    // null empties it; a quote in the value stays text.
    ok(QStringLiteral("update lab.dbo.testgroup_KF set    weight =  null  where  lab_id = %1 and    run_no = 1 and    date_completed is null ")
           .arg(labId));
    EXPECT_TRUE(db::isNull(weightOf("KF")));
    ok(QStringLiteral("update lab.dbo.testgroup_kf set weight = '1''; drop table racks' where lab_id = %1").arg(labId));
    EXPECT_EQ(weightOf("KF").toString(), QStringLiteral("1'; drop table racks"));
    EXPECT_EQ(scalar("SELECT count(*) FROM racks").toInt(), 8);
}

TEST_F(PlainStatements, EmployeeDirectoryWithSupervisors)
{
    const QString lab = QStringLiteral("ZIVIRUZEZ");
    const QString all = QStringLiteral("select * from travomi.dbo.view_employees (nolock) where  lab_code = '%1' and    dismissed = 'N' "
                                       "order by job_desc, full_name")
                            .arg(lab);
    // "Laboratory supervisor" sorts before "Laboratory technician".
    EXPECT_EQ(column(ok(all), "full_name"),
              (QStringList{QStringLiteral("Maria Lopez"), QStringLiteral("Anna Berg"), QStringLiteral("Jan Smit")}));
    const QString group =
        QStringLiteral(
            "select * from travomi.dbo.view_employees (nolock) where  lab_code = '%1' and    dismissed = 'N' and    func_group = 'LABTECH' "
            "union select * from travomi.dbo.view_employees (nolock) where  lab_code = '%1' and    dismissed = 'N' "
            "and    emp_num in (select supervisor_id from travomi.dbo.view_employees (nolock) where  lab_code = '%1' and func_group = 'LABTECH') "
            "order by job_desc, full_name")
            .arg(lab);
    db::Recordset rs = ok(group);
    EXPECT_EQ(column(rs, "emp_num"), (QStringList{QStringLiteral("103"), QStringLiteral("101"), QStringLiteral("102")}));
    EXPECT_FALSE(rs.hasColumn(QStringLiteral("PASSWORD_HASH")));
    const QString withDismissed =
        QStringLiteral("select * from travomi.dbo.view_employees (nolock) where  lab_code = '%1' order by job_desc, full_name").arg(lab);
    EXPECT_EQ(ok(withDismissed).rowCount(), 4);
}

}  // namespace
