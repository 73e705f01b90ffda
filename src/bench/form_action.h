#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QFrame>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>

class CounterLink;

// The counter dialog: one run of the particle counter for a sample, a process-control
// check ("CHECK") or a flush ("FLUSH"). The bench sets Sample_Id and Bath_Index, shows
// it modally, reads Action_Result and Received_Data, and unloads it. Its load opens the
// serial port anew and puts the counter in remote mode. It ends with "COUNT" (the
// counter's whole report is in Received_Data), "REMOVE" (the sample leaves the bath)
// or an empty result (closed).
class form_Action : public ui::Form {
    Q_OBJECT
public:
    form_Action();
    ~form_Action() override;

    // Kept from one showing to the next.
    static inline QString Sample_Id;
    // Bath position 0 to 29 of the run, -1 for none.
    static inline std::int16_t Bath_Index = -1;
    static inline QString Action_Result;
    static inline QString Received_Data;

    static constexpr int Reason_Count = 5;

    ui::Shape* shp_mainPanel;
    ui::Label* lbl_Title;
    ui::Label* lbl_labNumber;
    ui::Label* lbl_actionDescription;
    std::array<ui::Image*, Reason_Count> img_action{};
    std::array<ui::Label*, Reason_Count> lbl_action{};
    std::array<ui::Label*, Reason_Count> lbl_action_desc{};
    ui::Image* img_remove;
    ui::Label* lbl_remove;
    std::array<ui::Image*, 2> img_sample{};
    QFrame* fra_Flush;
    ui::Label* lbl_Flush;
    ui::Image* img_RunSample;
    ui::Image* img_Close;
    ui::Shape* shp_bg;
    QTimer* Timer1;
    // The serial line to the counter; made at the load, closed at the unload.
    CounterLink* MSComm1 = nullptr;

    // Styles and lays the dialog out for the current Sample_Id.
    void Reset_Interface();
    // Sends a command of the counter's table; false when nothing could be sent.
    bool Counter_Command(const QString& commandStr);
    bool Counter_Start(const QString& sSampleType, const QString& sCommand);
    // The program ends: a count of this dialog still running is stopped ("H"), with
    // no question and no message box, and nothing received from now on is taken.
    void Stop_Count_At_The_End();
    // "IDLE" or "COUNTING".
    QString dialogState() const;

    // Readiness check, every second until the run button is ready.
    void Timer1_Timer();
    void img_RunSample_Click();
    void img_Close_Click();
    void img_remove_Click();
    void img_action_Click(std::int16_t Index);

protected:
    void Form_Load() override;
    void Form_Unload() override;
    // Escape is the close button.
    void reject() override;

private:
    void Sample_Layout();
    void Check_Flush_Layout();
    void Report_Received();
    // Logs a report that is not this dialog's count; false when the log could not
    // be written.
    bool Log_Report(const QString& received);
    // A report for no count started in this dialog is logged, never stored; the
    // technician is told once per showing.
    void Report_Not_Ours(const QString& received);
    void Tell_Cannot_Connect(const QString& device, const QString& reason);
    // Asks a yes/no question over the dialog; true only for Yes.
    bool Ask(const QString& message);

    bool Foreign_Report_Told = false;
};
