#include "demo_laboratory.h"
#include "records/batch.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchDemo, OpenBatchFillsTheSamplesAndStandsOnItsFirstRow)
{
    DemoLaboratory lab;
    Batch batch;
    // The open batch holds the first three samples of R1002; a fourth stands in with a NULL run.
    lab.change("UPDATE pc_batch_details SET EXTRA = '  ' || EXTRA || '  ' WHERE POSITION = 1");
    lab.change("INSERT INTO pc_batch_details (BATCH_ID, POSITION, LAB_ID, RUN_NO, SAMPLE_TYPE, EXTRA, DATE_ADDED)"
               " SELECT 1, 4, p.LAB_ID, NULL, 'SAMPLE', NULL, '2024-03-05 08:00:00' FROM rack_positions p"
               " JOIN racks r ON r.RACK_ID = p.RACK_ID WHERE r.RACK_DESC = 'R1003' AND p.POSITION = 1");

    db::Recordset rs = batch.Get_Batch_Samples(QVariant(), QStringLiteral("PC002"), QStringLiteral("ZIVIRUZEZ"), QStringLiteral("PrtCount"));
    ASSERT_EQ(batch.Sample.size(), 4);
    const Samples& first = batch.Sample[0];
    EXPECT_EQ(first.Position, 1);
    EXPECT_EQ(first.Sample_ID.toString(), lab.labNumberAt("R1002", 1));
    EXPECT_EQ(first.Sample_Type, "SAMPLE");
    EXPECT_EQ(first.Extra, "RD=R1002RID=502");
    EXPECT_EQ(first.Priority, "RUSH");
    EXPECT_EQ(first.Weight.toString(), "") << "NULL weight";
    EXPECT_TRUE(first.Weight.isValid());
    EXPECT_EQ(first.Run_No.toInt(), 1);
    EXPECT_EQ(batch.Sample[3].Extra, "");
    EXPECT_FALSE(batch.Sample[3].Run_No.isValid()) << "an untyped value keeps its NULL";
    for (int i = 0; i < batch.Sample.size(); ++i) EXPECT_EQ(batch.Sample[i].Position, i + 1);

    ASSERT_TRUE(rs.isOpen());
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value("POSITION").toInt(), 1) << "back on its first row";

    // The bath pads the batch to 30 with empty places.
    int running = int(batch.Sample.size()) + 1;
    while (batch.Sample.size() < 30)
        batch.Add_New_Batch_Sample(QVariant(), running++, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                   QVariant(), QVariant());
    EXPECT_EQ(batch.Sample[29].Batch_Id.toInt(), 30);
    EXPECT_EQ(batch.Sample[29].Priority, "");

    // A batch without samples leaves what was read before.
    lab.change("DELETE FROM pc_batch_details");
    batch.Get_Batch_Samples(QVariant(), QStringLiteral("PC002"), QStringLiteral("ZIVIRUZEZ"), QStringLiteral("PrtCount"));
    EXPECT_EQ(batch.Sample.size(), 30);
}

TEST(BatchDemo, RacksAvailableForTheBathAreListed)
{
    DemoLaboratory lab;
    Batch batch;
    db::Recordset rs = batch.Get_Available_Racks(QStringLiteral(" PC002 "), QStringLiteral("PrtCount"));
    QStringList racks;
    for (; !rs.eof(); rs.moveNext()) racks << db::textOf(rs.value("RACK_DESC"));
    EXPECT_TRUE(racks.contains("R1001"));
    EXPECT_FALSE(racks.contains("R1007")) << "nothing left to count there";
}

}  // namespace
