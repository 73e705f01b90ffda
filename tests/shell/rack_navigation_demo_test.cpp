// The rack screen against the demo laboratory, through the real forms: the first
// rack at load, moving between racks with custody, filters, opening positions,
// the exits.
#include "../bench/laboratory_tap.h"
#include "demo_laboratory.h"
#include "rack_fixture.h"

#include <QProcess>

namespace {

class RackDemoTest : public RackTest {
protected:
    void SetUp() override
    {
        RackTest::SetUp();
        lab.connect();
        ASSERT_TRUE(commonModule::Curr_Employee().Login(QStringLiteral("demo1")));
        commonModule::Curr_Employee().Station = QStringLiteral("PARTICLE COUNT");
        commonModule::App_Status = QStringLiteral("ACTIVE");
    }

    QVariant holderOf(const QString& desc) { return lab.scalar("SELECT CURR_USER FROM racks WHERE RACK_DESC = ?", {desc}); }
    int racksHeldBy(int empNum) { return lab.scalar("SELECT count(*) FROM racks WHERE CURR_USER = ?", {empNum}).toInt(); }

    // Another station, in a process of its own, asks for a rack's custody; its answer.
    QString otherStation(const QString& action, int rackId, int empNum = 102, const QString& station = "SCREENING")
    {
        const QString path = dbModule::Conn_String.mid(QStringLiteral("EMBEDDED=").size());
        QProcess p;
        p.start(QStringLiteral(STATION_BINARY_DIR "/tools/labdb/labdb"),
                {QStringLiteral("exec"), QStringLiteral("--tsv"), path,
                 QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = %1, @emp_num = %2, "
                                "@station = '%3', @action = '%4'")
                     .arg(rackId)
                     .arg(empNum)
                     .arg(station, action)});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // A navigation by a tap on a navigation button, answered by the responders.
    void navigate(int button, std::initializer_list<ui::ModalResponder> answers)
    {
        ui::ModalResponders responders;
        for (const auto& a : answers) responders.add(a);
        QTest::mouseClick(rack().bttn_Nav[button], Qt::LeftButton);
        EXPECT_EQ(responders.pending(), 0);
        EXPECT_TRUE(responders.unanswered().isEmpty()) << responders.unanswered().join(",").toStdString();
    }

    void tapCell(int index) { QTest::mouseClick(rack().lbl_sample[index], Qt::LeftButton); }

    bool shown(const QWidget* w) { return w->isVisibleTo(&rack()); }

    DemoLaboratory lab;
};

ui::ModalResponder leavingTheSearch(std::function<void()> meanwhile = {})
{
    return [meanwhile](QDialog* w) {
        auto* search = qobject_cast<Form_Search*>(w);
        ASSERT_NE(search, nullptr) << w->objectName().toStdString();
        if (meanwhile) meanwhile();
        QTest::mouseClick(search->lbl_Exit, Qt::LeftButton);
    };
}

ui::ModalResponder choosingInTheList(const QString& desc)
{
    return [desc](QDialog* w) {
        auto* search = qobject_cast<Form_Search*>(w);
        ASSERT_NE(search, nullptr) << w->objectName().toStdString();
        const auto found = search->lst_os->findItems(desc, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << desc.toStdString();
        search->lst_os->setCurrentItem(found.first());
        QTest::mouseClick(search->lbl_getRack, Qt::LeftButton);
    };
}

TEST_F(RackDemoTest, LoadLandsOnTheFirstOutstandingRackAndHoldsIt)
{
    Form_Rack& f = loadScreen();
    const Rack& r = commonModule::Curr_Rack();
    EXPECT_EQ(r.Rack_Desc, "R1001");
    EXPECT_EQ(f.lbl_rackDesc->caption(), "R1001");
    EXPECT_EQ(holderOf("R1001").toInt(), 101);
    EXPECT_EQ(racksHeldBy(101), 1);
    EXPECT_EQ(r.Curr_Station, "PARTICLE COUNT");
    EXPECT_EQ(f.Cell_Width, 1425) << "the bench's cell size is kept";

    EXPECT_EQ(f.shp_sample[0]->borderColor(), QColor(65, 203, 81)) << "ready, normal, first run";
    EXPECT_EQ(f.shp_sample[2]->borderColor(), QColor(249, 254, 101)) << "second run";
    EXPECT_EQ(f.shp_sample[4]->borderColor(), QColor(187, 187, 187)) << "done";
    EXPECT_EQ(ui::tag(f.lbl_sample[9]).toString(), "DONE") << "pending counts as done";
    EXPECT_FALSE(shown(f.lbl_sample[19])) << "an empty place";
    EXPECT_EQ(f.lbl_sample[0]->caption(), "\r\n04250001");

    EXPECT_FALSE(shown(f.bttn_Nav[0])) << "first of seven racks";
    EXPECT_TRUE(shown(f.bttn_Nav[1]));
    EXPECT_TRUE(shown(f.bttn_Nav[2]));
    EXPECT_TRUE(shown(f.img_ptr));
    EXPECT_EQ(bench().inits, 1);
    EXPECT_EQ(bench().userLogins, 1);
    EXPECT_EQ(bench().navStarts, 1);
    EXPECT_EQ(bench().navEnds, 1);
    EXPECT_EQ(bench().rackClicks, 1);
    EXPECT_EQ(commonModule::Curr_Position, -1);
    EXPECT_EQ(commonModule::Header_Status(QString()), "") << "navigation clears the status line";
    EXPECT_EQ(commonModule::App_Status, "ACTIVE") << "the search put the status back";
    EXPECT_TRUE(f.lbl_RackDate->caption().size() > 0);
    EXPECT_EQ(ui::Default_Instance<Form_Header>::get().parentWidget(), &f);
    EXPECT_EQ(bench().parentWidget(), &f);
    EXPECT_TRUE(bench().isVisible());
}

TEST_F(RackDemoTest, DemoPrioritiesGetTheirFlagsInTheRowsOrderAndNormalNone)
{
    Form_Rack& f = loadScreen();
    EXPECT_TRUE(shown(f.img_Priority));
    // Rows CRITICAL, URGENT, RUSH, RETEST, NORMAL: four flags packed, NORMAL has none.
    const std::array<double, 4>& places = f.flagSlots();
    EXPECT_EQ(ui::Left(f.img_critical), places[0]);
    EXPECT_EQ(ui::Left(f.img_urgent), places[1]);
    EXPECT_EQ(ui::Left(f.img_rush), places[2]);
    EXPECT_EQ(ui::Left(f.img_retest), places[3]);
    for (ui::Image* flag : {f.img_critical, f.img_urgent, f.img_rush, f.img_retest}) {
        EXPECT_TRUE(shown(flag));
        EXPECT_EQ(flag->picturePath(), commonModule::Image_Dir + "bttn_" + ui::tag(flag).toString() + "_off.gif");
    }
}

TEST_F(RackDemoTest, PrevAndNextMoveWithOneHolderAtATime)
{
    Form_Rack& f = loadScreen();
    navigate(1, {automaticChoice()});
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1002");
    EXPECT_TRUE(db::isNull(holderOf("R1001"))) << "the former rack is given back";
    EXPECT_EQ(holderOf("R1002").toInt(), 101);
    EXPECT_TRUE(shown(f.bttn_Nav[0]) && shown(f.bttn_Nav[1]) && shown(f.bttn_Nav[2]));

    navigate(1, {automaticChoice()});
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1003");
    navigate(0, {automaticChoice()});
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1002");
    EXPECT_EQ(holderOf("R1002").toInt(), 101);
    EXPECT_TRUE(db::isNull(holderOf("R1003")));
    EXPECT_EQ(racksHeldBy(101), 1);
    EXPECT_EQ(bench().navStarts, 4);
    EXPECT_EQ(bench().navEnds, 4);
    EXPECT_EQ(commonModule::Last_Activity, stationClock::now());
}

TEST_F(RackDemoTest, AnotherStationIsRefusedTheHeldRackAndThisOneIsRefusedItsRack)
{
    loadScreen();
    const QString answer = otherStation("GET", 501);
    EXPECT_TRUE(answer.contains("Rack R1001 is in use by Anna Berg (101) at PARTICLE COUNT.")) << answer.toStdString();
    EXPECT_EQ(holderOf("R1001").toInt(), 101);

    // R1008 is Jan Smit's at the screening station.
    {
        ui::ModalResponders responders;
        responders.add(automaticChoice());
        rack().Get_Racks(-1, QStringLiteral("R1008"));
        EXPECT_EQ(responders.pending(), 0);
    }
    const Rack& r = commonModule::Curr_Rack();
    EXPECT_EQ(r.Rack_Desc, "R1008");
    EXPECT_EQ(r.Curr_User.toInt(), 102);
    EXPECT_EQ(r.Curr_Station, "SCREENING");
    EXPECT_EQ(holderOf("R1008").toInt(), 102);
    EXPECT_TRUE(db::isNull(holderOf("R1001"))) << "the shown rack was given back first";
    // The refusal stands on the screen at once, and no position of the rack opens.
    EXPECT_EQ(rack().lbl_RackStatus->caption(), "Rack R1008 is in use by Jan Smit (102) at SCREENING.");
    EXPECT_TRUE(shown(rack().lbl_RackStatus));
    EXPECT_FALSE(shown(rack().lbl_RackDate)) << "the status takes the date's place";
    tapCell(0);
    EXPECT_TRUE(bench().taps.isEmpty());

    navigate(2, {choosingInTheList("R1003")});
    EXPECT_EQ(holderOf("R1003").toInt(), 101);
    EXPECT_EQ(holderOf("R1008").toInt(), 102);
    EXPECT_FALSE(shown(rack().lbl_RackStatus));
    EXPECT_TRUE(shown(rack().lbl_RackDate));
}

TEST_F(RackDemoTest, TapWhileTheNextRackIsSoughtOpensNothing)
{
    loadScreen();
    // The search chooses one second after R1001 was given back; a tap meanwhile
    // lands on a rack the station no longer holds.
    navigate(1, {[this](QDialog* w) {
                 tapCell(0);
                 automaticChoice()(w);
             }});
    EXPECT_TRUE(bench().taps.isEmpty());
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1002");
    tapCell(0);
    EXPECT_EQ(bench().taps.size(), 1) << "the new rack's positions open";
}

TEST_F(RackDemoTest, SearchLeftWithoutAChoiceKeepsTheRackHeld)
{
    Form_Rack& f = loadScreen();
    QVariant holderWhileSearching;
    navigate(2, {leavingTheSearch([&] { holderWhileSearching = holderOf("R1001"); })});
    EXPECT_TRUE(db::isNull(holderWhileSearching)) << "given back while the search is up";
    EXPECT_EQ(holderOf("R1001").toInt(), 101) << "and taken again when nothing was chosen";
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1001");
    EXPECT_EQ(f.lbl_rackDesc->caption(), "R1001");
    EXPECT_EQ(commonModule::Header_Status(QString()), "");

    // A give-back without an answer leaves the rack signed as not held.
    AlertRecorder alerts;
    {
        LaboratoryTap outage;
        outage.timeOutWhen(QStringLiteral("rack_acquisition_upd"));
        navigate(2, {leavingTheSearch()});
    }
    EXPECT_TRUE(shown(f.lbl_RackStatus));
    EXPECT_EQ(f.lbl_RackStatus->caption(), "Not held here: the laboratory database did not answer.");
}

TEST_F(RackDemoTest, TapsThatWouldSearchWhileTheSearchIsUpDoNothingAndTheFirstGoesThrough)
{
    Form_Rack* screen = nullptr;
    {
        // R1001 is signed as not held: a tap on one of its positions would ask for it.
        LaboratoryTap outage;
        outage.timeOutWhen(QStringLiteral("@action = 'GET'"));
        screen = &loadScreen();
    }
    Form_Rack& f = *screen;
    navigate(1, {[&f, this](QDialog* w) {
                 for (ui::Image* tapped : {f.bttn_Nav[1], f.bttn_Nav[0], f.bttn_Nav[2], f.img_Priority, f.img_rush})
                     QTest::mouseClick(tapped, Qt::LeftButton);
                 f.Get_Racks(-1, QStringLiteral("R1008"));  // the bench's rack name
                 tapCell(0);
                 automaticChoice()(w);
             }});
    EXPECT_TRUE(bench().taps.isEmpty());
    EXPECT_TRUE(db::isNull(holderOf("R1001")));
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1002");
    EXPECT_EQ(holderOf("R1002").toInt(), 101);
    EXPECT_EQ(racksHeldBy(101), 1);
    EXPECT_EQ(commonModule::Priority_Filter, "");
    EXPECT_EQ(bench().navStarts, 2) << "the load's and the first tap's";
}

TEST_F(RackDemoTest, SaveQuestionLeftWithItsExitKeepsTheRackHeld)
{
    loadScreen();
    commonModule::Edited_Sample_Id = QStringLiteral("04250001");
    commonModule::Results_Saved = false;
    navigate(1, {answering(Form_AlertYesNo::kExit)});
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1001");
    EXPECT_EQ(holderOf("R1001").toInt(), 101);
}

TEST_F(RackDemoTest, RackTakenByAnotherStationDuringTheSearchStaysShownClosed)
{
    Form_Rack& f = loadScreen();
    AlertRecorder alerts;
    navigate(2, {leavingTheSearch([&] { otherStation("GET", 501); })});
    EXPECT_EQ(holderOf("R1001").toInt(), 102);
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_EQ(f.lbl_rackDesc->caption(), "R1001");
    EXPECT_EQ(f.lbl_RackStatus->caption(), "Rack R1001 is in use by Jan Smit (102) at SCREENING.");
    EXPECT_TRUE(shown(f.lbl_RackStatus));
    tapCell(0);
    EXPECT_TRUE(bench().taps.isEmpty());

    // The next navigation gives back nothing this station does not hold.
    navigate(2, {choosingInTheList("R1003")});
    EXPECT_EQ(holderOf("R1001").toInt(), 102);
    EXPECT_EQ(holderOf("R1003").toInt(), 101);
}

TEST_F(RackDemoTest, RackLeftHeldHereByAnotherTechnicianIsHandedOverAndOneHeldElsewhereIsNot)
{
    // Jan held R1001 at this station when it stopped without giving the rack back.
    otherStation("GET", 501, 102, "PARTICLE COUNT");
    Form_Rack& f = loadScreen();
    EXPECT_EQ(holderOf("R1001").toInt(), 101);
    EXPECT_FALSE(shown(f.lbl_RackStatus));
    tapCell(0);
    EXPECT_EQ(bench().taps.size(), 1);

    // A rack held at another station stays refused.
    otherStation("GET", 503, 102, "SCREENING");
    navigate(2, {answering(Form_AlertYesNo::kNo), choosingInTheList("R1003")});
    EXPECT_EQ(holderOf("R1003").toInt(), 102);
    EXPECT_TRUE(shown(f.lbl_RackStatus));
}

TEST_F(RackDemoTest, GiveBackWithoutItsAnswerIsToldOnceAndSentBeforeTheNextCustodyCall)
{
    const QString reason = QStringLiteral("Chosen as the <b>deadlock</b> victim.");
    const struct {
        const char* name;
        bool timesOut;  // else the database answers with an error
        QString told;
        QString signWhileOwed;  // the next rack, not taken while the give-back is owed
        QString signOfTheTake;  // the next rack, whose own take then fails the same way
    } cases[] = {
        {"no answer", true, "could not be given back to the laboratory; the station gives it back as soon as the database answers.",
         "Not held here: the laboratory database did not answer.", "Not held here: the laboratory database did not answer."},
        {"an error", false,
         "could not be given back to the laboratory. The database answered with an error: " + reason +
             "\nThe station sends the give-back again before its next call about a rack, and takes no other rack until the "
             "laboratory has taken this one back.",
         "Not held here: rack %1 has not been given back to the laboratory yet.", "Not held here: " + reason},
    };
    loadScreen();
    bench().savesOnShow = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString left = commonModule::Curr_Rack().Rack_Desc;
        AlertRecorder alerts;
        const auto failing = [&](LaboratoryTap& fault, const QString& action) {
            if (c.timesOut)
                fault.timeOutWhen(action);
            else
                fault.failWhen(action, reason);
        };
        {
            LaboratoryTap fault;
            failing(fault, QStringLiteral("@action = 'PUT'"));
            navigate(1, {automaticChoice()});
            EXPECT_EQ(rack().lbl_RackStatus->caption(), QString(c.signWhileOwed).replace("%1", left));
            tapCell(0);
            EXPECT_TRUE(bench().taps.isEmpty()) << "still no answer: the sign stays";
        }
        const QString shown = commonModule::Curr_Rack().Rack_Desc;
        EXPECT_NE(shown, left);
        EXPECT_EQ(alerts.messages, QStringList{"Rack " + left + " " + c.told});
        EXPECT_EQ(holderOf(left).toInt(), 101);
        EXPECT_TRUE(db::isNull(holderOf(shown))) << "never two racks";

        // The kept give-back goes first; a take that fails the same way is signed
        // with its own reason, as text.
        {
            LaboratoryTap fault;
            failing(fault, QStringLiteral("@action = 'GET'"));
            tapCell(0);
        }
        EXPECT_TRUE(db::isNull(holderOf(left)));
        ui::Label* sign = rack().lbl_RackStatus;
        EXPECT_EQ(sign->caption(), c.signOfTheTake) << "never the rack's status while it is not held";
        EXPECT_TRUE(drawnToItsEnd(sign)) << "drawn as the text it is";
        EXPECT_TRUE(bench().taps.isEmpty());

        // The database answers again: the tap takes the shown rack.
        tapCell(0);
        EXPECT_EQ(holderOf(shown).toInt(), 101);
        EXPECT_EQ(racksHeldBy(101), 1);
        EXPECT_EQ(bench().taps.size(), 1);
        EXPECT_EQ(alerts.messages.size(), 1);
        bench().taps.clear();
    }
}

TEST_F(RackDemoTest, TakeWithoutAnAnswerIsSignedAndATapAsksAgain)
{
    loadScreen();
    // Jan left R1002 at this station; without an answer nothing is handed over.
    otherStation("GET", 502, 102, "PARTICLE COUNT");
    AlertRecorder alerts;
    {
        LaboratoryTap outage;
        outage.timeOutWhen(QStringLiteral("@action = 'GET'"));
        navigate(1, {automaticChoice()});
    }
    EXPECT_TRUE(shown(rack().lbl_RackStatus));
    EXPECT_EQ(rack().lbl_RackStatus->caption(), "Not held here: the laboratory database did not answer.");
    EXPECT_EQ(holderOf("R1002").toInt(), 102);
    EXPECT_TRUE(alerts.messages.isEmpty());
    // Jan took R1002 to another station meanwhile: the tap asks again and shows him.
    otherStation("PUT", 502, 102, "PARTICLE COUNT");
    otherStation("GET", 502);
    tapCell(0);
    EXPECT_TRUE(bench().taps.isEmpty());
    EXPECT_EQ(rack().lbl_RackStatus->caption(), "Rack R1002 is in use by Jan Smit (102) at SCREENING.");
}

TEST_F(RackDemoTest, PriorityFlagFiltersTheSearchAndLightsItself)
{
    Form_Rack& f = loadScreen();
    {
        ui::ModalResponders responders;
        responders.add(choosingInTheList("R1006"));
        QTest::mouseClick(f.img_rush, Qt::LeftButton);
        EXPECT_EQ(responders.pending(), 0);
    }
    EXPECT_EQ(commonModule::Priority_Filter, "RUSH");
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1006");
    EXPECT_EQ(f.img_rush->picturePath(), commonModule::Image_Dir + "bttn_RUSH_on.gif");
    EXPECT_FALSE(shown(f.bttn_Nav[1])) << "last of the two rush racks";
    EXPECT_TRUE(shown(f.bttn_Nav[0]));

    {
        ui::ModalResponders responders;
        responders.add(choosingInTheList("R1003"));
        QTest::mouseClick(f.img_critical, Qt::LeftButton);
    }
    EXPECT_EQ(commonModule::Priority_Filter, "CRITICAL");
    EXPECT_EQ(f.img_critical->picturePath(), commonModule::Image_Dir + "bttn_CRITICAL_on.gif");
    EXPECT_EQ(f.img_rush->picturePath(), commonModule::Image_Dir + "bttn_RUSH_off.gif") << "the former flag goes out";
    EXPECT_EQ(racksHeldBy(101), 1);

    // All racks again: every flag off, and a PREV through the whole list.
    {
        ui::ModalResponders responders;
        responders.add(automaticChoice());
        QTest::mouseClick(f.img_Priority, Qt::LeftButton);
    }
    EXPECT_EQ(commonModule::Priority_Filter, "");
    EXPECT_EQ(f.img_critical->picturePath(), commonModule::Image_Dir + "bttn_CRITICAL_off.gif");
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1002") << "the rack before R1003 among all racks";
}

TEST_F(RackDemoTest, FlagWithoutRacksSaysSoAndChangesNothing)
{
    Form_Rack& f = loadScreen();
    lab.change("UPDATE samples SET PRIORITY = 'NORMAL' WHERE PRIORITY = 'URGENT'");
    AlertRecorder alerts;
    ui::ModalResponders responders;
    QTest::mouseClick(f.img_urgent, Qt::LeftButton);
    EXPECT_TRUE(responders.shown().isEmpty()) << "no search";
    EXPECT_EQ(alerts.messages, QStringList{"No records found!"});
    EXPECT_EQ(commonModule::Priority_Filter, "");
    EXPECT_EQ(f.img_urgent->picturePath(), commonModule::Image_Dir + "bttn_URGENT_off.gif");
    EXPECT_EQ(holderOf("R1001").toInt(), 101) << "no rack given back";
    EXPECT_FALSE(commonModule::Records_Found);
}

TEST_F(RackDemoTest, ReadyPositionGoesToTheBenchDonePositionOpensNothing)
{
    Form_Rack& f = loadScreen();
    tapCell(0);
    ASSERT_EQ(bench().taps.size(), 1);
    EXPECT_EQ(bench().taps[0].index, 0);
    EXPECT_EQ(bench().taps[0].sampleId, "04250001");
    EXPECT_EQ(bench().taps[0].status, "READY");
    EXPECT_EQ(bench().quickHides, 1);
    EXPECT_EQ(bench().quickShows, 1);
    EXPECT_EQ(commonModule::Curr_Position, 0);
    EXPECT_EQ(commonModule::Edited_Sample_Id, "04250001");
    EXPECT_EQ(commonModule::Curr_Lab_Number, "04250001");
    EXPECT_FALSE(commonModule::Results_Saved);
    EXPECT_EQ(f.shp_sample[0]->fillColor(), commonModule::Color_White);
    EXPECT_EQ(f.lbl_RackStatus->caption(), "In use by Anna Berg (101) at PARTICLE COUNT");

    QTest::mouseClick(f.lbl_Info[4], Qt::LeftButton);  // the done position, by its top line
    ASSERT_EQ(bench().taps.size(), 2);
    EXPECT_EQ(bench().taps[1].status, "DONE");
    EXPECT_EQ(commonModule::Curr_Position, -1);
    EXPECT_EQ(commonModule::Curr_Lab_Number, "");
    EXPECT_EQ(commonModule::Edited_Sample_Id, "");
    EXPECT_EQ(f.shp_sample[0]->fillColor(), QColor(44, 61, 77)) << "the former position lost its highlight";
    EXPECT_EQ(commonModule::Header_Status(QString()), "") << "the status line is put back";

    tapCell(19);
    EXPECT_EQ(bench().taps.size(), 2) << "an empty place is ignored";
}

TEST_F(RackDemoTest, TapsOnPositionsKeepTheTechnicianActive)
{
    loadScreen();
    for (int cell : {0, 4}) {  // one the bench takes, one it turns down
        stationClock::advanceClock(200);
        tapCell(cell);
        EXPECT_EQ(commonModule::Last_Activity, stationClock::now()) << cell;
    }
}

TEST_F(RackDemoTest, WorkOrderTypedInTheSearchOpensItsPositionOnItsRack)
{
    Form_Rack& f = loadScreen();
    navigate(2, {[](QDialog* w) {
                 auto* search = qobject_cast<Form_Search*>(w);
                 ASSERT_NE(search, nullptr);
                 for (int d : {4, 2, 5, 0, 0, 4, 0}) QTest::mouseClick(search->lbl_No[d], Qt::LeftButton);
                 QTest::mouseClick(search->lbl_Go, Qt::LeftButton);
             }});
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1003");
    EXPECT_EQ(holderOf("R1003").toInt(), 101);
    EXPECT_TRUE(db::isNull(holderOf("R1001")));
    ASSERT_EQ(bench().taps.size(), 1);
    EXPECT_EQ(bench().taps[0].sampleId, "04250040");
    EXPECT_EQ(commonModule::Curr_Position, 2);
    EXPECT_FALSE(shown(f.bttn_Nav[0]));
    EXPECT_FALSE(shown(f.bttn_Nav[1]));
    EXPECT_FALSE(Form_Search::Sample_Located);
}

TEST_F(RackDemoTest, ExitPictureGivesTheRackBackAndEnds)
{
    Form_Rack& f = loadScreen();
    QTest::mouseClick(f.img_Exit, Qt::LeftButton);
    EXPECT_TRUE(db::isNull(holderOf("R1001")));
    EXPECT_EQ(exits, 1);

    // A rack the station does not hold is not given back.
    {
        ui::ModalResponders responders;
        responders.add(automaticChoice());
        rack().Get_Racks(-1, QStringLiteral("R1008"));
    }
    {
        LaboratoryTap tap;
        QTest::mouseClick(f.img_Exit, Qt::LeftButton);
        EXPECT_EQ(exits, 2);
        EXPECT_FALSE(tap.statements().join('\n').contains("rack_acquisition_upd"));
    }

    // A give-back the laboratory did not receive goes at the end, once it answers.
    navigate(2, {choosingInTheList("R1002")});
    AlertRecorder alerts;
    {
        LaboratoryTap outage;
        outage.timeOutWhen(QStringLiteral("rack_acquisition_upd"));
        navigate(1, {automaticChoice()});
    }
    EXPECT_EQ(holderOf("R1002").toInt(), 101);
    QTest::mouseClick(f.img_Exit, Qt::LeftButton);
    EXPECT_EQ(exits, 3);
    EXPECT_EQ(racksHeldBy(101), 0);

    // So does the login screen's Exit after the padlock, with the shown rack held.
    tapCell(0);
    EXPECT_EQ(holderOf("R1003").toInt(), 101);
    const QString laboratory = dbModule::Conn_String;
    Form_Login& login = ui::Default_Instance<Form_Login>::loaded();
    dbModule::Conn_String = laboratory;  // the login screen's load reads the empty folder's
    login.showSplash();
    QTest::mouseClick(login.cmd_Exit, Qt::LeftButton);
    EXPECT_EQ(exits, 4);
    EXPECT_EQ(racksHeldBy(101), 0);
}

TEST_F(RackDemoTest, ExitLabelAsksFirstWhileAPositionIsUnsaved)
{
    Form_Rack& f = loadScreen();
    tapCell(0);
    {
        ui::ModalResponders responders;
        responders.add(answering(Form_AlertYesNo::kExit));
        QTest::mouseClick(f.lbl_Exit, Qt::LeftButton);
        EXPECT_EQ(responders.pending(), 0);
    }
    EXPECT_EQ(exits, 0) << "the exit answer stays";
    EXPECT_EQ(holderOf("R1001").toInt(), 101);
    {
        ui::ModalResponders responders;
        responders.add(answering(Form_AlertYesNo::kNo));
        QTest::mouseClick(f.lbl_Exit, Qt::LeftButton);
        EXPECT_EQ(responders.pending(), 0);
    }
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(db::isNull(holderOf("R1001")));
}

TEST_F(RackDemoTest, ExitLabelWithTheBenchSavingAsksNothing)
{
    bench().savesOnShow = true;
    Form_Rack& f = loadScreen();
    tapCell(0);
    ui::ModalResponders responders;
    QTest::mouseClick(f.lbl_Exit, Qt::LeftButton);
    EXPECT_TRUE(responders.shown().isEmpty());
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(db::isNull(holderOf("R1001")));
}

TEST_F(RackDemoTest, SaveButtonAsksTheBenchOnlyWithAnOpenPosition)
{
    Form_Rack& f = loadScreen();
    QTest::mouseClick(f.img_save, Qt::LeftButton);
    EXPECT_EQ(bench().saves, 0);
    tapCell(0);
    EXPECT_EQ(f.img_save->picturePath(), commonModule::Image_Dir + "bttn_save_on.jpg");
    QTest::mouseClick(f.img_save, Qt::LeftButton);
    EXPECT_EQ(bench().saves, 1);
    EXPECT_TRUE(commonModule::Results_Saved);
    EXPECT_EQ(f.img_save->picturePath(), commonModule::Image_Dir + "bttn_save_on.jpg") << "not all saved";
    bench().allSaved = true;
    QTest::mouseClick(f.img_save, Qt::LeftButton);
    EXPECT_EQ(f.img_save->picturePath(), commonModule::Image_Dir + "bttn_save_idle.jpg");
}

TEST_F(RackDemoTest, DatabaseFaultLeavesTheScreenAsItWas)
{
    Form_Rack& f = loadScreen();
    AlertRecorder alerts;
    dbModule::Conn_String = QStringLiteral("EMBEDDED=") + stationFolder.filePath("missing/labdata.db");

    QTest::mouseClick(f.img_critical, Qt::LeftButton);
    EXPECT_FALSE(alerts.messages.isEmpty()) << "the gateway says why";
    EXPECT_FALSE(alerts.messages.contains("No records found!"));
    EXPECT_EQ(commonModule::Priority_Filter, "");

    alerts.messages.clear();
    navigate(0, {leavingTheSearch()});  // the all-racks route: flags, then PREV
    EXPECT_TRUE(shown(f.img_critical)) << "flags stay";
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1001");
    EXPECT_EQ(f.lbl_rackDesc->caption(), "R1001");
    EXPECT_TRUE(shown(f.lbl_sample[0]));
    {
        ui::ModalResponders responders;
        responders.add(leavingTheSearch());
        QTest::mouseClick(f.img_Priority, Qt::LeftButton);
    }
    EXPECT_FALSE(shown(f.img_critical)) << "the flags go when their query fails";
    EXPECT_FALSE(shown(f.img_Priority));

    lab.connect();
    EXPECT_EQ(holderOf("R1001").toInt(), 101) << "custody never left this station";
}

TEST_F(RackDemoTest, RackQueryWithoutAnAnswerKeepsTheShownRack)
{
    Form_Rack& f = loadScreen();
    AlertRecorder alerts;
    LaboratoryTap tap;
    tap.failWhen(QStringLiteral("outstanding_rackTests"));
    navigate(1, {automaticChoice()});
    EXPECT_EQ(alerts.messages, QStringList{"Rack R1002 could not be loaded from the laboratory database."});
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1001");
    EXPECT_EQ(f.lbl_rackDesc->caption(), "R1001");
    EXPECT_EQ(f.lbl_sample[0]->caption(), "\r\n04250001");
    EXPECT_TRUE(shown(f.lbl_sample[0]));
    EXPECT_EQ(holderOf("R1001").toInt(), 101) << "taken again";
    EXPECT_TRUE(db::isNull(holderOf("R1002")));
}

TEST_F(RackDemoTest, SampleLookupWhoseRackCannotBeLoadedLeavesTheNavigationAsItWas)
{
    Form_Rack& f = loadScreen();
    {
        AlertRecorder alerts;
        LaboratoryTap tap;
        tap.failWhen(QStringLiteral("outstanding_rackTests"));
        navigate(2, {[](QDialog* w) {
                     auto* search = qobject_cast<Form_Search*>(w);
                     ASSERT_NE(search, nullptr);
                     for (int d : {4, 2, 5, 0, 0, 4, 0}) QTest::mouseClick(search->lbl_No[d], Qt::LeftButton);
                     QTest::mouseClick(search->lbl_Go, Qt::LeftButton);
                 }});
        EXPECT_EQ(alerts.messages, QStringList{"Rack R1003 could not be loaded from the laboratory database."});
    }
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1001");
    EXPECT_TRUE(shown(f.bttn_Nav[1]));

    navigate(1, {automaticChoice()});
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1002");
    EXPECT_TRUE(shown(f.bttn_Nav[0]) && shown(f.bttn_Nav[1])) << "the lookup is not carried to the next rack";
    EXPECT_TRUE(bench().taps.isEmpty()) << "and no position of it opens";
    EXPECT_EQ(commonModule::Curr_Position, -1);
}

}  // namespace
