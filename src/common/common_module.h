#pragma once

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>

// Program-wide state that carries the station's work across its windows, and the
// colour palette. Values are those of a freshly started program until code sets them.
namespace commonModule {

// Station status: one of the words of stationStatus (common/station_status.h).
extern QString App_Status;
// The technician's last action; read by the idle timer.
extern QDateTime Last_Activity;
// Folder of the button and state pictures, ending in a separator.
extern QString Image_Dir;
extern QString Curr_Test_Group;
extern QString Curr_Instrument_Id;
// Batch id and name of the bath; an invalid QVariant stands for both Empty and Null.
extern QVariant Curr_Batch_Id;
extern QVariant Curr_Batch_Name;
// The sample being counted: a lab number, "CHECK", "FLUSH", "RERUN", or empty.
extern QString Curr_Lab_Number;
extern QString Curr_Sample_Id;
extern bool Rerun_Requested;
// Index 0 to 19 of the open rack position, -1 for none.
extern std::int16_t Curr_Position;
// Background of the highlighted rack position while it is active; invalid when none.
extern QVariant Saved_Back_Color;
extern QString Edited_Sample_Id;
extern bool Results_Saved;
// "CRITICAL", "URGENT", "RUSH", "RETEST", or empty for all priorities.
extern QString Priority_Filter;
extern bool Records_Found;

// The palette, filled by Init_Colors.
extern QColor Color_Form_Back;
extern QColor Color_Blue;
extern QColor Color_Slate;
extern QColor Color_Navy;
extern QColor Color_Border;
extern QColor Color_Grey;
extern QColor Color_List_Back;
extern QColor Color_Black;
extern QColor Color_Amber;
extern QColor Color_White;

void Init_Colors();

// Clears the work selection (test group, sample, instrument, batch).
void Reset_Globals();

}  // namespace commonModule
