#include "demo_laboratory.h"
#include "records/prt_count.h"
#include "technician.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

class PrtCountDemo : public ::testing::Test {
protected:
    void store(const QString& labNumber, std::int16_t empNum = 101)
    {
        record.Save_Results(labNumber, empNum, QStringLiteral(" 20 "), 4446, 1200, 310, 40, 8, 2, 0, QString());
    }

    QList<QVariantList> tests(const QString& labNumber)
    {
        return lab.rows("SELECT t.RUN_NO, t.STATUS, t.TEST_ACTION FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                        " WHERE s.LAB_NUMBER = ? AND t.TEST_GROUP = 'PrtCount' ORDER BY t.RUN_NO",
                        {labNumber});
    }

    TechnicianAtStation technician{QStringLiteral("PARTICLE COUNT"), 101, QStringLiteral("Anna Berg")};
    DemoLaboratory lab;
    PrtCount record;
};

TEST_F(PrtCountDemo, StoreReRunAndStoreAgain)
{
    const QString labNumber = lab.labNumberAt("R1001", 1);
    store(QStringLiteral("  ") + labNumber + QStringLiteral(" "));
    ASSERT_TRUE(record.saveOk);
    EXPECT_EQ(record.Status, "DONE");
    EXPECT_EQ(record.Run_No, 1);
    EXPECT_EQ(record.Lab_Code, "ZIVIRUZEZ");
    EXPECT_EQ(record.Lab_Id, lab.scalar("SELECT LAB_ID FROM samples WHERE LAB_NUMBER = ?", {labNumber}).toString());
    EXPECT_EQ(lab.scalar("SELECT PC2M FROM pc_counts WHERE LAB_ID = ?", {record.Lab_Id}).toInt(), 4446);

    db::Recordset history = record.Get_PC_History(labNumber);
    ASSERT_FALSE(history.eof());
    EXPECT_FALSE(db::textOf(history.value("ISO")).isEmpty());

    // Storing again without a new run is refused: the test is done.
    store(labNumber);
    EXPECT_FALSE(record.saveOk);

    ASSERT_TRUE(record.Redo_Sample(labNumber, QStringLiteral("not used")));
    EXPECT_EQ(tests(labNumber).size(), 2);
    EXPECT_EQ(tests(labNumber)[1][1].toString(), "READY");
    store(labNumber);
    EXPECT_TRUE(record.saveOk);
    EXPECT_EQ(record.Run_No, 2);

    // Nobody logged in: the laboratory refuses, and so does the record.
    EXPECT_TRUE(record.Redo_Sample(labNumber, QString()));
    store(labNumber, -1);
    EXPECT_FALSE(record.saveOk);
    EXPECT_EQ(tests(labNumber).last()[1].toString(), "READY");
}

TEST_F(PrtCountDemo, RemovalClosesTheTestWithItsReason)
{
    const QString labNumber = lab.labNumberAt("R1001", 2);
    EXPECT_TRUE(record.Remove_Sample(labNumber, QStringLiteral("TOO_DARK")));
    EXPECT_EQ(tests(labNumber).last()[1].toString(), "DONE");
    EXPECT_EQ(tests(labNumber).last()[2].toString(), "TOO_DARK");
    EXPECT_FALSE(record.Remove_Sample(labNumber, QStringLiteral("TOO_DARK"))) << "nothing left to remove";
    EXPECT_FALSE(record.Redo_Sample(QStringLiteral("99999999"), QString()));
    EXPECT_FALSE(record.Remove_Sample(QStringLiteral("99999999"), QStringLiteral("HIGH_H2O")));
}

TEST_F(PrtCountDemo, AQuoteInALabNumberIsPartOfTheNumber)
{
    lab.change("INSERT INTO samples (LAB_NUMBER, LAB_CODE, PRIORITY) VALUES ('QA''01', 'ZIVIRUZEZ', 'NORMAL')");
    lab.change("INSERT INTO lab_tracking (LAB_ID, TEST_GROUP, RUN_NO, STATUS) "
               "SELECT LAB_ID, 'PrtCount', 1, 'READY' FROM samples WHERE LAB_NUMBER = 'QA''01'");

    store(QStringLiteral("QA'01"));
    ASSERT_TRUE(record.saveOk);
    EXPECT_EQ(tests(QStringLiteral("QA'01"))[0][1].toString(), "DONE");
    ASSERT_TRUE(record.Redo_Sample(QStringLiteral("QA'01"), QString()));
    EXPECT_TRUE(record.Remove_Sample(QStringLiteral("QA'01"), QStringLiteral("NOT_ENOUGH")));
    EXPECT_EQ(tests(QStringLiteral("QA'01")).size(), 2);

    // A number that only starts like a known one finds nothing and stores nothing.
    const int counts = lab.scalar("SELECT count(*) FROM pc_counts").toInt();
    store(QStringLiteral("QA' OR '1'='1"));
    EXPECT_FALSE(record.saveOk);
    EXPECT_EQ(lab.scalar("SELECT count(*) FROM pc_counts").toInt(), counts);
}

}  // namespace
