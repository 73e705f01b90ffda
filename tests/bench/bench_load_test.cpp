// The bench's load against the demo laboratory: settings, the boxes above the
// bath, the histogram panel across hibernation, and the frame's questions.
#include "bench_fixture.h"

#include "common_ui/header_status.h"
#include "laboratory_tap.h"
#include "qstring_printer.h"

namespace {

using BenchLoad = BenchTest;

struct SettingValues {
    std::int16_t between, flush5, flush15, check5, check15, sample5, sample15, initDecrease, decreaseMax, shake, bath, racks;
};

SettingValues valuesOf(const Form_Test& b)
{
    return {b.SAMPLES_BETWEEN_CHECKS,
            b.ISO5_FLUSH,
            b.ISO15_FLUSH,
            b.ISO5_CHECK,
            b.ISO15_CHECK,
            b.ISO5_SAMPLE,
            b.ISO15_SAMPLE,
            b.INIT_ISO_HIST_DECREASE,
            b.ISO_HIST_DECREASE_MAX,
            b.Shake_Time,
            b.Bath_Time,
            b.MAX_RACKS_IN_BATH};
}

void expectValues(const Form_Test& b, const SettingValues& want)
{
    const SettingValues got = valuesOf(b);
    EXPECT_EQ(got.between, want.between);
    EXPECT_EQ(got.flush5, want.flush5);
    EXPECT_EQ(got.flush15, want.flush15);
    EXPECT_EQ(got.check5, want.check5);
    EXPECT_EQ(got.check15, want.check15);
    EXPECT_EQ(got.sample5, want.sample5);
    EXPECT_EQ(got.sample15, want.sample15);
    EXPECT_EQ(got.initDecrease, want.initDecrease);
    EXPECT_EQ(got.decreaseMax, want.decreaseMax);
    EXPECT_EQ(got.shake, want.shake);
    EXPECT_EQ(got.bath, want.bath);
    EXPECT_EQ(got.racks, want.racks);
}

const char* const kSettingNames[] = {"SAMPLES_BETWEEN_CHECKS",
                                     "ISO5_FLUSH",
                                     "ISO15_FLUSH",
                                     "ISO5_CHECK",
                                     "ISO15_CHECK",
                                     "ISO5_SAMPLE",
                                     "ISO15_SAMPLE",
                                     "INIT_ISO_HIST_DECREASE",
                                     "ISO_HIST_DECREASE_MAX",
                                     "SAMPLE_SHAKE_TIME",
                                     "SAMPLE_BATH_TIME",
                                     "MAX_RACKS_IN_BATH"};

TEST_F(BenchLoad, DemoSettingsFixTheStationAndStartWithACheck)
{
    const Form_Test& b = bench();
    expectValues(b, {15, 15, 13, 15, 13, 18, 999, 22, 20, 5, 20, 2});
    EXPECT_EQ(b.Samples_Since_Check, 15) << "the first run after start is a check";
    EXPECT_EQ(b.lbl_CountDown->caption(), "15");
    EXPECT_EQ(b.Run_Kind, "IDLE");
    EXPECT_FALSE(b.Is_Loading);
    EXPECT_EQ(b.Saved_Grid_Top.toInt(), -1);
    EXPECT_EQ(b.Saved_Grid_Left, -1);
    EXPECT_EQ(commonModule::Curr_Test_Group, "PrtCount");
    EXPECT_EQ(commonModule::Curr_Instrument_Id, "PC002");
    EXPECT_EQ(commonModule::Curr_Employee().Station, "PARTICLE COUNT");
    EXPECT_EQ(ui::Default_Instance<Form_Header>::get().lbl_Station->caption(), "PARTICLE COUNT STATION");
    EXPECT_TRUE(ui::Default_Instance<Form_Rack>::get().img_save->isHidden());
    EXPECT_EQ(b.History->Cell_Text(0, 0), "");
    EXPECT_EQ(b.History->lbl_elem.size(), 8u);
    EXPECT_EQ(ui::Default_Instance<form_pcGrid>::get().parentWidget(), &b) << "the panel stands with the bench";
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
}

TEST_F(BenchLoad, EveryOneOfTheTwelveValuesComesFromTheDatabase)
{
    int value = 101;
    for (const char* name : kSettingNames)
        lab.change("UPDATE lab_software_settings SET VALUE = ? WHERE SETTING = ?", {QString::number(value++), QString::fromLatin1(name)});
    // A name stored with blanks around it is found all the same.
    lab.change("UPDATE lab_software_settings SET SETTING = ' SAMPLE_BATH_TIME ', VALUE = ' 111 ' WHERE SETTING = 'SAMPLE_BATH_TIME'");
    const Form_Test& b = bench();
    expectValues(b, {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112});
    EXPECT_EQ(b.Samples_Since_Check, 101);
    EXPECT_EQ(b.lbl_CountDown->caption(), "101");
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(BenchLoad, WithoutTheStationSoftwareRowTheDefaultsHoldAndTheTimesAreZero)
{
    lab.change("DELETE FROM lab_software_settings");
    lab.change("DELETE FROM lab_software WHERE NAME = 'PARTICLE_COUNT'");
    const Form_Test& b = bench();
    expectValues(b, {15, 15, 13, 15, 13, 18, 999, 22, 20, 0, 0, 0});
    EXPECT_EQ(b.Samples_Since_Check, 15);
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_EQ(bathOnScreen().size(), 3) << "the load goes on";
}

TEST_F(BenchLoad, MissingOrUnreadableValuesKeepTheirDefaultAndAreNamed)
{
    lab.change("UPDATE lab_software_settings SET VALUE = '' WHERE SETTING = 'ISO5_FLUSH'");
    lab.change("UPDATE lab_software_settings SET VALUE = NULL WHERE SETTING = 'ISO15_FLUSH'");
    lab.change("UPDATE lab_software_settings SET VALUE = 'abc' WHERE SETTING = 'SAMPLE_BATH_TIME'");
    lab.change("UPDATE lab_software_settings SET VALUE = '2.5' WHERE SETTING = 'MAX_RACKS_IN_BATH'");
    lab.change("UPDATE lab_software_settings SET VALUE = '99999' WHERE SETTING = 'ISO15_SAMPLE'");
    lab.change("DELETE FROM lab_software_settings WHERE SETTING = 'ISO5_CHECK'");
    const Form_Test& b = bench();
    expectValues(b, {15, 15, 13, 15, 13, 18, 999, 22, 20, 5, 0, 0});
    ASSERT_EQ(alerts.messages.size(), 1) << "one message for all of them";
    const QString m = alerts.messages[0];
    EXPECT_TRUE(m.contains("The station setting ISO5_FLUSH has the value '', which is not a whole number; the bench uses 15."))
        << m.toStdString();
    EXPECT_TRUE(m.contains("ISO15_FLUSH has the value ''"));
    EXPECT_TRUE(m.contains("SAMPLE_BATH_TIME has the value 'abc'"));
    EXPECT_TRUE(m.contains("MAX_RACKS_IN_BATH has the value '2.5'"));
    EXPECT_TRUE(m.contains("ISO15_SAMPLE has the value '99999'"));
    EXPECT_TRUE(m.contains("The station setting ISO5_CHECK is missing; the bench uses 15."));
    EXPECT_FALSE(m.contains("SAMPLE_SHAKE_TIME"));
}

TEST_F(BenchLoad, OutstandingCountShowsTheReadyParticleCounts)
{
    const QString ready = lab.scalar("SELECT count(*) FROM lab_tracking WHERE TEST_GROUP = 'PrtCount' AND STATUS = 'READY'").toString();
    ASSERT_NE(ready.toInt(), 0);
    Form_Test& b = bench();
    EXPECT_EQ(b.lbl_ActiveWo->caption(), ready);
    EXPECT_FALSE(b.lbl_ActiveWo->isHidden());
    EXPECT_FALSE(b.shp_ActiveWO->isHidden());

    lab.change("UPDATE lab_tracking SET STATUS = 'DONE' WHERE TEST_ID ="
               " (SELECT min(TEST_ID) FROM lab_tracking WHERE TEST_GROUP = 'PrtCount' AND STATUS = 'READY')");
    b.Outstanding_Count_Show();
    EXPECT_EQ(b.lbl_ActiveWo->caption(), QString::number(ready.toInt() - 1));

    // A query that gives nothing leaves the count as it was.
    LaboratoryTap tap;
    tap.failWhen(QStringLiteral("TBL_TestGroup_Count"));
    b.Outstanding_Count_Show();
    EXPECT_EQ(b.lbl_ActiveWo->caption(), QString::number(ready.toInt() - 1));
}

TEST_F(BenchLoad, RackHeaderShowsTheNameAndItsBoxesTogether)
{
    Form_Test& b = bench();
    b.Rack_Header_Show(false, QString(), QString());
    for (QWidget* w : std::initializer_list<QWidget*>{b.shp_CountDown, b.lbl_CountDown, b.lbl_rackName, b.shp_rackName, b.img_refresh,
                                                      b.shp_ActiveWO, b.lbl_ActiveWo})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_EQ(b.lbl_rackName->caption(), "  ");
    b.Rack_Header_Show(true, QStringLiteral("R1004"), 504);
    EXPECT_EQ(b.lbl_rackName->caption(), "R1004  ");
    EXPECT_EQ(ui::tag(b.lbl_rackName).toInt(), 504);
    for (QWidget* w : std::initializer_list<QWidget*>{b.shp_CountDown, b.lbl_CountDown, b.lbl_rackName, b.shp_rackName, b.img_refresh,
                                                      b.shp_ActiveWO, b.lbl_ActiveWo})
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
}

TEST_F(BenchLoad, HistogramPanelKeepsItsPlaceAcrossHibernation)
{
    Form_Test& b = bench();
    form_pcGrid& grid = ui::Default_Instance<form_pcGrid>::get();
    const double top = ui::Top(&grid), left = ui::Left(&grid);

    // The first login only shows the panel where the layout put it.
    b.reActivate();
    EXPECT_FALSE(grid.isHidden());
    EXPECT_DOUBLE_EQ(ui::Top(&grid), top);
    EXPECT_DOUBLE_EQ(ui::Left(&grid), left);

    ui::setLeft(&grid, 300.6);
    ui::setTop(&grid, 4000.5);
    b.Hibernate();
    EXPECT_TRUE(grid.isHidden());
    EXPECT_DOUBLE_EQ(b.Saved_Grid_Top.toDouble(), 4000.5);
    EXPECT_EQ(b.Saved_Grid_Left, 301) << "the left as a whole number";

    ui::setTwipGeometry(&grid, 0, 0, ui::Width(&grid), ui::Height(&grid));
    b.reActivate();
    EXPECT_FALSE(grid.isHidden());
    EXPECT_DOUBLE_EQ(ui::Top(&grid), 4000.5);
    EXPECT_DOUBLE_EQ(ui::Left(&grid), 301);
}

TEST_F(BenchLoad, FrameQuestionsOfThisStation)
{
    Form_Test& b = bench();
    EXPECT_EQ(b.AllSaved(), QVariant(false));
    EXPECT_EQ(b.Save_Results(), 0);
    EXPECT_TRUE(b.Rack_Refresh(true));
    commonModule::Results_Saved = false;
    b.Quick_Show(3);
    EXPECT_TRUE(commonModule::Results_Saved);
    commonModule::Results_Saved = false;
    b.Quick_Show(QVariant());
    EXPECT_TRUE(commonModule::Results_Saved);
}

TEST_F(BenchLoad, RefreshShowsItsStatusWhileTheBathIsRebuilt)
{
    Form_Test& b = bench();
    commonModule::Header_Status(QStringLiteral("ON SHIFT"));
    QString during;
    LaboratoryTap tap;
    tap.alter([&during](const QString& sql, db::Recordset&) {
        if (sql.contains(QLatin1String("get_batch_samples"))) during = ui::Default_Instance<Form_Header>::get().lbl_Status->text();
    });
    QTest::mouseClick(b.img_refresh, Qt::LeftButton);
    EXPECT_EQ(during, "reloading bath content");
    EXPECT_EQ(ui::Default_Instance<Form_Header>::get().lbl_Status->text(), "on shift");
    EXPECT_EQ(bathOnScreen().size(), 3);
}

TEST_F(BenchLoad, RackNameOpensTheRackSearchWithThatRackNamed)
{
    Form_Test& b = bench();
    ASSERT_EQ(b.lbl_rackName->caption(), "R1002  ");
    QString named;
    QString action;
    ui::ModalResponders responders;
    responders.add([&](QDialog* w) {
        auto* search = qobject_cast<Form_Search*>(w);
        ASSERT_NE(search, nullptr);
        named = Form_Search::Preselected_Rack;
        action = Form_Search::Search_Action;
        QTest::mouseClick(search->lbl_Exit, Qt::LeftButton);
    });
    QTest::mouseClick(b.lbl_rackName, Qt::LeftButton);
    EXPECT_EQ(named, "R1002");
    EXPECT_EQ(action, "FIND");
    EXPECT_EQ(responders.pending(), 0);
}

TEST_F(BenchLoad, RackNameSearchGivesTheShownRackBackFirst)
{
    Form_Test& b = bench();
    auto holderOf = [this](const char* desc) { return lab.scalar("SELECT CURR_USER FROM racks WHERE RACK_DESC = ?", {QString(desc)}); };
    auto search = [](std::function<void(Form_Search&)> act) {
        return [act](QDialog* w) {
            auto* s = qobject_cast<Form_Search*>(w);
            ASSERT_NE(s, nullptr);
            act(*s);
        };
    };
    auto choosing = search([](Form_Search& s) { s.Timer1_Timer(); });
    {
        ui::ModalResponders responders;
        responders.add(choosing);
        ui::Default_Instance<Form_Rack>::get().Get_Racks(-1, QStringLiteral("R1005"));
    }
    ASSERT_EQ(holderOf("R1005").toInt(), 101);
    {
        ui::ModalResponders responders;
        responders.add(choosing);
        QTest::mouseClick(b.lbl_rackName, Qt::LeftButton);
    }
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1002");
    EXPECT_EQ(holderOf("R1002").toInt(), 101);
    EXPECT_TRUE(db::isNull(holderOf("R1005")));

    // Left without a choice, the search hands the shown rack back to the station.
    QVariant whileSearching;
    {
        ui::ModalResponders responders;
        responders.add(search([&](Form_Search& s) {
            whileSearching = holderOf("R1002");
            QTest::mouseClick(s.lbl_Exit, Qt::LeftButton);
        }));
        QTest::mouseClick(b.lbl_rackName, Qt::LeftButton);
    }
    EXPECT_TRUE(db::isNull(whileSearching));
    EXPECT_EQ(holderOf("R1002").toInt(), 101);
}

}  // namespace
