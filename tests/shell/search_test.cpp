// The rack search: its automatic choice, the visible list, the keypad lookup.
#include "fake_database.h"
#include "rack_fixture.h"

namespace {

const QStringList kRackColumns = {"RACK_DESC", "RACK_ID"};

FakeDatabase::Reply racks(const QStringList& descs)
{
    QList<QVariantList> rows;
    for (int i = 0; i < descs.size(); ++i) rows << QVariantList{descs[i] + QStringLiteral(" "), 500 + i};
    return FakeDatabase::rows(kRackColumns, rows);
}

const QStringList kFive = {"R1", "R2", "R3", "R4", "R5"};

class SearchTest : public RackTest {
protected:
    void SetUp() override
    {
        RackTest::SetUp();
        commonModule::Curr_Employee().Lab_Code = QStringLiteral("ZIVIRUZEZ");
        commonModule::App_Status = QStringLiteral("ACTIVE");
    }

    // Opens the search as the rack screen does, the responder acting on it, and
    // unloads it afterwards.
    void search(const QString& action, const QString& preselected, const ui::ModalResponder& act)
    {
        Form_Search::Search_Action = action;
        Form_Search::Preselected_Rack = preselected;
        {
            ui::ModalResponders responders;
            responders.add(act);
            ui::Default_Instance<Form_Search>::get().Show_Modal(&rack());
            EXPECT_EQ(responders.pending(), 0);
            EXPECT_TRUE(responders.unanswered().isEmpty());
        }
        ui::Default_Instance<Form_Search>::Unload();
    }

    void current(const QString& desc) { commonModule::Curr_Rack().Rack_Desc = desc; }

    FakeDatabase database;
};

// A responder that finds the search shown for the technician and acts on it.
ui::ModalResponder seen(std::function<void(Form_Search&)> act)
{
    return [act](QDialog* w) {
        auto* search = qobject_cast<Form_Search*>(w);
        ASSERT_NE(search, nullptr);
        EXPECT_FALSE(search->Timer1->isActive()) << "no automatic choice";
        EXPECT_DOUBLE_EQ(ui::Width(search), Form_Search::kWidth);
        EXPECT_DOUBLE_EQ(ui::Height(search), Form_Search::kHeight);
        act(*search);
    };
}

void tap(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

TEST_F(SearchTest, NextFromTheThirdOfFiveTakesTheFourthUnseen)
{
    database.script(racks(kFive));
    current("R3");
    search("NEXT", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R4");
    EXPECT_EQ(Form_Search::Rack_Index, 3);
    EXPECT_EQ(Form_Search::Target_Index, 3);
    EXPECT_EQ(Form_Search::Rack_Count, 5);
    ASSERT_EQ(database.statements().size(), 1);
    EXPECT_TRUE(database.last().contains("@test_group = 'PrtCount'"));
    EXPECT_TRUE(database.last().contains("@priority = null"));
}

TEST_F(SearchTest, PrevFromTheThirdOfFiveTakesTheSecond)
{
    database.script(racks(kFive));
    current("R3");
    search("PREV", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R2");
    EXPECT_EQ(Form_Search::Rack_Index, 1);
}

TEST_F(SearchTest, AtTheEndsThereIsNoWrapAround)
{
    database.script(racks(kFive));
    current("R5");
    search("NEXT", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R1") << "next after the last: the first listed";
    EXPECT_EQ(Form_Search::Rack_Index, 0);

    database.script(racks(kFive));
    current("R1");
    search("PREV", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R1") << "previous before the first: the first (current) rack";

    database.script(racks(kFive));
    current("R9");
    search("NEXT", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R1") << "a rack not listed: the first listed";
}

TEST_F(SearchTest, AfterAnOpenedPositionTheFirstListedRackIsTaken)
{
    database.script(racks(kFive));
    current("R3");
    commonModule::Results_Saved = true;
    search("PREV", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R1");
    EXPECT_EQ(Form_Search::Rack_Index, 0);
}

TEST_F(SearchTest, FindWithTwoRacksWaitsForTheTechnician)
{
    database.script(racks({"R1", "R2"}));
    current("R1");
    search("FIND", "", seen([](Form_Search& s) {
               EXPECT_EQ(s.lst_os->count(), 2);
               EXPECT_EQ(s.lst_os->currentRow(), -1) << "nothing selected with two racks";
               s.lst_os->setCurrentRow(1);
               tap(s.lbl_getRack);
           }));
    EXPECT_EQ(Form_Search::Chosen_Rack, "R2");
    EXPECT_EQ(Form_Search::Rack_Index, 1);
    EXPECT_EQ(Form_Search::Target_Index, 1);
}

TEST_F(SearchTest, GetRackWithNothingSelectedInTheFocusedListTakesNoRack)
{
    database.script(racks({"R1", "R2"}));
    current("R2");
    search("FIND", "", seen([](Form_Search& s) {
               // As on the screen: the shown search is the active window and its list
               // takes the focus, which makes the first row current but not selected.
               QApplication::setActiveWindow(&s);
               s.lst_os->setFocus(Qt::OtherFocusReason);
               ASSERT_TRUE(s.lst_os->hasFocus());
               ASSERT_EQ(s.lst_os->currentRow(), 0);
               tap(s.lbl_getRack);
           }));
    EXPECT_EQ(Form_Search::Chosen_Rack, "");
    EXPECT_EQ(Form_Search::Rack_Index, -1);
    EXPECT_EQ(Form_Search::Target_Index, -1);
}

TEST_F(SearchTest, FindWithOneRackOrAPreselectedListedRackChoosesByItself)
{
    database.script(racks({"R7"}));
    search("FIND", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R7");
    EXPECT_EQ(Form_Search::Rack_Count, 1);

    database.script(racks(kFive));
    current("R2");
    search("FIND", "R5", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R5");
    EXPECT_EQ(Form_Search::Rack_Index, 4);

    database.script(racks(kFive));
    search("FIND", "R8", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "R1") << "a named rack that is not listed: the first listed";
}

TEST_F(SearchTest, EmptyActionIsFind)
{
    database.script(racks({"R1", "R2"}));
    search("", "", seen([](Form_Search& s) { tap(s.lbl_Exit); }));
    EXPECT_EQ(Form_Search::Search_Action, "FIND");
}

TEST_F(SearchTest, KeypadPadsTheWorkOrderToEightDigitsAndFindsItsRack)
{
    database.script(racks({"R1", "R2"}));
    database.script(FakeDatabase::rows({"RACK_DESC"}, {{"R2 "}}));
    current("R1");
    search("FIND", "", seen([](Form_Search& s) {
               for (int d : {1, 2, 3}) tap(s.lbl_No[d]);
               EXPECT_EQ(s.txt_wo->text(), "123");
               tap(s.lbl_Go);
           }));
    EXPECT_TRUE(database.last().contains("@lab_number = '00000123'"));
    EXPECT_TRUE(database.last().contains("@test_group = 'PrtCount'"));
    EXPECT_EQ(Form_Search::Chosen_Rack, "R2");
    EXPECT_TRUE(Form_Search::Sample_Located);
    EXPECT_EQ(Form_Search::Found_Sample_Id, "00000123");
}

TEST_F(SearchTest, KeypadTakesEightDigitsAndAWorkOrderOnTheCurrentRackChangesNothing)
{
    database.script(racks({"R1", "R2"}));
    database.script(FakeDatabase::noRows({"RACK_DESC"}));
    current("R1");
    search("FIND", "", seen([](Form_Search& s) {
               for (int d : {0, 4, 2, 5, 0, 0, 0, 1, 9}) tap(s.lbl_No[d]);
               EXPECT_EQ(s.txt_wo->text(), "04250001") << "a ninth digit is ignored";
               tap(s.lbl_Go);
               EXPECT_TRUE(s.isVisible()) << "not found elsewhere: the search stays";
               EXPECT_EQ(s.txt_wo->text(), "04250001") << "eight digits need no padding";
               tap(s.lbl_Clear);
               EXPECT_EQ(s.txt_wo->text(), "");
               tap(s.lbl_Go);  // nothing typed: no lookup
               tap(s.lbl_Exit);
           }));
    EXPECT_EQ(database.statements().size(), 2);
    EXPECT_FALSE(Form_Search::Sample_Located);
    EXPECT_EQ(Form_Search::Chosen_Rack, "");
}

TEST_F(SearchTest, RefreshTwiceListsEachRackOnce)
{
    database.script(racks({"R1", "R2", "R3"}));
    database.script(racks({"R1", "R2", "R3"}));
    database.script(racks({"R1", "R2", "R3"}));
    search("FIND", "", seen([](Form_Search& s) {
               tap(s.lbl_Refresh);
               tap(s.lbl_Refresh);
               EXPECT_EQ(s.lst_os->count(), 3);
               tap(s.lbl_Exit);
           }));
    EXPECT_EQ(Form_Search::Rack_Count, 3);
}

TEST_F(SearchTest, ExitLeavesNothingChosenAndPutsTheStatusBack)
{
    database.script(racks({"R1", "R2"}));
    QString whileUp;
    stationClock::advanceClock(42);
    search("FIND", "", seen([&whileUp](Form_Search& s) {
               whileUp = commonModule::App_Status;
               s.lst_os->setCurrentRow(0);
               tap(s.lbl_Exit);
           }));
    EXPECT_EQ(whileUp, "IDLE");
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_EQ(commonModule::Last_Activity, stationClock::now());
    EXPECT_EQ(Form_Search::Chosen_Rack, "");
    EXPECT_EQ(Form_Search::Target_Index, -1);
}

TEST_F(SearchTest, NoRackListedMeansNothingChosen)
{
    database.script(FakeDatabase::noRows(kRackColumns));
    current("R1");
    search("NEXT", "", automaticChoice());
    EXPECT_EQ(Form_Search::Chosen_Rack, "");
    EXPECT_TRUE(commonModule::Records_Found);
}

TEST_F(SearchTest, FailedListQueryShowsTheEmptySearch)
{
    database.script(FakeDatabase::failure(208, "Invalid object name"));
    AlertRecorder alerts;
    search("NEXT", "", seen([](Form_Search& s) {
               EXPECT_EQ(s.lst_os->count(), 0);
               tap(s.lbl_Exit);
           }));
    EXPECT_FALSE(commonModule::Records_Found);
    EXPECT_EQ(Form_Search::Chosen_Rack, "");
}

TEST_F(SearchTest, SearchListsOnlyTheFilteredPriority)
{
    commonModule::Priority_Filter = QStringLiteral("RUSH");
    database.script(racks({"R2"}));
    search("FIND", "", automaticChoice());
    EXPECT_TRUE(database.statements().first().contains("@priority = 'RUSH'"));
    EXPECT_EQ(Form_Search::Chosen_Rack, "R2");
}

}  // namespace
