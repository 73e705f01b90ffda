#include "alert_recorder.h"
#include "demo_laboratory.h"
#include "records/screen.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

class ScreenDemo : public ::testing::Test {
protected:
    // A sample whose first screening run is still outstanding.
    void SetUp() override
    {
        const QList<QVariantList> ready = lab.rows("SELECT t.LAB_ID FROM lab_tracking t WHERE t.TEST_GROUP = 'SCREEN' AND t.STATUS = 'READY' "
                                                   "ORDER BY t.LAB_ID LIMIT 2");
        ASSERT_EQ(ready.size(), 2);
        first = ready[0][0].toString();
        second = ready[1][0].toString();
    }

    Screen onPosition(const QString& labId)
    {
        Screen record;
        record.Lab_Id = labId;
        record.Lab_Code = QStringLiteral("ZIVIRUZEZ");
        record.Run_No = 1;
        record.Status = QStringLiteral("READY");
        return record;
    }

    QString testStatus(const QString& labId)
    {
        return lab.scalar("SELECT STATUS FROM lab_tracking WHERE LAB_ID = ? AND TEST_GROUP = 'SCREEN'", {labId}).toString();
    }

    DemoLaboratory lab;
    AlertRecorder alerts;
    QString first;
    QString second;
};

TEST_F(ScreenDemo, RatingsSavedComeBackAsWords)
{
    Screen record = onPosition(first);
    record.Get_Current_Results();
    EXPECT_FALSE(record.isChanged()) << "nothing rated yet";
    EXPECT_EQ(record.Get_Field_Status("VISUAL"), "-1");

    record.SetValues("VISUAL", true);
    record.Field_Value_Set("yellow_metal", 2);
    record.Field_Value_Set("h2o emul", 1);
    record.Field_Value_Set("ODOR", 4);
    ASSERT_TRUE(record.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(record.Status, "READY") << "the free water is not rated yet";
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join("|").toStdString();

    Screen reloaded = onPosition(first);
    reloaded.Get_Current_Results();
    EXPECT_EQ(reloaded.Babbitt, "LIGHT");
    EXPECT_EQ(reloaded.Odor, "SOLVT");
    EXPECT_EQ(reloaded.Get_Rating_String("H2O EMUL"), "0.1%");
    EXPECT_EQ(reloaded.Field_Value_Get("ODOR"), 4);
    EXPECT_EQ(reloaded.H2O_Free, "") << "an unrated part comes back unrated";
    EXPECT_EQ(reloaded.status_Visual, 0);
    EXPECT_EQ(reloaded.status_Spat, -1);

    // Completing the water spot completes the screening: it waits for review.
    reloaded.Field_Value_Set("H2O FREE", 0);
    ASSERT_TRUE(reloaded.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(reloaded.Status, "DONE");
    EXPECT_EQ(testStatus(first), "PENDING");

    // Nothing outstanding any more: the query answers no row and the ratings stay.
    Screen after = onPosition(first);
    after.Get_Current_Results();
    EXPECT_EQ(after.Babbitt, "");
}

TEST_F(ScreenDemo, WhatTheLaboratoryRefusesIsNotSaved)
{
    // A quoted rating reaches the laboratory as text, which refuses it.
    Screen record = onPosition(first);
    record.SetValues("VISUAL", true);
    record.Silt = QStringLiteral("NO'NE");
    EXPECT_FALSE(record.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(record.Status, "READY");
    EXPECT_TRUE(record.isChanged()) << "the ratings are still to be saved";
    EXPECT_EQ(lab.scalar("SELECT count(*) FROM screen_results").toInt(), 0);

    // A test action on a screening that is no longer outstanding, or by a dismissed employee.
    Screen action = onPosition(second);
    action.SetValues("WATER", true);
    action.Test_Action = QStringLiteral("TOO_DARK");
    const QVariant actions = lab.scalar("SELECT count(*) FROM test_actions");
    lab.change("UPDATE employees SET DISMISSED = 'Y' WHERE EMP_NUM = 101");
    EXPECT_FALSE(action.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(testStatus(second), "READY");
    lab.change("UPDATE employees SET DISMISSED = 'N' WHERE EMP_NUM = 101");
    lab.change("UPDATE lab_tracking SET STATUS = 'DONE' WHERE LAB_ID = ? AND TEST_GROUP = 'SCREEN'", {second});
    EXPECT_FALSE(action.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(action.Status, "READY");
    EXPECT_EQ(lab.scalar("SELECT count(*) FROM test_actions"), actions);
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join("|").toStdString();
}

TEST_F(ScreenDemo, TestActionClosesTheScreening)
{
    Screen record = onPosition(second);
    record.SetValues("WATER", true);
    record.Test_Action = QStringLiteral("TOO_DARK");
    ASSERT_TRUE(record.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(record.Status, "DONE");
    EXPECT_EQ(testStatus(second), "DONE");
    EXPECT_EQ(lab.scalar("SELECT TEST_ACTION FROM lab_tracking WHERE LAB_ID = ? AND TEST_GROUP = 'SCREEN'", {second}).toString(), "TOO_DARK");
    EXPECT_FALSE(record.isChanged());
}

}  // namespace
