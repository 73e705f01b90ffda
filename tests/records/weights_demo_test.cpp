#include "alert_recorder.h"
#include "common/common_module.h"
#include "demo_laboratory.h"
#include "records/weights.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

class WeightsDemo : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousGroup = commonModule::Curr_Test_Group;
        commonModule::Curr_Test_Group = QStringLiteral("KF");
        labId = lab.scalar("SELECT LAB_ID FROM lab_tracking WHERE TEST_GROUP = 'KF' AND STATUS = 'READY' ORDER BY LAB_ID LIMIT 1").toString();
        ASSERT_FALSE(labId.isEmpty());
        record.Lab_Id = labId;
        record.Run_No = 1;
        record.Status = QStringLiteral("READY");
    }
    void TearDown() override { commonModule::Curr_Test_Group = previousGroup; }

    QVariant storedWeight(const char* group = "KF")
    {
        return lab.scalar("SELECT WEIGHT FROM lab_tracking WHERE LAB_ID = ? AND TEST_GROUP = ?", {labId, QString::fromLatin1(group)});
    }

    DemoLaboratory lab;
    AlertRecorder alerts;
    Weights record;
    QString labId;
    QString previousGroup;
};

TEST_F(WeightsDemo, WeightWrittenThenEmptied)
{
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("2.75 g")));
    ASSERT_TRUE(record.Save_Weight(101));
    EXPECT_EQ(storedWeight().toString(), "2.75");
    EXPECT_EQ(record.Status, "DONE");
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join("|").toStdString();
    EXPECT_TRUE(db::isNull(storedWeight("PrtCount"))) << "only the weighed test group's test";

    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("")));
    ASSERT_TRUE(record.Save_Weight(101));
    EXPECT_TRUE(db::isNull(storedWeight()));
    EXPECT_EQ(record.Status, "READY");
}

TEST_F(WeightsDemo, ACompletedTestIsNotWeighedAgain)
{
    lab.change("UPDATE lab_tracking SET STATUS = 'DONE', DATE_COMPLETED = '2026-01-01 10:00:00', WEIGHT = '3' "
               "WHERE LAB_ID = ? AND TEST_GROUP = 'KF'",
               {labId});
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("9")));
    EXPECT_TRUE(record.Save_Weight(101)) << "both statements ran, neither found the test";
    EXPECT_EQ(storedWeight().toString(), "3");
}

TEST_F(WeightsDemo, ABadWeightNeverReachesTheLaboratory)
{
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("4")));
    ASSERT_TRUE(record.Save_Weight(101));

    EXPECT_FALSE(record.Weight_Assigned(QStringLiteral("1; drop table lab_tracking")));
    EXPECT_FALSE(record.Weight_Assigned(QStringLiteral("abc")));
    record.Weight = QStringLiteral("5 where 1=1 --");
    EXPECT_FALSE(record.Save_Weight(101));
    EXPECT_EQ(storedWeight().toString(), "4");
    EXPECT_EQ(lab.scalar("SELECT count(*) FROM lab_tracking WHERE WEIGHT IS NOT NULL").toInt(), 1);
}

}  // namespace
