#include "common/alert.h"
#include "common/common_module.h"
#include "common_ui/form_alert.h"
#include "common_ui/form_alert_yes_no.h"
#include "common_ui/message_box_presenter.h"
#include "platform/clock/clock.h"
#include "platform/ui/modal.h"
#include "platform/ui/twips.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

const QDateTime kMorning(QDate(2026, 3, 2), QTime(7, 30));

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        stationClock::setClock(kMorning);
        commonModule::Init_Colors();
        commonModule::Last_Activity = kMorning.addSecs(-1000);
        Form_AlertYesNo::Result = 0;
        Form_AlertYesNo::Alignment = 0;
        Form_AlertYesNo::Font_Size = 0;
    }
    void TearDown() override
    {
        ui::Default_Instance<Form_Alert>::Unload();
        ui::Default_Instance<Form_AlertYesNo>::Unload();
        stationClock::useSystemClock();
        ui::setTwipsPerPixel(0, 0);
    }

    // Shows the question box; the responder looks at it, then taps or types.
    void ask(const QString& message, const std::function<void(Form_AlertYesNo&)>& act)
    {
        ui::ModalResponders responders;
        responders.add([&](QDialog* w) { act(*qobject_cast<Form_AlertYesNo*>(w)); });
        Form_AlertYesNo::Message = message;
        ui::Default_Instance<Form_AlertYesNo>::get().Show_Modal(nullptr);
        ui::Default_Instance<Form_AlertYesNo>::Unload();
        ASSERT_TRUE(responders.unanswered().isEmpty());
    }
};

TEST_F(MessageBoxTest, BlankMessageShowsNothingAndTouchesNoState)
{
    ui::ModalResponders responders;
    commonModule::App_Status = QStringLiteral("ACTIVE");
    commonModule::Show_Alert(QStringLiteral("   "));
    commonModule::Show_Alert(QString());
    EXPECT_TRUE(responders.shown().isEmpty());
    EXPECT_EQ(commonModule::App_Status, "ACTIVE");
    EXPECT_EQ(commonModule::Last_Activity, kMorning.addSecs(-1000));
}

TEST_F(MessageBoxTest, MessagesReachTheMessageBoxOnlyOnceItIsRegistered)
{
    ui::ModalResponders responders;
    responders.add([](QDialog* w) { QTest::mouseClick(qobject_cast<Form_Alert*>(w)->lbl_ok, Qt::LeftButton); });
    commonModule::Set_Alert_Presenter({});  // as in a program without the message box
    commonModule::Show_Alert(QStringLiteral("The laboratory database cannot be reached."));
    EXPECT_TRUE(responders.shown().isEmpty()) << "without the box the message is only written out";

    commonUi::registerMessageBox();  // as the program does at start-up
    commonModule::Show_Alert(QStringLiteral("The laboratory database cannot be reached."));
    EXPECT_EQ(responders.shown(), QStringList({"Form_Alert"}));
    EXPECT_EQ(responders.pending(), 0);
}

TEST_F(MessageBoxTest, AlertIsIdleWhileUpThenPutsTheStatusBackAndMarksActivity)
{
    for (const QString& status : {QStringLiteral("LOGIN"), QStringLiteral("ACTIVE")}) {
        ui::ModalResponders responders;
        QString statusWhileUp;
        QString shownText;
        responders.add([&](QDialog* w) {
            auto* box = qobject_cast<Form_Alert*>(w);
            statusWhileUp = commonModule::App_Status;
            shownText = box->lbl_Message->caption();
            stationClock::advanceClock(7);
            QTest::mouseClick(box->lbl_ok, Qt::LeftButton);
        });
        commonModule::App_Status = status;
        commonModule::Show_Alert(QStringLiteral("Invalid login provided, please try again."));

        EXPECT_EQ(responders.shown(), QStringList({"Form_Alert"}));
        EXPECT_EQ(shownText, "Invalid login provided, please try again.");
        EXPECT_EQ(statusWhileUp, "IDLE");
        EXPECT_EQ(commonModule::App_Status, status);
        EXPECT_EQ(commonModule::Last_Activity, stationClock::now()) << "activity is the closing time";
        EXPECT_FALSE(ui::Default_Instance<Form_Alert>::exists()) << "unloaded after the answer";
    }
}

TEST_F(MessageBoxTest, AlertHasItsSizeAndTheOkAreaOverItsButton)
{
    Form_Alert& box = ui::Default_Instance<Form_Alert>::loaded();
    EXPECT_EQ(box.size(), QSize(531, 209));
    EXPECT_EQ(box.lbl_ok->geometry(), QRect(190, 130, 153, 65));
    EXPECT_EQ(box.lbl_Message->font().pointSize(), 14);
    EXPECT_TRUE(box.lbl_Message->font().bold());
}

// The longest texts the station shows are shown whole: the wrapped text fits the
// label, the label and the buttons lie inside the box and do not overlap.
TEST_F(MessageBoxTest, LongestMessagesAreShownWhole)
{
    const auto expectWhole = [](QWidget& box, ui::Label* message, std::initializer_list<ui::Label*> buttons) {
        EXPECT_LE(message->heightForWidth(message->width()), message->height());
        EXPECT_TRUE(box.rect().contains(message->geometry()));
        for (ui::Label* b : buttons) {
            EXPECT_TRUE(box.rect().contains(b->geometry())) << b->objectName().toStdString();
            EXPECT_GT(b->geometry().top(), message->geometry().bottom()) << b->objectName().toStdString();
        }
    };
    Form_Alert::Message = QStringLiteral("The count of sample 2024-0419-00017 was not stored: the laboratory database holds no "
                                         "outstanding particle count for it (its count may be stored already). Its report is "
                                         "kept in PC_Active.csv. The sample stays in the bath.");
    Form_Alert& alert = ui::Default_Instance<Form_Alert>::loaded();
    EXPECT_EQ(alert.lbl_Message->caption(), Form_Alert::Message);
    expectWhole(alert, alert.lbl_Message, {alert.lbl_ok});

    Form_AlertYesNo::Font_Size = 13;
    ask(QStringLiteral("R1002-WEEKEND-RETESTS\r\n\r\nCurrent count is [18/16/13], history is [Not Entered].  Do you want "
                       "to rerun the sample?"),
        [&](Form_AlertYesNo& box) {
            expectWhole(box, box.lbl_Message, {box.lbl_Yes, box.lbl_No});
            QTest::mouseClick(box.lbl_No, Qt::LeftButton);
        });
}

TEST_F(MessageBoxTest, QuestionAnswersByTouchAreaAndEachShowingIsIdle)
{
    const std::pair<const char*, std::int16_t> taps[] = {{"lbl_Yes", 6}, {"lbl_No", 7}, {"lbl_Exit", 2}};
    for (const auto& [area, expected] : taps) {
        commonModule::App_Status = QStringLiteral("ACTIVE");
        QString statusWhileUp;
        ask(QStringLiteral("Do you want to rerun the sample?"), [&](Form_AlertYesNo& box) {
            statusWhileUp = commonModule::App_Status;
            QTest::mouseClick(box.findChild<ui::Label*>(area), Qt::LeftButton);
        });
        EXPECT_EQ(Form_AlertYesNo::Result, expected) << area;
        EXPECT_EQ(statusWhileUp, "IDLE");
        EXPECT_EQ(commonModule::App_Status, "ACTIVE");
        EXPECT_EQ(commonModule::Last_Activity, kMorning);
    }
}

TEST_F(MessageBoxTest, QuestionKeysWorkAloneOrWithAltOnly)
{
    struct Press {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::int16_t result;  // 0: the box stays up
    };
    const Press presses[] = {{Qt::Key_Y, Qt::NoModifier, 6},      {Qt::Key_N, Qt::AltModifier, 7},   {Qt::Key_O, Qt::NoModifier, 2},
                             {Qt::Key_Y, Qt::ControlModifier, 0}, {Qt::Key_N, Qt::ShiftModifier, 0}, {Qt::Key_Escape, Qt::NoModifier, 0},
                             {Qt::Key_Return, Qt::NoModifier, 0}, {Qt::Key_X, Qt::AltModifier, 0}};
    for (const Press& p : presses) {
        Form_AlertYesNo::Result = 0;
        bool stillUp = false;
        ask(QStringLiteral("Save edited results?"), [&](Form_AlertYesNo& box) {
            QTest::keyClick(&box, p.key, p.mods);
            stillUp = box.isVisible();
        });
        EXPECT_EQ(Form_AlertYesNo::Result, p.result) << p.key << " " << p.mods.toInt();
        EXPECT_EQ(stillUp, p.result == 0);
    }
}

TEST_F(MessageBoxTest, QuestionKeepsAlignmentAndFontSizeAcrossShowings)
{
    Form_AlertYesNo::Alignment = 2;
    Form_AlertYesNo::Font_Size = 18;
    ask(QStringLiteral("first"), [](Form_AlertYesNo& box) { QTest::mouseClick(box.lbl_No, Qt::LeftButton); });

    Qt::Alignment shownAlignment;
    int shownSize = 0;
    QString shownText;
    ask(QStringLiteral("second"), [&](Form_AlertYesNo& box) {
        shownAlignment = box.lbl_Message->alignment();
        shownSize = box.lbl_Message->font().pointSize();
        shownText = box.lbl_Message->caption();
        QTest::mouseClick(box.lbl_Yes, Qt::LeftButton);
    });
    EXPECT_TRUE(shownAlignment & Qt::AlignHCenter);
    EXPECT_EQ(shownSize, 18);
    EXPECT_EQ(shownText, "second");
    EXPECT_EQ(Form_AlertYesNo::Alignment, 2);
    EXPECT_EQ(Form_AlertYesNo::Font_Size, 18);
}

TEST_F(MessageBoxTest, QuestionWithoutAFontSizeShowsFourteenPointsFromThenOn)
{
    int shownSize = 0;
    Qt::Alignment shownAlignment;
    ask(QStringLiteral("q"), [&](Form_AlertYesNo& box) {
        shownSize = box.lbl_Message->font().pointSize();
        shownAlignment = box.lbl_Message->alignment();
        QTest::mouseClick(box.lbl_Exit, Qt::LeftButton);
    });
    EXPECT_EQ(shownSize, 14);
    EXPECT_EQ(Form_AlertYesNo::Font_Size, 14);
    EXPECT_TRUE(shownAlignment & Qt::AlignLeft);
}

}  // namespace
