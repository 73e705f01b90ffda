#pragma once

#include "common/common_module.h"
#include "common_ui/header_status.h"
#include "platform/clock/clock.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/modal.h"
#include "platform/ui/twips.h"
#include "records/employee.h"
#include "shell/form_header.h"
#include "shell/form_key_input.h"
#include "shell/form_login.h"
#include "shell/form_rack.h"
#include "shell/form_search.h"
#include "shell/keyboard_keys.h"
#include "shell/station_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// A station form that only notes what the frame asks of it. It stands at a layout
// place of its own once Init has run.
class RecordingStationForm : public ui::Form, public StationForm {
public:
    RecordingStationForm() { setObjectName(QStringLiteral("RecordingStationForm")); }
    static constexpr double kLayoutLeft = 7200;
    static constexpr double kLayoutTop = 1125;

    int inits = 0, userLogins = 0, hibernations = 0, reactivations = 0;

    ui::Form& window() override { return *this; }
    void Nav_Start() override {}
    void Nav_End() override {}
    void Hibernate() override { ++hibernations; }
    void reActivate() override { ++reactivations; }
    void After_Login() override {}
    bool Process_Sample(std::int16_t, const QString&, const QString&) override { return false; }
    void Init() override
    {
        ++inits;
        ui::setTwipGeometry(this, kLayoutLeft, kLayoutTop, 6000, 4000);
    }
    bool Rack_Refresh(bool) override { return true; }
    void Rack_OnClick() override {}
    QVariant AllSaved() override { return false; }
    void On_AfterSave() override {}
    void User_Logout() override {}
    void User_Login() override { ++userLogins; }
    void Quick_Hide() override {}
    void Quick_Show(const QVariant&) override {}
    std::int16_t Save_Results() override { return 0; }
    void Stop_At_The_End() override {}
};

// A label's caption reaches on the screen as far as its font measures it (within a
// character): drawn as the text it is, whole; markup taken for formatting, or a
// caption cut at the label's edge, falls short.
inline bool drawnToItsEnd(QLabel* label)
{
    const QImage drawn = label->grab().toImage();
    int inkRight = -1;
    for (int x = drawn.width() - 1; x >= 0 && inkRight < 0; --x)
        for (int y = 0; y < drawn.height(); ++y)
            if (qAlpha(drawn.pixel(x, y)) > 0 && drawn.pixel(x, y) != drawn.pixel(0, 0)) {
                inkRight = x;
                break;
            }
    const QFontMetrics metrics(label->font());
    const int measured = label->wordWrap()
                             ? metrics.boundingRect(QRect(0, 0, label->width(), 1 << 16), Qt::TextWordWrap, label->text()).width()
                             : metrics.horizontalAdvance(label->text());
    return inkRight >= measured - metrics.averageCharWidth();
}

inline const QDateTime kShiftStart(QDate(2026, 3, 2), QTime(6, 0));

// Every test starts with a fresh station: no window, nobody logged in, the clock
// fixed, 15 twips per pixel, and an empty station folder as the current folder.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        stationClock::setClock(kShiftStart);
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(stationFolder.path());
        shell::registerStationForm<RecordingStationForm>();
        Form_Login::setExitAction([this] { ++exits; });
        commonModule::Curr_Employee().Employee_Reset();
        commonModule::Curr_Employee().Station.clear();
        commonModule::App_Status.clear();
        commonModule::Curr_Test_Group.clear();
        commonModule::Init_Colors();
    }

    void TearDown() override
    {
        // Owned windows go before their owners.
        ui::Default_Instance<Form_KeyInput>::Unload();
        ui::Default_Instance<Form_Search>::Unload();
        ui::Default_Instance<RecordingStationForm>::Unload();
        ui::Default_Instance<Form_Header>::Unload();
        ui::Default_Instance<Form_Rack>::Unload();
        ui::Default_Instance<Form_Login>::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::setStationFormFinder({});
        Form_Login::setExitAction({});
        QDir::setCurrent(previousFolder_);
        stationClock::useSystemClock();
        ui::setTwipsPerPixel(0, 0);
    }

    static RecordingStationForm* station()
    {
        return ui::Default_Instance<RecordingStationForm>::exists() ? &ui::Default_Instance<RecordingStationForm>::get() : nullptr;
    }

    QTemporaryDir stationFolder;
    int exits = 0;

private:
    QString previousFolder_;
};

// Taps the keyboard's key that carries the tag.
inline void tapKey(Form_KeyInput& keyboard, const QString& tag)
{
    for (std::size_t i = 0; i < kKeyboardKeys.size(); ++i)
        if (QString::fromLatin1(kKeyboardKeys[i].tag) == tag) {
            QTest::mouseClick(keyboard.lbl_Key[i], Qt::LeftButton);
            return;
        }
    ADD_FAILURE() << "no key " << tag.toStdString();
}

// Types the text on the keyboard's keys, switching CAPS as the letters need.
inline void typeOnKeys(Form_KeyInput& keyboard, const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char(' ')) {
            tapKey(keyboard, QStringLiteral("CMD_SPACE"));
            continue;
        }
        if (c.isLetter()) {
            const bool capsOn = ui::tag(keyboard.lbl_CAPS).toString() == QLatin1String("ON");
            if (c.isUpper() != capsOn) tapKey(keyboard, QStringLiteral("CMD_CAPS"));
        }
        tapKey(keyboard, QString(c).toUpper());
    }
}

// A responder that types the text on the shown keyboard and touches ENTER.
inline ui::ModalResponder typing(const QString& text, QString* statusWhileUp = nullptr)
{
    return [text, statusWhileUp](QDialog* w) {
        auto* keyboard = qobject_cast<Form_KeyInput*>(w);
        ASSERT_NE(keyboard, nullptr) << "expected the keyboard, got " << w->objectName().toStdString();
        if (statusWhileUp) *statusWhileUp = commonModule::App_Status;
        typeOnKeys(*keyboard, text);
        tapKey(*keyboard, QStringLiteral("CMD_ENTER"));
    };
}

// A responder that types the text and then touches CANCEL.
inline ui::ModalResponder cancelling(const QString& typedFirst = QString())
{
    return [typedFirst](QDialog* w) {
        auto* keyboard = qobject_cast<Form_KeyInput*>(w);
        ASSERT_NE(keyboard, nullptr);
        typeOnKeys(*keyboard, typedFirst);
        tapKey(*keyboard, QStringLiteral("CMD_CANCEL"));
    };
}

// A responder that leaves the rack search without a choice (the rack screen's load
// opens it; with no test group it waits for the technician).
inline ui::ModalResponder leavingSearch()
{
    return [](QDialog* w) {
        auto* search = qobject_cast<Form_Search*>(w);
        ASSERT_NE(search, nullptr) << "expected the rack search, got " << w->objectName().toStdString();
        QTest::mouseClick(search->lbl_Exit, Qt::LeftButton);
    };
}
