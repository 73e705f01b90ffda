#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/text_box.h"

#include <QString>
#include <array>
#include <cstdint>

// The on-screen keyboard: 53 touch areas over a keyboard picture, a description
// line, a CAPS indicator and one text box. The caller may set txt_Input's password
// character and lbl_Desc's caption after loading it, shows it modally with an
// owner, reads Input_Text (and Input_OK) and unloads it.
class Form_KeyInput : public ui::Form {
    Q_OBJECT
public:
    Form_KeyInput();

    // True when closed with ENTER, false with CANCEL.
    static inline bool Input_OK = false;
    // The text when closed with ENTER; empty with CANCEL.
    static inline QString Input_Text;

    ui::TextBox* txt_Input;
    ui::Label* lbl_Desc;
    ui::Label* lbl_CAPS;
    std::array<ui::Label*, 53> lbl_Key{};

    void lbl_Key_Click(std::int16_t Index);

protected:
    void Form_Load() override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Do_Key_Command(const QString& sCommand);
    void Close_Input(bool ok);
    ui::Image* picture_;
};
