#pragma once

#include "platform/db/recordset.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/text_box.h"

#include <QListWidget>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>

// The rack search: the racks with outstanding work under the priority filter in
// force, a keypad to look a sample up by its work-order number, and a one-second
// automatic choice for PREV, NEXT, and FIND with a named or a single rack, made
// while the window stays at zero size. The caller sets Search_Action and
// Preselected_Rack, shows it modally, reads the answer and unloads it; the answer
// variables outlive the window.
class Form_Search : public ui::Form {
    Q_OBJECT
public:
    Form_Search();

    static constexpr double kWidth = 9435;
    static constexpr double kHeight = 5625;

    static inline QString Search_Action;
    static inline QString Preselected_Rack;
    static inline QString Chosen_Rack;
    static inline std::int16_t Target_Index = -1;
    static inline std::int16_t Rack_Index = 0;
    static inline std::int16_t Rack_Count = 0;
    static inline QString Found_Sample_Id;
    static inline bool Sample_Located = false;

    QListWidget* lst_os;
    ui::TextBox* txt_wo;
    // Indexed by the digit each key types.
    std::array<ui::Label*, 10> lbl_No{};
    ui::Label* lbl_Go;
    ui::Label* lbl_Clear;
    ui::Label* lbl_Refresh;
    ui::Label* lbl_getRack;
    ui::Label* lbl_Exit;
    QTimer* Timer1;

    void Timer1_Timer();
    void lbl_No_Click(std::int16_t Index);
    void lbl_Go_Click();
    void lbl_Clear_Click() { txt_wo->setText(QString()); }
    void lbl_Refresh_Click() { Load_Racks(); }
    void lbl_getRack_Click() { Take_Rack(); }
    void lst_os_DblClick() { Take_Rack(); }
    void lbl_Exit_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    bool Load_Racks();
    QString Find_Rack_Index();
    void Take_Rack();
    // The selected row of the list, -1 when none is selected.
    int selectedRow() const;
    void Close_Recordset();

    ui::Image* picture_;
    QString savedStatus_;
    db::Recordset racks_;
    QString preselectedIndex_;
};
