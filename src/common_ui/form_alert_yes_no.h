#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QString>
#include <cstdint>

// The question box: a message with YES, NO and an exit. The caller sets Message
// (and Alignment, Font_Size when it wants them), shows the box modally with an
// owner and reads Result afterwards. The variables keep their values from one
// showing to the next; the window itself is made anew at each showing.
class Form_AlertYesNo : public ui::Form {
    Q_OBJECT
public:
    Form_AlertYesNo();

    static constexpr std::int16_t kYes = 6;
    static constexpr std::int16_t kNo = 7;
    static constexpr std::int16_t kExit = 2;

    static inline std::int16_t Result = 0;
    static inline QString Message;
    // 0 left, 1 right, 2 centre.
    static inline std::int16_t Alignment = 0;
    // 0 stands for 14 points.
    static inline std::int16_t Font_Size = 0;

    ui::Label* lbl_Message;
    ui::Label* lbl_Yes;
    ui::Label* lbl_No;
    ui::Label* lbl_Exit;

    void lbl_Yes_Click() { answer(kYes); }
    void lbl_No_Click() { answer(kNo); }
    void lbl_Exit_Click() { answer(kExit); }

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void answer(std::int16_t result);
    ui::Image* picture_;
    QString savedStatus_;
};
