#include "common/common_module.h"
#include "fake_database.h"
#include "records/batch.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const QStringList kBatchColumns = {"ERROR",       "DETAIL_ID", "BATCH_ID", "POSITION", "SAMPLE_ID", "RUN_NO",
                                   "SAMPLE_TYPE", "STATUS",    "WEIGHT",   "EXTRA",    "PRIORITY"};

QVariantList batchRow(int error, int position, const QString& sample)
{
    return {error, 100 + position, 9, position, sample, 1, "SAMPLE", "READY", QVariant(), "   R07 RID=31", "RUSH"};
}

TEST(BatchCalls, BatchSamplesAreAskedForAndTakenRowByRow)
{
    FakeDatabase database;
    Batch batch;
    EXPECT_TRUE(batch.Sample.isEmpty());

    database.script(FakeDatabase::rows(kBatchColumns, {batchRow(0, 1, " L1 "), batchRow(1, 2, "L2"), batchRow(0, 3, "L3")}));
    db::Recordset rs = batch.Get_Batch_Samples(QVariant(), QStringLiteral(" PC002 "), QStringLiteral("ZIVIRUZEZ"),
                                               QStringLiteral("PrtCount "));
    EXPECT_EQ(database.last(), "exec labrack.dbo.get_batch_samples @batch_id = null, @lab_code = 'ZIVIRUZEZ', "
                               "@instrument_id = 'PC002', @test_group = 'PrtCount'");
    ASSERT_EQ(batch.Sample.size(), 2) << "the row with ERROR 1 is left out";
    EXPECT_EQ(batch.Sample[0].Sample_ID.toString(), "L1");
    EXPECT_EQ(batch.Sample[0].Position, 1);
    EXPECT_EQ(batch.Sample[0].Extra, "R07 RID=31");
    EXPECT_EQ(batch.Sample[0].Weight.toString(), "");
    EXPECT_EQ(batch.Sample[1].Sample_ID.toString(), "L3");
    EXPECT_EQ(batch.Sample[1].Detail_Id.toInt(), 103);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value("SAMPLE_ID").toString(), " L1 ") << "handed back on its first row";

    // An empty answer or a failed call leaves the samples as they were.
    database.script(FakeDatabase::noRows(kBatchColumns));
    batch.Get_Batch_Samples(QVariant(), "PC002", "ZIVIRUZEZ", "PrtCount");
    database.script(FakeDatabase::failure(2812, "Could not find stored procedure"));
    EXPECT_FALSE(batch.Get_Batch_Samples(QVariant(), "PC002", "ZIVIRUZEZ", "PrtCount").isOpen());
    EXPECT_EQ(batch.Sample.size(), 2);

    // The batch id is sent only as a number, trimmed and unquoted; quotes in texts stay in the value.
    batch.Get_Batch_Samples(QStringLiteral(" 42 "), "PC002", "ZIVIRUZEZ", "Prt'Count");
    EXPECT_EQ(database.last(), "exec labrack.dbo.get_batch_samples @batch_id = 42, @lab_code = 'ZIVIRUZEZ', "
                               "@instrument_id = 'PC002', @test_group = 'Prt''Count'");
    for (const QVariant& notANumber :
         {QVariant(QString()), QVariant(QStringLiteral("4 2")), QVariant(QStringLiteral("1; drop table x")), QVariant(true)}) {
        batch.Get_Batch_Samples(notANumber, "PC002", "ZIVIRUZEZ", "PrtCount");
        EXPECT_TRUE(database.last().startsWith("exec labrack.dbo.get_batch_samples @batch_id = null, "))
            << notANumber.toString().toStdString();
    }
    batch.Get_Batch_Samples(7, "PC002", "ZIVIRUZEZ", "PrtCount");
    EXPECT_TRUE(database.last().contains("@batch_id = 7, "));

    batch.Get_Available_Racks(QStringLiteral(" PC002 "), QStringLiteral(" PrtCount "));
    EXPECT_EQ(database.last(), "exec labrack.dbo.get_BatchRacks_Available @instrument_id = 'PC002', @test_group = 'PrtCount'");
}

TEST(BatchCalls, AddingSamplesTrimsTextsAndTheOtherOperationsAnswerTrue)
{
    FakeDatabase database;
    Batch batch;
    batch.Add_New_Batch_Sample(QVariant(), 1, QVariant(), QVariant(), QVariant(), QVariant(), "READY", QVariant(), QVariant(), QVariant());
    ASSERT_EQ(batch.Sample.size(), 1);
    const Samples& placeholder = batch.Sample[0];
    EXPECT_EQ(placeholder.Sample_ID.toString(), "");
    EXPECT_TRUE(placeholder.Sample_ID.isValid()) << "empty text, not NULL";
    EXPECT_EQ(placeholder.Sample_Type, "");
    EXPECT_EQ(placeholder.Weight.toString(), "");
    EXPECT_EQ(placeholder.Extra, "");
    EXPECT_EQ(placeholder.Priority, "");
    EXPECT_EQ(placeholder.Position, 0);
    EXPECT_FALSE(placeholder.Emp_Num.isValid());

    while (batch.Sample.size() < 29)
        batch.Add_New_Batch_Sample(QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                   QVariant(), QVariant());
    batch.Add_New_Batch_Sample(5, 9, QStringLiteral(" 30 "), QStringLiteral("  L9 "), 2, QStringLiteral(" sample "), "READY",
                               QStringLiteral(" 12.5 "), QStringLiteral(" R07 RID=31 "), "URGENT");
    ASSERT_EQ(batch.Sample.size(), 30);
    const Samples& last = batch.Sample[29];
    EXPECT_EQ(last.Position, 30);
    EXPECT_EQ(last.Sample_ID.toString(), "L9");
    EXPECT_EQ(last.Sample_Type, "sample");
    EXPECT_EQ(last.Run_No.toInt(), 2);
    EXPECT_EQ(last.Weight.toString(), "12.5");
    EXPECT_EQ(last.Extra, "R07 RID=31");
    EXPECT_EQ(last.Priority, "URGENT");

    // A position that is no number is held as 0 and the sample is still added whole.
    batch.Add_New_Batch_Sample(1, 1, QStringLiteral("x"), QStringLiteral("L10"), 1, "S", "READY", 1, "E", "RUSH");
    EXPECT_EQ(batch.Sample.last().Position, 0);
    EXPECT_EQ(batch.Sample.last().Priority, "RUSH");

    EXPECT_TRUE(batch.Del_Sample_Position(1, 2));
    EXPECT_TRUE(batch.Set_Batch_Closed(1, "file"));
    commonModule::Curr_Batch_Id = 77;
    commonModule::Curr_Batch_Name = QStringLiteral("BATH-77");
    EXPECT_TRUE(batch.Save_Batch(1, "other", "PC999", "Other"));
    EXPECT_EQ(batch.Batch_Id.toInt(), 77);
    EXPECT_EQ(batch.Batch, "BATH-77");
    commonModule::Reset_Globals();
    EXPECT_TRUE(database.statements().isEmpty()) << "none of them asks the database";
}

}  // namespace
