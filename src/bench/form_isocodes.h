#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QStringList>

// A small modal picker that stands in for the particle counter: it offers 25 ISO
// codes and hands back, for the chosen one, a counter report line of that code. The
// caller shows it modally, reads Report_Line and unloads it.
class Form_ISOCodes : public ui::Form {
    Q_OBJECT
public:
    Form_ISOCodes();

    // The report line of the chosen code; empty after load, after Cancel and after
    // Ok without a choice.
    static inline QString Report_Line;

    // The codes and their report lines, index 0 to 24 in the same order.
    QStringList ISO_Codes;
    QStringList Report_Lines;

    ui::Label* Label1;
    QComboBox* cbo_ISO;
    QPushButton* cmd_Ok;
    QPushButton* cmd_Cancel;

    void cmd_Ok_Click();
    void cmd_Cancel_Click();

protected:
    void Form_Load() override;
    void showEvent(QShowEvent* e) override;
};
