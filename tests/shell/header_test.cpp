#include "alert_recorder.h"
#include "common/iso_module.h"
#include "common/station_config.h"
#include "fake_database.h"
#include "shell/lock_request.h"
#include "shell_fixture.h"

#include <QSignalSpy>

namespace {

class HeaderTest : public ShellTest {
protected:
    static Form_Header& header() { return ui::Default_Instance<Form_Header>::loaded(); }
};

TEST_F(HeaderTest, CaptionCarriesTheTestGroupOnlyWhenThereIsOne)
{
    commonModule::Curr_Employee().Station = QStringLiteral("PARTICLE COUNT");
    commonModule::Curr_Test_Group = QStringLiteral(" PrtCount ");
    header().showStation();
    EXPECT_EQ(header().lbl_Station->caption(), "PARTICLE COUNT STATION [ PrtCount ]");

    commonModule::Curr_Test_Group = QStringLiteral("   ");
    header().showStation();
    EXPECT_EQ(header().lbl_Station->caption(), "PARTICLE COUNT STATION ") << "the trailing blank stays";
}

TEST_F(HeaderTest, FirstLoadBeforeTheBenchShowsABareCaptionAndTheUserInLowerCase)
{
    commonModule::Curr_Employee().Full_name = QStringLiteral("Ann Smith");
    EXPECT_EQ(header().lbl_Station->caption(), " STATION ");
    EXPECT_EQ(header().lbl_UserDesc->caption(), "ann smith");

    commonModule::Curr_Employee().Employee_Reset();  // a check that found nobody
    header().showUser();
    EXPECT_EQ(header().lbl_UserDesc->caption(), "");
}

TEST_F(HeaderTest, LoadPlacesThePadlockInThePanelAndTheCaptionsBesideIt)
{
    Form_Header& h = header();
    EXPECT_EQ(h.pos(), QPoint(0, 0));
    EXPECT_EQ(h.width(), h.screen()->geometry().width());
    EXPECT_DOUBLE_EQ(ui::Top(h.img_Login), 352) << "240 + 855 / 2 - 630 / 2, to the even whole number";
    EXPECT_DOUBLE_EQ(ui::Left(h.lbl_Station), 945) << "5 pixels right of the padlock";
    EXPECT_DOUBLE_EQ(ui::Left(h.lbl_UserDesc), 945);
    EXPECT_EQ(h.shp_mainPanel->fillColor(), commonModule::Color_Navy);
    EXPECT_EQ(h.shp_mainPanel->borderColor(), commonModule::Color_Border);
    EXPECT_EQ(h.lbl_Station->foreColor(), commonModule::Color_Amber);
    EXPECT_EQ(h.lbl_Station->font().pointSize(), 22);
    EXPECT_EQ(h.lbl_Status->font().pointSize(), 8);
}

TEST_F(HeaderTest, ResizePanelKeepsTheButtonAndStatusAtTheRightEnd)
{
    Form_Header& h = header();
    h.Resize_Panel(20000);
    EXPECT_DOUBLE_EQ(ui::Width(h.shp_mainPanel), 20000);
    EXPECT_DOUBLE_EQ(ui::Left(h.img_iso), 90 + 20000 - 1.2 * 630);
    EXPECT_DOUBLE_EQ(ui::Left(h.lbl_Status), 90 + 20000 - 1.2 * 630 - 63 - 5655);
}

TEST_F(HeaderTest, StatusLineIsTheHeadersOnceItHasLoaded)
{
    const QString before = commonModule::Header_Status(QStringLiteral("SAVING RESULTS"));
    Form_Header& h = header();
    const QString previous = commonModule::Header_Status(QStringLiteral("RELOADING BATH CONTENT"));
    EXPECT_EQ(h.lbl_Status->caption(), "reloading bath content");
    commonModule::Header_Status(previous);
    EXPECT_EQ(h.lbl_Status->caption(), previous);
    EXPECT_TRUE(before.isEmpty());
}

TEST_F(HeaderTest, PadlockAndNameAnnounceALockWithoutMakingTheLoginScreen)
{
    QSignalSpy requests(&shell::LockRequest::instance(), &shell::LockRequest::requested);
    header().Show();
    QTest::mouseClick(header().img_Login, Qt::LeftButton);
    QTest::mouseClick(header().lbl_UserDesc, Qt::LeftButton);
    EXPECT_EQ(requests.count(), 2);
    EXPECT_FALSE(ui::Default_Instance<Form_Login>::exists()) << "the header bar only announces";
    EXPECT_TRUE(header().isVisible());
}

TEST_F(HeaderTest, WorkInstructionButtonMarksActivityAndLooksUpTheTestGroup)
{
    FakeDatabase database;
    AlertRecorder alerts;
    database.script(FakeDatabase::noRows({"Test_Group", "DOC_ID", "DOC_TYPE"}));
    commonModule::Curr_Test_Group = QStringLiteral("PrtCount");
    commonModule::Last_Activity = kShiftStart.addSecs(-250);
    stationClock::advanceClock(42);
    header().Show();
    QTest::mouseClick(header().img_iso, Qt::LeftButton);
    EXPECT_EQ(commonModule::Last_Activity, stationClock::now());
    EXPECT_EQ(database.last(), "select * from sop.dbo.documents (nolock) where charindex('PrtCount;', Test_Group) > 0");
    EXPECT_TRUE(alerts.messages.isEmpty());
}

}  // namespace
