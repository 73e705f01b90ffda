// Logging in end to end: the real login screen, the real keyboard keys, the
// embedded demo laboratory and the real bench.
#include "../shell/shell_fixture.h"
#include "bench/form_pcgrid.h"
#include "bench/form_test.h"
#include "common/db_module.h"
#include "common_ui/form_alert.h"
#include "fresh_records.h"
#include "labdb/labdb.h"
#include "labdb/password_hash.h"
#include "labdb/sqlite_db.h"
#include "records/rack.h"

namespace {

class LoginEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        stationClock::setClock(kShiftStart);
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QString error;
        ASSERT_TRUE(labdb::createDatabase(folder.filePath("labdata.db"), true, &error)) << error.toStdString();
        shell::registerStationForm<Form_Test>();
        commonModule::Curr_Employee().Employee_Reset();
        commonModule::Curr_Employee().Station.clear();
        commonModule::Curr_Test_Group.clear();
    }

    void TearDown() override
    {
        ui::Default_Instance<Form_KeyInput>::Unload();
        ui::Default_Instance<Form_Alert>::Unload();
        ui::Default_Instance<Form_Test>::Unload();
        ui::Default_Instance<Form_Header>::Unload();
        ui::Default_Instance<Form_Rack>::Unload();
        ui::Default_Instance<Form_Login>::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::setStationFormFinder({});
        dbModule::Conn_String.clear();
        QDir::setCurrent(previousFolder_);
        stationClock::useSystemClock();
        ui::setTwipsPerPixel(0, 0);
    }

    static Form_Login& login() { return ui::Default_Instance<Form_Login>::loaded(); }

    // Types the password on the keyboard; the messages that come up are read and closed.
    QStringList logIn(const QString& password)
    {
        QStringList messages;
        ui::ModalResponders responders;
        responders.add(typing(password));
        for (int i = 0; i < 3; ++i)
            responders.add([&messages](QDialog* w) {
                auto* box = qobject_cast<Form_Alert*>(w);
                if (!box) return;
                messages << box->lbl_Message->caption();
                QTest::mouseClick(box->lbl_ok, Qt::LeftButton);
            });
        if (!login().isVisible()) login().Show();
        QTest::mouseClick(login().cmd_Login, Qt::LeftButton);
        return messages;
    }

    QTemporaryDir folder;

private:
    QString previousFolder_;
};

TEST_F(LoginEndToEndTest, DemoPasswordOnTheKeysBringsUpTheStationForTheTechnician)
{
    EXPECT_EQ(logIn(QStringLiteral("demo1")), QStringList());
    EXPECT_EQ(dbModule::Conn_String, "EMBEDDED=labdata.db");
    EXPECT_FALSE(login().isVisible());
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_EQ(commonModule::Curr_Employee().Emp_Num, 101);

    Form_Header& header = ui::Default_Instance<Form_Header>::get();
    EXPECT_TRUE(header.isVisible());
    EXPECT_EQ(header.lbl_UserDesc->caption(), "anna berg");
    EXPECT_EQ(header.lbl_Station->caption(), "PARTICLE COUNT STATION");
    EXPECT_TRUE(ui::Default_Instance<Form_Test>::get().isVisible());
    EXPECT_TRUE(ui::Default_Instance<Form_Rack>::get().isVisible());
}

TEST_F(LoginEndToEndTest, EscapeEnterAndCloseRequestsLeaveTheStationsWindowsUp)
{
    // What a barcode reader or a bench keyboard may send to the window in front.
    auto press = [](QWidget* window) {
        QApplication::setActiveWindow(window);
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(focus, key);
        window->close();
        return window->isVisible();
    };
    login().Show();
    EXPECT_TRUE(press(&login()));
    ASSERT_EQ(logIn(QStringLiteral("demo1")), QStringList());
    for (QWidget* window : QList<QWidget*>{&ui::Default_Instance<Form_Header>::get(), &ui::Default_Instance<Form_Rack>::get(),
                                           &ui::Default_Instance<Form_Test>::get(), &ui::Default_Instance<form_pcGrid>::get()})
        EXPECT_TRUE(press(window)) << window->objectName().toStdString();
}

TEST_F(LoginEndToEndTest, WrongPasswordIsRefusedWithTheStationsMessage)
{
    EXPECT_EQ(logIn(QStringLiteral("demo9")), QStringList({"Invalid login provided, please try again."}));
    EXPECT_TRUE(login().isVisible());
    EXPECT_EQ(commonModule::Curr_Employee().Emp_Num, -1);
    EXPECT_FALSE(ui::Default_Instance<Form_Test>::exists());
}

TEST_F(LoginEndToEndTest, TypedQuoteIsPartOfThePasswordAndCannotChangeTheStatement)
{
    {
        labdb::Database db;
        db.open(folder.filePath("labdata.db"), false, 2000);
        db.exec("INSERT INTO employees (EMP_NUM, FIRST_NAME, LAST_NAME, LAB_CODE, FUNC_GROUP, JOB_DESC, SUPERVISOR_ID,"
                " IS_ADMIN, DISMISSED, PASSWORD_HASH) VALUES (105, 'Sean', 'O''Neil', 'ZIVIRUZEZ', 'LABTECH', 'Laboratory "
                "technician', 103, 0, 'N', ?)",
                {labdb::passwordHash(labdb::passwordKeyOf(db), QStringLiteral("o'neil7"))});
    }

    // A statement-changing text is only a wrong password: no error, no login.
    EXPECT_EQ(logIn(QStringLiteral("x' or 'a' like 'a")), QStringList({"Invalid login provided, please try again."}));
    EXPECT_EQ(commonModule::Curr_Employee().Emp_Num, -1);

    EXPECT_EQ(logIn(QStringLiteral("o'neil7")), QStringList());
    EXPECT_EQ(commonModule::Curr_Employee().Emp_Num, 105);
    EXPECT_EQ(ui::Default_Instance<Form_Header>::get().lbl_UserDesc->caption(), "sean o'neil");
}

TEST_F(LoginEndToEndTest, BenchLoadFixesTheStationAndSizesTheRackCells)
{
    ASSERT_EQ(logIn(QStringLiteral("demo2")), QStringList());
    const Form_Test& bench = ui::Default_Instance<Form_Test>::get();
    EXPECT_FALSE(bench.Is_Loading);
    EXPECT_EQ(bench.Run_Kind, "IDLE");
    EXPECT_EQ(bench.Saved_Grid_Top.toInt(), -1);
    EXPECT_EQ(commonModule::Curr_Test_Group, "PrtCount");
    EXPECT_EQ(commonModule::Curr_Instrument_Id, "PC002");
    EXPECT_EQ(commonModule::Curr_Employee().Station, "PARTICLE COUNT");
    EXPECT_EQ(commonModule::Image_Dir, QDir(folder.path()).absolutePath() + "/");
    const Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
    EXPECT_EQ(rack.Cell_Width, 1425) << "95 pixels, kept by the rack screen's load";
    EXPECT_EQ(rack.Cell_Height, 1125);
    EXPECT_EQ(commonModule::Curr_Position, -1);
}

TEST_F(LoginEndToEndTest, NextTechnicianTakesOverTheRackOfTheOneWhoLeft)
{
    auto holderOf = [this](const QString& desc) {
        labdb::Database db;
        db.open(folder.filePath("labdata.db"), false, 2000);
        return db.scalar("SELECT CURR_USER FROM racks WHERE RACK_DESC = ?", {desc});
    };
    resetRackAndBath();
    {
        ui::ModalResponders responders;
        responders.add(typing(QStringLiteral("demo1")));
        responders.add([](QDialog* w) {
            auto* search = qobject_cast<Form_Search*>(w);
            ASSERT_NE(search, nullptr);
            search->Timer1_Timer();
        });
        login().Show();
        QTest::mouseClick(login().cmd_Login, Qt::LeftButton);
    }
    ASSERT_EQ(holderOf("R1001").toInt(), 101);
    Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();

    // Anna locks the station and Jan logs in: the laboratory lets only Anna give the
    // rack back, so the station does it for her before it takes it for Jan.
    login().showSplash();
    ASSERT_EQ(logIn(QStringLiteral("demo2")), QStringList());
    EXPECT_EQ(holderOf("R1001").toInt(), 102);
    EXPECT_EQ(commonModule::Curr_Rack().Rack_Desc, "R1001");
    EXPECT_TRUE(commonModule::Curr_Rack().isRackLoggedOut(true)) << "Jan works the rack";
    EXPECT_FALSE(rack.lbl_RackStatus->isVisibleTo(&rack));

    login().showSplash();
    ASSERT_EQ(logIn(QStringLiteral("demo2")), QStringList());
    EXPECT_EQ(holderOf("R1001").toInt(), 102) << "the same technician keeps it";
}

}  // namespace
