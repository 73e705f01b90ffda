#include "common/db_module.h"
#include "common/station_config.h"
#include "common_ui/form_alert.h"
#include "fake_database.h"
#include "qstring_printer.h"
#include "shell_fixture.h"

#include <QFile>
#include <QImage>
#include <functional>

namespace {

const QStringList kLoginColumns = {"EMP_NUM", "ISADMIN", "FIRSTNAME", "LASTNAME", "Zolt_Func"};

FakeDatabase::Reply technician() { return FakeDatabase::rows(kLoginColumns, {{412, 0, "Ann ", " Smith", "LABTECH"}}); }
FakeDatabase::Reply nobody() { return FakeDatabase::noRows(kLoginColumns); }

// A responder that reads the message box and touches its OK area.
ui::ModalResponder acknowledging(QStringList* seen)
{
    return [seen](QDialog* w) {
        auto* box = qobject_cast<Form_Alert*>(w);
        ASSERT_NE(box, nullptr) << "expected the message box, got " << w->objectName().toStdString();
        *seen << box->lbl_Message->caption();
        QTest::mouseClick(box->lbl_ok, Qt::LeftButton);
    };
}

class LoginTest : public ShellTest {
protected:
    static Form_Login& login() { return ui::Default_Instance<Form_Login>::loaded(); }

    // One touch of the login button, answered by the responders given.
    void pressLogin(std::initializer_list<ui::ModalResponder> answers)
    {
        ui::ModalResponders responders;
        for (const auto& a : answers) responders.add(a);
        if (!shown_) login().Show();  // the program shows the splash once at start
        shown_ = true;
        QTest::mouseClick(login().cmd_Login, Qt::LeftButton);
        EXPECT_EQ(responders.pending(), 0) << "every expected window came up";
        EXPECT_TRUE(responders.unanswered().isEmpty()) << responders.unanswered().join(",").toStdString();
    }

    void logInAs(FakeDatabase& database, const QString& password)
    {
        database.script(technician());
        pressLogin({typing(password), leavingSearch()});
        ASSERT_FALSE(login().isVisible());
    }

    void tickAfter(qint64 seconds)
    {
        stationClock::advanceClock(seconds);
        login().Timer1_Timer();
    }

    bool workFormsVisible()
    {
        return station() && station()->isVisible() && ui::Default_Instance<Form_Header>::get().isVisible() &&
               ui::Default_Instance<Form_Rack>::get().isVisible();
    }

    bool shown_ = false;
};

TEST_F(LoginTest, LoadMakesAFullScreenBlackSplashOfAnIdleStation)
{
    QImage splash(400, 300, QImage::Format_RGB32);
    splash.fill(Qt::darkBlue);
    ASSERT_TRUE(splash.save(stationFolder.filePath("Splash.JPG")));

    Form_Login& f = login();
    EXPECT_EQ(commonModule::App_Status, "IDLE");
    EXPECT_EQ(commonModule::Last_Activity, kShiftStart);
    EXPECT_EQ(commonModule::Color_Amber, QColor(233, 176, 25)) << "the palette is filled";
    EXPECT_EQ(dbModule::Conn_String, "EMBEDDED=labdata.db") << "no station.ini: the folder's own database";
    EXPECT_EQ(f.pos(), QPoint(0, 0));
    EXPECT_EQ(f.size(), f.screen()->geometry().size());
    EXPECT_EQ(f.palette().color(QPalette::Window), QColor(Qt::black));

    const QSize screen = f.screen()->geometry().size();
    EXPECT_EQ(f.img_Login_->geometry(), QRect((screen.width() - 400) / 2, (screen.height() - 300) / 2, 400, 300));
    EXPECT_EQ(f.cmd_Login->geometry().top(), f.img_Login_->geometry().top());
    EXPECT_EQ(f.cmd_Exit->geometry().top(), f.img_Login_->geometry().top());
    EXPECT_EQ(f.cmd_Login->geometry().left(), 16);
    EXPECT_EQ(f.cmd_Exit->geometry().left(), 152);
    EXPECT_EQ(f.cmd_Login->font().pointSize(), 16);
    EXPECT_FALSE(f.Timer1->isActive());
    EXPECT_EQ(f.Timer1->interval(), 60000);
}

TEST_F(LoginTest, ConfiguredDataSourceGivesTheLaboratoryConnection)
{
    QFile ini(stationFolder.filePath("station.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[database]\nodbc_data_source = LabServer\n");
    ini.close();
    login();
    EXPECT_EQ(dbModule::Conn_String, "DSN=LabServer;UID=pellicott;PWD=kp5180rm;QuotedID=No");
}

TEST_F(LoginTest, LoadReadsTheFoldersConfigurationForTheWholeStation)
{
    const StationConfig before = stationConfig();
    QFile ini(stationFolder.filePath("station.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[documents]\nserver = docs.lab.local\n[counter]\nserial_device = /dev/ttyUSB1\n");
    ini.close();
    login();
    EXPECT_EQ(stationConfig().documentServer, "docs.lab.local");
    EXPECT_EQ(stationConfig().serialDevice, "/dev/ttyUSB1");
    setStationConfig(before);
}

TEST_F(LoginTest, BlankOrCancelledEntryPutsThePreviousStatusBackWithoutAsking)
{
    FakeDatabase database;
    login();
    QString statusWhileUp;
    pressLogin({typing(QStringLiteral("   "), &statusWhileUp)});
    EXPECT_EQ(statusWhileUp, "LOGIN");
    EXPECT_EQ(commonModule::App_Status, "IDLE");
    EXPECT_FALSE(login().Timer1->isActive());

    pressLogin({cancelling(QStringLiteral("demo1"))});
    EXPECT_EQ(commonModule::App_Status, "IDLE");
    EXPECT_TRUE(database.statements().isEmpty()) << "no entry, no database call";
    EXPECT_FALSE(ui::Default_Instance<Form_KeyInput>::exists()) << "the keyboard is unloaded after each use";
}

TEST_F(LoginTest, WrongPasswordIsRefusedButTheStationBecomesActive)
{
    FakeDatabase database;
    database.script(nobody());
    QStringList seen;
    pressLogin({typing(QStringLiteral("wrong1")), acknowledging(&seen)});

    EXPECT_EQ(seen, QStringList({"Invalid login provided, please try again."}));
    EXPECT_EQ(database.last(), "exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = 'wrong1', @labcode = 'ZIVIRUZEZ'");
    EXPECT_TRUE(login().isVisible());
    EXPECT_EQ(station(), nullptr) << "no work form comes up";
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_TRUE(login().Timer1->isActive());
    EXPECT_EQ(ui::Default_Instance<Form_Header>::get().lbl_UserDesc->caption(), "") << "the header shows the empty name of nobody";
}

TEST_F(LoginTest, RefusedLoginSaysWhyOnceAndLeavesNoEarlierTechnician)
{
    const struct {
        const char* name;
        std::function<void(FakeDatabase&)> refusal;
        const char* message;
    } cases[] = {
        {"unknown password", [](FakeDatabase& d) { d.script(nobody()); }, "Invalid login provided, please try again."},
        {"no employee number",
         [](FakeDatabase& d) {
             d.script(FakeDatabase::rows(kLoginColumns, {{QVariant(), 0, "Eve", "Nul", "X"}}));
         },
         "Invalid login provided, please try again."},
        {"number that does not fit",
         [](FakeDatabase& d) {
             d.script(FakeDatabase::rows(kLoginColumns, {{40000, 0, "Eva", "Big", "X"}}));
         },
         "The employee number 40000 cannot be used at this station"},
        {"laboratory unreachable", [](FakeDatabase& d) { d.refuseConnections(QStringLiteral("labdata.db is missing")); },
         dbModule::kUnreachableMessage},
        {"no answer in time", [](FakeDatabase& d) { d.setDefault(FakeDatabase::timeOut()); },
         "The password could not be checked: the laboratory database did not answer."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDatabase database;
        database.script(technician());
        ASSERT_TRUE(commonModule::Curr_Employee().Login(QStringLiteral("demo1")));
        c.refusal(database);
        QStringList seen;
        pressLogin({typing(QStringLiteral("typo")), acknowledging(&seen)});
        ASSERT_EQ(seen.size(), 1) << seen.join(" | ").toStdString();
        EXPECT_TRUE(seen[0].startsWith(QLatin1String(c.message))) << seen[0].toStdString();
        EXPECT_EQ(commonModule::Curr_Employee().Emp_Num, -1);
        EXPECT_EQ(ui::Default_Instance<Form_Header>::get().lbl_UserDesc->caption(), "") << "never the technician before";
    }
}

TEST_F(LoginTest, WrongThenRightPasswordBringsTheWorkFormsUpWhereTheirLayoutPutThem)
{
    FakeDatabase database;
    database.script(nobody());
    QStringList seen;
    pressLogin({typing(QStringLiteral("nope")), acknowledging(&seen)});
    // The idle timer runs after the wrong password and hibernates the station.
    tickAfter(300);
    EXPECT_EQ(commonModule::App_Status, "HIBERNATE");
    EXPECT_EQ(station(), nullptr) << "hibernation brings up no work form nobody has logged into";
    EXPECT_FALSE(ui::Default_Instance<Form_Rack>::exists());

    database.script(technician());
    pressLogin({typing(QStringLiteral("Demo1")), leavingSearch()});
    EXPECT_TRUE(workFormsVisible());
    EXPECT_FALSE(login().isVisible());
    EXPECT_EQ(station()->inits, 1);
    EXPECT_EQ(station()->userLogins, 1);
    EXPECT_EQ(station()->reactivations, 1);
    EXPECT_DOUBLE_EQ(ui::Left(station()), RecordingStationForm::kLayoutLeft);
    EXPECT_DOUBLE_EQ(ui::Top(station()), RecordingStationForm::kLayoutTop);
    EXPECT_EQ(ui::Default_Instance<Form_Header>::get().pos(), QPoint(0, 0));
    EXPECT_EQ(ui::Default_Instance<Form_Header>::get().lbl_UserDesc->caption(), "ann smith");
    EXPECT_EQ(ui::Default_Instance<Form_Rack>::get().parentWidget(), &login()) << "the rack screen is owned by the login";
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_EQ(commonModule::Last_Activity, stationClock::now());
    EXPECT_TRUE(database.statements().filter("@UserPassword = 'Demo1'").size() == 1);
}

TEST_F(LoginTest, IdleTimerHibernatesAtThreeHundredSecondsNotBefore)
{
    FakeDatabase database;
    logInAs(database, QStringLiteral("demo1"));

    tickAfter(299);
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_TRUE(workFormsVisible());

    tickAfter(1);
    EXPECT_EQ(commonModule::App_Status, "HIBERNATE");
    EXPECT_TRUE(login().isVisible());
    EXPECT_FALSE(station()->isVisible());
    EXPECT_FALSE(ui::Default_Instance<Form_Header>::get().isVisible());
    EXPECT_FALSE(ui::Default_Instance<Form_Rack>::get().isVisible());
    EXPECT_EQ(station()->hibernations, 1);
    EXPECT_TRUE(login().Timer1->isActive()) << "hibernation does not stop the timer";

    tickAfter(3600);
    EXPECT_EQ(station()->hibernations, 1) << "a tick acts only on an active station";
}

TEST_F(LoginTest, TickDoesNothingWhileADialogHoldsTheStationIdle)
{
    FakeDatabase database;
    logInAs(database, QStringLiteral("demo1"));
    commonModule::App_Status = QStringLiteral("IDLE");
    tickAfter(5000);
    EXPECT_TRUE(workFormsVisible());
    EXPECT_EQ(commonModule::App_Status, "IDLE");
}

TEST_F(LoginTest, HibernateMakesTheNextTickLockAnActiveStation)
{
    FakeDatabase database;
    logInAs(database, QStringLiteral("demo1"));
    login().Hibernate();
    EXPECT_EQ(commonModule::Last_Activity, stationClock::now().addSecs(-600));
    login().Timer1_Timer();
    EXPECT_EQ(commonModule::App_Status, "HIBERNATE");
}

TEST_F(LoginTest, ReloginAfterHibernationPutsTheThreeFormsBackWhereTheyWere)
{
    FakeDatabase database;
    logInAs(database, QStringLiteral("demo1"));
    Form_Header& header = ui::Default_Instance<Form_Header>::get();
    Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
    ui::setTop(station(), 1687.5);
    ui::setLeft(station(), 7300.4);
    ui::setTop(&header, 30);
    ui::setLeft(&header, 45);
    ui::setTop(&rack, 150);

    tickAfter(300);
    ASSERT_EQ(commonModule::App_Status, "HIBERNATE");
    // Moved while hidden: the next login puts them back.
    ui::setTwipGeometry(station(), 0, 0, 6000, 4000);
    ui::setTop(&header, 600);
    ui::setTop(&rack, 900);

    database.script(technician());
    pressLogin({typing(QStringLiteral("demo1"))});
    EXPECT_TRUE(workFormsVisible());
    EXPECT_DOUBLE_EQ(ui::Top(station()), 1687.5) << "the top is kept as it was";
    EXPECT_DOUBLE_EQ(ui::Left(station()), 7300) << "the left is kept in whole twips";
    EXPECT_DOUBLE_EQ(ui::Top(&header), 30);
    EXPECT_DOUBLE_EQ(ui::Left(&header), 45);
    EXPECT_DOUBLE_EQ(ui::Top(&rack), 150);
    EXPECT_EQ(station()->reactivations, 2);
}

TEST_F(LoginTest, WrongPasswordAtAHibernatedStationKeepsTheWorkFormsHidden)
{
    FakeDatabase database;
    logInAs(database, QStringLiteral("demo1"));
    tickAfter(300);
    database.script(nobody());
    QStringList seen;
    pressLogin({typing(QStringLiteral("typo")), acknowledging(&seen)});
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_FALSE(workFormsVisible());
    tickAfter(300);
    EXPECT_EQ(commonModule::App_Status, "HIBERNATE");
    EXPECT_FALSE(workFormsVisible());
    EXPECT_TRUE(login().isVisible());
}

TEST_F(LoginTest, CancelAtAHibernatedStationKeepsHibernateAndStopsTheTimer)
{
    FakeDatabase database;
    logInAs(database, QStringLiteral("demo1"));
    tickAfter(300);
    const int calls = database.statements().size();

    pressLogin({cancelling()});
    EXPECT_EQ(commonModule::App_Status, "HIBERNATE");
    EXPECT_FALSE(login().Timer1->isActive());
    EXPECT_EQ(database.statements().size(), calls);
}

TEST_F(LoginTest, BlankEntryAtAnActiveStationKeepsTheTimerRunning)
{
    FakeDatabase database;
    database.script(nobody());
    QStringList seen;
    pressLogin({typing(QStringLiteral("x")), acknowledging(&seen)});
    ASSERT_EQ(commonModule::App_Status, "ACTIVE");
    pressLogin({cancelling()});
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_TRUE(login().Timer1->isActive());
}

TEST_F(LoginTest, HeaderPadlockAndUserNameBothLockTheStation)
{
    FakeDatabase database;
    for (const char* control : {"img_Login", "lbl_UserDesc"}) {
        database.script(technician());
        // Only the first login loads the rack screen, whose load opens the search.
        if (ui::Default_Instance<Form_Rack>::exists())
            pressLogin({typing(QStringLiteral("demo1"))});
        else
            pressLogin({typing(QStringLiteral("demo1")), leavingSearch()});
        ASSERT_TRUE(workFormsVisible());
        Form_Header& header = ui::Default_Instance<Form_Header>::get();
        QTest::mouseClick(header.findChild<QWidget*>(control), Qt::LeftButton);
        EXPECT_EQ(commonModule::App_Status, "HIBERNATE") << control;
        EXPECT_FALSE(workFormsVisible()) << control;
        EXPECT_TRUE(login().isVisible()) << control;
    }
    EXPECT_EQ(station()->hibernations, 2);
}

TEST_F(LoginTest, ExitAndAppExitEndTheProgram)
{
    QTest::mouseClick(login().cmd_Exit, Qt::LeftButton);
    login().App_Exit();
    EXPECT_EQ(exits, 2);
}

}  // namespace
