#include "alert_recorder.h"
#include "fake_database.h"
#include "records/prt_count.h"
#include "technician.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const QStringList kSaveColumns = {"STATUS", "LAB_ID", "LAB_CODE", "RUN_NO"};

void saveTypicalCount(PrtCount& record, const QString& labNumber = QStringLiteral("  L123456 "))
{
    record.Save_Results(labNumber, -1, 20, 4446, QStringLiteral(" 1200 "), 310, 40, 8, 2, 0, QStringLiteral("note"));
}

TEST(PrtCountCalls, SaveResultsSendsTheCountAndReadsTheAnswer)
{
    FakeDatabase database;
    TechnicianAtStation technician;
    PrtCount record;

    database.script(FakeDatabase::rows(kSaveColumns, {{" DONE ", 98765, "ZIVIRUZEZ", 2}}));
    saveTypicalCount(record);
    EXPECT_EQ(database.last(), "exec Lab.dbo.import_PC002 @labnumber = 'L123456', @instrumentid = 'PC002', "
                               "@filename = 'USER_INTERFACE', @labcode = 'ZIVIRUZEZ', @method = 'ISO4406', "
                               "@sampleVolume = '20', @factorVolume = 1, @pc2m = '4446', @pc5m = '1200', @pc15m = '310', "
                               "@pc25m = '40', @pc50m = '8', @pc100m = '2', @pc200m = '0', @empnum = -1, @test = 'N' ");
    EXPECT_TRUE(record.saveOk) << "STATUS with blanks around DONE is accepted";
    EXPECT_EQ(record.Status, "DONE");
    EXPECT_EQ(record.Lab_Id, "98765");
    EXPECT_EQ(record.Lab_Code, "ZIVIRUZEZ");
    EXPECT_EQ(record.Run_No, 2);

    // A status in small letters is stored but is no acceptance.
    database.script(FakeDatabase::rows(kSaveColumns, {{"done", 98765, "ZIVIRUZEZ", 3}}));
    saveTypicalCount(record);
    EXPECT_FALSE(record.saveOk);
    EXPECT_EQ(record.Status, "done");
    EXPECT_EQ(record.Run_No, 3);

    // No row: refused, the fields keep the last answer.
    record.saveOk = true;
    database.script(FakeDatabase::noRows(kSaveColumns));
    saveTypicalCount(record);
    EXPECT_FALSE(record.saveOk);
    EXPECT_EQ(record.Status, "done");

    // An answer that cannot be read in full is a failed save, not an accepted one.
    record.saveOk = true;
    database.script(FakeDatabase::rows(kSaveColumns, {{"DONE", 1, "ZIVIRUZEZ", QVariant()}}));
    saveTypicalCount(record);
    EXPECT_FALSE(record.saveOk);
    EXPECT_EQ(record.Status, "done") << "nothing of the unreadable answer is taken";
    record.saveOk = true;
    database.script(FakeDatabase::rows(kSaveColumns, {{"DONE", QVariant(), "ZIVIRUZEZ", 1}}));
    saveTypicalCount(record);
    EXPECT_FALSE(record.saveOk);
    record.saveOk = true;
    database.script(FakeDatabase::rows(kSaveColumns, {{"DONE", 1, "ZIVIRUZEZ", "two"}}));
    saveTypicalCount(record);
    EXPECT_FALSE(record.saveOk);

    // A database that cannot be asked is a failure too.
    AlertRecorder alerts;
    record.saveOk = true;
    database.script(FakeDatabase::failure(8114, "Error converting data type"));
    saveTypicalCount(record);
    EXPECT_FALSE(record.saveOk);

    // A quote in the lab number stays inside the value.
    database.script(FakeDatabase::noRows(kSaveColumns));
    saveTypicalCount(record, QStringLiteral("L1' drop table x --"));
    EXPECT_TRUE(database.last().startsWith("exec Lab.dbo.import_PC002 @labnumber = 'L1'' drop table x --', "));
}

TEST(PrtCountCalls, ReRunRemovalAndHistorySendTheirCallsAndReadTheirWords)
{
    FakeDatabase database;
    TechnicianAtStation technician(QStringLiteral("PARTICLE COUNT"), 77, QStringLiteral("  Bo O'Lee "));
    PrtCount record;

    database.script(FakeDatabase::rows({"STATUS"}, {{" READY "}}));
    EXPECT_TRUE(record.Redo_Sample(QStringLiteral(" L55 "), QStringLiteral("somebody else")));
    EXPECT_EQ(database.last(), "exec Lab.dbo.labtrack_inserttest  @labnumber = ' L55 ', @labcode = 'ZIVIRUZEZ', "
                               "@testgrp = 'PrtCount', @class = 'REDO', "
                               "@comments = 'Test inserted by technician (Bo O''Lee)',@return_status = 'Y'");
    database.script(FakeDatabase::rows({"STATUS"}, {{"DONE"}}));
    EXPECT_FALSE(record.Redo_Sample(QStringLiteral("L55"), QString()));
    database.script(FakeDatabase::noRows({"STATUS"}));
    EXPECT_FALSE(record.Redo_Sample(QStringLiteral("L55"), QString()));
    database.script(FakeDatabase::rows({"STATUS"}, {{QVariant()}}));
    EXPECT_FALSE(record.Redo_Sample(QStringLiteral("L55"), QString()));

    database.script(FakeDatabase::rows({"LAB_STATUS", "SAMPLE_PRIORITY"}, {{"DONE ", "NORMAL"}}));
    EXPECT_TRUE(record.Remove_Sample(QStringLiteral(" L55 "), QStringLiteral("TOO_DARK")));
    EXPECT_EQ(database.last(), "exec lab.dbo.labtrack_testaction @labnumber = ' L55 ', @empnum = 77, "
                               "@labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', @testaction = 'TOO_DARK' ");
    database.script(FakeDatabase::rows({"LAB_STATUS"}, {{"READY"}}));
    EXPECT_FALSE(record.Remove_Sample(QStringLiteral("L55"), QStringLiteral("HIGH_H2O")));
    database.script(FakeDatabase::noRows({"LAB_STATUS"}));
    EXPECT_FALSE(record.Remove_Sample(QStringLiteral("L55"), QStringLiteral("HIGH_H2O")));

    database.script(FakeDatabase::rows({"STATUS", "ISO"}, {{"DONE", "18/16/13"}}));
    db::Recordset history = record.Get_PC_History(QStringLiteral(" L5'5 "));
    EXPECT_EQ(database.last(), "exec labrack.dbo.get_PC_History @labCode = 'ZIVIRUZEZ', @labNumber = 'L5''5'");
    ASSERT_FALSE(history.eof()) << "handed back open, on its first row";
    EXPECT_EQ(history.value("ISO").toString(), "18/16/13");
}

}  // namespace
