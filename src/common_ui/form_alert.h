#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QString>

// The message box: a message and one OK area. Shown only through
// commonModule::Show_Alert; while it is up the station counts as idle.
class Form_Alert : public ui::Form {
    Q_OBJECT
public:
    Form_Alert();

    // The text to show; kept from one showing to the next.
    static inline QString Message;

    ui::Label* lbl_Message;
    ui::Label* lbl_ok;

    void lbl_ok_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    ui::Image* picture_;
    QString savedStatus_;
};
