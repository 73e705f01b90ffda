// Priority flags packed from the priority rows, and which navigation buttons a
// rack's place in the search list leaves on the screen.
#include "fake_database.h"
#include "rack_fixture.h"

namespace {

FakeDatabase::Reply priorities(const QStringList& names)
{
    QList<QVariantList> rows;
    for (const QString& n : names) rows << QVariantList{n};
    return FakeDatabase::rows({"PRIORITY"}, rows);
}

FakeDatabase::Reply racks(const QStringList& descs)
{
    QList<QVariantList> rows;
    for (int i = 0; i < descs.size(); ++i) rows << QVariantList{descs[i], 500 + i};
    return FakeDatabase::rows({"RACK_DESC", "RACK_ID"}, rows);
}

class RackFiltersTest : public RackTest {
protected:
    void SetUp() override
    {
        RackTest::SetUp();
        // The screen as its load leaves it, without the load's database calls.
        Form_Rack& f = rack();
        f.Cell_Width = 95 * 15;
        f.Cell_Height = 75 * 15;
        f.Resize_Rack(0, 945);
    }
    bool shown(const QWidget* w) { return w->isVisibleTo(&rack()); }

    FakeDatabase database;
};

TEST_F(RackFiltersTest, FlagsArePackedInTheOrderOfTheRows)
{
    Form_Rack& f = rack();
    database.script(priorities({"URGENT", "RUSH", "CRITICAL"}));
    f.Refresh_Priority();
    EXPECT_TRUE(database.last().startsWith("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0"));
    EXPECT_EQ(ui::Left(f.img_urgent), 810);
    EXPECT_EQ(ui::Left(f.img_rush), 1500);
    EXPECT_EQ(ui::Left(f.img_critical), 2190);
    EXPECT_FALSE(shown(f.img_retest));
    EXPECT_TRUE(shown(f.img_Priority));
    EXPECT_EQ(f.img_urgent->picturePath(), commonModule::Image_Dir + "bttn_URGENT_off.gif");
}

TEST_F(RackFiltersTest, UnknownRepeatedAndFifthPrioritiesAreLeftOut)
{
    Form_Rack& f = rack();
    database.script(priorities({"NORMAL", "retest ", "RETEST", "BOGUS", "RUSH", "CRITICAL", "URGENT", "EXTRA"}));
    f.Refresh_Priority();
    EXPECT_EQ(ui::Left(f.img_retest), 810);
    EXPECT_EQ(ui::Left(f.img_rush), 1500);
    EXPECT_EQ(ui::Left(f.img_critical), 2190);
    EXPECT_EQ(ui::Left(f.img_urgent), 2880);
    for (ui::Image* flag : {f.img_retest, f.img_rush, f.img_critical, f.img_urgent}) EXPECT_TRUE(shown(flag));
}

TEST_F(RackFiltersTest, NoPrioritiesLeaveOnlyTheAllRacksButton)
{
    Form_Rack& f = rack();
    database.script(priorities({"RUSH"}));
    f.Refresh_Priority();
    database.script(priorities({}));
    f.Refresh_Priority();
    EXPECT_TRUE(shown(f.img_Priority));
    EXPECT_FALSE(shown(f.img_rush)) << "a flag of an earlier refresh goes";

    commonModule::Curr_Test_Group.clear();
    f.Refresh_Priority();
    EXPECT_FALSE(shown(f.img_Priority));
    EXPECT_EQ(database.statements().size(), 2) << "no test group, no query";
}

TEST_F(RackFiltersTest, PriorityQueryWithoutAnAnswerLeavesNoFlag)
{
    Form_Rack& f = rack();
    AlertRecorder alerts;
    database.script(FakeDatabase::failure(2812, "Could not find stored procedure"));
    f.Refresh_Priority();
    for (ui::Image* flag : {f.img_Priority, f.img_critical, f.img_urgent, f.img_rush, f.img_retest})
        EXPECT_FALSE(shown(flag)) << flag->objectName().toStdString();
}

TEST_F(RackFiltersTest, NavigationButtonsFollowThePlaceInTheList)
{
    const QStringList loadColumns = {"RACK_ID", "POSITION", "STATUS"};
    struct Case {
        QStringList listed;
        QString chosen;
        bool prev, next, find;
    } cases[] = {
        {{"R1", "R2", "R3"}, "R1", false, true, true},
        {{"R1", "R2", "R3"}, "R2", true, true, true},
        {{"R1", "R2", "R3"}, "R3", true, false, true},
        {{"R1"}, "R1", false, false, false},
    };
    Form_Rack& f = rack();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString() + " of " + QString::number(c.listed.size()).toStdString());
        database.script(racks(c.listed));
        database.script(FakeDatabase::noRows(loadColumns));
        ui::ModalResponders responders;
        responders.add(automaticChoice());
        f.Get_Racks(-1, c.chosen);
        EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, c.chosen);
        EXPECT_EQ(shown(f.bttn_Nav[0]), c.prev);
        EXPECT_EQ(shown(f.bttn_Nav[1]), c.next);
        EXPECT_EQ(shown(f.bttn_Nav[2]), c.find);
        EXPECT_FALSE(ui::Default_Instance<Form_Search>::exists()) << "the search is unloaded";
    }
}

TEST_F(RackFiltersTest, OpenedSampleIdStartsAtTheFirstZeroOrIsTheWholeWorkOrder)
{
    Rack& r = commonModule::Curr_Rack();
    r.Rack_Desc = QStringLiteral("R1");
    r.Rack_id = QStringLiteral("501");
    r.Emp_Num = commonModule::Curr_Employee().Emp_Num;  // held here
    for (std::int16_t i = 0; i < Rack::kPositions; ++i) r.Rack_Set(nullptr, i);
    const QString workOrders[] = {"04250001", "12304560", "ABC12345"};
    const QString saved[] = {"04250001", "04560", "ABC12345"};
    for (int i = 0; i < 3; ++i) {
        RackPositions& p = r.Pos_Item(i + 1);
        p.Status = p.Init_Status = QStringLiteral("READY");
        p.Sample_Desc = workOrders[i];
    }
    Form_Rack& f = rack();
    f.Show_Rack();
    for (std::int16_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        f.lbl_sample_Click(i);
        EXPECT_EQ(bench().taps.last().sampleId, workOrders[i]);
        EXPECT_EQ(commonModule::Edited_Sample_Id, saved[i]);
        EXPECT_EQ(commonModule::Curr_Lab_Number, saved[i]);
        EXPECT_EQ(commonModule::Curr_Position, i);
    }
}

}  // namespace
