#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QPushButton>
#include <QTimer>
#include <QVariant>
#include <cstdint>
#include <functional>

// The start-up window: a full-screen black splash with Login and Exit. It takes the
// password on the on-screen keyboard, brings up the work forms (the station form,
// the header bar, the rack screen) after a good one, and owns the idle timer that
// hibernates the station after 300 s without activity.
class Form_Login : public ui::Form {
    Q_OBJECT
public:
    Form_Login();

    ui::Image* img_Login_;
    QPushButton* cmd_Login;
    QPushButton* cmd_Exit;
    QTimer* Timer1;

    // Ends the program at once, after End_Without_Screen.
    void App_Exit();
    // What the station's end does that needs no screen and asks nothing: a count
    // still running is stopped, then what the station owes the laboratory is given
    // back. Every road out takes it: the exits, the session's signals, and the
    // display going away. A call while it runs does nothing.
    void End_Without_Screen();
    // Locks the station: back to the login screen.
    void showSplash();
    // Puts the work forms back where the last hibernation found them.
    void reAlign_Forms();
    // Makes the next idle-timer tick hibernate an active station.
    void Hibernate();

    void cmd_Login_Click();
    void cmd_Exit_Click();
    void Timer1_Timer();

    // How the program ends; tests put their own in place. Empty restores the real one.
    using Exit_Action = std::function<void()>;
    static void setExitAction(Exit_Action action);

protected:
    void Form_Load() override;

private:
    struct Saved_Place {
        QVariant top;
        std::int16_t left = 0;
    };

    void Hide_Forms();

    bool First_Start = false;
    bool Ending = false;
    bool Login_Ok = false;
    Saved_Place header_;
    Saved_Place rack_;
    Saved_Place test_;
};
