#include "alert_recorder.h"
#include "common/common_module.h"
#include "fake_database.h"
#include "records/weights.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const QString kNegative = QStringLiteral("A negative weight value is not a valid");

// Sets the station's test group for one test.
class TestGroup {
public:
    explicit TestGroup(const QString& group) : previous_(commonModule::Curr_Test_Group) { commonModule::Curr_Test_Group = group; }
    ~TestGroup() { commonModule::Curr_Test_Group = previous_; }

private:
    QString previous_;
};

Weights onPosition(const QString& labId = QStringLiteral(" 815 "))
{
    Weights record;
    record.Lab_Id = labId;
    record.Run_No = 1;
    record.Status = QStringLiteral("READY");
    return record;
}

TEST(WeightsEntry, NumbersWithOrWithoutTheUnit)
{
    AlertRecorder alerts;
    Weights record;
    EXPECT_FALSE(record.isChanged());

    EXPECT_TRUE(record.Weight_Assigned(QStringLiteral("12.5g")));
    EXPECT_EQ(record.Weight, "12.5");
    EXPECT_TRUE(record.isChanged());
    EXPECT_TRUE(record.Weight_Assigned(QStringLiteral("12.5 g")));
    EXPECT_EQ(record.Weight, "12.5");
    EXPECT_TRUE(record.Weight_Assigned(QStringLiteral("  3  ")));
    EXPECT_EQ(record.Weight, "3");
    EXPECT_TRUE(record.Weight_Assigned(2.5));
    EXPECT_EQ(record.Weight, "2.5");
    EXPECT_TRUE(alerts.messages.isEmpty());

    EXPECT_TRUE(record.Weight_Assigned(QStringLiteral("")));
    EXPECT_EQ(record.Weight, "");
    EXPECT_FALSE(record.isChanged());
}

TEST(WeightsEntry, RefusalsKeepTheWeight)
{
    AlertRecorder alerts;
    Weights record;
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("4.5")));

    // Silent refusals.
    for (const QVariant& bad :
         {QVariant(), QVariant(QStringLiteral("abc")), QVariant(QStringLiteral("12.5G")),
          QVariant(QStringLiteral("1; drop table lab_tracking")), QVariant(QStringLiteral("1; update logs")), QVariant(QStringLiteral("g")),
          QVariant(QStringLiteral("   ")), QVariant(QStringLiteral("inf")), QVariant(QStringLiteral("4'5g"))}) {
        EXPECT_FALSE(record.Weight_Assigned(bad)) << bad.toString().toStdString();
        EXPECT_EQ(record.Weight, "4.5");
    }
    EXPECT_TRUE(alerts.messages.isEmpty());

    // Nothing at all, or less: the technician is told.
    for (const QVariant& bad :
         {QVariant(QStringLiteral("0")), QVariant(QStringLiteral("-3")), QVariant(QStringLiteral("0 g")), QVariant(-0.5)}) {
        EXPECT_FALSE(record.Weight_Assigned(bad)) << bad.toString().toStdString();
        EXPECT_EQ(record.Weight, "4.5");
    }
    EXPECT_EQ(alerts.messages, QStringList(4, kNegative));
}

TEST(WeightsCalls, BothUpdatesInTheirOrder)
{
    FakeDatabase database;
    TestGroup group(QStringLiteral("tan auto"));
    Weights record = onPosition();
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("123.456 g")));
    EXPECT_TRUE(record.Save_Weight(QVariant()));
    ASSERT_EQ(database.statements().size(), 2);
    EXPECT_EQ(database.statements()[0], "update lab.dbo.testgroup_tanauto set    weight =  '123.4'  where  lab_id = 815 "
                                        "and    run_no = 1 and    date_completed is null ");
    EXPECT_EQ(database.statements()[1], "update lab.dbo.lab_tracking set    weight =  '123.4'  where  lab_id = 815 "
                                        "and    test_group = 'tan auto' and    status = 'READY' and    isNumeric(weight) = 0 ");
    EXPECT_EQ(record.Status, "DONE");
    EXPECT_EQ(record.Weight, " '123.4' ");
    EXPECT_FALSE(record.isChanged());
    database.clear();
    EXPECT_FALSE(record.Save_Weight(QVariant())) << "nothing new to write";
    EXPECT_TRUE(database.statements().isEmpty());

    // An emptied weight is written as null and leaves the test ready.
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("")));
    EXPECT_TRUE(record.Save_Weight(QVariant()));
    ASSERT_EQ(database.statements().size(), 2);
    EXPECT_TRUE(database.statements()[0].contains("set    weight =  null  where  lab_id = 815 "));
    EXPECT_EQ(record.Status, "READY");
}

TEST(WeightsCalls, TableSuffixByTestGroup)
{
    FakeDatabase database;
    const QList<std::pair<QString, QString>> groups = {
        {"KF", "kf"}, {"Tan Man", "tanman"}, {"TAN AUTO", "tanauto"}, {"tbn", "tbn"}, {"SpecGravity", "SpecGravity"}};
    for (const auto& [name, suffix] : groups) {
        TestGroup group(name);
        Weights record = onPosition();
        ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("1")));
        database.clear();
        EXPECT_TRUE(record.Save_Weight(QVariant()));
        ASSERT_EQ(database.statements().size(), 2);
        EXPECT_TRUE(database.statements()[0].startsWith("update lab.dbo.testgroup_" + suffix + " set")) << name.toStdString();
    }

    // Not a weighed test group: nothing sent, false, the weight in its written form all the same.
    TestGroup group(QStringLiteral("PrtCount"));
    Weights record = onPosition();
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("2")));
    database.clear();
    EXPECT_FALSE(record.Save_Weight(QVariant()));
    EXPECT_TRUE(database.statements().isEmpty());
    EXPECT_EQ(record.Weight, " '2' ");
    EXPECT_EQ(record.Status, "READY");
}

TEST(WeightsCalls, FailedUpdatesAndRefusedValues)
{
    FakeDatabase database;
    AlertRecorder alerts;
    TestGroup group(QStringLiteral("KF"));

    // The first update fails: the second is not sent.
    Weights record = onPosition();
    ASSERT_TRUE(record.Weight_Assigned(QStringLiteral("2.5")));
    database.script(FakeDatabase::failure(208, "Invalid object name"));
    EXPECT_FALSE(record.Save_Weight(QVariant()));
    EXPECT_EQ(database.statements().size(), 1);
    EXPECT_EQ(record.Status, "READY");
    EXPECT_EQ(record.Weight, "2.5") << "kept as entered";
    // ... so that the save can be tried again.
    database.clear();
    EXPECT_TRUE(record.Save_Weight(QVariant()));
    ASSERT_EQ(database.statements().size(), 2);
    EXPECT_TRUE(database.statements()[0].contains("set    weight =  '2.5'  where"));
    EXPECT_EQ(record.Status, "DONE");

    // The second fails: false, and the record is not taken as saved.
    Weights second = onPosition();
    ASSERT_TRUE(second.Weight_Assigned(QStringLiteral("2.5")));
    database.clear();
    database.script(FakeDatabase::Reply{});
    database.script(FakeDatabase::withErrors({{547, 547, "23000", "The UPDATE statement conflicted"}}));
    EXPECT_FALSE(second.Save_Weight(QVariant()));
    EXPECT_EQ(database.statements().size(), 2);
    EXPECT_EQ(second.Status, "READY");
    EXPECT_TRUE(second.isChanged());
    EXPECT_EQ(second.Weight, "2.5");
    EXPECT_EQ(alerts.messages.size(), 1) << "the database's error is shown once";

    // A weight or lab id written straight into the record is checked before anything is sent.
    database.clear();
    for (const QString& weight : {QStringLiteral("1; drop table lab_tracking"), QStringLiteral("abc"), QStringLiteral("1'--")}) {
        Weights bad = onPosition();
        bad.Weight = weight;
        EXPECT_FALSE(bad.Save_Weight(QVariant())) << weight.toStdString();
        EXPECT_EQ(bad.Weight, weight) << "the entry is kept";
    }
    for (const QString& labId : {QStringLiteral("815 or 1=1"), QStringLiteral(""), QStringLiteral("L815")}) {
        Weights bad = onPosition(labId);
        ASSERT_TRUE(bad.Weight_Assigned(QStringLiteral("2")));
        EXPECT_FALSE(bad.Save_Weight(QVariant())) << labId.toStdString();
        EXPECT_EQ(bad.Weight, "2");
    }
    EXPECT_TRUE(database.statements().isEmpty());
}

TEST(WeightsCalls, RatingCallsDoNothing)
{
    Weights record;
    record.Weight = QStringLiteral("3");
    for (const char* name : {"APPEARANCE", "WATER", "", "SILT"}) {
        EXPECT_EQ(record.Rating_Strings(name), "");
        EXPECT_EQ(record.Get_Rating_String(name), "");
        EXPECT_EQ(record.Field_Value_Get(name), 0);
        record.Field_Value_Set(name, 3);
    }
    EXPECT_EQ(record.Weight, "3");
    record.SetValues();
    EXPECT_EQ(record.Weight, "");
}

}  // namespace
