#pragma once

#include "lab_fixture.h"

// The demo laboratory with every call text the station sends, word for word as
// the records build them.
class WithStationCalls : public LabDb {
protected:
    // The call texts the station sends, with lab numbers of the demo laboratory.
    QStringList stationCalls()
    {
        const QString onRack = labNumberAt("R1003", 2);
        const QString sample = labNumberAt("R1001", 1);
        const QString other = labNumberAt("R1005", 1);
        const QString labId = scalar("SELECT LAB_ID FROM lab_tracking WHERE TEST_GROUP = 'SCREEN' AND STATUS = 'READY' LIMIT 1").toString();
        const QString kfLab = scalar("SELECT LAB_ID FROM lab_tracking WHERE TEST_GROUP = 'KF' AND STATUS = 'READY' LIMIT 1").toString();
        return {
            QStringLiteral("exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = 'demo1', @labcode = 'ZIVIRUZEZ'"),
            QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = 'R1002', @test_group = 'PrtCount'"),
            QStringLiteral(
                "exec labrack.dbo.outstanding_rackTests @rack_desc = 'R1001', @test_group = 'KF', @weight_required = 1, @showWeighed = 0 "),
            QStringLiteral(
                "exec labrack.dbo.rack_acquisition_upd @rack_id = 502, @emp_num = 101, @station = 'PARTICLE COUNT', @action = 'GET'"),
            QStringLiteral(
                "exec labrack.dbo.rack_acquisition_upd @rack_id = 502, @emp_num = 101, @station = 'PARTICLE COUNT', @action = 'PUT'"),
            QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0"),
            QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , null, 0, 0, 0"),
            QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'KF' , 0, 0, 1, 0 , 0"),
            QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = null"),
            QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = 'RUSH'"),
            QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'KF' , @priority = null, "
                           "@weight_required = 1, @isWeighed = 0 "),
            QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'SCREEN' , @priority = null, "
                           "@spat = -1, @visual = null "),
            QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'PrtCount') where isWeighed = 1 "),
            QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', null) "),
            QStringLiteral("exec labrack.dbo.Get_RackSample  @lab_number = '%1', @lab_code = 'ZIVIRUZEZ', @lab_id = null, "
                           "@test_group = 'PrtCount', @weight_required = 0, @showWeighed = 0, @status = 'READY', @test = 'n' ")
                .arg(onRack),
            QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'PARTICLE_COUNT' "),
            QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software_Settings (nolock) WHERE  software_id = 1 AND    type = 'NORMAL' "
                           "ORDER BY     software_id, Setting"),
            QStringLiteral("select * from sop.dbo.documents (nolock) where charindex('PrtCount;', Test_Group) > 0"),
            QStringLiteral("select * from travomi.dbo.view_employees (nolock) where  lab_code = 'ZIVIRUZEZ' and    dismissed = 'N' "
                           "order by job_desc, full_name"),
            QStringLiteral("exec labrack.dbo.get_batch_samples @batch_id = null, @lab_code = 'ZIVIRUZEZ', @instrument_id = 'PC002', "
                           "@test_group = 'PrtCount'"),
            QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = 'ZIVIRUZEZ'"),
            QStringLiteral("exec labrack.dbo.get_pc_history 'ZIVIRUZEZ', '%1'").arg(other),
            QStringLiteral("exec labrack.dbo.get_PC_History @labCode = 'ZIVIRUZEZ', @labNumber = '%1'").arg(other),
            QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = 'RD=R1001RID=501', @empNum = 101, @position = 4, "
                           "@action = 'ADD', @test = 0")
                .arg(sample),
            QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = null, @empNum = 101, @position = 4, "
                           "@action = 'DELETE', @test = 0")
                .arg(sample),
            QStringLiteral(
                "exec Lab.dbo.import_PC002 @labnumber = '%1', @instrumentid = 'PC002', @filename = 'USER_INTERFACE', "
                "@labcode = 'ZIVIRUZEZ', @method = 'ISO4406', @sampleVolume = '20', @factorVolume = 1, @pc2m = '4446', "
                "@pc5m = '908', @pc15m = '51', @pc25m = '13', @pc50m = '0', @pc100m = '0', @pc200m = '0', @empnum = 101, @test = 'N' ")
                .arg(sample),
            QStringLiteral("exec Lab.dbo.labtrack_inserttest  @labnumber = '%1', @labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', "
                           "@class = 'REDO', @comments = 'Test inserted by technician (Anna Berg)',@return_status = 'Y'")
                .arg(sample),
            QStringLiteral("exec lab.dbo.labtrack_testaction @labnumber = '%1', @empnum = 101, @labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', "
                           "@testaction = 'NOT_ENOUGH' ")
                .arg(other),
            QStringLiteral("exec labrack.dbo.get_BatchRacks_Available @instrument_id = 'PC002', @test_group = 'PrtCount'"),
            QStringLiteral("exec lab.dbo.tgrp_query @testgroup = 'SCREEN', @labid = %1, @labcode = 'ZIVIRUZEZ', @status = 'READY', "
                           "@histories = 'N'")
                .arg(labId),
            QStringLiteral("exec lab.dbo.tgrp_Screen_upd @labid = %1, @saveaction = 'UPDATE', @testgroup = 'SCREEN', @white_metal = 'NONE', "
                           "@babbitt = 'NONE', @precipitate = 'NONE', @silt = 'LIGHT', @debris = 'NONE', @dirt = 'NONE', @appearance = 'NORML', "
                           "@odor = 'NORML', @h2o_emul = 'NEG', @h2o_free = null, @completed = 'N', @runno = 1, @status_visual = 0, "
                           "@status_spat = -1, @status_image = 0")
                .arg(labId),
            QStringLiteral("exec lab.dbo.labtrack_testaction @empnum = 101, @labId = '%1', @testgrp = 'SCREEN', @testAction = 'TOO_DARK'")
                .arg(labId),
            QStringLiteral(
                "update lab.dbo.testgroup_kf set    weight =  '2.5'  where  lab_id = %1 and    run_no = 1 and    date_completed is null ")
                .arg(kfLab),
            QStringLiteral(
                "update lab.dbo.lab_tracking set    weight =  '2.5'  where  lab_id = %1 and    test_group = 'KF' and    status = 'READY' "
                "and    isNumeric(weight) = 0 ")
                .arg(kfLab),
        };
    }
};
