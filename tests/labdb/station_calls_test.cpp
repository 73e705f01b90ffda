// Every call text of the station, word for word as the records build them,
// through the station's own gateway on a demo database: each answers with the
// columns its caller reads and leaves no error.
#include "lab_fixture.h"

#include "alert_recorder.h"
#include "common/db_module.h"

namespace {

class StationCalls : public LabDb {
protected:
    void SetUp() override
    {
        LabDb::SetUp();
        saved = dbModule::Conn_String;
        dbModule::Conn_String = connectionString();
    }
    void TearDown() override { dbModule::Conn_String = saved; }

    struct Call {
        QString sql;
        QStringList columns;  // what the caller reads
        int minRows;
    };

    void expectAnswers(const QList<Call>& calls)
    {
        for (const Call& c : calls) {
            AlertRecorder alerts;
            db::Recordset rs = dbModule::Get_Recordset(c.sql, true);
            EXPECT_TRUE(rs.isOpen()) << c.sql.toStdString();
            EXPECT_TRUE(alerts.messages.isEmpty()) << c.sql.toStdString() << ": " << alerts.messages.join(QLatin1Char('\n')).toStdString();
            EXPECT_GE(rs.rowCount(), c.minRows) << c.sql.toStdString();
            for (const QString& col : c.columns) EXPECT_TRUE(rs.hasColumn(col)) << c.sql.toStdString() << " lacks " << col.toStdString();
        }
    }
    static QStringList cols(const char* list) { return QString::fromLatin1(list).split(QLatin1Char(' ')); }

    QString saved;
};

TEST_F(StationCalls, LoginRacksAndSettings)
{
    const QString lab = QStringLiteral("ZIVIRUZEZ");
    const QString onRack = labNumberAt("R1003", 2);
    expectAnswers({
        {QStringLiteral("exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = 'demo1', @labcode = 'ZIVIRUZEZ'"),
         cols("EMP_NUM ISADMIN FIRSTNAME LASTNAME Zolt_Func"), 1},
        {QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = 'R1002', @test_group = 'PrtCount'"),
         cols("RACK_ID CURRENT_RACK_STATUS CURR_USER CURR_STATION POSITION RECEIVED_DATETIME DESIRED_WEIGHT STATUS PRIORITY RUN_NO "
              "WORK_ORDER_NO LAB_ID LAB_CODE COMPONENT_CODE DOPICTURE"),
         18},
        {QStringLiteral(
             "exec labrack.dbo.outstanding_rackTests @rack_desc = 'R1001', @test_group = 'KF', @weight_required = 1, @showWeighed = 0 "),
         cols("POSITION DESIRED_WEIGHT"), 1},
        {QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 502, @emp_num = 101, @station = 'PARTICLE COUNT', @action = 'GET'"),
         cols("ERROR MESSAGE CURR_USER CURR_STATION"), 1},
        {QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 502, @emp_num = 101, @station = 'PARTICLE COUNT', @action = 'PUT'"),
         cols("ERROR MESSAGE CURR_USER CURR_STATION"), 1},
        {QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0"), cols("PRIORITY"), 5},
        {QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , null, 0, 0, 0"), cols("PRIORITY"), 5},
        {QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'KF' , 0, 0, 1, 0 , 0"), cols("PRIORITY"), 1},
        {QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = null"),
         cols("RACK_DESC RACK_ID"), 7},
        {QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = 'RUSH'"),
         cols("RACK_DESC RACK_ID"), 2},
        {QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @priority = null"), cols("RACK_DESC RACK_ID"), 8},
        {QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'KF' , @priority = null, "
                        "@weight_required = 1, @isWeighed = 0 "),
         cols("RACK_DESC RACK_ID"), 4},
        {QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'SCREEN' , @priority = null, "
                        "@spat = -1, @visual = null "),
         cols("RACK_DESC RACK_ID"), 1},
        {QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'PrtCount') "), cols("COUNT"), 1},
        {QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'PrtCount') where isWeighed = 1 "), cols("COUNT"), 1},
        {QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', null) "), cols("COUNT"), 1},
        {QStringLiteral("exec labrack.dbo.Get_RackSample  @lab_number = '%1', @lab_code = '%2', @lab_id = null, @test_group = 'PrtCount', "
                        "@weight_required = 0, @showWeighed = 0, @status = 'READY', @test = 'n' ")
             .arg(onRack, lab),
         cols("RACK_DESC"), 1},
        {QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'PARTICLE_COUNT' "), cols("SOFTWARE_ID"), 1},
        {QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software_Settings (nolock) WHERE  software_id = 1 AND    type = 'NORMAL' ORDER BY     "
                        "software_id, Setting"),
         cols("SETTING VALUE DESCRIPTION TYPE"), 12},
        {QStringLiteral("select * from sop.dbo.documents (nolock) where charindex('PrtCount;', Test_Group) > 0"),
         cols("Test_Group DOC_ID DOC_TYPE"), 1},
        {QStringLiteral("select * from travomi.dbo.view_employees (nolock) where  lab_code = 'ZIVIRUZEZ' and    dismissed = 'N' "
                        "order by job_desc, full_name"),
         cols("emp_num full_name func_group"), 3},
    });
}

TEST_F(StationCalls, BathCountsAndTests)
{
    const QString sample = labNumberAt("R1001", 1);
    const QString removed = labNumberAt("R1001", 2);
    const QString labId =
        scalar("SELECT LAB_ID FROM lab_tracking WHERE TEST_GROUP = 'SCREEN' AND STATUS = 'READY' AND RUN_NO = 1 LIMIT 1").toString();
    expectAnswers({
        {QStringLiteral("exec labrack.dbo.get_batch_samples @batch_id = null, @lab_code = 'ZIVIRUZEZ', @instrument_id = 'PC002', "
                        "@test_group = 'PrtCount'"),
         cols("ERROR DETAIL_ID BATCH_ID POSITION SAMPLE_ID RUN_NO SAMPLE_TYPE STATUS WEIGHT EXTRA PRIORITY"), 3},
        {QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = 'ZIVIRUZEZ'"), cols("RACK_DESC"), 1},
        {QStringLiteral("exec labrack.dbo.get_pc_history 'ZIVIRUZEZ', '%1'").arg(labNumberAt("R1005", 1)),
         cols("STATUS ISO ISO_2 ISO_5 ISO_15"), 1},
        {QStringLiteral("exec labrack.dbo.get_PC_History @labCode = 'ZIVIRUZEZ', @labNumber = '%1'").arg(labNumberAt("R1005", 2)),
         cols("STATUS ISO"), 1},
        {QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = 'RD=R1001RID=501', @empNum = 101, @position = 4, "
                        "@action = 'ADD', @test = 0")
             .arg(sample),
         cols("ERROR MESSAGE"), 1},
        {QStringLiteral("exec Lab.dbo.import_PC002 @labnumber = '%1', @instrumentid = 'PC002', @filename = 'USER_INTERFACE', "
                        "@labcode = 'ZIVIRUZEZ', @method = 'ISO4406', @sampleVolume = '20', @factorVolume = 1, @pc2m = '4446', "
                        "@pc5m = '908', @pc15m = '51', @pc25m = '13', @pc50m = '0', @pc100m = '0', @pc200m = '0', @empnum = 101, @test = 'N' ")
             .arg(sample),
         cols("STATUS LAB_ID LAB_CODE RUN_NO"), 1},
        {QStringLiteral("exec Lab.dbo.labtrack_inserttest  @labnumber = '%1', @labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', "
                        "@class = 'REDO', @comments = 'Test inserted by technician (Anna Berg)',@return_status = 'Y'")
             .arg(sample),
         cols("STATUS"), 1},
        {QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = null, @empNum = 101, @position = 4, "
                        "@action = 'DELETE', @test = 0")
             .arg(sample),
         cols("ERROR MESSAGE"), 1},
        {QStringLiteral("exec lab.dbo.labtrack_testaction @labnumber = '%1', @empnum = 101, @labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', "
                        "@testaction = 'NOT_ENOUGH' ")
             .arg(removed),
         cols("LAB_STATUS SAMPLE_PRIORITY"), 1},
        {QStringLiteral("exec labrack.dbo.get_BatchRacks_Available @instrument_id = 'PC002', @test_group = 'PrtCount'"), cols("RACK_DESC"), 1},
        {QStringLiteral("exec lab.dbo.tgrp_query @testgroup = 'SCREEN', @labid = %1, @labcode = 'ZIVIRUZEZ', @status = 'READY', "
                        "@histories = 'N'")
             .arg(labId),
         cols("APPEARANCE BABBITT DEBRIS DIRT H2O_EMUL H2O_FREE ODOR PRECIPITATE SILT WHITE_METAL STATUS_IMAGE STATUS_VISUAL STATUS_SPAT"), 1},
        {QStringLiteral("exec lab.dbo.tgrp_Screen_upd @labid = %1, @saveaction = 'UPDATE', @testgroup = 'SCREEN', @white_metal = 'NONE', "
                        "@babbitt = 'NONE', @precipitate = 'NONE', @silt = 'LIGHT', @debris = 'NONE', @dirt = 'NONE', @appearance = 'NORML', "
                        "@odor = 'NORML', @h2o_emul = 'NEG', @h2o_free = null, @completed = 'N', @runno = 1, @status_visual = 0, "
                        "@status_spat = -1, @status_image = 0")
             .arg(labId),
         cols("LAB_STATUS SAMPLE_PRIORITY"), 1},
        {QStringLiteral("exec lab.dbo.labtrack_testaction @empnum = 101, @labId = '%1', @testgrp = 'SCREEN', @testAction = 'TOO_DARK'").arg(labId),
         cols("LAB_STATUS SAMPLE_PRIORITY"), 1},
    });
    // The answers the station decides on.
    EXPECT_EQ(scalar("SELECT count(*) FROM pc_counts k JOIN samples s ON s.LAB_ID = k.LAB_ID WHERE s.LAB_NUMBER = ?", {sample}).toInt(), 1);
    EXPECT_EQ(scalar("SELECT max(RUN_NO) FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID WHERE s.LAB_NUMBER = ? "
                     "AND TEST_GROUP = 'PrtCount'",
                     {sample})
                  .toInt(),
              2);
    EXPECT_EQ(scalar("SELECT SILT FROM screen_results r JOIN lab_tracking t ON t.TEST_ID = r.TEST_ID WHERE t.LAB_ID = ?", {labId}).toString(),
              QStringLiteral("LIGHT"));
}

TEST_F(StationCalls, WeightUpdatesThroughTheActionGateway)
{
    const qlonglong labId = scalar("SELECT LAB_ID FROM lab_tracking WHERE TEST_GROUP = 'KF' AND STATUS = 'READY' LIMIT 1").toLongLong();
    AlertRecorder alerts;
    EXPECT_TRUE(dbModule::Execute_SQL(QStringLiteral("update lab.dbo.testgroup_kf set    weight =  '2.5'  where  lab_id = %1 "
                                                     "and    run_no = 1 and    date_completed is null ")
                                          .arg(labId),
                                      true));
    EXPECT_TRUE(dbModule::Execute_SQL(QStringLiteral("update lab.dbo.lab_tracking set    weight =  '2.5'  where  lab_id = %1 "
                                                     "and    test_group = 'KF' and    status = 'READY' and    isNumeric(weight) = 0 ")
                                          .arg(labId),
                                      true));
    EXPECT_TRUE(alerts.messages.isEmpty());
    // A statement the database refuses fails and is not retried.
    EXPECT_FALSE(dbModule::Execute_SQL(QStringLiteral("update lab.dbo.lab_tracking set status = 'DONE'"), true));
    EXPECT_EQ(dbModule::Execute_SQL_Counters().Try_Count, 0);
}

TEST_F(StationCalls, MissingDatabaseIsReportedOnce)
{
    dbModule::Conn_String = QString::fromLatin1(db::kEmbeddedPrefix) + dir.filePath(QStringLiteral("nothere.db"));
    AlertRecorder alerts;
    EXPECT_FALSE(dbModule::Get_Recordset(QStringLiteral("exec lab.dbo.validate_password @UserPassword = 'demo1'"), true).isOpen());
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages.first().contains(QStringLiteral("labdb init")));
}

}  // namespace
